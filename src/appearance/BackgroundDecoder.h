// Decodes background picture files on a worker thread, so a photograph of many
// megapixels never holds up a game start or a timer tick. Only the latest request is
// decoded; its picture is handed to the thread that made the object and then dropped.
#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class BackgroundDecoder {
public:
    // Runs on the thread that made the decoder, with a null picture when the file could
    // not be read.
    using Ready = std::function<void(const QImage &picture)>;

    BackgroundDecoder();
    ~BackgroundDecoder();
    BackgroundDecoder(const BackgroundDecoder &) = delete;
    BackgroundDecoder &operator=(const BackgroundDecoder &) = delete;

    // Decodes the part clip of the file (the whole picture when clip is null), turned as
    // its orientation says; replaces a request not yet started. Calls still queued when
    // the decoder is deleted are dropped.
    void request(const QString &path, const QRect &clip, Ready ready);
    // Requests made; a test waits until this many pictures have been handed over.
    std::uint64_t requested() const { return requested_; }
    std::uint64_t delivered() const { return delivered_; }

private:
    struct Job {
        QString path;
        QRect clip;
        Ready ready;
    };
    void run();

    QObject receiver_; // lives on the requesting thread; deleting it drops queued calls
    std::mutex mutex_;
    std::condition_variable wake_;
    Job pending_;
    bool hasPending_ = false;
    bool stop_ = false;
    std::uint64_t requested_ = 0;
    std::uint64_t delivered_ = 0;
    std::thread thread_;
};
