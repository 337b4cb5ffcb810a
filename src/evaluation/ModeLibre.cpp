#include "evaluation/ModeLibre.h"

#include "app/MDIWavix.h"

#include <QAction>

void ActiverModeLibre(bool libre)
{
    MDIWavix* mdi = MDIWavix::instance();
    mdi->Mnu_Libre->setEnabled(!libre);
    mdi->ModeLibre = libre;
    for (QAction* item : {mdi->Mnu_Pilote, mdi->Mnu_Create, mdi->Mnu_Modif, mdi->Mnu_Kill,
                          mdi->Mnu_View, mdi->Mnu_Clean, mdi->Mnu_Volt})
        item->setEnabled(libre);
}
