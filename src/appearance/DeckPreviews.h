// Renders card-back previews on a worker thread with a picture component of its own, so
// a slow SVG deck never holds up the dialog that browses the designs. Only the latest
// request is rendered; each finished picture is handed to the receiver's thread.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class DeckPreviews {
public:
    using Ready = std::function<void(int index, const QImage &picture)>;

    // ready runs on the receiver's thread; the receiver must outlive this object (calls
    // still queued when it is deleted are dropped).
    DeckPreviews(QString decksFolder, qreal ratio, QObject *receiver, Ready ready);
    ~DeckPreviews();
    DeckPreviews(const DeckPreviews &) = delete;
    DeckPreviews &operator=(const DeckPreviews &) = delete;

    // Asks for the back of design index; replaces a request not yet started.
    void request(int index);

private:
    void run();

    QString folder_;
    qreal ratio_;
    QObject *receiver_;
    Ready ready_;
    std::mutex mutex_;
    std::condition_variable wake_;
    int pending_ = 0; // 0: nothing asked
    bool stop_ = false;
    std::thread thread_;
};
