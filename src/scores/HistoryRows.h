// The rows of the move history table: one per recorded move, read from a copy of the
// record taken when the rows are loaded, so the table never changes under the view.
// The current move shows dark red and bold, the undone moves after it olive.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QVector>

#include "engine/cEngine.h"

class HistoryRows : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr int ColumnCount = 4;

    // Copies moves 1 to top of the record and the current move's number.
    void load(const cEngine &engine);
    int current() const { return current_; }
    // The small picture that begins every row.
    void setIcon(const QIcon &icon) { icon_ = icon; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<TransRecord> moves_;
    int current_ = 0;
    QIcon icon_;
};
