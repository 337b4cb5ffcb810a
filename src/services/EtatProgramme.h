#pragma once

#include "platform/TextFiles.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

#include <cstdint>

// What the start-up finds and the whole program reads: the mode, the
// folders and the settings file, and what has been reported once in the
// run. The one such value is Session(); reinitialiser() puts it back as a
// program just started has it.
struct EtatProgramme {
    bool ModeProfesseur = false;
    QString SousDossierProgramme = QStringLiteral("Brelmar/Wavix");
    // <Documents>/Brelmar/Wavix/: exercise files, tips, the local results file.
    QString DossierDonnees;
    // The machine-wide data and documents folders, each ending in "/".
    QString DossierDonneesCommunes;
    QString DossierDocumentsCommuns;
    // Network use: the deposit folder's name under the network base folder.
    QString DossierDepot;
    // Performance-counter ticks per second.
    int64_t PerfFrequency = 0;
    // The title the calculator window is looked for by.
    QString TitreFenetreCible;
    // The per-user settings file, set by the start-up before the first read.
    QString CheminINI;
    // A settings file that cannot be read or written has been reported.
    bool ProblemeINISignale = false;
    // The missing folders named by the environment, and the shared folders
    // that could not be used, already reported.
    QStringList DossiersManquantsSignales;
    QStringList DossiersPartagesSignales;

    void reinitialiser() { *this = EtatProgramme(); }
};
EtatProgramme& Session();

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
