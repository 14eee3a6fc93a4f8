// songloom-cli spell: what it prints and how it exits.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString cli = QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli");

struct Run
{
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

Run run(const QStringList &args)
{
    QProcess process;
    process.start(cli, args);
    process.waitForFinished(60000);
    Run result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    result.lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

class tst_SpellCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists(QStringLiteral(SONGLOOM_PROGRAM_DIR "/SpellUS.lex")))
            QSKIP("The build has no SpellUS.lex (hunspell-en-us is not installed)");
    }

    void songs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("places"); // LINE:COLUMN: WORD of each report

        QTest::newRow("clean") << QByteArray("[Am7] Sing the song, C/G and F#m\n") << "clean.txt" << 0 << QStringList{};
        QTest::newRow("plain text") << QByteArray("teh cat Am7\r\nsing (teh) song\nwierd.")
                                    << "song.txt" << 1 << QStringList{"1:1: teh", "2:7: teh", "3:1: wierd"};
        QTest::newRow("Latin-1 text") << QByteArray("teh caf\xe9\n") << "latin.txt" << 1
                                      << QStringList{"1:1: teh", QStringLiteral("1:5: caf\u00e9")};
        QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi {\\b Chorus}\\par sing teh song\\line again\\par}")
                             << "song.rtf" << 1 << QStringList{"2:6: teh"};
    }

    void songs()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(int, exitCode);
        QFETCH(QStringList, places);
        QTemporaryDir dir;
        const QString path = writeFile(dir, name, content);
        const Run result = run({QStringLiteral("spell"), path});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.lines.size(), places.size());
        for (qsizetype i = 0; i < places.size(); ++i)
            QVERIFY2(result.lines[i].startsWith(path + QLatin1Char(':') + places[i]), qPrintable(result.lines[i]));
        if (!places.isEmpty())
            QVERIFY2(result.lines[0].contains(QLatin1String(": the")), qPrintable(result.lines[0]));
    }

    void customDictionary()
    {
        QTemporaryDir dir;
        const QString song = writeFile(dir, QStringLiteral("song.txt"), "Songloom riffs\n");
        const QString custom = writeFile(dir, QStringLiteral("mine.dic"), "songloom\n");
        QCOMPARE(run({QStringLiteral("spell"), song}).exitCode, 1);
        QCOMPARE(run({QStringLiteral("spell"), song, QStringLiteral("--custom"), custom}).exitCode, 0);
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString fixtures = QStringLiteral(SONGLOOM_TEST_DATA "/dictionaries/");
        QTest::newRow("no file") << QStringList{"spell"} << "usage:";
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
        QTemporaryDir dir;
        const QString song = writeFile(dir, QStringLiteral("song.txt"), "teh\n");
        args.replaceInStrings(QStringLiteral("SONG"), song);
        const Run result = run(args);
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.lines.isEmpty());
        QVERIFY2(result.errors.contains(message), qPrintable(result.errors));
    }
};

QTEST_GUILESS_MAIN(tst_SpellCli)
#include "tst_spellcli.moc"
