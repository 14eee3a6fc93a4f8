// "songloom-cli convert IN OUT", run as the real program on real files.

#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "tst_rtfwriter_documents.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QStringList errorLines;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QFont testBaseFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(10);
    return font;
}

} // namespace

class tst_Convert : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void toRtfKeepsTheSong();
    void toText();
    void toHtmlCarriesItsPictures();
    void toOpenDocument();
    void toPdf();
    void badInput_data();
    void badInput();

private:
    Run convert(const QString &in, const QString &out);

    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;
    QString m_song;
    QTextDocument m_document;
};

void tst_Convert::initTestCase()
{
    QVERIFY(QFileInfo::exists(QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli")));
    m_document.setDefaultFont(testBaseFont());
    SongSamples::fillFullSong(m_document);
    m_song = m_dir.filePath(QStringLiteral("song.rtf"));
    QVERIFY(writeAll(m_song, RtfWriter().write(m_document)));
}

Run tst_Convert::convert(const QString &in, const QString &out)
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Qt's own notes about a missing runtime folder would mix with ours.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli"), {QStringLiteral("convert"), in, out});
    if (!cli.waitForFinished(60000))
        return {};
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
}

void tst_Convert::toRtfKeepsTheSong()
{
    const QString out = m_dir.filePath(QStringLiteral("again.rtf"));
    const Run run = convert(m_song, out);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.errorLines.isEmpty());
    QCOMPARE(readAll(out), readAll(m_song));
}

void tst_Convert::toText()
{
    const QString out = m_dir.filePath(QStringLiteral("song.txt"));
    QCOMPARE(convert(m_song, out).exitCode, 0);
    QString expected = m_document.toPlainText();
    expected.remove(QChar::ObjectReplacementCharacter);
    QCOMPARE(QString::fromUtf8(readAll(out)), expected);
}

void tst_Convert::toHtmlCarriesItsPictures()
{
    const QString out = m_dir.filePath(QStringLiteral("song.html"));
    QCOMPARE(convert(m_song, out).exitCode, 0);
    const QString html = QString::fromUtf8(readAll(out));
    QVERIFY(html.contains(QLatin1String("Amazing Grace")));
    QVERIFY(html.contains(QStringLiteral("日本語")));
    QCOMPARE(html.count(QLatin1String("<img src=\"data:image/png;base64,")), SongSamples::pictureCount(m_document));
    // The pictures come back out of the page as they went in.
    QTextDocument page;
    page.setHtml(html);
    QCOMPARE(SongSamples::pictureCount(page), SongSamples::pictureCount(m_document));
}

void tst_Convert::toOpenDocument()
{
    const QString out = m_dir.filePath(QStringLiteral("song.odt"));
    QCOMPARE(convert(m_song, out).exitCode, 0);
    const QByteArray odt = readAll(out);
    QVERIFY(odt.startsWith("PK"));
    QVERIFY(odt.contains("mimetypeapplication/vnd.oasis.opendocument.text"));
    QVERIFY(odt.contains("content.xml"));
    // Each picture is stored in the package.
    const int pictures = SongSamples::pictureCount(m_document);
    QVERIFY(odt.contains("Pictures/Picture" + QByteArray::number(pictures)));
    QVERIFY(!odt.contains("Pictures/Picture" + QByteArray::number(pictures + 1)));
}

void tst_Convert::toPdf()
{
    const QString out = m_dir.filePath(QStringLiteral("song.pdf"));
    QVERIFY(writeAll(out, "old content"));
    QCOMPARE(convert(m_song, out).exitCode, 0);
    const QByteArray pdf = readAll(out);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.contains("/Type /Page"));
    QVERIFY(pdf.contains("/Subtype /Image"));
    // No temporary file left behind.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".songloom-*")}, QDir::Hidden | QDir::Files).size(), 0);
}

void tst_Convert::badInput_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing input") << "missing.rtf" << "out.rtf" << 1 << "missing.rtf";
    QTest::newRow("not RTF") << "plain.txt" << "out.rtf" << 1 << "not in Rich Text Format";
    QTest::newRow("unknown output type") << "song.rtf" << "out.docx" << 2 << ".docx";
    QTest::newRow("output folder missing") << "song.rtf" << "no/such/out.rtf" << 1 << "no/such/out.rtf";
    QTest::newRow("pdf into a missing folder") << "song.rtf" << "no/such/out.pdf" << 1 << "no/such/out.pdf";
}

void tst_Convert::badInput()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("plain.txt")), "just words\n"));
    const QString target = m_dir.filePath(out);
    QFile::remove(target);
    const Run run = convert(m_dir.filePath(in), target);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.errorLines.size(), 1);
    QVERIFY2(run.errorLines.first().startsWith(QLatin1String("songloom-cli: ")), qPrintable(run.errorLines.first()));
    QVERIFY2(run.errorLines.first().contains(message), qPrintable(run.errorLines.first()));
    QVERIFY(!QFileInfo::exists(target));
}

QTEST_MAIN(tst_Convert)
#include "tst_convert.moc"
