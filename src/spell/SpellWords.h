#pragma once

#include <QString>
#include <QStringView>

// How the song's text falls into words for spelling.
namespace SpellWords {

// The characters that end a word when the song is walked: space, comma,
// semicolon, colon, full stop, question mark, exclamation mark, line feed,
// carriage return. Tabs, quotes, hyphens, apostrophes, brackets and digits
// belong to words.
inline const QString wordDelimiters = QStringLiteral(" ,;:.?!\n\r");
// The characters that end a sentence.
inline const QString sentenceDelimiters = QStringLiteral(".?!:\n\r");
// The characters that end a line in the song's text.
inline const QString lineBreaks = QStringLiteral("\n\r");

// A word delimiter, or a break, a picture or other white space inside a
// paragraph, as the text of a document block holds them.
bool endsWord(QChar ch);

// The part of a word that is looked up: the word without the brackets,
// quotes and other marks before and after it ("(love)" -> "love",
// "'cause" -> "cause"). Apostrophes and hyphens inside stay.
struct Core
{
    qsizetype start = 0;
    qsizetype length = 0;
};
Core coreOf(QStringView word);

// True when the core holds a letter, so there is something to spell.
bool hasLetter(QStringView core);

} // namespace SpellWords
