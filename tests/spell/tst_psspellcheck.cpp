// The checker on real Hunspell dictionaries: encodings, the custom dictionary,
// the answers of its word dialog and the dictionaries its options dialog offers.
#include "ScriptedSpell.h"
#include "support/TestProgramFolder.h"

#include "spell/psSpellCheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Answer = SpellDialogs::WordAnswer;

// Copies NAME.lex and NAME.aff into the program folder: a fixture
// dictionary, or the build's real American English one (SpellUS).
bool install(const TestProgramFolder &folder, const QString &name)
{
    const QString from = name == "SpellUS" ? QStringLiteral(SONGLOOM_PROGRAM_DIR "/") : QStringLiteral(SONGLOOM_TEST_DATA "/dictionaries/");
    return QFile::copy(from + name + ".lex", folder.filePath(name + ".lex")) && QFile::copy(from + name + ".aff", folder.filePath(name + ".aff"));
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
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
        QTest::newRow("KOI8-R refused") << "koi8" << int(HunspellDictionary::UnsupportedEncoding)
                                        << "The dictionary 'koi8.lex' is written in KOI8-R. Only UTF-8 and ISO-8859-1 dictionaries can be used.";
        QTest::newRow("no such file is no error") << "Klingon" << 0 << "";
    }

    void opening()
    {
        QFETCH(QString, name);
        QFETCH(int, error);
        QFETCH(QString, text);
        TestProgramFolder folder;
        QVERIFY(install(folder, name) || name == "Klingon");
        psSpellCheck checker;
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QCOMPARE(checker.OpenDictionaries(name + QStringLiteral(".lex"), custom), error < 0);
        int code = 0;
        QString word = QStringLiteral("caf\u00E9");
        checker.CheckWord(word, code);
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(checker.openError()).arg(code).arg(checker.openErrorString().left(text.size())),
                 QStringLiteral("%1|%2|%3").arg(std::max(error, 0)).arg(error < 0 ? SpellCheckerControl::GoOn : SpellCheckerControl::NotOpen).arg(text));
        // Known and unknown words, one that Latin-1 cannot write, suggestions in the dictionary's encoding.
        QVERIFY(error >= 0 || (checker.isCorrect(QStringLiteral("Na\u00EFve")) && !checker.isCorrect(QStringLiteral("cafe")) && !checker.isCorrect(QStringLiteral("\u0441\u043E\u043D"))
                               && checker.suggestions(QStringLiteral("cafe")).contains(QStringLiteral("caf\u00E9"))));
    }

    // On the real American English dictionary: known words and chords go by
    // without a dialog (the first word asked about is "teh"); each answer of
    // the word dialog.
    void wordDialog()
    {
        TestProgramFolder folder;
        if (!install(folder, "SpellUS"))
            QSKIP("The build has no SpellUS.lex");
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        QString custom = folder.filePath(QStringLiteral("custom.dic"));
        QVERIFY(checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom));
        int code = -5;
        // The text put in place of the word, and the code; unanswered, the dialog cancels.
        const auto check = [&](const QString &text, Answer::Action action = Answer::Cancel, const QString &replacement = {}) {
            if (action != Answer::Cancel)
                dialogs.answers.enqueue({action, replacement});
            QString word = text;
            const QString result = checker.CheckWord(word, code, [] { return SpellCheckerControl::WordContext{QStringLiteral("sing (teh) song"), 5}; });
            return result + '|' + QString::number(code);
        };
        QCOMPARE(QStringList({check("song"), check("Am7"), check("C/G")}).join(' '), QStringLiteral("song|0 Am7|0 C/G|0"));
        // Change keeps the brackets round the word; Ignore lets it pass once; Cancel ends the run.
        QCOMPARE(check("(teh)", Answer::Change, "the"), QStringLiteral("(the)|0"));
        const SpellDialogs::UnknownWord &asked = dialogs.asked.at(0);
        QCOMPARE(asked.word + '|' + asked.line + '|' + QString::number(asked.column), QStringLiteral("teh|sing (teh) song|6"));
        QVERIFY(asked.suggestions.contains(QStringLiteral("the")));
        QCOMPARE(QStringList({check("teh", Answer::Ignore), check("teh")}).join(' '), QStringLiteral("teh|0 teh|1"));
        // Change All answers for the rest of the run without asking; Ignore All lasts beyond the run.
        QCOMPARE(QStringList({check("teh", Answer::ChangeAll, "the"), check("teh,")}).join(' '), QStringLiteral("the|0 the,|0"));
        checker.EndCheck();
        QCOMPARE(QStringList({check("teh", Answer::IgnoreAll), check("teh")}).join(' '), QStringLiteral("teh|0 teh|0"));
        checker.EndCheck();
        QCOMPARE(check("teh"), QStringLiteral("teh|0"));
        QCOMPARE(dialogs.endChecks, 2);
    }

    // Added words are written at once and known after the program starts
    // again; a word that cannot be written is reported and still accepted.
    void customDictionary()
    {
        TestProgramFolder folder;
        QVERIFY(install(folder, "utf8"));
        const QString path = folder.filePath(QStringLiteral("custom.dic")), unwritable = folder.filePath(QStringLiteral("gone/custom.dic"));
        write(path, "riff\n");
        for (QString custom : {path, unwritable}) {
            ScriptedSpellDialogs dialogs;
            psSpellCheck checker(&dialogs);
            QVERIFY(checker.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
            dialogs.answers.enqueue({Answer::Add, {}});
            int code = 0;
            QString word = QStringLiteral("Songloom");
            const QString put = checker.CheckWord(word, code);
            QCOMPARE(put + QString::number(code) + QString::number(checker.isCorrect(word)), QStringLiteral("Songloom01"));
            QVERIFY(custom == unwritable || checker.addWord(QStringLiteral("fretbörd")));
            // word|path|error number|description
            const QStringList failure = dialogs.failures.join('\n').split('|');
            QCOMPARE(failure.mid(0, 2).join('|'), custom == path ? QString() : "Songloom|" + unwritable);
            QVERIFY(custom == path || (failure.size() == 4 && failure[2] != "0" && !failure[3].isEmpty()));
        }
        QVERIFY(!QFileInfo::exists(unwritable));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("riff\nSongloom\nfretbörd\n"));
        psSpellCheck restarted;
        QString custom = path;
        QVERIFY(restarted.OpenDictionaries(QStringLiteral("utf8.lex"), custom));
        QVERIFY(restarted.isCorrect(QStringLiteral("Riff")) && restarted.isCorrect(QStringLiteral("Songloom")) && restarted.isCorrect(QStringLiteral("fretbörd"))
                && restarted.isCorrect(QStringLiteral("SONGLOOM")) && !restarted.isCorrect(QStringLiteral("songloom")));
    }

    // The options dialog lists the installed main dictionaries: those in the
    // program folder, then those in the system folder and its list.
    void optionsDialogAnswers()
    {
        TestProgramFolder folder;
        QVERIFY(install(folder, "utf8") && install(folder, "latin1"));
        QTemporaryDir system;
        write(system.filePath(QStringLiteral("dictionaries.ins")), "; installed\nFrench.lex\n\nutf8.lex\n");
        write(system.filePath(QStringLiteral("German.lex")), "");
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        QString systemDir = system.path(), custom = QStringLiteral("old.dic"), main = QStringLiteral("SpellUS.lex");
        for (bool confirmed : {false, true}) {
            dialogs.optionsConfirmed = confirmed;
            dialogs.optionsAnswer = {{}, QStringLiteral("utf8.lex"), QStringLiteral("new.dic")};
            QCOMPARE(checker.ShowOptions(systemDir, custom, main, system.filePath("dictionaries.ins"), true), confirmed);
            QCOMPARE(custom + main, confirmed ? "new.dicutf8.lex" : "old.dicSpellUS.lex");
        }
        QCOMPARE(dialogs.optionsShown[0].mainDictionaries, (QStringList{"latin1.lex", "utf8.lex", "German.lex", "French.lex"}));
    }
};

QTEST_MAIN(tst_psSpellCheck)
#include "tst_psspellcheck.moc"
