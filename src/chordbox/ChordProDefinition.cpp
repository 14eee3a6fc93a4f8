#include "chordbox/ChordProDefinition.h"

#include "chordbox/ChordBoxGeometry.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace ChordBoxGeometry;

namespace {

constexpr int notPlayed = -1;
constexpr int openString = 0;


// The definition's words, without the directive's braces and keyword.
QStringList definitionWords(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('{')) && text.endsWith(QLatin1Char('}')))
        text = text.mid(1, text.size() - 2).trimmed();
    static const QRegularExpression directive(QStringLiteral("^define\\s*:?\\s*"),
                                              QRegularExpression::CaseInsensitiveOption);
    text.remove(directive);
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

bool isKeyword(const QString &word)
{
    return word == QLatin1String("base-fret") || word == QLatin1String("frets")
           || word == QLatin1String("fingers");
}

} // namespace

ChordProDefinition ChordProDefinition::parse(const QString &text)
{
    const auto failure = [](const QString &why) {
        ChordProDefinition failed;
        failed.m_errorString = why;
        return failed;
    };
    const QStringList words = definitionWords(text);
    if (words.isEmpty())
        return failure(QStringLiteral("the chord definition is empty"));

    ChordProDefinition result;
    result.name = words.first();
    if (isKeyword(result.name))
        return failure(QStringLiteral("the chord definition has no chord name"));

    int baseFret = 1;
    QList<int> frets;
    bool fretsSeen = false;
    for (int i = 1; i < words.size();) {
        const QString &keyword = words.at(i++);
        if (keyword == QLatin1String("base-fret")) {
            bool ok = false;
            baseFret = i < words.size() ? words.at(i++).toInt(&ok) : 0;
            if (!ok || baseFret < 1)
                return failure(QStringLiteral("base-fret needs a whole number from 1 up"));
        } else if (keyword == QLatin1String("frets")) {
            fretsSeen = true;
            for (; i < words.size() && !isKeyword(words.at(i)); ++i) {
                const QString &word = words.at(i);
                if (word.compare(QLatin1String("x"), Qt::CaseInsensitive) == 0
                    || word.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0
                    || word == QLatin1String("-1")) {
                    frets.append(notPlayed);
                    continue;
                }
                bool ok = false;
                const int fret = word.toInt(&ok);
                if (!ok || fret < openString)
                    return failure(QStringLiteral("\"%1\" is not a fret (use x, 0 or 1 to %2)")
                                       .arg(word)
                                       .arg(fretSpaceCount));
                if (fret > fretSpaceCount)
                    return failure(QStringLiteral("fret %1 lies beyond the %2 fret spaces of a ChordBox")
                                       .arg(fret)
                                       .arg(fretSpaceCount));
                frets.append(fret);
            }
        } else if (keyword == QLatin1String("fingers")) {
            while (i < words.size() && !isKeyword(words.at(i)))
                ++i;
        } else {
            return failure(QStringLiteral("\"%1\" is not understood in a chord definition").arg(keyword));
        }
    }
    if (!fretsSeen)
        return failure(QStringLiteral("the chord definition has no frets"));
    if (frets.size() != stringCount)
        return failure(QStringLiteral("the chord definition gives %1 frets, a ChordBox has %2 strings")
                           .arg(frets.size())
                           .arg(stringCount));

    if (baseFret > 1)
        result.topText = ChordBox::fretLabel(baseFret);

    // A bar covers all six strings, so it is only drawn when every string is
    // fretted and both outer strings are held at the lowest fret: an open or
    // muted string anywhere would be covered by it.
    const int lowest = *std::min_element(frets.cbegin(), frets.cend());
    const bool barre = lowest > openString && frets.first() == lowest && frets.last() == lowest;
    if (barre)
        result.chord.setBar(lowest);
    for (int string = 1; string <= stringCount; ++string) {
        const int fret = frets.at(string - 1);
        if (fret > openString && !(barre && fret == lowest))
            result.chord.setDot(string, fret);
    }
    return result;
}
