#pragma once

#include "chordbox/ChordBox.h"

#include <QDialog>
#include <QImage>

class ChordBoard;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The "New ChordBox" editor. Each opening is a fresh dialog with an empty
// chord, or with a chord read back from its picture. OK saves the ChordBox picture as a chord file in the current
// library (gstrChordLibPath) and reports the file's name through
// gstrNewChordName; the caller clears that first and adds the chord to its
// list afterwards.
class frmChordBox final : public QDialog
{
    Q_OBJECT
public:
    explicit frmChordBox(QWidget *parent = nullptr);

    // The chord being drawn and its picture as it stands.
    const ChordBox &chord() const { return m_chord; }
    QImage chordBoxImage() const { return m_image; }

    // Starts from a chord read back from its picture: its dots and bar,
    // the chord name and the top-fret text. OK saves it as a new chord,
    // under a free name, and the old one is kept.
    void startFrom(const ChordBox &chord, const QString &name, const QString &topText);

    // A pointer button released over the board at a board position
    // (1 left, 2 right, 4 middle).
    void picMap_MouseUp(int button, float X, float Y);

    // Rebuilds the ChordBox picture from the chord and the two texts.
    void DrawChordBox();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void cmdOK_Click();
    void cmdHelp_Click();
    void cboFretNum_Change();

    ChordBox m_chord;
    QImage m_image;
    // True until the first showing has drawn the picture; until then the
    // top-fret box's notifications draw nothing.
    bool mblnFirstActivate = true;

    QLineEdit *txtChordName = nullptr;
    QComboBox *cboFretNum = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblName = nullptr;
    ChordBoard *picMap = nullptr;
    QLabel *lblFretNum = nullptr;
    QLabel *Pic_Image = nullptr;
    QLabel *lblOtherText = nullptr;
    QPushButton *cmdHelp = nullptr;
};
