#include "app/AppIcons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace AppIcons {

namespace {

// Colours of our own drawings.
const QColor ink(40, 40, 48);
const QColor paper(250, 250, 246);
const QColor accent(40, 96, 176);
const QColor warm(200, 60, 40);
const QColor folder(226, 180, 72);

struct KeyInfo
{
    const char *themeName;
};

const QHash<QString, KeyInfo> &themeNames()
{
    static const QHash<QString, KeyInfo> names = {
        {QStringLiteral("New"), {"document-new"}},
        {QStringLiteral("Open"), {"document-open"}},
        {QStringLiteral("Save"), {"document-save"}},
        {QStringLiteral("Print"), {"document-print"}},
        {QStringLiteral("Cut"), {"edit-cut"}},
        {QStringLiteral("Copy"), {"edit-copy"}},
        {QStringLiteral("Paste"), {"edit-paste"}},
        {QStringLiteral("Delete"), {"edit-delete"}},
        {QStringLiteral("Undo"), {"edit-undo"}},
        {QStringLiteral("ChordBox"), {nullptr}},
        {QStringLiteral("SpellCheck"), {"tools-check-spelling"}},
        {QStringLiteral("Font"), {"preferences-desktop-font"}},
        {QStringLiteral("Bold"), {"format-text-bold"}},
        {QStringLiteral("Italic"), {"format-text-italic"}},
        {QStringLiteral("Underline"), {"format-text-underline"}},
        {QStringLiteral("Left"), {"format-justify-left"}},
        {QStringLiteral("Center"), {"format-justify-center"}},
        {QStringLiteral("Right"), {"format-justify-right"}},
        {QStringLiteral("Copyright"), {nullptr}},
    };
    return names;
}

void drawPage(QPainter &p, const QRectF &r)
{
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - 3, r.top());
    page.lineTo(r.right(), r.top() + 3);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawPath(page);
}

void drawLetter(QPainter &p, const QString &text, bool bold, bool italic, bool underline,
                const QColor &colour = ink)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(14);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void drawLines(QPainter &p, Qt::Alignment alignment)
{
    p.setPen(QPen(ink, 1.5));
    const int lengths[] = {14, 9, 12, 8};
    for (int i = 0; i < 4; ++i) {
        const qreal y = 2.5 + i * 3.7;
        const int len = lengths[i];
        qreal x = 1;
        if (alignment == Qt::AlignHCenter)
            x = (16 - len) / 2.0;
        else if (alignment == Qt::AlignRight)
            x = 15 - len;
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
}

void drawChordBox(QPainter &p)
{
    // A small chord diagram: six strings, four frets, two dots.
    p.setPen(QPen(ink, 1));
    for (int s = 0; s < 6; ++s)
        p.drawLine(QPointF(2.5 + s * 2.2, 3), QPointF(2.5 + s * 2.2, 15));
    for (int f = 0; f < 5; ++f)
        p.drawLine(QPointF(2.5, 3 + f * 3), QPointF(13.5, 3 + f * 3));
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(2.5, 2), QPointF(13.5, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(QPointF(6.9, 7.5), 1.6, 1.6);
    p.drawEllipse(QPointF(9.1, 10.5), 1.6, 1.6);
}

void paint(const QString &key, QPainter &p)
{
    if (key == QLatin1String("New")) {
        drawPage(p, QRectF(3.5, 1.5, 9, 13));
    } else if (key == QLatin1String("Open")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(folder.darker(115));
        p.drawRect(QRectF(1.5, 3.5, 12, 10));
        p.setBrush(folder);
        QPolygonF flap({QPointF(3.5, 6.5), QPointF(15.5, 6.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
        p.drawPolygon(flap);
    } else if (key == QLatin1String("Save")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(accent);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    } else if (key == QLatin1String("Print")) {
        p.setPen(QPen(ink, 1));
        drawPage(p, QRectF(4.5, 1.5, 7, 6));
        p.setBrush(QColor(160, 160, 168));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    } else if (key == QLatin1String("Cut")) {
        p.setPen(QPen(ink, 1.3));
        p.drawLine(QPointF(4, 1), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1), QPointF(5.5, 11));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(warm, 1.5));
        p.drawEllipse(QPointF(4.5, 12.5), 2.2, 2.2);
        p.drawEllipse(QPointF(11.5, 12.5), 2.2, 2.2);
    } else if (key == QLatin1String("Copy")) {
        drawPage(p, QRectF(1.5, 1.5, 8, 10));
        drawPage(p, QRectF(6.5, 4.5, 8, 10));
    } else if (key == QLatin1String("Paste")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(folder);
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.setBrush(QColor(160, 160, 168));
        p.drawRect(QRectF(5.5, 1.5, 4, 3));
        drawPage(p, QRectF(7.5, 6.5, 7, 8));
    } else if (key == QLatin1String("Delete")) {
        p.setPen(QPen(warm, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    } else if (key == QLatin1String("Undo")) {
        p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 4, 10, 9), 90 * 16, -240 * 16);
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(1, 5), QPointF(7, 1.5), QPointF(7, 8.5)}));
    } else if (key == QLatin1String("ChordBox")) {
        drawChordBox(p);
    } else if (key == QLatin1String("SpellCheck")) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(7);
        font.setBold(true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRectF(0, 0, 16, 8), Qt::AlignCenter, QStringLiteral("ABC"));
        p.setPen(QPen(QColor(40, 150, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF({QPointF(4, 11), QPointF(7, 14), QPointF(13, 8)}));
    } else if (key == QLatin1String("Font")) {
        drawLetter(p, QStringLiteral("A"), false, false, false, accent);
    } else if (key == QLatin1String("Bold")) {
        drawLetter(p, QStringLiteral("B"), true, false, false);
    } else if (key == QLatin1String("Italic")) {
        drawLetter(p, QStringLiteral("I"), false, true, false);
    } else if (key == QLatin1String("Underline")) {
        drawLetter(p, QStringLiteral("U"), false, false, true);
    } else if (key == QLatin1String("Left")) {
        drawLines(p, Qt::AlignLeft);
    } else if (key == QLatin1String("Center")) {
        drawLines(p, Qt::AlignHCenter);
    } else if (key == QLatin1String("Right")) {
        drawLines(p, Qt::AlignRight);
    } else if (key == QLatin1String("Copyright")) {
        drawLetter(p, QString(QChar(0x00A9)), false, false, false);
    }
}

QPixmap render(const QString &key, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 16.0, size / 16.0);
    paint(key, p);
    return pixmap;
}

} // namespace

QStringList imageKeys()
{
    return {QStringLiteral("New"),      QStringLiteral("Open"),      QStringLiteral("Save"),
            QStringLiteral("Print"),    QStringLiteral("Cut"),       QStringLiteral("Copy"),
            QStringLiteral("Paste"),    QStringLiteral("Delete"),    QStringLiteral("Undo"),
            QStringLiteral("ChordBox"), QStringLiteral("SpellCheck"), QStringLiteral("Font"),
            QStringLiteral("Bold"),     QStringLiteral("Italic"),    QStringLiteral("Underline"),
            QStringLiteral("Left"),     QStringLiteral("Center"),    QStringLiteral("Right"),
            QStringLiteral("Copyright")};
}

QIcon fallbackIcon(const QString &imageKey)
{
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(render(imageKey, size));
    return icon;
}

QIcon icon(const QString &imageKey)
{
    const auto it = themeNames().constFind(imageKey);
    if (it != themeNames().constEnd() && it->themeName) {
        const QString name = QString::fromLatin1(it->themeName);
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return fallbackIcon(imageKey);
}

} // namespace AppIcons
