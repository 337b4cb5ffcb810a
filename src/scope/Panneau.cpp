#include "scope/Panneau.h"

#include "platform/Forms.h"
#include "platform/Shape.h"
#include "scope/RVB.h"
#include "scope/frmWavix.h"

namespace {

const frmWavix* scope()
{
    return dynamic_cast<const frmWavix*>(Forms().find(QString::fromLatin1(frmWavix::kNom)));
}

} // namespace

bool VoieAllumee(int index)
{
    const frmWavix* s = scope();
    return s && index >= 0 && index < 6 && s->shpVoie[size_t(index)]->FillColor() == kVertAllume;
}

bool CouplageAllume(int index)
{
    const frmWavix* s = scope();
    return s && index >= 0 && index < 6 && s->shpACDC[size_t(index)]->FillColor() == kVertAllume;
}
