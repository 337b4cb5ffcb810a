#pragma once

#include <QPoint>
#include <QRect>
#include <QStringList>

// The desktop calculator, started by the program and closed by it: the
// toolbox box and the menu item show whether the program's calculator runs.

// Starts the calculator when the menu item is unticked, closes it when ticked.
void BasculerCalculatrice();
// Closes the calculator the program started, if it runs (shutdown).
void FermerCalculatrice();
bool CalculatriceEnMarche();

// The calculators looked for, in order (tests name their own).
QStringList& CalculatricesConnues();

// Where the calculator's window goes (screen coordinates, its outer size):
// at the top right of the bench's area, under the menu bar and right of the
// toolbox, inside the work area.
QPoint PlaceCalculatrice(const QRect& zoneBanc, const QRect& boiteOutils, const QSize& taille, const QRect& bureau);
