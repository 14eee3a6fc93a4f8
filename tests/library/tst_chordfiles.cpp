// Chord files and library folders: names, listing, saving and deleting.
#include "library/ChordFiles.h"
#include "library/ChordLibraryFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ChordFiles;

namespace {

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

QImage picture()
{
    QImage image(40, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(7, 11, qRgb(0, 0, 0));
    return image;
}

} // namespace

class tst_ChordFiles : public QObject
{
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void duplicatesAreNumbered();
    void counterHasNoSixteenBitLimit();
    void listing();
    void savedFilesAreBitmaps();
    void failedSavesLeaveNothing_data();
    void failedSavesLeaveNothing();
    void deleting();
    void libraryFolders();
};

void tst_ChordFiles::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("additional");
    QTest::addColumn<QString>("fileName"); // empty: refused
    QTest::newRow("name alone") << "Am" << "" << "Am";
    QTest::newRow("trimmed, one blank between") << "  A  " << "  5th Fret " << "A 5th Fret";
    QTest::newRow("blank additional text") << "Em" << "   " << "Em";
    QTest::newRow("slashes become tildes") << "G/B/D" << "" << "G~B~D";
    QTest::newRow("asterisk passes") << "C*" << "" << "C*";
    for (QChar refused : QStringLiteral(";~\\:?\"<>|"))
        QTest::addRow("refused %c", refused.toLatin1()) << QStringLiteral("A%1m").arg(refused) << "" << "";
    QTest::newRow("refused in the additional text") << "Am" << "5th|" << "";
}

void tst_ChordFiles::names()
{
    QFETCH(QString, name);
    QFETCH(QString, additional);
    QFETCH(QString, fileName);
    const QString display = composeDisplayName(name, additional);
    QCOMPARE(isAcceptedChordName(display), !fileName.isEmpty());
    if (fileName.isEmpty())
        return;
    QTemporaryDir folder;
    QCOMPARE(MakeChordFileName(display, folder.path()), fileName);
    QCOMPARE(displayNameOfFile(fileName), display);
}

void tst_ChordFiles::duplicatesAreNumbered()
{
    QTemporaryDir folder;
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        names.append(MakeChordFileName("Am", folder.path()));
        QVERIFY(saveChordFile(picture(), chordKey(folder.path(), names.last())));
    }
    QCOMPARE(names, (QStringList{"Am", "Am;2", "Am;3"}));
    QCOMPARE(displayNameOfFile("Am;3"), QStringLiteral("Am"));
    // Any entry takes a name: a library folder inside the Default one, a
    // dangling link, the folder's own "..".
    QVERIFY(QDir(folder.path()).mkdir("Jazz"));
    QVERIFY(QFile::link(folder.filePath("nowhere"), folder.filePath("G")));
    QCOMPARE(MakeChordFileName("Jazz", folder.path()), QStringLiteral("Jazz;2"));
    QCOMPARE(MakeChordFileName("G", folder.path()), QStringLiteral("G;2"));
    QCOMPARE(MakeChordFileName("..", folder.path()), QStringLiteral("..;2"));
}

void tst_ChordFiles::counterHasNoSixteenBitLimit()
{
    QTemporaryDir folder;
    QVERIFY(touch(folder.filePath("C")));
    for (int counter = 2; counter <= 32767; ++counter)
        QVERIFY(touch(folder.filePath(QStringLiteral("C;%1").arg(counter))));
    QCOMPARE(MakeChordFileName("C", folder.path()), QStringLiteral("C;32768"));
}

void tst_ChordFiles::listing()
{
    QTemporaryDir folder;
    for (const char *name : {"G.bmp", "X;old", "Am;2", "C~G", ".Am"})
        QVERIFY(touch(folder.filePath(name)));
    QVERIFY(QDir(folder.path()).mkdir("Jazz"));
    QStringList shown;
    for (const QString &file : listChordFiles(folder.path()))
        shown.append(displayNameOfFile(file));
    shown.sort();
    QCOMPARE(shown, (QStringList{".Am", "Am", "C/G", "G.bmp", "X"}));
    QCOMPARE(chordKey(folder.path() + QDir::separator(), "Am"), folder.filePath("Am"));
}

void tst_ChordFiles::savedFilesAreBitmaps()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Am 5th Fret");
    QVERIFY(saveChordFile(picture(), path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(30);
    // An uncompressed bitmap with the common 40-byte header and 24 bits a
    // pixel, which every program that reads bitmaps understands.
    QCOMPARE(header.left(2), QByteArray("BM"));
    QCOMPARE(quint8(header.at(14)), quint8(40));
    QCOMPARE(quint8(header.at(28)), quint8(24));
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), picture());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Am 5th Fret"});
}

void tst_ChordFiles::failedSavesLeaveNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("removeFolder");
    QTest::newRow("folder removed") << "Am" << true;
    QTest::newRow("name too long") << QString(300, 'x') << false;
    QTest::newRow("a folder of that name") << "Jazz" << false;
}

void tst_ChordFiles::failedSavesLeaveNothing()
{
    QFETCH(QString, fileName);
    QFETCH(bool, removeFolder);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("Jazz"));
    const QString library = removeFolder ? folder.filePath("Gone") : folder.path();
    FileError error;
    QVERIFY(!saveChordFile(picture(), chordKey(library, fileName), &error));
    QVERIFY(error.number != 0);
    QVERIFY(!error.description.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"Jazz"});
}

void tst_ChordFiles::deleting()
{
    QTemporaryDir folder;
    const QString key = chordKey(folder.path(), "Am;2");
    QVERIFY(saveChordFile(picture(), key));
    QVERIFY(deleteChordFile(key));
    QVERIFY(!QFileInfo::exists(key));
    FileError error;
    QVERIFY(!deleteChordFile(key, &error));
    QVERIFY(!error.description.isEmpty());
}

void tst_ChordFiles::libraryFolders()
{
    QTemporaryDir program;
    const QString bitMaps = program.filePath("BitMaps") + QDir::separator();
    const QString jazz = bitMaps + "Jazz" + QDir::separator();
    QCOMPARE(ChordLibraryFolders::libraryPath(program.path(), "Default"), bitMaps);
    QCOMPARE(ChordLibraryFolders::libraryPath(program.path(), "Jazz"), jazz);
    // BitMaps first, then the current library; one level only.
    QVERIFY(ChordLibraryFolders::ensureLibraryFolders(program.path(), jazz));
    QVERIFY(QFileInfo(jazz).isDir());
    QVERIFY(ChordLibraryFolders::ensureLibraryFolders(program.path(), jazz));
    QString error;
    QVERIFY(!ChordLibraryFolders::ensureLibraryFolders(program.path(), bitMaps + "a/b/", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(bitMaps + "a"));
}

QTEST_GUILESS_MAIN(tst_ChordFiles)
#include "tst_chordfiles.moc"
