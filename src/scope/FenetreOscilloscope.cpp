#include "services/Instruments.h"

#include "scope/frmWavix.h"

VbForm* FenetreOscilloscope()
{
    return Forms().get<frmWavix>();
}
