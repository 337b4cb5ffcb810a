#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

#include <sys/types.h>

// Folder identifiers of the machine-wide folders.
constexpr int kDossierDonneesCommunes = 35;   // application data
constexpr int kDossierDocumentsCommuns = 46;  // documents

// The path of a machine-wide folder, without trailing "/": identifier 35 is
// $WAVIX_COMMON_APPDATA, else the user's data folder; 46 is
// $WAVIX_COMMON_DOCUMENTS, else the user's documents folder. A folder named
// by the environment that does not exist is reported (once in the run), and
// the user's own folder stands for it.
QString CheminDossierSpecial(int identifiant);

// The path lies in a classroom's shared folder ($WAVIX_COMMON_APPDATA or
// $WAVIX_COMMON_DOCUMENTS), which every account of the machine uses.
bool SousRacinePartagee(const QString& chemin);

// Why a classroom's shared folder <root>/Brelmar/Wavix cannot be used.
enum class EtatDossierPartage {
    Pret,
    Manquant,        // a level does not exist
    PasUnDossier,    // a level is a link, a file, ...
    AutreCompte,     // a level belongs to another ordinary account
    NonProtege,      // others may write in a level that has no sticky bit
    NonInscriptible, // the user cannot write in the program's folder
    SansProfesseur,  // the documents were not prepared with the teacher's account
    DepotNonProtege, // the drop box of the results has not the modes 3733
};
struct ConstatDossierPartage {
    EtatDossierPartage etat = EtatDossierPartage::Pret;
    QString niveau;          // the folder at fault
    uid_t proprietaire = 0;  // its owner, for AutreCompte
    uid_t professeur = 0;    // documents ready: the teacher's account
};
// Checks a shared root and its levels Brelmar and Brelmar/Wavix, which hold
// every account's files. The root may be reached through links; the levels
// below it never are. Nothing is created.
// - Settings (identifier 35): each level belongs to the administrator (root)
//   or to the user himself, none may be written by others without the sticky
//   bit (a sticky folder protects each file from everyone but its owner and
//   the folder's), and the user can write in the last one.
// - Documents (identifier 46), the classroom's layout: the root as above;
//   Brelmar belongs to root and nobody else may write there, so that only
//   the administrator chose the owner of Brelmar/Wavix, the teacher's
//   account, where nobody else may write either (the exercise files and the
//   tips are his); in it the drop box Resultats is the teacher's, mode 3733
//   (set-group-id and sticky: each account adds its own results files, which
//   take the folder's group, and nobody but the teacher may list them), and
//   the user can add files there.
ConstatDossierPartage VerifierDossierPartage(const QString& racine, int identifiant = kDossierDonneesCommunes);
// The command of the README that prepares the classroom's shared roots, as
// the administrator types it (the roots named by the environment; the
// teacher's account when known), with options before the roots.
QString CommandePreparation(const QString& professeur = QString(), const QString& options = QString());
// Names of the classroom's layout.
inline const QString kDossierDepotClasse = QStringLiteral("Resultats");
inline const QString kDossierProfesseur = QStringLiteral("Professeur");
inline const QString kFichierMotDePasseClasse = QStringLiteral("MotDePasseClasse");

// The classroom the program runs in: $WAVIX_COMMON_DOCUMENTS names a shared
// root prepared with the teacher's account.
struct SalleDeClasse {
    uid_t professeur = 0;
    QString depot;      // <documents>/Brelmar/Wavix/Resultats
    QString motDePasse; // <data>/Brelmar/Wavix/Professeur/MotDePasseClasse; empty
                        // when $WAVIX_COMMON_APPDATA names no folder
};
// Looked at now; nothing is shown.
std::optional<SalleDeClasse> SalleDeClasseActuelle();
// What the user is told when a shared folder cannot be used and his own
// folder stands in.
QString MessageDossierPartage(const ConstatDossierPartage& constat, const QString& personnel);

// The machine-wide folder the program works in for identifier 35 or 46,
// ending in "/": CheminDossierSpecial's, unless it is a shared root whose
// levels are not prepared; then the user's own folder stands in, so that
// nothing is lost, once the user has been told (once in the run) which
// folder to prepare and with which command.
QString RacineDeTravail(int identifiant);
// The user's own folder for identifier 35 or 46, without trailing "/".
QString DossierPersonnel(int identifiant);

// Creates the missing levels of one of the user's own folders. Under a
// shared root nothing is created: the administrator prepares those. False
// when the folder is still missing.
bool CreerDossier(const QString& chemin);
// Why one of the user's own folders cannot be created, in French: the folder,
// the level at fault (a file in the way, or a folder his account cannot write
// in) and what to do.
QString MessageDossierImpossible(const QString& chemin);

// In a shared folder, the user's settings file at that path is his own: a
// regular file of his account, or made for him now (empty) when missing, so
// that no classmate can plant it later. False when the name is taken by
// anything else (another account's file, a link, a FIFO): that is not his.
bool ReglagesDuCompte(const QString& chemin);
// What the user is told then.
QString MessageReglagesPlantes(const QString& plante, const QString& personnel);

// The password marker "MotDePasse.txt" of the deposit folder exists after
// this: made empty when missing. Whatever another account put at that name
// (his own read-only file, a link) is left as it is, unopened, and serves.
// False when it cannot be made (the folder is missing or closed to the user).
bool PreparerMarqueMotDePasse(const QString& dossierDepot);

// Opens the results file of a run for appending (FichierResultatOuvert()):
// at `chemin`, or, when that name is taken, at the same name followed by
// "_2" to "_9", then by a random suffix, so that no number of files planted
// at those names stops a run. A name is free when this opening creates the
// file there, with `mode` whatever the umask; with `siensRepris`, a regular
// file of the user's own found there is appended to as well. Never a link,
// a FIFO or another account's file. The path opened, empty when the folder
// refuses (the reason in FichierResultatOuvert().status()).
QString OuvrirFichierResultats(const QString& chemin, mode_t mode, bool siensRepris);

// Network use: the mode of the results files made in the deposit folder.
// The teacher's folder with a group of his own (set-group-id, another
// account's, a group the user is not in): 0640, for that group alone, as in
// the classroom's drop box; otherwise 0644.
mode_t ModeFichierDepot(const QString& dossier);
// What the start-up tells about the deposit folder, in French; empty when
// it keeps each account's files from the others as far as the program can
// see: a folder others may write without the sticky bit is named with the
// command that mends it, and one on a share whose modes are fixed by the
// mount is said to be beyond the program's check.
QString MessageDepotReseau(const QString& dossier);

// "QVT_<user>_<d>_<m>_<y>_<h>_<min>.txt"
QString NomFichierResultat(const QString& user, const QDateTime& moment);

QString addTrailingSlash(const QString& path);

// Where the results of this run go.
struct DossierResultats {
    bool reseau = false; // the program lies on a network file system
    QString base;        // results base folder, no trailing "/"
    QString depotClasse; // in the classroom, its drop box: a new file per run
    uid_t professeur = 0; // in the classroom, the teacher's account
};
// The program's folder on a network file system is network use, with that
// file system's mount point as base; otherwise the base is
// <Documents>/Brelmar/Wavix, the documents folder being RacineDeTravail's
// (and DossierDocumentsCommuns is set to it), and when that folder is the
// classroom's its drop box takes the results.
DossierResultats GetResultsFolder(const QString& dossierProgramme);

// The deposit folder's name is one folder name: not empty once trimmed,
// not "." or "..", and without "/", "\" or a control character (a pasted
// line break).
bool NomDepotValide(const QString& nom);

// base/<depot trimmed>/QVT_<user>_<d>_<m>_<y>_<h>_<min>.txt
QString FichierResultatReseau(const QString& base, const QString& depot, const QString& user,
                              const QDateTime& moment);

// The user name the settings and results files carry: the login name, or
// "Inconnu" when there is none.
QString NomUtilisateur();
