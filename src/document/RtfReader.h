#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextCursor;
class QTextDocument;

// Reads Rich Text Format into a QTextDocument. Malformed input is read as far
// as it goes; reading never crashes and never recurses on the input's nesting.
class RtfReader final
{
public:
    // Replaces the document's content with the RTF source. Returns false (and
    // sets errorString()) only when the data is not RTF at all; the document
    // is then left untouched.
    bool read(const QByteArray &rtf, QTextDocument *document);

    // Inserts the RTF source at the cursor of the document, keeping the rest.
    // Used for pasting and for writing the selection's RTF.
    bool insert(const QByteArray &rtf, QTextCursor &cursor);

    QString errorString() const { return m_error; }

    // Whether the data is RTF: "{\rtf" after at most a UTF-8 byte-order mark
    // and blanks (space, tab, CR, LF). The one test for every way RTF comes
    // in (files, pasted and dropped data, text handed over as RTF), so that
    // what one of them takes as RTF the reader reads.
    static bool isRtf(QByteArrayView data);

private:
    static QByteArrayView rtfStart(QByteArrayView data);

    QString m_error;
};
