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
        const int to = std::min(last(), plancher(x - 0.5 + radius_));
        for (int c = from; c <= to; ++c) {
            const double dx = std::abs(x - (c + 0.5));
            const double h = std::sqrt(std::max(0.0, radius_ * radius_ - dx * dx));
            const size_t i = size_t(c - first_);
            inkLow(i, y - h, true);
            inkHigh(i, y + h, true);
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
        const bool inOrder = p.x() <= q.x();
        const QPointF& l = inOrder ? p : q;
        const QPointF& r = inOrder ? q : p;
        edge(l, r, plancher(l.x() - 0.5), plancher(r.x() - 0.5));
    }

    // The same from l to r, l not right of r, with the whole parts of
    // their x - 0.5 worked out. While rows are kept (see withinKept()), an
    // edge within them is left out. Inlined: a dense trace's segments call
    // it six times each.
    __attribute__((always_inline)) void edge(const QPointF& l, const QPointF& r, int columnL, int columnR)
    {
        const int from = std::max(first_, columnL + 1);
        const int to = std::min(last(), columnR);
        if (from > to)
            return;
        const double slope = (r.y() - l.y()) / (r.x() - l.x());
        if (!keeping_) {
            for (int c = from; c <= to; ++c) {
                const double y = l.y() + (c + 0.5 - l.x()) * slope;
                const size_t i = size_t(c - first_);
                low_[i] = std::min(low_[i], y);
                high_[i] = std::max(high_[i], y);
            }
        } else {
            const double top = std::min(l.y(), r.y()), bottom = std::max(l.y(), r.y());
            if (withinKept(from, to, top, bottom))
                return;
            for (int c = from; c <= to; ++c) {
                const double y = l.y() + (c + 0.5 - l.x()) * slope;
                const size_t i = size_t(c - first_);
                inkLow(i, y, y >= top);
                inkHigh(i, y, y <= bottom);
            }
        }
        touchedFrom_ = std::min(touchedFrom_, from);
        touchedTo_ = std::max(touchedTo_, to);
    }

    // The columns a segment reaches and the rows kept in every one of them
    // (see withinKept()), kept from one segment to the next, as a dense
    // trace stays among the same few columns a while. Columns only gain
    // ink, and rows kept only grow: rows taken before stay true, if
    // narrow.
    struct Window {
        int from = 1, to = 0;
        double top = 0, bottom = 0;
        unsigned version = 0; // of the rows kept, when taken
    };

    // A stretch stroked with a wide pen: each segment's band, the bevels
    // where segments meet, and round ends.
    void strokedStretch(const QPolygonF& points, int from, int to)
    {
        // Where segments are no shorter than a pixel or so, most of them
        // ink rows of their own and nothing is saved.
        if (to - from > kDense * (points[to].x() - points[from].x()) && strokedInAnyOrder(points, from, to))
            return;
        clearColumns();
        strokedInOrder(points, from, to);
    }

    // The stroke drawn segment after segment, each left out whose box
    // spanned() finds inked.
    void strokedInOrder(const QPolygonF& points, int from, int to)
    {
        keeping_ = false;
        splat(points[from].x(), points[from].y());
        splat(points[to].x(), points[to].y());
        QPointF previous; // normal of the last segment with a length
        bool hasPrevious = false;
        for (int s = from; s < to; ++s) {
            const QPointF& a = points[s];
            const QPointF& b = points[s + 1];
            QPointF n;
            if (!normal(a, b, n))
                continue;
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

    // The stretch's rows as strokedInOrder() leaves them, found in any
    // order and in far fewer steps on a dense trace; false, with nothing
    // told, where this cannot tell.
    //
    // A column's rows run from the row of its lowest point to that of its
    // highest (see rowsOf()), over the pieces stroked. strokedInOrder()
    // leaves a piece out where spanned() finds its box inked, that is,
    // where each of the box's columns already holds the box's rows: all
    // the pieces put together, the rows are the same, from the lowest to
    // the highest point of every piece of the stroke, whatever the order;
    // provided the point that gives a column its top or bottom row is no
    // further than its edge's ends (no edge's rounding carries a point
    // left out beyond its box; splats are never left out). A point past
    // its edge's ends is kept note of, and then the stretch is drawn in
    // order.
    //
    // So here the pieces go in any order, and those whose points cannot
    // move a column's top or bottom row are left out (see withinKept()):
    // segments whose band and bevel lie within the rows kept, found
    // without their normal; level runs, by the columns they cross.
    bool strokedInAnyOrder(const QPolygonF& points, int from, int to)
    {
        const QPointF* p = points.constData() + from;
        const int count = to - from;
        for (int i = 0; i <= count; ++i)
            if (!(std::abs(p[i].y()) <= kModerate))
                return false;
        keeping_ = true;
        if (keptFrom_.empty()) {
            keptFrom_.assign(low_.size(), kNone);
            keptTo_.assign(low_.size(), -kNone);
            sure_.assign(low_.size(), kLowSure | kHighSure);
        }
        splat(p[0].x(), p[0].y());
        splat(p[count].x(), p[count].y());
        Window window;
        QPointF previous;  // normal of the last segment with a length
        bool hasPrevious = false;
        int passed = -1;   // that segment, gone by before its normal was worked out
        Step before;       // its step
        for (int s = 0; s < count; ++s) {
            const QPointF& a = p[s];
            const QPointF& b = p[s + 1];
            const Step step(a, b);
            if (step.lengthSquared == 0)
                continue;
            if (step.dy == 0 && hasPrevious && before.dy == 0) {
                const int end = levelRun(p, s, count);
                // The run's last segment with a length, before the next.
                int lastSegment = end - 1;
                while (p[lastSegment + 1].x() == p[lastSegment].x())
                    --lastSegment;
                passed = lastSegment;
                before = Step(p[lastSegment], p[lastSegment + 1]);
                s = end - 1;
                continue;
            }
            if (inkedAlready(a, b, step, hasPrevious ? &before : nullptr, window)) {
                passed = s;
                hasPrevious = true;
                before = step;
                continue;
            }
            if (passed >= 0) {
                normal(p[passed], p[passed + 1], previous);
                passed = -1;
            }
            QPointF n;
            normal(a, b, n);
            const bool bevel =
                hasPrevious && std::abs(n.x() - previous.x()) + std::abs(n.y() - previous.y()) > 1e-3 * radius_;
            // The band's corners, then the bevel's, whose edges join them
            // to the band's at a.
            const QPointF corners[6] = {a + n, b + n, b - n, a - n, a + previous, a - previous};
            bandAndBevel(corners, bevel ? 6 : 4, window);
            previous = n;
            hasPrevious = true;
            before = step;
        }
        for (int c = touchedFrom_; c <= touchedTo_; ++c) {
            const size_t i = size_t(c - first_);
            if (low_[i] <= high_[i] && sure_[i] != (kLowSure | kHighSure))
                return false;
        }
        return true;
    }

    // The level run of segments from s, after a level segment: left to
    // right along one row, each a band whose long edges lie level, the
    // normal's height above and below the row, whose ends stand upright
    // and so cross no column's centre line, with no bevel between them.
    // Each centre line the run crosses takes the band of the segment that
    // crosses it, and nothing else. Returns where the run ends.
    int levelRun(const QPointF* p, int s, int count)
    {
        const double y = p[s].y();
        int end = s + 1;
        while (end < count && p[end + 1].y() == y)
            ++end;
        const int from = std::max(first_, plancher(p[s].x() - 0.5) + 1);
        const int to = std::min(last(), plancher(p[end].x() - 0.5));
        int k = s;
        for (int c = from; c <= to; ++c) {
            while (p[k + 1].x() < c + 0.5)
                ++k;
            QPointF n;
            normal(p[k], p[k + 1], n);
            const double ny = n.y();
            const size_t i = size_t(c - first_);
            for (const double v : {y + ny, y - ny}) {
                inkLow(i, v, true);
                inkHigh(i, v, true);
            }
        }
        if (from <= to) {
            touchedFrom_ = std::min(touchedFrom_, from);
            touchedTo_ = std::max(touchedTo_, to);
        }
        return end;
    }

    // A segment's band, corners 0 to 3, and with n = 6 the bevel before
    // it, whose edges run from corners 4 and 5 to 0 and 3: each edge as
    // edge() draws it, the columns of each corner found once. The window
    // holds the columns of all the corners, and its rows kept are fresh:
    // an edge within them is left out at once.
    void bandAndBevel(const QPointF* corners, int n, const Window& w)
    {
        static constexpr int kEdges[6][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 0}, {5, 3}};
        int columns[6];
        for (int k = 0; k < n; ++k)
            columns[k] = plancher(corners[k].x() - 0.5);
        for (int e = 0; e < n; ++e) {
            const int p = kEdges[e][0], q = kEdges[e][1];
            const double top = std::min(corners[p].y(), corners[q].y());
            const double bottom = std::max(corners[p].y(), corners[q].y());
            if (top >= w.top && bottom <= w.bottom)
                continue;
            const bool inOrder = corners[p].x() <= corners[q].x();
            const int l = inOrder ? p : q, r = inOrder ? q : p;
            edge(corners[l], corners[r], columns[l], columns[r]);
        }
    }

    // A segment's step across and down, and its length squared.
    struct Step {
        double dx = 0, dy = 0, lengthSquared = 0;
        Step() = default;
        Step(const QPointF& a, const QPointF& b)
            : dx(b.x() - a.x()), dy(b.y() - a.y()), lengthSquared(dx * dx + dy * dy)
        {
        }
    };

    // The normal n of the segment from a to b, the pen's radius long;
    // false for a segment of no length.
    bool normal(const QPointF& a, const QPointF& b, QPointF& n) const
    {
        const QPointF d = b - a;
        double length = std::sqrt(d.x() * d.x() + d.y() * d.y());
        if (!std::isfinite(length))
            length = std::hypot(d.x(), d.y());
        if (length == 0)
            return false;
        const double k = radius_ / length;
        n = QPointF(-d.y() * k, d.x() * k);
        return true;
    }

    // Whether the segment from a to b (its step `d`), its band and the
    // bevel after the segment of step `before` (if any) lie within the
    // rows kept, told without their normal n: across, by a bound on |n.x|;
    // up and down, |n.y| is |dx| times the radius over the length, weighed
    // squared against the room there is. Margins keep clear of the
    // rounding of n and the corners.
    bool inkedAlready(const QPointF& a, const QPointF& b, const Step& d, const Step* before, Window& w)
    {
        // |n.x| = r |dy| / length: 0 for a level segment, else no more
        // than r, nor than r |dy| / |dx|.
        const auto reach = [this](const Step& s) {
            if (s.dy == 0)
                return 0.0;
            const double r = std::abs(s.dy) >= std::abs(s.dx) ? radius_ : radius_ * std::abs(s.dy / s.dx);
            return r * (1 + 1e-9) + kMargin;
        };
        const double across = std::max(reach(d), before ? reach(*before) : 0.0);
        const int from = std::max(first_, plancher(std::min(a.x(), b.x()) - across - 0.5) + 1);
        const int to = std::min(last(), plancher(std::max(a.x(), b.x()) + across - 0.5));
        if (from > to)
            return true; // on no column's centre line
        const bool afresh = from != w.from || to != w.to;
        w.from = from;
        w.to = to;
        const auto within = [&] {
            const double radius2 = radius_ * radius_ * (1 + 1e-9);
            const double above = std::min(a.y(), b.y()) - w.top, below = w.bottom - std::max(a.y(), b.y());
            if (!(above >= 0 && below >= 0))
                return false;
            if (d.dx != 0) {
                const double needed = radius2 * d.dx * d.dx;
                if (!(above * above * d.lengthSquared >= needed && below * below * d.lengthSquared >= needed))
                    return false;
            }
            if (before && before->dx != 0) {
                const double aboveA = a.y() - w.top, belowA = w.bottom - a.y();
                const double needed = radius2 * before->dx * before->dx;
                if (!(aboveA * aboveA * before->lengthSquared >= needed
                      && belowA * belowA * before->lengthSquared >= needed))
                    return false;
            }
            return true;
        };
        if (afresh || (w.version != version_ && !within())) {
            keptIn(from, to, w.top, w.bottom);
            w.version = version_;
        }
        return within();
    }

    // A point in column i that lowers its low or raises its high; `sure`
    // if it lies no further than its edge's ends. While rows are kept, the
    // rows kept follow (see withinKept()).
    void inkLow(size_t i, double y, bool sure)
    {
        if (y < low_[i]) {
            low_[i] = y;
            if (keeping_) {
                ++version_;
                keptFrom_[i] = plancher(y - 0.5) + 0.5 + kMargin;
                sure_[i] = (sure_[i] & kHighSure) | (sure ? kLowSure : 0);
            }
        }
    }
    void inkHigh(size_t i, double y, bool sure)
    {
        if (y > high_[i]) {
            high_[i] = y;
            if (keeping_) {
                ++version_;
                keptTo_[i] = plancher(y - 0.5) + 1.5 - kMargin;
                sure_[i] = (sure_[i] & kLowSure) | (sure ? kHighSure : 0);
            }
        }
    }

    // Whether every column from `from` to `to` keeps the rows from top to
    // bottom: a point there of y at least keptFrom_ (the whole part of its
    // y - 0.5 no less than that of the column's low) moves no column's top
    // row, and one of y at most keptTo_ (its y - 0.5 below the next whole
    // number after the high's) no column's bottom row. The margin, far
    // above the rounding of an edge drawn between such points, keeps the
    // edge's points within them too.
    bool withinKept(int from, int to, double top, double bottom) const
    {
        double keptFrom, keptTo;
        keptIn(from, to, keptFrom, keptTo);
        return top >= keptFrom && bottom <= keptTo;
    }

    // The rows kept in every column from `from` to `to`.
    void keptIn(int from, int to, double& keptFrom, double& keptTo) const
    {
        keptFrom = -kNone;
        keptTo = kNone;
        for (int c = from; c <= to; ++c) {
            keptFrom = std::max(keptFrom, keptFrom_[size_t(c - first_)]);
            keptTo = std::min(keptTo, keptTo_[size_t(c - first_)]);
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
        const int to = std::min(last(), plancher(boite.droite - 0.5));
        const double haut = plancher(boite.haut - 0.5) + 1.5;
        const double bas = plancher(boite.bas - 0.5) + 0.5;
        for (int c = from; c <= to; ++c) {
            const size_t i = size_t(c - first_);
            if (!(low_[i] < haut && high_[i] >= bas))
                return false;
        }
        return true;
    }

    // A trace whose x never goes back, inked with a wide pen's disc (see
    // reduceColumnsToPixelGrid()): first the run of y the trace takes in
    // each column worked on, from its left side to its right one, both
    // included; then each column's ink, the runs of the columns x' within
    // the radius r of it, each widened by sqrt(r² − (x − x')²) up and down.
    void columnRuns(const QPolygonF& points)
    {
        std::vector<double> runLow(low_.size(), kNone), runHigh(low_.size(), -kNone);
        int runFrom = std::numeric_limits<int>::max(), runTo = std::numeric_limits<int>::min();
        const auto mark = [&](int c, double y) {
            const size_t i = size_t(c - first_);
            runLow[i] = std::min(runLow[i], y);
            runHigh[i] = std::max(runHigh[i], y);
            runFrom = std::min(runFrom, c);
            runTo = std::max(runTo, c);
        };
        const double left = first_, right = last() + 1;
        const QPointF* p = points.constData();
        const qsizetype n = points.size();
        for (qsizetype s = 0; s + 1 < n; ++s) {
            const QPointF& a = p[s];
            const QPointF& b = p[s + 1];
            const double x0 = std::max(a.x(), left), x1 = std::min(b.x(), right);
            if (!(x0 <= x1))
                continue;
            if (a.x() == b.x()) {
                const int c = std::min(plancher(a.x()), last());
                mark(c, a.y());
                mark(c, b.y());
                continue;
            }
            const double slope = (b.y() - a.y()) / (b.x() - a.x());
            const auto y = [&](double x) { return a.y() + (x - a.x()) * slope; };
            const int c0 = std::min(plancher(x0), last()), c1 = std::min(plancher(x1), last());
            mark(c0, y(x0));
            mark(c1, y(x1));
            // Each side crossed between them belongs to both its columns.
            for (int c = c0 + 1; c <= c1; ++c) {
                const double v = y(c);
                mark(c - 1, v);
                mark(c, v);
            }
        }
        if (runFrom > runTo)
            return;
        const int reach = int(std::floor(radius_));
        std::vector<double> widening(size_t(reach) + 1);
        for (int d = 0; d <= reach; ++d)
            widening[size_t(d)] = std::sqrt(std::max(0.0, radius_ * radius_ - double(d) * d));
        const int from = std::max(first_ + reach, runFrom - reach), to = std::min(last() - reach, runTo + reach);
        for (int c = from; c <= to; ++c) {
            double lowest = kNone, highest = -kNone;
            for (int d = -reach; d <= reach; ++d) {
                const size_t i = size_t(c + d - first_);
                const double w = widening[size_t(std::abs(d))];
                lowest = std::min(lowest, runLow[i] - w);
                highest = std::max(highest, runHigh[i] + w);
            }
            const size_t i = size_t(c - first_);
            low_[i] = lowest;
            high_[i] = highest;
        }
        if (from <= to) {
            touchedFrom_ = std::min(touchedFrom_, from);
            touchedTo_ = std::max(touchedTo_, to);
        }
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
        clearColumns();
    }

    // The columns back as before any stretch.
    void clearColumns()
    {
        for (int c = touchedFrom_; c <= touchedTo_; ++c) {
            const size_t i = size_t(c - first_);
            low_[i] = kNone;
            high_[i] = -kNone;
            if (!keptFrom_.empty()) {
                keptFrom_[i] = kNone;
                keptTo_[i] = -kNone;
                sure_[i] = kLowSure | kHighSure;
            }
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
    // strokedInAnyOrder() works on points no further than kModerate from
    // the picture's top, where kMargin is far above any rounding of their
    // corners and edges.
    static constexpr double kModerate = 1 << 19;
    static constexpr double kMargin = 1e-7;
    static constexpr unsigned char kLowSure = 1, kHighSure = 2;
    static constexpr double kDense = 1; // segments a pixel across, at least, for strokedInAnyOrder()
    int last() const { return first_ + int(low_.size()) - 1; }

    double radius_;
    bool thin_;
    int first_;
    std::vector<double> low_, high_;
    std::vector<double> keptFrom_, keptTo_; // a wide pen's rows kept (see withinKept())
    std::vector<unsigned char> sure_;       // whether low and high lie no further than their edges' ends
    bool keeping_ = false;                  // rows are kept and pieces within them left out
    unsigned version_ = 0;                  // counts the changes to the rows kept
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
    // Snapped in one pass into a buffer kept from one trace to the next.
    static thread_local QPolygonF points;
    points.resize(trace.size());
    bool forward = trace.size() >= 2;
    {
        const QPointF* from = trace.constData();
        QPointF* to = points.data();
        double before = -std::numeric_limits<double>::infinity();
        for (qsizetype i = 0; i < trace.size(); ++i) {
            const QPointF p(std::trunc(from[i].x() * 64) / 64, std::trunc(from[i].y() * 64) / 64);
            to[i] = p;
            forward &= std::isfinite(p.x()) && std::isfinite(p.y()) && p.x() >= before;
            before = p.x();
        }
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
    // Segments wholly left or right of the columns worked on are dropped:
    // x never going back, those left of them come first, those right of
    // them last, and the others, from i to j, make one stretch.
    const QPointF* begin = pts.constData();
    const auto xBelow = [](const QPointF& p, double x) { return p.x() < x; };
    const int i = n < 2 ? 0 : int(std::lower_bound(begin + 1, begin + n, double(first), xBelow) - (begin + 1));
    const int j = n < 2 ? 0 : int(std::lower_bound(begin, begin + n - 1, double(first + count), xBelow) - begin);
    if (i < j) {
        ColumnSpans columns(radius, first, count);
        if (penWidth > 1)
            columns.strokedStretch(pts, i, j);
        else
            for (int s = i; s < j; ++s)
                columns.thinSegment(pts[s], pts[s + 1]);
        columns.takeSpans(out.spans, picture);
    }
    return out;
}

PixelGridTrace reduceColumnsToPixelGrid(const QPolygonF& trace, double penWidth, QSize picture)
{
    // Coordinates this far off leave no room for the slopes' arithmetic:
    // such a trace goes the general way, as does a thin one.
    constexpr double kLoin = 1e12;
    bool forward = penWidth > 1 && trace.size() >= 2;
    double before = -kLoin;
    for (const QPointF& p : trace) {
        forward = forward && p.x() >= before && p.x() <= kLoin && std::abs(p.y()) <= kLoin;
        before = p.x();
    }
    if (!forward)
        return reduceToPixelGrid(trace, penWidth, picture);
    PixelGridTrace out;
    const double radius = penWidth / 2;
    const int reach = plafond(radius) + 1;
    ColumnSpans columns(radius, -reach, picture.width() + 2 * reach);
    columns.columnRuns(trace);
    columns.takeSpans(out.spans, picture);
    return out;
}
