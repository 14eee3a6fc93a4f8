#include "cli/ConvertCommand.h"

#include "document/BaseFont.h"
#include "document/DocumentImages.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "document/SongPrinter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPrinter>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextImageFormat>
#include <QTextStream>

namespace {

struct Outcome
{
    bool ok = true;
    QString error;
};

Outcome failed(const QString &error)
{
    return {false, error};
}

Outcome writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failed(file.errorString());
    return {};
}

QString plainText(const QTextDocument &document)
{
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter); // pictures have no text
    return text;
}

// HTML that carries its pictures inside, so it shows anywhere on its own.
QByteArray selfContainedHtml(const QTextDocument &document)
{
    QHash<QString, QString> dataUrls;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QTextImageFormat image = format.toImageFormat();
            if (dataUrls.contains(image.name()))
                continue;
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            DocumentImages::imageFor(&document, image).save(&buffer, "PNG");
            dataUrls.insert(image.name(), QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64()));
        }
    }
    QString html = document.toHtml();
    for (auto it = dataUrls.cbegin(); it != dataUrls.cend(); ++it)
        html.replace(QLatin1String("src=\"") + it.key() + QLatin1Char('"'), QLatin1String("src=\"") + it.value() + QLatin1Char('"'));
    return html.toUtf8();
}

Outcome writeOdt(const QString &path, const QTextDocument &document)
{
    // The zip writer closes its device when done, so it writes to memory.
    QByteArray odt;
    QBuffer buffer(&odt);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&document))
        return failed(QStringLiteral("the song could not be written as OpenDocument"));
    return writeBytes(path, odt);
}

// Printed as the Print command prints the whole song, into a file beside
// the target that replaces it only when the printing has succeeded.
Outcome writePdf(const QString &path, const QTextDocument &document)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absoluteDir().filePath(QStringLiteral(".songloom-XXXXXX.pdf")));
    if (!temporary.open())
        return failed(temporary.errorString());
    temporary.close();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary.fileName());
    if (!SongPrinter::print(document, &printer) || QFileInfo(temporary.fileName()).size() == 0)
        return failed(QStringLiteral("printing to PDF failed"));

    if (target.exists() && !QFile::remove(path))
        return failed(QStringLiteral("the existing file cannot be replaced"));
    if (!QFile::rename(temporary.fileName(), path))
        return failed(QStringLiteral("the printed file cannot be moved into place"));
    temporary.setAutoRemove(false);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                    | QFileDevice::ReadOther);
    return {};
}

} // namespace

int runConvertCommand(const QStringList &args, QTextStream &, QTextStream &err)
{
    if (args.size() != 2) {
        err << "usage: songloom-cli convert IN OUT   (OUT ends in .rtf, .txt, .html, .odt or .pdf)\n";
        return 2;
    }
    const QString &in = args.at(0);
    const QString &out = args.at(1);

    const QString type = QFileInfo(out).suffix().toLower();
    static const QStringList types = {"rtf", "txt", "html", "odt", "pdf"};
    if (!types.contains(type)) {
        err << "songloom-cli: " << out << ": cannot write \"." << type
            << "\" files; use .rtf, .txt, .html, .odt or .pdf\n";
        return 2;
    }

    QFile file(in);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "songloom-cli: " << in << ": " << file.errorString() << '\n';
        return 1;
    }
    const QByteArray rtf = file.readAll();
    QTextDocument document;
    document.setDefaultFont(songBaseFont());
    RtfReader reader;
    if (!reader.read(rtf, &document)) {
        err << "songloom-cli: " << in << ": " << reader.errorString() << '\n';
        return 1;
    }

    Outcome outcome;
    if (type == QLatin1String("rtf"))
        outcome = writeBytes(out, RtfWriter().write(document));
    else if (type == QLatin1String("txt"))
        outcome = writeBytes(out, plainText(document).toUtf8());
    else if (type == QLatin1String("html"))
        outcome = writeBytes(out, selfContainedHtml(document));
    else if (type == QLatin1String("odt"))
        outcome = writeOdt(out, document);
    else
        outcome = writePdf(out, document);

    if (!outcome.ok) {
        err << "songloom-cli: " << out << ": " << outcome.error << '\n';
        return 1;
    }
    return 0;
}
