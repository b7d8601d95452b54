#include "scores/HistoryRows.h"

#include <QColor>
#include <QFont>

#include "scores/mHistory.h"

void HistoryRows::load(const cEngine &engine)
{
    beginResetModel();
    const int top = engine.GetTransTop();
    moves_.clear();
    moves_.reserve(top);
    for (int n = 1; n <= top; ++n)
        moves_.append(engine.Record(n));
    current_ = engine.GetTransID();
    endResetModel();
}

int HistoryRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(moves_.size());
}

int HistoryRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= moves_.size())
        return {};
    const int n = index.row() + 1;
    const TransRecord &move = moves_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0: return QString::number(n);
        case 1: return mHistory::GetSourceText(move);
        case 2: return mHistory::GetDestText(move);
        case 3: return mHistory::GetCardCount(move);
        default: return {};
        }
    case Qt::DecorationRole: return index.column() == 0 ? QVariant(icon_) : QVariant();
    case Qt::ForegroundRole:
        if (n == current_)
            return QColor(128, 0, 0);
        if (n > current_)
            return QColor(128, 128, 0);
        return {};
    case Qt::FontRole:
        if (n == current_) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant HistoryRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 1: return QStringLiteral("Source");
    case 2: return QStringLiteral("Destination");
    case 3: return QStringLiteral("Cards");
    default: return QString();
    }
}
