#pragma once

#include <QWidget>

class QPainter;

// A drawn shape (a lamp, a socket ring): a rectangle, a rounded rectangle or
// a circle with a fill colour and a border colour, both RGB integers with red
// in the low byte. A lamp is an indicator behind glass in a dark bezel: the
// glass shows the fill colour, which stays the lamp's state.
class Shape : public QWidget {
    Q_OBJECT
public:
    enum Kind { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4, Lamp = 5 };

    explicit Shape(QWidget* parent = nullptr);

    int FillColor() const { return fillColor_; }
    void setFillColor(int rgb);
    int BorderColor() const { return borderColor_; }
    void setBorderColor(int rgb);
    // Transparent shapes show only their border.
    bool filled() const { return filled_; }
    void setFilled(bool filled);
    int kind() const { return kind_; }
    void setKind(int kind);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLamp(QPainter& p) const;

    int fillColor_ = 0xFFFFFF;
    int borderColor_ = 0;
    bool filled_ = true;
    int kind_ = Rectangle;
};
