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
    image.setPixel(seed % size.width(), (seed / size.width()) % size.height(), qRgb(0, 0, 0));
    return image;
}

bool writeText(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList texts(const ChordListView *list, bool visibleOnly = false)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row) {
        if (!visibleOnly || !list->item(row)->isHidden())
            result << list->item(row)->text();
    }
    return result;
}

QImage asRgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_ChordListPanel : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<ChordListPanel> m_panel;

    QString library() const { return gstrChordLibPath; }

    bool saveChord(const QString &fileName, const QImage &picture = chordPicture())
    {
        return picture.save(library() + fileName, "BMP");
    }

    ChordListView *list() const { return m_panel->list(); }

    void showPanel()
    {
        m_panel->resize(120, 400);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

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

    void emptyLibraryThenFirstChord()
    {
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        m_panel->LoadBitMaps();
        QCOMPARE(list()->count(), 0);
        QCOMPARE(status.last().first().toString(), QStringLiteral("Chord Library: Default"));

        QVERIFY(saveChord(QStringLiteral("C~G"), chordPicture(7)));
        gstrNewChordName = QStringLiteral("C~G");
        m_panel->LoadNewBitMap();
        QCOMPARE(texts(list()), QStringList{"C/G"});
        QCOMPARE(ChordListView::chordKey(list()->item(0)), library() + "C~G");
        QCOMPARE(asRgb(list()->item(0)->data(ChordListView::ChordPictureRole).value<QImage>()), chordPicture(7));
    }

    // The editor saved a name that is gone, or a file that is no picture:
    // the first adds nothing, the second lists the library again.
    void newChordThatCannotBeAdded()
    {
        QVERIFY(saveChord(QStringLiteral("Am")));
        m_panel->LoadBitMaps();
        gstrNewChordName = QStringLiteral("Gone");
        m_panel->LoadNewBitMap();
        QCOMPARE(texts(list()), QStringList{"Am"});
        QVERIFY(writeText(library() + "Broken", "no picture"));
        QVERIFY(saveChord(QStringLiteral("Bm")));
        gstrNewChordName = QStringLiteral("Broken");
        m_panel->LoadNewBitMap();
        QCOMPARE(texts(list()), (QStringList{"Am", "Bm"}));
        QCOMPARE(m_panel->skippedFileCount(), 1);
    }

    // Alphabetical in any letter case; Am and Am;2 both shown as Am, told
    // apart by their keys; a chord saved later takes its place at once.
    void listOrder()
    {
        for (const char *name : {"G", "am;2", "Am", "C~G", "a 5th Fret", "B7", "Am;3"})
            QVERIFY(saveChord(QString::fromUtf8(name)));
        m_panel->LoadBitMaps();
        QCOMPARE(texts(list()), (QStringList{"a 5th Fret", "Am", "Am", "am", "B7", "C/G", "G"}));
        QCOMPARE(ChordListView::chordKey(list()->item(1)), library() + "Am");
        QCOMPARE(ChordListView::chordKey(list()->item(2)), library() + "Am;3");

        QVERIFY(saveChord(QStringLiteral("Bb")));
        gstrNewChordName = QStringLiteral("Bb");
        m_panel->LoadNewBitMap();
        QCOMPARE(texts(list()), (QStringList{"a 5th Fret", "Am", "Am", "am", "B7", "Bb", "C/G", "G"}));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Bb"));
    }

    // More chords than are read at once: every name at once and in order,
    // the pictures on the event loop, a stray file left out and counted.
    void largeLibraryFillsInPictures()
    {
        constexpr int chords = 450;
        const QImage picture = chordPicture(3);
        for (int i = 0; i < chords; ++i)
            QVERIFY(saveChord(QStringLiteral("Chord %1").arg(i, 3, 10, QLatin1Char('0')), picture));
        QVERIFY(writeText(library() + "zz notes.txt", "no picture"));
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        m_panel->LoadBitMaps();
        QCOMPARE(list()->count(), chords + 1);
        QVERIFY(m_panel->picturesPending());
        showPanel();
        QTRY_VERIFY_WITH_TIMEOUT(!m_panel->picturesPending(), 20000);
        QCOMPARE(list()->count(), chords);
        for (int row = 0; row < chords; ++row) {
            QCOMPARE(list()->item(row)->text(), QStringLiteral("Chord %1").arg(row, 3, 10, QLatin1Char('0')));
            QVERIFY(!list()->item(row)->data(ChordListView::ChordPictureRole).value<QImage>().isNull());
        }
        QCOMPARE(status.last().first().toString(),
                 QStringLiteral("Chord Library: Default (1 file skipped: not a chord picture)"));
    }

    // Files that are no chord pictures do not stop the listing; a picture of
    // another size is shown fitted into the chord's cell.
    void filesThatAreNoChords()
    {
        QVERIFY(saveChord(QStringLiteral("Am")));
        QVERIFY(writeText(library() + "notes.txt", "not a picture"));
        QVERIFY(writeText(library() + "empty", ""));
        QVERIFY(chordPicture(5, QSize(400, 480)).save(library() + "Big", "PNG"));
        QVERIFY(chordPicture(5, QSize(20, 24)).save(library() + "Small", "BMP"));
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        m_panel->LoadBitMaps();
        QCOMPARE(texts(list()), (QStringList{"Am", "Big", "Small"}));
        QCOMPARE(list()->item(1)->data(ChordListView::ChordPictureRole).value<QImage>().size(), QSize(40, 48));
        QCOMPARE(list()->item(2)->data(ChordListView::ChordPictureRole).value<QImage>().size(), QSize(20, 24));
        QCOMPARE(status.last().first().toString(),
                 QStringLiteral("Chord Library: Default (2 files skipped: not chord pictures)"));
        // The drag offers the file's own picture, not the fitted one.
        std::unique_ptr<QMimeData> offered(list()->model()->mimeData({list()->model()->index(1, 0)}));
        QVERIFY(offered && offered->hasImage());
        QCOMPARE(qvariant_cast<QImage>(offered->imageData()).size(), QSize(400, 480));
    }

    void deleteWithNothingSelected()
    {
        QVERIFY(saveChord(QStringLiteral("Am")));
        m_panel->LoadBitMaps();
        showPanel();
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Delete);
        m_panel->Delete();
        QVERIFY(m_prompt->messages.isEmpty());
        QCOMPARE(list()->count(), 1);
    }

    void deleteAnswered_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("No, by the Delete key") << QMessageBox::No << true;
        QTest::newRow("Yes, by the menu") << QMessageBox::Yes << false;
        QTest::newRow("Yes, by the Delete key") << QMessageBox::Yes << true;
    }

    void deleteAnswered()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, byKey);
        QVERIFY(saveChord(QStringLiteral("Am")));
        QVERIFY(saveChord(QStringLiteral("Am;2")));
        m_panel->LoadBitMaps();
        showPanel();
        list()->item(1)->setSelected(true);
        m_prompt->messageAnswers.enqueue(answer);
        if (byKey) {
            list()->setFocus();
            QTest::keyClick(list(), Qt::Key_Delete);
        } else {
            m_panel->Delete();
        }
        QCOMPARE(m_prompt->messages.size(), 1);
        const ScriptedPrompt::Message &asked = m_prompt->messages.first();
        QCOMPARE(asked.text, QStringLiteral("Are you sure you want to delete the selected ChordBox?"));
        QCOMPARE(asked.title, QStringLiteral("Delete ChordBox"));
        QCOMPARE(asked.icon, QMessageBox::Question);
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        const bool deleted = answer == QMessageBox::Yes;
        QCOMPARE(QFile::exists(library() + "Am;2"), !deleted);
        QVERIFY(QFile::exists(library() + "Am"));
        QCOMPARE(list()->count(), deleted ? 1 : 2);
        if (deleted)
            QCOMPARE(ChordListView::chordKey(list()->item(0)), library() + "Am");
    }

    // A chord removed by hand since the listing: the failure is told with
    // the file and the reason, and the list is read again.
    void deleteFails()
    {
        QVERIFY(saveChord(QStringLiteral("Am")));
        QVERIFY(saveChord(QStringLiteral("G")));
        m_panel->LoadBitMaps();
        list()->item(0)->setSelected(true);
        QVERIFY(QFile::remove(library() + "Am"));
        m_prompt->messageAnswers.enqueue(QMessageBox::Yes);
        m_panel->Delete();
        QCOMPARE(m_prompt->messages.size(), 2);
        const ScriptedPrompt::Message &told = m_prompt->messages.last();
        QCOMPARE(told.icon, QMessageBox::Warning);
        QVERIFY2(told.text.startsWith("The ChordBox could not be deleted:\n" + QDir::toNativeSeparators(library() + "Am")
                                      + "\n"),
                 qPrintable(told.text));
        QVERIFY(told.text.section('\n', 2).size() > 0);
        QCOMPARE(texts(list()), QStringList{"G"});
    }

    void popupEnabling_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::newRow("nothing selected") << false;
        QTest::newRow("a chord selected") << true;
    }

    void popupEnabling()
    {
        QFETCH(bool, selected);
        QVERIFY(saveChord(QStringLiteral("Am")));
        m_panel->LoadBitMaps();
        showPanel();
        if (selected)
            list()->item(0)->setSelected(true);
        QMenu menu;
        QAction *edit = menu.addAction("&Edit...");
        QAction *copy = menu.addAction("&Copy");
        QAction *remove = menu.addAction("&Delete");
        menu.addSeparator();
        QAction *libraries = menu.addAction("&Libraries");
        const QPoint click(30, 57);
        m_panel->showPopupMenu(&menu, {edit, copy, remove}, click);
        QVERIFY(menu.isVisible());
        QCOMPARE(edit->isEnabled(), selected);
        QCOMPARE(copy->isEnabled(), selected);
        QCOMPARE(remove->isEnabled(), selected);
        QVERIFY(libraries->isEnabled());
        // At the list's left edge, at the height of the click.
        QCOMPARE(menu.pos().x(), list()->mapToGlobal(QPoint(0, 0)).x());
        QCOMPARE(menu.pos().y(), list()->viewport()->mapToGlobal(click).y());
        menu.hide();
    }

    // The copy and the drag offer the chord file's picture.
    void copyAndDragOfferThePicture()
    {
        QVERIFY(saveChord(QStringLiteral("Am"), chordPicture(77)));
        m_panel->LoadBitMaps();
        std::unique_ptr<QMimeData> offered(list()->model()->mimeData({list()->model()->index(0, 0)}));
        QVERIFY(offered && offered->hasImage());
        QCOMPARE(asRgb(qvariant_cast<QImage>(offered->imageData())), chordPicture(77));
        QCOMPARE(list()->model()->supportedDragActions(), Qt::CopyAction);

        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        m_panel->Copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        list()->item(0)->setSelected(true);
        m_panel->Copy();
        QCOMPARE(asRgb(QGuiApplication::clipboard()->image()), chordPicture(77));
        QVERIFY(m_prompt->messages.isEmpty());

        // A chord removed by hand is told, not copied.
        QVERIFY(QFile::remove(library() + "Am"));
        m_panel->Copy();
        QCOMPARE(m_prompt->messages.size(), 1);
        QCOMPARE(m_prompt->messages.first().title, QStringLiteral("Copy ChordBox"));
        std::unique_ptr<QMimeData> none(list()->model()->mimeData({list()->model()->index(0, 0)}));
        QVERIFY(!none);
    }

    void editRequested()
    {
        QVERIFY(saveChord(QStringLiteral("Am")));
        m_panel->LoadBitMaps();
        showPanel();
        QSignalSpy requested(m_panel.get(), &ChordListPanel::editChordRequested);
        m_panel->Edit();
        QCOMPARE(requested.count(), 0);
        const QRect cell = list()->visualItemRect(list()->item(0));
        // As a mouse sends it: a click, then the double click.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(requested.count(), 1);
        m_panel->Edit();
        QCOMPARE(requested.count(), 2);
        QCOMPARE(requested.last().first().toString(), library() + "Am");
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
        QVERIFY(saveChord(QStringLiteral("Am")));
        m_panel->LoadBitMaps();
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        // Added by hand: shows only when the list is read again.
        QVERIFY(saveChord(QStringLiteral("G")));
        m_panel->Libraries();
        frmLibrary *chooser = m_panel->chooser();
        QVERIFY(chooser && chooser->isVisible());
        QVERIFY(chooser->isModal());
        chooser->findChild<QComboBox *>("cboChordLibs")->setEditText(typed);
        chooser->findChild<QPushButton *>(ok ? "cmdOK" : "cmdCancel")->click();
        QTRY_VERIFY(!m_panel->chooser());
        QCOMPARE(status.isEmpty(), !relisted);
        if (relisted) {
            QCOMPARE(status.last().first().toString(), QStringLiteral("Chord Library: Folk"));
            QCOMPARE(list()->count(), 0);
        } else {
            QCOMPARE(texts(list()), QStringList{"Am"});
        }
    }

    void filter()
    {
        for (const char *name : {"Am", "C~G", "Em", "G", "Gm7", "D"})
            QVERIFY(saveChord(QString::fromUtf8(name)));
        m_panel->LoadBitMaps();
        showPanel();
        list()->item(2)->setSelected(true); // D
        QLineEdit *box = m_panel->filterBox();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("M"));
        QCOMPARE(texts(list(), true), (QStringList{"Am", "Em", "Gm7"}));
        // The chord the filter hid is no longer selected, so Delete asks nothing.
        QVERIFY(!m_panel->hasSelectedChord());
        QTest::keyClicks(box, QStringLiteral("7"));
        QCOMPARE(texts(list(), true), QStringList{"Gm7"});
        // A chord saved while the filter is in use shows only if it matches.
        QVERIFY(saveChord(QStringLiteral("Bm7")));
        QVERIFY(saveChord(QStringLiteral("B")));
        for (const char *name : {"Bm7", "B"}) {
            gstrNewChordName = QString::fromUtf8(name);
            m_panel->LoadNewBitMap();
        }
        QCOMPARE(texts(list(), true), (QStringList{"Bm7", "Gm7"}));
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(texts(list(), true), (QStringList{"Am", "B", "Bm7", "C/G", "D", "Em", "G", "Gm7"}));
    }
};

QTEST_MAIN(tst_ChordListPanel)
#include "tst_chordlistpanel.moc"
