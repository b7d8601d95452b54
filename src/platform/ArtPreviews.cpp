#include "platform/ArtPreviews.h"

#include "platform/ArtPaint.h"

#include <QLinearGradient>
#include <algorithm>

using namespace artPaint;

namespace {

constexpr int kMaxPiles = 21; // the most piles an area can have
constexpr qreal kMiniW = 18;
constexpr qreal kMiniH = 25;
constexpr int kTotalHeight = artPreviews::SubHeight + artPreviews::TableauHeight;

// The three previews are shown side by side and one above the other, so they share one
// table gradient laid over the whole preview area; top is where this piece starts in it.
void table(QPainter &p, const QRectF &r, qreal top)
{
    QLinearGradient g(0, -top, 0, kTotalHeight - top);
    g.setColorAt(0, QColor(36, 116, 66));
    g.setColorAt(1, QColor(16, 70, 38));
    p.fillRect(r, g);
}

void emptySlot(QPainter &p, const QRectF &r, const QString &label)
{
    p.setBrush(QColor(255, 255, 255, 28));
    p.setPen(QPen(QColor(255, 255, 255, 140), 0.9));
    p.drawRoundedRect(r, 2, 2);
    if (!label.isEmpty()) {
        p.setPen(QColor(255, 255, 255, 150));
        drawFittedText(p, r.adjusted(1, 3, -1, -3), label, font(11, true, true));
    }
}

// A small card; only its top strip shows when others lie on it, so rank and suit are there.
void miniCard(QPainter &p, const QRectF &r, int suit, int rank, bool whole)
{
    p.setPen(QPen(QColor(70, 70, 76), 0.6));
    p.setBrush(QColor(252, 252, 248));
    p.drawRoundedRect(r, 2, 2);
    const QColor ink = suitColor(suit);
    p.setPen(ink);
    const QString text = rank >= 0 && rank <= 12 ? rankText(rank) : QStringLiteral("?");
    drawFittedText(p, QRectF(r.left() + 0.8, r.top() + 0.3, r.width() * 0.5, 7.2), text, font(7, true));
    drawSuit(p, suit, QRectF(r.left() + r.width() * 0.55, r.top() + 1.2, 5, 5), ink);
    if (whole) {
        const qreal s = r.width() * 0.5;
        drawSuit(p, suit, QRectF(r.center().x() - s / 2, r.center().y() - s / 2 + 2.5, s, s), ink);
    }
}

void caption(QPainter &p, const QRectF &r, const QString &title, const QString &value)
{
    p.setPen(QColor(230, 244, 230, 200));
    drawFittedText(p, QRectF(r.left(), r.top() + 3, r.width(), 11), title, font(9, false));
    p.setPen(QColor(255, 250, 220));
    drawFittedText(p, QRectF(r.left(), r.top() + 14, r.width(), 18), value, font(15, true, true));
}

// Left edges of count items of width itemW spread over [left, right], at most step apart.
QList<qreal> spread(int count, qreal left, qreal right, qreal itemW, qreal step)
{
    QList<qreal> xs;
    if (count <= 0)
        return xs;
    const qreal room = right - left - itemW;
    const qreal gap = count > 1 ? std::min(step, room / (count - 1)) : 0;
    const qreal used = gap * (count - 1) + itemW;
    const qreal x0 = left + (right - left - used) / 2;
    for (int k = 0; k < count; ++k)
        xs.append(x0 + gap * k);
    return xs;
}

QImage subImage(qreal ratio)
{
    QImage image = newImage(artPreviews::SubWidth, artPreviews::SubHeight, ratio);
    QPainter p(&image);
    table(p, QRectF(0, 0, artPreviews::SubWidth, artPreviews::SubHeight), 0);
    return image;
}

// Suit of the k-th card in a deck of the given suit code: 0 one suit, 1 two, otherwise four.
int suitFor(int suitCode, int k)
{
    if (suitCode == 0)
        return 2;
    if (suitCode == 1)
        return (k % 2 == 0) ? 2 : 3;
    return k % 4;
}

} // namespace

namespace artPreviews {

QImage res(int freeCells, int freeCellCards, qreal ratio)
{
    const int cells = std::clamp(freeCells, 0, kMaxPiles);
    const int cards = std::clamp(freeCellCards, 0, cells);
    QImage image = subImage(ratio);
    QPainter p(&image);
    smooth(p);
    caption(p, QRectF(2, 0, 36, SubHeight), QStringLiteral("Cells"), QString::number(std::max(0, freeCells)));
    const QList<qreal> xs = spread(cells, 40, SubWidth - 3, kMiniW, 21);
    for (int k = 0; k < xs.size(); ++k) {
        const QRectF r(xs[k], (SubHeight - kMiniH) / 2, kMiniW, kMiniH);
        if (k < cards)
            miniCard(p, r, k % 4, static_cast<int>(hash01(k, 1, 3) * 13), true);
        else
            emptySlot(p, r, {});
    }
    if (cells == 0) {
        p.setPen(QColor(230, 244, 230, 170));
        drawFittedText(p, QRectF(40, 8, SubWidth - 44, 20), QStringLiteral("none"), font(10, false));
    }
    return image;
}

QImage goal(int baseRank, int startCards, qreal ratio)
{
    const int piles = 4;
    const int cards = std::clamp(startCards, 0, piles);
    const bool known = baseRank >= 0 && baseRank <= 12;
    const QString base = known ? rankText(baseRank) : QStringLiteral("?");
    QImage image = subImage(ratio);
    QPainter p(&image);
    smooth(p);
    caption(p, QRectF(2, 0, 36, SubHeight), QStringLiteral("Base"), base);
    const QList<qreal> xs = spread(piles, 40, SubWidth - 3, kMiniW, 21);
    for (int k = 0; k < piles; ++k) {
        const QRectF r(xs[k], (SubHeight - kMiniH) / 2, kMiniW, kMiniH);
        if (k < cards)
            miniCard(p, r, k, known ? baseRank : -1, true);
        else
            emptySlot(p, r, base);
    }
    return image;
}

QImage tableau(int piles, int suitCode, qreal ratio)
{
    const int n = std::clamp(piles, 0, kMaxPiles);
    QImage image = newImage(TableauWidth, TableauHeight, ratio);
    QPainter p(&image);
    table(p, QRectF(0, 0, TableauWidth, TableauHeight), SubHeight);
    smooth(p);
    if (n == 0) {
        p.setPen(QColor(230, 244, 230, 170));
        drawFittedText(p, QRectF(0, 30, TableauWidth, 40), QStringLiteral("no tableau piles"), font(12, false));
        return image;
    }
    const qreal cardW = 22;
    const qreal cardH = 31;
    const QList<qreal> xs = spread(n, 4, TableauWidth - 4, cardW, 27);
    // Deal the 52 cards round the piles, as a deal would.
    const int longest = (52 + n - 1) / n;
    const qreal dy = longest > 1 ? std::min<qreal>(9.0, (TableauHeight - 8 - cardH) / (longest - 1)) : 0;
    for (int k = 0; k < n; ++k) {
        const int count = 52 / n + (k < 52 % n ? 1 : 0);
        for (int c = 0; c < count; ++c) {
            const int id = c * n + k;
            const QRectF r(xs[k], 4 + c * dy, cardW, cardH);
            miniCard(p, r, suitFor(suitCode, static_cast<int>(hash01(id, 2, 9) * 4)),
                     static_cast<int>(hash01(id, 1, 9) * 13), c == count - 1);
        }
    }
    return image;
}

QImage blank(qreal ratio)
{
    QImage image = newImage(TableauWidth, kTotalHeight, ratio);
    QPainter p(&image);
    table(p, QRectF(0, 0, TableauWidth, kTotalHeight), 0);
    smooth(p);
    // A faint ring of the four suits marks the empty preview.
    const QPointF c(TableauWidth / 2.0, kTotalHeight / 2.0);
    const QColor ink(255, 255, 255, 40);
    drawSuit(p, 2, QRectF(c.x() - 34, c.y() - 10, 20, 20), ink);
    drawSuit(p, 3, QRectF(c.x() - 12, c.y() - 10, 20, 20), ink);
    drawSuit(p, 0, QRectF(c.x() + 10, c.y() - 10, 20, 20), ink);
    drawSuit(p, 1, QRectF(c.x() + 32, c.y() - 10, 20, 20), ink);
    return image;
}

QImage blankSub(qreal ratio)
{
    return subImage(ratio);
}

QImage maxButton(qreal ratio)
{
    QImage image = newImage(ButtonSize, ButtonSize, ratio);
    QPainter p(&image);
    smooth(p);
    const QColor ink(48, 52, 64);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.2, 1.2);
    p.fillRect(QRectF(2.5, 2.5, 11, 3), ink);
    return image;
}

QImage minButton(qreal ratio)
{
    // Shown where the chosen game's title goes while none is chosen: it keeps that place
    // and draws nothing, so no glyph stands alone over the empty preview.
    QImage image = newImage(ButtonSize, ButtonSize, ratio);
    image.fill(Qt::transparent);
    return image;
}

} // namespace artPreviews
