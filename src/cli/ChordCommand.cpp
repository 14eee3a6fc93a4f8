#include "cli/ChordCommand.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxGeometry.h"
#include "chordbox/ChordBoxRenderer.h"
#include "chordbox/ChordProDefinition.h"
#include "library/ChordFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <optional>

using namespace ChordBoxGeometry;

namespace {

constexpr int largestScale = 100;

struct Options
{
    std::optional<QString> name;
    std::optional<QString> top;
    std::optional<QString> define;
    QStringList dots;
    std::optional<QString> bar;
    int scale = 1;
    QString output;
    QString outputFolder;
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

// Reads the arguments; an empty result string means they were understood.
QString readOptions(const QStringList &args, Options &options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &option = args.at(i);
        const bool known = option == QLatin1String("--name") || option == QLatin1String("--top")
                           || option == QLatin1String("--dot") || option == QLatin1String("--bar")
                           || option == QLatin1String("--scale") || option == QLatin1String("-o")
                           || option == QLatin1String("--define") || option == QLatin1String("--output-dir");
        if (!known)
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
        } else {
            options.outputFolder = value;
        }
    }
    return {};
}

// Builds the chord from --name, --top, --dot and --bar.
QString chordFromOptions(const Options &options, ChordBox &chord, QString &name, QString &top)
{
    if (!options.name || options.name->isEmpty())
        return QStringLiteral("--name or --define is needed");
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

} // namespace

int runChordCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    auto fail = [&err](const QString &why) {
        err << "songloom-cli chord: " << why << '\n';
        err.flush();
        return 2;
    };

    Options options;
    if (const QString why = readOptions(args, options); !why.isEmpty())
        return fail(why);

    ChordBox chord;
    QString name;
    QString top;
    if (options.define) {
        if (options.name || !options.dots.isEmpty() || options.bar)
            return fail(QStringLiteral("--define cannot be mixed with --name, --dot or --bar"));
        const ChordProDefinition definition = ChordProDefinition::parse(*options.define);
        if (!definition.isValid())
            return fail(definition.errorString());
        chord = definition.chord;
        name = definition.name;
        top = options.top.value_or(definition.topText);
    } else if (const QString why = chordFromOptions(options, chord, name, top); !why.isEmpty()) {
        return fail(why);
    }

    if (options.output.isEmpty() == options.outputFolder.isEmpty())
        return fail(QStringLiteral("give either -o FILE or --output-dir FOLDER"));

    QString path = options.output;
    QByteArray format = "BMP";
    if (!options.outputFolder.isEmpty()) {
        // Into a library folder, under the chord file name the editor would
        // choose; a file of that name is replaced.
        const QString displayName = ChordFiles::composeDisplayName(name, top);
        if (!ChordFiles::isAcceptedChordName(displayName))
            return fail(QStringLiteral("\"%1\" cannot be a chord file name: it holds one of ; ~ \\ : ? \" < > |")
                            .arg(displayName));
        if (!QFileInfo(options.outputFolder).isDir())
            return fail(QStringLiteral("no folder \"%1\"").arg(options.outputFolder));
        path = ChordFiles::chordKey(options.outputFolder, ChordFiles::baseFileName(displayName));
    } else {
        format = formatFor(path);
        if (format.isEmpty())
            return fail(QStringLiteral("\"%1\": write a .bmp, a .png or a file without extension").arg(path));
    }

    const QImage picture = ChordBoxRenderer::enlarged(ChordBoxRenderer::DrawChordBox(chord, name, top), options.scale);
    QString why;
    if (!writePicture(picture, path, format, why))
        return fail(QStringLiteral("cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), why));
    Q_UNUSED(out);
    return 0;
}
