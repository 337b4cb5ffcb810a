// The main window's menu and its commands.

#include "app/MDIWavix.h"

#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "services/PanneauScope.h"
#include "app/MotDePasse.h"
#include "app/DispositionFenetres.h"
#include "services/ModeleBanc.h"
#include "services/Version.h"
#include "app/frmOption.h"
#include "bench/FenetresBanc.h"
#include "bench/frmToolBox.h"
#include "evaluation/Data.h"
#include "evaluation/Evaluation.h"
#include "evaluation/ModeLibre.h"
#include "evaluation/Resultats.h"
#include "evaluation/frmCorbeille.h"
#include "evaluation/frmCreateFile.h"
#include "evaluation/frmName.h"
#include "help/AideF1.h"
#include "help/HTMLHelp.h"
#include "help/frmAbout.h"
#include "help/TelechargementFichier.h"
#include "help/frmTip.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/OutputDevices.h"
#include "platform/SystemServices.h"
#include "platform/TextCodec.h"
#include "platform/TextFiles.h"
#include "scope/CourbeWavix.h"
#include "scope/Impression.h"
#include "scope/SensibilitesAuto.h"
#include "scope/SortiesEcran.h"
#include "scope/frmFullScreen.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QTabWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QUrl>

namespace {

enum class Genre { Menu, Commande, Coche, Separateur, FinMenu };

struct EntreeMenu {
    Genre genre;
    const char* nom;
    const char* legende;
    const char* raccourci;
};

// The menu bar in display order; a menu runs to its FinMenu.
const EntreeMenu kMenu[] = {
    {Genre::Menu, "Mnu_File", "&Fichier", ""},
    {Genre::Commande, "Mnu_Libre", "Mode &libre", ""},
    {Genre::Commande, "Mnu_Pilote", "Mode éva&lué", ""},
    {Genre::Separateur, "Mnu_Separ1", "", ""},
    {Genre::Commande, "Mnu_Create", "&Créer un fichier Wavix", ""},
    {Genre::Commande, "Mnu_Modif", "&Modifier un fichier Wavix", ""},
    {Genre::Commande, "Mnu_Kill", "&Supprimer un fichier Wavix", ""},
    {Genre::Separateur, "Mnu_Separ2", "", ""},
    {Genre::Commande, "Mnu_View", "&Visualisation des réponses élèves", ""},
    {Genre::Commande, "Mnu_Clean", "Vider le fichier de &réponses élèves", ""},
    {Genre::Separateur, "Mnu_Separ3", "", ""},
    {Genre::Commande, "Mnu_Print", "&Imprimer écran", ""},
    {Genre::Commande, "Mnu_ConfigPrint", "Con&figuration imprimante", ""},
    {Genre::Separateur, "Mnu_Separ4", "", ""},
    {Genre::Commande, "Mnu_End", "&Quitter", ""},
    {Genre::FinMenu, "", "", ""},
    {Genre::Menu, "Mnu_Edition", "&Édition", ""},
    {Genre::Menu, "Mnu_Copier", "&Copier les wavixgrammes ...", ""},
    {Genre::Commande, "Mnu_ClipBoard(0)", "identique à l'écran", ""},
    {Genre::Commande, "Mnu_ClipBoard(1)", "en niveau de gris", ""},
    {Genre::FinMenu, "", "", ""},
    {Genre::FinMenu, "", "", ""},
    {Genre::Menu, "Mnu_Affichage", "Aff&ichage", ""},
    {Genre::Commande, "Mnu_Harmo", "Générateur d'harmoniques", ""},
    {Genre::Coche, "Mnu_Volt", "&Multimètre", ""},
    {Genre::Coche, "Mnu_Chrono", "&Chronomètre", ""},
    {Genre::Coche, "Mnu_Calc", "&Calculatrice", ""},
    {Genre::Separateur, "Mnu_Separ5", "", ""},
    {Genre::Commande, "Mnu_PosWin", "&Positionnement par défaut des fenêtres", ""},
    {Genre::Coche, "Mnu_ViewFullScreen", "&Visualisation plein écran des wavixgrammes", ""},
    {Genre::FinMenu, "", "", ""},
    {Genre::Menu, "Mnu_Option", "&Options", ""},
    {Genre::Commande, "Mnu_Pref(0)", "&Interface", "Ctrl+I"},
    {Genre::Commande, "Mnu_Pref(1)", "&Wavixgrammes", "Ctrl+O"},
    {Genre::Commande, "Mnu_Pref(2)", "Im&pression", "Ctrl+P"},
    {Genre::Commande, "Mnu_Reglages", "&Sensibilités automatiques", "Ctrl+S"},
    {Genre::FinMenu, "", "", ""},
    {Genre::Menu, "Mnu_Help", "&Aide", ""},
    {Genre::Commande, "Mnu_Help_Contents", "&Sommaire de l'aide d'Wavix", ""},
    {Genre::Commande, "Mnu_Help_Index", "Index de l'aide d'Wavix", ""},
    {Genre::Separateur, "Mnu_Separ7", "", ""},
    {Genre::Commande, "Mnu_Tip", "Astuce du &jour", ""},
    {Genre::Commande, "Mnu_NewTip", "&Rajouter une astuce", ""},
    {Genre::Separateur, "Mnu_Separ8", "", ""},
    {Genre::Commande, "Mnu_PassWord", "Changer le &mot de passe", ""},
    {Genre::Separateur, "Mnu_Separ9", "", ""},
    {Genre::Commande, "Mnu_Web", "Visiter le site de l'auteur", ""},
    {Genre::Commande, "Mnu_About", "À &propos de Wavix", ""},
    {Genre::FinMenu, "", "", ""},
};


// Opens a text file in the desktop's editor, without a shell; false, once
// the user is told why, when none took it.
bool ouvrirDansEditeur(const QString& chemin, const QString& nomMontre)
{
    QString raison;
    if (openInTextEditor(chemin, &raison))
        return true;
    MsgBox(QStringLiteral("Aucun éditeur de texte n'a pu ouvrir le fichier ") + nomMontre
               + (raison.isEmpty() ? QString() : QStringLiteral(" :\r\n") + raison + QLatin1Char('.')),
           vb::Critical, QStringLiteral("Erreur sur le chemin d'accès"));
    return false;
}

bool ouvrirDansEditeur(const QString& chemin)
{
    return ouvrirDansEditeur(chemin, chemin);
}

// Results are shown from a read-only UTF-8 copy, which says so and goes when
// the program ends: a text editor here often misreads Windows-1252, and the
// files themselves must stay as they are.
void montrerTexteResultats(const QString& texte, const QString& nomCopie, const QString& nomMontre)
{
    const QString copie = writeViewCopy(
        QStringLiteral("==== Vue en lecture seule de ") + nomMontre
            + QStringLiteral(" : ce qui est changé ici n'est pas enregistré, et cette copie est effacée à la "
                             "fermeture de Wavix. ====\r\n\r\n")
            + texte,
        nomCopie);
    if (copie.isEmpty()) {
        MsgBox(QStringLiteral("La copie du fichier des réponses des élèves à afficher n'a pas pu être écrite dans ")
                   + QDir::toNativeSeparators(QDir::tempPath()) + QLatin1Char('.'),
               vb::Critical, QStringLiteral("Wavix - Erreur"));
        return;
    }
    ouvrirDansEditeur(copie, nomMontre);
}

void montrerResultats(const QString& fichier)
{
    QFile source(fichier);
    if (!QFileInfo(fichier).isFile() || !source.open(QIODevice::ReadOnly)) {
        MsgBox(QStringLiteral("Le fichier des réponses des élèves n'a pas pu être lu :\r\n") + fichier, vb::Critical,
               QStringLiteral("Wavix - Erreur"));
        return;
    }
    montrerTexteResultats(decodeText(source.readAll()), QFileInfo(fichier).completeBaseName(), fichier);
}

// The results files this account made in the classroom's drop box, which
// it cannot list: kept in its own settings, out of the others' reach.
QSettings fichiersDuCompte()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brelmar"),
                     QStringLiteral("wavix-resultats"));
}

const QString kCleFichiers = QStringLiteral("Salle/Fichiers");

} // namespace

void MDIWavix::creerMenus()
{
    QList<QMenu*> pile;
    for (const EntreeMenu& e : kMenu) {
        const QString nom = QString::fromLatin1(e.nom);
        switch (e.genre) {
        case Genre::Menu: {
            QMenu* m = pile.isEmpty() ? menuBar()->addMenu(QString::fromUtf8(e.legende))
                                      : pile.last()->addMenu(QString::fromUtf8(e.legende));
            m->setObjectName(nom);
            m->menuAction()->setObjectName(nom);
            menus_.insert(nom, m->menuAction());
            pile << m;
            break;
        }
        case Genre::FinMenu: pile.removeLast(); break;
        case Genre::Separateur: pile.last()->addSeparator()->setObjectName(nom); break;
        case Genre::Commande:
        case Genre::Coche: {
            QAction* a = pile.last()->addAction(QString::fromUtf8(e.legende));
            a->setObjectName(nom);
            a->setCheckable(e.genre == Genre::Coche);
            if (*e.raccourci)
                a->setShortcut(QKeySequence(QString::fromLatin1(e.raccourci)));
            menus_.insert(nom, a);
            break;
        }
        }
    }
    Mnu_End = menu("Mnu_End");
    Mnu_Libre = menu("Mnu_Libre");
    Mnu_Pilote = menu("Mnu_Pilote");
    Mnu_Create = menu("Mnu_Create");
    Mnu_Modif = menu("Mnu_Modif");
    Mnu_Kill = menu("Mnu_Kill");
    Mnu_View = menu("Mnu_View");
    Mnu_Clean = menu("Mnu_Clean");
    Mnu_Volt = menu("Mnu_Volt");
    Mnu_Chrono = menu("Mnu_Chrono");
    Mnu_Calc = menu("Mnu_Calc");
    Mnu_Reglages = menu("Mnu_Reglages");
    Mnu_ViewFullScreen = menu("Mnu_ViewFullScreen");
    Mnu_Harmo = menu("Mnu_Harmo");

    // The instrument items show the bench's state, which the toolbox's boxes
    // change: a click only asks the box to change.
    for (QAction* coche : {Mnu_Volt, Mnu_Chrono, Mnu_Calc})
        connect(coche, &QAction::triggered, this, [this] { montrerInstruments(); }, Qt::DirectConnection);
    auto relier = [this](const char* nom, auto commande) {
        connect(menu(QString::fromLatin1(nom)), &QAction::triggered, this, commande);
    };
    relier("Mnu_End", &MDIWavix::Mnu_End_Click);
    relier("Mnu_Libre", &MDIWavix::Mnu_Libre_Click);
    relier("Mnu_Pilote", &MDIWavix::Mnu_Pilote_Click);
    relier("Mnu_Create", &MDIWavix::Mnu_Create_Click);
    relier("Mnu_Modif", &MDIWavix::Mnu_Modif_Click);
    relier("Mnu_Kill", &MDIWavix::Mnu_Kill_Click);
    relier("Mnu_View", &MDIWavix::Mnu_View_Click);
    relier("Mnu_Clean", &MDIWavix::Mnu_Clean_Click);
    relier("Mnu_Print", &MDIWavix::Mnu_Print_Click);
    relier("Mnu_ConfigPrint", &MDIWavix::Mnu_ConfigPrint_Click);
    relier("Mnu_Volt", &MDIWavix::Mnu_Volt_Click);
    relier("Mnu_Chrono", &MDIWavix::Mnu_Chrono_Click);
    relier("Mnu_Calc", &MDIWavix::Mnu_Calc_Click);
    relier("Mnu_Harmo", &MDIWavix::Mnu_Harmo_Click);
    relier("Mnu_PosWin", &PositionnerFenetres);
    GarderEnVueAuRetour(this, mdiArea_);
    relier("Mnu_ViewFullScreen", &MDIWavix::Mnu_ViewFullScreen_Click);
    relier("Mnu_Reglages", &MDIWavix::Mnu_Reglages_Click);
    relier("Mnu_Help_Contents", &MDIWavix::Mnu_Help_Contents_Click);
    relier("Mnu_Help_Index", &MDIWavix::Mnu_Help_Index_Click);
    relier("Mnu_Tip", &MDIWavix::Mnu_Tip_Click);
    relier("Mnu_NewTip", &MDIWavix::Mnu_NewTip_Click);
    relier("Mnu_PassWord", &MDIWavix::Mnu_PassWord_Click);
    relier("Mnu_Web", &MDIWavix::Mnu_Web_Click);
    relier("Mnu_About", &MDIWavix::Mnu_About_Click);
    for (int i = 0; i < 3; ++i)
        connect(menu(QStringLiteral("Mnu_Pref(%1)").arg(i)), &QAction::triggered, this, [this, i] { Mnu_Pref_Click(i); });
    for (int i = 0; i < 2; ++i)
        connect(menu(QStringLiteral("Mnu_ClipBoard(%1)").arg(i)), &QAction::triggered, this,
                [this, i] { Mnu_ClipBoard_Click(i); });
    // The harmonic generator entry waits for its window.
    Mnu_Harmo->setEnabled(SourceDisponible(QStringLiteral("frmHarmoniqueA")));
}

bool MDIWavix::porteProfesseur()
{
    if (Session().ModeProfesseur)
        return true;
    // A classroom password that cannot be read opens nothing, and says why.
    if (const QString ferme = MotDePasseFerme(); !ferme.isEmpty()) {
        MsgBox(ferme, vb::Exclamation, QStringLiteral("Wavix - Mot de passe"));
        return false;
    }
    Forms().get<frmPass>()->Show(true);
    return Session().ModeProfesseur;
}

void MDIWavix::Mnu_Libre_Click()
{
    retourModeLibre(false);
}

void MDIWavix::retourModeLibre(bool reglageSiUn)
{
    // The bench cleared is seen once, at the end.
    ModeleBanc::Lot lot(Modele());
    ActiverModeLibre(true);
    Forms().unload(QStringLiteral("frmExo"));
    FermerFichiers();
    Modele().oublierFichierExercice();
    if (frmToolBox* b = Forms().find<frmToolBox>()) {
        for (QGroupBox* cadre : b->fraAlim)
            cadre->setEnabled(true);
        b->choisir(0);
        b->choisir(11);
    }
    // A missing setting counts as "0"; after a mark only "1" enables.
    const QString reglage = LireINI(QStringLiteral("Options"), QStringLiteral("Reglage auto"), QString());
    Mnu_Reglages->setEnabled(reglageSiUn ? reglage == QLatin1String("1")
                                         : !reglage.isEmpty() && reglage != QLatin1String("0"));
    for (int voie = 0; voie < 2; ++voie) {
        Modele().modifierVoie(voie, [](EtatVoie& v) {
            v.FormeSignal = QStringLiteral("Cc");
            v.Amplitude = 0;
            v.Frequence = 0;
        });
        const QString suffixe = voie == 0 ? QStringLiteral("A") : QStringLiteral("B");
        for (const char* fenetre : {"frmGBF", "frmAlim", "frmPile"})
            Forms().unload(QString::fromLatin1(fenetre) + suffixe);
    }
}

void MDIWavix::Mnu_Pilote_Click()
{
    // Asked at every run from the menu, so that a run is never recorded
    // under the previous student's name.
    auto* identite = Forms().get<frmName>();
    identite->Show(true);
    if (identite->txtIdent[1]->text().isEmpty())
        return;

    // A cancel is no error: the program stays in free mode without a word.
    const std::optional<QString> choisi = dialogs().openFile(DemandeFichierExercice());
    if (!choisi)
        return;
    // The whole file is read and checked first: a run that cannot start
    // writes nothing.
    FichierExo exercice;
    QString message;
    if (!ChargerFichierExo(*choisi, exercice, message)) {
        MsgBox(message, vb::Critical, QStringLiteral("Wavix - Erreur"));
        return;
    }
    Modele().choisirFichierExercice(exercice.titre, QFileInfo(*choisi).absolutePath());
    if (!ouvrirResultats()) {
        FermerFichiers();
        MsgBox(QStringLiteral("Le fichier des réponses des élèves ne peut pas être écrit :\r\n") + FichierResultat,
               vb::Critical, QStringLiteral("Wavix - Erreur"));
        return;
    }
    // A header that cannot be written is reported by the writer.
    if (!EcrireResultats(EnteteEleve(identite->txtIdent[1]->text(), identite->txtIdent[2]->text(),
                                     identite->txtIdent[3]->text())))
        return;
    DemarrerEvaluation(exercice);
}

bool MDIWavix::ouvrirResultats()
{
    if (!DepotClasse.isEmpty()) {
        // A new file of the student's own in the drop box, readable by the
        // teacher's group alone.
        const QString nom = DepotClasse + QLatin1Char('/') + NomFichierResultat(NomUtilisateur(), Maintenant());
        const QString ouvert = OuvrirFichierResultats(nom, kModeFichierDepose, false);
        FichierResultat = ouvert.isEmpty() ? nom : ouvert;
        if (ouvert.isEmpty())
            return false;
        QSettings liste = fichiersDuCompte();
        liste.setValue(kCleFichiers, liste.value(kCleFichiers).toStringList() << ouvert);
        return true;
    }
    if (Reseau) {
        // The file of this program's run, or another name when a classmate
        // took this one first.
        const QString ouvert =
            OuvrirFichierResultats(FichierResultat, ModeFichierDepot(QFileInfo(FichierResultat).path()), true);
        if (ouvert.isEmpty())
            return false;
        FichierResultat = ouvert;
        return true;
    }
    return FichierResultatOuvert().open(FichierResultat, kModeFichierPrive);
}

void MDIWavix::Mnu_Create_Click()
{
    if (!porteProfesseur())
        return;
    Forms().get<frmCreateFile>()->Show(true);
}

void MDIWavix::Mnu_Modif_Click()
{
    if (!porteProfesseur())
        return;
    FileDialogRequest demande;
    demande.initialDir = Session().DossierDonnees;
    demande.filter = QStringLiteral("Fichiers Wavix (*.qvt)|*.qvt");
    demande.mustExist = true;
    const std::optional<QString> choisi = dialogs().openFile(demande);
    if (!choisi)
        return;
    QStringList lignes;
    QString message;
    if (!LireLignesExo(*choisi, lignes, message)) {
        MsgBox(message, vb::Critical);
        return;
    }
    auto* editeur = Forms().get<frmCreateFile>();
    editeur->chargerFichier(*choisi, lignes);
    editeur->Show(true);
}

void MDIWavix::Mnu_Kill_Click()
{
    if (!porteProfesseur())
        return;
    Forms().get<frmCorbeille>()->Show(true);
}

QString MDIWavix::fichierResultatsChoisi()
{
    if (!Reseau)
        return Session().DossierDonnees + QStringLiteral("Resultat.txt");
    FileDialogRequest demande;
    demande.initialDir = QFileInfo(FichierResultat).absolutePath();
    demande.filter = QStringLiteral("Fichier texte (*.txt)|*.txt");
    demande.mustExist = true;
    return dialogs().openFile(demande).value_or(QString());
}

void MDIWavix::Mnu_View_Click()
{
    if (!porteProfesseur())
        return;
    if (!DepotClasse.isEmpty()) {
        FermerFichiers();
        montrerResultatsClasse();
        return;
    }
    const QString fichier = fichierResultatsChoisi();
    if (fichier.isEmpty())
        return;
    FermerFichiers();
    montrerResultats(fichier);
}

void MDIWavix::Mnu_Clean_Click()
{
    if (!DepotClasse.isEmpty()) {
        // The class's results are the teacher's: no other account may
        // delete them, whatever password it was given.
        if (currentAccount() != ProfesseurClasse) {
            MsgBox(QStringLiteral("Seul le compte du professeur (") + accountName(ProfesseurClasse)
                       + QStringLiteral(") peut vider les réponses des élèves."),
                   vb::Exclamation, QStringLiteral("Wavix"));
            return;
        }
        if (porteProfesseur())
            viderResultatsClasse();
        return;
    }
    if (!porteProfesseur())
        return;
    // "Non" is the default: Enter alone empties nothing.
    if (MsgBox(QStringLiteral("Voulez-vous vraiment vider le fichier des réponses des élèves ?"),
               vb::Critical | vb::YesNo | vb::DefaultButton2, QStringLiteral("Wavix"))
        == vb::No)
        return;
    const QString fichier = fichierResultatsChoisi();
    if (fichier.isEmpty())
        return;
    FermerFichiers();
    // Emptied in place, never through a link; success is announced once the
    // file is really empty.
    const FileStatus etat = truncateRegularFile(fichier);
    if (etat == FileStatus::Missing)
        return;
    if (etat != FileStatus::Ok) {
        MsgBox(QStringLiteral("Le fichier des réponses des élèves n'a pas pu être vidé :\r\n") + fichier
                   + QStringLiteral("\r\nCe fichier ") + frenchReason(etat, 0) + QLatin1Char('.'),
               vb::Critical, QStringLiteral("Wavix - Erreur"));
        return;
    }
    MsgBox(Reseau ? QStringLiteral("Fichier ") + QFileInfo(fichier).fileName() + QStringLiteral(" vidé.")
                  : QStringLiteral("Le fichier des réponses des élèves a été vidé."),
           vb::Information, QStringLiteral("Wavix"));
}

void MDIWavix::montrerResultatsClasse()
{
    QList<FichierResultats> fichiers;
    if (currentAccount() == ProfesseurClasse) {
        if (!LireDepotResultats(DepotClasse, fichiers)) {
            MsgBox(QStringLiteral("Le dossier des réponses des élèves ne peut pas être lu :\r\n") + DepotClasse,
                   vb::Critical, QStringLiteral("Wavix - Erreur"));
            return;
        }
    } else {
        // The account's own files, still there and still its own.
        QSettings liste = fichiersDuCompte();
        QStringList siens;
        for (const QString& chemin : liste.value(kCleFichiers).toStringList()) {
            const FichierResultats f = LireFichierResultats(chemin);
            if (f.etat != FileStatus::Missing && f.proprietaire == currentAccount() && !siens.contains(chemin)) {
                fichiers << f;
                siens << chemin;
            }
        }
        liste.setValue(kCleFichiers, siens);
    }
    if (fichiers.isEmpty()) {
        MsgBox(currentAccount() == ProfesseurClasse
                   ? QStringLiteral("Aucun élève n'a encore déposé de réponses dans :\r\n") + DepotClasse
                   : QStringLiteral("Ce compte n'a encore déposé aucune réponse dans :\r\n") + DepotClasse,
               vb::Information, QStringLiteral("Wavix"));
        return;
    }
    montrerTexteResultats(VueResultats(fichiers), QStringLiteral("Reponses-eleves"), DepotClasse);
}

void MDIWavix::viderResultatsClasse()
{
    QList<FichierResultats> fichiers;
    if (!LireDepotResultats(DepotClasse, fichiers)) {
        MsgBox(QStringLiteral("Le dossier des réponses des élèves ne peut pas être lu :\r\n") + DepotClasse,
               vb::Critical, QStringLiteral("Wavix - Erreur"));
        return;
    }
    if (fichiers.isEmpty()) {
        MsgBox(QStringLiteral("Aucun élève n'a encore déposé de réponses dans :\r\n") + DepotClasse,
               vb::Information, QStringLiteral("Wavix"));
        return;
    }
    if (MsgBox(QStringLiteral("Voulez-vous vraiment supprimer les fichiers des réponses des élèves (")
                   + QString::number(fichiers.size()) + QStringLiteral(") ?"),
               vb::Critical | vb::YesNo | vb::DefaultButton2, QStringLiteral("Wavix"))
        != vb::Yes)
        return;
    FermerFichiers();
    const QStringList restes = SupprimerFichiersResultats(fichiers);
    if (restes.isEmpty())
        MsgBox(QStringLiteral("Les fichiers des réponses des élèves ont été supprimés."), vb::Information,
               QStringLiteral("Wavix"));
    else
        MsgBox(QStringLiteral("Ces fichiers des réponses des élèves n'ont pas pu être supprimés de ") + DepotClasse
                   + QStringLiteral(" :\r\n") + restes.join(QStringLiteral("\r\n")),
               vb::Critical, QStringLiteral("Wavix - Erreur"));
}

void MDIWavix::Mnu_Print_Click()
{
    if (MsgBox(QStringLiteral("Voulez-vous imprimer les wavixgrammes ?"), vb::Question | vb::YesNo,
               QStringLiteral("Wavix"))
        == vb::No)
        return;
    ImprimerCourbes();
}

void MDIWavix::Mnu_ConfigPrint_Click()
{
    // A cancel leaves the printer chosen before.
    dialogs().setUpPrinter(chosenPrinter());
}

void MDIWavix::Mnu_ClipBoard_Click(int index)
{
    CopierEcran(index);
}

void MDIWavix::Mnu_Volt_Click()
{
    if (frmToolBox* b = Forms().find<frmToolBox>())
        b->chkMulti->setChecked(!Banc().multimetreAffiche);
}

void MDIWavix::Mnu_Chrono_Click()
{
    if (frmToolBox* b = Forms().find<frmToolBox>())
        b->chkClock->setChecked(!Banc().chronoAffiche);
}

void MDIWavix::Mnu_Calc_Click()
{
    if (frmToolBox* b = Forms().find<frmToolBox>())
        b->chkCalc->setChecked(!Banc().calculatriceOuverte);
}

void MDIWavix::Mnu_Harmo_Click()
{
    // Through the toolbox, so that CH1 is connected as a choice there does.
    if (frmToolBox* b = Forms().find<frmToolBox>())
        b->choisir(16);
}

void MDIWavix::Mnu_Pref_Click(int index)
{
    if (!porteProfesseur())
        return;
    auto* options = Forms().get<frmOption>();
    options->sstOptions->setCurrentIndex(index);
    options->Show(true);
}

void MDIWavix::Mnu_Reglages_Click()
{
    if (porteProfesseur())
        SensibilitesAutomatiques();
}

void MDIWavix::Mnu_Help_Contents_Click()
{
    AideHTML().CHMFile = FichierAide();
    AideHTML().HHDisplayContents();
}

void MDIWavix::Mnu_Help_Index_Click()
{
    AideHTML().CHMFile = FichierAide();
    AideHTML().HHDisplayIndex();
}

void MDIWavix::Mnu_Tip_Click()
{
    Forms().get<frmTip>()->Show(true);
}

void MDIWavix::Mnu_NewTip_Click()
{
    if (!porteProfesseur())
        return;
    const QString astuces = Session().DossierDonnees + QStringLiteral("TipOfDayWavix.txt");
    const bool cree = !QFileInfo::exists(astuces) && !QFileInfo(astuces).isSymLink();
    if (cree && !writeTextFile(astuces, {})) {
        MsgBox(QStringLiteral("Le fichier des astuces ne peut pas être créé :\r\n") + astuces, vb::Critical,
               QStringLiteral("Wavix - Erreur"));
        return;
    }
    // No editor took it: the empty file made for it goes again.
    if (!ouvrirDansEditeur(astuces) && cree)
        QFile::remove(astuces);
}

void MDIWavix::Mnu_PassWord_Click()
{
    Forms().get<frmPassWord>()->Show();
}

void MDIWavix::Mnu_Web_Click()
{
    QString raison;
    if (!openWebPage(AdresseSiteEditeur(), &raison))
        MsgBox(QStringLiteral("Le site de l'auteur n'a pas pu être ouvert") + (raison.isEmpty() ? QString() : QStringLiteral(" : ") + raison)
                   + QStringLiteral(".\r\n") + AdresseSiteEditeur(),
               vb::Critical, QStringLiteral("Wavix"));
}

void MDIWavix::Mnu_ViewFullScreen_Click()
{
    AfficherPleinEcran();
}

void MDIWavix::Mnu_About_Click()
{
    Forms().get<frmAbout>()->Show(true);
}
