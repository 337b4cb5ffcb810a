#pragma once

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <algorithm>

// A rotary knob with a cream cap, a pointer line and a scale. Its value is a
// single-precision number between Min and Max. It turns as on-screen knobs
// commonly do: a drag with the left button turns it by the drag's vertical
// travel (upward turns clockwise, towards Max), the whole range in about
// 200 pixels; a knob in steps turns like a rotary switch, one whole value per
// detent of about 15 pixels. Travel beyond an end stop is not stored, so a
// drag that turns back answers at once. The mouse wheel turns a stepped knob
// one detent a notch and another knob 1/50 of its range; each wheel turn that
// moves the knob raises MouseDown, MouseMove and MouseUp with the left button,
// as a short drag does, so every window recomputes as it does for a drag.
// Setting the value from the program turns the picture and raises no mouse
// event. Every event carries the knob's index, and Value is already updated
// when it arrives. While a drag turns it, the picture follows once a display
// frame at most (a mouse sends far more motions than a screen shows), always
// ending on the last value.
class Potentio_Creme : public QWidget {
    Q_OBJECT
    Q_PROPERTY(float Min READ Min WRITE setMin)
    Q_PROPERTY(float Max READ Max WRITE setMax)
    Q_PROPERTY(float Value READ Value WRITE setValue)
public:
    explicit Potentio_Creme(QWidget* parent = nullptr);

    float Min() const { return min_; }
    void setMin(float min);
    float Max() const { return max_; }
    void setMax(float max);
    float Value() const { return value_; }
    void setValue(float value);

    int Index() const { return index_; }
    void setIndex(int index) { index_ = index; }
    // Whole values only, with a tick per value.
    bool Stepped() const { return stepped_; }
    void setStepped(bool stepped);

    // Angle of the pointer for a value, degrees clockwise from the top:
    // −150 at Min, +150 at Max.
    double angleFor(float value) const;

Q_SIGNALS:
    // Min, Max or Value has changed, set by the program or turned by the
    // mouse; raised before the mouse event that turned it.
    void Change(int index);
    void DblClick(int index);
    // Button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt;
    // x and y in pixels within the knob.
    void MouseDown(int index, int button, int shift, double x, double y);
    void MouseMove(int index, int button, int shift, double x, double y);
    void MouseUp(int index, int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The picture turned to the value: at once outside a drag, and within a
    // drag at once if a frame has gone by since the last paint, else at the
    // end of that frame.
    void turnPicture();
    // The knob without its pointer, drawn once for its size and scale.
    const QPixmap& face();
    void drawFace(QPainter& p) const;
    // Sets Min or Max and keeps Value between them.
    void setBound(float& bound, float value);
    float clampValue(float value) const;
    // The end stops, whichever of Min and Max is the larger.
    float lowEnd() const { return std::min(min_, max_); }
    float highEnd() const { return std::max(min_, max_); }

    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
    int index_ = 0;
    bool stepped_ = false;
    // Drag state: the height and the value the travel counts from; both move
    // to the end stop when the drag pushes past it.
    bool dragging_ = false;
    double anchorY_ = 0;
    float anchorValue_ = 0;
    // Wheel turn not yet worth a detent (eighths of a degree).
    int wheelRemainder_ = 0;
    QElapsedTimer lastPaint_;
    QTimer framePending_;
    QPixmap face_;
};
