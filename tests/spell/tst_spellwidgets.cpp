// The word and options dialogs driven through their widgets; checking as you
// type, its underline and context menu, which are no edit of the song.
#include "ScriptedSpell.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include "document/rtfText.h"
#include "base/Module1.h"
#include "spell/SpellAsYouType.h"
#include "spell/SpellHighlighter.h"
#include "spell/frmSpellOptions.h"
#include "spell/frmSpellWord.h"
#include "spell/psSpellCheck.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using Action = SpellDialogs::WordAnswer::Action;

namespace {

// The underlined words of the song.
QString underlined(const QTextDocument *document)
{
    QStringList words;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange &range : block.layout()->formats())
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << block.text().mid(range.start, range.length);
    return words.join(' ');
}

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class tst_SpellWidgets : public QObject
{
    Q_OBJECT

private slots:
    // The word is shown marked in its line, the first suggestion ready to
    // change to; each button answers with the text in "Change to", and a
    // word changed into itself cannot be changed.
    void wordDialog()
    {
        for (Action action : {Action::Ignore, Action::IgnoreAll, Action::Add, Action::Change, Action::ChangeAll, Action::Cancel}) {
            frmSpellWord dialog;
            dialog.setWord({QStringLiteral("teh"), QStringLiteral("sing <teh> song"), 6, {"the", "ten", "tea"}});
            dialog.show();
            QVERIFY2(dialog.lineLabel()->text().contains(QRegularExpression("^sing &lt;<b>.*>teh</font></b>&gt; song$")), qPrintable(dialog.lineLabel()->text()));
            QCOMPARE(dialog.changeTo()->text(), QStringLiteral("the"));
            dialog.suggestions()->setCurrentRow(2);
            QCOMPARE(dialog.changeTo()->text(), QStringLiteral("tea"));
            dialog.changeTo()->setText(QStringLiteral("teh"));
            QVERIFY(!dialog.button(Action::Change)->isEnabled() && !dialog.button(Action::ChangeAll)->isEnabled());
            QTest::keyClicks(dialog.changeTo(), QStringLiteral("n"));
            QTest::mouseClick(dialog.button(action), Qt::LeftButton);
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(dialog.result()).arg(dialog.answer().action).arg(dialog.answer().replacement),
                     QStringLiteral("%1 %2 tehn").arg(action == Action::Cancel ? QDialog::Rejected : QDialog::Accepted).arg(action));
        }
    }

    // The dictionary in use heads the list even when it is not installed;
    // browsing asks for the custom dictionary.
    void optionsDialog()
    {
        ScriptedPrompt prompt;
        frmSpellOptions dialog({{"SpellUS.lex", "French.lex"}, QStringLiteral("Old.lex"), QStringLiteral("/a/custom.dic")});
        dialog.show();
        QCOMPARE(QString::number(dialog.mainDictionary()->count()) + dialog.mainDictionary()->currentText() + '|' + dialog.customDictionary()->text(),
                 QStringLiteral("3Old.lex|/a/custom.dic"));
        dialog.mainDictionary()->setCurrentIndex(2);
        prompt.fileAnswers.enqueue(QStringLiteral("/b/mine.dic"));
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(prompt.dialogTitles.join('|') + '|' + dialog.options().mainDictionary + '|' + dialog.options().customDictionary + '|' + QString::number(dialog.result()),
                 QStringLiteral("Custom Dictionary|French.lex|/b/mine.dic|1"));
    }

    // Unknown words underlined, chords and known words not; typing
    // underlines the paragraph typed in; Ignore All and switching off take
    // the underline off; none of it is an edit of the song. The context
    // menu: off, or on a known word, the control's own; on an unknown word
    // its suggestions, Ignore All and Add to Dictionary above it. A
    // suggestion replaces the word.
    void checksAsYouType()
    {
        TestProgramFolder folder;
        for (const QString file : {"SpellUS.lex", "SpellUS.aff"})
            if (!QFile::copy(SONGLOOM_PROGRAM_DIR "/" + file, folder.filePath(file)))
                QSKIP("The build has no SpellUS.lex");
        rtfText song;
        song.setTextRTF(QStringLiteral("sing teh song, C/G [Am7]\n(wierd) don't F#m stop\nall good"));
        song.resize(400, 200);
        song.show();
        QVERIFY(QTest::qWaitForWindowExposed(&song));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        SpellAsYouType asYouType(&song, checker, dialogs);
        QSignalSpy changes(&song, &rtfText::Change);
        const auto menuAt = [&](int position) {
            QTextCursor cursor(song.document());
            cursor.setPosition(position);
            return std::unique_ptr<QMenu>(asYouType.createContextMenu(song.cursorRect(cursor).center() + QPoint(2, 0)));
        };
        const QStringList standard = actionTexts(std::unique_ptr<QMenu>(song.createStandardContextMenu()).get());
        QCOMPARE(actionTexts(menuAt(6).get()), standard);
        asYouType.setEnabled(true);
        QTRY_COMPARE(underlined(song.document()), QStringLiteral("teh wierd"));
        QCOMPARE(actionTexts(menuAt(1).get()), standard);
        std::unique_ptr<QMenu> menu = menuAt(6);
        const QStringList texts = actionTexts(menu.get());
        const qsizetype separator = texts.indexOf(QStringLiteral("-"));
        QVERIFY(texts.contains("the") && separator >= 3 && separator <= SpellAsYouType::menuSuggestions + 2);
        QCOMPARE(texts.mid(separator - 2), QStringList({"I&gnore All", "&Add to Dictionary", "-"}) + standard);
        QTextCursor(song.document()->findBlockByNumber(2)).insertText(QStringLiteral("recieve "));
        QCOMPARE(underlined(song.document()), QStringLiteral("teh wierd recieve"));
        checker.ignoreAll(QStringLiteral("teh"));
        QCOMPARE(underlined(song.document()) + QString::number(changes.size()), QStringLiteral("wierd recieve1"));
        menu = menuAt(27);
        menu->actions()[actionTexts(menu.get()).indexOf(QStringLiteral("weird"))]->trigger();
        QCOMPARE(song.Text().section("\r\n", 1, 1) + '|' + underlined(song.document()), QStringLiteral("(weird) don't F#m stop|recieve"));
        asYouType.setEnabled(false);
        QVERIFY(underlined(song.document()).isEmpty() && !song.TextRTF().contains(QLatin1String("\\ul")));
    }

    // A long song is underlined as it opens without being laid out ahead of
    // the background layout; typing meanwhile, and the underlines it brings,
    // leave no paragraph without its lines and lose no underline.
    void underlinesLongSongLaidOutInBackground()
    {
        TestProgramFolder folder;
        for (const QString file : {"SpellUS.lex", "SpellUS.aff"})
            if (!QFile::copy(SONGLOOM_PROGRAM_DIR "/" + file, folder.filePath(file)))
                QSKIP("The build has no SpellUS.lex");
        QByteArray rtf = "{\\rtf1 ";
        for (int i = 0; i < 20000; ++i)
            rtf += i % 1000 == 999 ? "sing teh song\\par " : "sing the song of the road we walked as one\\par ";
        QFile file(folder.filePath(QStringLiteral("long.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rtf + '}') > 0);
        file.close();
        rtfText song;
        song.resize(300, 200);
        song.show();
        QVERIFY(QTest::qWaitForWindowExposed(&song));
        psSpellCheck checker;
        QString custom = gstrCustomDictFilePath;
        QVERIFY(checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom));
        SpellHighlighter highlighter(checker);
        highlighter.setDocument(song.document());
        QVERIFY(song.LoadFile(file.fileName()));
        highlighter.finishPending();
        QCOMPARE(song.document()->findBlockByNumber(10000).layout()->lineCount(), 0);
        QTest::keyClicks(&song, QStringLiteral("teh "));
        QTest::keyClick(&song, Qt::Key_PageDown);
        QTest::keyClick(&song, Qt::Key_Home);
        QTest::keyClicks(&song, QStringLiteral("wierd "));
        QTRY_VERIFY(song.isLaidOut());
        for (QTextBlock block = song.document()->begin(); block.isValid(); block = block.next())
            QVERIFY2(block.layout()->lineCount() > 0, qPrintable(QString::number(block.blockNumber())));
        QCOMPARE(underlined(song.document()), QStringLiteral("teh wierd ") + QStringList(20, QStringLiteral("teh")).join(' '));
        song.setChanged(false);
    }
};

QTEST_MAIN(tst_SpellWidgets)
#include "tst_spellwidgets.moc"
