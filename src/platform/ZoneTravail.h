#pragma once

#include <QRect>

// The desktop's work area: the primary screen's place less its panels.

// The main window measures it at start-up; the measure, in twips, stands
// until it is set again (0 by 0 forgets it).
void MesurerZoneTravail();
void DefinirZoneTravail(double largeur, double hauteur);
// The work area in pixels: the measure's size when there is one, else the
// screen's as it is now; placed where the screen's is.
QRect ZoneTravail();
