#include "base/QtPrompt.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

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

QString QtPrompt::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                               const QString &filter)
{
    const PromptCursor cursor;
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
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
