#include "scope/Balayage.h"

#include "services/RequetesBanc.h"
#include "platform/PictureBox.h"
#include "platform/SystemServices.h"
#include "platform/VbConversions.h"
#include "services/PanneauScope.h"
#include "scope/Signaux.h"
#include "scope/Traceurs.h"

#include <algorithm>
#include <cmath>

namespace {

// Points in a run of a given step from a to b, both ends included; a tiny
// allowance keeps the end that rounding would lose.
qsizetype nombrePas(double a, double b, double pas)
{
    if (!(b >= a) || !(pas > 0))
        return 0;
    return qsizetype(std::floor((b - a) / pas + 1e-9)) + 1;
}

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

Deviation::Deviation(int voie) : voie_(voie)
{
    const EtatVoie& v = Voies[size_t(voie == 0 ? 0 : 1)];
    if (Panneau().couplageAllume(voie, Couplage::GND) || !v.Branchee() || v.Sensibilite == 0)
        return;
    forme_ = FormeDuMot(v.TraceSignal);
    frequence_ = v.TraceFrequence;
    amplitude_ = v.TraceAmplitude;
    decalage_ = v.Decalage;
    rapport_ = v.RapportCyclique;
    echelle_ = 100 / v.Sensibilite;
    if (voie == 1 && Panneau().inverseAllume())
        echelle_ = -echelle_;
    continu_ = ContinuBloque(voie, forme_, amplitude_, rapport_, decalage_);
}

double Deviation::operator()(double t) const
{
    const std::optional<double> u = ValeurOnde(forme_, voie_, t, frequence_, amplitude_, rapport_, decalage_);
    return u ? (*u - continu_) * echelle_ : 0;
}

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

QList<QPolygonF> PointsSpot(int voie, double x0, double x1, double xR, double xL,
                            Echantillonnage echantillonnage)
{
    const double pas = PasSpot();
    const SignalVoie signal(voie, echantillonnage);
    auto valeur = [&signal](double x) { return signal(x).value_or(0); };
    // From a to b, after a first point at a that starts with a segment of no
    // length.
    auto course = [&](double a, double b) {
        const qsizetype n = nombrePas(a, b, pas);
        QPolygonF points;
        points.reserve(n + 1);
        points << QPointF(a, valeur(a));
        for (qsizetype i = 0; i < n; ++i) {
            const double x = a + double(i) * pas;
            points << QPointF(x, valeur(x));
        }
        return points;
    };
    if (x0 <= x1)
        return {course(x0, x1)};
    return {course(x0, xR), course(xL, x1)};
}

void TracerSpot(PictureBox* ecran, double x0, double x1, double xR, double xL, int voie,
                Echantillonnage echantillonnage)
{
    const EtatVoie& v = Voies[size_t(voie == 0 ? 0 : 1)];
    TraceCourante.Style = v.StyleTrace;
    ecran->DrawStyle = v.StyleTrace;
    for (const QPolygonF& points : PointsSpot(voie == 0 ? 0 : 1, x0, x1, xR, xL, echantillonnage))
        tracerTrace(ecran, points, v.CouleurTrace);
    AfficherSensibilites();
}

void TracerMorceauSpot(PictureBox* ecran, double x0, double x1, double xR, double xL,
                       Echantillonnage echantillonnage)
{
    const double H = PositionHorizontale;
    if (Panneau().modeAllume(ModeVoies::CH1))
        TracerSpot(ecran, x0, x1, xR, xL, 0, echantillonnage);
    if (Panneau().modeAllume(ModeVoies::CH2))
        TracerSpot(ecran, x0, x1, xR, xL, 1, echantillonnage);
    if (Panneau().modeAllume(ModeVoies::DUAL)) {
        TracerSpot(ecran, x0, x1, xR, xL, 0, echantillonnage);
        TracerSpot(ecran, x0, x1, xR, xL, 1, echantillonnage);
    }
    if (Panneau().modeAllume(ModeVoies::ADD))
        CourbeADD(x0 - H, x1 - H);
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
    const double x0 = PositionSpot;
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

QPolygonF PointsADD(double debut, double fin)
{
    const Deviation a(0), b(1);
    const double H = PositionHorizontale;
    const double y0 = PositionVerticaleA + PositionVerticaleB;
    const qsizetype n = nombrePas(debut, fin, 2);
    QPolygonF points;
    if (n < 2)
        return points;
    points.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const double x = debut + 2 * double(i);
        const double t = (x + 500) / 100 * BaseTemps;
        points << QPointF(H + x, y0 + a(t) + b(t));
    }
    // The first segment is level, at the height of the second sample.
    points[0].setY(points[1].y());
    return points;
}

void CourbeADD(double debut, double fin)
{
    if (PictureBox* ecran = EcranCible())
        tracerTrace(ecran, PointsADD(debut, fin), CouleurTraceA);
    AfficherSensibilites();
}

QPolygonF PointsXY(double debut)
{
    const Deviation a(0), b(1);
    // The lower frequency gets 250 points a period, and a figure never spans
    // less than 0.04 s.
    double s = 500 * std::min(TraceFrequenceA, TraceFrequenceB);
    if (!(s >= 50000))
        s = 50000;
    QPolygonF points;
    points.reserve(1001);
    for (int i = 0; i <= 1000; ++i) {
        const double t = (debut + 2 * i) / s;
        points << QPointF(PositionVerticaleA + a(t), PositionVerticaleB + b(t));
    }
    return points;
}

void CourbeXY(double debut)
{
    PictureBox* ecran = EcranAuGraticule();
    if (!ecran)
        return;
    ecran->Polyline(PointsXY(debut), CouleurTraceA);
    AfficherSensibilites();
}

double AvanceXY(double secondes)
{
    return 2000 * secondes / 0.015625;
}
