#pragma once

#include "app/MainMenus.h"
#include "app/MainToolBar.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>

class HelpWindow;
class QLabel;
class QSplitter;
class QStatusBar;
class ChordListView;
class rtfText;

// The program's one main window: the song on the left, the chord list on the
// right, the menus, toolbar and status bar around them. Closing it ends the
// program.
class frmSongloom final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmSongloom(QWidget *parent = nullptr);

    // Prepares the window before it is first shown: folders, settings, the
    // chord list, the font sizes. Every step runs even when one before it failed.
    void Form_Load();
    // Runs at every activation; the first one opens the new song.
    void Form_Activate();

    // Lists the current library afresh.
    void LoadBitMaps();
    // Adds the chord the editor has just saved (gstrNewChordName).
    void LoadNewBitMap();

    void mnuFileItem_Click(int index);
    void mnuEditItem_Click(int index);
    void mnuViewItem_Click(int index);
    void mnuToolsItem_Click(int index);
    void mnuHelpItem_Click(int index);
    void mnuChordItem_Click(int index);
    void tbToolBar_ButtonClick(const QString &key);

    bool isLoading() const { return mblnLoading; }
    QString helpFile() const { return m_helpFile; }

    MainMenus menus;
    MainToolBar toolBar;
    QSplitter *vbuSplitter = nullptr;
    ::rtfText *rtfText = nullptr;
    ChordListView *ListView1 = nullptr;
    QStatusBar *sbStatusBar = nullptr;
    QLabel *fontPanel = nullptr;
    QLabel *libraryPanel = nullptr;

signals:
    // The window has unloaded; the program ends.
    void unloaded();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWidgets();
    void connectCommands();
    // The first song: a new one from the template beside the program.
    void startupSong();
    void Form_Resize();
    void Form_Unload();
    void readWindowSettings();
    // Adds one chord file of the current library to the list; false when it
    // is not a picture.
    bool addChordItem(const QString &fileName);
    void openChordBoxEditor();
    void ShowCharacterMap();
    void showHelp();

    bool mblnLoading = false;
    bool mblnFirstShow = true;
    // The outer size asked for at load; the frame is only known once shown.
    QSize m_requestedOuterSize;
    QString m_helpFile;
    QPointer<HelpWindow> m_helpWindow;
};
