#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// The toolbar's pictures by image key ("New", "Open", ... "Copyright"): the
// desktop theme's icon where it has one, otherwise our own drawing.
namespace AppIcons {

QIcon icon(const QString &imageKey);
// Our own drawing, whatever the theme has.
QIcon fallbackIcon(const QString &imageKey);
// Every image key the toolbar uses.
QStringList imageKeys();

} // namespace AppIcons
