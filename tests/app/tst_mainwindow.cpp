// The main window: start-up, stored settings, every menu item and toolbar
// button, the font-size box, recent songs and a read-only program folder.

#include "app/Startup.h"
#include "app/frmSongloom.h"
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "base/SettingsStore.h"
#include "base/Twips.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QValidator>

#include <memory>

namespace {

// Starts the main window as the program does, without the splash; the first
// activation ends the loading state.
std::unique_ptr<frmSongloom> startWindow(const QString &songAtStart = QString())
{
    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());
    auto window = std::make_unique<frmSongloom>();
    window->Form_Load();
    if (!songAtStart.isEmpty())
        window->openAtStart(songAtStart);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()) || !QTest::qWaitFor([&] { return !window->isLoading(); }))
        return nullptr;
    return window;
}

QSize sizeInTwips(const QWidget &window)
{
    return QSize(int(Twips::fromPixels(window.frameGeometry().width())), int(Twips::fromPixels(window.frameGeometry().height())));
}

void copyProgramFiles(const TestProgramFolder &folder, const QStringList &names)
{
    for (const QString &name : names) {
        QDir().mkpath(QFileInfo(folder.filePath(name)).absolutePath());
        QVERIFY(QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/") + name, folder.filePath(name)));
    }
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
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

// "Menu index", "Edit redo" or "tb Key" for a toolbar button.
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

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
    // No test may wait on a real message box.
    std::unique_ptr<ScriptedPrompt> m_prompt;

private slots:
    void init() { m_prompt = std::make_unique<ScriptedPrompt>(); }
    void cleanup() { m_prompt.reset(); }

    // The new song from the template, or the song named at start in its place: a
    // file that is not RTF opens as plain text, a missing song or template is
    // told (once, also after another activation) and the window goes on.
    void start_data()
    {
        QTest::addColumn<bool>("templ");
        QTest::addColumn<QString>("song");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown"); // title|first line|messages
        QTest::newRow("template") << true << "" << QByteArray() << "Songloom - NewSong1|Song Title|";
        QTest::newRow("no template") << false << "" << QByteArray()
            << "Songloom||Missing Template: The NewSong Template file has been renamed or deleted. You may create a new "
               "template by saving a file with the name and location: DIR/NewSongTemplate.rtf";
        QTest::newRow("song") << true << "grace.rtf" << songRtf << "Songloom - grace.rtf|Amazing grace|";
        QTest::newRow("not rtf") << true << "grace.rtf" << QByteArray("plain words") << "Songloom - grace.rtf|plain words|";
        QTest::newRow("missing song") << true << "grace.rtf" << QByteArray()
            << "Songloom - NewSong1|Song Title|Cannot Open Song: The song could not be opened: "
               "DIR/grace.rtf Error Number: 5 Description: No such file or directory";
    }

    void start()
    {
        QFETCH(bool, templ);
        QFETCH(QString, song);
        QFETCH(QByteArray, content);
        TestProgramFolder folder;
        if (templ)
            copyProgramFiles(folder, {"NewSongTemplate.rtf"});
        QVERIFY(content.isEmpty() || writeAll(folder.filePath(song), content));
        auto window = startWindow(song.isEmpty() ? song : folder.filePath(song));
        QVERIFY(window);
        window->activateWindow();
        QTest::qWait(10);
        QVERIFY(!window->song()->Changed() && window->libraryPanel()->text() == QLatin1String("Chord Library: Default"));
        QVERIFY(QFileInfo(folder.filePath("BitMaps")).isDir() && QFileInfo(folder.filePath("My Songs")).isDir());
        QStringList shown{window->windowTitle(), window->song()->toPlainText().section('\n', 0, 0)};
        for (ScriptedPrompt::Message message : m_prompt->messages)
            shown << message.title + ": " + message.text.replace(QDir::toNativeSeparators(folder.path()), "DIR").simplified();
        QTEST(shown.join('|') + (m_prompt->messages.isEmpty() ? "|" : ""), "shown");
    }

    // The dictionaries, slow to open, wait for the first song: they must
    // not hold up the window's first paint.
    void underliningStartsWithTheFirstSong()
    {
        TestProgramFolder folder;
        gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());
        frmSongloom window;
        window.Form_Load();
        QCoreApplication::processEvents();
        QVERIFY(!window.spellAsYouType()->isEnabled());
        window.show();
        QTRY_VERIFY(!window.isLoading());
        QVERIFY(window.spellAsYouType()->isEnabled());
    }

    // A normal window stores its outer size; a maximised one the size it had
    // before; a minimised one neither state nor size. The next start restores it.
    void closeAndRestart_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("stored");
        QTest::newRow("normal") << int(Qt::WindowNoState) << "0 ";
        QTest::newRow("maximised") << int(Qt::WindowMaximized) << "2 7020 5010";
        QTest::newRow("minimised") << int(Qt::WindowMinimized) << " 7020 5010";
    }

    void closeAndRestart()
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
            QVERIFY(window && QFileInfo(rock).isDir() && chordNames(*window).isEmpty());
            state == Qt::WindowNoState ? window->resize(700, 450) : window->setWindowState(Qt::WindowStates(state));
            QTest::qWait(10);
            const QSize size = sizeInTwips(*window);
            if (state == Qt::WindowNoState)
                stored += QStringLiteral("%1 %2").arg(size.width()).arg(size.height());
            gstrChordLibName = QStringLiteral("Rock");
            window->close();
        }
        const auto get = [](const QString &key) { return SettingsStore::GetSetting(key, ""); };
        QCOMPARE(QStringList({get(SettingsStore::MainWindowState), get(SettingsStore::MainWidth),
                              get(SettingsStore::MainHeight)}).join(' '), stored);
        QCOMPARE(get(SettingsStore::ChordLibName) + get(SettingsStore::ChordLibPath), "Rock" + rock);
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
    void storedSize_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QSize>("twips");
        QTest::newRow("state") << "wide enough,9000,6000" << QSize(9000, 6000);
        QTest::newRow("width") << "0,wide enough,6000" << QSize(7875, 6000);
        QTest::newRow("negative height") << "0,9000,-300" << QSize(9000, 5430);
        QTest::newRow("larger than the screen") << "9999999,9999999,9999999" << QSize();
        QTest::newRow("beyond any integer") << "1e300,1e300,1e300" << QSize();
    }

    void storedSize()
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
        if (twips.isValid())
            QCOMPARE(sizeInTwips(*window), twips);
        else
            QVERIFY(window->width() > 0 && window->screen()->availableGeometry().contains(window->frameGeometry()));
        QCOMPARE(window->libraryPanel()->text(), QStringLiteral("Chord Library: Folk"));
    }

    // Each row is one menu item or toolbar button: its caption with shortcuts,
    // and what triggering it changes on the window that shows "Oh Amazing grace"
    // selected (Amazing bold, "Oh " typed last), "Am" selected in the chord list
    // and "sung" on the clipboard. Message boxes take their first button, common
    // dialogs are cancelled, a modal window is told and closed.
    void commands_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("effect");
        // A menu item's toolbar twin, if any, has the same effect.
        const auto row = [](const char *item, const char *caption, const char *effect, const char *button = nullptr) {
            QTest::newRow(item) << caption << effect;
            if (button)
                QTest::addRow("tb %s", button) << "" << effect;
        };
        row("File 0", "&New Ctrl+N", "text Song Title; pressed Bold,Center", "New"); // the template's title
        row("File 1", "&Open... Ctrl+O", "dialog Open", "Open");
        row("File 2", "&Close Ctrl+W", "text ");
        row("File 3", "-", "");
        row("File 4", "&Save Ctrl+S", "dialog Save As", "Save");
        row("File 5", "Save&As... Ctrl+Shift+S", "dialog Save As");
        row("File 7", "Print Set&up...", "dialog Print Setup");
        row("File 8", "&Print", "dialog Print", "Print");
        row("File 9", "Print Pre&view...", "dialog Print Preview");
        row("File 11", "MRU (hidden)", "");
        row("File 12", "-", "");
        row("File 13", "E&xit Ctrl+Q", "closed");
        row("Edit 0", "&Undo", "text Amazing grace; pressed Bold,Align Left", "Undo");
        row("Edit redo", "&Redo Ctrl+Y, Ctrl+Shift+Z", "text Oh Amazing grace");
        row("Edit 2", "Cu&t Ctrl+X", "text ; clip Oh Amazing grace", "Cut");
        row("Edit 3", "&Copy Ctrl+C", "clip Oh Amazing grace", "Copy");
        row("Edit 4", "&Paste Ctrl+P", "text sung", "Paste");
        row("Edit 6", "&Font...", "dialog Font", "Font");
        row("View 0", "&Toolbar", "no toolbar");
        row("View 1", "&StatusBar", "no status bar");
        row("View 2", "&Options... (hidden)", "");
        row("View 3", "Check Spelling as You T&ype", "no underlining");
        row("Tools 0", "&ChordBox...", "modal frmChordBox", "ChordBox");
        row("Tools 1", "&Spell Check...", "message Missing Dictionary File; message Dictionary could Not be Opened",
            "Spell Check"); // the test's program folder has neither dictionary
        row("Tools 3", "Chord &Libraries...", "modal frmLibrary");
        row("Tools 4", "Spell Check &Options...", "modal frmSpellOptions");
        row("Tools 5", "Character &Map...", "message Songloom"); // no character map program on the PATH
        row("Help 0", "&Help... F1", "help");
        row("Help 1", "&About", "modal frmSplash");
        row("Chord 0", "&Edit...", "modal frmChordBox");
        row("Chord 1", "&Copy", "clip picture");
        row("Chord 2", "&Delete", "chords ; message Delete ChordBox");
        row("Chord 4", "&Libraries", "modal frmLibrary");
        row("tb Delete", "", "text ");
        row("tb Copyright", "", "text \u00A9 YEAR Oh Amazing grace; pressed Bold,Align Left");
        row("tb Bold", "", ""); // a mixed selection stays as it is and shows released
        row("tb Italic", "", "pressed Italic,Align Left");
        row("tb Underline", "", "pressed Underline,Align Left");
        row("tb Align Left", "", "");
        row("tb Center", "", "pressed Center"); // the alignment buttons exclude each other
        row("tb Align Right", "", "pressed Align Right");
    }

    void commands()
    {
        QFETCH(QString, caption);
        QFETCH(QString, effect);
        TestProgramFolder folder;
        copyProgramFiles(folder, {"NewSongTemplate.rtf", "Help/Songloom.hlp", "BitMaps/Am"});
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
        const QString keys = QKeySequence::listToString(item->shortcuts()).replace("; ", ", ");
        if (!name.startsWith(QLatin1String("tb ")))
            QCOMPARE(QStringList({item->isSeparator() ? "-" : item->text(), keys, item->isVisible() ? "" : "(hidden)"})
                         .join(' ').simplified(), caption);
        if (name == QLatin1String("Edit redo"))
            itemNamed(*window, QStringLiteral("Edit 0"))->trigger();
        const QStringList before = seen(*window);
        // As after a click into the chord list: the command gives the keyboard back to the song.
        window->chordPanel()->list()->setFocus();
        QStringList changes;
        QTimer::singleShot(0, [&changes] {
            if (QWidget *shown = QApplication::activeModalWidget()) {
                changes << "modal " + QString::fromLatin1(shown->metaObject()->className());
                shown->close();
            }
        });
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", folder.path().toLocal8Bit());
        item->trigger();
        qputenv("PATH", path);
        QCoreApplication::processEvents();
        for (const QString &aspect : seen(*window))
            if (!aspect.isEmpty() && !before.contains(aspect))
                changes << aspect;
        for (const ScriptedPrompt::Message &message : m_prompt->messages)
            changes << "message " + message.title;
        for (const QString &title : m_prompt->dialogTitles)
            changes << "dialog " + title;
        if (window->isVisible() && !changes.contains("help") && window->focusWidget() != window->song())
            changes << "song lost the keyboard";
        QCOMPARE(changes.join("; "), effect.replace("YEAR", QString::number(QDate::currentDate().year())));
    }

    // The editor opens empty from the Tools menu and on the chord from the
    // pop-up's Edit; the saved chord takes its alphabetical place in the list.
    void chordBoxSaved_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("shown"); // the name in the editor|the list afterwards
        QTest::newRow("tools menu") << "Tools 0" << "|A,Am";
        QTest::newRow("pop-up edit") << "Chord 0" << "Am|Am,Am";
    }

    void chordBoxSaved()
    {
        QFETCH(QString, from);
        TestProgramFolder folder;
        copyProgramFiles(folder, {"BitMaps/Am"});
        auto window = startWindow();
        QVERIFY(window);
        window->chordPanel()->list()->setCurrentRow(0);
        gstrNewChordName = QStringLiteral("left over");
        QString seenName = QStringLiteral("no editor|");
        QTimer::singleShot(0, [&] {
            if (QWidget *editor = QApplication::activeModalWidget()) {
                auto *name = editor->findChild<QLineEdit *>(QStringLiteral("txtChordName"));
                seenName = gstrNewChordName + '|' + name->text();
                if (name->text().isEmpty())
                    name->setText(QStringLiteral("A"));
                editor->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            }
        });
        itemNamed(*window, from)->trigger();
        QCOMPARE(seenName.section('|', 0, 0), QString()); // no name left over from before
        QTEST(seenName.section('|', 1) + '|' + chordNames(*window).join(','), "shown");
    }

    // Cancel, or Yes with the Save As cancelled, keeps the window and the song.
    void closingAsksToSave_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Cancel") << QMessageBox::Cancel << false;
        QTest::newRow("Yes, Save As cancelled") << QMessageBox::Yes << false;
        QTest::newRow("No") << QMessageBox::No << true;
    }

    void closingAsksToSave()
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
        QCOMPARE(QList<bool>({window->isVisible(), unloaded.count() == 1}), QList<bool>({!closes, closes}));
        QVERIFY(closes || (window->song()->Text() == QLatin1String("words") && window->song()->Changed()));
    }

    // The song has the keyboard from the start; the box takes whole sizes 1 to
    // 1638, gives the keyboard back once a size is picked, and applies nothing
    // when left; a size the list lacks applies with Return.
    void fontSizeBox()
    {
        TestProgramFolder folder;
        auto window = startWindow();
        QVERIFY(window && window->focusWidget() == window->song());
        rtfText *song = window->song();
        QComboBox *box = window->toolBar().cboFontSize;
        QStringList accepted;
        for (QString text : {"12", "1638", "1", "0", "1639", "12.5", "big", "-4"})
            if (int pos = 0; box->validator()->validate(text, pos) == QValidator::Acceptable)
                accepted << text;
        QCOMPARE(accepted, QStringList({"12", "1638", "1"}));

        song->setTextRTF(QString::fromLatin1(songRtf));
        song->setSelStart(0);
        song->setSelLength(7);
        box->setFocus();
        emit box->textActivated(QStringLiteral("24"));
        // The status bar's font panel, the size box and the pressed buttons.
        QCOMPARE(QStringList({window->fontPanel()->text(), box->currentText()}) + pressed(*window),
                 QStringList({"Arial 24", "24", "Bold", "Align Left"}));
        QTRY_VERIFY(song->hasFocus());

        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        song->setSelLength(song->Text().size());
        box->lineEdit()->setFocus();
        box->lineEdit()->setText(QStringLiteral("10"));
        song->setFocus();
        QCOMPARE(song->SelFontSize(), std::nullopt);
        QCOMPARE(box->currentText(), QStringLiteral("24"));
        box->lineEdit()->setFocus();
        box->lineEdit()->setText(QStringLiteral("11"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(song->SelFontSize(), std::optional<double>(11));

        // With the toolbar hidden the state still follows the selection.
        window->menus().mnuViewItem[int(ViewItem::Toolbar)]->trigger();
        song->setSelStart(song->Text().size() - 2);
        QCOMPARE(QStringList({window->fontPanel()->text(), box->currentText()}) + pressed(*window),
                 QStringList({"Arial 11", "11", "Align Right"}));
    }

    // Newest first, between the MRU separator and the one before Exit; a song
    // gone since is told and dropped from the menu.
    void recentSongsInTheFileMenu()
    {
        TestProgramFolder folder;
        auto window = startWindow();
        QVERIFY(window);
        const QString a = folder.filePath("A song.rtf"), b = folder.filePath("B&B.rtf");
        QVERIFY(writeAll(a, songRtf) && writeAll(b, songRtf));
        QVERIFY(window->fileCommands()->OpenSong(a) && window->fileCommands()->OpenSong(b));
        const MainMenus &menus = window->menus();
        const QList<QAction *> items = menus.mnuFile->actions();
        QCOMPARE(menus.recentSongItems.value(0)->text(), "&1 " + QDir::toNativeSeparators(b).replace("&", "&&"));
        QCOMPARE(QList<qsizetype>({items.indexOf(menus.recentSongItems[0]), items.indexOf(menus.recentSongItems[1]) + 1}),
                 QList<qsizetype>({items.indexOf(menus.mnuFileItem[10]) + 1, items.indexOf(menus.mnuFileItem[11])}));
        menus.recentSongItems[1]->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("Songloom - A song.rtf"));
        QFile::remove(b);
        window->menus().recentSongItems[1]->trigger();
        QCOMPARE(m_prompt->messages.last().title, QStringLiteral("Missing Song"));
        QCOMPARE(window->menus().recentSongItems.size(), 1);
    }

    // The user's data goes to the user's folders; the chord list shows the
    // starter chords copied there.
    void readOnlyProgramFolderIsNeverWritten()
    {
        TestProgramFolder program;
        QTemporaryDir user;
        copyProgramFiles(program, {"NewSongTemplate.rtf", "BitMaps/Am"});
        const auto listing = [&] {
            const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
            return QDir(program.path()).entryList(all) + QDir(program.filePath("BitMaps")).entryList(all);
        };
        const QStringList before = listing();
        QVERIFY(DataFolders::setUp(program.path(), false, {user.filePath("data"), user.filePath("Documents")}));
        auto window = startWindow();
        QVERIFY(window && window->close());
        QCOMPARE(listing(), before);
        QVERIFY(m_prompt->messages.isEmpty() && QFileInfo(user.filePath("Documents/Songloom")).isDir());
        QCOMPARE(QStringList({gstrChordLibPath, gstrCustomDictFilePath, chordNames(*window).join(',')}),
                 QStringList({QDir::toNativeSeparators(user.filePath("data/BitMaps/")),
                              QDir::toNativeSeparators(user.filePath("data/custom.dic")), "Am"}));
    }

    // A relative path is taken from the current folder, a file URL as its path.
    void commandLinePaths()
    {
        const QString absolute = QDir::tempPath() + "/My Songs/grace.rtf";
        QCOMPARE(QStringList({parseCommandLine({"songloom"}).songPath,
                              parseCommandLine({"songloom", "songs/grace.rtf"}).songPath,
                              parseCommandLine({"songloom", QUrl::fromLocalFile(absolute).toString()}).songPath}),
                 QStringList({QString(), QDir::current().absoluteFilePath("songs/grace.rtf"), absolute}));
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
