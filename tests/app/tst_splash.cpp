// The splash at start and the same form as the About box.
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
    // The splash has no button and ignores Escape, also after an About; each
    // About shows OK and closes by it or Escape; every text stands wholly
    // inside; the About names the user's folders.
    void splashAndAbout()
    {
        TestProgramFolder program;
        QTemporaryDir home; // the user's real home stays untouched
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        QVERIFY(DataFolders::setUp(program.path(), false, {home.filePath(".local/share/Songloom"), home.filePath("Documents")}));
        QStringList seen;
        for (int round = 0; round < 4; ++round) {
            std::unique_ptr<frmSplash> form(round % 3 == 0 ? new frmSplash : frmSplash::createAbout(nullptr));
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            for (const QLabel *label : form->findChildren<QLabel *>())
                QVERIFY2(form->rect().contains(label->geometry()), qPrintable(label->text()));
            seen << (form->cmdClose->isVisible() ? form->cmdClose->text() : "no button");
            round == 1 ? QTest::mouseClick(form->cmdClose, Qt::LeftButton) : QTest::keyClick(form.get(), Qt::Key_Escape);
            seen << (form->isVisible() ? "open" : "closed");
        }
        std::unique_ptr<frmSplash> about(frmSplash::createAbout(nullptr));
        qputenv("HOME", realHome);
        QCOMPARE(seen.join('|'), QStringLiteral("no button|open|&OK|closed|&OK|closed|no button|open"));
        QCOMPARE(about->findChild<QLabel *>("lblDataFolders")->text(),
                 QStringLiteral("Chords and words: ~/.local/share/Songloom\nSongs: ~/Documents/Songloom"));
    }
};

QTEST_MAIN(tst_Splash)
#include "tst_splash.moc"
