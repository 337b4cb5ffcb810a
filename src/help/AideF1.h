#pragma once

class QWidget;

// Opens the program's help at a topic.
void AfficherRubriqueAide(int rubrique);
// F1 anywhere in the window opens its help topic.
void InstallerAideF1(QWidget* fenetre, int rubrique);
