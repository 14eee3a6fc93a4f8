#pragma once

#include <QString>

#include <functional>

// The operations of the spell-checker component that the program calls.
// psSpellCheck is the real one; tests put a scripted one in its place.
class SpellCheckerControl
{
public:
    virtual ~SpellCheckerControl() = default;

    // Result codes of CheckWord.
    static constexpr int NotOpen = -1;
    static constexpr int GoOn = 0;
    static constexpr int EndRun = 1;

    // The line a word stands in, for the checker's dialog; asked for only
    // when the dialog is shown.
    struct WordContext
    {
        QString line;
        qsizetype column = 0;
    };
    using ContextSource = std::function<WordContext()>;

    // True when the main dictionary (a file name, looked for in the program
    // folder and then the system directory) and the custom dictionary are
    // open. A false result with openError() set is a failure to report, not
    // just a dictionary that is not there.
    virtual bool OpenDictionaries(const QString &mainDictFileName, QString &customDictFilePath) = 0;
    virtual int openError() const = 0;
    virtual QString openErrorString() const = 0;

    // The options dialog; true when confirmed, and then customDictFilePath
    // and mainDictFileName hold the user's choice.
    virtual bool ShowOptions(QString &systemDir, QString &customDictFilePath, QString &mainDictFileName,
                             const QString &installedListPath, bool showAll) = 0;

    // Returns the text to put in place of the word; code is NotOpen, EndRun
    // or GoOn.
    virtual QString CheckWord(QString &word, int &code, const ContextSource &context = {}) = 0;

    virtual void EndCheck() = 0;
};
