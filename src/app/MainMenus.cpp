#include "app/MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

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

MainMenus MainMenus::create(QMenuBar *bar, QObject *owner)
{
    Q_UNUSED(owner);
    MainMenus m;
    m.mnuFile = bar->addMenu(QStringLiteral("&File"));
    m.mnuFileItem = addItems(m.mnuFile, {
        {"&New", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"&Open...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"&Close"},
        {nullptr},
        {"&Save"},
        {"Save&As..."},
        {nullptr},
        {"Print Set&up..."},
        {"&Print"},
        {"Print Pre&view...", {}, true},
        {nullptr, {}, true},
        {"MRU", {}, true},
        {nullptr},
        {"E&xit"},
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
