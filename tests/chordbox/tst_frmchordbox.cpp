// The "New ChordBox" editor, driven as a person would, with message boxes
// answered through the scripted prompt.
#include "chordbox/frmChordBox.h"

#include "app/Module1.h"
#include "chordbox/ChordBoard.h"
#include "chordbox/ChordBoxRenderer.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QString libraryFolder()
{
    return defaultChordLibPath(AppPath());
}

QStringList libraryFiles(const QString &folder = libraryFolder())
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Clicks the board at a position in board pixels.
void clickBoard(frmChordBox &dialog, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    auto *board = dialog.findChild<ChordBoard *>(QStringLiteral("picMap"));
    QTest::mouseClick(board, button, {}, board->contentsRect().topLeft() + at);
}

} // namespace

class tst_frmChordBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAndCaptions();
    void tabOrder();
    void opensEmptyAndDrawsAtFirstShowing();
    void boardClicksEditTheChord();
    void boardMarksThePointerCell();
    void textsRedrawAtOnce();
    void savesUnderTheComposedName_data();
    void savesUnderTheComposedName();
    void savingTwiceNumbersTheFiles();
    void refusesAnEmptyName();
    void refusesCharacters_data();
    void refusesCharacters();
    void failedSaveKeepsTheDialogOpen_data();
    void failedSaveKeepsTheDialogOpen();
    void cancelAndCloseSaveNothing();
    void reopeningIsEmpty();
    void help();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<frmChordBox> m_dialog;

    frmChordBox &openDialog();
    QLineEdit *name() { return m_dialog->findChild<QLineEdit *>(QStringLiteral("txtChordName")); }
    QComboBox *fret() { return m_dialog->findChild<QComboBox *>(QStringLiteral("cboFretNum")); }
    QPushButton *button(const char *objectName)
    {
        return m_dialog->findChild<QPushButton *>(QString::fromLatin1(objectName));
    }
};

void tst_frmChordBox::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("BitMaps")));
    gstrChordLibPath = libraryFolder();
    gstrChordLibName = QStringLiteral("Default");
    m_prompt = std::make_unique<ScriptedPrompt>();
}

void tst_frmChordBox::cleanup()
{
    m_dialog.reset();
    m_prompt.reset();
    m_folder.reset();
}

frmChordBox &tst_frmChordBox::openDialog()
{
    gstrNewChordName.clear();
    m_dialog = std::make_unique<frmChordBox>();
    m_dialog->show();
    return *m_dialog;
}

void tst_frmChordBox::layoutAndCaptions()
{
    openDialog();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("New ChordBox"));
    QCOMPARE(m_dialog->size(), QSize(313, 219));
    QVERIFY(!(m_dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));
    const QList<QPair<QString, QRect>> geometry{
        {"txtChordName", {192, 80, 105, 19}}, {"cboFretNum", {192, 128, 105, 21}},
        {"cmdOK", {256, 184, 41, 25}},        {"cmdCancel", {192, 184, 57, 25}},
        {"lblName", {192, 64, 105, 17}},      {"picMap", {16, 8, 154, 154}},
        {"lblFretNum", {192, 112, 105, 17}},  {"Pic_Image", {253, 8, 44, 52}},
        {"lblOtherText", {192, 152, 105, 17}}, {"cmdHelp", {16, 184, 57, 25}},
    };
    for (const auto &[objectName, rect] : geometry) {
        auto *widget = m_dialog->findChild<QWidget *>(objectName);
        QVERIFY2(widget, qPrintable(objectName));
        QCOMPARE(widget->geometry(), rect);
    }
    // The board and the picture have exactly their drawing size inside the border.
    QCOMPARE(m_dialog->findChild<QWidget *>("picMap")->contentsRect().size(), QSize(150, 150));
    QCOMPARE(m_dialog->findChild<QLabel *>("Pic_Image")->contentsRect().size(), QSize(40, 48));
    QCOMPARE(button("cmdOK")->text(), QStringLiteral("&OK"));
    QCOMPARE(button("cmdCancel")->text(), QStringLiteral("&Cancel"));
    QCOMPARE(button("cmdHelp")->text(), QStringLiteral("&Help"));
    QCOMPARE(m_dialog->findChild<QLabel *>("lblName")->text(), QStringLiteral("Chord Name:"));
    QCOMPARE(m_dialog->findChild<QLabel *>("lblFretNum")->text(), QStringLiteral("Top Fret Location:"));
    QCOMPARE(m_dialog->findChild<QLabel *>("lblOtherText")->text(), QStringLiteral("or Additional Text:"));
    QVERIFY(fret()->isEditable());
    QCOMPARE(fret()->count(), 24);
}

void tst_frmChordBox::tabOrder()
{
    openDialog();
    QApplication::setActiveWindow(m_dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    name()->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        while (focused && focused->objectName().isEmpty())
            focused = focused->parentWidget();
        order.append(focused ? focused->objectName() : QString());
    }
    QCOMPARE(order, (QStringList{"txtChordName", "cboFretNum", "cmdOK", "cmdCancel", "cmdHelp", "txtChordName"}));
}

void tst_frmChordBox::opensEmptyAndDrawsAtFirstShowing()
{
    m_dialog = std::make_unique<frmChordBox>();
    // Until the first showing the picture is not drawn, whatever the box says.
    fret()->setCurrentIndex(3);
    QImage blank(40, 48, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(m_dialog->chordBoxImage(), blank);
    m_dialog->show();
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), QString(), "4th Fret"));
    QCOMPARE(m_dialog->chord().dotCount(), 0);
    QCOMPARE(m_dialog->chord().mlngBarY, 0);
}

void tst_frmChordBox::boardClicksEditTheChord()
{
    openDialog();
    clickBoard(*m_dialog, {20, 20});
    clickBoard(*m_dialog, {90, 70});
    clickBoard(*m_dialog, {60, 120}, Qt::RightButton);
    clickBoard(*m_dialog, {20, 20});
    QCOMPARE(m_dialog->chord().mcolDotX, (QList<float>{88}));
    QCOMPARE(m_dialog->chord().mcolDotY, (QList<float>{65}));
    QCOMPARE(m_dialog->chord().mlngBarY, 115);
    clickBoard(*m_dialog, {5, 110}, Qt::MiddleButton);
    QCOMPARE(m_dialog->chord().mlngBarY, 0);
    // Every release redraws the picture.
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(m_dialog->chord(), QString(), QString()));
    auto *picture = m_dialog->findChild<QLabel *>("Pic_Image");
    QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), m_dialog->chordBoxImage());
}

void tst_frmChordBox::boardMarksThePointerCell()
{
    openDialog();
    auto *board = m_dialog->findChild<ChordBoard *>(QStringLiteral("picMap"));
    QTest::mouseMove(board, board->contentsRect().topLeft() + QPoint(40, 60));
    QTRY_COMPARE(board->hoveredCell(), std::optional<QPoint>(QPoint(38, 65)));
    QTest::mouseMove(board, board->contentsRect().topLeft() + QPoint(140, 140));
    QTRY_COMPARE(board->hoveredCell(), std::optional<QPoint>(QPoint(138, 115)));
}

void tst_frmChordBox::textsRedrawAtOnce()
{
    openDialog();
    QTest::keyClicks(name(), QStringLiteral(" Em"));
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), " Em", QString()));
    fret()->setCurrentIndex(1);
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), " Em", "2nd Fret"));
    fret()->setEditText(QStringLiteral("capo"));
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), " Em", "capo"));
}

void tst_frmChordBox::savesUnderTheComposedName_data()
{
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("typedFret");
    QTest::addColumn<QString>("file");
    QTest::newRow("name and entry") << "Am" << "5th Fret" << "Am 5th Fret";
    QTest::newRow("blanks trimmed in the name only") << "  Am  " << "  capo 2 " << "Am capo 2";
    QTest::newRow("slash becomes tilde") << "C/G" << "" << "C~G";
    QTest::newRow("asterisk passes") << "C*" << "" << "C*";
}

void tst_frmChordBox::savesUnderTheComposedName()
{
    QFETCH(QString, typedName);
    QFETCH(QString, typedFret);
    QFETCH(QString, file);
    openDialog();
    clickBoard(*m_dialog, {63, 40});
    name()->setText(typedName);
    fret()->setEditText(typedFret);
    const QImage shown = m_dialog->chordBoxImage();
    QCOMPARE(shown, ChordBoxRenderer::DrawChordBox(m_dialog->chord(), typedName, typedFret));
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);

    QCOMPARE(m_prompt->messages.size(), 0);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(gstrNewChordName, file);
    QCOMPARE(libraryFiles(), QStringList{file});
    const QImage saved(libraryFolder() + file);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), shown);
}

void tst_frmChordBox::savingTwiceNumbersTheFiles()
{
    for (int i = 0; i < 3; ++i) {
        openDialog();
        name()->setText(QStringLiteral("Am"));
        QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    }
    QCOMPARE(gstrNewChordName, QStringLiteral("Am;3"));
    QCOMPARE(libraryFiles(), (QStringList{"Am", "Am;2", "Am;3"}));
}

void tst_frmChordBox::refusesAnEmptyName()
{
    openDialog();
    name()->setText(QStringLiteral("    "));
    fret()->setCurrentIndex(4);
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message message = m_prompt->messages.first();
    QCOMPARE(message.text, QStringLiteral("Please enter the Chord Name."));
    QCOMPARE(message.title, QStringLiteral("No Chord Name"));
    QCOMPARE(message.icon, QMessageBox::Information);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(name()->text(), QStringLiteral("    "));
    QVERIFY(libraryFiles().isEmpty());
    QVERIFY(gstrNewChordName.isEmpty());
}

void tst_frmChordBox::refusesCharacters_data()
{
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("typedFret");
    for (const char *refused : {";", "~", "\\", ":", "?", "\"", "<", ">", "|"})
        QTest::addRow("name with %s", refused) << QStringLiteral("C%1G").arg(QLatin1String(refused)) << QString();
    QTest::newRow("colon in the combo") << "Am" << "5th: Fret";
    QTest::newRow("tilde in the combo") << "Am" << "~";
}

void tst_frmChordBox::refusesCharacters()
{
    QFETCH(QString, typedName);
    QFETCH(QString, typedFret);
    openDialog();
    name()->setText(typedName);
    fret()->setEditText(typedFret);
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message message = m_prompt->messages.first();
    QCOMPARE(message.title, QStringLiteral("Invalid Chord Name"));
    QCOMPARE(message.text, QStringLiteral("Chord Names cannot include the folowing characters.\n"
                                          "; ~ \\ : ? \" < > |"));
    QCOMPARE(message.icon, QMessageBox::Information);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(name()->text(), typedName);
    QCOMPARE(fret()->currentText(), typedFret);
    QVERIFY(libraryFiles().isEmpty());
    QVERIFY(gstrNewChordName.isEmpty());
}

void tst_frmChordBox::failedSaveKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("typedName");
    QTest::newRow("library folder removed") << "Gone" << "Am";
    QTest::newRow("name too long for the file system") << "" << QString(300, QLatin1Char('A'));
}

void tst_frmChordBox::failedSaveKeepsTheDialogOpen()
{
    QFETCH(QString, library);
    QFETCH(QString, typedName);
    if (!library.isEmpty())
        gstrChordLibPath = libraryFolder() + library + QDir::separator();
    openDialog();
    clickBoard(*m_dialog, {13, 15});
    name()->setText(typedName);
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);

    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message message = m_prompt->messages.first();
    QCOMPARE(message.title, QStringLiteral("Songloom"));
    QCOMPARE(message.icon, QMessageBox::Warning);
    static const QRegularExpression errorText(QStringLiteral("^Error Number: \\d+  Description: \\S.*$"));
    QVERIFY2(errorText.match(message.text).hasMatch(), qPrintable(message.text));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(name()->text(), typedName);
    QCOMPARE(m_dialog->chord().dotCount(), 1);
    QVERIFY(gstrNewChordName.isEmpty());
    // Nothing half-written stays behind.
    QVERIFY(libraryFiles().isEmpty());
    if (!library.isEmpty())
        QVERIFY(!QFileInfo::exists(gstrChordLibPath));
}

void tst_frmChordBox::cancelAndCloseSaveNothing()
{
    openDialog();
    clickBoard(*m_dialog, {13, 15});
    name()->setText(QStringLiteral("Am"));
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));

    openDialog();
    name()->setText(QStringLiteral("Am"));
    m_dialog->close();
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));

    openDialog();
    name()->setText(QStringLiteral("Am"));
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());

    QVERIFY(libraryFiles().isEmpty());
    QVERIFY(gstrNewChordName.isEmpty());
    QVERIFY(m_prompt->messages.isEmpty());
}

void tst_frmChordBox::reopeningIsEmpty()
{
    openDialog();
    clickBoard(*m_dialog, {13, 15});
    clickBoard(*m_dialog, {13, 65}, Qt::RightButton);
    name()->setText(QStringLiteral("G"));
    fret()->setCurrentIndex(2);
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(gstrNewChordName, QStringLiteral("G 3rd Fret"));

    openDialog();
    QCOMPARE(m_dialog->chord().dotCount(), 0);
    QCOMPARE(m_dialog->chord().mlngBarY, 0);
    QCOMPARE(name()->text(), QString());
    QCOMPARE(fret()->currentIndex(), 0);
    QCOMPARE(fret()->currentText(), QString());
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), QString(), QString()));
}

void tst_frmChordBox::help()
{
    openDialog();
    QTest::mouseClick(button("cmdHelp"), Qt::LeftButton);
    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message message = m_prompt->messages.first();
    QCOMPARE(message.title, QStringLiteral("ChordBox Editor Help"));
    QCOMPARE(message.icon, QMessageBox::Information);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    const QStringList lines = message.text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines.first(), QStringLiteral("Click the Large ChordBox to place dots on the fretboard."));
    QCOMPARE(lines.at(2), QString());
    QCOMPARE(lines.at(6), QStringLiteral("or select the chord's location on the fretboard,"));
    QCOMPARE(lines.last(), QStringLiteral("To Delete a Chord, select it in the List and press the Delete Key."));
    QVERIFY(m_dialog->isVisible());
}

QTEST_MAIN(tst_frmChordBox)
#include "tst_frmchordbox.moc"
