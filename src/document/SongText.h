#pragma once

#include <QMetaObject>
#include <QString>
#include <QTextCursor>

#include <functional>
#include <optional>

class QTextCharFormat;
class QTextDocument;

// The song's text as the program reads and changes it, over a QTextDocument
// and one cursor into it, with no widget. Positions and lengths count the
// characters of the plain text in which every line break is a carriage
// return and a line feed (two characters) and a picture is one character,
// whatever the document holds inside. A formatting state that differs across
// the selection reads as std::nullopt ("undetermined"); writing std::nullopt
// changes nothing.
//
// Whenever a member moves the cursor or changes its format, the cursor
// listener hears of it, so that a view over the same document can show the
// same selection.
class SongText final
{
public:
    // Paragraph alignments as SelAlignment reads and writes them.
    enum Alignment { rtfLeft = 0, rtfRight = 1, rtfCenter = 2 };

    explicit SongText(QTextDocument *document); // not owned; must outlive this
    ~SongText();
    SongText(const SongText &) = delete;
    SongText &operator=(const SongText &) = delete;

    QTextDocument *document() const { return m_document; }
    QTextCursor cursor() const { return m_cursor; }
    void setCursor(const QTextCursor &cursor);

    using CursorListener = std::function<void(const QTextCursor &)>;
    void setCursorListener(CursorListener listener) { m_listener = std::move(listener); }

    // The whole content as RTF; writing replaces it (the empty text gives an
    // empty song in the document's default font; text that is not RTF goes
    // in plain), clears the undo history and puts the caret at the start.
    QString TextRTF() const;
    void setTextRTF(const QString &rtf);
    // The whole plain text.
    QString Text() const;

    int SelStart() const;
    // Leaves an empty selection there; past the end means the end.
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString &text);
    // The selection as RTF; writing RTF replaces the selection with its
    // content, any other text goes in as plain text.
    QString SelRTF() const;
    void setSelRTF(const QString &rtf);

    std::optional<bool> SelBold() const;
    void setSelBold(std::optional<bool> on);
    std::optional<bool> SelItalic() const;
    void setSelItalic(std::optional<bool> on);
    std::optional<bool> SelUnderline() const;
    void setSelUnderline(std::optional<bool> on);
    std::optional<bool> SelStrikeThru() const;
    void setSelStrikeThru(std::optional<bool> on);
    std::optional<QString> SelFontName() const;
    void setSelFontName(std::optional<QString> name);
    // Points; may have a fraction.
    std::optional<double> SelFontSize() const;
    void setSelFontSize(std::optional<double> points);
    // rtfLeft, rtfRight or rtfCenter over every paragraph the selection
    // touches.
    std::optional<int> SelAlignment() const;
    void setSelAlignment(std::optional<int> alignment);

    // Extends the selection over characters not in the set (negate) or in
    // it (not negate), forward from its end or backward from its start,
    // stopping before the first character that ends the span. A line break
    // belongs to the set when CR or LF does.
    void Span(const QString &characterSet, bool forward = true, bool negate = true);

    // Position conversions between the song's count (CR LF breaks) and the
    // document's (one character per break). A song position inside a CR LF
    // pair goes before the break, or after it when preferAfterBreak.
    int toSongPosition(int documentPosition) const;
    int toDocumentPosition(int songPosition, bool preferAfterBreak = false) const;

private:
    bool mayHaveLineSeparators() const;
    QList<QTextCharFormat> selectedFormats() const;
    template<typename T, typename Get>
    std::optional<T> uniform(Get get) const;
    void mergeFormat(const QTextCharFormat &format);
    void mergeStyle(std::optional<bool> on, void (*apply)(QTextCharFormat &, bool));
    void moved(const QTextCursor &cursor);

    QTextDocument *m_document;
    QTextCursor m_cursor;
    CursorListener m_listener;
    QMetaObject::Connection m_contentsChange;
    mutable std::optional<bool> m_lineSeparators;
};
