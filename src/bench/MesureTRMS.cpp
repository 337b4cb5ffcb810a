#include "bench/MesureTRMS.h"

#include "bench/Voltmetre.h"
#include "platform/VbFormat.h"
#include "services/Ondes.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<double, 8> kAngles{120, 90, 60, 30, 0, 330, 300, 270};

// Closed bands of mouse angles, tried in order after the OFF-facing gap
// around 12 o'clock: a shared bound goes to the first band.
struct Bande {
    double jusqua;
    int position;
};
constexpr Bande kBandes[] = {{45, 3}, {75, 2}, {115, 1}, {180, 0}, {285, 7}, {315, 6}, {345, 5}};

const std::array<GammeTRMS, 5> kGammes{{
    {"600 mV", 0.6, "000.0", 1000},
    {"6 V", 6, "0.000", 1},
    {"60 V", 60, "00.00", 1},
    {"600 V", 600, "000.0", 1},
    {"1000 V", 1000, "0000", 1},
}};

// The square wave's own mean, (2d - 1)·A, over its levels +A and -A.
double moyenneCarre(const SignalTRMS& s)
{
    return s.carre ? (2 * s.rapport - 1) * s.amplitude : 0;
}

} // namespace

double AngleTRMS(int position)
{
    return position >= 0 && position < int(kAngles.size()) ? kAngles[size_t(position)] : 0;
}

int PositionPourAngleTRMS(double angle)
{
    // The mouse angle comes from an arc tangent in degrees, a few units in
    // the last place off a bound the mouse lies exactly on (a release at 45
    // degrees computes 45.00000000000001): a bound is met within kJeu.
    constexpr double kJeu = 1e-9;
    if (angle < 15 - kJeu)
        return 4;
    for (const Bande& b : kBandes)
        if (angle <= b.jusqua + kJeu)
            return b.position;
    return 4;
}

double LectureTRMS(int position, const SignalTRMS& s)
{
    const bool alternatif = position == 1;
    const bool continu = position == 2 || position == 3;
    if (!alternatif && !continu)
        return 0;
    const double e = ValeurEfficace(s.amplitude, s.mot).value_or(0);
    const double d = s.decalage;
    switch (s.source) {
    case SourceTRMS::Generateur:
        if (continu)
            return moyenneCarre(s) + d;
        // Mean square of the wave plus its offset: E² + 2·mean·D + D².
        return std::sqrt(std::max(0.0, e * e + 2 * moyenneCarre(s) * d + d * d));
    case SourceTRMS::Continu:
        // The DC positions keep the polarity; the effective value is a
        // magnitude.
        return alternatif ? std::fabs(s.amplitude) : s.amplitude;
    case SourceTRMS::Secteur:
    case SourceTRMS::Alternateur:
        return alternatif ? std::sqrt(e * e + d * d) : d;
    case SourceTRMS::Autre:
        break;
    }
    return 0;
}

double MinMaxTRMS(const SignalTRMS& s, bool inverse, bool max)
{
    switch (s.source) {
    case SourceTRMS::Continu:
        return s.amplitude;
    case SourceTRMS::Autre:
        return 0; // as its readings
    default:
        break;
    }
    // The alternator's wave crests above its fundamental's amplitude (and a
    // wheel turned backwards mirrors it); every other wave, the square of any
    // duty included, swings between its offset ± A.
    const double crete = (s.source == SourceTRMS::Alternateur ? CreteDyn() : 1) * std::fabs(s.amplitude);
    const double a = inverse ? -crete : crete;
    return max ? s.decalage + a : s.decalage - a;
}

const GammeTRMS& GammeNommee(const QString& nom)
{
    for (const GammeTRMS& g : kGammes)
        if (nom == QLatin1String(g.nom))
            return g;
    return kGammes.back();
}

const GammeTRMS& GammeAutomatique(double valeur, int position)
{
    const double a = std::fabs(valeur);
    if (position == 3 || a < 0.6)
        return kGammes[0];
    for (size_t i = 1; i + 1 < kGammes.size(); ++i)
        if (a <= kGammes[i].pleineEchelle)
            return kGammes[i];
    return kGammes.back();
}

QString GammeSuivante(const QString& nom)
{
    for (size_t i = 0; i < kGammes.size(); ++i)
        if (nom == QLatin1String(kGammes[i].nom))
            return i + 1 < kGammes.size() ? QString::fromLatin1(kGammes[i + 1].nom) : QString();
    return nom;
}

QString ChiffresTRMS(double valeur, const GammeTRMS& gamme)
{
    return Format(std::fabs(valeur) * gamme.facteur, QString::fromLatin1(gamme.format))
        .replace(QLatin1Char(','), QLatin1Char('.'));
}
