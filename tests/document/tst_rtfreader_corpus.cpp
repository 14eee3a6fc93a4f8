// The reader over the public RTF corpus: every file opens quickly, shows the
// text LibreOffice shows, and the pictures it shows.

#include "document/RtfReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace {

// No file of the corpus is larger than 3 MB; even under sanitizers each
// opens well within this.
constexpr qint64 openTimeLimitMs = 20000;

QString corpusDir()
{
    const QString fromEnvironment = qEnvironmentVariable("SONGLOOM_RTF_CORPUS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral(SONGLOOM_SHARED_DIR "/rtf-corpus");
}

QJsonObject manifest()
{
    QFile file(corpusDir() + QStringLiteral("/manifest.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
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

int imageCount(const QTextDocument &document)
{
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                count += it.fragment().length();
        }
    }
    return count;
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

QString firstDifference(const QString &actual, const QString &expected)
{
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual.at(i) == expected.at(i))
        ++i;
    const qsizetype from = std::max<qsizetype>(0, i - 40);
    return QStringLiteral("at %1 of %2/%3:\n  ours: ...%4\n  LO:   ...%5")
        .arg(i)
        .arg(actual.size())
        .arg(expected.size())
        .arg(actual.mid(from, 100), expected.mid(from, 100));
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
    m_manifest = manifest();
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
    const QByteArray data = readFile(corpusDir() + QLatin1Char('/') + name);

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
        QString loName = name;
        loName.replace(QRegularExpression(QStringLiteral("\\.(rtf|RTF)$")), QStringLiteral(".lo.txt"));
        const QString expected = normalised(QString::fromUtf8(readFile(corpusDir() + QLatin1Char('/') + loName)));
        const QString actual = normalised(document.toPlainText());
        QVERIFY2(actual == expected, qPrintable(firstDifference(actual, expected)));
    }
    if (!pictureDifferences().contains(name))
        QCOMPARE(imageCount(document), entry.value(QStringLiteral("libreoffice_frames")).toInt());
}

QTEST_MAIN(tst_RtfReaderCorpus)
#include "tst_rtfreader_corpus.moc"
