#include "base/Prompt.h"

#include "base/Module1.h"
#include "base/QtPrompt.h"

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
