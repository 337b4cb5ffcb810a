#include "bench/SignalMesure.h"

#include "bench/ValeurEfficace.h"
#include "services/Ondes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// A wave that moves: an alternator turned backwards has a negative
// frequency (and amplitude), a square or a triangle needs a positive one.
bool varie(const SignalMesure& s)
{
    switch (s.forme) {
    case FormeOnde::Continu:
    case FormeOnde::Aucune: return false;
    case FormeOnde::Carre:
    case FormeOnde::Triangle: return s.frequence > 0 && std::isfinite(s.frequence);
    default: return s.frequence != 0 && std::isfinite(s.frequence);
    }
}

// The weight of harmonic rank i + 1 in the sum, per volt of amplitude.
double poids(const NiveauxHarmoniques& n, size_t i)
{
    return n.AmpliMin[i] == 0 ? 0 : double(n.Ampli[i]) / n.AmpliMin[i];
}

double sommeHarmo(const NiveauxHarmoniques& n, double u)
{
    double g = 0;
    for (size_t i = 0; i < n.Ampli.size(); ++i)
        if (const double w = poids(n, i); w != 0)
            g += w * std::sin(2 * kPi * double(i + 1) * u + n.Phase[i] * kPi / 2);
    return g;
}

// The mean of a square of high fraction d over [a, b]: the time it spends
// high, counted exactly from each period's high part [0, dP].
double moyenneCarre(const SignalMesure& s, double a, double b)
{
    const double P = 1 / s.frequence;
    const double haut = std::clamp(s.rapport, 0.0, 1.0) * P;
    auto tempsHaut = [&](double t) {
        const double k = std::floor(t / P);
        return k * haut + std::min(t - k * P, haut);
    };
    const double fraction = (tempsHaut(b) - tempsHaut(a)) / (b - a);
    return s.decalage + s.amplitude * (2 * fraction - 1);
}

// Simpson's rule over [a, b]: continuous waves, many points a period.
double moyenneSimpson(const SignalMesure& s, double a, double b)
{
    constexpr int n = 2000;
    const double h = (b - a) / n;
    double somme = ValeurMesuree(s, a) + ValeurMesuree(s, b);
    for (int i = 1; i < n; ++i)
        somme += (i % 2 == 1 ? 4 : 2) * ValeurMesuree(s, a + i * h);
    return somme * h / 3 / (b - a);
}

int calculsExtremes = 0;

// The extremes of Σ wₙ sin(2π n u + φₙ): the sum sampled at many points a
// period (each term read from one table of the period's sines), then each
// of the best few samples' neighbourhoods narrowed down to its peak.
ExtremesHarmo calculerExtremes(const NiveauxHarmoniques& n)
{
    ++calculsExtremes;
    constexpr int M = 4096;
    static const std::array<double, M> sinus = [] {
        std::array<double, M> t{};
        for (int k = 0; k < M; ++k)
            t[size_t(k)] = std::sin(2 * kPi * k / M);
        return t;
    }();
    // sin(x + φ) with φ a whole number of quarter turns: ±sin x or ±cos x.
    std::vector<double> g(M, 0.0);
    for (size_t i = 0; i < n.Ampli.size(); ++i) {
        const double w = poids(n, i);
        if (w == 0)
            continue;
        const int rang = int(i) + 1;
        const int quart = ((n.Phase[i] % 4) + 4) % 4;
        for (int k = 0; k < M; ++k)
            g[size_t(k)] += w * sinus[size_t((rang * k + quart * M / 4) % M)];
    }
    auto affiner = [&](int k, double signe) {
        // Golden-section search for the peak of signe·g within a sample of k.
        double a = double(k - 1) / M, b = double(k + 1) / M;
        const double r = (std::sqrt(5.0) - 1) / 2;
        double x1 = b - r * (b - a), x2 = a + r * (b - a);
        double f1 = signe * sommeHarmo(n, x1), f2 = signe * sommeHarmo(n, x2);
        for (int iter = 0; iter < 40; ++iter) {
            if (f1 < f2) {
                a = x1;
                x1 = x2;
                f1 = f2;
                x2 = a + r * (b - a);
                f2 = signe * sommeHarmo(n, x2);
            } else {
                b = x2;
                x2 = x1;
                f2 = f1;
                x1 = b - r * (b - a);
                f1 = signe * sommeHarmo(n, x1);
            }
        }
        return std::max({f1, f2, signe * g[size_t(k)]}) * signe;
    };
    auto extreme = [&](double signe) {
        // The local peaks among the samples, the highest first.
        std::vector<int> pics;
        for (int k = 0; k < M; ++k) {
            const double v = signe * g[size_t(k)];
            if (v >= signe * g[size_t((k + M - 1) % M)] && v >= signe * g[size_t((k + 1) % M)])
                pics.push_back(k);
        }
        std::sort(pics.begin(), pics.end(),
                  [&](int x, int y) { return signe * g[size_t(x)] > signe * g[size_t(y)]; });
        double meilleur = signe * g[size_t(pics.empty() ? 0 : pics.front())];
        for (size_t j = 0; j < std::min<size_t>(pics.size(), 6); ++j)
            meilleur = std::max(meilleur, signe * affiner(pics[j], signe));
        return signe * meilleur;
    };
    return {extreme(-1), extreme(1)};
}

} // namespace

SignalMesure SignalDeLaVoie(const EtatVoie& voie, const NiveauxHarmoniques& niveaux)
{
    SignalMesure s;
    s.forme = FormeDuMot(voie.FormeSignal);
    s.amplitude = voie.Amplitude;
    s.frequence = voie.Frequence;
    s.decalage = voie.Decalage;
    s.rapport = voie.RapportCyclique;
    if (s.forme == FormeOnde::Harmo)
        s.niveaux = niveaux;
    return s;
}

double ValeurMesuree(const SignalMesure& s, double t)
{
    return ValeurOnde(s.forme, s.niveaux, varie(s) ? t : 0, s.frequence, s.amplitude, s.rapport, s.decalage)
        .value_or(0);
}

GrandeursSignal GrandeursDe(const SignalMesure& s)
{
    if (s.forme == FormeOnde::Aucune)
        return {};
    if (!varie(s)) {
        const double v = ValeurMesuree(s, 0);
        return {v, 0, v, v};
    }
    GrandeursSignal g;
    const double A = s.amplitude;
    g.continu = ComposanteContinue(s.forme, s.niveaux, A, s.rapport, s.decalage);
    switch (s.forme) {
    case FormeOnde::Carre: {
        // ±A, high a fraction d of the time: its mean square A² less its
        // mean's square ((2d − 1)·A)².
        const double d = std::clamp(s.rapport, 0.0, 1.0);
        g.alternatif = 2 * std::fabs(A) * std::sqrt(d * (1 - d));
        break;
    }
    case FormeOnde::Harmo: {
        // Harmonics of different ranks add their mean squares, aₙ²/2 each.
        double carres = 0;
        for (size_t i = 0; i < s.niveaux.Ampli.size(); ++i)
            carres += std::pow(A * poids(s.niveaux, i), 2) / 2;
        g.alternatif = std::sqrt(carres);
        break;
    }
    default:
        // A sine, a triangle, the alternator's wave: no mean of their own.
        g.alternatif = std::fabs(ValeurEfficace(s.forme, A).value_or(0));
        break;
    }
    switch (s.forme) {
    case FormeOnde::Dyn:
        g.max = CreteDyn() * std::fabs(A);
        g.min = -g.max;
        break;
    case FormeOnde::Harmo: {
        const ExtremesHarmo e = ExtremesHarmoniques(s.niveaux);
        const double base = s.niveaux.X0 + s.decalage;
        g.min = base + (A >= 0 ? A * e.min : A * e.max);
        g.max = base + (A >= 0 ? A * e.max : A * e.min);
        break;
    }
    default:
        g.min = s.decalage - std::fabs(A);
        g.max = s.decalage + std::fabs(A);
        break;
    }
    return g;
}

double MoyenneIntegree(const SignalMesure& s, double fin, double duree)
{
    if (!varie(s))
        return ValeurMesuree(s, 0);
    if (!(duree > 0) || std::fabs(s.frequence) * duree >= 1)
        return ComposanteContinue(s.forme, s.niveaux, s.amplitude, s.rapport, s.decalage);
    const double debut = fin - duree;
    if (s.forme == FormeOnde::Carre)
        return moyenneCarre(s, debut, fin);
    return moyenneSimpson(s, debut, fin);
}

ExtremesHarmo ExtremesHarmoniques(const NiveauxHarmoniques& niveaux)
{
    // The last levels of each generator, which change far less often than
    // the meters read.
    struct Connu {
        NiveauxHarmoniques niveaux;
        ExtremesHarmo extremes;
    };
    static std::array<std::optional<Connu>, 2> connus;
    static size_t suivant = 0;
    for (const std::optional<Connu>& c : connus)
        if (c && c->niveaux == niveaux)
            return c->extremes;
    const ExtremesHarmo e = calculerExtremes(niveaux);
    connus[suivant] = Connu{niveaux, e};
    suivant = (suivant + 1) % connus.size();
    return e;
}

int CalculsExtremesHarmo()
{
    return calculsExtremes;
}
