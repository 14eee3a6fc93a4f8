// songloom-cli spell on the real American English dictionary: what it
// prints and how it exits.
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_SpellCli : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (!QFile::exists(QStringLiteral(SONGLOOM_PROGRAM_DIR "/SpellUS.lex")))
            QSKIP("The build has no SpellUS.lex (hunspell-en-us is not installed)");
        QFile custom(m_dir.filePath("mine.dic"));
        QVERIFY(custom.open(QIODevice::WriteOnly) && custom.write("songloom\n") > 0);
    }

    // Chord symbols, bracketed and hyphenated words pass; each unknown word
    // is reported on standard output as FILE:LINE:COLUMN: WORD: suggestions,
    // exit code 1. Errors: a line on standard error, nothing on standard
    // output, exit code 2.
    void runs_data()
    {
        QTest::addColumn<QStringList>("args"); // the second one is the song, written from "content"
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // the start of each report, or part of the error
        QTest::newRow("clean") << QStringList{"spell", "clean.txt"} << QByteArray("[Am7] Sing the (chorus), C/G and F#m\nC#m7b5 Cm(maj7) don't well-known 1234")
                               << 0 << QStringList{};
        QTest::newRow("plain text") << QStringList{"spell", "song.txt"} << QByteArray("teh cat Am7\r\nsing (teh) song\nwierd.") << 1
                                    << QStringList{"song.txt:1:1: teh: the", "song.txt:2:7: teh", "song.txt:3:1: wierd"};
        QTest::newRow("no custom dictionary") << QStringList{"spell", "riffs.txt"} << QByteArray("Songloom riffs\n") << 1 << QStringList{"riffs.txt:1:1: Songloom"};
        QTest::newRow("custom dictionary") << QStringList{"spell", "riffs.txt", "--custom", "mine.dic"} << QByteArray("Songloom riffs\n") << 0 << QStringList{};
        QTest::newRow("missing song") << QStringList{"spell", "/nonexistent/song.txt"} << QByteArray() << 2 << QStringList{"songloom-cli: cannot read"};
        QTest::newRow("missing custom") << QStringList{"spell", "teh.txt", "--custom", "/nonexistent.dic"} << QByteArray("teh\n") << 2
                                        << QStringList{"songloom-cli: no custom dictionary"};
        QTest::newRow("refused encoding") << QStringList{"spell", "teh.txt", "--main", SONGLOOM_TEST_DATA "/dictionaries/koi8.lex"} << QByteArray("teh\n")
                                          << 2 << QStringList{"koi8.lex could not be opened: The dictionary 'koi8.lex' is written in KOI8-R."};
    }

    void runs()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        QFile song(m_dir.filePath(args[1]));
        QVERIFY(content.isNull() || (song.open(QIODevice::WriteOnly) && song.write(content) == content.size()));
        song.close();
        const CliRun run = CliRun::run(args, m_dir.path());
        const QStringList out = (exitCode == 2 ? run.err : run.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(QString::number(run.exitCode) + '|' + QString::number(out.size()) + '|' + (exitCode == 2 ? run.out : run.err),
                 QStringLiteral("%1|%2|").arg(exitCode).arg(lines.size()));
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(exitCode == 2 ? out[i].contains(lines[i]) : out[i].startsWith(lines[i]), qPrintable(out[i]));
    }
};

QTEST_GUILESS_MAIN(tst_SpellCli)
#include "tst_spellcli.moc"
