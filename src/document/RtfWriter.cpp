#include "document/RtfWriter.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

QByteArray RtfWriter::write(const QTextDocument &document)
{
    return "{\\rtf1\\ansi " + document.toPlainText().toLatin1() + "}";
}

QByteArray RtfWriter::write(const QTextDocumentFragment &fragment)
{
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    return write(document);
}
