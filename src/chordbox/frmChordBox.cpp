#include "chordbox/frmChordBox.h"

#include "base/Module1.h"
#include "base/Prompt.h"
#include "base/Twips.h"
#include "chordbox/ChordBoard.h"
#include "chordbox/ChordBoxGeometry.h"
#include "chordbox/ChordBoxRenderer.h"
#include "library/ChordFiles.h"

#include <QComboBox>
#include <QFileDevice>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace {

// The dialog's layout in twips: left, top, width, height.
constexpr int clientWidth = 4695;
constexpr int clientHeight = 3285;
constexpr Twips::Rect chordNameBox{2880, 1200, 1575, 285};
constexpr Twips::Rect fretNumBox{2880, 1920, 1575, 315};
constexpr Twips::Rect okButton{3840, 2760, 615, 375};
constexpr Twips::Rect cancelButton{2880, 2760, 855, 375};
constexpr Twips::Rect nameLabel{2880, 960, 1575, 255};
constexpr Twips::Rect board{240, 120, 2310, 2310};
constexpr Twips::Rect fretNumLabel{2880, 1680, 1575, 255};
constexpr Twips::Rect imageBox{3795, 120, 660, 780};
constexpr Twips::Rect otherTextLabel{2880, 2280, 1575, 255};
constexpr Twips::Rect helpButton{240, 2760, 855, 375};
constexpr int sunkenBorder = 2;
// The layout is measured for captions of this size.
constexpr qreal captionPointSize = 8;

QString helpText()
{
    return QStringList{
        QStringLiteral("Click the Large ChordBox to place dots on the fretboard."),
        QStringLiteral("Right-Click to add a Bar of dots for a Bar-Chord."),
        QString(),
        QStringLiteral("Type the Chord Name in the upper Textbox."),
        QString(),
        QStringLiteral("You may type additional text in the ComboBox"),
        QStringLiteral("or select the chord's location on the fretboard,"),
        QStringLiteral("for chords which are played higher on the neck."),
        QString(),
        QStringLiteral("Click OK to Save the chord and exit the editor."),
        QStringLiteral("It will be listed alphabetically in the ChordList Window."),
        QString(),
        QStringLiteral("To Delete a Chord, select it in the List and press the Delete Key."),
    }.join(QLatin1Char('\n'));
}

} // namespace

frmChordBox::frmChordBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("New ChordBox"));
    setFixedSize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight));
    QFont captions = font();
    captions.setPointSizeF(captionPointSize);
    setFont(captions);
    m_image = QImage(ChordBoxGeometry::imageWidth, ChordBoxGeometry::imageHeight, QImage::Format_RGB32);
    m_image.fill(ChordBoxGeometry::white);
    createControls();
    cboFretNum->addItems(ChordBox::topFretList());
    cboFretNum->setCurrentIndex(0);
}

void frmChordBox::createControls()
{
    txtChordName = new QLineEdit(this);
    txtChordName->setObjectName(QStringLiteral("txtChordName"));
    txtChordName->setGeometry(chordNameBox.pixels());

    cboFretNum = new QComboBox(this);
    cboFretNum->setObjectName(QStringLiteral("cboFretNum"));
    cboFretNum->setEditable(true);
    // Typed text stays as typed: no completion, and Enter adds no entry.
    cboFretNum->setCompleter(nullptr);
    cboFretNum->setInsertPolicy(QComboBox::NoInsert);
    cboFretNum->setGeometry(fretNumBox.pixels());

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(okButton.pixels());
    cmdOK->setDefault(true);

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(cancelButton.pixels());
    cmdCancel->setAutoDefault(false);

    lblName = new QLabel(QStringLiteral("Chord Name:"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setGeometry(nameLabel.pixels());

    picMap = new ChordBoard(m_chord, this);
    picMap->setObjectName(QStringLiteral("picMap"));
    picMap->setGeometry(board.pixels());

    lblFretNum = new QLabel(QStringLiteral("Top Fret Location:"), this);
    lblFretNum->setObjectName(QStringLiteral("lblFretNum"));
    lblFretNum->setGeometry(fretNumLabel.pixels());

    Pic_Image = new QLabel(this);
    Pic_Image->setObjectName(QStringLiteral("Pic_Image"));
    Pic_Image->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Pic_Image->setLineWidth(sunkenBorder);
    Pic_Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pic_Image->setGeometry(imageBox.pixels());
    Pic_Image->setPixmap(QPixmap::fromImage(m_image));

    lblOtherText = new QLabel(QStringLiteral("or Additional Text:"), this);
    lblOtherText->setObjectName(QStringLiteral("lblOtherText"));
    lblOtherText->setGeometry(otherTextLabel.pixels());

    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setGeometry(helpButton.pixels());
    cmdHelp->setAutoDefault(false);

    // Keyboard order: name, top fret, OK, Cancel, Help. The pictures only
    // take the pointer.
    setTabOrder(txtChordName, cboFretNum);
    setTabOrder(cboFretNum, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
    txtChordName->setFocus();

    connect(txtChordName, &QLineEdit::textChanged, this, &frmChordBox::DrawChordBox);
    connect(cboFretNum, &QComboBox::currentTextChanged, this, &frmChordBox::cboFretNum_Change);
    connect(picMap, &ChordBoard::released, this, &frmChordBox::picMap_MouseUp);
    connect(cmdOK, &QPushButton::clicked, this, &frmChordBox::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &frmChordBox::cmdHelp_Click);
}

void frmChordBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (mblnFirstActivate) {
        DrawChordBox();
        mblnFirstActivate = false;
    }
}

void frmChordBox::startFrom(const ChordBox &chord, const QString &name, const QString &topText)
{
    m_chord = chord;
    picMap->update();
    txtChordName->setText(name);
    // A list entry is picked as the user would pick it; other text is typed.
    const int entry = cboFretNum->findText(topText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (entry >= 0)
        cboFretNum->setCurrentIndex(entry);
    else
        cboFretNum->setEditText(topText);
    DrawChordBox();
}

void frmChordBox::picMap_MouseUp(int button, float X, float Y)
{
    m_chord.mouseUp(button, X, Y);
    picMap->update();
    DrawChordBox();
}

void frmChordBox::DrawChordBox()
{
    m_image = ChordBoxRenderer::DrawChordBox(m_chord, txtChordName->text(), cboFretNum->currentText());
    Pic_Image->setPixmap(QPixmap::fromImage(m_image));
}

void frmChordBox::cboFretNum_Change()
{
    if (!mblnFirstActivate)
        DrawChordBox();
}

void frmChordBox::cmdOK_Click()
{
    if (txtChordName->text().trimmed().isEmpty()) {
        prompt().message(this, QMessageBox::Information, QStringLiteral("No Chord Name"),
                         QStringLiteral("Please enter the Chord Name."));
        return;
    }
    const QString displayName = ChordFiles::composeDisplayName(txtChordName->text(), cboFretNum->currentText());
    if (!ChordFiles::isAcceptedChordName(displayName)) {
        prompt().message(this, QMessageBox::Information, QStringLiteral("Invalid Chord Name"),
                         ChordFiles::refusedCharactersMessage());
        return;
    }
    Result saved = Result::failed(QFileDevice::OpenError, QStringLiteral("No chord library is chosen."));
    if (!gstrChordLibPath.isEmpty()) {
        const QString file = ChordFiles::MakeChordFileName(displayName, gstrChordLibPath);
        saved = ChordFiles::saveChordFile(m_image, ChordFiles::chordKey(gstrChordLibPath, file));
        if (saved) {
            gstrNewChordName = file;
            accept();
            return;
        }
    }
    showMessage(this, QMessageBox::Warning, saved.message());
}

void frmChordBox::cmdHelp_Click()
{
    prompt().message(this, QMessageBox::Information, QStringLiteral("ChordBox Editor Help"), helpText());
}
