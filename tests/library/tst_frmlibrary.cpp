// The library chooser: its list, OK's rules, the names it refuses, Cancel
// and Help.
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "library/ChordLibraryFolders.h"
#include "library/frmLibrary.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include <memory>

class tst_frmLibrary : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;

    QString bitMaps() const { return ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath()); }
    static QComboBox *libraries(frmLibrary &dialog) { return dialog.findChild<QComboBox *>("cboChordLibs"); }
    // Shows the dialog, types the name and presses the button.
    static void answer(frmLibrary &dialog, const QString &typed, const char *button = "cmdOK")
    {
        dialog.show();
        libraries(dialog)->setEditText(typed);
        dialog.findChild<QPushButton *>(button)->click();
    }
    void useLibrary(const QString &name)
    {
        gstrChordLibPath = ChordLibraryFolders::libraryPath(DataFolders::DataPath(), name);
        gstrChordLibName = name;
    }
    // Everything in BitMaps, to see that nothing was made.
    QStringList bitMapsEntries() const
    {
        return QDir(bitMaps()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    // The current library, or the one named, as name|path.
    QString library() const { return gstrChordLibName + '|' + gstrChordLibPath; }
    QString library(const QString &name) const
    {
        return name + '|' + (name == "Default" ? bitMaps() : bitMaps() + name + QDir::separator());
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_prompt = std::make_unique<ScriptedPrompt>();
        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Jazz")));
        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Folk")));
        QVERIFY(QFile(m_folder->filePath("BitMaps/notes")).open(QIODevice::WriteOnly));
        useLibrary(QStringLiteral("Default"));
    }

    void cleanup()
    {
        m_prompt.reset();
        m_folder.reset();
    }

    // Default first, then the folders, files never; the current library
    // pre-selected. Every opening reads the folders afresh.
    void listAndPreselection_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("selected");
        QTest::newRow("Folk current") << "Folk" << "Folk";
        QTest::newRow("a library removed by hand") << "Gone" << "Default";
    }

    void listAndPreselection()
    {
        QFETCH(QString, current);
        useLibrary(current);
        frmLibrary first;
        QStringList listed;
        for (int i = 0; i < libraries(first)->count(); ++i)
            listed << libraries(first)->itemText(i);
        QCOMPARE(listed, QStringList{"Default"} + ChordLibraryFolders::listLibraryNames(DataFolders::DataPath()));
        std::sort(listed.begin() + 1, listed.end());
        QCOMPARE(listed, (QStringList{"Default", "Folk", "Jazz"}));
        QTEST(libraries(first)->currentText(), "selected");
        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Blues")));
        frmLibrary second;
        QCOMPARE(libraries(second)->count(), 4);
    }

    // "folder" must exist afterwards; with none, BitMaps is left as it was.
    // A name that cannot be a library folder is told with its reason; the
    // dialog stays open with the name, and nothing is made or changed.
    void ok_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("name"); // the library afterwards
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("spaces trimmed") << "Default" << "  Blues  " << true << "Blues" << "Blues" << "";
        QTest::newRow("default in lower case is a sub-folder") << "Default" << "default" << true << "default" << "default" << "";
        QTest::newRow("Default from Folk") << "Folk" << "Default" << true << "Default" << "" << "";
        QTest::newRow("an existing library") << "Default" << "Jazz" << true << "Jazz" << "Jazz" << "";
        QTest::newRow("blanks") << "Folk" << "   " << true << "Folk" << "" << "";
        QTest::newRow("non-ASCII name") << "Default" << "Canciones ñ" << true << "Canciones ñ" << "Canciones ñ" << "";
        QTest::newRow("Cancel after typing") << "Folk" << "Blues" << false << "Folk" << "" << "";
        const auto refused = [](const char *tag, const char *typed, const char *reason) {
            QTest::newRow(tag) << "Default" << typed << true << "Default" << "" << reason;
        };
        refused("slash", "Rock/Pop", "path separator");
        refused("parent folder", "..", "\"..\" cannot name");
        refused("colon", "Rock: Pop", "following characters");
        refused("control character", "Rock\tPop", "control characters");
        refused("trailing dot", "Rock.", "end with a dot");
        refused("a file in BitMaps", "notes", "A file named \"notes\" stands in the BitMaps folder");
    }

    void ok()
    {
        QFETCH(QString, current);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, folder);
        QFETCH(QString, refusal);
        useLibrary(current);
        const QStringList before = bitMapsEntries();
        frmLibrary dialog;
        answer(dialog, typed, ok ? "cmdOK" : "cmdCancel");
        QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
        if (refusal.isEmpty()) {
            QCOMPARE(dialog.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
            QVERIFY(m_prompt->messages.isEmpty());
        } else {
            QCOMPARE(m_prompt->messages.size(), 1);
            QCOMPARE(m_prompt->messages.first().title, QStringLiteral("Invalid Library Name"));
            QVERIFY2(m_prompt->messages.first().text.contains(refusal), qPrintable(m_prompt->messages.first().text));
            QCOMPARE(libraries(dialog)->currentText(), typed);
        }
        QFETCH(QString, name);
        QCOMPARE(library(), library(name));
        QVERIFY(folder.isEmpty() ? bitMapsEntries() == before : QFileInfo(bitMaps() + folder).isDir());
    }

    // BitMaps is a file, not a folder: no library folder can be made.
    void creationFails()
    {
        QVERIFY(QDir(m_folder->filePath("BitMaps")).removeRecursively());
        QVERIFY(QFile(m_folder->filePath("BitMaps")).open(QIODevice::WriteOnly));
        frmLibrary dialog;
        QCOMPARE(libraries(dialog)->count(), 1);
        answer(dialog, QStringLiteral("Blues"));
        QCOMPARE(m_prompt->messages.size(), 1);
        const ScriptedPrompt::Message &told = m_prompt->messages.first();
        QCOMPARE(told.title, QStringLiteral("Chord Library Not Created"));
        QCOMPARE(told.icon, QMessageBox::Warning);
        const QString start = "The folder for the Chord Library \"Blues\" could not be created:\n"
                              + QDir::toNativeSeparators(bitMaps() + "Blues") + "\n";
        QVERIFY2(told.text.startsWith(start) && told.text.size() > start.size(), qPrintable(told.text));
        QVERIFY(dialog.isVisible());
        QCOMPARE(gstrChordLibName, QStringLiteral("Default"));
    }

    void help()
    {
        frmLibrary dialog;
        dialog.show();
        dialog.findChild<QPushButton *>("cmdHelp")->click();
        QCOMPARE(m_prompt->messages.size(), 1);
        const ScriptedPrompt::Message &shown = m_prompt->messages.first();
        QCOMPARE(dialog.windowTitle() + '|' + shown.title, QStringLiteral("Chord Libraries|Chord Libraries Info"));
        QCOMPARE(shown.icon, QMessageBox::Information);
        QVERIFY2(shown.text.startsWith("Most users will only need to use the 'Default' Chord Library.\n"
                                       "However, you may organize groups of chords into seperate collections if you wish.\n\n"
                                       "The Chord images are stored in the 'BitMaps' folder inside the 'Songloom' folder.\n"
                                       "Any sub-folders created in the BitMaps folder will be listed in the Libraries list.\n\n"
                                       "You can manually create or rename the sub-folders, and copy or move the bitmap files, with ")
                     && shown.text.endsWith(", but do not rename the parent 'BitMaps' folder."),
                 qPrintable(shown.text));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(tst_frmLibrary)
#include "tst_frmlibrary.moc"
