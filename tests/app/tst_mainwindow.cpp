// The main window: start-up and its stored settings, the chord list beside
// the song, every menu item and toolbar button, the save question when the
// window closes, the selection's formatting on toolbar and status bar, the
// font-size box, recent songs, files dropped on the window, the song named
// at start and a program folder that is only read.

#include "app/Startup.h"
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "base/SettingsStore.h"
#include "base/Twips.h"
#include "app/frmSongloom.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "library/ChordLibraryFolders.h"
#include "library/ChordListPanel.h"
#include "library/ChordListView.h"
#include "spell/SpellAsYouType.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QValidator>

#include <memory>

namespace {

// Starts the main window as the program does, without the splash.
std::unique_ptr<frmSongloom> startWindow(const QString &songAtStart = QString())
{
    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());
    auto window = std::make_unique<frmSongloom>();
    window->Form_Load();
    if (!songAtStart.isEmpty())
        window->openAtStart(songAtStart);
    window->show();
    // The first activation ends the loading state.
    if (!QTest::qWaitForWindowExposed(window.get()) || !QTest::qWaitFor([&] { return !window->isLoading(); }))
        return nullptr;
    return window;
}

QSize sizeInTwips(const QWidget &window)
{
    const QSize outer = window.frameGeometry().size();
    return QSize(int(Twips::fromPixels(outer.width())), int(Twips::fromPixels(outer.height())));
}

void copyProgramFile(const TestProgramFolder &folder, const QString &name)
{
    QDir().mkpath(QFileInfo(folder.filePath(name)).absolutePath());
    QVERIFY(QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/") + name, folder.filePath(name)));
}

QStringList listing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(folder).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

QStringList chordNames(const frmSongloom &window)
{
    QStringList names;
    for (int row = 0; row < window.chordPanel()->list()->count(); ++row)
        names << window.chordPanel()->list()->item(row)->text();
    return names;
}

QStringList pressed(const frmSongloom &window)
{
    QStringList keys;
    for (const char *key : {"Bold", "Italic", "Underline", "Align Left", "Center", "Align Right"})
        if (window.toolBar().buttons.value(key)->isChecked())
            keys << key;
    return keys;
}

// The status bar's font panel, the size box and the pressed formatting buttons.
QString formatShown(const frmSongloom &window)
{
    return (QStringList{window.fontPanel()->text(), window.toolBar().cboFontSize->currentText()} + pressed(window))
        .join('|');
}

// What a person sees of the window, one entry per aspect.
QStringList seen(const frmSongloom &window)
{
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    const auto *help = window.findChild<QDialog *>();
    return {window.isVisible() ? "" : "closed",
            "title " + window.windowTitle(),
            "text " + window.song()->toPlainText().section('\n', 0, 0),
            "pressed " + pressed(window).join(','),
            "clip " + (clip && clip->hasImage() ? QStringLiteral("picture") : clip ? clip->text() : QString()),
            window.toolBar().tbToolBar->isHidden() ? "no toolbar" : "",
            window.statusBar()->isHidden() ? "no status bar" : "",
            window.spellAsYouType()->isEnabled() ? "" : "no underlining",
            "chords " + chordNames(window).join(','),
            help && help->isVisible() ? "help" : ""};
}

QAction *itemNamed(const frmSongloom &window, const QString &name)
{
    const QString menu = name.section(' ', 0, 0);
    const QString rest = name.section(' ', 1);
    const MainMenus &m = window.menus();
    if (menu == QLatin1String("tb"))
        return window.toolBar().buttons.value(rest);
    if (rest == QLatin1String("redo"))
        return m.redo;
    const QHash<QString, QList<QAction *>> menus = {{"File", m.mnuFileItem}, {"Edit", m.mnuEditItem},
                                                    {"View", m.mnuViewItem}, {"Tools", m.mnuToolsItem},
                                                    {"Help", m.mnuHelpItem}, {"Chord", m.mnuChordItem}};
    return menus.value(menu).value(rest.toInt());
}

const QByteArray songRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
                           "\\pard\\ql\\f0\\fs20 {\\b Amazing} grace\\par"
                           "\\pard\\qr\\f0\\fs24 how sweet\\par}";

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

void dropOn(QWidget *target, QMimeData *data)
{
    const QPoint point(20, 20);
    QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
    // No test may wait on a real message box.
    std::unique_ptr<ScriptedPrompt> m_prompt;

private slots:
    void init() { m_prompt = std::make_unique<ScriptedPrompt>(); }
    void cleanup() { m_prompt.reset(); }
    void templateAtStart_data();
    void templateAtStart();
    void closeAndRestart_data();
    void closeAndRestart();
    void storedSize_data();
    void storedSize();
    void chordListKeepsItsWidth();
    void commands_data();
    void commands();
    void chordDraggedIntoSong();
    void chordBoxSaved_data();
    void chordBoxSaved();
    void closingAsksToSave_data();
    void closingAsksToSave();
    void selectionShownWhileToolBarHidden();
    void fontSizeBox();
    void recentSongsInTheFileMenu();
    void droppedSongOpens();
    void readOnlyProgramFolderIsNeverWritten();
    void songFromCommandLine_data();
    void songFromCommandLine();
    void commandLinePaths();
};

void tst_MainWindow::templateAtStart_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
}

void tst_MainWindow::templateAtStart()
{
    QFETCH(bool, present);
    TestProgramFolder folder;
    if (present)
        copyProgramFile(folder, "NewSongTemplate.rtf");
    auto window = startWindow();
    QVERIFY(window);
    window->activateWindow();
    QTest::qWait(10);
    QVERIFY(!window->song()->Changed());
    // First-start defaults; the default size is in storedSize.
    QVERIFY(QFileInfo(folder.filePath("BitMaps")).isDir() && QFileInfo(folder.filePath("My Songs")).isDir());
    QCOMPARE(QStringList({gstrChordLibName, gstrChordLibPath, gstrMainDictFileName, gstrCustomDictFilePath,
                          window->libraryPanel()->text()}),
             QStringList({"Default", ChordLibraryFolders::defaultLibraryPath(folder.path()), "SpellUS.lex",
                          folder.filePath("custom.dic"), "Chord Library: Default"}));
    if (present) {
        QVERIFY(m_prompt->messages.isEmpty());
        QCOMPARE(window->windowTitle(), QStringLiteral("Songloom - NewSong1"));
        QVERIFY(window->song()->Text().contains(QLatin1String("Words & Music by")));
        return;
    }
    // Told once, also after another activation, and the window goes on with an empty song.
    QCOMPARE(m_prompt->messages.size(), 1);
    QCOMPARE(m_prompt->messages[0].title, QStringLiteral("Missing Template"));
    QVERIFY(m_prompt->messages[0].text.endsWith(folder.filePath("NewSongTemplate.rtf")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Songloom"));
    QVERIFY(window->song()->Text().isEmpty());
}

void tst_MainWindow::closeAndRestart_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("stored");
    // The outer size the window has when it closes.
    QTest::newRow("normal") << int(Qt::WindowNoState) << "0 ";
    // A maximised window keeps the size it had before.
    QTest::newRow("maximised") << int(Qt::WindowMaximized) << "2 7020 5010";
    // A minimised window writes neither state nor size.
    QTest::newRow("minimised") << int(Qt::WindowMinimized) << " 7020 5010";
}

void tst_MainWindow::closeAndRestart()
{
    QFETCH(int, state);
    QFETCH(QString, stored);
    TestProgramFolder folder;
    SettingsStore::SaveSetting(SettingsStore::MainWidth, "7020");
    SettingsStore::SaveSetting(SettingsStore::MainHeight, "5010");
    // A library folder deleted since the last run comes back, empty.
    const QString rock = folder.filePath("BitMaps/Rock") + QDir::separator();
    SettingsStore::SaveSetting(SettingsStore::ChordLibPath, rock);
    {
        auto window = startWindow();
        QVERIFY(window);
        QVERIFY(QFileInfo(rock).isDir() && chordNames(*window).isEmpty());
        if (state == Qt::WindowNoState)
            window->resize(700, 450);
        else
            window->setWindowState(Qt::WindowStates(state));
        QTest::qWait(10);
        if (state == Qt::WindowNoState)
            stored += QStringLiteral("%1 %2").arg(sizeInTwips(*window).width()).arg(sizeInTwips(*window).height());
        gstrChordLibName = QStringLiteral("Rock");
        window->close();
    }
    const auto get = [](const QString &key) { return SettingsStore::GetSetting(key, ""); };
    QCOMPARE(QStringList({get(SettingsStore::MainWindowState), get(SettingsStore::MainWidth),
                          get(SettingsStore::MainHeight)}).join(' '),
             stored);
    QCOMPARE(get(SettingsStore::ChordLibName) + get(SettingsStore::ChordLibPath), "Rock" + rock);

    // The next start restores what was written.
    resetGlobals();
    auto window = startWindow();
    QVERIFY(window);
    QCOMPARE(gstrChordLibName, QStringLiteral("Rock"));
    QCOMPARE(window->isMaximized(), state == Qt::WindowMaximized);
    if (state != Qt::WindowMaximized)
        QCOMPARE(sizeInTwips(*window), QSize(stored.section(' ', 1, 1).toInt(), stored.section(' ', 2).toInt()));
}

// A stored value that is not a usable number falls back on its own; the
// rest of the load goes on. No size means: limited to the screen.
void tst_MainWindow::storedSize_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QSize>("twips");
    QTest::newRow("state") << "wide enough,9000,6000" << QSize(9000, 6000);
    QTest::newRow("width") << "0,wide enough,6000" << QSize(7875, 6000);
    QTest::newRow("negative height") << "0,9000,-300" << QSize(9000, 5430);
    QTest::newRow("larger than the screen") << "9999999,9999999,9999999" << QSize();
    QTest::newRow("beyond any integer") << "1e300,1e300,1e300" << QSize();
}

void tst_MainWindow::storedSize()
{
    QFETCH(QString, stored);
    QFETCH(QSize, twips);
    TestProgramFolder folder;
    SettingsStore::SaveSetting(SettingsStore::MainWindowState, stored.section(',', 0, 0));
    SettingsStore::SaveSetting(SettingsStore::MainWidth, stored.section(',', 1, 1));
    SettingsStore::SaveSetting(SettingsStore::MainHeight, stored.section(',', 2, 2));
    SettingsStore::SaveSetting(SettingsStore::ChordLibName, "Folk");
    auto window = startWindow();
    QVERIFY(window);
    const QRect available = window->screen()->availableGeometry();
    if (twips.isValid())
        QCOMPARE(sizeInTwips(*window), twips);
    else
        QVERIFY(window->width() > 0 && available.size().expandedTo(window->frameGeometry().size()) == available.size());
    QCOMPARE(window->libraryPanel()->text(), QStringLiteral("Chord Library: Folk"));
}

void tst_MainWindow::chordListKeepsItsWidth()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    // 1575 twips are 105 pixels; the song takes the rest, whatever the width.
    for (int width : {1200, 300}) {
        window->resize(width, 400);
        QTest::qWait(10);
        const QList<int> sizes = window->splitter()->sizes();
        QCOMPARE(sizes.value(1), 105);
        QCOMPARE(sizes[0] + sizes[1] + window->splitter()->handleWidth(), window->splitter()->width());
    }
}

// Each row is one menu item ("Menu index", "Edit redo") or toolbar button
// ("tb Key"): its caption with shortcuts, and what triggering it changes on
// the window that shows "Oh Amazing grace" selected (Amazing bold, "Oh "
// typed last), "Am" selected in the chord list and "sung" on the clipboard.
// Message boxes take their first button, common dialogs are cancelled.
void tst_MainWindow::commands_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("effect");
    const auto row = [](const char *item, const char *caption, const char *effect) {
        QTest::newRow(item) << caption << effect;
    };
    // The template's title is centred and bold.
    const char *newSong = "text Song Title; pressed Bold,Center";
    row("File 0", "&New Ctrl+N", newSong);
    row("File 1", "&Open... Ctrl+O", "dialog Open");
    row("File 2", "&Close Ctrl+W", "text ");
    row("File 3", "-", "");
    row("File 4", "&Save Ctrl+S", "dialog Save As");
    row("File 5", "Save&As... Ctrl+Shift+S", "dialog Save As");
    row("File 7", "Print Set&up...", "dialog Print Setup");
    row("File 8", "&Print", "dialog Print");
    row("File 9", "Print Pre&view...", "dialog Print Preview");
    row("File 11", "MRU (hidden)", "");
    row("File 12", "-", "");
    row("File 13", "E&xit Ctrl+Q", "closed");
    row("Edit 0", "&Undo", "text Amazing grace; pressed Bold,Align Left");
    row("Edit redo", "&Redo Ctrl+Y, Ctrl+Shift+Z", "text Oh Amazing grace");
    row("Edit 2", "Cu&t Ctrl+X", "text ; clip Oh Amazing grace");
    row("Edit 3", "&Copy Ctrl+C", "clip Oh Amazing grace");
    row("Edit 4", "&Paste Ctrl+P", "text sung");
    row("Edit 6", "&Font...", "dialog Font");
    row("View 0", "&Toolbar", "no toolbar");
    row("View 1", "&StatusBar", "no status bar");
    row("View 2", "&Options... (hidden)", "");
    row("View 3", "Check Spelling as You T&ype", "no underlining");
    row("Tools 0", "&ChordBox...", "modal frmChordBox");
    // The test's program folder has neither dictionary.
    row("Tools 1", "&Spell Check...", "message Missing Dictionary File; message Dictionary could Not be Opened");
    row("Tools 3", "Chord &Libraries...", "modal frmLibrary");
    row("Tools 4", "Spell Check &Options...", "modal frmSpellOptions");
    row("Tools 5", "Character &Map...", "message Songloom");
    row("Help 0", "&Help... F1", "help");
    row("Help 1", "&About", "modal frmSplash");
    row("Chord 0", "&Edit...", "modal frmChordBox");
    row("Chord 1", "&Copy", "clip picture");
    row("Chord 2", "&Delete", "chords ; message Delete ChordBox");
    row("Chord 4", "&Libraries", "modal frmLibrary");
    row("tb New", "", newSong);
    row("tb Open", "", "dialog Open");
    row("tb Save", "", "dialog Save As");
    row("tb Print", "", "dialog Print");
    row("tb Cut", "", "text ; clip Oh Amazing grace");
    row("tb Copy", "", "clip Oh Amazing grace");
    row("tb Paste", "", "text sung");
    row("tb Delete", "", "text ");
    row("tb Undo", "", "text Amazing grace; pressed Bold,Align Left");
    row("tb ChordBox", "", "modal frmChordBox");
    row("tb Copyright", "", "text \u00A9 YEAR Oh Amazing grace; pressed Bold,Align Left");
    row("tb Spell Check", "", "message Missing Dictionary File; message Dictionary could Not be Opened");
    row("tb Font", "", "dialog Font");
    // A mixed selection stays as it is and shows released.
    row("tb Bold", "", "");
    row("tb Italic", "", "pressed Italic,Align Left");
    row("tb Underline", "", "pressed Underline,Align Left");
    row("tb Align Left", "", "");
    // The alignment buttons exclude each other.
    row("tb Center", "", "pressed Center");
    row("tb Align Right", "", "pressed Align Right");
}

void tst_MainWindow::commands()
{
    QFETCH(QString, caption);
    QFETCH(QString, effect);
    TestProgramFolder folder;
    copyProgramFile(folder, "NewSongTemplate.rtf");
    copyProgramFile(folder, "Help/Songloom.hlp");
    copyProgramFile(folder, "BitMaps/Am");
    auto window = startWindow();
    QVERIFY(window);
    rtfText *song = window->song();
    song->setTextRTF(QString::fromLatin1(songRtf));
    song->textCursor().insertText(QStringLiteral("Oh "));
    song->setSelStart(0);
    song->setSelLength(16);
    song->setChanged(false);
    window->chordPanel()->list()->setCurrentRow(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("sung"));
    m_prompt->messages.clear();
    m_prompt->choosePrinter = [&](QPrinter *printer) { printer->setOutputFileName(folder.filePath("out.pdf")); };

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QAction *item = itemNamed(*window, name);
    QVERIFY(item);
    if (!name.startsWith(QLatin1String("tb "))) {
        QStringList keys;
        for (const QKeySequence &key : item->shortcuts())
            keys << key.toString();
        QCOMPARE(QStringList({item->isSeparator() ? "-" : item->text(), keys.join(", "),
                              item->isVisible() ? "" : "(hidden)"}).join(' ').simplified(),
                 caption);
    }
    if (name == QLatin1String("Edit redo"))
        itemNamed(*window, QStringLiteral("Edit 0"))->trigger();
    const QStringList before = seen(*window);
    // As after a click into the chord list: the command gives the keyboard back to the song.
    window->chordPanel()->list()->setFocus();

    // A modal window the command opens is told and closed.
    QString modal;
    QTimer::singleShot(0, [&modal] {
        if (QWidget *shown = QApplication::activeModalWidget()) {
            modal = QString::fromLatin1(shown->metaObject()->className());
            shown->close();
        }
    });
    // No character map program can be found.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toLocal8Bit());
    item->trigger();
    qputenv("PATH", path);
    QCoreApplication::processEvents();

    QStringList changes;
    for (const QString &aspect : seen(*window))
        if (!aspect.isEmpty() && !before.contains(aspect))
            changes << aspect;
    for (const ScriptedPrompt::Message &message : m_prompt->messages)
        changes << "message " + message.title;
    for (const QString &title : m_prompt->dialogTitles)
        changes << "dialog " + title;
    if (!modal.isEmpty())
        changes << "modal " + modal;
    if (window->isVisible() && !changes.contains("help") && window->focusWidget() != window->song())
        changes << "song lost the keyboard";
    QCOMPARE(changes.join("; "), effect.replace("YEAR", QString::number(QDate::currentDate().year())));
}

void tst_MainWindow::chordDraggedIntoSong()
{
    TestProgramFolder folder;
    QImage chord(40, 48, QImage::Format_RGB32);
    chord.fill(Qt::white);
    chord.setPixel(7, 11, qRgb(0, 0, 0));
    QDir().mkpath(folder.filePath("BitMaps"));
    QVERIFY(chord.save(folder.filePath("BitMaps/Am"), "BMP"));
    auto window = startWindow();
    QVERIFY(window);

    // The list offers the chord's own picture...
    const QModelIndex index = window->chordPanel()->list()->model()->index(0, 0);
    std::unique_ptr<QMimeData> offered(window->chordPanel()->list()->model()->mimeData({index}));
    QVERIFY(offered && offered->hasImage());
    QCOMPARE(qvariant_cast<QImage>(offered->imageData()).convertToFormat(QImage::Format_RGB32), chord);

    // ...and the song embeds it where it is dropped, as the user's edit.
    dropOn(window->song()->viewport(), offered.get());
    QVERIFY(window->song()->Text().contains(QChar::ObjectReplacementCharacter));
    QVERIFY(window->song()->Changed());
}

// The editor opens empty from the Tools menu and on the chord from the
// pop-up's Edit; a saved chord shows in the list, an edit beside the original.
void tst_MainWindow::chordBoxSaved_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("tools menu") << "Tools 0" << "" << QStringList({"Am", "Dm"});
    QTest::newRow("pop-up edit") << "Chord 0" << "Am" << QStringList({"Am", "Am"});
}

void tst_MainWindow::chordBoxSaved()
{
    QFETCH(QString, from);
    QFETCH(QString, shown);
    QFETCH(QStringList, listed);
    TestProgramFolder folder;
    copyProgramFile(folder, "BitMaps/Am");
    auto window = startWindow();
    QVERIFY(window);
    QTRY_COMPARE(window->chordPanel()->list()->count(), 1);
    window->chordPanel()->list()->setCurrentRow(0);
    gstrNewChordName = QStringLiteral("left over");
    QString seenName = QStringLiteral("no editor");
    QTimer::singleShot(0, [&] {
        QWidget *editor = QApplication::activeModalWidget();
        if (!editor)
            return;
        auto *name = editor->findChild<QLineEdit *>(QStringLiteral("txtChordName"));
        seenName = gstrNewChordName + '|' + name->text();
        if (shown.isEmpty())
            name->setText(QStringLiteral("Dm"));
        editor->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    itemNamed(*window, from)->trigger();
    QCOMPARE(seenName, '|' + shown);
    QCOMPARE(chordNames(*window), listed);
}

// Cancel, or Yes with the Save As cancelled, keeps the window and the song.
void tst_MainWindow::closingAsksToSave_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Cancel") << QMessageBox::Cancel << false;
    QTest::newRow("Yes, Save As cancelled") << QMessageBox::Yes << false;
    QTest::newRow("No") << QMessageBox::No << true;
}

void tst_MainWindow::closingAsksToSave()
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
void tst_MainWindow::selectionShownWhileToolBarHidden()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    rtfText *song = window->song();
    song->setTextRTF(QString::fromLatin1(songRtf));
    window->menus().mnuViewItem[int(ViewItem::Toolbar)]->trigger();
    song->setSelStart(0);
    song->setSelLength(7);
    QCOMPARE(formatShown(*window), QStringLiteral("Arial 10|10|Bold|Align Left"));
    // Mixed sizes and alignments: the box keeps its text, no alignment.
    song->setSelLength(20);
    QCOMPARE(formatShown(*window), QStringLiteral("Arial |10"));
    song->setSelStart(18);
    QCOMPARE(formatShown(*window), QStringLiteral("Arial 12|12|Align Right"));

    window->activateWindow();
    song->setFocus();
    song->setSelStart(8);
    song->setSelLength(5);
    QTest::keyClick(song, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(song->SelBold(), std::optional<bool>(true));
    window->menus().mnuViewItem[int(ViewItem::Toolbar)]->trigger();
    QCOMPARE(formatShown(*window), QStringLiteral("Arial 10|10|Bold|Align Left"));
}

// The song has the keyboard from the start; the box takes whole sizes only
// and gives the keyboard back once a size is picked.
void tst_MainWindow::fontSizeBox()
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
    QCOMPARE(formatShown(*window), QStringLiteral("Arial 24|24|Bold|Align Left"));
    QTRY_VERIFY(window->song()->hasFocus());

    // Leaving the box applies nothing, even over a selection of mixed sizes.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->song()->setSelStart(0);
    window->song()->setSelLength(window->song()->Text().size());
    QVERIFY(!window->song()->SelFontSize());
    box->lineEdit()->setFocus();
    box->lineEdit()->setText(QStringLiteral("10"));
    window->song()->setFocus();
    QVERIFY(!window->song()->SelFontSize());
    QCOMPARE(box->currentText(), QStringLiteral("24"));
    // A size the list does not hold applies when confirmed with Return.
    box->lineEdit()->setFocus();
    box->lineEdit()->setText(QStringLiteral("11"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(window->song()->SelFontSize(), std::optional<double>(11));
}

void tst_MainWindow::recentSongsInTheFileMenu()
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
void tst_MainWindow::droppedSongOpens()
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

void tst_MainWindow::readOnlyProgramFolderIsNeverWritten()
{
    TestProgramFolder program;
    QTemporaryDir user;
    copyProgramFile(program, "NewSongTemplate.rtf");
    copyProgramFile(program, "BitMaps/Am");
    const QStringList before = listing(program.path());
    QVERIFY(DataFolders::setUp(program.path(), false, {user.filePath("data"), user.filePath("Documents")}));

    auto window = startWindow();
    QVERIFY(window);
    window->close();

    QCOMPARE(listing(program.path()), before);
    QVERIFY(m_prompt->messages.isEmpty());
    QVERIFY(QFileInfo(user.filePath("Documents/Songloom")).isDir());
    QCOMPARE(gstrChordLibPath, QDir::toNativeSeparators(user.filePath("data/BitMaps/")));
    QCOMPARE(gstrCustomDictFilePath, QDir::toNativeSeparators(user.filePath("data/custom.dic")));
    // The chord list shows the starter chords copied for the user.
    QCOMPARE(chordNames(*window), QStringList({"Am"}));
}

// The song named at start opens in place of the new song; a file that is
// not RTF opens as plain text, a missing one is told with the file and why.
void tst_MainWindow::songFromCommandLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("shown");
    QTest::newRow("song") << QByteArray("{\\rtf1\\ansi Amazing grace\\par}") << "Songloom - grace.rtf|Amazing grace|";
    QTest::newRow("not rtf") << QByteArray("plain words") << "Songloom - grace.rtf|plain words|";
    QTest::newRow("missing") << QByteArray()
                             << "Songloom - NewSong1|Song Title|Cannot Open Song: The song could not be opened: "
                                "SONG Error Number: 5 Description: No such file or directory";
}

void tst_MainWindow::songFromCommandLine()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, shown);
    TestProgramFolder program;
    copyProgramFile(program, "NewSongTemplate.rtf");
    const QString song = program.filePath("grace.rtf");
    if (!content.isEmpty())
        QVERIFY(writeAll(song, content));
    auto window = startWindow(song);
    QVERIFY(window);
    QVERIFY(!window->song()->Changed());
    QStringList messages;
    for (ScriptedPrompt::Message message : m_prompt->messages)
        messages << message.title + ": " + message.text.replace(QDir::toNativeSeparators(song), "SONG").simplified();
    QCOMPARE(QStringList({window->windowTitle(), window->song()->toPlainText().section('\n', 0, 0), messages.join('|')}).join('|'),
             shown);
}

// A relative path is taken from the current folder, a file URL as its path.
void tst_MainWindow::commandLinePaths()
{
    const QString absolute = QDir::tempPath() + "/My Songs/grace.rtf";
    QCOMPARE(QStringList({parseCommandLine({"songloom"}).songPath,
                          parseCommandLine({"songloom", "songs/grace.rtf"}).songPath,
                          parseCommandLine({"songloom", QUrl::fromLocalFile(absolute).toString()}).songPath}),
             QStringList({QString(), QDir::current().absoluteFilePath("songs/grace.rtf"), absolute}));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
