#pragma once

#include <QString>

#include <memory>

class frmChordBox;
class QWidget;

// Tools > ChordBox and the toolbar's ChordBox: opens the editor modally
// over the owner. True when it saved a chord, whose file name is then in
// gstrNewChordName.
bool runChordBoxEditor(QWidget *owner);

// Edit chord: opens the editor modally on the chord of a chord file (its
// key, the full path), read back from its picture. OK saves it as a new
// chord under the editor's naming rules; the old file is kept. True when a
// chord was saved, its file name then in gstrNewChordName. A picture that
// cannot be read back is refused with a message to the user; false, and
// the reason in error.
bool runChordBoxEditorOn(QWidget *owner, const QString &chordKey, QString *error = nullptr);

// The editor started on the chord file's picture, not yet shown; null when
// the picture cannot be read back, after the user has been told why.
std::unique_ptr<frmChordBox> chordBoxEditorOn(QWidget *owner, const QString &chordKey, QString *error = nullptr);
