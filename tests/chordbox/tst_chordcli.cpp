// songloom-cli run as the real program: help, version and wrong command
// lines as command-line tools answer them, and "chord --read" whose output,
// given back to the shell, draws the same picture.
#include "cli/CliUsage.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString cli = QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli");

struct Run
{
    int exitCode = -1; // -1 on a crash or hang
    QString out;
    QString err;
};

} // namespace

class tst_ChordCli : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;

    Run start(const QString &program, const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Qt's own notes about a missing runtime folder would mix with ours.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(program, args);
        Run run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.exitCode = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    Run songloomCli(const QStringList &args) { return start(cli, args); }

    // The command line as a POSIX shell reads it.
    Run shell(const QString &commandLine) { return start(QStringLiteral("/bin/sh"), {"-c", commandLine}); }

private slots:
    void initTestCase() { QVERIFY(QFileInfo::exists(cli)); }

    // Asked for: on standard output, exit code 0.
    void answersOnStandardOutput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("--help") << QStringList{"--help"} << CliUsage::programHelp();
        QTest::newRow("-h") << QStringList{"-h"} << CliUsage::programHelp();
        QTest::newRow("--version") << QStringList{"--version"} << CliUsage::versionText();
        QTest::newRow("-V") << QStringList{"-V"} << CliUsage::versionText();
        QTest::newRow("chord --help") << QStringList{"chord", "--help"} << CliUsage::chordHelp();
        QTest::newRow("chord -h after options") << QStringList{"chord", "--name", "A", "-h"} << CliUsage::chordHelp();
        QTest::newRow("convert --help") << QStringList{"convert", "--help"} << CliUsage::convertHelp();
    }

    void answersOnStandardOutput()
    {
        QFETCH(QStringList, args);
        const Run run = songloomCli(args);
        QCOMPARE(run.err, QString());
        QTEST(run.out, "out");
        QCOMPARE(run.exitCode, 0);
    }

    // A wrong command line: the fault and a hint on standard error, or the
    // whole usage when nothing was given; exit code 2.
    void refusesOnStandardError_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("err");
        QTest::newRow("nothing") << QStringList{} << CliUsage::programHelp();
        QTest::newRow("chord alone") << QStringList{"chord"} << CliUsage::chordHelp();
        QTest::newRow("unknown command") << QStringList{"draw"}
                                         << "songloom-cli: unknown command \"draw\"\n" + CliUsage::hint({});
        QTest::newRow("unknown option") << QStringList{"--colour"}
                                        << "songloom-cli: unknown option \"--colour\"\n" + CliUsage::hint({});
        QTest::newRow("chord, unknown option")
            << QStringList{"chord", "--name", "A", "--help-me"}
            << "songloom-cli chord: unknown option \"--help-me\"\n" + CliUsage::hint("chord");
    }

    void refusesOnStandardError()
    {
        QFETCH(QStringList, args);
        const Run run = songloomCli(args);
        QCOMPARE(run.out, QString());
        QTEST(run.err, "err");
        QCOMPARE(run.exitCode, 2);
    }

    // The help is complete and fits a terminal: every option the chord
    // command takes is explained, and no line is longer than 79 columns.
    // The version line is the one manual-page makers expect.
    void helpIsComplete()
    {
        const QString help = CliUsage::programHelp();
        for (const char *option : {"--name NAME", "--top TEXT", "--dot STRING:FRET", "--bar FRET", "--define DEFINITION",
                                   "--scale N", "-o FILE", "--output-dir DIR", "--read FILE", "-h, --help",
                                   "-V, --version", "convert IN OUT", "Exit status:"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
        QVERIFY(QRegularExpression("^songloom-cli \\(Songloom\\) \\d+\\.\\d+\\.\\d+\n$").match(CliUsage::versionText()).hasMatch());
        for (const QString &line : help.split('\n') + CliUsage::chordHelp().split('\n'))
            QVERIFY2(line.size() < 80, qPrintable(line));
    }

    // What --read prints, given back to the shell, draws the same picture.
    void readBackThroughTheShell_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("top");
        QTest::addColumn<int>("barSpace");
        QTest::newRow("starter chord") << "Am" << "5th Fret" << 1;
        QTest::newRow("shell characters") << "$(x)`y`'\"!*" << "a;b&c|d" << 0;
        QTest::newRow("blanks around") << "  C/G " << " \\ " << 3;
        QTest::newRow("signs") << "B\u266D\u00B0\u0394" << "-1" << 5;
        QTest::newRow("long, cut at the edge") << "Cmaj7add9/G#sus4" << "MMMMMMMMMMMM" << 2;
    }

    void readBackThroughTheShell()
    {
        QFETCH(QString, name);
        QFETCH(QString, top);
        QFETCH(int, barSpace);
        ChordBox chord;
        chord.setDot(2, 3);
        chord.setDot(6, 5);
        if (barSpace > 0)
            chord.setBar(barSpace);
        const QImage picture = ChordBoxRenderer::DrawChordBox(chord, name, top);
        QVERIFY(picture.save(m_dir.filePath(QStringLiteral("drawn")), "BMP"));

        const Run read = songloomCli({"chord", "--read", "drawn"});
        QCOMPARE(read.err, QString());
        QCOMPARE(read.exitCode, 0);
        QVERIFY(read.out.endsWith('\n'));
        const Run drawn = shell(QStringLiteral("'%1' chord %2 -o again.png").arg(cli, read.out.trimmed()));
        QCOMPARE(drawn.err, QString());
        QCOMPARE(drawn.exitCode, 0);
        QCOMPARE(QImage(m_dir.filePath(QStringLiteral("again.png"))).convertToFormat(QImage::Format_RGB32), picture);
    }

    // A picture that cannot be read back: the reason on standard error,
    // nothing on standard output, exit code 1.
    void refusesPicturesItCannotRead()
    {
        QImage scaled = ChordBoxRenderer::enlarged(ChordBoxRenderer::DrawChordBox(ChordBox(), "A", {}), 2);
        QVERIFY(scaled.save(m_dir.filePath(QStringLiteral("big.png"))));
        const Run run = songloomCli({"chord", "--read", "big.png"});
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QStringLiteral("songloom-cli chord: big.png: the picture is 80 x 96 pixels; a ChordBox is "
                                         "40 x 48\n"));
        QCOMPARE(run.exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(tst_ChordCli)
#include "tst_chordcli.moc"
