#include "spell/QtSpellDialogs.h"

#include "base/Prompt.h"
#include "base/Result.h"
#include "spell/frmSpellOptions.h"
#include "spell/frmSpellWord.h"

SpellDialogs::WordAnswer QtSpellDialogs::askWord(const UnknownWord &word)
{
    frmSpellWord dialog(m_owner);
    dialog.setWord(word);
    dialog.exec();
    return dialog.answer();
}

bool QtSpellDialogs::showOptions(Options &options)
{
    frmSpellOptions dialog(options, m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

void QtSpellDialogs::addFailed(const QString &word, const QString &path, int errorNumber, const QString &description)
{
    prompt().message(m_owner, QMessageBox::Warning, QStringLiteral("Custom Dictionary Not Saved"),
                     QStringLiteral("The word '%1' could not be added to the custom dictionary\n'%2'.\n"
                                    "It is accepted until Songloom ends.\n\n")
                             .arg(word, path)
                         + Result::failed(errorNumber, description).message());
}
