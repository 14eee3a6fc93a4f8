#pragma once

#include <QImage>
#include <QtGlobal>

class QTextDocument;

// The large song the benchmarks read, write and open: about 5 MB of text in
// some 100,000 paragraphs, bold and italic lines, and 1,000 ChordBox
// pictures, about 11 MB as RTF.
namespace BenchmarkSong {

constexpr qsizetype textBytes = 5 * 1000 * 1000;
constexpr int pictureCount = 1000;

// A 40 by 48 black-and-white chord diagram, different for every seed.
QImage chordPicture(int seed);

void build(QTextDocument &song);

} // namespace BenchmarkSong
