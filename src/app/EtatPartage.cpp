#include "app/EtatPartage.h"

#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "platform/InfoBulles.h"
#include "services/ModeleBanc.h"
#include "platform/SystemServices.h"
#include "platform/TextFiles.h"
#include "scope/CouleursCourbes.h"
#include "scope/CourbeWavix.h"
#include "scope/Traceurs.h"

namespace {

const bool kBullesMasquees = ToolTipsHidden();
const int kLargeurBulles = ToolTipMaxWidth();

} // namespace

void ReinitialiserEtatPartage()
{
    Modele().reinitialiser();
    Session().reinitialiser();
    Scope().reinitialiser();
    CouleursEchantillons().reset();
    SetToolTipsHidden(kBullesMasquees);
    SetToolTipMaxWidth(kLargeurBulles);
    FermerFichiers();
    setPerfCounterClock(nullptr);
    setHorloge(nullptr);
    setRandomSource(nullptr);
    setMountProbe(nullptr);
    setFileOwnerProbe(nullptr);
    setLoginNameSource(nullptr);
    setFileWriter(nullptr);
    setSoundPlayer(nullptr);
}
