#pragma once

#include "base/Prompt.h"

#include <QList>
#include <QQueue>

// A prompt that records every message box and dialog it is asked to show and
// answers from a script instead of waiting for a person. Installs itself for
// its lifetime.
class ScriptedPrompt final : public Prompt
{
public:
    struct Message
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    // Answers, taken in order; when a queue is empty, message boxes answer
    // with their first button and dialogs are cancelled.
    QQueue<QMessageBox::StandardButton> messageAnswers;
    QQueue<QString> fileAnswers;
    QQueue<std::optional<QFont>> fontAnswers;
    QQueue<bool> printAnswers;
    // The filter entry the save dialog reports; the first entry when empty.
    QQueue<QString> filterAnswers;
    // Runs on the printer before a print or preview dialog answers, as a
    // person picking a printer or a PDF file would.
    std::function<void(QPrinter *)> choosePrinter;

    QList<Message> messages;
    QStringList dialogTitles;
    // The folder an open dialog started in, the name a save dialog proposed.
    QStringList dialogPaths;
    QStringList dialogFilters;
    // Whether each print dialog offered the selection.
    QList<bool> printSelectionOffered;

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
