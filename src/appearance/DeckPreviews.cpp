#include "appearance/DeckPreviews.h"

#include <QMetaObject>

#include "platform/ArtLibrary.h"

DeckPreviews::DeckPreviews(QString decksFolder, qreal ratio, QObject *receiver, Ready ready)
    : folder_(std::move(decksFolder)), ratio_(ratio), receiver_(receiver), ready_(std::move(ready)),
      thread_([this] { run(); })
{
}

DeckPreviews::~DeckPreviews()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void DeckPreviews::request(int index)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pending_ = index;
    }
    wake_.notify_one();
}

void DeckPreviews::run()
{
    // The worker's own component: its SVG renderers are never shared with the GUI thread.
    ArtLibrary art(folder_);
    art.setDevicePixelRatio(ratio_);
    for (;;) {
        int index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || pending_ != 0; });
            if (stop_)
                return;
            index = pending_;
            pending_ = 0;
        }
        QImage picture = art.DeckPicture(index);
        // Queued to the receiver's thread, where the dialog shows it.
        QMetaObject::invokeMethod(
            receiver_, [ready = ready_, index, picture] { ready(index, picture); }, Qt::QueuedConnection);
    }
}
