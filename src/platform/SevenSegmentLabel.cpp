#include "platform/SevenSegmentLabel.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Segments a..g, bit 0 = a (top), clockwise, g the middle.
int segments(QChar c)
{
    switch (c.toLower().unicode()) {
    case '0': return 0x3F;
    case '1': return 0x06;
    case '2': return 0x5B;
    case '3': return 0x4F;
    case '4': return 0x66;
    case '5': return 0x6D;
    case '6': return 0x7D;
    case '7': return 0x07;
    case '8': return 0x7F;
    case '9': return 0x6F;
    case '-': return 0x40;
    case 'h': return 0x76;
    case 'k': return 0x76;
    case 'z': return 0x5B;
    case 'v': return 0x3E;
    case 'a': return 0x77;
    case 'c': return 0x39;
    case 'd': return 0x5E;
    case 'e': return 0x79;
    case 'f': return 0x71;
    case 'm': return 0x37;
    case 'o': return 0x5C;
    default: return 0;
    }
}

void segment(QPainter& p, QPointF a, QPointF b, double w)
{
    // A bevelled bar from a to b.
    const QPointF d = b - a;
    const bool horizontal = std::abs(d.x()) > std::abs(d.y());
    const QPointF n = horizontal ? QPointF(0, w / 2) : QPointF(w / 2, 0);
    const QPointF t = horizontal ? QPointF(w / 2, 0) : QPointF(0, w / 2);
    QPainterPath path;
    path.moveTo(a + t * 0.2);
    path.lineTo(a + t + n);
    path.lineTo(b - t + n);
    path.lineTo(b - t * 0.2);
    path.lineTo(b - t - n);
    path.lineTo(a + t - n);
    path.closeSubpath();
    p.drawPath(path);
}

} // namespace

SevenSegmentLabel::SevenSegmentLabel(QWidget* parent) : QLabel(parent) {}

void SevenSegmentLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), background_);
    const QString t = text();
    int cells = 0;
    for (QChar c : t)
        if (c != QLatin1Char('.'))
            ++cells;
    if (cells == 0)
        return;
    const double margin = height() * 0.14;
    const double h = height() - 2 * margin;
    const double cell = std::min((width() - 2 * margin) / cells, h * 0.62);
    const double w = cell * 0.16;     // segment thickness
    const double dw = cell * 0.70;    // digit width
    double x = width() - margin - cells * cell + (cell - dw) / 2;
    const QColor dim = ghost_.isValid() ? ghost_ : QColor(color_.red() / 7, color_.green() / 7, color_.blue() / 7);
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('.'))
            continue;
        const int s = segments(c);
        const double top = margin, mid = margin + h / 2, bottom = margin + h;
        const double slant = cell * 0.08;
        auto pt = [&](double fx, double y) { return QPointF(x + fx * dw + slant * (mid - y) / (h / 2), y); };
        const QPointF A(pt(0, top)), B(pt(1, top)), C(pt(0, mid)), D(pt(1, mid)), E(pt(0, bottom)), F(pt(1, bottom));
        const QPointF segs[7][2] = {{A, B}, {B, D}, {D, F}, {E, F}, {C, E}, {A, C}, {C, D}};
        for (int k = 0; k < 7; ++k) {
            p.setPen(Qt::NoPen);
            p.setBrush((s >> k) & 1 ? color_ : dim);
            segment(p, segs[k][0], segs[k][1], w);
        }
        if (i + 1 < t.size() && t[i + 1] == QLatin1Char('.')) {
            p.setBrush(color_);
            p.drawEllipse(QPointF(x + dw + cell * 0.12, bottom - w / 2), w * 0.6, w * 0.6);
        }
        x += cell;
    }
}
