#pragma once

#include <QWidget>

#include <algorithm>

// A level bar as an instrument shows one: a row of segments behind a dark
// bezel, lit green from the minimum end up to the level. It has a progress
// bar's value and range (a value outside the range shows as its nearest
// end); vertical bars rise from the bottom, horizontal ones from the left,
// and any level above the minimum lights one segment at least.
class PanelBarGraph : public QWidget {
    Q_OBJECT
public:
    explicit PanelBarGraph(Qt::Orientation orientation, QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int value);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);
    void setMinimum(int minimum) { setRange(minimum, std::max(minimum, maximum_)); }
    void setMaximum(int maximum) { setRange(std::min(minimum_, maximum), maximum); }
    Qt::Orientation orientation() const { return orientation_; }
    void setOrientation(Qt::Orientation orientation);

    // How many segments the bar holds at its size, and how many the value
    // lights.
    int segments() const;
    int litSegments() const;

Q_SIGNALS:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double bezel() const;

    Qt::Orientation orientation_;
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
};
