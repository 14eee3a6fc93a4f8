#include "spell/CustomDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool CustomDictionary::load(const QString &path)
{
    clear();
    m_path = path;
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.error();
        m_errorString = file.errorString();
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const QString word = line.trimmed().toString();
        if (!word.isEmpty() && !m_lookup.contains(word)) {
            m_words.append(word);
            m_lookup.insert(word);
        }
    }
    return true;
}

void CustomDictionary::clear()
{
    m_path.clear();
    m_words.clear();
    m_lookup.clear();
    m_error = 0;
    m_errorString.clear();
}

bool CustomDictionary::contains(const QString &word) const
{
    if (m_lookup.contains(word))
        return true;
    const QString lower = word.toLower();
    if (lower == word)
        return false;
    // Only a capital at the start, or capitals throughout.
    const bool capitalised = word.mid(1) == lower.mid(1);
    const bool allCapitals = word == word.toUpper();
    return (capitalised || allCapitals) && m_lookup.contains(lower);
}

bool CustomDictionary::add(const QString &word)
{
    if (!m_lookup.contains(word)) {
        m_words.append(word);
        m_lookup.insert(word);
    }
    QSaveFile file(m_path);
    QByteArray bytes;
    for (const QString &listed : std::as_const(m_words))
        bytes += listed.toUtf8() + '\n';
    if (m_path.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = m_path.isEmpty() ? int(QFileDevice::OpenError) : int(file.error());
        m_errorString = m_path.isEmpty() ? QStringLiteral("No custom dictionary file is set.") : file.errorString();
        return false;
    }
    m_error = 0;
    m_errorString.clear();
    return true;
}
