// A line typed into the exercise-file editor: lines for the comment, then
// CH1's voltage and frequency, CH2's voltage and frequency, then a byte per
// channel for its signal (DC, or one of the three waveforms). The line is
// added; an added line holds no control character, the evaluation reads it,
// it comes back unchanged through the fields and "Modifier", and the file
// saved from the list starts a run with it.

#include "Entree.h"
#include "Fenetres.h"

#include "TestHome.h"
#include "services/EtatProgramme.h"
#include "evaluation/Data.h"
#include "evaluation/frmCreateFile.h"
#include "platform/ScriptedDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace {

// The editor, built once as a teacher opens it, emptied for each input.
struct Editeur {
    TestHome home;
    frmCreateFile* f = nullptr;

    Editeur()
    {
        Session().DossierDonnees = home.documents() + QStringLiteral("/Brelmar/Wavix/");
        QDir().mkpath(Session().DossierDonnees);
        f = Forms().get<frmCreateFile>();
    }
    ~Editeur() { fermerFenetres(); }
    frmCreateFile* vide()
    {
        f->lstListeData->clear();
        f->cmdErase_Click();
        f->cmdChange->setEnabled(false);
        return f;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Entree entree(data, size);
    Editeur& editeur = garde<Editeur>();
    frmCreateFile* f = editeur.vide();
    ScriptedDialogs dialogs;

    f->txtCommentaire->setText(entree.texte());
    const QString champs[4] = {entree.texte(), entree.texte(), entree.texte(), entree.texte()};
    for (int c = 0; c < 2; ++c) {
        const int forme = entree.octet() % 4; // 0 DC, else the waveform item
        f->optSignal[size_t(2 * c + (forme == 0 ? 0 : 1))]->setChecked(true);
        if (forme > 0)
            f->cboAlternatif[size_t(c)]->setCurrentIndex(forme - 1);
    }
    for (int i = 0; i < 4; ++i)
        f->txtData[size_t(i)]->setText(champs[i]); // as pasted
    f->cmdAdd_Click();

    const QStringList lignes = f->lignes();
    for (const QString& ligne : lignes)
        for (const QChar c : ligne)
            EXIGER(c.unicode() >= 0x20);
    const bool ajoutee = !lignes.isEmpty() && EstLigneDonnees(lignes.constLast());
    if (ajoutee) {
        const QString ligne = lignes.constLast();
        ImageExo image;
        QString erreur;
        EXIGER(LireLigneExo(ligne, image, erreur));

        // Chosen, shown in the fields, changed as it stands: the same line.
        f->lstListeData->setCurrentRow(int(lignes.size()) - 1);
        f->cmdChange_Click();
        EXIGER(f->lignes().constLast() == ligne);

        const QString chemin = editeur.home.path(QStringLiteral("essai.qvt"));
        QFile::remove(chemin);
        dialogs.answerFile(chemin);
        f->cmdSave_Click();
        FichierExo fichier;
        QString message;
        EXIGER(ChargerFichierExo(chemin, fichier, message));
        EXIGER(fichier.images.size() == 1);
    } else {
        // Refused: a field to fill in, or a message that says what is wrong.
        bool vide = false;
        for (QLineEdit* champ : f->txtData)
            vide = vide || (champ->isEnabled() && champ->text().isEmpty());
        EXIGER(vide || !dialogs.messages().isEmpty());
    }
    return 0;
}
