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
    // The first message shown, as title: text.
    QString told() const { return m_prompt->messages.isEmpty() ? QString() : m_prompt->messages[0].title + ": " + m_prompt->messages[0].text; }

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

    // The library afterwards and the folder that must exist then; with none, BitMaps is
    // left as it was. A name that cannot be a library folder, or a folder that cannot
    // be made, is told with its reason; the dialog stays open with the name.
    void ok_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after"); // library|folder made|message
        const auto row = [](const char *tag, const char *current, const char *typed, const char *after) {
            QTest::newRow(tag) << current << typed << after;
        };
        const auto refused = [](const char *tag, const char *typed, const char *reason) {
            QTest::newRow(tag) << "Default" << typed << QStringLiteral("Default||Invalid Library Name: ") + reason;
        };
        row("spaces trimmed", "Default", "  Blues  ", "Blues|Blues|");
        row("default in lower case is a sub-folder", "Default", "default", "default|default|");
        row("Default from Folk", "Folk", "Default", "Default||");
        row("an existing library", "Default", "Jazz", "Jazz|Jazz|");
        row("blanks", "Folk", "   ", "Folk||");
        row("Cancel after typing", "Folk", "Blues", "Folk||"); // by cmdCancel
        refused("slash", "Rock/Pop", "A Chord Library name cannot contain a path separator");
        refused("parent folder", "..", "\"..\" cannot name a Chord Library");
        refused("colon", "Rock: Pop", "A Chord Library name cannot include the following characters");
        refused("control character", "Rock\tPop", "A Chord Library name cannot include the following characters");
        refused("trailing dot", "Rock.", "A Chord Library name cannot end with a dot.");
        refused("a file in BitMaps", "notes", "A file named \"notes\" stands in the BitMaps folder");
        row("BitMaps is a file", "Default", "Blues",
            "Default||Chord Library Not Created: The folder for the Chord Library \"Blues\" could not be created:\nBITMAPS/Blues\n");
    }

    void ok()
    {
        QFETCH(QString, current);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        const QByteArray tag = QTest::currentDataTag();
        if (tag == "BitMaps is a file")
            QVERIFY(QDir(bitMaps()).removeRecursively() && QFile(m_folder->filePath("BitMaps")).open(QIODevice::WriteOnly));
        useLibrary(current);
        const uint before = QDir(bitMaps()).count();
        const QString name = after.section('|', 0, 0), folder = after.section('|', 1, 1), message = after.section('|', 2);
        frmLibrary dialog;
        dialog.show();
        libraries(dialog)->setEditText(typed);
        dialog.findChild<QPushButton *>(tag.startsWith("Cancel") ? "cmdCancel" : "cmdOK")->click();
        const QString shown = told().replace(QDir::toNativeSeparators(bitMaps()), "BITMAPS/");
        if (message.isEmpty())
            QVERIFY(!dialog.isVisible() && dialog.result() == (tag.startsWith("Cancel") ? QDialog::Rejected : QDialog::Accepted) && shown.isEmpty());
        else
            QVERIFY2(dialog.isVisible() && libraries(dialog)->currentText() == typed && shown.startsWith(message) && m_prompt->messages.size() == 1,
                     qPrintable(shown));
        QCOMPARE(gstrChordLibName + '|' + gstrChordLibPath,
                 name + '|' + (name == "Default" ? bitMaps() : bitMaps() + name + QDir::separator()));
        QVERIFY(folder.isEmpty() ? QDir(bitMaps()).count() == before : QFileInfo(bitMaps() + folder).isDir());
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
