// The layout of the game being played. (Placeholder.)
#pragma once

class Context;

class cGames {
public:
    explicit cGames(Context &ctx) : ctx_(ctx) {}

private:
    Context &ctx_;
};
