#include "support/ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt()
{
    setPrompt(this);
}

ScriptedPrompt::~ScriptedPrompt()
{
    setPrompt(nullptr);
}

QMessageBox::StandardButton ScriptedPrompt::message(QWidget *, QMessageBox::Icon icon, const QString &title,
                                                    const QString &text, QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton)
{
    messages.append({icon, title, text, buttons});
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    for (int bit = 0; bit < 32; ++bit) {
        const auto button = QMessageBox::StandardButton(1u << bit);
        if (buttons.testFlag(button))
            return button;
    }
    return QMessageBox::NoButton;
}

QString ScriptedPrompt::openFileName(QWidget *, const QString &title, const QString &folder, const QString &filter)
{
    dialogTitles.append(title);
    dialogPaths.append(folder);
    dialogFilters.append(filter);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPrompt::saveFileName(QWidget *, const QString &title, const QString &proposedPath,
                                     const QString &filter, QString *selectedFilter)
{
    dialogTitles.append(title);
    dialogPaths.append(proposedPath);
    dialogFilters.append(filter);
    const QString answer = fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    const QString entry = filterAnswers.isEmpty() ? filter.section(QLatin1String(";;"), 0, 0) : filterAnswers.dequeue();
    if (selectedFilter && !answer.isEmpty())
        *selectedFilter = entry;
    return answer;
}

std::optional<QFont> ScriptedPrompt::font(QWidget *, const QString &title, const QFont &)
{
    dialogTitles.append(title);
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
}

bool ScriptedPrompt::pageSetup(QWidget *, QPrinter *)
{
    dialogTitles.append(QStringLiteral("Print Setup"));
    return !printAnswers.isEmpty() && printAnswers.dequeue();
}

bool ScriptedPrompt::print(QWidget *, QPrinter *printer, bool hasSelection)
{
    dialogTitles.append(QStringLiteral("Print"));
    printSelectionOffered.append(hasSelection);
    const bool accepted = !printAnswers.isEmpty() && printAnswers.dequeue();
    if (accepted && choosePrinter)
        choosePrinter(printer);
    return accepted;
}

void ScriptedPrompt::printPreview(QWidget *, QPrinter *printer, const std::function<void(QPrinter *)> &paint)
{
    dialogTitles.append(QStringLiteral("Print Preview"));
    if (choosePrinter)
        choosePrinter(printer);
    paint(printer);
}
