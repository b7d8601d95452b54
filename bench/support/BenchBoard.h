// A benchmark context with a board: a Freecell session in play and the bare display list
// as the surface, on a 1920 x 1080 screen.
#pragma once

#include "engine/DisplayList.h"
#include "support/BenchContext.h"

class PlayingFreecell : public NullSessionInfo {
public:
    QString GameName() const override { return QStringLiteral("Freecell"); }
    int Game_Status() const override { return 1; }
};

// The session and the surface, built before the context that uses them.
struct BoardParts {
    PlayingFreecell session;
    DisplayList surface;

    static Services services(BoardParts &parts)
    {
        Services s;
        s.session = &parts.session;
        s.surface = &parts.surface;
        return s;
    }
};

struct Board : BoardParts, BenchContext {
    Board() : BenchContext(services(*this))
    {
        ctx.gScreenWidth = 1920 * 15;
        ctx.gScreenHeight = 1080 * 15;
    }
};
