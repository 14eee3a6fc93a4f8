#pragma once

#include <QByteArray>

class QTextDocument;
class QTextDocumentFragment;

// Writes a QTextDocument as Rich Text Format that Word, LibreOffice and
// WordPad show faithfully and that RtfReader reads back unchanged.
class RtfWriter final
{
public:
    QByteArray write(const QTextDocument &document);
    // The RTF of a part of a document (the selection).
    QByteArray write(const QTextDocumentFragment &fragment);
};
