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
    return QFile(path).open(QIODevice::WriteOnly);
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
    // Am saved three times, and other files as they may lie in a library.
    void numberingAndListing()
    {
        QTemporaryDir folder;
        for (const char *name : {"Am", "Am;2", "Am;3", "G.bmp", "X;old", "C~G", ".Am"})
            QVERIFY(touch(folder.filePath(name)));
        QVERIFY(QDir(folder.path()).mkdir("Jazz"));
        // Listed: every file, hidden ones too, and no folder.
        QStringList shown;
        for (const QString &file : listChordFiles(folder.path()))
            shown.append(displayNameOfFile(file));
        shown.sort();
        QCOMPARE(shown, (QStringList{".Am", "Am", "Am", "Am", "C/G", "G.bmp", "X"}));
        QCOMPARE(chordKey(folder.path() + QDir::separator(), "Am"), folder.filePath("Am"));
        QCOMPARE(MakeChordFileName("Am", folder.path()), QStringLiteral("Am;4"));
        // Any entry takes a name: a library folder inside the Default one, a
        // dangling link, the folder's own "..".
        QVERIFY(QFile::link(folder.filePath("nowhere"), folder.filePath("G")));
        QStringList made;
        for (const char *name : {"Jazz", "G", ".."})
            made << MakeChordFileName(name, folder.path());
        QCOMPARE(made, (QStringList{"Jazz;2", "G;2", "..;2"}));
    }

    void counterHasNoSixteenBitLimit()
    {
        QTemporaryDir folder;
        QVERIFY(touch(folder.filePath("C")));
        for (int counter = 2; counter <= 32767; ++counter)
            QVERIFY(touch(folder.filePath(QStringLiteral("C;%1").arg(counter))));
        QCOMPARE(MakeChordFileName("C", folder.path()), QStringLiteral("C;32768"));
    }

    // A saved chord is an uncompressed bitmap with the common 40-byte header
    // and 24 bits a pixel, which every program that reads bitmaps
    // understands. A failed save leaves nothing behind.
    void saving_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("saved") << "Am 5th Fret";
        QTest::newRow("folder removed") << "Gone/Am";
        QTest::newRow("a folder of that name") << "Jazz";
    }

    void saving()
    {
        QFETCH(QString, fileName);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("Jazz"));
        const QString key = chordKey(folder.path(), fileName);
        const Result result = saveChordFile(picture(), key);
        const bool saved = !fileName.contains('/') && fileName != "Jazz";
        QCOMPARE(result.ok(), saved);
        QCOMPARE(result.errorNumber() != 0 && !result.description().isEmpty(), !saved);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 saved ? QStringList({"Am 5th Fret", "Jazz"}) : QStringList({"Jazz"}));
        if (!saved)
            return;
        QFile file(key);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        QCOMPARE(header.left(2) + header.mid(14, 1) + header.mid(28, 1), QByteArray("BM\x28\x18"));
        QCOMPARE(QImage(key).convertToFormat(QImage::Format_RGB32), picture());
        QVERIFY(deleteChordFile(key));
        const Result again = deleteChordFile(key);
        QVERIFY(!QFileInfo::exists(key) && !again && !again.description().isEmpty());
    }

    // BitMaps is the Default library; others lie in it, one level only.
    void libraryFolders()
    {
        QTemporaryDir program;
        const QString bitMaps = program.filePath("BitMaps") + QDir::separator();
        QCOMPARE(ChordLibraryFolders::libraryPath(program.path(), "Default"), bitMaps);
        QCOMPARE(ChordLibraryFolders::libraryPath(program.path(), "Jazz"), bitMaps + "Jazz" + QDir::separator());
        QVERIFY(ChordLibraryFolders::ensureLibraryFolders(program.path(), bitMaps + "Jazz" + QDir::separator()));
        const Result nested = ChordLibraryFolders::ensureLibraryFolders(program.path(), bitMaps + "a/b/");
        QVERIFY(QFileInfo(bitMaps + "Jazz").isDir() && !nested && !nested.description().isEmpty());
        QVERIFY(!QFileInfo::exists(bitMaps + "a"));
    }
};

QTEST_GUILESS_MAIN(tst_ChordFiles)
#include "tst_chordfiles.moc"
