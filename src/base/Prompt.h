#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// Every message box and common dialog the program shows goes through this
// seam, so tests can script the user's answers and read what was asked.
class Prompt
{
public:
    virtual ~Prompt() = default;

    // A message box; returns the button the user pressed.
    virtual QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                                const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;

    // File dialogs; an empty result means the user cancelled. The save
    // dialog does not ask about overwriting (the caller does) and tells
    // which filter entry was chosen when selectedFilter is given.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                 const QString &filter, QString *selectedFilter = nullptr) = 0;

    // The font dialog; nothing when the user cancelled.
    virtual std::optional<QFont> font(QWidget *parent, const QString &title, const QFont &initial) = 0;

    // Printer set-up and print dialogs; false when the user cancelled.
    virtual bool pageSetup(QWidget *parent, QPrinter *printer) = 0;
    virtual bool print(QWidget *parent, QPrinter *printer, bool hasSelection) = 0;
    // A print preview that calls paint whenever it needs the pages; printing
    // from it prints through paint too.
    virtual void printPreview(QWidget *parent, QPrinter *printer, const std::function<void(QPrinter *)> &paint) = 0;
};

// The prompt in use: the real dialogs unless a test installed its own.
Prompt &prompt();
// Installs a prompt (not owned); nullptr restores the real dialogs.
void setPrompt(Prompt *replacement);

// A message box with the program's title, as shown for expected conditions
// that need no title of their own.
QMessageBox::StandardButton showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
