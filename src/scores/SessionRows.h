// The rows of the session tables: the games ended in this run, read from the store's
// session list, and after them the game in play while it runs, drawn dark red. The
// games table shows name, number, player, time, moves, status and score; the chart
// table the game's number in the run, time, moves and score. Only the running row's
// time and score change while shown.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <cstdint>

#include "core/GameNumber.h"

class cScore;

class SessionRows : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Games, Chart };

    // The game in play as the window shows it.
    struct Running {
        QString name;
        GameNumber number;
        QString player;
        std::int32_t time = 0;
        std::int32_t moves = 0;
        std::int32_t score = 0;
    };

    SessionRows(Kind kind, QObject *parent = nullptr) : QAbstractTableModel(parent), kind_(kind) {}

    // The store's session games, and the running game when there is one.
    void load(const cScore &score, const Running *running);
    // New time and score for the running row; nothing without one.
    void updateRunning(std::int32_t time, std::int32_t score);
    bool hasRunning() const { return hasRunning_; }
    // The small pictures that begin the rows of ended games and the running game's row.
    void setIcons(const QIcon &ended, const QIcon &running)
    {
        ended_ = ended;
        runningIcon_ = running;
    }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Kind kind_;
    const cScore *score_ = nullptr;
    int games_ = 0;
    bool hasRunning_ = false;
    Running running_;
    QIcon ended_;
    QIcon runningIcon_;
};
