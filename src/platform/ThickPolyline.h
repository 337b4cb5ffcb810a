#pragma once

#include <QImage>
#include <QPolygonF>
#include <QRect>

class DamageTiles;

// A polyline of one opaque colour written straight into an RGB32 picture,
// segment by segment. The raster engine strokes a wide polyline as one
// outline, whose cost grows with the square of the edges a scanline crosses:
// a figure whose every segment crosses the picture (an XY figure of two far
// apart frequencies) takes it seconds; and it pays a call for every segment
// of a thin one. Here the segments' pixels are gathered in a mask of the
// picture first, each row's runs merged, and the picture is filled from it
// once: a figure that runs over itself a hundred times costs its ink, not
// its overdraw. The capsules of a wide stroke within what the mask already
// covers are left out at once; a coarse pass over every 37th segment goes
// first, so that a figure far denser than its pixels is mostly covered
// early. A thin stroke and a wide figure's centre lines set their segments
// in order, each a run a row or column it crosses across its length.
//
// The part of the segment a-b inside the frame, cut exactly where it crosses
// the frame's sides; false when none of it is inside or an end is no number.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& frame);

// Points are in device pixels; rows and columns outside the picture are cut.
// Each gives the bounding rectangle of what was inked (empty when nothing
// was); the tiles inked are marked in `inked` when one is given.
//
// A wide stroke inks the pixels whose centre lies within half the width of
// a segment, a capsule; the joints are round, like the pen's caps.
QRect strokeThickPolyline(QImage& picture, const QPolygonF& points, double width, QRgb colour,
                          DamageTiles* inked = nullptr);
// The same stroke for a figure that may run over itself many times (an XY
// figure), inked within a pixel of the capsules: where the capsules would
// work out the same pixels many times over, the pixels the segments' centre
// lines pass through (one in each row or column a segment crosses, and each
// point's own) are grown by the pen's disc of whole pixels, once. Then each
// pixel inked has its centre within half the width and 0.71 px of the
// figure, the pixel of each point is inked, and so is each pixel whose
// centre lies within half the width less 1.5 px of it. A figure that
// crosses its rows a few times only is inked as strokeThickPolyline() inks
// it.
QRect strokeWideFigure(QImage& picture, const QPolygonF& points, double width, QRgb colour,
                       DamageTiles* inked = nullptr);
// A stroke one pixel wide inks, segment after segment, the pixels the raster
// engine inks for that segment drawn alone with a solid cosmetic pen of flat
// caps and no antialiasing (QPainter::drawLine): the same picture, without
// a call a segment. A single point inks nothing.
QRect strokeThinPolyline(QImage& picture, const QPolygonF& points, QRgb colour, DamageTiles* inked = nullptr);
