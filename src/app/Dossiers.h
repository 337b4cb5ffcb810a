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
// Creates the missing levels of the folder. In a shared folder each level
// made here is writable by all with the sticky bit (1777), whatever the
// umask, as the machine-wide folders it stands for. False when the folder
// is still missing.
bool CreerDossier(const QString& chemin);
// The mode a new results file gets: the shared local "Resultat.txt" is
// written by every account; a run's own file in network use belongs to its
// account.
mode_t ModeFichierResultats(const QString& chemin, bool reseau);

QString addTrailingSlash(const QString& path);

// Where the results of this run go.
struct DossierResultats {
    bool reseau = false; // the program lies on a network file system
    QString base;        // results base folder, no trailing "/"
};
// The program's folder on a network file system is network use, with that
// file system's mount point as base; otherwise the base is
// <Documents>/Brelmar/Wavix (and DossierDocumentsCommuns is set).
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
