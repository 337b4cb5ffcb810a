#pragma once

class PictureBox;

// The screen scale of every scope picture: 100 units per division, 10
// divisions across and 8 down, the centre at (0, 0), y upward.
constexpr double kEcranGauche = -500;
constexpr double kEcranHaut = 400;
constexpr double kEcranDroite = 505;
constexpr double kEcranBas = -405;

// Draws the graticule into a window's graticule picture (none: nothing).
void DessinerGrille(PictureBox* grille);
