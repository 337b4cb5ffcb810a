#pragma once

#include <QList>
#include <QPolygonF>
#include <QRect>
#include <QSize>

// A trace reduced to the pixel grid before anything is stroked. Stroking one
// long wide polyline costs the raster engine time that grows with the square
// of the edges a scanline crosses; a dense trace is far cheaper, and looks
// the same, as the span it inks in each pixel column.
//
// The input is the trace's points in device pixels, x never decreasing, and
// the width of the round pen it would be stroked with. Wherever the trace has
// more than about one point per pixel column it comes back as `spans`: one
// rectangle per pixel column (neighbouring columns with the same span merged),
// from the lowest to the highest value of the trace around that column,
// widened by the pen as a stroke would be, each column meeting its
// neighbours. Elsewhere it comes back as `polylines` to stroke with the pen,
// cut (in the middle of a segment, where a round pen leaves no mark of the
// cut) into pieces short enough to stay cheap. Columns outside the picture
// are dropped. A trace whose x goes back (a closed figure) comes back whole
// as one polyline.
struct PixelGridTrace {
    QList<QRect> spans;
    QList<QPolygonF> polylines;
};

PixelGridTrace reduceToPixelGrid(const QPolygonF& points, double penWidth, QSize picture);
