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
#include <QLabel>
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
    static void click(frmLibrary &dialog, const char *button) { dialog.findChild<QPushButton *>(button)->click(); }

    void useLibrary(const QString &name)
    {
        gstrChordLibPath = ChordLibraryFolders::libraryPath(DataFolders::DataPath(), name);
        gstrChordLibName = name;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_prompt = std::make_unique<ScriptedPrompt>();
        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Jazz")));
        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Folk")));
        QFile file(m_folder->filePath("BitMaps/notes"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        useLibrary(QStringLiteral("Default"));
    }

    void cleanup()
    {
        m_prompt.reset();
        m_folder.reset();
    }

    void layout()
    {
        frmLibrary dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Chord Libraries"));
        QCOMPARE(dialog.size(), QSize(312, 137));
        QCOMPARE(libraries(dialog)->geometry(), QRect(14, 55, 282, 21));
        QCOMPARE(dialog.findChild<QPushButton *>("cmdOK")->geometry(), QRect(255, 99, 41, 25));
        QCOMPARE(dialog.findChild<QLabel *>("lblChordLibs")->text(),
                 QStringLiteral("Select an existing Chord Library or enter the name for a new one:"));
    }

    // Default first, then the folders as listed, files never; the current
    // library pre-selected. Every opening reads the folders afresh.
    void listAndPreselection_data()
    {
        QTest::addColumn<QString>("current");
        QTest::newRow("Folk current") << "Folk";
        QTest::newRow("Default current") << "Default";
        QTest::newRow("a library removed by hand") << "Gone";
    }

    void listAndPreselection()
    {
        QFETCH(QString, current);
        useLibrary(current);
        frmLibrary first;
        QComboBox *box = libraries(first);
        QCOMPARE(box->itemText(0), QStringLiteral("Default"));
        QStringList folders;
        for (int i = 1; i < box->count(); ++i)
            folders << box->itemText(i);
        QCOMPARE(folders, ChordLibraryFolders::listLibraryNames(DataFolders::DataPath()));
        folders.sort();
        QCOMPARE(folders, (QStringList{"Folk", "Jazz"}));
        QCOMPARE(box->currentText(), current == "Folk" ? current : QStringLiteral("Default"));

        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Blues")));
        frmLibrary second;
        QCOMPARE(libraries(second)->count(), 4);
    }

    void ok_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");   // the library afterwards
        QTest::addColumn<QString>("folder"); // a folder that must exist afterwards
        QTest::newRow("spaces trimmed") << "Default" << "  Blues  " << "Blues" << "Blues";
        QTest::newRow("default in lower case is a sub-folder") << "Default" << "default" << "default" << "default";
        QTest::newRow("Default from Folk") << "Folk" << "Default" << "Default" << "";
        QTest::newRow("Default while Default") << "Default" << "Default" << "Default" << "";
        QTest::newRow("the current library again") << "Folk" << "Folk" << "Folk" << "Folk";
        QTest::newRow("an existing library") << "Default" << "Jazz" << "Jazz" << "Jazz";
        QTest::newRow("empty") << "Folk" << "" << "Folk" << "";
        QTest::newRow("blanks") << "Folk" << "   " << "Folk" << "";
        QTest::newRow("non-ASCII name") << "Default" << "Canciones ñ" << "Canciones ñ" << "Canciones ñ";
    }

    void ok()
    {
        QFETCH(QString, current);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        useLibrary(current);
        const QStringList before = bitMapsEntries();
        frmLibrary dialog;
        dialog.show();
        libraries(dialog)->setEditText(typed);
        click(dialog, "cmdOK");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(m_prompt->messages.isEmpty());
        QCOMPARE(gstrChordLibName, name);
        QCOMPARE(gstrChordLibPath, name == "Default" ? bitMaps() : bitMaps() + name + QDir::separator());
        if (!folder.isEmpty())
            QVERIFY(QFileInfo(bitMaps() + folder).isDir());
        else
            QCOMPARE(bitMapsEntries(), before);
    }

    void cancelAfterTypingCreatesNothing()
    {
        useLibrary(QStringLiteral("Folk"));
        frmLibrary dialog;
        dialog.show();
        libraries(dialog)->setEditText(QStringLiteral("Blues"));
        click(dialog, "cmdCancel");
        QVERIFY(!dialog.isVisible());
        QVERIFY(!QFileInfo::exists(bitMaps() + "Blues"));
        QCOMPARE(gstrChordLibName, QStringLiteral("Folk"));
        QCOMPARE(gstrChordLibPath, bitMaps() + "Folk" + QDir::separator());
    }

    // A name that cannot be a library folder is told with its reason; the
    // dialog stays open with the name, and nothing is made or changed.
    void refusedNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("slash") << "Rock/Pop" << "path separator";
        QTest::newRow("backslash") << "Rock\\Pop" << "path separator";
        QTest::newRow("parent folder") << ".." << "\"..\" cannot name";
        QTest::newRow("this folder") << "." << "\".\" cannot name";
        QTest::newRow("colon") << "Rock: Pop" << "following characters";
        QTest::newRow("asterisk") << "Rock*" << "following characters";
        QTest::newRow("question mark") << "Rock?" << "following characters";
        QTest::newRow("control character") << "Rock\tPop" << "control characters";
        QTest::newRow("trailing dot") << "Rock." << "end with a dot";
        QTest::newRow("a file in BitMaps") << "notes" << "A file named \"notes\" stands in the BitMaps folder";
    }

    void refusedNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        const QStringList before = bitMapsEntries();
        frmLibrary dialog;
        dialog.show();
        libraries(dialog)->setEditText(typed);
        click(dialog, "cmdOK");
        QCOMPARE(m_prompt->messages.size(), 1);
        QCOMPARE(m_prompt->messages.first().title, QStringLiteral("Invalid Library Name"));
        QVERIFY2(m_prompt->messages.first().text.contains(reason), qPrintable(m_prompt->messages.first().text));
        QVERIFY(dialog.isVisible());
        QCOMPARE(libraries(dialog)->currentText(), typed);
        QCOMPARE(bitMapsEntries(), before);
        QCOMPARE(gstrChordLibName, QStringLiteral("Default"));
        QCOMPARE(gstrChordLibPath, bitMaps());
    }

    // BitMaps is a file, not a folder: no library folder can be made.
    void creationFails()
    {
        QVERIFY(QDir(m_folder->filePath("BitMaps")).removeRecursively());
        QFile standIn(m_folder->filePath("BitMaps"));
        QVERIFY(standIn.open(QIODevice::WriteOnly));
        standIn.close();
        frmLibrary dialog;
        dialog.show();
        QCOMPARE(libraries(dialog)->count(), 1);
        libraries(dialog)->setEditText(QStringLiteral("Blues"));
        click(dialog, "cmdOK");
        QCOMPARE(m_prompt->messages.size(), 1);
        const ScriptedPrompt::Message &told = m_prompt->messages.first();
        QCOMPARE(told.title, QStringLiteral("Chord Library Not Created"));
        QCOMPARE(told.icon, QMessageBox::Warning);
        QVERIFY2(told.text.startsWith("The folder for the Chord Library \"Blues\" could not be created:\n"
                                      + QDir::toNativeSeparators(bitMaps() + "Blues") + "\n"),
                 qPrintable(told.text));
        QVERIFY(!told.text.section('\n', 2).isEmpty());
        QVERIFY(dialog.isVisible());
        QCOMPARE(gstrChordLibName, QStringLiteral("Default"));
    }

    void help()
    {
        frmLibrary dialog;
        dialog.show();
        click(dialog, "cmdHelp");
        QCOMPARE(m_prompt->messages.size(), 1);
        const ScriptedPrompt::Message &shown = m_prompt->messages.first();
        QCOMPARE(shown.title, QStringLiteral("Chord Libraries Info"));
        QCOMPARE(shown.icon, QMessageBox::Information);
        QCOMPARE(shown.buttons, QMessageBox::Ok);
        const QStringList lines = shown.text.split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QStringLiteral("Most users will only need to use the 'Default' Chord Library."));
        QCOMPARE(lines[1], QStringLiteral("However, you may organize groups of chords into seperate collections if you wish."));
        QVERIFY(lines[2].isEmpty() && lines[5].isEmpty());
        QCOMPARE(lines[4], QStringLiteral("Any sub-folders created in the BitMaps folder will be listed in the Libraries list."));
#ifdef Q_OS_LINUX
        QCOMPARE(lines[6], QStringLiteral("You can manually create or rename the sub-folders, and copy or move the bitmap "
                                          "files, with your file manager, but do not rename the parent 'BitMaps' folder."));
#endif
        QVERIFY(dialog.isVisible());
    }

private:
    // Everything in BitMaps, to see that nothing was made.
    QStringList bitMapsEntries() const
    {
        QStringList entries = QDir(bitMaps()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        entries.sort();
        return entries;
    }
};

QTEST_MAIN(tst_frmLibrary)
#include "tst_frmlibrary.moc"
