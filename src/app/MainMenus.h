#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

// The main window's menus. Each menu's items form an ordered list whose
// index is the item's command index; separators and hidden items keep their
// places in it.
struct MainMenus
{
    QMenu *mnuFile = nullptr;
    QMenu *mnuEdit = nullptr;
    QMenu *mnuView = nullptr;
    QMenu *mnuTools = nullptr;
    QMenu *mnuHelp = nullptr;
    // Never in the menu bar: the chord list's pop-up menu.
    QMenu *mnuChord = nullptr;

    QList<QAction *> mnuFileItem;
    QList<QAction *> mnuEditItem;
    QList<QAction *> mnuViewItem;
    QList<QAction *> mnuToolsItem;
    QList<QAction *> mnuHelpItem;
    QList<QAction *> mnuChordItem;

    // Builds the menus into the bar; actions are owned by their menus.
    static MainMenus create(QMenuBar *bar, QObject *owner);
};
