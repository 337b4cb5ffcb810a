#include "scope/FigureTrace.h"

#include "scope/Echelle.h"
#include "scope/OndeEcran.h"

#include "platform/VbConversions.h"
#include "platform/VectorState.h"
#include "services/Sensibilite.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The sine family's trace across the screen, a run of the wave's values in
// each device column, started so that it rises through the trigger level at
// the trace's left edge. None for a time base or a sensitivity that places
// nothing.
bool courbe(QPolygonF& points, const OndeEcran& onde, double niveauSeuil, double H, double baseTemps,
            double sensibilite, double frequence, double amplitude, double pixel)
{
    if (!(baseTemps > 0) || sensibilite == 0)
        return false;
    double r = amplitude != 0 ? niveauSeuil * sensibilite / 100 / amplitude : 0;
    r = std::clamp(r, -1.0, 1.0);
    const double t0 = frequence != 0 && std::isfinite(frequence) ? std::asin(r) / (2 * kPi * frequence) : 0;
    // The trace spans ten divisions from H − 500; only what the screen shows
    // is worked out.
    const double xa = std::max(H - 500, kEcranGauche), xb = std::min(H + 500, kEcranDroite);
    if (xa > xb)
        return true;
    const double k = baseTemps / 100; // seconds per screen unit
    AjouterColonnes(points, onde, xa, xb, pixel > 0 ? pixel : 1, t0 + (xa - H + 500) * k, k);
    return true;
}

// A square or a triangle as rise, high step, fall and low step, period after
// period across the screen; a band between its levels where its periods are
// too dense for the picture's pixels. None without a period.
bool trapeze(QPolygonF& points, double H, double position, double baseTemps, double sensibilite, double montee,
             double descente, double frequence, double amplitude, double fractionHaute, double decalage,
             double decalageAC, double pixel)
{
    if (!(frequence > 0) || !std::isfinite(frequence) || !(baseTemps > 0) || sensibilite == 0)
        return false;
    const double k = 100 / baseTemps; // screen units per second
    const double P = 1 / frequence;
    const double haut = amplitude * 100 / sensibilite;
    const double bas = -haut;
    const double s = position + (decalage - decalageAC) * 100 / sensibilite;

    // A period narrower than this many device pixels draws as a band: two
    // screen units on the panel's 399-pixel screen, the same pixels on a
    // larger picture, so that the full-screen view keeps the zigzag its
    // pixels can show.
    // The bound is taken a hair low, so that a period of exactly two units
    // on the panel stays a zigzag whatever the rounding of its pixel size.
    constexpr double kPeriodeBandePixels = 2 * 399.0 / 1005;
    const double seuil = pixel > 0 ? kPeriodeBandePixels * pixel * (1 - 1e-9) : 2;
    if (P * k < seuil) {
        // The band lies between the trace's two levels, given as edges a
        // little less than a device pixel apart, so that every pixel column
        // holds one and the band shows solid at any picture size.
        const double pas = pixel > 0 ? 0.95 * pixel : 0.5;
        const int n = int(std::ceil(1000 / pas));
        points.reserve(2 * n + 2);
        for (int i = 0; i <= n; ++i) {
            const double x = -500 + i * pas + H;
            const bool monte = i % 2 == 0;
            points << QPointF(x, (monte ? bas : haut) + s) << QPointF(x, (monte ? haut : bas) + s);
        }
        return true;
    }
    const double dMontee = std::max(0.0, montee) * k;
    const double dHaut = std::max(0.0, fractionHaute * P) * k;
    const double dDescente = std::max(0.0, descente) * k;
    const double dBas = std::max(0.0, P * k - dMontee - dHaut - dDescente);
    points.reserve(qsizetype(4 * (1000 / (P * k) + 2)));
    double x = -500;
    points << QPointF(x + H, bas + s);
    while (x < 500) {
        x += dMontee;
        points << QPointF(x + H, haut + s);
        x += dHaut;
        points << QPointF(x + H, haut + s);
        x += dDescente;
        points << QPointF(x + H, bas + s);
        x += dBas;
        points << QPointF(x + H, bas + s);
    }
    return true;
}

} // namespace

VoieTracee VoieTraceeDe(const EtatVoie& v, const NiveauxHarmoniques& niveaux)
{
    VoieTracee t;
    t.forme = FormeDuMot(v.TraceSignal);
    t.amplitude = v.TraceAmplitude;
    t.frequence = v.TraceFrequence;
    t.decalage = v.Decalage;
    t.rapport = v.RapportCyclique;
    t.branchee = v.Branchee();
    t.sensibilite = v.Sensibilite;
    t.position = v.PositionVerticale;
    t.couleur = v.CouleurTrace;
    t.style = v.StyleTrace;
    t.niveaux = niveaux;
    return t;
}

TraceVoie TraceRapide(const EtatTrace& etat, int voie, double pixel)
{
    clearUpperVectorState();
    TraceVoie trace;
    if (voie != 0 && voie != 1)
        return trace;
    const VoieTracee& v = etat.voies[size_t(voie)];
    const PanneauScope& p = etat.panneau;
    const double H = etat.H;
    trace.couleur = v.couleur;
    trace.style = v.style;
    if (p.modeAllume(ModeVoies::ADD)) {
        trace.genre = TraceVoie::Genre::Courbe;
        trace.points = PointsADD(etat, -500, 500, pixel);
        trace.colonnes = true;
        trace.couleur = etat.voies[0].couleur;
        return trace;
    }
    const auto ligne = [&](double y) {
        trace.genre = TraceVoie::Genre::Ligne;
        trace.ligne = QLineF(H - 500, y, H + 500, y);
        return trace;
    };
    if (p.couplageAllume(voie, Couplage::GND))
        return ligne(v.position);

    // The inverted channel is the whole signal negated, offset included.
    const double signe = voie == 1 && p.inverseAllume() ? -1 : 1;
    const double amplitude = signe * v.amplitude;
    const double decalage = signe * (v.branchee ? v.decalage : 0);
    const double f = v.frequence;
    // AC coupling blocks the waveform's DC level: a DC source draws flat on
    // the position, any other wave about it.
    const double continu = ContinuBloque(p, voie, v.niveaux, v.forme, amplitude, v.rapport, decalage);
    bool dessine = false;
    switch (v.forme) {
    case FormeOnde::Continu: return ligne((amplitude - continu) * 100 / v.sensibilite + v.position);
    case FormeOnde::Sinus:
    case FormeOnde::Harmo:
    case FormeOnde::Dyn:
        dessine = courbe(trace.points, OndeEcran(etat, voie), etat.niveauSeuil, H, etat.baseTemps, v.sensibilite, f,
                         amplitude, pixel);
        break;
    case FormeOnde::Carre:
        dessine = trapeze(trace.points, H, v.position, etat.baseTemps, v.sensibilite, 0, 0, f, amplitude, v.rapport,
                          decalage, continu, pixel);
        break;
    case FormeOnde::Triangle: {
        // No rise or fall at 0 Hz: nothing is drawn then.
        const double montee = f > 0 ? v.rapport / f : 0;
        const double descente = f > 0 ? 1 / f - montee : 0;
        dessine = trapeze(trace.points, H, v.position, etat.baseTemps, v.sensibilite, montee, descente, f,
                          amplitude, 0, decalage, continu, pixel);
        break;
    }
    case FormeOnde::Aucune: break;
    }
    if (dessine) {
        trace.genre = TraceVoie::Genre::Courbe;
        trace.colonnes = true;
    }
    return trace;
}

QList<QPolygonF> PointsSpot(const EtatTrace& etat, int voie, double pixel, double x0, double x1, double xR,
                            double xL)
{
    clearUpperVectorState();
    const OndeEcran onde(etat, voie);
    const double k = etat.baseTemps / 100; // seconds per screen unit
    const auto course = [&](double a, double b) {
        QPolygonF points;
        AjouterColonnes(points, onde, a, b, pixel > 0 ? pixel : 1, (a + 500) * k, k);
        return points;
    };
    if (x0 <= x1)
        return {course(x0, x1)};
    return {course(x0, xR), course(xL, x1)};
}

namespace {

// The ADD sum of two deflections and the positions, with what it takes over
// a stretch of time. Two waves of one period make one wave of that period,
// whose extremes a table of its period gives (an inverted copy cancels
// exactly, however fast); over a stretch short beside both waves, the sum is
// read where either turns or breaks; where either runs through a whole
// period of its top harmonic, the beam sweeps the one's band moved by the
// other.
class SommeADD {
public:
    SommeADD(const EtatTrace& etat) : a_(etat, 0, false), b_(etat, 1, false)
    {
        y0_ = etat.voies[0].position + etat.voies[1].position;
        fUtile_ = std::max(a_.frequenceUtile(), b_.frequenceUtile());
        const double fa = a_.frequence(), fb = b_.frequence();
        if (!a_.plat() && !b_.plat() && std::abs(fa - fb) <= 1e-12 * std::max(fa, fb)) {
            const int n = std::max(256, 64 * int(std::ceil(fUtile_ / fa)));
            std::vector<double> v(static_cast<size_t>(n));
            std::vector<double> w(static_cast<size_t>(n));
            a_.valeurs(0, 1 / (fa * n), n, v.data());
            b_.valeurs(0, 1 / (fa * n), n, w.data());
            for (size_t i = 0; i < v.size(); ++i)
                v[i] += w[i];
            table_ = TablePeriode(std::move(v));
            f_ = fa;
        }
    }

    double operator()(double t) const { return a_(t) + b_(t) + y0_; }
    void valeurs(double t0, double dt, int n, double* out) const
    {
        tampon_.resize(size_t(n));
        a_.valeurs(t0, dt, n, out);
        b_.valeurs(t0, dt, n, tampon_.data());
        for (int i = 0; i < n; ++i)
            out[i] += tampon_[size_t(i)] + y0_;
    }
    Etendue etendue(double t0, double t1, double v0, double v1) const
    {
        Etendue e{v0, std::min(v0, v1), std::max(v0, v1), v1};
        const auto tenir = [&](double y) {
            e.bas = std::min(e.bas, y);
            e.haut = std::max(e.haut, y);
        };
        if (a_.plat() || b_.plat()) {
            const OndeEcran& plate = a_.plat() ? a_ : b_;
            const OndeEcran& autre = a_.plat() ? b_ : a_;
            double bas = std::numeric_limits<double>::infinity(), haut = -bas;
            autre.interieur(t0, t1, bas, haut);
            const double c = plate(t0) + y0_;
            if (bas <= haut) {
                tenir(bas + c);
                tenir(haut + c);
            }
            return e;
        }
        if ((t1 - t0) * fUtile_ < 1) {
            constexpr int kInstants = 64;
            if (a_.sommeAuxInstants(b_, y0_, t0, t1, kInstants, e.bas, e.haut)
                && b_.sommeAuxInstants(a_, y0_, t0, t1, kInstants, e.bas, e.haut))
                return e;
        }
        if (!table_.vide()) {
            table_.interieur(t0 * f_, t1 * f_, e.bas, e.haut);
            if ((t1 - t0) * f_ >= 1) {
                tenir(table_.minimum() + y0_);
                tenir(table_.maximum() + y0_);
            }
            return e;
        }
        const Etendue ea = a_.etendue(t0, t1), eb = b_.etendue(t0, t1);
        tenir(ea.bas + eb.bas + y0_);
        tenir(ea.haut + eb.haut + y0_);
        return e;
    }

private:
    OndeEcran a_, b_;
    double y0_ = 0;
    double fUtile_ = 0;
    TablePeriode table_; // the sum's period, without the positions
    double f_ = 0;
    mutable std::vector<double> tampon_;
};

} // namespace

QPolygonF PointsADD(const EtatTrace& etat, double debut, double fin, double pixel)
{
    clearUpperVectorState();
    QPolygonF points;
    const double H = etat.H;
    const double xa = std::max(H + debut, kEcranGauche), xb = std::min(H + fin, kEcranDroite);
    if (!(etat.baseTemps > 0) || !(xa <= xb))
        return points;
    const double k = etat.baseTemps / 100; // seconds per screen unit
    AjouterColonnes(points, SommeADD(etat), xa, xb, pixel > 0 ? pixel : 1, (xa - H + 500) * k, k);
    return points;
}

namespace {

// The XY figure's band where one channel runs through many periods between
// two of its points: the other channel's device columns (CH1 slow) or rows
// (CH2 slow) it passes, each holding the least and greatest value the fast
// one takes while the slow one is there.
FigureXY bandeXY(const OndeEcran& lente, const OndeEcran& rapide, bool lenteEnX, double positionLente,
                 double positionRapide, const double* temps, const double* lentes, int n, double pixel)
{
    FigureXY figure;
    figure.genre = lenteEnX ? FigureXY::Genre::BandeColonnes : FigureXY::Genre::BandeLignes;
    // The grid of the picture across the slow channel's axis.
    const double debut = lenteEnX ? kEcranGauche : kEcranBas;
    const double fin = lenteEnX ? kEcranDroite : kEcranHaut;
    const int cellules = std::clamp(int(std::ceil((fin - debut) / pixel)), 1, 16384);
    pixel = (fin - debut) / cellules;
    std::vector<double> bas(size_t(cellules), std::numeric_limits<double>::infinity());
    std::vector<double> haut(size_t(cellules), -std::numeric_limits<double>::infinity());
    const auto cellule = [&](double y) { return std::floor((y + positionLente - debut) / pixel); };
    const auto marquer = [&](double c, double lo, double hi) {
        if (!(c >= 0 && c < cellules))
            return;
        bas[size_t(c)] = std::min(bas[size_t(c)], lo);
        haut[size_t(c)] = std::max(haut[size_t(c)], hi);
    };
    for (int i = 0; i + 1 < n; ++i) {
        const Etendue e = rapide.etendue(temps[i], temps[i + 1]);
        const double c0 = cellule(lentes[i]), c1 = cellule(lentes[i + 1]);
        if (lente.sauts() && std::abs(c1 - c0) > 2) {
            // The slow channel leaps: the beam is at either end, never
            // between.
            marquer(c0, e.bas, e.haut);
            marquer(c1, e.bas, e.haut);
            continue;
        }
        for (double c = std::max(std::min(c0, c1), -1.0); c <= std::min(std::max(c0, c1), double(cellules)); ++c)
            marquer(c, e.bas, e.haut);
    }
    // Runs cell after cell, a new piece where the beam never passed.
    QPolygonF piece;
    bool montant = true;
    const auto point = [&](double a, double b) {
        piece << (lenteEnX ? QPointF(a, b) : QPointF(b, a));
    };
    for (int c = 0; c < cellules; ++c) {
        if (!(bas[size_t(c)] <= haut[size_t(c)])) {
            if (!piece.isEmpty())
                figure.pieces << piece;
            piece.clear();
            continue;
        }
        const double milieu = debut + (c + 0.5) * pixel;
        const double lo = bas[size_t(c)] + positionRapide, hi = haut[size_t(c)] + positionRapide;
        point(milieu, montant ? lo : hi);
        if (hi != lo)
            point(milieu, montant ? hi : lo);
        montant = !montant;
    }
    if (!piece.isEmpty())
        figure.pieces << piece;
    return figure;
}

} // namespace

FigureXY FigureXYDe(const EtatTrace& etat, double debut, double pixelX, double pixelY)
{
    clearUpperVectorState();
    const OndeEcran a(etat, 0, false), b(etat, 1, false);
    // The lower frequency gets 250 points a period, and a figure never spans
    // less than 0.04 s.
    double s = 500 * std::min(etat.voies[0].frequence, etat.voies[1].frequence);
    if (!(s >= 50000))
        s = 50000;
    const double xA = etat.voies[0].position, yB = etat.voies[1].position;
    constexpr int kPas = 1000;
    const double dt = 2 / s;
    // Periods of each channel's top harmonic between two points.
    const double ra = a.frequenceUtile() * dt, rb = b.frequenceUtile() * dt;
    constexpr double kBande = 2;
    // (A frequency past any a generator reaches gives no number of periods:
    // a band too.)
    if (std::isnan(ra) || std::isnan(rb) || std::max(ra, rb) > kBande) {
        // One channel far faster than the other: the beam sweeps a band.
        const bool aLent = ra <= rb;
        const OndeEcran& lente = aLent ? a : b;
        std::vector<double> temps(kPas + 1), lentes(kPas + 1);
        for (int i = 0; i <= kPas; ++i)
            temps[size_t(i)] = debut / s + i * dt;
        lente.valeurs(temps[0], dt, kPas + 1, lentes.data());
        return bandeXY(lente, aLent ? b : a, aLent, aLent ? xA : yB, aLent ? yB : xA, temps.data(), lentes.data(),
                       kPas + 1, aLent ? (pixelX > 0 ? pixelX : 1) : (pixelY > 0 ? pixelY : 1));
    }
    // Otherwise a curve, with sixteen points a period of the faster top
    // harmonic at least.
    const int m = std::max(1, int(std::ceil(std::max(ra, rb) * 16)));
    const int n = kPas * m + 1;
    // In buffers kept from one figure to the next: the animation makes one
    // of up to 32 001 points a tick.
    static thread_local std::vector<double> x, y;
    static thread_local QPolygonF points;
    x.resize(size_t(n));
    y.resize(size_t(n));
    a.valeurs(debut / s, dt / m, n, x.data());
    b.valeurs(debut / s, dt / m, n, y.data());
    points.resize(n);
    QPointF* p = points.data();
    for (int i = 0; i < n; ++i)
        p[i] = QPointF(xA + x[size_t(i)], yB + y[size_t(i)]);
    FigureXY figure;
    figure.pieces << points;
    return figure;
}

QPolygonF CourbeAllegee(const QPolygonF& points, double pixelX, double pixelY, double ecart)
{
    const qsizetype n = points.size();
    if (n < 3 || !(pixelX > 0) || !(pixelY > 0) || !(ecart > 0))
        return points;
    // In device pixels. The directions from the point kept whose line passes
    // within `ecart` of every point since lie in a cone, from `droite` turning
    // left to `gauche` (less than a half turn): each point farther than
    // `ecart` narrows it to the directions that pass within `ecart` of it.
    // While one point alone does, it is asked directly (a curve whose every
    // point counts, a sine of a few pixels a point, takes no root).
    const double sx = 1 / pixelX, sy = 1 / pixelY, e2 = ecart * ecart;
    const auto croix = [](double ax, double ay, double bx, double by) { return ax * by - ay * bx; };
    QPolygonF out;
    out.reserve(n);
    const QPointF* p = points.constData();
    qsizetype garde = 0; // the point kept last
    double ax = p[0].x() * sx, ay = p[0].y() * sy;
    int loins = 0;     // points since farther than `ecart`: 0, 1 or more
    bool vide = false; // no direction left
    double unX = 0, unY = 0; // the first of them
    double drX = 0, drY = 0, gaX = 0, gaY = 0;
    double loin2 = 0; // the farthest point since, squared
    const auto dedans = [&](double cx, double cy) {
        return croix(drX, drY, cx, cy) >= 0 && croix(cx, cy, gaX, gaY) >= 0;
    };
    // The directions that pass within `ecart` of (dx, dy), l2 its square
    // length: its own turned either way by the angle whose sine is ecart / l
    // (as vectors l times as long: only their directions are asked).
    const auto cone = [&](double dx, double dy, double l2, double& rX, double& rY, double& gX, double& gY) {
        const double c = std::sqrt(l2 - e2), s = ecart;
        rX = dx * c + dy * s, rY = dy * c - dx * s;
        gX = dx * c - dy * s, gY = dy * c + dx * s;
    };
    out << p[0];
    for (qsizetype j = 1; j < n; ++j) {
        double dx = p[j].x() * sx - ax, dy = p[j].y() * sy - ay;
        double l2 = dx * dx + dy * dy;
        if (!std::isfinite(l2))
            return points; // no number: the curve as it is
        // Point j ends a segment from the point kept if the points between
        // lie along it, within reach; otherwise the point before is kept.
        if (j > garde + 1) {
            const double x = croix(unX, unY, dx, dy);
            const bool horsDuCone = loins == 1 ? x * x > e2 * l2 || unX * dx + unY * dy <= 0
                                               : loins > 1 && !dedans(dx, dy);
            if (vide || l2 < loin2 || horsDuCone) {
                garde = j - 1;
                out << p[garde];
                ax = p[garde].x() * sx;
                ay = p[garde].y() * sy;
                dx = p[j].x() * sx - ax;
                dy = p[j].y() * sy - ay;
                l2 = dx * dx + dy * dy;
                loins = 0;
                vide = false;
                loin2 = 0;
            }
        }
        loin2 = std::max(loin2, l2);
        if (l2 <= e2 || vide)
            continue;
        if (loins == 0) {
            unX = dx, unY = dy;
            loins = 1;
            continue;
        }
        double rX, rY, gX, gY;
        cone(dx, dy, l2, rX, rY, gX, gY);
        if (loins == 1) {
            cone(unX, unY, unX * unX + unY * unY, drX, drY, gaX, gaY);
            loins = 2;
        }
        // What is left lies in both cones, or nothing does.
        const bool rDedans = dedans(rX, rY), gDedans = dedans(gX, gY);
        const double nrX = rDedans ? rX : drX, nrY = rDedans ? rY : drY;
        const double ngX = gDedans ? gX : gaX, ngY = gDedans ? gY : gaY;
        const auto dansLeSien = [&](double cx, double cy) {
            return croix(rX, rY, cx, cy) >= 0 && croix(cx, cy, gX, gY) >= 0;
        };
        if (!dansLeSien(nrX, nrY) || !dansLeSien(ngX, ngY) || croix(nrX, nrY, ngX, ngY) < 0) {
            vide = true;
            continue;
        }
        drX = nrX, drY = nrY, gaX = ngX, gaY = ngY;
    }
    if (garde != n - 1)
        out << p[n - 1];
    return out;
}

LectureEcran Lecture(const PanneauScope& p, double baseTemps, const std::array<QString, 6>& legendes)
{
    LectureEcran lecture;
    const auto ajouter = [&lecture](double colonne, double ligne, const QString& texte) {
        lecture.textes[size_t(lecture.nombre++)] = {colonne, ligne, texte};
    };
    // Off, with no mode lamp lit, the caption after XY's: "-CH2".
    const std::optional<ModeVoies> mode = p.modeAllume();
    constexpr double kBas = -400, kHaut = -370;
    ajouter(-500, kBas, legendes[size_t(mode ? int(*mode) : 5)]);
    for (int voie = 0; voie < 2; ++voie) {
        const double colonne = -400 + 100 * voie;
        ajouter(colonne, kBas, voie == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2"));
        const QString texte = TextesSensibilites().value(p.sensibilite[size_t(voie)]);
        if (!texte.isEmpty())
            ajouter(colonne, kHaut, texte.left(texte.size() - 4));
    }
    const QString base = TextesBasesTemps().value(p.baseTemps);
    if (base.isEmpty())
        return lecture;
    if (p.fft) {
        const double f = 1 / baseTemps;
        ajouter(-200, kHaut,
                f <= 1000 ? Str(roundHalfEvenToInt32(f).value_or(0)) + QStringLiteral(" Hz")
                          : Str(roundHalfEvenToInt32(f / 1000).value_or(0)) + QStringLiteral(" kHz"));
    } else {
        ajouter(-200, kHaut, base.left(base.size() - 4));
    }
    return lecture;
}
