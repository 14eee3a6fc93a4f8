// The checker on real Hunspell dictionaries: encodings, the custom
// dictionary, chord symbols and the answers of its word dialog.
#include "ScriptedSpell.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "spell/ChordSymbol.h"
#include "spell/psSpellCheck.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

using Answer = SpellDialogs::WordAnswer;

// Copies a fixture dictionary (NAME.lex and NAME.aff) into the program folder.
void installFixture(const TestProgramFolder &folder, const QString &name)
{
    for (const char *extension : {".lex", ".aff"}) {
        const QString file = name + QString::fromLatin1(extension);
        QVERIFY(QFile::copy(QStringLiteral(SONGLOOM_TEST_DATA "/dictionaries/") + file, folder.filePath(file)));
    }
}

// The real American English dictionary of the build, as SpellUS.lex.
bool installSpellUS(const TestProgramFolder &folder)
{
    for (const char *file : {"SpellUS.lex", "SpellUS.aff"}) {
        const QString source = QStringLiteral(SONGLOOM_PROGRAM_DIR "/") + QString::fromLatin1(file);
        if (!QFile::copy(source, folder.filePath(QString::fromLatin1(file))))
            return false;
    }
    return true;
}

} // namespace

class tst_psSpellCheck : public QObject
{
    Q_OBJECT

private slots:
    void encodings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("UTF-8") << "utf8";
        QTest::newRow("ISO8859-1") << "latin1";
        QTest::newRow("no SET line") << "noset";
    }

    void encodings()
    {
        QFETCH(QString, name);
        TestProgramFolder folder;
        installFixture(folder, name);
        psSpellCheck checker;
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QVERIFY(checker.OpenDictionaries(name + QStringLiteral(".lex"), custom));
        QCOMPARE(checker.openError(), 0);
        QVERIFY(checker.isCorrect(QStringLiteral("café")));
        QVERIFY(checker.isCorrect(QStringLiteral("Naïve")));
        QVERIFY(!checker.isCorrect(QStringLiteral("cafe")));
        QVERIFY(!checker.isCorrect(QStringLiteral("сон"))); // not writable in Latin-1
        QVERIFY(checker.suggestions(QStringLiteral("cafe")).contains(QStringLiteral("café")));
    }

    void refusedEncoding()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("koi8"));
        psSpellCheck checker;
        QString custom;
        QVERIFY(!checker.OpenDictionaries(QStringLiteral("koi8.lex"), custom));
        QCOMPARE(checker.openError(), int(HunspellDictionary::UnsupportedEncoding));
        QCOMPARE(checker.openErrorString(), QStringLiteral("The dictionary 'koi8.lex' is written in KOI8-R. "
                                                          "Only UTF-8 and ISO-8859-1 dictionaries can be used."));
        QVERIFY(!checker.isOpen());
    }

    void missingDictionaryIsNoError_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no such file") << "Klingon.lex";
        QTest::newRow("empty name") << "";
        QTest::newRow("word list without affixes") << "lonely.lex";
    }

    void missingDictionaryIsNoError()
    {
        QFETCH(QString, name);
        TestProgramFolder folder;
        QFile lonely(folder.filePath(QStringLiteral("lonely.lex")));
        QVERIFY(lonely.open(QIODevice::WriteOnly));
        lonely.close();
        psSpellCheck checker;
        QString custom;
        QVERIFY(!checker.OpenDictionaries(name, custom));
        QCOMPARE(checker.openError(), name == QLatin1String("lonely.lex") ? int(QFileDevice::OpenError) : 0);
        int code = 0;
        QString word = QStringLiteral("teh");
        checker.CheckWord(word, code);
        QCOMPARE(code, int(SpellCheckerControl::NotOpen));
    }

    void realDictionary_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("correct");
        QTest::newRow("teh") << "teh" << false;
        QTest::newRow("the") << "the" << true;
        QTest::newRow("capital at the start") << "The" << true;
        QTest::newRow("apostrophe") << "don't" << true;
        QTest::newRow("hyphen") << "well-known" << true;
        QTest::newRow("brackets") << "(chorus)" << true;
        QTest::newRow("brackets round a misspelling") << "(chrous)" << false;
        QTest::newRow("digits only") << "1234" << true;
        for (const char *chord : {"Am7", "C/G", "F#m", "Bb", "Dsus4", "G/B", "Cmaj7", "[Am7]", "C#m7b5", "Cm(maj7)"})
            QTest::newRow(chord) << QString::fromLatin1(chord) << true;
    }

    void realDictionary()
    {
        QFETCH(QString, word);
        QFETCH(bool, correct);
        TestProgramFolder folder;
        if (!installSpellUS(folder))
            QSKIP("The build has no SpellUS.lex (hunspell-en-us is not installed)");
        psSpellCheck checker;
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QVERIFY(checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom));
        QCOMPARE(checker.isCorrect(word), correct);
    }

    void chordSymbols_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("chord");
        for (const char *chord : {"A", "Am", "Am7", "C/G", "F#m", "Bb", "Dsus4", "G/B", "Cmaj7", "E7#9", "Dm7b5",
                                  "Gdim7", "Caug", "C+", "Cadd9", "C6/9", "Bbmaj7/D", "F\u266F", "Asus2", "G13"})
            QTest::newRow(chord) << QString::fromUtf8(chord) << true;
        for (const char *word : {"Cat", "Bad", "Add", "Dim", "Egg", "Am7x", "H7", "am7", "C/H", "Gone", "Ebb"})
            QTest::newRow(word) << QString::fromLatin1(word) << false;
    }

    void chordSymbols()
    {
        QFETCH(QString, token);
        QFETCH(bool, chord);
        QCOMPARE(isChordSymbol(token), chord);
    }

    void wordDialog()
    {
        TestProgramFolder folder;
        if (!installSpellUS(folder))
            QSKIP("The build has no SpellUS.lex");
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QVERIFY(checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom));
        const auto check = [&checker](const QString &text, int *codeOut = nullptr) {
            QString word = text;
            int code = -5;
            const QString answer = checker.CheckWord(word, code, [] {
                return SpellCheckerControl::WordContext{QStringLiteral("sing (teh) song"), 5};
            });
            if (codeOut)
                *codeOut = code;
            return answer;
        };

        // Known words and chords go by without a dialog.
        QCOMPARE(check(QStringLiteral("song")), QStringLiteral("song"));
        QCOMPARE(check(QStringLiteral("Am7")), QStringLiteral("Am7"));
        QVERIFY(dialogs.asked.isEmpty());

        // Change keeps the brackets round the word.
        dialogs.answers.enqueue({Answer::Change, QStringLiteral("the")});
        int code = -5;
        QCOMPARE(check(QStringLiteral("(teh)"), &code), QStringLiteral("(the)"));
        QCOMPARE(code, int(SpellCheckerControl::GoOn));
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(dialogs.asked[0].word, QStringLiteral("teh"));
        QCOMPARE(dialogs.asked[0].line, QStringLiteral("sing (teh) song"));
        QCOMPARE(dialogs.asked[0].column, 6);
        QVERIFY(dialogs.asked[0].suggestions.contains(QStringLiteral("the")));

        // Ignore lets it pass once; Cancel ends the run.
        dialogs.answers.enqueue({Answer::Ignore, {}});
        QCOMPARE(check(QStringLiteral("teh")), QStringLiteral("teh"));
        QCOMPARE(check(QStringLiteral("teh"), &code), QStringLiteral("teh"));
        QCOMPARE(code, int(SpellCheckerControl::EndRun));
        QCOMPARE(dialogs.asked.size(), 3);

        // Change All answers for the rest of the run, without asking.
        dialogs.answers.enqueue({Answer::ChangeAll, QStringLiteral("the")});
        QCOMPARE(check(QStringLiteral("teh")), QStringLiteral("the"));
        QCOMPARE(check(QStringLiteral("teh,")), QStringLiteral("the,"));
        QCOMPARE(dialogs.asked.size(), 4);
        checker.EndCheck();
        QCOMPARE(dialogs.endChecks, 1);
        dialogs.answers.enqueue({Answer::IgnoreAll, {}});
        QCOMPARE(check(QStringLiteral("teh")), QStringLiteral("teh"));
        QCOMPARE(dialogs.asked.size(), 5);

        // Ignore All lasts beyond the run.
        QSignalSpy accepted(&checker, &psSpellCheck::wordAccepted);
        checker.EndCheck();
        QCOMPARE(check(QStringLiteral("teh")), QStringLiteral("teh"));
        QVERIFY(checker.isCorrect(QStringLiteral("teh")));
        QCOMPARE(dialogs.asked.size(), 5);
    }

    // Added words are written at once and known after the program starts again.
    void customDictionarySurvivesARestart()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        const QString path = folder.filePath(QStringLiteral("custom.dic"));
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("riff\n");
        existing.close();
        {
            ScriptedSpellDialogs dialogs;
            psSpellCheck checker(&dialogs);
            QString custom = path;
            QVERIFY(checker.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
            QVERIFY(checker.isCorrect(QStringLiteral("Riff")));
            QVERIFY(!checker.isCorrect(QStringLiteral("Songloom")));
            dialogs.answers.enqueue({Answer::Add, {}});
            int code = 0;
            QString word = QStringLiteral("Songloom");
            QCOMPARE(checker.CheckWord(word, code), word);
            QVERIFY(checker.isCorrect(QStringLiteral("Songloom")));
            QVERIFY(dialogs.failures.isEmpty());
            QVERIFY(checker.addWord(QStringLiteral("fretbörd")));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("riff\nSongloom\nfretbörd\n"));

        psSpellCheck restarted;
        QString custom = path;
        QVERIFY(restarted.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
        for (const char *word : {"riff", "Songloom", "fretbörd", "SONGLOOM"})
            QVERIFY2(restarted.isCorrect(QString::fromUtf8(word)), word);
        QVERIFY(!restarted.isCorrect(QStringLiteral("songloom")));
    }

    void failedAddIsReportedAndTheWordAccepted()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        // A custom dictionary in a folder that is not there cannot be written.
        QString custom = folder.filePath(QStringLiteral("gone/custom.dic"));
        QVERIFY(checker.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
        dialogs.answers.enqueue({Answer::Add, {}});
        int code = 0;
        QString word = QStringLiteral("Songloom");
        QCOMPARE(checker.CheckWord(word, code), word);
        QCOMPARE(code, int(SpellCheckerControl::GoOn));
        QCOMPARE(dialogs.failures.size(), 1);
        QCOMPARE(dialogs.failures[0].word, word);
        QCOMPARE(dialogs.failures[0].path, custom);
        QVERIFY(dialogs.failures[0].number != 0);
        QVERIFY(!dialogs.failures[0].description.isEmpty());
        QVERIFY(checker.isCorrect(word));
        QVERIFY(!QFileInfo::exists(custom));
    }

    void unreadableCustomDictionaryIsAnError()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QFile file(custom);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::Permissions()));
        if (QFile(custom).open(QIODevice::ReadOnly))
            QSKIP("Running with rights that read any file");
        psSpellCheck checker;
        QVERIFY(!checker.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
        QVERIFY(checker.openError() != 0);
        QVERIFY(checker.openErrorString().contains(custom));
    }

    void installedMainDictionaries()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        installFixture(folder, QStringLiteral("latin1"));
        QTemporaryDir system;
        QFile list(system.filePath(QStringLiteral("dictionaries.ins")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("; installed\nFrench.lex\n\nutf8.lex\n");
        list.close();
        QFile(system.filePath(QStringLiteral("German.lex"))).open(QIODevice::WriteOnly);
        QCOMPARE(psSpellCheck::installedMainDictionaries(system.path(), list.fileName()),
                 (QStringList{"latin1.lex", "utf8.lex", "German.lex", "French.lex"}));
    }

    void optionsDialogAnswers()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        QString system = folder.path();
        QString custom = QStringLiteral("old.dic");
        QString main = QStringLiteral("SpellUS.lex");
        QVERIFY(!checker.ShowOptions(system, custom, main, QString(), true));
        QCOMPARE(custom, QStringLiteral("old.dic"));
        QCOMPARE(dialogs.optionsShown.size(), 1);
        QCOMPARE(dialogs.optionsShown[0].mainDictionary, QStringLiteral("SpellUS.lex"));
        QCOMPARE(dialogs.optionsShown[0].mainDictionaries, QStringList{"utf8.lex"});
        dialogs.optionsResult = true;
        dialogs.optionsAnswer = {{}, QStringLiteral("utf8.lex"), QStringLiteral("new.dic")};
        QVERIFY(checker.ShowOptions(system, custom, main, QString(), true));
        QCOMPARE(custom, QStringLiteral("new.dic"));
        QCOMPARE(main, QStringLiteral("utf8.lex"));
    }
};

QTEST_MAIN(tst_psSpellCheck)
#include "tst_psspellcheck.moc"
