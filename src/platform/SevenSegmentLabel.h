#pragma once

#include <QLabel>

// A label that shows its text as glowing seven-segment digits on a dark
// display (digits, '.', '-', blanks and a few letters for units).
class SevenSegmentLabel : public QLabel {
    Q_OBJECT
public:
    explicit SevenSegmentLabel(QWidget* parent = nullptr);
    void setDigitColor(const QColor& color) { color_ = color; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = QColor(60, 255, 90);
};
