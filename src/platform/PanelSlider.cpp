#include "platform/PanelSlider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

// Marks on the scale: one a value on a short range, else tenths.
int scaleIntervals(int span)
{
    return span > 0 && span <= 20 ? span : 10;
}

} // namespace

PanelSlider::PanelSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent)
{
}

void PanelSlider::paintEvent(QPaintEvent*)
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    // The cap stands where the style's handle does, so the mouse finds it there.
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const bool across = orientation() == Qt::Horizontal;
    // Along the travel (t) and across it (u); a horizontal slider's travel is x.
    auto at = [across](double t, double u) { return across ? QPointF(t, u) : QPointF(u, t); };
    const double length = across ? width() : height();
    const double breadth = across ? height() : width();
    const double capLength = across ? handle.width() : handle.height();
    const double mid = breadth / 2;

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.6);

    // The printed scale, clear of the slot.
    const int intervals = scaleIntervals(maximum() - minimum());
    const double first = capLength / 2;
    const double travel = std::max(1.0, length - capLength);
    const double reach = std::max(1.5, breadth * 0.32);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    for (int i = 0; i <= intervals; ++i) {
        const double t = first + travel * i / intervals + 0.5;
        const bool major = i == 0 || i == intervals || 2 * i == intervals;
        const double r = major ? reach + 1 : reach;
        p.drawLine(at(t, mid - r), at(t, mid - 2.5));
        p.drawLine(at(t, mid + 2.5), at(t, mid + r));
    }

    // The slot.
    const QRectF slot = across ? QRectF(first - 1, mid - 1.5, travel + 2, 3) : QRectF(mid - 1.5, first - 1, 3, travel + 2);
    p.setPen(QPen(QColor(110, 110, 108), 1));
    p.setBrush(QColor(24, 24, 26));
    p.drawRoundedRect(slot, 1.5, 1.5);

    // The cream cap, lit from above, its index line across the travel.
    const QRectF cap = QRectF(handle).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient face(cap.topLeft(), across ? cap.bottomLeft() : cap.topRight());
    face.setColorAt(0.0, QColor(255, 252, 238));
    face.setColorAt(0.5, QColor(240, 228, 196));
    face.setColorAt(1.0, QColor(190, 176, 140));
    p.setPen(QPen(QColor(120, 110, 86), 1));
    p.setBrush(face);
    p.drawRoundedRect(cap, 2, 2);
    p.setPen(QPen(QColor(40, 36, 30), 1.5));
    const QPointF c = cap.center();
    if (across)
        p.drawLine(QPointF(c.x(), cap.top() + 2), QPointF(c.x(), cap.bottom() - 2));
    else
        p.drawLine(QPointF(cap.left() + 2, c.y()), QPointF(cap.right() - 2, c.y()));
}
