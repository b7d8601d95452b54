// A timer with the classic semantics on QTimer: enabled and interval are separate
// settings, an interval of 0 never fires, and enabling a timer that is already enabled
// does not restart its period. Tests hold every timer (`holdAll`): a held timer keeps its
// settings but never counts, so no tick depends on how fast the machine runs, and the
// test calls the tick handler itself.
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
    // True while the timer counts, or would count were it not held: enabled with an
    // interval above 0.
    bool active() const { return enabled_ && interval_ > 0; }

    // Holds (or releases) every timer of the process from its next start on; for tests.
    static void holdAll(bool held);

private:
    void apply();

    QTimer timer_;
    std::function<void()> tick_;
    bool enabled_ = false;
    int interval_ = 0;
};
