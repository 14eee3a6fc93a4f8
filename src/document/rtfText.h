#pragma once

#include "document/SongText.h"

#include <QTextEdit>

#include <optional>

class QPagedPaintDevice;
class RtfReader;
class SongLayout;

// The song's rich text control. The song is read and changed only through
// these members. Those on the text, the selection and its formats are
// SongText's over the control's document and text cursor (see there how
// positions count); songText() hands out the same for code that needs no
// widget.
//
// Signals: Change() after every change of the content (typing, deleting,
// pasting, dropping, formatting, undo, and every LoadFile, TextRTF, SelText
// and SelRTF write), SelChange() whenever the caret or the selection moves.
class rtfText final : public QTextEdit
{
    Q_OBJECT
public:
    // Paragraph alignments as SelAlignment reads and writes them.
    enum Alignment { rtfLeft = SongText::rtfLeft, rtfRight = SongText::rtfRight, rtfCenter = SongText::rtfCenter };

    explicit rtfText(QWidget *parent = nullptr);

    // The song's text over this control's document, its cursor always the
    // control's: moving one moves the other. Changes made through it raise
    // Change() and SelChange() too, though not gathered into one each.
    SongText &songText() { return m_songText; }

    // The font of text without a font of its own: MS Sans Serif 9.75
    // points unless set otherwise. Font() is its family name.
    QFont baseFont() const;
    void setBaseFont(const QFont &font);
    QString Font() const;

    // Replaces the content with the RTF file and records the path as
    // FileName(). On failure returns false, leaves the content, the undo
    // history and the selection as they were, raises no Change() and tells
    // why in errorString() and fileError().
    bool LoadFile(const QString &path);
    // A long song is laid out in the background after it is read in, or
    // when the control's width changes; true once that is done.
    bool isLaidOut() const;
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

    void contentChanged();
    void selectionMoved();
    void cursorFromView();
    void followViewCursor();
    void cursorToView(const QTextCursor &cursor);
    bool readUnseen(RtfReader &reader, const QByteArray &data);
    void useSongLayout();
    SongLayout *songLayout() const;

    SongText m_songText;
    bool m_viewCursorChanging = false;
    bool m_replacingDocument = false;

    QString m_fileName;
    QString m_errorString;
    int m_fileError = 0;
    bool m_changed = false;
    int m_batchDepth = 0;
    bool m_changePending = false;
    int m_lastAnchor = 0;
    int m_lastPosition = 0;
};
