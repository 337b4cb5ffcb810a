#include "scope/Signaux.h"

#include "scope/CourbeWavix.h"

double ContinuBloque(const PanneauScope& panneau, int voie, const NiveauxHarmoniques& niveaux, FormeOnde forme,
                     double A, double rapport, double decalage)
{
    return panneau.couplageAllume(voie, Couplage::AC) ? ComposanteContinue(forme, niveaux, A, rapport, decalage)
                                                       : 0;
}

SignalVoie::SignalVoie(const EtatTrace& etat, int voie) : onde_(etat, voie), baseTemps_(etat.baseTemps)
{
    if (voie != 0 && voie != 1)
        return;
    const VoieTracee& v = etat.voies[size_t(voie)];
    const double signe = voie == 1 && etat.panneau.inverseAllume() ? -1 : 1;
    amplitude_ = signe * v.amplitude;
    decalage_ = signe * (v.branchee ? v.decalage : 0);
}

std::optional<double> SignalVoie::operator()(double x) const
{
    if (!onde_.dessine())
        return std::nullopt;
    return onde_((x + 500) / 100 * baseTemps_);
}
