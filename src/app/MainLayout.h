#pragma once

#include <QtGlobal>

// The main window's layout rule, in twips: the chord list keeps a fixed width
// at the right edge and the song takes all the rest.
namespace MainLayout {

inline constexpr qint64 chordListWidth = 1575;
inline constexpr qint64 splitBarWidth = 40;

// The chord list's width in a window of that inner width: its own width, or
// what is left beside the split bar when the window is narrower; never negative.
constexpr qint64 listWidth(qint64 innerWidth)
{
    const qint64 room = innerWidth - splitBarWidth;
    return room < 0 ? 0 : (room < chordListWidth ? room : chordListWidth);
}

} // namespace MainLayout
