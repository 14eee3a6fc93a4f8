#pragma once

#include <QObject>
#include <QPointer>
#include <QTextCursor>

class QMenu;
class QTextEdit;
class SpellDialogs;
class SpellHighlighter;
class psSpellCheck;

// Checking as you type: the song's unknown words get a wavy red underline,
// and the song's context menu on such a word offers the first
// suggestions, Ignore All and Add to Dictionary. Installs itself on the
// text control; the control itself knows nothing of it.
class SpellAsYouType final : public QObject
{
    Q_OBJECT
public:
    // How many suggestions the context menu offers.
    static constexpr int menuSuggestions = 5;

    SpellAsYouType(QTextEdit *song, psSpellCheck &checker, SpellDialogs &dialogs, QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    // Switching on opens the configured dictionaries when the checker has
    // none open yet, quietly: a spell-check run tells what is wrong with them.
    void setEnabled(bool on);
    // Opens the configured dictionaries again (after the options changed).
    void reload();

    // The context menu for a point of the song's viewport: the control's
    // own menu, headed by the spelling entries when the word there is
    // underlined. The caller owns the menu.
    QMenu *createContextMenu(const QPoint &viewportPosition);

    SpellHighlighter *highlighter() const { return m_highlighter; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool openDictionaries();

    QPointer<QTextEdit> m_song;
    psSpellCheck &m_checker;
    SpellDialogs &m_dialogs;
    SpellHighlighter *m_highlighter;
    bool m_enabled = false;
};
