#include "library/frmLibrary.h"

#include "base/DataFolders.h"
#include "base/Module1.h"
#include "base/Prompt.h"
#include "base/Twips.h"
#include "library/ChordLibraryFolders.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The dialog's client area and controls, in twips.
constexpr int clientWidth = 4680;
constexpr int clientHeight = 2055;
// The label spans the box's width: drawn in today's fonts its text needs
// three lines in a narrower one, more than its height holds.
constexpr Twips::Rect librariesLabel{210, 360, 4230, 480};
constexpr Twips::Rect librariesBox{210, 825, 4230, 315};
constexpr Twips::Rect helpButton{225, 1485, 855, 375};
constexpr Twips::Rect cancelButton{2865, 1485, 855, 375};
constexpr Twips::Rect okButton{3825, 1485, 615, 375};

QString fileManagerName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("Windows Explorer");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("the Finder");
#else
    return QStringLiteral("your file manager");
#endif
}

} // namespace

frmLibrary::frmLibrary(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Chord Libraries"));
    createControls();
    Form_Load();
}

void frmLibrary::createControls()
{
    setFixedSize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight));

    lblChordLibs = new QLabel(QStringLiteral("Select an existing Chord Library or enter the name for a new one:"),
                              this);
    lblChordLibs->setObjectName(QStringLiteral("lblChordLibs"));
    lblChordLibs->setWordWrap(true);
    lblChordLibs->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    lblChordLibs->setGeometry(librariesLabel.pixels());

    cboChordLibs = new QComboBox(this);
    cboChordLibs->setObjectName(QStringLiteral("cboChordLibs"));
    cboChordLibs->setEditable(true);
    // The typed name is taken as typed: Enter adds no entry, and completion
    // never turns "default" into "Default".
    cboChordLibs->setInsertPolicy(QComboBox::NoInsert);
    cboChordLibs->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cboChordLibs->setGeometry(librariesBox.pixels());
    lblChordLibs->setBuddy(cboChordLibs);

    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setGeometry(helpButton.pixels());
    cmdHelp->setAutoDefault(false);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(cancelButton.pixels());
    cmdCancel->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(okButton.pixels());
    cmdOK->setDefault(true);

    setTabOrder(cboChordLibs, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);

    connect(cmdOK, &QPushButton::clicked, this, &frmLibrary::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &frmLibrary::cmdHelp_Click);
}

void frmLibrary::Form_Load()
{
    mstrBitMapsPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());
    cboChordLibs->clear();
    cboChordLibs->addItem(ChordLibraryFolders::defaultLibraryName());
    int current = 0;
    for (const QString &name : ChordLibraryFolders::listLibraryNames(DataFolders::DataPath())) {
        cboChordLibs->addItem(name);
        if (mstrBitMapsPath + name + QDir::separator() == gstrChordLibPath)
            current = cboChordLibs->count() - 1;
    }
    cboChordLibs->setCurrentIndex(current);
    cboChordLibs->lineEdit()->selectAll();
}

void frmLibrary::cmdOK_Click()
{
    const QString name = cboChordLibs->currentText().trimmed();
    if (name.isEmpty()) {
        accept();
        return;
    }
    if (name == ChordLibraryFolders::defaultLibraryName()) {
        if (gstrChordLibPath != mstrBitMapsPath) {
            gstrChordLibPath = mstrBitMapsPath;
            gstrChordLibName = name;
        }
        accept();
        return;
    }
    // A refused name or a folder that cannot be made keeps the dialog open
    // with the name, to be corrected.
    if (const QString problem = ChordLibraryFolders::libraryNameProblem(DataFolders::DataPath(), name); !problem.isEmpty()) {
        prompt().message(this, QMessageBox::Information, QStringLiteral("Invalid Library Name"), problem);
        cboChordLibs->setFocus();
        return;
    }
    QString folderName;
    if (const Result made = ChordLibraryFolders::makeLibraryFolder(DataFolders::DataPath(), name, &folderName);
        !made) {
        prompt().message(this, QMessageBox::Warning, QStringLiteral("Chord Library Not Created"),
                         QStringLiteral("The folder for the Chord Library \"%1\" could not be created:\n%2\n%3")
                             .arg(name, QDir::toNativeSeparators(mstrBitMapsPath + name), made.description()));
        cboChordLibs->setFocus();
        return;
    }
    gstrChordLibPath = mstrBitMapsPath + folderName + QDir::separator();
    gstrChordLibName = folderName;
    accept();
}

QString frmLibrary::helpText()
{
    return QStringLiteral("Most users will only need to use the 'Default' Chord Library.\n"
                          "However, you may organize groups of chords into seperate collections if you wish.\n"
                          "\n"
                          "The Chord images are stored in the 'BitMaps' folder inside the 'Songloom' folder.\n"
                          "Any sub-folders created in the BitMaps folder will be listed in the Libraries list.\n"
                          "\n"
                          "You can manually create or rename the sub-folders, and copy or move the bitmap files, "
                          "with %1, but do not rename the parent 'BitMaps' folder.")
               .arg(fileManagerName())
           + installedLibrariesNote();
}

QString frmLibrary::installedLibrariesNote()
{
    // An installed program keeps the user's chords in the user's own data
    // folder, not beside the program, so the help says where.
    if (QDir(DataFolders::DataPath()) == QDir(AppPath()))
        return {};
    return QStringLiteral("\n\nYour chord libraries are kept in:\n")
           + QDir::toNativeSeparators(ChordLibraryFolders::bitMapsFolder(DataFolders::DataPath()));
}

void frmLibrary::cmdHelp_Click()
{
    prompt().message(this, QMessageBox::Information, QStringLiteral("Chord Libraries Info"), helpText());
}
