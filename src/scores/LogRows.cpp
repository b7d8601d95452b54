#include "scores/LogRows.h"

#include "engine/mFunc.h"
#include "scores/cScore.h"
#include "scores/mStatistics.h"

void LogRows::fill(const cScore &score, const QString &player, const QString &game, const QString &dateKey,
                   const QDate &today)
{
    beginResetModel();
    score_ = &score;
    rows_.clear();
    for (std::int32_t i = 1; i <= score.ScoreTop(); ++i) {
        const ScoreRecord &r = score.GetScore(i);
        if (!player.isEmpty() && r.Player != player)
            continue;
        if (!game.isEmpty() && r.GameName != game)
            continue;
        if (!mStatistics::PassesDate(r, dateKey, today))
            continue;
        rows_.push_back(i);
    }
    endResetModel();
}

void LogRows::clear()
{
    beginResetModel();
    rows_.clear();
    score_ = nullptr;
    endResetModel();
}

int LogRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LogRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || score_ == nullptr || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool centred = index.column() >= 2 && index.column() <= 6;
        return QVariant::fromValue(Qt::Alignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (role == Qt::DecorationRole)
        return index.column() == 0 ? QVariant(icon_) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    const ScoreRecord &r = score_->GetScore(rows_[static_cast<std::size_t>(index.row())]);
    switch (index.column()) {
    case 0: return r.ShortDate();
    case 1: return r.Player;
    case 2: return r.GameName;
    case 3: return QString::number(r.Score);
    case 4: return mFunc::FormatTime(r.Time);
    case 5: return QString::number(r.Moves);
    case 6: return r.Won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost");
    case 7: return r.GameNo.text();
    default: return {};
    }
}

QVariant LogRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const kTitles[ColumnCount] = {"Date", "Player", "Game",   "Score",
                                                     "Time", "Moves",  "Status", "Game Number"};
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kTitles[section]);
    if (role == Qt::TextAlignmentRole) {
        const bool centred = section >= 2 && section <= 6;
        return QVariant::fromValue(Qt::Alignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}
