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
    QQueue<bool> openResults; // results of OpenDictionaries in turn; true when empty
    int openErrorNumber = 0;  // reported by a failing open
    QStringList opened;       // "main|custom" of each OpenDictionaries
    QHash<QString, QString> corrections; // words not known, and what to put in their place
    std::function<int(const QString &word)> codeFor = [](const QString &) { return GoOn; };
    QStringList words;
    QList<WordContext> contexts; // of the words not known
    int endChecks = 0;
    bool optionsConfirmed = false;
    QString optionsCustom, optionsMain; // the options dialog's answer
    QStringList optionsAsked;           // the arguments ShowOptions was given

    bool OpenDictionaries(const QString &main, QString &custom) override
    {
        opened << main + '|' + custom;
        m_failed = !openResults.isEmpty() && !openResults.dequeue();
        return !m_failed;
    }
    int openError() const override { return m_failed ? openErrorNumber : 0; }
    QString openErrorString() const override { return openError() ? QStringLiteral("The dictionary cannot be used.") : QString(); }
    bool ShowOptions(QString &systemDir, QString &custom, QString &main, const QString &installedListPath, bool showAll) override
    {
        optionsAsked = {systemDir, custom, main, installedListPath, showAll ? "true" : "false"};
        std::tie(custom, main) = optionsConfirmed ? std::pair(optionsCustom, optionsMain) : std::pair(custom, main);
        return optionsConfirmed;
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
    bool m_failed = false;
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
