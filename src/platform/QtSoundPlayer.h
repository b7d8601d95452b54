// The sound player of the program, on Qt Multimedia: one QSoundEffect that plays one
// WAV file at a time. It is silent where the system has no audio output, never cuts a
// sound that is still playing, and counts a sound as ended once its length (plus a
// margin) has passed, so a stalled output cannot silence the program for good.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "platform/SoundPlayer.h"

class QSoundEffect;

class QtSoundPlayer : public ISoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer &) = delete;
    QtSoundPlayer &operator=(const QtSoundPlayer &) = delete;

    bool play(const QString &path) override;
    bool isPlaying() const override;
    void stop() override;

    // The length of a RIFF WAVE file in milliseconds from its header; -1 when the file is
    // not a WAVE file, 0 when its header gives no length.
    static qint64 waveLength(const QString &path);

private:
    std::unique_ptr<QSoundEffect> effect_;
    QElapsedTimer started_;
    qint64 limitMs_ = 0;
};

// True when the system offers at least one audio output. Asked in a file of its own,
// compiled as C++17: Qt 6.4's list of audio devices does not compile as C++20 with GCC 12.
bool hasAudioOutput();
