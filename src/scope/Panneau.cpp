#include "services/PanneauScope.h"

#include "platform/Forms.h"
#include "scope/frmWavix.h"

const PanneauScope& Panneau()
{
    static const PanneauScope eteint;
    const frmWavix* s = Forms().find<frmWavix>();
    return s ? s->panneau() : eteint;
}
