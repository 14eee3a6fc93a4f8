#include "spell/frmSpellWord.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Lines are cut to this many characters on each side of the word.
constexpr qsizetype contextReach = 60;

QString lineWithWord(const QString &line, qsizetype column, qsizetype length)
{
    column = std::clamp<qsizetype>(column, 0, line.size());
    length = std::clamp<qsizetype>(length, 0, line.size() - column);
    const qsizetype from = std::max<qsizetype>(0, column - contextReach);
    const qsizetype to = std::min(line.size(), column + length + contextReach);
    QString html;
    if (from > 0)
        html += QStringLiteral("\u2026");
    html += line.mid(from, column - from).toHtmlEscaped();
    html += QStringLiteral("<b><font color=\"#c00000\">") + line.mid(column, length).toHtmlEscaped()
            + QStringLiteral("</font></b>");
    html += line.mid(column + length, to - column - length).toHtmlEscaped();
    if (to < line.size())
        html += QStringLiteral("\u2026");
    return html;
}

} // namespace

frmSpellWord::frmSpellWord(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Spell Check"));
    setObjectName(QStringLiteral("frmSpellWord"));

    auto *unknownLabel = new QLabel(QStringLiteral("Unknown word:"), this);
    lblLine = new QLabel(this);
    lblLine->setObjectName(QStringLiteral("lblLine"));
    lblLine->setTextFormat(Qt::RichText);
    lblLine->setWordWrap(true);
    lblLine->setMinimumWidth(320);
    lblLine->setFrameShape(QFrame::StyledPanel);
    lblLine->setMargin(4);

    txtChangeTo = new QLineEdit(this);
    txtChangeTo->setObjectName(QStringLiteral("txtChangeTo"));
    auto *changeLabel = new QLabel(QStringLiteral("C&hange To:"), this);
    changeLabel->setBuddy(txtChangeTo);

    lstSuggestions = new QListWidget(this);
    lstSuggestions->setObjectName(QStringLiteral("lstSuggestions"));
    auto *suggestionsLabel = new QLabel(QStringLiteral("&Suggestions:"), this);
    suggestionsLabel->setBuddy(lstSuggestions);

    const auto makeButton = [this](const char *caption, const char *name) {
        auto *button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromUtf8(name));
        button->setAutoDefault(false);
        return button;
    };
    cmdIgnore = makeButton("&Ignore", "cmdIgnore");
    cmdIgnoreAll = makeButton("I&gnore All", "cmdIgnoreAll");
    cmdAdd = makeButton("&Add", "cmdAdd");
    cmdChange = makeButton("&Change", "cmdChange");
    cmdChangeAll = makeButton("Change A&ll", "cmdChangeAll");
    cmdCancel = makeButton("Cancel", "cmdCancel");
    cmdChange->setDefault(true);

    auto *fields = new QGridLayout;
    fields->addWidget(unknownLabel, 0, 0, Qt::AlignTop);
    fields->addWidget(lblLine, 0, 1);
    fields->addWidget(changeLabel, 1, 0);
    fields->addWidget(txtChangeTo, 1, 1);
    fields->addWidget(suggestionsLabel, 2, 0, Qt::AlignTop);
    fields->addWidget(lstSuggestions, 2, 1);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {cmdIgnore, cmdIgnoreAll, cmdAdd})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    for (QPushButton *button : {cmdChange, cmdChangeAll})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    using Action = SpellDialogs::WordAnswer::Action;
    connect(cmdIgnore, &QPushButton::clicked, this, [this] { finish(Action::Ignore); });
    connect(cmdIgnoreAll, &QPushButton::clicked, this, [this] { finish(Action::IgnoreAll); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { finish(Action::Add); });
    connect(cmdChange, &QPushButton::clicked, this, [this] { finish(Action::Change); });
    connect(cmdChangeAll, &QPushButton::clicked, this, [this] { finish(Action::ChangeAll); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { finish(Action::Cancel); });
    connect(lstSuggestions, &QListWidget::currentTextChanged, txtChangeTo, &QLineEdit::setText);
    connect(lstSuggestions, &QListWidget::itemDoubleClicked, this, [this] { finish(Action::Change); });
    // Change means something only when the text differs from the word.
    connect(txtChangeTo, &QLineEdit::textChanged, this, [this](const QString &text) {
        cmdChange->setEnabled(text != m_word);
        cmdChangeAll->setEnabled(text != m_word);
    });
}

void frmSpellWord::setWord(const SpellDialogs::UnknownWord &word)
{
    m_word = word.word;
    m_answer = {};
    lblLine->setText(lineWithWord(word.line, word.column, word.word.size()));
    lstSuggestions->clear();
    lstSuggestions->addItems(word.suggestions);
    // The best suggestion is offered; without one the word itself, to edit.
    txtChangeTo->setText(word.suggestions.isEmpty() ? word.word : word.suggestions.first());
    cmdChange->setEnabled(txtChangeTo->text() != m_word);
    cmdChangeAll->setEnabled(txtChangeTo->text() != m_word);
    if (!word.suggestions.isEmpty())
        lstSuggestions->setCurrentRow(0);
    txtChangeTo->selectAll();
    txtChangeTo->setFocus();
}

QPushButton *frmSpellWord::button(SpellDialogs::WordAnswer::Action action) const
{
    switch (action) {
    case SpellDialogs::WordAnswer::Ignore: return cmdIgnore;
    case SpellDialogs::WordAnswer::IgnoreAll: return cmdIgnoreAll;
    case SpellDialogs::WordAnswer::Add: return cmdAdd;
    case SpellDialogs::WordAnswer::Change: return cmdChange;
    case SpellDialogs::WordAnswer::ChangeAll: return cmdChangeAll;
    case SpellDialogs::WordAnswer::Cancel: return cmdCancel;
    }
    return nullptr;
}

void frmSpellWord::finish(SpellDialogs::WordAnswer::Action action)
{
    m_answer.action = action;
    m_answer.replacement = txtChangeTo->text();
    if (action == SpellDialogs::WordAnswer::Cancel)
        reject();
    else
        accept();
}
