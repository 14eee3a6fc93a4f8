#pragma once

// Songs built in code for the document tests, a description of a document to compare by, file helpers.

#include "document/DocumentImages.h"

#include <QCryptographicHash>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace SongSamples {

// A 10-point base font keeps every size exact in RTF's half points.
inline QFont testBaseFont()
{
    return QFont(QStringLiteral("MS Sans Serif"), 10);
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// A ChordBox-like picture, 40 by 48 pixels, different for every seed.
inline QImage chordPicture(int seed)
{
    QImage image(40, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int line = 0; line < 6; ++line)
        painter.drawLines(QList<QLine>{QLine(5 + line * 6, 8, 5 + line * 6, 40), QLine(5, 8 + line * 6, 35, 8 + line * 6)});
    painter.fillRect(3 + seed % 6 * 6, 10 + seed % 5 * 6, 5, 5, Qt::black);
    painter.fillRect(0, 42 + seed % 5, 1 + seed % 39, 1, Qt::black);
    return image;
}

// A picture with many colours and partial transparency.
inline QImage colourPicture()
{
    QImage image(37, 23, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 7, y * 11, (x * y) % 256, 40 + (x + y) * 3));
    return image;
}

// Family and size when given; b bold, i italic, u underline, s struck, ^ raised, _ lowered.
inline QTextCharFormat run(const QString &family = {}, double points = 0, QStringView flags = {}, QColor colour = {})
{
    QTextCharFormat format;
    if (!family.isEmpty())
        format.setFontFamilies(QStringList{family});
    if (points > 0)
        format.setFontPointSize(points);
    format.setFontWeight(flags.contains(u'b') ? QFont::Bold : QFont::Normal);
    format.setFontItalic(flags.contains(u'i')), format.setFontUnderline(flags.contains(u'u')), format.setFontStrikeOut(flags.contains(u's'));
    if (flags.contains(u'^') || flags.contains(u'_'))
        format.setVerticalAlignment(flags.contains(u'^') ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (colour.isValid())
        format.setForeground(colour);
    return format;
}

inline QTextBlockFormat paragraph(Qt::Alignment alignment, double left = 0, double right = 0, double first = 0, double before = 0, double after = 0)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    format.setLeftMargin(left), format.setRightMargin(right), format.setTextIndent(first);
    format.setTopMargin(before), format.setBottomMargin(after);
    return format;
}

// Every character and paragraph format the writer knows, and pictures.
inline void fillFullSong(QTextDocument &document)
{
    QTextCursor cursor(&document);
    cursor.setBlockFormat(paragraph(Qt::AlignHCenter, 0, 0, 0, 0, 8));
    cursor.insertText("Amazing Grace", run("Arial", 18, u"b"));
    cursor.insertBlock(paragraph(Qt::AlignRight));
    cursor.insertText("words: John Newton", run("Times New Roman", 9.5, u"i"));

    cursor.insertBlock(paragraph(Qt::AlignLeft, 30, 15, -10, 4));
    cursor.insertText("Plain, ", run());
    cursor.insertText("underlined, ", run({}, 0, u"u"));
    cursor.insertText("struck, ", run("Courier New", 12, u"s"));
    cursor.insertText("red, ", run({}, 0, {}, QColor(200, 16, 32)));
    cursor.insertText("all at once", run("Arial", 24, u"biu", QColor(0, 0, 255)));
    cursor.insertText("1", run({}, 0, u"^"));
    cursor.insertText("2", run({}, 0, u"_"));

    cursor.insertBlock(paragraph(Qt::AlignJustify, 60));
    cursor.insertText("How sweet\tthe sound", run("Arial", 8));
    cursor.insertText(QChar(QChar::LineSeparator) + QStringLiteral("that saved a wretch like me"), run());

    cursor.insertBlock(paragraph(Qt::AlignLeft));
    cursor.insertBlock(paragraph(Qt::AlignLeft)); // an empty line between verses
    DocumentImages::insertImage(cursor, chordPicture(1));
    cursor.insertText("G ", run());
    DocumentImages::insertImage(cursor, chordPicture(2));
    DocumentImages::insertImage(cursor, chordPicture(2)); // the same chord twice in a row
    cursor.insertText(" C", run());
    cursor.insertBlock(paragraph(Qt::AlignHCenter));
    DocumentImages::insertImage(cursor, colourPicture(), QSizeF(74, 46));
    cursor.insertBlock(paragraph(Qt::AlignLeft));
    cursor.insertText("Grâce étonnante – Ünïcödé € “quoted” 日本語 😀 {braces} back\\slash", run());
}

// One line per paragraph (an empty one with the size that gives it its
// height), per run of one format (however it is split in fragments), and per
// picture (pixels, and size shown in whole pixels as others' twips may be off).
inline QStringList describe(const QTextDocument &document)
{
    const auto describeRun = [&](const QTextCharFormat &format) {
        const QFont font = format.font().resolve(document.defaultFont());
        const auto flag = [](bool on, const char *name) { return on ? QString::fromLatin1(name) : QString(); };
        const bool coloured = format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
        return QStringLiteral("%1 %2pt%3%4%5%6 %7 valign %8").arg(font.family()).arg(font.pointSizeF())
            .arg(flag(font.bold(), " bold"), flag(font.italic(), " italic"), flag(format.fontUnderline(), " underline"),
                 flag(font.strikeOut(), " strike"), coloured ? format.foreground().color().name() : QStringLiteral("auto"))
            .arg(int(format.verticalAlignment()));
    };
    const auto describePicture = [&](const QTextImageFormat &format) {
        const QImage image = DocumentImages::imageFor(&document, format).convertToFormat(QImage::Format_ARGB32);
        const QSize shown = DocumentImages::shownSize(&document, format).toSize();
        const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        return QStringLiteral("  picture %1x%2 shown %3x%4 pixels %5").arg(image.width()).arg(image.height())
            .arg(shown.width()).arg(shown.height())
            .arg(QString::fromLatin1(QCryptographicHash::hash(pixels, QCryptographicHash::Md5).toHex().left(12)));
    };
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
        const char *alignment = (h & Qt::AlignHCenter) ? "center" : (h & Qt::AlignJustify) ? "justify"
            : (h & (Qt::AlignRight | Qt::AlignTrailing)) ? "right" : "left";
        const double emptySize = block.charFormat().font().resolve(document.defaultFont()).pointSizeF();
        lines << QStringLiteral("paragraph %1 left %2 right %3 first %4 before %5 after %6%7")
                     .arg(QLatin1String(alignment)).arg(f.leftMargin() + f.indent() * document.indentWidth())
                     .arg(f.rightMargin()).arg(f.textIndent()).arg(f.topMargin()).arg(f.bottomMargin())
                     .arg(block.length() > 1 ? QString() : QStringLiteral(" empty %1pt").arg(emptySize));
        QString previous;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const bool picture = format.isImageFormat();
            const QString described = picture ? describePicture(format.toImageFormat()) : describeRun(format);
            if (picture) {
                for (int i = 0; i < fragment.length(); ++i)
                    lines << described;
            } else if (described == previous) { // the run goes on
                lines.last().insert(lines.last().lastIndexOf(QLatin1Char('"')), fragment.text());
            } else {
                lines << QStringLiteral("  \"%1\" %2").arg(fragment.text(), described);
            }
            previous = described;
        }
    }
    return lines;
}

inline QStringList pictures(const QTextDocument &document)
{
    return describe(document).filter(QRegularExpression(QStringLiteral("^  picture")));
}

// The runs of text and pictures, without the paragraphs' formats.
inline QStringList runs(const QTextDocument &document)
{
    return describe(document).filter(QRegularExpression(QStringLiteral("^  ")));
}

} // namespace SongSamples
