// "songloom-cli convert IN OUT", run as the real program on real files.

#include "document/RtfWriter.h"
#include "tst_rtfwriter_documents.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace SongSamples;

class tst_Convert : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertsOrSaysWhyNot_data();
    void convertsOrSaysWhyNot();

private:
    // The exit code (-1 on a crash or hang) and the lines on standard error.
    int convert(const QString &in, const QString &out, QStringList *errors);

    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;
    QString m_song;
    QTextDocument m_document;
};

void tst_Convert::initTestCase()
{
    QVERIFY(QFileInfo::exists(QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli")));
    m_document.setDefaultFont(testBaseFont());
    fillFullSong(m_document);
    m_song = m_dir.filePath(QStringLiteral("song.rtf"));
    QVERIFY(writeAll(m_song, RtfWriter().write(m_document)));
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("plain.txt")), "just words\n"));
}

int tst_Convert::convert(const QString &in, const QString &out, QStringList *errors)
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Qt's own notes about a missing runtime folder would mix with ours.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli"), {QStringLiteral("convert"), in, out});
    if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit)
        return -1;
    *errors = QString::fromUtf8(cli.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return cli.exitCode();
}

void tst_Convert::convertsOrSaysWhyNot_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("expected"); // how the file starts (.rtf, .txt: all of it), or the error
    QTest::addColumn<QByteArray>("piece"); // in the file at least once for each picture
    const QByteArray text = m_document.toPlainText().remove(QChar::ObjectReplacementCharacter).toUtf8();
    QTest::newRow("rtf, unchanged") << "song.rtf" << "again.rtf" << 0 << readAll(m_song) << QByteArray();
    QTest::newRow("txt") << "song.rtf" << "song.txt" << 0 << text << QByteArray();
    QTest::newRow("html with its pictures inside")
        << "song.rtf" << "song.html" << 0 << QByteArray("<!DOCTYPE") << QByteArray("<img src=\"data:image/png;base64,");
    QTest::newRow("odt") << "song.rtf" << "song.odt" << 0 << QByteArray("PK") << QByteArray("Pictures/Picture");
    QTest::newRow("pdf") << "song.rtf" << "song.pdf" << 0 << QByteArray("%PDF-") << QByteArray("/Subtype /Image");
    QTest::newRow("missing input") << "missing.rtf" << "out.rtf" << 1 << QByteArray("missing.rtf") << QByteArray();
    QTest::newRow("not RTF") << "plain.txt" << "out.rtf" << 1 << QByteArray("not in Rich Text Format") << QByteArray();
    QTest::newRow("unknown output type") << "song.rtf" << "out.docx" << 2 << QByteArray(".docx") << QByteArray();
    QTest::newRow("output folder missing") << "song.rtf" << "no/such/out.rtf" << 1 << QByteArray("no/such/out.rtf") << QByteArray();
    QTest::newRow("pdf into a missing folder") << "song.rtf" << "no/such/out.pdf" << 1 << QByteArray("no/such/out.pdf") << QByteArray();
}

void tst_Convert::convertsOrSaysWhyNot()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, piece);
    const QString target = m_dir.filePath(out);
    if (exitCode == 0)
        QVERIFY(writeAll(target, "old content"));
    QStringList errors;
    QCOMPARE(convert(m_dir.filePath(in), target, &errors), exitCode);
    // The file is replaced whole: no temporary file stays behind.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".songloom-*")}, QDir::Hidden | QDir::Files), QStringList());
    if (exitCode != 0) { // one line that says what went wrong, and no file
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QLatin1String("songloom-cli: ")) && errors.first().contains(QString::fromUtf8(expected)),
                 qPrintable(errors.first()));
        QVERIFY(!QFileInfo::exists(target));
        return;
    }
    QCOMPARE(errors, QStringList());
    const QByteArray written = readAll(target);
    QVERIFY(out.endsWith(QLatin1String("rtf")) || out.endsWith(QLatin1String("txt")) ? written == expected
                                                                                    : written.startsWith(expected));
    const qsizetype pictureCount = pictures(m_document).size();
    QVERIFY(written.count(piece) >= (piece.isEmpty() ? 0 : pictureCount));
    if (out.endsWith(QLatin1String("html"))) { // the text and pictures come out of the page
        QTextDocument page;
        page.setHtml(QString::fromUtf8(written));
        QCOMPARE(page.toPlainText(), m_document.toPlainText());
        QCOMPARE(pictures(page).size(), pictureCount);
    }
}

QTEST_MAIN(tst_Convert)
#include "tst_convert.moc"
