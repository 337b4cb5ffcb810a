#pragma once

#include <QObject>
#include <QElapsedTimer>
#include <QTimer>

#include <cmath>

// A timer with the Enabled / Interval pair of the program's windows: it
// runs only while enabled with an interval above 0. Changing the interval
// of a running timer starts its count again.
//
// An animation timer (setFramePaced) keeps the interval it is given as its
// state, but never ticks faster than the display refreshes: a tick that
// redraws the screen more often than it is shown only costs time. Its ticks
// are scheduled on the monotonic clock, each a whole period after the one
// before, so that they keep the display's rate (60 a second, not the 58.8 of
// a rounded 17 ms); a tick that comes too late is not made up in a burst.
// An animation moves by the time it measures, not by the count of its
// ticks, and setting its interval again to the same pace leaves its count
// running.
class VbTimer : public QObject {
    Q_OBJECT
public:
    explicit VbTimer(QObject* parent = nullptr);

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool isRunning() const { return timer_.isActive(); }

    void setFramePaced(bool paced);
    // Milliseconds between two ticks while running, rounded.
    int period() const { return framePaced_ ? int(std::lround(periodNs_ / 1e6)) : timer_.interval(); }
    // The display's frame period in milliseconds (about 16).
    static int framePeriod();
    // The same, exactly, in nanoseconds.
    static double framePeriodNs();

Q_SIGNALS:
    void Timer();

private:
    void apply();
    void tick();
    void armNext();

    QTimer timer_;
    QElapsedTimer clock_;
    bool enabled_ = true;
    bool framePaced_ = false;
    int interval_ = 0;
    double periodNs_ = 0; // paced: the period in force
    double deadline_ = 0; // paced: when the next tick is due, on clock_
};
