#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// "Chord Libraries": picks an existing chord library or names a new one,
// whose folder is made in BitMaps at once. Each opening is a fresh dialog
// with a fresh list. Its only result is gstrChordLibPath and
// gstrChordLibName; the caller compares the path with the one before and
// lists the library again when it changed.
class frmLibrary final : public QDialog
{
    Q_OBJECT
public:
    explicit frmLibrary(QWidget *parent = nullptr);

    // The help message's text; it names the file manager of the platform.
    static QString helpText();
    // Where the chords are, when that is not beside the program.
    static QString installedLibrariesNote();

private:
    void createControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdHelp_Click();

    // BitMaps in the program folder, ending in the separator.
    QString mstrBitMapsPath;

    QLabel *lblChordLibs = nullptr;
    QComboBox *cboChordLibs = nullptr;
    QPushButton *cmdHelp = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOK = nullptr;
};
