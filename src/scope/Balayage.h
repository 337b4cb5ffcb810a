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

// The spot's sampling step: finer for a fast generator range, coarser for a
// slow time base, so that a piece stays a few thousand segments.
double PasSpot();
// Paints one channel's piece of trace (PointsSpot) in its colour and line
// style.
void TracerSpot(PictureBox* ecran, const EtatTrace& etat, double pas, double x0, double x1, double xR, double xL,
                int voie, Echantillonnage echantillonnage = Echantillonnage::Spot);
// The pieces of the lit mode (CH1, CH2, both, or the ADD sum) on the screen
// from x0 to x1, as TracerSpot cuts them, then the readout.
void TracerMorceauSpot(PictureBox* ecran, double x0, double x1, double xR, double xL,
                       Echantillonnage echantillonnage = Echantillonnage::Spot);
// The whole trace the spot sweeps, edge to edge, at once: for a picture that
// must hold the trace, not the moving spot. Its squares and triangles take
// the shape ratio, as the printout's markers do.
void TracerTraceEntiere(PictureBox* ecran);
// One step of the spot: the screen back to the graticule, the piece ahead of
// the spot for the lit mode, then the spot moved on by the time measured
// since the last step, back to the left edge once past the right one.
void AvancerSpot();

// Paints the ADD sum from debut to fin (PointsADD), then the readout.
void CourbeADD(const EtatTrace& etat, double debut, double fin);

// The screen back to the graticule, the XY figure (PointsXY), the readout.
void CourbeXY(double debut);
// The XY figure's advance in time steps for the time elapsed between two
// ticks: 2000 steps every 15.625 ms (a 64 Hz tick), so that the figure keeps
// one pace whatever the ticks' rate.
double AvanceXY(double secondes);
