// "songloom-cli chord": chords drawn to files without the editor.
#include "cli/ChordCommand.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

int run(const QStringList &args, QString *errors = nullptr)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = runChordCommand(args, outStream, errStream);
    errStream.flush();
    if (errors)
        *errors = err;
    return code;
}

QByteArray fileStart(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

} // namespace

class tst_ChordCommand : public QObject
{
    Q_OBJECT
private slots:
    void draws_data();
    void draws();
    void writesIntoALibraryFolder();
    void refusesBadArguments_data();
    void refusesBadArguments();

private:
    QTemporaryDir m_dir;
};

void tst_ChordCommand::draws_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("magic");
    QTest::addColumn<int>("scale");
    const QStringList options{"--name", "Am", "--top", "5th Fret", "--dot", "2:3", "--dot", "3:3", "--bar", "1"};
    const QStringList definition{"--define", "{define: Am base-fret 5 frets 1 3 3 1 1 1}"};
    QTest::newRow("no extension is BMP") << options << "Am" << QByteArray("BM") << 1;
    QTest::newRow(".bmp") << options << "Am.bmp" << QByteArray("BM") << 1;
    QTest::newRow(".PNG") << options << "Am.PNG" << QByteArray("\x89PNG") << 1;
    QTest::newRow("definition") << definition << "def.png" << QByteArray("\x89PNG") << 1;
    QTest::newRow("scaled") << definition + QStringList{"--scale", "3"} << "big.png" << QByteArray("\x89PNG") << 3;
}

void tst_ChordCommand::draws()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(QByteArray, magic);
    QFETCH(int, scale);
    const QString path = m_dir.filePath(file);
    QString errors;
    QCOMPARE(run(args + QStringList{"-o", path}, &errors), 0);
    QCOMPARE(errors, QString());
    QCOMPARE(fileStart(path).left(magic.size()), magic);
    ChordBox chord;
    chord.setDot(2, 3);
    chord.setDot(3, 3);
    chord.setBar(1);
    const QImage expected = ChordBoxRenderer::DrawChordBox(chord, "Am", "5th Fret");
    const QImage written = QImage(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written.size(), expected.size() * scale);
    for (int y = 0; y < written.height(); ++y) {
        for (int x = 0; x < written.width(); ++x) {
            if (written.pixel(x, y) != expected.pixel(x / scale, y / scale))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) differs").arg(x).arg(y)));
        }
    }
}

void tst_ChordCommand::writesIntoALibraryFolder()
{
    QTemporaryDir library;
    const QStringList args{"--define", "D/F# base-fret 2 frets 1 x x 1 2 1", "--output-dir", library.path()};
    QCOMPARE(run(args), 0);
    // Drawn again, it replaces its file rather than numbering a second one.
    QCOMPARE(run(args), 0);
    QCOMPARE(QDir(library.path()).entryList(QDir::Files), QStringList{"D~F# 2nd Fret"});
}

void tst_ChordCommand::refusesBadArguments_data()
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

void tst_ChordCommand::refusesBadArguments()
{
    QFETCH(QStringList, args);
    QTemporaryDir scratch;
    const QString before = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    QString errors;
    const int code = run(args, &errors);
    QDir::setCurrent(before);
    QVERIFY(code != 0);
    QVERIFY2(errors.startsWith("songloom-cli chord: ") && errors.count('\n') == 1, qPrintable(errors));
    QFETCH(QString, complaint);
    QVERIFY2(errors.contains(complaint), qPrintable(errors));
    QVERIFY(QDir(scratch.path()).isEmpty());
}

QTEST_GUILESS_MAIN(tst_ChordCommand)
#include "tst_chordcommand.moc"
