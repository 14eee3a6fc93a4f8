#pragma once

#include "spell/SpellDialogs.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

// The spell checker's options: the main dictionary, chosen from the
// installed ones, and the custom dictionary file.
class frmSpellOptions final : public QDialog
{
    Q_OBJECT
public:
    explicit frmSpellOptions(const SpellDialogs::Options &options, QWidget *parent = nullptr);

    // The choice as it stands in the dialog.
    SpellDialogs::Options options() const;

    QComboBox *mainDictionary() const { return cboMainDict; }
    QLineEdit *customDictionary() const { return txtCustomDict; }
    QPushButton *browseButton() const { return cmdBrowse; }
    QDialogButtonBox *buttons() const { return m_buttons; }

private:
    void cmdBrowse_Click();

    SpellDialogs::Options m_options;
    QComboBox *cboMainDict = nullptr;
    QLineEdit *txtCustomDict = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
