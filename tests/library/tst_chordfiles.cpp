// Chord files: names, listing, saving and deleting.
#include "library/ChordFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ChordFiles;

class tst_ChordFiles : public QObject
{
    Q_OBJECT
    static bool touch(const QString &path) { return QFile(path).open(QIODevice::WriteOnly); }

private slots:
    // Am saved three times, and other files as they may lie in a library:
    // every file is listed, hidden ones too, no folder. Any entry takes a
    // name: a library folder inside the Default one, a dangling link, "..".
    void numberingAndListing()
    {
        QTemporaryDir folder;
        for (const char *name : {"Am", "Am;2", "Am;3", "G.bmp", "X;old", "C~G", ".Am"})
            QVERIFY(touch(folder.filePath(name)));
        QVERIFY(QDir(folder.path()).mkdir("Jazz") && QFile::link(folder.filePath("nowhere"), folder.filePath("G")));
        QStringList shown, made;
        for (const QString &file : listChordFiles(folder.path()))
            shown.append(displayNameOfFile(file));
        shown.sort();
        QCOMPARE(shown, (QStringList{".Am", "Am", "Am", "Am", "C/G", "G.bmp", "X"}));
        QCOMPARE(chordKey(folder.path() + QDir::separator(), "Am"), folder.filePath("Am"));
        for (const char *name : {"Am", "Jazz", "G", ".."})
            made << MakeChordFileName(name, folder.path());
        QCOMPARE(made, (QStringList{"Am;4", "Jazz;2", "G;2", "..;2"}));
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
    // understands; deleted, it is gone, and a second delete fails. A failed
    // save (folder removed, a folder of that name) leaves nothing behind.
    void savingAndDeleting()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("Jazz"));
        QImage picture(40, 48, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.setPixel(7, 11, qRgb(0, 0, 0));
        for (const char *name : {"Gone/Am", "Jazz"}) {
            const Result failed = saveChordFile(picture, chordKey(folder.path(), name));
            QVERIFY2(!failed && failed.errorNumber() != 0 && !failed.description().isEmpty(), name);
        }
        const QString key = chordKey(folder.path(), "Am 5th Fret");
        QVERIFY(saveChordFile(picture, key));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList({"Am 5th Fret", "Jazz"}));
        QFile file(key);
        const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(30) : QByteArray();
        QCOMPARE(header.left(2) + header.mid(14, 1) + header.mid(28, 1), QByteArray("BM\x28\x18"));
        QCOMPARE(QImage(key).convertToFormat(QImage::Format_RGB32), picture);
        QVERIFY(deleteChordFile(key));
        const Result again = deleteChordFile(key);
        QVERIFY(!QFileInfo::exists(key) && !again && !again.description().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ChordFiles)
#include "tst_chordfiles.moc"
