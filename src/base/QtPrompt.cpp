#include "base/QtPrompt.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// A prompt waits for the user: the busy cursor of a long step must not
// stand over it. Restored when the prompt closes.
class PromptCursor
{
public:
    PromptCursor() : m_lifted(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_lifted)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~PromptCursor()
    {
        if (m_lifted)
            QGuiApplication::restoreOverrideCursor();
    }
    PromptCursor(const PromptCursor &) = delete;
    PromptCursor &operator=(const PromptCursor &) = delete;

private:
    bool m_lifted;
};

} // namespace

QMessageBox::StandardButton QtPrompt::message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                              const QString &text, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    const PromptCursor cursor;
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QString QtPrompt::openFileName(QWidget *parent, const QString &title, const QString &folder,
                               const QString &filter)
{
    const PromptCursor cursor;
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

namespace {

// "Plain Text (*.txt)" gives "txt"; an entry without one pattern gives "".
QString suffixOf(const QString &filterEntry)
{
    const qsizetype star = filterEntry.indexOf(QLatin1String("(*."));
    const qsizetype close = filterEntry.indexOf(QLatin1Char(')'), star);
    if (star < 0 || close < 0)
        return {};
    const QString suffix = filterEntry.mid(star + 3, close - star - 3);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char(' ')) ? QString() : suffix;
}

} // namespace

QString QtPrompt::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                               const QString &filter, QString *selectedFilter)
{
    const PromptCursor cursor;
    QFileDialog dialog(parent, title, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks before replacing a file, in the program's own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The proposed name's type picks the entry; a name typed without an
    // extension gets the chosen entry's.
    const QString proposedSuffix = QFileInfo(proposedPath).suffix().toLower();
    for (const QString &entry : dialog.nameFilters()) {
        if (!proposedSuffix.isEmpty() && suffixOf(entry) == proposedSuffix) {
            dialog.selectNameFilter(entry);
            break;
        }
    }
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &entry) { dialog.setDefaultSuffix(suffixOf(entry)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

std::optional<QFont> QtPrompt::font(QWidget *parent, const QString &title, const QFont &initial)
{
    const PromptCursor cursor;
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parent, title);
    if (!accepted)
        return std::nullopt;
    return chosen;
}

bool QtPrompt::pageSetup(QWidget *parent, QPrinter *printer)
{
    const PromptCursor cursor;
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompt::print(QWidget *parent, QPrinter *printer, bool hasSelection)
{
    const PromptCursor cursor;
    QPrintDialog dialog(printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrompt::printPreview(QWidget *parent, QPrinter *printer, const std::function<void(QPrinter *)> &paint)
{
    const PromptCursor cursor;
    QPrintPreviewDialog dialog(printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}
