#include "platform/Shape.h"

#include "platform/VbColor.h"

#include <QPainter>

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

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
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
