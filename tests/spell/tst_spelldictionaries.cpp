// The dictionary settings: their repair, opening with the fallback, and
// the Spell Check Options flow, each with its messages.
#include "ScriptedSpell.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include "base/Module1.h"
#include "base/SettingsStore.h"
#include "spell/SpellCheckCommands.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString unset = QStringLiteral("<unset>");

QString stored(const QString &key)
{
    return SettingsStore::GetSetting(key, unset);
}

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

const QString missingMessage = QStringLiteral("The spellchecker Custom Dictionary file 'custom.dic'\n"
                                              "is missing or invalid.\n"
                                              "Reinstalling the application will restore this file.");

} // namespace

class tst_SpellDictionaries : public QObject
{
    Q_OBJECT

private slots:
    void checkCustomDictPath_data()
    {
        QTest::addColumn<QString>("setting");  // relative to the program folder; "" for empty
        QTest::addColumn<QString>("existing"); // files to create, besides the default
        QTest::addColumn<bool>("defaultExists");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("after"); // "default", "same"

        QTest::newRow("valid file") << "mine.dic" << "mine.dic" << true << true << "same";
        QTest::newRow("deleted file, default there") << "gone.dic" << "" << true << true << "default";
        QTest::newRow("deleted file, no default") << "gone.dic" << "" << false << false << "same";
        QTest::newRow("text file, default there") << "notes.txt" << "notes.txt" << true << true << "default";
        QTest::newRow("text file, no default") << "notes.txt" << "notes.txt" << false << false << "same";
        QTest::newRow("folder named .dic") << "words.dic/list.txt" << "words.dic/list.txt" << false << true << "same";
        QTest::newRow("folder, not a file") << "folder.dic" << "folder.dic/x" << true << true << "default";
        QTest::newRow("upper-case name") << "MINE.DIC" << "MINE.DIC" << false << true << "same";
        QTest::newRow("empty, default there") << "" << "" << true << true << "default";
        QTest::newRow("empty, no default") << "" << "" << false << false << "same";
    }

    void checkCustomDictPath()
    {
        QFETCH(QString, setting);
        QFETCH(QString, existing);
        QFETCH(bool, defaultExists);
        QFETCH(bool, valid);
        QFETCH(QString, after);

        TestProgramFolder folder;
        if (!existing.isEmpty())
            touch(folder.filePath(existing));
        if (defaultExists)
            touch(folder.filePath(QStringLiteral("custom.dic")));
        gstrCustomDictFilePath = setting.isEmpty() ? QString() : folder.filePath(setting);
        const QString before = gstrCustomDictFilePath;
        ScriptedChecker checker;

        QCOMPARE(SpellCheckCommands(checker, nullptr).CheckCustomDictPath(), valid);
        if (after == QLatin1String("default")) {
            QCOMPARE(gstrCustomDictFilePath, folder.filePath(QStringLiteral("custom.dic")));
            QCOMPARE(stored(SettingsStore::CustomDictFilePath), gstrCustomDictFilePath);
        } else {
            QCOMPARE(gstrCustomDictFilePath, before);
            QCOMPARE(stored(SettingsStore::CustomDictFilePath), unset);
        }
    }

    void loadDictionaries_data()
    {
        QTest::addColumn<QString>("main");
        QTest::addColumn<bool>("customExists");
        QTest::addColumn<QList<bool>>("opens");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("asked");    // main dictionaries in the order asked
        QTest::addColumn<QString>("storedMain");   // unset when nothing was written
        QTest::addColumn<QStringList>("titles");   // message titles shown

        QTest::newRow("opens") << "French.lex" << true << QList<bool>{true} << 0 << true
                               << QStringList{"French.lex"} << unset << QStringList{};
        QTest::newRow("falls back quietly") << "French.lex" << true << QList<bool>{false, true} << 0 << true
                                            << QStringList{"French.lex", "SpellUS.lex"} << "SpellUS.lex"
                                            << QStringList{};
        QTest::newRow("SpellUS.lex asked twice") << "SpellUS.lex" << true << QList<bool>{false, true} << 0 << true
                                                 << QStringList{"SpellUS.lex", "SpellUS.lex"} << "SpellUS.lex"
                                                 << QStringList{};
        QTest::newRow("neither opens") << "French.lex" << true << QList<bool>{false, false} << 0 << false
                                       << QStringList{"French.lex", "SpellUS.lex"} << unset
                                       << QStringList{"Dictionary could Not be Opened"};
        QTest::newRow("opening fails with an error") << "Russian.lex" << true << QList<bool>{false} << 1001 << false
                                                     << QStringList{"Russian.lex"} << unset
                                                     << QStringList{"Error Opening Dictionary"};
        QTest::newRow("empty main name") << "" << true << QList<bool>{false, true} << 0 << true
                                         << QStringList{"", "SpellUS.lex"} << "SpellUS.lex" << QStringList{};
        QTest::newRow("custom missing, still opened") << "French.lex" << false << QList<bool>{true} << 0 << true
                                                      << QStringList{"French.lex"} << unset
                                                      << QStringList{"Missing Dictionary File"};
    }

    void loadDictionaries()
    {
        QFETCH(QString, main);
        QFETCH(bool, customExists);
        QFETCH(QList<bool>, opens);
        QFETCH(int, errorNumber);
        QFETCH(bool, result);
        QFETCH(QStringList, asked);
        QFETCH(QString, storedMain);
        QFETCH(QStringList, titles);

        TestProgramFolder folder;
        if (customExists)
            touch(folder.filePath(QStringLiteral("custom.dic")));
        gstrMainDictFileName = main;
        gstrCustomDictFilePath = folder.filePath(QStringLiteral("custom.dic"));
        ScriptedPrompt prompt;
        ScriptedChecker checker;
        for (bool open : opens)
            checker.openResults.enqueue(open);
        checker.openErrorNumber = errorNumber;
        checker.openErrorText = QStringLiteral("The dictionary 'Russian.lex' is written in KOI8-R.");

        QCOMPARE(SpellCheckCommands(checker, nullptr).LoadDictionaries(), result);

        QStringList askedMains;
        for (const auto &call : checker.openCalls) {
            askedMains.append(call.main);
            QCOMPARE(call.custom, gstrCustomDictFilePath);
        }
        QCOMPARE(askedMains, asked);
        QCOMPARE(stored(SettingsStore::MainDictFileName), storedMain);
        if (storedMain != unset)
            QCOMPARE(gstrMainDictFileName, storedMain);
        QStringList shown;
        for (const auto &message : prompt.messages) {
            shown.append(message.title);
            QCOMPARE(message.icon, QMessageBox::Warning);
        }
        QCOMPARE(shown, titles);
        if (titles.value(0) == QLatin1String("Missing Dictionary File"))
            QCOMPARE(prompt.messages[0].text, missingMessage);
        if (titles.value(0) == QLatin1String("Dictionary could Not be Opened"))
            QCOMPARE(prompt.messages[0].text,
                     QStringLiteral("The spellchecker Main Dictionary file 'French.lex'\ncould not be opened.\n"
                                    "Use the 'Spell Check Options' dialog to select a Dictionary."));
        if (titles.value(0) == QLatin1String("Error Opening Dictionary"))
            QCOMPARE(prompt.messages[0].text,
                     QStringLiteral("Error Number: 1001  Description: The dictionary 'Russian.lex' is written in KOI8-R."));
    }

    void missingCustomEveryRun()
    {
        TestProgramFolder folder;
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
        gstrCustomDictFilePath = folder.filePath(QStringLiteral("gone.dic"));
        ScriptedPrompt prompt;
        ScriptedChecker checker;
        SpellCheckCommands commands(checker, nullptr);
        QVERIFY(commands.LoadDictionaries());
        QVERIFY(commands.LoadDictionaries());
        QCOMPARE(prompt.messages.size(), 2);
        QCOMPARE(checker.openCalls.size(), 2);
    }

    void options_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("custom"); // "old" for unchanged; relative to the program folder
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("customAfter"); // "old" or "new"
        QTest::addColumn<QString>("mainAfter");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        const QString notFound = QStringLiteral("Invalid File Path.\nThe Custom Dictionary Path was Not Changed.");
        const QString invalid = QStringLiteral("The selected File is Not a Valid Custom Dictionary file.\n"
                                               "The Custom Dictionary Path was Not Changed.");
        QTest::newRow("cancelled") << false << "other.dic" << "French.lex" << "old" << "SpellUS.lex" << "" << "";
        QTest::newRow("unchanged") << true << "old" << "SpellUS.lex" << "old" << "SpellUS.lex" << "" << "";
        QTest::newRow("other custom") << true << "other.dic" << "SpellUS.lex" << "new" << "SpellUS.lex" << "" << "";
        QTest::newRow("custom not found") << true << "absent.dic" << "SpellUS.lex" << "old" << "SpellUS.lex"
                                          << "File or Path Not Found" << notFound;
        QTest::newRow("custom not a .dic") << true << "words.txt" << "SpellUS.lex" << "old" << "SpellUS.lex"
                                           << "Invalid Dictionary File" << invalid;
        QTest::newRow("custom with ?") << true << "what?.dic" << "SpellUS.lex" << "old" << "SpellUS.lex" << "" << "";
        QTest::newRow("main in capitals") << true << "old" << "FRENCH.LEX" << "old" << "FRENCH.LEX" << "" << "";
        QTest::newRow("main not a .lex") << true << "old" << "french.txt" << "old" << "SpellUS.lex" << "" << "";
        QTest::newRow("main with ?") << true << "old" << "fr?.lex" << "old" << "SpellUS.lex" << "" << "";
        QTest::newRow("both change") << true << "other.dic" << "French.lex" << "new" << "French.lex" << "" << "";
        QTest::newRow("bad custom, good main") << true << "words.txt" << "French.lex" << "old" << "French.lex"
                                               << "Invalid Dictionary File" << invalid;
    }

    void options()
    {
        QFETCH(bool, confirmed);
        QFETCH(QString, custom);
        QFETCH(QString, main);
        QFETCH(QString, customAfter);
        QFETCH(QString, mainAfter);
        QFETCH(QString, title);
        QFETCH(QString, text);

        TestProgramFolder folder;
        for (const char *name : {"custom.dic", "other.dic", "words.txt"})
            touch(folder.filePath(QString::fromLatin1(name)));
        const QString oldCustom = folder.filePath(QStringLiteral("custom.dic"));
        gstrCustomDictFilePath = oldCustom;
        gstrMainDictFileName = QStringLiteral("SpellUS.lex");
        ScriptedPrompt prompt;
        ScriptedChecker checker;
        checker.showOptionsResult = confirmed;
        checker.optionsCustom = custom == QLatin1String("old") ? oldCustom : folder.filePath(custom);
        checker.optionsMain = main;

        SpellCheckCommands(checker, nullptr).SpellCheckOptions();

        const QString systemDir = GetSystemDir();
        QCOMPARE(checker.showOptionsArguments,
                 (QStringList{systemDir, oldCustom, "SpellUS.lex", joinPath(systemDir, "dictionaries.ins"), "true"}));
        const QString expectedCustom = customAfter == QLatin1String("new") ? checker.optionsCustom : oldCustom;
        QCOMPARE(gstrCustomDictFilePath, expectedCustom);
        QCOMPARE(stored(SettingsStore::CustomDictFilePath), customAfter == QLatin1String("new") ? expectedCustom : unset);
        QCOMPARE(gstrMainDictFileName, mainAfter);
        QCOMPARE(stored(SettingsStore::MainDictFileName), mainAfter == QLatin1String("SpellUS.lex") ? unset : mainAfter);
        QCOMPARE(prompt.messages.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(prompt.messages[0].title, title);
            QCOMPARE(prompt.messages[0].text, text);
            QCOMPARE(prompt.messages[0].icon, QMessageBox::Information);
        }
    }
};

QTEST_MAIN(tst_SpellDictionaries)
#include "tst_spelldictionaries.moc"
