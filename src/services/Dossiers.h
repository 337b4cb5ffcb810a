#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

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
// The missing folders named by the environment already reported.
inline QStringList DossiersManquantsSignales;

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
};
struct ConstatDossierPartage {
    EtatDossierPartage etat = EtatDossierPartage::Pret;
    QString niveau;          // the folder at fault
    uid_t proprietaire = 0;  // its owner, for AutreCompte
};
// Checks a shared root and its levels Brelmar and Brelmar/Wavix, which hold
// every account's files: each belongs to the administrator (root) or to the
// user himself, none may be written by others without the sticky bit (a
// sticky folder protects each file from everyone but its owner and the
// folder's), and the user can write in the last one. The root may be reached
// through links; the levels below it never are. Nothing is created.
ConstatDossierPartage VerifierDossierPartage(const QString& racine);
// The command of the README that prepares a shared root, as the user types it.
QString CommandePreparation(const QString& racine);
// What the user is told when a shared folder cannot be used and his own
// folder stands in.
QString MessageDossierPartage(const ConstatDossierPartage& constat, const QString& racine,
                              const QString& personnel);
// The folders already reported in this run.
inline QStringList DossiersPartagesSignales;

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

mode_t ModeFichierResultats(const QString& chemin, bool reseau);

QString addTrailingSlash(const QString& path);

// Where the results of this run go.
struct DossierResultats {
    bool reseau = false; // the program lies on a network file system
    QString base;        // results base folder, no trailing "/"
};
// The program's folder on a network file system is network use, with that
// file system's mount point as base; otherwise the base is
// <Documents>/Brelmar/Wavix, the documents folder being RacineDeTravail's
// (and DossierDocumentsCommuns is set to it).
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
