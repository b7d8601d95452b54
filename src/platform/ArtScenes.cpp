#include "platform/ArtScenes.h"

#include "platform/ArtPaint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace artPaint;

// ---- textures -----------------------------------------------------------------------

namespace {

constexpr int kTile = artScenes::TextureSize;

QRgb rgbOf(const QColor &c)
{
    return qRgb(c.red(), c.green(), c.blue());
}

QColor scaled(const QColor &c, double f)
{
    auto s = [f](int v) { return std::clamp(static_cast<int>(std::lround(v * f)), 0, 255); };
    return QColor(s(c.red()), s(c.green()), s(c.blue()));
}

QImage felt(qreal ratio, const QColor &base, int seed)
{
    return shadeImage(kTile, kTile, ratio, [&](double u, double v) {
        const double mottle = fbm(u, v, 6, 6, 4, seed) - 0.5;
        const double grain = fbm(u, v, 96, 96, 2, seed + 40) - 0.5;
        // Short fibres lying every way: thin ridges of two stretched noises.
        const double f1 = 1.0 - std::abs(fbm(u, v, 40, 6, 2, seed + 80) - 0.5) * 2.0;
        const double f2 = 1.0 - std::abs(fbm(u, v, 6, 40, 2, seed + 90) - 0.5) * 2.0;
        const double fibre = std::pow(std::max(f1, f2), 10.0);
        return rgbOf(scaled(base, 1.0 + 0.10 * mottle + 0.16 * grain + 0.10 * fibre));
    });
}

QImage linen(qreal ratio)
{
    const int threads = 48;
    const QColor base(226, 216, 194);
    return shadeImage(kTile, kTile, ratio, [&](double u, double v) {
        const double x = u * threads;
        const double y = v * threads;
        const int col = static_cast<int>(x);
        const int row = static_cast<int>(y);
        const bool weftOnTop = (row + col) % 2 == 0;
        // Each thread is brightest along its middle and has its own shade.
        const double across = weftOnTop ? (y - row) : (x - col);
        const double profile = std::sin(across * M_PI);
        const double shade = weftOnTop ? hash01(row, 0, 17) : hash01(col, 1, 17);
        const double slub = fbm(u, v, 8, 8, 3, 23) - 0.5;
        return rgbOf(scaled(base, 0.80 + 0.18 * profile + 0.06 * (shade - 0.5) + 0.08 * slub));
    });
}

QImage wood(qreal ratio, const QColor &light, const QColor &dark, int rings, int seed)
{
    return shadeImage(kTile, kTile, ratio, [&](double u, double v) {
        // Whole numbers of rings across the tile and periodic warps keep the tile seamless.
        const double warp = fbm(u, v, 1, 2, 3, seed) * 1.3 + fbm(u, v, 4, 6, 2, seed + 7) * 0.25;
        const double t = v * rings + warp;
        const double ring = t - std::floor(t);
        const double line = std::pow(0.5 + 0.5 * std::cos(ring * 2.0 * M_PI), 5.0);
        const double late = std::pow(0.5 + 0.5 * std::cos(ring * 2.0 * M_PI), 1.5);
        const double fibre = fbm(u, v, 2, 96, 2, seed + 50);
        const double tone = fbm(u, v, 2, 2, 3, seed + 60) - 0.5;
        const double k = std::clamp(0.45 * line + 0.2 * late + 0.35 * fibre + 0.3 * tone, 0.0, 1.0);
        return rgbOf(mix(light, dark, k));
    });
}

QImage marble(qreal ratio)
{
    return shadeImage(kTile, kTile, ratio, [&](double u, double v) {
        const double turb = fbm(u, v, 2, 2, 5, 31);
        const double t = u * 1.0 + v * 1.0 + turb * 2.4;
        const double s = 1.0 - std::abs(std::sin(M_PI * t));
        const double vein = 0.55 * std::pow(s, 3.0) + 0.45 * std::pow(s, 16.0);
        const double t2 = u * 2.0 - v * 1.0 + fbm(u, v, 3, 3, 4, 35) * 3.0;
        const double fine = std::pow(1.0 - std::abs(std::sin(M_PI * t2)), 24.0);
        const double cloud = fbm(u, v, 4, 4, 4, 37) - 0.5;
        const QColor c = mix(QColor(242, 240, 234), QColor(118, 120, 132), std::min(1.0, vein * 0.8 + fine * 0.35));
        return rgbOf(scaled(c, 1.0 + 0.05 * cloud));
    });
}

QImage slate(qreal ratio)
{
    return shadeImage(kTile, kTile, ratio, [&](double u, double v) {
        const double layers = fbm(u, v, 2, 18, 3, 41);
        const double mottle = fbm(u, v, 5, 5, 4, 43) - 0.5;
        const double grain = fbm(u, v, 64, 64, 1, 47) - 0.5;
        const QColor c = mix(QColor(54, 60, 70), QColor(84, 92, 102), layers);
        return rgbOf(scaled(c, 1.0 + 0.12 * mottle + 0.08 * grain));
    });
}

QImage parchment(qreal ratio)
{
    return shadeImage(kTile, kTile, ratio, [&](double u, double v) {
        const double blot = fbm(u, v, 3, 3, 5, 53);
        const double grain = fbm(u, v, 64, 64, 2, 59) - 0.5;
        const QColor c = mix(QColor(242, 230, 198), QColor(196, 170, 122), std::pow(blot, 1.6));
        return rgbOf(scaled(c, 1.0 + 0.05 * grain));
    });
}

enum TextureCategoryId { Cloth = 1, Wood, Stone, Paper };

struct TextureEntry {
    const char *name;
    int category;
    QImage (*paint)(qreal);
};

const std::array<TextureEntry, 10> kTextures = {{
    {"Green Felt", Cloth, [](qreal r) { return felt(r, QColor(28, 104, 54), 1); }},
    {"Blue Felt", Cloth, [](qreal r) { return felt(r, QColor(30, 64, 120), 2); }},
    {"Red Felt", Cloth, [](qreal r) { return felt(r, QColor(124, 26, 34), 3); }},
    {"Linen", Cloth, linen},
    {"Oak", Wood, [](qreal r) { return wood(r, QColor(206, 160, 104), QColor(140, 92, 48), 5, 4); }},
    {"Walnut", Wood, [](qreal r) { return wood(r, QColor(120, 80, 50), QColor(58, 34, 20), 6, 5); }},
    {"Cherry", Wood, [](qreal r) { return wood(r, QColor(182, 92, 58), QColor(110, 42, 26), 4, 6); }},
    {"Marble", Stone, marble},
    {"Slate", Stone, slate},
    {"Parchment", Paper, parchment},
}};

} // namespace

namespace artScenes {

int textureCount()
{
    return static_cast<int>(kTextures.size());
}

QString textureName(int i)
{
    if (i < 1 || i > textureCount())
        return {};
    return QString::fromLatin1(kTextures[static_cast<std::size_t>(i - 1)].name);
}

int textureCategory(int i)
{
    if (i < 1 || i > textureCount())
        return 0;
    return kTextures[static_cast<std::size_t>(i - 1)].category;
}

QStringList textureCategoryNames()
{
    return {QStringLiteral("Cloth"), QStringLiteral("Wood"), QStringLiteral("Stone"), QStringLiteral("Paper")};
}

QImage texture(int i, qreal ratio)
{
    if (i < 1 || i > textureCount())
        return newImage(TextureSize, TextureSize, ratio, QColor(28, 104, 54));
    return kTextures[static_cast<std::size_t>(i - 1)].paint(ratio);
}

} // namespace artScenes

// ---- scenes -------------------------------------------------------------------------

namespace {

// A rolling skyline: base height plus three sines whose frequencies and phases come from seed.
QPainterPath ridge(const QSizeF &s, qreal base, qreal amp, int seed)
{
    const double f1 = 1.0 + hash01(seed, 1, 99) * 1.5;
    const double f2 = 3.0 + hash01(seed, 2, 99) * 3.0;
    const double f3 = 9.0 + hash01(seed, 3, 99) * 6.0;
    const double p1 = hash01(seed, 4, 99) * 6.28;
    const double p2 = hash01(seed, 5, 99) * 6.28;
    const double p3 = hash01(seed, 6, 99) * 6.28;
    QPainterPath path;
    path.moveTo(-2, s.height() + 2);
    const int steps = 240;
    for (int k = 0; k <= steps; ++k) {
        const double x = s.width() * k / steps;
        const double t = 2.0 * M_PI * k / steps;
        const double y =
            base + amp * (0.6 * std::sin(t * f1 + p1) + 0.28 * std::sin(t * f2 + p2) + 0.12 * std::sin(t * f3 + p3));
        path.lineTo(x, y);
    }
    path.lineTo(s.width() + 2, s.height() + 2);
    path.closeSubpath();
    return path;
}

// Jagged peaks by midpoint displacement, deterministic from seed.
QPainterPath peaks(const QSizeF &s, qreal base, qreal amp, int seed)
{
    const int n = 128;
    std::vector<double> h(n + 1, 0.0);
    h[0] = hash01(seed, 0, 7) - 0.5;
    h[n] = hash01(seed, n, 7) - 0.5;
    double spread = 1.0;
    for (int step = n; step > 1; step /= 2) {
        for (int i = 0; i < n; i += step) {
            const int mid = i + step / 2;
            h[static_cast<std::size_t>(mid)] =
                (h[static_cast<std::size_t>(i)] + h[static_cast<std::size_t>(i) + static_cast<std::size_t>(step)]) / 2 +
                (hash01(seed, mid, step) - 0.5) * spread;
        }
        spread *= 0.6;
    }
    // Scaled so the lowest point sits on base and the highest amp above it.
    const auto [lo, hi] = std::minmax_element(h.begin(), h.end());
    const double range = std::max(1e-9, *hi - *lo);
    const double low = *lo;
    QPainterPath path;
    path.moveTo(-2, s.height() + 2);
    for (int i = 0; i <= n; ++i)
        path.lineTo(s.width() * i / n, base - (h[static_cast<std::size_t>(i)] - low) / range * amp);
    path.lineTo(s.width() + 2, s.height() + 2);
    path.closeSubpath();
    return path;
}

void sky(QPainter &p, const QSizeF &s, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient g(0, 0, 0, s.height());
    for (const auto &stop : stops)
        g.setColorAt(stop.first, stop.second);
    p.fillRect(QRectF(QPointF(0, 0), s), g);
}

void glowDisc(QPainter &p, QPointF c, qreal radius, const QColor &core, const QColor &halo)
{
    QRadialGradient g(c, radius * 4);
    g.setColorAt(0, halo);
    g.setColorAt(1, QColor(halo.red(), halo.green(), halo.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, radius * 4, radius * 4);
    p.setBrush(core);
    p.drawEllipse(c, radius, radius);
}

// A cloud of soft puffs, flatter at the bottom; the puffs' places come from the centre.
void softCloud(QPainter &p, QPointF c, qreal w, qreal h, const QColor &color)
{
    const int seed = static_cast<int>(c.x() * 7 + c.y());
    const QColor clear(color.red(), color.green(), color.blue(), 0);
    for (int k = 0; k < 11; ++k) {
        const double a = hash01(k, 1, seed);
        const double b = hash01(k, 2, seed);
        const qreal dx = (a - 0.5) * w * 0.8;
        const qreal rad = h * (0.5 + 0.6 * b) * (1.0 - std::abs(dx) / w);
        const QPointF at = c + QPointF(dx, -rad * 0.35 + h * 0.2 * (hash01(k, 3, seed) - 0.5));
        QRadialGradient g(at, rad);
        g.setColorAt(0, color);
        g.setColorAt(0.6, QColor(color.red(), color.green(), color.blue(), color.alpha() / 2));
        g.setColorAt(1, clear);
        p.setBrush(g);
        p.drawEllipse(at, rad * 1.6, rad);
    }
}

void fernRow(QPainter &p, const QSizeF &s, int count, qreal scale, const QColor &dark, const QColor &light, int seed)
{
    for (int k = 0; k < count; ++k) {
        const double a = hash01(k, 1, seed);
        const double b = hash01(k, 2, seed);
        const double x = s.width() * (k + 0.3 + 0.4 * a) / count;
        const double side = (x < s.width() / 2) ? 1.0 : -1.0;
        const QColor color = mix(dark, light, b);
        drawFern(p, QPointF(x, s.height() + 6), s.height() * scale * (0.7 + 0.5 * b), side * (6 + 22 * a),
                 side * (12 + 22 * b), color);
    }
}

void brackenHills(QPainter &p, const QSizeF &s)
{
    const qreal h = s.height();
    sky(p, s,
        {{0.0, QColor(58, 54, 120)},
         {0.35, QColor(150, 96, 140)},
         {0.58, QColor(242, 140, 96)},
         {0.70, QColor(255, 206, 140)}});
    glowDisc(p, QPointF(s.width() * 0.66, h * 0.56), h * 0.06, QColor(255, 240, 200), QColor(255, 200, 120, 150));
    softCloud(p, QPointF(s.width() * 0.25, h * 0.18), s.width() * 0.3, h * 0.06, QColor(255, 200, 200, 90));
    softCloud(p, QPointF(s.width() * 0.72, h * 0.3), s.width() * 0.25, h * 0.05, QColor(255, 190, 160, 80));
    const std::array<QColor, 4> layers = {QColor(170, 112, 140), QColor(112, 84, 110), QColor(60, 70, 70),
                                          QColor(24, 42, 30)};
    for (int k = 0; k < 4; ++k) {
        p.setBrush(layers[static_cast<std::size_t>(k)]);
        p.drawPath(ridge(s, h * (0.58 + 0.08 * k), h * (0.06 - 0.008 * k), 10 + k));
    }
    fernRow(p, s, 11, 0.34, QColor(40, 76, 42), QColor(84, 124, 60), 3);
}

void starryNight(QPainter &p, const QSizeF &s)
{
    const qreal w = s.width();
    const qreal h = s.height();
    sky(p, s, {{0.0, QColor(4, 6, 24)}, {0.55, QColor(22, 26, 72)}, {0.8, QColor(70, 50, 104)}});
    // The milky way: a soft diagonal band with a dust of faint stars.
    p.save();
    p.translate(w * 0.5, h * 0.35);
    p.rotate(-24);
    QLinearGradient band(0, -h * 0.12, 0, h * 0.12);
    band.setColorAt(0, QColor(160, 170, 255, 0));
    band.setColorAt(0.5, QColor(190, 190, 255, 50));
    band.setColorAt(1, QColor(160, 170, 255, 0));
    p.fillRect(QRectF(-w, -h * 0.12, 2 * w, h * 0.24), band);
    p.setBrush(QColor(230, 230, 255, 90));
    for (int k = 0; k < 500; ++k) {
        const double x = (hash01(k, 1, 61) - 0.5) * 2 * w;
        const double y = (hash01(k, 2, 61) + hash01(k, 3, 61) - 1.0) * h * 0.12;
        p.drawEllipse(QPointF(x, y), 0.6, 0.6);
    }
    p.restore();
    for (int k = 0; k < 420; ++k) {
        const QPointF at(hash01(k, 1, 67) * w, std::pow(hash01(k, 2, 67), 1.3) * h * 0.8);
        const double big = hash01(k, 3, 67);
        const qreal rad = 0.5 + std::pow(big, 4.0) * 2.2;
        p.setBrush(QColor(255, 250, 230, 90 + static_cast<int>(big * 165)));
        p.drawEllipse(at, rad, rad);
    }
    const QPointF mc(w * 0.8, h * 0.18);
    QPainterPath moon;
    moon.addEllipse(mc, h * 0.05, h * 0.05);
    QPainterPath bite;
    bite.addEllipse(mc + QPointF(h * 0.022, -h * 0.012), h * 0.045, h * 0.045);
    glowDisc(p, mc, 0.1, QColor(0, 0, 0, 0), QColor(255, 250, 210, 40));
    QRadialGradient halo(mc, h * 0.16);
    halo.setColorAt(0, QColor(255, 250, 210, 60));
    halo.setColorAt(1, QColor(255, 250, 210, 0));
    p.setBrush(halo);
    p.drawEllipse(mc, h * 0.16, h * 0.16);
    p.setBrush(QColor(255, 246, 200));
    p.drawPath(moon.subtracted(bite));
    p.setBrush(QColor(20, 22, 50));
    p.drawPath(ridge(s, h * 0.78, h * 0.05, 21));
    p.setBrush(QColor(8, 10, 24));
    p.drawPath(ridge(s, h * 0.87, h * 0.04, 22));
    fernRow(p, s, 9, 0.26, QColor(4, 6, 14), QColor(12, 16, 30), 5);
}

void mountainLake(QPainter &p, const QSizeF &s)
{
    const qreal w = s.width();
    const qreal h = s.height();
    const qreal shore = h * 0.62;
    sky(p, s, {{0.0, QColor(96, 156, 222)}, {0.6, QColor(206, 228, 244)}});
    softCloud(p, QPointF(w * 0.3, h * 0.14), w * 0.35, h * 0.07, QColor(255, 255, 255, 150));
    softCloud(p, QPointF(w * 0.78, h * 0.22), w * 0.28, h * 0.05, QColor(255, 255, 255, 120));

    auto drawLand = [&](QPainter &q) {
        const QPainterPath far = peaks(s, h * 0.5, h * 0.3, 71);
        q.setBrush(QColor(120, 140, 170));
        q.drawPath(far);
        // Snow on the upper part of the far range.
        q.save();
        q.setClipRect(QRectF(0, 0, w, h * 0.34));
        QLinearGradient snow(0, h * 0.22, 0, h * 0.34);
        snow.setColorAt(0, QColor(250, 252, 255));
        snow.setColorAt(1, QColor(250, 252, 255, 0));
        q.setBrush(snow);
        q.drawPath(far);
        q.restore();
        q.setBrush(QColor(70, 100, 90));
        q.drawPath(peaks(s, h * 0.58, h * 0.14, 73));
        q.setBrush(QColor(26, 64, 44));
        for (int k = 0; k < 90; ++k) {
            const double x = w * (k + hash01(k, 1, 79)) / 90.0;
            const double th = h * (0.03 + 0.035 * hash01(k, 2, 79));
            QPolygonF pine;
            pine << QPointF(x, shore - th) << QPointF(x + th * 0.28, shore + 1) << QPointF(x - th * 0.28, shore + 1);
            q.drawPolygon(pine);
        }
        q.fillRect(QRectF(0, shore - 2, w, 3), QColor(26, 64, 44));
    };
    p.save();
    p.setClipRect(QRectF(0, 0, w, shore + 1));
    drawLand(p);
    p.restore();

    // The lake: water, then the land mirrored in it and softened.
    QLinearGradient water(0, shore, 0, h);
    water.setColorAt(0, QColor(170, 204, 230));
    water.setColorAt(1, QColor(70, 120, 170));
    p.fillRect(QRectF(0, shore, w, h - shore), water);
    p.save();
    p.setClipRect(QRectF(0, shore, w, h - shore));
    p.setOpacity(0.55);
    p.translate(0, 2 * shore);
    p.scale(1, -1);
    drawLand(p);
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.2));
    for (int k = 0; k < 60; ++k) {
        const double y = shore + (h - shore) * std::pow(hash01(k, 1, 83), 0.8);
        const double x = hash01(k, 2, 83) * w;
        const double len = w * (0.02 + 0.06 * hash01(k, 3, 83)) * (y / h);
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
    p.setPen(Qt::NoPen);
    // Grassy banks in the near corners, with bracken on them.
    p.setBrush(QColor(30, 62, 34));
    p.drawEllipse(QPointF(w * 0.04, h * 1.04), w * 0.26, h * 0.12);
    p.drawEllipse(QPointF(w * 0.98, h * 1.05), w * 0.22, h * 0.1);
    fernRow(p, QSizeF(w * 0.22, h), 3, 0.26, QColor(40, 84, 40), QColor(80, 128, 56), 7);
    p.save();
    p.translate(w * 0.82, 0);
    fernRow(p, QSizeF(w * 0.18, h), 3, 0.24, QColor(40, 84, 40), QColor(80, 128, 56), 8);
    p.restore();
}

void morningMist(QPainter &p, const QSizeF &s)
{
    const qreal h = s.height();
    sky(p, s, {{0.0, QColor(172, 200, 222)}, {0.5, QColor(236, 226, 210)}, {1.0, QColor(220, 214, 196)}});
    glowDisc(p, QPointF(s.width() * 0.3, h * 0.3), h * 0.05, QColor(255, 250, 232), QColor(255, 240, 210, 120));
    const std::array<QColor, 5> layers = {QColor(160, 180, 184), QColor(126, 152, 150), QColor(92, 124, 112),
                                          QColor(60, 96, 76), QColor(36, 70, 48)};
    for (int k = 0; k < 5; ++k) {
        p.setBrush(layers[static_cast<std::size_t>(k)]);
        p.drawPath(ridge(s, h * (0.46 + 0.08 * k), h * (0.07 - 0.01 * k), 30 + k));
        // A band of mist in front of every layer but the nearest.
        if (k < 4) {
            QLinearGradient mist(0, h * (0.48 + 0.08 * k), 0, h * (0.56 + 0.08 * k));
            mist.setColorAt(0, QColor(255, 255, 255, 0));
            mist.setColorAt(0.6, QColor(250, 248, 240, 110));
            mist.setColorAt(1, QColor(255, 255, 255, 0));
            p.fillRect(QRectF(0, h * (0.48 + 0.08 * k), s.width(), h * 0.08), mist);
        }
    }
    fernRow(p, s, 8, 0.32, QColor(22, 52, 30), QColor(70, 116, 56), 9);
}

struct Scene {
    const char *name;
    void (*paint)(QPainter &, const QSizeF &);
};

const std::array<Scene, 4> kScenes = {{
    {"Bracken Hills", brackenHills},
    {"Starry Night", starryNight},
    {"Mountain Lake", mountainLake},
    {"Morning Mist", morningMist},
}};

QImage paintScene(int width, int height, qreal ratio, void (*paint)(QPainter &, const QSizeF &))
{
    QImage image = newImage(width, height, ratio, Qt::black);
    QPainter p(&image);
    smooth(p);
    p.setPen(Qt::NoPen);
    paint(p, QSizeF(width, height));
    return image;
}

} // namespace

namespace artScenes {

int pictureCount()
{
    return static_cast<int>(kScenes.size());
}

QString pictureName(int i)
{
    if (i < 1 || i > pictureCount())
        return {};
    return QString::fromLatin1(kScenes[static_cast<std::size_t>(i - 1)].name);
}

QImage picture(int i, qreal ratio)
{
    if (i < 1 || i > pictureCount())
        return newImage(LargeWidth, LargeHeight, ratio, QColor(28, 104, 54));
    return paintScene(LargeWidth, LargeHeight, ratio, kScenes[static_cast<std::size_t>(i - 1)].paint);
}

QImage defaultCustom()
{
    return paintScene(CustomWidth, CustomHeight, 1.0, morningMist);
}

QImage splash(qreal ratio, const QList<QImage> &cards)
{
    const qreal w = SplashWidth;
    const qreal h = SplashHeight;
    QImage image = newImage(SplashWidth, SplashHeight, ratio, Qt::black);
    QPainter p(&image);
    smooth(p);
    p.setPen(Qt::NoPen);
    QRadialGradient table(QPointF(w * 0.5, h * 0.45), w * 0.62);
    table.setColorAt(0, QColor(44, 128, 74));
    table.setColorAt(0.7, QColor(20, 78, 44));
    table.setColorAt(1, QColor(8, 40, 22));
    p.fillRect(QRectF(0, 0, w, h), table);

    drawFern(p, QPointF(20, h + 8), 190, 28, 40, QColor(60, 120, 56, 200));
    drawFern(p, QPointF(60, h + 8), 150, 8, 30, QColor(90, 150, 70, 180));
    drawFern(p, QPointF(w - 24, h + 8), 200, -26, -42, QColor(60, 120, 56, 200));
    drawFern(p, QPointF(w - 70, h + 8), 140, -6, -28, QColor(90, 150, 70, 180));

    // A fan of cards, pivoting on a point below the picture's centre.
    const QPointF pivot(w * 0.5, h * 1.04);
    const int n = static_cast<int>(cards.size());
    for (int k = 0; k < n; ++k) {
        const qreal angle = n > 1 ? -28.0 + 56.0 * k / (n - 1) : 0.0;
        p.save();
        p.translate(pivot);
        p.rotate(angle);
        const QRectF place(-42, -h * 0.62, 84, 113);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(place.translated(3, 3), 6, 6);
        if (!cards[k].isNull())
            p.drawImage(place, cards[k]);
        p.restore();
    }

    // The title, lettered in gold with a dark shadow.
    QFont title = font(50, true, true);
    QPainterPath text;
    text.addText(0, 0, title, QStringLiteral("Brackenfold"));
    const QRectF tb = text.boundingRect();
    text.translate(w / 2 - tb.center().x(), h * 0.2 - tb.center().y());
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(text.translated(2.5, 3));
    QLinearGradient gold(0, text.boundingRect().top(), 0, text.boundingRect().bottom());
    gold.setColorAt(0, QColor(255, 242, 180));
    gold.setColorAt(0.5, QColor(236, 190, 80));
    gold.setColorAt(1, QColor(170, 112, 30));
    p.setBrush(gold);
    p.setPen(QPen(QColor(90, 56, 10), 1.0));
    p.drawPath(text);
    return image;
}

} // namespace artScenes
