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

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(QStringLiteral(SONGLOOM_PROGRAM_DIR "/SpellUS.lex")))
            QSKIP("The build has no SpellUS.lex (hunspell-en-us is not installed)");
    }

    // Chord symbols, bracketed and hyphenated words pass; each unknown
    // word is reported as FILE:LINE:COLUMN: WORD: suggestions.
    void songs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("places"); // LINE:COLUMN: WORD of each report

        QTest::newRow("clean") << QByteArray("[Am7] Sing the (chorus), C/G and F#m\nC#m7b5 Cm(maj7) don't well-known 1234")
                               << "clean.txt" << QStringList{};
        QTest::newRow("plain text") << QByteArray("teh cat Am7\r\nsing (teh) song\nwierd.")
                                    << "song.txt" << QStringList{"1:1: teh", "2:7: teh", "3:1: wierd"};
        QTest::newRow("Latin-1 text") << QByteArray("teh caf\xe9\n") << "latin.txt" << QStringList{"1:1: teh", "1:5: caf\u00e9"};
        QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi {\\b Chorus}\\par sing teh song\\line again\\par}")
                             << "song.rtf" << QStringList{"2:6: teh"};
    }

    void songs()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(QStringList, places);
        const QString path = writeFile(name, content);
        const CliRun result = CliRun::run({QStringLiteral("spell"), path}, m_dir.path());
        QCOMPARE(result.exitCode, places.isEmpty() ? 0 : 1);
        const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), places.size());
        for (qsizetype i = 0; i < places.size(); ++i)
            QVERIFY2(lines[i].startsWith(path + QLatin1Char(':') + places[i]), qPrintable(lines[i]));
        if (!places.isEmpty())
            QVERIFY2(lines[0].contains(QLatin1String(": the")), qPrintable(lines[0]));
    }

    // A word of the custom dictionary passes.
    void customDictionary()
    {
        const QStringList args{"spell", writeFile("riffs.txt", "Songloom riffs\n"), "--custom", writeFile("mine.dic", "songloom\n")};
        QCOMPARE(CliRun::run(args.mid(0, 2), m_dir.path()).exitCode, 1);
        QCOMPARE(CliRun::run(args, m_dir.path()).exitCode, 0);
    }

    // Errors: a line on standard error, nothing on standard output, exit 2.
    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString fixtures = QStringLiteral(SONGLOOM_TEST_DATA "/dictionaries/");
        QTest::newRow("unknown option") << QStringList{"spell", "x.txt", "--fast"} << "usage:";
        QTest::newRow("missing song") << QStringList{"spell", "/nonexistent/song.txt"} << "cannot read";
        QTest::newRow("missing custom") << QStringList{"spell", "SONG", "--custom", "/nonexistent.dic"}
                                        << "no custom dictionary";
        QTest::newRow("missing main") << QStringList{"spell", "SONG", "--main", "Klingon.lex"}
                                      << "Klingon.lex could not be opened";
        QTest::newRow("refused encoding") << QStringList{"spell", "SONG", "--main", fixtures + "koi8.lex"} << "KOI8-R";
    }

    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        args.replaceInStrings(QStringLiteral("SONG"), writeFile(QStringLiteral("teh.txt"), "teh\n"));
        const CliRun result = CliRun::run(args, m_dir.path());
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QString());
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }
};

QTEST_GUILESS_MAIN(tst_SpellCli)
#include "tst_spellcli.moc"
