#pragma once

#include <QString>
#include <QStringList>

// The spell checker's own dialogs. The checker only calls this interface,
// so tests can answer for the user; QtSpellDialogs shows the real ones.
class SpellDialogs
{
public:
    virtual ~SpellDialogs() = default;

    // A word the dictionaries do not know, with the line it stands in.
    struct UnknownWord
    {
        QString word;
        QString line;
        qsizetype column = 0; // 0-based position of the word in the line
        QStringList suggestions;
    };
    struct WordAnswer
    {
        enum Action { Ignore, IgnoreAll, Add, Change, ChangeAll, Cancel };
        Action action = Cancel;
        QString replacement; // for Change and Change All
    };
    virtual WordAnswer askWord(const UnknownWord &word) = 0;
    // The run is over: a word dialog kept open between words goes.
    virtual void endCheck() {}

    struct Options
    {
        QStringList mainDictionaries; // installed main dictionaries, file names
        QString mainDictionary;       // in and out
        QString customDictionary;     // in and out
    };
    // The options dialog; true when the user confirmed it.
    virtual bool showOptions(Options &options) = 0;

    // An added word could not be written to the custom dictionary.
    virtual void addFailed(const QString &word, const QString &path, int errorNumber,
                           const QString &description) = 0;
};
