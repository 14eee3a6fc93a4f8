#pragma once

#include "spell/SpellDialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The dialog for a word the dictionaries do not know: the word in its
// line, the text to change it to, the dictionary's suggestions, and what
// to do with it. Closing the dialog any other way is Cancel.
class frmSpellWord final : public QDialog
{
    Q_OBJECT
public:
    explicit frmSpellWord(QWidget *parent = nullptr);

    void setWord(const SpellDialogs::UnknownWord &word);
    SpellDialogs::WordAnswer answer() const { return m_answer; }

    QLabel *lineLabel() const { return lblLine; }
    QLineEdit *changeTo() const { return txtChangeTo; }
    QListWidget *suggestions() const { return lstSuggestions; }
    QPushButton *button(SpellDialogs::WordAnswer::Action action) const;

private:
    void finish(SpellDialogs::WordAnswer::Action action);

    SpellDialogs::WordAnswer m_answer;
    QString m_word;

    QLabel *lblLine = nullptr;
    QLineEdit *txtChangeTo = nullptr;
    QListWidget *lstSuggestions = nullptr;
    QPushButton *cmdIgnore = nullptr;
    QPushButton *cmdIgnoreAll = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdChange = nullptr;
    QPushButton *cmdChangeAll = nullptr;
    QPushButton *cmdCancel = nullptr;
};
