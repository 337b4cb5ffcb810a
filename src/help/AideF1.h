#pragma once

#include <QString>

class QWidget;

// The help file the help object is given: beside the program.
QString FichierAide();

class HTMLHelp;

// The program's help object while the main window lets the help be used
// (from its making to its end), made on first use; nullptr otherwise.
HTMLHelp* AideProgramme();
void PermettreAide(bool permise);
// Closes the help window and lets the help object go (a new one is made on
// the next use).
void FermerAide();

// Opens the program's help at a topic.
void AfficherRubriqueAide(int rubrique);
// F1 anywhere in the window opens its help topic.
void InstallerAideF1(QWidget* fenetre, int rubrique);
