#include "app/frmSongloom.h"

#include "app/HelpWindow.h"
#include "app/MainLayout.h"
#include "base/Module1.h"
#include "base/Prompt.h"
#include "base/SettingsStore.h"
#include "base/Twips.h"
#include "app/frmSplash.h"
#include "chordbox/frmChordBox.h"
#include "document/rtfText.h"
#include "library/ChordFiles.h"
#include "library/ChordLibraryFolders.h"
#include "library/ChordListView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <climits>
#include <cmath>

namespace {

// The window's design size and default outer size, in twips.
constexpr qint64 defaultMainWidth = 7875;
constexpr qint64 defaultMainHeight = 5430;
constexpr int windowStateNormal = 0;
constexpr int windowStateMinimised = 1;
constexpr int windowStateMaximised = 2;

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

void frmSongloom::buildWidgets()
{
    menus = MainMenus::create(menuBar(), this);
    toolBar = MainToolBar::create(this);
    addToolBar(Qt::TopToolBarArea, toolBar.tbToolBar);

    vbuSplitter = new QSplitter(Qt::Horizontal, this);
    vbuSplitter->setObjectName(QStringLiteral("vbuSplitter"));
    vbuSplitter->setHandleWidth(Twips::toPixels(MainLayout::splitBarWidth + Twips::perPixel - 1));
    vbuSplitter->setChildrenCollapsible(false);

    rtfText = new ::rtfText(vbuSplitter);
    rtfText->setObjectName(QStringLiteral("rtfText"));

    ListView1 = new ChordListView(vbuSplitter);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setMinimumWidth(0);

    vbuSplitter->setStretchFactor(0, 1);
    vbuSplitter->setStretchFactor(1, 0);
    setCentralWidget(vbuSplitter);

    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    fontPanel = new QLabel(sbStatusBar);
    fontPanel->setObjectName(QStringLiteral("Font"));
    fontPanel->setToolTip(QStringLiteral("Current Font Properties"));
    libraryPanel = new QLabel(sbStatusBar);
    libraryPanel->setObjectName(QStringLiteral("Library"));
    libraryPanel->setToolTip(QStringLiteral("Current Chord Library"));
    sbStatusBar->addWidget(fontPanel, 1);
    sbStatusBar->addWidget(libraryPanel, 1);

    resize(Twips::toPixels(defaultMainWidth), Twips::toPixels(defaultMainHeight));
}

void frmSongloom::connectCommands()
{
    const auto wire = [this](const QList<QAction *> &items, void (frmSongloom::*handler)(int)) {
        for (int index = 0; index < items.size(); ++index)
            connect(items[index], &QAction::triggered, this, [this, handler, index] { (this->*handler)(index); });
    };
    wire(menus.mnuFileItem, &frmSongloom::mnuFileItem_Click);
    wire(menus.mnuEditItem, &frmSongloom::mnuEditItem_Click);
    wire(menus.mnuViewItem, &frmSongloom::mnuViewItem_Click);
    wire(menus.mnuToolsItem, &frmSongloom::mnuToolsItem_Click);
    wire(menus.mnuHelpItem, &frmSongloom::mnuHelpItem_Click);
    wire(menus.mnuChordItem, &frmSongloom::mnuChordItem_Click);

    connect(toolBar.tbToolBar, &QToolBar::actionTriggered, this, [this](QAction *action) {
        const QString key = action->data().toString();
        if (!key.isEmpty())
            tbToolBar_ButtonClick(key);
    });
    // Changes the program makes while loading are not the user's edits.
    connect(rtfText, &::rtfText::Change, this, [this] {
        if (!mblnLoading)
            rtfText->setChanged(true);
    });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        menus.mnuChord->popup(ListView1->viewport()->mapToGlobal(pos));
    });
}

void frmSongloom::Form_Load()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_helpFile = joinPath(joinPath(AppPath(), QStringLiteral("Help")), QStringLiteral("Songloom.hlp"));

    // The songs' folder; a read-only program folder must not stop the rest
    // of the load.
    const QString songs = joinPath(AppPath(), QStringLiteral("My Songs"));
    if (!QFileInfo(songs).isDir())
        QDir().mkdir(songs);

    mblnLoading = true;
    readWindowSettings();

    gstrChordLibPath = SettingsStore::GetSetting(SettingsStore::ChordLibPath, gstrChordLibPath);
    gstrChordLibName = SettingsStore::GetSetting(SettingsStore::ChordLibName, ChordLibraryFolders::defaultLibraryName());
    // BitMaps, and a library folder removed since the last run, come back empty.
    ChordLibraryFolders::ensureLibraryFolders(AppPath(), gstrChordLibPath);
    LoadBitMaps();

    toolBar.cboFontSize->clear();
    for (int points = 8; points <= 24; points += 2)
        toolBar.cboFontSize->addItem(fontSizeText(points));
    // The box shows the size at the caret, not the first entry.
    toolBar.cboFontSize->setCurrentIndex(-1);

    gstrMainDictFileName = SettingsStore::GetSetting(SettingsStore::MainDictFileName, QStringLiteral("SpellUS.lex"));
    gstrCustomDictFilePath = SettingsStore::GetSetting(SettingsStore::CustomDictFilePath,
                                                       joinPath(AppPath(), QStringLiteral("custom.dic")));
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
    QTimer::singleShot(0, this, [this] {
        // The stored size is the outer size; take the frame off once it is known.
        if (m_requestedOuterSize.isValid() && windowState() == Qt::WindowNoState) {
            const QSize frame = frameGeometry().size() - geometry().size();
            if (!frame.isEmpty())
                resize(m_requestedOuterSize - frame);
        }
        // Not every desktop activates a new window; the first song must come anyway.
        if (mblnLoading)
            Form_Activate();
    });
}

bool frmSongloom::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void frmSongloom::Form_Activate()
{
    if (!mblnLoading)
        return;
    repaint();
    startupSong();
    mblnLoading = false;
    QGuiApplication::restoreOverrideCursor();
}

void frmSongloom::startupSong()
{
    const QString templatePath = joinPath(AppPath(), QStringLiteral("NewSongTemplate.rtf"));
    if (!QFileInfo(templatePath).isFile()) {
        prompt().message(this, QMessageBox::Information, QStringLiteral("Missing Template"),
                         QStringLiteral("The NewSong Template file has been renamed or deleted.\n"
                                        "You may create a new template by saving a file with the name and location:\n")
                             + templatePath);
        return;
    }
    if (!rtfText->LoadFile(templatePath))
        return;
    setWindowTitle(AppTitle() + QStringLiteral(" - NewSong1"));
    rtfText->setChanged(false);
}

void frmSongloom::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmSongloom::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const int barsHeight = (toolBar.tbToolBar->isVisible() ? toolBar.tbToolBar->height() : 0)
                           + (sbStatusBar->isVisible() ? sbStatusBar->height() : 0);
    const MainLayout::Panes panes = MainLayout::compute(
        Twips::fromPixels(width()), Twips::fromPixels(height()),
        Twips::fromPixels(barsHeight), 0);
    const int handle = vbuSplitter->handleWidth();
    const int listWidth = Twips::toPixels(panes.listWidth);
    vbuSplitter->setSizes({std::max(width() - listWidth - handle, 0), listWidth});
}

void frmSongloom::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
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

void frmSongloom::LoadBitMaps()
{
    ListView1->clear();
    for (const QString &fileName : ChordFiles::listChordFiles(gstrChordLibPath))
        addChordItem(fileName);
    libraryPanel->setText(QStringLiteral("Chord Library: ") + gstrChordLibName);
}

void frmSongloom::LoadNewBitMap()
{
    if (!addChordItem(gstrNewChordName))
        LoadBitMaps();
}

bool frmSongloom::addChordItem(const QString &fileName)
{
    return ListView1->addChord(ChordFiles::chordKey(gstrChordLibPath, fileName),
                               ChordFiles::displayNameOfFile(fileName));
}

void frmSongloom::mnuFileItem_Click(int index)
{
    constexpr int exitItem = 13;
    if (index == exitItem)
        close();
}

void frmSongloom::mnuEditItem_Click(int index)
{
    Q_UNUSED(index);
}

void frmSongloom::mnuViewItem_Click(int index)
{
    if (index == 0)
        toolBar.tbToolBar->setVisible(menus.mnuViewItem[0]->isChecked());
    else if (index == 1)
        sbStatusBar->setVisible(menus.mnuViewItem[1]->isChecked());
}

void frmSongloom::mnuToolsItem_Click(int index)
{
    switch (index) {
    case 0:
        openChordBoxEditor();
        break;
    case 3:
        mnuChordItem_Click(3);
        break;
    case 5:
        ShowCharacterMap();
        break;
    default:
        break;
    }
}

void frmSongloom::mnuHelpItem_Click(int index)
{
    if (index == 0)
        showHelp();
    else if (index == 1)
        frmSplash::showAbout(this);
}

void frmSongloom::mnuChordItem_Click(int index)
{
    Q_UNUSED(index);
}

void frmSongloom::tbToolBar_ButtonClick(const QString &key)
{
    if (key == QLatin1String("New"))
        mnuFileItem_Click(0);
    else if (key == QLatin1String("Open"))
        mnuFileItem_Click(1);
    else if (key == QLatin1String("Save"))
        mnuFileItem_Click(4);
    else if (key == QLatin1String("Print"))
        mnuFileItem_Click(8);
    else if (key == QLatin1String("Cut"))
        mnuEditItem_Click(2);
    else if (key == QLatin1String("Copy"))
        mnuEditItem_Click(3);
    else if (key == QLatin1String("Paste"))
        mnuEditItem_Click(4);
    else if (key == QLatin1String("Undo"))
        mnuEditItem_Click(0);
    else if (key == QLatin1String("ChordBox"))
        openChordBoxEditor();
    else if (key == QLatin1String("Spell Check"))
        mnuToolsItem_Click(1);
    else if (key == QLatin1String("Font"))
        mnuEditItem_Click(6);
}

void frmSongloom::openChordBoxEditor()
{
    gstrNewChordName.clear();
    {
        frmChordBox editor(this);
        editor.exec();
    }
    if (!gstrNewChordName.isEmpty())
        LoadNewBitMap();
}

void frmSongloom::ShowCharacterMap()
{
    // The first character map program this desktop has.
    for (const QString &program : {QStringLiteral("gucharmap"), QStringLiteral("kcharselect"),
                                   QStringLiteral("charmap")}) {
        if (QProcess::startDetached(program, {}))
            return;
    }
    prompt().message(this, QMessageBox::Information, AppTitle(),
                     QStringLiteral("The Windows Character Map could not be launched.\n"
                                    "This option may not be installed."));
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
