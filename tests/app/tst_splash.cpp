#include "app/frmSplash.h"
#include "base/DataFolders.h"
#include "support/TestProgramFolder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class tst_Splash : public QObject
{
    Q_OBJECT
private slots:
    void splashHasNoButtonAndIgnoresEscape();
    void aboutTwiceShowsOkBothTimes();
    void aboutTellsWhereFilesLive();
};

void tst_Splash::splashHasNoButtonAndIgnoresEscape()
{
    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QVERIFY(!splash.cmdClose->isVisible());
    // Texts wider than their design labels still stand wholly inside.
    for (const QLabel *label : splash.findChildren<QLabel *>())
        QVERIFY2(splash.rect().contains(label->geometry()), qPrintable(label->text()));
    QTest::keyClick(&splash, Qt::Key_Escape);
    QVERIFY(splash.isVisible());
}

// Closed by OK the first time and by Escape the second.
void tst_Splash::aboutTwiceShowsOkBothTimes()
{
    for (int round = 0; round < 2; ++round) {
        frmSplash *about = frmSplash::createAbout(nullptr);
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QVERIFY2(about->cmdClose->isVisible(), qPrintable(QStringLiteral("round %1").arg(round)));
        QCOMPARE(about->cmdClose->text(), QStringLiteral("&OK"));
        if (round == 0)
            QTest::mouseClick(about->cmdClose, Qt::LeftButton);
        else
            QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(!about->isVisible());
        QTest::qWait(0);
    }
    // A splash made after the About boxes starts hidden again.
    frmSplash splash;
    QVERIFY(splash.cmdClose->isHidden());
}

void tst_Splash::aboutTellsWhereFilesLive()
{
    TestProgramFolder program;
    // A home of its own, so the user's real one stays untouched.
    QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    QVERIFY(DataFolders::setUp(program.path(), false,
                               {home.filePath(".local/share/Songloom/Songloom"), home.filePath("Documents")}));
    std::unique_ptr<frmSplash> about(frmSplash::createAbout(nullptr));
    qputenv("HOME", realHome);
    QCOMPARE(about->findChild<QLabel *>("lblDataFolders")->text(),
             QStringLiteral("Chords and words: ~/.local/share/Songloom/Songloom\nSongs: ~/Documents/Songloom"));
}

QTEST_MAIN(tst_Splash)
#include "tst_splash.moc"
