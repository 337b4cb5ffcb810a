#pragma once

#include <QList>
#include <QPolygonF>
#include <QRect>
#include <QSize>

// A trace reduced to the pixel grid before anything is stroked. Stroking one
// long polyline costs the raster engine time that grows with the square of
// the edges a scanline crosses, and a steep stroke costs it a call for each
// pixel; the trace looks the same, and is far cheaper, as the span it inks in
// each pixel column.
//
// The input is the trace's points in device pixels, x never decreasing, and
// the width of the round pen it would be stroked with. The trace is inked as
// the span from its lowest to its highest value around each pixel column,
// widened by the pen as a stroke would be, each column meeting its
// neighbours; those columns come back as `spans`, cut to the picture. They
// are rectangles either one column wide (neighbours alike merged) or, for a
// wide pen, one row high across the columns (rows alike merged), whichever
// costs fewer rows to fill: a solid band goes by rows. A trace whose x goes
// back (a closed figure) or that holds a point that is no number comes back
// whole as one polyline in `polylines`.
struct PixelGridTrace {
    QList<QRect> spans;
    QList<QPolygonF> polylines;
};

PixelGridTrace reduceToPixelGrid(const QPolygonF& points, double penWidth, QSize picture);

// The same for a trace whose x never goes back, inked as a round pen's disc
// swept along it, round where it turns: in each pixel column the run of y
// the trace takes there (the scope's fast traces are already in that form),
// then in column x the runs of the columns x' within the pen's radius r,
// each reaching sqrt(r² − (x − x')²) further up and down. Every pixel whose
// centre lies within r − ½ of the trace is inked, none farther than r + ½.
// The cost follows the points and the columns, not the pen. A thin pen, or
// a trace whose x goes back, is reduced as reduceToPixelGrid() does.
PixelGridTrace reduceColumnsToPixelGrid(const QPolygonF& points, double penWidth, QSize picture);
