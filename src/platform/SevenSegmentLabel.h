#pragma once

#include <QLabel>

// A label that shows its text as glowing seven-segment digits on a dark
// display (digits, '.', '-', blanks and a few letters for units).
class SevenSegmentLabel : public QLabel {
    Q_OBJECT
public:
    explicit SevenSegmentLabel(QWidget* parent = nullptr);
    void setDigitColor(const QColor& color) { color_ = color; update(); }
    // The display behind the digits (transparent: the window shows through).
    void setBackgroundColor(const QColor& color) { background_ = color; update(); }
    // The unlit segments; by default a dim shade of the digits.
    void setGhostColor(const QColor& color) { ghost_ = color; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = QColor(60, 255, 90);
    QColor background_ = QColor(12, 14, 12);
    QColor ghost_;
};
