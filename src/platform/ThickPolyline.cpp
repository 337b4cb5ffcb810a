#include "platform/ThickPolyline.h"

#include "platform/DamageTiles.h"
#include "platform/PixelCoords.h"
#include "platform/PixelFill.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void unir(double& lo, double& hi, double a, double b)
{
    lo = std::min(lo, a);
    hi = std::max(hi, b);
}

} // namespace

bool clipSegment(QPointF& a, QPointF& b, const QRectF& frame)
{
    // Both ends inside, as nearly every segment of a figure: nothing to cut.
    const double gauche = frame.left(), droite = frame.right(), haut = frame.top(), bas = frame.bottom();
    if (a.x() >= gauche && a.x() <= droite && a.y() >= haut && a.y() <= bas && b.x() >= gauche && b.x() <= droite
        && b.y() >= haut && b.y() <= bas)
        return true;
    // Liang-Barsky: the parameters where the segment enters and leaves the
    // frame. Each cut end is measured from the end of the segment nearer to
    // it, and the coordinate of the side it is cut on is set exactly, so
    // that ends far apart (a value of 1e300) lose nothing to rounding.
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const double p[4] = {-dx, dx, -dy, dy};
    const double qa[4] = {a.x() - frame.left(), frame.right() - a.x(), a.y() - frame.top(), frame.bottom() - a.y()};
    const double qb[4] = {b.x() - frame.left(), frame.right() - b.x(), b.y() - frame.top(), frame.bottom() - b.y()};
    const double cote[4] = {frame.left(), frame.right(), frame.top(), frame.bottom()};
    double t0 = 0, t1 = 1;
    int k0 = -1, k1 = -1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (qa[k] < 0)
                return false;
            continue;
        }
        const double t = qa[k] / p[k];
        if (p[k] < 0 && t > t0) {
            t0 = t;
            k0 = k;
        } else if (p[k] > 0 && t < t1) {
            t1 = t;
            k1 = k;
        }
    }
    if (t0 > t1)
        return false;
    auto point = [&](double t, int k) {
        if (k < 0)
            return t <= 0 ? a : b;
        // 1 - t measured from b: (p - qa) / p = -qb / p.
        const double u = -qb[k] / p[k];
        QPointF r = std::abs(t) <= std::abs(u) ? a + t * QPointF(dx, dy) : b - u * QPointF(dx, dy);
        if (k <= 1)
            r.setX(cote[k]);
        else
            r.setY(cote[k]);
        return r;
    };
    const QPointF a1 = point(t0, k0), b1 = point(t1, k1);
    a = a1;
    b = b1;
    return true;
}

QRect strokeThickPolyline(QImage& picture, const QPolygonF& points, double width, QRgb colour,
                          DamageTiles* inked)
{
    QRect bounds;
    if (picture.format() != QImage::Format_RGB32 || points.isEmpty() || !(width > 0))
        return bounds;
    const int largeur = picture.width(), hauteur = picture.height();
    const double r = width / 2, r2 = r * r;
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    int gauche = largeur, droite = -1, haut = hauteur, bas = -1;

    struct Bande {
        int rang = -1, haut = 0, bas = -1, gauche = 0, droite = -1;
        void marquer(DamageTiles* tiles) const
        {
            if (rang >= 0 && droite >= gauche)
                tiles->mark(QRect(QPoint(gauche, haut), QPoint(droite, bas)));
        }
    } bande;
    auto ligne = [&](int j, double lo, double hi) {
        const int i0 = std::max(0, plafond(lo - 0.5));
        const int i1 = std::min(largeur - 1, plancher(hi - 0.5));
        if (i0 > i1)
            return;
        fillRow(reinterpret_cast<QRgb*>(bits + j * stride) + i0, i1 - i0 + 1, colour);
        if (inked) {
            // The tiles are marked once per band of tile rows. The segments
            // go up as well as down: a band grows either way.
            if ((j >> DamageTiles::kShift) != bande.rang) {
                bande.marquer(inked);
                bande = {j >> DamageTiles::kShift, j, j, i0, i1};
            } else {
                bande.haut = std::min(bande.haut, j);
                bande.bas = std::max(bande.bas, j);
                bande.gauche = std::min(bande.gauche, i0);
                bande.droite = std::max(bande.droite, i1);
            }
        }
        gauche = std::min(gauche, i0);
        droite = std::max(droite, i1);
        haut = std::min(haut, j);
        bas = std::max(bas, j);
    };
    // The segment's band and the discs at its ends, the disc at a only when
    // asked: the previous segment's end inked it already.
    auto capsule = [&](QPointF a, QPointF b, bool discA) {
        bool discB = true;
        if (a.y() > b.y()) {
            std::swap(a, b);
            std::swap(discA, discB);
        }
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double l2 = dx * dx + dy * dy;
        const double l = std::sqrt(l2);
        const int j0 = std::max(0, plafond(a.y() - r - 0.5));
        const int j1 = std::min(hauteur - 1, plancher(b.y() + r - 0.5));
        // Rows more than r from both ends meet only the segment's body: the
        // band around its line, between the normals at its ends.
        const double invDx = dx != 0 ? 1 / dx : 0, invDy = dy != 0 ? 1 / dy : 0;
        const double demiBande = dy != 0 ? r * l * std::abs(invDy) : 0;
        for (int j = j0; j <= j1; ++j) {
            const double yc = j + 0.5;
            const double ea = yc - a.y(), eb = yc - b.y();
            double lo = std::numeric_limits<double>::infinity(), hi = -lo;
            if (discA && ea * ea <= r2) {
                const double demi = std::sqrt(r2 - ea * ea);
                unir(lo, hi, a.x() - demi, a.x() + demi);
            }
            if (discB && eb * eb <= r2) {
                const double demi = std::sqrt(r2 - eb * eb);
                unir(lo, hi, b.x() - demi, b.x() + demi);
            }
            if (l2 > 0) {
                // The body's x interval on this row; empty as debut > fin.
                double debut = -std::numeric_limits<double>::infinity(), fin = -debut;
                if (dy != 0) {
                    const double centre = a.x() + ea * dx * invDy;
                    debut = centre - demiBande;
                    fin = centre + demiBande;
                } else if (std::abs(ea) > r) {
                    continue;
                }
                if (dx != 0) {
                    double x1 = a.x() - ea * dy * invDx, x2 = x1 + l2 * invDx;
                    if (x1 > x2)
                        std::swap(x1, x2);
                    debut = std::max(debut, x1);
                    fin = std::min(fin, x2);
                } else if (ea < 0 || ea > dy) {
                    fin = debut - 1; // beyond the ends: only their discs
                }
                if (debut <= fin)
                    unir(lo, hi, debut, fin);
            }
            if (lo <= hi)
                ligne(j, lo, hi);
        }
    };

    // Far outside the picture a segment is cut to what its rows and columns
    // can show, so that a huge value costs no more than the picture; a point
    // that is no number draws nothing.
    const double marge = r + 2;
    const QRectF cadre(-marge, -marge, largeur + 2 * marge, hauteur + 2 * marge);
    if (points.size() == 1 && cadre.contains(points[0]))
        capsule(points[0], points[0], true);
    // Each point's disc is inked once, by the segment it ends: a figure of
    // short segments is mostly discs. (Where that end was cut, the point
    // lies outside the frame and its disc shows nothing.)
    bool discEncre = false;
    for (qsizetype k = 1; k < points.size(); ++k) {
        QPointF a = points[k - 1], b = points[k];
        const bool dedans = clipSegment(a, b, cadre);
        if (dedans)
            capsule(a, b, !discEncre);
        discEncre = dedans;
    }
    if (inked)
        bande.marquer(inked);
    if (droite >= gauche)
        bounds = QRect(QPoint(gauche, haut), QPoint(droite, bas));
    return bounds;
}
