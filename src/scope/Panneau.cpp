#include "scope/Panneau.h"

#include "platform/FormDesign.h"
#include "platform/Forms.h"
#include "platform/Shape.h"
#include "scope/RVB.h"

namespace {

bool allumee(const char* groupe, int index)
{
    const VbForm* scope = Forms().find(QStringLiteral("frmWavix"));
    if (!scope)
        return false;
    const Shape* lampe = control<Shape>(scope, groupe, index);
    return lampe && lampe->FillColor() == kVertAllume;
}

} // namespace

bool VoieAllumee(int index)
{
    return allumee("shpVoie", index);
}

bool CouplageAllume(int index)
{
    return allumee("shpACDC", index);
}
