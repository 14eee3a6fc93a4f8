// Feeds arbitrary bytes to the RTF reader, both as a whole document and as a
// fragment pasted into the middle of one, and walks what it built.

#include "document/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Most inputs from the mutator lack the signature; give every one a
    // chance to reach the parser.
    QByteArray rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!rtf.startsWith("{\\rtf"))
        rtf.prepend("{\\rtf1 ");

    QTextDocument document;
    RtfReader reader;
    reader.read(rtf, &document);

    qsizetype characters = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            characters += it.fragment().length();
    }
    (void)document.toPlainText();

    QTextDocument host;
    QTextCursor cursor(&host);
    cursor.insertText(QStringLiteral("before after"));
    cursor.setPosition(7);
    reader.insert(rtf, cursor);
    (void)host.toPlainText();
    (void)characters;
    return 0;
}
