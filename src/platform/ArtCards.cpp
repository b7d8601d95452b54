#include "platform/ArtCards.h"

#include "platform/ArtLibrary.h"
#include "platform/ArtPaint.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <cmath>

using namespace artPaint;

namespace {
constexpr int W = ArtLibrary::CardWidth;
constexpr int H = ArtLibrary::CardHeight;
const QRectF kCard(0.5, 0.5, W - 1.0, H - 1.0);
constexpr qreal kCardRadius = 4.5;

void paintCardBase(QPainter &p, const QColor &paper)
{
    const QPainterPath outline = roundedRect(kCard, kCardRadius);
    p.fillPath(outline, paper);
    p.setPen(QPen(QColor(90, 90, 96), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

// ---- plain faces --------------------------------------------------------------------

struct Pip {
    qreal col; // 0 left, 0.5 middle, 1 right
    qreal row; // 0 top .. 1 bottom
};

QList<Pip> pipLayout(int rank)
{
    const qreal t = 1.0 / 3.0;
    switch (rank) {
    case 1: return {{0.5, 0}, {0.5, 1}};
    case 2: return {{0.5, 0}, {0.5, 0.5}, {0.5, 1}};
    case 3: return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    case 4: return {{0, 0}, {1, 0}, {0.5, 0.5}, {0, 1}, {1, 1}};
    case 5: return {{0, 0}, {1, 0}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    case 6: return {{0, 0}, {1, 0}, {0.5, 0.25}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    case 7: return {{0, 0}, {1, 0}, {0.5, 0.25}, {0, 0.5}, {1, 0.5}, {0.5, 0.75}, {0, 1}, {1, 1}};
    case 8: return {{0, 0}, {1, 0}, {0, t}, {1, t}, {0.5, 0.5}, {0, 2 * t}, {1, 2 * t}, {0, 1}, {1, 1}};
    case 9:
        return {{0, 0}, {1, 0}, {0.5, 1.0 / 6}, {0, t}, {1, t}, {0, 2 * t}, {1, 2 * t}, {0.5, 5.0 / 6}, {0, 1}, {1, 1}};
    default: return {};
    }
}

void drawPip(QPainter &p, int suit, QPointF centre, qreal size, bool upsideDown, const QColor &color)
{
    p.save();
    p.translate(centre);
    if (upsideDown)
        p.rotate(180);
    drawSuit(p, suit, QRectF(-size / 2, -size / 2, size, size), color);
    p.restore();
}

void drawIndex(QPainter &p, int suit, int rank, const QColor &color)
{
    p.setPen(color);
    const QString text = rankText(rank);
    drawFittedText(p, QRectF(1.5, 2.5, 13, 12), text, font(rank == 9 ? 10 : 12, true, true));
    drawPip(p, suit, QPointF(8, 19.5), 8.5, false, color);
}

void drawCourt(QPainter &p, int suit, int rank, const QColor &color)
{
    const QRectF panel(15.5, 11.5, W - 31.0, H - 23.0);
    const bool red = isRedSuit(suit);
    QLinearGradient g(panel.topLeft(), panel.bottomRight());
    g.setColorAt(0, red ? QColor(255, 240, 230) : QColor(236, 241, 252));
    g.setColorAt(1, red ? QColor(246, 214, 200) : QColor(208, 218, 240));
    p.setBrush(g);
    p.setPen(QPen(color, 0.9));
    p.drawRoundedRect(panel, 2.5, 2.5);
    p.setPen(QPen(QColor(196, 160, 60), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(2, 2, -2, -2), 1.5, 1.5);
    // The letter and its suit twice, the lower half turned as on a real court card.
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(W, H);
            p.rotate(180);
        }
        p.setPen(color);
        drawFittedText(p, QRectF(panel.left(), panel.top() + 3, panel.width(), 19), rankText(rank),
                       font(20, true, true));
        drawPip(p, suit, QPointF(W / 2.0, panel.top() + 27), 9, false, color);
        p.restore();
    }
}
} // namespace

namespace artCards {

QImage blankCard(qreal ratio)
{
    QImage image = newImage(W, H, ratio);
    QPainter p(&image);
    smooth(p);
    paintCardBase(p, QColor(252, 252, 250));
    return image;
}

QImage face(int suit, int rank, qreal ratio)
{
    if (suit < 0 || suit > 3 || rank < 0 || rank > 12)
        return blankCard(ratio);
    QImage image = newImage(W, H, ratio);
    QPainter p(&image);
    smooth(p);
    paintCardBase(p, QColor(252, 252, 250));
    const QColor color = suitColor(suit);

    drawIndex(p, suit, rank, color);
    p.save();
    p.translate(W, H);
    p.rotate(180);
    drawIndex(p, suit, rank, color);
    p.restore();

    if (rank == 0) {
        const qreal size = suit == 2 ? 34 : 28;
        drawPip(p, suit, QPointF(W / 2.0, H / 2.0), size, false, color);
    } else if (rank >= 10) {
        drawCourt(p, suit, rank, color);
    } else {
        const qreal size = rank >= 8 ? 11 : 12.5;
        for (const Pip &pip : pipLayout(rank)) {
            const QPointF c(21.5 + pip.col * 28.0, 15.5 + pip.row * 65.0);
            drawPip(p, suit, c, size, pip.row > 0.5, color);
        }
    }
    return image;
}

} // namespace artCards

// ---- painted backs ------------------------------------------------------------------

namespace {

using Design = void (*)(QPainter &, const QRectF &);

void lattice(QPainter &p, const QRectF &r, const QColor &base)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, base.lighter(118));
    g.setColorAt(1, base.darker(118));
    p.fillRect(r, g);
    QPen line(QColor(255, 255, 255, 95), 0.55);
    p.setPen(line);
    const qreal step = 3.4;
    for (qreal d = -r.height(); d < r.width() + r.height(); d += step) {
        p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d - r.height(), r.bottom()));
        p.drawLine(QPointF(r.left() + d - r.height(), r.top()), QPointF(r.left() + d, r.bottom()));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 210), 0.9));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
    // A medallion with the four suits.
    const QPointF c = r.center();
    QRadialGradient m(c, 17);
    m.setColorAt(0, base.lighter(135));
    m.setColorAt(1, base.darker(130));
    p.setBrush(m);
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.0));
    p.drawEllipse(c, 14.5, 19);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 12, 16.5);
    const QColor ink(255, 255, 255, 235);
    drawSuit(p, 2, QRectF(c.x() - 4.5, c.y() - 13.5, 9, 9), ink);
    drawSuit(p, 3, QRectF(c.x() + 2.5, c.y() - 4.5, 9, 9), ink);
    drawSuit(p, 0, QRectF(c.x() - 4.5, c.y() + 4.5, 9, 9), ink);
    drawSuit(p, 1, QRectF(c.x() - 11.5, c.y() - 4.5, 9, 9), ink);
}

void classicBlue(QPainter &p, const QRectF &r)
{
    lattice(p, r, QColor(28, 62, 140));
}

void classicRed(QPainter &p, const QRectF &r)
{
    lattice(p, r, QColor(160, 28, 38));
}

void rosette(QPainter &p, QPointF c, qreal radius, const QColor &gold)
{
    p.save();
    p.translate(c);
    p.setBrush(QColor(gold.red(), gold.green(), gold.blue(), 60));
    p.setPen(QPen(gold, 0.7));
    for (int k = 0; k < 12; ++k) {
        p.save();
        p.rotate(k * 30.0);
        p.drawEllipse(QRectF(-radius * 0.16, -radius, radius * 0.32, radius));
        p.restore();
    }
    p.setBrush(gold);
    p.drawEllipse(QPointF(0, 0), radius * 0.18, radius * 0.18);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), radius * 1.08, radius * 1.08);
    p.restore();
}

void royalGreen(QPainter &p, const QRectF &r)
{
    QRadialGradient g(r.center(), r.height() * 0.7);
    g.setColorAt(0, QColor(30, 130, 80));
    g.setColorAt(1, QColor(8, 60, 36));
    p.fillRect(r, g);
    const QColor gold(226, 190, 96);
    rosette(p, r.center(), 18, gold);
    for (QPointF corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        rosette(p, corner, 14, gold);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    for (qreal y = r.top() + 6; y < r.bottom() - 4; y += 5) {
        p.drawEllipse(QPointF(r.left() + 3, y), 0.8, 0.8);
        p.drawEllipse(QPointF(r.right() - 3, y), 0.8, 0.8);
    }
}

QPolygonF star(QPointF c, qreal outer, qreal inner, int points, qreal rotation = 0)
{
    QPolygonF poly;
    for (int k = 0; k < points * 2; ++k) {
        const qreal a = qDegreesToRadians(rotation + k * 180.0 / points);
        const qreal rad = (k % 2 == 0) ? outer : inner;
        poly << c + QPointF(std::sin(a) * rad, -std::cos(a) * rad);
    }
    return poly;
}

void midnightGold(QPainter &p, const QRectF &r)
{
    QRadialGradient g(r.center(), r.height() * 0.75);
    g.setColorAt(0, QColor(40, 52, 110));
    g.setColorAt(1, QColor(10, 14, 40));
    p.fillRect(r, g);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 40; ++k) {
        const QPointF at(r.left() + hash01(k, 1, 7) * r.width(), r.top() + hash01(k, 2, 7) * r.height());
        const qreal size = 0.25 + hash01(k, 3, 7) * 0.6;
        p.setBrush(QColor(255, 240, 200, 90 + static_cast<int>(hash01(k, 4, 7) * 150)));
        p.drawEllipse(at, size, size);
    }
    const QColor gold(232, 196, 100);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.0));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
    p.setPen(QPen(gold, 0.5));
    p.drawRoundedRect(r.adjusted(4.5, 4.5, -4.5, -4.5), 1.5, 1.5);
    QLinearGradient sg(r.center() - QPointF(0, 22), r.center() + QPointF(0, 22));
    sg.setColorAt(0, QColor(255, 232, 150));
    sg.setColorAt(1, QColor(196, 140, 50));
    p.setPen(QPen(QColor(120, 80, 20), 0.5));
    p.setBrush(sg);
    p.drawPolygon(star(r.center(), 13, 4.5, 8, 22.5));
    p.drawPolygon(star(r.center(), 22, 4.5, 4));
    p.setBrush(QColor(255, 246, 210));
    p.drawEllipse(r.center(), 2.5, 2.5);
}

void tartan(QPainter &p, const QRectF &r)
{
    p.fillRect(r, QColor(16, 70, 44));
    struct Band {
        qreal offset, width;
        QColor color;
    };
    const std::array<Band, 5> bands = {{{0, 9, QColor(18, 30, 80, 170)},
                                        {11, 1.2, QColor(200, 30, 40, 220)},
                                        {15, 5, QColor(18, 30, 80, 150)},
                                        {22, 0.9, QColor(240, 210, 80, 220)},
                                        {26, 2.5, QColor(0, 0, 0, 90)}}};
    const qreal repeat = 30;
    for (qreal o = r.left() - repeat; o < r.right(); o += repeat)
        for (const Band &b : bands)
            p.fillRect(QRectF(o + b.offset, r.top(), b.width, r.height()), b.color);
    for (qreal o = r.top() - repeat; o < r.bottom(); o += repeat)
        for (const Band &b : bands)
            p.fillRect(QRectF(r.left(), o + b.offset, r.width(), b.width), b.color);
    p.setPen(QPen(QColor(255, 255, 255, 22), 0.5));
    for (qreal d = -r.height(); d < r.width(); d += 1.6)
        p.drawLine(QPointF(r.left() + d, r.bottom()), QPointF(r.left() + d + r.height(), r.top()));
}

void harlequin(QPainter &p, const QRectF &r)
{
    const qreal dw = 13;
    const qreal dh = 17;
    const QColor a(92, 36, 112);
    const QColor b(18, 112, 122);
    int row = 0;
    for (qreal y = r.top() - dh; y < r.bottom() + dh; y += dh / 2, ++row) {
        int col = 0;
        const qreal shift = (row % 2) ? dw / 2 : 0;
        for (qreal x = r.left() - dw + shift; x < r.right() + dw; x += dw, ++col) {
            QPolygonF d;
            d << QPointF(x, y - dh / 2) << QPointF(x + dw / 2, y) << QPointF(x, y + dh / 2) << QPointF(x - dw / 2, y);
            QLinearGradient g(x, y - dh / 2, x, y + dh / 2);
            const QColor c = ((row / 2 + col) % 2) ? a : b;
            g.setColorAt(0, c.lighter(125));
            g.setColorAt(1, c.darker(115));
            p.setBrush(g);
            p.setPen(QPen(QColor(226, 190, 100), 0.5));
            p.drawPolygon(d);
        }
    }
}

void waves(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(60, 170, 190));
    g.setColorAt(1, QColor(10, 40, 100));
    p.fillRect(r, g);
    const int bands = 11;
    for (int k = 0; k < bands; ++k) {
        const qreal y0 = r.top() + (k + 0.5) * r.height() / bands;
        const qreal phase = k * 1.3;
        QPainterPath wave;
        wave.moveTo(r.left() - 2, r.bottom() + 2);
        for (qreal x = r.left() - 2; x <= r.right() + 2; x += 1)
            wave.lineTo(x, y0 + 2.4 * std::sin((x - r.left()) / 9.0 * M_PI + phase));
        wave.lineTo(r.right() + 2, r.bottom() + 2);
        wave.closeSubpath();
        const QColor c = mix(QColor(40, 150, 180), QColor(6, 30, 80), static_cast<double>(k) / bands);
        p.setPen(QPen(QColor(220, 250, 255, 150), 0.7));
        p.setBrush(QColor(c.red(), c.green(), c.blue(), 150));
        p.drawPath(wave);
    }
}

void honeycomb(QPainter &p, const QRectF &r)
{
    p.fillRect(r, QColor(120, 70, 10));
    const qreal rad = 5.5;
    const qreal w = std::sqrt(3.0) * rad;
    int row = 0;
    for (qreal y = r.top(); y < r.bottom() + rad * 2; y += rad * 1.5, ++row) {
        int col = 0;
        for (qreal x = r.left() + ((row % 2) ? w / 2 : 0); x < r.right() + w; x += w, ++col) {
            QPolygonF hex;
            for (int k = 0; k < 6; ++k) {
                const qreal a = qDegreesToRadians(60.0 * k + 30.0);
                hex << QPointF(x + std::cos(a) * (rad - 0.6), y + std::sin(a) * (rad - 0.6));
            }
            const double t = hash01(row, col, 11);
            QRadialGradient g(QPointF(x - 1, y - 1.5), rad);
            g.setColorAt(0, mix(QColor(255, 214, 90), QColor(250, 180, 40), t));
            g.setColorAt(1, mix(QColor(214, 140, 20), QColor(170, 100, 10), t));
            p.setBrush(g);
            p.setPen(QPen(QColor(90, 50, 5), 0.5));
            p.drawPolygon(hex);
        }
    }
}

void sunburst(QPainter &p, const QRectF &r)
{
    const QPointF c = r.center();
    QRadialGradient g(c, r.height() * 0.7);
    g.setColorAt(0, QColor(255, 180, 60));
    g.setColorAt(1, QColor(150, 30, 20));
    p.fillRect(r, g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 170, 70));
    const int rays = 24;
    for (int k = 0; k < rays; k += 2) {
        const qreal a0 = 2 * M_PI * k / rays;
        const qreal a1 = 2 * M_PI * (k + 1) / rays;
        QPolygonF ray;
        ray << c << c + QPointF(std::cos(a0), std::sin(a0)) * 80 << c + QPointF(std::cos(a1), std::sin(a1)) * 80;
        p.drawPolygon(ray);
    }
    QRadialGradient s(c, 11);
    s.setColorAt(0, QColor(255, 250, 210));
    s.setColorAt(0.7, QColor(255, 210, 80));
    s.setColorAt(1, QColor(230, 140, 30));
    p.setBrush(s);
    p.setPen(QPen(QColor(255, 240, 190), 0.8));
    p.drawEllipse(c, 10, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 230, 160, 200), 0.9));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
}

void bracken(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(24, 74, 44));
    g.setColorAt(1, QColor(8, 36, 22));
    p.fillRect(r, g);
    drawFern(p, QPointF(r.left() + 6, r.bottom() + 2), 62, 24, 40, QColor(56, 112, 52));
    drawFern(p, QPointF(r.right() - 6, r.bottom() + 2), 58, -26, -40, QColor(80, 140, 64));
    drawFern(p, QPointF(r.center().x() - 4, r.bottom() + 2), 86, 4, 30, QColor(140, 196, 96));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 230, 160, 160), 0.8));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
}

void autumnLeaf(QPainter &p, QPointF at, qreal size, qreal angle, const QColor &color)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    QPainterPath leaf;
    leaf.moveTo(0, -size);
    leaf.cubicTo(size * 0.7, -size * 0.6, size * 0.6, size * 0.4, 0, size * 0.8);
    leaf.cubicTo(-size * 0.6, size * 0.4, -size * 0.7, -size * 0.6, 0, -size);
    p.setPen(Qt::NoPen);
    QLinearGradient g(-size, -size, size, size);
    g.setColorAt(0, color.lighter(125));
    g.setColorAt(1, color.darker(120));
    p.setBrush(g);
    p.drawPath(leaf);
    p.setPen(QPen(color.darker(160), size * 0.08));
    p.drawLine(QPointF(0, -size * 0.8), QPointF(0, size * 1.2));
    for (int k = 1; k <= 3; ++k) {
        const qreal y = -size * 0.7 + k * size * 0.35;
        p.drawLine(QPointF(0, y + size * 0.2), QPointF(size * 0.35, y - size * 0.05));
        p.drawLine(QPointF(0, y + size * 0.2), QPointF(-size * 0.35, y - size * 0.05));
    }
    p.restore();
}

void autumnLeaves(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(70, 30, 20));
    g.setColorAt(1, QColor(36, 16, 12));
    p.fillRect(r, g);
    const std::array<QColor, 4> colors = {QColor(220, 90, 20), QColor(240, 170, 30), QColor(180, 40, 30),
                                          QColor(150, 120, 30)};
    for (int k = 0; k < 26; ++k) {
        const QPointF at(r.left() + hash01(k, 1, 5) * r.width(), r.top() + hash01(k, 2, 5) * r.height());
        autumnLeaf(p, at, 4.5 + hash01(k, 3, 5) * 4.5, hash01(k, 4, 5) * 360,
                   colors[static_cast<std::size_t>(k) % colors.size()]);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(240, 190, 110, 170), 0.8));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
}

void starrySky(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(8, 12, 44));
    g.setColorAt(0.6, QColor(40, 30, 90));
    g.setColorAt(1, QColor(110, 50, 110));
    p.fillRect(r, g);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 70; ++k) {
        const QPointF at(r.left() + hash01(k, 1, 3) * r.width(), r.top() + hash01(k, 2, 3) * r.height());
        const double big = hash01(k, 3, 3);
        p.setBrush(QColor(255, 255, 235, 110 + static_cast<int>(big * 145)));
        if (big > 0.93)
            p.drawPolygon(star(at, 2.6, 0.5, 4));
        else
            p.drawEllipse(at, 0.3 + big * 0.45, 0.3 + big * 0.45);
    }
    QPainterPath moon;
    const QPointF mc(r.center().x() + 8, r.top() + 22);
    moon.addEllipse(mc, 10, 10);
    QPainterPath bite;
    bite.addEllipse(mc + QPointF(4.5, -3), 8.5, 8.5);
    QRadialGradient glow(mc, 22);
    glow.setColorAt(0, QColor(255, 250, 200, 70));
    glow.setColorAt(1, QColor(255, 250, 200, 0));
    p.setBrush(glow);
    p.drawEllipse(mc, 22, 22);
    p.setBrush(QColor(255, 246, 196));
    p.drawPath(moon.subtracted(bite));
    // Hills along the bottom.
    QPainterPath hills;
    hills.moveTo(r.left(), r.bottom());
    for (qreal x = r.left(); x <= r.right() + 1; x += 1)
        hills.lineTo(x, r.bottom() - 14 - 5 * std::sin((x - r.left()) / 11.0) - 3 * std::sin((x - r.left()) / 4.3));
    hills.lineTo(r.right() + 1, r.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(10, 14, 30));
    p.drawPath(hills);
}

struct PaintedBack {
    const char *name;
    int category;
    Design design;
};

const std::array<PaintedBack, 12> kBacks = {{
    {"Classic Blue", 1, classicBlue},
    {"Classic Red", 1, classicRed},
    {"Royal Green", 1, royalGreen},
    {"Midnight Gold", 1, midnightGold},
    {"Tartan", 2, tartan},
    {"Harlequin", 2, harlequin},
    {"Waves", 2, waves},
    {"Honeycomb", 2, honeycomb},
    {"Sunburst", 2, sunburst},
    {"Bracken", 3, bracken},
    {"Autumn Leaves", 3, autumnLeaves},
    {"Starry Sky", 3, starrySky},
}};

QImage paintBack(qreal ratio, Design design, const QColor &plain)
{
    QImage image = newImage(W, H, ratio);
    QPainter p(&image);
    smooth(p);
    paintCardBase(p, QColor(250, 250, 246));
    const QRectF panel = kCard.adjusted(3.0, 3.0, -3.0, -3.0);
    p.save();
    p.setClipPath(roundedRect(panel, 2.5));
    if (design != nullptr)
        design(p, panel);
    else
        p.fillRect(panel, plain);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 70), 0.6));
    p.drawRoundedRect(panel, 2.5, 2.5);
    return image;
}

} // namespace

namespace artCards {

int backCount()
{
    return static_cast<int>(kBacks.size());
}

QString backName(int i)
{
    if (i < 1 || i > backCount())
        return {};
    return QString::fromLatin1(kBacks[static_cast<std::size_t>(i - 1)].name);
}

int backCategory(int i)
{
    if (i < 1 || i > backCount())
        return 0;
    return kBacks[static_cast<std::size_t>(i - 1)].category;
}

QStringList backCategoryNames()
{
    return {QStringLiteral("Classic"), QStringLiteral("Patterns"), QStringLiteral("Nature")};
}

QImage back(int i, qreal ratio)
{
    if (i < 1 || i > backCount())
        return plainBack(ratio);
    return paintBack(ratio, kBacks[static_cast<std::size_t>(i - 1)].design, {});
}

QImage plainBack(qreal ratio)
{
    return paintBack(ratio, nullptr, QColor(40, 70, 130));
}

// ---- empty slots --------------------------------------------------------------------

QImage slot(int n, qreal ratio)
{
    QImage image = newImage(W, H, ratio);
    QPainter p(&image);
    smooth(p);
    const QRectF frame(1.5, 1.5, W - 3.0, H - 3.0);
    const QColor ink(255, 255, 255, 165);
    p.setBrush(QColor(255, 255, 255, 30));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.4));
    p.drawRoundedRect(frame, 5, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 40), 0.8));
    p.drawRoundedRect(frame.adjusted(1.2, 1.2, -1.2, -1.2), 4, 4);
    const QPointF c(W / 2.0, H / 2.0);

    if (n >= 0 && n <= 12) {
        p.setPen(ink);
        drawFittedText(p, QRectF(6, 22, W - 12, 52), rankText(n), font(n == 9 ? 30 : 36, true, true));
    } else if (n == 13) {
        const qreal s = 15;
        drawSuit(p, 2, QRectF(c.x() - s / 2, c.y() - 17 - s / 2, s, s), ink);
        drawSuit(p, 3, QRectF(c.x() + 14 - s / 2, c.y() - s / 2, s, s), ink);
        drawSuit(p, 0, QRectF(c.x() - s / 2, c.y() + 17 - s / 2, s, s), ink);
        drawSuit(p, 1, QRectF(c.x() - 14 - s / 2, c.y() - s / 2, s, s), ink);
    } else if (n == 15) {
        p.setPen(QPen(ink, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawEllipse(c, 18, 18);
        p.drawLine(c + QPointF(-9, -9), c + QPointF(9, 9));
        p.drawLine(c + QPointF(9, -9), c + QPointF(-9, 9));
    } else if (n == 16) {
        p.setPen(QPen(ink, 3.4, Qt::SolidLine, Qt::RoundCap));
        const qreal rad = 17;
        // Arc from 60 degrees round to 330 (Qt counts counter-clockwise in 1/16 degree).
        p.drawArc(QRectF(c.x() - rad, c.y() - rad, 2 * rad, 2 * rad), 60 * 16, 270 * 16);
        const qreal end = qDegreesToRadians(330.0);
        const QPointF tip = c + QPointF(std::cos(end) * rad, -std::sin(end) * rad);
        // The arc runs counter-clockwise on screen; the head points on along its end.
        const QPointF along(-std::sin(end), -std::cos(end));
        const QPointF across(std::cos(end), -std::sin(end));
        QPolygonF head;
        head << tip + along * 8 << tip - across * 7 << tip + across * 7;
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(head);
    }
    return image;
}

} // namespace artCards
