// A board apart from the table, to try a saved game's moves before anything of the game
// in play changes: a layout, definition, move record and board of its own over its own
// display list, dealing without pictures, sounds, settings or a session, so no
// automatic move runs and nothing is won. The table's objects are never touched.
#pragma once

#include <QString>
#include <QVector>
#include <memory>
#include <optional>

#include "engine/GameDefinition.h"
#include "engine/cEngine.h"

class Context;
class GameNumber;

class ScratchBoard {
public:
    ScratchBoard();
    ~ScratchBoard();
    ScratchBoard(const ScratchBoard &) = delete;
    ScratchBoard &operator=(const ScratchBoard &) = delete;

    // The first move that cannot be carried out: its number (1 for the first move, 0
    // when the game cannot even be dealt), the error that stopped it, and whether the
    // board could make it but the game's rules refuse it.
    struct Misfit {
        int move = 0;
        QString reason;
        bool ruleBroken = false;
    };

    // Deals the game from the definition and redoes every move on it, as resuming a saved
    // game does, each move first checked against the rules the player's moves go through.
    // Nothing when every move fits and keeps the rules.
    std::optional<Misfit> Try(const GameDefinition &definition, const GameNumber &number,
                              const QVector<TransRecord> &moves);

private:
    std::unique_ptr<Context> ctx_;
};
