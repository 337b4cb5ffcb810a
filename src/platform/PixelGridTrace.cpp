#include "platform/PixelGridTrace.h"

#include "platform/PixelCoords.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

// Lowest and highest y the pen inks in each column of a stretch of the trace.
class ColumnSpans {
public:
    ColumnSpans(double radius, int first, int count)
        : radius_(radius), thin_(radius <= 0.5), first_(first), low_(size_t(count), kNone), high_(size_t(count), -kNone)
    {
    }

    // The pen's disc centred on (x, y) seen in every column it reaches.
    void splat(double x, double y)
    {
        const int from = std::max(first_, plancher(x - 0.5 - radius_) + 1);
        const int to = std::min(first_ + int(low_.size()) - 1, plancher(x - 0.5 + radius_));
        for (int c = from; c <= to; ++c) {
            const double dx = std::abs(x - (c + 0.5));
            const double h = std::sqrt(std::max(0.0, radius_ * radius_ - dx * dx));
            const size_t i = size_t(c - first_);
            low_[i] = std::min(low_[i], y - h);
            high_[i] = std::max(high_[i], y + h);
            touchedFrom_ = std::min(touchedFrom_, c);
            touchedTo_ = std::max(touchedTo_, c);
        }
    }

    // A convex piece of a wide pen's stroke, seen on each column's centre
    // line (the raster fills the pixels whose centres lie inside): its
    // lowest and highest points there lie on its edges.
    void convex(const QPointF* corners, int n)
    {
        for (int k = 0; k < n; ++k)
            edge(corners[k], corners[(k + 1) % n]);
    }

    // An edge of a convex piece on the centre lines of the columns it
    // crosses; a centre line on the edge's left end belongs to the columns
    // before, as the raster engine has it.
    void edge(const QPointF& p, const QPointF& q)
    {
        const QPointF& l = p.x() <= q.x() ? p : q;
        const QPointF& r = p.x() <= q.x() ? q : p;
        const int from = std::max(first_, plancher(l.x() - 0.5) + 1);
        const int to = std::min(first_ + int(low_.size()) - 1, plancher(r.x() - 0.5));
        if (from > to)
            return;
        const double slope = (r.y() - l.y()) / (r.x() - l.x());
        for (int c = from; c <= to; ++c) {
            const double y = l.y() + (c + 0.5 - l.x()) * slope;
            const size_t i = size_t(c - first_);
            low_[i] = std::min(low_[i], y);
            high_[i] = std::max(high_[i], y);
        }
        touchedFrom_ = std::min(touchedFrom_, from);
        touchedTo_ = std::max(touchedTo_, to);
    }

    // A stretch stroked with a wide pen: each segment's band, the
    // bevels where segments meet, and round ends.
    void strokedStretch(const QPolygonF& points, int from, int to)
    {
        splat(points[from].x(), points[from].y());
        splat(points[to].x(), points[to].y());
        QPointF previous; // normal of the last segment with a length
        bool hasPrevious = false;
        for (int s = from; s < to; ++s) {
            const QPointF& a = points[s];
            const QPointF& b = points[s + 1];
            const QPointF d = b - a;
            double length = std::sqrt(d.x() * d.x() + d.y() * d.y());
            if (!std::isfinite(length))
                length = std::hypot(d.x(), d.y());
            if (length == 0)
                continue;
            const double k = radius_ / length;
            const QPointF n(-d.y() * k, d.x() * k);
            const bool bevel =
                hasPrevious && std::abs(n.x() - previous.x()) + std::abs(n.y() - previous.y()) > 1e-3 * radius_;
            // A trace far denser than the pixels lays most of its bands and
            // bevels within the rows its neighbours already ink: each lies
            // within the box of its corners, and a box whose rows each of
            // its columns already inks changes nothing. The box of both is
            // tried first.
            const double nx = std::abs(n.x()), ny = std::abs(n.y());
            const Boite bande{std::min(a.x(), b.x()) - nx, std::min(a.y(), b.y()) - ny, std::max(a.x(), b.x()) + nx,
                              std::max(a.y(), b.y()) + ny};
            Boite tout = bande;
            if (bevel) {
                const double px = std::abs(previous.x()), py = std::abs(previous.y());
                tout = tout.unie({a.x() - px, a.y() - py, a.x() + px, a.y() + py});
            }
            if (!spanned(tout)) {
                // The bevels either side of the join: triangles from a to
                // the bands' corners, whose sides from a lie on the bands'
                // ends, so only their third sides are new.
                if (bevel) {
                    edge(a + previous, a + n);
                    edge(a - previous, a - n);
                }
                if (!bevel || !spanned(bande)) {
                    const QPointF band[4] = {a + n, b + n, b - n, a - n};
                    convex(band, 4);
                }
            }
            previous = n;
            hasPrevious = true;
        }
    }

    // An upright box, left to right and top to bottom.
    struct Boite {
        double gauche, haut, droite, bas;
        Boite unie(const Boite& o) const
        {
            return {std::min(gauche, o.gauche), std::min(haut, o.haut), std::max(droite, o.droite),
                    std::max(bas, o.bas)};
        }
    };

    // Whether every column whose centre line crosses the box already inks
    // the rows the box's height would give it (those whose centres lie
    // between its top and bottom): what falls within them changes no pixel.
    bool spanned(const Boite& boite) const
    {
        const int from = std::max(first_, plancher(boite.gauche - 0.5) + 1);
        const int to = std::min(first_ + int(low_.size()) - 1, plancher(boite.droite - 0.5));
        const double haut = plancher(boite.haut - 0.5) + 1.5;
        const double bas = plancher(boite.bas - 0.5) + 0.5;
        for (int c = from; c <= to; ++c) {
            const size_t i = size_t(c - first_);
            if (!(low_[i] < haut && high_[i] >= bas))
                return false;
        }
        return true;
    }

    // A piece of a one-pixel trace: the raster inks, in each column, the
    // rows the centre line crosses between the column's edges.
    void thinSegment(const QPointF& a, const QPointF& b)
    {
        line(plancher(a.x()), a.y());
        line(plancher(b.x()), b.y());
        if (b.x() <= a.x())
            return;
        const double slope = (b.y() - a.y()) / (b.x() - a.x());
        const int from = std::max(first_, plafond(a.x()));
        const int to = std::min(first_ + int(low_.size()), plancher(b.x()));
        for (int k = from; k <= to; ++k) {
            // The edge x = k closes column k - 1 and opens column k.
            const double y = a.y() + (k - a.x()) * slope;
            if (k > a.x())
                line(k - 1, y);
            if (k < b.x())
                line(k, y);
        }
    }

    // The inked rows of each column within the picture as rectangles, then
    // the columns are cleared for the next stretch. A wide pen's stretch is
    // handed out the cheaper way: as columns (neighbours alike merged), or
    // as runs one row high across the columns (rows alike merged), which
    // suits a solid band whose middle rows are then written whole. A thin
    // trace's stretch goes as columns: its columns one pixel wide are
    // written side by side, row after row (see PixelFill.h), where runs
    // would start and end on most rows of every column of a dense zigzag.
    void takeSpans(QList<QRect>& spans, QSize picture)
    {
        const int from = std::max(0, touchedFrom_), to = std::min(picture.width() - 1, touchedTo_);
        rows_.clear();
        qint64 columnSpans = 0, rowSpans = 0;
        Rows previous;
        for (int c = from; c <= to; ++c) {
            const Rows r = rowsOf(c, picture.height());
            if (r.t != previous.t || r.b != previous.b)
                columnSpans += r.count();
            // Each run one row high starts or ends where a row changes.
            rowSpans += std::max(0, r.count() - std::max(0, std::min(r.b, previous.b) - std::max(r.t, previous.t) + 1));
            rows_.push_back(r);
            previous = r;
        }
        // Runs also cost a pass over their rows here, and bookkeeping for
        // every run: a few a column at the most, as a band's ragged edges
        // give, not the hundreds of a dense zigzag's columns.
        if (!thin_ && 2 * rowSpans < columnSpans && rowSpans <= 4 * qint64(to - from + 1))
            addRowRuns(spans, from, picture.height());
        else
            addColumns(spans, from);
        for (int c = touchedFrom_; c <= touchedTo_; ++c) {
            const size_t i = size_t(c - first_);
            low_[i] = kNone;
            high_[i] = -kNone;
        }
        touchedFrom_ = std::numeric_limits<int>::max();
        touchedTo_ = std::numeric_limits<int>::min();
    }

private:
    // Rows t to b of a column; none when b < t.
    struct Rows {
        int t = 0, b = -1;
        int count() const { return std::max(0, b - t + 1); }
    };

    // The rows whose centres lie inside column c's span, within the
    // picture; a thin line also inks the row where it turns.
    Rows rowsOf(int c, int height) const
    {
        const size_t i = size_t(c - first_);
        if (low_[i] > high_[i])
            return {};
        int top = thin_ ? plafond(low_[i] - 0.5) : plancher(low_[i] - 0.5) + 1;
        int bottom = thin_ ? plafond(high_[i] - 0.5) - 1 : plancher(high_[i] - 0.5);
        if (thin_)
            bottom = std::max(bottom, plancher(high_[i] + 0.5));
        if (thin_ && top > bottom)
            top = bottom = plancher(low_[i]);
        if (top > bottom || bottom < 0 || top >= height)
            return {};
        return {std::max(top, 0), std::min(bottom, height - 1)};
    }

    // rows_ (from column `from` on) as columns, neighbours alike merged.
    void addColumns(QList<QRect>& spans, int from) const
    {
        for (size_t k = 0; k < rows_.size(); ++k) {
            const Rows& r = rows_[k];
            if (r.count() == 0)
                continue;
            const int c = from + int(k);
            if (k > 0 && rows_[k - 1].t == r.t && rows_[k - 1].b == r.b)
                spans.last().setRight(c);
            else
                spans.append(QRect(c, r.t, 1, r.count()));
        }
    }

    // rows_ (from column `from` on) as runs one row high, each ended where
    // its row stops being inked; a run is merged with the one just above
    // when both cover the same columns.
    void addRowRuns(QList<QRect>& spans, int from, int height)
    {
        if (runStart_.size() < size_t(height))
            runStart_.resize(size_t(height));
        const qsizetype first = spans.size();
        const auto addRun = [&](int left, int right, int y) {
            if (spans.size() > first) {
                QRect& last = spans.last();
                if (last.left() == left && last.right() == right && last.bottom() == y - 1) {
                    last.setBottom(y);
                    return;
                }
            }
            spans.append(QRect(left, y, right - left + 1, 1));
        };
        Rows previous;
        for (size_t k = 0; k <= rows_.size(); ++k) {
            const int c = from + int(k);
            const Rows r = k < rows_.size() ? rows_[k] : Rows{};
            const auto end = [&](int y0, int y1) {
                for (int y = y0; y <= y1; ++y)
                    addRun(runStart_[size_t(y)], c - 1, y);
            };
            const auto begin = [&](int y0, int y1) {
                for (int y = y0; y <= y1; ++y)
                    runStart_[size_t(y)] = c;
            };
            // Rows the previous column inked and this one does not end
            // their run; rows this one starts inking begin one.
            end(previous.t, std::min(previous.b, r.count() ? r.t - 1 : previous.b));
            if (r.count())
                end(std::max(previous.t, r.b + 1), previous.b);
            begin(r.t, std::min(r.b, previous.count() ? previous.t - 1 : r.b));
            if (previous.count())
                begin(std::max(r.t, previous.b + 1), r.b);
            previous = r;
        }
    }

    void line(int c, double y)
    {
        if (c < first_ || c >= first_ + int(low_.size()))
            return;
        const size_t i = size_t(c - first_);
        low_[i] = std::min(low_[i], y);
        high_[i] = std::max(high_[i], y);
        touchedFrom_ = std::min(touchedFrom_, c);
        touchedTo_ = std::max(touchedTo_, c);
    }

    static constexpr double kNone = std::numeric_limits<double>::infinity();
    double radius_;
    bool thin_;
    int first_;
    std::vector<double> low_, high_;
    int touchedFrom_ = std::numeric_limits<int>::max();
    int touchedTo_ = std::numeric_limits<int>::min();
    std::vector<Rows> rows_;    // the stretch's columns, picture rows only
    std::vector<int> runStart_; // per row: the column its current run began
};

// A thin trace far denser than the pixels (thousands of points over a few
// hundred columns) as the points that set what each column shows: in a
// column holding more than four, its first and last (which join it to its
// neighbours) and its lowest and highest, in their order. It inks the same
// pixels: a thin trace inks, in each column, the rows from the lowest to the
// highest of its points there and of where it crosses the column's sides.
QPolygonF extremesParColonne(const QPolygonF& points)
{
    const qsizetype n = points.size();
    QPolygonF out;
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const int colonne = plancher(points[i].x());
        qsizetype j = i + 1;
        qsizetype bas = i, haut = i;
        while (j < n && plancher(points[j].x()) == colonne) {
            if (points[j].y() < points[bas].y())
                bas = j;
            if (points[j].y() > points[haut].y())
                haut = j;
            ++j;
        }
        if (j - i <= 4) {
            for (qsizetype k = i; k < j; ++k)
                out << points[k];
        } else {
            qsizetype gardes[4] = {i, std::min(bas, haut), std::max(bas, haut), j - 1};
            for (int k = 0; k < 4; ++k)
                if (k == 0 || gardes[k] != gardes[k - 1])
                    out << points[gardes[k]];
        }
        i = j;
    }
    return out;
}

} // namespace

PixelGridTrace reduceToPixelGrid(const QPolygonF& trace, double penWidth, QSize picture)
{
    PixelGridTrace out;
    // The raster engine places points on a 1/64 pixel grid; so does this,
    // so that steep edges fall in the same columns.
    QPolygonF points(trace);
    for (QPointF& p : points)
        p = QPointF(std::trunc(p.x() * 64) / 64, std::trunc(p.y() * 64) / 64);
    bool forward = points.size() >= 2;
    for (qsizetype i = 0; i < points.size() && forward; ++i) {
        const QPointF& p = std::as_const(points)[i];
        forward = std::isfinite(p.x()) && std::isfinite(p.y()) && (i == 0 || p.x() >= std::as_const(points)[i - 1].x());
    }
    if (!forward) {
        if (trace.size() >= 2)
            out.polylines.append(trace);
        return out;
    }
    if (penWidth <= 1)
        points = extremesParColonne(points);
    const QPolygonF& pts = points;
    const int n = int(pts.size());

    const double radius = std::max(0.5, penWidth / 2);
    const int reach = plafond(radius) + 1;
    const int first = -reach;                           // leftmost column worked on
    const int count = picture.width() + 2 * reach;      // columns worked on
    // Segments wholly left or right of the columns worked on are dropped.
    auto outside = [&](int i) { return pts[i + 1].x() < first || pts[i].x() >= first + count; };

    ColumnSpans columns(radius, first, count);
    int i = 0;
    while (i < n - 1) {
        const bool away = outside(i);
        int j = i + 1; // segments [i, j) are alike
        while (j < n - 1 && outside(j) == away)
            ++j;
        if (!away) {
            if (penWidth > 1)
                columns.strokedStretch(pts, i, j);
            else
                for (int s = i; s < j; ++s)
                    columns.thinSegment(pts[s], pts[s + 1]);
            columns.takeSpans(out.spans, picture);
        }
        i = j;
    }
    return out;
}
