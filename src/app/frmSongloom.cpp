#include "app/frmSongloom.h"

#include "app/HelpWindow.h"
#include "app/MainLayout.h"
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "base/Prompt.h"
#include "base/SettingsStore.h"
#include "base/Twips.h"
#include "app/frmSplash.h"
#include "chordbox/ChordBoxCommand.h"
#include "document/EditCommands.h"
#include "document/SelectionState.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "library/ChordLibraryFolders.h"
#include "library/ChordListPanel.h"
#include "library/ChordListView.h"
#include "spell/QtSpellDialogs.h"
#include "spell/SpellAsYouType.h"
#include "spell/SpellCheckCommands.h"
#include "spell/psSpellCheck.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <climits>
#include <cmath>
#include <utility>

namespace {

// The window's design size and default outer size, in twips.
constexpr qint64 defaultMainWidth = 7875;
constexpr qint64 defaultMainHeight = 5430;
constexpr int windowStateNormal = 0;
constexpr int windowStateMinimised = 1;
constexpr int windowStateMaximised = 2;
// How long after the first show a window manager's frame still changes the size.
constexpr int outerSizeWaitMs = 3000;
// How long the first song waits for an activation that may never come.
constexpr int activationWaitMs = 1000;

// A stored number, or the default when the text is not one.
double storedNumber(const QString &key, double defaultValue)
{
    bool ok = false;
    const double value = SettingsStore::GetSetting(key, QString::number(defaultValue)).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : defaultValue;
}

QString fontSizeText(int points)
{
    return QString::number(points);
}

} // namespace

frmSongloom::frmSongloom(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(AppTitle());
    buildWidgets();
    connectCommands();
}

frmSongloom::~frmSongloom() = default;

void frmSongloom::buildWidgets()
{
    m_menus = MainMenus::create(menuBar(), this);
    m_toolBar = MainToolBar::create(this);
    addToolBar(Qt::TopToolBarArea, m_toolBar.tbToolBar);

    vbuSplitter = new QSplitter(Qt::Horizontal, this);
    vbuSplitter->setObjectName(QStringLiteral("vbuSplitter"));
    vbuSplitter->setHandleWidth(Twips::toPixels(MainLayout::splitBarWidth + Twips::perPixel - 1));
    vbuSplitter->setChildrenCollapsible(false);

    rtfText = new ::rtfText(vbuSplitter);
    rtfText->setObjectName(QStringLiteral("rtfText"));

    m_chordPanel = new ChordListPanel(vbuSplitter);
    m_chordPanel->setObjectName(QStringLiteral("ChordListPanel"));
    m_chordPanel->setMinimumWidth(0);

    vbuSplitter->setStretchFactor(0, 1);
    vbuSplitter->setStretchFactor(1, 0);
    setCentralWidget(vbuSplitter);

    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    m_fontPanel = new QLabel(sbStatusBar);
    m_fontPanel->setObjectName(QStringLiteral("Font"));
    m_fontPanel->setToolTip(QStringLiteral("Current Font Properties"));
    m_libraryPanel = new QLabel(sbStatusBar);
    m_libraryPanel->setObjectName(QStringLiteral("Library"));
    m_libraryPanel->setToolTip(QStringLiteral("Current Chord Library"));
    sbStatusBar->addWidget(m_fontPanel, 1);
    sbStatusBar->addWidget(m_libraryPanel, 1);

    m_fileCommands = new SongFileCommands(rtfText, this);
    m_editCommands = new EditCommands(rtfText, this);
    m_menus.showRecentSongs(m_fileCommands->recentSongs(),
                            [this](const QString &path) { m_fileCommands->OpenRecent(path); });

    // Song files dropped from the file manager open; anything else dropped
    // on the song is the song's own business.
    setAcceptDrops(true);
    rtfText->viewport()->installEventFilter(this);

    m_spellDialogs = std::make_unique<QtSpellDialogs>(this);
    psSpellCheck = new ::psSpellCheck(m_spellDialogs.get(), this);
    m_spellCommands = std::make_unique<SpellCheckCommands>(*psSpellCheck, this);
    m_spellAsYouType = new SpellAsYouType(rtfText, *psSpellCheck, *m_spellDialogs, this);

    resize(Twips::toPixels(defaultMainWidth), Twips::toPixels(defaultMainHeight));
}

void frmSongloom::connectCommands()
{
    const auto wire = [this](const QList<QAction *> &items, void (frmSongloom::*handler)(int)) {
        for (int index = 0; index < items.size(); ++index)
            connect(items[index], &QAction::triggered, this, [this, handler, index] {
                (this->*handler)(index);
                // The song has the keyboard after every command.
                if (rtfText)
                    rtfText->SetFocus();
            });
    };
    wire(m_menus.mnuFileItem, &frmSongloom::mnuFileItem_Click);
    wire(m_menus.mnuEditItem, &frmSongloom::mnuEditItem_Click);
    wire(m_menus.mnuViewItem, &frmSongloom::mnuViewItem_Click);
    wire(m_menus.mnuToolsItem, &frmSongloom::mnuToolsItem_Click);
    wire(m_menus.mnuHelpItem, &frmSongloom::mnuHelpItem_Click);
    wire(m_menus.mnuChordItem, &frmSongloom::mnuChordItem_Click);

    connect(m_toolBar.tbToolBar, &QToolBar::actionTriggered, this, [this](QAction *action) {
        const QString key = action->data().toString();
        if (!key.isEmpty())
            tbToolBar_ButtonClick(key);
        if (rtfText)
            rtfText->SetFocus();
    });
    connect(m_menus.redo, &QAction::triggered, m_editCommands, &EditCommands::Redo);
    for (QAction *action : m_menus.styleShortcuts)
        connect(action, &QAction::triggered, this, [this, action] { tbToolBar_ButtonClick(action->data().toString()); });
    connect(rtfText, &::rtfText::SelChange, this, &frmSongloom::rtfText_SelChange);
    connect(m_fileCommands, &SongFileCommands::selectionStateNeeded, this, &frmSongloom::rtfText_SelChange);
    connect(m_fileCommands, &SongFileCommands::recentSongsChanged, this, [this](const QStringList &songs) {
        m_menus.showRecentSongs(songs, [this](const QString &path) { m_fileCommands->OpenRecent(path); });
    });
    // The size box applies a size picked from its list or typed and confirmed
    // with Return; leaving it does not, and forgets what was typed.
    QComboBox *sizeBox = m_toolBar.cboFontSize;
    connect(sizeBox, &QComboBox::textActivated, this, &frmSongloom::applyFontSize);
    connect(sizeBox->lineEdit(), &QLineEdit::returnPressed, this, [this, sizeBox] {
        if (sizeBox->findText(sizeBox->currentText()) < 0)
            applyFontSize(sizeBox->currentText());
    });
    // The box passes its focus events on to its line edit itself.
    sizeBox->installEventFilter(this);
    connect(m_fileCommands, &SongFileCommands::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_chordPanel, &ChordListPanel::statusChanged, m_libraryPanel, &QLabel::setText);
    connect(m_chordPanel, &ChordListPanel::editChordRequested, this, &frmSongloom::editChord);
    connect(m_chordPanel->list(), &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QList<QAction *> &items = m_menus.mnuChordItem;
        m_chordPanel->showPopupMenu(m_menus.mnuChord,
                                    {items[int(ChordItem::Edit)], items[int(ChordItem::Copy)],
                                     items[int(ChordItem::Delete)]},
                                    pos);
    });
}

void frmSongloom::Form_Load()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_helpFile = joinPath(joinPath(AppPath(), QStringLiteral("Help")), QStringLiteral("Songloom.hlp"));

    // The songs' folder; one that cannot be made must not stop the rest of the load.
    const QString songs = DataFolders::SongsPath();
    if (!QFileInfo(songs).isDir())
        QDir().mkpath(songs);

    m_fileCommands->setLoading(true);
    readWindowSettings();

    gstrChordLibPath = SettingsStore::GetSetting(SettingsStore::ChordLibPath, gstrChordLibPath);
    gstrChordLibName = SettingsStore::GetSetting(SettingsStore::ChordLibName, ChordLibraryFolders::defaultLibraryName());
    // BitMaps, and a library folder removed since the last run, come back empty.
    // A folder that cannot be made leaves an empty list; the load goes on.
    (void)ChordLibraryFolders::ensureLibraryFolders(DataFolders::DataPath(), gstrChordLibPath);
    m_chordPanel->LoadBitMaps();

    m_toolBar.cboFontSize->clear();
    for (int points = 8; points <= 24; points += 2)
        m_toolBar.cboFontSize->addItem(fontSizeText(points));
    // The box shows the size at the caret, not the first entry.
    m_toolBar.cboFontSize->setCurrentIndex(-1);

    gstrMainDictFileName = SettingsStore::GetSetting(SettingsStore::MainDictFileName, QStringLiteral("SpellUS.lex"));
    gstrCustomDictFilePath = SettingsStore::GetSetting(SettingsStore::CustomDictFilePath,
                                                       joinPath(DataFolders::DataPath(), QStringLiteral("custom.dic")));

    // Underlining starts with the first song (Form_Activate).
    const bool asYouType = SettingsStore::GetSetting(SettingsStore::CheckSpellingAsYouType, QStringLiteral("1"))
                           != QLatin1String("0");
    m_menus.mnuViewItem[int(ViewItem::CheckSpellingAsYouType)]->setChecked(asYouType);
}

void frmSongloom::readWindowSettings()
{
    const double state = storedNumber(SettingsStore::MainWindowState, windowStateNormal);
    if (state == windowStateMaximised) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    if (state == windowStateMinimised) {
        setWindowState(Qt::WindowMinimized);
        return;
    }
    setWindowState(Qt::WindowNoState);

    // A size stored on a larger screen is limited to this one.
    QSize limit(INT_MAX / Twips::perPixel, INT_MAX / Twips::perPixel);
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        limit = screen->availableGeometry().size();
    const auto storedSize = [](const QString &key, double defaultTwips, int limitPixels) {
        double twips = storedNumber(key, defaultTwips);
        if (twips <= 0)
            twips = defaultTwips;
        return Twips::toPixels(qint64(std::min(twips, double(Twips::fromPixels(limitPixels)))));
    };
    m_requestedOuterSize = QSize(storedSize(SettingsStore::MainWidth, defaultMainWidth, limit.width()),
                                 storedSize(SettingsStore::MainHeight, defaultMainHeight, limit.height()));
    resize(m_requestedOuterSize);
}

void frmSongloom::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!mblnFirstShow)
        return;
    mblnFirstShow = false;
    // The stored size is the outer size, but the frame is only known once the
    // window manager has framed the window, which may come well after this.
    m_outerSizePending = m_requestedOuterSize.isValid();
    fitOuterSize();
    QTimer::singleShot(outerSizeWaitMs, this, [this] { m_outerSizePending = false; });
    rtfText->SetFocus();
    // Not every desktop activates a new window; the first song must come
    // anyway, but late enough for a window manager to have placed the window.
    QTimer::singleShot(activationWaitMs, this, [this] {
        if (isLoading())
            Form_Activate();
    });
}

void frmSongloom::fitOuterSize()
{
    if (!m_outerSizePending || windowState() != Qt::WindowNoState || !windowHandle())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    m_outerSizePending = false;
    const QRect available = screen() ? screen()->availableGeometry() : QRect();
    QSize outer = m_requestedOuterSize;
    if (available.isValid())
        outer = outer.boundedTo(available.size());
    resize(outer - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
    if (!available.isValid())
        return;
    // Keep the whole frame on the screen.
    QRect placed(frameGeometry().topLeft(), outer);
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    placed.moveTopLeft(QPoint(std::max(placed.left(), available.left()), std::max(placed.top(), available.top())));
    if (placed.topLeft() != frameGeometry().topLeft())
        move(placed.topLeft());
}

void frmSongloom::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

bool frmSongloom::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void frmSongloom::Form_Activate()
{
    if (!isLoading())
        return;
    repaint();
    m_fileCommands->startupSong();
    // Taken once: a message box of the open must not open it again on reactivation.
    if (const QString song = std::exchange(m_songAtStart, QString()); !song.isEmpty())
        m_fileCommands->OpenFile(song);
    m_fileCommands->setLoading(false);
    QGuiApplication::restoreOverrideCursor();
    // Only now: opening the dictionaries takes a while, and the window
    // shows first.
    m_spellAsYouType->setEnabled(m_menus.mnuViewItem[int(ViewItem::CheckSpellingAsYouType)]->isChecked());
}

void frmSongloom::openAtStart(const QString &path)
{
    m_songAtStart = path;
}

void frmSongloom::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitOuterSize();
    Form_Resize();
}

void frmSongloom::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const int handle = vbuSplitter->handleWidth();
    const int listWidth = Twips::toPixels(MainLayout::listWidth(Twips::fromPixels(width())));
    vbuSplitter->setSizes({std::max(width() - listWidth - handle, 0), listWidth});
}

bool frmSongloom::isLoading() const
{
    return m_fileCommands->isLoading();
}

void frmSongloom::closeEvent(QCloseEvent *event)
{
    // Cancel, or a save that did not happen, keeps the window and the song.
    if (!m_fileCommands->CheckSaveChanges()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmSongloom::dragEnterEvent(QDragEnterEvent *event)
{
    if (!SongFileCommands::songFileIn(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmSongloom::dropEvent(QDropEvent *event)
{
    const QString path = SongFileCommands::songFileIn(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has finished: the save question must not run inside it.
    QTimer::singleShot(0, this, [this, path] { m_fileCommands->OpenSong(path); });
}

void frmSongloom::applyFontSize(const QString &text)
{
    showFontSize(text);
    m_editCommands->FontSize(text);
    rtfText_SelChange();
}

void frmSongloom::showFontSize(const QString &text)
{
    m_shownFontSize = text;
    // The list's entry, when it has one, is the current item, so that the box
    // sees nothing new to apply when it loses the keyboard.
    QComboBox *sizeBox = m_toolBar.cboFontSize;
    sizeBox->setCurrentIndex(sizeBox->findText(text));
    sizeBox->setEditText(text);
}

bool frmSongloom::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_toolBar.cboFontSize && event->type() == QEvent::FocusOut
        && m_toolBar.cboFontSize->currentText() != m_shownFontSize)
        showFontSize(m_shownFontSize);
    if (watched == rtfText->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (!SongFileCommands::songFileIn(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!SongFileCommands::songFileIn(drop->mimeData()).isEmpty()) {
                dropEvent(drop);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmSongloom::rtfText_SelChange()
{
    const SelectionState state = SelectionState::of(*rtfText);
    m_fontPanel->setText(state.fontPanelText);
    if (state.fontSizeText)
        showFontSize(*state.fontSizeText);
    m_toolBar.buttons.value(QStringLiteral("Bold"))->setChecked(state.bold);
    m_toolBar.buttons.value(QStringLiteral("Italic"))->setChecked(state.italic);
    m_toolBar.buttons.value(QStringLiteral("Underline"))->setChecked(state.underline);
    static const QHash<int, QString> alignmentKeys = {{::rtfText::rtfLeft, QStringLiteral("Align Left")},
                                                      {::rtfText::rtfCenter, QStringLiteral("Center")},
                                                      {::rtfText::rtfRight, QStringLiteral("Align Right")}};
    for (const QString &key : alignmentKeys)
        m_toolBar.buttons.value(key)->setChecked(false);
    if (state.alignment)
        m_toolBar.buttons.value(alignmentKeys.value(*state.alignment))->setChecked(true);
}

void frmSongloom::Form_Unload()
{
    // Saving a changed song is asked here once song files exist; closing cannot be refused.
    const Qt::WindowStates state = windowState();
    if (!(state & Qt::WindowMinimized)) {
        const bool maximised = state & (Qt::WindowMaximized | Qt::WindowFullScreen);
        SettingsStore::SaveSetting(SettingsStore::MainWindowState,
                                   QString::number(maximised ? windowStateMaximised : windowStateNormal));
        if (!maximised) {
            const QSize outer = frameGeometry().size();
            SettingsStore::SaveSetting(SettingsStore::MainWidth, QString::number(Twips::fromPixels(outer.width())));
            SettingsStore::SaveSetting(SettingsStore::MainHeight, QString::number(Twips::fromPixels(outer.height())));
        }
    }
    SettingsStore::SaveSetting(SettingsStore::ChordLibPath, gstrChordLibPath);
    SettingsStore::SaveSetting(SettingsStore::ChordLibName, gstrChordLibName);
    if (m_helpWindow)
        m_helpWindow->close();
    if (gfrmMain == this)
        gfrmMain = nullptr;
    emit unloaded();
}

void frmSongloom::mnuFileItem_Click(int index)
{
    switch (FileItem(index)) {
    case FileItem::New: m_fileCommands->New(); break;
    case FileItem::Open: m_fileCommands->Open(); break;
    case FileItem::Close: m_fileCommands->Close(); break;
    case FileItem::Save: m_fileCommands->Save(); break;
    case FileItem::SaveAs: m_fileCommands->SaveAs(); break;
    case FileItem::PrintSetup: m_fileCommands->PrintSetup(); break;
    case FileItem::Print: m_fileCommands->Print(); break;
    case FileItem::PrintPreview: m_fileCommands->PrintPreview(); break;
    case FileItem::Exit: close(); break;
    default: break;
    }
}

void frmSongloom::mnuEditItem_Click(int index)
{
    switch (EditItem(index)) {
    case EditItem::Undo: m_editCommands->Undo(); break;
    case EditItem::Cut: m_editCommands->Cut(); break;
    case EditItem::Copy: m_editCommands->Copy(); break;
    case EditItem::Paste: m_editCommands->Paste(); break;
    case EditItem::Font: m_editCommands->Font(); break;
    default: break;
    }
}

void frmSongloom::mnuViewItem_Click(int index)
{
    switch (ViewItem(index)) {
    case ViewItem::Toolbar:
        m_toolBar.tbToolBar->setVisible(m_menus.mnuViewItem[index]->isChecked());
        break;
    case ViewItem::StatusBar:
        sbStatusBar->setVisible(m_menus.mnuViewItem[index]->isChecked());
        break;
    case ViewItem::CheckSpellingAsYouType: {
        const bool on = m_menus.mnuViewItem[index]->isChecked();
        m_spellAsYouType->setEnabled(on);
        SettingsStore::SaveSetting(SettingsStore::CheckSpellingAsYouType, on ? QStringLiteral("1") : QStringLiteral("0"));
        break;
    }
    default: break;
    }
}

void frmSongloom::mnuToolsItem_Click(int index)
{
    switch (ToolsItem(index)) {
    case ToolsItem::ChordBox: openChordBoxEditor(); break;
    case ToolsItem::SpellCheck: m_spellCommands->SpellCheck(rtfText->songText()); break;
    case ToolsItem::SpellCheckOptions:
        m_spellCommands->SpellCheckOptions();
        m_spellAsYouType->reload();
        break;
    case ToolsItem::ChordLibraries: mnuChordItem_Click(int(ChordItem::Libraries)); break;
    case ToolsItem::CharacterMap: m_editCommands->ShowCharacterMap(); break;
    default: break;
    }
}

void frmSongloom::mnuHelpItem_Click(int index)
{
    switch (HelpItem(index)) {
    case HelpItem::Help: showHelp(); break;
    case HelpItem::About: frmSplash::showAbout(this); break;
    }
}

void frmSongloom::mnuChordItem_Click(int index)
{
    switch (ChordItem(index)) {
    case ChordItem::Edit: m_chordPanel->Edit(); break;
    case ChordItem::Copy: m_chordPanel->Copy(); break;
    case ChordItem::Delete: m_chordPanel->Delete(); break;
    case ChordItem::Libraries: m_chordPanel->Libraries(); break;
    }
}

void frmSongloom::tbToolBar_ButtonClick(const QString &key)
{
    // Buttons that share a menu item run that item.
    static const QHash<QString, std::pair<void (frmSongloom::*)(int), int>> menuButtons = {
        {QStringLiteral("New"), {&frmSongloom::mnuFileItem_Click, int(FileItem::New)}},
        {QStringLiteral("Open"), {&frmSongloom::mnuFileItem_Click, int(FileItem::Open)}},
        {QStringLiteral("Save"), {&frmSongloom::mnuFileItem_Click, int(FileItem::Save)}},
        {QStringLiteral("Print"), {&frmSongloom::mnuFileItem_Click, int(FileItem::Print)}},
        {QStringLiteral("Cut"), {&frmSongloom::mnuEditItem_Click, int(EditItem::Cut)}},
        {QStringLiteral("Copy"), {&frmSongloom::mnuEditItem_Click, int(EditItem::Copy)}},
        {QStringLiteral("Paste"), {&frmSongloom::mnuEditItem_Click, int(EditItem::Paste)}},
        {QStringLiteral("Undo"), {&frmSongloom::mnuEditItem_Click, int(EditItem::Undo)}},
        {QStringLiteral("ChordBox"), {&frmSongloom::mnuToolsItem_Click, int(ToolsItem::ChordBox)}},
        {QStringLiteral("Spell Check"), {&frmSongloom::mnuToolsItem_Click, int(ToolsItem::SpellCheck)}},
        {QStringLiteral("Font"), {&frmSongloom::mnuEditItem_Click, int(EditItem::Font)}},
    };
    if (const auto it = menuButtons.constFind(key); it != menuButtons.cend()) {
        (this->*it->first)(it->second);
        return;
    }
    if (key == QLatin1String("Delete"))
        m_editCommands->Delete();
    else if (key == QLatin1String("Copyright"))
        m_editCommands->Copyright();
    else if (key == QLatin1String("Bold"))
        m_editCommands->Bold();
    else if (key == QLatin1String("Italic"))
        m_editCommands->Italic();
    else if (key == QLatin1String("Underline"))
        m_editCommands->Underline();
    else if (key == QLatin1String("Align Left"))
        m_editCommands->Align(rtfText::rtfLeft);
    else if (key == QLatin1String("Center"))
        m_editCommands->Align(rtfText::rtfCenter);
    else if (key == QLatin1String("Align Right"))
        m_editCommands->Align(rtfText::rtfRight);
    else
        return;
    // The pressed buttons show what the song now holds: a mixed selection
    // leaves Bold released.
    rtfText_SelChange();
}

void frmSongloom::editChord(const QString &chordKey)
{
    if (runChordBoxEditorOn(this, chordKey))
        m_chordPanel->LoadNewBitMap();
    rtfText->SetFocus();
}

void frmSongloom::openChordBoxEditor()
{
    if (runChordBoxEditor(this))
        m_chordPanel->LoadNewBitMap();
}

void frmSongloom::showHelp()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    if (!m_helpWindow->open(m_helpFile)) {
        prompt().message(this, QMessageBox::Warning, QStringLiteral("Missing Help"),
                         QStringLiteral("The help file could not be opened:\n") + m_helpFile);
        return;
    }
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}
