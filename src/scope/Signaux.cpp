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
    QPointF point;
    if (!serie(x, 0, 1, &point))
        return std::nullopt;
    return point.y();
}

template <class Valeur>
void SignalVoie::remplir(double a, double pas, qsizetype n, QPointF* out, Valeur valeur) const
{
    for (qsizetype i = 0; i < n; ++i) {
        const double x = a + double(i) * pas;
        const double t = (x + 500) / 100 * baseTemps_;
        out[i] = QPointF(x, (valeur(t) - continu_) * echelle_ + position_);
    }
}

bool SignalVoie::serie(double a, double pas, qsizetype n, QPointF* out) const
{
    const auto niveau = [&](double y) {
        for (qsizetype i = 0; i < n; ++i)
            out[i] = QPointF(a + double(i) * pas, y);
    };
    if (voie_ != 0 && voie_ != 1) {
        niveau(0);
        return false;
    }
    if (aPlat_) {
        niveau(position_);
        return true;
    }
    const double f = frequence_, A = amplitude_, P = 1.0 / f;
    if (echantillonnage_ == Echantillonnage::Onde) {
        // ValeurOnde gives a value for every waveform but none.
        if (forme_ == FormeOnde::Aucune) {
            niveau(0);
            return false;
        }
        remplir(a, pas, n, out,
                [&](double t) { return *ValeurOnde(forme_, niveaux_, t, f, A, rapport_, decalage_); });
        return true;
    }
    switch (forme_) {
    case FormeOnde::Continu: remplir(a, pas, n, out, [&](double) { return A; }); break;
    case FormeOnde::Sinus:
        remplir(a, pas, n, out, [&](double t) { return ValeurSinus(t, f, A, 0, rapport_, decalage_); });
        break;
    case FormeOnde::Carre:
        remplir(a, pas, n, out, [&](double t) { return ValeurCarre(t, f, A, decalage_, P); });
        break;
    case FormeOnde::Triangle:
        remplir(a, pas, n, out, [&](double t) { return ValeurTriangle(t, f, A, decalage_, P); });
        break;
    case FormeOnde::Dyn: remplir(a, pas, n, out, [&](double t) { return ValeurDyn(t, f, A); }); break;
    case FormeOnde::Harmo:
        remplir(a, pas, n, out, [&](double t) { return ValeurHarmo(niveaux_, t, f, A, decalage_); });
        break;
    case FormeOnde::Aucune:
        niveau(0);
        return false;
    }
    return true;
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
