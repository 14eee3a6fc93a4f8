#include "chordbox/ChordBoxCommand.h"

#include "base/Module1.h"
#include "base/Prompt.h"
#include "chordbox/ChordBoxReader.h"
#include "chordbox/frmChordBox.h"
#include "library/ChordFiles.h"

#include <QFileInfo>

bool runChordBoxEditor(QWidget *owner)
{
    gstrNewChordName.clear();
    {
        frmChordBox editor(owner);
        editor.exec();
    }
    return !gstrNewChordName.isEmpty();
}

std::unique_ptr<frmChordBox> chordBoxEditorOn(QWidget *owner, const QString &chordKey, QString *error)
{
    ChordBoxReader reader;
    if (!reader.readFile(chordKey)) {
        if (error)
            *error = reader.errorString();
        const QString chordName = ChordFiles::displayNameOfFile(QFileInfo(chordKey).fileName());
        prompt().message(owner, QMessageBox::Information, QStringLiteral("Chord Cannot Be Edited"),
                         QStringLiteral("The chord \"%1\" cannot be opened in the ChordBox editor:\n%2.")
                             .arg(chordName, reader.errorString()));
        return nullptr;
    }
    auto editor = std::make_unique<frmChordBox>(owner);
    editor->startFrom(reader.chord(), reader.name(), reader.topText());
    return editor;
}

bool runChordBoxEditorOn(QWidget *owner, const QString &chordKey, QString *error)
{
    gstrNewChordName.clear();
    {
        const std::unique_ptr<frmChordBox> editor = chordBoxEditorOn(owner, chordKey, error);
        if (!editor)
            return false;
        editor->exec();
    }
    return !gstrNewChordName.isEmpty();
}
