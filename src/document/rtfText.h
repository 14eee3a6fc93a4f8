#pragma once

#include <QTextEdit>

#include <optional>

class QPagedPaintDevice;

// The song's rich text control. The song is read and changed only through
// these members. Positions and lengths count the characters of the plain
// text in which every line break is a carriage return and a line feed (two
// characters) and a picture is one character, whatever the document holds
// inside. A formatting state that differs across the selection reads as
// std::nullopt ("undetermined"); writing std::nullopt changes nothing.
//
// Signals: Change() after every change of the content (typing, deleting,
// pasting, dropping, formatting, undo, and every LoadFile, TextRTF, SelText
// and SelRTF write), SelChange() whenever the caret or the selection moves.
class rtfText final : public QTextEdit
{
    Q_OBJECT
public:
    // Paragraph alignments as SelAlignment reads and writes them.
    enum Alignment { rtfLeft = 0, rtfRight = 1, rtfCenter = 2 };

    explicit rtfText(QWidget *parent = nullptr);

    // The font of text without a font of its own: MS Sans Serif 9.75
    // points unless set otherwise. Font() is its family name.
    QFont baseFont() const;
    void setBaseFont(const QFont &font);
    QString Font() const;

    // Replaces the content with the RTF file and records the path as
    // FileName(). On failure returns false, leaves the content as it was
    // and tells why in errorString() and fileError().
    bool LoadFile(const QString &path);
    // Writes the content as RTF, whatever the extension. The file is
    // replaced only once the whole song is written.
    bool SaveFile(const QString &path);
    QString errorString() const { return m_errorString; }
    // The failing file operation's error, QFileDevice::NoError when the
    // file was fine but its content was not.
    int fileError() const { return m_fileError; }
    QString FileName() const { return m_fileName; }

    // The whole content as RTF; writing replaces it (the empty text gives
    // an empty song in the base font; text that is not RTF goes in plain).
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
    // stopping before the first character that ends the span.
    void Span(const QString &characterSet, bool forward = true, bool negate = true);

    // Prints the selection, or the whole song when nothing is selected.
    bool SelPrint(QPagedPaintDevice *device);

    void SetFocus();

    // The program's own record of unsaved edits; the control never sets it.
    bool Changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

signals:
    void Change();
    void SelChange();

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    class ChangeBatch;
    friend class ChangeBatch;

    int toSongPosition(int position) const;
    int toDocumentPosition(int songPosition, bool preferAfterBreak) const;
    bool mayHaveLineSeparators() const;
    QList<QTextCharFormat> selectedFormats() const;
    template<typename T, typename Get>
    std::optional<T> uniform(Get get) const;
    void mergeFormat(const QTextCharFormat &format);
    void mergeStyle(std::optional<bool> on, void (*apply)(QTextCharFormat &, bool));
    void contentChanged();
    void selectionMoved();
    void insertRtf(const QByteArray &rtf, QTextCursor &cursor);

    QString m_fileName;
    QString m_errorString;
    int m_fileError = 0;
    bool m_changed = false;
    int m_batchDepth = 0;
    bool m_changePending = false;
    int m_lastAnchor = 0;
    int m_lastPosition = 0;
    mutable std::optional<bool> m_lineSeparators;
};
