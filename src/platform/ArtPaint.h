// Painting helpers shared by the picture painters: images at a device pixel ratio, the
// four suit shapes, rank letters, colour mixing, a fern motif and seamless value noise.
// Every function is pure: the same arguments always paint the same pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>

namespace artPaint {

// A transparent (or filled) image of the logical size at the ratio; never null.
QImage newImage(int width, int height, qreal ratio, const QColor &fill = Qt::transparent);
// A ratio that is safe to allocate with: NaN, zero and negatives become 1, extremes are capped.
qreal saneRatio(qreal ratio);
// Turns on antialiasing and smooth scaling.
void smooth(QPainter &painter);

// A font of the given pixel size from the families installed here.
QFont font(qreal pixelSize, bool bold = true, bool serif = false);

// Suits in picture order: 0 clubs, 1 diamonds, 2 spades, 3 hearts.
bool isRedSuit(int suit);
QColor suitColor(int suit);
// The suit's outline inside the unit square (0..1 on both axes).
const QPainterPath &suitPath(int suit);
void drawSuit(QPainter &painter, int suit, const QRectF &box, const QColor &color);
// "A", "2" .. "10", "J", "Q", "K" for ranks 0..12; "" otherwise.
QString rankText(int rank);
// Draws text centred in the box, shrinking the font until it fits.
void drawFittedText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font);

QPainterPath roundedRect(const QRectF &rect, qreal radius);
QColor mix(const QColor &a, const QColor &b, double t);

// A fern frond growing from base towards the angle (degrees, 0 = up, clockwise),
// curling by curl degrees over its length.
void drawFern(QPainter &painter, QPointF base, qreal length, qreal angle, qreal curl, const QColor &color);

// Deterministic hash of three integers to [0, 1).
double hash01(int x, int y, int seed);
// Value noise over a lattice that wraps after periodX x periodY cells; x, y in cells.
double periodicNoise(double x, double y, int periodX, int periodY, int seed);
// Sum of octaves of periodic noise over the unit square (u, v in 0..1), seamless at its
// edges; cellsX/cellsY the lattice of the first octave. Result in about 0..1.
double fbm(double u, double v, int cellsX, int cellsY, int octaves, int seed);
// An image of the logical size filled pixel by pixel from shade(u, v) with u, v in 0..1.
QImage shadeImage(int width, int height, qreal ratio, const std::function<QRgb(double, double)> &shade);

} // namespace artPaint
