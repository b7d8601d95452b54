// A game context with the board window over a display list: the window paces its frames
// at once and every card picture paints as nothing, since no test looks at the pictures.
#pragma once

#include <chrono>
#include <memory>

#include "engine/DisplayList.h"
#include "shell/BoardView.h"
#include "shell/frmMain.h"
#include "support/GameContext.h"

class NoImages : public CardImages {
public:
    QImage image(const CardPicture &, qreal) override { return {}; }
};

// The board and its pictures; a base of the window context, so they outlive its context.
struct WindowParts {
    DisplayList board;
    NoImages images;
};

struct WindowContext : WindowParts, GameContext {
    WindowContext() : GameContext(&board)
    {
        window = std::make_unique<frmMain>(ctx, board, images);
        window->boardView().setFramePacing(std::chrono::milliseconds(0));
        // Every game selection chooses a new deal of "Freecell" unless a test says otherwise.
        window->selectDialogScript = [] {
            return SelectChoice{QStringLiteral("All"), QStringLiteral("Freecell"), QStringLiteral("Freecell")};
        };
    }

    std::unique_ptr<frmMain> window;
};
