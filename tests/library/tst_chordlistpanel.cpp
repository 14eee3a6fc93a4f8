// The chord list: listing, adding a saved chord, order, Delete, Copy and
// drag, the pop-up's enabling, the library chooser's effect, files that are
// no chord pictures, and the filter box.
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "library/ChordLibraryFolders.h"
#include "library/ChordListPanel.h"
#include "library/ChordListView.h"
#include "library/frmLibrary.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A chord picture that differs by seed, as the editor saves it.
QImage chordPicture(int seed = 0, QSize size = QSize(40, 48))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(seed % size.width(), 0, qRgb(0, 0, 0));
    return image;
}

QImage rgb(const QVariant &image) { return qvariant_cast<QImage>(image).convertToFormat(QImage::Format_RGB32); }

} // namespace

class tst_ChordListPanel : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<ChordListPanel> m_panel;

    ChordListView *list() const { return m_panel->list(); }
    // Saves the chords and lists the library; shown, the pictures fill in.
    void listChords(const QStringList &names, bool show = true)
    {
        for (const QString &name : names)
            QVERIFY(chordPicture().save(gstrChordLibPath + name, "BMP"));
        m_panel->LoadBitMaps();
        if (show)
            showPanel();
    }
    void showPanel()
    {
        m_panel->resize(120, 400);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }
    // The editor has just saved the chord.
    void addSaved(const QString &name, const QImage &picture = chordPicture())
    {
        QVERIFY(picture.isNull() || picture.save(gstrChordLibPath + name, "BMP"));
        gstrNewChordName = name;
        m_panel->LoadNewBitMap();
    }
    QStringList texts(bool visibleOnly = false) const
    {
        QStringList result;
        for (int row = 0; row < list()->count(); ++row) {
            if (!visibleOnly || !list()->item(row)->isHidden())
                result << list()->item(row)->text();
        }
        return result;
    }
    QMimeData *dragOf(int row) const { return list()->model()->mimeData({list()->model()->index(row, 0)}); }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_prompt = std::make_unique<ScriptedPrompt>();
        gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());
        gstrChordLibName = QStringLiteral("Default");
        QVERIFY(ChordLibraryFolders::ensureLibraryFolders(DataFolders::DataPath(), gstrChordLibPath));
        m_panel = std::make_unique<ChordListPanel>();
    }

    void cleanup()
    {
        m_panel.reset();
        m_prompt.reset();
        m_folder.reset();
    }

    // Empty, then the first chord saved; a name that is gone adds nothing,
    // a file that is no picture lists the library again. Alphabetical in
    // any letter case; Am and Am;3 both shown as Am, told apart by their
    // keys; a chord saved later takes its place at once.
    void listingAndSavedChords()
    {
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        listChords({}, false);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(status.last().first().toString(), QStringLiteral("Chord Library: Default"));
        addSaved(QStringLiteral("C~G"), chordPicture(7));
        QCOMPARE(texts(), QStringList{"C/G"});
        QCOMPARE(ChordListView::chordKey(list()->item(0)), gstrChordLibPath + "C~G");
        QCOMPARE(rgb(list()->item(0)->data(ChordListView::ChordPictureRole)), chordPicture(7));
        addSaved(QStringLiteral("Gone"), {});
        QCOMPARE(texts(), QStringList{"C/G"});
        listChords({"am;2", "Am", "Am;3"}, false);
        QVERIFY(QFile(gstrChordLibPath + "Broken").open(QIODevice::WriteOnly));
        QVERIFY(chordPicture().save(gstrChordLibPath + "G", "BMP"));
        addSaved(QStringLiteral("Broken"), {});
        QCOMPARE(m_panel->skippedFileCount(), 1);
        addSaved(QStringLiteral("Bb"));
        QCOMPARE(texts(), (QStringList{"Am", "Am", "am", "Bb", "C/G", "G"}));
        QCOMPARE(ChordListView::chordKey(list()->item(1)), gstrChordLibPath + "Am;3");
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Bb"));
    }

    // More chords than are read at once, and files that are no chord
    // pictures: every name at once, the pictures on the event loop, the
    // strays left out and counted, another size fitted into the cell while
    // the drag offers the file's own picture.
    void largeLibraryAndFilesThatAreNoChords()
    {
        QStringList chords;
        for (int i = 0; i < 150; ++i)
            chords << QStringLiteral("Chord %1").arg(i, 3, 10, QLatin1Char('0'));
        QFile notes(gstrChordLibPath + "zz notes.txt");
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
        QVERIFY(QFile(gstrChordLibPath + "empty").open(QIODevice::WriteOnly));
        QVERIFY(chordPicture(5, QSize(400, 480)).save(gstrChordLibPath + "Big", "PNG"));
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        listChords(chords, false);
        QCOMPARE(list()->count(), chords.size() + 3);
        QVERIFY(m_panel->picturesPending());
        showPanel();
        QTRY_VERIFY_WITH_TIMEOUT(!m_panel->picturesPending(), 20000);
        QCOMPARE(texts(), QStringList{"Big"} + chords);
        for (int row = 0; row < list()->count(); ++row)
            QCOMPARE(qvariant_cast<QImage>(list()->item(row)->data(ChordListView::ChordPictureRole)).size(), QSize(40, 48));
        QCOMPARE(status.last().first().toString(),
                 QStringLiteral("Chord Library: Default (2 files skipped: not chord pictures)"));
        std::unique_ptr<QMimeData> offered(dragOf(0));
        QCOMPARE(qvariant_cast<QImage>(offered->imageData()).size(), QSize(400, 480));
    }

    // Delete asks, and only the selected Am;2 goes. A chord removed by hand
    // since the listing: the failure is told with the file and the reason,
    // and the list is read again.
    void deleteAnswered_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("removedByHand");
        QTest::newRow("No, by the Delete key") << QMessageBox::No << true << false;
        QTest::newRow("Yes, by the menu") << QMessageBox::Yes << false << false;
        QTest::newRow("Yes, removed by hand") << QMessageBox::Yes << false << true;
    }

    void deleteAnswered()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, byKey);
        QFETCH(bool, removedByHand);
        listChords({"Am", "Am;2"});
        list()->item(1)->setSelected(true);
        QVERIFY(!removedByHand || QFile::remove(gstrChordLibPath + "Am;2"));
        m_prompt->messageAnswers.enqueue(answer);
        list()->setFocus();
        if (byKey)
            QTest::keyClick(list(), Qt::Key_Delete);
        else
            m_panel->Delete();
        QCOMPARE(m_prompt->messages.size(), removedByHand ? 2 : 1);
        const ScriptedPrompt::Message &asked = m_prompt->messages.first();
        QCOMPARE(asked.title + '|' + asked.text, "Delete ChordBox|Are you sure you want to delete the selected ChordBox?");
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        const bool deleted = answer == QMessageBox::Yes;
        QCOMPARE(QDir(gstrChordLibPath).entryList(QDir::Files), deleted ? QStringList{"Am"} : QStringList({"Am", "Am;2"}));
        QCOMPARE(list()->count(), deleted ? 1 : 2);
        QCOMPARE(ChordListView::chordKey(list()->item(0)), gstrChordLibPath + "Am");
        if (removedByHand) {
            const ScriptedPrompt::Message &told = m_prompt->messages.last();
            const QString start = "The ChordBox could not be deleted:\n" + QDir::toNativeSeparators(gstrChordLibPath + "Am;2") + "\n";
            QVERIFY2(told.icon == QMessageBox::Warning && told.text.startsWith(start) && told.text.size() > start.size(),
                     qPrintable(told.text));
        }
    }

    // With nothing selected Delete, Copy and Edit do nothing and the pop-up
    // items that act on a chord are disabled. Copy and the drag offer the
    // chord file's picture, a double click asks to edit it, and a chord
    // removed by hand is told, not copied.
    void commandsOnTheSelectedChord()
    {
        listChords({});
        addSaved(QStringLiteral("Am"), chordPicture(77));
        QSignalSpy editRequests(m_panel.get(), &ChordListPanel::editChordRequested);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        m_prompt->messageAnswers << QMessageBox::No << QMessageBox::No;
        for (bool selected : {false, true}) {
            list()->item(0)->setSelected(selected);
            QMenu menu;
            QAction *edit = menu.addAction("&Edit...");
            QAction *libraries = menu.addAction("&Libraries");
            m_panel->showPopupMenu(&menu, {edit}, QPoint(30, 57));
            QCOMPARE(QList<bool>({menu.isVisible(), edit->isEnabled(), libraries->isEnabled()}),
                     QList<bool>({true, selected, true}));
            QCOMPARE(menu.pos(), QPoint(list()->mapToGlobal(QPoint(0, 0)).x(), list()->viewport()->mapToGlobal(QPoint(30, 57)).y()));
            menu.hide();
            list()->setFocus();
            QTest::keyClick(list(), Qt::Key_Delete);
            m_panel->Delete();
            m_panel->Copy();
            m_panel->Edit();
            QCOMPARE(QGuiApplication::clipboard()->mimeData()->hasImage(), selected);
        }
        QCOMPARE(m_prompt->messages.size(), 2); // the two deletes with Am selected
        QCOMPARE(editRequests.count(), 1);
        QCOMPARE(rgb(QGuiApplication::clipboard()->image()), chordPicture(77));
        std::unique_ptr<QMimeData> offered(dragOf(0));
        QCOMPARE(rgb(offered->imageData()), chordPicture(77));
        QCOMPARE(list()->model()->supportedDragActions(), Qt::CopyAction);
        const QPoint cell = list()->visualItemRect(list()->item(0)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(editRequests.count(), 2);
        QCOMPARE(editRequests.last().first().toString(), gstrChordLibPath + "Am");
        QVERIFY(QFile::remove(gstrChordLibPath + "Am"));
        m_panel->Copy();
        QCOMPARE(m_prompt->messages.last().title, QStringLiteral("Copy ChordBox"));
        QVERIFY(!std::unique_ptr<QMimeData>(dragOf(0)));
    }

    // Cancel and the current library leave the list as it was read; another
    // library is listed and named in the status text.
    void librariesRelistOnlyOnChange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("relisted");
        QTest::newRow("Cancel after typing") << "Folk" << false << false;
        QTest::newRow("the current library") << "Default" << true << false;
        QTest::newRow("another library") << "Folk" << true << true;
    }

    void librariesRelistOnlyOnChange()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(bool, relisted);
        listChords({"Am"}, false);
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        // Added by hand: shows only when the list is read again.
        QVERIFY(chordPicture().save(gstrChordLibPath + "G", "BMP"));
        m_panel->Libraries();
        frmLibrary *chooser = m_panel->chooser();
        QVERIFY(chooser && chooser->isVisible() && chooser->isModal());
        chooser->findChild<QComboBox *>("cboChordLibs")->setEditText(typed);
        chooser->findChild<QPushButton *>(ok ? "cmdOK" : "cmdCancel")->click();
        QTRY_VERIFY(!m_panel->chooser());
        QCOMPARE(status.isEmpty(), !relisted);
        QCOMPARE(texts(), relisted ? QStringList{} : QStringList{"Am"});
        if (relisted)
            QCOMPARE(status.last().first().toString(), QStringLiteral("Chord Library: Folk"));
    }

    // The filter hides and unselects; a chord saved meanwhile shows only if
    // it matches; Escape clears it.
    void filter()
    {
        listChords({"Am", "C~G", "D", "Gm7"});
        list()->item(2)->setSelected(true); // D
        QLineEdit *box = m_panel->filterBox();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("M"));
        QCOMPARE(texts(true), (QStringList{"Am", "Gm7"}));
        QVERIFY(!m_panel->hasSelectedChord());
        QTest::keyClicks(box, QStringLiteral("7"));
        addSaved(QStringLiteral("Bm7"));
        addSaved(QStringLiteral("B"));
        QCOMPARE(texts(true), (QStringList{"Bm7", "Gm7"}));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(texts(true), (QStringList{"Am", "B", "Bm7", "C/G", "D", "Gm7"}));
    }
};

QTEST_MAIN(tst_ChordListPanel)
#include "tst_chordlistpanel.moc"
