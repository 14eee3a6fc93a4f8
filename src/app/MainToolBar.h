#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QActionGroup;
class QComboBox;
class QToolBar;
class QWidget;

// The main window's toolbar: 27 positions of buttons and separators, each
// button known by its key text, and the font-size box in its placeholder.
struct MainToolBar
{
    QToolBar *tbToolBar = nullptr;
    QComboBox *cboFontSize = nullptr;
    // Every position from 1 on; separators included.
    QList<QAction *> positions;
    // Buttons by key ("New", "Align Left", ...).
    QHash<QString, QAction *> buttons;
    QActionGroup *alignmentGroup = nullptr;

    static MainToolBar create(QWidget *window);
};
