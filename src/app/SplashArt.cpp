#include "app/SplashArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace SplashArt {

namespace {

constexpr int logoWidth = 141;
constexpr int logoHeight = 166;
constexpr int pictureWidth = 53;
constexpr int pictureHeight = 60;

} // namespace

QImage logo()
{
    QImage image(logoWidth, logoHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, logoHeight);
    sky.setColorAt(0, QColor(28, 44, 84));
    sky.setColorAt(1, QColor(92, 54, 110));
    p.fillRect(image.rect(), sky);

    // The neck, in perspective, widening towards the viewer.
    const QPolygonF neck({QPointF(52, 8), QPointF(89, 8), QPointF(118, 160), QPointF(23, 160)});
    QLinearGradient wood(0, 0, logoWidth, 0);
    wood.setColorAt(0, QColor(110, 62, 30));
    wood.setColorAt(0.5, QColor(168, 104, 52));
    wood.setColorAt(1, QColor(110, 62, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawPolygon(neck);

    // Frets: closer together towards the far end.
    p.setPen(QPen(QColor(226, 222, 210), 2));
    for (int i = 0; i < 7; ++i) {
        const qreal t = 1.0 - std::pow(0.78, i + 1);
        const qreal y = 8 + t * 170;
        if (y > 158)
            break;
        const qreal half = 18.5 + (y - 8) * (47.5 - 18.5) / 152;
        p.drawLine(QPointF(70.5 - half, y), QPointF(70.5 + half, y));
    }

    // Six strings converging towards the nut.
    p.setPen(QPen(QColor(240, 236, 220), 1));
    for (int s = 0; s < 6; ++s) {
        const qreal top = 56 + s * 6;
        const qreal bottom = 33 + s * 15;
        p.drawLine(QPointF(top, 8), QPointF(bottom, 160));
    }

    // Three dots of an A minor shape.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 70));
    p.drawEllipse(QPointF(86, 64), 5.5, 5.5);
    p.drawEllipse(QPointF(64, 98), 6.5, 6.5);
    p.drawEllipse(QPointF(79, 98), 6.5, 6.5);
    return image;
}

QImage chordPicture()
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    // Six strings, five fret spaces and a thick nut, with the dots of a C chord.
    constexpr int left = 6, top = 10, stringGap = 8, fretGap = 9, strings = 6, frets = 5;
    const int right = left + (strings - 1) * stringGap;
    const int bottom = top + frets * fretGap;
    for (int s = 0; s < strings; ++s)
        for (int y = top; y <= bottom; ++y)
            image.setPixel(left + s * stringGap, y, 1);
    for (int f = 0; f <= frets; ++f)
        for (int x = left; x <= right; ++x)
            image.setPixel(x, top + f * fretGap, 1);
    for (int x = left; x <= right; ++x)
        for (int y = top - 3; y < top; ++y)
            image.setPixel(x, y, 1);
    const int dots[][2] = {{1, 3}, {2, 2}, {4, 1}};
    for (const auto &dot : dots) {
        const int cx = left + dot[0] * stringGap;
        const int cy = top + dot[1] * fretGap - fretGap / 2;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (dx * dx + dy * dy <= 10)
                    image.setPixel(cx + dx, cy + dy, 1);
    }
    return image;
}

} // namespace SplashArt
