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
using Bool = std::optional<bool>;
using Align = std::optional<int>;

namespace {

const QString songText = QStringLiteral("Amazing grace\r\nhow sweet");

// Two paragraphs: "Amazing grace" (Amazing bold, 10 points, left) and
// "how sweet" (12 points, right).
struct Fixture
{
    ScriptedPrompt prompt;
    QWidget window;
    rtfText *song = new rtfText(&window);
    EditCommands *commands = new EditCommands(song, &window);

    Fixture()
    {
        song->setTextRTF(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\ql\\f0\\fs20 {\\b Amazing} grace\\par"
                                        "\\pard\\qr\\f0\\fs24 how sweet}"));
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
    void copyAndCut();
    void paste_data();
    void paste();
    void styleButtons_data();
    void styleButtons();
    void copyrightBeforeTheSelection();
    void fontSizeBox_data();
    void fontSizeBox();
    void alignment();
    void fontDialog();
    void selectionState_data();
    void selectionState();
};

// Rich text and the words alone (other programs paste words, not RTF
// source); Cut takes the selection out, Paste brings it back bold.
void tst_EditCommands::copyAndCut()
{
    Fixture f;
    f.select(0, 13);
    f.commands->Copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("Amazing grace"));
    QVERIFY(data->data("text/rtf").startsWith("{\\rtf") && data->data("application/rtf").contains("\\b"));
    QCOMPARE(f.song->Text(), songText);

    f.select(0, 8);
    f.commands->Cut();
    QCOMPARE(f.song->Text(), songText.mid(8));
    f.commands->Paste();
    f.select(0, 7);
    QCOMPARE(f.song->Text(), songText);
    QCOMPARE(f.song->SelBold(), Bool(true));
}

// Rich text when there is some, plain text otherwise, nothing from a
// clipboard without text.
void tst_EditCommands::paste_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rich text") << "rtf" << "X grace\r\nhow sweet";
    QTest::newRow("plain text") << "text" << "{\\rtf1 not source} grace\r\nhow sweet";
    QTest::newRow("picture only") << "image" << songText;
}

void tst_EditCommands::paste()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    Fixture f;
    auto *data = new QMimeData;
    if (kind == "rtf")
        data->setData("text/rtf", "{\\rtf1\\ansi {\\i X}}"), data->setText("plain X");
    else if (kind == "text")
        data->setText("{\\rtf1 not source}");
    else
        data->setImageData(chordPicture(1));
    QApplication::clipboard()->setMimeData(data);
    f.select(0, 7);
    f.commands->Paste();
    QCOMPARE(f.song->Text(), expected);
    f.select(0, 1);
    QCOMPARE(f.song->SelItalic(), Bool(kind == "rtf"));
}

// A uniform selection flips; a mixed one stays and shows released.
void tst_EditCommands::styleButtons_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<Bool>("boldAfter");
    QTest::newRow("bold word") << 0 << 7 << Bool(false);
    QTest::newRow("plain word") << 8 << 5 << Bool(true);
    QTest::newRow("mixed") << 0 << 13 << Bool();
    QTest::newRow("caret in plain text") << 10 << 0 << Bool(true);
}

void tst_EditCommands::styleButtons()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(Bool, boldAfter);
    Fixture f;
    f.select(start, length);
    const QString rtfBefore = f.song->TextRTF();
    f.commands->Bold();
    QCOMPARE(f.song->SelBold(), boldAfter);
    QCOMPARE(SelectionState::of(*f.song).bold, boldAfter.value_or(false));
    if (!boldAfter)
        QCOMPARE(f.song->TextRTF(), rtfBefore);
    f.commands->Italic();
    f.commands->Underline();
    f.commands->Underline();
    QCOMPARE(QList<Bool>({f.song->SelItalic(), f.song->SelUnderline()}), QList<Bool>({true, false}));
}

void tst_EditCommands::copyrightBeforeTheSelection()
{
    QCOMPARE(EditCommands::copyrightText(2024), QStringLiteral("\u00a9 2024 "));
    Fixture f;
    f.select(8, 5);
    f.commands->Copyright();
    QCOMPARE(f.song->Text(), "Amazing " + EditCommands::copyrightText(QDate::currentDate().year()) + songText.mid(8));
}

void tst_EditCommands::fontSizeBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("a fraction is rounded") << "13.6" << 14.0;
    QTest::newRow("not a number") << "big" << 10.0;
    QTest::newRow("zero") << "0" << 10.0;
    QTest::newRow("huge") << "100000" << 10.0;
}

// The size goes onto the selection when it is one, and the song takes the
// focus back from the box.
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
    for (int align : {rtfText::rtfCenter, rtfText::rtfRight}) {
        f.commands->Align(align);
        QCOMPARE(SelectionState::of(*f.song).alignment, Align(align));
    }
}

// Cancelled, nothing changes; every choice goes onto the selection.
void tst_EditCommands::fontDialog()
{
    Fixture f;
    f.select(0, 20);
    f.commands->Font();
    QCOMPARE(f.song->SelFontSize(), std::optional<double>());
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(16);
    chosen.setItalic(true);
    chosen.setStrikeOut(true);
    f.prompt.fontAnswers << chosen;
    f.commands->Font();
    QCOMPARE(f.prompt.dialogTitles, QStringList({"Font", "Font"}));
    QCOMPARE(f.song->SelFontName(), std::optional<QString>("DejaVu Serif"));
    QCOMPARE(f.song->SelFontSize(), std::optional<double>(16));
    QCOMPARE(QList<Bool>({f.song->SelBold(), f.song->SelItalic(), f.song->SelStrikeThru()}),
             QList<Bool>({false, true, true}));
}

// The font panel's text, the size box's ("?": kept), Bold, and the pressed
// alignment ("?": none).
void tst_EditCommands::selectionState_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("shown");
    QTest::newRow("bold word") << 0 << 7 << "Arial 10|10|1|0";
    QTest::newRow("partly bold") << 0 << 10 << "Arial 10|10|0|0";
    QTest::newRow("mixed sizes and alignments") << 5 << 15 << "Arial |?|0|?";
    QTest::newRow("caret in right-aligned text") << 17 << 0 << "Arial 12|12|0|1";
}

void tst_EditCommands::selectionState()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, shown);
    Fixture f;
    f.select(start, length);
    const SelectionState state = SelectionState::of(*f.song);
    QCOMPARE(QStringList({state.fontPanelText, state.fontSizeText.value_or("?"), QString::number(state.bold),
                          state.alignment ? QString::number(*state.alignment) : "?"}).join('|'), shown);
    // Mixed names and sizes leave a single space; fractions show as they are.
    QCOMPARE(SelectionState::compute({}, {}, {}, {}, {}, {}).fontPanelText, QStringLiteral(" "));
    QCOMPARE(SelectionState::compute(QStringLiteral("Arial"), 9.75, true, {}, {}, 7).fontPanelText, QStringLiteral("Arial 9.75"));
}

QTEST_MAIN(tst_EditCommands)
#include "tst_editcommands.moc"
