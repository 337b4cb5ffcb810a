#include "bench/Voltmetre.h"
#include "services/ModeleBanc.h"

#include "services/FichierINI.h"
#include "services/RequetesBanc.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmToolBox.h"
#include "bench/frmVolt.h"
#include "platform/Forms.h"
#include "platform/ImageBox.h"
#include "services/EtatBanc.h"

#include <QAbstractButton>
#include <QAction>

#include <cmath>

namespace {

frmVolt* multimetreCollege()
{
    return Forms().find<frmVolt>();
}

frmMulti_RMS* multimetreTRMS()
{
    return Forms().find<frmMulti_RMS>();
}

} // namespace

bool MultimetreCollegeChoisi()
{
    return LireINI(QStringLiteral("Options"), QStringLiteral("Multimetre college"), QStringLiteral("0"))
        != QLatin1String("0");
}

bool MesurePossible(int voie)
{
    if (voie != 0 && voie != 1)
        return false;
    if (OptionConnexionChoisie(voie == 0 ? 0 : 11))
        return false;
    const EtatVoie& v = Banc().voies[size_t(voie)];
    return v.SourceBranchee && v.EntreeBranchee && MultimetreBranche();
}

void CalculerMesure()
{
    if (!MultimetreOuvert())
        return;
    if (MultimetreCollegeChoisi()) {
        if (frmVolt* volt = multimetreCollege())
            volt->CalculerMesureCollege();
    } else if (frmMulti_RMS* multi = multimetreTRMS()) {
        multi->CalculerMesureTRMS();
    }
}

void AfficherMesure(double& valeur)
{
    if (!Banc().multimetreAffiche)
        return;
    if (MultimetreCollegeChoisi()) {
        if (frmVolt* volt = multimetreCollege())
            volt->AfficherMesureCollege(valeur);
    } else if (frmMulti_RMS* multi = multimetreTRMS()) {
        multi->AfficherMesureTRMS(valeur);
    }
}

void TournerSelecteur(int position)
{
    if (MultimetreCollegeChoisi()) {
        if (frmVolt* volt = multimetreCollege())
            volt->PlacerSelecteur(position);
    } else if (frmMulti_RMS* multi = multimetreTRMS()) {
        multi->PlacerSelecteur(position);
    }
}

void RelireMultimetre()
{
    TournerSelecteur(PositionSelecteur());
}

// At most one meter window is open: the one found answers, without the
// settings file read again at every reading.
int PositionSelecteur()
{
    if (const frmVolt* volt = multimetreCollege())
        return volt->positionSelecteur();
    if (const frmMulti_RMS* multi = multimetreTRMS())
        return multi->positionSelecteur();
    return MultimetreCollegeChoisi() ? kArretVolt : kArretTRMS;
}

bool MultimetreBranche()
{
    if (const frmVolt* volt = multimetreCollege())
        return volt->branche();
    const frmMulti_RMS* multi = multimetreTRMS();
    return multi && multi->branche();
}

namespace {

enum { BorneV = 0, BorneMA = 1, Borne10A = 2, BorneCOM = 3 };

bool estBorne(int index)
{
    return index >= 0 && index < 4;
}

} // namespace

bool FichePlacee(const FichesMultimetre& fiches, int index)
{
    return estBorne(index) && fiches[size_t(index)];
}

bool PlacerFiche(FichesMultimetre& fiches, int index)
{
    if (!estBorne(index))
        return false;
    if (!FichePlacee(fiches, index)) {
        if (index != BorneCOM)
            for (int i : {BorneV, BorneMA, Borne10A})
                fiches[size_t(i)] = false;
        fiches[size_t(index)] = true;
    }
    return true;
}

bool BasculerFiche(FichesMultimetre& fiches, int index)
{
    if (!estBorne(index))
        return false;
    fiches[size_t(index)] = !fiches[size_t(index)];
    return true;
}

void PeindreFiches(const FichesMultimetre& fiches, const std::array<ImageBox*, 4>& prises)
{
    for (size_t i = 0; i < prises.size(); ++i)
        prises[i]->setVisible(fiches[i]);
}

void MultimetreFerme()
{
    Modele().montrerInstrument(ModeleBanc::Instrument::Multimetre, false);
    if (auto* boite = Forms().find<frmToolBox>())
        boite->chkMulti->setChecked(false);
}
