#pragma once

#include <QObject>
#include <QTimer>

// A timer with the Enabled / Interval pair of the program's windows: it
// runs only while enabled with an interval above 0. Changing the interval
// of a running timer starts its count again.
class VbTimer : public QObject {
    Q_OBJECT
public:
    explicit VbTimer(QObject* parent = nullptr);

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool isRunning() const { return timer_.isActive(); }

Q_SIGNALS:
    void Timer();

private:
    void apply();

    QTimer timer_;
    bool enabled_ = true;
    int interval_ = 0;
};
