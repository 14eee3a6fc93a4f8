#include "base/Module1.h"
#include "app/frmSplash.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class tst_Splash : public QObject
{
    Q_OBJECT
private slots:
    void splashHasNoButton();
    void aboutTwiceShowsOkBothTimes();
    void escapeClosesAboutButNotSplash();
};

void tst_Splash::splashHasNoButton()
{
    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QVERIFY(!splash.cmdClose->isVisible());
    QCOMPARE(splash.lblProductName->text(), QStringLiteral("Songloom"));
    QCOMPARE(splash.lblVersion->text(), QStringLiteral("Version 2.0.2"));
    QCOMPARE(splash.lblCompany->text(), QStringLiteral("Hollowpine Software"));
    // Texts wider than their design labels still stand wholly inside.
    for (const QLabel *label : splash.findChildren<QLabel *>())
        QVERIFY2(splash.rect().contains(label->geometry()), qPrintable(label->text()));
}

void tst_Splash::aboutTwiceShowsOkBothTimes()
{
    for (int round = 0; round < 2; ++round) {
        frmSplash *about = frmSplash::createAbout(nullptr);
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QVERIFY2(about->cmdClose->isVisible(), qPrintable(QStringLiteral("round %1").arg(round)));
        QCOMPARE(about->cmdClose->text(), QStringLiteral("&OK"));
        QCOMPARE(about->lblVersion->text(), QStringLiteral("Version 2.0.2"));
        QTest::mouseClick(about->cmdClose, Qt::LeftButton);
        QVERIFY(!about->isVisible());
        QTest::qWait(0);
    }
    // A splash made after the About boxes starts hidden again.
    frmSplash splash;
    QVERIFY(splash.cmdClose->isHidden());
}

void tst_Splash::escapeClosesAboutButNotSplash()
{
    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::keyClick(&splash, Qt::Key_Escape);
    QVERIFY(splash.isVisible());

    frmSplash *about = frmSplash::createAbout(nullptr);
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
}

QTEST_MAIN(tst_Splash)
#include "tst_splash.moc"
