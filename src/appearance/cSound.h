// One sound per program event: each event member plays the WAV file the user chose for
// its tag in the "Sounds" settings, or the event's default file from the program
// folder, or nothing. It keeps no state, so a newly stored choice applies at the next
// event, and an event sound never fails the operation that raised it.
#pragma once

#include <QString>

#include "app/Seams.h"

class Context;

class cSound {
public:
    explicit cSound(Context &ctx);

    // The event members, one per tag; each is silent on any failure.
    void SelectDialog();
    void StartGame();
    void MoveCard();
    void Undo();
    void Redo();
    // Sounds only while a game is being played or replayed.
    void AutoPlay();
    void PauseGame();
    void CloseGame();
    void Win();
    void AddFav();
    void OrgFav();
    void AddPend();
    void OrgPend();
    void GameStat();
    void SessionStat();
    void HighScore();
    void LogStat();
    void Toolbar();
    void Sounds();
    void Animation();
    void Background();
    void Deck();
    void Players();
    void AutoSave();
    void Hot();
    void History();
    void Options();
    void Rules();
    void Contents();
    void About();

    // Plays the file when it exists; never raises.
    void Play(const QString &path);
    // The path stored for the tag; its default when none is stored. A stored empty path
    // stays empty. Raises the store's errors.
    QString GetSound(const QString &tag);
    // The default sound folder joined with the file name; the file need not exist.
    QString GetDefault(const QString &fileName);
    // Where a default sound file lies: beside the program when it is there, else in the
    // installed data folder ("../share/brackenfold" from the program) when it is there,
    // else beside the program.
    static QString DefaultSoundFolder(const QString &programFolder, const QString &fileName);
    // Stores the path for the tag (an empty path silences the event). Raises the
    // store's errors, so the Sounds dialog can report a failed store.
    void SetSound(const QString &tag, const QString &path);

private:
    void playEvent(const QString &tag);

    Context &ctx_;
};
