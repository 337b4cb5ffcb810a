#include "evaluation/Evaluation.h"

#include "services/EtatProgramme.h"
#include "bench/frmToolBox.h"
#include "evaluation/ModeLibre.h"
#include "evaluation/Resultats.h"
#include "evaluation/frmExo.h"
#include "evaluation/frmNote.h"
#include "services/Dossiers.h"
#include "services/EtatBanc.h"
#include "services/ModeleBanc.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>

FileDialogRequest DemandeFichierExercice()
{
    FileDialogRequest demande;
    demande.initialDir = Session().DossierDonnees;
    demande.filter = QStringLiteral("Fichier Wavix (*.qvt *.QVT *.Qvt)|*.qvt;*.QVT;*.Qvt");
    demande.mustExist = true;
    return demande;
}

const FichierExo& ExerciceEnCours()
{
    return Banc().exercice;
}

void DemarrerEvaluation(const FichierExo& exercice)
{
    // The student at the bench now has none of the teacher's rights, even
    // when the teacher gave the password to prepare the run.
    Session().ModeProfesseur = false;
    for (const char* nom : {"frmGBFA", "frmGBFB", "frmAlimA", "frmAlimB", "frmPileA", "frmPileB", "frmDynA", "frmDynB"})
        Forms().unload(QString::fromLatin1(nom));
    if (auto* boite = Forms().find<frmToolBox>()) {
        boite->choisir(0);
        boite->choisir(11);
        for (QGroupBox* cadre : boite->fraAlim)
            cadre->setEnabled(false);
    }
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& v) { v.SourceBranchee = true; });
    ActiverModeLibre(false);
    if (!EcrireResultats(EnteteEpreuve(exercice.titre, Maintenant())) && FichierResultatOuvert().failed()) {
        Modele().demanderFinDeRun(false);
        return;
    }

    Modele().commencerEpreuve(exercice);
    LigneExoSuivante();
    // A file without picture has already ended in the mark window.
    if (!Banc().modeLibre && Banc().numLigneExo > 0) {
        // The answer window last, above the scope it may overlap on a small screen.
        Forms().get<frmWavix>()->Show();
        Forms().get<frmExo>()->Show();
    }
}

namespace {

// The mark window's "Fichier": the same student on another exercise file.
void autreFichier()
{
    Modele().reglerScore(0, Banc().scoreMaxExo);
    Modele().oublierFichierExercice();
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& v) {
        v.SignalExo = QStringLiteral("Cc");
        v.UmaxExo = 0;
        v.FreqExo = 0;
    });
    Forms().unload(QString::fromLatin1(frmExo::kNom));

    const std::optional<QString> choisi = dialogs().openFile(DemandeFichierExercice());
    FichierExo exercice;
    QString message;
    if (!choisi) {
        Modele().demanderFinDeRun(true);
        return;
    }
    if (!ChargerFichierExo(*choisi, exercice, message)) {
        MsgBox(message, vb::Critical, QStringLiteral("Wavix - Erreur"));
        Modele().demanderFinDeRun(true);
        return;
    }
    Modele().choisirFichierExercice(exercice.titre, QFileInfo(*choisi).absolutePath());
    DemarrerEvaluation(exercice);
}

// The end of the file: the mark, then the student's choice, carried out here
// once the mark window is closed.
void terminerEpreuve()
{
    auto* note = Forms().get<frmNote>();
    // A mark that could not be written has ended the run (reported).
    if (FichierResultatOuvert().failed()) {
        Forms().unload(QString::fromLatin1(frmNote::kNom));
        Modele().demanderFinDeRun(false);
        return;
    }
    note->Show(true);
    const int choix = note->choix();
    Forms().unload(QString::fromLatin1(frmNote::kNom));
    switch (choix) {
    case frmNote::AutreFichier: autreFichier(); break;
    case frmNote::Quitter:
        FermerFichiers();
        TerminerProgramme()();
        break;
    default:
        Modele().demanderFinDeRun(true);
        break;
    }
}

} // namespace

void LigneExoSuivante()
{
    const FichierExo& exercice = ExerciceEnCours();
    if (Banc().numLigneExo >= exercice.images.size()) {
        terminerEpreuve();
        return;
    }
    Modele().montrerLigne(Banc().numLigneExo + 1);
    const int numLigne = Banc().numLigneExo;
    auto* reponses = Forms().get<frmExo>();
    reponses->preparer(QStringLiteral("%1 - %2 wavixgrammes - Wavixgramme n° %3")
                           .arg(exercice.titre, QString::number(Banc().nbLignesExo),
                                QString::number(numLigne)));
    ChargerImageExo(exercice.images[numLigne - 1]);
}
