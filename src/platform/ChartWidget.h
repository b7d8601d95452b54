// The program's one bar chart: data given as rows (categories) by columns (series), a
// column picked by its 1-based number for its label, rows labelled likewise. The value
// axis always spans zero and every value, negative ones too, and keeps a range of 0 to
// 1 when every value is zero. What it shows can be read back for checking.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QBarCategoryAxis;
class QBarSeries;
class QChartView;
class QValueAxis;

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget *parent = nullptr);

    // One dimension: a single row with one value per column.
    void setData(const QList<double> &columns);
    // Two dimensions: rows are categories, columns are series; short rows count as 0.
    // Labels are cleared; the selected column is the first.
    void setData(const QList<QList<double>> &rows);

    // The column the label calls refer to, 1-based; a number out of range is ignored.
    void setColumn(int column);
    int column() const { return column_; }
    void setColumnLabel(const QString &label);
    // A row's category label, 1-based; a number out of range is ignored.
    void setRowLabel(int row, const QString &label);

    // Read back from the chart shown.
    int rowCount() const;
    int columnCount() const;
    double value(int row, int column) const; // both 1-based
    QString columnLabel(int column) const;   // 1-based
    QStringList rowLabels() const;
    double axisMin() const;
    double axisMax() const;

private:
    void rebuild(const QList<QList<double>> &rows, int columns);

    QChartView *view_ = nullptr;
    QBarSeries *series_ = nullptr;
    QBarCategoryAxis *categories_ = nullptr;
    QValueAxis *values_ = nullptr;
    int rows_ = 0;
    int column_ = 1;
};
