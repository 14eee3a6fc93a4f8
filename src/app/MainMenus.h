#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

// Each menu's item indices; separators and hidden items keep their places.
enum class FileItem { New = 0, Open = 1, Close = 2, Save = 4, SaveAs = 5, PrintSetup = 7, Print = 8,
                      PrintPreview = 9, MRU = 11, Exit = 13 };
enum class EditItem { Undo = 0, Cut = 2, Copy = 3, Paste = 4, Font = 6 };
enum class ViewItem { Toolbar = 0, StatusBar = 1, Options = 2, CheckSpellingAsYouType = 3 };
enum class ToolsItem { ChordBox = 0, SpellCheck = 1, ChordLibraries = 3, SpellCheckOptions = 4, CharacterMap = 5 };
enum class HelpItem { Help = 0, About = 1 };
enum class ChordItem { Edit = 0, Copy = 1, Delete = 2, Libraries = 4 };

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

    // Redo, in the Edit menu after Undo but not one of its indexed items.
    QAction *redo = nullptr;
    // Ctrl+B, Ctrl+I, Ctrl+U: the toolbar's Bold, Italic and Underline, which
    // work while the toolbar is hidden too. Their data is the button's key.
    QList<QAction *> styleShortcuts;
    // The recent songs, shown in the MRU item's place.
    QList<QAction *> recentSongItems;

    // Builds the menus into the bar; actions are owned by their menus, the
    // shortcut actions by the window.
    static MainMenus create(QMenuBar *bar, QWidget *window);

    // Lists the songs in the MRU place, newest first, each opening its path.
    void showRecentSongs(const QStringList &songs, const std::function<void(const QString &)> &open);
};
