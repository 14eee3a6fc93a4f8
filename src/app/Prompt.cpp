#include "app/Prompt.h"

#include "app/Module1.h"
#include "app/QtPrompt.h"

namespace {
Prompt *gReplacement = nullptr;
}

Prompt &prompt()
{
    static QtPrompt real;
    return gReplacement ? *gReplacement : real;
}

void setPrompt(Prompt *replacement)
{
    gReplacement = replacement;
}

QMessageBox::StandardButton showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons)
{
    return prompt().message(parent, icon, AppTitle(), text, buttons);
}
