#include "document/RtfReader.h"

#include <QTextCursor>
#include <QTextDocument>

bool RtfReader::read(const QByteArray &rtf, QTextDocument *document)
{
    document->clear();
    QTextCursor cursor(document);
    return insert(rtf, cursor);
}

bool RtfReader::insert(const QByteArray &rtf, QTextCursor &cursor)
{
    if (!rtf.trimmed().startsWith("{\\rtf")) {
        m_error = QStringLiteral("The file is not in Rich Text Format.");
        return false;
    }
    cursor.insertText(QString::fromLatin1(rtf));
    return true;
}
