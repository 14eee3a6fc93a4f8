#pragma once

#include <QFont>

// The font of song text that has no font of its own. The family name stays
// in the document and in the files even where the font is not installed;
// Qt shows an installed sans-serif in its place.
inline QFont songBaseFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(9.75);
    return font;
}
