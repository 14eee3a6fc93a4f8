#include "base/DataFolders.h"
#include "base/Module1.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every path under a folder, files with their size, to see what changed.
QStringList listing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString name = QDir(folder).relativeFilePath(it.filePath());
        entries << (it.fileInfo().isDir() ? name + QLatin1Char('/') : name + QLatin1Char(' ') + QString::number(it.fileInfo().size()));
    }
    entries.sort();
    return entries;
}

// A program folder as the package installs it: starter chords in the
// library Default and one more library, an empty custom.dic.
void layOutStarterFiles(const TestProgramFolder &program)
{
    writeFile(program.filePath("BitMaps/C"), "starter C");
    writeFile(program.filePath("BitMaps/Am 5th Fret"), "starter Am");
    writeFile(program.filePath("BitMaps/Blues/E7"), "starter E7");
    writeFile(program.filePath("custom.dic"), "");
}

} // namespace

class tst_DataFolders : public QObject
{
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void userFilesAreNeverReplaced();
    void unwritableUserFolderIsReported();
    void writeProbe();
};

void tst_DataFolders::placement_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("installed");
    QTest::newRow("writable folder: all beside") << true << false;
    QTest::newRow("read-only folder") << false << false;
    // Root can write into an installed folder; it is left alone all the same.
    QTest::newRow("installed, writable") << true << true;
}

void tst_DataFolders::placement()
{
    QFETCH(bool, writable);
    QFETCH(bool, installed);
    TestProgramFolder program;
    QTemporaryDir user;
    layOutStarterFiles(program);
    if (installed)
        writeFile(program.filePath(DataFolders::installedMarkerName()), "");
    const QStringList programBefore = listing(program.path());
    const QString data = user.filePath("share/Songloom/Songloom");
    const QString documents = user.filePath("Documents");

    QString error;
    QVERIFY2(DataFolders::setUp(program.path(), writable, {data, documents}, &error), qPrintable(error));
    QCOMPARE(listing(program.path()), programBefore);
    if (writable && !installed) {
        QVERIFY(!DataFolders::isPerUser());
        QCOMPARE(DataFolders::DataPath() + '|' + DataFolders::SongsPath(),
                 program.path() + '|' + program.filePath("My Songs"));
        QVERIFY(listing(user.path()).isEmpty());
        return;
    }
    QVERIFY(DataFolders::isPerUser());
    QCOMPARE(DataFolders::DataPath() + '|' + DataFolders::SongsPath(),
             QDir::toNativeSeparators(data) + '|' + joinPath(QDir::toNativeSeparators(documents), "Songloom"));
    QCOMPARE(listing(data), QStringList({"BitMaps/", "BitMaps/Am 5th Fret 10", "BitMaps/Blues/",
                                         "BitMaps/Blues/E7 10", "BitMaps/C 9", "custom.dic 0"}));
    QCOMPARE(readFile(data + "/BitMaps/Blues/E7"), QByteArray("starter E7"));
    QVERIFY(QFileInfo(data + "/BitMaps/C").isWritable());

    // Without a starter custom.dic the user gets an empty one.
    QTemporaryDir other;
    QVERIFY(QFile::remove(program.filePath("custom.dic")));
    QVERIFY(DataFolders::setUp(program.path(), writable, {other.filePath("data"), documents}));
    QCOMPARE(readFile(other.filePath("data/custom.dic")), QByteArray());
}

void tst_DataFolders::userFilesAreNeverReplaced()
{
    TestProgramFolder program;
    QTemporaryDir user;
    layOutStarterFiles(program);
    const QString data = user.filePath("data");
    const DataFolders::UserFolders folders{data, user.filePath("Documents")};
    QVERIFY(DataFolders::setUp(program.path(), false, folders));

    writeFile(data + "/custom.dic", "Hallelujah\n");
    writeFile(data + "/BitMaps/C", "my own C");
    QVERIFY(QFile::remove(data + "/BitMaps/Am 5th Fret"));
    QVERIFY(DataFolders::setUp(program.path(), false, folders));
    QCOMPARE(readFile(data + "/custom.dic"), QByteArray("Hallelujah\n"));
    QCOMPARE(readFile(data + "/BitMaps/C"), QByteArray("my own C"));
    // A starter chord the user deleted stays deleted.
    QVERIFY(!QFileInfo::exists(data + "/BitMaps/Am 5th Fret"));
}

void tst_DataFolders::unwritableUserFolderIsReported()
{
    TestProgramFolder program;
    QTemporaryDir user;
    layOutStarterFiles(program);
    // A file where the data folder should go stops even root.
    writeFile(user.filePath("blocked"), "a file");
    const QString data = QDir::toNativeSeparators(user.filePath("blocked/data"));
    QString error;
    QVERIFY(!DataFolders::setUp(program.path(), false, {data, user.filePath("Documents")}, &error));
    QVERIFY2(error.contains(data), qPrintable(error));
    // The decision stands: nothing goes into the program folder.
    QVERIFY(DataFolders::isPerUser() && DataFolders::DataPath() == data);
}

void tst_DataFolders::writeProbe()
{
    QTemporaryDir folder;
    writeFile(folder.filePath("file"), "x");
    const QString locked = folder.filePath("locked");
    QVERIFY(QDir().mkdir(locked));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
#ifdef Q_OS_UNIX
    const bool root = geteuid() == 0;
#else
    const bool root = false;
#endif
    // Root writes anyway, and so the program must believe the probe, not the bits.
    const QList<bool> expected = {true, false, false, root};
    QList<bool> probed;
    for (const char *name : {"", "missing", "file", "locked"})
        probed << DataFolders::canWriteInto(folder.filePath(name));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(probed, expected);
    // The probe leaves nothing behind.
    QCOMPARE(listing(folder.path()), QStringList({"file 1", "locked/"}));
}

QTEST_GUILESS_MAIN(tst_DataFolders)
#include "tst_datafolders.moc"
