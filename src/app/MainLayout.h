#pragma once

#include <QtGlobal>

// The main window's layout rule, in twips: the chord list keeps a fixed width
// at the right edge and the song takes all the rest.
namespace MainLayout {

inline constexpr qint64 chordListWidth = 1575;
inline constexpr qint64 splitBarWidth = 40;
inline constexpr qint64 designToolBarHeight = 420;
inline constexpr qint64 designStatusBarHeight = 270;

struct Panes
{
    qint64 splitterWidth = 0;
    qint64 splitterHeight = 0;
    // The split bar's left edge, from the container's left.
    qint64 splitPosition = 0;
    qint64 listWidth = 0;
};

// Lays out the panes for the window's inner size and its bars' heights.
// A window too small for the chord list or the bars gets empty panes rather
// than negative sizes.
Panes compute(qint64 innerWidth, qint64 innerHeight, qint64 toolBarHeight, qint64 statusBarHeight);

} // namespace MainLayout
