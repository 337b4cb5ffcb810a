#include "platform/VbTimer.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

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

void VbTimer::setFramePaced(bool paced)
{
    framePaced_ = paced;
    timer_.setTimerType(paced ? Qt::CoarseTimer : Qt::PreciseTimer);
    apply();
}

int VbTimer::framePeriod()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double hz = screen ? screen->refreshRate() : 0;
    if (!(hz >= 20 && hz <= 500))
        return 16;
    return int(std::lround(1000 / hz));
}

void VbTimer::apply()
{
    if (!enabled_ || interval_ <= 0) {
        timer_.stop();
        return;
    }
    if (!framePaced_) {
        timer_.start(interval_);
        return;
    }
    // An animation keeps its pace while its window sets it again and again
    // (a knob being turned): only a new period starts the count again.
    const int period = qMax(interval_, framePeriod());
    if (!timer_.isActive() || timer_.interval() != period)
        timer_.start(period);
}
