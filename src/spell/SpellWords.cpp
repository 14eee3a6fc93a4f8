#include "spell/SpellWords.h"

namespace SpellWords {

bool endsWord(QChar ch)
{
    switch (ch.unicode()) {
    case ' ': case ',': case ';': case ':': case '.': case '?': case '!': case '\n': case '\r':
    case QChar::ParagraphSeparator:
    case QChar::LineSeparator:
    case QChar::ObjectReplacementCharacter:
    case QChar::Nbsp:
    case '\t':
        return true;
    default:
        return ch.isSpace();
    }
}

Core coreOf(QStringView word)
{
    const auto inCore = [](QChar ch) { return ch.isLetterOrNumber() || ch.isMark(); };
    qsizetype start = 0;
    qsizetype end = word.size();
    while (start < end && !inCore(word[start]))
        ++start;
    while (end > start && !inCore(word[end - 1]))
        --end;
    return {start, end - start};
}

bool hasLetter(QStringView core)
{
    for (const QChar ch : core) {
        if (ch.isLetter())
            return true;
    }
    return false;
}

} // namespace SpellWords
