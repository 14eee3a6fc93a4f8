#pragma once

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "library/frmLibrary.h"

class ChordListView;
class QAction;
class QLineEdit;
class QListWidgetItem;
class QMenu;

// The chord list beside the song and its commands: listing the current
// library, adding a chord just saved, copying, editing and deleting a chord,
// and choosing another library. A filter box above the list narrows it to
// the chords whose name contains the typed text.
//
// A listing shows every name at once; the pictures of a large library are
// read in short runs on the event loop afterwards, so the window never waits
// for ten thousand files.
class ChordListPanel final : public QWidget
{
    Q_OBJECT
public:
    explicit ChordListPanel(QWidget *parent = nullptr);

    ChordListView *list() const { return ListView1; }
    QLineEdit *filterBox() const { return txtFilter; }
    // The library chooser while it is open, else nullptr.
    frmLibrary *chooser() const { return m_chooser; }

    // Lists the current library (gstrChordLibPath) afresh and writes the
    // status text.
    void LoadBitMaps();
    // Adds the chord the editor has just saved (gstrNewChordName), or lists
    // the whole library again when that chord cannot be added.
    void LoadNewBitMap();

    // The pop-up menu's commands; each acts on the selected chord and does
    // nothing when none is selected.
    void Edit();
    void Copy();
    void Delete();
    // Opens the library chooser; the list is read again once it has closed,
    // only if the library changed.
    void Libraries();

    bool hasSelectedChord() const;
    // Opens the pop-up menu for a right click at a point of the list's
    // viewport: at the list's left edge, at the height of the click. The
    // items that act on a chord are enabled only when one is selected.
    void showPopupMenu(QMenu *menu, const QList<QAction *> &chordItems, const QPoint &viewportPos);

    // True while pictures of the last listing are still being read.
    bool picturesPending() const;
    // Files of the last listing left out because they are no pictures or
    // cannot be read.
    int skippedFileCount() const { return m_skippedFiles; }

signals:
    // The status text for the current library ("Chord Library: Default").
    void statusChanged(const QString &text);
    // The user asked to edit the chord of that key (pop-up Edit or a double
    // click).
    void editChordRequested(const QString &chordKey);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readPendingPictures();
    // Reads one item's picture; false when the item was left out.
    bool readPicture(QListWidgetItem *item);
    void writeStatus();

    QLineEdit *txtFilter;
    ChordListView *ListView1;
    QList<QListWidgetItem *> m_pendingPictures;
    qsizetype m_nextPending = 0;
    QTimer m_pictureTimer;
    int m_skippedFiles = 0;
    QPointer<frmLibrary> m_chooser;
    // The list has painted once: pictures may be read on the event loop.
    bool m_painted = false;
};
