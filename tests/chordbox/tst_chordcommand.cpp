// "songloom-cli chord": chords drawn to files without the editor and read
// back. Each case runs in a fresh empty working folder.
#include "cli/ChordCommand.h"
#include "cli/CliUsage.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

class tst_ChordCommand : public QObject
{
    Q_OBJECT
    const QString m_start = QDir::currentPath();
    std::unique_ptr<QTemporaryDir> m_dir;

    // Runs the command; returns all it wrote.
    static QString run(const QStringList &args, int &code, QString *output = nullptr)
    {
        QString text;
        QString printed;
        QTextStream errors(&text);
        QTextStream out(&printed);
        code = runChordCommand(args, out, errors);
        errors.flush();
        out.flush();
        if (output)
            *output = printed;
        return printed + text;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }

    void cleanup() { QDir::setCurrent(m_start); }

    // Every row draws Am/E with a bar on the first fret space, two dots and
    // "5th Fret", twice: the second time replaces a named file, while a
    // library folder gets a second chord file. A .png file is a PNG
    // picture, any other a BMP.
    void draws_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("scale");
        const QStringList options{"--name", "Am/E", "--top", "5th Fret", "--dot", "2:3", "--dot", "3:3", "--bar", "1"};
        const QStringList definition{"--define", "{define: Am/E base-fret 5 frets 1 3 3 1 1 1}"};
        QTest::newRow("no extension") << options + QStringList{"-o", "Am"} << QStringList{"Am"} << 1;
        QTest::newRow(".bmp") << options + QStringList{"-o", "Am.bmp"} << QStringList{"Am.bmp"} << 1;
        QTest::newRow(".PNG") << options + QStringList{"-o", "Am.PNG"} << QStringList{"Am.PNG"} << 1;
        QTest::newRow("definition, scaled") << definition + QStringList{"--scale", "3", "-o", "x.png"}
                                            << QStringList{"x.png"} << 3;
        QTest::newRow("library folder") << definition + QStringList{"--output-dir", "."}
                                        << QStringList{"Am~E 5th Fret", "Am~E 5th Fret;2"} << 1;
    }

    void draws()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, files);
        QFETCH(int, scale);
        for (int time = 0; time < 2; ++time) {
            int code = -1;
            QCOMPARE(run(args, code), QString());
            QCOMPARE(code, 0);
        }
        QCOMPARE(QDir().entryList(QDir::Files), files);
        ChordBox chord;
        chord.setDot(2, 3);
        chord.setDot(3, 3);
        chord.setBar(1);
        const QImage expected = ChordBoxRenderer::DrawChordBox(chord, "Am/E", "5th Fret");
        for (const QString &file : files) {
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QByteArray magic = file.endsWith("png", Qt::CaseInsensitive) ? "\x89PNG" : "BM";
            QCOMPARE(written.read(magic.size()), magic);
            // Scaled without smoothing, each pixel becomes a square block.
            QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32), expected.scaled(expected.size() * scale));
        }
    }

    // A library folder keeps what it holds: the new chord takes the first
    // free name, as the editor's would, whatever already has a name.
    void libraryFolderKeepsItsChords()
    {
        QVERIFY(QDir().mkdir("G"));
        QFile taken("G;2");
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.write("kept");
        taken.close();
        int code = -1;
        QCOMPARE(run({"--name", "G", "--output-dir", "."}, code), QString());
        QCOMPARE(code, 0);
        QVERIFY(QFileInfo("G").isDir());
        QVERIFY(taken.open(QIODevice::ReadOnly));
        QCOMPARE(taken.readAll(), QByteArray("kept"));
        QCOMPARE(QImage("G;3").convertToFormat(QImage::Format_RGB32), ChordBoxRenderer::DrawChordBox(ChordBox(), "G", {}));
    }

    // --read prints the options that draw the picture again, quoted for
    // the shell where needed.
    void readsBack_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("printed");
        QTest::newRow("bar, dots by string")
            << QStringList{"--name", "Am", "--top", "5th Fret", "--dot", "3:3", "--dot", "2:3", "--bar", "1"}
            << "--name Am --top '5th Fret' --dot 2:3 --dot 3:3 --bar 1";
        QTest::newRow("name only") << QStringList{"--name", "C/G"} << "--name C/G";
        QTest::newRow("quote and blanks") << QStringList{"--name", " It's", "--top", "x "}
                                          << "--name ' It'\\''s' --top 'x '";
        QTest::newRow("no name") << QStringList{"--name", "", "--dot", "6:5"} << "--name '' --dot 6:5";
    }

    void readsBack()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, printed);
        int code = -1;
        QCOMPARE(run(args + QStringList{"-o", "chord"}, code), QString());
        QString output;
        QCOMPARE(run({"--read", "chord"}, code, &output), printed + '\n');
        QCOMPARE(output, printed + '\n');
        QCOMPARE(code, 0);
    }

    // Usage on standard output with --help or -h anywhere an option may
    // stand; with no arguments on standard error, as a wrong command line.
    void help()
    {
        for (const QStringList &args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"--name", "A", "--help"}}) {
            int code = -1;
            QString output;
            QCOMPARE(run(args, code, &output), CliUsage::chordHelp());
            QCOMPARE(output, CliUsage::chordHelp());
            QCOMPARE(code, 0);
        }
        int code = -1;
        QString output;
        QCOMPARE(run({}, code, &output), CliUsage::chordHelp());
        QCOMPARE(output, QString());
        QCOMPARE(code, 2);
        QVERIFY(QDir().isEmpty());
    }

    // A wrong command line is refused with a line naming the fault and the
    // hint to the help, and exit code 2; a file that cannot be read or
    // written with one line and exit code 1. Nothing is written.
    void refusesBadArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no name") << QStringList{"-o", "x.png"} << "--name" << 2;
        QTest::newRow("no output") << QStringList{"--name", "A"} << "-o FILE" << 2;
        QTest::newRow("string 7") << QStringList{"--name", "A", "--dot", "7:1", "-o", "x"} << "7:1" << 2;
        QTest::newRow("fret 6") << QStringList{"--name", "A", "--dot", "1:6", "-o", "x"} << "1:6" << 2;
        QTest::newRow("bar 0") << QStringList{"--name", "A", "--bar", "0", "-o", "x"} << "--bar" << 2;
        QTest::newRow("scale text") << QStringList{"--name", "A", "--scale", "big", "-o", "x"} << "big" << 2;
        QTest::newRow("jpeg") << QStringList{"--name", "A", "-o", "x.jpg"} << "x.jpg" << 2;
        QTest::newRow("unknown option") << QStringList{"--name", "A", "--colour", "red"} << "--colour" << 2;
        QTest::newRow("missing value") << QStringList{"--name", "A", "-o"} << "-o" << 2;
        QTest::newRow("define and dots") << QStringList{"--define", "A frets x 0 2 2 2 0", "--dot", "1:1", "-o", "x"}
                                         << "--define" << 2;
        QTest::newRow("bad definition") << QStringList{"--define", "A frets x 0 2 2 9 0", "-o", "x"} << "fret 9" << 2;
        QTest::newRow("refused library name") << QStringList{"--name", "A:B", "--output-dir", "."} << "A:B" << 2;
        QTest::newRow("blank library name") << QStringList{"--name", "  ", "--output-dir", "."} << "chord name" << 2;
        QTest::newRow("read with more") << QStringList{"--read", "x", "--name", "A"} << "--read" << 2;
        QTest::newRow("folder missing") << QStringList{"--name", "A", "-o", "/nonexistent/A.png"} << "cannot write" << 1;
        QTest::newRow("library missing") << QStringList{"--name", "A", "--output-dir", "gone"} << "gone" << 1;
        QTest::newRow("read missing") << QStringList{"--read", "gone"} << "gone: the file cannot be read" << 1;
    }

    void refusesBadArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, complaint);
        QFETCH(int, exitCode);
        int code = 0;
        QString output;
        const QString errors = run(args, code, &output);
        QCOMPARE(code, exitCode);
        QCOMPARE(output, QString());
        QStringList lines = errors.split('\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), exitCode);
        QVERIFY2(lines.first().startsWith("songloom-cli chord: "), qPrintable(errors));
        QVERIFY2(lines.first().contains(complaint), qPrintable(errors));
        if (exitCode == 2)
            QCOMPARE(lines.last() + '\n', CliUsage::hint("chord"));
        QVERIFY(QDir().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ChordCommand)
#include "tst_chordcommand.moc"
