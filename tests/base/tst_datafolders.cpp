// Where chords, words and songs live: beside the program when it may write
// there, else in the user's folders, filled once from the starter files.
#include "base/DataFolders.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// Every path under a folder, files with their content, to see what changed.
QStringList listing(const QString &folder)
{
    QStringList entries;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next()); // a folder does not open
        entries << QDir(folder).relativeFilePath(it.filePath()) + (file.open(QIODevice::ReadOnly) ? ' ' + file.readAll() : "/");
    }
    entries.sort();
    return entries;
}

} // namespace

class tst_DataFolders : public QObject
{
    Q_OBJECT
private slots:
    // The program folder is never changed. Its starter chords (in Default and
    // one more library) and custom.dic are copied once; the user's own files
    // are never replaced, a starter chord the user deleted stays deleted.
    void placement_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("outcome"); // setUp's error|per user|data|songs
        const QString perUser = "|per user|USER/share/Songloom|USER/Documents/Songloom";
        QTest::newRow("writable folder: all beside") << true << "" << "||APP|APP/My Songs";
        QTest::newRow("read-only folder") << false << "" << perUser;
        // Root can write into an installed folder; it is left alone all the same.
        QTest::newRow("installed, writable") << true << "installed" << perUser;
        QTest::newRow("no starter custom.dic") << false << "no custom.dic" << perUser;
        // A file where the data folder should go stops even root; nothing goes beside the program.
        QTest::newRow("user folder blocked") << false << "blocked" << "failed: Cannot create the folder USER/share/Songloom" + perUser;
    }

    void placement()
    {
        QFETCH(bool, writable);
        QFETCH(QString, situation);
        TestProgramFolder program;
        QTemporaryDir user;
        for (const char *name : {"BitMaps/C", "BitMaps/Am 5th Fret", "BitMaps/Blues/E7"})
            writeFile(program.filePath(name), QFileInfo(name).fileName().toUtf8());
        if (situation != "no custom.dic")
            writeFile(program.filePath("custom.dic"), "words");
        if (situation != "")
            writeFile(situation == "blocked" ? user.filePath("share") : program.filePath(DataFolders::installedMarkerName()), "");
        const QStringList programBefore = listing(program.path());
        const QString data = user.filePath("share/Songloom"), documents = user.filePath("Documents");
        QString error;
        if (!DataFolders::setUp(program.path(), writable, {data, documents}, &error))
            error.prepend("failed: ");
        QCOMPARE(listing(program.path()), programBefore);
        QTEST(QStringList({error, DataFolders::isPerUser() ? "per user" : "", DataFolders::DataPath(), DataFolders::SongsPath()})
                  .join('|').replace(program.path(), "APP").replace(user.path(), "USER"), "outcome");
        QVERIFY(DataFolders::isPerUser() || listing(user.path()).isEmpty());
        if (!DataFolders::isPerUser() || situation == "blocked")
            return;
        QCOMPARE(listing(data), QStringList({"BitMaps/", "BitMaps/Am 5th Fret Am 5th Fret", "BitMaps/Blues/",
                                             "BitMaps/Blues/E7 E7", "BitMaps/C C", QString("custom.dic ") + (situation == "no custom.dic" ? "" : "words")}));
        writeFile(data + "/custom.dic", "Hallelujah");
        writeFile(data + "/BitMaps/C", "my own C");
        QVERIFY(QFile::remove(data + "/BitMaps/Am 5th Fret"));
        QVERIFY(DataFolders::setUp(program.path(), writable, {data, documents}));
        QCOMPARE(listing(data), QStringList({"BitMaps/", "BitMaps/Blues/", "BitMaps/Blues/E7 E7",
                                             "BitMaps/C my own C", "custom.dic Hallelujah"}));
    }

    // Root writes anyway, and so the program must believe the probe, not the
    // bits. The probe leaves nothing behind.
    void writeProbe()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("file"), "x");
        const QString locked = folder.filePath("locked");
        QVERIFY(QDir().mkdir(locked) && QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        QList<bool> probed;
        for (const char *name : {"", "missing", "file", "locked"})
            probed << DataFolders::canWriteInto(folder.filePath(name));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(probed, QList<bool>({true, false, false, geteuid() == 0}));
        QCOMPARE(listing(folder.path()), QStringList({"file x", "locked/"}));
    }
};

QTEST_GUILESS_MAIN(tst_DataFolders)
#include "tst_datafolders.moc"
