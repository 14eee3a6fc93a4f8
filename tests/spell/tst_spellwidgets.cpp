// The spelling widgets: the word and options dialogs driven through their
// widgets, and checking as you type, the underline and the song's context
// menu, neither of which counts as an edit of the song.
#include "ScriptedSpell.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "document/rtfText.h"
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
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using Action = SpellDialogs::WordAnswer::Action;

namespace {

// The underlined words of a paragraph.
QStringList underlined(const QTextBlock &block)
{
    QStringList words;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            words.append(block.text().mid(range.start, range.length));
    }
    return words;
}

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class tst_SpellWidgets : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;

    // A program folder with the real American English dictionary.
    bool installSpellUS()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        for (const char *file : {"SpellUS.lex", "SpellUS.aff"}) {
            if (!QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/") + QString::fromLatin1(file),
                             m_folder->filePath(QString::fromLatin1(file))))
                return false;
        }
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
        gstrCustomDictFilePath = m_folder->filePath(QStringLiteral("custom.dic"));
        return true;
    }

private slots:
    // The word is shown marked in its line, the first suggestion ready to
    // change to; each button answers with the text in "Change to".
    void wordDialog()
    {
        for (Action action : {Action::Ignore, Action::IgnoreAll, Action::Add, Action::Change, Action::ChangeAll,
                              Action::Cancel}) {
            frmSpellWord dialog;
            dialog.setWord({QStringLiteral("teh"), QStringLiteral("sing <teh> song"), 6, {"the", "ten", "tea"}});
            dialog.show();
            QVERIFY(dialog.lineLabel()->text().contains(QLatin1String("sing &lt;<b>")));
            QVERIFY(dialog.lineLabel()->text().contains(QLatin1String(">teh</font></b>&gt; song")));
            QCOMPARE(dialog.changeTo()->text(), QStringLiteral("the"));
            dialog.suggestions()->setCurrentRow(2);
            QCOMPARE(dialog.changeTo()->text(), QStringLiteral("tea"));
            // Changing a word into itself is no change.
            dialog.changeTo()->setText(QStringLiteral("teh"));
            QVERIFY(!dialog.button(Action::Change)->isEnabled() && !dialog.button(Action::ChangeAll)->isEnabled());
            QTest::keyClicks(dialog.changeTo(), QStringLiteral("n"));
            QTest::mouseClick(dialog.button(action), Qt::LeftButton);
            QCOMPARE(dialog.result(), action == Action::Cancel ? QDialog::Rejected : QDialog::Accepted);
            QCOMPARE(dialog.answer().action, action);
            QCOMPARE(dialog.answer().replacement, QStringLiteral("tehn"));
        }
        frmSpellWord dialog;
        dialog.setWord({QStringLiteral("xyzzy"), QStringLiteral("xyzzy"), 0, {}});
        dialog.show();
        QVERIFY(!dialog.button(Action::Change)->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.answer().action, Action::Cancel);
    }

    void optionsDialog()
    {
        ScriptedPrompt prompt;
        SpellDialogs::Options options{{"SpellUS.lex", "French.lex"}, QStringLiteral("Old.lex"), QStringLiteral("/a/custom.dic")};
        frmSpellOptions dialog(options);
        dialog.show();
        // The dictionary in use heads the list even when it is not installed.
        QCOMPARE(dialog.mainDictionary()->count(), 3);
        QCOMPARE(dialog.mainDictionary()->currentText(), QStringLiteral("Old.lex"));
        QCOMPARE(dialog.customDictionary()->text(), QStringLiteral("/a/custom.dic"));

        dialog.mainDictionary()->setCurrentIndex(2);
        prompt.fileAnswers.enqueue(QStringLiteral("/b/mine.dic"));
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QCOMPARE(prompt.dialogTitles, QStringList{"Custom Dictionary"});
        // Browsing and cancelling keeps the path.
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QCOMPARE(dialog.options().mainDictionary, QStringLiteral("French.lex"));
        QCOMPARE(dialog.options().customDictionary, QStringLiteral("/b/mine.dic"));
    }

    void underlinesUnknownWordsOnly()
    {
        if (!installSpellUS())
            QSKIP("The build has no SpellUS.lex");
        rtfText song;
        song.setTextRTF(QStringLiteral("[Am7] Sing teh song, C/G\n(wierd) don't F#m stop\nall good"));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        SpellAsYouType asYouType(&song, checker, dialogs);
        QSignalSpy changes(&song, &rtfText::Change);

        asYouType.setEnabled(true);
        QVERIFY(checker.isOpen());
        QTextDocument *doc = song.document();
        QTRY_COMPARE(underlined(doc->findBlockByNumber(0)), QStringList{"teh"});
        QCOMPARE(underlined(doc->findBlockByNumber(1)), QStringList{"wierd"});
        QCOMPARE(underlined(doc->findBlockByNumber(2)), QStringList{});

        // Typing underlines the paragraph typed in.
        QTextCursor cursor(doc->findBlockByNumber(2));
        cursor.insertText(QStringLiteral("recieve "));
        QCOMPARE(underlined(doc->findBlockByNumber(2)), QStringList{"recieve"});
        QCOMPARE(changes.size(), 1);

        // Ignore All takes the underline off everywhere.
        checker.ignoreAll(QStringLiteral("teh"));
        QCOMPARE(underlined(doc->findBlockByNumber(0)), QStringList{});

        // Switched off, nothing is underlined; neither switch is an edit.
        asYouType.setEnabled(false);
        QCOMPARE(underlined(doc->findBlockByNumber(1)), QStringList{});
        QCOMPARE(changes.size(), 1);
        QVERIFY(!song.TextRTF().contains(QLatin1String("\\ul")));
    }

    void contextMenuOffersSuggestions()
    {
        if (!installSpellUS())
            QSKIP("The build has no SpellUS.lex");
        rtfText song;
        song.setTextRTF(QStringLiteral("sing teh song"));
        song.resize(400, 200);
        song.show();
        QVERIFY(QTest::qWaitForWindowExposed(&song));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        SpellAsYouType asYouType(&song, checker, dialogs);
        const auto pointAt = [&song](int position) {
            QTextCursor cursor(song.document());
            cursor.setPosition(position);
            return song.cursorRect(cursor).center() + QPoint(2, 0);
        };
        // Switched off, no suggestions.
        std::unique_ptr<QMenu> off(asYouType.createContextMenu(pointAt(6)));
        QVERIFY(!actionTexts(off.get()).contains(QStringLiteral("I&gnore All")));
        asYouType.setEnabled(true);

        // On a known word only the control's own menu.
        std::unique_ptr<QMenu> plain(asYouType.createContextMenu(pointAt(1)));
        std::unique_ptr<QMenu> standard(song.createStandardContextMenu());
        QCOMPARE(actionTexts(plain.get()), actionTexts(standard.get()));

        std::unique_ptr<QMenu> menu(asYouType.createContextMenu(pointAt(6)));
        const QStringList texts = actionTexts(menu.get());
        const qsizetype separator = texts.indexOf(QStringLiteral("-"));

        QVERIFY(separator >= 3 && separator <= SpellAsYouType::menuSuggestions + 2);
        QCOMPARE(texts.mid(separator - 2, 2), (QStringList{"I&gnore All", "&Add to Dictionary"}));
        QVERIFY(texts.mid(0, separator - 2).contains(QStringLiteral("the")));
        QCOMPARE(texts.mid(separator + 1), actionTexts(standard.get()));

        // A suggestion replaces the word.
        menu->actions()[texts.indexOf(QStringLiteral("the"))]->trigger();
        QCOMPARE(song.Text(), QStringLiteral("sing the song"));

        // Add to Dictionary writes the custom dictionary at once.
        song.setTextRTF(QStringLiteral("sing Songloom"));
        std::unique_ptr<QMenu> addMenu(asYouType.createContextMenu(pointAt(7)));
        addMenu->actions()[actionTexts(addMenu.get()).indexOf(QStringLiteral("&Add to Dictionary"))]->trigger();
        QFile custom(gstrCustomDictFilePath);
        QVERIFY(custom.open(QIODevice::ReadOnly));
        QCOMPARE(custom.readAll(), QByteArray("Songloom\n"));
        QCOMPARE(underlined(song.document()->firstBlock()), QStringList{});
    }
};

QTEST_MAIN(tst_SpellWidgets)
#include "tst_spellwidgets.moc"
