// The checker on real Hunspell dictionaries: encodings, the custom
// dictionary, chord symbols, the answers of its word dialog and the
// dictionaries its options dialog offers.
#include "ScriptedSpell.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "spell/ChordSymbol.h"
#include "spell/psSpellCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

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
    // "error" -1: opens; otherwise the error number and the start of its text.
    void opening_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << "utf8" << -1 << "";
        QTest::newRow("ISO8859-1") << "latin1" << -1 << "";
        QTest::newRow("no SET line") << "noset" << -1 << "";
        QTest::newRow("KOI8-R refused") << "koi8" << int(HunspellDictionary::UnsupportedEncoding)
                                        << "The dictionary 'koi8.lex' is written in KOI8-R. "
                                           "Only UTF-8 and ISO-8859-1 dictionaries can be used.";
        QTest::newRow("no such file is no error") << "Klingon" << 0 << "";
    }

    void opening()
    {
        QFETCH(QString, name);
        QFETCH(int, error);
        QFETCH(QString, text);
        TestProgramFolder folder;
        if (name != "Klingon")
            installFixture(folder, name);
        psSpellCheck checker;
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QCOMPARE(checker.OpenDictionaries(name + QStringLiteral(".lex"), custom), error < 0);
        QCOMPARE(checker.openError(), std::max(error, 0));
        QCOMPARE(checker.openErrorString().left(text.size()), text);
        int code = 0;
        QString word = QStringLiteral("caf\u00E9");
        checker.CheckWord(word, code);
        QCOMPARE(code, int(error < 0 ? SpellCheckerControl::GoOn : SpellCheckerControl::NotOpen));
        if (error >= 0)
            return;
        QCOMPARE(QList<bool>({checker.isCorrect(QStringLiteral("Na\u00EFve")), checker.isCorrect(QStringLiteral("cafe")),
                              checker.isCorrect(QStringLiteral("\u0441\u043E\u043D"))}), // not writable in Latin-1
                 QList<bool>({true, false, false}));
        QVERIFY(checker.suggestions(QStringLiteral("cafe")).contains(QStringLiteral("caf\u00E9")));
    }

    void chordSymbols()
    {
        QStringList wrong;
        for (const char *chord : {"A", "Bb", "Dsus4", "E7#9", "Gdim7", "Caug", "C+", "C6/9", "Bbmaj7/D", "F\u266F", "G13"})
            if (!isChordSymbol(QString::fromUtf8(chord)))
                wrong << chord;
        for (const char *word : {"Cat", "Add", "Dim", "Am7x", "H7", "am7", "C/H", "Ebb"})
            if (isChordSymbol(QString::fromLatin1(word)))
                wrong << word;
        QCOMPARE(wrong, QStringList());
    }

    // On the real American English dictionary: known words and chords go by
    // without a dialog; each answer of the word dialog.
    void wordDialog()
    {
        TestProgramFolder folder;
        if (!installSpellUS(folder))
            QSKIP("The build has no SpellUS.lex");
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QVERIFY(checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom));
        int code = -5;
        const auto check = [&](const QString &text, std::optional<Answer> answer = {}) {
            if (answer)
                dialogs.answers.enqueue(*answer);
            QString word = text;
            return checker.CheckWord(word, code, [] {
                return SpellCheckerControl::WordContext{QStringLiteral("sing (teh) song"), 5};
            });
        };
        for (const char *known : {"song", "Am7", "C/G"})
            QCOMPARE(check(known), QString::fromLatin1(known));
        QVERIFY(dialogs.asked.isEmpty());
        // Change keeps the brackets round the word.
        QCOMPARE(check("(teh)", Answer{Answer::Change, "the"}), QStringLiteral("(the)"));
        QCOMPARE(code, int(SpellCheckerControl::GoOn));
        const SpellDialogs::UnknownWord &asked = dialogs.asked.at(0);
        QCOMPARE(asked.word + '|' + asked.line + '|' + QString::number(asked.column), QStringLiteral("teh|sing (teh) song|6"));
        QVERIFY(asked.suggestions.contains(QStringLiteral("the")));
        // Ignore lets it pass once; Cancel ends the run.
        QCOMPARE(check("teh", Answer{Answer::Ignore, {}}), QStringLiteral("teh"));
        QCOMPARE(check("teh", Answer{Answer::Cancel, {}}), QStringLiteral("teh"));
        QCOMPARE(code, int(SpellCheckerControl::EndRun));
        // Change All answers for the rest of the run, without asking; Ignore
        // All lasts beyond the run.
        QCOMPARE(check("teh", Answer{Answer::ChangeAll, "the"}), QStringLiteral("the"));
        QCOMPARE(check("teh,"), QStringLiteral("the,"));
        checker.EndCheck();
        QCOMPARE(check("teh", Answer{Answer::IgnoreAll, {}}), QStringLiteral("teh"));
        checker.EndCheck();
        QCOMPARE(check("teh"), QStringLiteral("teh"));
        QCOMPARE(dialogs.asked.size(), 5);
        QCOMPARE(dialogs.endChecks, 2);
    }

    // Added words are written at once and known after the program starts
    // again; a word that cannot be written is reported and still accepted.
    void customDictionary()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        const QString path = folder.filePath(QStringLiteral("custom.dic"));
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("riff\n") == 5);
        existing.close();
        for (const QString &dictionary : {path, folder.filePath(QStringLiteral("gone/custom.dic"))}) {
            ScriptedSpellDialogs dialogs;
            psSpellCheck checker(&dialogs);
            QString custom = dictionary;
            QVERIFY(checker.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
            dialogs.answers.enqueue({Answer::Add, {}});
            int code = 0;
            QString word = QStringLiteral("Songloom");
            QCOMPARE(checker.CheckWord(word, code), word);
            QCOMPARE(code, int(SpellCheckerControl::GoOn));
            QVERIFY(checker.isCorrect(word));
            if (dictionary == path) {
                QVERIFY(dialogs.failures.isEmpty() && checker.addWord(QStringLiteral("fretbörd")));
                continue;
            }
            QCOMPARE(dialogs.failures.size(), 1);
            QCOMPARE(dialogs.failures[0].word + '|' + dialogs.failures[0].path, word + '|' + custom);
            QVERIFY(dialogs.failures[0].number != 0 && !dialogs.failures[0].description.isEmpty());
            QVERIFY(!QFileInfo::exists(custom));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("riff\nSongloom\nfretbörd\n"));
        psSpellCheck restarted;
        QString custom = path;
        QVERIFY(restarted.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
        for (const char *word : {"Riff", "Songloom", "fretbörd", "SONGLOOM"})
            QVERIFY2(restarted.isCorrect(QString::fromUtf8(word)), word);
        QVERIFY(!restarted.isCorrect(QStringLiteral("songloom")));
    }

    void unreadableCustomDictionaryIsAnError()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QFile file(custom);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.setPermissions({}));
        file.close();
        if (QFile(custom).open(QIODevice::ReadOnly))
            QSKIP("Running with rights that read any file");
        psSpellCheck checker;
        QVERIFY(!checker.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
        QVERIFY(checker.openError() != 0 && checker.openErrorString().contains(custom));
    }

    // The options dialog lists the installed main dictionaries: those in the
    // program folder, then those in the system folder and its list.
    void optionsDialogAnswers()
    {
        TestProgramFolder folder;
        installFixture(folder, QStringLiteral("utf8"));
        installFixture(folder, QStringLiteral("latin1"));
        QTemporaryDir system;
        QFile list(system.filePath(QStringLiteral("dictionaries.ins")));
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write("; installed\nFrench.lex\n\nutf8.lex\n") > 0);
        list.close();
        QVERIFY(QFile(system.filePath(QStringLiteral("German.lex"))).open(QIODevice::WriteOnly));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        QString systemDir = system.path();
        QString custom = QStringLiteral("old.dic");
        QString main = QStringLiteral("SpellUS.lex");
        for (bool confirmed : {false, true}) {
            dialogs.optionsResult = confirmed;
            dialogs.optionsAnswer = {{}, QStringLiteral("utf8.lex"), QStringLiteral("new.dic")};
            QCOMPARE(checker.ShowOptions(systemDir, custom, main, list.fileName(), true), confirmed);
            QCOMPARE(custom + main, confirmed ? "new.dicutf8.lex" : "old.dicSpellUS.lex");
        }
        QCOMPARE(dialogs.optionsShown[0].mainDictionaries, (QStringList{"latin1.lex", "utf8.lex", "German.lex", "French.lex"}));
    }
};

QTEST_MAIN(tst_psSpellCheck)
#include "tst_psspellcheck.moc"
