#include "evaluation/Evaluation.h"

#include "app/MDIWavix.h"
#include "app/Version.h"
#include "bench/frmToolBox.h"
#include "evaluation/ModeLibre.h"
#include "evaluation/Resultats.h"
#include "evaluation/frmExo.h"
#include "platform/Forms.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QDateTime>
#include <QFrame>

FichierExo& ExerciceEnCours()
{
    static FichierExo exercice;
    return exercice;
}

void DemarrerEvaluation(const FichierExo& exercice)
{
    MDIWavix* mdi = MDIWavix::instance();
    for (const char* nom : {"frmGBFA", "frmGBFB", "frmAlimA", "frmAlimB", "frmPileA", "frmPileB", "frmDynA", "frmDynB"})
        Forms().unload(QString::fromLatin1(nom));
    if (auto* boite = dynamic_cast<frmToolBox*>(Forms().find(QString::fromLatin1(frmToolBox::kNom)))) {
        boite->choisir(0);
        boite->choisir(11);
        for (QFrame* cadre : boite->fraAlim)
            cadre->setEnabled(false);
    }
    SourceBrancheeA = true;
    SourceBrancheeB = true;
    ActiverModeLibre(false);
    EcrireResultats(EnteteEpreuve(exercice.titre, QDateTime::currentDateTime()));

    ExerciceEnCours() = exercice;
    NbLignesExo = int(exercice.images.size());
    if (mdi) {
        mdi->setWindowTitle(QStringLiteral("Wavix v.%1.%2 - Mode évalué").arg(kVersionMajeure).arg(kVersionMineure));
        mdi->ModeLibre = false;
    }
    NumLigneExo = 0;
    ScoreExo = 0;
    ScoreMaxExo = 0;
    LigneExoSuivante();
    Forms().get<frmExo>()->Show();
    Forms().get<frmWavix>()->Show();
}

void LigneExoSuivante()
{
    const FichierExo& exercice = ExerciceEnCours();
    if (NumLigneExo >= exercice.images.size()) {
        // The mark window closes the run once the bench has it.
        return;
    }
    ++NumLigneExo;
    auto* reponses = Forms().get<frmExo>();
    reponses->preparer(QStringLiteral("%1 - %2 wavixgrammes - Wavixgramme n° %3")
                           .arg(exercice.titre)
                           .arg(NbLignesExo)
                           .arg(NumLigneExo));
    ChargerImageExo(exercice.images[NumLigneExo - 1]);
}
