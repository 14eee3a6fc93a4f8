// The song's text over a bare QTextDocument: positions counted with CR LF,
// undetermined formats, Span. (The widget's tests show the view follows it.)

#include "document/BaseFont.h"
#include "document/SongText.h"
#include "tst_rtfwriter_documents.h"

#include <QSignalSpy>
#include <QTest>

using namespace SongSamples;

class tst_SongText : public QObject
{
    Q_OBJECT

private slots:
    void positionsCountBreaksAsCrLf();
    void undeterminedFormats();
    void span();
};

// Every selection between positions that do not split a CR LF pair (paragraph
// or line break) selects exactly those characters of Text(), and reads back so.
void tst_SongText::positionsCountBreaksAsCrLf()
{
    const QString expected = QStringLiteral("verse\r\nbold line\r\n\r\n\uFFFCG\r\nend");
    QTextDocument document;
    SongText text(&document);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("verse\nbold line\n\n"));
    DocumentImages::insertImage(cursor, chordPicture(1));
    cursor.insertText(QStringLiteral("G\u2028end"));
    QCOMPARE(text.Text(), expected);
    cursor.select(QTextCursor::Document);
    text.setCursor(cursor);
    QCOMPARE(text.SelLength(), expected.size());
    const auto splitsBreak = [&](int p) { return p > 0 && p < expected.size() && expected.at(p) == QLatin1Char('\n'); };
    for (int from = 0; from <= expected.size(); ++from) {
        for (int to = from; to <= expected.size(); ++to) {
            if (splitsBreak(from) || splitsBreak(to))
                continue;
            text.setSelStart(from);
            const int lengthAtStart = text.SelLength();
            text.setSelLength(to - from);
            QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(lengthAtStart).arg(text.SelStart()).arg(text.SelLength()).arg(text.SelText()),
                     QStringLiteral("0 %1 %2 %3").arg(from).arg(to - from).arg(expected.mid(from, to - from)));
        }
    }
    // Out of range, and inside a CR LF pair (the break goes with the end).
    const int end = int(expected.size());
    const struct { int start, length, selStart; const char *selText; } cases[] = {
        {-4, 2, 0, "ve"}, {6, 0, 5, ""}, {4, 2, 4, "e\r\n"}, {500, 3, end, ""}, {end - 3, 100, end - 3, "end"}, {2, -3, 2, ""}};
    for (const auto &c : cases) {
        text.setSelStart(c.start);
        text.setSelLength(c.length);
        QCOMPARE(QString::number(text.SelStart()) + text.SelText(), QString::number(c.selStart) + c.selText);
    }
}

// Bold, italic, font, size and alignment; "?" where undetermined.
void tst_SongText::undeterminedFormats()
{
    QTextDocument document;
    document.setDefaultFont(songBaseFont());
    SongText text(&document);
    // Formats set at a bare caret go onto the text typed next.
    text.setSelText(QStringLiteral("plain "));
    text.setSelBold(true);
    text.setSelFontName(QStringLiteral("Arial"));
    text.setSelFontSize(12);
    text.setSelText(QStringLiteral("BOLD"));
    QTextCursor cursor = text.cursor();
    DocumentImages::insertImage(cursor, chordPicture(2));
    text.setCursor(cursor);
    text.setSelBold(false);
    text.setSelFontName(QStringLiteral("MS Sans Serif"));
    text.setSelFontSize(9.75);
    text.setSelText(QStringLiteral(" plain\r\nright\r\nright too"));
    text.setSelStart(21); // in "right" to in "right too"
    text.setSelLength(8);
    text.setSelAlignment(SongText::rtfRight);
    QCOMPARE(text.Text(), QStringLiteral("plain BOLD\uFFFC plain\r\nright\r\nright too"));

    const auto formats = [&](int from, int to) {
        text.setSelStart(from);
        text.setSelLength(to - from);
        const auto shown = [](const auto &value) { return value ? QVariant(*value).toString() : QStringLiteral("?"); };
        return QStringList({shown(text.SelBold()), shown(text.SelItalic()), shown(text.SelFontName()),
                            shown(text.SelFontSize()), shown(text.SelAlignment())}).join(' ');
    };
    const QString plain = QStringLiteral("false false MS Sans Serif 9.75 "), bold = QStringLiteral("true false Arial 12 ");
    QCOMPARE(formats(2, 2), plain + "0");            // caret in plain text
    QCOMPARE(formats(8, 8), bold + "0");             // caret after a bold letter
    QCOMPARE(formats(6, 11), bold + "0");            // bold word and the picture
    QCOMPARE(formats(3, 8), "? false ? ? 0");        // plain and bold
    QCOMPARE(formats(19, 35), plain + "1");          // right paragraphs
    QCOMPARE(formats(12, 21), plain + "?");          // left and right paragraphs
    // Writing "undetermined" changes nothing; one alignment goes onto every
    // paragraph the selection touches.
    QSignalSpy changes(&document, &QTextDocument::contentsChange);
    text.setSelBold({}), text.setSelFontName({}), text.setSelFontSize({}), text.setSelAlignment({});
    QCOMPARE(changes.count(), 0);
    text.setSelAlignment(SongText::rtfCenter);
    QCOMPARE(text.SelAlignment(), std::optional<int>(SongText::rtfCenter));
}

// Over the characters not in the set (or, not negated, those in it),
// forward or backward from the start; a CR LF pair goes as one.
void tst_SongText::span()
{
    const QString delimiters = QStringLiteral(" ,;:.?!\n\r");
    const struct { int start; QString set; bool forward, negate; const char *selected; } cases[] = {
        {0, delimiters, true, true, "don't"}, {5, delimiters, true, true, ""}, {7, " \n", true, true, "stop"},
        {20, delimiters, true, true, "line"}, {7, " ", true, true, "stop\r\n(next)"}, {5, ", ", true, false, ", "},
        {11, delimiters, false, true, "stop"}};
    QTextDocument document;
    SongText text(&document);
    text.setSelText(QStringLiteral("don't, stop\r\n(next) line"));
    QStringList selected, expected;
    for (const auto &c : cases) {
        text.setSelStart(c.start);
        text.Span(c.set, c.forward, c.negate);
        selected << text.SelText();
        expected << c.selected;
    }
    QCOMPARE(selected, expected);
}

QTEST_MAIN(tst_SongText)
#include "tst_songtext.moc"
