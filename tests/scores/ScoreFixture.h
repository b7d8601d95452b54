// A context for the score store: a fixed clock, a game in play whose values the test
// sets, a scripted name box, and players with logs written straight to disk.
#pragma once

#include <QStringList>

#include "app/Seams.h"
#include "appearance/mCustomize.h"
#include "platform/Clock.h"
#include "scores/cScore.h"
#include "support/FileBytes.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedInputDialog.h"
#include "support/TestContext.h"

class FakeSession : public NullSessionInfo {
public:
    QString name = QStringLiteral("Freecell");
    GameNumber number = GameNumber::fromNumber(617);
    std::int32_t time = 125;
    std::int16_t moves = 41;
    std::int16_t score = -20;
    bool running = false;
    QString started;

    QString GameName() const override { return name; }
    int Game_Status() const override { return running ? 1 : 0; }
    bool Game_Running() const override { return running; }
    QString Game_StartTime() const override { return started; }
    GameNumber GameNo() const override { return number; }
    std::int32_t Time() const override { return time; }
    std::int16_t Moves() const override { return moves; }
    std::int16_t Score() const override { return score; }
};

struct ScoreServices {
    FixedClock clock;
    FakeSession game;
    ScriptedFileDialog dialogs;
    ScriptedInputDialog input;
};

struct ScoreContext : ScoreServices, TestContext {
    ScoreContext() : TestContext(services(*this)) { setPlayers({QStringLiteral("Player1")}); }

    cScore &score() const { return ctx.score(); }
    QString logOf(const QString &player) const { return cScore::LogPath(const_cast<Context &>(ctx), player); }
    void writeLog(const QString &player, const QByteArray &bytes) const { writeBytes(logOf(player), bytes); }
    // Slots 1.. in order ("" leaves a slot empty); the first name becomes current.
    void setPlayers(const QStringList &names)
    {
        for (std::int16_t s = 1; s <= mCustomize::kMaxPlayers; ++s) {
            if (s <= names.size() || !mCustomize::GetPlayer(ctx, s).isEmpty())
                mCustomize::SetPlayer(ctx, s, s <= names.size() ? names[s - 1] : QString(), false);
        }
        for (const QString &name : names) {
            if (!name.isEmpty()) {
                mCustomize::SetCurPlayer(ctx, name);
                break;
            }
        }
    }

private:
    static Services services(ScoreServices &parts)
    {
        Services s;
        s.clock = &parts.clock;
        s.session = &parts.game;
        s.fileDialogs = &parts.dialogs;
        s.inputDialog = &parts.input;
        return s;
    }
};

// A log line with the given fields: "date","game",number,time,moves,score,won.
inline QByteArray logLine(const char *date, const char *game, std::int64_t number, int time, int moves, int score,
                          int won)
{
    return QStringLiteral("\"%1\",\"%2\",%3,%4,%5,%6,%7\r\n")
        .arg(QLatin1String(date), QLatin1String(game))
        .arg(number)
        .arg(time)
        .arg(moves)
        .arg(score)
        .arg(won)
        .toUtf8();
}
