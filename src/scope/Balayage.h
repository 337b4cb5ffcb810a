#pragma once

#include "scope/CourbeWavix.h"
#include "scope/Signaux.h"

#include <QList>
#include <QPolygonF>

#include <cstdint>

class PictureBox;

// The scope's moving pictures: the spot of the slow time bases, the XY
// figure and the ADD sum. Positions in screen units (100 a division).

// One channel's deflection at a time t in screen units, as the XY figure and
// the ADD sum take it: the drawn values of the last refresh (the generator's
// duty and offset with them), 0 in GND coupling and for a channel whose
// source or input is not connected, mirrored for CH2 while "-CH2" is lit,
// without its DC level in AC coupling. The channel state and the lamps are
// read once, when it is made.
class Deviation {
public:
    explicit Deviation(int voie);
    double operator()(double t) const;

private:
    int voie_;
    FormeOnde forme_ = FormeOnde::Aucune;
    double frequence_ = 0;
    double amplitude_ = 0;
    double decalage_ = 0;
    double rapport_ = 0;
    double continu_ = 0; // the DC level an AC-coupled input blocks, volts
    double echelle_ = 0; // screen units per volt, signed
};

// The spot's sampling step: finer for a fast generator range, coarser for a
// slow time base, so that a piece stays a few thousand segments.
double PasSpot();
// One channel's piece of trace from x0 to x1, its values those of
// ValeurSignal (a word it does not know gives 0). With x0 beyond x1 (the spot past the
// right edge) it is two runs: x0 to xR, then xL to x1.
QList<QPolygonF> PointsSpot(int voie, double x0, double x1, double xR, double xL,
                            Echantillonnage echantillonnage = Echantillonnage::Spot);
// Draws that piece in the channel's colour and line style, then the readout.
void TracerSpot(PictureBox* ecran, double x0, double x1, double xR, double xL, int voie,
                Echantillonnage echantillonnage = Echantillonnage::Spot);
// The pieces of the lit mode (CH1, CH2, both, or the ADD sum) on the screen
// from x0 to x1, as TracerSpot cuts them.
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

// The ADD sum from debut to fin (measured from the horizontal shift) every 2
// units, its first segment level; drawn shifted by the horizontal position.
QPolygonF PointsADD(double debut, double fin);
void CourbeADD(double debut, double fin);

// The XY figure from the time step debut: 1001 points, CH1 across, CH2 up.
QPolygonF PointsXY(double debut);
// The screen back to the graticule, the figure, the readout.
void CourbeXY(double debut);
// The XY figure's advance in time steps for the time elapsed between two
// ticks: 2000 steps every 15.625 ms (a 64 Hz tick), so that the figure keeps
// one pace whatever the ticks' rate.
double AvanceXY(double secondes);
