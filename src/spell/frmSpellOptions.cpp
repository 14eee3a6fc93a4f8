#include "spell/frmSpellOptions.h"

#include "base/Prompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSpellOptions::frmSpellOptions(const SpellDialogs::Options &options, QWidget *parent)
    : QDialog(parent), m_options(options)
{
    setWindowTitle(QStringLiteral("Spell Check Options"));
    setObjectName(QStringLiteral("frmSpellOptions"));

    cboMainDict = new QComboBox(this);
    cboMainDict->setObjectName(QStringLiteral("cboMainDict"));
    QStringList names = options.mainDictionaries;
    // The dictionary in use is offered even when it is not installed any more.
    if (!options.mainDictionary.isEmpty() && !names.contains(options.mainDictionary))
        names.prepend(options.mainDictionary);
    cboMainDict->addItems(names);
    cboMainDict->setCurrentIndex(names.indexOf(options.mainDictionary));

    txtCustomDict = new QLineEdit(options.customDictionary, this);
    txtCustomDict->setObjectName(QStringLiteral("txtCustomDict"));
    txtCustomDict->setMinimumWidth(300);
    cmdBrowse = new QPushButton(QStringLiteral("&Browse..."), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setAutoDefault(false);
    auto *customRow = new QHBoxLayout;
    customRow->addWidget(txtCustomDict, 1);
    customRow->addWidget(cmdBrowse);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Main dictionary:"), cboMainDict);
    // A row holding a layout gets no buddy of its own.
    auto *customLabel = new QLabel(QStringLiteral("&Custom dictionary:"), this);
    customLabel->setBuddy(txtCustomDict);
    form->addRow(customLabel, customRow);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, &frmSpellOptions::cmdBrowse_Click);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

SpellDialogs::Options frmSpellOptions::options() const
{
    SpellDialogs::Options chosen = m_options;
    chosen.mainDictionary = cboMainDict->currentIndex() >= 0 ? cboMainDict->currentText() : m_options.mainDictionary;
    chosen.customDictionary = txtCustomDict->text();
    return chosen;
}

void frmSpellOptions::cmdBrowse_Click()
{
    const QString current = txtCustomDict->text();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).path();
    const QString chosen = prompt().openFileName(this, QStringLiteral("Custom Dictionary"), folder,
                                                 QStringLiteral("Custom dictionaries (*.dic);;All files (*)"));
    if (!chosen.isEmpty())
        txtCustomDict->setText(chosen);
}
