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

struct Run
{
    int code = 0;
    QString out;
    QString err;
};

Run run(const QStringList &args)
{
    Run result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.code = runChordCommand(args, out, err);
    out.flush();
    err.flush();
    return result;
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
    void drawsFromOptions_data();
    void drawsFromOptions();
    void drawsAChordProDefinition();
    void scalesByWholePixels();
    void writesIntoALibraryFolder();
    void refusesBadArguments_data();
    void refusesBadArguments();

private:
    QTemporaryDir m_dir;
};

void tst_ChordCommand::drawsFromOptions_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("no extension is BMP") << "G" << QByteArray("BM");
    QTest::newRow(".bmp") << "G.bmp" << QByteArray("BM");
    QTest::newRow(".PNG") << "G.PNG" << QByteArray("\x89PNG");
}

void tst_ChordCommand::drawsFromOptions()
{
    QFETCH(QString, file);
    const QString path = m_dir.filePath(file);
    const Run result = run({"--name", "G", "--top", "3rd Fret", "--dot", "1:3", "--dot", "6:3", "--dot", "2:2",
                            "--bar", "1", "-o", path});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, 0);
    QTEST(fileStart(path).left(file.endsWith("PNG") ? 4 : 2), "magic");
    ChordBox chord;
    chord.setDot(1, 3);
    chord.setDot(6, 3);
    chord.setDot(2, 2);
    chord.setBar(1);
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32),
             ChordBoxRenderer::DrawChordBox(chord, "G", "3rd Fret"));
}

void tst_ChordCommand::drawsAChordProDefinition()
{
    const QString path = m_dir.filePath("Am.png");
    QCOMPARE(run({"--define", "Am base-fret 5 frets 1 3 3 1 1 1", "-o", path}).code, 0);
    ChordBox chord;
    chord.setBar(1);
    chord.setDot(2, 3);
    chord.setDot(3, 3);
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32),
             ChordBoxRenderer::DrawChordBox(chord, "Am", "5th Fret"));
}

void tst_ChordCommand::scalesByWholePixels()
{
    const QString plain = m_dir.filePath("plain.png");
    const QString large = m_dir.filePath("large.png");
    QCOMPARE(run({"--name", "D", "--dot", "4:2", "-o", plain}).code, 0);
    QCOMPARE(run({"--name", "D", "--dot", "4:2", "--scale", "3", "-o", large}).code, 0);
    const QImage small = QImage(plain).convertToFormat(QImage::Format_RGB32);
    const QImage big = QImage(large).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(big.size(), QSize(120, 144));
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x) {
            if (big.pixel(x, y) != small.pixel(x / 3, y / 3))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) differs").arg(x).arg(y)));
        }
    }
}

void tst_ChordCommand::writesIntoALibraryFolder()
{
    QTemporaryDir library;
    const QStringList args{"--define", "{define: D/F# base-fret 2 frets 1 x x 1 2 1}", "--output-dir", library.path()};
    QCOMPARE(run(args).code, 0);
    // Drawing it again replaces it rather than numbering a second file.
    QCOMPARE(run(args).code, 0);
    QCOMPARE(QDir(library.path()).entryList(QDir::Files), QStringList{"D~F# 2nd Fret"});
    QCOMPARE(fileStart(library.filePath("D~F# 2nd Fret")).left(2), QByteArray("BM"));
}

void tst_ChordCommand::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("no name") << QStringList{"-o", "x.png"} << "--name";
    QTest::newRow("no output") << QStringList{"--name", "A"} << "-o FILE";
    QTest::newRow("string 7") << QStringList{"--name", "A", "--dot", "7:1", "-o", "x"} << "7:1";
    QTest::newRow("fret 6") << QStringList{"--name", "A", "--dot", "1:6", "-o", "x"} << "1:6";
    QTest::newRow("dot without colon") << QStringList{"--name", "A", "--dot", "12", "-o", "x"} << "12";
    QTest::newRow("bar 0") << QStringList{"--name", "A", "--bar", "0", "-o", "x"} << "--bar";
    QTest::newRow("scale 0") << QStringList{"--name", "A", "--scale", "0", "-o", "x"} << "--scale";
    QTest::newRow("scale text") << QStringList{"--name", "A", "--scale", "big", "-o", "x"} << "big";
    QTest::newRow("jpeg") << QStringList{"--name", "A", "-o", "x.jpg"} << "x.jpg";
    QTest::newRow("unknown option") << QStringList{"--name", "A", "--colour", "red", "-o", "x"} << "--colour";
    QTest::newRow("missing value") << QStringList{"--name", "A", "-o"} << "-o";
    QTest::newRow("define and dots") << QStringList{"--define", "A frets x 0 2 2 2 0", "--dot", "1:1", "-o", "x"}
                                     << "--define";
    QTest::newRow("bad definition") << QStringList{"--define", "A frets x 0 2 2 9 0", "-o", "x"} << "fret 9";
    QTest::newRow("folder missing") << QStringList{"--name", "A", "-o", "/nonexistent-folder/A.png"}
                                    << "cannot write";
    QTest::newRow("refused library name") << QStringList{"--name", "A:B", "--output-dir", "."} << "A:B";
}

void tst_ChordCommand::refusesBadArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, complaint);
    QTemporaryDir scratch;
    const QString before = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    const Run result = run(args);
    QDir::setCurrent(before);
    QVERIFY(result.code != 0);
    QVERIFY2(result.err.contains(complaint), qPrintable(result.err));
    QCOMPARE(result.err.count(QLatin1Char('\n')), 1);
    QVERIFY(result.err.startsWith(QStringLiteral("songloom-cli chord: ")));
    QVERIFY(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_GUILESS_MAIN(tst_ChordCommand)
#include "tst_chordcommand.moc"
