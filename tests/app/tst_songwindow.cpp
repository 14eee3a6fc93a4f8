// The song in the main window: the save question when the window closes,
// the selection's formatting on toolbar and status bar (shown or hidden),
// the font-size box, recent songs in the File menu and song files dropped
// on the window.

#include "app/frmSongloom.h"
#include "base/Module1.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "library/ChordLibraryFolders.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <QValidator>

#include <memory>

namespace {

const QByteArray songRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
                           "\\pard\\ql\\f0\\fs20 {\\b Amazing} grace\\par"
                           "\\pard\\qr\\f0\\fs24 how sweet\\par}";

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

std::unique_ptr<frmSongloom> startWindow()
{
    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(AppPath());
    auto window = std::make_unique<frmSongloom>();
    window->Form_Load();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()) || !QTest::qWaitFor([&] { return !window->isLoading(); }))
        return nullptr;
    return window;
}

// The status bar's font panel, the size box and the pressed formatting buttons.
QString shown(const frmSongloom &window)
{
    QStringList keys = {window.fontPanel()->text(), window.toolBar().cboFontSize->currentText()};
    for (const char *key : {"Bold", "Italic", "Underline", "Align Left", "Center", "Align Right"}) {
        if (window.toolBar().buttons.value(key)->isChecked())
            keys << key;
    }
    return keys.join('|');
}

void dropOn(QWidget *target, QMimeData *data)
{
    const QPoint point(20, 20);
    QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

} // namespace

class tst_SongWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScriptedPrompt> m_prompt;

private slots:
    void init() { m_prompt = std::make_unique<ScriptedPrompt>(); }
    void cleanup() { m_prompt.reset(); }
    void closingAsksToSave_data();
    void closingAsksToSave();
    void selectionShownWhileToolBarHidden();
    void fontSizeBox();
    void recentSongsInTheFileMenu();
    void droppedSongOpens();
};

// Cancel, or Yes with the Save As cancelled, keeps the window and the song.
void tst_SongWindow::closingAsksToSave_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Cancel") << QMessageBox::Cancel << false;
    QTest::newRow("Yes, Save As cancelled") << QMessageBox::Yes << false;
    QTest::newRow("No") << QMessageBox::No << true;
}

void tst_SongWindow::closingAsksToSave()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, closes);
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    QSignalSpy unloaded(window.get(), &frmSongloom::unloaded);
    QTest::keyClicks(window->song(), "words");
    m_prompt->messageAnswers << answer;
    window->close();
    QCOMPARE(m_prompt->messages.last().title, QStringLiteral("Save Changes?"));
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(unloaded.count(), closes ? 1 : 0);
    if (!closes)
        QVERIFY(window->song()->Text() == QLatin1String("words") && window->song()->Changed());
}

// Caret moves and selections show on the status bar and toolbar, and
// Ctrl+B works, while the toolbar is hidden.
void tst_SongWindow::selectionShownWhileToolBarHidden()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    rtfText *song = window->song();
    song->setTextRTF(QString::fromLatin1(songRtf));
    window->menus().mnuViewItem[int(ViewItem::Toolbar)]->trigger();
    song->setSelStart(0);
    song->setSelLength(7);
    QCOMPARE(shown(*window), QStringLiteral("Arial 10|10|Bold|Align Left"));
    // Mixed sizes and alignments: the box keeps its text, no alignment.
    song->setSelLength(20);
    QCOMPARE(shown(*window), QStringLiteral("Arial |10"));
    song->setSelStart(18);
    QCOMPARE(shown(*window), QStringLiteral("Arial 12|12|Align Right"));

    window->activateWindow();
    song->setFocus();
    song->setSelStart(8);
    song->setSelLength(5);
    QTest::keyClick(song, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(song->SelBold(), std::optional<bool>(true));
    window->menus().mnuViewItem[int(ViewItem::Toolbar)]->trigger();
    QCOMPARE(shown(*window), QStringLiteral("Arial 10|10|Bold|Align Left"));
}

// The song has the keyboard from the start; the box takes whole sizes only
// and gives the keyboard back once a size is picked.
void tst_SongWindow::fontSizeBox()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    QCOMPARE(window->focusWidget(), window->song());
    QComboBox *box = window->toolBar().cboFontSize;
    QStringList accepted;
    for (QString text : {"12", "1638", "1", "0", "1639", "12.5", "big", "-4"}) {
        int pos = 0;
        if (box->validator()->validate(text, pos) == QValidator::Acceptable)
            accepted << text;
    }
    QCOMPARE(accepted, QStringList({"12", "1638", "1"}));

    window->song()->setTextRTF(QString::fromLatin1(songRtf));
    window->song()->setSelStart(0);
    window->song()->setSelLength(7);
    box->setFocus();
    emit box->textActivated(QStringLiteral("24"));
    QCOMPARE(window->song()->SelFontSize(), std::optional<double>(24));
    QCOMPARE(shown(*window), QStringLiteral("Arial 24|24|Bold|Align Left"));
    QTRY_VERIFY(window->song()->hasFocus());
}

void tst_SongWindow::recentSongsInTheFileMenu()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    const QString a = folder.filePath("A song.rtf");
    const QString b = folder.filePath("B&B.rtf");
    QVERIFY(writeAll(a, songRtf) && writeAll(b, songRtf));
    QVERIFY(window->fileCommands()->OpenSong(a));
    QVERIFY(window->fileCommands()->OpenSong(b));

    // Newest first, in the MRU place between its separator and the one before Exit.
    const MainMenus &menus = window->menus();
    QCOMPARE(menus.recentSongItems.size(), 2);
    QCOMPARE(menus.recentSongItems[0]->text(), "&1 " + QDir::toNativeSeparators(b).replace("&", "&&"));
    QVERIFY(menus.mnuFileItem[10]->isVisible() && !menus.mnuFileItem[11]->isVisible());
    const QList<QAction *> items = menus.mnuFile->actions();
    QCOMPARE(items.indexOf(menus.recentSongItems[0]), items.indexOf(menus.mnuFileItem[10]) + 1);
    QCOMPARE(items.indexOf(menus.recentSongItems[1]), items.indexOf(menus.mnuFileItem[11]) - 1);

    menus.recentSongItems[1]->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("Songloom - A song.rtf"));
    // A song gone since is told and dropped from the menu.
    QFile::remove(b);
    window->menus().recentSongItems[1]->trigger();
    QCOMPARE(m_prompt->messages.last().title, QStringLiteral("Missing Song"));
    QCOMPARE(window->menus().recentSongItems.size(), 1);
}

// A song file dropped from the file manager opens, after the save question.
void tst_SongWindow::droppedSongOpens()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    const QString path = folder.filePath("Dropped.rtf");
    QVERIFY(writeAll(path, songRtf));
    QTest::keyClicks(window->song(), "unsaved");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});

    m_prompt->messageAnswers << QMessageBox::Cancel;
    dropOn(window->song()->viewport(), &data);
    QTRY_COMPARE(m_prompt->messages.size(), 1);
    QCOMPARE(window->song()->Text(), QStringLiteral("unsaved"));

    m_prompt->messageAnswers << QMessageBox::No;
    dropOn(window->song()->viewport(), &data);
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("Songloom - Dropped.rtf"));
    QVERIFY(window->song()->Text().startsWith(QLatin1String("Amazing grace")));
}

QTEST_MAIN(tst_SongWindow)
#include "tst_songwindow.moc"
