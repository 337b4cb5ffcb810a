#include "scope/Potentiometre.h"
#include "scope/CouleursCourbes.h"

#include "services/FichierINI.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/VbConversions.h"
#include "scope/CourbeWavix.h"
#include "platform/RVB.h"
#include "services/Sensibilite.h"
#include "scope/frmWavix.h"

#include <array>
#include <cmath>

namespace {

int32_t rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

int composante(int base, int fond, double luminosite)
{
    return roundHalfEvenToInt32((base - fond) * luminosite + fond).value_or(fond);
}

// A stepped knob's value as a position in its list of n: -1 outside it.
int position(double valeur, int n)
{
    const int i = roundHalfEvenToInt32(valeur).value_or(0);
    return i >= 0 && i < n ? i : -1;
}

} // namespace

void ReglerPotentiometre(int bouton, int index)
{
    if (AppliquerPotentiometre(bouton, index))
        ActualiserEcran();
}

bool AppliquerPotentiometre(int bouton, int index, Rythme rythme)
{
    if (bouton != 1)
        return false;
    auto* scope = Forms().find<frmWavix>();
    if (!scope)
        return false;
    const double v = scope->potentioValue(index);
    const double m = scope->potentioMax(index);
    switch (index) {
    case 0:
        scope->picEcran->DrawWidth = scope->epaisseurTrace();
        break;
    case 1: {
        const double l = scope->luminositeTrace();
        DecomposerCouleurs();
        const auto& c = Scope().ComposantesCouleurs;
        const std::array<int32_t, 2> couleurs = {
            rgb(composante(c[0], c[6], l), composante(c[1], c[7], l), composante(c[2], c[8], l)),
            rgb(composante(c[3], c[6], l), composante(c[4], c[7], l), composante(c[5], c[8], l))};
        int voie = 0;
        Modele().modifierVoie(kDeuxVoies, [&](EtatVoie& canal) { canal.CouleurTrace = couleurs[size_t(voie++)]; },
                              rythme);
        return false;
    }
    case 2: Scope().PositionHorizontale = v - m / 2; break;
    case 3:
    case 4:
        Modele().modifierVoie(index - 3, [&](EtatVoie& canal) { canal.PositionVerticale = v - m / 2; }, rythme);
        return false;
    case 5: {
        PanneauScope p = scope->panneau();
        p.baseTemps = position(float(v), kNombreBasesTemps);
        scope->changerPanneau(p);
        break;
    }
    case 6:
    case 7: {
        const int voie = index - 6;
        PanneauScope p = scope->panneau();
        p.sensibilite[size_t(voie)] = position(float(v), kNombreSensibilites);
        scope->changerPanneau(p);
        // The one place the channels' sensitivities follow the panel.
        const double voltsParDivision = scope->panneau().voltsParDivision(voie);
        Modele().modifierVoie(voie, [&](EtatVoie& canal) { canal.Sensibilite = voltsParDivision; }, rythme);
        return false;
    }
    default: break;
    }
    return true;
}
