// The rows of the game log table: the loaded records that pass the player, game and
// date filters, held as their positions in the store, so a fill copies no record and
// the view formats only the rows it shows. The store must stay loaded while shown.
#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QIcon>
#include <cstdint>
#include <vector>

class cScore;

class LogRows : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr int ColumnCount = 8;

    // Keeps the records of the store that pass: an empty player or game passes every
    // name, the date key as the log's date filter against today.
    void fill(const cScore &score, const QString &player, const QString &game, const QString &dateKey,
              const QDate &today);
    // Forgets the records, before the store releases them.
    void clear();
    // The small picture that begins every row.
    void setIcon(const QIcon &icon) { icon_ = icon; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const cScore *score_ = nullptr;
    std::vector<std::int32_t> rows_; // 1-based positions in the store
    QIcon icon_;
};
