// The song in the main window: the save question when the window closes,
// the selection's formatting on toolbar and status bar (shown or hidden),
// the toolbar's formatting buttons, the font-size box, shortcuts, recent
// songs in the File menu and song files dropped on the window.

#include "app/frmSongloom.h"
#include "base/Module1.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "library/ChordLibraryFolders.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QActionGroup>
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
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    for (int i = 0; i < 100 && window->isLoading(); ++i)
        QTest::qWait(20);
    return window->isLoading() ? nullptr : std::move(window);
}

// The pressed buttons of the toolbar among the formatting ones.
QStringList pressed(const frmSongloom &window)
{
    QStringList keys;
    for (const char *key : {"Bold", "Italic", "Underline", "Align Left", "Center", "Align Right"}) {
        if (window.toolBar().buttons.value(key)->isChecked())
            keys << key;
    }
    return keys;
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
    void selectionShownOnToolBar();
    void toolBarButtons();
    void fontSizeBox();
    void shortcuts();
    void recentSongsInTheFileMenu();
    void droppedSongOpens();
};

// Cancel, or Yes with the Save As cancelled, keeps the window and the song.
void tst_SongWindow::closingAsksToSave_data()
{
    QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("fromExit");
    QTest::newRow("Cancel") << QList{QMessageBox::Cancel} << false << false;
    QTest::newRow("Yes, Save As cancelled, by Exit") << QList{QMessageBox::Yes} << false << true;
    QTest::newRow("No") << QList{QMessageBox::No} << true << false;
    QTest::newRow("No, by Exit") << QList{QMessageBox::No} << true << true;
}

void tst_SongWindow::closingAsksToSave()
{
    QFETCH(QList<QMessageBox::StandardButton>, answers);
    QFETCH(bool, closes);
    QFETCH(bool, fromExit);
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    QSignalSpy unloaded(window.get(), &frmSongloom::unloaded);
    QTest::keyClicks(window->song(), "words");
    QVERIFY(window->song()->Changed());

    for (QMessageBox::StandardButton answer : answers)
        m_prompt->messageAnswers << answer;
    if (fromExit)
        window->menus().mnuFileItem[int(FileItem::Exit)]->trigger();
    else
        window->close();
    QCOMPARE(m_prompt->messages.last().title, QStringLiteral("Save Changes?"));
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(unloaded.count(), closes ? 1 : 0);
    if (!closes) {
        QCOMPARE(window->song()->Text(), QStringLiteral("words"));
        QVERIFY(window->song()->Changed());
    }
}

// Caret moves and selections show on the status bar and toolbar, also
// while the toolbar is hidden.
void tst_SongWindow::selectionShownOnToolBar()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    window->song()->setTextRTF(QString::fromLatin1(songRtf));
    window->menus().mnuViewItem[0]->trigger();
    QVERIFY(!window->toolBar().tbToolBar->isVisible());

    rtfText *song = window->song();
    song->setSelStart(0);
    song->setSelLength(7);
    QCOMPARE(window->fontPanel()->text(), QStringLiteral("Arial 10"));
    QCOMPARE(window->toolBar().cboFontSize->currentText(), QStringLiteral("10"));
    QCOMPARE(pressed(*window), QStringList({"Bold", "Align Left"}));

    // Mixed sizes and alignments: the box keeps its text, no alignment.
    song->setSelLength(20);
    QCOMPARE(window->fontPanel()->text(), QStringLiteral("Arial "));
    QCOMPARE(window->toolBar().cboFontSize->currentText(), QStringLiteral("10"));
    QCOMPARE(pressed(*window), QStringList());

    song->setSelStart(18);
    QCOMPARE(window->toolBar().cboFontSize->currentText(), QStringLiteral("12"));
    QCOMPARE(pressed(*window), QStringList({"Align Right"}));

    window->menus().mnuViewItem[0]->trigger();
    QVERIFY(window->toolBar().tbToolBar->isVisible());
    QCOMPARE(pressed(*window), QStringList({"Align Right"}));
}

void tst_SongWindow::toolBarButtons()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    window->song()->setTextRTF(QString::fromLatin1(songRtf));
    rtfText *song = window->song();
    const auto click = [&](const char *key) { window->toolBar().buttons.value(key)->trigger(); };

    // Bold on a mixed selection changes nothing and shows released.
    song->setSelStart(0);
    song->setSelLength(13);
    const QString before = song->TextRTF();
    click("Bold");
    QCOMPARE(song->TextRTF(), before);
    QCOMPARE(pressed(*window), QStringList({"Align Left"}));
    song->setSelLength(7);
    click("Bold");
    QCOMPARE(song->SelBold(), std::optional<bool>(false));
    QVERIFY(!window->toolBar().buttons.value("Bold")->isChecked());
    click("Bold");
    QVERIFY(window->toolBar().buttons.value("Bold")->isChecked());
    QVERIFY(song->Changed());

    // The alignment group shows the clicked button alone.
    click("Center");
    QCOMPARE(song->SelAlignment(), std::optional<int>(rtfText::rtfCenter));
    QCOMPARE(pressed(*window), QStringList({"Bold", "Center"}));
    click("Align Right");
    QCOMPARE(pressed(*window), QStringList({"Bold", "Align Right"}));

    // Copyright goes before the selection; Delete removes it.
    click("Copyright");
    QVERIFY(song->Text().startsWith(QChar(0xA9)));
    song->setSelStart(0);
    song->setSelLength(7);
    click("Delete");
    QVERIFY(song->Text().startsWith(QLatin1String("Amazing")));
}

void tst_SongWindow::fontSizeBox()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    window->song()->setTextRTF(QString::fromLatin1(songRtf));
    window->song()->setSelStart(0);
    window->song()->setSelLength(7);
    QComboBox *box = window->toolBar().cboFontSize;
    box->setFocus();
    emit box->textActivated(QStringLiteral("24"));
    QCOMPARE(window->song()->SelFontSize(), std::optional<double>(24));
    QCOMPARE(box->currentText(), QStringLiteral("24"));
    QCOMPARE(window->fontPanel()->text(), QStringLiteral("Arial 24"));
    QTRY_VERIFY(window->song()->hasFocus());
}

void tst_SongWindow::shortcuts()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    const MainMenus &menus = window->menus();
    QCOMPARE(menus.mnuFileItem[int(FileItem::Save)]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(menus.mnuFileItem[int(FileItem::SaveAs)]->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QCOMPARE(menus.mnuFileItem[int(FileItem::Close)]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    QCOMPARE(menus.mnuFileItem[int(FileItem::Exit)]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(menus.mnuEditItem[int(EditItem::Paste)]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(menus.redo->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    QVERIFY(menus.mnuFileItem[int(FileItem::PrintPreview)]->isVisible());

    // Ctrl+B works with the toolbar hidden.
    window->menus().mnuViewItem[0]->trigger();
    window->activateWindow();
    window->song()->setFocus();
    QTest::keyClicks(window->song(), "word");
    window->song()->selectAll();
    QTest::keyClick(window->song(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(window->song()->SelBold(), std::optional<bool>(true));
    QVERIFY(window->toolBar().buttons.value("Bold")->isChecked());
}

void tst_SongWindow::recentSongsInTheFileMenu()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    const QString a = folder.filePath("A song.rtf");
    const QString b = folder.filePath("B&B.rtf");
    writeAll(a, songRtf);
    writeAll(b, songRtf);
    QVERIFY(window->fileCommands()->OpenSong(a));
    QVERIFY(window->fileCommands()->OpenSong(b));

    const QList<QAction *> items = window->menus().recentSongItems;
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QStringLiteral("&1 ") + QDir::toNativeSeparators(b).replace("&", "&&"));
    QVERIFY(window->menus().mnuFileItem[10]->isVisible());
    QVERIFY(!window->menus().mnuFileItem[11]->isVisible());
    // In the MRU place, before its separator and Exit.
    const QList<QAction *> shown = window->menus().mnuFile->actions();
    QVERIFY(shown.indexOf(items[1]) < shown.indexOf(window->menus().mnuFileItem[11]));
    QVERIFY(shown.indexOf(items[0]) > shown.indexOf(window->menus().mnuFileItem[10]));

    items[1]->trigger();
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
    writeAll(path, songRtf);
    QTest::keyClicks(window->song(), "unsaved");

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget *viewport = window->song()->viewport();
    const QPoint point(20, 20);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    m_prompt->messageAnswers << QMessageBox::Cancel;
    const qsizetype told = m_prompt->messages.size();
    QCoreApplication::sendEvent(viewport, &drop);
    QTRY_COMPARE(m_prompt->messages.size(), told + 1);
    QCOMPARE(window->song()->Text(), QStringLiteral("unsaved"));

    m_prompt->messageAnswers << QMessageBox::No;
    QDropEvent again(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enterAgain(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enterAgain);
    QCoreApplication::sendEvent(viewport, &again);
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("Songloom - Dropped.rtf"));
    QVERIFY(window->song()->Text().startsWith(QLatin1String("Amazing grace")));
    QVERIFY(!window->song()->Text().contains(QLatin1String("file://")));
}

QTEST_MAIN(tst_SongWindow)
#include "tst_songwindow.moc"
