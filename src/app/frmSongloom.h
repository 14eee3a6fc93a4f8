#pragma once

#include "app/MainMenus.h"
#include "app/MainToolBar.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <memory>

class ChordListPanel;
class EditCommands;
class HelpWindow;
class QLabel;
class QSplitter;
class QStatusBar;
class SongFileCommands;
class SpellAsYouType;
class SpellCheckCommands;
class SpellDialogs;
class psSpellCheck;
class rtfText;

// The program's one main window: the song on the left, the chord list on the
// right, the menus, toolbar and status bar around them. Closing it ends the
// program. It wires menus, buttons and panels to the features' commands
// and holds no command logic of its own.
class frmSongloom final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmSongloom(QWidget *parent = nullptr);
    ~frmSongloom() override;

    // Prepares the window before it is first shown: folders, settings, the
    // chord list, the font sizes. Every step runs even when one before it failed.
    void Form_Load();
    // Runs at every activation; the first one opens the new song.
    void Form_Activate();
    // A song to open at the first activation, after the new song.
    void openAtStart(const QString &path);

    void mnuFileItem_Click(int index);
    void mnuEditItem_Click(int index);
    void mnuViewItem_Click(int index);
    void mnuToolsItem_Click(int index);
    void mnuHelpItem_Click(int index);
    void mnuChordItem_Click(int index);
    void tbToolBar_ButtonClick(const QString &key);
    // Shows the selection's formatting on the status bar and the toolbar,
    // hidden or not.
    void rtfText_SelChange();

    // From the load to the end of the first activation, and while the song
    // is being replaced.
    bool isLoading() const;
    QString helpFile() const { return m_helpFile; }

    const MainMenus &menus() const { return m_menus; }
    const MainToolBar &toolBar() const { return m_toolBar; }
    QSplitter *splitter() const { return vbuSplitter; }
    ::rtfText *song() const { return rtfText; }
    ChordListPanel *chordPanel() const { return m_chordPanel; }
    QLabel *fontPanel() const { return m_fontPanel; }
    QLabel *libraryPanel() const { return m_libraryPanel; }
    SongFileCommands *fileCommands() const { return m_fileCommands; }
    ::psSpellCheck *spellChecker() const { return psSpellCheck; }
    SpellAsYouType *spellAsYouType() const { return m_spellAsYouType; }

signals:
    // The window has unloaded; the program ends.
    void unloaded();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    void connectCommands();
    void Form_Resize();
    // Once the frame is known, sizes the window so its outer size is the
    // stored one, limited to the screen, and keeps it on the screen.
    void fitOuterSize();
    void Form_Unload();
    void readWindowSettings();
    void openChordBoxEditor();
    // The font-size box: a size the user chose, and the size the selection has.
    void applyFontSize(const QString &text);
    void showFontSize(const QString &text);
    // Opens the editor on a saved chord; its edit is saved as a new chord.
    void editChord(const QString &chordKey);
    void showHelp();

    MainMenus m_menus;
    MainToolBar m_toolBar;
    QSplitter *vbuSplitter = nullptr;
    ::rtfText *rtfText = nullptr;
    ChordListPanel *m_chordPanel = nullptr;
    QStatusBar *sbStatusBar = nullptr;
    QLabel *m_fontPanel = nullptr;
    QLabel *m_libraryPanel = nullptr;
    SongFileCommands *m_fileCommands = nullptr;
    EditCommands *m_editCommands = nullptr;
    std::unique_ptr<SpellDialogs> m_spellDialogs;
    ::psSpellCheck *psSpellCheck = nullptr;
    std::unique_ptr<SpellCheckCommands> m_spellCommands;
    SpellAsYouType *m_spellAsYouType = nullptr;

    bool mblnFirstShow = true;
    // The outer size asked for at load; the frame is only known once shown.
    QSize m_requestedOuterSize;
    bool m_outerSizePending = false;
    QString m_shownFontSize;
    QString m_helpFile;
    QString m_songAtStart;
    QPointer<HelpWindow> m_helpWindow;
};
