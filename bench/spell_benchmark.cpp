// Spell checking speed.
//  1. songloom-cli spell over a generated 460,000-word plain-text song
//     against "hunspell -l" over the same text with the same dictionary,
//     best of three alternating runs each; the target is at most 1.2 times
//     hunspell's time.
//  2. Checking as you type in a 100,000-paragraph song: underlining the
//     whole song (done in slices between events in the program) and one
//     keystroke in the middle of it.

#include "base/Module1.h"
#include "spell/SpellHighlighter.h"
#include "spell/psSpellCheck.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int songWords = 460000;
constexpr int paragraphs = 100000;
constexpr int rounds = 3;
constexpr double targetRatio = 1.2;

const QString programDir = QStringLiteral(SONGLOOM_PROGRAM_DIR);

// Lyrics-like text: words of the dictionary, a chord now and then, a
// misspelling or two in a thousand words, punctuation, 5 to 9 words a line.
QString generatedSong(int words)
{
    QFile list(programDir + QStringLiteral("/SpellUS.lex"));
    if (!list.open(QIODevice::ReadOnly))
        return {};
    QStringList vocabulary;
    const QStringList lines = QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines.mid(1)) {
        const QString word = line.section(QLatin1Char('/'), 0, 0);
        if (!word.isEmpty() && word.at(0).isLower() && !word.contains(QLatin1Char('\'')))
            vocabulary.append(word);
    }
    QRandomGenerator random(7);
    QStringList common;
    for (int i = 0; i < 4000; ++i)
        common.append(vocabulary.at(random.bounded(int(vocabulary.size()))));
    const QStringList chords = {"Am7", "C/G", "F#m", "G", "Dsus4", "Bb"};
    const QStringList typos = {"teh", "recieve", "wierd", "becuase", "freind", "untill", "tommorow", "seperate",
                               "definately", "occured", "goverment", "beleive", "acheive", "arguement",
                               "begining", "calender", "cemetary", "enviroment", "existance", "foriegn"};
    const QStringList endings = {",", ".", "", "", "!", "?"};
    QString text;
    text.reserve(words * 9);
    int inLine = 0;
    int lineLength = 5 + random.bounded(5);
    for (int i = 0; i < words; ++i) {
        const int roll = random.bounded(1000);
        if (roll < 2)
            text += typos.at(random.bounded(int(typos.size())));
        else if (roll < 50)
            text += chords.at(random.bounded(int(chords.size())));
        else
            text += common.at(random.bounded(int(common.size())));
        if (++inLine == lineLength) {
            text += endings.at(random.bounded(int(endings.size()))) + QLatin1Char('\n');
            inLine = 0;
            lineLength = 5 + random.bounded(5);
        } else {
            text += QLatin1Char(' ');
        }
    }
    return text;
}

// Runs the program with its output thrown away; seconds, or -1 when it failed.
double timedRun(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, args);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return clock.nsecsElapsed() / 1e9;
}

void compareWithHunspell(const QTemporaryDir &dir)
{
    const QString hunspell = QStandardPaths::findExecutable(QStringLiteral("hunspell"));
    const QString text = generatedSong(songWords);
    if (text.isEmpty()) {
        std::printf("spell: skipped, the build has no SpellUS.lex\n");
        return;
    }
    const QString song = dir.filePath(QStringLiteral("song.txt"));
    QFile file(song);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    file.close();
    // hunspell -d wants NAME.dic and NAME.aff: the same files under its names.
    QFile::copy(programDir + QStringLiteral("/SpellUS.lex"), dir.filePath(QStringLiteral("SpellUS.dic")));
    QFile::copy(programDir + QStringLiteral("/SpellUS.aff"), dir.filePath(QStringLiteral("SpellUS.aff")));

    const QString cli = programDir + QStringLiteral("/songloom-cli");
    const QString custom = dir.filePath(QStringLiteral("empty.dic"));
    QFile(custom).open(QIODevice::WriteOnly);
    double ours = std::numeric_limits<double>::max();
    double theirs = std::numeric_limits<double>::max();
    for (int round = 0; round < rounds; ++round) {
        const double o = timedRun(cli, {QStringLiteral("spell"), song, QStringLiteral("--custom"), custom});
        if (o >= 0)
            ours = std::min(ours, o);
        if (!hunspell.isEmpty()) {
            const double t = timedRun(hunspell, {QStringLiteral("-d"), dir.filePath(QStringLiteral("SpellUS")),
                                                 QStringLiteral("-l"), song});
            if (t >= 0)
                theirs = std::min(theirs, t);
        }
    }
    std::printf("spell: %d words, %.1f MB of text\n", songWords, text.toUtf8().size() / 1e6);
    std::printf("spell: songloom-cli spell  %6.2f s (best of %d)\n", ours, rounds);
    if (hunspell.isEmpty() || theirs == std::numeric_limits<double>::max()) {
        std::printf("spell: hunspell -l         not installed (scripts/install-deps.sh installs it)\n");
        return;
    }
    const double ratio = ours / theirs;
    std::printf("spell: hunspell -l         %6.2f s (best of %d)\n", theirs, rounds);
    std::printf("spell: ratio %.2fx (target at most %.1fx): %s\n", ratio, targetRatio,
                ratio <= targetRatio ? "met" : "MISSED");
}

void typingInALongSong()
{
    setAppPath(programDir);
    psSpellCheck checker;
    QString custom;
    if (!checker.OpenDictionaries(QStringLiteral("SpellUS.lex"), custom))
        return;
    const QString text = generatedSong(paragraphs * 7);
    QTextDocument document;
    document.setPlainText(text);
    std::printf("as you type: %d paragraphs\n", document.blockCount());

    SpellHighlighter highlighter(checker);
    QElapsedTimer clock;
    clock.start();
    highlighter.setDocument(&document);
    highlighter.finishPending();
    std::printf("as you type: whole song underlined in %.2f s, in slices of at most 8 ms\n",
                clock.nsecsElapsed() / 1e9);

    QTextCursor cursor(document.findBlockByNumber(document.blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    const int keys = 200;
    clock.restart();
    for (int i = 0; i < keys; ++i)
        cursor.insertText(i % 6 == 5 ? QStringLiteral(" ") : QStringLiteral("x"));
    std::printf("as you type: one keystroke %.3f ms (mean of %d)\n", clock.nsecsElapsed() / 1e6 / keys, keys);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    compareWithHunspell(dir);
    typingInALongSong();
    return 0;
}
