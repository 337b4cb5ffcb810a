#include "scope/Balayage.h"

#include "services/RequetesBanc.h"
#include "platform/PictureBox.h"
#include "platform/SystemServices.h"
#include "services/PanneauScope.h"
#include "scope/Echelle.h"
#include "scope/FigureTrace.h"
#include "scope/Signaux.h"
#include "scope/Traceurs.h"

#include <algorithm>
#include <cmath>

namespace {

// A trace whose x never goes back, the spot's pieces and the sum: reduced to
// the pixel grid where it is denser than the pixels.
void tracerTrace(PictureBox* ecran, const QPolygonF& points, int32_t couleur)
{
    ecran->Trace(points, couleur);
}

// Width of the picture's device columns in screen units, one unit when it
// has none yet.
double colonne(const PictureBox* ecran)
{
    const double pixel = ecran->devicePixelWidth();
    return pixel > 0 ? pixel : 1;
}

} // namespace

void TracerSpot(PictureBox* ecran, const EtatTrace& etat, double x0, double x1, double xR, double xL, int voie)
{
    const int v = voie == 0 ? 0 : 1;
    const VoieTracee& t = etat.voies[size_t(v)];
    ecran->DrawStyle = t.style;
    for (const QPolygonF& points : PointsSpot(etat, v, colonne(ecran), x0, x1, xR, xL))
        tracerTrace(ecran, points, t.couleur);
}

void TracerMorceauSpot(PictureBox* ecran, double x0, double x1, double xR, double xL)
{
    const EtatTrace etat = EtatTraceActuel();
    const PanneauScope& p = etat.panneau;
    const double H = etat.H;
    if (p.modeAllume(ModeVoies::CH1) || p.modeAllume(ModeVoies::CH2) || p.modeAllume(ModeVoies::DUAL)) {
        if (p.modeAllume(ModeVoies::CH1))
            TracerSpot(ecran, etat, x0, x1, xR, xL, 0);
        if (p.modeAllume(ModeVoies::CH2))
            TracerSpot(ecran, etat, x0, x1, xR, xL, 1);
        if (p.modeAllume(ModeVoies::DUAL)) {
            TracerSpot(ecran, etat, x0, x1, xR, xL, 0);
            TracerSpot(ecran, etat, x0, x1, xR, xL, 1);
        }
        // Once over both channels: the readout's pixels (no blended edge)
        // come out the same as printed after each.
        AfficherSensibilites();
    }
    if (p.modeAllume(ModeVoies::ADD))
        CourbeADD(etat, x0 - H, x1 - H);
}

void TracerTraceEntiere(PictureBox* ecran)
{
    const double xL = Scope().PositionHorizontale - 500;
    TracerMorceauSpot(ecran, xL, xL + 1000, xL + 1000, xL);
}

void AvancerSpot()
{
    const double baseTemps = Panneau().secondesParDivision();
    if (!(baseTemps > 0))
        return;
    const double H = Scope().PositionHorizontale;
    const double xL = H - 500;
    const double xR = xL + 1000;
    PictureBox* ecran = EcranAuGraticule();
    // The piece starts at the edge of the device column the spot is in, on
    // the picture's own grid: as the spot moves on, each column of the trail
    // behind it holds the same stretch of time and so the same run, and the
    // screen shows again only what changed.
    double x0 = Scope().PositionSpot;
    if (ecran && x0 >= xL && x0 <= xR) {
        const double pixel = colonne(ecran);
        x0 = std::max(xL, kEcranGauche + std::floor((x0 - kEcranGauche) / pixel) * pixel);
    }
    const double x1 = std::min(x0 + 4 / baseTemps, xR);

    if (ecran) {
        ecran->DrawWidth = EpaisseurTrace();
        TracerMorceauSpot(ecran, x0, x1, xR, xL);
    }

    const int64_t maintenant = perfCounterNow();
    const int64_t frequence = perfCounterFrequency();
    const double dt = frequence > 0 ? double(maintenant - Scope().SpotLast) / double(frequence) : 0;
    Scope().SpotLast = maintenant;
    Scope().PositionSpot += dt * 100 / baseTemps;
    if (Scope().PositionSpot > H + 500)
        Scope().PositionSpot = xL;
}

void CourbeADD(const EtatTrace& etat, double debut, double fin)
{
    if (PictureBox* ecran = EcranCible())
        tracerTrace(ecran, PointsADD(etat, debut, fin, colonne(ecran)), etat.voies[0].couleur);
    AfficherSensibilites();
}

void CourbeXY(double debut)
{
    PictureBox* ecran = EcranAuGraticule();
    if (!ecran)
        return;
    const EtatTrace etat = EtatTraceActuel();
    const double pixelX = colonne(ecran), pixelY = ecran->devicePixelHeight();
    const FigureXY figure = FigureXYDe(etat, debut, pixelX, pixelY);
    for (const QPolygonF& piece : figure.pieces) {
        // A band across the columns is a trace whose x never goes back; a
        // curve of up to 32 001 points is stroked through those its pixels
        // need, a quarter of a pixel off at most.
        if (figure.genre == FigureXY::Genre::BandeColonnes)
            ecran->Trace(piece, etat.voies[0].couleur);
        else if (figure.genre == FigureXY::Genre::Courbe)
            ecran->Polyline(CourbeAllegee(piece, pixelX, pixelY > 0 ? pixelY : 1, 0.25), etat.voies[0].couleur);
        else
            ecran->Polyline(piece, etat.voies[0].couleur);
    }
    AfficherSensibilites();
}

double AvanceXY(double secondes)
{
    return 2000 * secondes / 0.015625;
}
