#include "platform/VbTimer.h"
#include "platform/PictureBox.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

VbTimer::VbTimer(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &VbTimer::tick);
    clock_.start();
}

void VbTimer::tick()
{
    if (!framePaced_) {
        Q_EMIT Timer();
        return;
    }
    armNext();
    // An animation's frame is on screen when its tick returns.
    const PictureBox::ShowAtEnd montrer;
    Q_EMIT Timer();
}

void VbTimer::armNext()
{
    const double now = double(clock_.nsecsElapsed());
    deadline_ += periodNs_;
    // Late by a whole period or more: the next tick is a period from now.
    if (deadline_ <= now)
        deadline_ = now + periodNs_;
    timer_.start(int(std::lround((deadline_ - now) / 1e6)));
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
    timer_.stop();
    timer_.setSingleShot(paced);
    apply();
}

double VbTimer::framePeriodNs()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double hz = screen ? screen->refreshRate() : 0;
    return hz >= 20 && hz <= 500 ? 1e9 / hz : 1e9 / 60;
}

int VbTimer::framePeriod()
{
    return int(std::lround(framePeriodNs() / 1e6));
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
    const double period = std::max(interval_ * 1e6, framePeriodNs());
    if (timer_.isActive() && period == periodNs_)
        return;
    periodNs_ = period;
    deadline_ = double(clock_.nsecsElapsed());
    armNext();
}
