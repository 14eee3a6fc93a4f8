#include "chordbox/ChordBoxCommand.h"

#include "base/Module1.h"
#include "chordbox/frmChordBox.h"

bool runChordBoxEditor(QWidget *owner)
{
    gstrNewChordName.clear();
    {
        frmChordBox editor(owner);
        editor.exec();
    }
    return !gstrNewChordName.isEmpty();
}
