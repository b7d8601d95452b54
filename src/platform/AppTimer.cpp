#include "platform/AppTimer.h"

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
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}
