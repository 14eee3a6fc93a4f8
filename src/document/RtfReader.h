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
    // sets errorString()) only when the data is not RTF at all.
    bool read(const QByteArray &rtf, QTextDocument *document);

    // Inserts the RTF source at the cursor of the document, keeping the rest.
    // Used for pasting and for writing the selection's RTF.
    bool insert(const QByteArray &rtf, QTextCursor &cursor);

    QString errorString() const { return m_error; }

private:
    static QByteArrayView rtfStart(const QByteArray &data);
    static bool isRtf(const QByteArray &data);

    QString m_error;
};
