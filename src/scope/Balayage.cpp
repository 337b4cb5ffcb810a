#include "scope/Balayage.h"

#include "services/RequetesBanc.h"
#include "platform/PictureBox.h"
#include "platform/SystemServices.h"
#include "platform/VbConversions.h"
#include "services/PanneauScope.h"
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

// The generator range that sets the spot's step: the larger of the two
// function generators that feed a channel.
double gammeSpot()
{
    double n = 1;
    if (OptionConnexionChoisie(1))
        n = roundHalfEvenToInt32(GammeA).value_or(0);
    if (OptionConnexionChoisie(10)) {
        const double b = roundHalfEvenToInt32(GammeB).value_or(0);
        if (b > n)
            n = b;
    }
    return n;
}

} // namespace

double PasSpot()
{
    if (FormeDuMot(FormeSignalA) == FormeOnde::Continu && FormeDuMot(FormeSignalB) == FormeOnde::Continu)
        return 1;
    // p is 1, 2 or 5 times a power of ten over the ranges and time bases; the
    // bands are compared with a margin so that rounding cannot drop one.
    const double p = gammeSpot() * BaseTemps * (1 + 1e-9);
    if (p >= 50000)
        return 0.01;
    if (p >= 500)
        return 0.1;
    if (p >= 50)
        return 0.5;
    if (p >= 5)
        return 1;
    return 5;
}

void TracerSpot(PictureBox* ecran, const EtatTrace& etat, double pas, double x0, double x1, double xR, double xL,
                int voie, Echantillonnage echantillonnage)
{
    const int v = voie == 0 ? 0 : 1;
    const VoieTracee& t = etat.voies[size_t(v)];
    ecran->DrawStyle = t.style;
    ChargerTraceCourante(etat, v);
    for (const QPolygonF& points : PointsSpot(etat, v, pas, x0, x1, xR, xL, echantillonnage))
        tracerTrace(ecran, points, t.couleur);
}

void TracerMorceauSpot(PictureBox* ecran, double x0, double x1, double xR, double xL,
                       Echantillonnage echantillonnage)
{
    const EtatTrace etat = EtatTraceActuel();
    const PanneauScope& p = etat.panneau;
    const double H = etat.H;
    if (p.modeAllume(ModeVoies::CH1) || p.modeAllume(ModeVoies::CH2) || p.modeAllume(ModeVoies::DUAL)) {
        const double pas = PasSpot();
        if (p.modeAllume(ModeVoies::CH1))
            TracerSpot(ecran, etat, pas, x0, x1, xR, xL, 0, echantillonnage);
        if (p.modeAllume(ModeVoies::CH2))
            TracerSpot(ecran, etat, pas, x0, x1, xR, xL, 1, echantillonnage);
        if (p.modeAllume(ModeVoies::DUAL)) {
            TracerSpot(ecran, etat, pas, x0, x1, xR, xL, 0, echantillonnage);
            TracerSpot(ecran, etat, pas, x0, x1, xR, xL, 1, echantillonnage);
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
    const double xL = PositionHorizontale - 500;
    TracerMorceauSpot(ecran, xL, xL + 1000, xL + 1000, xL, Echantillonnage::Onde);
}

void AvancerSpot()
{
    if (!(BaseTemps > 0))
        return;
    const double H = PositionHorizontale;
    const double xL = H - 500;
    const double xR = xL + 1000;
    // The piece starts at the last sample at or before the spot, on a grid
    // of samples fixed to the window's left edge: as the spot moves on, the
    // trail behind it keeps its samples and its shape (taken afresh from the
    // spot at every tick, a waveform sampled a few times a period would
    // change shape under it), and the screen shows again only what changed.
    double x0 = PositionSpot;
    if (x0 >= xL && x0 <= xR) {
        const double pas = Panneau().modeAllume(ModeVoies::ADD) ? kPasADD : PasSpot();
        x0 = xL + std::floor((x0 - xL) / pas) * pas;
    }
    const double x1 = std::min(x0 + 4 / BaseTemps, xR);

    if (PictureBox* ecran = EcranAuGraticule()) {
        ecran->DrawWidth = EpaisseurTrace;
        TracerMorceauSpot(ecran, x0, x1, xR, xL);
    }

    const int64_t maintenant = perfCounterNow();
    const int64_t frequence = perfCounterFrequency();
    const double dt = frequence > 0 ? double(maintenant - SpotLast) / double(frequence) : 0;
    SpotLast = maintenant;
    PositionSpot += dt * 100 / BaseTemps;
    if (PositionSpot > H + 500)
        PositionSpot = xL;
}

void CourbeADD(const EtatTrace& etat, double debut, double fin)
{
    if (PictureBox* ecran = EcranCible())
        tracerTrace(ecran, PointsADD(etat, debut, fin), etat.voies[0].couleur);
    AfficherSensibilites();
}

void CourbeXY(double debut)
{
    PictureBox* ecran = EcranAuGraticule();
    if (!ecran)
        return;
    const EtatTrace etat = EtatTraceActuel();
    ecran->Polyline(PointsXY(etat, debut), etat.voies[0].couleur);
    AfficherSensibilites();
}

double AvanceXY(double secondes)
{
    return 2000 * secondes / 0.015625;
}
