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

namespace {

const QString unset = QStringLiteral("<unset>");

QString stored(const QString &key) { return SettingsStore::GetSetting(key, unset); }

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
}

// "teh=the,alot=a lot" as the checker's corrections.
QHash<QString, QString> corrections(const QString &pairs)
{
    QHash<QString, QString> result;
    for (const QString &pair : pairs.split(',', Qt::SkipEmptyParts))
        result.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return result;
}

// Runs the spelling check over the song with the custom dictionary in
// place, so opening the dictionaries shows nothing; the text and the
// selection afterwards.
QString check(const QString &song, ScriptedChecker &checker, QString *selected = nullptr)
{
    touch(AppPath() + QStringLiteral("/custom.dic"));
    gstrCustomDictFilePath = AppPath() + QStringLiteral("/custom.dic");
    QTextDocument document;
    SongText text(&document);
    text.setTextRTF(song);
    SpellCheckCommands(checker, nullptr).SpellCheck(text);
    if (selected)
        *selected = text.SelText();
    return text.Text();
}

QString shown(const ScriptedPrompt &prompt)
{
    QStringList messages;
    for (const ScriptedPrompt::Message &message : prompt.messages)
        messages << message.title + '|' + message.text;
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

    // The words the checker is given, "|" between; "after" empty: the text
    // is unchanged. Words replaced: those corrected to another text.
    void walk_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("corrections");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty song") << "" << "" << "" << "";
        QTest::newRow("one word") << "teh" << "teh=the" << "teh" << "the";
        QTest::newRow("leading space, comma, apostrophe, hyphen") << " Hi!!! ...  don't, well-known?;:" << "" << "Hi|don't|well-known" << "";
        QTest::newRow("line breaks") << "one\ntwo\n\nthree" << "" << "one|two|three" << "";
        QTest::newRow("brackets and tabs") << "(chorus) [Am7]\tx" << "" << "(chorus)|[Am7]\tx" << "";
        QTest::newRow("same text") << "teh cat" << "teh=teh" << "teh|cat" << "";
        QTest::newRow("longer correction of the last word") << "cat teh" << "teh=thereabouts" << "cat|teh" << "cat thereabouts";
        QTest::newRow("shorter corrections before the last words")
            << "aaaaaaaaaaa bbbbbbbbbbb c d" << "aaaaaaaaaaa=a,bbbbbbbbbbb=b" << "aaaaaaaaaaa|bbbbbbbbbbb|c|d" << "a b c d";
        QTest::newRow("correction with spaces is not checked again") << "alot more" << "alot=a lot" << "alot|more" << "a lot more";
        // Far past 32,767 characters, to the last word, with replacements
        // of both lengths on the way.
        const QString song = QStringLiteral("alpha, beta gamma\n").repeated(4000) + "omega";
        QTest::newRow("long song") << song << "alpha=a,beta=betamax"
                                   << QStringLiteral("alpha|beta|gamma|").repeated(4000) + "omega"
                                   << QString(song).replace("alpha", "a").replace("beta", "betamax").replace("\n", "\r\n");
    }

    void walk()
    {
        QFETCH(QString, song);
        QFETCH(QString, words);
        QFETCH(QString, after);
        ScriptedChecker checker;
        QFETCH(QString, corrections);
        checker.corrections = ::corrections(corrections);
        QCOMPARE(check(song, checker), after.isEmpty() ? QString(song).replace("\n", "\r\n") : after);
        QCOMPARE(checker.words.join('|'), words);
        int replaced = 0;
        for (const QString &word : checker.words)
            replaced += checker.corrections.value(word, word) != word;
        QCOMPARE(shown(*m_prompt), AppTitle() + QStringLiteral("|Spell Check Complete.\n\nWords  checked: %1\nWords replaced: %2")
                                                    .arg(checker.words.size()).arg(replaced));
        QCOMPARE(m_prompt->messages[0].icon, QMessageBox::Information);
        QCOMPARE(checker.endChecks, 1);
    }

    // The word dialog is shown the word in its line; the last word checked
    // stays selected.
    void dialogSeesTheWordInItsLine()
    {
        ScriptedChecker checker;
        checker.askContext = true;
        checker.corrections = {{"teh", "three"}};
        QString selected;
        QCOMPARE(check(QStringLiteral("first line\nsing teh song\nlast teh."), checker, &selected),
                 QStringLiteral("first line\r\nsing three song\r\nlast three."));
        QCOMPARE(checker.contexts[3].line + '|' + QString::number(checker.contexts[3].column), QStringLiteral("sing teh song|5"));
        QCOMPARE(selected, QStringLiteral("three"));
    }

    // The ways a run ends early: Cancel on the third word, a checker whose
    // dictionary is not open, an error while checking, no dictionary at all.
    // "message": the start of title|text.
    void endsEarly_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("endChecks");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancel") << "cancel" << "teh|one|two" << 1 << "";
        QTest::newRow("not open") << "not open" << "teh|one|two" << 0 << AppTitle() + "|Error, dictionary has not been opened.";
        QTest::newRow("error") << "error" << "teh|one|two" << 1 << "Sub SpellCheck|Error Number: 5  Description: The checker failed";
        QTest::newRow("no dictionary") << "no dictionary" << "" << 0 << "Dictionary could Not be Opened|";
    }

    void endsEarly()
    {
        QFETCH(QString, end);
        QFETCH(QString, words);
        QFETCH(QString, message);
        ScriptedChecker checker;
        checker.corrections = {{"teh", "the"}};
        checker.cancelAt = end == "cancel" ? 3 : 0;
        checker.notOpenAt = end == "not open" ? 3 : 0;
        if (end == "no dictionary")
            checker.openResults << false << false;
        checker.onWord = [end](const QString &word) {
            if (end == "error" && word == QLatin1String("two"))
                throw SpellRunError(5, QStringLiteral("The checker failed"));
        };
        QCOMPARE(check(QStringLiteral("teh one two three"), checker), words.isEmpty() ? "teh one two three" : "the one two three");
        QCOMPARE(checker.words.join('|'), words);
        QTEST(checker.endChecks, "endChecks");
        QCOMPARE(m_prompt->messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY2(message.isEmpty() || shown(*m_prompt).startsWith(message), qPrintable(shown(*m_prompt)));
    }

    // The walk selects words; sentences and other units are selected alone.
    void selectTextUnit()
    {
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("Two words,x then\nmore"));
        QStringList selected;
        for (const auto &[unit, start] : {std::pair{"sentence", 1}, {"sentence", 19}, {"line", 5}}) {
            const qint32 length = SelectTextUnit(text, QString::fromLatin1(unit), start);
            QCOMPARE(length, qint32(text.SelLength()));
            selected << text.SelText();
        }
        QCOMPARE(selected, (QStringList{"Two words,x then", "more", ""}));
    }

    // A setting that is no existing file or has no .dic in its path turns
    // into the default custom.dic, if that is there.
    void checkCustomDictPath_data()
    {
        QTest::addColumn<QString>("setting"); // relative to the program folder; "" for empty
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("defaultExists");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("upper-case name") << "MINE.DIC" << "MINE.DIC" << false << true << false;
        QTest::newRow("deleted file, default there") << "gone.dic" << "" << true << true << true;
        QTest::newRow("text file, default there") << "notes.txt" << "notes.txt" << true << true << true;
        QTest::newRow("folder named .dic") << "words.dic/list.txt" << "words.dic/list.txt" << false << true << false;
        QTest::newRow("empty, no default") << "" << "" << false << false << false;
    }

    void checkCustomDictPath()
    {
        QFETCH(QString, setting);
        QFETCH(QString, existing);
        QFETCH(bool, defaultExists);
        QFETCH(bool, repaired);
        if (!existing.isEmpty())
            touch(m_folder->filePath(existing));
        if (defaultExists)
            touch(m_folder->filePath(QStringLiteral("custom.dic")));
        gstrCustomDictFilePath = setting.isEmpty() ? QString() : m_folder->filePath(setting);
        const QString after = repaired ? m_folder->filePath(QStringLiteral("custom.dic")) : gstrCustomDictFilePath;
        ScriptedChecker checker;
        QTEST(SpellCheckCommands(checker, nullptr).CheckCustomDictPath(), "valid");
        QCOMPARE(gstrCustomDictFilePath, after);
        QCOMPARE(stored(SettingsStore::CustomDictFilePath), repaired ? after : unset);
    }

    // The main dictionary falls back to SpellUS.lex, which is then stored;
    // every message is a warning.
    void loadDictionaries_data()
    {
        QTest::addColumn<QString>("main");
        QTest::addColumn<bool>("customExists");
        QTest::addColumn<QList<bool>>("opens");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QString>("asked");      // main dictionaries in the order asked
        QTest::addColumn<QString>("storedMain"); // unset when nothing was written
        QTest::addColumn<QString>("message");    // title|text
        QTest::newRow("SpellUS.lex asked twice") << "SpellUS.lex" << true << QList<bool>{false, true} << 0
                                                 << "SpellUS.lex|SpellUS.lex" << "SpellUS.lex" << "";
        QTest::newRow("empty main name") << "" << true << QList<bool>{false, true} << 0 << "|SpellUS.lex" << "SpellUS.lex" << "";
        QTest::newRow("neither opens")
            << "French.lex" << true << QList<bool>{false, false} << 0 << "French.lex|SpellUS.lex" << unset
            << "Dictionary could Not be Opened|The spellchecker Main Dictionary file 'French.lex'\ncould not be "
               "opened.\nUse the 'Spell Check Options' dialog to select a Dictionary.";
        QTest::newRow("opening fails with an error")
            << "Russian.lex" << true << QList<bool>{false} << 1001 << "Russian.lex" << unset
            << "Error Opening Dictionary|Error Number: 1001  Description: The dictionary 'Russian.lex' is written in KOI8-R.";
        QTest::newRow("custom missing, still opened")
            << "French.lex" << false << QList<bool>{true} << 0 << "French.lex" << unset
            << "Missing Dictionary File|The spellchecker Custom Dictionary file 'custom.dic'\nis missing or invalid.\n"
               "Reinstalling the application will restore this file.";
    }

    void loadDictionaries()
    {
        QFETCH(QString, main);
        QFETCH(bool, customExists);
        QFETCH(QList<bool>, opens);
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
        QStringList asked;
        for (const auto &call : checker.openCalls)
            asked << call.main + (call.custom == gstrCustomDictFilePath ? "" : "?");
        QTEST(asked.join('|'), "asked");
        QCOMPARE(stored(SettingsStore::MainDictFileName), storedMain);
        QCOMPARE(gstrMainDictFileName, storedMain == unset ? main : storedMain);
        QCOMPARE(shown(*m_prompt), message);
        for (const ScriptedPrompt::Message &told : m_prompt->messages)
            QCOMPARE(told.icon, QMessageBox::Warning);
        // Warned again on every run, not once a session.
        QVERIFY(customExists || (commands.LoadDictionaries() && m_prompt->messages.size() == 2));
    }

    // The options the checker's dialog answers: a custom dictionary is
    // taken only when it exists and has .dic in its path, a main one only
    // when it has .lex; names with "?" are dropped without a word.
    void options_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("custom"); // relative to the program folder
        QTest::addColumn<QString>("main");
        QTest::addColumn<bool>("customTaken");
        QTest::addColumn<bool>("mainTaken");
        QTest::addColumn<QString>("message"); // title|text
        QTest::newRow("cancelled") << false << "other.dic" << "French.lex" << false << false << "";
        QTest::newRow("other custom") << true << "other.dic" << "SpellUS.lex" << true << false << "";
        QTest::newRow("custom not found") << true << "absent.dic" << "SpellUS.lex" << false << false
                                          << "File or Path Not Found|Invalid File Path.\nThe Custom Dictionary Path was Not Changed.";
        QTest::newRow("bad custom, good main") << true << "words.txt" << "French.lex" << false << true
                                               << "Invalid Dictionary File|The selected File is Not a Valid Custom Dictionary "
                                                  "file.\nThe Custom Dictionary Path was Not Changed.";
        QTest::newRow("custom with ?") << true << "what?.dic" << "SpellUS.lex" << false << false << "";
        QTest::newRow("main not a .lex") << true << "custom.dic" << "french.txt" << false << false << "";
    }

    void options()
    {
        QFETCH(bool, confirmed);
        QFETCH(QString, custom);
        QFETCH(QString, main);
        QFETCH(bool, customTaken);
        QFETCH(bool, mainTaken);
        for (const char *name : {"custom.dic", "other.dic", "words.txt"})
            touch(m_folder->filePath(QString::fromLatin1(name)));
        const QString oldCustom = m_folder->filePath(QStringLiteral("custom.dic"));
        gstrCustomDictFilePath = oldCustom;
        ScriptedChecker checker;
        checker.showOptionsResult = confirmed;
        checker.optionsCustom = m_folder->filePath(custom);
        checker.optionsMain = main;
        SpellCheckCommands(checker, nullptr).SpellCheckOptions();
        const QString systemDir = GetSystemDir();
        QCOMPARE(checker.showOptionsArguments,
                 (QStringList{systemDir, oldCustom, "SpellUS.lex", joinPath(systemDir, "dictionaries.ins"), "true"}));
        QCOMPARE(gstrCustomDictFilePath, customTaken ? checker.optionsCustom : oldCustom);
        QCOMPARE(stored(SettingsStore::CustomDictFilePath), customTaken ? checker.optionsCustom : unset);
        QCOMPARE(gstrMainDictFileName, mainTaken ? main : QStringLiteral("SpellUS.lex"));
        QCOMPARE(stored(SettingsStore::MainDictFileName), mainTaken ? main : unset);
        QTEST(shown(*m_prompt), "message");
        QVERIFY(m_prompt->messages.isEmpty() || m_prompt->messages[0].icon == QMessageBox::Information);
    }
};

QTEST_MAIN(tst_SpellCommands)
#include "tst_spellcommands.moc"
