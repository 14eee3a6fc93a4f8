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

// No file of the corpus is over 3 MB; even under sanitizers each opens well within this.
constexpr qint64 openTimeLimitMs = 20000;

const QString corpusDir = qEnvironmentVariable("SONGLOOM_RTF_CORPUS", QStringLiteral(SONGLOOM_SHARED_DIR "/rtf-corpus"));

static QByteArray readFile(const QString &name)
{
    QFile file(corpusDir + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Paragraphs, line breaks, tabs and table cells (laid out by LibreOffice,
// flattened by us) become one space; LibreOffice writes nothing for a picture.
static QString normalised(QString text)
{
    static const QRegularExpression space(QStringLiteral("[\\s\\x{00A0}\\x{2028}\\x{2029}]+"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text.remove(QChar::ObjectReplacementCharacter).replace(space, QStringLiteral(" ")).trimmed();
}

// Where our text, or our picture count, differs from LibreOffice's on purpose.
const QHash<QString, const char *> textDifferences = {
    {"rtfparserkit/src_test_resources_com_rtfparserkit_parser_standard_data_test10001Encoding.rtf",
     "list labels come from \\listtext only; LibreOffice draws this list's bullet from \\listtable"},
    {"rtfpipe/RtfPipe.Tests_Files_ListGoogle.rtf",
     "we show the label the file writes (U+25CF); LibreOffice swaps in its list bullet (U+2022)"},
    {"rtfpipe/RtfPipe.Tests_Files_Test01.rtf", "\\upr shows only its Unicode part \\ud; LibreOffice shows the ANSI part too"},
};
const QHash<QString, const char *> pictureDifferences = {
    {"rtfpipe/RtfPipe.Tests_Files_AbsolutePositioning.rtf",
     "LibreOffice's frame here is a positioned paragraph, whose text we keep in the flow"},
    {"rtfpipe/RtfPipe.Tests_Files_Issue37.rtf", "two PNG pictures in \\shppict that LibreOffice drops; we show them"},
};

class tst_RtfReaderCorpus : public QObject
{
    Q_OBJECT

private slots:
    void readsLikeLibreOffice_data();
    void readsLikeLibreOffice();
};

void tst_RtfReaderCorpus::readsLikeLibreOffice_data()
{
    const QJsonObject manifest = QJsonDocument::fromJson(readFile(QStringLiteral("manifest.json"))).object();
    if (manifest.isEmpty())
        QSKIP("RTF corpus not found: set SONGLOOM_RTF_CORPUS to the folder holding manifest.json");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QJsonObject>("entry");
    for (auto it = manifest.begin(); it != manifest.end(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << it.value().toObject();
}

// Every file opens in bounded time; only files that do not start as RTF are
// refused (the song control opens those as plain text). Where LibreOffice
// read the file, our text and picture count are its own but for the above.
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

    if (!textDifferences.contains(name))
        QCOMPARE(normalised(document.toPlainText()), normalised(QString::fromUtf8(readFile(name.chopped(4) + ".lo.txt"))));
    if (!pictureDifferences.contains(name))
        QCOMPARE(document.toRawText().count(QChar::ObjectReplacementCharacter), entry.value(QStringLiteral("libreoffice_frames")).toInt());
}

QTEST_MAIN(tst_RtfReaderCorpus)
#include "tst_rtfreader_corpus.moc"
