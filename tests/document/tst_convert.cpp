// "songloom-cli convert IN OUT", run as the real program on real files.

#include "document/RtfWriter.h"
#include "support/CliRun.h"
#include "tst_rtfwriter_documents.h"

#include <QDir>
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
    QTemporaryDir m_dir;
    QTextDocument m_document;
};

void tst_Convert::initTestCase()
{
    QVERIFY(QFileInfo::exists(CliRun::cliPath()));
    m_document.setDefaultFont(testBaseFont());
    fillFullSong(m_document);
    QVERIFY(writeAll(m_dir.filePath("song.rtf"), RtfWriter().write(m_document)));
    QVERIFY(writeAll(m_dir.filePath("plain.txt"), "just words\n"));
}

void tst_Convert::convertsOrSaysWhyNot_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("expected"); // how the file starts (.rtf, .txt: all of it), or the error
    QTest::addColumn<QByteArray>("piece"); // in the file at least once for each picture
    const QByteArray text = m_document.toPlainText().remove(QChar::ObjectReplacementCharacter).toUtf8();
    QTest::newRow("rtf, unchanged") << "song.rtf" << "again.rtf" << 0 << readAll(m_dir.filePath("song.rtf")) << QByteArray();
    QTest::newRow("txt") << "song.rtf" << "song.txt" << 0 << text << QByteArray();
    QTest::newRow("html with its pictures inside") << "song.rtf" << "song.html" << 0 << QByteArray("<!DOCTYPE")
                                                   << QByteArray("<img src=\"data:image/png;base64,");
    QTest::newRow("odt") << "song.rtf" << "song.odt" << 0 << QByteArray("PK") << QByteArray("Pictures/Picture");
    QTest::newRow("pdf") << "song.rtf" << "song.pdf" << 0 << QByteArray("%PDF-") << QByteArray("/Subtype /Image");
    QTest::newRow("missing input") << "missing.rtf" << "out.rtf" << 1 << QByteArray("missing.rtf") << QByteArray();
    QTest::newRow("not RTF") << "plain.txt" << "out.rtf" << 1 << QByteArray("not in Rich Text Format") << QByteArray();
    QTest::newRow("unknown output type") << "song.rtf" << "out.docx" << 2 << QByteArray(".docx") << QByteArray();
    QTest::newRow("pdf into a missing folder") << "song.rtf" << "no/such/out.pdf" << 1 << QByteArray("no/such/out.pdf") << QByteArray();
}

// The file is replaced whole, with no temporary file left; a failure is one line saying why, and no file.
void tst_Convert::convertsOrSaysWhyNot()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, piece);
    const QString target = m_dir.filePath(out);
    QVERIFY(exitCode != 0 || writeAll(target, "old content"));
    const CliRun cli = CliRun::run({"convert", m_dir.filePath(in), target}, m_dir.path());
    QCOMPARE(cli.exitCode, exitCode);
    QCOMPARE(QDir(m_dir.path()).entryList({".songloom-*"}, QDir::Hidden | QDir::Files), QStringList());
    if (exitCode != 0) {
        QVERIFY2(cli.err.startsWith("songloom-cli: ") && cli.err.count('\n') == 1 && cli.err.contains(expected), qPrintable(cli.err));
        QVERIFY(!QFileInfo::exists(target));
        return;
    }
    QCOMPARE(cli.err, QString());
    const QByteArray written = readAll(target);
    QVERIFY(out.endsWith("rtf") || out.endsWith("txt") ? written == expected : written.startsWith(expected));
    QVERIFY(piece.isEmpty() || written.count(piece) >= pictures(m_document).size());
}

QTEST_MAIN(tst_Convert)
#include "tst_convert.moc"
