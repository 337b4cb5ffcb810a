// What the scope draws, computed from plain values without any window: the
// traces of the fast time bases, the spot's pieces, the ADD sum, the XY
// figure and the readout.

#include "scope/FigureTrace.h"
#include "scope/OndeEcran.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(FormeOnde)
Q_DECLARE_METATYPE(ModeVoies)
Q_DECLARE_METATYPE(Couplage)

namespace {

constexpr int kJaune = 65535;   // CH1 trace colour
constexpr int kVert = 4227072;  // CH2 trace colour

// A channel fed and plugged in at 1 V/div, its trace at the centre.
VoieTracee voie(FormeOnde forme, double amplitude, double frequence, double rapport = 0, double decalage = 0)
{
    VoieTracee v;
    v.forme = forme;
    v.amplitude = amplitude;
    v.frequence = frequence;
    v.rapport = rapport;
    v.decalage = decalage;
    v.branchee = true;
    v.sensibilite = 1;
    v.niveaux.Ampli[0] = 10; // the harmonic generator's fundamental at full amplitude
    v.niveaux.AmpliMin[0] = 10;
    return v;
}

// The scope switched on in a mode at 1 ms/div, both channels DC-coupled and
// fed nothing, CH1 yellow and CH2 green.
EtatTrace etat(ModeVoies mode, Couplage ch1 = Couplage::DC, Couplage ch2 = Couplage::DC, bool inverse = false)
{
    EtatTrace e;
    e.panneau.allume = true;
    e.panneau.mode = mode;
    e.panneau.couplage = {ch1, ch2};
    e.panneau.inverseCH2 = inverse;
    e.baseTemps = 0.001;
    for (VoieTracee& v : e.voies)
        v = voie(FormeOnde::Continu, 0, 0);
    e.voies[0].couleur = kJaune;
    e.voies[1].couleur = kVert;
    return e;
}

// ADD of two DC levels (volts), CH1 20 and CH2 30 units up.
EtatTrace sommeDeNiveaux(double a, double b)
{
    EtatTrace e = etat(ModeVoies::ADD);
    e.voies[0] = voie(FormeOnde::Continu, a, 0);
    e.voies[1] = voie(FormeOnde::Continu, b, 0);
    e.voies[0].position = 20;
    e.voies[1].position = 30;
    e.voies[0].couleur = kJaune;
    e.voies[1].couleur = kVert;
    return e;
}

// What a trace draws as a polyline: its level line, or its curve.
QPolygonF trait(const TraceVoie& trace)
{
    if (trace.genre == TraceVoie::Genre::Ligne)
        return {trace.ligne.p1(), trace.ligne.p2()};
    return trace.points;
}

// The distance from a point to a polyline, in screen units.
double distance(const QPolygonF& points, QPointF c)
{
    double d = std::numeric_limits<double>::infinity();
    for (qsizetype k = 0; k < points.size(); ++k) {
        const QPointF a = points[k], b = k + 1 < points.size() ? points[k + 1] : points[k];
        const QPointF ab = b - a;
        const double l2 = QPointF::dotProduct(ab, ab);
        const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(c - a, ab) / l2, 0.0, 1.0) : 0;
        const QPointF e = c - (a + t * ab);
        d = std::min(d, std::sqrt(QPointF::dotProduct(e, e)));
    }
    return d;
}

// On the trace: within two units of it, as a line three pixels wide inks the
// pixels about a point on the scope window's screen.
bool passe(const QPolygonF& points, double x, double y)
{
    return distance(points, QPointF(x, y)) <= 2;
}

// Highest and lowest height a polyline reaches in the columns [x1, x2].
QPair<double, double> etendue(const QPolygonF& points, double x1 = -480, double x2 = 480)
{
    double haut = -1e9, bas = 1e9;
    const auto tenir = [&](double y) {
        haut = std::max(haut, y);
        bas = std::min(bas, y);
    };
    for (qsizetype k = 0; k < points.size(); ++k) {
        const QPointF a = points[k], b = k + 1 < points.size() ? points[k + 1] : points[k];
        const double g = std::max(std::min(a.x(), b.x()), x1), d = std::min(std::max(a.x(), b.x()), x2);
        if (g > d)
            continue;
        if (a.x() == b.x()) {
            tenir(a.y());
            tenir(b.y());
            continue;
        }
        for (double x : {g, d})
            tenir(a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
    }
    return {haut, bas};
}

// The XY figure's curve, on a picture of one unit a pixel.
QPolygonF courbeXY(const EtatTrace& e, double debut)
{
    const FigureXY figure = FigureXYDe(e, debut, 1, 1);
    return figure.genre == FigureXY::Genre::Courbe && !figure.pieces.isEmpty() ? figure.pieces[0] : QPolygonF();
}

// Time of a screen abscissa at 1 ms/div, measured from the left edge.
double temps(double x)
{
    return (x + 500) / 100 * 0.001;
}

} // namespace

class tst_Figure : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Fast time bases.
    void traceThrough_data();
    void traceThrough();
    void levelLine_data();
    void levelLine();
    void sinePeaks();
    void degenerateFrequencies_data();
    void degenerateFrequencies();
    void frequenciesBeyondReachStayFinite_data();
    void frequenciesBeyondReachStayFinite();
    void addModeDrawsTheSumInCh1Colour();
    // Spot.
    void spotPieces_data();
    void spotPieces();
    // Beam, not samples.
    void fastWaveIsABandNotAnAlias_data();
    void fastWaveIsABandNotAnAlias();
    void alternatorBandInTheSpot_data();
    void alternatorBandInTheSpot();
    void xyFastChannelSweepsABand_data();
    void xyFastChannelSweepsABand();
    void inversionNegatesTheWholeSignal_data();
    void inversionNegatesTheWholeSignal();
    void spotFollowsTheShapeRatio_data();
    void spotFollowsTheShapeRatio();
    // Deflection shared by XY and ADD.
    void deflectionWords_data();
    void deflectionWords();
    void unconnectedChannelAddsNoOffset_data();
    void unconnectedChannelAddsNoOffset();
    void triangleAtZeroHertzIsItsOffset();
    void sineWithoutTheLibrary();
    void periodTableRangeHoldsItsSamples_data();
    void periodTableRangeHoldsItsSamples();
    void harmonicWaveFollowsItsLevels();
    void equallySpacedValuesMatchEachInstant_data();
    void equallySpacedValuesMatchEachInstant();
    // XY.
    void xyEqualSines_data();
    void xyEqualSines();
    void xyDoubledFrequency();
    void xyFarApartFrequencies_data();
    void xyFarApartFrequencies();
    void xyCh1OnGround();
    void lightenedCurveStaysOnItsPoints_data();
    void lightenedCurveStaysOnItsPoints();
    // ADD.
    void addWorkedSums();
    void addCancelsWithInvertedCh2();
    void addHorizontalShift();
    void addSensitivitiesPerChannel();
    void addOfTwoSampledWavesHoldsTheirSum_data();
    void addOfTwoSampledWavesHoldsTheirSum();
    // Readout.
    void readout_data();
    void readout();
};

// ------------------------------------------------------- fast time bases

void tst_Figure::traceThrough_data()
{
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("rapport");
    QTest::addColumn<Couplage>("couplage");
    QTest::addColumn<double>("sensibilite");
    QTest::addColumn<double>("decale");       // horizontal position, screen units
    QTest::addColumn<QList<QPoint>>("traces"); // points on the trace
    QTest::addColumn<QList<QPoint>>("vides");  // points off it
    QTest::addColumn<int>("debut");           // the trace spans 1000 units from here

    // A square of 2 V at 500 Hz, two divisions a period: high for half the
    // period, then low, a vertical edge every division.
    QTest::newRow("square levels and edges")
        << FormeOnde::Carre << 2.0 << 500.0 << 0.5 << Couplage::DC << 1.0 << 0.0
        << QList<QPoint>{{-450, 200}, {-350, -200}, {-400, 0}, {-300, 0}, {-200, 0}, {100, 0}, {300, 0}}
        << QList<QPoint>{{-450, -200}, {-350, 200}, {-350, 0}, {-250, 0}} << -500;
    // Ratio 0.9, 5 V at 2 V/div: the mean 4 V is removed, the high level sits
    // at 0.5 div.
    QTest::newRow("square in AC coupling is centred")
        << FormeOnde::Carre << 5.0 << 500.0 << 0.9 << Couplage::AC << 2.0 << 0.0
        << QList<QPoint>{{-420, 50}} << QList<QPoint>{{-420, 250}} << -500;
    // 3 V at 100 Hz rising for a quarter of the period: one period fills the
    // screen.
    QTest::newRow("triangle rises and falls")
        << FormeOnde::Triangle << 3.0 << 100.0 << 0.25 << Couplage::DC << 1.0 << 0.0
        << QList<QPoint>{{-500, -300}, {-375, 0}, {-250, 300}, {125, 0}, {490, -292}}
        << QList<QPoint>{{125, 200}} << -500;
    // 2 V at 1 V/div. A sine rises through 0 at -500 + shift, 4 divisions a
    // period.
    QTest::newRow("sine one division right")
        << FormeOnde::Sinus << 2.0 << 250.0 << 0.0 << Couplage::DC << 1.0 << 100.0
        << QList<QPoint>{{-400, 0}, {-300, 200}, {-100, -200}, {400, 0}}
        << QList<QPoint>{{-500, 0}, {-400, 200}} << -400;
    QTest::newRow("sine half a division left")
        << FormeOnde::Sinus << 2.0 << 250.0 << 0.0 << Couplage::DC << 1.0 << -50.0
        << QList<QPoint>{{-450, 200}, {-350, 0}, {-250, -200}, {450, 0}}
        << QList<QPoint>{{-500, 0}, {-400, 200}} << -550;
    // A square rises at -500 + shift and stays high for one division.
    QTest::newRow("square half a division right")
        << FormeOnde::Carre << 2.0 << 500.0 << 0.5 << Couplage::DC << 1.0 << 50.0
        << QList<QPoint>{{-450, 0}, {-400, 200}, {-300, -200}, {-350, 0}}
        << QList<QPoint>{{-400, -200}, {-400, 0}, {-300, 200}} << -450;
    // A level line spans 1000 units from -500 + shift.
    QTest::newRow("DC level two divisions right")
        << FormeOnde::Continu << 2.0 << 0.0 << 0.0 << Couplage::DC << 1.0 << 200.0
        << QList<QPoint>{{-300, 200}, {480, 200}} << QList<QPoint>{{-400, 200}} << -300;
    QTest::newRow("GND line three divisions left")
        << FormeOnde::Sinus << 2.0 << 250.0 << 0.0 << Couplage::GND << 1.0 << -300.0
        << QList<QPoint>{{-480, 0}, {200, 0}} << QList<QPoint>{{300, 0}, {-300, 200}} << -800;
}

void tst_Figure::traceThrough()
{
    QFETCH(FormeOnde, forme);
    QFETCH(double, amplitude);
    QFETCH(double, frequence);
    QFETCH(double, rapport);
    QFETCH(Couplage, couplage);
    QFETCH(double, sensibilite);
    QFETCH(double, decale);
    QFETCH(QList<QPoint>, traces);
    QFETCH(QList<QPoint>, vides);
    QFETCH(int, debut);
    EtatTrace e = etat(ModeVoies::CH1, couplage);
    e.voies[0] = voie(forme, amplitude, frequence, rapport);
    e.voies[0].couleur = kJaune;
    e.voies[0].sensibilite = sensibilite;
    e.H = decale;
    const TraceVoie trace = TraceRapide(e, 0, 1);
    QVERIFY(trace.genre != TraceVoie::Genre::Rien);
    QCOMPARE(trace.couleur, kJaune);
    const QPolygonF points = trait(trace);
    for (const QPoint& p : traces)
        QVERIFY2(passe(points, p.x(), p.y()), qPrintable(QString("%1, %2").arg(p.x()).arg(p.y())));
    for (const QPoint& p : vides)
        QVERIFY2(!passe(points, p.x(), p.y()), qPrintable(QString("%1, %2").arg(p.x()).arg(p.y())));
    double gauche = 1e9, droite = -1e9;
    for (const QPointF& p : points) {
        gauche = std::min(gauche, p.x());
        droite = std::max(droite, p.x());
    }
    if (debut > -500)
        QVERIFY2(gauche >= debut - 2, qPrintable(QString::number(gauche)));
    const int fin = debut + 1000;
    if (fin < 500)
        QVERIFY2(droite <= fin + 2, qPrintable(QString::number(droite)));
}

void tst_Figure::levelLine_data()
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<bool>("branchee");
    QTest::addColumn<Couplage>("couplage");
    QTest::addColumn<double>("sensibilite");
    QTest::addColumn<double>("position");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<double>("y");

    // A 3 V battery, the trace 20 units up: AC coupling blocks it, GND shows
    // the position.
    QTest::newRow("DC source, AC, blocked") << 0 << FormeOnde::Continu << 3.0 << 0.0 << true << Couplage::AC << 1.0
                                            << 20.0 << false << 20.0;
    QTest::newRow("DC source, DC") << 0 << FormeOnde::Continu << 3.0 << 0.0 << true << Couplage::DC << 1.0 << 20.0
                                   << false << 320.0;
    QTest::newRow("DC source, GND") << 0 << FormeOnde::Continu << 3.0 << 0.0 << true << Couplage::GND << 1.0
                                    << 20.0 << false << 20.0;
    // A sine with +10 V of offset at 5 V/div, the plug out: flat at the
    // position, no offset.
    QTest::newRow("unconnected channel, flat at its position")
        << 0 << FormeOnde::Sinus << 0.0 << 10.0 << false << Couplage::DC << 5.0 << -100.0 << false << -100.0;
    // 2 V on both channels, "-CH2" lit: CH1 up, CH2 down.
    QTest::newRow("CH1 with -CH2 lit") << 0 << FormeOnde::Continu << 2.0 << 0.0 << true << Couplage::DC << 1.0
                                       << 0.0 << true << 200.0;
    QTest::newRow("CH2 inverted") << 1 << FormeOnde::Continu << 2.0 << 0.0 << true << Couplage::DC << 1.0 << 0.0
                                  << true << -200.0;
}

void tst_Figure::levelLine()
{
    QFETCH(int, voie);
    QFETCH(FormeOnde, forme);
    QFETCH(double, amplitude);
    QFETCH(double, decalage);
    QFETCH(bool, branchee);
    QFETCH(Couplage, couplage);
    QFETCH(double, sensibilite);
    QFETCH(double, position);
    QFETCH(bool, inverse);
    QFETCH(double, y);
    EtatTrace e = etat(ModeVoies::DUAL, couplage, couplage, inverse);
    VoieTracee& v = e.voies[size_t(voie)];
    v.forme = forme;
    v.amplitude = amplitude;
    v.frequence = forme == FormeOnde::Sinus ? 250 : 0;
    v.decalage = decalage;
    v.branchee = branchee;
    v.sensibilite = sensibilite;
    v.position = position;
    const TraceVoie trace = TraceRapide(e, voie, 1);
    QVERIFY(trace.genre != TraceVoie::Genre::Rien);
    const auto [haut, bas] = etendue(trait(trace));
    QVERIFY2(qAbs(haut - y) <= 1 && qAbs(bas - y) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    QCOMPARE(trace.couleur, voie == 0 ? kJaune : kVert);
}

void tst_Figure::sinePeaks()
{
    // 2 V at 250 Hz, 4 divisions a period at 1 ms/div, 50 units up.
    EtatTrace e = etat(ModeVoies::CH1);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 250);
    e.voies[0].position = 50;
    const TraceVoie trace = TraceRapide(e, 0, 1);
    QCOMPARE(trace.genre, TraceVoie::Genre::Courbe);
    const auto [haut, bas] = etendue(trace.points);
    QVERIFY2(qAbs(haut - 250) <= 1 && qAbs(bas + 150) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    // It starts at its rising zero crossing at the left edge.
    QVERIFY(passe(trace.points, -500, 50));
    QVERIFY(passe(trace.points, -400, 250));
    QVERIFY(passe(trace.points, -200, -150));
}

void tst_Figure::degenerateFrequencies_data()
{
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<bool>("trace");
    QTest::newRow("triangle at 0 Hz") << FormeOnde::Triangle << 0.0 << 0.001 << false;
    QTest::newRow("square at -5 Hz") << FormeOnde::Carre << -5.0 << 0.001 << false;
    QTest::newRow("sine at 0 Hz is its offset") << FormeOnde::Sinus << 0.0 << 0.001 << true;
    QTest::newRow("square, 120 kHz at 5 ms/div") << FormeOnde::Carre << 120000.0 << 0.005 << true;
    QTest::newRow("triangle, 10 MHz at 1 ms/div") << FormeOnde::Triangle << 1e7 << 0.001 << true;
}

void tst_Figure::degenerateFrequencies()
{
    QFETCH(FormeOnde, forme);
    QFETCH(double, frequence);
    QFETCH(double, baseTemps);
    QFETCH(bool, trace);
    EtatTrace e = etat(ModeVoies::CH1);
    e.voies[0] = voie(forme, 2, frequence, 0.5);
    e.baseTemps = baseTemps;
    const TraceVoie t = TraceRapide(e, 0, 1);
    QCOMPARE(t.genre != TraceVoie::Genre::Rien, trace);
    if (trace && frequence > 1000) {
        // Periods narrower than a pixel fill the band between the levels.
        QVERIFY(passe(t.points, 100, 200));
        QVERIFY(passe(t.points, 100, 0));
        QVERIFY(passe(t.points, 100, -200));
    }
}

void tst_Figure::frequenciesBeyondReachStayFinite_data()
{
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("frequence");
    // Past 2^53 periods a second a time's phase is lost in rounding.
    for (FormeOnde forme : {FormeOnde::Sinus, FormeOnde::Carre, FormeOnde::Triangle, FormeOnde::Dyn})
        for (double f : {1e17, 1e300})
            QTest::addRow("%d at %g Hz", int(forme), f) << forme << f;
}

void tst_Figure::frequenciesBeyondReachStayFinite()
{
    // A spot's sweep, the ADD sum and the XY figure of such a wave end, and
    // every point they give lies within the two channels' swings (the
    // alternator's crest is 1.5 times its 2 V, CH2's sine 1 V).
    QFETCH(FormeOnde, forme);
    QFETCH(double, frequence);
    EtatTrace e = etat(ModeVoies::DUAL);
    e.baseTemps = 0.5;
    e.voies[0] = voie(forme, 2, frequence, 0.25);
    e.voies[1] = voie(FormeOnde::Sinus, 1, 3);
    QList<QPolygonF> pieces = PointsSpot(e, 0, 1, -500, 500, 500, -500);
    pieces << PointsADD(e, -500, 500, 1) << FigureXYDe(e, 0, 1, 1).pieces;
    for (const QPolygonF& piece : pieces)
        for (const QPointF& p : piece)
            QVERIFY2(std::isfinite(p.y()) && std::abs(p.y()) <= 400 + 1e-9, qPrintable(QString::number(p.y())));
}

void tst_Figure::addModeDrawsTheSumInCh1Colour()
{
    // 1 V and 2 V at 1 V/div.
    const EtatTrace e = sommeDeNiveaux(1, 2);
    const TraceVoie trace = TraceRapide(e, 0, 1);
    QCOMPARE(trace.genre, TraceVoie::Genre::Courbe);
    QCOMPARE(trace.couleur, kJaune);
    for (const QPointF& p : trace.points)
        QCOMPARE(p.y(), 350.0);
}

// ------------------------------------------------------------------ spot

void tst_Figure::spotPieces_data()
{
    QTest::addColumn<double>("x0");
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("xR");
    QTest::addColumn<double>("xL");
    QTest::addColumn<QList<QPointF>>("runs"); // first and last x of each run
    QTest::addColumn<QList<int>>("tailles");   // points of each run

    // A run a column of one unit, a DC level one point each, up to the
    // right edge.
    QTest::newRow("clipped at the right edge") << 480.0 << 500.0 << 500.0 << -500.0
                                               << QList<QPointF>{{480.5, 499.5}} << QList<int>{20};
    // The spot beyond the right edge of a screen moved 200 units left:
    // nothing to that edge, then the whole width from the left one.
    QTest::newRow("beyond the right edge") << 350.0 << 300.0 << 300.0 << -700.0
                                           << QList<QPointF>{{0, 0}, {-699.5, 299.5}} << QList<int>{0, 1000};
}

void tst_Figure::spotPieces()
{
    QFETCH(double, x0);
    QFETCH(double, x1);
    QFETCH(double, xR);
    QFETCH(double, xL);
    QFETCH(QList<QPointF>, runs);
    QFETCH(QList<int>, tailles);
    EtatTrace e = etat(ModeVoies::CH1);
    e.baseTemps = 0.01;
    e.voies[0] = voie(FormeOnde::Continu, 1, 0);
    const QList<QPolygonF> pieces = PointsSpot(e, 0, 1, x0, x1, xR, xL);
    QCOMPARE(pieces.size(), runs.size());
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QCOMPARE(pieces[i].size(), tailles[i]);
        if (pieces[i].isEmpty())
            continue;
        QCOMPARE(pieces[i].constFirst().x(), runs[i].x());
        QCOMPARE(pieces[i].constLast().x(), runs[i].y());
        for (const QPointF& p : pieces[i])
            QCOMPARE(p.y(), 100.0); // 1 V at 1 V/div
    }
}

// ------------------------------------------------------- beam, not samples

namespace {

// A picture's device pixel in screen units, across and up: the panel's
// screen is 399 x 329 pixels, the full-screen view's 1920 x 1080.
double pixelX(int largeur)
{
    return 1005.0 / largeur;
}
double pixelY(int largeur)
{
    return largeur == 399 ? 805.0 / 329 : 805.0 / 1080;
}

// The least and greatest value of the harmonic sum A (sin θ + sin 3θ / 3 +
// sin 5θ / 5) + X0 over a period, found by reading it at a million phases.
QPair<double, double> extremesHarmoniques(double A, double X0)
{
    double haut = -1e9, bas = 1e9;
    for (int i = 0; i < 1000000; ++i) {
        const double th = 2 * M_PI * i / 1e6;
        const double y = A * (std::sin(th) + std::sin(3 * th) / 3 + std::sin(5 * th) / 5) + X0;
        haut = std::max(haut, y);
        bas = std::min(bas, y);
    }
    return {haut, bas};
}

// A harmonic generator sending its fundamental, a third of its third and a
// fifth of its fifth harmonic, and a constant of X0 volts.
void harmoniques(VoieTracee& v, int X0)
{
    v.niveaux = NiveauxHarmoniques();
    v.niveaux.X0 = X0;
    for (int rang : {1, 3, 5}) {
        v.niveaux.Ampli[size_t(rang - 1)] = 10;
        v.niveaux.AmpliMin[size_t(rang - 1)] = 10 * rang;
    }
}

// Every run of `n` device columns of the stretch [x1, x2] reaches up to
// `haut` and down to `bas` within `tolerance`, and goes no farther.
void colonnesCouvrent(const QPolygonF& points, double x1, double x2, double pixel, int n, double haut, double bas,
                      double tolerance)
{
    const double premiere = std::ceil((x1 + 500) / pixel), derniere = std::floor((x2 + 500) / pixel) - n;
    for (double c = premiere; c <= derniere; ++c) {
        const double a = -500 + c * pixel, b = a + n * pixel;
        const auto [h, l] = etendue(points, a + 1e-6, b - 1e-6);
        QVERIFY2(h >= haut - tolerance && h <= haut + tolerance && l <= bas + tolerance && l >= bas - tolerance,
                 qPrintable(QString("columns %1 to %2: %3 .. %4, expected %5 .. %6").arg(a).arg(b).arg(l).arg(h)
                                .arg(bas).arg(haut)));
    }
}

} // namespace

void tst_Figure::fastWaveIsABandNotAnAlias_data()
{
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<int>("largeur"); // the picture's device pixels across
    QTest::addColumn<int>("colonnes"); // columns a run must span to hold a period
    QTest::addColumn<double>("baseTemps");

    // 1 ms/div, a 3 V sine at 1 V/div: on the panel's screen a column lasts
    // 25.2 µs, a period of 49 to 50.1 kHz 20 µs or so: every column holds the
    // whole swing. A sampler every 2 units would draw 1 kHz, nothing and
    // 100 Hz.
    for (double f : {49000.0, 50000.0, 50100.0})
        QTest::addRow("sine %g Hz, panel", f) << FormeOnde::Sinus << f << 399 << 1 << 0.001;
    // At 1920 pixels a column lasts 5.2 µs: 49 kHz is 3.9 columns a period.
    for (double f : {49000.0, 50000.0, 50100.0})
        QTest::addRow("sine %g Hz, full screen", f) << FormeOnde::Sinus << f << 1920 << 4 << 0.001;
    // A harmonic sum of 100 kHz at 5 ms/div: 12.6 periods a column of the
    // panel, 2.6 of the full screen.
    QTest::newRow("harmonic generator, panel") << FormeOnde::Harmo << 100000.0 << 399 << 1 << 0.005;
    QTest::newRow("harmonic generator, full screen") << FormeOnde::Harmo << 100000.0 << 1920 << 1 << 0.005;
    // 5 kHz: 7.9 columns a period on the panel, 38 on the full screen: the
    // curve itself, each period up to its true crest and trough.
    QTest::newRow("sine 5 kHz, panel") << FormeOnde::Sinus << 5000.0 << 399 << 8 << 0.001;
    QTest::newRow("sine 5 kHz, full screen") << FormeOnde::Sinus << 5000.0 << 1920 << 39 << 0.001;
}

void tst_Figure::fastWaveIsABandNotAnAlias()
{
    QFETCH(FormeOnde, forme);
    QFETCH(double, frequence);
    QFETCH(int, largeur);
    QFETCH(int, colonnes);
    QFETCH(double, baseTemps);
    EtatTrace e = etat(ModeVoies::CH1);
    e.baseTemps = baseTemps;
    e.voies[0] = voie(forme, 3, frequence);
    double haut = 300, bas = -300;
    if (forme == FormeOnde::Harmo) {
        harmoniques(e.voies[0], 1);
        const auto [h, b] = extremesHarmoniques(3, 1);
        haut = 100 * h;
        bas = 100 * b;
    }
    const TraceVoie trace = TraceRapide(e, 0, pixelX(largeur));
    QCOMPARE(trace.genre, TraceVoie::Genre::Courbe);
    colonnesCouvrent(trace.points, -500, 500, pixelX(largeur), colonnes, haut, bas, pixelY(largeur));
}

void tst_Figure::alternatorBandInTheSpot_data()
{
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<double>("frequence");
    // A column of the panel lasts 2.5 ms at 0.1 s/div, 12.6 ms at 0.5 s/div.
    QTest::newRow("0.1 s/div, 500 Hz") << 0.1 << 500.0;
    QTest::newRow("0.2 s/div, 250 Hz") << 0.2 << 250.0;
    QTest::newRow("0.5 s/div, 100 Hz") << 0.5 << 100.0;
}

void tst_Figure::alternatorBandInTheSpot()
{
    QFETCH(double, baseTemps);
    QFETCH(double, frequence);
    // 2 V of fundamental: the wave sin θ - 0.3 sin 3θ + 0.2 sin 5θ peaks at
    // 1.5 times it, at θ = 90°, where the three terms all are at their peaks.
    EtatTrace e = etat(ModeVoies::CH1);
    e.baseTemps = baseTemps;
    e.voies[0] = voie(FormeOnde::Dyn, 2, frequence);
    const double pixel = pixelX(399);
    const QList<QPolygonF> pieces = PointsSpot(e, 0, pixel, -300, 100, 500, -500);
    QCOMPARE(pieces.size(), 1);
    colonnesCouvrent(pieces[0], -300, 100, pixel, 1, 300, -300, pixelY(399));
}

void tst_Figure::xyFastChannelSweepsABand_data()
{
    QTest::addColumn<int>("largeur");
    QTest::newRow("panel") << 399;
    QTest::newRow("full screen") << 1920;
}

void tst_Figure::xyFastChannelSweepsABand()
{
    QFETCH(int, largeur);
    // 10 Hz across, 62.5 kHz up, both 4 V at 1 V/div: while CH1 moves by a
    // point, CH2 runs through 2.5 periods, so the beam sweeps CH2's whole
    // swing over the stretch CH1 swings through. A figure lasts 0.04 s,
    // in which CH1 rises from 0 to its crest and comes back part way.
    EtatTrace e = etat(ModeVoies::XY);
    e.voies[0] = voie(FormeOnde::Sinus, 4, 10);
    e.voies[1] = voie(FormeOnde::Sinus, 4, 62500);
    const double px = pixelX(largeur), py = pixelY(largeur);
    const FigureXY figure = FigureXYDe(e, 0, px, py);
    QCOMPARE(figure.genre, FigureXY::Genre::BandeColonnes);
    QCOMPARE(figure.pieces.size(), 1);
    colonnesCouvrent(figure.pieces[0], px, 400 - px, px, 1, 400, -400, py);
    // Nothing beyond CH1's swing.
    for (const QPointF& p : figure.pieces[0])
        QVERIFY2(p.x() >= -px && p.x() <= 400 + px, qPrintable(QString::number(p.x())));
}

void tst_Figure::inversionNegatesTheWholeSignal_data()
{
    QTest::addColumn<QString>("vue");
    QTest::newRow("DUAL trace") << "trace";
    QTest::newRow("spot") << "spot";
    QTest::newRow("ADD") << "ADD";
    QTest::newRow("XY") << "XY";
}

void tst_Figure::inversionNegatesTheWholeSignal()
{
    QFETCH(QString, vue);
    // Both channels 1 V at 250 Hz on +2 V at 1 V/div, "-CH2" lit: CH2 is
    // -1 V sine on -2 V, the mirror of CH1 about the screen's centre.
    const ModeVoies mode = vue == "ADD" ? ModeVoies::ADD : vue == "XY" ? ModeVoies::XY : ModeVoies::DUAL;
    EtatTrace e = etat(mode, Couplage::DC, Couplage::DC, true);
    for (VoieTracee& v : e.voies) {
        v = voie(FormeOnde::Sinus, 1, 250, 0.5, 2);
    }
    if (vue == "trace" || vue == "spot") {
        QPolygonF points;
        if (vue == "trace") {
            points = TraceRapide(e, 1, 1).points;
        } else {
            e.baseTemps = 0.01;
            points = PointsSpot(e, 1, 1, -500, 500, 500, -500).value(0);
        }
        const auto [haut, bas] = etendue(points);
        QVERIFY2(qAbs(haut + 100) < 1 && qAbs(bas + 300) < 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    } else if (vue == "ADD") {
        for (const QPointF& p : PointsADD(e, -500, 500, 1))
            QVERIFY2(qAbs(p.y()) < 1e-6, qPrintable(QString::number(p.y())));
    } else {
        const QPolygonF figure = courbeXY(e, 0);
        QVERIFY(!figure.isEmpty());
        for (const QPointF& p : figure)
            QVERIFY2(qAbs(p.y() + p.x()) < 1e-6, qPrintable(QString("%1 %2").arg(p.x()).arg(p.y())));
    }
}

void tst_Figure::spotFollowsTheShapeRatio_data()
{
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<QList<QPointF>>("niveaux"); // abscissa, height the wave is at there
    QTest::addColumn<QList<double>>("fronts");   // abscissas of the square's edges

    // 2 V on +1 V at 1 V/div, a duty or a rise of 25 %, a period of two
    // divisions from the left edge: high from -500 to -450, low to -300.
    const QList<QPointF> carre{{-490, 300}, {-460, 300}, {-440, -100}, {-310, -100}, {-280, 300}, {-240, -100}};
    const QList<double> fronts{-450, -300, -250, -100};
    // The triangle rises from -100 to 300 over half a division and falls
    // back over one and a half.
    const QList<QPointF> triangle{{-100, -100}, {-475, 100}, {-450, 300}, {-375, 100}, {-300, -100}, {-275, 100}};
    QTest::newRow("square, 10 ms/div") << FormeOnde::Carre << 0.01 << 50.0 << carre << fronts;
    QTest::newRow("square, 0.5 s/div") << FormeOnde::Carre << 0.5 << 1.0 << carre << fronts;
    QTest::newRow("triangle, 10 ms/div") << FormeOnde::Triangle << 0.01 << 50.0 << triangle << QList<double>{};
    QTest::newRow("triangle, 0.5 s/div") << FormeOnde::Triangle << 0.5 << 1.0 << triangle << QList<double>{};
}

void tst_Figure::spotFollowsTheShapeRatio()
{
    QFETCH(FormeOnde, forme);
    QFETCH(double, baseTemps);
    QFETCH(double, frequence);
    QFETCH(QList<QPointF>, niveaux);
    QFETCH(QList<double>, fronts);
    EtatTrace e = etat(ModeVoies::CH1);
    e.baseTemps = baseTemps;
    e.voies[0] = voie(forme, 2, frequence, 0.25, 1);
    // The spot's whole sweep, and the trace of the same wave at once.
    const QPolygonF spot = PointsSpot(e, 0, 1, -500, 500, 500, -500).value(0);
    const QPolygonF trace = TraceRapide(e, 0, 1).points;
    for (const QPolygonF& points : {spot, trace}) {
        for (const QPointF& n : niveaux) {
            // Within the column about x, where the triangle's rise climbs
            // 8 units.
            const auto [haut, bas] = etendue(points, n.x() - 0.4, n.x() + 0.4);
            QVERIFY2(n.y() >= bas - 1 && n.y() <= haut + 1 && haut - bas <= 8,
                     qPrintable(QString("at %1: %2 .. %3, expected %4").arg(n.x()).arg(bas).arg(haut).arg(n.y())));
        }
        for (double x : fronts) {
            const auto [haut, bas] = etendue(points, x - 1, x + 1);
            QVERIFY2(qAbs(haut - 300) < 1e-6 && qAbs(bas + 100) < 1e-6,
                     qPrintable(QString("edge at %1: %2 .. %3").arg(x).arg(bas).arg(haut)));
        }
    }
}

// ------------------------------------------------- deflection (XY and ADD)

void tst_Figure::deflectionWords_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("y"); // 2 V peak, 100 Hz, 1 V/div, duty 0.25

    QTest::newRow("cc") << "Cc" << 0.003 << 200.0;
    QTest::newRow("sine at a quarter period") << "Sinus" << 0.0025 << 200.0;
    QTest::newRow("sine, capitals") << "SINUS" << 0.0025 << 200.0;
    QTest::newRow("sine, the editor's word") << "sinusoïdale" << 0.0025 << 200.0;
    QTest::newRow("square high for the duty") << "Carre" << 0.002 << 200.0;
    QTest::newRow("square low after it") << "carrée" << 0.003 << -200.0;
    QTest::newRow("triangle at its minimum") << "Triangle" << 0.0 << -200.0;
    QTest::newRow("triangle at the top after the duty") << "triangulaire" << 0.0025 << 200.0;
    QTest::newRow("triangle halfway down") << "Triangle" << 0.00625 << 0.0;
    QTest::newRow("alternator at a quarter period") << "Dyn" << 0.0025 << 300.0;
    QTest::newRow("unknown word") << "bruit" << 0.0025 << 0.0;
}

void tst_Figure::deflectionWords()
{
    QFETCH(QString, mot);
    QFETCH(double, t);
    QFETCH(double, y);
    // The channel's drawn values, as a refresh leaves them.
    EtatVoie canal;
    canal.SourceBranchee = canal.EntreeBranchee = true;
    canal.TraceSignal = mot;
    canal.TraceAmplitude = 2;
    canal.TraceFrequence = 100;
    canal.RapportCyclique = 0.25f;
    canal.Sensibilite = 1;
    EtatTrace e = etat(ModeVoies::XY);
    e.voies[0] = VoieTraceeDe(canal, NiveauxHarmoniques());
    const OndeEcran a(e, 0, false);
    QVERIFY2(qAbs(a(t) - y) < 1e-6, qPrintable(QString::number(a(t))));
}

void tst_Figure::unconnectedChannelAddsNoOffset_data()
{
    QTest::addColumn<int>("coupure"); // 0 source switched off, 1 scope plug out
    QTest::newRow("source unplugged") << 0;
    QTest::newRow("input unwired") << 1;
}

void tst_Figure::unconnectedChannelAddsNoOffset()
{
    QFETCH(int, coupure);
    // A 2 V sine with +10 V of offset in DC coupling at 5 V/div, CH1 30 and
    // CH2 -10 units up: only the positions are left.
    EtatVoie canal;
    canal.SourceBranchee = coupure != 0;
    canal.EntreeBranchee = coupure != 1;
    canal.TraceSignal = "Sinus";
    canal.TraceAmplitude = 2;
    canal.TraceFrequence = 1000;
    canal.Decalage = 10;
    canal.Sensibilite = 5;
    canal.PositionVerticale = 30;
    EtatTrace e = etat(ModeVoies::ADD);
    e.voies[0] = VoieTraceeDe(canal, NiveauxHarmoniques());
    e.voies[1].position = -10;
    for (const QPointF& p : PointsADD(e, -500, 500, 1))
        QCOMPARE(p.y(), 20.0);
    for (const QPointF& p : courbeXY(e, 0))
        QCOMPARE(p.x(), 30.0);
}

void tst_Figure::triangleAtZeroHertzIsItsOffset()
{
    // +10 V of offset at 5 V/div.
    EtatTrace e = etat(ModeVoies::XY);
    e.voies[0] = voie(FormeOnde::Triangle, 2, 0, 0.5, 10);
    e.voies[0].sensibilite = 5;
    const OndeEcran a(e, 0, false);
    for (double t : {0.0, 0.001, 0.5})
        QCOMPARE(a(t), 200.0);
}

void tst_Figure::periodTableRangeHoldsItsSamples_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("a sine's 320 samples") << 320;
    QTest::newRow("the harmonic generator's 1280") << 1280;
    QTest::newRow("an odd size") << 77;
}

void tst_Figure::periodTableRangeHoldsItsSamples()
{
    // Every sample its own value, so that a sample missed or read twice
    // shows: the range over a stretch of phases is the least and the
    // greatest of the samples whose phases lie strictly inside it, however
    // the stretch falls across the table and across its end.
    QFETCH(int, n);
    std::vector<double> v(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        v[size_t(k)] = double((k * 7919) % 1009) - 500;
    const TablePeriode table(v);
    int verifies = 0;
    for (int debut = 0; debut < 3 * n; debut += 7)
        for (int longueur : {1, 2, 3, 5, 8, 9, 17, 31, 32, 33, 63, 64, 65, 100, 257, n - 1, n}) {
            // From a quarter of a sample past `debut` to as far again past
            // `debut + longueur`, phases in cycles.
            const double u0 = (debut + 0.25) / n - 1, u1 = (debut + longueur + 0.25) / n - 1;
            if (!(u1 < u0 + 1))
                continue;
            double bas = 1e9, haut = -1e9;
            table.interieur(u0, u1, bas, haut);
            double attenduBas = 1e9, attenduHaut = -1e9;
            for (int m = debut + 1; m <= debut + longueur; ++m) {
                attenduBas = std::min(attenduBas, v[size_t(m % n)]);
                attenduHaut = std::max(attenduHaut, v[size_t(m % n)]);
            }
            QVERIFY2(bas == attenduBas && haut == attenduHaut,
                     qPrintable(QString("samples %1 to %2: %3..%4, expected %5..%6")
                                    .arg(debut + 1).arg(debut + longueur).arg(bas).arg(haut).arg(attenduBas).arg(attenduHaut)));
            ++verifies;
        }
    QVERIFY(verifies > 0);
}

void tst_Figure::sineWithoutTheLibrary()
{
    // The screen's sine, worked out without a call to the library, is the
    // library's to its last bit or one below, over the phases a wave takes
    // (2 pi times a cycle's fraction) and around them: drawn draws and the
    // quarter periods.
    std::vector<double> x = {0, 0.25, 0.5, 0.75, 1, -0.25, 1.5707963267948966, 3.141592653589793, 6.2831853,
                             -8, 8};
    uint64_t etat = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 100000; ++i) {
        etat = etat * 6364136223846793005ull + 1442695040888963407ull;
        x.push_back(-8 + 16 * double(etat >> 11) / double(uint64_t(1) << 53));
    }
    for (int k = 0; k <= 64; ++k)
        x.push_back(2 * kPi * k / 64.0);
    for (const double v : x)
        QVERIFY2(std::abs(SinusRapide(v) - std::sin(v)) <= std::numeric_limits<double>::epsilon(),
                 qPrintable(QString::number(v, 'g', 17)));
    // Far out, and no number: the library's own.
    QCOMPARE(SinusRapide(1e6), std::sin(1e6));
    QVERIFY(std::isnan(SinusRapide(std::numeric_limits<double>::quiet_NaN())));
    QVERIFY(std::isnan(SinusRapide(std::numeric_limits<double>::infinity())));
}

void tst_Figure::harmonicWaveFollowsItsLevels()
{
    // The harmonic generator's sum at 100 Hz, 2 V at 1 V/div: the
    // fundamental alone, then with its third a quarter of a turn ahead at
    // half its amplitude, then at 3/10 of it, and back again.
    const auto onde = [](int tiers) {
        EtatTrace e = etat(ModeVoies::CH1);
        e.voies[0] = voie(FormeOnde::Harmo, 2, 100);
        e.voies[0].niveaux.Ampli[2] = tiers;
        e.voies[0].niveaux.AmpliMin[2] = 10;
        e.voies[0].niveaux.Phase[2] = 1; // a quarter of a turn
        return OndeEcran(e, 0);
    };
    for (const int tiers : {0, 5, 3, 0, 5}) {
        const OndeEcran o = onde(tiers);
        for (int k = 0; k < 200; ++k) {
            const double t = k * 0.01 / 200;
            const double attendu = 200 * std::sin(2 * M_PI * 100 * t)
                + 200 * tiers / 10.0 * std::sin(2 * M_PI * 300 * t + M_PI / 2);
            // Read between the samples of a period's table, within a
            // thousandth of the amplitude.
            QVERIFY2(std::abs(o(t) - attendu) < 0.4, qPrintable(QString("%1 at %2: %3").arg(tiers).arg(t).arg(o(t))));
        }
    }
}

// ----------------------------------------------------------------- XY

void tst_Figure::equallySpacedValuesMatchEachInstant_data()
{
    QTest::addColumn<FormeOnde>("forme");
    QTest::addColumn<double>("frequence"); // Hz
    QTest::addColumn<double>("rapport");
    QTest::addColumn<double>("debut");     // s
    QTest::addColumn<double>("periodes");  // periods between two values
    // Steps that fall on no simple fraction of the period, from the start
    // and thousands of periods in; the harmonic generator with all twenty
    // harmonics; a step of more than one period; a frequency below zero
    // where the generator gives one (the sine family).
    QTest::newRow("sine, 1 kHz") << FormeOnde::Sinus << 1000.0 << 0.0 << 0.0 << 1 / 7.31;
    QTest::newRow("sine, -1 kHz, 3.7 s in") << FormeOnde::Sinus << -1000.0 << 0.0 << 3.7 << 1 / 7.31;
    QTest::newRow("square, 1 kHz") << FormeOnde::Carre << 1000.0 << 0.5 << 0.0 << 1 / 13.7;
    QTest::newRow("square 30 %, 62.5 kHz, 0.1234 s in") << FormeOnde::Carre << 62500.0 << 0.3 << 0.1234
                                                         << 1 / 5.13;
    QTest::newRow("triangle, 49.75 kHz") << FormeOnde::Triangle << 49750.0 << 0.5 << 0.0 << 1 / 8.03;
    QTest::newRow("triangle 20 %, 0.2 s in") << FormeOnde::Triangle << 49750.0 << 0.2 << 0.2 << 1 / 8.03;
    QTest::newRow("triangle 20 %, steps over periods") << FormeOnde::Triangle << 49750.0 << 0.2 << 0.01 << 1.2071;
    QTest::newRow("square 30 %, steps over periods") << FormeOnde::Carre << 1000.0 << 0.3 << 0.0 << 2.4113;
    QTest::newRow("sawtooth triangle, before zero") << FormeOnde::Triangle << 440.0 << 1.0 << -0.37 << 1 / 9.7;
    QTest::newRow("harmonic, 2487.5 Hz") << FormeOnde::Harmo << 2487.5 << 0.0 << 0.0 << 1 / 161.3;
    QTest::newRow("harmonic, 4.2 s in") << FormeOnde::Harmo << 2487.5 << 0.0 << 4.2 << 1 / 161.3;
    QTest::newRow("harmonic, -2487.5 Hz, 1.3 s in") << FormeOnde::Harmo << -2487.5 << 0.0 << 1.3 << 1 / 161.3;
    QTest::newRow("harmonic, 100 Hz, before zero") << FormeOnde::Harmo << 100.0 << 0.0 << -0.0375 << 1 / 97.1;
    QTest::newRow("harmonic, steps over periods") << FormeOnde::Harmo << 2487.5 << 0.0 << 0.5 << 3.3071;
    QTest::newRow("alternator, 9950 Hz") << FormeOnde::Dyn << 9950.0 << 0.0 << 0.0 << 1 / 40.3;
    QTest::newRow("alternator, 1.05 s in") << FormeOnde::Dyn << 9950.0 << 0.0 << 1.05 << 1 / 40.3;
    QTest::newRow("alternator, -50 Hz, steps over periods") << FormeOnde::Dyn << -50.0 << 0.0 << 2.0 << 2.718;
    // An animation run for weeks: whole cycles past any fraction.
    QTest::newRow("harmonic, 10^9 s in") << FormeOnde::Harmo << 2487.5 << 0.0 << 1e9 << 1 / 161.3;
}

void tst_Figure::equallySpacedValuesMatchEachInstant()
{
    QFETCH(FormeOnde, forme);
    QFETCH(double, frequence);
    QFETCH(double, rapport);
    QFETCH(double, debut);
    QFETCH(double, periodes);
    // 2 V at 1 V/div on CH1, 1 V of offset; the harmonic generator as a
    // sawtooth, every harmonic at the inverse of its rank.
    EtatTrace e = etat(ModeVoies::XY);
    e.voies[0] = voie(forme, 2, frequence, rapport, 1);
    for (int i = 0; i < 20; ++i) {
        e.voies[0].niveaux.AmpliMin[size_t(i)] = 60;
        e.voies[0].niveaux.Ampli[size_t(i)] = 60 / (i + 1);
    }
    const OndeEcran onde(e, 0, false);
    // As many values as the densest XY figure takes, each beside the wave
    // at its own instant within a billionth of the amplitude (200 units),
    // and within what the instant's own rounding moves the wave (its phase
    // to a bit or two, times the steepest slope of twenty harmonics at the
    // inverse of their ranks, which none of these waves exceeds); a
    // square's and a sawtooth's leaps excepted, where the level either side
    // is the wave's.
    constexpr int n = 32001;
    const double dt = periodes / std::abs(frequence);
    std::vector<double> v(static_cast<size_t>(n));
    onde.valeurs(debut, dt, n, v.data());
    const bool sauts = forme == FormeOnde::Carre || (forme == FormeOnde::Triangle && rapport >= 1);
    double bas = 1e9, haut = -1e9;
    int sautes = 0;
    for (int i = 0; i < n; ++i) {
        const double t = debut + i * dt;
        if (sauts) {
            const double u = t * frequence - std::floor(t * frequence);
            if (std::min({u, std::abs(u - rapport), 1 - u}) < 1e-6) {
                ++sautes;
                continue;
            }
        }
        const double attendu = onde(t);
        const double arrondi = 2 * std::numeric_limits<double>::epsilon() * std::abs(t * frequence);
        QVERIFY2(std::abs(v[size_t(i)] - attendu) <= 200 * (1e-9 + 2 * M_PI * 20 * arrondi),
                 qPrintable(QString("value %1 at %2 s: %3, at its instant %4")
                                .arg(i).arg(t, 0, 'g', 17).arg(v[size_t(i)], 0, 'g', 17).arg(attendu, 0, 'g', 17)));
        bas = std::min(bas, attendu);
        haut = std::max(haut, attendu);
    }
    QVERIFY(sautes < n / 100);
    // The wave's whole swing is there: none of them flat.
    QVERIFY2(haut - bas > 300, qPrintable(QString("%1..%2").arg(bas).arg(haut)));
}

void tst_Figure::xyEqualSines_data()
{
    QTest::addColumn<bool>("inverse");
    QTest::newRow("diagonal") << false;
    QTest::newRow("anti-diagonal with -CH2") << true;
}

void tst_Figure::xyEqualSines()
{
    QFETCH(bool, inverse);
    EtatTrace e = etat(ModeVoies::XY, Couplage::DC, Couplage::DC, inverse);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 1000);
    e.voies[1] = voie(FormeOnde::Sinus, 2, 1000);
    const QPolygonF figure = courbeXY(e, 2000);
    QCOMPARE(figure.size(), 1001); // 1000 segments
    double plus = 0;
    for (const QPointF& p : figure) {
        QVERIFY(qAbs(p.y() - (inverse ? -p.x() : p.x())) < 1e-9);
        plus = qMax(plus, p.x());
    }
    QVERIFY(qAbs(plus - 200) < 0.1); // the crest between two samples
}

void tst_Figure::xyDoubledFrequency()
{
    EtatTrace e = etat(ModeVoies::XY);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 50);
    e.voies[1] = voie(FormeOnde::Sinus, 2, 100);
    // 50000 steps a second: the figure spans 0.04 s, two periods of CH1.
    const QPolygonF figure = courbeXY(e, 0);
    const struct {
        int i;
        double x, y;
    } points[] = {
        {0, 0, 0},
        {25, 61.803399, 117.557050}, // t = 1 ms
        {125, 200, 0},               // 5 ms: CH1 at its crest, CH2 back at zero
        {250, 0, 0},                 // 10 ms
        {375, -200, 0},              // 15 ms
        {1000, 0, 0},                // 40 ms
    };
    for (const auto& p : points) {
        QVERIFY2(qAbs(figure[p.i].x() - p.x) < 1e-5 && qAbs(figure[p.i].y() - p.y) < 1e-5,
                 qPrintable(QString("%1: %2 %3").arg(p.i).arg(figure[p.i].x()).arg(figure[p.i].y())));
    }
}

void tst_Figure::xyFarApartFrequencies_data()
{
    QTest::addColumn<double>("frequenceB");
    QTest::addColumn<Couplage>("couplage"); // CH2's
    QTest::addColumn<double>("centre");     // the figure's height, screen units
    QTest::newRow("1:3, AC") << 300.0 << Couplage::AC << 0.0;
    QTest::newRow("1:3, DC") << 300.0 << Couplage::DC << 100.0;
    QTest::newRow("1:10, AC") << 1000.0 << Couplage::AC << 0.0;
    QTest::newRow("1:10, DC") << 1000.0 << Couplage::DC << 100.0;
}

void tst_Figure::xyFarApartFrequencies()
{
    QFETCH(double, frequenceB);
    QFETCH(Couplage, couplage);
    QFETCH(double, centre);
    // 2 V sines at 1 V/div, 100 Hz across and 3 or 10 times faster up, with
    // a +1 V offset on CH2 that only DC coupling lets through. 250 steps a
    // period of CH1: t = 2 i / 50000 s.
    EtatTrace e = etat(ModeVoies::XY, Couplage::DC, couplage);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 100);
    e.voies[1] = voie(FormeOnde::Sinus, 2, frequenceB, 0.5, 1);
    const QPolygonF figure = courbeXY(e, 0);
    QCOMPARE(figure.size(), 1001);
    for (qsizetype i = 0; i < figure.size(); ++i) {
        const double t = 2.0 * double(i) / 50000;
        const double x = 200 * std::sin(2 * M_PI * 100 * t);
        const double y = 200 * std::sin(2 * M_PI * frequenceB * t) + centre;
        QVERIFY2(qAbs(figure[i].x() - x) < 1e-6 && qAbs(figure[i].y() - y) < 1e-6,
                 qPrintable(QString("%1: %2 %3, expected %4 %5").arg(i).arg(figure[i].x()).arg(figure[i].y()).arg(x).arg(y)));
    }
}

void tst_Figure::xyCh1OnGround()
{
    EtatTrace e = etat(ModeVoies::XY, Couplage::GND);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 1000);
    e.voies[1] = voie(FormeOnde::Sinus, 2, 700);
    e.voies[0].position = -40;
    double haut = -1e9;
    for (const QPointF& p : courbeXY(e, 0)) {
        QCOMPARE(p.x(), -40.0);
        haut = qMax(haut, p.y());
    }
    QVERIFY(haut > 150);
}

void tst_Figure::lightenedCurveStaysOnItsPoints_data()
{
    QTest::addColumn<QPolygonF>("points");
    QTest::addColumn<double>("pixelX"); // screen units a device pixel
    QTest::addColumn<double>("pixelY");
    QTest::addColumn<int>("gardes"); // points kept, where worked out; -1 otherwise
    const auto suite = [](int n, auto f) {
        QPolygonF p;
        for (int i = 0; i < n; ++i)
            p << f(i);
        return p;
    };
    // Evenly along a line: its ends.
    QTest::newRow("straight line") << suite(101, [](int i) { return QPointF(i, 0.5 * i); }) << 1.0 << 1.0 << 2;
    // Out and back along the same line: the far end is kept, or the way
    // back would hide that the beam went there.
    QTest::newRow("line out and back") << suite(151, [](int i) { return QPointF(i <= 100 ? i : 200 - i, 0); })
                                       << 1.0 << 1.0 << 3;
    QTest::newRow("hairpin within a pixel")
        << suite(41, [](int i) { return QPointF(i <= 20 ? 0.15 * i : 0.15 * (40 - i), i <= 20 ? 0 : 0.2); }) << 1.0
        << 1.0 << -1;
    // A zigzag a pixel across keeps every point; one a tenth as wide,
    // within the tolerance, none between its ends.
    QTest::newRow("zigzag of a pixel") << suite(60, [](int i) { return QPointF(i, i % 2); }) << 1.0 << 1.0 << 60;
    QTest::newRow("zigzag of a tenth") << suite(60, [](int i) { return QPointF(i, 0.1 * (i % 2)); }) << 1.0
                                       << 1.0 << 2;
    // A triangle up and down, its corners kept, in screen units of 2 across
    // and 3 up a pixel: a tolerance of 0.5 and 0.75 units.
    QTest::newRow("triangle, scaled pixels")
        << suite(161, [](int i) { return QPointF(i * 0.5, 3.0 * std::abs((i % 40) - 20)); }) << 2.0 << 3.0 << -1;
    // A sine of 300 pixels, sixteen points a period 160 pixels long: each
    // point off the chord of its neighbours by 2 pixels or more, but the 19
    // crossings of the axis between the ends, midway along it. Then one
    // slow against a fast one as in a dense XY figure.
    QTest::newRow("sine, 16 points a period")
        << suite(161, [](int i) { return QPointF(10 * i, 300 * std::sin(2 * M_PI * i / 16)); }) << 1.0 << 1.0
        << 161 - 19;
    QTest::newRow("slow sine against a fast triangle") << suite(4001, [](int i) {
        const double t = i / 4000.0, u = std::fmod(t * 99.5, 1.0);
        return QPointF(400 * std::sin(2 * M_PI * t), 300 * (u < 0.5 ? 4 * u - 1 : 3 - 4 * u));
    }) << 1.0 << 1.0 << -1;
    // A square's levels: the beam at its corners, back and forth.
    QTest::newRow("square, back and forth") << suite(400, [](int i) {
        return QPointF(100 * std::sin(2 * M_PI * i / 400), (i / 25) % 2 ? 80 : -80);
    }) << 1.0 << 1.0 << -1;
}

void tst_Figure::lightenedCurveStaysOnItsPoints()
{
    QFETCH(QPolygonF, points);
    QFETCH(double, pixelX);
    QFETCH(double, pixelY);
    QFETCH(int, gardes);
    constexpr double kEcart = 0.25;
    const QPolygonF allegee = CourbeAllegee(points, pixelX, pixelY, kEcart);
    if (gardes >= 0)
        QCOMPARE(allegee.size(), gardes);
    // Points of the curve, in order, its ends among them.
    QVERIFY(!allegee.isEmpty());
    QCOMPARE(allegee.constFirst(), points.constFirst());
    QCOMPARE(allegee.constLast(), points.constLast());
    qsizetype k = 0;
    for (const QPointF& q : allegee) {
        while (k < points.size() && points[k] != q)
            ++k;
        QVERIFY2(k < points.size(), "a point not of the curve, or out of order");
    }
    // Every point within the tolerance of the lighter curve, in pixels.
    const auto pixels = [&](QPointF p) { return QPointF(p.x() / pixelX, p.y() / pixelY); };
    for (const QPointF& p : points) {
        const QPointF c = pixels(p);
        double d2 = std::numeric_limits<double>::infinity();
        for (qsizetype i = 1; i < allegee.size(); ++i) {
            const QPointF a = pixels(allegee[i - 1]), d = pixels(allegee[i]) - a;
            const double l2 = QPointF::dotProduct(d, d);
            const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(c - a, d) / l2, 0.0, 1.0) : 0;
            const QPointF e = c - (a + t * d);
            d2 = std::min(d2, QPointF::dotProduct(e, e));
        }
        QVERIFY2(d2 <= kEcart * kEcart * (1 + 1e-9),
                 qPrintable(QString("%1, %2 is %3 px off").arg(p.x()).arg(p.y()).arg(std::sqrt(d2))));
    }
}

// ---------------------------------------------------------------- ADD

void tst_Figure::addWorkedSums()
{
    EtatTrace e = etat(ModeVoies::ADD);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 1000);
    e.voies[1] = voie(FormeOnde::Sinus, 2, 1000);
    const OndeEcran a(e, 0, false), c(e, 1, false);
    const struct {
        double x, y;
    } sommes[] = {{-500, 0}, {-498, 50.133}, {-475, 400}, {-450, 0}};
    for (const auto& s : sommes)
        QVERIFY2(qAbs(a(temps(s.x)) + c(temps(s.x)) - s.y) < 1e-3, qPrintable(QString::number(s.x)));
    // Drawn column by column, the sum reaches its crest of 4 V at -475 and
    // passes 0 at -450.
    const QPolygonF somme = PointsADD(e, -500, 500, 1);
    const auto [haut, bas] = etendue(somme, -476, -474);
    QVERIFY2(qAbs(haut - 400) < 0.1 && bas > 390, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    const auto [h0, b0] = etendue(somme, -450.4, -449.6);
    QVERIFY2(qAbs(h0) < 2 && qAbs(b0) < 2, qPrintable(QString("%1 %2").arg(h0).arg(b0)));
}

void tst_Figure::addCancelsWithInvertedCh2()
{
    EtatTrace e = etat(ModeVoies::ADD, Couplage::DC, Couplage::DC, true);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 1000);
    e.voies[1] = voie(FormeOnde::Sinus, 2, 1000);
    for (const QPointF& p : PointsADD(e, -500, 500, 1))
        QVERIFY(qAbs(p.y()) < 1e-9);
}

void tst_Figure::addHorizontalShift()
{
    // A 2 V sine at 1 kHz plus 1 V: one division a period, its crest a
    // quarter period after the trace's left edge.
    EtatTrace e = etat(ModeVoies::ADD);
    e.voies[0] = voie(FormeOnde::Sinus, 2, 1000);
    e.voies[1] = voie(FormeOnde::Continu, 1, 0);
    e.H = 100;
    const QPolygonF decale = PointsADD(e, -500, 500, 1);
    QVERIFY2(decale.constFirst().x() >= -400 && decale.constFirst().x() < -399, qPrintable(QString::number(decale.constFirst().x())));
    QVERIFY(decale.constLast().x() <= 505);
    for (double crete : {-375.0, -75.0, 225.0}) {
        const auto [haut, bas] = etendue(decale, crete - 0.5, crete + 0.5);
        QVERIFY2(qAbs(haut - 300) < 0.1 && bas > 290, qPrintable(QString("%1: %2 %3").arg(crete).arg(haut).arg(bas)));
    }
}

void tst_Figure::addSensitivitiesPerChannel()
{
    // 1 V on each, CH2 at 2 V/div.
    EtatTrace e = sommeDeNiveaux(1, 1);
    e.voies[1].sensibilite = 2;
    for (const QPointF& p : PointsADD(e, -500, 500, 1))
        QCOMPARE(p.y(), 200.0); // 100 + 50, and both positions
}

void tst_Figure::addOfTwoSampledWavesHoldsTheirSum_data()
{
    // Two waves read from their period's samples (the alternator, the
    // harmonic generator at every level) at frequencies apart, a column
    // a fraction of their top harmonic's period: each column's run spans
    // what the sum takes over its time, no more.
    QTest::addColumn<FormeOnde>("formeA");
    QTest::addColumn<double>("frequenceA");
    QTest::addColumn<FormeOnde>("formeB");
    QTest::addColumn<double>("frequenceB");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<double>("sensibiliteB");
    QTest::newRow("alternators, 1 % apart") << FormeOnde::Dyn << 12500.0 << FormeOnde::Dyn << 12625.0 << false << 1.0;
    QTest::newRow("alternators, -CH2, CH2 at 2 V/div")
        << FormeOnde::Dyn << 9000.0 << FormeOnde::Dyn << 17321.0 << true << 2.0;
    QTest::newRow("harmonic generator and alternator")
        << FormeOnde::Harmo << 3000.0 << FormeOnde::Dyn << 11111.0 << false << 1.0;
    QTest::newRow("alternator and harmonic generator, -CH2")
        << FormeOnde::Dyn << 1234.5 << FormeOnde::Harmo << 4321.0 << true << 0.5;
    QTest::newRow("harmonic generators") << FormeOnde::Harmo << 4000.0 << FormeOnde::Harmo << 2345.6 << false << 1.0;
}

void tst_Figure::addOfTwoSampledWavesHoldsTheirSum()
{
    QFETCH(FormeOnde, formeA);
    QFETCH(double, frequenceA);
    QFETCH(FormeOnde, formeB);
    QFETCH(double, frequenceB);
    QFETCH(bool, inverse);
    QFETCH(double, sensibiliteB);
    EtatTrace e = etat(ModeVoies::ADD, Couplage::DC, Couplage::DC, inverse);
    e.voies[0] = voie(formeA, 2, frequenceA);
    e.voies[1] = voie(formeB, 1.5, frequenceB);
    e.voies[1].sensibilite = sensibiliteB;
    e.voies[0].position = 30;
    e.voies[1].position = -70;
    for (VoieTracee& v : e.voies)
        for (int i = 0; i < 20; ++i) {
            v.niveaux.Ampli[size_t(i)] = 10;
            v.niveaux.AmpliMin[size_t(i)] = 10 * (i + 1);
            v.niveaux.Phase[size_t(i)] = i % 4;
        }
    const OndeEcran a(e, 0), b(e, 1);
    // Each column's run, from its points (one or two at its middle).
    const QPolygonF somme = PointsADD(e, -500, 500, 1);
    QMap<double, QPair<double, double>> runs;
    for (const QPointF& p : somme) {
        auto it = runs.find(p.x());
        if (it == runs.end())
            runs.insert(p.x(), {p.y(), p.y()});
        else
            *it = {std::min(it->first, p.y()), std::max(it->second, p.y())};
    }
    QVERIFY(runs.size() >= 990);
    // The sum read finely over the column's time: every value in the run,
    // and the run's ends no further than this reading's spacing allows.
    constexpr int kLectures = 4000;
    constexpr double kJeu = 0.01; // screen units
    int vues = 0;
    for (auto it = runs.cbegin(); it != runs.cend(); ++it) {
        const double x = it.key();
        if (x < -499 || x > 499 || (vues++ % 7) != 0)
            continue;
        double bas = std::numeric_limits<double>::infinity(), haut = -bas;
        for (int k = 0; k <= kLectures; ++k) {
            const double t = temps(x - 0.5 + double(k) / kLectures);
            const double y = a(t) + b(t);
            bas = std::min(bas, y);
            haut = std::max(haut, y);
        }
        const auto [lo, hi] = it.value();
        QVERIFY2(lo <= bas + 1e-9 && hi >= haut - 1e-9 && lo > bas - kJeu && hi < haut + kJeu,
                 qPrintable(QString("column at %1: run %2..%3, the sum %4..%5").arg(x).arg(lo).arg(hi).arg(bas).arg(haut)));
    }
}

// -------------------------------------------------------------- readout

void tst_Figure::readout_data()
{
    QTest::addColumn<bool>("allume");
    QTest::addColumn<int>("mode");        // lit mode lamp
    QTest::addColumn<int>("sensA");       // sensitivity knob indexes
    QTest::addColumn<int>("sensB");
    QTest::addColumn<int>("base");        // time-base knob index
    QTest::addColumn<bool>("fft");
    QTest::addColumn<double>("periode");  // s/div drawn
    QTest::addColumn<QStringList>("textes"); // mode, CH1 and CH2 values, time base

    QTest::newRow("DUAL") << true << 2 << 6 << 6 << 8 << false << 0.001 << QStringList{"DUAL", "1 V", "1 V", "1 ms"};
    QTest::newRow("CH1: volts and millivolts") << true << 0 << 5 << 12 << 9 << false << 0.0005
                                               << QStringList{"CH1", "2 V", "10 mV", "0.5 ms"};
    QTest::newRow("CH2: tenths and hundredths") << true << 1 << 8 << 11 << 13 << false << 20e-6
                                                << QStringList{"CH2", "0.2 V", "20 mV", "20 µs"};
    QTest::newRow("ADD: the extremes") << true << 3 << 0 << 13 << 17 << false << 1e-6
                                       << QStringList{"ADD", "100 V", "5 mV", "1 µs"};
    QTest::newRow("XY") << true << 4 << 6 << 6 << 8 << false << 0.001 << QStringList{"XY", "1 V", "1 V", "1 ms"};
    QTest::newRow("off: -CH2") << false << 2 << 6 << 6 << 8 << false << 0.001
                               << QStringList{"-CH2", "1 V", "1 V", "1 ms"};
    QTest::newRow("DUAL at a slow time base") << true << 2 << 10 << 7 << 0 << false << 0.5
                                              << QStringList{"DUAL", "50 mV", "0.5 V", "0.5 s"};
    QTest::newRow("spectrum at 1 ms/div") << true << 2 << 6 << 6 << 8 << true << 0.001
                                          << QStringList{"DUAL", "1 V", "1 V", "1000 Hz"};
    QTest::newRow("spectrum at 0.5 ms/div") << true << 2 << 6 << 6 << 9 << true << 0.0005
                                            << QStringList{"DUAL", "1 V", "1 V", "2 kHz"};
    QTest::newRow("spectrum at 0.5 s/div") << true << 0 << 6 << 6 << 0 << true << 0.5
                                           << QStringList{"CH1", "1 V", "1 V", "2 Hz"};
    QTest::newRow("spectrum at 1 µs/div") << true << 1 << 6 << 6 << 17 << true << 1e-6
                                          << QStringList{"CH2", "1 V", "1 V", "1000 kHz"};
    QTest::newRow("spectrum, 2.5 Hz goes to the even 2") << true << 2 << 6 << 6 << 0 << true << 0.4
                                                         << QStringList{"DUAL", "1 V", "1 V", "2 Hz"};
    QTest::newRow("spectrum, 1.5 kHz goes to the even 2") << true << 2 << 6 << 6 << 0 << true << 1 / 1500.0
                                                          << QStringList{"DUAL", "1 V", "1 V", "2 kHz"};
    // A knob outside its list prints no value.
    QTest::newRow("knobs outside their lists") << true << 2 << -1 << 14 << 18 << false << 0.001
                                               << QStringList{"DUAL", "", "", ""};
}

void tst_Figure::readout()
{
    QFETCH(bool, allume);
    QFETCH(int, mode);
    QFETCH(int, sensA);
    QFETCH(int, sensB);
    QFETCH(int, base);
    QFETCH(bool, fft);
    QFETCH(double, periode);
    QFETCH(QStringList, textes);
    PanneauScope p;
    p.allume = allume;
    p.mode = ModeVoies(mode);
    p.sensibilite = {sensA, sensB};
    p.baseTemps = base;
    p.fft = fft;
    const std::array<QString, 6> legendes{"CH1", "CH2", "DUAL", "ADD", "XY", "-CH2"};
    const LectureEcran lecture = Lecture(p, periode, legendes);

    // Each text centred in its division column, standing on its line; a
    // value left empty is not printed.
    const QList<TexteEcran> tous = {{-500, -400, textes[0]}, {-400, -400, "CH1"},     {-400, -370, textes[1]},
                                    {-300, -400, "CH2"},     {-300, -370, textes[2]}, {-200, -370, textes[3]}};
    QList<TexteEcran> attendus;
    for (const TexteEcran& t : tous)
        if (!t.texte.isEmpty())
            attendus << t;
    QCOMPARE(lecture.nombre, int(attendus.size()));
    for (int i = 0; i < lecture.nombre; ++i) {
        const TexteEcran& t = lecture.textes[size_t(i)];
        QCOMPARE(t.texte, attendus[i].texte);
        QCOMPARE(t.colonne, attendus[i].colonne);
        QCOMPARE(t.ligne, attendus[i].ligne);
    }
}

QTEST_GUILESS_MAIN(tst_Figure)
#include "tst_figure.moc"
