#include "cli/SpellCommand.h"

#include "cli/CliUsage.h"

#include "base/DataFolders.h"
#include "base/Module1.h"
#include "document/RtfReader.h"
#include "spell/SpellWords.h"
#include "spell/psSpellCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextStream>

namespace {

constexpr int suggestionsShown = 3;
constexpr int exitClean = CliUsage::Success;
constexpr int exitFound = 1;
constexpr int exitError = 2;

int usage(QTextStream &err)
{
    err << "usage: songloom-cli spell FILE [--main NAME.lex] [--custom FILE]\n";
    return exitError;
}

bool looksLikeRtf(const QByteArray &data)
{
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < data.size() && QChar::isSpace(uchar(data.at(i))))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

// The song's text; paragraph and line breaks as line feeds.
QString songText(const QByteArray &data)
{
    if (looksLikeRtf(data)) {
        QTextDocument document;
        RtfReader().read(data, &document);
        QString text = document.toRawText();
        for (QChar &ch : text) {
            if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
                ch = QLatin1Char('\n');
        }
        return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    // Text that is not UTF-8 is taken as Latin-1, which reads any byte.
    if (utf8.hasError())
        text = QString::fromLatin1(data);
    return text;
}

} // namespace

int runSpellCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file;
    QString main = QStringLiteral("SpellUS.lex");
    QString custom;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if ((arg == QLatin1String("--main") || arg == QLatin1String("--custom")) && i + 1 < args.size())
            (arg == QLatin1String("--main") ? main : custom) = args[++i];
        else if (!arg.startsWith(QLatin1String("--")) && file.isEmpty())
            file = arg;
        else
            return usage(err);
    }
    if (file.isEmpty())
        return usage(err);

    if (AppPath().isEmpty())
        setAppPath(QCoreApplication::applicationDirPath());
    if (custom.isEmpty()) {
        // An installed program's custom dictionary is the user's copy.
        const bool installed = QFileInfo::exists(joinPath(AppPath(), DataFolders::installedMarkerName()));
        custom = joinPath(installed ? DataFolders::standardUserFolders().data : AppPath(), QStringLiteral("custom.dic"));
    } else if (!QFileInfo(custom).isFile()) {
        err << "songloom-cli: no custom dictionary " << custom << "\n";
        return exitError;
    }

    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "songloom-cli: cannot read " << file << ": " << input.errorString() << "\n";
        return exitError;
    }
    const QString text = songText(input.readAll());

    psSpellCheck checker;
    if (!checker.OpenDictionaries(main, custom)) {
        err << "songloom-cli: the main dictionary " << main << " could not be opened";
        if (checker.openError() != 0)
            err << ": " << checker.openErrorString();
        err << "\n";
        return exitError;
    }

    int found = 0;
    int line = 1;
    qsizetype lineStart = 0;
    const qsizetype size = text.size();
    qsizetype position = 0;
    while (position < size) {
        const QChar ch = text.at(position);
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            // CR LF is one break.
            if (ch == QLatin1Char('\r') && position + 1 < size && text.at(position + 1) == QLatin1Char('\n'))
                ++position;
            ++position;
            ++line;
            lineStart = position;
            continue;
        }
        if (SpellWords::endsWord(ch)) {
            ++position;
            continue;
        }
        const qsizetype start = position;
        while (position < size && !SpellWords::endsWord(text.at(position)))
            ++position;
        const QStringView token = QStringView(text).mid(start, position - start);
        if (checker.isCorrect(token))
            continue;
        const SpellWords::Core core = SpellWords::coreOf(token);
        const QString word = token.mid(core.start, core.length).toString();
        out << file << ':' << line << ':' << (start + core.start - lineStart + 1) << ": " << word;
        const QStringList suggestions = checker.suggestions(word, suggestionsShown);
        if (!suggestions.isEmpty())
            out << ": " << suggestions.join(QStringLiteral(", "));
        out << '\n';
        ++found;
    }
    out.flush();
    return found > 0 ? exitFound : exitClean;
}
