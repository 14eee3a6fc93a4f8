#include "app/frmSplash.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class tst_Splash : public QObject
{
    Q_OBJECT
private slots:
    void splashHasNoButtonAndIgnoresEscape();
    void aboutTwiceShowsOkBothTimes();
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

QTEST_MAIN(tst_Splash)
#include "tst_splash.moc"
