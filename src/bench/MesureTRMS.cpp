#include "bench/MesureTRMS.h"

#include "platform/VbFormat.h"

#include <algorithm>
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

double LectureTRMS(int position, const SignalMesure& s)
{
    if (position == 1)
        return GrandeursDe(s).alternatif;
    if (position == 2 || position == 3)
        return GrandeursDe(s).continu;
    return 0;
}

double MinMaxTRMS(const SignalMesure& s, bool max)
{
    const GrandeursSignal g = GrandeursDe(s);
    return max ? g.max : g.min;
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

PanneauTRMS AppuiMinMax(PanneauTRMS panneau)
{
    const EtatMinMax m = panneau.minMax;
    panneau.minMax = m == SansMinMax ? Max : m == Min ? SansMinMax : Min;
    return panneau;
}

PanneauTRMS AppuiRange(PanneauTRMS panneau, int position)
{
    const bool mV = position == 3;
    if (panneau.autoGamme) {
        panneau.autoGamme = false;
        if (!mV)
            panneau.gamme = QStringLiteral("600 mV");
    } else if (mV) {
        panneau.autoGamme = true;
    } else {
        const QString suivante = GammeSuivante(panneau.gamme);
        if (suivante.isEmpty())
            panneau.autoGamme = true; // the last range stays the stored one
        else
            panneau.gamme = suivante;
    }
    return panneau;
}

double ValeurTRMS(const EntreesTRMS& e)
{
    if (!e.mesurable)
        return 0;
    const EtatMinMax m = e.panneau.minMax;
    if (m != SansMinMax)
        return MinMaxTRMS(e.signal, m != Min);
    return LectureTRMS(e.position, e.signal);
}

EcranTRMS EcranAvecPanneau(EcranTRMS ecran, const EntreesTRMS& e)
{
    const PanneauTRMS& p = e.panneau;
    ecran.minMax = {p.minMax != SansMinMax, p.minMax == Max || p.minMax == MaxEtMin,
                    p.minMax == Min || p.minMax == MaxEtMin};
    ecran.gamme = e.position == 3 ? QStringLiteral("600 mV") : p.gamme;
    ecran.autoVu = p.autoGamme;
    ecran.manuelVu = !p.autoGamme;
    // A voltage range's name beside a current or a resistance would read as
    // its unit.
    ecran.gammeVue = !p.autoGamme && PositionMesureTRMS(e.position);
    return ecran;
}

EcranTRMS EcranAuTourTRMS(EcranTRMS ecran, const EntreesTRMS& e)
{
    const int position = e.position;
    ecran.unites = {};
    ecran.allume = position != kArretTRMS;
    if (!ecran.allume) {
        ecran.autoVu = ecran.manuelVu = ecran.gammeVue = false;
        ecran.chiffresVus = ecran.horsEchelle = ecran.signe = false;
        ecran.dcAc = {};
        ecran.minMax = {};
        return ecran;
    }
    ecran = EcranAvecPanneau(ecran, e);
    enum { Micro, Milli, Volt, Ampere, Ohm };
    switch (position) {
    case 1:
    case 2:
    case 3:
        ecran.unites[Milli] = position == 3;
        ecran.unites[Volt] = true;
        ecran.dcAc = {position != 1, position == 1};
        break;
    case 6:
    case 7:
        ecran.unites[position == 6 ? Ampere : Micro] = true;
        ecran.unites[Ampere] = true;
        ecran.dcAc = {false, true};
        ecran.horsEchelle = false;
        ecran.signe = false;
        ecran.chiffres = Format(0, QString::fromLatin1(position == 6 ? "0.000" : "000.0")).replace(',', '.');
        ecran.chiffresVus = true;
        ecran.barre = 0;
        break;
    default:
        // Ohms and diode: an open circuit.
        ecran.unites[Ohm] = position == 4;
        ecran.dcAc = {};
        ecran.chiffresVus = false;
        ecran.signe = false;
        ecran.horsEchelle = true;
        break;
    }
    return ecran;
}

bool PositionMesureTRMS(int position)
{
    return position >= 1 && position <= 3;
}

EcranTRMS EcranValeurTRMS(EcranTRMS ecran, const EntreesTRMS& e, double valeur)
{
    if (e.position == kArretTRMS)
        return ecran;
    const GammeTRMS* g;
    if (!e.panneau.autoGamme) {
        g = &GammeNommee(ecran.gamme);
    } else {
        g = &GammeAutomatique(valeur, e.position);
        ecran.gamme = QString::fromLatin1(g->nom);
    }
    const double a = std::fabs(valeur);
    const bool lisible = std::isfinite(a);
    ecran.barre = lisible ? int(std::lround(std::min(100.0, 100 * a / g->pleineEchelle))) : 100;
    if (!lisible || a > g->pleineEchelle) {
        ecran.chiffresVus = false;
        ecran.signe = false;
        ecran.horsEchelle = true;
        return ecran;
    }
    ecran.chiffres = ChiffresTRMS(valeur, *g);
    ecran.chiffresVus = true;
    ecran.signe = ShowsMinusSign(valeur, ecran.chiffres);
    ecran.horsEchelle = false;
    ecran.unites = {};
    ecran.unites[1] = g->pleineEchelle == 0.6;
    ecran.unites[2] = true;
    return ecran;
}

EcranTRMS AffichageTRMS(const EntreesTRMS& e, EcranTRMS avant)
{
    EcranTRMS ecran = EcranAuTourTRMS(std::move(avant), e);
    if (PositionMesureTRMS(e.position))
        ecran = EcranValeurTRMS(std::move(ecran), e, ValeurTRMS(e));
    return ecran;
}
