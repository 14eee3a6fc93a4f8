#pragma once

#include "spell/SpellDialogs.h"

#include <QPointer>

class QWidget;

// The spell checker's real dialogs, shown modally over the owner.
class QtSpellDialogs final : public SpellDialogs
{
public:
    explicit QtSpellDialogs(QWidget *owner = nullptr) : m_owner(owner) {}

    WordAnswer askWord(const UnknownWord &word) override;
    bool showOptions(Options &options) override;
    void addFailed(const QString &word, const QString &path, int errorNumber, const QString &description) override;

private:
    QPointer<QWidget> m_owner;
};
