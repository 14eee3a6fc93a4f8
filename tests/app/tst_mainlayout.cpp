#include "app/MainLayout.h"
#include "base/Module1.h"
#include "library/ChordLibraryFolders.h"

#include <QDir>
#include <QTest>

class tst_MainLayout : public QObject
{
    Q_OBJECT
private slots:
    void panes_data();
    void panes();
    void defaultLibraryPath_data();
    void defaultLibraryPath();
};

void tst_MainLayout::panes_data()
{
    QTest::addColumn<qint64>("innerWidth");
    QTest::addColumn<qint64>("innerHeight");
    QTest::addColumn<qint64>("splitPosition");
    QTest::addColumn<qint64>("listWidth");
    QTest::addColumn<qint64>("splitterHeight");

    QTest::newRow("design width") << qint64(10000) << qint64(6000) << qint64(8385) << qint64(1575) << qint64(5310);
    // Past 32767 + 1615 a 16-bit split position would overflow.
    QTest::newRow("very wide screen") << qint64(40000) << qint64(6000) << qint64(38385) << qint64(1575) << qint64(5310);
    QTest::newRow("narrower than the list") << qint64(1000) << qint64(6000) << qint64(0) << qint64(960) << qint64(5310);
    QTest::newRow("lower than the bars") << qint64(5000) << qint64(300) << qint64(3385) << qint64(1575) << qint64(0);
    QTest::newRow("nothing at all") << qint64(0) << qint64(0) << qint64(0) << qint64(0) << qint64(0);
}

void tst_MainLayout::panes()
{
    QFETCH(qint64, innerWidth);
    QFETCH(qint64, innerHeight);
    QFETCH(qint64, splitPosition);
    QFETCH(qint64, listWidth);
    QFETCH(qint64, splitterHeight);
    const MainLayout::Panes panes = MainLayout::compute(innerWidth, innerHeight, MainLayout::designToolBarHeight,
                                                        MainLayout::designStatusBarHeight);
    QCOMPARE(panes.splitPosition, splitPosition);
    QCOMPARE(panes.listWidth, listWidth);
    QCOMPARE(panes.splitterHeight, splitterHeight);
    QCOMPARE(panes.splitterWidth, innerWidth);
}

void tst_MainLayout::defaultLibraryPath_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("libraryPath");
    const QString sep = QDir::separator();
    QTest::newRow("root folder") << QDir::rootPath() << QDir::rootPath() + "BitMaps" + sep;
    QTest::newRow("ordinary folder") << QDir::tempPath() + "/Apps/Songs"
                                     << QDir::toNativeSeparators(QDir::tempPath() + "/Apps/Songs/BitMaps/");
    QTest::newRow("trailing separator") << QDir::tempPath() + "/Apps/Songs/"
                                        << QDir::toNativeSeparators(QDir::tempPath() + "/Apps/Songs/BitMaps/");
}

void tst_MainLayout::defaultLibraryPath()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, libraryPath);
    setAppPath(programFolder);
    QCOMPARE(ChordLibraryFolders::defaultLibraryPath(AppPath()), libraryPath);
}

QTEST_GUILESS_MAIN(tst_MainLayout)
#include "tst_mainlayout.moc"
