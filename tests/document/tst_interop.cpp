// Our RTF against real peers: LibreOffice opens it with its text, formats
// and pictures; LibreOffice's own RTF of the same song opens in Songloom;
// unrtf reads the text. Skipped, with one line, where a peer is absent.

#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "tst_rtfwriter_documents.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

constexpr int conversionTimeoutMs = 180000;

QFont testBaseFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(10);
    return font;
}

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

// Paragraph and line breaks, tabs and runs of spaces all become one space.
QString normalised(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(QChar::ObjectReplacementCharacter);
    static const QRegularExpression space(QStringLiteral("[\\s\\x{00A0}\\x{2028}\\x{2029}]+"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    return text.replace(space, QStringLiteral(" ")).trimmed();
}

// The pictures, their shown sizes in whole pixels: a peer's twips may be
// off by one from ours.
QStringList pictureLines(const QTextDocument &document)
{
    QStringList lines = SongSamples::describe(document).filter(QStringLiteral("  picture"));
    static const QRegularExpression shown(QStringLiteral("shown ([\\d.]+)x([\\d.]+)"));
    for (QString &line : lines) {
        const auto match = shown.match(line);
        line.replace(match.capturedStart(), match.capturedLength(),
                     QStringLiteral("shown %1x%2").arg(qRound(match.captured(1).toDouble())).arg(qRound(match.captured(2).toDouble())));
    }
    return lines;
}

double toPixels(double value, const QString &unit)
{
    if (unit == QLatin1String("in"))
        return value * 96;
    if (unit == QLatin1String("cm"))
        return value * 96 / 2.54;
    if (unit == QLatin1String("mm"))
        return value * 96 / 25.4;
    return value * 96 / 72; // pt
}

} // namespace

class tst_Interop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void libreOfficeShowsOurText();
    void libreOfficeShowsOurPictures();
    void libreOfficeKeepsOurFormats_data();
    void libreOfficeKeepsOurFormats();
    void weReadLibreOfficesRtf_data();
    void weReadLibreOfficesRtf();
    void unrtfReadsOurText();

private:
    // Converts the file with LibreOffice; returns the converted file's path.
    QString convert(const QString &path, const QString &filter, const QString &extension);

    QTemporaryDir m_dir;
    QString m_soffice;
    QString m_songPath;
    QTextDocument m_song;
    QString m_flatOdt;
};

void tst_Interop::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: interop with LibreOffice not checked");
    QVERIFY(m_dir.isValid());
    if (qEnvironmentVariableIsSet("SONGLOOM_KEEP_INTEROP_FILES")) {
        m_dir.setAutoRemove(false);
        qInfo("interop files kept in %s", qPrintable(m_dir.path()));
    }
    m_song.setDefaultFont(testBaseFont());
    SongSamples::fillFullSong(m_song);
    m_songPath = m_dir.filePath(QStringLiteral("song.rtf"));
    QVERIFY(writeAll(m_songPath, RtfWriter().write(m_song)));
    m_flatOdt = convert(m_songPath, QStringLiteral("fodt"), QStringLiteral("fodt"));
    QVERIFY(!m_flatOdt.isEmpty());
}

QString tst_Interop::convert(const QString &path, const QString &filter, const QString &extension)
{
    // A private profile, so no user setting and no running office interferes.
    const QString profile = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("profile"))).toString();
    const QString out = m_dir.filePath(QStringLiteral("out-") + extension);
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(m_soffice, {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                              QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), out, path});
    if (!soffice.waitForFinished(conversionTimeoutMs)) {
        soffice.kill();
        soffice.waitForFinished();
        qWarning("soffice did not finish");
        return {};
    }
    const QString result = out + QLatin1Char('/') + QFileInfo(path).completeBaseName() + QLatin1Char('.') + extension;
    if (!QFileInfo::exists(result)) {
        qWarning("soffice: %s", soffice.readAll().constData());
        return {};
    }
    return result;
}

void tst_Interop::libreOfficeShowsOurText()
{
    const QString text = convert(m_songPath, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"));
    QVERIFY(!text.isEmpty());
    QCOMPARE(normalised(QString::fromUtf8(readAll(text))), normalised(m_song.toPlainText()));
}

void tst_Interop::libreOfficeShowsOurPictures()
{
    // Each picture once (LibreOffice takes the PNG and skips the metafile),
    // pixel for pixel, at the size we show it.
    const QString flat = QString::fromUtf8(readAll(m_flatOdt));
    static const QRegularExpression frame(QStringLiteral(
        "<draw:frame[^>]*?svg:width=\"([\\d.]+)(in|cm|mm|pt)\"[^>]*?svg:height=\"([\\d.]+)(in|cm|mm|pt)\"[^>]*>\\s*"
        "<draw:image[^>]*>\\s*<office:binary-data>([^<]*)</office:binary-data>"));
    QStringList found;
    for (auto it = frame.globalMatch(flat); it.hasNext();) {
        const auto match = it.next();
        const QImage image = QImage::fromData(QByteArray::fromBase64(match.captured(5).toLatin1()));
        QTextDocument one;
        QTextCursor cursor(&one);
        const QSizeF shown(qRound(toPixels(match.captured(1).toDouble(), match.captured(2))),
                           qRound(toPixels(match.captured(3).toDouble(), match.captured(4))));
        DocumentImages::insertImage(cursor, image, shown);
        found << pictureLines(one);
    }
    QCOMPARE(found, pictureLines(m_song));
}

void tst_Interop::libreOfficeKeepsOurFormats_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("bold") << "fo:font-weight=\"bold\"";
    QTest::newRow("italic") << "fo:font-style=\"italic\"";
    QTest::newRow("underline") << "style:text-underline-style=\"solid\"";
    QTest::newRow("strike-through") << "style:text-line-through-style=\"solid\"";
    QTest::newRow("colour") << "fo:color=\"#c81020\"";
    QTest::newRow("font") << "style:font-name=\"Courier New\"";
    QTest::newRow("size") << "fo:font-size=\"18pt\"";
    QTest::newRow("half-point size") << "fo:font-size=\"9.5pt\"";
    QTest::newRow("centred") << "fo:text-align=\"center\"";
    QTest::newRow("right") << "fo:text-align=\"end\"";
    QTest::newRow("justified") << "fo:text-align=\"justify\"";
    QTest::newRow("left indent 450 twips") << "fo:margin-left=\"(0\\.312[56]in|0\\.79[34]\\d*cm)\"";
    QTest::newRow("first line -150 twips") << "fo:text-indent=\"-(0\\.1043in|0\\.104in|0\\.265cm|0\\.2646cm)\"";
    QTest::newRow("superscript") << "style:text-position=\"super";
}

void tst_Interop::libreOfficeKeepsOurFormats()
{
    QFETCH(QString, pattern);
    const QString flat = QString::fromUtf8(readAll(m_flatOdt));
    QVERIFY2(flat.contains(QRegularExpression(pattern)), qPrintable(pattern));
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
    QString source = m_songPath;
    if (from == QLatin1String("odt")) {
        source = convert(m_songPath, QStringLiteral("odt"), QStringLiteral("odt"));
        QVERIFY(!source.isEmpty());
    }
    const QString rtf = convert(source, QStringLiteral("rtf"), QStringLiteral("rtf"));
    QVERIFY(!rtf.isEmpty());
    QTextDocument read;
    read.setDefaultFont(testBaseFont());
    QVERIFY(RtfReader().read(readAll(rtf), &read));
    QCOMPARE(normalised(read.toPlainText()), normalised(m_song.toPlainText()));
    QCOMPARE(pictureLines(read), pictureLines(m_song));
}

void tst_Interop::unrtfReadsOurText()
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty())
        QSKIP("unrtf is not installed: not checked");
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(unrtf, {QStringLiteral("--text"), m_songPath});
    QVERIFY(process.waitForFinished(conversionTimeoutMs));
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    // unrtf opens with a comment block of its own and notes each picture
    // it finds (once: it takes the PNG, not the metafile as well).
    text = text.mid(text.indexOf(QLatin1String("-----------------\n")) + 18);
    static const QRegularExpression pictureNote(QStringLiteral("### picture data found[^\n]*\n(pict\\d+\\.png)"));
    QCOMPARE(text.count(pictureNote), SongSamples::pictureCount(m_song));
    text.remove(pictureNote);
    // It knows no Unicode in text mode and shows our "?" fallback, one
    // for each UTF-16 code unit.
    QString expected = m_song.toPlainText();
    for (QChar &ch : expected) {
        if (ch.unicode() >= 0x80 && ch != QChar::ObjectReplacementCharacter)
            ch = QLatin1Char('?');
    }
    QCOMPARE(normalised(text), normalised(expected));
}

QTEST_MAIN(tst_Interop)
#include "tst_interop.moc"
