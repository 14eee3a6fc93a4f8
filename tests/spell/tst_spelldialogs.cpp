// The checker's word dialog and options dialog, driven through their widgets.
#include "support/ScriptedPrompt.h"

#include "spell/frmSpellOptions.h"
#include "spell/frmSpellWord.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using Action = SpellDialogs::WordAnswer::Action;
Q_DECLARE_METATYPE(Action)

class tst_SpellDialogs : public QObject
{
    Q_OBJECT

private:
    static SpellDialogs::UnknownWord teh()
    {
        return {QStringLiteral("teh"), QStringLiteral("sing <teh> song"), 6, {"the", "ten", "tea"}};
    }

private slots:
    void wordDialogShowsTheWord()
    {
        frmSpellWord dialog;
        dialog.setWord(teh());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Spell Check"));
        QVERIFY(dialog.lineLabel()->text().contains(QLatin1String("sing &lt;<b>")));
        QVERIFY(dialog.lineLabel()->text().contains(QLatin1String(">teh</font></b>&gt; song")));
        QCOMPARE(dialog.changeTo()->text(), QStringLiteral("the"));
        QCOMPARE(dialog.suggestions()->count(), 3);

        // A suggestion picked is the text to change to.
        dialog.suggestions()->setCurrentRow(2);
        QCOMPARE(dialog.changeTo()->text(), QStringLiteral("tea"));

        // Changing a word into itself is no change.
        dialog.changeTo()->setText(QStringLiteral("teh"));
        QVERIFY(!dialog.button(Action::Change)->isEnabled());
        QVERIFY(!dialog.button(Action::ChangeAll)->isEnabled());
    }

    void wordDialogWithoutSuggestions()
    {
        frmSpellWord dialog;
        dialog.setWord({QStringLiteral("xyzzy"), QStringLiteral("xyzzy"), 0, {}});
        dialog.show();
        QCOMPARE(dialog.changeTo()->text(), QStringLiteral("xyzzy"));
        QVERIFY(!dialog.button(Action::Change)->isEnabled());
        QTest::keyClicks(dialog.changeTo(), QStringLiteral("s"));
        QVERIFY(dialog.button(Action::Change)->isEnabled());
    }

    void wordDialogAnswers_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Ignore") << Action::Ignore << true;
        QTest::newRow("Ignore All") << Action::IgnoreAll << true;
        QTest::newRow("Add") << Action::Add << true;
        QTest::newRow("Change") << Action::Change << true;
        QTest::newRow("Change All") << Action::ChangeAll << true;
        QTest::newRow("Cancel") << Action::Cancel << false;
    }

    void wordDialogAnswers()
    {
        QFETCH(Action, action);
        QFETCH(bool, accepted);
        frmSpellWord dialog;
        dialog.setWord(teh());
        dialog.show();
        dialog.changeTo()->setText(QStringLiteral("then"));
        QTest::mouseClick(dialog.button(action), Qt::LeftButton);
        QCOMPARE(dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(dialog.answer().action, action);
        QCOMPARE(dialog.answer().replacement, QStringLiteral("then"));
    }

    void escapeIsCancel()
    {
        frmSpellWord dialog;
        dialog.setWord(teh());
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.answer().action, Action::Cancel);
    }

    void optionsDialog()
    {
        ScriptedPrompt prompt;
        SpellDialogs::Options options{{"SpellUS.lex", "French.lex"}, QStringLiteral("Old.lex"), QStringLiteral("/a/custom.dic")};
        frmSpellOptions dialog(options);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Spell Check Options"));
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
        QCOMPARE(dialog.customDictionary()->text(), QStringLiteral("/b/mine.dic"));

        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QCOMPARE(dialog.options().mainDictionary, QStringLiteral("French.lex"));
        QCOMPARE(dialog.options().customDictionary, QStringLiteral("/b/mine.dic"));
    }
};

QTEST_MAIN(tst_SpellDialogs)
#include "tst_spelldialogs.moc"
