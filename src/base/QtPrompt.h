#pragma once

#include "base/Prompt.h"

// The real dialogs.
class QtPrompt final : public Prompt
{
public:
    QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                         const QString &filter, QString *selectedFilter) override;
    std::optional<QFont> font(QWidget *parent, const QString &title, const QFont &initial) override;
    bool pageSetup(QWidget *parent, QPrinter *printer) override;
    bool print(QWidget *parent, QPrinter *printer, bool hasSelection) override;
    void printPreview(QWidget *parent, QPrinter *printer, const std::function<void(QPrinter *)> &paint) override;
};
