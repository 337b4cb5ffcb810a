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

#include <QComboBox>

#include <cmath>

namespace {

int32_t rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

int composante(int base, int fond)
{
    return roundHalfEvenToInt32((base - fond) * LuminositeTrace + fond).value_or(fond);
}

// Sets a hidden list's selection from a knob and gives the index back.
int choisir(QComboBox* liste, float valeur)
{
    liste->setCurrentIndex(roundHalfEvenToInt32(valeur).value_or(0));
    return liste->currentIndex();
}

} // namespace

void ReglerPotentiometre(int bouton, int index)
{
    if (bouton != 1)
        return;
    auto* scope = Forms().find<frmWavix>();
    if (!scope)
        return;
    const double v = scope->potentioValue(index);
    const double m = scope->potentioMax(index);
    switch (index) {
    case 0:
        EpaisseurTrace = roundHalfEvenToInt32(std::abs(v - m / 2) + 1).value_or(1);
        scope->picEcran->DrawWidth = EpaisseurTrace;
        break;
    case 1: {
        LuminositeTrace = 1 - std::exp(-v);
        DecomposerCouleurs();
        const auto& c = ComposantesCouleurs;
        CouleurTraceA = rgb(composante(c[0], c[6]), composante(c[1], c[7]), composante(c[2], c[8]));
        CouleurTraceB = rgb(composante(c[3], c[6]), composante(c[4], c[7]), composante(c[5], c[8]));
        break;
    }
    case 2: PositionHorizontale = v - m / 2; break;
    case 3: PositionVerticaleA = v - m / 2; break;
    case 4: PositionVerticaleB = v - m / 2; break;
    case 5: BaseTemps = BaseTempsParIndex(choisir(scope->cboBaseTemps, float(v))); break;
    case 6: SensibiliteA = SensibiliteParIndex(choisir(scope->cboSensibiliteVerticaleA, float(v))); break;
    case 7: SensibiliteB = SensibiliteParIndex(choisir(scope->cboSensibiliteVerticaleB, float(v))); break;
    default: break;
    }
    ActualiserEcran();
}
