#pragma once

#include <QImage>
#include <QPolygonF>
#include <QRect>

class DamageTiles;

// A wide polyline of one opaque colour written straight into an RGB32
// picture, segment by segment. The raster engine strokes a polyline as one
// outline, whose cost grows with the square of the edges a scanline crosses:
// a figure whose every segment crosses the picture (an XY figure of two far
// apart frequencies) takes it seconds. Here each segment inks the pixels
// whose centre lies within half the width of it, a capsule, one row span at
// a time; the joints are round, like the pen's caps. The cost is the pixels
// inked plus a few operations a row.
//
// The part of the segment a-b inside the frame, cut exactly where it crosses
// the frame's sides; false when none of it is inside or an end is no number.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& frame);

// Points are in device pixels; rows and columns outside the picture are cut.
// Gives the bounding rectangle of what was inked (empty when nothing was);
// the tiles inked are marked in `inked` when one is given.
QRect strokeThickPolyline(QImage& picture, const QPolygonF& points, double width, QRgb colour,
                          DamageTiles* inked = nullptr);
