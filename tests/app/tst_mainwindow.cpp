#include "base/Module1.h"
#include "base/SettingsStore.h"
#include "base/Twips.h"
#include "app/frmSongloom.h"
#include "document/rtfText.h"
#include "library/ChordListPanel.h"
#include "library/ChordListView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"
#include "library/ChordLibraryFolders.h"
#include "spell/SpellAsYouType.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QComboBox>
#include <QDialog>
#include <QValidator>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QDropEvent>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

// Starts the main window as the program does, without the splash.
std::unique_ptr<frmSongloom> startWindow()
{
    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(AppPath());
    auto window = std::make_unique<frmSongloom>();
    window->Form_Load();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    QTest::qWait(10);
    return window;
}

QSize sizeInTwips(const QWidget &window)
{
    const QSize outer = window.frameGeometry().size();
    return QSize(int(Twips::fromPixels(outer.width())), int(Twips::fromPixels(outer.height())));
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
    void startupSongFromTemplate();
    void startupWithoutTemplate();
    void firstStart();
    void closeAndRestart_data();
    void closeAndRestart();
    void storedSizeNotANumber_data();
    void storedSizeNotANumber();
    void storedSizeLargerThanScreen_data();
    void storedSizeLargerThanScreen();
    void deletedLibraryComesBack();
    void chordListKeepsItsWidth();
    void menuCommands_data();
    void menuCommands();
    void alignmentButtonsExcludeEachOther();
    void fontSizeBoxTakesWholeSizes();
    void viewMenuHidesBars();
    void libraryListing();
    void chordDraggedIntoSong();
    void chordBoxCommand_data();
    void chordBoxCommand();
};

void tst_MainWindow::firstStart()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);

    QCOMPARE(window->windowState(), Qt::WindowNoState);
    QCOMPARE(sizeInTwips(*window), QSize(7875, 5430));
    QVERIFY(QFileInfo(folder.filePath("BitMaps")).isDir());
    QVERIFY(QFileInfo(folder.filePath("My Songs")).isDir());
    QCOMPARE(gstrChordLibName, QStringLiteral("Default"));
    QCOMPARE(gstrChordLibPath, ChordLibraryFolders::defaultLibraryPath(folder.path()));
    QCOMPARE(gstrMainDictFileName, QStringLiteral("SpellUS.lex"));
    QCOMPARE(gstrCustomDictFilePath, folder.filePath("custom.dic"));
    QCOMPARE(window->libraryPanel()->text(), QStringLiteral("Chord Library: Default"));
    QCOMPARE(window->helpFile(), joinPath(folder.filePath("Help"), "Songloom.hlp"));

    QComboBox *sizes = window->toolBar().cboFontSize;
    QStringList entries;
    for (int i = 0; i < sizes->count(); ++i)
        entries << sizes->itemText(i);
    QCOMPARE(entries, QStringList({"8", "10", "12", "14", "16", "18", "20", "22", "24"}));
    // The first activation ends the loading state.
    QTRY_VERIFY(!window->isLoading());
}

void tst_MainWindow::startupSongFromTemplate()
{
    TestProgramFolder folder;
    QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/NewSongTemplate.rtf"), folder.filePath("NewSongTemplate.rtf"));
    auto window = startWindow();
    QVERIFY(window);
    QTRY_VERIFY(!window->isLoading());
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(window->windowTitle(), QStringLiteral("Songloom - NewSong1"));
    QVERIFY(window->song()->Text().contains(QLatin1String("Words & Music by")));
    QVERIFY(!window->song()->Changed());
}

void tst_MainWindow::startupWithoutTemplate()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    QTRY_VERIFY(!window->isLoading());
    // Told once, and the window goes on with an empty song.
    QCOMPARE(m_prompt->messages.size(), 1);
    QCOMPARE(m_prompt->messages[0].title, QStringLiteral("Missing Template"));
    QCOMPARE(m_prompt->messages[0].icon, QMessageBox::Information);
    QVERIFY(m_prompt->messages[0].text.endsWith(folder.filePath("NewSongTemplate.rtf")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Songloom"));
    QVERIFY(window->song()->Text().isEmpty());
    window->activateWindow();
    QTest::qWait(10);
    QCOMPARE(m_prompt->messages.size(), 1);
}

void tst_MainWindow::closeAndRestart_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("storedState");
    QTest::addColumn<QString>("storedWidth");
    QTest::addColumn<QString>("storedHeight");

    // The outer size the window has when it closes.
    QTest::newRow("normal") << int(Qt::WindowNoState) << "0" << "" << "";
    // A maximised window keeps the size it had before.
    QTest::newRow("maximised") << int(Qt::WindowMaximized) << "2" << "7020" << "5010";
    // A minimised window writes neither state nor size.
    QTest::newRow("minimised") << int(Qt::WindowMinimized) << "" << "7020" << "5010";
}

void tst_MainWindow::closeAndRestart()
{
    QFETCH(int, state);
    QFETCH(QString, storedState);
    QFETCH(QString, storedWidth);
    QFETCH(QString, storedHeight);

    TestProgramFolder folder;
    SettingsStore::SaveSetting(SettingsStore::MainWidth, "7020");
    SettingsStore::SaveSetting(SettingsStore::MainHeight, "5010");
    QDir().mkpath(folder.filePath("BitMaps/Rock"));
    SettingsStore::SaveSetting(SettingsStore::ChordLibPath, folder.filePath("BitMaps/Rock") + QDir::separator());
    SettingsStore::SaveSetting(SettingsStore::ChordLibName, "Rock");
    {
        auto window = startWindow();
        QVERIFY(window);
        if (state == Qt::WindowNoState)
            window->resize(700, 450);
        else
            window->setWindowState(Qt::WindowStates(state));
        QTest::qWait(10);
        if (state == Qt::WindowNoState) {
            storedWidth = QString::number(sizeInTwips(*window).width());
            storedHeight = QString::number(sizeInTwips(*window).height());
        }
        gstrChordLibName = QStringLiteral("Rock");
        window->close();
    }
    QCOMPARE(SettingsStore::GetSetting(SettingsStore::MainWindowState, ""), storedState);
    QCOMPARE(SettingsStore::GetSetting(SettingsStore::MainWidth, ""), storedWidth);
    QCOMPARE(SettingsStore::GetSetting(SettingsStore::MainHeight, ""), storedHeight);
    QCOMPARE(SettingsStore::GetSetting(SettingsStore::ChordLibName, ""), QStringLiteral("Rock"));
    QCOMPARE(SettingsStore::GetSetting(SettingsStore::ChordLibPath, ""),
             folder.filePath("BitMaps/Rock") + QDir::separator());

    // The next start restores what was written.
    resetGlobals();
    auto window = startWindow();
    QVERIFY(window);
    QCOMPARE(gstrChordLibName, QStringLiteral("Rock"));
    if (state == Qt::WindowMaximized) {
        QVERIFY(window->isMaximized());
    } else {
        QVERIFY(!window->isMaximized());
        QCOMPARE(sizeInTwips(*window), QSize(storedWidth.toInt(), storedHeight.toInt()));
    }
}

void tst_MainWindow::storedSizeNotANumber_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QSize>("expectedTwips");
    QTest::newRow("state") << SettingsStore::MainWindowState << "wide enough" << QSize(9000, 6000);
    QTest::newRow("empty width") << SettingsStore::MainWidth << "" << QSize(7875, 6000);
    QTest::newRow("width") << SettingsStore::MainWidth << "wide enough" << QSize(7875, 6000);
    QTest::newRow("negative height") << SettingsStore::MainHeight << "-300" << QSize(9000, 5430);
}

void tst_MainWindow::storedSizeNotANumber()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QSize, expectedTwips);
    TestProgramFolder folder;
    SettingsStore::SaveSetting(SettingsStore::MainWindowState, "0");
    SettingsStore::SaveSetting(SettingsStore::MainWidth, "9000");
    SettingsStore::SaveSetting(SettingsStore::MainHeight, "6000");
    SettingsStore::SaveSetting(key, value);
    SettingsStore::SaveSetting(SettingsStore::ChordLibName, "Folk");
    SettingsStore::SaveSetting(SettingsStore::MainDictFileName, "SpellUK.lex");

    auto window = startWindow();
    QVERIFY(window);
    QCOMPARE(sizeInTwips(*window), expectedTwips);
    // The rest of the load went on.
    QCOMPARE(gstrChordLibName, QStringLiteral("Folk"));
    QCOMPARE(window->libraryPanel()->text(), QStringLiteral("Chord Library: Folk"));
    QCOMPARE(window->toolBar().cboFontSize->count(), 9);
    QCOMPARE(gstrMainDictFileName, QStringLiteral("SpellUK.lex"));
    QCOMPARE(gstrCustomDictFilePath, folder.filePath("custom.dic"));
}

void tst_MainWindow::storedSizeLargerThanScreen_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("large") << "9999999";
    QTest::newRow("beyond any integer") << "1e300";
}

void tst_MainWindow::storedSizeLargerThanScreen()
{
    QFETCH(QString, stored);
    TestProgramFolder folder;
    SettingsStore::SaveSetting(SettingsStore::MainWindowState, stored);
    SettingsStore::SaveSetting(SettingsStore::MainWidth, stored);
    SettingsStore::SaveSetting(SettingsStore::MainHeight, stored);
    auto window = startWindow();
    QVERIFY(window);
    const QRect available = window->screen()->availableGeometry();
    QVERIFY(window->frameGeometry().width() <= available.width());
    QVERIFY(window->frameGeometry().height() <= available.height());
    QVERIFY(window->width() > 0);
}

void tst_MainWindow::deletedLibraryComesBack()
{
    TestProgramFolder folder;
    const QString library = folder.filePath("BitMaps/Blues") + QDir::separator();
    SettingsStore::SaveSetting(SettingsStore::ChordLibPath, library);
    SettingsStore::SaveSetting(SettingsStore::ChordLibName, "Blues");
    auto window = startWindow();
    QVERIFY(window);
    QVERIFY(QFileInfo(library).isDir());
    QCOMPARE(window->chordPanel()->list()->count(), 0);
    QCOMPARE(window->libraryPanel()->text(), QStringLiteral("Chord Library: Blues"));
}

void tst_MainWindow::chordListKeepsItsWidth()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    // 1575 twips are 105 pixels; the song takes the rest, whatever the width.
    for (int width : {667, 1200, 300}) {
        window->resize(width, 400);
        QTest::qWait(10);
        const QList<int> sizes = window->splitter()->sizes();
        QCOMPARE(sizes.size(), 2);
        QCOMPARE(sizes[1], 105);
        QCOMPARE(sizes[0] + sizes[1] + window->splitter()->handleWidth(), window->splitter()->width());
    }
}

namespace {

QList<QAction *> menuItems(const MainMenus &menus, const QString &menu)
{
    if (menu == QLatin1String("File"))
        return menus.mnuFileItem;
    if (menu == QLatin1String("Edit"))
        return menus.mnuEditItem;
    if (menu == QLatin1String("View"))
        return menus.mnuViewItem;
    if (menu == QLatin1String("Tools"))
        return menus.mnuToolsItem;
    if (menu == QLatin1String("Help"))
        return menus.mnuHelpItem;
    return menus.mnuChordItem;
}

// Closes the modal window a command opened and tells its class; empty when
// none opened.
void closeModalLater(QString *className)
{
    QTimer::singleShot(0, [className] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            *className = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
}

} // namespace

void tst_MainWindow::menuCommands_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<QString>("effect");

    const QKeySequence none;
    QTest::newRow("File Exit") << "File" << int(FileItem::Exit) << "E&xit" << QKeySequence(Qt::CTRL | Qt::Key_Q)
                               << "closes";
    QTest::newRow("File separator") << "File" << 12 << "" << none << "nothing";
    QTest::newRow("View Toolbar") << "View" << int(ViewItem::Toolbar) << "&Toolbar" << none << "hides toolbar";
    QTest::newRow("View StatusBar") << "View" << int(ViewItem::StatusBar) << "&StatusBar" << none
                                    << "hides status bar";
    QTest::newRow("View Options") << "View" << int(ViewItem::Options) << "&Options..." << none << "nothing";
    QTest::newRow("View Check Spelling") << "View" << int(ViewItem::CheckSpellingAsYouType)
                                         << "Check Spelling as You T&ype" << none << "stops underlining";
    QTest::newRow("Tools ChordBox") << "Tools" << int(ToolsItem::ChordBox) << "&ChordBox..." << none
                                    << "frmChordBox";
    QTest::newRow("Tools Spell Check") << "Tools" << int(ToolsItem::SpellCheck) << "&Spell Check..." << none
                                       << "no dictionary";
    QTest::newRow("Tools Spell Check Options") << "Tools" << int(ToolsItem::SpellCheckOptions)
                                               << "Spell Check &Options..." << none << "frmSpellOptions";
    QTest::newRow("Tools Character Map") << "Tools" << int(ToolsItem::CharacterMap) << "Character &Map..." << none
                                         << "no character map";
    QTest::newRow("Help Help") << "Help" << int(HelpItem::Help) << "&Help..." << QKeySequence(Qt::Key_F1)
                               << "help window";
    QTest::newRow("Help About") << "Help" << int(HelpItem::About) << "&About" << none << "frmSplash";
}

void tst_MainWindow::menuCommands()
{
    QFETCH(QString, menu);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(QString, effect);

    TestProgramFolder folder;
    QDir().mkpath(folder.filePath("Help"));
    QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/Help/Songloom.hlp"), folder.filePath("Help/Songloom.hlp"));
    auto window = startWindow();
    QVERIFY(window);
    QTRY_VERIFY(!window->isLoading());
    m_prompt->messages.clear();
    const QString title = window->windowTitle();

    QAction *item = menuItems(window->menus(), menu).value(index);
    QVERIFY(item);
    QCOMPARE(item->isSeparator() ? QString() : item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);

    QString modalClass;
    closeModalLater(&modalClass);
    const QByteArray path = qgetenv("PATH");
    if (effect == QLatin1String("no character map"))
        qputenv("PATH", folder.path().toLocal8Bit());
    item->trigger();
    qputenv("PATH", path);

    if (effect == QLatin1String("closes")) {
        QVERIFY(!window->isVisible());
    } else if (effect == QLatin1String("nothing")) {
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(m_prompt->messages.isEmpty());
        QVERIFY(modalClass.isEmpty());
    } else if (effect == QLatin1String("hides toolbar")) {
        QVERIFY(!window->toolBar().tbToolBar->isVisible());
        QVERIFY(!item->isChecked());
    } else if (effect == QLatin1String("hides status bar")) {
        QVERIFY(!window->statusBar()->isVisible());
        QVERIFY(!item->isChecked());
    } else if (effect == QLatin1String("stops underlining")) {
        QVERIFY(!window->spellAsYouType()->isEnabled());
        QVERIFY(!item->isChecked());
        QCOMPARE(SettingsStore::GetSetting(SettingsStore::CheckSpellingAsYouType, QString()), QStringLiteral("0"));
    } else if (effect == QLatin1String("no dictionary")) {
        // The test's program folder has neither dictionary.
        QCOMPARE(m_prompt->messages.size(), 2);
        QCOMPARE(m_prompt->messages[0].title, QStringLiteral("Missing Dictionary File"));
        QCOMPARE(m_prompt->messages[1].title, QStringLiteral("Dictionary could Not be Opened"));
    } else if (effect == QLatin1String("no character map")) {
        QCOMPARE(m_prompt->messages.size(), 1);
        QVERIFY(m_prompt->messages[0].text.contains(QLatin1String("could not be launched")));
    } else if (effect == QLatin1String("help window")) {
        QVERIFY(m_prompt->messages.isEmpty());
        QDialog *help = window->findChild<QDialog *>();
        QVERIFY(help && help->isVisible());
    } else {
        QCOMPARE(modalClass, effect);
    }
    // Whatever ran, the song keeps the keyboard.
    if (window->isVisible() && effect != QLatin1String("help window"))
        QCOMPARE(window->focusWidget(), window->song());
}

void tst_MainWindow::alignmentButtonsExcludeEachOther()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    QAction *left = window->toolBar().buttons.value("Align Left");
    QAction *center = window->toolBar().buttons.value("Center");
    QAction *right = window->toolBar().buttons.value("Align Right");
    left->trigger();
    QVERIFY(left->isChecked());
    center->trigger();
    QVERIFY(center->isChecked() && !left->isChecked() && !right->isChecked());
    right->trigger();
    QVERIFY(right->isChecked() && !left->isChecked() && !center->isChecked());
}

void tst_MainWindow::fontSizeBoxTakesWholeSizes()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    // Typing after start-up goes into the song, not into the size box.
    QTRY_VERIFY(!window->isLoading());
    QCOMPARE(window->focusWidget(), window->song());
    QComboBox *box = window->toolBar().cboFontSize;
    const QValidator *validator = box->validator();
    QVERIFY(validator);
    for (const auto &[text, acceptable] : {std::pair{"12", true}, {"1638", true}, {"1", true}, {"0", false},
                                           {"1639", false}, {"12.5", false}, {"big", false}, {"-4", false}}) {
        QString input = QString::fromLatin1(text);
        int pos = 0;
        QCOMPARE(validator->validate(input, pos) == QValidator::Acceptable, acceptable);
    }
}

void tst_MainWindow::viewMenuHidesBars()
{
    TestProgramFolder folder;
    auto window = startWindow();
    QVERIFY(window);
    window->menus().mnuViewItem[0]->trigger();
    QVERIFY(!window->toolBar().tbToolBar->isVisible());
    QVERIFY(!window->toolBar().cboFontSize->isVisible());
    window->menus().mnuViewItem[1]->trigger();
    QVERIFY(!window->statusBar()->isVisible());
    // The song moves up into the freed space, the list keeps its width.
    QTRY_COMPARE(window->splitter()->geometry().top(), window->menuBar()->height());
    QCOMPARE(window->splitter()->sizes().value(1), 105);
    window->menus().mnuViewItem[0]->trigger();
    QVERIFY(window->toolBar().cboFontSize->isVisible());
}

void tst_MainWindow::libraryListing()
{
    TestProgramFolder folder;
    QDir().mkpath(folder.filePath("BitMaps"));
    QImage chord(40, 48, QImage::Format_Mono);
    chord.fill(0);
    QVERIFY(chord.save(folder.filePath("BitMaps/Am"), "BMP"));
    QVERIFY(chord.save(folder.filePath("BitMaps/C~G;2"), "BMP"));
    QFile junk(folder.filePath("BitMaps/notes.txt"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    auto window = startWindow();
    QVERIFY(window);
    // A file that is not a picture is passed over; the load goes on.
    QCOMPARE(window->chordPanel()->list()->count(), 2);
    QCOMPARE(window->chordPanel()->list()->item(0)->text(), QStringLiteral("Am"));
    QCOMPARE(window->chordPanel()->list()->item(1)->text(), QStringLiteral("C/G"));
    QCOMPARE(window->chordPanel()->list()->item(1)->data(Qt::UserRole).toString(), folder.filePath("BitMaps/C~G;2"));
    QCOMPARE(window->toolBar().cboFontSize->count(), 9);
}

void tst_MainWindow::chordDraggedIntoSong()
{
    TestProgramFolder folder;
    QDir().mkpath(folder.filePath("BitMaps"));
    QImage chord(40, 48, QImage::Format_RGB32);
    chord.fill(Qt::white);
    chord.setPixel(7, 11, qRgb(0, 0, 0));
    QVERIFY(chord.save(folder.filePath("BitMaps/Am"), "BMP"));
    auto window = startWindow();
    QVERIFY(window);
    QTRY_VERIFY(!window->isLoading());

    // The list offers the chord's own picture...
    const QModelIndex index = window->chordPanel()->list()->model()->index(0, 0);
    std::unique_ptr<QMimeData> offered(window->chordPanel()->list()->model()->mimeData({index}));
    QVERIFY(offered && offered->hasImage());
    QCOMPARE(qvariant_cast<QImage>(offered->imageData()).convertToFormat(QImage::Format_RGB32), chord);

    // ...and the song embeds it where it is dropped, as the user's edit.
    QWidget *viewport = window->song()->viewport();
    const QPoint point(20, 20);
    QDragEnterEvent enter(point, Qt::CopyAction, offered.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(point, Qt::CopyAction, offered.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QDropEvent drop(point, Qt::CopyAction, offered.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    QVERIFY(window->song()->Text().contains(QChar::ObjectReplacementCharacter));
    QVERIFY(window->song()->Changed());
}

void tst_MainWindow::chordBoxCommand_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("toolbar, cancelled") << "toolbar" << false << QStringList({"Am"});
    QTest::newRow("tools menu, saved") << "tools" << true << QStringList({"Am", "Dm"});
    // Editing a saved chord keeps it and adds the edit beside it.
    QTest::newRow("pop-up edit, saved") << "edit" << true << QStringList({"Am", "Am"});
}

void tst_MainWindow::chordBoxCommand()
{
    QFETCH(QString, from);
    QFETCH(bool, saved);
    QFETCH(QStringList, listed);
    TestProgramFolder folder;
    QDir().mkpath(folder.filePath("BitMaps"));
    QVERIFY(QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/BitMaps/Am"), folder.filePath("BitMaps/Am")));
    auto window = startWindow();
    QVERIFY(window);
    ChordListView *list = window->chordPanel()->list();
    QTRY_COMPARE(list->count(), 1);
    gstrNewChordName = QStringLiteral("left over");
    QString editorTitle;
    QString nameWhileOpen;
    QString chordNameShown;
    QTimer::singleShot(0, [&] {
        QWidget *editor = QApplication::activeModalWidget();
        if (!editor)
            return;
        editorTitle = editor->windowTitle();
        nameWhileOpen = gstrNewChordName;
        chordNameShown = editor->findChild<QLineEdit *>(QStringLiteral("txtChordName"))->text();
        if (!saved) {
            editor->close();
            return;
        }
        if (from == QLatin1String("tools"))
            editor->findChild<QLineEdit *>(QStringLiteral("txtChordName"))->setText(QStringLiteral("Dm"));
        editor->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    if (from == QLatin1String("toolbar")) {
        window->toolBar().buttons.value("ChordBox")->trigger();
    } else if (from == QLatin1String("tools")) {
        window->menus().mnuToolsItem[int(ToolsItem::ChordBox)]->trigger();
    } else {
        list->setCurrentRow(0);
        window->menus().mnuChordItem[int(ChordItem::Edit)]->trigger();
    }
    QVERIFY(!editorTitle.isEmpty());
    QVERIFY(nameWhileOpen.isEmpty());
    QCOMPARE(chordNameShown, from == QLatin1String("edit") ? QStringLiteral("Am") : QString());
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    QCOMPARE(names, listed);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
