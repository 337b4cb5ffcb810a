#include "platform/Potentio_Creme.h"

#include "platform/VbMouse.h"
#include "platform/VbTimer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double kSweep = 300.0;       // degrees from Min to Max
constexpr double kFullTravel = 200.0;  // pixels of vertical drag from Min to Max
constexpr double kDetentTravel = 15.0; // pixels of vertical drag per detent of a stepped knob
constexpr double kWheelSteps = 50.0;   // wheel notches from Min to Max of a smooth knob
constexpr int kWheelNotch = 120;       // angle delta of one wheel notch

QPointF polar(const QPointF& centre, double radius, double degreesFromTop)
{
    const double a = degreesFromTop * M_PI / 180.0;
    return centre + QPointF(radius * std::sin(a), -radius * std::cos(a));
}

} // namespace

Potentio_Creme::Potentio_Creme(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    framePending_.setSingleShot(true);
    connect(&framePending_, &QTimer::timeout, this, [this] { update(); });
}

void Potentio_Creme::setMin(float min)
{
    setBound(min_, min);
}

void Potentio_Creme::setMax(float max)
{
    setBound(max_, max);
}

void Potentio_Creme::setBound(float& bound, float value)
{
    const float before = value_;
    const bool moved = value != bound;
    bound = value;
    value_ = clampValue(value_);
    face_ = QPixmap(); // its scale
    update();
    if (moved || value_ != before)
        Q_EMIT Change(index_);
}

void Potentio_Creme::setValue(float value)
{
    const float v = clampValue(value);
    if (v != value_) {
        value_ = v;
        turnPicture();
        Q_EMIT Change(index_);
    }
}

void Potentio_Creme::setStepped(bool stepped)
{
    stepped_ = stepped;
    face_ = QPixmap();
    update();
}

float Potentio_Creme::clampValue(float value) const
{
    if (!std::isfinite(value))
        value = lowEnd();
    return std::clamp(value, lowEnd(), highEnd());
}

double Potentio_Creme::angleFor(float value) const
{
    const double span = max_ - min_;
    const double f = span != 0 ? (value - min_) / span : 0;
    return -kSweep / 2 + f * kSweep;
}

void Potentio_Creme::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        anchorY_ = event->position().y();
        anchorValue_ = value_;
    }
    Q_EMIT MouseDown(index_, vbButtons(event->button()), vbShift(event->modifiers()), event->position().x(),
                     event->position().y());
}

void Potentio_Creme::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        const double travel = anchorY_ - event->position().y(); // upward: clockwise
        float v;
        if (stepped_)
            v = std::round(anchorValue_) + float(std::trunc(travel / kDetentTravel));
        else
            v = anchorValue_ + float(travel / kFullTravel * (max_ - min_));
        const float held = clampValue(v);
        if ((held >= highEnd() && travel > 0) || (held <= lowEnd() && travel < 0)) {
            // Pushed against an end stop: the travel counts again from here,
            // so that turning back answers at once.
            anchorValue_ = held;
            anchorY_ = event->position().y();
        }
        setValue(held);
    }
    Q_EMIT MouseMove(index_, vbButtons(event->buttons()), vbShift(event->modifiers()), event->position().x(),
                     event->position().y());
}

void Potentio_Creme::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (dragging_)
        return;
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    float v;
    if (stepped_) {
        // High-resolution wheels send parts of a notch: a detent per whole notch,
        // and no part stored against an end stop.
        wheelRemainder_ += delta;
        const int notches = wheelRemainder_ / kWheelNotch;
        wheelRemainder_ -= notches * kWheelNotch;
        v = notches != 0 ? clampValue(std::round(value_) + float(notches)) : value_;
        if ((v >= highEnd() && wheelRemainder_ > 0) || (v <= lowEnd() && wheelRemainder_ < 0))
            wheelRemainder_ = 0;
    } else {
        v = clampValue(value_ + float(delta / double(kWheelNotch) * (max_ - min_) / kWheelSteps));
    }
    if (v == value_)
        return;
    setValue(v);
    // The events of a short drag, the value already turned.
    const int left = vbButtons(Qt::LeftButton);
    const int shift = vbShift(event->modifiers());
    const QPointF at = event->position();
    Q_EMIT MouseDown(index_, left, shift, at.x(), at.y());
    Q_EMIT MouseMove(index_, left, shift, at.x(), at.y());
    Q_EMIT MouseUp(index_, left, shift, at.x(), at.y());
}

void Potentio_Creme::turnPicture()
{
    if (!dragging_ || !lastPaint_.isValid()) {
        framePending_.stop();
        update();
        return;
    }
    if (framePending_.isActive())
        return;
    const qint64 left = VbTimer::framePeriod() - lastPaint_.elapsed();
    if (left <= 0)
        update();
    else
        framePending_.start(int(left));
}

void Potentio_Creme::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        if (framePending_.isActive()) {
            framePending_.stop();
            update();
        }
    }
    Q_EMIT MouseUp(index_, vbButtons(event->button()), vbShift(event->modifiers()), event->position().x(),
                   event->position().y());
}

void Potentio_Creme::mouseDoubleClickEvent(QMouseEvent*)
{
    Q_EMIT DblClick(index_);
}

void Potentio_Creme::paintEvent(QPaintEvent*)
{
    lastPaint_.start();
    QPainter p(this);
    p.drawPixmap(0, 0, face());
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const QPointF c = QRectF(rect()).center();
    const double rCap = side * (stepped_ ? 0.27 : 0.31);
    // Pointer line.
    const double a = angleFor(value_);
    QPen pointer(QColor(40, 36, 30), std::max(1.5, side / 22));
    pointer.setCapStyle(Qt::RoundCap);
    p.setPen(pointer);
    p.drawLine(polar(c, rCap * 0.15, a), polar(c, rCap * 0.92, a));
}

const QPixmap& Potentio_Creme::face()
{
    // Drawn again for another size or screen; the scale's changes drop it.
    const qreal ratio = devicePixelRatioF();
    if (face_.isNull() || face_.deviceIndependentSize() != QSizeF(size()) || face_.devicePixelRatio() != ratio) {
        face_ = QPixmap(size() * ratio);
        face_.setDevicePixelRatio(ratio);
        face_.fill(Qt::transparent);
        QPainter p(&face_);
        drawFace(p);
    }
    return face_;
}

void Potentio_Creme::drawFace(QPainter& p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const QPointF c = QRectF(rect()).center();
    const double rScale = side / 2 - 1;
    // A stepped knob's skirt is smaller, for its printed scale of detents.
    const double rSkirt = side * (stepped_ ? 0.35 : 0.40);
    const double rCap = side * (stepped_ ? 0.27 : 0.31);

    if (stepped_ && max_ - min_ <= 40) {
        // A rotary switch's printed scale: an arc through the sweep and a
        // long mark at every detent, the ends marked heavier.
        const int detents = std::max(1, int(std::round(max_ - min_)));
        const double rArc = rSkirt + side * 0.04;
        const QRectF arc(c.x() - rArc, c.y() - rArc, 2 * rArc, 2 * rArc);
        QPen print(QColor(34, 34, 34), std::max(1.0, side / 70));
        print.setCapStyle(Qt::FlatCap);
        p.setPen(print);
        p.setBrush(Qt::NoBrush);
        // Clockwise from the top is counter-clockwise from three o'clock.
        p.drawArc(arc, int((90 - kSweep / 2) * 16), int(kSweep * 16));
        QPen mark(QColor(34, 34, 34), std::max(1.2, side / 45));
        mark.setCapStyle(Qt::RoundCap);
        QPen endMark = mark;
        endMark.setWidthF(mark.widthF() * 1.8);
        for (int i = 0; i <= detents; ++i) {
            const double a = -kSweep / 2 + kSweep * i / detents;
            p.setPen(i == 0 || i == detents ? endMark : mark);
            p.drawLine(polar(c, rArc, a), polar(c, rScale, a));
        }
    } else {
        // The scale: ticks round the sweep.
        const int ticks = 10;
        QPen tickPen(QColor(60, 60, 60), std::max(1.0, side / 60));
        tickPen.setCapStyle(Qt::RoundCap);
        p.setPen(tickPen);
        for (int i = 0; i <= ticks; ++i) {
            const double a = -kSweep / 2 + kSweep * i / ticks;
            const bool major = i % 5 == 0;
            p.drawLine(polar(c, rSkirt + side * 0.02, a), polar(c, major ? rScale : rScale - side * 0.04, a));
        }
    }

    // Dark skirt with knurled edge.
    QRadialGradient skirt(c, rSkirt);
    skirt.setColorAt(0.0, QColor(90, 88, 84));
    skirt.setColorAt(0.85, QColor(55, 54, 52));
    skirt.setColorAt(1.0, QColor(30, 30, 30));
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(skirt);
    p.drawEllipse(c, rSkirt, rSkirt);
    p.setPen(QPen(QColor(110, 108, 104), std::max(1.0, side / 90)));
    for (int i = 0; i < 36; ++i)
        p.drawLine(polar(c, rSkirt * 0.88, i * 10), polar(c, rSkirt * 0.99, i * 10));

    // Cream cap, lit from the upper left.
    QRadialGradient cap(c + QPointF(-rCap * 0.35, -rCap * 0.35), rCap * 1.4);
    cap.setColorAt(0.0, QColor(255, 252, 238));
    cap.setColorAt(0.55, QColor(240, 228, 196));
    cap.setColorAt(1.0, QColor(196, 182, 146));
    p.setPen(QPen(QColor(150, 138, 108), std::max(1.0, side / 80)));
    p.setBrush(cap);
    p.drawEllipse(c, rCap, rCap);
}
