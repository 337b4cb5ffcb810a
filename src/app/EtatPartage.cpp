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

#include <functional>
#include <vector>

namespace {

// Gives the variable back the value it holds now.
template <class T>
std::function<void()> valeurActuelle(T& variable)
{
    return [&variable, valeur = variable] { variable = valeur; };
}

// The shared variables with the values they start with: this list is built
// before main(), after the variables of the headers above (defined before it,
// they are initialised first).
const std::vector<std::function<void()>> kValeursDeDepart = {
    valeurActuelle(BaseTemps),
    valeurActuelle(PositionHorizontale),
    valeurActuelle(EpaisseurTrace),
    valeurActuelle(LuminositeTrace),
    valeurActuelle(CouleurFond),
    valeurActuelle(CouleurGrille),
    valeurActuelle(CouleurCadre),
    valeurActuelle(ComposantesCouleurs),
    valeurActuelle(NiveauSeuil),
    valeurActuelle(PositionSpot),
    valeurActuelle(TraceCourante),
    valeurActuelle(SpotLast),
    valeurActuelle(EcranPanneauImpose),
};

const bool kBullesMasquees = ToolTipsHidden();
const int kLargeurBulles = ToolTipMaxWidth();

} // namespace

void ReinitialiserEtatPartage()
{
    Modele().reinitialiser();
    Session().reinitialiser();
    CouleursEchantillons().reset();
    for (const auto& remettre : kValeursDeDepart)
        remettre();
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
