#include "app/MainMenus.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

struct ItemSpec
{
    const char *caption; // nullptr for a separator
    QKeySequence shortcut = {};
    bool hidden = false;
    bool checked = false;
};

QList<QAction *> addItems(QMenu *menu, std::initializer_list<ItemSpec> items)
{
    QList<QAction *> actions;
    for (const ItemSpec &item : items) {
        QAction *action = item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
        if (!item.shortcut.isEmpty())
            action->setShortcut(item.shortcut);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setVisible(!item.hidden);
        actions.append(action);
    }
    return actions;
}

} // namespace

MainMenus MainMenus::create(QMenuBar *bar, QWidget *window)
{
    MainMenus m;
    m.mnuFile = bar->addMenu(QStringLiteral("&File"));
    m.mnuFileItem = addItems(m.mnuFile, {
        {"&New", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"&Open...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"&Close", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {nullptr},
        {"&Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Save&As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {nullptr},
        {"Print Set&up..."},
        {"&Print"},
        {"Print Pre&view..."},
        // Shown with the recent songs that take the MRU item's place.
        {nullptr, {}, true},
        {"MRU", {}, true},
        {nullptr},
        {"E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    });

    m.mnuEdit = bar->addMenu(QStringLiteral("&Edit"));
    m.mnuEditItem = addItems(m.mnuEdit, {
        {"&Undo"},
        {nullptr},
        {"Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"&Copy", QKeySequence(Qt::CTRL | Qt::Key_C)},
        // Ctrl+V stays with the song, which pastes pictures too.
        {"&Paste", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {nullptr},
        {"&Font..."},
    });
    m.redo = new QAction(QStringLiteral("&Redo"), m.mnuEdit);
    m.redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m.mnuEdit->insertAction(m.mnuEditItem.at(1), m.redo);

    for (const auto &[key, shortcut] : {std::pair{"Bold", Qt::Key_B}, std::pair{"Italic", Qt::Key_I},
                                        std::pair{"Underline", Qt::Key_U}}) {
        auto *action = new QAction(QString::fromUtf8(key), window);
        action->setData(QString::fromUtf8(key));
        action->setShortcut(QKeySequence(Qt::CTRL | shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        m.styleShortcuts.append(action);
    }

    m.mnuView = bar->addMenu(QStringLiteral("&View"));
    m.mnuViewItem = addItems(m.mnuView, {
        {"&Toolbar", {}, false, true},
        {"&StatusBar", {}, false, true},
        {"&Options...", {}, true},
        {"Check Spelling as You T&ype", {}, false, true},
    });

    m.mnuTools = bar->addMenu(QStringLiteral("&Tools"));
    m.mnuToolsItem = addItems(m.mnuTools, {
        {"&ChordBox..."},
        {"&Spell Check..."},
        {nullptr},
        {"Chord &Libraries..."},
        {"Spell Check &Options..."},
        {"Character &Map..."},
    });

    m.mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    m.mnuHelpItem = addItems(m.mnuHelp, {
        {"&Help...", QKeySequence(Qt::Key_F1)},
        {"&About"},
    });

    // The pop-up menu belongs to the window, not to the menu bar.
    m.mnuChord = new QMenu(QStringLiteral("Chord"), bar->parentWidget());
    m.mnuChordItem = addItems(m.mnuChord, {
        {"&Edit..."},
        {"&Copy"},
        {"&Delete"},
        {nullptr},
        {"&Libraries"},
    });
    // A double click on a chord does the same.
    m.mnuChord->setDefaultAction(m.mnuChordItem[int(ChordItem::Edit)]);
    return m;
}

void MainMenus::showRecentSongs(const QStringList &songs, const std::function<void(const QString &)> &open)
{
    qDeleteAll(recentSongItems);
    recentSongItems.clear();
    QAction *place = mnuFileItem.at(11);
    for (int i = 0; i < songs.size(); ++i) {
        const QString path = songs.at(i);
        // "&1 C:\My Songs\Song.rtf"; an & in the path is no access key.
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption), mnuFile);
        item->setData(path);
        QObject::connect(item, &QAction::triggered, item, [open, path] { open(path); });
        mnuFile->insertAction(place, item);
        recentSongItems.append(item);
    }
    mnuFileItem.at(10)->setVisible(!songs.isEmpty());
}
