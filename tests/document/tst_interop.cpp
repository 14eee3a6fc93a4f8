// Our RTF against LibreOffice: our song, saved again by it as RTF (directly,
// or by way of OpenDocument), reads back with the same text and formats, and
// every picture once, pixel for pixel and at our size. Skipped without it.

#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "tst_rtfwriter_documents.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace SongSamples;

class tst_Interop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void weReadLibreOfficesRtf_data();
    void weReadLibreOfficesRtf();

private:
    // Converts the file with LibreOffice; returns the converted file's path.
    QString convert(const QString &path, const QString &extension);

    QTemporaryDir m_dir;
    QString m_soffice;
    QTextDocument m_song;
};

void tst_Interop::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: interop with LibreOffice not checked");
    m_song.setDefaultFont(testBaseFont());
    fillFullSong(m_song);
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("song.rtf")), RtfWriter().write(m_song)));
}

QString tst_Interop::convert(const QString &path, const QString &extension)
{
    // A private profile, so no user setting and no running office interferes.
    const QString profile = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("profile"))).toString();
    const QString out = m_dir.filePath(QStringLiteral("out-") + extension);
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(m_soffice, {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                              QStringLiteral("--convert-to"), extension, QStringLiteral("--outdir"), out, path});
    soffice.waitForFinished(180000);
    const QString result = out + QLatin1Char('/') + QFileInfo(path).completeBaseName() + QLatin1Char('.') + extension;
    if (!QFileInfo::exists(result))
        qWarning("soffice: %s", soffice.readAll().constData());
    return QFileInfo::exists(result) ? result : QString();
}

void tst_Interop::weReadLibreOfficesRtf_data()
{
    QTest::addColumn<QString>("from");
    QTest::newRow("our RTF saved again by LibreOffice") << "rtf";
    QTest::newRow("our song as OpenDocument saved as RTF by LibreOffice") << "odt";
}

void tst_Interop::weReadLibreOfficesRtf()
{
    QFETCH(QString, from);
    const QString song = m_dir.filePath(QStringLiteral("song.rtf"));
    const QString source = from == QLatin1String("odt") ? convert(song, from) : song;
    const QString rtf = convert(source, QStringLiteral("rtf"));
    QVERIFY(!source.isEmpty() && !rtf.isEmpty());
    QTextDocument read;
    read.setDefaultFont(testBaseFont());
    QVERIFY(RtfReader().read(readAll(rtf), &read));
    // The words, where breaks, tabs and runs of spaces all become one space.
    const auto words = [](const QTextDocument &document) {
        return document.toPlainText().remove(QChar(0xFEFF)).remove(QChar::ObjectReplacementCharacter).simplified();
    };
    QCOMPARE(words(read), words(m_song));
    QCOMPARE(pictures(read), pictures(m_song));
    // Every format, as far as the pictures: LibreOffice gives Asian text a
    // size of its own and ends the song with an empty paragraph.
    const auto formats = [](const QTextDocument &document) {
        const QStringList lines = describe(document);
        return lines.mid(0, lines.indexOf(QRegularExpression(QStringLiteral("  picture.*"))));
    };
    QCOMPARE(formats(read), formats(m_song));
}

QTEST_MAIN(tst_Interop)
#include "tst_interop.moc"
