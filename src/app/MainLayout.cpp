#include "app/MainLayout.h"

#include <algorithm>

namespace MainLayout {

Panes compute(qint64 innerWidth, qint64 innerHeight, qint64 toolBarHeight, qint64 statusBarHeight)
{
    Panes panes;
    panes.splitterWidth = std::max<qint64>(innerWidth, 0);
    panes.splitterHeight = std::max<qint64>(innerHeight - (toolBarHeight + statusBarHeight), 0);
    panes.splitPosition = std::max<qint64>(panes.splitterWidth - (chordListWidth + splitBarWidth), 0);
    // When the window is narrower than list and bar, the list gets what is left.
    panes.listWidth = std::min(chordListWidth, std::max<qint64>(panes.splitterWidth - splitBarWidth, 0));
    return panes;
}

} // namespace MainLayout
