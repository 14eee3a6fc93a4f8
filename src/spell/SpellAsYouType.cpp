#include "spell/SpellAsYouType.h"

#include "base/Module1.h"
#include "spell/SpellDialogs.h"
#include "spell/SpellHighlighter.h"
#include "spell/psSpellCheck.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>

SpellAsYouType::SpellAsYouType(QTextEdit *song, psSpellCheck &checker, SpellDialogs &dialogs, QObject *parent)
    : QObject(parent), m_song(song), m_checker(checker), m_dialogs(dialogs),
      m_highlighter(new SpellHighlighter(checker, this))
{
    song->installEventFilter(this);
    song->viewport()->installEventFilter(this);
}

bool SpellAsYouType::openDictionaries()
{
    if (m_checker.isOpen())
        return true;
    QString custom = gstrCustomDictFilePath;
    return m_checker.OpenDictionaries(gstrMainDictFileName, custom)
           || m_checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom);
}

void SpellAsYouType::setEnabled(bool on)
{
    if (on == m_enabled || !m_song)
        return;
    m_enabled = on;
    if (on)
        openDictionaries();
    m_highlighter->setDocument(on ? m_song->document() : nullptr);
}

void SpellAsYouType::reload()
{
    if (!m_enabled)
        return;
    QString custom = gstrCustomDictFilePath;
    if (!m_checker.OpenDictionaries(gstrMainDictFileName, custom))
        openDictionaries();
}

QMenu *SpellAsYouType::createContextMenu(const QPoint &viewportPosition)
{
    QMenu *menu = m_song->createStandardContextMenu(m_song->viewport()->mapToGlobal(viewportPosition));
    if (!m_enabled || !m_checker.isOpen())
        return menu;

    const QTextCursor at = m_song->cursorForPosition(viewportPosition);
    const QTextBlock block = at.block();
    const SpellHighlighter::Span span = SpellHighlighter::wordAt(block.text(), at.positionInBlock());
    const QString word = block.text().mid(span.start, span.length);
    if (word.isEmpty() || m_checker.isCorrect(word))
        return menu;

    QAction *first = menu->actions().value(0);
    const auto insert = [&](QAction *action) { menu->insertAction(first, action); };
    const QStringList suggestions = m_checker.suggestions(word, menuSuggestions);
    const int wordStart = block.position() + span.start;
    const int wordEnd = wordStart + span.length;
    QPointer<QTextEdit> song = m_song;
    for (const QString &suggestion : suggestions) {
        auto *action = new QAction(suggestion, menu);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        connect(action, &QAction::triggered, this, [song, wordStart, wordEnd, suggestion] {
            if (!song)
                return;
            QTextCursor cursor(song->document());
            cursor.setPosition(wordStart);
            cursor.setPosition(wordEnd, QTextCursor::KeepAnchor);
            cursor.insertText(suggestion);
            song->setTextCursor(cursor);
        });
        insert(action);
    }
    if (suggestions.isEmpty()) {
        auto *none = new QAction(QStringLiteral("(No Suggestions)"), menu);
        none->setEnabled(false);
        insert(none);
    }
    auto *ignoreAll = new QAction(QStringLiteral("I&gnore All"), menu);
    connect(ignoreAll, &QAction::triggered, this, [this, word] { m_checker.ignoreAll(word); });
    insert(ignoreAll);
    auto *add = new QAction(QStringLiteral("&Add to Dictionary"), menu);
    connect(add, &QAction::triggered, this, [this, word] {
        if (!m_checker.addWord(word))
            m_dialogs.addFailed(word, m_checker.customDictionaryPath(), m_checker.addError(),
                                m_checker.addErrorString());
    });
    insert(add);
    menu->insertSeparator(first);
    return menu;
}

bool SpellAsYouType::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ContextMenu || !m_enabled || !m_song)
        return QObject::eventFilter(watched, event);
    auto *menuEvent = static_cast<QContextMenuEvent *>(event);
    // From the keyboard the menu belongs to the caret.
    QPoint position = menuEvent->pos();
    if (menuEvent->reason() == QContextMenuEvent::Keyboard)
        position = m_song->cursorRect().center();
    else if (watched == m_song)
        position = m_song->viewport()->mapFrom(m_song, position);
    QMenu *menu = createContextMenu(position);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_song->viewport()->mapToGlobal(position));
    return true;
}
