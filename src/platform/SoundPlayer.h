// The seam through which the program sounds: one WAV file at a time, played
// asynchronously. An implementation never blocks its caller, never raises for a file
// it cannot play and never plays a fallback sound in its place.
#pragma once

#include <QString>

class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    // Starts the WAV file and returns at once; false when it cannot be played (missing
    // or unreadable file, no audio output) or when a sound is still playing, which is
    // never cut.
    virtual bool play(const QString &path) = 0;
    // True while a sound started by play is still sounding.
    virtual bool isPlaying() const = 0;
    // Stops the sound that is playing, if any.
    virtual void stop() = 0;
};

// The player of a machine without sound: nothing is ever heard.
class SilentSoundPlayer : public ISoundPlayer {
public:
    bool play(const QString &) override { return false; }
    bool isPlaying() const override { return false; }
    void stop() override {}
};
