// The "New ChordBox" editor, empty or on a saved chord, driven as a person
// would, with message boxes answered through the scripted prompt.
#include "chordbox/frmChordBox.h"
#include "library/ChordLibraryFolders.h"

#include "base/Module1.h"
#include "chordbox/ChordBoard.h"
#include "chordbox/ChordBoxCommand.h"
#include "chordbox/ChordBoxRenderer.h"
#include "library/ChordFiles.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
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
    QDir m_library;

    // As the main window opens it: the result cleared, a fresh dialog, which
    // starts with an empty board and empty texts.
    void open()
    {
        gstrNewChordName.clear();
        m_dialog = std::make_unique<frmChordBox>();
        m_dialog->show();
        QCOMPARE(m_dialog->chord().dotCount() + m_dialog->chord().mlngBarY, 0);
        QCOMPARE(name()->text() + fret()->currentText(), QString());
    }
    ChordBoard *board() const { return m_dialog->findChild<ChordBoard *>("picMap"); }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(board(), button, {}, board()->contentsRect().topLeft() + at);
    }
    void press(const char *button) { QTest::mouseClick(m_dialog->findChild<QPushButton *>(button), Qt::LeftButton); }
    // Everything in the library's folder, hidden and half-written files too.
    QStringList files() const { return m_library.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
    QLineEdit *name() const { return m_dialog->findChild<QLineEdit *>("txtChordName"); }
    QComboBox *fret() const { return m_dialog->findChild<QComboBox *>("cboFretNum"); }
    QImage shownPicture() const
    {
        return m_dialog->findChild<QLabel *>("Pic_Image")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        QVERIFY(QDir(m_folder->path()).mkdir("BitMaps"));
        gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(AppPath());
        m_library.setPath(gstrChordLibPath);
        m_prompt = std::make_unique<ScriptedPrompt>();
    }

    void cleanup()
    {
        m_dialog.reset();
        m_prompt.reset();
        m_folder.reset();
    }

    // Drawn at the first showing, with a top fret chosen before it.
    void drawsAtFirstShowing()
    {
        m_dialog = std::make_unique<frmChordBox>();
        fret()->setCurrentIndex(3);
        m_dialog->show();
        QCOMPARE(m_dialog->chordBoxImage(), ChordBoxRenderer::DrawChordBox(ChordBox(), {}, "4th Fret"));
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
        QImage shown;
        for (int i = 0; i < typed.size(); i += 2) {
            open();
            click({90, 70});
            click({60, 120}, Qt::RightButton);
            click({5, 60}, Qt::MiddleButton);
            QTest::keyClicks(name(), typed.at(i));
            fret()->setEditText(typed.at(i + 1));
            shown = shownPicture();
            QCOMPARE(shown, ChordBoxRenderer::DrawChordBox(m_dialog->chord(), typed.at(i), typed.at(i + 1)));
            press("cmdOK");
            QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        }
        // Left a dot, right a bar, middle moves the bar.
        QCOMPARE(m_dialog->chord().dotCells(), (QList<QPoint>{{4, 3}}));
        QCOMPARE(m_dialog->chord().barFretSpace(), 3);
        QVERIFY(m_prompt->messages.isEmpty());
        QCOMPARE(gstrNewChordName, saved.last());
        QCOMPARE(files(), saved);
        QCOMPARE(QImage(gstrChordLibPath + saved.last()).convertToFormat(QImage::Format_RGB32), shown);
    }

    // "message" is title|text; "Songloom|" stands for the save's own error.
    void refuses_data()
    {
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("typedFret");
        QTest::addColumn<QString>("message");
        const QString invalid = "Invalid Chord Name|Chord Names cannot include the folowing characters.\n"
                                "; ~ \\ : ? \" < > |";
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
            const Result failed = ChordFiles::saveChordFile(QImage(), gstrChordLibPath + typedName);
            QVERIFY(!failed);
            message += failed.message();
        }
        open();
        click({13, 15});
        name()->setText(typedName);
        fret()->setEditText(typedFret);
        press("cmdOK");

        QCOMPARE(m_prompt->messages.size(), 1);
        const ScriptedPrompt::Message shown = m_prompt->messages.first();
        QCOMPARE(shown.title + '|' + shown.text, message);
        QCOMPARE(shown.icon, shown.title == "Songloom" ? QMessageBox::Warning : QMessageBox::Information);
        // The dialog stays open with everything as it was, and nothing is written.
        QCOMPARE(name()->text() + '|' + fret()->currentText(), typedName + '|' + typedFret);
        QVERIFY(m_dialog->isVisible() && m_dialog->chord().dotCount() == 1);
        QVERIFY(gstrNewChordName.isEmpty() && files().isEmpty());
    }

    // Help leaves the dialog open; Cancel, the close box and Escape save nothing.
    void helpAndCancelSaveNothing()
    {
        for (int way = 0; way < 3; ++way) {
            open();
            click({13, 15});
            name()->setText("Am");
            press("cmdHelp");
            QVERIFY(m_dialog->isVisible());
            if (way == 0)
                press("cmdCancel");
            else if (way == 1)
                m_dialog->close();
            else
                QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
            QVERIFY(!m_dialog->isVisible() && m_dialog->result() == QDialog::Rejected);
        }
        QCOMPARE(m_prompt->messages.size(), 3);
        QCOMPARE(m_prompt->messages.last().title, QStringLiteral("ChordBox Editor Help"));
        QVERIFY(files().isEmpty() && gstrNewChordName.isEmpty());
    }

    // Edit chord: the editor opens on the chord read back from its file,
    // with the top text picked from the list or typed; OK saves the chord,
    // changed or not, as a new one beside the old.
    void editsASavedChord_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<int>("entry"); // the top-fret list's current entry
        QTest::newRow("list entry") << "5th Fret" << 4;
        QTest::newRow("typed text") << "capo 3" << 0;
    }

    void editsASavedChord()
    {
        QFETCH(QString, top);
        QFETCH(int, entry);
        ChordBox chord;
        chord.setDot(3, 3);
        chord.setDot(2, 3);
        chord.setBar(1);
        const QImage picture = ChordBoxRenderer::DrawChordBox(chord, "Am", top);
        const QString file = ChordFiles::composeDisplayName("Am", top);
        QVERIFY(ChordFiles::saveChordFile(picture, ChordFiles::chordKey(gstrChordLibPath, file)));

        for (bool changed : {false, true}) {
            gstrNewChordName.clear();
            QString error;
            m_dialog = chordBoxEditorOn(nullptr, ChordFiles::chordKey(gstrChordLibPath, file), &error);
            QVERIFY2(m_dialog, qPrintable(error));
            m_dialog->show();
            QCOMPARE(name()->text() + '|' + fret()->currentText() + '|' + QString::number(fret()->currentIndex()),
                     QStringLiteral("Am|%1|%2").arg(top).arg(entry));
            QCOMPARE(shownPicture(), picture);
            if (changed)
                click({90, 95});
            press("cmdOK");
            QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        }
        QVERIFY(m_prompt->messages.isEmpty());
        QCOMPARE(gstrNewChordName, file + ";3");
        QCOMPARE(files(), (QStringList{file, file + ";2", file + ";3"}));
        chord.setDot(4, 4);
        const QList<QImage> expected{picture, picture, ChordBoxRenderer::DrawChordBox(chord, "Am", top)};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(QImage(gstrChordLibPath + files().at(i)).convertToFormat(QImage::Format_RGB32), expected.at(i));
    }

    // A picture that cannot be read back is refused with a message; the
    // editor does not open and nothing is saved.
    void refusesAChordItCannotRead()
    {
        QFile text(gstrChordLibPath + "Am;2");
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
        text.close();
        const QImage big = ChordBoxRenderer::enlarged(ChordBoxRenderer::DrawChordBox(ChordBox(), "C/G", {}), 2);
        QVERIFY(ChordFiles::saveChordFile(big, gstrChordLibPath + "C~G"));
        for (const auto &[file, reason] : {std::pair{"Am;2", "the file cannot be read as a picture"},
                                           {"C~G", "the picture is 80 x 96 pixels"}}) {
            gstrNewChordName = "earlier";
            QString error;
            QVERIFY(!runChordBoxEditorOn(nullptr, gstrChordLibPath + file, &error));
            QVERIFY2(error.startsWith(QLatin1String(reason)), qPrintable(error));
            const ScriptedPrompt::Message shown = m_prompt->messages.takeFirst();
            QCOMPARE(shown.title + '|' + shown.text,
                     QStringLiteral("Chord Cannot Be Edited|The chord \"%1\" cannot be opened in the ChordBox editor:\n%2.")
                         .arg(ChordFiles::displayNameOfFile(file), error));
            QVERIFY(gstrNewChordName.isEmpty() && m_prompt->messages.isEmpty());
        }
        QCOMPARE(files(), (QStringList{"Am;2", "C~G"}));
    }
};

QTEST_MAIN(tst_frmChordBox)
#include "tst_frmchordbox.moc"
