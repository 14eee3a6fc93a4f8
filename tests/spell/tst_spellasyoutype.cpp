// Checking as you type: the underline, the song's context menu, and
// that neither counts as an edit of the song.
#include "ScriptedSpell.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "document/rtfText.h"
#include "spell/SpellAsYouType.h"
#include "spell/SpellHighlighter.h"
#include "spell/psSpellCheck.h"

#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

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

class tst_SpellAsYouType : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> m_folder;

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        for (const char *file : {"SpellUS.lex", "SpellUS.aff"}) {
            if (!QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/") + QString::fromLatin1(file),
                             m_folder->filePath(QString::fromLatin1(file))))
                QSKIP("The build has no SpellUS.lex");
        }
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
        gstrCustomDictFilePath = m_folder->filePath(QStringLiteral("custom.dic"));
    }

    void cleanup() { m_folder.reset(); }

    void underlinesUnknownWordsOnly()
    {
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
        rtfText song;
        song.setTextRTF(QStringLiteral("sing teh song"));
        song.resize(400, 200);
        song.show();
        QVERIFY(QTest::qWaitForWindowExposed(&song));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        SpellAsYouType asYouType(&song, checker, dialogs);
        asYouType.setEnabled(true);

        const auto pointAt = [&song](int position) {
            QTextCursor cursor(song.document());
            cursor.setPosition(position);
            return song.cursorRect(cursor).center() + QPoint(2, 0);
        };

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
        const auto actions = menu->actions();
        actions[texts.indexOf(QStringLiteral("the"))]->trigger();
        QCOMPARE(song.Text(), QStringLiteral("sing the song"));

        // Add to Dictionary writes the custom dictionary at once.
        song.setTextRTF(QStringLiteral("sing Songloom"));
        std::unique_ptr<QMenu> addMenu(asYouType.createContextMenu(pointAt(7)));
        const QStringList addTexts = actionTexts(addMenu.get());
        addMenu->actions()[addTexts.indexOf(QStringLiteral("&Add to Dictionary"))]->trigger();
        QFile custom(gstrCustomDictFilePath);
        QVERIFY(custom.open(QIODevice::ReadOnly));
        QCOMPARE(custom.readAll(), QByteArray("Songloom\n"));
        QCOMPARE(underlined(song.document()->firstBlock()), QStringList{});
    }

    void menuFollowsTheSwitch()
    {
        rtfText song;
        song.setTextRTF(QStringLiteral("teh"));
        ScriptedSpellDialogs dialogs;
        psSpellCheck checker(&dialogs);
        SpellAsYouType asYouType(&song, checker, dialogs);
        std::unique_ptr<QMenu> off(asYouType.createContextMenu(QPoint(5, 5)));
        QVERIFY(!actionTexts(off.get()).contains(QStringLiteral("I&gnore All")));
    }
};

QTEST_MAIN(tst_SpellAsYouType)
#include "tst_spellasyoutype.moc"
