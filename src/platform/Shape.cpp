#include "platform/Shape.h"

#include "platform/VbColor.h"

#include <QPainter>

#include <algorithm>

Shape::Shape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(int rgb)
{
    if (rgb != fillColor_) {
        fillColor_ = rgb;
        update();
    }
}

void Shape::setBorderColor(int rgb)
{
    borderColor_ = rgb;
    update();
}

void Shape::setFilled(bool filled)
{
    filled_ = filled;
    update();
}

void Shape::setKind(int kind)
{
    kind_ = kind;
    update();
}

void Shape::paintLamp(QPainter& p) const
{
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double bezel = std::clamp(std::min(outer.width(), outer.height()) / 6.0, 1.0, 3.0);
    const double radius = std::min(outer.height() / 3.0, 4.0);
    // The bezel, lit from above: darker at its lower edge.
    QLinearGradient rim(outer.topLeft(), outer.bottomLeft());
    rim.setColorAt(0.0, QColor(92, 94, 98));
    rim.setColorAt(1.0, QColor(28, 29, 31));
    p.setPen(QPen(QColor(16, 16, 18), 1));
    p.setBrush(rim);
    p.drawRoundedRect(outer, radius, radius);
    // The indicator's colour behind the glass, deeper at its edges.
    const QRectF glass = outer.adjusted(bezel, bezel, -bezel, -bezel);
    const QColor colour = vbColor(fillColor_);
    QLinearGradient body(glass.topLeft(), glass.bottomLeft());
    body.setColorAt(0.0, colour.darker(112));
    body.setColorAt(0.45, colour);
    body.setColorAt(1.0, colour.darker(125));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    const double inner = std::max(0.0, radius - bezel / 2);
    p.drawRoundedRect(glass, inner, inner);
    // The glass's reflection over its upper half.
    QLinearGradient shine(glass.topLeft(), QPointF(glass.left(), glass.center().y()));
    shine.setColorAt(0.0, QColor(255, 255, 255, 150));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawRoundedRect(glass.adjusted(glass.height() / 6, 0, -glass.height() / 6, -glass.height() / 2), inner, inner);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind_ == Lamp) {
        paintLamp(p);
        return;
    }
    p.setPen(QPen(vbColor(borderColor_), 1));
    p.setBrush(filled_ ? QBrush(vbColor(fillColor_)) : Qt::NoBrush);
    QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind_ == Square || kind_ == Circle) {
        const double side = qMin(box.width(), box.height());
        box = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    switch (kind_) {
    case Oval:
    case Circle: p.drawEllipse(box); break;
    case RoundedRectangle: p.drawRoundedRect(box, box.height() / 4, box.height() / 4); break;
    default: p.drawRect(box); break;
    }
}
