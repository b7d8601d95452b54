// Acts on the modal dialog a command opens: from the next turn of the event loop on, it
// looks at each turn for a modal window of type T and acts on the first it finds, once.
// Looking stops with this object, so a command that opens nothing leaves nothing behind.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <functional>

template <class T> class OnModal {
public:
    explicit OnModal(std::function<void(T &)> act) : act_(std::move(act))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
                timer_.stop();
                acted_ = true;
                act_(*dialog);
            }
        });
        timer_.start();
    }
    OnModal(const OnModal &) = delete;
    OnModal &operator=(const OnModal &) = delete;

    bool acted() const { return acted_; }

private:
    std::function<void(T &)> act_;
    QTimer timer_;
    bool acted_ = false;
};

// Runs the command and rejects the modal dialog it shows; answers that dialog's title,
// "" when it showed none.
inline QString titleOfModalRejected(const std::function<void()> &command)
{
    QString title;
    const OnModal<QDialog> reject([&](QDialog &dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    command();
    return title;
}
