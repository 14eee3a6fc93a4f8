// The spell-check run: the walk through the song, the counts, the
// summary and the ways a run ends.
#include "ScriptedSpell.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "document/SongText.h"
#include "document/rtfText.h"
#include "spell/SpellCheckCommands.h"

#include <QFile>
#include <QTextDocument>
#include <QTest>

using Corrections = QHash<QString, QString>;
Q_DECLARE_METATYPE(Corrections)

class tst_SpellCheckRun : public QObject
{
    Q_OBJECT

private:
    // A program folder with the custom dictionary in place, so opening the
    // dictionaries shows nothing.
    static void writeCustomDictionary(const TestProgramFolder &folder)
    {
        QFile file(folder.filePath(QStringLiteral("custom.dic")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        gstrCustomDictFilePath = file.fileName();
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
    }

    static QString summary(int checked, int replaced)
    {
        return QStringLiteral("Spell Check Complete.\n\nWords  checked: %1\nWords replaced: %2").arg(checked).arg(replaced);
    }

private slots:
    void walk_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<Corrections>("corrections");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("replaced");

        const QString same;
        QTest::newRow("empty song") << "" << Corrections{} << QStringList{} << same << 0;
        QTest::newRow("leading space") << " hello world" << Corrections{} << QStringList{"hello", "world"} << same << 0;
        QTest::newRow("line breaks") << "one\ntwo\n\nthree" << Corrections{}
                                     << QStringList{"one", "two", "three"} << same << 0;
        QTest::newRow("punctuation runs") << "Hi!!! ...  don't, well-known?;:" << Corrections{}
                                          << QStringList{"Hi", "don't", "well-known"} << same << 0;
        QTest::newRow("brackets and tabs") << "(chorus) [Am7]\tx" << Corrections{}
                                           << QStringList{"(chorus)", "[Am7]\tx"} << same << 0;
        QTest::newRow("same text") << "teh cat sat" << Corrections{{"teh", "teh"}}
                                   << QStringList{"teh", "cat", "sat"} << same << 0;
        QTest::newRow("longer correction") << "teh cat sat" << Corrections{{"teh", "thereabouts"}}
                                           << QStringList{"teh", "cat", "sat"} << "thereabouts cat sat" << 1;
        QTest::newRow("shorter correction") << "thhhhhe cat sat" << Corrections{{"thhhhhe", "the"}}
                                            << QStringList{"thhhhhe", "cat", "sat"} << "the cat sat" << 1;
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

        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(song);
        const QString before = text.Text();
        ScriptedChecker checker;
        checker.corrections = corrections;
        SpellCheckCommands commands(checker, nullptr);

        commands.SpellCheck(text);

        QCOMPARE(checker.words, words);
        QCOMPARE(text.Text(), after.isEmpty() && replaced == 0 ? before : after);
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].title, AppTitle());
        QCOMPARE(prompt.messages[0].icon, QMessageBox::Information);
        QCOMPARE(prompt.messages[0].text, summary(int(words.size()), replaced));
        QCOMPARE(checker.endChecks, 1);
    }

    // The word dialog is shown the word in its line; the last word checked
    // stays selected.
    void dialogSeesTheWordInItsLine()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        rtfText text;
        text.setTextRTF(QStringLiteral("first line\nsing teh song\nlast teh."));
        ScriptedChecker checker;
        checker.askContext = true;
        checker.corrections = {{"teh", "three"}};
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(checker.words, (QStringList{"first", "line", "sing", "teh", "song", "last", "teh"}));
        QCOMPARE(checker.contexts[3].line, QStringLiteral("sing teh song"));
        QCOMPARE(checker.contexts[3].column, 5);
        QCOMPARE(text.Text(), QStringLiteral("first line\r\nsing three song\r\nlast three."));
        QCOMPARE(text.SelText(), QStringLiteral("three"));
    }

    // The ways a run ends early: Cancel, a checker whose dictionary is not
    // open, an error while checking, no dictionary at all.
    void endsEarly_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("endChecks");
        QTest::addColumn<QString>("message"); // title|text, "" for none
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
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("teh one two"));
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
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(checker.words, words);
        QCOMPARE(text.Text(), words.isEmpty() ? QStringLiteral("teh one two") : QStringLiteral("the one two"));
        QTEST(checker.endChecks, "endChecks");
        QCOMPARE(prompt.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY((prompt.messages[0].title + "|" + prompt.messages[0].text).startsWith(message));
    }

    void selectTextUnit_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("selected");
        QTest::newRow("word") << "word" << 5 << "words";
        QTest::newRow("word on a delimiter") << "word" << 4 << "";
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
};

QTEST_MAIN(tst_SpellCheckRun)
#include "tst_spellcheckrun.moc"
