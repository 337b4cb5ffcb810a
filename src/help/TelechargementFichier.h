#pragma once

#include <QString>

// The maker's site, shown when a newer version is published.
QString AdresseSiteEditeur();
// The published version file: one line "key=major.minor".
QString AdresseFichierVersion();
// Points the version check elsewhere (tests and benchmarks use a local file);
// an empty address restores the published one.
void setAdresseFichierVersion(const QString& adresse);

// How long the download may take before it is given up.
constexpr int kDelaiTelechargementMs = 3000;

// Downloads the address into the local file, always from the server (no
// cache). True when the file was fetched and written; offline, it gives up
// after kDelaiTelechargementMs.
bool TelechargerFichier(const QString& adresse, const QString& fichierLocal);
