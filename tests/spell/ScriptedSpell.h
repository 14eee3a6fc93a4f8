#pragma once

#include "spell/SpellCheckerControl.h"
#include "spell/SpellDialogs.h"

#include <QHash>
#include <QQueue>
#include <QStringList>

#include <functional>

// A checker that answers from a script and records what it was asked.
class ScriptedChecker final : public SpellCheckerControl
{
public:
    QQueue<int> openResults; // of OpenDictionaries in turn: 1 opens, 0 fails, another number fails with that error; 1 when empty
    QStringList opened; // "main|custom" of each OpenDictionaries
    QHash<QString, QString> corrections; // words not known, and what to put in their place
    std::function<int(const QString &word)> codeFor = [](const QString &) { return GoOn; };
    QStringList words;
    QList<WordContext> contexts; // of the words not known
    int endChecks = 0;
    QStringList optionsAnswer; // custom and main dictionary the options dialog confirms; empty: cancelled
    QStringList optionsAsked;  // the arguments ShowOptions was given

    bool OpenDictionaries(const QString &main, QString &custom) override
    {
        opened << main + '|' + custom;
        m_result = openResults.isEmpty() ? 1 : openResults.dequeue();
        return m_result == 1;
    }
    int openError() const override { return m_result == 1 ? 0 : m_result; }
    QString openErrorString() const override { return openError() ? QStringLiteral("The dictionary cannot be used.") : QString(); }
    bool ShowOptions(QString &systemDir, QString &custom, QString &main, const QString &installedListPath, bool showAll) override
    {
        optionsAsked = {systemDir, custom, main, installedListPath, showAll ? "true" : "false"};
        if (optionsAnswer.isEmpty())
            return false;
        std::tie(custom, main) = std::pair(optionsAnswer[0], optionsAnswer[1]);
        return true;
    }
    QString CheckWord(QString &word, int &code, const ContextSource &context) override
    {
        words << word;
        if (context && corrections.contains(word))
            contexts << context();
        code = codeFor(word);
        return corrections.value(word, word);
    }
    void EndCheck() override { ++endChecks; }

private:
    int m_result = 1;
};

// Spell dialogs that answer from a script.
class ScriptedSpellDialogs final : public SpellDialogs
{
public:
    QQueue<WordAnswer> answers; // Cancel when empty
    QList<UnknownWord> asked;
    int endChecks = 0;
    bool optionsConfirmed = false;
    Options optionsAnswer;
    QList<Options> optionsShown;
    QStringList failures; // "word|path|number|description" of each failed write

    WordAnswer askWord(const UnknownWord &word) override
    {
        asked << word;
        return answers.isEmpty() ? WordAnswer{} : answers.dequeue();
    }
    void endCheck() override { ++endChecks; }
    bool showOptions(Options &options) override
    {
        optionsShown << options;
        options = optionsConfirmed ? optionsAnswer : options;
        return optionsConfirmed;
    }
    void addFailed(const QString &word, const QString &path, int number, const QString &description) override
    {
        failures << QStringList{word, path, QString::number(number), description}.join('|');
    }
};
