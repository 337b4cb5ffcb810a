#include "scope/Signaux.h"

#include "scope/CourbeWavix.h"
#include "services/PanneauScope.h"

double ContinuBloque(int voie, FormeOnde forme, double A, double rapport, double decalage)
{
    return Panneau().couplageAllume(voie, Couplage::AC) ? ComposanteContinue(forme, voie, A, rapport, decalage)
                                                                 : 0;
}

double ContinuBloque(const PanneauScope& panneau, int voie, const NiveauxHarmoniques& niveaux, FormeOnde forme,
                     double A, double rapport, double decalage)
{
    return panneau.couplageAllume(voie, Couplage::AC) ? ComposanteContinue(forme, niveaux, A, rapport, decalage)
                                                       : 0;
}

SignalVoie::SignalVoie(const EtatTrace& etat, int voie, Echantillonnage echantillonnage)
    : voie_(voie), echantillonnage_(echantillonnage)
{
    if (voie != 0 && voie != 1)
        return;
    const VoieTracee& v = etat.voies[size_t(voie)];
    const PanneauScope& p = etat.panneau;
    frequence_ = v.frequence;
    amplitude_ = v.amplitude;
    if (voie == 1 && p.inverseAllume())
        amplitude_ = -amplitude_;
    decalage_ = v.branchee ? v.decalage : 0;
    rapport_ = v.rapport;
    position_ = v.position;
    echelle_ = 100 / v.sensibilite;
    forme_ = v.forme;
    aPlat_ = p.couplageAllume(voie, Couplage::GND) || !v.branchee;
    baseTemps_ = etat.baseTemps;
    niveaux_ = v.niveaux;
    // The spot's square and triangle are symmetric: their mean is the offset.
    continu_ = ContinuBloque(p, voie, niveaux_, forme_, amplitude_,
                             echantillonnage_ == Echantillonnage::Onde ? rapport_ : 0.5, decalage_);
}

std::optional<double> SignalVoie::operator()(double x) const
{
    if (voie_ != 0 && voie_ != 1)
        return std::nullopt;
    if (aPlat_)
        return position_;
    const double t = (x + 500) / 100 * baseTemps_;
    const double f = frequence_, A = amplitude_;
    if (echantillonnage_ == Echantillonnage::Onde) {
        const std::optional<double> u = ValeurOnde(forme_, niveaux_, t, f, A, rapport_, decalage_);
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
    case FormeOnde::Harmo: u = ValeurHarmo(niveaux_, t, f, A, decalage_); break;
    default: return std::nullopt;
    }
    return (u - continu_) * echelle_ + position_;
}

void ChargerTraceCourante(const EtatTrace& etat, int voie)
{
    if (voie != 0 && voie != 1)
        return;
    const SignalVoie signal(etat, voie);
    const VoieTracee& v = etat.voies[size_t(voie)];
    TraceCourante.Couleur = v.couleur;
    TraceCourante.Style = v.style;
    TraceCourante.Amplitude = signal.amplitude();
    TraceCourante.Decalage = signal.decalage();
}

std::optional<double> ValeurSignal(int voie, double x)
{
    const EtatTrace etat = EtatTraceActuel();
    ChargerTraceCourante(etat, voie);
    return SignalVoie(etat, voie)(x);
}
