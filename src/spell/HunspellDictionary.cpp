#include "spell/HunspellDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <hunspell.hxx>

namespace {

// The encoding the affix file declares; Hunspell reads ISO-8859-1 when
// there is no SET line.
QString declaredEncoding(const QByteArray &affix)
{
    static const QRegularExpression setLine(QStringLiteral("^SET\\s+(\\S+)"),
                                            QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = setLine.match(QString::fromLatin1(affix));
    return match.hasMatch() ? match.captured(1) : QStringLiteral("ISO8859-1");
}

QString normalisedEncoding(QString name)
{
    name = name.toUpper();
    name.remove(QLatin1Char('-'));
    name.remove(QLatin1Char('_'));
    return name;
}

} // namespace

HunspellDictionary::HunspellDictionary() = default;
HunspellDictionary::~HunspellDictionary() = default;

QString HunspellDictionary::affixPathFor(const QString &wordListPath)
{
    const QFileInfo info(wordListPath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString folder = info.path();
    // Keep the case of the extension the word list uses, when that file is there.
    const QString lower = QFileInfo(folder + QLatin1Char('/') + base + QStringLiteral(".aff")).filePath();
    const QString upper = QFileInfo(folder + QLatin1Char('/') + base + QStringLiteral(".AFF")).filePath();
    if (!QFileInfo::exists(lower) && QFileInfo::exists(upper))
        return upper;
    return lower;
}

bool HunspellDictionary::fail(int error, const QString &text)
{
    close();
    m_error = error;
    m_errorString = text;
    return false;
}

bool HunspellDictionary::open(const QString &wordListPath)
{
    close();
    const QString affixPath = affixPathFor(wordListPath);
    for (const QString &path : {wordListPath, affixPath}) {
        if (!QFileInfo(path).isFile())
            return fail(QFileDevice::OpenError, QStringLiteral("The file '%1' does not exist.").arg(path));
    }

    QFile affix(affixPath);
    if (!affix.open(QIODevice::ReadOnly))
        return fail(affix.error(), affix.errorString());
    const QString encoding = declaredEncoding(affix.readAll());
    const QString normalised = normalisedEncoding(encoding);
    if (normalised == QLatin1String("UTF8"))
        m_utf8 = true;
    else if (normalised == QLatin1String("ISO88591"))
        m_utf8 = false;
    else
        return fail(UnsupportedEncoding,
                    QStringLiteral("The dictionary '%1' is written in %2. Only UTF-8 and ISO-8859-1 "
                                   "dictionaries can be used.")
                        .arg(QFileInfo(wordListPath).fileName(), encoding));

    QFile words(wordListPath);
    if (!words.open(QIODevice::ReadOnly))
        return fail(words.error(), words.errorString());

    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(affixPath).constData(),
                                            QFile::encodeName(wordListPath).constData());
    m_path = wordListPath;
    m_error = NoError;
    m_errorString.clear();
    return true;
}

void HunspellDictionary::close()
{
    m_hunspell.reset();
    m_path.clear();
}

bool HunspellDictionary::encodable(const QString &word) const
{
    if (m_utf8)
        return true;
    for (const QChar ch : word) {
        if (ch.unicode() > 0xFF)
            return false;
    }
    return true;
}

std::string HunspellDictionary::encode(const QString &word) const
{
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

QString HunspellDictionary::decode(const std::string &bytes) const
{
    return m_utf8 ? QString::fromStdString(bytes)
                  : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

bool HunspellDictionary::spell(const QString &word) const
{
    // A word a Latin-1 dictionary cannot even write is not in it.
    return m_hunspell && encodable(word) && m_hunspell->spell(encode(word));
}

QStringList HunspellDictionary::suggest(const QString &word) const
{
    QStringList suggestions;
    if (!m_hunspell || !encodable(word))
        return suggestions;
    for (const std::string &suggestion : m_hunspell->suggest(encode(word)))
        suggestions.append(decode(suggestion));
    return suggestions;
}

void HunspellDictionary::add(const QString &word)
{
    if (m_hunspell && encodable(word))
        m_hunspell->add(encode(word));
}
