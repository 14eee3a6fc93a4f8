// The spelling commands over a scripted checker: the run over the song and
// the ways it ends, opening the dictionaries with the fallback and the Spell
// Check Options flow, each with its messages.
#include "ScriptedSpell.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "base/SettingsStore.h"
#include "document/SongText.h"
#include "spell/SpellCheckCommands.h"

#include <QFile>
#include <QTextDocument>
#include <QTest>

#include <memory>

namespace {

const QString unset = QStringLiteral("<unset>");

QString stored(const QString &key) { return SettingsStore::GetSetting(key, unset); }

void touch(const QString &path) { QVERIFY(QFile(path).open(QIODevice::WriteOnly)); }

// Runs the spelling check over the song with the custom dictionary in
// place, so opening the dictionaries shows nothing; the text afterwards
// and the selection.
QString check(const QString &song, ScriptedChecker &checker)
{
    gstrCustomDictFilePath = AppPath() + QStringLiteral("/custom.dic");
    touch(gstrCustomDictFilePath);
    QTextDocument document;
    SongText text(&document);
    text.setTextRTF(song);
    SpellCheckCommands(checker, nullptr).SpellCheck(text);
    return text.Text() + '|' + text.SelText();
}

// Every message as title|text, a warning marked.
QString shown(const ScriptedPrompt &prompt)
{
    QStringList messages;
    for (const ScriptedPrompt::Message &message : prompt.messages)
        messages << message.title + '|' + message.text + (message.icon == QMessageBox::Warning ? "|warning" : "");
    return messages.join('\n');
}

} // namespace

class tst_SpellCommands : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_prompt = std::make_unique<ScriptedPrompt>();
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
    }

    void cleanup()
    {
        m_prompt.reset();
        m_folder.reset();
    }

    // The run over the song: the words the checker is given ("|" between),
    // the text afterwards ("" unchanged), the line and column the word
    // dialog gets with the first correction, and the summary. Corrections:
    // "teh=the,alot=a lot". "end": how the run ends at the word "two", the
    // third (Cancel, a checker whose dictionary is not open, an error while
    // checking), or at once (no dictionary); then the start of the message.
    void run_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("corrections");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty song") << "" << "" << "" << "" << "" << "" << "";
        QTest::newRow("one word") << "teh" << "teh=the" << "teh" << "the" << "teh|0" << "" << "";
        QTest::newRow("leading space, comma, apostrophe, hyphen") << " Hi!!! ...  don't, well-known?;:" << "" << "Hi|don't|well-known" << "" << "" << "" << "";
        QTest::newRow("line breaks") << "one\ntwo\n\nthree" << "" << "one|two|three" << "" << "" << "" << "";
        QTest::newRow("brackets and tabs") << "(chorus) [Am7]\tx" << "" << "(chorus)|[Am7]\tx" << "" << "" << "" << "";
        QTest::newRow("same text") << "teh cat" << "teh=teh" << "teh|cat" << "" << "teh cat|0" << "" << "";
        QTest::newRow("longer correction of the last word") << "cat teh" << "teh=thereabouts" << "cat|teh" << "cat thereabouts" << "cat teh|4" << "" << "";
        QTest::newRow("shorter corrections before the last words")
            << "aaaaaaaaaaa bbbbbbbbbbb c d" << "aaaaaaaaaaa=a,bbbbbbbbbbb=b" << "aaaaaaaaaaa|bbbbbbbbbbb|c|d" << "a b c d" << "aaaaaaaaaaa bbbbbbbbbbb c d|0" << "" << "";
        QTest::newRow("correction with spaces is not checked again") << "alot more" << "alot=a lot" << "alot|more" << "a lot more" << "alot more|0" << "" << "";
        // Far past 32,767 characters, to the last word, with replacements of both lengths on the way.
        const QString song = QStringLiteral("alpha, beta gamma\n").repeated(4000) + "omega";
        QTest::newRow("long song") << song << "alpha=a,beta=betamax" << QStringLiteral("alpha|beta|gamma|").repeated(4000) + "omega"
                                   << QString(song).replace("alpha", "a").replace("beta", "betamax").replace("\n", "\r\n") << "alpha, beta gamma|0" << "" << "";
        const QString ends = QStringLiteral("la teh two\nthree"), ended = QStringLiteral("la the two\r\nthree");
        QTest::newRow("cancel") << ends << "teh=the" << "la|teh|two" << ended << "la teh two|3" << "cancel" << "";
        QTest::newRow("not open") << ends << "teh=the" << "la|teh|two" << ended << "la teh two|3" << "not open" << AppTitle() + "|Error, dictionary has not been opened.";
        QTest::newRow("error") << ends << "teh=the" << "la|teh|two" << ended << "la teh two|3" << "error" << "Sub SpellCheck|Error Number: 5  Description: The checker failed";
        QTest::newRow("no dictionary") << ends << "teh=the" << "" << "" << "" << "no dictionary" << "Dictionary could Not be Opened|";
    }

    void run()
    {
        QFETCH(QString, song);
        QFETCH(QString, corrections);
        QFETCH(QString, after);
        QFETCH(QString, end);
        QFETCH(QString, message);
        ScriptedChecker checker;
        for (const QString &pair : corrections.split(',', Qt::SkipEmptyParts))
            checker.corrections.insert(pair.section('=', 0, 0), pair.section('=', 1));
        checker.codeFor = [end](const QString &word) {
            if (word != QLatin1String("two") || end.isEmpty())
                return SpellCheckerControl::GoOn;
            if (end == "error")
                throw SpellRunError(5, QStringLiteral("The checker failed"));
            return end == "cancel" ? SpellCheckerControl::EndRun : SpellCheckerControl::NotOpen;
        };
        if (end == "no dictionary")
            checker.openResults << 0 << 0;
        QCOMPARE(check(song, checker).section('|', 0, 0), after.isEmpty() ? QString(song).replace("\n", "\r\n") : after);
        QTEST(checker.words.join('|'), "words");
        QTEST(checker.contexts.isEmpty() ? QString() : checker.contexts[0].line + '|' + QString::number(checker.contexts[0].column), "context");
        const auto replaced = std::count_if(checker.words.begin(), checker.words.end(), [&](const QString &word) { return checker.corrections.value(word, word) != word; });
        if (end.isEmpty())
            message = AppTitle() + QStringLiteral("|Spell Check Complete.\n\nWords  checked: %1\nWords replaced: %2").arg(checker.words.size()).arg(replaced);
        QCOMPARE(m_prompt->messages.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(end.isEmpty() ? shown(*m_prompt) : shown(*m_prompt).left(message.size()), message);
        // The checker hears that the run is over unless its dictionary was not open.
        QCOMPARE(checker.endChecks, end == "not open" || end == "no dictionary" ? 0 : 1);
    }

    // The main dictionary falls back to SpellUS.lex, which is then stored;
    // every message is a warning, shown again on every run.
    void loadDictionaries_data()
    {
        QTest::addColumn<QString>("main");
        QTest::addColumn<bool>("customExists");
        QTest::addColumn<QList<int>>("opens"); // 1 opens, 0 fails, another number fails with that error
        QTest::addColumn<QString>("asked");      // main dictionaries in the order asked
        QTest::addColumn<QString>("storedMain"); // unset when nothing was written
        QTest::addColumn<QString>("message");    // title|text
        QTest::newRow("falls back to SpellUS.lex") << "French.lex" << true << QList<int>{0, 1} << "French.lex|SpellUS.lex" << "SpellUS.lex" << "";
        QTest::newRow("neither opens") << "French.lex" << true << QList<int>{0, 0} << "French.lex|SpellUS.lex" << unset
                                       << "Dictionary could Not be Opened|The spellchecker Main Dictionary file 'French.lex'\ncould not be "
                                          "opened.\nUse the 'Spell Check Options' dialog to select a Dictionary.|warning";
        QTest::newRow("opening fails with an error") << "Russian.lex" << true << QList<int>{1001} << "Russian.lex" << unset
                                                     << "Error Opening Dictionary|Error Number: 1001  Description: The dictionary cannot be used.|warning";
        QTest::newRow("custom missing, still opened") << "French.lex" << false << QList<int>{1} << "French.lex" << unset
                                                      << "Missing Dictionary File|The spellchecker Custom Dictionary file 'custom.dic'\nis missing or "
                                                         "invalid.\nReinstalling the application will restore this file.|warning";
    }

    void loadDictionaries()
    {
        QFETCH(QString, main);
        QFETCH(QList<int>, opens);
        QFETCH(QString, storedMain);
        QFETCH(bool, customExists);
        if (customExists)
            touch(m_folder->filePath(QStringLiteral("custom.dic")));
        gstrMainDictFileName = main;
        gstrCustomDictFilePath = m_folder->filePath(QStringLiteral("custom.dic"));
        ScriptedChecker checker;
        checker.openResults = QQueue<int>(opens);
        SpellCheckCommands commands(checker, nullptr);
        QCOMPARE(commands.LoadDictionaries(), opens.last() == 1);
        QTEST(checker.opened.join('|').remove('|' + gstrCustomDictFilePath), "asked");
        QCOMPARE(stored(SettingsStore::MainDictFileName) + '|' + gstrMainDictFileName, storedMain + '|' + (storedMain == unset ? main : storedMain));
        QTEST(shown(*m_prompt), "message");
        QVERIFY(customExists || (commands.LoadDictionaries() && m_prompt->messages.size() == 2));
    }

    // The options the checker's dialog answers: a custom dictionary is
    // taken only when it exists and has .dic in its path, a main one only
    // when it has .lex; names with "?" are dropped without a word.
    void options_data()
    {
        QTest::addColumn<QString>("custom"); // in the program folder; "": the dialog is cancelled
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("taken"); // custom|main afterwards, then as stored
        QTest::addColumn<QString>("message");
        const QString kept = "custom.dic|SpellUS.lex|<unset>|<unset>";
        QTest::newRow("cancelled") << "" << "French.lex" << kept << "";
        QTest::newRow("other custom") << "other.dic" << "SpellUS.lex" << "other.dic|SpellUS.lex|other.dic|<unset>" << "";
        QTest::newRow("custom not found") << "absent.dic" << "SpellUS.lex" << kept
                                          << "File or Path Not Found|Invalid File Path.\nThe Custom Dictionary Path was Not Changed.";
        QTest::newRow("bad custom, good main") << "words.txt" << "French.lex" << "custom.dic|French.lex|<unset>|French.lex"
                                               << "Invalid Dictionary File|The selected File is Not a Valid Custom Dictionary file.\n"
                                                  "The Custom Dictionary Path was Not Changed.";
        QTest::newRow("custom with ?") << "what?.dic" << "SpellUS.lex" << kept << "";
        QTest::newRow("main not a .lex") << "custom.dic" << "french.txt" << kept << "";
    }

    void options()
    {
        QFETCH(QString, custom);
        QFETCH(QString, main);
        for (const char *name : {"custom.dic", "other.dic", "words.txt"})
            touch(m_folder->filePath(QString::fromLatin1(name)));
        gstrCustomDictFilePath = m_folder->filePath(QStringLiteral("custom.dic"));
        ScriptedChecker checker;
        if (!custom.isEmpty())
            checker.optionsAnswer = QStringList{m_folder->filePath(custom), main};
        SpellCheckCommands(checker, nullptr).SpellCheckOptions();
        QCOMPARE(checker.optionsAsked.join('|'),
                 QStringList({GetSystemDir(), m_folder->filePath("custom.dic"), "SpellUS.lex", joinPath(GetSystemDir(), "dictionaries.ins"), "true"}).join('|'));
        QTEST(QStringList({gstrCustomDictFilePath, gstrMainDictFileName, stored(SettingsStore::CustomDictFilePath),
                           stored(SettingsStore::MainDictFileName)}).join('|').remove(m_folder->path() + '/'), "taken");
        QTEST(shown(*m_prompt), "message");
    }
};

QTEST_MAIN(tst_SpellCommands)
#include "tst_spellcommands.moc"
