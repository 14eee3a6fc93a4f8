// The library chooser: its list, OK's rules, the names it refuses, Cancel and Help.
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "library/ChordLibraryFolders.h"
#include "library/frmLibrary.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QComboBox>
#include <QDir>
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
    void useLibrary(const QString &name)
    {
        gstrChordLibPath = ChordLibraryFolders::libraryPath(DataFolders::DataPath(), name);
        gstrChordLibName = name;
    }
    // The messages shown, as title: text.
    QString told() const
    {
        QStringList messages;
        for (const ScriptedPrompt::Message &message : m_prompt->messages)
            messages << message.title + ": " + message.text;
        return messages.join('|');
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_prompt = std::make_unique<ScriptedPrompt>();
        QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Jazz")) && QDir().mkpath(m_folder->filePath("BitMaps/Folk")));
        QVERIFY(QFile(m_folder->filePath("BitMaps/notes")).open(QIODevice::WriteOnly));
        useLibrary(QStringLiteral("Default"));
    }
    void cleanup() { m_prompt.reset(); m_folder.reset(); }

    // Default first, then the folders in listing order, files never; the current library
    // pre-selected, Default when it was removed by hand. Every opening reads afresh.
    void listAndPreselection()
    {
        QStringList seen, expected;
        for (auto [current, selected] : {std::pair{"Folk", "Folk"}, {"Gone", "Default"}}) {
            useLibrary(current);
            frmLibrary dialog;
            for (int i = 0; i < libraries(dialog)->count(); ++i)
                seen << libraries(dialog)->itemText(i);
            seen << "selected " + libraries(dialog)->currentText();
            expected << "Default" << ChordLibraryFolders::listLibraryNames(DataFolders::DataPath()) << QStringLiteral("selected ") + selected;
            QVERIFY(QDir().mkpath(m_folder->filePath("BitMaps/Blues")));
        }
        QCOMPARE(seen, expected);
        QCOMPARE(seen.size(), 4 + 5); // Jazz and Folk, then Blues too; the file never
    }

    // The library afterwards and the folder that must exist then; with none,
    // BitMaps is left as it was. A name that cannot be a library folder is
    // told with its reason; the dialog stays open with the name.
    void ok_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after"); // library|folder made|refusal
        const auto row = [](const char *tag, const char *current, const char *typed, const char *after) {
            QTest::newRow(tag) << current << typed << after;
        };
        row("spaces trimmed", "Default", "  Blues  ", "Blues|Blues|");
        row("default in lower case is a sub-folder", "Default", "default", "default|default|");
        row("Default from Folk", "Folk", "Default", "Default||");
        row("an existing library", "Default", "Jazz", "Jazz|Jazz|");
        row("blanks", "Folk", "   ", "Folk||");
        row("Cancel after typing", "Folk", "Blues", "Folk||"); // by cmdCancel
        row("slash", "Default", "Rock/Pop", "Default||path separator");
        row("parent folder", "Default", "..", "Default||\"..\" cannot name");
        row("colon", "Default", "Rock: Pop", "Default||following characters");
        row("control character", "Default", "Rock\tPop", "Default||control characters");
        row("trailing dot", "Default", "Rock.", "Default||end with a dot");
        row("a file in BitMaps", "Default", "notes", "Default||A file named \"notes\" stands in the BitMaps folder");
    }

    void ok()
    {
        QFETCH(QString, current);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        useLibrary(current);
        const uint before = QDir(bitMaps()).count();
        const bool cancel = QByteArray(QTest::currentDataTag()).startsWith("Cancel");
        const QString name = after.section('|', 0, 0), folder = after.section('|', 1, 1), refusal = after.section('|', 2);
        frmLibrary dialog;
        dialog.show();
        libraries(dialog)->setEditText(typed);
        dialog.findChild<QPushButton *>(cancel ? "cmdCancel" : "cmdOK")->click();
        if (refusal.isEmpty())
            QVERIFY(!dialog.isVisible() && dialog.result() == (cancel ? QDialog::Rejected : QDialog::Accepted) && told().isEmpty());
        else
            QVERIFY2(dialog.isVisible() && libraries(dialog)->currentText() == typed && m_prompt->messages.size() == 1
                         && told().startsWith("Invalid Library Name: ") && told().contains(refusal), qPrintable(told()));
        QCOMPARE(gstrChordLibName + '|' + gstrChordLibPath,
                 name + '|' + (name == "Default" ? bitMaps() : bitMaps() + name + QDir::separator()));
        QVERIFY(folder.isEmpty() ? QDir(bitMaps()).count() == before : QFileInfo(bitMaps() + folder).isDir());
    }

    // BitMaps is a file, not a folder: no library folder can be made.
    void creationFails()
    {
        QVERIFY(QDir(m_folder->filePath("BitMaps")).removeRecursively());
        QVERIFY(QFile(m_folder->filePath("BitMaps")).open(QIODevice::WriteOnly));
        frmLibrary dialog;
        dialog.show();
        libraries(dialog)->setEditText(QStringLiteral("Blues"));
        dialog.findChild<QPushButton *>("cmdOK")->click();
        const QString start = "Chord Library Not Created: The folder for the Chord Library \"Blues\" could not be created:\n"
                              + QDir::toNativeSeparators(bitMaps() + "Blues") + "\n";
        QVERIFY2(told().startsWith(start) && told().size() > start.size() && !told().contains('|'), qPrintable(told()));
        QVERIFY(m_prompt->messages.first().icon == QMessageBox::Warning && dialog.isVisible() && gstrChordLibName == "Default");
    }

    void help()
    {
        frmLibrary dialog;
        dialog.show();
        dialog.findChild<QPushButton *>("cmdHelp")->click();
        QVERIFY2(dialog.isVisible() && m_prompt->messages.size() == 1 && m_prompt->messages.first().icon == QMessageBox::Information
                     && told().startsWith("Chord Libraries Info: Most users will only need to use the 'Default' Chord Library.\n")
                     && told().endsWith(", but do not rename the parent 'BitMaps' folder."), qPrintable(told()));
    }
};

QTEST_MAIN(tst_frmLibrary)
#include "tst_frmlibrary.moc"
