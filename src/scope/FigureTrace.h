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
    // The curve's x never goes back: a wide focus inks it column by column
    // (PictureBox::TraceColumns()).
    bool colonnes = false;
};
// `pixel` is the width of one device pixel of the picture drawn on, in
// screen units (0 when unknown): a square or triangle too dense for its
// pixels is drawn as a band between its levels.
TraceVoie TraceRapide(const EtatTrace& etat, int voie, double pixel);

// One channel's piece of trace from x0 to x1 on device columns `pixel`
// screen units wide: in each column the run of values its wave takes there
// (OndeEcran). With x0 beyond x1 (the spot past the right edge) it is two
// runs: x0 to xR, then xL to x1.
QList<QPolygonF> PointsSpot(const EtatTrace& etat, int voie, double pixel, double x0, double x1, double xR,
                            double xL);

// The ADD sum from debut to fin (measured from the horizontal shift, shifted
// by it on the screen) on device columns `pixel` screen units wide, in each
// column the run of values the sum of the two deflections takes there.
QPolygonF PointsADD(const EtatTrace& etat, double debut, double fin, double pixel);

// The XY figure from the time step debut, CH1 across and CH2 up: a curve
// through 1001 points or more, or, where one channel runs through many
// periods while the other moves by a point, the band the beam sweeps: runs
// across the picture's device columns (CH1 the slow one, `pixelX` screen
// units wide) or rows (CH2 the slow one, `pixelY` high), in pieces where it
// never passed.
struct FigureXY {
    enum class Genre { Courbe, BandeColonnes, BandeLignes };
    Genre genre = Genre::Courbe;
    QList<QPolygonF> pieces;
};
FigureXY FigureXYDe(const EtatTrace& etat, double debut, double pixelX, double pixelY);

// A curve of far more points than its pixels show, with fewer: a point is
// left out where the segment from the last point kept to a later one passes
// within `ecart` device pixels (`pixelX` screen units across, `pixelY` up)
// of it and of every point between, and reaches at least as far from the
// point kept as each of them does (a curve that turns back keeps its turn).
// The first and last points are kept.
QPolygonF CourbeAllegee(const QPolygonF& points, double pixelX, double pixelY, double ecart);

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
