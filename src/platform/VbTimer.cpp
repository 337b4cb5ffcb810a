#include "platform/VbTimer.h"

VbTimer::VbTimer(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &VbTimer::Timer);
}

void VbTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    apply();
}

void VbTimer::setInterval(int milliseconds)
{
    interval_ = qMax(0, milliseconds);
    apply();
}

void VbTimer::apply()
{
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}
