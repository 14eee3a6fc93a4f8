// songloom-cli run as the real program, each case in a fresh empty working
// folder: help, version and wrong command lines as command-line tools
// answer them, chords drawn to files and libraries, and "chord --read"
// whose output, given back to the shell, draws the same picture.
#include "cli/CliUsage.h"
#include "support/CliRun.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

ChordBox chordWith(const QList<QPoint> &dots, int barSpace)
{
    ChordBox chord;
    for (const QPoint &dot : dots)
        chord.setDot(dot.x(), dot.y());
    if (barSpace > 0)
        chord.setBar(barSpace);
    return chord;
}

} // namespace

class tst_ChordCli : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;

    CliRun songloomCli(const QStringList &args) { return CliRun::run(args, m_dir->path()); }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QImage picture(const QString &name) const { return QImage(path(name)).convertToFormat(QImage::Format_RGB32); }

private slots:
    void initTestCase() { QVERIFY(QFileInfo::exists(CliRun::cliPath())); }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Asked for: on standard output, exit code 0. A wrong command line: the
    // fault and a hint on standard error, or the whole usage when nothing
    // was given; exit code 2.
    void answers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << CliUsage::programHelp() << "";
        QTest::newRow("-V") << QStringList{"-V"} << 0 << CliUsage::versionText() << "";
        QTest::newRow("chord -h after options") << QStringList{"chord", "--name", "A", "-h"} << 0
                                                << CliUsage::chordHelp() << "";
        QTest::newRow("spell --help") << QStringList{"spell", "x.txt", "--help"} << 0 << CliUsage::spellHelp() << "";
        QTest::newRow("nothing") << QStringList{} << 2 << "" << CliUsage::programHelp();
        QTest::newRow("unknown command") << QStringList{"draw"} << 2 << ""
                                         << "songloom-cli: unknown command \"draw\"\n" + CliUsage::hint({});
        QTest::newRow("chord, unknown option")
            << QStringList{"chord", "--name", "A", "--help-me"} << 2 << ""
            << "songloom-cli chord: unknown option \"--help-me\"\n" + CliUsage::hint("chord");
    }

    void answers()
    {
        QFETCH(QStringList, args);
        const CliRun run = songloomCli(args);
        QTEST(run.err, "err");
        QTEST(run.out, "out");
        QTEST(run.exitCode, "exitCode");
        QVERIFY(files().isEmpty());
    }

    // The version line is the one manual-page makers expect; the help fits
    // a terminal.
    void helpAndVersionShape()
    {
        QVERIFY(QRegularExpression("^songloom-cli \\(Songloom\\) \\d+\\.\\d+\\.\\d+\n$").match(CliUsage::versionText()).hasMatch());
        for (const QString &line : (CliUsage::programHelp() + CliUsage::chordHelp() + CliUsage::spellHelp()).split('\n'))
            QVERIFY2(line.size() < 80, qPrintable(line));
    }

    // Every row draws Am/E with a bar on the first fret space, two dots and
    // "5th Fret", twice: the second time replaces a named file, while a
    // library folder gets another chord file under the first free name and
    // keeps what it holds. A .png file is a PNG picture, any other a BMP.
    void draws_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("taken");
        const QStringList options{"--name", "Am/E", "--top", "5th Fret", "--dot", "2:3", "--dot", "3:3", "--bar", "1"};
        const QStringList define{"--define", "{define: Am/E base-fret 5 frets 1 3 3 1 1 1}"};
        QTest::newRow("no extension") << options + QStringList{"-o", "Am"} << QStringList{"Am"} << 1 << "";
        QTest::newRow("definition, .PNG, scaled") << define + QStringList{"--scale", "3", "-o", "x.PNG"}
                                                  << QStringList{"x.PNG"} << 3 << "";
        QTest::newRow("library folder") << define + QStringList{"--output-dir", "."}
                                        << QStringList{"Am~E 5th Fret", "Am~E 5th Fret;2"} << 1 << "";
        QTest::newRow("library folder, a name taken")
            << options + QStringList{"--output-dir", "."} << QStringList{"Am~E 5th Fret", "Am~E 5th Fret;3"} << 1
            << "Am~E 5th Fret;2";
    }

    void draws()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, written);
        QFETCH(int, scale);
        QFETCH(QString, taken);
        QFile kept(path(taken));
        QVERIFY(taken.isEmpty() || (kept.open(QIODevice::WriteOnly) && kept.write("kept") == 4));
        kept.close();
        for (int time = 0; time < 2; ++time) {
            const CliRun run = songloomCli(QStringList{"chord"} + args);
            QCOMPARE(run.out + run.err + QString::number(run.exitCode), QStringLiteral("0"));
        }
        QStringList all = written + QStringList{taken};
        all.removeAll(QString());
        all.sort();
        QCOMPARE(files(), all);
        QVERIFY(taken.isEmpty() || (kept.open(QIODevice::ReadOnly) && kept.readAll() == "kept"));
        const QImage expected = ChordBoxRenderer::DrawChordBox(chordWith({{2, 3}, {3, 3}}, 1), "Am/E", "5th Fret");
        for (const QString &file : written) {
            QFile bytes(path(file));
            QVERIFY(bytes.open(QIODevice::ReadOnly));
            const QByteArray magic = file.endsWith("png", Qt::CaseInsensitive) ? "\x89PNG" : "BM";
            QCOMPARE(bytes.read(magic.size()), magic);
            // Scaled without smoothing, each pixel becomes a square block.
            QCOMPARE(picture(file), expected.scaled(expected.size() * scale));
        }
    }

    // What --read prints, given back to the shell, draws the same picture.
    void readBackThroughTheShell_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("top");
        QTest::addColumn<int>("barSpace");
        QTest::newRow("shell characters") << " It's $(x)`y`\"!*" << "a;b&c|d" << 0;
        QTest::newRow("blanks around") << "  C/G " << " \\ " << 3;
        QTest::newRow("no name, signs on top") << "" << "B\u266D\u00B0\u0394" << 5;
    }

    void readBackThroughTheShell()
    {
        QFETCH(QString, name);
        QFETCH(QString, top);
        QFETCH(int, barSpace);
        // Given out of string order; read back in it.
        const QImage drawn = ChordBoxRenderer::DrawChordBox(chordWith({{6, 4}, {2, 2}}, barSpace), name, top);
        QVERIFY(drawn.save(path("drawn"), "BMP"));

        const CliRun read = songloomCli({"chord", "--read", "drawn"});
        QCOMPARE(read.err + QString::number(read.exitCode), QStringLiteral("0"));
        QVERIFY(read.out.endsWith(QStringLiteral(" --dot 2:2 --dot 6:4%1\n")
                                      .arg(barSpace ? QStringLiteral(" --bar %1").arg(barSpace) : QString())));
        const QString again = QStringLiteral("'%1' chord %2 -o again.png").arg(CliRun::cliPath(), read.out.trimmed());
        const CliRun shell = CliRun::run({"-c", again}, m_dir->path(), "/bin/sh");
        QCOMPARE(shell.err + QString::number(shell.exitCode), QStringLiteral("0"));
        QCOMPARE(picture("again.png"), drawn);
    }

    // A wrong command line is refused with a line naming the fault and the
    // hint to the help, and exit code 2; a file that cannot be read or
    // written with one line and exit code 1. Nothing is written.
    void refuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no name") << QStringList{"-o", "x.png"} << "--name" << 2;
        QTest::newRow("fret 6") << QStringList{"--name", "A", "--dot", "1:6", "-o", "x"} << "1:6" << 2;
        QTest::newRow("jpeg") << QStringList{"--name", "A", "-o", "x.jpg"} << "x.jpg" << 2;
        QTest::newRow("define and dots") << QStringList{"--define", "A frets x 0 2 2 2 0", "--dot", "1:1", "-o", "x"}
                                         << "--define" << 2;
        QTest::newRow("bad definition") << QStringList{"--define", "A frets x 0 2 2 9 0", "-o", "x"} << "fret 9" << 2;
        QTest::newRow("refused library name") << QStringList{"--name", "A:B", "--output-dir", "."} << "A:B" << 2;
        QTest::newRow("read with more") << QStringList{"--read", "x", "--name", "A"} << "--read" << 2;
        QTest::newRow("folder missing") << QStringList{"--name", "A", "-o", "/nonexistent/A.png"} << "cannot write" << 1;
        QTest::newRow("read missing") << QStringList{"--read", "gone"} << "gone: the file cannot be read" << 1;
        QTest::newRow("read a picture Songloom did not draw")
            << QStringList{"--read", "big.png"} << "big.png: the picture is 80 x 96 pixels; a ChordBox is 40 x 48" << 1;
    }

    void refuses()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, complaint);
        QFETCH(int, exitCode);
        QVERIFY(ChordBoxRenderer::enlarged(ChordBoxRenderer::DrawChordBox(ChordBox(), "A", {}), 2).save(path("big.png")));
        const CliRun run = songloomCli(QStringList{"chord"} + args);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QString());
        QStringList lines = run.err.split('\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), exitCode);
        QVERIFY2(lines.first().startsWith("songloom-cli chord: ") && lines.first().contains(complaint),
                 qPrintable(run.err));
        if (exitCode == 2)
            QCOMPARE(lines.last() + '\n', CliUsage::hint("chord"));
        QCOMPARE(files(), QStringList{"big.png"});
    }
};

QTEST_GUILESS_MAIN(tst_ChordCli)
#include "tst_chordcli.moc"
