#include "library/ChordListPanel.h"

#include "base/Module1.h"
#include "base/Prompt.h"
#include "library/ChordFiles.h"
#include "library/ChordListView.h"
#include "library/ChordThumbnails.h"
#include "library/frmLibrary.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// Pictures read at once when a library is listed: more than a screenful, so
// the list shows its pictures from the first moment.
constexpr qsizetype picturesReadAtOnce = 100;
// How long one run of reading pictures may hold the event loop.
constexpr qint64 pictureRunMilliseconds = 8;

// Benchmarks set this to learn when the list first shows and when its last
// picture is in.
const char *const reportTimesVariable = "SONGLOOM_REPORT_LIST_TIMES";

void reportTime(const char *what)
{
    if (!qEnvironmentVariableIsSet(reportTimesVariable))
        return;
    std::printf("%s %lld\n", what, static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    std::fflush(stdout);
}

} // namespace

ChordListPanel::ChordListPanel(QWidget *parent)
    : QWidget(parent), txtFilter(new QLineEdit(this)), ListView1(new ChordListView(this))
{
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(QStringLiteral("Filter"));
    txtFilter->setToolTip(QStringLiteral("Show only the chords whose name contains this text (Esc clears it)"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->installEventFilter(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(txtFilter);
    layout->addWidget(ListView1);

    m_pictureTimer.setSingleShot(true);
    m_pictureTimer.setInterval(0);
    connect(&m_pictureTimer, &QTimer::timeout, this, &ChordListPanel::readPendingPictures);
    connect(txtFilter, &QLineEdit::textChanged, ListView1, &ChordListView::setFilterText);
    connect(ListView1, &ChordListView::deletePressed, this, &ChordListPanel::Delete);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        emit editChordRequested(ChordListView::chordKey(item));
    });
}

void ChordListPanel::LoadBitMaps()
{
    m_pictureTimer.stop();
    m_pendingPictures.clear();
    m_nextPending = 0;
    m_skippedFiles = 0;
    ListView1->clear();

    QList<ChordListView::Chord> chords;
    for (const QString &fileName : ChordFiles::listChordFiles(gstrChordLibPath))
        chords.append({ChordFiles::chordKey(gstrChordLibPath, fileName), ChordFiles::displayNameOfFile(fileName)});
    ListView1->addChords(std::move(chords));

    m_pendingPictures.reserve(ListView1->count());
    for (int row = 0; row < ListView1->count(); ++row)
        m_pendingPictures.append(ListView1->item(row));
    // The first screenful now, the rest once the list shows: at start-up
    // the window comes first.
    while (m_nextPending < m_pendingPictures.size() && m_nextPending < picturesReadAtOnce)
        readPicture(m_pendingPictures[m_nextPending++]);
    if (picturesPending()) {
        if (m_painted)
            m_pictureTimer.start();
    } else {
        m_pendingPictures.clear();
        reportTime("pictures");
    }
    writeStatus();
}

void ChordListPanel::readPendingPictures()
{
    QElapsedTimer run;
    run.start();
    const int skippedBefore = m_skippedFiles;
    while (m_nextPending < m_pendingPictures.size() && run.elapsed() < pictureRunMilliseconds)
        readPicture(m_pendingPictures[m_nextPending++]);
    if (m_skippedFiles != skippedBefore)
        writeStatus();
    if (picturesPending()) {
        m_pictureTimer.start();
        return;
    }
    m_pendingPictures.clear();
    m_nextPending = 0;
    reportTime("pictures");
}

bool ChordListPanel::readPicture(QListWidgetItem *item)
{
    const ChordThumbnails::Thumbnail thumbnail = ChordThumbnails::read(ChordListView::chordKey(item));
    if (thumbnail.outcome == ChordThumbnails::Thumbnail::Outcome::Picture) {
        ChordListView::setPicture(item, thumbnail.image);
        return true;
    }
    // A file that shows no chord cannot be dragged, copied or edited.
    ++m_skippedFiles;
    delete item;
    return false;
}

bool ChordListPanel::picturesPending() const
{
    return m_nextPending < m_pendingPictures.size();
}

void ChordListPanel::writeStatus()
{
    QString text = QStringLiteral("Chord Library: ") + gstrChordLibName;
    if (m_skippedFiles == 1)
        text += QStringLiteral(" (1 file skipped: not a chord picture)");
    else if (m_skippedFiles > 1)
        text += QStringLiteral(" (%1 files skipped: not chord pictures)").arg(m_skippedFiles);
    emit statusChanged(text);
}

void ChordListPanel::LoadNewBitMap()
{
    const QString key = ChordFiles::chordKey(gstrChordLibPath, gstrNewChordName);
    const QFileInfo file(key);
    // A chord gone before it could be listed is simply not added.
    if (gstrNewChordName.isEmpty() || !file.isFile() || file.fileName() != gstrNewChordName)
        return;
    const ChordThumbnails::Thumbnail thumbnail = ChordThumbnails::read(key);
    if (thumbnail.outcome != ChordThumbnails::Thumbnail::Outcome::Picture) {
        LoadBitMaps();
        return;
    }
    QListWidgetItem *item = ListView1->findChord(key);
    if (item)
        ChordListView::setPicture(item, thumbnail.image);
    else
        item = ListView1->addChord(key, ChordFiles::displayNameOfFile(gstrNewChordName), thumbnail.image);
    if (!item->isHidden()) {
        ListView1->setCurrentItem(item);
        ListView1->scrollToItem(item);
    }
}

bool ChordListPanel::hasSelectedChord() const
{
    return ListView1->selectedChord() != nullptr;
}

void ChordListPanel::Edit()
{
    if (const QListWidgetItem *item = ListView1->selectedChord())
        emit editChordRequested(ChordListView::chordKey(item));
}

void ChordListPanel::Copy()
{
    const QListWidgetItem *item = ListView1->selectedChord();
    if (!item)
        return;
    const QString key = ChordListView::chordKey(item);
    QString reason;
    const QImage picture = ChordThumbnails::readPicture(key, &reason);
    if (picture.isNull()) {
        prompt().message(this, QMessageBox::Warning, QStringLiteral("Copy ChordBox"),
                         QStringLiteral("The ChordBox could not be copied:\n%1\n%2")
                             .arg(QDir::toNativeSeparators(key), reason));
        return;
    }
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(picture);
}

void ChordListPanel::Delete()
{
    const QListWidgetItem *item = ListView1->selectedChord();
    if (!item)
        return;
    const QString key = ChordListView::chordKey(item);
    if (prompt().message(this, QMessageBox::Question, QStringLiteral("Delete ChordBox"),
                         QStringLiteral("Are you sure you want to delete the selected ChordBox?"),
                         QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (const Result deleted = ChordFiles::deleteChordFile(key); !deleted) {
        prompt().message(this, QMessageBox::Warning, QStringLiteral("Delete ChordBox"),
                         QStringLiteral("The ChordBox could not be deleted:\n%1\n%2")
                             .arg(QDir::toNativeSeparators(key), deleted.description()));
    }
    // The window repaints after the question before the library is read.
    QCoreApplication::processEvents();
    LoadBitMaps();
}

void ChordListPanel::Libraries()
{
    if (m_chooser) {
        m_chooser->raise();
        m_chooser->activateWindow();
        return;
    }
    const QString before = gstrChordLibPath;
    auto *chooser = new frmLibrary(window());
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setWindowModality(Qt::ApplicationModal);
    connect(chooser, &QDialog::finished, this, [this, before] {
        if (gstrChordLibPath != before)
            LoadBitMaps();
    });
    m_chooser = chooser;
    chooser->show();
}

void ChordListPanel::showPopupMenu(QMenu *menu, const QList<QAction *> &chordItems, const QPoint &viewportPos)
{
    const bool selected = hasSelectedChord();
    for (QAction *item : chordItems)
        item->setEnabled(selected);
    const int left = ListView1->mapToGlobal(QPoint(0, 0)).x();
    const int top = ListView1->viewport()->mapToGlobal(viewportPos).y();
    menu->popup(QPoint(left, top));
}

bool ChordListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtFilter && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !txtFilter->text().isEmpty()) {
        txtFilter->clear();
        if (QListWidgetItem *item = ListView1->selectedChord())
            ListView1->scrollToItem(item);
        return true;
    }
    if (watched == ListView1->viewport() && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        reportTime("shown");
        if (picturesPending())
            m_pictureTimer.start();
    }
    return QWidget::eventFilter(watched, event);
}
