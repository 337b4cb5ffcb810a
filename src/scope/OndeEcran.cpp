#include "scope/OndeEcran.h"

#include "scope/Signaux.h"
#include "services/Ondes.h"

#include <limits>

TablePeriode::TablePeriode(std::vector<double> echantillons) : v_(std::move(echantillons))
{
    if (v_.empty())
        return;
    const int n = int(v_.size());
    const int blocs = (n + kBloc - 1) / kBloc;
    blocBas_.emplace_back(size_t(blocs));
    blocHaut_.emplace_back(size_t(blocs));
    for (int b = 0; b < blocs; ++b) {
        const auto debut = v_.begin() + b * kBloc;
        const auto fin = v_.begin() + std::min(n, (b + 1) * kBloc);
        const auto [bas, haut] = std::minmax_element(debut, fin);
        blocBas_[0][size_t(b)] = *bas;
        blocHaut_[0][size_t(b)] = *haut;
    }
    for (int largeur = 2; largeur <= blocs; largeur *= 2) {
        const std::vector<double>& bas = blocBas_.back();
        const std::vector<double>& haut = blocHaut_.back();
        const int moitie = largeur / 2;
        std::vector<double> b2(size_t(blocs - largeur + 1)), h2(size_t(blocs - largeur + 1));
        for (size_t b = 0; b < b2.size(); ++b) {
            b2[b] = std::min(bas[b], bas[b + size_t(moitie)]);
            h2[b] = std::max(haut[b], haut[b + size_t(moitie)]);
        }
        blocBas_.push_back(std::move(b2));
        blocHaut_.push_back(std::move(h2));
    }
    min_ = *std::min_element(blocBas_[0].begin(), blocBas_[0].end());
    max_ = *std::max_element(blocHaut_[0].begin(), blocHaut_[0].end());
}

void TablePeriode::plage(int i, int j, double& bas, double& haut) const
{
    const auto lire = [&](int a, int b) {
        for (int k = a; k <= b; ++k) {
            bas = std::min(bas, v_[size_t(k)]);
            haut = std::max(haut, v_[size_t(k)]);
        }
    };
    const int bi = (i + kBloc - 1) / kBloc; // the first whole block
    const int bj = (j + 1) / kBloc - 1;     // the last whole block
    if (bj < bi) {
        lire(i, j);
        return;
    }
    lire(i, bi * kBloc - 1);
    lire((bj + 1) * kBloc, j);
    // Two stretches of 2^k blocks that together cover the whole blocks.
    int niveau = 0;
    while ((2 << niveau) <= bj - bi + 1)
        ++niveau;
    const int autre = bj - (1 << niveau) + 1;
    bas = std::min({bas, blocBas_[size_t(niveau)][size_t(bi)], blocBas_[size_t(niveau)][size_t(autre)]});
    haut = std::max({haut, blocHaut_[size_t(niveau)][size_t(bi)], blocHaut_[size_t(niveau)][size_t(autre)]});
}

void TablePeriode::interieur(double u0, double u1, double& bas, double& haut) const
{
    if (v_.empty() || !(u1 > u0) || !std::isfinite(u0) || !std::isfinite(u1))
        return;
    const int n = int(v_.size());
    const double base = std::floor(u0);
    const double premier = std::floor((u0 - base) * n) + 1;
    const double dernier = std::ceil((u1 - base) * n) - 1;
    if (dernier < premier)
        return;
    if (dernier - premier + 1 >= n) {
        bas = std::min(bas, min_);
        haut = std::max(haut, max_);
        return;
    }
    const int i = int(premier), j = int(dernier); // 1 <= i, j < 2n
    if (i >= n) {
        plage(i - n, j - n, bas, haut);
    } else if (j < n) {
        plage(i, j, bas, haut);
    } else {
        plage(i, n - 1, bas, haut);
        plage(0, j - n, bas, haut);
    }
}

void TablePeriode::suite(double u0, double pas, int n, double gain, double base, double* out) const
{
    if (v_.empty()) {
        std::fill(out, out + std::max(n, 0), base);
        return;
    }
    Pas p(*this, pas * double(v_.size()));
    p.partir(u0);
    for (int k = 0; k < n; ++k) {
        out[k] = gain * p.valeur() + base;
        p.avancer();
    }
}

namespace {

// Past this many cycles (2^40) the phase of an instant keeps no fraction of
// a sample worth stepping: each value is worked out on its own.
constexpr double kPhaseSure = 1099511627776.0;

} // namespace

namespace {

// One period of a sum of sines, n samples: a constant, then for each term
// its harmonic rank, amplitude and phase (radians). Each term's angle is
// turned on by the same step from sample to sample.
struct Terme {
    int rang;
    double amplitude;
    double phase;
};

std::vector<double> periodeDeSinus(int n, double constante, const std::vector<Terme>& termes)
{
    std::vector<double> v(size_t(n), constante);
    for (const Terme& t : termes) {
        const double pas = 2 * kPi * t.rang / n;
        const double pasSin = std::sin(pas), pasCos = std::cos(pas);
        double s = std::sin(t.phase), c = std::cos(t.phase);
        for (int k = 0; k < n; ++k) {
            v[size_t(k)] += t.amplitude * s;
            const double suivant = s * pasCos + c * pasSin;
            c = c * pasCos - s * pasSin;
            s = suivant;
        }
    }
    return v;
}

// Samples a period needs so that a term of rank r, read between two of
// them, misses its peak by less than a thousandth of its amplitude.
constexpr int kEchantillonsParRang = 64;

// The table of a sum of sines, made once for as long as it is asked for
// again: every refresh, every tick of the XY figure and the ADD sum ask
// for the same tables while the generators' settings stay.
std::shared_ptr<const TablePeriode> tableDeSinus(int n, double constante, const std::vector<Terme>& termes)
{
    struct Faite {
        int n;
        double constante;
        std::vector<Terme> termes;
        std::shared_ptr<const TablePeriode> table;
    };
    static thread_local std::vector<Faite> faites; // the latest last
    const auto memes = [&](const Faite& f) {
        if (f.n != n || f.constante != constante || f.termes.size() != termes.size())
            return false;
        for (size_t k = 0; k < termes.size(); ++k)
            if (f.termes[k].rang != termes[k].rang || f.termes[k].amplitude != termes[k].amplitude
                || f.termes[k].phase != termes[k].phase)
                return false;
        return true;
    };
    for (auto it = faites.begin(); it != faites.end(); ++it)
        if (memes(*it)) {
            std::rotate(it, it + 1, faites.end());
            return faites.back().table;
        }
    // The two channels, each in their trace and in the sum, and a pair
    // more for a setting going back and forth.
    constexpr size_t kGardees = 6;
    if (faites.size() == kGardees)
        faites.erase(faites.begin());
    faites.push_back({n, constante, termes, std::make_shared<const TablePeriode>(periodeDeSinus(n, constante, termes))});
    return faites.back().table;
}

} // namespace

OndeEcran::OndeEcran(const EtatTrace& etat, int voie, bool avecPosition)
{
    if (voie != 0 && voie != 1) {
        dessine_ = false;
        return;
    }
    const VoieTracee& v = etat.voies[size_t(voie)];
    const PanneauScope& p = etat.panneau;
    base_ = avecPosition ? v.position : 0;
    if (p.couplageAllume(voie, Couplage::GND) || !v.branchee || v.sensibilite == 0 || !std::isfinite(v.sensibilite))
        return;
    if (v.forme == FormeOnde::Aucune) {
        // A word nothing draws: no deflection at all.
        dessine_ = false;
        base_ = 0;
        return;
    }
    // The input blocks the DC level of what it receives in AC coupling; the
    // inverted channel receives the whole signal negated, offset included.
    const double signe = voie == 1 && p.inverseAllume() ? -1 : 1;
    gain_ = signe * 100 / v.sensibilite;
    base_ -= gain_ * ContinuBloque(p, voie, v.niveaux, v.forme, v.amplitude, v.rapport, v.decalage);

    double f = v.frequence, A = v.amplitude;
    const bool periodique = f != 0 && std::isfinite(f);
    A_ = A;
    decalage_ = v.decalage;
    switch (v.forme) {
    case FormeOnde::Continu: niveau_ = A; return;
    case FormeOnde::Sinus:
        niveau_ = v.decalage;
        if (!periodique)
            return;
        if (f < 0) { // sin(−x) = −sin(x)
            f = -f;
            A_ = -A;
        }
        genre_ = Genre::Sinus;
        break;
    case FormeOnde::Carre:
    case FormeOnde::Triangle: {
        niveau_ = v.decalage;
        if (!(f > 0) || !std::isfinite(f))
            return;
        const double r = std::clamp(v.rapport, 0.0, 1.0);
        genre_ = Genre::Trapeze;
        if (v.forme == FormeOnde::Carre) {
            c1_ = 0;
            c2_ = c3_ = r;
            sauts_ = true;
        } else {
            c1_ = c2_ = r;
            c3_ = 1;
            sauts_ = r <= 0 || r >= 1;
        }
        break;
    }
    case FormeOnde::Dyn: {
        niveau_ = 0;
        decalage_ = 0;
        if (!periodique)
            return;
        const double s = f < 0 ? -1 : 1;
        f = std::abs(f);
        harmoniqueHaute_ = 5;
        const std::vector<Terme> termes{{1, s * A, 0}, {3, -0.3 * s * A, 0}, {5, 0.2 * s * A, 0}};
        table_ = tableDeSinus(kEchantillonsParRang * 5, 0, termes);
        genre_ = Genre::Table;
        break;
    }
    case FormeOnde::Harmo: {
        const NiveauxHarmoniques& n = v.niveaux;
        niveau_ = ValeurHarmo(n, 0, 0, A, v.decalage);
        if (!periodique)
            return;
        const double s = f < 0 ? -1 : 1;
        f = std::abs(f);
        std::vector<Terme> termes;
        int haute = 0;
        for (int i = 0; i < 20; ++i) {
            if (n.AmpliMin[size_t(i)] == 0 || n.Ampli[size_t(i)] == 0)
                continue;
            const double a = A * double(n.Ampli[size_t(i)]) / n.AmpliMin[size_t(i)];
            const double phase = n.Phase[size_t(i)] * kPi / 2;
            // sin(−x + φ) = −sin(x − φ)
            termes.push_back(s > 0 ? Terme{i + 1, a, phase} : Terme{i + 1, -a, -phase});
            haute = i + 1;
        }
        if (termes.empty())
            return;
        harmoniqueHaute_ = haute;
        table_ = tableDeSinus(kEchantillonsParRang * haute, n.X0 + v.decalage, termes);
        genre_ = Genre::Table;
        break;
    }
    case FormeOnde::Aucune: return;
    }
    f_ = f;
}

void OndeEcran::valeurs(double t0, double dt, int n, double* out) const
{
    if (genre_ == Genre::Sinus && std::isfinite(t0 * f_) && std::isfinite(dt * f_)) {
        // The angle turned on by the same step from value to value: a
        // thousand steps round off far below a pixel.
        const double pasCycles = dt * f_ - std::floor(dt * f_);
        const double pasSin = std::sin(2 * kPi * pasCycles), pasCos = std::cos(2 * kPi * pasCycles);
        double s = std::sin(2 * kPi * cycle(t0)), c = std::cos(2 * kPi * cycle(t0));
        const double g = gain_ * A_, b = gain_ * decalage_ + base_;
        for (int i = 0; i < n; ++i) {
            out[i] = g * s + b;
            const double suivant = s * pasCos + c * pasSin;
            c = c * pasCos - s * pasSin;
            s = suivant;
        }
        return;
    }
    const double u0 = t0 * f_, pas = dt * f_;
    const bool sure = pas >= 0 && std::abs(u0) < kPhaseSure && std::abs(u0 + n * pas) < kPhaseSure;
    if (genre_ == Genre::Table && sure) {
        table_->suite(u0, pas, n, gain_, base_, out);
        return;
    }
    if (genre_ == Genre::Trapeze && sure) {
        // The phase moved on by the same fraction of a cycle each time.
        const double avance = pas - std::floor(pas);
        double u = cycle(t0);
        for (int i = 0; i < n; ++i) {
            out[i] = gain_ * (trapeze(u) + decalage_) + base_;
            u += avance;
            if (u >= 1)
                u -= 1;
        }
        return;
    }
    for (int i = 0; i < n; ++i)
        out[i] = (*this)(t0 + i * dt);
}

void OndeEcran::interieur(double t0, double t1, double& bas, double& haut) const
{
    if (genre_ == Genre::Plat || !(t1 > t0))
        return;
    double b = std::numeric_limits<double>::infinity(), h = -b;
    const auto tenir = [&](double y) {
        b = std::min(b, y);
        h = std::max(h, y);
    };
    const double u0 = t0 * f_, u1 = t1 * f_;
    const bool entiere = !(u1 - u0 < 1);
    switch (genre_) {
    case Genre::Plat: break;
    case Genre::Sinus:
    case Genre::Trapeze:
        if (entiere) {
            tenir(A_ + decalage_);
            tenir(-A_ + decalage_);
            break;
        }
        // A sine peaks at a quarter and trough at three quarters of its
        // period; a trapeze is at its low level where its rise starts and its
        // fall ends, at its high one where its rise ends and its fall starts,
        // and at both where it leaps.
        for (int k = 0; k < 2; ++k) {
            const double tour = std::floor(u0) + k;
            const auto dedans = [&](double phase) { return tour + phase > u0 && tour + phase < u1; };
            if (genre_ == Genre::Sinus) {
                if (dedans(0.25))
                    tenir(A_ + decalage_);
                if (dedans(0.75))
                    tenir(-A_ + decalage_);
                continue;
            }
            if ((dedans(0) && c1_ == 0) || dedans(c1_) || dedans(c2_))
                tenir(A_ + decalage_);
            if (dedans(0) || dedans(c3_) || (dedans(c2_) && c3_ == c2_))
                tenir(-A_ + decalage_);
        }
        break;
    case Genre::Table:
        if (entiere) {
            tenir(table_->minimum());
            tenir(table_->maximum());
        } else {
            table_->interieur(u0, u1, b, h);
        }
        break;
    }
    if (!(b <= h))
        return;
    const double y1 = gain_ * b + base_, y2 = gain_ * h + base_;
    bas = std::min({bas, y1, y2});
    haut = std::max({haut, y1, y2});
}

Etendue OndeEcran::etendue(double t0, double t1, double v0, double v1) const
{
    Etendue e{v0, std::min(v0, v1), std::max(v0, v1), v1};
    interieur(t0, t1, e.bas, e.haut);
    return e;
}

bool OndeEcran::sommeAuxInstants(const OndeEcran& autre, double decale, double t0, double t1, int plafond,
                                 double& bas, double& haut) const
{
    double b = bas, h = haut;
    const auto tenir = [&](double y) {
        b = std::min(b, y);
        h = std::max(h, y);
    };
    bool tous;
    // Two tables: this one's samples follow each other by the same step,
    // and the other's place in its own table moves by the same number of
    // its samples at each: read there without working out the phase again.
    const double pas = genre_ == Genre::Table && autre.genre_ == Genre::Table
        ? autre.f_ * autre.table_->taille() / (f_ * table_->taille())
        : 0;
    if (pas > 0 && pas < kPhaseSure && std::abs(t0 * autre.f_) < kPhaseSure && std::abs(t1 * autre.f_) < kPhaseSure) {
        const TablePeriode& table = *autre.table_;
        const double gain = autre.gain_, base = autre.base_;
        const double u0 = t0 * f_, u1 = t1 * f_;
        if (!(t1 > t0))
            return true;
        if (u1 - u0 >= 1)
            return false;
        bool premier = true;
        TablePeriode::Pas place(table, pas);
        // In the loop over the samples, not a call each.
        tous = table_->echantillons(u0, u1, plafond, [&](double u, double v) __attribute__((always_inline)) {
            if (premier) {
                place.partir(u / f_ * autre.f_);
                premier = false;
            } else {
                place.avancer();
            }
            tenir((gain_ * v + base_) + (gain * place.valeur() + base) + decale);
        });
    } else {
        tous = instants(t0, t1, plafond, [&](double t, double y) { tenir(y + autre(t) + decale); });
    }
    if (!tous)
        return false;
    bas = b;
    haut = h;
    return true;
}
