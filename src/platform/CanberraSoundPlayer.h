// The sound player of the program, on libcanberra, the freedesktop library for event
// sounds: one WAV file at a time. It is silent where the system has no audio output,
// never cuts a sound still playing (its finished callback says when one ends), and
// counts a sound as ended once its length (plus a margin) has passed, so a stalled
// output cannot silence the program for good.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <cstdint>

#include "platform/SoundPlayer.h"

struct ca_context;

class CanberraSoundPlayer : public ISoundPlayer {
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;
    CanberraSoundPlayer(const CanberraSoundPlayer &) = delete;
    CanberraSoundPlayer &operator=(const CanberraSoundPlayer &) = delete;

    bool play(const QString &path) override;
    bool isPlaying() const override;
    void stop() override;

    // The length of a RIFF WAVE file in milliseconds from its header; -1 when the file is
    // not a WAVE file, 0 when its header gives no length.
    static qint64 waveLength(const QString &path);

private:
    // Opens the connection to the sound system on first use; false when there is none.
    bool open();
    static void finished(ca_context *context, std::uint32_t id, int error, void *self);

    ca_context *context_ = nullptr;
    bool openFailed_ = false;
    // The id of the sound last started; the finished callback, which runs on the
    // library's own thread, clears `sounding_` only for that one.
    std::uint32_t lastId_ = 0;
    std::atomic<std::uint32_t> soundingId_{0};
    QElapsedTimer started_;
    qint64 limitMs_ = 0;
};
