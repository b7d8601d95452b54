#include "appearance/BackgroundDecoder.h"

#include <QImageReader>
#include <QMetaObject>

BackgroundDecoder::BackgroundDecoder() : thread_([this] { run(); }) {}

BackgroundDecoder::~BackgroundDecoder()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundDecoder::request(const QString &path, const QRect &clip, Ready ready)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        // A request replaced before it started is counted as handed over.
        if (hasPending_)
            ++delivered_;
        pending_ = Job{path, clip, std::move(ready)};
        hasPending_ = true;
        ++requested_;
    }
    wake_.notify_one();
}

void BackgroundDecoder::run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || hasPending_; });
            if (stop_)
                return;
            job = std::move(pending_);
            hasPending_ = false;
        }
        QImageReader reader(job.path);
        reader.setAutoTransform(true);
        if (!job.clip.isNull())
            reader.setClipRect(job.clip);
        QImage picture = reader.read();
        QMetaObject::invokeMethod(
            &receiver_,
            [this, ready = std::move(job.ready), picture = std::move(picture)] {
                ++delivered_;
                ready(picture);
            },
            Qt::QueuedConnection);
    }
}
