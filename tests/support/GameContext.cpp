#include "support/GameContext.h"

#include <gtest/gtest.h>

#include "appearance/cSound.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/cGamePlay.h"
#include "store/mOptions.h"
#include "support/FileBytes.h"

GameContext::GameContext(CardSurface *surface) : TestContext(services(*this, surface))
{
    ctx.setMainWindow(&nullWindow);
    rules.setContext(&ctx);
    mOptions::SetAutoPlay(ctx, 0);
}

GameContext::~GameContext()
{
    rules.close();
    ctx.setMainWindow(nullptr);
}

Services GameContext::services(GameServices &parts, CardSurface *surface)
{
    Services s;
    s.fileDialogs = &parts.dialogs;
    s.soundPlayer = &parts.sounds;
    s.rulesWindow = &parts.rules;
    s.surface = surface;
    return s;
}

cGamePlay &GameContext::gp() const
{
    return ctx.gamePlay();
}

cPlay &GameContext::play() const
{
    return ctx.play();
}

cEngine &GameContext::engine() const
{
    return ctx.engine();
}

QString GameContext::setSoundFile(const QString &event) const
{
    const QString path = home.path() + "/" + event + ".wav";
    writeBytes(path, "RIFF");
    ctx.sound().SetSound(event, path);
    return path;
}

void GameContext::moveToFreeCell(int pile) const
{
    const int card = play().GetTopPicID(cGames::Tableau, pile);
    const int cell = play().FreeCellFor(card);
    ASSERT_GE(cell, 0);
    std::int32_t kind = cEngine::KindPlain;
    play().MoveCard(card, cGames::FreeCell, cell, 0, kind, 0, 0, true);
}

void GameContext::takeAllHome() const
{
    for (bool moved = true; moved;) {
        moved = false;
        for (int pile = 0; pile < ctx.games().Piles(cGames::Tableau); ++pile) {
            if (play().GetTop(cGames::Tableau, pile) < 0)
                continue;
            const int card = play().GetTopPicID(cGames::Tableau, pile);
            const int home = play().Suit(card);
            std::int32_t kind = cEngine::KindPlain;
            play().MoveCard(card, cGames::Foundation, home, play().GetTop(cGames::Foundation, home) + 1, kind, 0, 0,
                            true);
            moved = true;
        }
    }
}
