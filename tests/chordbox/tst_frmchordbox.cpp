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
#include <QRegularExpression>
#include <QTest>

#include <memory>

class tst_frmChordBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void tabOrder();
    void drawsAtFirstShowingAndOnEveryChange();
    void boardMarksThePointerCell();
    void saves_data();
    void saves();
    void refuses_data();
    void refuses();
    void cancelSavesNothing();
    void help();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<frmChordBox> m_dialog;

    void open();
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    QStringList files() const { return QDir(gstrChordLibPath).entryList(QDir::Files | QDir::Hidden); }
    QLineEdit *name() const { return m_dialog->findChild<QLineEdit *>("txtChordName"); }
    QComboBox *fret() const { return m_dialog->findChild<QComboBox *>("cboFretNum"); }
    QPushButton *button(const char *objectName) const { return m_dialog->findChild<QPushButton *>(objectName); }
};

void tst_frmChordBox::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(QDir(m_folder->path()).mkdir("BitMaps"));
    gstrChordLibPath = defaultChordLibPath(AppPath());
    m_prompt = std::make_unique<ScriptedPrompt>();
}

void tst_frmChordBox::cleanup()
{
    m_dialog.reset();
    m_prompt.reset();
    m_folder.reset();
}

// As the main window opens it: the result cleared, a fresh dialog.
void tst_frmChordBox::open()
{
    gstrNewChordName.clear();
    m_dialog = std::make_unique<frmChordBox>();
    m_dialog->show();
}

void tst_frmChordBox::click(QPoint at, Qt::MouseButton button)
{
    auto *board = m_dialog->findChild<ChordBoard *>("picMap");
    QTest::mouseClick(board, button, {}, board->contentsRect().topLeft() + at);
}

void tst_frmChordBox::layout()
{
    open();
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
    for (const auto &[objectName, rect] : geometry)
        QCOMPARE(m_dialog->findChild<QWidget *>(objectName)->geometry(), rect);
    QCOMPARE(m_dialog->findChild<QWidget *>("picMap")->contentsRect().size(), QSize(150, 150));
    QCOMPARE(m_dialog->findChild<QWidget *>("Pic_Image")->contentsRect().size(), QSize(40, 48));
    QCOMPARE(QStringList({button("cmdOK")->text(), button("cmdCancel")->text(), button("cmdHelp")->text()}),
             QStringList({"&OK", "&Cancel", "&Help"}));
    QCOMPARE(m_dialog->findChild<QLabel *>("lblOtherText")->text(), QStringLiteral("or Additional Text:"));
    QVERIFY(fret()->isEditable());
    QCOMPARE(fret()->count(), 24);
}

void tst_frmChordBox::tabOrder()
{
    open();
    QApplication::setActiveWindow(m_dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    name()->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        while (focused->objectName().isEmpty())
            focused = focused->parentWidget();
        order.append(focused->objectName());
    }
    QCOMPARE(order, (QStringList{"txtChordName", "cboFretNum", "cmdOK", "cmdCancel", "cmdHelp", "txtChordName"}));
}

void tst_frmChordBox::drawsAtFirstShowingAndOnEveryChange()
{
    m_dialog = std::make_unique<frmChordBox>();
    fret()->setCurrentIndex(3);
    QImage blank(40, 48, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(m_dialog->chordBoxImage(), blank);
    m_dialog->show();
    QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), {}, "4th Fret"));

    click({20, 20});
    click({90, 70});
    click({60, 120}, Qt::RightButton);
    click({20, 20});
    QCOMPARE(m_dialog->chord().mcolDotX, QList<float>{88});
    QCOMPARE(m_dialog->chord().mcolDotY, QList<float>{65});
    QCOMPARE(m_dialog->chord().mlngBarY, 115);
    click({5, 110}, Qt::MiddleButton);
    QCOMPARE(m_dialog->chord().mlngBarY, 0);
    QTest::keyClicks(name(), " Em");
    fret()->setEditText("capo");
    const QImage expected = ChordBoxRenderer::DrawChordBox(m_dialog->chord(), " Em", "capo");
    QCOMPARE(m_dialog->chordBoxImage(), expected);
    const QPixmap shown = m_dialog->findChild<QLabel *>("Pic_Image")->pixmap();
    QCOMPARE(shown.toImage().convertToFormat(QImage::Format_RGB32), expected);
}

void tst_frmChordBox::boardMarksThePointerCell()
{
    open();
    auto *board = m_dialog->findChild<ChordBoard *>("picMap");
    QTest::mouseMove(board, board->contentsRect().topLeft() + QPoint(40, 60));
    QTRY_COMPARE(board->hoveredCell(), std::optional<QPoint>(QPoint(38, 65)));
    QTest::mouseMove(board, board->contentsRect().topLeft() + QPoint(140, 140));
    QTRY_COMPARE(board->hoveredCell(), std::optional<QPoint>(QPoint(138, 115)));
}

void tst_frmChordBox::saves_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("name and entry") << QStringList{"Am", "5th Fret"} << QStringList{"Am 5th Fret"};
    QTest::newRow("trimmed") << QStringList{"  Am  ", "  capo 2 "} << QStringList{"Am capo 2"};
    QTest::newRow("slash") << QStringList{"C/G", ""} << QStringList{"C~G"};
    QTest::newRow("three times") << QStringList{"Am", "", "Am", "", "Am", ""} << QStringList{"Am", "Am;2", "Am;3"};
}

void tst_frmChordBox::saves()
{
    QFETCH(QStringList, typed);
    QImage shown;
    for (int i = 0; i < typed.size(); i += 2) {
        open();
        // Each opening starts empty.
        QCOMPARE(m_dialog->chord().dotCount(), 0);
        QCOMPARE(name()->text(), QString());
        QCOMPARE(fret()->currentIndex(), 0);
        click({63, 40});
        click({0, 65}, Qt::RightButton);
        name()->setText(typed.at(i));
        fret()->setEditText(typed.at(i + 1));
        shown = m_dialog->chordBoxImage();
        QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    }
    QCOMPARE(m_prompt->messages.size(), 0);
    QFETCH(QStringList, saved);
    QCOMPARE(gstrNewChordName, saved.last());
    QCOMPARE(files(), saved);
    QCOMPARE(QImage(gstrChordLibPath + saved.last()).convertToFormat(QImage::Format_RGB32), shown);
}

void tst_frmChordBox::refuses_data()
{
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("typedFret");
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("message");
    const QString invalid = "Invalid Chord Name|Chord Names cannot include the folowing characters.\n"
                            "; ~ \\ : ? \" < > |";
    QTest::newRow("blank name") << "    " << "5th Fret" << "" << "No Chord Name|Please enter the Chord Name.";
    for (const char *refused : {";", "~", "\\", ":", "?", "\"", "<", ">", "|"})
        QTest::addRow("name with %s", refused) << QStringLiteral("C%1G").arg(refused) << "" << "" << invalid;
    QTest::newRow("colon in the combo") << "Am" << "5th: Fret" << "" << invalid;
    QTest::newRow("library folder removed") << "Am" << "" << "Gone" << "Songloom|Error Number: ";
    QTest::newRow("name too long") << QString(300, 'A') << "" << "" << "Songloom|Error Number: ";
}

void tst_frmChordBox::refuses()
{
    QFETCH(QString, typedName);
    QFETCH(QString, typedFret);
    QFETCH(QString, library);
    QFETCH(QString, message);
    if (!library.isEmpty())
        gstrChordLibPath += library + QDir::separator();
    open();
    click({13, 15});
    name()->setText(typedName);
    fret()->setEditText(typedFret);
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);

    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message shown = m_prompt->messages.first();
    QCOMPARE(shown.title, message.section('|', 0, 0));
    if (shown.title == QStringLiteral("Songloom")) {
        QCOMPARE(shown.icon, QMessageBox::Warning);
        static const QRegularExpression errorText("^Error Number: \\d+  Description: \\S");
        QVERIFY2(errorText.match(shown.text).hasMatch(), qPrintable(shown.text));
    } else {
        QCOMPARE(shown.icon, QMessageBox::Information);
        QCOMPARE(shown.text, message.section('|', 1));
    }
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // The dialog stays open with everything as it was, and nothing is written.
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(name()->text(), typedName);
    QCOMPARE(fret()->currentText(), typedFret);
    QCOMPARE(m_dialog->chord().dotCount(), 1);
    QVERIFY(gstrNewChordName.isEmpty());
    QVERIFY(files().isEmpty());
}

void tst_frmChordBox::cancelSavesNothing()
{
    for (int way = 0; way < 3; ++way) {
        open();
        click({13, 15});
        name()->setText("Am");
        if (way == 0)
            QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
        else if (way == 1)
            m_dialog->close();
        else
            QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }
    QVERIFY(files().isEmpty());
    QVERIFY(gstrNewChordName.isEmpty());
    QVERIFY(m_prompt->messages.isEmpty());
}

void tst_frmChordBox::help()
{
    open();
    QTest::mouseClick(button("cmdHelp"), Qt::LeftButton);
    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message shown = m_prompt->messages.first();
    QCOMPARE(shown.title, QStringLiteral("ChordBox Editor Help"));
    QCOMPARE(shown.icon, QMessageBox::Information);
    const QStringList lines = shown.text.split('\n');
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines.first(), QStringLiteral("Click the Large ChordBox to place dots on the fretboard."));
    QCOMPARE(lines.at(2), QString());
    QCOMPARE(lines.last(), QStringLiteral("To Delete a Chord, select it in the List and press the Delete Key."));
    QVERIFY(m_dialog->isVisible());
}

QTEST_MAIN(tst_frmChordBox)
#include "tst_frmchordbox.moc"
