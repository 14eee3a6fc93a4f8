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
    void weReadLibreOfficesRtf_data();
    void weReadLibreOfficesRtf();
};

void tst_Interop::weReadLibreOfficesRtf_data()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: interop with LibreOffice not checked");
    QTest::addColumn<QString>("from");
    QTest::newRow("our RTF saved again by LibreOffice") << "rtf";
    QTest::newRow("our song as OpenDocument saved as RTF by LibreOffice") << "odt";
}

void tst_Interop::weReadLibreOfficesRtf()
{
    QFETCH(QString, from);
    QTemporaryDir dir;
    // LibreOffice in a private profile (no user setting, no running office); gives the file converted.
    const auto convert = [&dir](const QString &path, const QString &extension) {
        const QString out = dir.filePath("out-" + extension);
        QProcess soffice;
        soffice.setProcessChannelMode(QProcess::MergedChannels);
        soffice.start(QStringLiteral("soffice"), {"-env:UserInstallation=" + QUrl::fromLocalFile(dir.filePath("profile")).toString(),
                                                  "--headless", "--convert-to", extension, "--outdir", out, path});
        soffice.waitForFinished(180000);
        const QString result = out + '/' + QFileInfo(path).completeBaseName() + '.' + extension;
        if (!QFileInfo::exists(result))
            qWarning("soffice: %s", soffice.readAll().constData());
        return QFileInfo::exists(result) ? result : QString();
    };
    QTextDocument song, read;
    song.setDefaultFont(testBaseFont());
    read.setDefaultFont(testBaseFont());
    fillFullSong(song);
    const QString path = dir.filePath(QStringLiteral("song.rtf"));
    QVERIFY(writeAll(path, RtfWriter().write(song)));
    const QString source = from == QLatin1String("odt") ? convert(path, from) : path;
    const QString rtf = convert(source, QStringLiteral("rtf"));
    QVERIFY(!source.isEmpty() && !rtf.isEmpty());
    QVERIFY(RtfReader().read(readAll(rtf), &read));
    // The words, where breaks, tabs and runs of spaces all become one space;
    // every format, as far as the pictures (LibreOffice gives Asian text a
    // size of its own and ends the song with an empty paragraph).
    const auto words = [](const QTextDocument &document) {
        return document.toPlainText().remove(QChar(0xFEFF)).remove(QChar::ObjectReplacementCharacter).simplified();
    };
    const auto formats = [](const QTextDocument &document) {
        const QStringList lines = describe(document);
        return lines.mid(0, lines.indexOf(QRegularExpression(QStringLiteral("  picture.*"))));
    };
    QCOMPARE(words(read), words(song));
    QCOMPARE(pictures(read), pictures(song));
    QCOMPARE(formats(read), formats(song));
}

QTEST_MAIN(tst_Interop)
#include "tst_interop.moc"
