// The Edit commands and the toolbar's formatting actions on a real song and
// the real clipboard, and the selection state computed from the song.

#include "document/EditCommands.h"
#include "document/SelectionState.h"
#include "document/rtfText.h"
#include "support/ScriptedPrompt.h"
#include "tst_rtfwriter_documents.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

using namespace SongSamples;

namespace {

// Two paragraphs: "Amazing grace" (Amazing bold, 10 points, left) and
// "how sweet" (12 points, right).
const QString songRtf = QStringLiteral(
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
    "\\pard\\ql\\f0\\fs20 {\\b Amazing} grace\\par"
    "\\pard\\qr\\f0\\fs24 how sweet}");

struct Fixture
{
    ScriptedPrompt prompt;
    QWidget window;
    rtfText *song = new rtfText(&window);
    EditCommands *commands = new EditCommands(song, &window);

    Fixture()
    {
        song->setTextRTF(songRtf);
        // Set here too: the reader does not yet keep the last paragraph's
        // alignment when the RTF ends without \par.
        select(15, 0);
        song->setSelAlignment(rtfText::rtfRight);
        select(0, 0);
    }

    void select(int start, int length)
    {
        song->setSelStart(start);
        song->setSelLength(length);
    }
};

} // namespace

class tst_EditCommands : public QObject
{
    Q_OBJECT

private slots:
    void copyGivesRichAndPlainText();
    void cutRemovesTheSelection();
    void paste_data();
    void paste();
    void styleButtons_data();
    void styleButtons();
    void copyrightBeforeTheSelection();
    void fontSizeBox_data();
    void fontSizeBox();
    void alignment();
    void fontDialog();
    void undoAndRedo();
    void characterMapMessage();
    void selectionState_data();
    void selectionState();
};

void tst_EditCommands::copyGivesRichAndPlainText()
{
    Fixture f;
    f.select(0, 13);
    f.commands->Copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    // Other programs paste the words, not RTF source.
    QCOMPARE(data->text(), QStringLiteral("Amazing grace"));
    QVERIFY(data->data("text/rtf").startsWith("{\\rtf"));
    QVERIFY(data->data("application/rtf").contains("\\b"));
    QCOMPARE(f.song->Text(), QStringLiteral("Amazing grace\r\nhow sweet"));
}

void tst_EditCommands::cutRemovesTheSelection()
{
    Fixture f;
    f.select(0, 8);
    f.commands->Cut();
    QCOMPARE(f.song->Text(), QStringLiteral("grace\r\nhow sweet"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Amazing "));

    // Paste brings the bold word back, bold.
    f.select(0, 0);
    f.commands->Paste();
    QCOMPARE(f.song->Text(), QStringLiteral("Amazing grace\r\nhow sweet"));
    f.select(0, 7);
    QCOMPARE(f.song->SelBold(), std::optional<bool>(true));
}

// Rich text when there is some, plain text otherwise, nothing from a
// clipboard without text.
void tst_EditCommands::paste_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("italic");

    QTest::newRow("rich text") << "rtf" << "X grace\r\nhow sweet" << true;
    QTest::newRow("plain text") << "text" << "{\\rtf1 not source} grace\r\nhow sweet" << false;
    QTest::newRow("picture only") << "image" << "Amazing grace\r\nhow sweet" << false;
    QTest::newRow("empty") << "empty" << "Amazing grace\r\nhow sweet" << false;
}

void tst_EditCommands::paste()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QFETCH(bool, italic);

    Fixture f;
    auto *data = new QMimeData;
    if (kind == "rtf") {
        data->setData("text/rtf", "{\\rtf1\\ansi {\\i X}}");
        data->setText("plain X");
    } else if (kind == "text") {
        data->setText("{\\rtf1 not source}");
    } else if (kind == "image") {
        data->setImageData(chordPicture(1));
    }
    QApplication::clipboard()->setMimeData(data);

    f.select(0, 7);
    f.commands->Paste();
    QCOMPARE(f.song->Text(), expected);
    if (italic) {
        f.select(0, 1);
        QCOMPARE(f.song->SelItalic(), std::optional<bool>(true));
    }
}

// A uniform selection flips; a mixed one stays and shows released.
void tst_EditCommands::styleButtons_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<std::optional<bool>>("boldAfter");
    QTest::addColumn<bool>("pressed");

    QTest::newRow("bold word") << 0 << 7 << std::optional<bool>(false) << false;
    QTest::newRow("plain word") << 8 << 5 << std::optional<bool>(true) << true;
    QTest::newRow("mixed") << 0 << 13 << std::optional<bool>() << false;
    QTest::newRow("caret in plain text") << 10 << 0 << std::optional<bool>(true) << true;
}

void tst_EditCommands::styleButtons()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(std::optional<bool>, boldAfter);
    QFETCH(bool, pressed);

    Fixture f;
    f.select(start, length);
    const QString rtfBefore = f.song->TextRTF();
    f.commands->Bold();
    QCOMPARE(f.song->SelBold(), boldAfter);
    QCOMPARE(SelectionState::of(*f.song).bold, pressed);
    if (!boldAfter)
        QCOMPARE(f.song->TextRTF(), rtfBefore);

    f.commands->Italic();
    QCOMPARE(f.song->SelItalic(), std::optional<bool>(true));
    f.commands->Underline();
    f.commands->Underline();
    QCOMPARE(f.song->SelUnderline(), std::optional<bool>(false));
}

void tst_EditCommands::copyrightBeforeTheSelection()
{
    QCOMPARE(EditCommands::copyrightText(2024), QStringLiteral("\u00a9 2024 "));
    Fixture f;
    f.select(8, 5);
    f.commands->Copyright();
    const QString inserted = EditCommands::copyrightText(QDate::currentDate().year());
    QCOMPARE(f.song->Text(), QStringLiteral("Amazing ") + inserted + QStringLiteral("grace\r\nhow sweet"));
}

void tst_EditCommands::fontSizeBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("24") << "24" << 24.0;
    QTest::newRow("a fraction is rounded") << "13.6" << 14.0;
    QTest::newRow("not a number") << "big" << 10.0;
    QTest::newRow("zero") << "0" << 10.0;
    QTest::newRow("huge") << "100000" << 10.0;
}

void tst_EditCommands::fontSizeBox()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    auto *box = new QLineEdit(&f.window);
    box->show();
    box->setFocus();
    f.select(0, 7);
    f.commands->FontSize(text);
    QCOMPARE(f.song->SelFontSize(), std::optional<double>(expected));
    QTRY_VERIFY(f.song->hasFocus());
}

void tst_EditCommands::alignment()
{
    Fixture f;
    f.select(0, 20);
    QCOMPARE(SelectionState::of(*f.song).alignment, std::optional<int>());
    f.commands->Align(rtfText::rtfCenter);
    QCOMPARE(f.song->SelAlignment(), std::optional<int>(rtfText::rtfCenter));
    QCOMPARE(SelectionState::of(*f.song).alignment, std::optional<int>(rtfText::rtfCenter));
    f.commands->Align(rtfText::rtfRight);
    QCOMPARE(SelectionState::of(*f.song).alignment, std::optional<int>(rtfText::rtfRight));
}

// Primed with the base font and the selection's size (none when mixed);
// every choice goes onto the selection; cancel changes nothing.
void tst_EditCommands::fontDialog()
{
    Fixture f;
    f.select(0, 20);
    f.commands->Font();
    QCOMPARE(f.prompt.dialogTitles, QStringList{"Font"});
    QCOMPARE(f.song->SelFontSize(), std::optional<double>());

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(16);
    chosen.setItalic(true);
    chosen.setStrikeOut(true);
    f.prompt.fontAnswers << chosen;
    f.commands->Font();
    QCOMPARE(f.song->SelFontName(), std::optional<QString>("DejaVu Serif"));
    QCOMPARE(f.song->SelFontSize(), std::optional<double>(16));
    QCOMPARE(f.song->SelBold(), std::optional<bool>(false));
    QCOMPARE(f.song->SelItalic(), std::optional<bool>(true));
    QCOMPARE(f.song->SelStrikeThru(), std::optional<bool>(true));
}

void tst_EditCommands::undoAndRedo()
{
    Fixture f;
    f.song->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.song, "!");
    f.commands->Undo();
    QCOMPARE(f.song->Text(), QStringLiteral("Amazing grace\r\nhow sweet"));
    f.commands->Redo();
    QCOMPARE(f.song->Text(), QStringLiteral("Amazing grace\r\nhow sweet!"));
}

void tst_EditCommands::characterMapMessage()
{
#ifdef Q_OS_WIN
    QVERIFY(EditCommands::characterMapFailure().startsWith("The Windows Character Map"));
#else
    QVERIFY(!EditCommands::characterMapFailure().contains(QLatin1String("Windows")));
#endif
    QVERIFY(EditCommands::characterMapFailure().endsWith("could not be launched.\nThis option may not be installed."));
}

void tst_EditCommands::selectionState_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<std::optional<QString>>("sizeText");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<std::optional<int>>("alignment");

    using Text = std::optional<QString>;
    using Align = std::optional<int>;
    QTest::newRow("bold word") << 0 << 7 << "Arial 10" << Text("10") << true << Align(rtfText::rtfLeft);
    QTest::newRow("partly bold") << 0 << 10 << "Arial 10" << Text("10") << false << Align(rtfText::rtfLeft);
    QTest::newRow("mixed sizes and alignments") << 5 << 15 << "Arial " << Text() << false << Align();
    QTest::newRow("caret in right-aligned text") << 17 << 0 << "Arial 12" << Text("12") << false
                                                 << Align(rtfText::rtfRight);
}

void tst_EditCommands::selectionState()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, panel);
    QFETCH(std::optional<QString>, sizeText);
    QFETCH(bool, bold);
    QFETCH(std::optional<int>, alignment);

    Fixture f;
    f.select(start, length);
    const SelectionState state = SelectionState::of(*f.song);
    QCOMPARE(state.fontPanelText, panel);
    QCOMPARE(state.fontSizeText, sizeText);
    QCOMPARE(state.bold, bold);
    QCOMPARE(state.alignment, alignment);

    // Mixed names and sizes leave a single space; fractions show as they are.
    QCOMPARE(SelectionState::compute({}, {}, {}, {}, {}, {}).fontPanelText, QStringLiteral(" "));
    QCOMPARE(SelectionState::compute(QStringLiteral("Arial"), 9.75, true, {}, {}, 7).fontPanelText,
             QStringLiteral("Arial 9.75"));
    QCOMPARE(SelectionState::compute({}, 9.75, true, {}, {}, 7).alignment, std::optional<int>());
}

QTEST_MAIN(tst_EditCommands)
#include "tst_editcommands.moc"
