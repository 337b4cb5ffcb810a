#pragma once

#include "evaluation/Data.h"

struct FileDialogRequest;

// The dialog that chooses an exercise file (".qvt" in any case) in the data
// folder.
FileDialogRequest DemandeFichierExercice();

// The exercise file of the run, read and checked when the run started.
const FichierExo& ExerciceEnCours();

// Starts an evaluated run on a checked exercise file: the teacher's rights
// withdrawn, the bench cleared and locked, the run header written (the
// results file is open), the first picture shown with the answer window.
void DemarrerEvaluation(const FichierExo& exercice);

// Shows the run's next picture; after the last one, the mark.
void LigneExoSuivante();
