// The chord list: listing, saved chords, order, Delete, Copy and drag, the
// pop-up, the library chooser's effect, files that are no pictures, the filter.
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "library/ChordLibraryFolders.h"
#include "library/ChordListPanel.h"
#include "library/ChordListView.h"
#include "library/frmLibrary.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
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
    void listChords(const QStringList &names)
    {
        for (const QString &name : names)
            QVERIFY(chordPicture().save(gstrChordLibPath + name, "BMP"));
        m_panel->LoadBitMaps();
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
    QString texts(bool visibleOnly = false) const
    {
        QStringList result;
        for (int row = 0; row < list()->count(); ++row)
            if (!visibleOnly || !list()->item(row)->isHidden())
                result << list()->item(row)->text();
        return result.join(',');
    }
    QMimeData *dragOf(int row) const { return list()->model()->mimeData({list()->model()->index(row, 0)}); }
    QString key(int row) const { return ChordListView::chordKey(list()->item(row)).remove(gstrChordLibPath); }

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

    void cleanup() { m_panel.reset(); m_prompt.reset(); m_folder.reset(); }

    // Empty, then the first chord saved; a name that is gone adds nothing.
    // Alphabetical in any letter case; Am and Am;3 both shown as Am, told
    // apart by their keys; a chord saved later takes its place at once.
    // Files that are no chord pictures, also one saved under a chord's name,
    // are left out and counted in the status text; another size is fitted
    // into the cell while the drag offers the file's own picture.
    void listing()
    {
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        listChords({});
        QCOMPARE(QString::number(list()->count()) + '|' + status.last().first().toString(), "0|Chord Library: Default");
        addSaved(QStringLiteral("C~G"), chordPicture(7));
        addSaved(QStringLiteral("Gone"), {});
        QCOMPARE(texts() + '|' + key(0), QStringLiteral("C/G|C~G"));
        QCOMPARE(rgb(list()->item(0)->data(ChordListView::ChordPictureRole)), chordPicture(7));
        QFile notes(gstrChordLibPath + "notes.txt");
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
        QVERIFY(QFile(gstrChordLibPath + "empty").open(QIODevice::WriteOnly));
        QVERIFY(chordPicture(5, QSize(400, 480)).save(gstrChordLibPath + "Big", "PNG"));
        listChords({"am;2", "Am", "Am;3", "G"});
        addSaved(QStringLiteral("Bb"));
        QCOMPARE(texts() + '|' + key(1) + '|' + list()->currentItem()->text(), "Am,Am,am,Bb,Big,C/G,G|Am;3|Bb");
        QVERIFY(QFile(gstrChordLibPath + "Broken").open(QIODevice::WriteOnly));
        addSaved(QStringLiteral("Broken"), {});
        QTRY_VERIFY(!m_panel->picturesPending());
        QCOMPARE(status.last().first().toString(), "Chord Library: Default (3 files skipped: not chord pictures)");
        QCOMPARE(qvariant_cast<QImage>(list()->item(4)->data(ChordListView::ChordPictureRole)).size(), QSize(40, 48));
        QCOMPARE(qvariant_cast<QImage>(std::unique_ptr<QMimeData>(dragOf(4))->imageData()).size(), QSize(400, 480));
    }

    // Delete asks, and only the selected Am;2 goes; No leaves file and list.
    // A chord removed by hand since the listing: the failure is told with the
    // file and the reason, and the list is read again.
    void deleteAnswered_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("left"); // files|list count and first key|failure
        QTest::newRow("No, by the Delete key") << QMessageBox::No << "Am,Am;2|2 Am|";
        QTest::newRow("Yes, by the menu") << QMessageBox::Yes << "Am|1 Am|";
        QTest::newRow("Yes, removed by hand") << QMessageBox::Yes << "Am|1 Am|The ChordBox could not be deleted:\nAm;2";
    }

    void deleteAnswered()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        listChords({"Am", "Am;2"});
        list()->item(1)->setSelected(true);
        QVERIFY(!QByteArray(QTest::currentDataTag()).endsWith("by hand") || QFile::remove(gstrChordLibPath + "Am;2"));
        m_prompt->messageAnswers.enqueue(answer);
        list()->setFocus();
        answer == QMessageBox::No ? QTest::keyClick(list(), Qt::Key_Delete) : m_panel->Delete();
        const ScriptedPrompt::Message &asked = m_prompt->messages.first();
        QCOMPARE(asked.title + '|' + asked.text, "Delete ChordBox|Are you sure you want to delete the selected ChordBox?");
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        const QString told = m_prompt->messages.size() == 1 ? "" : m_prompt->messages.last().text.remove(QDir::toNativeSeparators(gstrChordLibPath));
        QVERIFY2(told.isEmpty() || !told.section('\n', 2).isEmpty(), qPrintable(told)); // the reason follows
        QTEST(QDir(gstrChordLibPath).entryList(QDir::Files).join(',') + '|' + QString::number(list()->count()) + ' ' + key(0) + '|'
                  + told.section('\n', 0, 1), "left");
    }

    // With nothing selected Delete, Copy and Edit do nothing and the pop-up's chord
    // items are disabled. Copy and the drag offer the chord file's picture, only to
    // copy; a chord removed by hand is told, not copied.
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
            QCOMPARE(QList<bool>({menu.isVisible(), edit->isEnabled(), libraries->isEnabled()}), QList<bool>({true, selected, true}));
            menu.hide();
            list()->setFocus();
            QTest::keyClick(list(), Qt::Key_Delete);
            m_panel->Delete();
            m_panel->Copy();
            m_panel->Edit();
            QCOMPARE(QGuiApplication::clipboard()->mimeData()->hasImage(), selected);
        }
        QCOMPARE(m_prompt->messages.size() * 10 + editRequests.count(), 21); // the two deletes, one edit with Am selected
        QCOMPARE(editRequests.last().first().toString(), gstrChordLibPath + "Am");
        QCOMPARE((QList<QImage>{rgb(QGuiApplication::clipboard()->image()), rgb(std::unique_ptr<QMimeData>(dragOf(0))->imageData())}),
                 (QList<QImage>{chordPicture(77), chordPicture(77)}));
        QCOMPARE(list()->model()->supportedDragActions(), Qt::CopyAction);
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
        QTest::addColumn<QString>("shown"); // list|status
        QTest::newRow("Cancel after typing") << "Folk" << "Am|";
        QTest::newRow("the current library") << "Default" << "Am|";
        QTest::newRow("another library") << "Folk" << "|Chord Library: Folk";
    }

    void librariesRelistOnlyOnChange()
    {
        QFETCH(QString, typed);
        listChords({"Am"});
        QSignalSpy status(m_panel.get(), &ChordListPanel::statusChanged);
        // Added by hand: shows only when the list is read again.
        QVERIFY(chordPicture().save(gstrChordLibPath + "G", "BMP"));
        m_panel->Libraries();
        frmLibrary *chooser = m_panel->chooser();
        QVERIFY(chooser && chooser->isVisible() && chooser->isModal());
        chooser->findChild<QComboBox *>("cboChordLibs")->setEditText(typed);
        chooser->findChild<QPushButton *>(QTest::currentDataTag()[0] == 'C' ? "cmdCancel" : "cmdOK")->click();
        QTRY_VERIFY(!m_panel->chooser());
        QTEST(texts() + '|' + (status.isEmpty() ? QString() : status.last().first().toString()), "shown");
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
        QCOMPARE(texts(true) + (m_panel->hasSelectedChord() ? "|selected" : ""), QStringLiteral("Am,Gm7"));
        QTest::keyClicks(box, QStringLiteral("7"));
        addSaved(QStringLiteral("Bm7"));
        addSaved(QStringLiteral("B"));
        QCOMPARE(texts(true), QStringLiteral("Bm7,Gm7"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(texts(true), QStringLiteral("Am,B,Bm7,C/G,D,Gm7"));
    }
};

QTEST_MAIN(tst_ChordListPanel)
#include "tst_chordlistpanel.moc"
