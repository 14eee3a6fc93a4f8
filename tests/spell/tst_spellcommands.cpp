// The spelling commands over a scripted checker: the walk through the
// song, the counts, the summary and the ways a run ends; the dictionary
// settings, their repair, opening with the fallback and the Spell Check
// Options flow, each with its messages.
#include "ScriptedSpell.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "base/SettingsStore.h"
#include "document/SongText.h"
#include "spell/SpellCheckCommands.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <QTest>

#include <memory>

using Corrections = QHash<QString, QString>;
Q_DECLARE_METATYPE(Corrections)

namespace {

const QString unset = QStringLiteral("<unset>");

QString stored(const QString &key)
{
    return SettingsStore::GetSetting(key, unset);
}

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

const QString missingMessage = QStringLiteral("The spellchecker Custom Dictionary file 'custom.dic'\n"
                                              "is missing or invalid.\n"
                                              "Reinstalling the application will restore this file.");

struct Checked
{
    QString text;
    QString selected;
};

// Runs the spelling check over the song with the custom dictionary in
// place, so opening the dictionaries shows nothing.
Checked check(const QString &song, ScriptedChecker &checker)
{
    touch(AppPath() + QStringLiteral("/custom.dic"));
    gstrCustomDictFilePath = AppPath() + QStringLiteral("/custom.dic");
    QTextDocument document;
    SongText text(&document);
    text.setTextRTF(song);
    SpellCheckCommands(checker, nullptr).SpellCheck(text);
    return {text.Text(), text.SelText()};
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

    // "after" empty: the text is unchanged.
    void walk_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<Corrections>("corrections");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("replaced");

        const QString same;
        QTest::newRow("empty song") << "" << Corrections{} << QStringList{} << same << 0;
        QTest::newRow("line breaks") << "one\ntwo\n\nthree" << Corrections{}
                                     << QStringList{"one", "two", "three"} << same << 0;
        QTest::newRow("punctuation runs") << " Hi!!! ...  don't, well-known?;:" << Corrections{}
                                          << QStringList{"Hi", "don't", "well-known"} << same << 0;
        QTest::newRow("brackets and tabs") << "(chorus) [Am7]\tx" << Corrections{}
                                           << QStringList{"(chorus)", "[Am7]\tx"} << same << 0;
        QTest::newRow("same text") << "teh cat sat" << Corrections{{"teh", "teh"}}
                                   << QStringList{"teh", "cat", "sat"} << same << 0;
        QTest::newRow("longer correction of the last word") << "cat teh" << Corrections{{"teh", "thereabouts"}}
                                                            << QStringList{"cat", "teh"} << "cat thereabouts" << 1;
        QTest::newRow("shorter corrections before the last words")
            << "aaaaaaaaaaa bbbbbbbbbbb c d" << Corrections{{"aaaaaaaaaaa", "a"}, {"bbbbbbbbbbb", "b"}}
            << QStringList{"aaaaaaaaaaa", "bbbbbbbbbbb", "c", "d"} << "a b c d" << 2;
        QTest::newRow("correction with spaces is not checked again")
            << "alot more" << Corrections{{"alot", "a lot"}} << QStringList{"alot", "more"} << "a lot more" << 1;
        QTest::newRow("correction removes the word") << "the the end" << Corrections{{"the", ""}}
                                                     << QStringList{"the", "the", "end"} << "  end" << 2;
        QTest::newRow("correction across lines") << "teh\nend" << Corrections{{"teh", "the"}}
                                                 << QStringList{"teh", "end"} << "the\r\nend" << 1;
        // Far past 32,767 characters, to the last word, with replacements
        // of both lengths on the way.
        QString song;
        QStringList words;
        for (int line = 0; line < 4000; ++line) {
            song += QStringLiteral("alpha, beta gamma\n");
            words << "alpha" << "beta" << "gamma";
        }
        QTest::newRow("long song") << song + "omega" << Corrections{{"alpha", "a"}, {"beta", "betamax"}}
                                   << words + QStringList{"omega"}
                                   << QString(song).replace("alpha", "a").replace("beta", "betamax").replace("\n", "\r\n")
                                          + "omega"
                                   << 8000;
    }

    void walk()
    {
        QFETCH(QString, song);
        QFETCH(Corrections, corrections);
        QFETCH(QStringList, words);
        QFETCH(QString, after);
        QFETCH(int, replaced);
        ScriptedChecker checker;
        checker.corrections = corrections;
        QCOMPARE(check(song, checker).text, after.isEmpty() ? QString(song).replace("\n", "\r\n") : after);
        QCOMPARE(checker.words, words);
        QCOMPARE(m_prompt->messages.size(), 1);
        QCOMPARE(m_prompt->messages[0].title, AppTitle());
        QCOMPARE(m_prompt->messages[0].icon, QMessageBox::Information);
        QCOMPARE(m_prompt->messages[0].text, QStringLiteral("Spell Check Complete.\n\nWords  checked: %1\nWords replaced: %2")
                                                 .arg(words.size())
                                                 .arg(replaced));
        QCOMPARE(checker.endChecks, 1);
    }

    // The word dialog is shown the word in its line; the last word checked
    // stays selected.
    void dialogSeesTheWordInItsLine()
    {
        ScriptedChecker checker;
        checker.askContext = true;
        checker.corrections = {{"teh", "three"}};
        const Checked after = check(QStringLiteral("first line\nsing teh song\nlast teh."), checker);
        QCOMPARE(checker.words, (QStringList{"first", "line", "sing", "teh", "song", "last", "teh"}));
        QCOMPARE(checker.contexts[3].line, QStringLiteral("sing teh song"));
        QCOMPARE(checker.contexts[3].column, 5);
        QCOMPARE(after.text, QStringLiteral("first line\r\nsing three song\r\nlast three."));
        QCOMPARE(after.selected, QStringLiteral("three"));
    }

    // The ways a run ends early: Cancel, a checker whose dictionary is not
    // open, an error while checking, no dictionary at all.
    void endsEarly_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("endChecks");
        QTest::addColumn<QString>("message"); // the start of title|text, "" for none
        QTest::newRow("cancel") << "cancel" << QStringList{"teh", "one"} << 1 << "";
        QTest::newRow("not open") << "not open" << QStringList{"teh", "one"} << 0
                                  << AppTitle() + "|Error, dictionary has not been opened.";
        QTest::newRow("error") << "error" << QStringList{"teh", "one"} << 1
                               << "Sub SpellCheck|Error Number: 5  Description: The checker failed";
        QTest::newRow("no dictionary") << "no dictionary" << QStringList{} << 0 << "Dictionary could Not be Opened|";
    }

    void endsEarly()
    {
        QFETCH(QString, end);
        QFETCH(QStringList, words);
        QFETCH(QString, message);
        ScriptedChecker checker;
        checker.corrections = {{"teh", "the"}};
        checker.cancelAt = end == "cancel" ? 2 : 0;
        checker.notOpenAt = end == "not open" ? 2 : 0;
        if (end == "no dictionary")
            checker.openResults << false << false;
        checker.onWord = [end](const QString &word) {
            if (end == "error" && word == QLatin1String("one"))
                throw SpellRunError(5, QStringLiteral("The checker failed"));
        };
        QCOMPARE(check(QStringLiteral("teh one two"), checker).text,
                 words.isEmpty() ? QStringLiteral("teh one two") : QStringLiteral("the one two"));
        QCOMPARE(checker.words, words);
        QTEST(checker.endChecks, "endChecks");
        QCOMPARE(m_prompt->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY((m_prompt->messages[0].title + "|" + m_prompt->messages[0].text).startsWith(message));
    }

    // The walk selects words; sentences and other units are selected alone.
    void selectTextUnit_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("selected");
        QTest::newRow("sentence") << "sentence" << 1 << "Two words,x then";
        QTest::newRow("sentence after a break") << "sentence" << 19 << "more";
        QTest::newRow("other unit") << "line" << 5 << "";
    }

    void selectTextUnit()
    {
        QFETCH(QString, unit);
        QFETCH(int, start);
        QFETCH(QString, selected);
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("Two words,x then\nmore"));
        const qint32 length = SelectTextUnit(text, unit, start);
        QCOMPARE(text.SelText(), selected);
        QCOMPARE(length, qint32(text.SelLength()));
    }
    void checkCustomDictPath_data()
    {
        QTest::addColumn<QString>("setting");  // relative to the program folder; "" for empty
        QTest::addColumn<QString>("existing"); // files to create, besides the default
        QTest::addColumn<bool>("defaultExists");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("after"); // "default", "same"

        QTest::newRow("valid file") << "mine.dic" << "mine.dic" << true << true << "same";
        QTest::newRow("deleted file, default there") << "gone.dic" << "" << true << true << "default";
        QTest::newRow("text file, default there") << "notes.txt" << "notes.txt" << true << true << "default";
        QTest::newRow("folder named .dic") << "words.dic/list.txt" << "words.dic/list.txt" << false << true << "same";
        QTest::newRow("folder, not a file") << "folder.dic" << "folder.dic/x" << true << true << "default";
        QTest::newRow("upper-case name") << "MINE.DIC" << "MINE.DIC" << false << true << "same";
        QTest::newRow("empty, no default") << "" << "" << false << false << "same";
    }

    void checkCustomDictPath()
    {
        QFETCH(QString, setting);
        QFETCH(QString, existing);
        QFETCH(bool, defaultExists);
        QFETCH(bool, valid);
        QFETCH(QString, after);

        if (!existing.isEmpty())
            touch(m_folder->filePath(existing));
        if (defaultExists)
            touch(m_folder->filePath(QStringLiteral("custom.dic")));
        gstrCustomDictFilePath = setting.isEmpty() ? QString() : m_folder->filePath(setting);
        const QString before = gstrCustomDictFilePath;
        ScriptedChecker checker;

        QCOMPARE(SpellCheckCommands(checker, nullptr).CheckCustomDictPath(), valid);
        if (after == QLatin1String("default")) {
            QCOMPARE(gstrCustomDictFilePath, m_folder->filePath(QStringLiteral("custom.dic")));
            QCOMPARE(stored(SettingsStore::CustomDictFilePath), gstrCustomDictFilePath);
        } else {
            QCOMPARE(gstrCustomDictFilePath, before);
            QCOMPARE(stored(SettingsStore::CustomDictFilePath), unset);
        }
    }

    // The main dictionary falls back to SpellUS.lex, which is then stored;
    // every message is a warning.
    void loadDictionaries_data()
    {
        QTest::addColumn<QString>("main");
        QTest::addColumn<bool>("customExists");
        QTest::addColumn<QList<bool>>("opens");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QStringList>("asked");  // main dictionaries in the order asked
        QTest::addColumn<QString>("storedMain"); // unset when nothing was written
        QTest::addColumn<QString>("message");    // title|text, "" for none

        QTest::newRow("opens") << "French.lex" << true << QList<bool>{true} << 0 << QStringList{"French.lex"} << unset
                               << "";
        QTest::newRow("SpellUS.lex asked twice") << "SpellUS.lex" << true << QList<bool>{false, true} << 0
                                                 << QStringList{"SpellUS.lex", "SpellUS.lex"} << "SpellUS.lex" << "";
        QTest::newRow("empty main name") << "" << true << QList<bool>{false, true} << 0
                                         << QStringList{"", "SpellUS.lex"} << "SpellUS.lex" << "";
        QTest::newRow("neither opens")
            << "French.lex" << true << QList<bool>{false, false} << 0 << QStringList{"French.lex", "SpellUS.lex"}
            << unset
            << "Dictionary could Not be Opened|The spellchecker Main Dictionary file 'French.lex'\ncould not be "
               "opened.\nUse the 'Spell Check Options' dialog to select a Dictionary.";
        QTest::newRow("opening fails with an error")
            << "Russian.lex" << true << QList<bool>{false} << 1001 << QStringList{"Russian.lex"} << unset
            << "Error Opening Dictionary|Error Number: 1001  Description: The dictionary 'Russian.lex' is written in "
               "KOI8-R.";
        QTest::newRow("custom missing, still opened") << "French.lex" << false << QList<bool>{true} << 0
                                                      << QStringList{"French.lex"} << unset
                                                      << "Missing Dictionary File|" + missingMessage;
    }

    void loadDictionaries()
    {
        QFETCH(QString, main);
        QFETCH(bool, customExists);
        QFETCH(QList<bool>, opens);
        QFETCH(QStringList, asked);
        QFETCH(QString, storedMain);
        QFETCH(QString, message);

        if (customExists)
            touch(m_folder->filePath(QStringLiteral("custom.dic")));
        gstrMainDictFileName = main;
        gstrCustomDictFilePath = m_folder->filePath(QStringLiteral("custom.dic"));
        ScriptedChecker checker;
        checker.openResults = QQueue<bool>(opens);
        QFETCH(int, errorNumber);
        checker.openErrorNumber = errorNumber;
        checker.openErrorText = QStringLiteral("The dictionary 'Russian.lex' is written in KOI8-R.");

        SpellCheckCommands commands(checker, nullptr);
        QCOMPARE(commands.LoadDictionaries(), opens.last());
        QStringList askedMains;
        for (const auto &call : checker.openCalls) {
            askedMains.append(call.main);
            QCOMPARE(call.custom, gstrCustomDictFilePath);
        }
        QCOMPARE(askedMains, asked);
        QCOMPARE(stored(SettingsStore::MainDictFileName), storedMain);
        QCOMPARE(gstrMainDictFileName, storedMain == unset ? main : storedMain);
        QCOMPARE(m_prompt->messages.size(), message.isEmpty() ? 0 : 1);
        if (message.isEmpty())
            return;
        QCOMPARE(m_prompt->messages[0].title + '|' + m_prompt->messages[0].text, message);
        QCOMPARE(m_prompt->messages[0].icon, QMessageBox::Warning);
        // Warned again on every run, not once a session.
        if (!customExists) {
            QVERIFY(commands.LoadDictionaries());
            QCOMPARE(m_prompt->messages.size(), 2);
        }
    }

    void options_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("custom"); // "old" for unchanged; relative to the program folder
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("customAfter"); // "old" or "new"
        QTest::addColumn<QString>("mainAfter");
        QTest::addColumn<QString>("message"); // title|text, "" for none

        const QString notFound = "File or Path Not Found|Invalid File Path.\nThe Custom Dictionary Path was Not Changed.";
        const QString invalid = "Invalid Dictionary File|The selected File is Not a Valid Custom Dictionary file.\n"
                                "The Custom Dictionary Path was Not Changed.";
        QTest::newRow("cancelled") << false << "other.dic" << "French.lex" << "old" << "SpellUS.lex" << "";
        QTest::newRow("other custom") << true << "other.dic" << "SpellUS.lex" << "new" << "SpellUS.lex" << "";
        QTest::newRow("custom not found") << true << "absent.dic" << "SpellUS.lex" << "old" << "SpellUS.lex"
                                          << notFound;
        QTest::newRow("custom not a .dic") << true << "words.txt" << "SpellUS.lex" << "old" << "SpellUS.lex"
                                           << invalid;
        QTest::newRow("custom with ?") << true << "what?.dic" << "SpellUS.lex" << "old" << "SpellUS.lex" << "";
        QTest::newRow("main not a .lex") << true << "old" << "french.txt" << "old" << "SpellUS.lex" << "";
        QTest::newRow("bad custom, good main") << true << "words.txt" << "French.lex" << "old" << "French.lex"
                                               << invalid;
    }

    void options()
    {
        QFETCH(bool, confirmed);
        QFETCH(QString, custom);
        QFETCH(QString, main);
        QFETCH(QString, customAfter);
        QFETCH(QString, mainAfter);
        QFETCH(QString, message);

        for (const char *name : {"custom.dic", "other.dic", "words.txt"})
            touch(m_folder->filePath(QString::fromLatin1(name)));
        const QString oldCustom = m_folder->filePath(QStringLiteral("custom.dic"));
        gstrCustomDictFilePath = oldCustom;
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
        ScriptedChecker checker;
        checker.showOptionsResult = confirmed;
        checker.optionsCustom = custom == QLatin1String("old") ? oldCustom : m_folder->filePath(custom);
        checker.optionsMain = main;

        SpellCheckCommands(checker, nullptr).SpellCheckOptions();

        const QString systemDir = GetSystemDir();
        QCOMPARE(checker.showOptionsArguments,
                 (QStringList{systemDir, oldCustom, "SpellUS.lex", joinPath(systemDir, "dictionaries.ins"), "true"}));
        const QString expectedCustom = customAfter == QLatin1String("new") ? checker.optionsCustom : oldCustom;
        QCOMPARE(gstrCustomDictFilePath, expectedCustom);
        QCOMPARE(stored(SettingsStore::CustomDictFilePath), customAfter == QLatin1String("new") ? expectedCustom : unset);
        QCOMPARE(gstrMainDictFileName, mainAfter);
        QCOMPARE(stored(SettingsStore::MainDictFileName), mainAfter == QLatin1String("SpellUS.lex") ? unset : mainAfter);
        QCOMPARE(m_prompt->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(m_prompt->messages[0].title + '|' + m_prompt->messages[0].text, message);
            QCOMPARE(m_prompt->messages[0].icon, QMessageBox::Information);
        }
    }
};

QTEST_MAIN(tst_SpellCommands)
#include "tst_spellcommands.moc"
