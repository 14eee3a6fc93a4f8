// The reader over the public RTF corpus: every file opens quickly, shows the
// text LibreOffice shows, and the pictures it shows.

#include "document/RtfReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

namespace {

// No file of the corpus is larger than 3 MB; even under sanitizers each
// opens well within this.
constexpr qint64 openTimeLimitMs = 20000;

const QString corpusDir = qEnvironmentVariable("SONGLOOM_RTF_CORPUS", QStringLiteral(SONGLOOM_SHARED_DIR "/rtf-corpus"));

QByteArray readFile(const QString &name)
{
    QFile file(corpusDir + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Paragraphs, line breaks, tabs and table cells all become one space: tables
// are flattened here and laid out in cells by LibreOffice.
QString normalised(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(QChar::ObjectReplacementCharacter); // LibreOffice writes nothing for a picture
    static const QRegularExpression space(QStringLiteral("[\\s\\x{00A0}\\x{2028}\\x{2029}]+"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    text.replace(space, QStringLiteral(" "));
    return text.trimmed();
}

// Where our text differs from LibreOffice's on purpose.
const QHash<QString, QString> &textDifferences()
{
    static const QHash<QString, QString> differences = {
        {QStringLiteral("rtfparserkit/src_test_resources_com_rtfparserkit_parser_standard_data_test10001Encoding.rtf"),
         QStringLiteral("list labels come from \\listtext only; LibreOffice draws this list's bullet from \\listtable")},
        {QStringLiteral("rtfpipe/RtfPipe.Tests_Files_ListGoogle.rtf"),
         QStringLiteral("we show the label the file writes (U+25CF); LibreOffice swaps in its list bullet (U+2022)")},
        {QStringLiteral("rtfpipe/RtfPipe.Tests_Files_Test01.rtf"),
         QStringLiteral("\\upr shows only its Unicode part \\ud; LibreOffice shows the ANSI part too")},
    };
    return differences;
}

// Where our picture count differs from LibreOffice's frames on purpose.
const QHash<QString, QString> &pictureDifferences()
{
    static const QHash<QString, QString> differences = {
        {QStringLiteral("rtfpipe/RtfPipe.Tests_Files_AbsolutePositioning.rtf"),
         QStringLiteral("LibreOffice's frame here is a positioned paragraph, whose text we keep in the flow")},
        {QStringLiteral("rtfpipe/RtfPipe.Tests_Files_Issue37.rtf"),
         QStringLiteral("two PNG pictures in \\shppict that LibreOffice drops; we show them")},
    };
    return differences;
}

} // namespace

class tst_RtfReaderCorpus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsLikeLibreOffice_data();
    void readsLikeLibreOffice();

private:
    QJsonObject m_manifest;
};

void tst_RtfReaderCorpus::initTestCase()
{
    m_manifest = QJsonDocument::fromJson(readFile(QStringLiteral("manifest.json"))).object();
    if (m_manifest.isEmpty())
        QSKIP("RTF corpus not found: set SONGLOOM_RTF_CORPUS to the folder holding manifest.json");
}

void tst_RtfReaderCorpus::readsLikeLibreOffice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QJsonObject>("entry");
    const QStringList names = m_manifest.keys();
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name << m_manifest.value(name).toObject();
}

// Every file opens in bounded time; only files that do not start as RTF are
// refused (LibreOffice shows those as plain text; the song control decides for
// us). Where LibreOffice read the file, our text and picture count are its own
// but for the differences listed above.
void tst_RtfReaderCorpus::readsLikeLibreOffice()
{
    QFETCH(QString, name);
    QFETCH(QJsonObject, entry);
    const QByteArray data = readFile(name);

    QTextDocument document;
    RtfReader reader;
    QElapsedTimer timer;
    timer.start();
    const bool isRtf = reader.read(data, &document);
    QVERIFY2(timer.elapsed() < openTimeLimitMs, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(isRtf, data.trimmed().startsWith("{\\rtf"));
    QCOMPARE(reader.errorString().isEmpty(), isRtf);
    if (!isRtf || !entry.value(QStringLiteral("libreoffice_text")).toBool())
        return;

    if (!textDifferences().contains(name)) {
        const QString loName = name.chopped(4) + QStringLiteral(".lo.txt");
        QCOMPARE(normalised(document.toPlainText()), normalised(QString::fromUtf8(readFile(loName))));
    }
    if (!pictureDifferences().contains(name))
        QCOMPARE(document.toRawText().count(QChar::ObjectReplacementCharacter), entry.value(QStringLiteral("libreoffice_frames")).toInt());
}

QTEST_MAIN(tst_RtfReaderCorpus)
#include "tst_rtfreader_corpus.moc"
