#pragma once

#include "platform/TextFiles.h"

#include <QDateTime>
#include <QString>

#include <functional>

#include <cstdint>

// State that the start-up sets and the whole program reads.
inline bool ModeProfesseur = false;
inline QString SousDossierProgramme = QStringLiteral("Brelmar/Wavix");
// <Documents>/Brelmar/Wavix/: exercise files, tips, the local results file.
inline QString DossierDonnees;
// The machine-wide data and documents folders, each ending in "/".
inline QString DossierDonneesCommunes;
inline QString DossierDocumentsCommuns;
// Network use: the deposit folder's name under the network base folder.
inline QString DossierDepot;
// Performance-counter ticks per second.
inline int64_t PerfFrequency = 0;
// The title the calculator window is looked for by.
inline QString TitreFenetreCible;

// The results file, held open for appending during an evaluated run.
AppendingTextFile& FichierResultatOuvert();
// Closes the files the program holds open.
void FermerFichiers();

// What the program closes when it ends at once, besides its files (a
// program it started, say); each is added once by its owner.
void AjouterFermeture(std::function<void()> fermer);
// Ends the program at once (the "Quitter" choices); tests state their own.
std::function<void()>& TerminerProgramme();

// The date and time of the run headers; tests fix it.
QDateTime Maintenant();
void setHorloge(std::function<QDateTime()> horloge);
