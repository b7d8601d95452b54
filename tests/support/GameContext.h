// A context for playing games: the test context with scripted file dialogs, a sound
// player that records, the rules window, a main window that only keeps states, and AutoPlay off so that
// only the test's own moves are made.
#pragma once

#include <cstdint>

#include "app/Seams.h"
#include "studio/QtRulesWindow.h"
#include "support/RecordingSoundPlayer.h"
#include "support/ScriptedFileDialog.h"
#include "support/TestContext.h"

class CardSurface;
class cEngine;
class cGamePlay;
class cPlay;

// The services a game context adds; a base of it, so they are built before the context.
struct GameServices {
    ScriptedFileDialog dialogs;
    RecordingSoundPlayer sounds;
    NullMainWindow nullWindow;
    // The real rules window; it opens without blocking unless asked to be modal.
    QtRulesWindow rules;
};

struct GameContext : GameServices, TestContext {
    GameContext() : GameContext(nullptr) {}
    ~GameContext();

    cGamePlay &gp() const;
    cPlay &play() const;
    cEngine &engine() const;

    // Gives the event a sound file of its own, made in the home; returns the file's path.
    QString setSoundFile(const QString &event) const;
    // Moves the top card of a tableau pile into the first free cell, as a player would.
    void moveToFreeCell(int pile) const;
    // Takes the cards home: moves each tableau top card onto the foundation of its suit,
    // recorded as a player's moves are, until no tableau card is left.
    void takeAllHome() const;

protected:
    // The context shows the board on the surface; without one it keeps its own.
    explicit GameContext(CardSurface *surface);

private:
    static Services services(GameServices &parts, CardSurface *surface);
};
