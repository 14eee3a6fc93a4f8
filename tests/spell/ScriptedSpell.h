#pragma once

#include "spell/SpellCheckerControl.h"
#include "spell/SpellDialogs.h"

#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>

// A checker that answers from a script and records what it was asked.
class ScriptedChecker final : public SpellCheckerControl
{
public:
    struct OpenCall
    {
        QString main;
        QString custom;
    };
    // Results of OpenDictionaries in turn; true when the queue is empty.
    QQueue<bool> openResults;
    // Set to make the next failing open report an error.
    int openErrorNumber = 0;
    QString openErrorText;
    QList<OpenCall> openCalls;

    // The answer for a word: corrections by word, code 1 for the word
    // numbered cancelAt (1-based), the code given by codeFor.
    QHash<QString, QString> corrections;
    int cancelAt = 0;
    int notOpenAt = 0;
    std::function<void(const QString &)> onWord;
    QStringList words;
    QList<WordContext> contexts;
    bool askContext = false;
    int endChecks = 0;

    bool showOptionsResult = false;
    QString optionsCustom;
    QString optionsMain;
    QStringList showOptionsArguments;

    bool OpenDictionaries(const QString &main, QString &custom) override
    {
        openCalls.append({main, custom});
        const bool ok = openResults.isEmpty() || openResults.dequeue();
        m_error = ok ? 0 : openErrorNumber;
        return ok;
    }
    int openError() const override { return m_error; }
    QString openErrorString() const override { return m_error ? openErrorText : QString(); }

    bool ShowOptions(QString &systemDir, QString &custom, QString &main, const QString &installedListPath,
                     bool showAll) override
    {
        showOptionsArguments = {systemDir, custom, main, installedListPath, showAll ? QStringLiteral("true")
                                                                                    : QStringLiteral("false")};
        if (!showOptionsResult)
            return false;
        custom = optionsCustom;
        main = optionsMain;
        return true;
    }

    QString CheckWord(QString &word, int &code, const ContextSource &context) override
    {
        words.append(word);
        if (onWord)
            onWord(word);
        if (askContext && context)
            contexts.append(context());
        code = GoOn;
        if (words.size() == cancelAt)
            code = EndRun;
        if (words.size() == notOpenAt)
            code = NotOpen;
        return corrections.value(word, word);
    }

    void EndCheck() override { ++endChecks; }

private:
    int m_error = 0;
};

// Spell dialogs that answer from a script.
class ScriptedSpellDialogs final : public SpellDialogs
{
public:
    QQueue<WordAnswer> answers; // Cancel when empty
    QList<UnknownWord> asked;
    int endChecks = 0;
    bool optionsResult = false;
    Options optionsAnswer;
    QList<Options> optionsShown;
    struct Failure
    {
        QString word;
        QString path;
        int number;
        QString description;
    };
    QList<Failure> failures;

    WordAnswer askWord(const UnknownWord &word) override
    {
        asked.append(word);
        return answers.isEmpty() ? WordAnswer{} : answers.dequeue();
    }
    void endCheck() override { ++endChecks; }
    bool showOptions(Options &options) override
    {
        optionsShown.append(options);
        if (optionsResult)
            options = optionsAnswer;
        return optionsResult;
    }
    void addFailed(const QString &word, const QString &path, int number, const QString &description) override
    {
        failures.append({word, path, number, description});
    }
};
