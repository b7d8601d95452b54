#include "scores/SessionRows.h"

#include <QColor>

#include "engine/mFunc.h"
#include "scores/cScore.h"

void SessionRows::load(const cScore &score, const Running *running)
{
    beginResetModel();
    score_ = &score;
    games_ = score.SesTop();
    hasRunning_ = running != nullptr;
    running_ = running != nullptr ? *running : Running{};
    endResetModel();
}

void SessionRows::updateRunning(std::int32_t time, std::int32_t score)
{
    if (!hasRunning_)
        return;
    running_.time = time;
    running_.score = score;
    emit dataChanged(index(games_, 0), index(games_, columnCount() - 1), {Qt::DisplayRole});
}

int SessionRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : games_ + (hasRunning_ ? 1 : 0);
}

int SessionRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (kind_ == Kind::Games ? 7 : 4);
}

QVariant SessionRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || score_ == nullptr || index.row() >= rowCount())
        return {};
    const bool running = index.row() == games_;
    if (role == Qt::ForegroundRole)
        return running ? QVariant(QColor(120, 0, 0)) : QVariant();
    if (role == Qt::DecorationRole)
        return index.column() == 0 ? QVariant(running ? runningIcon_ : ended_) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    const int c = index.column();
    if (kind_ == Kind::Chart) {
        std::int32_t time = running_.time, moves = running_.moves, score = running_.score;
        if (!running) {
            const ScoreRecord &g = score_->GetSesGame(index.row() + 1);
            time = g.Time, moves = g.Moves, score = g.Score;
        }
        switch (c) {
        case 0: return QString::number(index.row() + 1);
        case 1: return mFunc::FormatTime(time);
        case 2: return QString::number(moves);
        case 3: return QString::number(score);
        default: return {};
        }
    }
    if (running) {
        switch (c) {
        case 0: return running_.name;
        case 1: return running_.number.text();
        case 2: return running_.player;
        case 3: return mFunc::FormatTime(running_.time);
        case 4: return QString::number(running_.moves);
        case 5: return QStringLiteral("Running");
        case 6: return QString::number(running_.score);
        default: return {};
        }
    }
    const ScoreRecord &g = score_->GetSesGame(index.row() + 1);
    switch (c) {
    case 0: return g.GameName;
    case 1: return g.GameNo.text();
    case 2: return g.Player;
    case 3: return mFunc::FormatTime(g.Time);
    case 4: return QString::number(g.Moves);
    case 5: return g.Won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost");
    case 6: return QString::number(g.Score);
    default: return {};
    }
}

QVariant SessionRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const kGames[] = {"Game", "Game No", "Player", "Time", "Moves", "Status", "Score"};
    static const char *const kChart[] = {"No.", "Time", "Moves", "Score"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return QString::fromLatin1(kind_ == Kind::Games ? kGames[section] : kChart[section]);
}
