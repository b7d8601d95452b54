#include "platform/ChartWidget.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr qsizetype kMaxValueLabels = 300;
const QChar kZero(0x200B); // zero width space
const QChar kOne(0x200C);  // zero width non-joiner

// A category name that shows nothing and differs for every row: a blank, then the row
// number in binary written with two invisible characters, so it stays short.
QString blankName(int row)
{
    QString name(1, QLatin1Char(' '));
    for (; row > 0; row >>= 1)
        name += (row & 1) != 0 ? kOne : kZero;
    return name;
}
} // namespace

ChartWidget::ChartWidget(QWidget *parent) : QWidget(parent)
{
    view_ = new QChartView(this);
    view_->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    rebuild({}, 0);
}

void ChartWidget::setData(const QList<double> &columns)
{
    rebuild({columns}, static_cast<int>(columns.size()));
}

void ChartWidget::setData(const QList<QList<double>> &rows)
{
    int columns = 0;
    for (const QList<double> &row : rows)
        columns = std::max(columns, static_cast<int>(row.size()));
    rebuild(rows, columns);
}

void ChartWidget::rebuild(const QList<QList<double>> &rows, int columns)
{
    auto *chart = new QChart;
    series_ = new QBarSeries;
    double low = 0;
    double high = 0;
    for (int c = 0; c < columns; ++c) {
        auto *set = new QBarSet(QString());
        for (const QList<double> &row : rows) {
            const double v = c < row.size() ? row.at(c) : 0.0;
            set->append(v);
            low = std::min(low, v);
            high = std::max(high, v);
        }
        series_->append(set);
    }
    // A value over every bar while they are few enough to read; thousands of bars would
    // only pile their labels up and take seconds to lay out.
    series_->setLabelsVisible(static_cast<qsizetype>(columns) * rows.size() <= kMaxValueLabels);
    chart->addSeries(series_);

    rows_ = static_cast<int>(rows.size());
    categories_ = new QBarCategoryAxis;
    QStringList names;
    for (int r = 0; r < rows_; ++r)
        names << blankName(r + 1);
    categories_->append(names);
    chart->addAxis(categories_, Qt::AlignBottom);
    series_->attachAxis(categories_);

    values_ = new QValueAxis;
    // Zero stays in view so bars grow from it; all zeros still give a readable axis.
    if (low == 0 && high == 0)
        high = 1;
    values_->setRange(low, high);
    values_->applyNiceNumbers();
    // Whole-number labels on a small range: one tick per unit, so no label repeats.
    const double span = values_->max() - values_->min();
    if (span >= 1 && span < values_->tickCount() - 1 && std::floor(span) == span &&
        std::floor(values_->min()) == values_->min())
        values_->setTickCount(static_cast<int>(span) + 1);
    values_->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(values_, Qt::AlignLeft);
    series_->attachAxis(values_);
    chart->legend()->setVisible(columns > 1);
    chart->legend()->setAlignment(Qt::AlignBottom);

    // The view owns its chart: the one it held before goes with it.
    QChart *old = view_->chart();
    view_->setChart(chart);
    delete old;
    column_ = 1;
}

void ChartWidget::setColumn(int column)
{
    if (column >= 1 && column <= columnCount())
        column_ = column;
}

void ChartWidget::setColumnLabel(const QString &label)
{
    if (column_ <= columnCount())
        series_->barSets().at(column_ - 1)->setLabel(label);
}

void ChartWidget::setRowLabel(int row, const QString &label)
{
    if (row < 1 || row > rows_)
        return;
    QStringList names = categories_->categories();
    // Category names must differ: a label taken by another row gets a trailing blank.
    QString unique = label;
    while (names.contains(unique) && names.indexOf(unique) != row - 1)
        unique += QLatin1Char(' ');
    names[row - 1] = unique;
    categories_->setCategories(names);
}

int ChartWidget::rowCount() const
{
    return rows_;
}

int ChartWidget::columnCount() const
{
    return static_cast<int>(series_->count());
}

double ChartWidget::value(int row, int column) const
{
    if (row < 1 || row > rows_ || column < 1 || column > columnCount())
        return 0;
    return series_->barSets().at(column - 1)->at(row - 1);
}

QString ChartWidget::columnLabel(int column) const
{
    if (column < 1 || column > columnCount())
        return {};
    return series_->barSets().at(column - 1)->label();
}

QStringList ChartWidget::rowLabels() const
{
    QStringList labels = categories_->categories();
    for (QString &label : labels) {
        label.remove(kZero);
        label.remove(kOne);
        label = label.trimmed();
    }
    return labels;
}

double ChartWidget::axisMin() const
{
    return values_->min();
}

double ChartWidget::axisMax() const
{
    return values_->max();
}
