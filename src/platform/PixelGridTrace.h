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
// more than about one point per pixel column it is inked as the span from
// the lowest to the highest value of the trace around each pixel column,
// widened by the pen as a stroke would be, each column meeting its
// neighbours; those columns come back as `spans`, rectangles one row high
// running across the columns (rows alike merged into one rectangle), since
// the raster engine fills rows far faster than columns. Elsewhere the trace
// comes back as `polylines` to stroke with the pen, cut (in the middle of a
// segment, where a round pen leaves no mark of the cut) into pieces short
// enough to stay cheap. Spans are cut to the picture. A trace whose x goes
// back (a closed figure) comes back whole as one polyline.
struct PixelGridTrace {
    QList<QRect> spans;
    QList<QPolygonF> polylines;
};

PixelGridTrace reduceToPixelGrid(const QPolygonF& points, double penWidth, QSize picture);
