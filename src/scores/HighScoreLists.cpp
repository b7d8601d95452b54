#include "scores/HighScoreLists.h"

#include "engine/mFunc.h"
#include "scores/cScore.h"
#include "scores/mPlayers.h"

namespace HighScoreLists {

namespace {

enum class Field { Game, Player, Score, Time, Moves, Status, Date, GameNo };

QString cell(const ScoreRecord &r, Field field)
{
    switch (field) {
    case Field::Game: return r.GameName;
    case Field::Player: return r.Player;
    case Field::Score: return QString::number(r.Score);
    case Field::Time: return mFunc::FormatTime(r.Time);
    case Field::Moves: return QString::number(r.Moves);
    case Field::Status: return mPlayers::GetResultText(r.Won);
    case Field::Date: return r.ShortDate();
    case Field::GameNo: return r.GameNo.text();
    }
    return {};
}

std::int32_t keyOf(const ScoreRecord &r, Field key)
{
    return key == Field::Time ? r.Time : key == Field::Moves ? r.Moves : r.Score;
}

// One row per filled slot: the slot number first when numbered, then the fields.
HighScoreList rowsOf(const cScore &score, bool numbered, std::initializer_list<Field> fields, Field key)
{
    HighScoreList list;
    int column = numbered ? 1 : 0;
    for (const Field f : fields) {
        if (f == key)
            list.boldColumn = column;
        ++column;
    }
    for (std::int16_t slot = 1; slot <= cScore::kTopSlots; ++slot) {
        const ScoreRecord &r = score.GetTopScore(slot);
        if (keyOf(r, key) <= 0)
            break;
        QStringList cells;
        if (numbered)
            cells << QString::number(slot);
        for (const Field f : fields)
            cells << cell(r, f);
        list.rows << cells;
    }
    return list;
}

} // namespace

HighScoreList TopScore(cScore &score)
{
    score.Sort(QString(), QString(), 0);
    return rowsOf(score, false,
                  {Field::Game, Field::Player, Field::Score, Field::Time, Field::Moves, Field::Status, Field::Date,
                   Field::GameNo},
                  Field::Score);
}

HighScoreList GameTop(cScore &score, const QString &game)
{
    score.Sort(game, QString(), 0);
    return rowsOf(score, true,
                  {Field::Player, Field::Score, Field::Time, Field::Moves, Field::Status, Field::Date, Field::GameNo},
                  Field::Score);
}

HighScoreList PlayerTop(cScore &score, const QString &player)
{
    score.Sort(QString(), player, 0);
    return rowsOf(score, true,
                  {Field::Game, Field::Score, Field::Time, Field::Moves, Field::Status, Field::Date, Field::GameNo},
                  Field::Score);
}

HighScoreList Finished(cScore &score, const QString &choice)
{
    Field key = Field::Score;
    if (choice == QLatin1String("Moves")) {
        key = Field::Moves;
        score.FinSort(false, true);
    } else if (choice == QLatin1String("Time")) {
        key = Field::Time;
        score.FinSort(true, false);
    } else {
        score.Sort(QString(), QString(), 1);
    }
    return rowsOf(score, true,
                  {Field::Game, Field::Player, Field::Score, Field::Time, Field::Moves, Field::Date, Field::GameNo},
                  key);
}

} // namespace HighScoreLists
