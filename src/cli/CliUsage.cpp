#include "cli/CliUsage.h"

#include <QStringList>

namespace {

const QString program = QStringLiteral("songloom-cli");

// Each command's forms, without the program's name.
const QStringList chordForms{
    QStringLiteral("chord --name NAME [--top TEXT] [--dot STRING:FRET]...\n"
                   "                          [--bar FRET] [--scale N] (-o FILE | --output-dir DIR)"),
    QStringLiteral("chord --define DEFINITION [--top TEXT] [--scale N]\n"
                   "                          (-o FILE | --output-dir DIR)"),
    QStringLiteral("chord --read FILE"),
};
const QStringList convertForms{QStringLiteral("convert IN OUT")};

const QString chordDescription = QStringLiteral(
    "Draw a ChordBox, the 40 x 48 pixel chord diagram of six strings and five\n"
    "fret spaces that the ChordBox editor draws, or read one back.\n");

const QString chordOptions = QStringLiteral(
    "  --name NAME          the chord name, drawn below the grid\n"
    "  --top TEXT           the top-fret label (such as \"5th Fret\") or other short\n"
    "                       text, drawn above the grid\n"
    "  --dot STRING:FRET    a dot on a string (1 to 6, the lowest string first) in a\n"
    "                       fret space (1 to 5); give it once for each dot\n"
    "  --bar FRET           a bar across all six strings in a fret space (1 to 5)\n"
    "  --define DEFINITION  the chord as a ChordPro chord definition, such as\n"
    "                       \"{define: Am base-fret 5 frets 1 3 3 1 1 1}\"; a base\n"
    "                       fret above 1 becomes the top-fret label, and a bar is\n"
    "                       drawn when every string is fretted and both outer\n"
    "                       strings hold the lowest fret\n"
    "  --scale N            draw every pixel as N x N pixels (1 to 100, default 1)\n"
    "  -o FILE              write the picture to FILE: PNG when its name ends in\n"
    "                       .png, BMP otherwise\n"
    "  --output-dir DIR     write the picture as a chord file into the chord library\n"
    "                       folder DIR, named as the editor names it: the name and\n"
    "                       the top text, \"/\" written as \"~\", and \";2\", \";3\" and\n"
    "                       so on when that name is taken\n"
    "  --read FILE          print the options that draw the ChordBox picture in FILE\n"
    "                       again; a picture Songloom did not draw is refused\n"
    "  -h, --help           show this help and exit\n");

const QString chordExamples = QStringLiteral(
    "  songloom-cli chord --name Am --top \"5th Fret\" --dot 2:3 --dot 3:3 --bar 1 \\\n"
    "      -o Am.png\n"
    "  songloom-cli chord --define \"{define: D/F# frets 2 0 0 2 3 2}\" \\\n"
    "      --output-dir BitMaps\n"
    "  songloom-cli chord --read \"BitMaps/Am 5th Fret\"\n");

const QString convertDescription = QStringLiteral(
    "Read the song IN, a Rich Text Format file, and write it to OUT in the format\n"
    "its extension names: .rtf (Rich Text Format), .txt (plain text), .html (HTML\n"
    "with its pictures inside), .odt (OpenDocument text) or .pdf (printed as\n"
    "Songloom prints it).\n");

const QString convertOptions = QStringLiteral("  -h, --help           show this help and exit\n");

const QString exitStatus = QStringLiteral(
    "Exit status:\n"
    "  0  done\n"
    "  1  a file could not be read or written, or a picture could not be read back\n"
    "  2  the command line was wrong\n");

// "Usage: songloom-cli FORM" for the first form, "  or:  songloom-cli FORM"
// for the others.
QString usageLines(const QStringList &forms)
{
    QString lines;
    for (qsizetype i = 0; i < forms.size(); ++i) {
        lines += (i == 0 ? QStringLiteral("Usage: ") : QStringLiteral("  or:  ")) + program + QLatin1Char(' ')
                 + forms.at(i) + QLatin1Char('\n');
    }
    return lines;
}

QString commandHelp(const QStringList &forms, const QString &description, const QString &options,
                    const QString &examples)
{
    QString help = usageLines(forms) + description + QStringLiteral("\nOptions:\n") + options;
    if (!examples.isEmpty())
        help += QStringLiteral("\nExamples:\n") + examples;
    return help + QLatin1Char('\n') + exitStatus;
}

} // namespace

namespace CliUsage {

QString programHelp()
{
    return usageLines(chordForms + convertForms + QStringList{QStringLiteral("(--help | --version)")})
           + QStringLiteral(
               "Draw and read the chord pictures (ChordBoxes) of Songloom, the song sheet\n"
               "editor, and convert songs, without opening its window.\n"
               "\n"
               "Options:\n"
               "  -h, --help     show this help and exit; after a command, that command's help\n"
               "  -V, --version  show the version and exit\n"
               "\n"
               "Chord:\n")
           + chordDescription + QLatin1Char('\n') + chordOptions + QStringLiteral("\nConvert:\n") + convertDescription
           + QStringLiteral("\nExamples:\n") + chordExamples
           + QStringLiteral("  songloom-cli convert \"My Songs/Song.rtf\" Song.pdf\n\n") + exitStatus;
}

QString chordHelp()
{
    return commandHelp(chordForms, chordDescription, chordOptions, chordExamples);
}

QString convertHelp()
{
    return commandHelp(convertForms, convertDescription, convertOptions,
                       QStringLiteral("  songloom-cli convert \"My Songs/Song.rtf\" Song.pdf\n"));
}

QString versionText()
{
    return program + QStringLiteral(" (Songloom) ") + QStringLiteral(SONGLOOM_VERSION) + QLatin1Char('\n');
}

QString hint(const QString &command)
{
    const QString helpCommand = command.isEmpty() ? program : program + QLatin1Char(' ') + command;
    return QStringLiteral("Try '%1 --help' for more information.\n").arg(helpCommand);
}

} // namespace CliUsage
