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

class tst_SpellDialogs : public QObject
{
    Q_OBJECT

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
};

QTEST_MAIN(tst_SpellDialogs)
#include "tst_spelldialogs.moc"
