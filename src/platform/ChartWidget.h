// The program's one bar chart: data given as rows (categories) by columns (series), a
// column picked by its 1-based number for its label, rows labelled likewise. The value
// axis always spans zero and every value, negative ones too, and keeps a range of 0 to
// 1 when every value is zero. It paints itself: values as whole numbers with digit
// grouping, a value over a bar only where it fits with a clear gap to everything else
// (else in the bar's tooltip), row labels thinned or turned rather than cut, and rows
// merged into hollow range marks only when the width cannot give each row's bars a few
// pixels. What it shows can be read back for checking.
#pragma once

#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    // A text the chart draws; rect holds the whole text as drawn, turned ones reading upward.
    struct Label {
        QString text;
        QRectF rect;
        bool turned = false;
        int column = -1; // a legend label's column, 0-based
    };
    // A bar: one row of one column, standing on the zero line; or a merged mark, drawn
    // hollow, spanning the lowest to the highest value of a run of rows.
    struct Bar {
        QRectF rect;
        int column = 0; // 0-based
        int firstRow = 0;
        int lastRow = 0;
        double low = 0;
        double high = 0;
        bool merged() const { return lastRow > firstRow; }
    };
    // Everything drawn at one size.
    struct Layout {
        QRectF plot;
        double axisMin = 0;
        double axisMax = 1;
        QList<double> ticks;
        int rowsPerBar = 1;
        QList<Bar> bars;
        QList<Label> valueAxis;    // tick values left of the plot
        QList<Label> categoryAxis; // row labels under the plot
        QList<Label> valueLabels;  // values over (or under) their bars
        QList<Label> legend;       // column labels
        QList<QRectF> swatches;    // the colour box before each legend label
    };

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

    // What the chart draws at its present size, or at another.
    const Layout &shown() const;
    Layout layoutFor(const QSize &size) const;
    // The tooltip of the bar under a point, empty off the bars.
    QString toolTipAt(const QPointF &pos) const;
    // A value as the chart writes it: a whole number with digit grouping.
    static QString formatValue(double value);
    // The least room a value label keeps from other labels and bars at a font height.
    static double labelGap(double fontHeight);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void changed();

    QList<QList<double>> rows_; // each as long as the widest row
    QStringList rowLabels_;
    QStringList columnLabels_;
    int columns_ = 0;
    int column_ = 1;
    mutable Layout layout_;
    mutable QSize layoutSize_; // the size layout_ was made for; invalid when stale
};
