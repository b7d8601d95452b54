// A sound player that records the sound files asked for; nothing is ever heard and no
// sound is left playing.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/SoundPlayer.h"

class RecordingSoundPlayer : public ISoundPlayer {
public:
    bool play(const QString &path) override
    {
        played << path;
        return true;
    }
    bool isPlaying() const override { return false; }
    void stop() override {}

    QStringList played;
};
