#pragma once

#include "scope/EtatTrace.h"
#include "scope/Echelle.h"
#include "services/Ondes.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

// A channel's wave as the beam draws it, in screen units, and the values it
// takes over any stretch of time: a period shorter than the stretch gives
// the whole band between the wave's extremes, a longer one the curve's own
// values, with its true peaks. Every picture of the scope (the traces, the
// spot, the ADD sum, the XY figure, the printout and the copies) takes its
// values from here, so that none of them shows a wave slower than the one
// the input carries.

// What a wave does over a stretch of time: its values at the two ends and
// the least and greatest value it takes in between, ends included.
struct Etendue {
    double debut = 0;
    double bas = 0;
    double haut = 0;
    double fin = 0;
};

// One period of a wave sampled finely, its value anywhere within a period
// read between two samples, and the extremes of the samples of any stretch
// found without reading them all.
class TablePeriode {
public:
    TablePeriode() = default;
    // The period's samples at phases 0, 1/n, 2/n, ... of a cycle.
    explicit TablePeriode(std::vector<double> echantillons);

    bool vide() const { return v_.empty(); }
    int taille() const { return int(v_.size()); }
    // The value at a phase in cycles (any real number: whole cycles drop).
    double valeur(double cycles) const;
    // Where valeur() reads a finite phase: the sample at or before it, and
    // how far past that sample (0 to 1, in samples).
    void position(double cycles, size_t& echantillon, double& reste) const;
    // The values at the phases u0, u0 + pas, ... (cycles, n of them, pas
    // at least 0, u0 and the last phase finite), each times `gain` plus
    // `base`: the place in the table moved on by the same whole samples
    // and fraction of one from value to value, not worked out again.
    void suite(double u0, double pas, int n, double gain, double base, double* out) const;
    // Sample i, and the value `reste` of the way from it to the next.
    double entre(size_t i, double reste) const
    {
        const size_t j = i + 1 < v_.size() ? i + 1 : 0;
        return v_[i] + reste * (v_[j] - v_[i]);
    }
    // A place in the table moved on by the same whole samples and fraction
    // of one at each step (`echantillons`, at least 0), from the phase
    // partir() gives: values at equally spaced phases without working each
    // phase out again.
    class Pas {
    public:
        Pas(const TablePeriode& table, double echantillons) : table_(&table), n_(table.v_.size())
        {
            const double entier = std::floor(echantillons);
            fraction_ = echantillons - entier;
            saut_ = size_t(std::fmod(entier, double(n_)));
        }
        void partir(double cycles) { table_->position(cycles, i_, reste_); }
        double valeur() const { return table_->entre(i_, reste_); }
        void avancer()
        {
            // A fraction carried over into a whole sample without a branch
            // the processor would guess wrong half the time.
            reste_ += fraction_;
            const bool retenue = reste_ >= 1;
            reste_ -= retenue ? 1.0 : 0.0;
            i_ += saut_ + size_t(retenue);
            if (i_ >= n_)
                i_ -= n_;
        }

    private:
        const TablePeriode* table_;
        size_t n_;
        size_t saut_ = 0, i_ = 0;
        double fraction_ = 0, reste_ = 0;
    };
    // The least and greatest sample over a whole period.
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    // Widens [bas, haut] by the samples strictly between the phases u0 and
    // u1 (cycles, u0 <= u1 < u0 + 1).
    void interieur(double u0, double u1, double& bas, double& haut) const;
    // The samples strictly between the phases u0 and u1 (u0 <= u1 < u0 +
    // 1), given to `f` one by one as their phase (cycles, from u0 on) and
    // their value; at most `plafond` of them, false when there are more.
    template <class F>
    bool echantillons(double u0, double u1, int plafond, F f) const;

private:
    static constexpr int kBloc = 8;
    void plage(int i, int j, double& bas, double& haut) const; // samples i..j, 0 <= i <= j < n
    std::vector<double> v_;
    // Per level k, the extremes of 2^k blocks from each block on.
    std::vector<std::vector<double>> blocBas_, blocHaut_;
    double min_ = 0, max_ = 0;
};

template <class F>
bool TablePeriode::echantillons(double u0, double u1, int plafond, F f) const
{
    const double n = double(v_.size());
    const double base = std::floor(u0);
    const double a = (u0 - base) * n, b = (u1 - base) * n;
    const double premier = std::floor(a) + 1, dernier = std::ceil(b) - 1;
    if (dernier - premier + 1 > plafond)
        return false;
    // From u0's cycle on, into the next one at most (i below 2n).
    for (double i = premier; i <= dernier; ++i)
        f(base + i / n, v_[size_t(i < n ? i : i - n)]);
    return true;
}

inline double TablePeriode::valeur(double cycles) const
{
    if (v_.empty() || !std::isfinite(cycles))
        return 0;
    size_t a;
    double reste;
    position(cycles, a, reste);
    return entre(a, reste);
}

inline void TablePeriode::position(double cycles, size_t& echantillon, double& reste) const
{
    const double n = double(v_.size());
    // floor(cycles), and floor(x) of an x never below 0, as std::floor
    // gives them, in fewer steps.
    double tours = cycles;
    if (std::abs(cycles) < 4503599627370496.0) { // 2^52: below it, a fraction is possible
        tours = double(int64_t(cycles));
        if (tours > cycles)
            tours -= 1;
    }
    const double x = (cycles - tours) * n;
    double i = double(int64_t(x));
    reste = x - i;
    if (i >= n) // rounding just below a whole cycle
        i = 0;
    echantillon = size_t(i);
}

// sin(x), for x between -8 and 8 (every phase a wave takes) without a call
// to the library, whose cost on some machines depends on the state the
// processor's vector registers are left in: x less its nearest multiple of
// pi/2 (taken in three parts, so that nothing of x is lost), then the series
// of the sine or the cosine there, to the last bit or one below. Beyond,
// the library's.
inline double SinusRapide(double x)
{
    if (!(std::abs(x) <= 8)) // beyond, or no number: the library's
        return std::sin(x);
    constexpr double kDeuxSurPi = 0.63661977236758134308;
    constexpr double kPi2a = 1.5707963267341256e+00, kPi2b = 6.0771005065061922e-11,
                     kPi2c = 2.0222662487959506e-21;
    // The nearest whole number, halves to even, as the processor rounds a
    // sum: no call either.
    constexpr double kArrondi = 6755399441055744.0; // 1.5 x 2^52
    const double kq = (x * kDeuxSurPi + kArrondi) - kArrondi;
    const double r = ((x - kq * kPi2a) - kq * kPi2b) - kq * kPi2c;
    const double r2 = r * r;
    // Horner's way in r², from the highest term down.
    const auto serie = [r2](std::initializer_list<double> termes) {
        const double* c = std::data(termes);
        double somme = c[termes.size() - 1];
        for (size_t k = termes.size() - 1; k-- > 0;)
            somme = c[k] + r2 * somme;
        return somme;
    };
    const double s = r
        + r * r2
            * serie({-1.6666666666666666e-01, 8.3333333333333332e-03, -1.9841269841269841e-04, 2.7557319223985893e-06,
                     -2.5052108385441720e-08, 1.6059043836821613e-10, -7.6471637318198164e-13, 2.8114572543455206e-15});
    const double c = 1
        + r2
            * serie({-0.5, 4.1666666666666664e-02, -1.3888888888888889e-03, 2.4801587301587302e-05, -2.7557319223985888e-07,
                     2.0876756987868099e-09, -1.1470745597729725e-11, 4.7794773323873853e-14});
    switch (int(kq) & 3) {
    case 0: return s;
    case 1: return c;
    case 2: return -s;
    default: return -c;
    }
}

// A channel as its screen shows it: flat at its position in GND coupling or
// unplugged, the whole signal negated for CH2 while "-CH2" is lit, its DC
// level off in AC coupling. Times in seconds, values in screen units.
class OndeEcran {
public:
    // `avecPosition`: the channel's vertical position added (its trace), or
    // not (a deflection, as the XY figure and the ADD sum take it).
    OndeEcran(const EtatTrace& etat, int voie, bool avecPosition = true);

    // The waveform word is one the scope draws (a flat channel is).
    bool dessine() const { return dessine_; }
    // Nothing moves: a DC level, GND, no source, or no period.
    bool plat() const { return genre_ == Genre::Plat; }
    // The wave leaps between levels (a square, a triangle without rise or
    // fall): the beam spends no time between them.
    bool sauts() const { return sauts_; }
    // Its period's frequency, 0 when flat.
    double frequence() const { return plat() ? 0 : f_; }
    // The highest frequency it carries (its top harmonic), 0 when flat: a
    // stretch of time shorter than a tenth of that period is nearly straight.
    double frequenceUtile() const { return plat() ? 0 : f_ * harmoniqueHaute_; }

    double operator()(double t) const { return gain_ * volts(t) + base_; }
    // The values at t0, t0 + dt, ... (n of them).
    void valeurs(double t0, double dt, int n, double* out) const;
    // Widens [bas, haut] by what the wave reaches strictly between t0 and t1.
    void interieur(double t0, double t1, double& bas, double& haut) const;
    // The stretch [t0, t1] whole, its ends given.
    Etendue etendue(double t0, double t1, double v0, double v1) const;
    Etendue etendue(double t0, double t1) const { return etendue(t0, t1, (*this)(t0), (*this)(t1)); }
    // The instants strictly between t0 and t1 where the wave turns or breaks
    // (its peaks, its corners, its table's samples), given to `f` with the
    // wave's value there; false, having given none, when there are more
    // than `plafond`.
    template <class F>
    bool instants(double t0, double t1, int plafond, F f) const;
    // Widens [bas, haut] by this wave plus `autre` plus `decale` at this
    // one's instants strictly between t0 and t1; false, having widened
    // nothing, when there are more than `plafond`. Two tables are read in
    // place: the ADD sum takes tens of instants a column.
    bool sommeAuxInstants(const OndeEcran& autre, double decale, double t0, double t1, int plafond, double& bas,
                          double& haut) const;

private:
    enum class Genre { Plat, Sinus, Trapeze, Table };
    double volts(double t) const;
    // A trapeze's volts less its offset at the phase u (cycles, 0 to 1).
    double trapeze(double u) const
    {
        if (u < c1_)
            return -A_ + 2 * A_ * u / c1_;
        if (u < c2_)
            return A_;
        if (u < c3_)
            return A_ - 2 * A_ * (u - c2_) / (c3_ - c2_);
        return -A_;
    }
    // Whole cycles dropped: the phase of t in [0, 1).
    double cycle(double t) const
    {
        const double u = t * f_;
        return u - std::floor(u);
    }

    Genre genre_ = Genre::Plat;
    bool dessine_ = true;
    bool sauts_ = false;
    double f_ = 0;
    double harmoniqueHaute_ = 1;
    double A_ = 0, decalage_ = 0;
    double niveau_ = 0; // a flat wave's volts
    // Trapeze: phases (cycles) of its corners: the rise starts at 0 and ends
    // at c1, the fall runs from c2 to c3.
    double c1_ = 0, c2_ = 0, c3_ = 0;
    std::shared_ptr<const TablePeriode> table_;
    double gain_ = 0, base_ = 0; // screen units = gain × volts + base
};

inline double OndeEcran::volts(double t) const
{
    switch (genre_) {
    case Genre::Plat: return niveau_;
    case Genre::Sinus: return A_ * SinusRapide(2 * kPi * cycle(t)) + decalage_;
    case Genre::Trapeze: return trapeze(cycle(t)) + decalage_;
    case Genre::Table: return table_->valeur(t * f_);
    }
    return 0;
}

template <class F>
bool OndeEcran::instants(double t0, double t1, int plafond, F f) const
{
    if (!(t1 > t0))
        return true;
    switch (genre_) {
    case Genre::Plat: return true;
    case Genre::Table: {
        const double u0 = t0 * f_, u1 = t1 * f_;
        if (u1 - u0 >= 1)
            return false;
        return table_->echantillons(u0, u1, plafond, [&](double u, double v) { f(u / f_, gain_ * v + base_); });
    }
    case Genre::Sinus:
    case Genre::Trapeze: {
        const double u0 = t0 * f_, u1 = t1 * f_;
        if (u1 - u0 >= 1)
            return false;
        // A sine turns at a quarter and three quarters of its period; a
        // trapeze breaks at its four corners.
        const double base = std::floor(u0);
        const double sommets[] = {0.25, 0.75};
        const double coins[] = {0, c1_, c2_, c3_};
        const double* phases = genre_ == Genre::Sinus ? sommets : coins;
        const int n = genre_ == Genre::Sinus ? 2 : 4;
        double trouves[8];
        int nombre = 0;
        for (int tour = 0; tour < 2; ++tour)
            for (int k = 0; k < n; ++k) {
                const double u = base + tour + phases[k];
                if (u > u0 && u < u1)
                    trouves[nombre++] = u;
            }
        if (nombre > plafond)
            return false;
        for (int k = 0; k < nombre; ++k) {
            const double t = trouves[k] / f_;
            f(t, (*this)(t));
        }
        return true;
    }
    }
    return true;
}

// The stretches of a wave over the device columns that the screen
// abscissas [xa, xb] cross, as a trace whose x never goes back: in each
// column a run from the least to the greatest value the wave takes over the
// column's time, in the order the wave goes, joined to the next column's.
// Columns are `pixel` screen units wide from the screen's left edge; the
// time at an abscissa x is t0 + (x − xa) × k. `onde` has valeurs(),
// etendue() as OndeEcran has; `decale` is added to every abscissa.
template <class Onde>
void AjouterColonnes(QPolygonF& out, const Onde& onde, double xa, double xb, double pixel, double t0, double k,
                     double decale = 0);

template <class Onde>
void AjouterColonnes(QPolygonF& out, const Onde& onde, double xa, double xb, double pixel, double t0, double k,
                     double decale)
{
    if (!(xb >= xa) || !std::isfinite(xa) || !std::isfinite(xb) || !(pixel > 0))
        return;
    // No picture has more columns than this across a stretch; a finer grid
    // would only cost time.
    constexpr double kColonnesMax = 16384;
    pixel = std::max(pixel, (xb - xa) / kColonnesMax);
    const auto temps = [&](double x) { return t0 + (x - xa) * k; };
    const auto ajouter = [&out](double x, double y) { out << QPointF(x, y); };
    if (xb == xa) {
        ajouter(xa + decale, onde(temps(xa)));
        return;
    }
    // The column edges strictly inside (xa, xb), on the grid from the
    // screen's left edge.
    const double premier = std::floor((xa - kEcranGauche) / pixel) + 1;
    const double dernier = std::ceil((xb - kEcranGauche) / pixel) - 1;
    const int interieurs = std::max(0, int(dernier - premier + 1));
    std::vector<double> bords(size_t(interieurs) + 2), valeurs(size_t(interieurs) + 2);
    bords.front() = xa;
    bords.back() = xb;
    for (int i = 0; i < interieurs; ++i)
        bords[size_t(i) + 1] = kEcranGauche + (premier + i) * pixel;
    valeurs.front() = onde(temps(xa));
    valeurs.back() = onde(temps(xb));
    if (interieurs > 0)
        onde.valeurs(temps(bords[1]), pixel * k, interieurs, valeurs.data() + 1);
    out.reserve(out.size() + 2 * (qsizetype(interieurs) + 1));
    for (size_t i = 0; i + 1 < bords.size(); ++i) {
        const Etendue e = onde.etendue(temps(bords[i]), temps(bords[i + 1]), valeurs[i], valeurs[i + 1]);
        const double x = (bords[i] + bords[i + 1]) / 2 + decale;
        if (e.bas == e.haut) {
            ajouter(x, e.bas);
        } else if (e.fin >= e.debut) {
            ajouter(x, e.bas);
            ajouter(x, e.haut);
        } else {
            ajouter(x, e.haut);
            ajouter(x, e.bas);
        }
    }
}
