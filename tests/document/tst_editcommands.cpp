// The Edit commands and the toolbar's formatting actions on a real song and
// the real clipboard, and the selection state computed from the song.

#include "document/EditCommands.h"
#include "document/SelectionState.h"
#include "document/rtfText.h"
#include "support/ScriptedPrompt.h"
#include "tst_rtfwriter_documents.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

using namespace SongSamples;

namespace {

const QString songText = QStringLiteral("Amazing grace\r\nhow sweet");

QString shown(const auto &value)
{
    return value ? QVariant(*value).toString() : QStringLiteral("?");
}

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
    }
    void select(int start, int length) { song->setSelStart(start), song->setSelLength(length); }
};

} // namespace

class tst_EditCommands : public QObject
{
    Q_OBJECT

private slots:
    void clipboard();
    void styleButtons();
    void fontSizeBox();
    void fontDialog();
    void selectionState();
};

// Copy gives rich text and the words alone (other programs paste words, not
// RTF source); Cut takes the selection out, Paste brings it back bold. Paste
// takes rich text when there is some, plain text otherwise, nothing else.
void tst_EditCommands::clipboard()
{
    Fixture f;
    f.select(0, 13);
    f.commands->Copy();
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    QCOMPARE(copied->text() + '|' + f.song->Text(), "Amazing grace|" + songText);
    QVERIFY(copied->data("text/rtf").startsWith("{\\rtf") && copied->data("application/rtf").contains("\\b"));
    f.select(0, 8);
    f.commands->Cut();
    QCOMPARE(f.song->Text(), songText.mid(8));
    f.commands->Paste();
    f.select(0, 7);
    QCOMPARE(f.song->Text() + shown(f.song->SelBold()), songText + "true");

    const auto pasted = [](QMimeData *data) {
        Fixture f;
        QApplication::clipboard()->setMimeData(data);
        f.select(0, 7);
        f.commands->Paste();
        f.select(0, 1);
        return f.song->Text() + '|' + shown(f.song->SelItalic());
    };
    auto *rich = new QMimeData, *plain = new QMimeData, *picture = new QMimeData;
    rich->setData("text/rtf", "{\\rtf1\\ansi {\\i X}}"), rich->setText("plain X");
    plain->setText("{\\rtf1 not source}");
    picture->setImageData(chordPicture(1));
    QCOMPARE(pasted(rich), "X grace\r\nhow sweet|true");
    QCOMPARE(pasted(plain), "{\\rtf1 not source} grace\r\nhow sweet|false");
    QCOMPARE(pasted(picture), songText + "|false");
}

// A uniform selection flips; a mixed one stays and shows released. Italic
// and Underline flip the same way.
void tst_EditCommands::styleButtons()
{
    const auto bold = [](int start, int length) {
        Fixture f;
        f.select(start, length);
        const QString rtfBefore = f.song->TextRTF();
        f.commands->Bold();
        const QString shownBold = shown(f.song->SelBold()) + (SelectionState::of(*f.song).bold ? " pressed" : " released");
        const bool unchanged = f.song->TextRTF() == rtfBefore;
        f.commands->Italic();
        f.commands->Underline();
        f.commands->Underline();
        return shownBold + (unchanged ? " unchanged " : " ") + shown(f.song->SelItalic()) + shown(f.song->SelUnderline());
    };
    QCOMPARE(bold(0, 7), "false released truefalse");       // the bold word
    QCOMPARE(bold(0, 13), "? released unchanged truefalse"); // mixed
    QCOMPARE(bold(10, 0), "true pressed unchanged truefalse"); // caret: the typing format
}

// What is no size (not a number, zero, too large) leaves the selection's
// own; a fraction is rounded. (The box itself: in the main window's tests,
// as is the copyright sign with this year.)
void tst_EditCommands::fontSizeBox()
{
    Fixture f;
    f.select(0, 7);
    QStringList sizes;
    for (const char *text : {"big", "0", "100000", "13.6"}) {
        f.commands->FontSize(QString::fromLatin1(text));
        sizes << shown(f.song->SelFontSize());
    }
    QCOMPARE(sizes.join(' '), QStringLiteral("10 10 10 14"));
}

// Cancelled, nothing changes; every choice goes onto the selection.
void tst_EditCommands::fontDialog()
{
    Fixture f;
    f.select(0, 20);
    f.commands->Font();
    QCOMPARE(f.song->SelFontSize(), std::optional<double>());
    QFont chosen(QStringLiteral("DejaVu Serif"), 16);
    chosen.setItalic(true), chosen.setStrikeOut(true);
    f.prompt.fontAnswers << chosen;
    f.commands->Font();
    QCOMPARE(f.prompt.dialogTitles, QStringList({"Font", "Font"}));
    QCOMPARE(QStringList({shown(f.song->SelFontName()), shown(f.song->SelFontSize()), shown(f.song->SelBold()),
                          shown(f.song->SelItalic()), shown(f.song->SelStrikeThru())}).join(' '),
             QStringLiteral("DejaVu Serif 16 false true true"));
}

// The font panel's text, the size box's ("?": kept), Bold, the pressed
// alignment ("?": none; 0 left, 1 right, 2 center); then the alignment the
// Center and Right buttons press.
void tst_EditCommands::selectionState()
{
    const auto state = [](int start, int length) {
        Fixture f;
        f.select(start, length);
        const SelectionState state = SelectionState::of(*f.song);
        QString seen = QStringList({state.fontPanelText, state.fontSizeText.value_or("?"), QString::number(state.bold),
                                    shown(state.alignment)}).join('|');
        for (int align : {rtfText::rtfCenter, rtfText::rtfRight}) {
            f.commands->Align(align);
            seen += ' ' + shown(SelectionState::of(*f.song).alignment);
        }
        return seen;
    };
    QCOMPARE(state(0, 7), "Arial 10|10|1|0 2 1");  // bold word
    QCOMPARE(state(0, 10), "Arial 10|10|0|0 2 1"); // partly bold
    QCOMPARE(state(5, 15), "Arial |?|0|? 2 1");    // mixed sizes and alignments
    QCOMPARE(state(17, 0), "Arial 12|12|0|1 2 1"); // caret in right-aligned text
}

QTEST_MAIN(tst_EditCommands)
#include "tst_editcommands.moc"
