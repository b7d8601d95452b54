// The bar chart control, read back from the chart it shows: values by row and column,
// labels by 1-based number, and a value axis that spans negative values and stays
// readable when every value is zero.
#include "platform/ChartWidget.h"

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
