// "songloom-cli chord": chords drawn to files without the editor. Each case
// runs in a fresh empty working folder.
#include "cli/ChordCommand.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QFile>
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
    static QString run(const QStringList &args, int &code)
    {
        QString text;
        QTextStream stream(&text);
        code = runChordCommand(args, stream, stream);
        stream.flush();
        return text;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }

    void cleanup() { QDir::setCurrent(m_start); }

    // Every row draws Am/E with a bar on the first fret space, two dots and
    // "5th Fret", twice: the second time replaces the file. A .png file is a
    // PNG picture, any other a BMP.
    void draws_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("scale");
        const QStringList options{"--name", "Am/E", "--top", "5th Fret", "--dot", "2:3", "--dot", "3:3", "--bar", "1"};
        const QStringList definition{"--define", "{define: Am/E base-fret 5 frets 1 3 3 1 1 1}"};
        QTest::newRow("no extension") << options + QStringList{"-o", "Am"} << "Am" << 1;
        QTest::newRow(".bmp") << options + QStringList{"-o", "Am.bmp"} << "Am.bmp" << 1;
        QTest::newRow(".PNG") << options + QStringList{"-o", "Am.PNG"} << "Am.PNG" << 1;
        QTest::newRow("definition, scaled") << definition + QStringList{"--scale", "3", "-o", "x.png"} << "x.png" << 3;
        QTest::newRow("library folder") << definition + QStringList{"--output-dir", "."} << "Am~E 5th Fret" << 1;
    }

    void draws()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(int, scale);
        for (int time = 0; time < 2; ++time) {
            int code = -1;
            QCOMPARE(run(args, code), QString());
            QCOMPARE(code, 0);
        }
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{file});
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray magic = file.endsWith("png", Qt::CaseInsensitive) ? "\x89PNG" : "BM";
        QCOMPARE(written.read(magic.size()), magic);
        ChordBox chord;
        chord.setDot(2, 3);
        chord.setDot(3, 3);
        chord.setBar(1);
        const QImage expected = ChordBoxRenderer::DrawChordBox(chord, "Am/E", "5th Fret");
        // Scaled without smoothing, each pixel becomes a square block.
        QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32), expected.scaled(expected.size() * scale));
    }

    // Each is refused with one line naming the fault and a non-zero exit,
    // and writes nothing.
    void refusesBadArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("no name") << QStringList{"-o", "x.png"} << "--name";
        QTest::newRow("no output") << QStringList{"--name", "A"} << "-o FILE";
        QTest::newRow("string 7") << QStringList{"--name", "A", "--dot", "7:1", "-o", "x"} << "7:1";
        QTest::newRow("fret 6") << QStringList{"--name", "A", "--dot", "1:6", "-o", "x"} << "1:6";
        QTest::newRow("bar 0") << QStringList{"--name", "A", "--bar", "0", "-o", "x"} << "--bar";
        QTest::newRow("scale text") << QStringList{"--name", "A", "--scale", "big", "-o", "x"} << "big";
        QTest::newRow("jpeg") << QStringList{"--name", "A", "-o", "x.jpg"} << "x.jpg";
        QTest::newRow("unknown option") << QStringList{"--name", "A", "--colour", "red"} << "--colour";
        QTest::newRow("missing value") << QStringList{"--name", "A", "-o"} << "-o";
        QTest::newRow("define and dots") << QStringList{"--define", "A frets x 0 2 2 2 0", "--dot", "1:1", "-o", "x"}
                                         << "--define";
        QTest::newRow("bad definition") << QStringList{"--define", "A frets x 0 2 2 9 0", "-o", "x"} << "fret 9";
        QTest::newRow("folder missing") << QStringList{"--name", "A", "-o", "/nonexistent/A.png"} << "cannot write";
        QTest::newRow("refused library name") << QStringList{"--name", "A:B", "--output-dir", "."} << "A:B";
    }

    void refusesBadArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, complaint);
        int code = 0;
        const QString errors = run(args, code);
        QVERIFY(code != 0);
        QVERIFY2(errors.startsWith("songloom-cli chord: ") && errors.count('\n') == 1, qPrintable(errors));
        QVERIFY2(errors.contains(complaint), qPrintable(errors));
        QVERIFY(QDir().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ChordCommand)
#include "tst_chordcommand.moc"
