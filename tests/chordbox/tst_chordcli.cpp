// songloom-cli run as the real program, each case in a fresh working folder:
// help, version, wrong command lines, chords drawn to files and libraries,
// and "chord --read" whose output, given back to the shell, draws again.
#include "cli/CliUsage.h"
#include "support/CliRun.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_ChordCli : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;

    CliRun songloomCli(const QStringList &args) { return CliRun::run(args, m_dir->path()); }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QImage picture(const QString &name) const { return QImage(path(name)).convertToFormat(QImage::Format_RGB32); }
    static QImage drawn(const QList<QPoint> &dots, int barSpace, const QString &name, const QString &top)
    {
        ChordBox chord;
        for (const QPoint &dot : dots)
            chord.setDot(dot.x(), dot.y());
        if (barSpace > 0)
            chord.setBar(barSpace);
        return ChordBoxRenderer::DrawChordBox(chord, name, top);
    }

private slots:
    void initTestCase() { QVERIFY(QFileInfo::exists(CliRun::cliPath())); }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Asked for: on standard output, exit code 0. A wrong command line: the
    // fault and a hint on standard error, or the whole usage when nothing
    // was given; exit code 2. A file that cannot be read or written: one
    // line, exit code 1. Nothing is written beside big.png.
    void answers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("answer"); // exit code|out|err
        const QString hint = CliUsage::hint("chord"), chord = "songloom-cli chord: ";
        QTest::newRow("--help") << QStringList{"--help"} << "0|" + CliUsage::programHelp() + '|';
        QTest::newRow("-V") << QStringList{"-V"} << "0|" + CliUsage::versionText() + '|';
        QTest::newRow("chord -h after options") << QStringList{"chord", "--name", "A", "-h"} << "0|" + CliUsage::chordHelp() + '|';
        QTest::newRow("nothing") << QStringList{} << "2||" + CliUsage::programHelp();
        QTest::newRow("unknown command") << QStringList{"draw"} << "2||songloom-cli: unknown command \"draw\"\n" + CliUsage::hint({});
        QTest::newRow("unknown option") << QStringList{"chord", "--name", "A", "--help-me"} << "2||" + chord + "unknown option \"--help-me\"\n" + hint;
        QTest::newRow("no name") << QStringList{"chord", "-o", "x.png"} << "2||" + chord + "--name, --define or --read is needed\n" + hint;
        QTest::newRow("bad definition") << QStringList{"chord", "--define", "A frets x 0 2 2 9 0", "-o", "x"}
                                        << "2||" + chord + "fret 9 lies beyond the 5 fret spaces of a ChordBox\n" + hint;
        QTest::newRow("refused library name") << QStringList{"chord", "--name", "A:B", "--output-dir", "."}
                                              << "2||" + chord + "\"A:B\" cannot be a chord file name: it holds one of ; ~ \\ : ? \" < > |\n" + hint;
        QTest::newRow("folder missing") << QStringList{"chord", "--name", "A", "-o", "/nonexistent/A.png"}
                                        << "1||" + chord + "cannot write \"/nonexistent/A.png\": No such file or directory\n";
        QTest::newRow("read missing") << QStringList{"chord", "--read", "gone"} << "1||" + chord + "gone: the file cannot be read as a picture: File not found\n";
        QTest::newRow("read a picture Songloom did not draw")
            << QStringList{"chord", "--read", "big.png"} << "1||" + chord + "big.png: the picture is 80 x 96 pixels; a ChordBox is 40 x 48\n";
    }

    void answers()
    {
        QFETCH(QStringList, args);
        QVERIFY(ChordBoxRenderer::enlarged(ChordBoxRenderer::DrawChordBox(ChordBox(), "A", {}), 2).save(path("big.png")));
        const CliRun run = songloomCli(args);
        QTEST(QString::number(run.exitCode) + '|' + run.out + '|' + run.err, "answer");
        // The version line is the one manual-page makers expect.
        QVERIFY(args != QStringList{"-V"} || QRegularExpression("^songloom-cli \\(Songloom\\) \\d+\\.\\d+\\.\\d+\n$").match(run.out).hasMatch());
        QCOMPARE(files(), QStringList{"big.png"});
    }

    // Every row draws Am/E 5th Fret with two dots and a bar twice: the second
    // time replaces a named file, while a library folder gets another chord
    // file under the first free name. A .png file is a PNG, any other a BMP.
    void draws_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<int>("scale");
        const QStringList options{"--name", "Am/E", "--top", "5th Fret", "--dot", "2:3", "--dot", "3:3", "--bar", "1"};
        const QStringList define{"--define", "{define: Am/E base-fret 5 frets 1 3 3 1 1 1}"};
        QTest::newRow("no extension") << options + QStringList{"-o", "Am"} << QStringList{"Am"} << 1;
        QTest::newRow("definition, .PNG, scaled") << define + QStringList{"--scale", "3", "-o", "x.PNG"} << QStringList{"x.PNG"} << 3;
        QTest::newRow("library folder") << define + QStringList{"--output-dir", "."} << QStringList{"Am~E 5th Fret", "Am~E 5th Fret;2"} << 1;
    }

    void draws()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, written);
        QFETCH(int, scale);
        for (int time = 0; time < 2; ++time) {
            const CliRun run = songloomCli(QStringList{"chord"} + args);
            QCOMPARE(run.out + run.err + QString::number(run.exitCode), QStringLiteral("0"));
        }
        QCOMPARE(files(), written);
        const QImage expected = drawn({{2, 3}, {3, 3}}, 1, "Am/E", "5th Fret");
        for (const QString &file : written) {
            QCOMPARE(QImageReader::imageFormat(path(file)), file.endsWith("png", Qt::CaseInsensitive) ? "png" : "bmp");
            // Scaled without smoothing, each pixel becomes a square block.
            QCOMPARE(picture(file), expected.scaled(expected.size() * scale));
        }
    }

    // What --read prints, given back to the shell, draws the same picture:
    // shell characters, blanks around the texts, no name, signs on top.
    void readBackThroughTheShell()
    {
        for (const auto &[name, top, barSpace] : {std::tuple{" It's $(x)`y`\"!*", "a;b&c|d", 0}, {"  C/G ", " \\ ", 3}, {"", "B\u266D\u00B0\u0394", 5}}) {
            const QImage original = drawn({{6, 4}, {2, 2}}, barSpace, QString::fromUtf8(name), QString::fromUtf8(top));
            QVERIFY(original.save(path("drawn"), "BMP"));
            const CliRun read = songloomCli({"chord", "--read", "drawn"});
            QCOMPARE(read.err + QString::number(read.exitCode), QStringLiteral("0"));
            const QString again = QStringLiteral("'%1' chord %2 -o again.png").arg(CliRun::cliPath(), read.out.trimmed());
            const CliRun shell = CliRun::run({"-c", again}, m_dir->path(), "/bin/sh");
            QCOMPARE(shell.err + QString::number(shell.exitCode), QStringLiteral("0"));
            QCOMPARE(picture("again.png"), original);
        }
    }
};

QTEST_GUILESS_MAIN(tst_ChordCli)
#include "tst_chordcli.moc"
