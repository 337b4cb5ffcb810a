#include "evaluation/frmCreateFile.h"

#include "services/EtatProgramme.h"
#include "evaluation/Data.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/TextCodec.h"
#include "platform/TextFiles.h"
#include "scope/CourbeWavix.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

const char kTitreSaisie[] = "Wavix - Erreur de saisie";
const char kTitreSuppression[] = "Wavix - Suppression donnée";
const char kFiltre[] = "Fichier Wavix (*.qvt)|*.qvt";
// "sinusoïdale", "carrée", "triangulaire".
constexpr int kFormesProposees = 3;

// Each channel's frame holds the same controls at the same places.
std::vector<ControlDesign> voie(int c)
{
    const int x = 120;
    const int y = 120 + 2280 * c;
    std::vector<ControlDesign> d = {
        {ControlKind::Frame, "fraCH", c, x, y, 4680, 2160,
         c == 0 ? "Données pour le wavixgramme voie CH1 : " : "Données pour le wavixgramme voie CH2 : "},
        {ControlKind::OptionButton, "optSignal", 2 * c, x + 180, y + 360, 2160, 285, "Tension continue"},
        {ControlKind::OptionButton, "optSignal", 2 * c + 1, x + 180, y + 780, 2160, 285, "Tension alternative"},
        {ControlKind::ComboBox, "cboAlternatif", c, x + 2460, y + 750, 2040, 345},
        {ControlKind::Label, "lblData", 2 * c, x + 180, y + 1320, 2400, 255, "Tension maximale (en V) : "},
        {ControlKind::TextBox, "txtData", 2 * c, x + 2700, y + 1260, 1800, 345},
        {ControlKind::Label, "lblData", 2 * c + 1, x + 180, y + 1740, 2400, 255, "Fréquence (en Hz) : "},
        {ControlKind::TextBox, "txtData", 2 * c + 1, x + 2700, y + 1680, 1800, 345},
    };
    return d;
}

FormDesign design()
{
    FormDesign d{"Création / Modification de fichiers Wavix", 12960, 6660,
                 {
                     {ControlKind::Frame, "fraCommentaire", -1, 120, 4680, 4680, 1320, "Commentaires : "},
                     {ControlKind::Label, "lblCommentaires", -1, 300, 5040, 4320, 255, "Ajouter un commentaire : "},
                     {ControlKind::TextBox, "txtCommentaire", -1, 300, 5400, 4320, 345},
                     {ControlKind::ListBox, "lstListeData", -1, 4980, 180, 7080, 4500},
                     {ControlKind::Button, "cmdUp", -1, 12180, 1620, 600, 600, "", "Pour monter le verbe dans la liste"},
                     {ControlKind::Button, "cmdDown", -1, 12180, 2400, 600, 600, "", "Pour descendre le verbe dans la liste"},
                     {ControlKind::Button, "cmdAdd", -1, 4980, 4860, 2280, 780, "Ajouter à la liste",
                      "Pour ajouter le verbe à la liste"},
                     {ControlKind::Button, "cmdChange", -1, 7380, 4860, 2280, 780, "Modifier la donnée",
                      "Pour modifier le verbe sélectionné de la liste"},
                     {ControlKind::Button, "cmdRemove", -1, 9780, 4860, 2280, 780, "Retirer de la liste",
                      "Pour retirer le verbe de la liste"},
                     {ControlKind::Button, "cmdErase", -1, 120, 6120, 1800, 420, "Tout effacer"},
                     {ControlKind::Button, "cmdSave", -1, 4980, 5820, 4680, 720, "Enregistrer sous ...",
                      "Pour sauvegarder la liste des verbes"},
                     {ControlKind::Button, "cmdEnd", -1, 9780, 5820, 2280, 720, "Quitter", "Pour quitter sans enregistrer"},
                 }};
    for (int c = 0; c < 2; ++c)
        for (const ControlDesign& control : voie(c))
            d.controls.push_back(control);
    return d;
}

struct Image {
    const char* bouton;
    const char* ressource;
    int taille; // pixels
};
const Image kImages[] = {
    {"cmdAdd", ":/evaluation/edit_add.svg", 32},       {"cmdChange", ":/evaluation/edit_change.svg", 32},
    {"cmdRemove", ":/evaluation/edit_remove.svg", 32}, {"cmdUp", ":/evaluation/edit_up.svg", 32},
    {"cmdDown", ":/evaluation/edit_down.svg", 32},     {"cmdErase", ":/evaluation/edit_erase.svg", 18},
    {"cmdSave", ":/evaluation/edit_save.svg", 23},     {"cmdEnd", ":/evaluation/edit_end.svg", 32},
};

QString canal(int champ)
{
    return champ < 2 ? QStringLiteral("CH1") : QStringLiteral("CH2");
}

// A field as a sentence names it: its label without the colon, in lower
// case ("tension maximale (en V)").
QString nomChamp(const QLabel* etiquette)
{
    QString nom = etiquette->text().trimmed();
    if (nom.endsWith(QLatin1Char(':')))
        nom.chop(1);
    nom = nom.trimmed();
    if (!nom.isEmpty())
        nom[0] = nom[0].toLower();
    return nom;
}

} // namespace

frmCreateFile::frmCreateFile() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, design());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    for (int c = 0; c < 2; ++c) {
        auto* choix = new QButtonGroup(this);
        for (int k = 0; k < 2; ++k) {
            const int index = 2 * c + k;
            optSignal[size_t(index)] = control<QRadioButton>(this, "optSignal", index);
            choix->addButton(optSignal[size_t(index)]);
            connect(optSignal[size_t(index)], &QRadioButton::toggled, this, [this, index](bool coche) {
                if (coche)
                    optSignal_Click(index);
            });
        }
        cboAlternatif[size_t(c)] = control<QComboBox>(this, "cboAlternatif", c);
        cboAlternatif[size_t(c)]->addItems(
            {QStringLiteral("sinusoïdale"), QStringLiteral("carrée"), QStringLiteral("triangulaire")});
        control<QWidget>(this, "fraCH", c)->lower();
    }
    for (int i = 0; i < 4; ++i) {
        lblData[size_t(i)] = control<QLabel>(this, "lblData", i);
        lblData[size_t(i)]->setWordWrap(false);
        txtData[size_t(i)] = control<QLineEdit>(this, "txtData", i);
    }
    control<QWidget>(this, "fraCommentaire")->lower();
    txtCommentaire = control<QLineEdit>(this, "txtCommentaire");
    lstListeData = control<QListWidget>(this, "lstListeData");
    lstListeData->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdChange = control<QPushButton>(this, "cmdChange");
    for (const Image& image : kImages) {
        auto* bouton = control<QPushButton>(this, image.bouton);
        bouton->setIcon(QIcon(QString::fromLatin1(image.ressource)));
        bouton->setIconSize(QSize(image.taille, image.taille));
    }

    connect(lstListeData, &QListWidget::currentRowChanged, this, [this] { lstListeData_Click(); });
    // A click on the line already chosen loads it again.
    connect(lstListeData, &QListWidget::itemClicked, this, [this] { lstListeData_Click(); });
    const std::pair<const char*, void (frmCreateFile::*)()> boutons[] = {
        {"cmdAdd", &frmCreateFile::cmdAdd_Click},       {"cmdChange", &frmCreateFile::cmdChange_Click},
        {"cmdRemove", &frmCreateFile::cmdRemove_Click}, {"cmdUp", &frmCreateFile::cmdUp_Click},
        {"cmdDown", &frmCreateFile::cmdDown_Click},     {"cmdErase", &frmCreateFile::cmdErase_Click},
        {"cmdSave", &frmCreateFile::cmdSave_Click},     {"cmdEnd", &frmCreateFile::cmdEnd_Click},
    };
    for (const auto& [nom, action] : boutons)
        connect(control<QPushButton>(this, nom), &QPushButton::clicked, this, action);
    // Escape leaves the editor as "Quitter" does.
    setCancelButton(control<QPushButton>(this, "cmdEnd"));
}

void frmCreateFile::Form_Load()
{
    cmdChange->setEnabled(false);
    effacerChamps();
    // The toggles above run only on a change: the disabled state is set here.
    optSignal_Click(0);
    optSignal_Click(2);
}

void frmCreateFile::chargerFichier(const QString& chemin, const QStringList& lignes)
{
    fichier_ = chemin;
    for (const QString& ligne : lignes)
        if (!ligne.trimmed().isEmpty())
            lstListeData->addItem(ligne);
    modifiee_ = false;
}

QStringList frmCreateFile::lignes() const
{
    QStringList resultat;
    for (int i = 0; i < lstListeData->count(); ++i)
        resultat << lstListeData->item(i)->text();
    return resultat;
}

void frmCreateFile::optSignal_Click(int index)
{
    const int c = index / 2;
    const bool alternatif = index % 2 == 1;
    cboAlternatif[size_t(c)]->setEnabled(alternatif);
    txtData[size_t(2 * c + 1)]->setEnabled(alternatif);
}

void frmCreateFile::choisirForme(int c, const QString& mot)
{
    QComboBox* liste = cboAlternatif[size_t(c)];
    switch (FormeDuMot(MotType(mot))) {
    case FormeOnde::Sinus: liste->setCurrentIndex(0); return;
    case FormeOnde::Carre: liste->setCurrentIndex(1); return;
    case FormeOnde::Triangle: liste->setCurrentIndex(2); return;
    default: break;
    }
    // A waveform the list does not offer (the alternator's "dyn") is shown
    // and written back as it is.
    liste->addItem(mot);
    liste->setCurrentIndex(liste->count() - 1);
}

void frmCreateFile::effacerChamps()
{
    txtCommentaire->clear();
    optSignal[0]->setChecked(true);
    optSignal[2]->setChecked(true);
    for (QComboBox* liste : cboAlternatif) {
        liste->setCurrentIndex(0);
        while (liste->count() > kFormesProposees)
            liste->removeItem(kFormesProposees);
    }
    for (int i : {0, 2, 1, 3})
        txtData[size_t(i)]->clear();
}

frmCreateFile::Controle frmCreateFile::verifierChamps(bool ajout)
{
    for (int i = 0; i < 4; ++i) {
        QLineEdit* champ = txtData[size_t(i)];
        if (!champ->isEnabled())
            continue;
        QString valeur = ajout ? champ->text() : champ->text().trimmed();
        if (ajout && valeur.isEmpty()) {
            // Nothing is added, and the teacher is told why.
            MsgBox(QStringLiteral("La ") + nomChamp(lblData[size_t(i)]) + QStringLiteral(" pour la voie ") + canal(i)
                       + QStringLiteral("\r\nn'est pas renseignée : la donnée n'a pas été ajoutée.\r\nVeuillez la saisir."),
                   vb::Information, QString::fromUtf8(kTitreSaisie));
            champ->setFocus();
            return Controle::Arret;
        }
        valeur.replace(QLatin1Char('.'), QLatin1Char(','));
        double nombre = 0;
        if (!LireNombreVirgule(valeur, nombre)) {
            MsgBox(QStringLiteral("La ") + nomChamp(lblData[size_t(i)]) + QStringLiteral(" pour la voie ") + canal(i)
                       + QStringLiteral("\r\nn'est pas une valeur numérique.\r\nVeuillez faire la correction nécessaire."),
                   vb::Information, QString::fromUtf8(kTitreSaisie));
            champ->setFocus();
            return Controle::Faux;
        }
        // An alternating picture has a peak and a frequency above 0: at 0 Hz
        // it would draw flat yet be scored as a wave.
        if (!optSignal[size_t(i / 2 * 2)]->isChecked() && nombre <= 0) {
            MsgBox(QStringLiteral("Pour une tension alternative, la ") + nomChamp(lblData[size_t(i)])
                       + QStringLiteral(" pour la voie ") + canal(i)
                       + QStringLiteral("\r\ndoit être supérieure à 0.\r\nVeuillez faire la correction nécessaire."),
                   vb::Information, QString::fromUtf8(kTitreSaisie));
            champ->setFocus();
            return Controle::Faux;
        }
    }
    return Controle::Bon;
}

QString frmCreateFile::composerLigne() const
{
    QString ligne;
    for (int c = 0; c < 2; ++c) {
        const QString tension = txtData[size_t(2 * c)]->text().trimmed();
        if (optSignal[size_t(2 * c)]->isChecked())
            ligne += QStringLiteral("CC/") + tension + QStringLiteral("/");
        else
            ligne += cboAlternatif[size_t(c)]->currentText() + QStringLiteral("/") + tension + QStringLiteral("/")
                + txtData[size_t(2 * c + 1)]->text().trimmed();
        if (c == 0)
            ligne += QStringLiteral("/");
    }
    return withoutControlCharacters(ligne);
}

// A line that the evaluation could not read is refused here, with the
// reader's reason, so that a saved file always starts a run.
bool frmCreateFile::ligneLisible(const QString& ligne)
{
    ImageExo image;
    QString erreur;
    if (LireLigneExo(ligne, image, erreur))
        return true;
    MsgBox(QStringLiteral("Cette donnée ne pourrait pas être lue pendant une évaluation :\r\n") + erreur
               + QStringLiteral("\r\nVeuillez faire la correction nécessaire."),
           vb::Information, QString::fromUtf8(kTitreSaisie));
    return false;
}

// Exercise files are Windows-1252: a comment holding a character the code
// page has not is refused, naming it, rather than saved as "?".
bool frmCreateFile::commentaireEcrivable()
{
    const QString refuse = firstCharacterOutsideWindows1252(txtCommentaire->text());
    if (refuse.isEmpty())
        return true;
    MsgBox(QStringLiteral("Le caractère « ") + refuse
               + QStringLiteral(" » du commentaire ne peut pas être enregistré dans un fichier Wavix, "
                                "dont le codage (Windows-1252) ne le connaît pas.\r\nVeuillez le remplacer "
                                "(par exemple « ohm » pour « Ω »)."),
           vb::Information, QString::fromUtf8(kTitreSaisie));
    txtCommentaire->setFocus();
    return false;
}

int frmCreateFile::ligneChoisie() const
{
    QListWidgetItem* courant = lstListeData->currentItem();
    return courant && courant->isSelected() ? lstListeData->currentRow() : -1;
}

void frmCreateFile::cmdAdd_Click()
{
    // The comment goes in with its picture: a refused picture adds neither.
    if (verifierChamps(true) != Controle::Bon)
        return;
    const QString ligne = composerLigne();
    if (!ligneLisible(ligne))
        return;
    const bool commente = !txtCommentaire->text().trimmed().isEmpty();
    if (commente && !commentaireEcrivable())
        return;
    if (commente)
        lstListeData->addItem(QStringLiteral("'") + withoutControlCharacters(txtCommentaire->text()));
    lstListeData->addItem(ligne);
    modifiee_ = true;
    effacerChamps();
    txtData[0]->setFocus();
}

void frmCreateFile::cmdChange_Click()
{
    const int choisie = ligneChoisie();
    if (choisie < 0)
        return;
    // A comment line takes the comment box's new text; with that box
    // emptied, the fields typed make it a data line.
    if (lstListeData->item(choisie)->text().startsWith(QLatin1Char('\''))) {
        if (!txtCommentaire->text().trimmed().isEmpty()) {
            if (!commentaireEcrivable())
                return;
            lstListeData->item(choisie)->setText(QStringLiteral("'") + withoutControlCharacters(txtCommentaire->text()));
            modifiee_ = true;
            cmdChange->setEnabled(false);
            return;
        }
        if (std::all_of(txtData.begin(), txtData.end(), [](const QLineEdit* c) { return c->text().trimmed().isEmpty(); })) {
            MsgBox(QStringLiteral("Le commentaire est vide.\r\nTapez son nouveau texte dans « Ajouter un commentaire », "
                                  "ou retirez la ligne avec « Retirer de la liste »."),
                   vb::Information, QString::fromUtf8(kTitreSaisie));
            txtCommentaire->setFocus();
            return;
        }
    }
    if (verifierChamps(false) != Controle::Bon)
        return;
    const QString ligne = composerLigne();
    if (!ligneLisible(ligne))
        return;
    lstListeData->item(choisie)->setText(ligne);
    modifiee_ = true;
    cmdChange->setEnabled(false);
}

void frmCreateFile::lstListeData_Click()
{
    const int choisie = ligneChoisie();
    if (choisie < 0)
        return;
    const QString ligne = lstListeData->item(choisie)->text();
    if (ligne.isEmpty())
        return;
    effacerChamps();
    if (ligne.startsWith(QLatin1Char('\''))) {
        txtCommentaire->setText(ligne.mid(1));
        cmdChange->setEnabled(true);
        return;
    }
    // The fields as the evaluation reads them, so that the picture shown is
    // the one the run shows, and rewriting the line keeps it.
    const std::array<QString, 6> champs = DecouperChamps(ligne);
    for (int c = 0; c < 2; ++c) {
        const QString& type = champs[size_t(3 * c)];
        const bool continu = EstTypeContinu(type);
        optSignal[size_t(2 * c + (continu ? 0 : 1))]->setChecked(true);
        if (!continu)
            choisirForme(c, type);
        for (int j = 1; j < 3; ++j) {
            // An empty field reads as 0; a DC channel's frequency is not written.
            const QString& valeur = champs[size_t(3 * c + j)];
            const bool lu = j == 1 || !continu;
            txtData[size_t(2 * c + j - 1)]->setText(valeur.isEmpty() && lu ? QStringLiteral("0") : valeur);
        }
    }
    cmdChange->setEnabled(true);
}

void frmCreateFile::deplacer(int sens)
{
    const int choisie = ligneChoisie();
    const int voisine = choisie + sens;
    if (choisie < 0 || voisine < 0 || voisine >= lstListeData->count())
        return;
    const QString texte = lstListeData->item(choisie)->text();
    lstListeData->item(choisie)->setText(lstListeData->item(voisine)->text());
    lstListeData->item(voisine)->setText(texte);
    modifiee_ = true;
    lstListeData->setCurrentRow(voisine);
}

void frmCreateFile::cmdUp_Click()
{
    deplacer(-1);
}

void frmCreateFile::cmdDown_Click()
{
    deplacer(1);
}

void frmCreateFile::cmdRemove_Click()
{
    const QString titre = QString::fromUtf8(kTitreSuppression);
    const int choisie = ligneChoisie();
    if (choisie < 0) {
        MsgBox(QStringLiteral("Pour supprimer une donnée, vous devez au préalable la sélectionner."), vb::Information,
               titre);
        return;
    }
    if (MsgBox(QStringLiteral("Êtes-vous sûr de vouloir supprimer cette donnée ?"), vb::Information | vb::YesNo, titre)
        != vb::Yes)
        return;
    // The fields keep what they show and no other line is chosen.
    const QSignalBlocker bloque(lstListeData);
    delete lstListeData->takeItem(choisie);
    modifiee_ = true;
    lstListeData->setCurrentRow(-1);
    lstListeData->clearSelection();
}

void frmCreateFile::cmdErase_Click()
{
    effacerChamps();
    txtData[0]->setFocus();
    lstListeData->setCurrentRow(-1);
    lstListeData->clearSelection();
}

void frmCreateFile::cmdSave_Click()
{
    FileDialogRequest demande;
    demande.title = QStringLiteral("Enregistrer sous");
    demande.initialDir = Session().DossierDonnees;
    demande.filter = QString::fromLatin1(kFiltre);
    demande.fileName = fichier_;
    demande.confirmOverwrite = false; // asked below, once the extension is added
    const std::optional<QString> choisi = dialogs().saveFile(demande);
    if (!choisi || choisi->trimmed().isEmpty())
        return;
    QString chemin = *choisi;
    if (!chemin.endsWith(QLatin1String(".qvt"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".qvt");
    const QString nom = QFileInfo(chemin).fileName();
    if (QFileInfo(chemin).exists() || QFileInfo(chemin).isSymLink()) {
        if (MsgBox(QStringLiteral("Le fichier « %1 » existe déjà.\r\nVoulez-vous le remplacer ?").arg(nom),
                   vb::Question | vb::YesNo | vb::DefaultButton2, QStringLiteral("Wavix - Enregistrement"))
            != vb::Yes)
            return;
    }
    // Written beside and put in place whole: a failure leaves the old file.
    if (!writeTextFile(chemin, lignes())) {
        MsgBox(QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré dans le dossier :\r\n%2\r\n"
                              "La liste est conservée : enregistrez-la sous un autre nom ou dans un autre dossier.")
                   .arg(nom, QFileInfo(chemin).absolutePath()),
               vb::Critical, QStringLiteral("Wavix - Erreur"));
        return;
    }
    fichier_ = chemin;
    modifiee_ = false;
    MsgBox(QStringLiteral("Le fichier « %1 » a été enregistré dans le dossier :\r\n%2").arg(nom, QFileInfo(chemin).absolutePath()),
           vb::Information, QStringLiteral("Wavix - Enregistrement"));
}

void frmCreateFile::cmdEnd_Click()
{
    Unload();
}

void frmCreateFile::Form_QueryUnload(bool& cancel, UnloadMode mode)
{
    // As a text editor does: a list changed since it was opened or saved is
    // not dropped without asking (the session's end cannot wait).
    if (!modifiee_ || mode == UnloadMode::Shutdown)
        return;
    switch (MsgBox(QStringLiteral("La liste a été modifiée depuis son dernier enregistrement.\r\n"
                                  "Voulez-vous l'enregistrer avant de quitter ?"),
                   vb::Question | vb::YesNoCancel, QStringLiteral("Wavix - Enregistrement"))) {
    case vb::Yes:
        cmdSave_Click();
        cancel = modifiee_; // saving cancelled or failed: the editor stays
        break;
    case vb::No: break;
    default: cancel = true; break;
    }
}
