#pragma once

#include "scope/EtatTrace.h"
#include "scope/Signaux.h"

#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QString>

#include <array>
#include <cstdint>

// What the scope draws, computed from the drawing's state alone: no window
// is read, none is needed. The windows paint the result. Positions in screen
// units (100 a division, the centre at 0, y upward).

// One channel's trace at a fast time base, spanning ten divisions from
// −500 + H: nothing, a level line, or a curve drawn as a trace. In ADD mode
// it is the sum, in CH1's colour.
struct TraceVoie {
    enum class Genre { Rien, Ligne, Courbe };
    Genre genre = Genre::Rien;
    QLineF ligne;
    QPolygonF points;
    int32_t couleur = 0;
    int style = 0; // the line style the screen is set to before it
};
// `pixel` is the width of one device pixel of the picture drawn on, in
// screen units (0 when unknown): a square or triangle too dense for its
// pixels is drawn as a band between its levels.
TraceVoie TraceRapide(const EtatTrace& etat, int voie, double pixel);

// One channel's deflection at a time t in screen units, as the XY figure and
// the ADD sum take it: 0 in GND coupling and for a channel whose source or
// input is not connected, mirrored for CH2 while "-CH2" is lit, without its
// DC level in AC coupling.
class Deviation {
public:
    Deviation(const EtatTrace& etat, int voie);
    double operator()(double t) const;
    // The deflections at t0, t0 + dt, ... (n of them) into `out`; a sine's by
    // turning its phase on by the same angle at each step.
    void serie(double t0, double dt, int n, double* out) const;

private:
    FormeOnde forme_ = FormeOnde::Aucune;
    double frequence_ = 0;
    double amplitude_ = 0;
    double decalage_ = 0;
    double rapport_ = 0;
    double continu_ = 0; // the DC level an AC-coupled input blocks, volts
    double echelle_ = 0; // screen units per volt, signed
    NiveauxHarmoniques niveaux_;
};

// One channel's piece of trace from x0 to x1 sampled every `pas`, its values
// those of SignalVoie (a word it does not know gives 0). With x0 beyond x1
// (the spot past the right edge) it is two runs: x0 to xR, then xL to x1.
QList<QPolygonF> PointsSpot(const EtatTrace& etat, int voie, double pas, double x0, double x1, double xR,
                            double xL, Echantillonnage echantillonnage = Echantillonnage::Spot);

// The ADD sum's step, in screen units.
constexpr double kPasADD = 2;
// The ADD sum from debut to fin (measured from the horizontal shift) every
// kPasADD units, its first segment level; shifted by the horizontal position.
QPolygonF PointsADD(const EtatTrace& etat, double debut, double fin);

// The XY figure from the time step debut: 1001 points, CH1 across, CH2 up.
QPolygonF PointsXY(const EtatTrace& etat, double debut);

// The settings printed along the bottom of the screen: each text centred in
// the division column starting at `colonne`, standing on the line `ligne`.
struct TexteEcran {
    double colonne = 0;
    double ligne = 0;
    QString texte;
};
struct LectureEcran {
    std::array<TexteEcran, 6> textes;
    int nombre = 0;
};
// The lit mode's caption (from `legendes`, the captions of the mode lamps
// CH1, CH2, DUAL, ADD, XY then "-CH2", the last shown while off), "CH1" and
// "CH2" with their sensitivities, then the time base, or with the spectrum
// the frequency span of a division at `baseTemps` s/div. A knob outside its
// list prints no value.
LectureEcran Lecture(const PanneauScope& panneau, double baseTemps, const std::array<QString, 6>& legendes);
