#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// A Hunspell main dictionary: the word list (NAME.lex, Hunspell's .dic
// format) and the affix rules (NAME.aff) beside it. Reads dictionaries
// written in UTF-8 or ISO-8859-1, as the .aff's SET line declares; others
// are refused.
class HunspellDictionary final
{
public:
    // Error numbers beyond the file errors (QFileDevice::FileError).
    enum Error { NoError = 0, UnsupportedEncoding = 1001 };

    HunspellDictionary();
    ~HunspellDictionary();
    HunspellDictionary(const HunspellDictionary &) = delete;
    HunspellDictionary &operator=(const HunspellDictionary &) = delete;

    // The .aff that goes with a word list: the same name with ".aff" in
    // place of its extension.
    static QString affixPathFor(const QString &wordListPath);

    // Opens the word list and its affix file. Returns false when either is
    // missing or unreadable or the encoding is refused; then error() and
    // errorString() tell why and the dictionary is closed.
    bool open(const QString &wordListPath);
    bool isOpen() const { return m_hunspell != nullptr; }
    void close();
    QString path() const { return m_path; }
    int error() const { return m_error; }
    QString errorString() const { return m_errorString; }

    bool spell(const QString &word) const;
    QStringList suggest(const QString &word) const;
    // Accepts a word for this session (not written anywhere).
    void add(const QString &word);

private:
    bool encodable(const QString &word) const;
    std::string encode(const QString &word) const;
    QString decode(const std::string &bytes) const;
    bool fail(int error, const QString &text);

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8 = true;
    QString m_path;
    int m_error = NoError;
    QString m_errorString;
};
