#pragma once

class QWidget;

// Tools > ChordBox and the toolbar's ChordBox: opens the editor modally
// over the owner. True when it saved a chord, whose file name is then in
// gstrNewChordName.
bool runChordBoxEditor(QWidget *owner);
