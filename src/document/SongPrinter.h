#pragma once

#include <memory>

class QPagedPaintDevice;
class QTextCursor;
class QTextDocument;

// Prints a song. The Print command and "songloom-cli convert" both print
// through here, so a printed page and an exported PDF look alike.
namespace SongPrinter {

// Prints the whole document on the device (a QPrinter, a QPdfWriter).
// Returns false when there is no device to print on.
bool print(const QTextDocument &document, QPagedPaintDevice *device);

// Prints what the cursor selects, or the whole document when it selects
// nothing.
bool printSelection(const QTextCursor &cursor, QPagedPaintDevice *device);

// A stand-alone copy of the selected part of a document: its text, its
// formats and its pictures, with the same base font.
std::unique_ptr<QTextDocument> selectedDocument(const QTextCursor &selection);

} // namespace SongPrinter
