#include "platform/AppTimer.h"

#include <atomic>

namespace {

std::atomic<bool> &held()
{
    static std::atomic<bool> flag{false};
    return flag;
}

} // namespace

void AppTimer::holdAll(bool hold)
{
    held().store(hold);
}

AppTimer::AppTimer(int interval, QObject *parent) : QObject(parent), interval_(interval)
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (tick_)
            tick_();
    });
}

void AppTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    apply();
}

void AppTimer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    apply();
}

void AppTimer::apply()
{
    if (active() && !held().load())
        timer_.start(interval_);
    else
        timer_.stop();
}
