#pragma once

#include "scope/CourbeWavix.h"
#include "scope/FigureTrace.h"
#include "scope/Signaux.h"

#include <QList>
#include <QPolygonF>

#include <cstdint>

class PictureBox;

// The scope's moving pictures: the spot of the slow time bases, the XY
// figure and the ADD sum, painted from what FigureTrace computes of the
// drawing's state. Positions in screen units (100 a division).

// Paints one channel's piece of trace (PointsSpot, on the picture's device
// columns) in its colour and line style.
void TracerSpot(PictureBox* ecran, const EtatTrace& etat, double x0, double x1, double xR, double xL, int voie);
// The pieces of the lit mode (CH1, CH2, both, or the ADD sum) on the screen
// from x0 to x1, as TracerSpot cuts them, then the readout.
void TracerMorceauSpot(PictureBox* ecran, double x0, double x1, double xR, double xL);
// The whole trace the spot sweeps, edge to edge, at once: for a picture that
// must hold the trace, not the moving spot.
void TracerTraceEntiere(PictureBox* ecran);
// One step of the spot: the screen back to the graticule, the piece ahead of
// the spot for the lit mode, then the spot moved on by the time measured
// since the last step, back to the left edge once past the right one.
void AvancerSpot();

// Paints the ADD sum from debut to fin (PointsADD, on the picture's device
// columns), then the readout.
void CourbeADD(const EtatTrace& etat, double debut, double fin);

// The screen back to the graticule, the XY figure (FigureXYDe, on the
// picture's device pixels), the readout.
void CourbeXY(double debut);
// The XY figure's advance in time steps for the time elapsed between two
// ticks: 2000 steps every 15.625 ms (a 64 Hz tick), so that the figure keeps
// one pace whatever the ticks' rate.
double AvanceXY(double secondes);
