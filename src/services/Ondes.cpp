#include "services/Ondes.h"

#include <cmath>

double ValeurHarmo(const NiveauxHarmoniques& n, double t, double f, double A, double decalage)
{
    double somme = n.X0;
    for (int i = 0; i < 20; ++i) {
        if (n.AmpliMin[size_t(i)] == 0)
            continue;
        somme += A * double(n.Ampli[size_t(i)]) / n.AmpliMin[size_t(i)]
            * std::sin(2 * kPi * (i + 1) * f * t + n.Phase[size_t(i)] * kPi / 2);
    }
    return somme + decalage;
}

double ValeurTrapeze(double t, double montee, double descente, double f, double A, double fractionHaute,
                     double decalage)
{
    const PhaseOnde ph = PhaseDans(t, f);
    const double tau = ph.tau;
    const double e1 = montee + fractionHaute * ph.P;
    const double e2 = e1 + descente;
    double v;
    if (tau >= 0 && tau <= montee)
        v = montee != 0 ? -A + 2 * A * tau / montee : A;
    else if (tau >= montee && tau <= e1)
        v = A;
    else if (tau >= e1 && tau <= e2)
        v = descente != 0 ? A - 2 * A * (tau - e1) / descente : -A;
    else if (tau >= e2 && tau <= ph.P)
        v = -A;
    else
        v = 0;
    return v + decalage;
}

double ValeurDyn(double t, double f, double A)
{
    return A * (std::sin(2 * kPi * f * t) - 0.3 * std::sin(6 * kPi * f * t) + 0.2 * std::sin(10 * kPi * f * t));
}

std::optional<double> ValeurOnde(FormeOnde forme, const NiveauxHarmoniques& niveaux, double t, double f, double A,
                                 double rapport, double decalage)
{
    switch (forme) {
    case FormeOnde::Continu: return A;
    case FormeOnde::Sinus: return ValeurSinus(t, f, A, 0, rapport, decalage);
    case FormeOnde::Carre: return ValeurTrapeze(t, 0, 0, f, A, rapport, decalage);
    case FormeOnde::Triangle:
        // Without a period there is no rise or fall: the level is the offset.
        if (!(f > 0) || !std::isfinite(f))
            return decalage;
        return ValeurTrapeze(t, rapport / f, (1 - rapport) / f, f, A, 0, decalage);
    case FormeOnde::Dyn: return ValeurDyn(t, f, A);
    case FormeOnde::Harmo: return ValeurHarmo(niveaux, t, f, A, decalage);
    case FormeOnde::Aucune: break;
    }
    return std::nullopt;
}

double ComposanteContinue(FormeOnde forme, const NiveauxHarmoniques& niveaux, double A, double rapport,
                          double decalage)
{
    switch (forme) {
    case FormeOnde::Continu: return A;
    case FormeOnde::Sinus:
    case FormeOnde::Triangle: return decalage;
    case FormeOnde::Carre: return (2 * rapport - 1) * A + decalage;
    case FormeOnde::Dyn: return 0;
    case FormeOnde::Harmo: return niveaux.X0 + decalage;
    case FormeOnde::Aucune: break;
    }
    return 0;
}

double CreteDyn()
{
    return ValeurDyn(0.25, 1, 1);
}
