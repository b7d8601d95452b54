#include "platform/ChartWidget.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr double kMargin = 6;
constexpr double kGap = 6;            // least room between two labels
constexpr double kMinBar = 2;         // narrowest bar drawn; below it rows are merged
constexpr double kMinMerged = 5;      // narrowest merged mark: wide enough to show it is hollow
constexpr double kMinGroupGap = 1;    // least room between the bars of two rows
constexpr double kGroupFill = 0.8;    // share of a row's slot its bars take when there is room
constexpr double kTurnedShare = 0.35; // most of the height turned row labels may take
constexpr std::array<QRgb, 6> kColours = {0xff209fdf, 0xff99ca53, 0xfff6a625, 0xff6d5fd5, 0xffbf593e, 0xff38ad6b};

struct Ticks {
    double min = 0;
    double max = 1;
    double step = 1;
};

// Whole-number ticks at 1, 2 or 5 times a power of ten, about `target` of them, that
// take in low and high.
Ticks niceTicks(double low, double high, int target)
{
    if (low == 0 && high == 0)
        high = 1;
    const double raw = (high - low) / std::max(target, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    }
    step = std::max(step, 1.0);
    Ticks t;
    t.step = step;
    t.min = std::floor(low / step) * step;
    t.max = std::ceil(high / step) * step;
    if (t.max <= t.min)
        t.max = t.min + step;
    return t;
}

QString rowName(const QStringList &labels, int row)
{
    const QString &label = labels.at(row);
    return label.isEmpty() ? QString::number(row + 1) : label;
}
} // namespace

ChartWidget::ChartWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
}

void ChartWidget::setData(const QList<double> &columns)
{
    setData(QList<QList<double>>{columns});
}

void ChartWidget::setData(const QList<QList<double>> &rows)
{
    columns_ = 0;
    for (const QList<double> &row : rows)
        columns_ = std::max(columns_, static_cast<int>(row.size()));
    rows_ = rows;
    for (QList<double> &row : rows_)
        row.resize(columns_, 0.0);
    rowLabels_ = QStringList(rows_.size());
    columnLabels_ = QStringList(columns_);
    column_ = 1;
    changed();
}

void ChartWidget::setColumn(int column)
{
    if (column >= 1 && column <= columns_)
        column_ = column;
}

void ChartWidget::setColumnLabel(const QString &label)
{
    if (column_ > columns_)
        return;
    columnLabels_[column_ - 1] = label;
    changed();
}

void ChartWidget::setRowLabel(int row, const QString &label)
{
    if (row < 1 || row > rowCount())
        return;
    rowLabels_[row - 1] = label;
    changed();
}

int ChartWidget::rowCount() const
{
    return static_cast<int>(rows_.size());
}

int ChartWidget::columnCount() const
{
    return columns_;
}

double ChartWidget::value(int row, int column) const
{
    if (row < 1 || row > rowCount() || column < 1 || column > columns_)
        return 0;
    return rows_.at(row - 1).at(column - 1);
}

QString ChartWidget::columnLabel(int column) const
{
    if (column < 1 || column > columns_)
        return {};
    return columnLabels_.at(column - 1);
}

QStringList ChartWidget::rowLabels() const
{
    return rowLabels_;
}

double ChartWidget::axisMin() const
{
    return shown().axisMin;
}

double ChartWidget::axisMax() const
{
    return shown().axisMax;
}

QString ChartWidget::formatValue(double value)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<qint64>(std::llround(value)));
}

double ChartWidget::labelGap(double fontHeight)
{
    return std::max(3.0, fontHeight / 4);
}

void ChartWidget::changed()
{
    layoutSize_ = QSize();
    update();
}

const ChartWidget::Layout &ChartWidget::shown() const
{
    if (layoutSize_ != size()) {
        layout_ = layoutFor(size());
        layoutSize_ = size();
    }
    return layout_;
}

ChartWidget::Layout ChartWidget::layoutFor(const QSize &size) const
{
    const QFontMetricsF fm(font());
    const double fh = fm.height();
    const double width = size.width();
    const double height = size.height();
    Layout out;

    // Legend: a swatch and the label of each labelled column, wrapped into lines.
    double legendHeight = 0;
    if (columns_ > 1) {
        double x = kMargin;
        double line = 0;
        bool any = false;
        for (int c = 0; c < columns_; ++c) {
            const QString &text = columnLabels_.at(c);
            if (text.isEmpty())
                continue;
            const double itemWidth = fh + 4 + fm.horizontalAdvance(text);
            if (any && x + itemWidth > width - kMargin) {
                x = kMargin;
                ++line;
            }
            any = true;
            out.swatches << QRectF(x, line * fh, fh * 0.8, fh * 0.8);
            out.legend << Label{text, QRectF(x + fh + 4, line * fh, fm.horizontalAdvance(text), fh), false, c};
            x += itemWidth + 2 * kGap;
        }
        if (any)
            legendHeight = (line + 1) * fh + kGap;
        // Lines are stacked from the bottom edge.
        const double top = height - kMargin - legendHeight + kGap;
        for (QRectF &r : out.swatches)
            r.translate(0, top + fh * 0.1);
        for (Label &l : out.legend)
            l.rect.translate(0, top);
    }

    double low = 0;
    double high = 0;
    for (const QList<double> &row : rows_)
        for (const double v : row) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    const int rows = rowCount();
    bool anyRowLabel = false;
    for (const QString &label : rowLabels_)
        anyRowLabel = anyRowLabel || !label.isEmpty();

    // The value axis' width, the merging of rows and the row labels' room depend on one
    // another: settle them in a few rounds.
    double axisWidth = fm.horizontalAdvance(formatValue(high));
    Ticks ticks;
    int perBar = 1;
    int groups = rows;
    bool turned = false;
    int every = 1;
    double categoryHeight = 0;
    const double plotTop = kMargin + fh + 2; // room for the value over the tallest bar
    for (int round = 0; round < 3; ++round) {
        const double plotLeft = kMargin + axisWidth + kGap;
        const double plotWidth = std::max(1.0, width - plotLeft - kMargin);
        const int columns = std::max(columns_, 1);
        // One bar per row while each gets kMinBar; merged marks, when needed, get more.
        const auto fit = [&](double least) {
            return std::max(1, static_cast<int>(plotWidth / (columns * least + kMinGroupGap)));
        };
        const int fitting = fit(kMinBar);
        perBar = rows <= fitting ? 1 : std::max(2, (rows + fit(kMinMerged) - 1) / fit(kMinMerged));
        groups = rows == 0 ? 0 : (rows + perBar - 1) / perBar;

        categoryHeight = 0;
        turned = false;
        every = 1;
        if (anyRowLabel && groups > 0) {
            const double slot = plotWidth / groups;
            double widest = 0;
            for (int g = 0; g < groups; ++g)
                widest = std::max(widest, fm.horizontalAdvance(rowLabels_.at(g * perBar)));
            const int flat = static_cast<int>(std::ceil((widest + kGap) / slot));
            const int upright = static_cast<int>(std::ceil((fh + kGap) / slot));
            turned = flat > 1 && upright < flat && widest <= height * kTurnedShare;
            every = std::max(1, turned ? upright : flat);
            categoryHeight = (turned ? widest : fh) + fh / 2 + 2;
        }
        const double plotBottom = height - kMargin - legendHeight - categoryHeight - fh / 2;
        const double plotHeight = std::max(1.0, plotBottom - plotTop);
        ticks = niceTicks(low, high, std::clamp(static_cast<int>(plotHeight / (fh * 2.5)), 1, 5));
        double widest = 0;
        const auto count = std::llround((ticks.max - ticks.min) / ticks.step);
        for (qint64 i = 0; i <= count; ++i)
            widest =
                std::max(widest, fm.horizontalAdvance(formatValue(ticks.min + static_cast<double>(i) * ticks.step)));
        out.plot = QRectF(plotLeft, plotTop, plotWidth, plotHeight);
        if (widest == axisWidth)
            break;
        axisWidth = widest;
    }
    const QRectF plot = out.plot;
    out.axisMin = ticks.min;
    out.axisMax = ticks.max;
    out.rowsPerBar = perBar;
    const auto yOf = [&](double v) {
        return plot.bottom() - (v - ticks.min) / (ticks.max - ticks.min) * plot.height();
    };

    // Tick values, right-aligned to the plot; any that would touch the one below is left out.
    const auto count = std::llround((ticks.max - ticks.min) / ticks.step);
    double lastTop = height;
    for (qint64 i = 0; i <= count; ++i) {
        const double v = ticks.min + static_cast<double>(i) * ticks.step;
        const QString text = formatValue(v);
        const double w = fm.horizontalAdvance(text);
        const QRectF r(plot.left() - kGap - w, yOf(v) - fh / 2, w, fh);
        if (r.bottom() > lastTop)
            continue;
        out.ticks << v;
        out.valueAxis << Label{text, r};
        lastTop = r.top();
    }

    if (groups == 0)
        return out;
    const double slot = plot.width() / groups;
    const int columns = std::max(columns_, 1);
    // Dense rows give up most of the room between them before their bars get narrow.
    const double groupGap = std::min(slot * (1 - kGroupFill), std::max(kMinGroupGap, slot - columns * kMinBar));
    const double barWidth = (slot - groupGap) / columns;
    for (int g = 0; g < groups; ++g) {
        const int first = g * perBar;
        const int last = std::min(rows, first + perBar) - 1;
        for (int c = 0; c < columns_; ++c) {
            double lo = rows_.at(first).at(c);
            double hi = lo;
            for (int r = first + 1; r <= last; ++r) {
                lo = std::min(lo, rows_.at(r).at(c));
                hi = std::max(hi, rows_.at(r).at(c));
            }
            const double x = plot.left() + g * slot + groupGap / 2 + c * barWidth;
            // A value stands on the zero line; a merged range spans its lowest to highest
            // value only, at least a pixel high.
            double top = yOf(last > first ? hi : std::max(0.0, hi));
            double bottom = yOf(last > first ? lo : std::min(0.0, lo));
            if (last > first && bottom - top < 1) {
                top = (top + bottom - 1) / 2;
                bottom = top + 1;
            }
            out.bars << Bar{QRectF(x, top, barWidth, bottom - top), c, first, last, lo, hi};
        }
        if (anyRowLabel && g % every == 0 && !rowLabels_.at(first).isEmpty()) {
            const QString &text = rowLabels_.at(first);
            const double w = fm.horizontalAdvance(text);
            const double centre = plot.left() + (g + 0.5) * slot;
            const double top = plot.bottom() + fh / 2 + 2;
            QRectF r = turned ? QRectF(centre - fh / 2, top, fh, w) : QRectF(centre - w / 2, top, w, fh);
            // Kept inside the widget; the first and last may shift toward the middle.
            r.moveLeft(std::clamp(r.left(), 0.0, std::max(0.0, width - r.width())));
            out.categoryAxis << Label{text, r, turned};
        }
    }

    // A value over its bar (under a negative one) where it is narrower than its row's
    // slot by a gap, stays in the plot's room and keeps a clear gap from every other
    // bar and value, so two figures never read as one; merged rows show theirs in tooltips.
    if (perBar == 1) {
        const QRectF room = plot.adjusted(0, -fh - 2, 0, 0);
        const double gap = labelGap(fh);
        for (const Bar &bar : out.bars) {
            const double v = bar.high;
            const QString text = formatValue(v);
            const double w = fm.horizontalAdvance(text);
            const double y = v < 0 ? bar.rect.bottom() + 1 : bar.rect.top() - fh - 1;
            const QRectF r(bar.rect.center().x() - w / 2, y, w, fh);
            if (w + gap > slot || !room.contains(r))
                continue;
            const QRectF clearance = r.adjusted(-gap, -gap, gap, gap);
            const bool clear =
                std::none_of(out.bars.cbegin(), out.bars.cend(),
                             [&](const Bar &other) { return &other != &bar && other.rect.intersects(clearance); }) &&
                std::none_of(out.valueLabels.cbegin(), out.valueLabels.cend(),
                             [&](const Label &l) { return l.rect.intersects(clearance); });
            if (clear)
                out.valueLabels << Label{text, r};
        }
    }
    return out;
}

QString ChartWidget::toolTipAt(const QPointF &pos) const
{
    const Layout &l = shown();
    for (const Bar &bar : l.bars) {
        // Thin and short bars answer over their whole slot's height.
        const QRectF hit(bar.rect.left(), l.plot.top(), bar.rect.width(), l.plot.height());
        if (!hit.contains(pos))
            continue;
        QStringList head;
        if (bar.merged())
            head << QStringLiteral("%1 rows merged, %2 to %3")
                        .arg(bar.lastRow - bar.firstRow + 1)
                        .arg(rowName(rowLabels_, bar.firstRow), rowName(rowLabels_, bar.lastRow));
        else if (rowCount() > 1)
            head << rowName(rowLabels_, bar.firstRow);
        if (!columnLabels_.at(bar.column).isEmpty())
            head << columnLabels_.at(bar.column);
        const QString values =
            !bar.merged() ? formatValue(bar.high)
                          : QStringLiteral("lowest %1, highest %2").arg(formatValue(bar.low), formatValue(bar.high));
        return head.isEmpty() ? values : head.join(QStringLiteral(", ")) + QLatin1Char('\n') + values;
    }
    return {};
}

bool ChartWidget::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void ChartWidget::paintEvent(QPaintEvent * /*event*/)
{
    const Layout &l = shown();
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const QColor text = palette().color(QPalette::Text);
    const QColor grid = palette().color(QPalette::Mid);

    const auto yOf = [&](double v) {
        return l.plot.bottom() - (v - l.axisMin) / (l.axisMax - l.axisMin) * l.plot.height();
    };
    p.setPen(QPen(grid, 0, Qt::DotLine));
    for (const double v : l.ticks)
        p.drawLine(QPointF(l.plot.left(), yOf(v)), QPointF(l.plot.right(), yOf(v)));
    p.setPen(QPen(text, 0));
    p.drawLine(l.plot.topLeft(), l.plot.bottomLeft());
    p.drawLine(QPointF(l.plot.left(), yOf(0)), QPointF(l.plot.right(), yOf(0)));

    for (const Bar &bar : l.bars) {
        const QColor colour = QColor::fromRgb(kColours.at(static_cast<std::size_t>(bar.column) % kColours.size()));
        if (!bar.merged()) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawRect(bar.rect);
            continue;
        }
        // A merged range: a pale box with its outline, so it never passes for a value bar.
        QColor pale = colour;
        pale.setAlpha(70);
        p.setPen(QPen(colour, 1));
        p.setBrush(pale);
        p.drawRect(bar.rect.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    p.setPen(Qt::NoPen);
    for (qsizetype i = 0; i < l.swatches.size(); ++i) {
        const auto column = static_cast<std::size_t>(std::max(l.legend.at(i).column, 0));
        p.setBrush(QColor::fromRgb(kColours.at(column % kColours.size())));
        p.drawRect(l.swatches.at(i));
    }

    p.setPen(text);
    for (const QList<Label> *labels : {&l.valueAxis, &l.valueLabels, &l.legend})
        for (const Label &label : *labels)
            p.drawText(label.rect, Qt::AlignCenter | Qt::TextSingleLine, label.text);
    for (const Label &label : l.categoryAxis) {
        if (!label.turned) {
            p.drawText(label.rect, Qt::AlignCenter | Qt::TextSingleLine, label.text);
            continue;
        }
        // Turned to read upward, its end at the axis.
        p.save();
        p.translate(label.rect.center());
        p.rotate(-90);
        const QRectF upright(-label.rect.height() / 2, -label.rect.width() / 2, label.rect.height(),
                             label.rect.width());
        p.drawText(upright, Qt::AlignCenter | Qt::TextSingleLine, label.text);
        p.restore();
    }
}
