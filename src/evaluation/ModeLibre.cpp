#include "evaluation/ModeLibre.h"

#include "app/MDIWavix.h"
#include "bench/FenetresBanc.h"
#include "bench/frmToolBox.h"

#include <QAbstractButton>
#include <QAction>

void ActiverModeLibre(bool libre)
{
    MDIWavix* mdi = MDIWavix::instance();
    if (auto* boite = Forms().find<frmToolBox>()) {
        if (!libre)
            boite->chkMulti->setChecked(false);
        boite->chkMulti->setEnabled(libre);
    }
    if (!mdi)
        return;
    mdi->Mnu_Libre->setEnabled(!libre);
    mdi->ModeLibre = libre;
    for (QAction* item : {mdi->Mnu_Pilote, mdi->Mnu_Create, mdi->Mnu_Modif, mdi->Mnu_Kill, mdi->Mnu_Clean,
                          mdi->Mnu_View, mdi->Mnu_Volt})
        item->setEnabled(libre);
    // The bench's sources are not for an evaluated run.
    mdi->Mnu_Harmo->setEnabled(libre && SourceDisponible(QStringLiteral("frmHarmoniqueA")));
}
