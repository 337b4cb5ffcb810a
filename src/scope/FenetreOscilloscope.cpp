#include "services/Instruments.h"

#include "scope/Panneau.h"
#include "scope/frmWavix.h"

VbForm* FenetreOscilloscope()
{
    return Forms().get<frmWavix>();
}

bool VoieBInversee()
{
    return VoieAllumee(5);
}
