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
        : radius_(radius), thin_(radius <= 0.5), first_(first), low_(size_t(count), kNone), high_(size_t(count), -kNone),
          dessus_(thin_ ? 0 : size_t(count), kNone), dessous_(thin_ ? 0 : size_t(count), -kNone),
          surs_(thin_ ? 0 : size_t(count), 3)
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
            inkLow(i, y - h);
            inkHigh(i, y + h);
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

    // Edges between corners, each as edge() draws it, the columns of each
    // corner found once.
    void edges(const QPointF* coins, const int (*bords)[2], int n)
    {
        int colonnes[6];
        const int nCoins = n == 4 ? 4 : 6;
        for (int k = 0; k < nCoins; ++k)
            colonnes[k] = plancher(coins[k].x() - 0.5);
        const int derniere = first_ + int(low_.size()) - 1;
        for (int e = 0; e < n; ++e) {
            const int pi = bords[e][0], qi = bords[e][1];
            const bool dansLOrdre = coins[pi].x() <= coins[qi].x();
            const QPointF& l = coins[dansLOrdre ? pi : qi];
            const QPointF& r = coins[dansLOrdre ? qi : pi];
            const int from = std::max(first_, colonnes[dansLOrdre ? pi : qi] + 1);
            const int to = std::min(derniere, colonnes[dansLOrdre ? qi : pi]);
            if (from > to)
                continue;
            const double haut = std::min(l.y(), r.y()), bas = std::max(l.y(), r.y());
            if (within(from, to, haut, bas))
                continue;
            const double slope = (r.y() - l.y()) / (r.x() - l.x());
            for (int c = from; c <= to; ++c) {
                const double y = l.y() + (c + 0.5 - l.x()) * slope;
                const size_t i = size_t(c - first_);
                inkLow(i, y, y >= haut);
                inkHigh(i, y, y <= bas);
            }
            touchedFrom_ = std::min(touchedFrom_, from);
            touchedTo_ = std::max(touchedTo_, to);
        }
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
        if (from > to || within(from, to, std::min(l.y(), r.y()), std::max(l.y(), r.y())))
            return;
        const double slope = (r.y() - l.y()) / (r.x() - l.x());
        const double haut = std::min(l.y(), r.y()), bas = std::max(l.y(), r.y());
        for (int c = from; c <= to; ++c) {
            const double y = l.y() + (c + 0.5 - l.x()) * slope;
            const size_t i = size_t(c - first_);
            inkLow(i, y, y >= haut);
            inkHigh(i, y, y <= bas);
        }
        touchedFrom_ = std::min(touchedFrom_, from);
        touchedTo_ = std::max(touchedTo_, to);
    }

    // A stretch stroked with a wide pen: each segment's band, the
    // bevels where segments meet, and round ends.
    //
    // Drawn in order, each segment is left out whose box spanned() finds
    // inked; then a column's rows are those from the lowest to the highest
    // point that all the pieces would put in it (see strokedInAnyOrder()).
    void strokedStretch(const QPolygonF& points, int from, int to)
    {
        if (strokedInAnyOrder(points, from, to))
            return;
        clearColumns();
        strokedInOrder(points, from, to);
    }

    void strokedInOrder(const QPolygonF& points, int from, int to)
    {
        prune_ = false;
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

    // The stretch's rows as strokedInOrder() leaves them, found in any
    // order: a column's lowest and highest points over every piece of the
    // stroke, pieces whose points cannot move a column's top or bottom row
    // left out. The pieces strokedInOrder() leaves out lie in its rows
    // but for the rounding of an edge between their corners, which moves
    // a point by far less than kAmbigu: where a column's top or bottom
    // lies that close to the next row, or for points beyond kModere, this
    // tells nothing and the stretch is drawn in order.
    bool strokedInAnyOrder(const QPolygonF& points, int from, int to)
    {
        const QPointF* p = points.constData() + from;
        const int count = to - from;
        for (int i = 0; i <= count; ++i)
            if (!(std::abs(p[i].y()) <= kModere))
                return false;
        prune_ = true;
        splat(p[0].x(), p[0].y());
        splat(p[count].x(), p[count].y());
        Fenetre fenetre;
        QPointF previous; // normal of the last segment with a length
        bool hasPrevious = false;
        int passed = -1;  // that segment, gone by before its normal was worked out
        Course avant;     // its run
        for (int s = 0; s < count; ++s) {
            const QPointF& a = p[s];
            const QPointF& b = p[s + 1];
            const Course ici(a, b);
            if (ici.carre == 0)
                continue;
            if (ici.dy == 0 && hasPrevious && avant.dy == 0) {
                const int fin = levelRun(p, s, count);
                // The run's last segment with a length: the next bevel's.
                int dernier = fin - 1;
                while (p[dernier + 1].x() == p[dernier].x())
                    --dernier;
                passed = dernier;
                avant = Course(p[dernier], p[dernier + 1]);
                s = fin - 1;
                continue;
            }
            if (inked(a, b, ici, hasPrevious ? &avant : nullptr, fenetre)) {
                passed = s;
                hasPrevious = true;
                avant = ici;
                continue;
            }
            if (passed >= 0) {
                previous = normal(p[passed], p[passed + 1]);
                passed = -1;
            }
            const QPointF n = normal(a, b);
            const bool bevel =
                hasPrevious && std::abs(n.x() - previous.x()) + std::abs(n.y() - previous.y()) > 1e-3 * radius_;
            // The band's corners, then the bevel's: its edges join them
            // to the band's at a.
            const QPointF coins[6] = {a + n, b + n, b - n, a - n, a + previous, a - previous};
            static constexpr int kBords[6][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 0}, {5, 3}};
            edges(coins, kBords, bevel ? 6 : 4);
            previous = n;
            hasPrevious = true;
            avant = ici;
        }
        for (int c = touchedFrom_; c <= touchedTo_; ++c) {
            const size_t i = size_t(c - first_);
            if (low_[i] <= high_[i] && surs_[i] != 3)
                return false;
        }
        return true;
    }

    // The level run of segments from s, after a level segment: from left
    // to right along one row, each a band whose long edges lie level at
    // the run's height plus and minus its normal, whose ends are upright
    // and cross no centre line, with no bevel between them. Each column's
    // centre line the run crosses takes the band of the segment it
    // crosses, the others nothing. Returns where the run ends.
    int levelRun(const QPointF* p, int s, int count)
    {
        const double y = p[s].y();
        int fin = s + 1;
        while (fin < count && p[fin + 1].y() == y)
            ++fin;
        const int from = std::max(first_, plancher(p[s].x() - 0.5) + 1);
        const int to = std::min(first_ + int(low_.size()) - 1, plancher(p[fin].x() - 0.5));
        int k = s;
        for (int c = from; c <= to; ++c) {
            while (p[k + 1].x() < c + 0.5)
                ++k;
            const double ny = normal(p[k], p[k + 1]).y();
            const size_t i = size_t(c - first_);
            for (const double v : {y + ny, y - ny}) {
                inkLow(i, v);
                inkHigh(i, v);
            }
        }
        if (from <= to) {
            touchedFrom_ = std::min(touchedFrom_, from);
            touchedTo_ = std::max(touchedTo_, to);
        }
        return fin;
    }

    // A segment's run across and down, and its length squared.
    struct Course {
        double dx = 0, dy = 0, carre = 0;
        Course() = default;
        Course(const QPointF& a, const QPointF& b) : dx(b.x() - a.x()), dy(b.y() - a.y()), carre(dx * dx + dy * dy) {}
    };

    // The normal of the segment from a to b (of some length), the pen's
    // radius long, as strokedInOrder() works it out.
    QPointF normal(const QPointF& a, const QPointF& b) const
    {
        const QPointF d = b - a;
        double length = std::sqrt(d.x() * d.x() + d.y() * d.y());
        if (!std::isfinite(length))
            length = std::hypot(d.x(), d.y());
        const double k = radius_ / length;
        return QPointF(-d.y() * k, d.x() * k);
    }

    // The columns a run of segments reaches, and the rows every one of
    // them keeps (see within()): kept from one segment to the next, as a
    // dense trace stays in the same few columns a while. Columns only gain
    // ink, so the rows kept stay true, if narrow, until refreshed.
    struct Fenetre {
        int from = 1, to = 0;
        double dessus = 0, dessous = 0;
        unsigned version = 0;

        // Whether the points lie within the rows kept.
        bool tient(const QPointF* points, int n) const
        {
            double haut = points[0].y(), bas = haut;
            for (int k = 1; k < n; ++k) {
                haut = std::min(haut, points[k].y());
                bas = std::max(bas, points[k].y());
            }
            return haut >= dessus && bas <= dessous;
        }
    };

    // Whether the segment from a to b (its run `d`), its band and the
    // bevel after the segment of run `avant` (if any), lie within the rows
    // kept, without their normal: across, a band reaches the radius at
    // most, none for a level segment; up and down, |dx| r / length, weighed
    // squared.
    bool inked(const QPointF& a, const QPointF& b, const Course& d, const Course* avant, Fenetre& f)
    {
        const double rayon = radius_ * (1 + 1e-9) + kMarge;
        const double ecart = d.dy != 0 || (avant && avant->dy != 0) ? rayon : 0;
        const double gauche = std::min(a.x(), b.x()) - ecart, droite = std::max(a.x(), b.x()) + ecart;
        const int from = std::max(first_, plancher(gauche - 0.5) + 1);
        const int to = std::min(first_ + int(low_.size()) - 1, plancher(droite - 0.5));
        if (from > to)
            return true; // on no column's centre line
        const bool afresh = from != f.from || to != f.to;
        f.from = from;
        f.to = to;
        const auto tient = [&] {
            const double rayon2 = radius_ * radius_ * (1 + 1e-9);
            const double dessus = std::min(a.y(), b.y()) - f.dessus, dessous = f.dessous - std::max(a.y(), b.y());
            if (!(dessus >= 0 && dessous >= 0))
                return false;
            if (d.dx != 0) {
                const double portee = rayon2 * d.dx * d.dx;
                if (!(dessus * dessus * d.carre >= portee && dessous * dessous * d.carre >= portee))
                    return false;
            }
            if (avant && avant->dx != 0) {
                const double haut = a.y() - f.dessus, bas = f.dessous - a.y();
                const double portee = rayon2 * avant->dx * avant->dx;
                if (!(haut * haut * avant->carre >= portee && bas * bas * avant->carre >= portee))
                    return false;
            }
            return true;
        };
        if (afresh || (f.version != version_ && !tient())) {
            // Rows kept from before the last ink: take them afresh.
            f.dessus = -kNone;
            f.dessous = kNone;
            for (int c = f.from; c <= f.to; ++c) {
                f.dessus = std::max(f.dessus, dessus_[size_t(c - first_)]);
                f.dessous = std::min(f.dessous, dessous_[size_t(c - first_)]);
            }
            f.version = version_;
        }
        return tient();
    }

    // A point that lowers a column's low or raises its high, and the rows
    // within which nothing changes that column's rows again (see within()).
    void inkLow(size_t i, double y, bool sur = true)
    {
        if (y < low_[i]) {
            low_[i] = y;
            if (prune_) {
                ++version_;
                dessus_[i] = plancher(y - 0.5) + 0.5 + kMarge;
                surs_[i] = (surs_[i] & 2) | int(sur);
            }
        }
    }
    void inkHigh(size_t i, double y, bool sur = true)
    {
        if (y > high_[i]) {
            high_[i] = y;
            if (prune_) {
                ++version_;
                dessous_[i] = plancher(y - 0.5) + 1.5 - kMarge;
                surs_[i] = (surs_[i] & 1) | (int(sur) << 1);
            }
        }
    }

    // Whether a column's top row stays for a point at y: if y - 0.5 is no
    // less than its low's whole part; its bottom row, if y - 0.5 stays
    // below the next whole number after its high's. The margin keeps
    // clear of any rounding of an edge drawn between points of the rows
    // kept, and the rows from the first down are those where the tests
    // stroke() makes tell rows exactly: then a piece of stroke within
    // them changes no pixel, stroked or not.
    bool within(int from, int to, double haut, double bas) const
    {
        if (!prune_)
            return false;
        double dessus = -kNone, dessous = kNone;
        for (int c = from; c <= to; ++c) {
            dessus = std::max(dessus, dessus_[size_t(c - first_)]);
            dessous = std::min(dessous, dessous_[size_t(c - first_)]);
        }
        return haut >= dessus && bas <= dessous;
    }
    // The same for the edges between corners, in the columns whose centre
    // lines cross their box.
    bool within(const QPointF* coins, int n) const
    {
        double gauche = coins[0].x(), droite = gauche, haut = coins[0].y(), bas = haut;
        for (int k = 1; k < n; ++k) {
            gauche = std::min(gauche, coins[k].x());
            droite = std::max(droite, coins[k].x());
            haut = std::min(haut, coins[k].y());
            bas = std::max(bas, coins[k].y());
        }
        const int from = std::max(first_, plancher(gauche - 0.5) + 1);
        const int to = std::min(first_ + int(low_.size()) - 1, plancher(droite - 0.5));
        return from > to || within(from, to, haut, bas);
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
        clearColumns();
    }

    // The columns back as before any stretch.
    void clearColumns()
    {
        for (int c = touchedFrom_; c <= touchedTo_; ++c) {
            const size_t i = size_t(c - first_);
            low_[i] = kNone;
            high_[i] = -kNone;
            if (!thin_) {
                dessus_[i] = kNone;
                dessous_[i] = -kNone;
                surs_[i] = 3;
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
    // Rows within which within() tells (from the first row down) and its
    // margin, beyond any rounding of an edge there.
    static constexpr double kModere = 1 << 19;
    static constexpr double kMarge = 1e-7;
    static constexpr double kAmbigu = 1e-8;
    double radius_;
    bool thin_;
    int first_;
    std::vector<double> low_, high_;
    std::vector<double> dessus_, dessous_; // a wide pen's rows kept (see within())
    std::vector<unsigned char> surs_;      // low (1) and high (2) no further than their edge's ends
    bool prune_ = false;                   // pieces within the rows kept are left out
    unsigned version_ = 0;                 // counts the changes to the rows kept
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
