// The song's text over a bare QTextDocument, no widget: positions counted
// with CR LF, undetermined formats, Span, and the cursor listener a view
// follows.

#include "document/BaseFont.h"
#include "document/SongText.h"
#include "tst_rtfwriter_documents.h"

#include <QSignalSpy>
#include <QTest>

using namespace SongSamples;

namespace {

void selectAll(SongText &text)
{
    QTextCursor cursor(text.document());
    cursor.select(QTextCursor::Document);
    text.setCursor(cursor);
}

} // namespace

class tst_SongText : public QObject
{
    Q_OBJECT

private slots:
    void positionsCountBreaksAsCrLf();
    void undeterminedFormats_data();
    void undeterminedFormats();
    void span_data();
    void span();
    void listenerHearsEveryMove();
};

// Every selection between two positions that do not split a CR LF pair
// (paragraph breaks, and a line break inside a paragraph) selects exactly
// those characters of Text(), and reads back the same.
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
    selectAll(text);
    QCOMPARE(text.SelLength(), expected.size());
    const auto splitsBreak = [&](int p) { return p > 0 && p < expected.size() && expected.at(p) == QLatin1Char('\n'); };
    for (int from = 0; from <= expected.size(); ++from) {
        for (int to = from; to <= expected.size(); ++to) {
            if (splitsBreak(from) || splitsBreak(to))
                continue;
            text.setSelStart(from);
            QCOMPARE(text.SelLength(), 0);
            text.setSelLength(to - from);
            QCOMPARE(QList<int>({text.SelStart(), text.SelLength()}), QList<int>({from, to - from}));
            QCOMPARE(text.SelText(), expected.mid(from, to - from));
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
void tst_SongText::undeterminedFormats_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("formats");
    // "plain " "BOLD" picture " plain" CR LF "right" CR LF "right too"
    const QString plain = QStringLiteral("false false MS Sans Serif 9.75 "), bold = QStringLiteral("true false Arial 12 ");
    QTest::newRow("caret in plain text") << 2 << 2 << plain + "0";
    QTest::newRow("caret after a bold letter") << 8 << 8 << bold + "0";
    QTest::newRow("bold word") << 6 << 10 << bold + "0";
    QTest::newRow("bold word and the picture") << 6 << 11 << bold + "0";
    QTest::newRow("plain and bold") << 3 << 8 << "? false ? ? 0";
    QTest::newRow("right paragraphs") << 19 << 35 << plain + "1";
    QTest::newRow("left and right paragraphs") << 12 << 21 << plain + "?";
}

void tst_SongText::undeterminedFormats()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, formats);
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

    text.setSelStart(from);
    text.setSelLength(to - from);
    const auto shown = [](const auto &value) { return value ? QVariant(*value).toString() : QStringLiteral("?"); };
    QCOMPARE(QStringList({shown(text.SelBold()), shown(text.SelItalic()), shown(text.SelFontName()),
                          shown(text.SelFontSize()), shown(text.SelAlignment())}).join(' '), formats);
    // Writing "undetermined" changes nothing.
    QSignalSpy changes(&document, &QTextDocument::contentsChange);
    text.setSelBold(std::nullopt);
    text.setSelFontName(std::nullopt);
    text.setSelFontSize(std::nullopt);
    text.setSelAlignment(std::nullopt);
    QCOMPARE(changes.count(), 0);
    // One alignment for every paragraph the selection touches.
    text.setSelAlignment(SongText::rtfCenter);
    QCOMPARE(text.SelAlignment(), std::optional<int>(SongText::rtfCenter));
}

void tst_SongText::span_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("set");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("negate");
    QTest::addColumn<QString>("selected");
    const QString delimiters = QStringLiteral(" ,;:.?!\n\r");
    // "don't, stop" CR LF "(next) line"
    QTest::newRow("word with apostrophe") << 0 << delimiters << true << true << "don't";
    QTest::newRow("on a delimiter selects nothing") << 5 << delimiters << true << true << "";
    QTest::newRow("stops before the line break, LF alone") << 7 << " \n" << true << true << "stop";
    QTest::newRow("brackets belong to the word") << 13 << delimiters << true << true << "(next)";
    QTest::newRow("to the end") << 20 << delimiters << true << true << "line";
    QTest::newRow("break not in the set") << 7 << " " << true << true << "stop\r\n(next)";
    QTest::newRow("over characters in the set") << 5 << ", " << true << false << ", ";
    QTest::newRow("backward") << 11 << delimiters << false << true << "stop";
}

void tst_SongText::span()
{
    QFETCH(int, start);
    QFETCH(QString, set);
    QFETCH(bool, forward);
    QFETCH(bool, negate);
    QFETCH(QString, selected);
    QTextDocument document;
    SongText text(&document);
    text.setSelText(QStringLiteral("don't, stop\r\n(next) line"));
    text.setSelStart(start);
    text.Span(set, forward, negate);
    QCOMPARE(text.SelText(), selected);
}

// A view shows what the song's text selected and the format it holds for
// typing: the listener gets the cursor after every member that changes it.
void tst_SongText::listenerHearsEveryMove()
{
    QTextDocument document;
    SongText text(&document);
    QTextCursor heard;
    int calls = 0;
    text.setCursorListener([&](const QTextCursor &cursor) { heard = cursor, ++calls; });
    text.setSelText(QStringLiteral("one two"));
    QCOMPARE(heard.position(), 7);
    text.setSelStart(4);
    text.Span(QStringLiteral(" "));
    QCOMPARE(heard.selectedText(), QStringLiteral("two"));
    text.setSelStart(7);
    text.setSelItalic(true);
    QVERIFY(heard.charFormat().fontItalic());
    text.setSelRTF(QStringLiteral("{\\rtf1 !}"));
    QCOMPARE(heard.position(), 8);
    text.setTextRTF(QStringLiteral("{\\rtf1 new}"));
    QCOMPARE(heard, text.cursor());
    QCOMPARE(calls, 7);
}

QTEST_MAIN(tst_SongText)
#include "tst_songtext.moc"
