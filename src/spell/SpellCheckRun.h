#pragma once

#include "base/Result.h"
#include "spell/SpellCheckerControl.h"
#include "spell/SpellWords.h"

#include <QString>

#include <exception>
#include <new>
#include <optional>
#include <utility>

// The outcome of one walk through the song.
struct SpellRunResult
{
    enum class Outcome {
        Completed, // every word examined
        Cancelled, // the checker ended the run
        NotOpen,   // the checker's dictionaries were not open
        Failed     // an error stopped the run
    };
    Outcome outcome = Outcome::Completed;
    qint32 checked = 0;  // words answered with a code that went on
    qint32 replaced = 0; // words whose answer was written into the song
    Result error;        // why a failed run stopped
};

// An error that stops a run, with the number and text it is reported by.
struct SpellRunError : std::exception
{
    SpellRunError(int number, QString description) : number(number), description(std::move(description)) {}
    const char *what() const noexcept override { return "spell check run failed"; }
    int number;
    QString description;
};

// Error numbers of failures that carry none of their own.
constexpr int spellRunOutOfMemory = 7;
constexpr int spellRunInternalError = 51;

// Song is the song's text interface: Text, SelStart/setSelStart,
// SelLength/setSelLength, SelText/setSelText and Span over a text in which
// every line break is CR LF.

// Selects the word or sentence that starts at the 1-based position start
// (at the insertion point when no start is given) and returns the length
// of the selection. A unit other than "word" and "sentence" selects
// nothing new.
template<class Song>
qint32 SelectTextUnit(Song &song, const QString &unit, std::optional<qint64> start = std::nullopt)
{
    if (start)
        song.setSelStart(int(*start - 1));
    if (unit == QLatin1String("word"))
        song.Span(SpellWords::wordDelimiters, true, true);
    else if (unit == QLatin1String("sentence"))
        song.Span(SpellWords::sentenceDelimiters, true, true);
    return song.SelLength();
}

namespace SpellCheckRunDetail {

// The line the selected word stands in, read around the word and the word
// selected again afterwards.
template<class Song>
SpellCheckerControl::WordContext lineAround(Song &song, int wordStart, int wordLength)
{
    song.setSelStart(wordStart);
    song.Span(SpellWords::lineBreaks, false, true);
    const QString before = song.SelText();
    song.setSelStart(wordStart);
    song.Span(SpellWords::lineBreaks, true, true);
    const QString rest = song.SelText();
    song.setSelStart(wordStart);
    song.setSelLength(wordLength);
    return {before + rest, before.size()};
}

} // namespace SpellCheckRunDetail

// Walks the live song from its first character to its end, word by word:
// selects each word, hands it to the checker and writes a different answer
// in its place. Each step reads the song as it is now, so a replacement of
// any length moves the walk on to the word after it, and the song is
// checked to its end however long it is. The selection stays on the last
// word. The caller ends the check (EndCheck) and tells the user.
template<class Song>
SpellRunResult runSpellCheck(Song &song, SpellCheckerControl &checker)
{
    SpellRunResult result;
    int position = 0; // 0-based: the walk has examined everything before it
    std::optional<std::pair<int, int>> lastWord;
    try {
        for (;;) {
            // Step over the delimiters (line breaks included) to the next word.
            song.setSelStart(position);
            song.Span(SpellWords::wordDelimiters, true, false);
            const int wordStart = song.SelStart() + song.SelLength();
            const qint32 length = SelectTextUnit(song, QStringLiteral("word"), qint64(wordStart) + 1);
            if (length == 0) {
                // Only delimiters were left; the last word stays selected.
                if (lastWord) {
                    song.setSelStart(lastWord->first);
                    song.setSelLength(lastWord->second);
                }
                break;
            }
            QString word = song.SelText();
            int code = SpellCheckerControl::GoOn;
            const QString answer = checker.CheckWord(word, code, [&song, wordStart, length] {
                return SpellCheckRunDetail::lineAround(song, wordStart, length);
            });
            if (code == SpellCheckerControl::NotOpen) {
                result.outcome = SpellRunResult::Outcome::NotOpen;
                return result;
            }
            if (code == SpellCheckerControl::EndRun) {
                result.outcome = SpellRunResult::Outcome::Cancelled;
                return result;
            }
            if (answer != word) {
                song.setSelText(answer);
                ++result.replaced;
                position = wordStart + int(answer.size());
            } else {
                position = wordStart + length;
            }
            lastWord = std::pair(wordStart, position - wordStart);
            ++result.checked;
        }
    } catch (const SpellRunError &error) {
        result.outcome = SpellRunResult::Outcome::Failed;
        result.error = Result::failed(error.number, error.description);
    } catch (const std::bad_alloc &) {
        result.outcome = SpellRunResult::Outcome::Failed;
        result.error = Result::failed(spellRunOutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        result.outcome = SpellRunResult::Outcome::Failed;
        result.error = Result::failed(spellRunInternalError, QString::fromLocal8Bit(error.what()));
    }
    return result;
}
