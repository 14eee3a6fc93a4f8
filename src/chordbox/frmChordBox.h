#pragma once

#include <QDialog>

// The "New ChordBox" editor. Saves into the current library and reports the
// saved file's name through gstrNewChordName.
class frmChordBox final : public QDialog
{
    Q_OBJECT
public:
    explicit frmChordBox(QWidget *parent = nullptr);
};
