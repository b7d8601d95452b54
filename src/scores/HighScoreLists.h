// The four lists of the High Score window as rows of cell texts, built from the score
// store's top list right after it was sorted for them. A row stands for each filled
// slot, best first; a slot counts as filled when its sort key lies above 0.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class cScore;

struct HighScoreList {
    QList<QStringList> rows;
    int boldColumn = -1; // the column of the sort key, shown bold and dark red
};

namespace HighScoreLists {
// The finished-games orders, as the window offers them.
inline const QStringList &FinChoices()
{
    static const QStringList choices = {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")};
    return choices;
}
// Game, Player, Score, Time, Moves, Status, Date, Game No.: the best scores of all.
HighScoreList TopScore(cScore &score);
// S No., Player, Score, Time, Moves, Status, Date, Game No.: the best of one game.
HighScoreList GameTop(cScore &score, const QString &game);
// S No., Game, Score, Time, Moves, Status, Date, Game No.: the best of one player.
HighScoreList PlayerTop(cScore &score, const QString &player);
// S No., Game, Player, Score, Time, Moves, Date, Game No.: won games by highest score,
// fewest moves or least time ("Score", "Moves", "Time").
HighScoreList Finished(cScore &score, const QString &choice);
} // namespace HighScoreLists
