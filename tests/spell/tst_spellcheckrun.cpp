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
        QTest::newRow("one word") << "hello" << Corrections{} << QStringList{"hello"} << same << 0;
        QTest::newRow("leading space") << " hello world" << Corrections{} << QStringList{"hello", "world"} << same << 0;
        QTest::newRow("line breaks") << "one\ntwo\n\nthree" << Corrections{}
                                     << QStringList{"one", "two", "three"} << same << 0;
        QTest::newRow("comma") << "one, two" << Corrections{} << QStringList{"one", "two"} << same << 0;
        QTest::newRow("punctuation runs") << "Hi!!! ...  yes?;:" << Corrections{} << QStringList{"Hi", "yes"} << same << 0;
        QTest::newRow("apostrophe") << "don't stop" << Corrections{} << QStringList{"don't", "stop"} << same << 0;
        QTest::newRow("hyphen") << "well-known song" << Corrections{} << QStringList{"well-known", "song"} << same << 0;
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

    void lastWordStaysSelected()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        rtfText text;
        text.setTextRTF(QStringLiteral("one two teh.\n"));
        ScriptedChecker checker;
        checker.corrections = {{"teh", "three"}};
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(text.SelText(), QStringLiteral("three"));
    }

    void dialogSeesTheWordInItsLine()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("first line\nsing teh song\nlast"));
        ScriptedChecker checker;
        checker.askContext = true;
        checker.corrections = {{"teh", "the"}};
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(checker.words, (QStringList{"first", "line", "sing", "teh", "song", "last"}));
        QCOMPARE(checker.contexts[3].line, QStringLiteral("sing teh song"));
        QCOMPARE(checker.contexts[3].column, 5);
        // Reading the line does not move the walk.
        QCOMPARE(text.Text(), QStringLiteral("first line\r\nsing the song\r\nlast"));
    }

    void cancelOnTheThirdWord()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("one two three four"));
        ScriptedChecker checker;
        checker.cancelAt = 3;
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(checker.words, (QStringList{"one", "two", "three"}));
        QCOMPARE(checker.endChecks, 1);
        QVERIFY(prompt.messages.isEmpty());
    }

    void dictionaryNotOpen()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("teh one two"));
        ScriptedChecker checker;
        checker.corrections = {{"teh", "the"}};
        checker.notOpenAt = 2;
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(checker.words, (QStringList{"teh", "one"}));
        QCOMPARE(text.Text(), QStringLiteral("the one two"));
        QCOMPARE(checker.endChecks, 0);
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].title, AppTitle());
        QCOMPARE(prompt.messages[0].icon, QMessageBox::NoIcon);
        QCOMPARE(prompt.messages[0].text, QStringLiteral("Error, dictionary has not been opened."));
    }

    void errorEndsTheRun()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("teh one two"));
        ScriptedChecker checker;
        checker.corrections = {{"teh", "the"}};
        checker.onWord = [](const QString &word) {
            if (word == QLatin1String("one"))
                throw SpellRunError(5, QStringLiteral("The checker failed"));
        };
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(text.Text(), QStringLiteral("the one two"));
        QCOMPARE(checker.endChecks, 1);
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Sub SpellCheck"));
        QCOMPARE(prompt.messages[0].icon, QMessageBox::Information);
        QCOMPARE(prompt.messages[0].text, QStringLiteral("Error Number: 5  Description: The checker failed"));
    }

    void noDictionaryNoRun()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(QStringLiteral("one"));
        ScriptedChecker checker;
        checker.openResults << false << false;
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QVERIFY(checker.words.isEmpty());
        QCOMPARE(checker.endChecks, 0);
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Dictionary could Not be Opened"));
    }

    // A song far past 32,767 characters is checked to its last word, with
    // replacements of both lengths on the way.
    void longSongToTheEnd()
    {
        TestProgramFolder folder;
        writeCustomDictionary(folder);
        ScriptedPrompt prompt;
        QString song;
        const int lines = 4000;
        for (int line = 0; line < lines; ++line)
            song += QStringLiteral("alpha, beta gamma\n");
        song += QStringLiteral("omega");
        QVERIFY(song.size() > 70000);
        QTextDocument document;
        SongText text(&document);
        text.setTextRTF(song);
        ScriptedChecker checker;
        checker.corrections = {{"alpha", "a"}, {"beta", "betamax"}};
        SpellCheckCommands(checker, nullptr).SpellCheck(text);
        QCOMPARE(checker.words.size(), 3 * lines + 1);
        QCOMPARE(checker.words.last(), QStringLiteral("omega"));
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].text, summary(3 * lines + 1, 2 * lines));
        QVERIFY(text.Text().endsWith(QStringLiteral("a, betamax gamma\r\nomega")));
    }

    void selectTextUnit_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("selected");
        QTest::newRow("word") << "word" << 5 << "words";
        QTest::newRow("word on a delimiter") << "word" << 4 << "";
        QTest::newRow("word on a line break") << "word" << 18 << "";
        QTest::newRow("sentence") << "sentence" << 1 << "Two words,x then";
        QTest::newRow("sentence after a break") << "sentence" << 19 << "more";
        QTest::newRow("other unit") << "line" << 5 << "";
        QTest::newRow("Word is not word") << "Word" << 5 << "";
        QTest::newRow("past the end") << "word" << 1000 << "";
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
