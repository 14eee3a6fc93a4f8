#include "spell/ChordSymbol.h"

#include <QRegularExpression>

namespace {

// Root note: a letter A to G and an optional sharp or flat (ASCII or music signs).
#define ROOT "[A-G](?:#|b|\u266F|\u266D)?"
// Alterations and added tones after the quality: b9, #11, add9, sus2, 6/9 ...
#define ALTERATION "(?:(?:add|sus|maj|M|no|b|#|\u266F|\u266D|\\+|-)?(?:2|4|5|6|7|9|11|13))"

const QRegularExpression &chordPattern()
{
    static const QRegularExpression pattern(QString::fromUtf8(
        "^" ROOT
        "(?:maj|Maj|M|min|m|dim|aug|sus|\\+|-|\u00B0|\u00F8|\u0394)?"
        "(?:" ALTERATION "|\\(" ALTERATION "+\\)|/(?:9|11))*"
        "(?:/" ROOT ")?$"));
    return pattern;
}

} // namespace

bool isChordSymbol(QStringView token)
{
    // Chord symbols are short; anything long is a word.
    if (token.isEmpty() || token.size() > 16)
        return false;
    const QChar first = token.front();
    if (first < QLatin1Char('A') || first > QLatin1Char('G'))
        return false;
    return chordPattern().match(token).hasMatch();
}
