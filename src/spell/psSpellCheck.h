#pragma once

#include "spell/CustomDictionary.h"
#include "spell/HunspellDictionary.h"
#include "spell/SpellCheckerControl.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>

class SpellDialogs;

// The spell checker: a Hunspell main dictionary, the user's custom
// dictionary, chord symbols taken as known, and the dialogs it shows for
// an unknown word and for its options. Lookups are remembered, so a word
// that comes again costs a hash lookup.
class psSpellCheck final : public QObject, public SpellCheckerControl
{
    Q_OBJECT
public:
    // The dialogs are not owned; without them CheckWord lets every word pass.
    explicit psSpellCheck(SpellDialogs *dialogs = nullptr, QObject *parent = nullptr);

    bool OpenDictionaries(const QString &mainDictFileName, QString &customDictFilePath) override;
    int openError() const override { return m_openError; }
    QString openErrorString() const override { return m_openErrorString; }
    bool ShowOptions(QString &systemDir, QString &customDictFilePath, QString &mainDictFileName,
                     const QString &installedListPath, bool showAll) override;
    QString CheckWord(QString &word, int &code, const ContextSource &context = {}) override;
    void EndCheck() override;

    bool isOpen() const { return m_main.isOpen(); }
    QString mainDictionaryPath() const { return m_main.path(); }
    QString customDictionaryPath() const { return m_custom.path(); }

    // Where a main dictionary named NAME.lex is found: the program folder,
    // then the system directory; empty when in neither. A name with a
    // folder is taken as it is.
    static QString findMainDictionary(const QString &fileName);
    // The main dictionaries to choose from: every .lex in the program folder
    // and the system directory, and the names the installed list holds
    // (one a line).
    static QStringList installedMainDictionaries(const QString &systemDir, const QString &installedListPath);

    // True when the word needs no correction: the dictionaries or the
    // user know it, it is a chord symbol, or it holds no letter. Marks and
    // brackets around it do not count.
    bool isCorrect(QStringView word);
    // The dictionary's suggestions for a word, at most max of them.
    QStringList suggestions(const QString &word, int max = -1);
    // Accepts the word until the program ends.
    void ignoreAll(const QString &word);
    // Adds the word to the custom dictionary file; on a failed write the
    // word is still accepted until the program ends, and addError() and
    // addErrorString() tell why.
    bool addWord(const QString &word);
    int addError() const { return m_custom.error(); }
    QString addErrorString() const { return m_custom.errorString(); }

signals:
    // Different dictionaries are open: what was known may have changed.
    void dictionariesOpened();
    // The user has accepted the word (Ignore All or Add).
    void wordAccepted(const QString &word);

private:
    bool isKnownCore(const QString &core);
    void accept(const QString &core);

    SpellDialogs *m_dialogs;
    HunspellDictionary m_main;
    CustomDictionary m_custom;
    QDateTime m_mainModified;
    int m_openError = 0;
    QString m_openErrorString;

    QSet<QString> m_ignored;
    QHash<QString, QString> m_changeAll;
    QHash<QString, bool> m_known;
    QHash<QString, QStringList> m_suggestions;
};
