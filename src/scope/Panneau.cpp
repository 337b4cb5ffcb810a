#include "scope/Panneau.h"

#include "platform/Forms.h"
#include "platform/Shape.h"
#include "platform/RVB.h"
#include "scope/frmWavix.h"

bool VoieAllumee(int index)
{
    const frmWavix* s = Forms().find<frmWavix>();
    return s && index >= 0 && index < 6 && s->shpVoie[size_t(index)]->FillColor() == kVertAllume;
}

bool CouplageAllume(int index)
{
    const frmWavix* s = Forms().find<frmWavix>();
    return s && index >= 0 && index < 6 && s->shpACDC[size_t(index)]->FillColor() == kVertAllume;
}
