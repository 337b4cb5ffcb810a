#include "platform/PanelBarGraph.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// A segment and the gap after it, in pixels along the bar.
constexpr double kSegmentPitch = 4;
constexpr double kSegmentGap = 1;

} // namespace

PanelBarGraph::PanelBarGraph(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation)
{
}

void PanelBarGraph::setValue(int value)
{
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_)
        return;
    value_ = value;
    update();
    Q_EMIT valueChanged(value_);
}

void PanelBarGraph::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    const int kept = std::clamp(value_, minimum_, maximum_);
    update();
    if (kept != value_) {
        value_ = kept;
        Q_EMIT valueChanged(value_);
    }
}

void PanelBarGraph::setOrientation(Qt::Orientation orientation)
{
    orientation_ = orientation;
    update();
}

double PanelBarGraph::bezel() const
{
    return std::clamp(std::min(width(), height()) / 6.0, 1.0, 3.0);
}

int PanelBarGraph::segments() const
{
    const double length = (orientation_ == Qt::Horizontal ? width() : height()) - 2 * std::lround(bezel());
    return std::max(1, int((length + kSegmentGap) / kSegmentPitch));
}

int PanelBarGraph::litSegments() const
{
    if (maximum_ == minimum_)
        return 0;
    // Any level above the minimum lights one segment at least, so that a
    // small one still shows.
    const double share = double(value_ - minimum_) / (maximum_ - minimum_);
    const int lit = int(std::lround(share * segments()));
    return value_ > minimum_ ? std::max(1, lit) : lit;
}

void PanelBarGraph::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.6);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double rim = bezel();
    // The bezel, lit from above, around a black window.
    QLinearGradient edge(outer.topLeft(), outer.bottomLeft());
    edge.setColorAt(0.0, QColor(92, 94, 98));
    edge.setColorAt(1.0, QColor(28, 29, 31));
    p.setPen(QPen(QColor(16, 16, 18), 1));
    p.setBrush(edge);
    p.drawRoundedRect(outer, 1.5, 1.5);
    // The window and the segments on whole pixels, so that each segment
    // reads crisp at these small sizes.
    const int inner = int(std::lround(rim));
    const QRect window = rect().adjusted(inner, inner, -inner, -inner);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 12, 10));
    p.drawRect(window);

    // The segments, spread over the window's length, the first at the
    // minimum's end; lit ones glow, deeper at their edges, unlit ones stay
    // a dark green.
    const bool across = orientation_ == Qt::Horizontal;
    const int count = segments();
    const int lit = litSegments();
    const int length = across ? window.width() : window.height();
    const int breadth = across ? window.height() : window.width();
    const int inset = breadth >= 8 ? 1 : 0;
    const int gap = int(kSegmentGap);
    for (int i = 0; i < count; ++i) {
        const int from = i * (length + gap) / count;
        const int to = (i + 1) * (length + gap) / count - gap;
        const QRect segment = across ? QRect(window.left() + from, window.top() + inset, to - from, breadth - 2 * inset)
                                     : QRect(window.left() + inset, window.bottom() + 1 - to, breadth - 2 * inset, to - from);
        if (i < lit) {
            QLinearGradient glow(segment.topLeft(), across ? segment.bottomLeft() : segment.topRight());
            glow.setColorAt(0.0, QColor(40, 200, 40));
            glow.setColorAt(0.45, QColor(90, 255, 90));
            glow.setColorAt(1.0, QColor(30, 170, 30));
            p.setBrush(glow);
        } else {
            p.setBrush(QColor(24, 48, 24));
        }
        p.drawRect(segment);
    }
}
