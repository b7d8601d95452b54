#include "platform/ArtPaint.h"

#include <QFontMetricsF>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>

namespace artPaint {

qreal saneRatio(qreal ratio)
{
    // A ratio outside this range is a caller's mistake; an absurd one must not allocate gigabytes.
    if (!(ratio > 0.0) || !std::isfinite(ratio))
        return 1.0;
    return std::clamp(ratio, 0.25, 8.0);
}

QImage newImage(int width, int height, qreal ratio, const QColor &fill)
{
    ratio = saneRatio(ratio);
    const int w = std::max(1, qRound(std::max(1, width) * ratio));
    const int h = std::max(1, qRound(std::max(1, height) * ratio));
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

void smooth(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QFont font(qreal pixelSize, bool bold, bool serif)
{
    QFont f(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setBold(bold);
    return f;
}

bool isRedSuit(int suit)
{
    return suit == 1 || suit == 3;
}

QColor suitColor(int suit)
{
    return isRedSuit(suit) ? QColor(200, 20, 30) : QColor(20, 20, 28);
}

namespace {
QPainterPath makeSuit(int suit)
{
    QPainterPath p;
    switch (suit) {
    case 0: { // club: three leaves and a flared stem
        QPainterPath leaves;
        leaves.addEllipse(QPointF(0.5, 0.25), 0.215, 0.215);
        leaves.addEllipse(QPointF(0.25, 0.57), 0.215, 0.215);
        leaves.addEllipse(QPointF(0.75, 0.57), 0.215, 0.215);
        leaves.addEllipse(QPointF(0.5, 0.5), 0.13, 0.13);
        QPainterPath stem;
        stem.moveTo(0.46, 0.55);
        stem.cubicTo(0.45, 0.78, 0.40, 0.90, 0.28, 1.0);
        stem.lineTo(0.72, 1.0);
        stem.cubicTo(0.60, 0.90, 0.55, 0.78, 0.54, 0.55);
        stem.closeSubpath();
        p = leaves.united(stem);
        break;
    }
    case 1: // diamond with gently curved sides
        p.moveTo(0.5, 0.0);
        p.quadTo(0.68, 0.28, 0.90, 0.5);
        p.quadTo(0.68, 0.72, 0.5, 1.0);
        p.quadTo(0.32, 0.72, 0.10, 0.5);
        p.quadTo(0.32, 0.28, 0.5, 0.0);
        p.closeSubpath();
        break;
    case 2: // spade
        p.moveTo(0.5, 0.0);
        p.cubicTo(0.32, 0.22, 0.02, 0.36, 0.02, 0.58);
        p.cubicTo(0.02, 0.74, 0.14, 0.82, 0.27, 0.82);
        p.cubicTo(0.37, 0.82, 0.44, 0.77, 0.47, 0.71);
        p.cubicTo(0.45, 0.84, 0.40, 0.93, 0.28, 1.0);
        p.lineTo(0.72, 1.0);
        p.cubicTo(0.60, 0.93, 0.55, 0.84, 0.53, 0.71);
        p.cubicTo(0.56, 0.77, 0.63, 0.82, 0.73, 0.82);
        p.cubicTo(0.86, 0.82, 0.98, 0.74, 0.98, 0.58);
        p.cubicTo(0.98, 0.36, 0.68, 0.22, 0.5, 0.0);
        p.closeSubpath();
        break;
    default: // heart
        p.moveTo(0.5, 0.98);
        p.cubicTo(0.30, 0.78, 0.02, 0.58, 0.02, 0.32);
        p.cubicTo(0.02, 0.12, 0.16, 0.03, 0.29, 0.03);
        p.cubicTo(0.40, 0.03, 0.47, 0.10, 0.5, 0.21);
        p.cubicTo(0.53, 0.10, 0.60, 0.03, 0.71, 0.03);
        p.cubicTo(0.84, 0.03, 0.98, 0.12, 0.98, 0.32);
        p.cubicTo(0.98, 0.58, 0.70, 0.78, 0.5, 0.98);
        p.closeSubpath();
        break;
    }
    return p;
}
} // namespace

const QPainterPath &suitPath(int suit)
{
    // Built once per process from constants; holds no state that changes.
    static const std::array<QPainterPath, 4> paths = {makeSuit(0), makeSuit(1), makeSuit(2), makeSuit(3)};
    return paths[static_cast<std::size_t>(((suit % 4) + 4) % 4)];
}

void drawSuit(QPainter &painter, int suit, const QRectF &box, const QColor &color)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width(), box.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(suitPath(suit));
    painter.restore();
}

QString rankText(int rank)
{
    static const char *const names[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    if (rank < 0 || rank > 12)
        return {};
    return QString::fromLatin1(names[rank]);
}

void drawFittedText(QPainter &painter, const QRectF &box, const QString &text, const QFont &baseFont)
{
    QFont f = baseFont;
    for (int size = f.pixelSize(); size > 1; --size) {
        f.setPixelSize(size);
        const QRectF r = QFontMetricsF(f).boundingRect(text);
        if (r.width() <= box.width() && r.height() <= box.height() * 1.25)
            break;
    }
    painter.setFont(f);
    painter.drawText(box, Qt::AlignCenter, text);
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath p;
    p.addRoundedRect(rect, radius, radius);
    return p;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](double x, double y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()), m(a.alpha(), b.alpha()));
}

namespace {
QPointF heading(qreal radians)
{
    return {std::sin(radians), -std::cos(radians)};
}

// One leaflet: a pointed leaf from start along direction, of length len.
void leaf(QPainter &painter, QPointF start, qreal dir, qreal len, qreal widthFactor)
{
    const QPointF d = heading(dir);
    const QPointF n(-d.y(), d.x());
    const QPointF tip = start + d * len;
    const qreal w = len * widthFactor;
    QPainterPath p;
    p.moveTo(start);
    p.cubicTo(start + d * (len * 0.25) + n * w, start + d * (len * 0.7) + n * (w * 0.8), tip);
    p.cubicTo(start + d * (len * 0.7) - n * (w * 0.8), start + d * (len * 0.25) - n * w, start);
    painter.drawPath(p);
}

// A pinna: a midrib carrying rounded lobes, or a single narrow leaf when too small to show them.
void pinna(QPainter &painter, QPointF start, qreal dir, qreal len, qreal bend, const QColor &color)
{
    const qreal pixels = len * std::abs(painter.worldTransform().m11());
    if (pixels < 6.0) {
        leaf(painter, start, dir, len, 0.16);
        return;
    }
    const int count = std::clamp(static_cast<int>(pixels / 3.5), 4, 16);
    const qreal seg = len / count;
    QPainterPath rib;
    rib.moveTo(start);
    QPointF pos = start;
    for (int k = 0; k < count; ++k) {
        const qreal t = static_cast<qreal>(k) / count;
        const qreal d = dir + bend * t;
        const qreal lobe = len * 0.16 * (1.0 - t * 0.75);
        leaf(painter, pos, d - 1.1, lobe, 0.42);
        leaf(painter, pos, d + 1.1, lobe, 0.42);
        pos += heading(d) * seg;
        rib.lineTo(pos);
    }
    leaf(painter, pos - heading(dir + bend) * (seg * 0.5), dir + bend, len * 0.1, 0.35);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color.darker(115), std::max<qreal>(0.3, len * 0.02)));
    painter.drawPath(rib);
    painter.restore();
}
} // namespace

void drawFern(QPainter &painter, QPointF base, qreal length, qreal angle, qreal curl, const QColor &color)
{
    painter.save();
    painter.setBrush(color);
    // The rachis, sampled; it bends more towards the tip, as a frond unrolls.
    constexpr int samples = 48;
    std::array<QPointF, samples + 1> at{};
    std::array<qreal, samples + 1> dirAt{};
    qreal dir = qDegreesToRadians(angle);
    const qreal total = qDegreesToRadians(curl);
    const qreal seg = length / samples;
    QPointF pos = base;
    for (int i = 0; i <= samples; ++i) {
        at[static_cast<std::size_t>(i)] = pos;
        dirAt[static_cast<std::size_t>(i)] = dir;
        const qreal t = static_cast<qreal>(i) / samples;
        pos += heading(dir) * seg;
        dir += total / samples * (0.4 + 1.2 * t);
    }
    for (int i = 0; i < samples; ++i) {
        const qreal t = static_cast<qreal>(i) / samples;
        painter.setPen(QPen(color.darker(110), std::max<qreal>(0.4, length * 0.012 * (1.0 - t * 0.8)), Qt::SolidLine,
                            Qt::RoundCap));
        painter.drawLine(at[static_cast<std::size_t>(i)], at[static_cast<std::size_t>(i) + 1]);
    }
    painter.setPen(Qt::NoPen);
    const int pairs = 15;
    for (int k = 0; k < pairs; ++k) {
        for (int side = -1; side <= 1; side += 2) {
            // Pinnae alternate a little from side to side and crowd towards the tip.
            const qreal t = std::min<qreal>(0.97, 0.12 + 0.86 * std::pow((k + (side > 0 ? 0.5 : 0.0)) / pairs, 0.8));
            const auto i = static_cast<std::size_t>(std::lround(t * samples));
            const qreal len = length * 0.30 * std::pow(1.0 - t, 0.9) * std::min<qreal>(1.0, (t - 0.04) * 5.0);
            const qreal spread = qDegreesToRadians(64.0 - 26.0 * t);
            pinna(painter, at[i], dirAt[i] + side * spread, len, -side * 0.35, color);
        }
    }
    leaf(painter, at[samples], dirAt[samples], length * 0.03, 0.3);
    painter.restore();
}

double hash01(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^ static_cast<std::uint32_t>(y) * 0xd8163841u ^
                      static_cast<std::uint32_t>(seed) * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<double>(h) / 4294967296.0;
}

double periodicNoise(double x, double y, int periodX, int periodY, int seed)
{
    periodX = std::max(1, periodX);
    periodY = std::max(1, periodY);
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = x - fx;
    const double ty = y - fy;
    auto wrap = [](int v, int p) { return ((v % p) + p) % p; };
    const int x0 = wrap(ix, periodX);
    const int x1 = wrap(ix + 1, periodX);
    const int y0 = wrap(iy, periodY);
    const int y1 = wrap(iy + 1, periodY);
    const double sx = tx * tx * (3.0 - 2.0 * tx);
    const double sy = ty * ty * (3.0 - 2.0 * ty);
    const double a = hash01(x0, y0, seed) + (hash01(x1, y0, seed) - hash01(x0, y0, seed)) * sx;
    const double b = hash01(x0, y1, seed) + (hash01(x1, y1, seed) - hash01(x0, y1, seed)) * sx;
    return a + (b - a) * sy;
}

double fbm(double u, double v, int cellsX, int cellsY, int octaves, int seed)
{
    double sum = 0.0;
    double amp = 1.0;
    double total = 0.0;
    for (int k = 0; k < octaves; ++k) {
        const int px = cellsX << k;
        const int py = cellsY << k;
        sum += amp * periodicNoise(u * px, v * py, px, py, seed + k * 131);
        total += amp;
        amp *= 0.5;
    }
    return total > 0.0 ? sum / total : 0.0;
}

QImage shadeImage(int width, int height, qreal ratio, const std::function<QRgb(double, double)> &shade)
{
    QImage image = newImage(width, height, ratio);
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double v = (y + 0.5) / h;
        for (int x = 0; x < w; ++x)
            line[x] = shade((x + 0.5) / w, v);
    }
    return image;
}

} // namespace artPaint
