#include "base/QtPrompt.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

QMessageBox::StandardButton QtPrompt::message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                              const QString &text, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QString QtPrompt::openFileName(QWidget *parent, const QString &title, const QString &folder,
                               const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtPrompt::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                               const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
}

std::optional<QFont> QtPrompt::font(QWidget *parent, const QString &title, const QFont &initial)
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parent, title);
    if (!accepted)
        return std::nullopt;
    return chosen;
}

bool QtPrompt::pageSetup(QWidget *parent, QPrinter *printer)
{
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompt::print(QWidget *parent, QPrinter *printer, bool hasSelection)
{
    QPrintDialog dialog(printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    return dialog.exec() == QDialog::Accepted;
}
