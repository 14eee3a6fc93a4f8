// The "New ChordBox" editor, empty or on a saved chord, driven as a person
// would, with message boxes answered through the scripted prompt.
#include "chordbox/frmChordBox.h"
#include "library/ChordLibraryFolders.h"

#include "base/Module1.h"
#include "chordbox/ChordBoard.h"
#include "chordbox/ChordBoxCommand.h"
#include "chordbox/ChordBoxRenderer.h"
#include "chordbox/ChordProDefinition.h"
#include "library/ChordFiles.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class tst_frmChordBox : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<frmChordBox> m_dialog;
    QString m_library;

    // As the main window opens it: the result cleared, a fresh dialog.
    void open(std::unique_ptr<frmChordBox> dialog = std::make_unique<frmChordBox>())
    {
        gstrNewChordName.clear();
        m_dialog = std::move(dialog);
        m_dialog->show();
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        auto *board = m_dialog->findChild<ChordBoard *>("picMap");
        QTest::mouseClick(board, button, {}, board->contentsRect().topLeft() + at);
    }
    void press(const char *button) { QTest::mouseClick(m_dialog->findChild<QPushButton *>(button), Qt::LeftButton); }
    // Everything in the library's folder, hidden and half-written files too.
    QStringList files() const { return QDir(m_library).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
    static QImage savedPicture(const QString &file) { return QImage(gstrChordLibPath + file).convertToFormat(QImage::Format_RGB32); }
    QLineEdit *name() const { return m_dialog->findChild<QLineEdit *>("txtChordName"); }
    QComboBox *fret() const { return m_dialog->findChild<QComboBox *>("cboFretNum"); }
    QImage shownPicture() const { return m_dialog->findChild<QLabel *>("Pic_Image")->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }
    QString messages() const
    {
        QStringList shown;
        for (const ScriptedPrompt::Message &message : m_prompt->messages)
            shown << message.title + '|' + message.text + (message.icon == QMessageBox::Warning ? "|warning" : "");
        return shown.join('\n');
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        QVERIFY(QDir(m_folder->path()).mkdir("BitMaps"));
        gstrChordLibPath = m_library = ChordLibraryFolders::defaultLibraryPath(AppPath());
        m_prompt = std::make_unique<ScriptedPrompt>();
    }

    void cleanup()
    {
        m_dialog.reset();
        m_prompt.reset();
        m_folder.reset();
    }

    void saves_data()
    {
        QTest::addColumn<QStringList>("typed"); // name and top text for each opening
        QTest::addColumn<QStringList>("saved");
        QTest::newRow("trimmed, one blank between") << QStringList{" Am ", " 5th Fret "} << QStringList{"Am 5th Fret"};
        QTest::newRow("blank top text adds no blank") << QStringList{"Em", "   "} << QStringList{"Em"};
        QTest::newRow("slash, asterisk") << QStringList{"C*/G", ""} << QStringList{"C*~G"};
        QTest::newRow("three times") << QStringList{"Am", "", "Am", "", "Am", ""} << QStringList{"Am", "Am;2", "Am;3"};
    }

    // Every change redraws the picture, texts as typed; OK saves it.
    void saves()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, saved);
        for (int i = 0; i < typed.size(); i += 2) {
            open();
            // Left switches a dot on and off, right puts a bar, middle moves it.
            click({13, 15});
            click({13, 15});
            click({90, 70});
            click({60, 120}, Qt::RightButton);
            click({5, 60}, Qt::MiddleButton);
            QTest::keyClicks(name(), typed.at(i));
            fret()->setEditText(typed.at(i + 1));
            QCOMPARE(shownPicture(), ChordBoxRenderer::DrawChordBox(m_dialog->chord(), typed.at(i), typed.at(i + 1)));
            press("cmdOK");
        }
        QCOMPARE((m_dialog->chord().dotCells() << QPoint(0, m_dialog->chord().barFretSpace())), (QList<QPoint>{{4, 3}, {0, 3}}));
        QCOMPARE(messages() + gstrNewChordName, saved.last());
        QCOMPARE(files(), saved);
        QCOMPARE(savedPicture(saved.last()), shownPicture());
    }

    // The dialog stays open with everything as it was; Cancel then saves nothing.
    void refuses_data()
    {
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("typedFret");
        QTest::addColumn<QString>("message"); // "Songloom|" stands for the save's own error
        const QString invalid = "Invalid Chord Name|Chord Names cannot include the folowing characters.\n; ~ \\ : ? \" < > |";
        QTest::newRow("blank name") << "    " << "5th Fret" << "No Chord Name|Please enter the Chord Name.";
        for (const char *refused : {";", "~", "\\", ":", "?", "\"", "<", ">", "|"})
            QTest::addRow("name with %s", refused) << QStringLiteral("C%1G").arg(refused) << "" << invalid;
        QTest::newRow("colon in the combo") << "Am" << "5th: Fret" << invalid;
        QTest::newRow("library folder removed") << "Am" << "" << "Songloom|";
    }

    void refuses()
    {
        QFETCH(QString, typedName);
        QFETCH(QString, typedFret);
        QFETCH(QString, message);
        if (message == QStringLiteral("Songloom|")) {
            gstrChordLibPath += QStringLiteral("Gone") + QDir::separator();
            message += ChordFiles::saveChordFile(QImage(), gstrChordLibPath + typedName).message() + "|warning";
        }
        open();
        click({13, 15});
        name()->setText(typedName);
        fret()->setEditText(typedFret);
        press("cmdOK");
        QCOMPARE(messages(), message);
        QCOMPARE(name()->text() + '|' + fret()->currentText(), typedName + '|' + typedFret);
        QVERIFY(m_dialog->isVisible() && m_dialog->chord().dotCount() == 1);
        press("cmdCancel");
        QVERIFY(!m_dialog->isVisible() && gstrNewChordName.isEmpty() && files().isEmpty());
    }

    // Edit chord: the editor opens on the chord read back from its file,
    // with the top text picked from the list (entry 4) or typed; OK saves
    // the chord, changed or not, as a new one beside the old.
    void editsASavedChord()
    {
        for (const auto &[top, entry] : {std::pair{"5th Fret", 4}, {"capo 3", 0}}) {
            ChordBox chord = ChordProDefinition::parse("Am frets 1 3 3 1 1 1").chord;
            const QImage picture = ChordBoxRenderer::DrawChordBox(chord, "Am", top);
            const QString file = ChordFiles::composeDisplayName("Am", top);
            QVERIFY(ChordFiles::saveChordFile(picture, ChordFiles::chordKey(gstrChordLibPath, file)));
            for (bool changed : {false, true}) {
                QString error;
                std::unique_ptr<frmChordBox> editor = chordBoxEditorOn(nullptr, ChordFiles::chordKey(gstrChordLibPath, file), &error);
                QVERIFY2(editor, qPrintable(error));
                open(std::move(editor));
                QCOMPARE(name()->text() + '|' + fret()->currentText() + '|' + QString::number(fret()->currentIndex()),
                         QStringLiteral("Am|%1|%2").arg(top).arg(entry));
                QCOMPARE(shownPicture(), picture);
                if (changed)
                    click({90, 95});
                press("cmdOK");
            }
            QCOMPARE(messages() + gstrNewChordName, file + ";3");
            QCOMPARE(files().filter(file), (QStringList{file, file + ";2", file + ";3"}));
            chord.setDot(4, 4);
            QCOMPARE((QList<QImage>{savedPicture(file), savedPicture(file + ";2"), savedPicture(file + ";3")}),
                     (QList<QImage>{picture, picture, ChordBoxRenderer::DrawChordBox(chord, "Am", top)}));
        }
    }

    // A file that cannot be read back as a chord is refused with a message;
    // the editor does not open and nothing is saved.
    void refusesAChordItCannotRead()
    {
        QFile text(gstrChordLibPath + "Am;2");
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
        text.close();
        gstrNewChordName = "earlier";
        QString error;
        QVERIFY2(!runChordBoxEditorOn(nullptr, gstrChordLibPath + "Am;2", &error) && error.startsWith(QLatin1String("the file cannot be read as a picture")), qPrintable(error));
        QCOMPARE(messages() + gstrNewChordName, QStringLiteral("Chord Cannot Be Edited|The chord \"%1\" cannot be opened in the ChordBox editor:\n%2.")
                                                  .arg(ChordFiles::displayNameOfFile("Am;2"), error));
        QCOMPARE(files(), QStringList{"Am;2"});
    }
};

QTEST_MAIN(tst_frmChordBox)
#include "tst_frmchordbox.moc"
