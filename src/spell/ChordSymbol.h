#pragma once

#include <QStringView>

// True when the token reads as a chord symbol written among the lyrics:
// a root A to G with an optional sharp or flat, a quality and extensions
// (m, maj7, sus4, dim, aug, add9, 7b9, m7b5, ...) and an optional bass note
// after a slash (C/G, G/B). Such tokens are never misspellings.
bool isChordSymbol(QStringView token);
