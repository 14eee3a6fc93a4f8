#include "cli/ChordCommand.h"

#include "cli/CliUsage.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxGeometry.h"
#include "chordbox/ChordBoxReader.h"
#include "chordbox/ChordBoxRenderer.h"
#include "chordbox/ChordProDefinition.h"
#include "library/ChordFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <optional>

using namespace ChordBoxGeometry;

namespace {

constexpr int largestScale = 100;

struct Options
{
    bool help = false;
    std::optional<QString> name;
    std::optional<QString> top;
    std::optional<QString> define;
    QStringList dots;
    std::optional<QString> bar;
    int scale = 1;
    QString output;
    QString outputFolder;
    std::optional<QString> read;
};

// A whole number within the bounds, or nothing.
std::optional<int> wholeNumber(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

bool isHelp(const QString &option)
{
    return option == QLatin1String("--help") || option == QLatin1String("-h");
}

// Reads the arguments; an empty result string means they were understood.
// A request for help ends the reading.
QString readOptions(const QStringList &args, Options &options)
{
    static const QStringList withValue{"--name", "--top", "--dot", "--bar", "--scale",
                                       "-o",     "--define", "--output-dir", "--read"};
    for (int i = 0; i < args.size(); ++i) {
        const QString &option = args.at(i);
        if (isHelp(option)) {
            options.help = true;
            return {};
        }
        if (!withValue.contains(option))
            return QStringLiteral("unknown option \"%1\"").arg(option);
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(option);
        const QString value = args.at(++i);
        if (option == QLatin1String("--name")) {
            options.name = value;
        } else if (option == QLatin1String("--top")) {
            options.top = value;
        } else if (option == QLatin1String("--define")) {
            options.define = value;
        } else if (option == QLatin1String("--dot")) {
            options.dots.append(value);
        } else if (option == QLatin1String("--bar")) {
            options.bar = value;
        } else if (option == QLatin1String("--scale")) {
            const auto scale = wholeNumber(value, 1, largestScale);
            if (!scale)
                return QStringLiteral("--scale needs a whole number from 1 to %1, not \"%2\"")
                    .arg(largestScale)
                    .arg(value);
            options.scale = *scale;
        } else if (option == QLatin1String("-o")) {
            options.output = value;
        } else if (option == QLatin1String("--read")) {
            options.read = value;
        } else {
            options.outputFolder = value;
        }
    }
    return {};
}

// Builds the chord from --name, --top, --dot and --bar.
QString chordFromOptions(const Options &options, ChordBox &chord, QString &name, QString &top)
{
    if (!options.name)
        return QStringLiteral("--name, --define or --read is needed");
    name = *options.name;
    top = options.top.value_or(QString());
    for (const QString &dot : options.dots) {
        const QStringList parts = dot.split(QLatin1Char(':'));
        const auto string = parts.size() == 2 ? wholeNumber(parts.at(0), 1, stringCount) : std::nullopt;
        const auto fret = parts.size() == 2 ? wholeNumber(parts.at(1), 1, fretSpaceCount) : std::nullopt;
        if (!string || !fret)
            return QStringLiteral("--dot needs STRING:FRET with a string from 1 to %1 and a fret from 1 to %2, "
                                  "not \"%3\"")
                .arg(stringCount)
                .arg(fretSpaceCount)
                .arg(dot);
        chord.setDot(*string, *fret);
    }
    if (options.bar) {
        const auto fret = wholeNumber(*options.bar, 1, fretSpaceCount);
        if (!fret)
            return QStringLiteral("--bar needs a fret from 1 to %1, not \"%2\"").arg(fretSpaceCount).arg(*options.bar);
        chord.setBar(*fret);
    }
    return {};
}

// The picture format for the output file's extension.
QByteArray formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty() || suffix == QLatin1String("bmp"))
        return "BMP";
    if (suffix == QLatin1String("png"))
        return "PNG";
    return {};
}

bool writePicture(const QImage &picture, const QString &path, const QByteArray &format, QString &why)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        why = file.errorString();
        return false;
    }
    QImageWriter writer(&file, format);
    if (!writer.write(picture)) {
        why = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        why = file.errorString();
        return false;
    }
    return true;
}

// The word as a POSIX shell reads it back: unchanged when it holds only
// characters no shell treats specially, otherwise in single quotes.
QString shellQuoted(const QString &word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The options that draw the chord again: name, top text, dots by string
// and fret, then the bar.
QString drawingOptions(const ChordBox &chord, const QString &name, const QString &top)
{
    QStringList words{QStringLiteral("--name"), shellQuoted(name)};
    if (!top.isEmpty())
        words << QStringLiteral("--top") << shellQuoted(top);
    QList<QPoint> dots = chord.dotCells();
    std::sort(dots.begin(), dots.end(), [](QPoint a, QPoint b) {
        return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y();
    });
    for (const QPoint &dot : dots)
        words << QStringLiteral("--dot") << QStringLiteral("%1:%2").arg(dot.x()).arg(dot.y());
    if (chord.hasBar())
        words << QStringLiteral("--bar") << QString::number(chord.barFretSpace());
    return words.join(QLatin1Char(' '));
}

} // namespace

int runChordCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString prefix = QStringLiteral("songloom-cli chord: ");
    // A file that could not be read or written.
    auto failed = [&](const QString &why) {
        err << prefix << why << '\n';
        err.flush();
        return int(CliUsage::Failure);
    };
    // A command line that cannot be followed.
    auto wrong = [&](const QString &why) {
        err << prefix << why << '\n' << CliUsage::hint(QStringLiteral("chord"));
        err.flush();
        return int(CliUsage::WrongUsage);
    };

    if (args.isEmpty()) {
        err << CliUsage::chordHelp();
        err.flush();
        return CliUsage::WrongUsage;
    }
    Options options;
    if (const QString why = readOptions(args, options); !why.isEmpty())
        return wrong(why);
    if (options.help) {
        out << CliUsage::chordHelp();
        out.flush();
        return CliUsage::Success;
    }

    if (options.read) {
        if (args.size() != 2)
            return wrong(QStringLiteral("--read cannot be mixed with other options"));
        ChordBoxReader reader;
        if (!reader.readFile(*options.read))
            return failed(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(*options.read), reader.errorString()));
        out << drawingOptions(reader.chord(), reader.name(), reader.topText()) << '\n';
        out.flush();
        return CliUsage::Success;
    }

    ChordBox chord;
    QString name;
    QString top;
    if (options.define) {
        if (options.name || !options.dots.isEmpty() || options.bar)
            return wrong(QStringLiteral("--define cannot be mixed with --name, --dot or --bar"));
        const ChordProDefinition definition = ChordProDefinition::parse(*options.define);
        if (!definition.isValid())
            return wrong(definition.errorString());
        chord = definition.chord;
        name = definition.name;
        top = options.top.value_or(definition.topText);
    } else if (const QString why = chordFromOptions(options, chord, name, top); !why.isEmpty()) {
        return wrong(why);
    }

    if (options.output.isEmpty() == options.outputFolder.isEmpty())
        return wrong(QStringLiteral("give either -o FILE or --output-dir FOLDER"));

    QString path = options.output;
    QByteArray format = "BMP";
    if (!options.outputFolder.isEmpty()) {
        // Into a library folder, under the name the editor would choose:
        // a chord already there keeps its file.
        const QString displayName = ChordFiles::composeDisplayName(name, top);
        if (displayName.isEmpty())
            return wrong(QStringLiteral("a chord file needs a chord name"));
        if (!ChordFiles::isAcceptedChordName(displayName))
            return wrong(QStringLiteral("\"%1\" cannot be a chord file name: it holds one of ; ~ \\ : ? \" < > |")
                             .arg(displayName));
        if (!QFileInfo(options.outputFolder).isDir())
            return failed(QStringLiteral("no folder \"%1\"").arg(QDir::toNativeSeparators(options.outputFolder)));
        path = ChordFiles::chordKey(options.outputFolder, ChordFiles::MakeChordFileName(displayName, options.outputFolder));
    } else {
        format = formatFor(path);
        if (format.isEmpty())
            return wrong(QStringLiteral("\"%1\": write a .bmp, a .png or a file without extension").arg(path));
    }

    const QImage picture = ChordBoxRenderer::enlarged(ChordBoxRenderer::DrawChordBox(chord, name, top), options.scale);
    QString why;
    if (!writePicture(picture, path, format, why))
        return failed(QStringLiteral("cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), why));
    return CliUsage::Success;
}
