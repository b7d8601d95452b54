// Scores of ended games: the current player's score log and the list of the games of
// this session. Until the logs are kept, ending a game records nothing.
#pragma once

#include <cstdint>

class Context;

class cScore {
public:
    explicit cScore(Context &ctx) : ctx_(ctx) {}

    // Appends the game in play to the current player's log: result 1 won, 0 lost.
    void AddScore(std::int16_t result);
    // Adds the game in play to the session's list of games.
    void AddSesGame(std::int16_t won);

private:
    [[maybe_unused]] Context &ctx_;
};
