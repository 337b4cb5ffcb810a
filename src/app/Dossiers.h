#pragma once

#include <QDateTime>
#include <QString>

// Folder identifiers of the machine-wide folders.
constexpr int kDossierDonneesCommunes = 35;   // application data
constexpr int kDossierDocumentsCommuns = 46;  // documents

// The path of a machine-wide folder, without trailing "/": identifier 35 is
// $WAVIX_COMMON_APPDATA, else the user's data folder; 46 is
// $WAVIX_COMMON_DOCUMENTS, else the user's documents folder. A folder named
// by the environment that does not exist is reported, and the user's own
// folder stands for it.
QString CheminDossierSpecial(int identifiant);

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
// not "." or "..", and without "/" or "\".
bool NomDepotValide(const QString& nom);

// base/<depot trimmed>/QVT_<user>_<d>_<m>_<y>_<h>_<min>.txt
QString FichierResultatReseau(const QString& base, const QString& depot, const QString& user,
                              const QDateTime& moment);

// The user name the settings and results files carry: the login name, or
// "Inconnu" when there is none.
QString NomUtilisateur();
