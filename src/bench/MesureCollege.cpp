#include "bench/MesureCollege.h"

#include "platform/VbFormat.h"

#include <cmath>

const std::array<CalibreVolt, 17> kCalibresVolt{{
    {"1000", CalibreVolt::VoltsContinus, 1000, "#000", 1, 22},
    {"200", CalibreVolt::VoltsContinus, 200, "#00.0", 1, 41},
    {"20", CalibreVolt::VoltsContinus, 20, "#0.00", 1, 61},
    {"2", CalibreVolt::VoltsContinus, 2, "0.000", 1, 84},
    {"2m", CalibreVolt::MilliAmperes, 1, "000.0", 1000, 135},
    {"20m", CalibreVolt::MilliAmperes, 1, "000.0", 1000, 158},
    {"200m", CalibreVolt::MilliAmperes, 1, "000.0", 1000, 180},
    {"\u25B6|", CalibreVolt::HorsEchelle, -1000, "", 1, 202},
    {"200", CalibreVolt::HorsEchelle, -1000, "", 1, 221},
    {"2k", CalibreVolt::HorsEchelle, -1000, "", 1, 241},
    {"20k", CalibreVolt::HorsEchelle, -1000, "", 1, 264},
    {"2", CalibreVolt::VoltsAlternatifs, 2, "0.000", 1, 281},
    {"20", CalibreVolt::VoltsAlternatifs, 20, "#0.00", 1, 298},
    {"200", CalibreVolt::VoltsAlternatifs, 200, "#00.0", 1, 315},
    {"500", CalibreVolt::VoltsAlternatifs, 500, "#000", 1, 338},
    {"0", CalibreVolt::Arret, 0, "", 1, 0},
    {"10A", CalibreVolt::HorsEchelle, 1, "000.0", 1000, 158},
}};

const CalibreVolt& CalibreCollege(int position)
{
    return kCalibresVolt[size_t(position >= 0 && position <= 16 ? position : kArretVolt)];
}

std::optional<double> LectureCollege(int position, const SignalMesure& signal)
{
    switch (CalibreCollege(position).genre) {
    case CalibreVolt::VoltsContinus:
        if (signal.forme != FormeOnde::Continu)
            return std::nullopt;
        return signal.amplitude;
    case CalibreVolt::VoltsAlternatifs:
        return GrandeursDe(signal).alternatif;
    default:
        return 0;
    }
}

EcranCollege EcranCollegePour(int position, double valeur)
{
    EcranCollege ecran;
    if (position == kArretVolt)
        return ecran;
    const CalibreVolt& c = CalibreCollege(position);
    if (!std::isfinite(valeur) || std::fabs(valeur) > c.pleineEchelle) {
        ecran.horsEchelle = true;
        return ecran;
    }
    ecran.chiffres = Format(std::fabs(valeur) * c.facteur, QString::fromLatin1(c.format));
    ecran.chiffresVus = true;
    // The sign follows the digits shown: a value that rounds to zero has none.
    ecran.signe = ShowsMinusSign(valeur, ecran.chiffres);
    return ecran;
}

std::optional<EcranCollege> EcranAuTourCollege(int position)
{
    switch (CalibreCollege(position).genre) {
    case CalibreVolt::Arret:
        return EcranCollege{};
    case CalibreVolt::HorsEchelle: {
        EcranCollege ecran;
        ecran.horsEchelle = true;
        return ecran;
    }
    default:
        return std::nullopt;
    }
}

LectureAfficheeCollege AffichageCollege(const EntreesCollege& e)
{
    double valeur = 0;
    if (e.mesurable && e.fiches[0]) {
        const std::optional<double> fixe = LectureCollege(e.position, e.signal);
        // A varying source: its mean over each gate, from the first tick on.
        if (!fixe)
            return {std::nullopt, true};
        valeur = *fixe;
    }
    return {EcranCollegePour(e.position, valeur), false};
}

LectureAfficheeCollege AffichageAuTourCollege(const EntreesCollege& e)
{
    if (std::optional<EcranCollege> ecran = EcranAuTourCollege(e.position))
        return {std::move(ecran), false};
    return AffichageCollege(e);
}

LectureVivanteCollege AffichageCollegeVivant(const EntreesCollege& e, double instant)
{
    const SignalMesure& s = e.signal;
    double t = instant;
    if (s.frequence != 0 && std::isfinite(s.frequence)) {
        // Whole periods back change nothing of a periodic wave.
        const double periode = 1 / std::fabs(s.frequence);
        if (t > periode)
            t -= std::floor(t / periode) * periode;
    }
    const double valeur = e.mesurable && e.fiches[0] ? MoyenneIntegree(s, t, kPorteMesure) : 0;
    return {t, EcranCollegePour(e.position, valeur)};
}
