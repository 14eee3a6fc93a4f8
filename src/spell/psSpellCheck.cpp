#include "spell/psSpellCheck.h"

#include "base/Module1.h"
#include "spell/ChordSymbol.h"
#include "spell/SpellDialogs.h"
#include "spell/SpellWords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

psSpellCheck::psSpellCheck(SpellDialogs *dialogs, QObject *parent) : QObject(parent), m_dialogs(dialogs)
{
}

QString psSpellCheck::findMainDictionary(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    if (QFileInfo(fileName).isAbsolute() || fileName.contains(QLatin1Char('/')) || fileName.contains(QDir::separator()))
        return QFileInfo(fileName).isFile() ? fileName : QString();
    for (const QString &folder : {AppPath(), GetSystemDir()}) {
        if (folder.isEmpty())
            continue;
        const QString path = joinPath(folder, fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QStringList psSpellCheck::installedMainDictionaries(const QString &systemDir, const QString &installedListPath)
{
    QStringList names;
    const auto addName = [&names](const QString &name) {
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    };
    for (const QString &folder : {AppPath(), systemDir}) {
        if (folder.isEmpty())
            continue;
        const QStringList found = QDir(folder).entryList({QStringLiteral("*.lex"), QStringLiteral("*.LEX")},
                                                         QDir::Files, QDir::Name);
        for (const QString &name : found)
            addName(name);
    }
    QFile list(installedListPath);
    if (!installedListPath.isEmpty() && list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QStringList lines = QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            const QString name = line.trimmed();
            if (!name.startsWith(QLatin1Char(';')) && !name.startsWith(QLatin1Char('#')))
                addName(QFileInfo(name).fileName());
        }
    }
    return names;
}

bool psSpellCheck::OpenDictionaries(const QString &mainDictFileName, QString &customDictFilePath)
{
    m_openError = 0;
    m_openErrorString.clear();
    const auto closeAll = [this] {
        const bool wasOpen = m_main.isOpen();
        m_main.close();
        m_custom.clear();
        m_known.clear();
        m_suggestions.clear();
        if (wasOpen)
            emit dictionariesOpened();
        return false;
    };

    const QString mainPath = findMainDictionary(mainDictFileName);
    if (mainPath.isEmpty())
        return closeAll();
    const QDateTime modified = QFileInfo(mainPath).lastModified();
    // Words added to the session dictionary belong to the custom list they
    // came from, so another list means a fresh main dictionary too.
    const bool reloadMain = !m_main.isOpen() || m_main.path() != mainPath || m_mainModified != modified
                            || m_custom.path() != customDictFilePath;
    if (reloadMain && !m_main.open(mainPath)) {
        // A missing file is a dictionary that is not there; anything else is a fault to tell.
        if (m_main.error() == HunspellDictionary::UnsupportedEncoding || QFileInfo(mainPath).isFile()) {
            m_openError = m_main.error();
            m_openErrorString = m_main.errorString();
        }
        return closeAll();
    }
    m_mainModified = modified;

    const QStringList customBefore = m_custom.words();
    if (!m_custom.load(customDictFilePath)) {
        m_openError = m_custom.error();
        m_openErrorString = QStringLiteral("The custom dictionary '%1' could not be read: %2")
                                .arg(customDictFilePath, m_custom.errorString());
        return closeAll();
    }
    for (const QString &word : m_custom.words())
        m_main.add(word);

    if (reloadMain || customBefore != m_custom.words()) {
        m_known.clear();
        m_suggestions.clear();
        emit dictionariesOpened();
    }
    return true;
}

bool psSpellCheck::ShowOptions(QString &systemDir, QString &customDictFilePath, QString &mainDictFileName,
                               const QString &installedListPath, bool showAll)
{
    Q_UNUSED(showAll);
    if (!m_dialogs)
        return false;
    SpellDialogs::Options options;
    options.mainDictionaries = installedMainDictionaries(systemDir, installedListPath);
    options.mainDictionary = mainDictFileName;
    options.customDictionary = customDictFilePath;
    if (!m_dialogs->showOptions(options))
        return false;
    mainDictFileName = options.mainDictionary;
    customDictFilePath = options.customDictionary;
    return true;
}

QString psSpellCheck::CheckWord(QString &word, int &code, const ContextSource &context)
{
    if (!m_main.isOpen()) {
        code = NotOpen;
        return word;
    }
    code = GoOn;
    const SpellWords::Core core = SpellWords::coreOf(word);
    const QString coreText = word.mid(core.start, core.length);
    const auto withCore = [&](const QString &replacement) {
        return word.left(core.start) + replacement + word.mid(core.start + core.length);
    };
    if (const auto it = m_changeAll.constFind(coreText); it != m_changeAll.cend())
        return withCore(*it);
    if (!m_dialogs || isCorrect(word))
        return word;

    SpellDialogs::UnknownWord unknown;
    unknown.word = coreText;
    if (context) {
        const WordContext where = context();
        unknown.line = where.line;
        unknown.column = where.column + core.start;
    } else {
        unknown.line = word;
        unknown.column = core.start;
    }
    unknown.suggestions = suggestions(coreText);

    const SpellDialogs::WordAnswer answer = m_dialogs->askWord(unknown);
    switch (answer.action) {
    case SpellDialogs::WordAnswer::Ignore:
        return word;
    case SpellDialogs::WordAnswer::IgnoreAll:
        ignoreAll(coreText);
        return word;
    case SpellDialogs::WordAnswer::Add:
        if (!addWord(coreText))
            m_dialogs->addFailed(coreText, m_custom.path(), m_custom.error(), m_custom.errorString());
        return word;
    case SpellDialogs::WordAnswer::Change:
        return withCore(answer.replacement);
    case SpellDialogs::WordAnswer::ChangeAll:
        m_changeAll.insert(coreText, answer.replacement);
        return withCore(answer.replacement);
    case SpellDialogs::WordAnswer::Cancel:
        break;
    }
    code = EndRun;
    return word;
}

void psSpellCheck::EndCheck()
{
    m_changeAll.clear();
    if (m_dialogs)
        m_dialogs->endCheck();
}

bool psSpellCheck::isCorrect(QStringView word)
{
    if (!m_main.isOpen())
        return true;
    if (isChordSymbol(word))
        return true;
    const SpellWords::Core core = SpellWords::coreOf(word);
    const QStringView coreText = word.mid(core.start, core.length);
    if (!SpellWords::hasLetter(coreText))
        return true;
    return isKnownCore(coreText.toString());
}

bool psSpellCheck::isKnownCore(const QString &core)
{
    if (const auto it = m_known.constFind(core); it != m_known.cend())
        return *it;
    const bool known = isChordSymbol(core) || m_ignored.contains(core) || m_custom.contains(core) || m_main.spell(core);
    m_known.insert(core, known);
    return known;
}

QStringList psSpellCheck::suggestions(const QString &word, int max)
{
    auto it = m_suggestions.find(word);
    if (it == m_suggestions.end())
        it = m_suggestions.insert(word, m_main.suggest(word));
    return max < 0 ? *it : it->mid(0, max);
}

void psSpellCheck::accept(const QString &core)
{
    // Other spellings of the word (a capital at the start) were remembered as unknown.
    m_known.clear();
    emit wordAccepted(core);
}

void psSpellCheck::ignoreAll(const QString &word)
{
    m_ignored.insert(word);
    accept(word);
}

bool psSpellCheck::addWord(const QString &word)
{
    m_main.add(word);
    const bool saved = m_custom.add(word);
    // Accepted for this run even when the file could not take it.
    if (!saved)
        m_ignored.insert(word);
    accept(word);
    return saved;
}
