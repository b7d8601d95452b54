// The bar chart control, read back from the chart it shows: values by row and column,
// labels by 1-based number, and a value axis that spans negative values and stays
// readable when every value is zero; and the texts it would draw for big figures and
// many rows, which must all read whole.
#include "platform/ChartWidget.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <gtest/gtest.h>

TEST(ChartWidget, RowsByColumnsWithLabelsAndANegativeValue)
{
    ChartWidget chart;
    chart.setData(QList<QList<double>>{{5, -40}, {120}, {0, 7}});
    ASSERT_EQ(chart.rowCount(), 3);
    ASSERT_EQ(chart.columnCount(), 2);
    EXPECT_EQ(chart.value(1, 2), -40);
    EXPECT_EQ(chart.value(2, 1), 120);
    EXPECT_EQ(chart.value(2, 2), 0); // a short row counts as zero
    EXPECT_EQ(chart.value(3, 2), 7);
    EXPECT_LE(chart.axisMin(), -40);
    EXPECT_GE(chart.axisMax(), 120);

    chart.setColumn(2);
    chart.setColumnLabel(QStringLiteral("Score"));
    chart.setColumn(3); // out of range: the second column stays selected
    chart.setColumnLabel(QStringLiteral("Total"));
    chart.setColumn(1);
    chart.setColumnLabel(QStringLiteral("Games"));
    EXPECT_EQ(chart.columnLabel(1), QStringLiteral("Games"));
    EXPECT_EQ(chart.columnLabel(2), QStringLiteral("Total"));

    // Rows may share a label.
    chart.setRowLabel(1, QStringLiteral("Mar 26"));
    chart.setRowLabel(3, QStringLiteral("Mar 26"));
    EXPECT_EQ(chart.rowLabels(), (QStringList{"Mar 26", "", "Mar 26"}));

    // New data starts unlabelled.
    chart.setData(QList<double>{1, 2});
    EXPECT_EQ(chart.rowCount(), 1);
    EXPECT_EQ(chart.columnLabel(1), QString());
    EXPECT_EQ(chart.axisMin(), 0);
}

TEST(ChartWidget, AllZeroValuesKeepARange)
{
    ChartWidget chart;
    chart.setData(QList<double>{0, 0, 0});
    EXPECT_EQ(chart.axisMin(), 0);
    EXPECT_GT(chart.axisMax(), 0);
}

namespace {
// Every text the chart would draw at a size: whole (as wide as the font draws it), inside
// the widget, no number in exponent form, nothing cut with an ellipsis, no two touching.
void expectReadable(const ChartWidget &chart, const QSize &size)
{
    SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
    const ChartWidget::Layout l = chart.layoutFor(size);
    const QFontMetricsF fm(chart.font());
    QList<ChartWidget::Label> all;
    for (const QList<ChartWidget::Label> *part : {&l.valueAxis, &l.categoryAxis, &l.valueLabels, &l.legend})
        all += *part;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const ChartWidget::Label &a = all.at(i);
        EXPECT_FALSE(a.text.contains(QLatin1String("e+")) || a.text.contains(QChar(0x2026)) ||
                     a.text.contains(QLatin1String("...")))
            << a.text.toStdString();
        const double room = a.turned ? a.rect.height() : a.rect.width();
        EXPECT_GE(room + 0.01, fm.horizontalAdvance(a.text)) << a.text.toStdString();
        EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(size)).contains(a.rect)) << a.text.toStdString();
        for (qsizetype j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(a.rect.intersects(all.at(j).rect))
                << a.text.toStdString() << " over " << all.at(j).text.toStdString();
    }
    // A value keeps a clear gap from every other text and from every bar but its own,
    // so that two figures side by side never read as one.
    const double gap = ChartWidget::labelGap(fm.height());
    EXPECT_GE(gap, 3);
    for (const ChartWidget::Label &v : l.valueLabels) {
        const QRectF clearance = v.rect.adjusted(-gap + 0.01, -gap + 0.01, gap - 0.01, gap - 0.01);
        for (const ChartWidget::Label &other : all) {
            if (other.rect != v.rect) {
                EXPECT_FALSE(clearance.intersects(other.rect))
                    << v.text.toStdString() << " beside " << other.text.toStdString();
            }
        }
        int touching = 0;
        for (const ChartWidget::Bar &bar : l.bars)
            if (clearance.intersects(bar.rect)) {
                ++touching;
                EXPECT_NEAR(bar.rect.center().x(), v.rect.center().x(), 0.01) << v.text.toStdString();
            }
        EXPECT_LE(touching, 1) << v.text.toStdString();
    }
}

// The smallest sizes the statistics windows and the win dialog give their charts, and
// those of the windows on a 1366x768 screen.
const QList<QSize> kSizes = {{240, 180}, {260, 200}, {300, 200}, {330, 190}, {420, 260}, {600, 330}};
} // namespace

TEST(ChartWidget, FiguresOfAHundredThousandGamesReadWhole)
{
    ChartWidget chart;
    // Score, moves and seconds of 100,000 games: grouped whole numbers, no exponents.
    chart.setData(QList<double>{25138947, 15079200, 48123456});
    const QStringList labels = {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")};
    for (int c = 1; c <= 3; ++c) {
        chart.setColumn(c);
        chart.setColumnLabel(labels.at(c - 1));
    }
    const QString grouped = ChartWidget::formatValue(15079200);
    EXPECT_TRUE(grouped.contains(QLocale().groupSeparator())) << grouped.toStdString();
    EXPECT_EQ(QString(grouped).remove(QLocale().groupSeparator()), QStringLiteral("15079200"));
    for (const QSize &size : kSizes)
        expectReadable(chart, size);
    chart.resize(260, 200);
    const ChartWidget::Layout &narrow = chart.shown();
    ASSERT_EQ(narrow.bars.size(), 3);
    // A value that does not fit over its bar is in the bar's tooltip.
    EXPECT_TRUE(narrow.valueLabels.size() < 3);
    EXPECT_EQ(chart.toolTipAt(narrow.bars.at(1).rect.center()),
              QStringLiteral("Moves\n") + ChartWidget::formatValue(15079200));

    // Thirty days and ten months of played and won games, labelled by their dates.
    QList<QList<double>> days;
    for (int d = 0; d < 30; ++d)
        days << QList<double>{1667.0 + d, 556.0 + d};
    chart.setData(days);
    for (int d = 1; d <= 30; ++d)
        chart.setRowLabel(d, QDate(2026, 11, 10).addDays(d).toString(QStringLiteral("MMM dd")));
    for (const QSize &size : kSizes) {
        expectReadable(chart, size);
        EXPECT_GE(chart.layoutFor(size).categoryAxis.size(), 3); // thinned, not dropped
        // Values wider than a day's slot would cover the neighbouring bars.
        EXPECT_TRUE(chart.layoutFor(size).valueLabels.isEmpty());
    }
    // Ten days of as many played as won games: the two figures of a day would stand
    // edge to edge ("9292"); one of them makes way.
    QList<QList<double>> tenDays;
    for (int d = 0; d < 10; ++d)
        tenDays << QList<double>{92, 92};
    chart.setData(tenDays);
    for (const QSize &size : kSizes)
        expectReadable(chart, size);
    EXPECT_EQ(chart.layoutFor({600, 330}).valueLabels.size(), 20); // where there is room, every one
    QList<QList<double>> months;
    for (int m = 0; m < 10; ++m)
        months << QList<double>{1.2e7 + m, 9.0e6, 2.9e7};
    chart.setData(months);
    for (int m = 1; m <= 10; ++m)
        chart.setRowLabel(m, QDate(2026, m + 2, 1).toString(QStringLiteral("MMM yy")));
    for (const QSize &size : kSizes)
        expectReadable(chart, size);
}

TEST(ChartWidget, TenThousandRowsAreMergedIntoTheBarsThatFit)
{
    ChartWidget chart;
    QList<QList<double>> games;
    for (int g = 0; g < 10001; ++g)
        games << QList<double>{static_cast<double>(g % 700 - 100), 50.0 + g % 200, 60.0 + g % 900};
    chart.setData(games);
    for (int r = 1; r <= 10001; ++r)
        chart.setRowLabel(r, QString::number(r));
    for (const QSize &size : kSizes) {
        expectReadable(chart, size);
        const ChartWidget::Layout l = chart.layoutFor(size);
        EXPECT_GT(l.rowsPerBar, 1);
        EXPECT_LE(l.bars.size(), l.plot.width()); // at most one bar a pixel
        EXPECT_FALSE(l.categoryAxis.isEmpty());
        EXPECT_TRUE(l.valueLabels.isEmpty());
    }
    // A merged bar spans its rows' lowest and highest values.
    chart.resize(300, 200);
    const ChartWidget::Bar &first = chart.shown().bars.at(0);
    ASSERT_GT(first.lastRow, 0);
    EXPECT_EQ(first.low, -100);
    EXPECT_EQ(first.high, std::min(first.lastRow, 699) - 100);
    EXPECT_LT(chart.axisMin(), 0);
    EXPECT_GE(chart.axisMax(), 959);

    // A merged mark spans its rows' values only: on this column (50 to 249) it stays
    // clear of the zero line.
    const ChartWidget::Layout &merged = chart.shown();
    const double zero =
        merged.plot.bottom() - (0 - merged.axisMin) / (merged.axisMax - merged.axisMin) * merged.plot.height();
    for (const ChartWidget::Bar &bar : merged.bars) {
        EXPECT_TRUE(bar.merged());
        if (bar.column == 1) {
            EXPECT_LT(bar.rect.bottom(), zero - 1);
        }
    }
    EXPECT_TRUE(chart.toolTipAt(first.rect.center())
                    .startsWith(QStringLiteral("%1 rows merged, 1 to %1").arg(first.lastRow + 1)));

    // Fifty games of three figures in the statistics window's 420 px chart: a bar per game.
    QList<QList<double>> fifty;
    for (int g = 0; g < 50; ++g)
        fifty << QList<double>{g % 2 ? -100.0 : 270.0, 80.0 + g, 740.0 + g * 2900};
    chart.setData(fifty);
    for (const QSize &size : {QSize(420, 260), QSize(600, 330)}) {
        const ChartWidget::Layout l = chart.layoutFor(size);
        EXPECT_EQ(l.rowsPerBar, 1);
        ASSERT_EQ(l.bars.size(), 150);
        EXPECT_GE(l.bars.first().rect.width(), 2);
        expectReadable(chart, size);
    }

    // Few bars with room get their values over them.
    chart.setData(QList<double>{5, 3});
    EXPECT_EQ(chart.shown().valueLabels.size(), 2);
}
