#pragma once

#include <QString>

class QWidget;

// The help file the help object is given: beside the program.
QString FichierAide();

// Opens the program's help at a topic.
void AfficherRubriqueAide(int rubrique);
// F1 anywhere in the window opens its help topic.
void InstallerAideF1(QWidget* fenetre, int rubrique);
