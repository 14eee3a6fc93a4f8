// Chord files and library folders: names, listing, saving and deleting.
#include "library/ChordFiles.h"
#include "library/ChordLibraryFolders.h"

#include "app/Module1.h"

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

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class tst_ChordFiles : public QObject
{
    Q_OBJECT
private slots:
    void displayNames_data();
    void displayNames();
    void refusedCharacters_data();
    void refusedCharacters();
    void fileNamesAndBack_data();
    void fileNamesAndBack();
    void duplicatesAreNumbered();
    void anyEntryTakesAName();
    void counterHasNoSixteenBitLimit();
    void listing();
    void savedFilesAreBitmaps();
    void failedSavesLeaveNothing_data();
    void failedSavesLeaveNothing();
    void deleting();
    void libraryFolders();
};

void tst_ChordFiles::displayNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("additional");
    QTest::addColumn<QString>("display");
    QTest::newRow("name alone") << "Am" << "" << "Am";
    QTest::newRow("with fret") << "A" << "5th Fret" << "A 5th Fret";
    QTest::newRow("both trimmed") << "  A  " << "   5th Fret " << "A 5th Fret";
    QTest::newRow("blank additional text") << "Em" << "    " << "Em";
    QTest::newRow("inner blanks kept") << "A  sus" << "x  y" << "A  sus x  y";
}

void tst_ChordFiles::displayNames()
{
    QFETCH(QString, name);
    QFETCH(QString, additional);
    QTEST(composeDisplayName(name, additional), "display");
}

void tst_ChordFiles::refusedCharacters_data()
{
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<bool>("accepted");
    for (QChar refused : QStringLiteral(";~\\:?\"<>|"))
        QTest::addRow("%c", refused.toLatin1()) << QStringLiteral("A%1m").arg(refused) << false;
    QTest::newRow("slash") << "C/G" << true;
    QTest::newRow("asterisk") << "C*" << true;
    QTest::newRow("sharp and blanks") << "F#m 2nd Fret" << true;
    QTest::newRow("refused at the end") << "Am 5th Fret|" << false;
}

void tst_ChordFiles::refusedCharacters()
{
    QFETCH(QString, displayName);
    QTEST(isAcceptedChordName(displayName), "accepted");
    QCOMPARE(refusedCharactersMessage(),
             QStringLiteral("Chord Names cannot include the folowing characters.\n; ~ \\ : ? \" < > |"));
}

void tst_ChordFiles::fileNamesAndBack_data()
{
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << "Am" << "Am";
    QTest::newRow("slash") << "C/G" << "C~G";
    QTest::newRow("two slashes") << "G/B/D" << "G~B~D";
    QTest::newRow("with label") << "D/F# 2nd Fret" << "D~F# 2nd Fret";
}

void tst_ChordFiles::fileNamesAndBack()
{
    QFETCH(QString, displayName);
    QFETCH(QString, fileName);
    QTemporaryDir folder;
    QCOMPARE(MakeChordFileName(displayName, folder.path()), fileName);
    QCOMPARE(displayNameOfFile(fileName), displayName);
    QCOMPARE(displayNameOfFile(fileName + ";7"), displayName);
}

void tst_ChordFiles::duplicatesAreNumbered()
{
    QTemporaryDir folder;
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        const QString name = MakeChordFileName(QStringLiteral("Am"), folder.path());
        QVERIFY(saveChordFile(picture(), chordKey(folder.path(), name)));
        names.append(name);
    }
    QCOMPARE(names, (QStringList{"Am", "Am;2", "Am;3"}));
    for (const QString &name : names)
        QCOMPARE(displayNameOfFile(name), QStringLiteral("Am"));
    // A gap is filled before the counter goes on.
    QVERIFY(QFile::remove(chordKey(folder.path(), "Am;2")));
    QCOMPARE(MakeChordFileName(QStringLiteral("Am"), folder.path()), QStringLiteral("Am;2"));
    // Names are matched as the file system matches them.
    QCOMPARE(MakeChordFileName(QStringLiteral("AM"), folder.path()),
             QFile::exists(chordKey(folder.path(), "AM")) ? QStringLiteral("AM;2") : QStringLiteral("AM"));
}

void tst_ChordFiles::anyEntryTakesAName()
{
    QTemporaryDir folder;
    // A library of that name inside the Default library, and a dangling link.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Am")));
    QVERIFY(QFile::link(folder.filePath("nowhere"), folder.filePath("G")));
    QCOMPARE(MakeChordFileName(QStringLiteral("Am"), folder.path()), QStringLiteral("Am;2"));
    QCOMPARE(MakeChordFileName(QStringLiteral("G"), folder.path()), QStringLiteral("G;2"));
    QCOMPARE(MakeChordFileName(QStringLiteral(".."), folder.path()), QStringLiteral("..;2"));
}

void tst_ChordFiles::counterHasNoSixteenBitLimit()
{
    QTemporaryDir folder;
    QVERIFY(touch(folder.filePath("C")));
    for (int counter = 2; counter <= 32767; ++counter)
        QVERIFY(touch(folder.filePath(QStringLiteral("C;%1").arg(counter))));
    const QString name = MakeChordFileName(QStringLiteral("C"), folder.path());
    QCOMPARE(name, QStringLiteral("C;32768"));
    QVERIFY(saveChordFile(picture(), chordKey(folder.path(), name)));
    QCOMPARE(MakeChordFileName(QStringLiteral("C"), folder.path()), QStringLiteral("C;32769"));
}

void tst_ChordFiles::listing()
{
    QTemporaryDir folder;
    for (const char *name : {"G.bmp", "X;old", "Am", "Am;2", "C~G", ".hidden chord"})
        QVERIFY(touch(folder.filePath(QString::fromLatin1(name))));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Jazz")));
    QStringList listed = listChordFiles(folder.path());
    listed.sort();
    QCOMPARE(listed, (QStringList{".hidden chord", "Am", "Am;2", "C~G", "G.bmp", "X;old"}));
    QStringList shown;
    for (const QString &file : listed)
        shown.append(displayNameOfFile(file));
    QCOMPARE(shown, (QStringList{".hidden chord", "Am", "Am", "C/G", "G.bmp", "X"}));
    QCOMPARE(chordKey(folder.path() + QDir::separator(), "Am"), folder.filePath("Am"));
    QCOMPARE(chordKey(folder.path(), "Am"), folder.filePath("Am"));
    QVERIFY(listChordFiles(folder.filePath("missing")).isEmpty());
}

void tst_ChordFiles::savedFilesAreBitmaps()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Am 5th Fret");
    FileError error;
    QVERIFY(saveChordFile(picture(), path, &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    QCOMPARE(header.left(2), QByteArray("BM"));
    // An uncompressed bitmap with the common 40-byte header, as every
    // program that reads bitmaps understands.
    QCOMPARE(quint8(header.at(14)), quint8(40));
    const QImage loaded(path);
    QCOMPARE(loaded.size(), QSize(40, 48));
    QCOMPARE(loaded.convertToFormat(QImage::Format_RGB32), picture());
    QCOMPARE(entries(folder.path()), QStringList{"Am 5th Fret"});
}

void tst_ChordFiles::failedSavesLeaveNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("removeFolder");
    QTest::newRow("folder removed") << "Am" << true;
    QTest::newRow("name too long") << QString(300, QLatin1Char('x')) << false;
    QTest::newRow("a folder of that name") << "Jazz" << false;
}

void tst_ChordFiles::failedSavesLeaveNothing()
{
    QFETCH(QString, fileName);
    QFETCH(bool, removeFolder);
    QTemporaryDir root;
    const QString folder = root.filePath("Library");
    QVERIFY(QDir(root.path()).mkdir("Library"));
    QVERIFY(QDir(folder).mkdir("Jazz"));
    if (removeFolder)
        QVERIFY(QDir(folder).removeRecursively());
    FileError error;
    QVERIFY(!saveChordFile(picture(), chordKey(folder, fileName), &error));
    QVERIFY(error.number != 0);
    QVERIFY(!error.description.isEmpty());
    QCOMPARE(entries(folder), removeFolder ? QStringList() : QStringList{"Jazz"});
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
    const QString app = program.path();
    const QString bitMaps = app + QDir::separator() + "BitMaps";
    const QString jazz = bitMaps + QDir::separator() + "Jazz" + QDir::separator();
    QCOMPARE(ChordLibraryFolders::libraryPath(app, "Default"), bitMaps + QDir::separator());
    QCOMPARE(ChordLibraryFolders::libraryPath(app, "Jazz"), jazz);

    // BitMaps first, then the current library, one level only.
    QVERIFY(ChordLibraryFolders::ensureLibraryFolders(app, jazz));
    QVERIFY(QFileInfo(jazz).isDir());
    QVERIFY(ChordLibraryFolders::ensureLibraryFolders(app, jazz));
    QVERIFY(ChordLibraryFolders::ensureLibraryFolders(app, bitMaps + QDir::separator()));
    QString error;
    const QString deep = bitMaps + QDir::separator() + "a" + QDir::separator() + "b" + QDir::separator();
    QVERIFY(!ChordLibraryFolders::ensureLibraryFolders(app, deep, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(bitMaps + QDir::separator() + "a"));
}

QTEST_GUILESS_MAIN(tst_ChordFiles)
#include "tst_chordfiles.moc"
