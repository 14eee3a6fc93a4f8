#pragma once

// Songs built in code for the writer's tests, and a readable description of
// a document's content that two documents can be compared by.

#include "document/DocumentImages.h"

#include <QCryptographicHash>
#include <QPainter>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

namespace SongSamples {

// A ChordBox-like picture: black lines and dots on white, 40 by 48 pixels,
// different for every seed.
inline QImage chordPicture(int seed, QSize size = QSize(40, 48))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    for (int string = 0; string < 6; ++string)
        painter.drawLine(5 + string * 6, 8, 5 + string * 6, 40);
    for (int fret = 0; fret < 6; ++fret)
        painter.drawLine(5, 8 + fret * 6, 35, 8 + fret * 6);
    painter.setBrush(Qt::black);
    for (int dot = 0; dot < 3; ++dot)
        painter.drawEllipse(QPoint(5 + ((seed + dot * 2) % 6) * 6, 11 + ((seed / 6 + dot) % 5) * 6), 2, 2);
    painter.fillRect(0, 42 + seed % 5, 1 + seed % 39, 1, Qt::black);
    painter.end();
    return image;
}

// A picture with many colours and partial transparency.
inline QImage colourPicture()
{
    QImage image(37, 23, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 7, y * 11, (x * y) % 256, 40 + (x + y) * 3));
    }
    return image;
}

inline QTextCharFormat run(const QString &family = QString(), double points = 0)
{
    QTextCharFormat format;
    if (!family.isEmpty())
        format.setFontFamilies(QStringList{family});
    if (points > 0)
        format.setFontPointSize(points);
    return format;
}

inline void paragraph(QTextCursor &cursor, Qt::Alignment alignment = Qt::AlignLeft)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.insertBlock(format);
}

// Every character and paragraph format the writer knows, and pictures.
inline void fillFullSong(QTextDocument &document)
{
    QTextCursor cursor(&document);
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setBottomMargin(8);
    cursor.setBlockFormat(title);
    QTextCharFormat big = run(QStringLiteral("Arial"), 18);
    big.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Amazing Grace"), big);

    paragraph(cursor, Qt::AlignRight);
    QTextCharFormat italic = run(QStringLiteral("Times New Roman"), 9.5);
    italic.setFontItalic(true);
    cursor.insertText(QStringLiteral("words: John Newton"), italic);

    QTextBlockFormat verse;
    verse.setLeftMargin(30);
    verse.setRightMargin(15);
    verse.setTextIndent(-10);
    verse.setTopMargin(4);
    cursor.insertBlock(verse);
    cursor.insertText(QStringLiteral("Plain, "), run());
    QTextCharFormat underline = run();
    underline.setFontUnderline(true);
    cursor.insertText(QStringLiteral("underlined, "), underline);
    QTextCharFormat strike = run(QStringLiteral("Courier New"), 12);
    strike.setFontStrikeOut(true);
    cursor.insertText(QStringLiteral("struck, "), strike);
    QTextCharFormat red = run();
    red.setForeground(QColor(200, 16, 32));
    cursor.insertText(QStringLiteral("red, "), red);
    QTextCharFormat blueBoldItalic = run(QStringLiteral("Arial"), 24);
    blueBoldItalic.setForeground(QColor(0, 0, 255));
    blueBoldItalic.setFontWeight(QFont::Bold);
    blueBoldItalic.setFontItalic(true);
    blueBoldItalic.setFontUnderline(true);
    cursor.insertText(QStringLiteral("all at once"), blueBoldItalic);
    QTextCharFormat raised = run();
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(QStringLiteral("1"), raised);
    QTextCharFormat lowered = run();
    lowered.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(QStringLiteral("2"), lowered);

    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    justified.setLeftMargin(60);
    cursor.insertBlock(justified);
    cursor.insertText(QStringLiteral("How sweet\tthe sound"), run(QStringLiteral("Arial"), 8));
    cursor.insertText(QString(QChar::LineSeparator) + QStringLiteral("that saved a wretch like me"), run());

    paragraph(cursor);
    paragraph(cursor); // an empty line between verses
    DocumentImages::insertImage(cursor, chordPicture(1));
    cursor.insertText(QStringLiteral("G "), run());
    DocumentImages::insertImage(cursor, chordPicture(2));
    DocumentImages::insertImage(cursor, chordPicture(2)); // the same chord twice in a row
    cursor.insertText(QStringLiteral(" C"), run());
    paragraph(cursor, Qt::AlignHCenter);
    DocumentImages::insertImage(cursor, colourPicture(), QSizeF(74, 46));
    paragraph(cursor);
    cursor.insertText(QStringLiteral("Grâce étonnante – Ünïcödé € “quoted” 日本語 😀 {braces} back\\slash"), run());
}

inline QString describeColour(const QTextCharFormat &format)
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush) || format.foreground().style() == Qt::NoBrush)
        return QStringLiteral("auto");
    return format.foreground().color().name();
}

inline QString describeAlignment(Qt::Alignment alignment)
{
    const Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (h & Qt::AlignJustify)
        return QStringLiteral("justify");
    if ((h & Qt::AlignRight) || (h & Qt::AlignTrailing))
        return QStringLiteral("right");
    return QStringLiteral("left");
}

inline QString describeRun(const QTextDocument &document, const QTextCharFormat &format)
{
    const QFont font = format.font().resolve(document.defaultFont());
    QString valign;
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        valign = QStringLiteral(" super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        valign = QStringLiteral(" sub");
    return QStringLiteral("%1 %2pt%3%4%5%6 %7%8")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.bold() ? QStringLiteral(" bold") : QString())
        .arg(font.italic() ? QStringLiteral(" italic") : QString())
        .arg(format.fontUnderline() ? QStringLiteral(" underline") : QString())
        .arg(font.strikeOut() ? QStringLiteral(" strike") : QString())
        .arg(describeColour(format), valign);
}

inline QString describePicture(const QTextDocument &document, const QTextImageFormat &format)
{
    const QImage image = DocumentImages::imageFor(&document, format).convertToFormat(QImage::Format_ARGB32);
    const QSizeF shown = DocumentImages::shownSize(&document, format);
    const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return QStringLiteral("  picture %1x%2 shown %3x%4 pixels %5")
        .arg(image.width())
        .arg(image.height())
        .arg(shown.width())
        .arg(shown.height())
        .arg(QString::fromLatin1(QCryptographicHash::hash(pixels, QCryptographicHash::Md5).toHex().left(12)));
}

// One line per paragraph (its format) and per run of equally formatted
// text or picture; neighbouring runs of one format are joined, so documents
// that hold the same content in different fragments compare equal.
inline QStringList describe(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        lines << QStringLiteral("paragraph %1 left %2 right %3 first %4 before %5 after %6")
                     .arg(describeAlignment(f.alignment()))
                     .arg(f.leftMargin() + f.indent() * document.indentWidth())
                     .arg(f.rightMargin())
                     .arg(f.textIndent())
                     .arg(f.topMargin())
                     .arg(f.bottomMargin());
        QString runFormat;
        QString runText;
        const auto flush = [&] {
            if (!runText.isEmpty())
                lines << QStringLiteral("  \"%1\" %2").arg(runText, runFormat);
            runText.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                flush();
                for (int i = 0; i < fragment.length(); ++i)
                    lines << describePicture(document, format.toImageFormat());
                continue;
            }
            const QString described = describeRun(document, format);
            if (described != runFormat)
                flush();
            runFormat = described;
            runText += fragment.text();
        }
        flush();
    }
    return lines;
}

inline int pictureCount(const QTextDocument &document)
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

} // namespace SongSamples
