#include "scope/Signaux.h"

#include "scope/CourbeWavix.h"
#include "services/PanneauScope.h"

double ContinuBloque(int voie, FormeOnde forme, double A, double rapport, double decalage)
{
    return Panneau().couplageAllume(voie, Couplage::AC) ? ComposanteContinue(forme, voie, A, rapport, decalage)
                                                                 : 0;
}

SignalVoie::SignalVoie(int voie, Echantillonnage echantillonnage) : voie_(voie), echantillonnage_(echantillonnage)
{
    if (voie != 0 && voie != 1)
        return;
    const EtatVoie& v = Voies[size_t(voie)];
    frequence_ = v.TraceFrequence;
    amplitude_ = v.TraceAmplitude;
    if (voie == 1 && Panneau().inverseAllume())
        amplitude_ = -amplitude_;
    decalage_ = v.Branchee() ? v.Decalage : 0;
    rapport_ = v.RapportCyclique;
    position_ = v.PositionVerticale;
    echelle_ = 100 / v.Sensibilite;
    forme_ = FormeDuMot(v.TraceSignal);
    aPlat_ = Panneau().couplageAllume(voie, Couplage::GND) || !v.Branchee();
    // The spot's square and triangle are symmetric: their mean is the offset.
    continu_ = ContinuBloque(voie, forme_, amplitude_, echantillonnage_ == Echantillonnage::Onde ? rapport_ : 0.5,
                             decalage_);
    TraceCourante.Couleur = v.CouleurTrace;
    TraceCourante.Style = v.StyleTrace;
    TraceCourante.Amplitude = amplitude_;
    TraceCourante.Decalage = decalage_;
}

std::optional<double> SignalVoie::operator()(double x) const
{
    if (voie_ != 0 && voie_ != 1)
        return std::nullopt;
    if (aPlat_)
        return position_;
    const double t = (x + 500) / 100 * BaseTemps;
    const double f = frequence_, A = amplitude_;
    if (echantillonnage_ == Echantillonnage::Onde) {
        const std::optional<double> u = ValeurOnde(forme_, voie_, t, f, A, rapport_, decalage_);
        if (!u)
            return std::nullopt;
        return (*u - continu_) * echelle_ + position_;
    }
    double u;
    switch (forme_) {
    case FormeOnde::Continu: u = A; break;
    case FormeOnde::Sinus: u = ValeurSinus(t, f, A, 0, rapport_, decalage_); break;
    case FormeOnde::Carre: u = ValeurCarre(t, f, A, decalage_); break;
    case FormeOnde::Triangle: u = ValeurTriangle(t, f, A, decalage_); break;
    case FormeOnde::Dyn: u = ValeurDyn(t, f, A); break;
    case FormeOnde::Harmo: u = *ValeurHarmo(voie_, t, f, A, 0, rapport_, decalage_); break;
    default: return std::nullopt;
    }
    return (u - continu_) * echelle_ + position_;
}

std::optional<double> ValeurSignal(int voie, double x)
{
    return SignalVoie(voie)(x);
}
