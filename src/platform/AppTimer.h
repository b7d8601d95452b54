// A timer with the classic semantics on QTimer: enabled and interval are separate
// settings, an interval of 0 never fires, and enabling a timer that is already enabled
// does not restart its period. Tests call the tick handler directly.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class AppTimer : public QObject {
    Q_OBJECT

public:
    explicit AppTimer(int interval = 0, QObject *parent = nullptr);

    void setTick(std::function<void()> tick) { tick_ = std::move(tick); }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    void setInterval(int ms);
    int interval() const { return interval_; }
    // True while the underlying timer is counting (enabled with an interval above 0).
    bool active() const { return timer_.isActive(); }

private:
    void apply();

    QTimer timer_;
    std::function<void()> tick_;
    bool enabled_ = false;
    int interval_ = 0;
};
