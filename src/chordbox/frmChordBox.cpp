#include "chordbox/frmChordBox.h"

frmChordBox::frmChordBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("New ChordBox"));
}
