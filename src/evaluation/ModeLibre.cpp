#include "evaluation/ModeLibre.h"

#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "services/ModeleBanc.h"

#include <QAbstractButton>

void ActiverModeLibre(bool libre)
{
    if (auto* boite = Forms().find<frmToolBox>()) {
        if (!libre)
            boite->chkMulti->setChecked(false);
        boite->chkMulti->setEnabled(libre);
    }
    Modele().passerEnModeLibre(libre);
}
