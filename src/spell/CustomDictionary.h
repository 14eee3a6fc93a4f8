#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The user's own word list: a UTF-8 text file, one word a line. Words the
// user adds are written to the file at once.
class CustomDictionary final
{
public:
    // Reads the list. A file that does not exist yet is an empty list (the
    // first added word creates it); one that cannot be read fails.
    bool load(const QString &path);
    void clear();
    QString path() const { return m_path; }
    const QStringList &words() const { return m_words; }

    // The word as written, or its lower-case form for a capitalised or
    // all-capitals word ("Loom" and "LOOM" when "loom" is listed).
    bool contains(const QString &word) const;

    // Adds the word and rewrites the file in one step, so a failed write
    // never leaves half a list. On failure the word is still in the list
    // in memory, and error() and errorString() tell why.
    bool add(const QString &word);

    int error() const { return m_error; }
    QString errorString() const { return m_errorString; }

private:
    QString m_path;
    QStringList m_words;
    QSet<QString> m_lookup;
    int m_error = 0;
    QString m_errorString;
};
