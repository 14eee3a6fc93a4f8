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

QString ScriptedPrompt::openFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    dialogTitles.append(title);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPrompt::saveFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    dialogTitles.append(title);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
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

bool ScriptedPrompt::print(QWidget *, QPrinter *, bool)
{
    dialogTitles.append(QStringLiteral("Print"));
    return !printAnswers.isEmpty() && printAnswers.dequeue();
}
