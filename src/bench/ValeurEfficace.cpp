#include "bench/ValeurEfficace.h"

#include "services/EtatBanc.h"

#include <cmath>

std::optional<double> ValeurEfficace(double amplitude, const QString& mot)
{
    return ValeurEfficace(FormeDuMot(mot), amplitude);
}

std::optional<double> ValeurEfficace(FormeOnde forme, double amplitude)
{
    switch (forme) {
    case FormeOnde::Continu:
    case FormeOnde::Carre:
        return amplitude;
    case FormeOnde::Sinus:
        return amplitude / std::sqrt(2.0);
    case FormeOnde::Triangle:
        return amplitude / std::sqrt(3.0);
    case FormeOnde::Dyn:
        return amplitude * 0.7517;
    case FormeOnde::Harmo:
    case FormeOnde::Aucune:
        break;
    }
    return std::nullopt;
}
