// The scope's moving pictures: the spot of the slow time bases, the XY
// figure and the ADD sum, with time driven by hand.

#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "bench/frmGBF.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/SystemServices.h"
#include "scope/Balayage.h"
#include "scope/CourbeWavix.h"
#include "scope/Potentiometre.h"
#include "scope/frmWavix.h"

#include <QCheckBox>
#include <QScopeGuard>
#include <QtTest>

#include <cmath>

namespace {

// Whether the colour shows anywhere in the columns [x1, x2].
bool colonnes(const QImage& image, int couleur, int x1, int x2)
{
    return extent(image, couleur, x1, x2).first > -10000;
}

void finesse(BancScope& b)
{
    b.scope->setPotentioValue(0, 10); // focus: lines one pixel wide
    ReglerPotentiometre(1, 0);
}

} // namespace

class tst_Balayage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Spot.
    void spotAdvancesByMeasuredTime_data();
    void spotAdvancesByMeasuredTime();
    void spotWrapsToLeftEdge();
    void spotPieceClippedAtRightEdge();
    void spotTrailKeepsItsSamples();
    void spotBeyondRightEdgeDrawsFullWidth();
    void spotDualColoursAndStyles();
    void spotTickWithIntervalZeroDrawsNothing();
    void spotInAddModeDrawsTheSum();
    void fftStopsTheSpot();
    void leavingXyWithFftStopsTheSpot();
    void animationTimersTickAtFrameRate();
    // Deflection shared by XY and ADD.
    // XY.
    void xyHardPairInkFollowsItsPoints_data();
    void xyHardPairInkFollowsItsPoints();
    void xyOfTwoDcLevelsIsASpot_data();
    void xyOfTwoDcLevelsIsASpot();
    void xyAdvanceScaledByElapsedTime();
    void xyEvaluatedModeKeepsTheExercise_data();
    void xyEvaluatedModeKeepsTheExercise();
    // ADD.
    void addOnScreen();
};

// ---------------------------------------------------------------- spot

void tst_Balayage::spotAdvancesByMeasuredTime_data()
{
    QTest::addColumn<int>("base");     // time-base index
    QTest::addColumn<double>("ms");    // time between the start and the tick
    QTest::addColumn<double>("avance"); // screen units
    QTest::newRow("10 ms/div, one frame") << 5 << 16.0 << 160.0;
    QTest::newRow("10 ms/div, a late frame") << 5 << 35.0 << 350.0;
    QTest::newRow("0.5 s/div, one frame") << 0 << 16.0 << 3.2;
    QTest::newRow("0.5 s/div, one second") << 0 << 1000.0 << 200.0;
}

void tst_Balayage::spotAdvancesByMeasuredTime()
{
    QFETCH(int, base);
    QFETCH(double, ms);
    QFETCH(double, avance);
    BancScope b(0);
    Horloge h;
    finesse(b);
    b.source(0, "Cc", 1, 0);
    b.baseTemps(base);
    QCOMPARE(Scope().PositionSpot, 0.0); // started at the middle of the screen
    QCOMPARE(extent(b.image(), kJaune).first, -10000);
    h.avancer(ms);
    b.scope->tmrSpot_Timer();
    QVERIFY(qAbs(Scope().PositionSpot - avance) < 1e-9);
    // The piece drawn covers 0.04 s ahead of where the spot stood.
    const double fin = 4 / Panneau().secondesParDivision();
    const QImage image = b.image();
    QVERIFY(at(image, 1, 100, kJaune));
    QVERIFY(at(image, fin - 1, 100, kJaune));
    QVERIFY(!colonnes(image, kJaune, -480, -3));
    QVERIFY(!colonnes(image, kJaune, int(fin) + 3, 480));
}

void tst_Balayage::spotWrapsToLeftEdge()
{
    BancScope b(0);
    Horloge h;
    b.source(0, "Sinus", 1, 1);
    b.baseTemps(0); // 0.5 s/div
    h.avancer(2500);
    b.scope->tmrSpot_Timer();
    QCOMPARE(Scope().PositionSpot, 500.0); // at the edge, not past it
    h.avancer(10);
    b.scope->tmrSpot_Timer();
    QCOMPARE(Scope().PositionSpot, -500.0); // the overshoot is dropped
    h.avancer(5000);
    b.scope->tmrSpot_Timer();
    QCOMPARE(Scope().PositionSpot, 500.0); // the whole width in 5 s
}

void tst_Balayage::spotPieceClippedAtRightEdge()
{
    BancScope b(0);
    Horloge h;
    finesse(b);
    b.source(0, "Cc", 1, 0);
    b.baseTemps(5); // pieces of 400 units
    Scope().PositionSpot = 480;
    b.scope->tmrSpot_Timer();
    const QImage image = b.image();
    QVERIFY(colonnes(image, kJaune, 482, 498));
    QVERIFY(!colonnes(image, kJaune, -500, 477));
    QVERIFY(!colonnes(image, kJaune, 502, 504));
    const QList<QPolygonF> pieces = PointsSpot(EtatTraceActuel(), 0, 1, 480, 500, 500, -500);
    QCOMPARE(pieces.size(), 1);
    QCOMPARE(pieces[0].size(), 20); // a column of one unit each, to the right edge
    QCOMPARE(pieces[0].constLast().x(), 499.5);
}

void tst_Balayage::spotTrailKeepsItsSamples()
{
    // The trail is the signal where the spot passed: as the spot moves on,
    // what is still on screen keeps its shape (a 449 Hz sine at 10 ms/div,
    // 4.5 periods a column of the full screen). Each device column holds
    // the same stretch of time at every tick; a spot within a column starts
    // its piece at the column's edge.
    BancScope b(0);
    Horloge h;
    finesse(b);
    b.source(0, "Sinus", 3, 449);
    b.baseTemps(5);
    Scope().PositionSpot = -123.4;
    b.scope->tmrSpot_Timer();
    const QImage avant = b.image();
    QVERIFY(colonnes(avant, kJaune, -124, -124));
    QVERIFY(!colonnes(avant, kJaune, -480, -126));
    Scope().PositionSpot = -41.6; // 81.8 units on, not a whole number of columns
    b.scope->tmrSpot_Timer();
    const QImage apres = b.image();
    QVERIFY(colonnes(apres, kJaune, -42, -42));
    QVERIFY(!colonnes(apres, kJaune, -480, -44));
    // Both pieces cover -42 to 276.
    const QRect commun(-40 + 500, 0, 310, avant.height());
    QVERIFY(colonnes(avant, kJaune, -40, 270));
    QCOMPARE(avant.copy(commun), apres.copy(commun));
}

void tst_Balayage::spotBeyondRightEdgeDrawsFullWidth()
{
    BancScope b(0);
    Horloge h;
    b.source(0, "Cc", 1, 0);
    b.baseTemps(5);
    // The horizontal knob moved the screen to the left of the spot.
    Scope().PositionHorizontale = -200;
    Scope().PositionSpot = 350; // beyond H + 500
    h.avancer(16);
    b.scope->tmrSpot_Timer();
    QVERIFY(colonnes(b.image(), kJaune, -480, 280));
    QCOMPARE(Scope().PositionSpot, -700.0); // back to the left edge H - 500
    const QList<QPolygonF> pieces = PointsSpot(EtatTraceActuel(), 0, 1, 350, 300, 300, -700);
    QCOMPARE(pieces.size(), 2);
    QVERIFY(pieces[0].isEmpty());
    QCOMPARE(pieces[1].constFirst().x(), -699.5);
    QCOMPARE(pieces[1].constLast().x(), 299.5);
}

void tst_Balayage::spotDualColoursAndStyles()
{
    BancScope b(2);
    Horloge h;
    finesse(b);
    b.source(0, "Cc", 1, 0);
    b.source(1, "Cc", -1, 0);
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.StyleTrace = 2; }); // dotted
    b.baseTemps(5);
    b.scope->tmrSpot_Timer();
    const QImage image = b.image();
    int jaune = 0, vert = 0;
    for (int x = 10; x < 390; ++x) {
        jaune += at(image, x, 100, kJaune) ? 1 : 0;
        vert += (image.pixel(x + 500, 500) & 0xFFFFFF) == pixelRgb(kVert) ? 1 : 0;
    }
    QCOMPARE(jaune, 380); // CH1 solid in its colour
    QVERIFY2(vert > 100 && vert < 300, qPrintable(QString::number(vert))); // CH2 dotted in its own
    QCOMPARE(b.scope->picEcran->DrawStyle, 2);
}

void tst_Balayage::spotTickWithIntervalZeroDrawsNothing()
{
    BancScope b(0);
    Horloge h;
    b.source(0, "Cc", 1, 0);
    b.baseTemps(5);
    b.scope->tmrSpot.setInterval(0);
    const QImage avant = b.image();
    h.avancer(16);
    b.scope->tmrSpot_Timer();
    QCOMPARE(b.image(), avant);
    QCOMPARE(Scope().PositionSpot, 0.0);
}

void tst_Balayage::spotInAddModeDrawsTheSum()
{
    BancScope b(3);
    Horloge h;
    finesse(b);
    b.source(0, "Cc", 1, 0);
    b.source(1, "Cc", 2, 0);
    b.baseTemps(2); // 0.1 s/div: pieces of 40 units
    Scope().PositionHorizontale = 100;
    Scope().PositionSpot = 200; // on screen, 100 from the left of the shifted window
    b.scope->tmrSpot_Timer();
    const QImage image = b.image();
    QVERIFY(colonnes(image, kJaune, 203, 237));
    QVERIFY(at(image, 220, 300, kJaune)); // 1 V + 2 V at 1 V/div
    QVERIFY(!colonnes(image, kJaune, -480, 197));
    QVERIFY(!colonnes(image, kJaune, 243, 480));
    QVERIFY(!colonnes(image, kVert, -480, 480));
}

void tst_Balayage::fftStopsTheSpot()
{
    BancScope b(0);
    Horloge h;
    b.source(0, "Sinus", 1, 5);
    b.baseTemps(5);
    QVERIFY(b.scope->tmrSpot.isRunning());
    b.scope->chkFFT->setChecked(true);
    QCOMPARE(b.scope->tmrSpot.Interval(), 0);
    QVERIFY(!b.scope->tmrSpot.isRunning());
    const QImage spectre = b.image();
    h.avancer(16);
    b.scope->tmrSpot_Timer(); // a tick already on its way
    QCOMPARE(b.image(), spectre);
}

void tst_Balayage::leavingXyWithFftStopsTheSpot()
{
    BancScope b(0);
    Horloge h;
    b.source(0, "Sinus", 1, 5);
    b.baseTemps(5); // the spot runs
    for (int i = 0; i < 4; ++i)
        b.scope->cmdVoie_Click(1); // on to XY
    QVERIFY(!b.scope->tmrSpot.Enabled());
    b.scope->chkFFT->setChecked(true);
    QCOMPARE(b.scope->tmrXY.Interval(), 5);
    b.scope->cmdVoie_Click(1); // back to CH1: its spectrum
    QCOMPARE(b.scope->tmrXY.Interval(), 0);
    QVERIFY(!b.scope->tmrSpot.isRunning());
    const QImage spectre = b.image();
    h.avancer(16);
    b.scope->tmrSpot_Timer();
    QCOMPARE(b.image(), spectre);
}

void tst_Balayage::animationTimersTickAtFrameRate()
{
    BancScope b(4);
    b.source(0, "Sinus", 1, 5);
    ActualiserEcran();
    // The state keeps the windows' intervals; the ticks come once a frame.
    QCOMPARE(b.scope->tmrXY.Interval(), 1);
    QCOMPARE(b.scope->tmrXY.period(), VbTimer::framePeriod());
    QVERIFY(VbTimer::framePeriod() >= 10 && VbTimer::framePeriod() <= 20);
    b.scope->cmdVoie_Click(1); // CH1
    b.baseTemps(5);
    QCOMPARE(b.scope->tmrSpot.Interval(), 1);
    QCOMPARE(b.scope->tmrSpot.period(), VbTimer::framePeriod());
    QVERIFY(!b.scope->tmrXY.isRunning());
}

// ------------------------------------------------- deflection (XY and ADD)

// ----------------------------------------------------------------- XY

void tst_Balayage::xyHardPairInkFollowsItsPoints_data()
{
    QTest::addColumn<QString>("mot");     // CH2's waveform
    QTest::addColumn<double>("volts");     // CH2's peak
    QTest::addColumn<double>("frequence"); // CH2's, Hz
    QTest::addColumn<int>("focus");       // knob value
    QTest::addColumn<int>("largeur");     // line width, pixels
    QTest::addColumn<int>("genre");       // FigureXY::Genre
    // 10 Hz across: a figure step is 40 µs. Up, 62.5 kHz runs through 2.5
    // periods a step: the band the beam sweeps; 49.75 kHz through 1.99: the
    // densest curve, 32 001 points. The harmonic generator at every level
    // reaches its twentieth harmonic: 62.5 kHz gives a band, 2487.5 Hz the
    // densest curve; its sawtooth peaks at 1.85 times the fundamental's
    // amplitude, 3.7 V of 2 V, within the screen.
    struct Cas {
        const char* nom;
        const char* mot;
        double volts, f;
        FigureXY::Genre genre;
    };
    const Cas cas[] = {
        {"sine band", "Sinus", 3, 62500, FigureXY::Genre::BandeColonnes},
        {"sine, densest curve", "Sinus", 3, 49750, FigureXY::Genre::Courbe},
        {"square band", "Carre", 3, 62500, FigureXY::Genre::BandeColonnes},
        {"square, densest curve", "Carre", 3, 49750, FigureXY::Genre::Courbe},
        {"harmonic band", "harmo", 2, 62500, FigureXY::Genre::BandeColonnes},
        {"harmonic, densest curve", "harmo", 2, 2487.5, FigureXY::Genre::Courbe},
        {"triangle band", "Triangle", 3, 62500, FigureXY::Genre::BandeColonnes},
        {"triangle, densest curve", "Triangle", 3, 49750, FigureXY::Genre::Courbe},
        {"alternator, densest curve", "Dyn", 2, 9950, FigureXY::Genre::Courbe},
        // Across as up at the same frequency: a line the beam runs up and
        // back down, its top the figure's turn; a triangle's corners at
        // five times the frequency.
        {"sine at the same frequency, turning back", "Sinus", 3, 10, FigureXY::Genre::Courbe},
        {"triangle's corners", "Triangle", 3, 50, FigureXY::Genre::Courbe},
    };
    for (const Cas& c : cas) {
        QTest::newRow(QByteArray(c.nom) + ", 1 px") << c.mot << c.volts << c.f << 10 << 1 << int(c.genre);
        QTest::newRow(QByteArray(c.nom) + ", 2 px") << c.mot << c.volts << c.f << 11 << 2 << int(c.genre);
        QTest::newRow(QByteArray(c.nom) + ", 11 px") << c.mot << c.volts << c.f << 20 << 11 << int(c.genre);
    }
}

void tst_Balayage::xyHardPairInkFollowsItsPoints()
{
    QFETCH(QString, mot);
    QFETCH(double, volts);
    QFETCH(double, frequence);
    QFETCH(int, focus);
    QFETCH(int, largeur);
    QFETCH(int, genre);
    BancScope b(4);
    // The harmonic generator at every level (a sawtooth's), as it was
    // afterwards.
    const NiveauxHarmoniques niveaux = NiveauxHarmo(1);
    const auto remis = qScopeGuard([niveaux] { Modele().reglerNiveauxHarmo(1, niveaux); });
    {
        NiveauxHarmoniques n = NiveauxHarmo(1);
        for (int i = 0; i < 20; ++i)
            n.Ampli[size_t(i)] = NiveauxHarmo(1).AmpliMin[size_t(i)] / (i + 1);
        Modele().reglerNiveauxHarmo(1, n);
    }
    b.scope->setPotentioValue(0, float(focus));
    ReglerPotentiometre(1, 0);
    b.source(0, "Sinus", 3, 10);
    b.source(1, qPrintable(mot), volts, frequence);
    ActualiserEcran();
    CourbeXY(0);
    const QImage image = b.image();
    // The figure: the band the beam sweeps in runs across the columns, or
    // the curve through its points.
    const PictureBox* ecran = b.scope->picEcran;
    const FigureXY figure = FigureXYDe(EtatTraceActuel(), 0, ecran->devicePixelWidth(), ecran->devicePixelHeight());
    QCOMPARE(int(figure.genre), genre);
    QList<QPolygonF> morceaux;
    for (const QPolygonF& piece : figure.pieces) {
        QPolygonF enPixels;
        for (const QPointF& p : piece)
            enPixels << ecran->toPixel(p.x(), p.y());
        morceaux << enPixels;
    }
    QPolygonF pixels;
    for (const QPolygonF& piece : morceaux)
        pixels << piece;

    // Every point of the figure is inked (a thin line within its pixel's
    // neighbours, where the raster's rounding puts it).
    const int voisins = largeur == 1 ? 1 : 0;
    for (const QPointF& p : pixels) {
        bool encre = false;
        for (int dy = -voisins; dy <= voisins; ++dy)
            for (int dx = -voisins; dx <= voisins; ++dx)
                encre = encre
                    || (image.pixel(int(p.x()) + dx, int(p.y()) + dy) & 0xFFFFFF) == pixelRgb(kJaune);
        QVERIFY2(encre, qPrintable(QString("no ink at %1, %2").arg(p.x()).arg(p.y())));
    }

    // No ink farther than half the width and a pixel from the polyline.
    const double rayon = largeur / 2.0 + 1;
    QImage permis(image.size(), QImage::Format_Mono);
    permis.fill(0);
    for (const QPolygonF& piece : morceaux) {
        for (qsizetype k = 1; k < piece.size(); ++k) {
            const QPointF a = piece[k - 1], d = piece[k] - piece[k - 1];
            const double l2 = QPointF::dotProduct(d, d);
            const QRect boite = QRectF(a, piece[k]).normalized().adjusted(-rayon - 1, -rayon - 1, rayon + 1, rayon + 1)
                                    .toAlignedRect() & image.rect();
            for (int y = boite.top(); y <= boite.bottom(); ++y)
                for (int x = boite.left(); x <= boite.right(); ++x) {
                    const QPointF c(x + 0.5, y + 0.5);
                    const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(c - a, d) / l2, 0.0, 1.0) : 0;
                    const QPointF e = c - (a + t * d);
                    if (QPointF::dotProduct(e, e) <= rayon * rayon)
                        permis.setPixel(x, y, 1);
                }
        }
    }

    int loin = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == pixelRgb(kJaune) && !permis.pixelIndex(x, y))
                ++loin;
    QCOMPARE(loin, 0);
}

void tst_Balayage::xyOfTwoDcLevelsIsASpot_data()
{
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("largeur");
    QTest::newRow("1 px") << 10 << 1;
    QTest::newRow("3 px") << 12 << 3;
}

void tst_Balayage::xyOfTwoDcLevelsIsASpot()
{
    QFETCH(int, focus);
    QFETCH(int, largeur);
    // 2 V across and 1 V up at 1 V/div: the beam stands still at (200, 100).
    BancScope b(4);
    b.scope->setPotentioValue(0, float(focus));
    ReglerPotentiometre(1, 0);
    b.source(0, "Cc", 2, 0);
    b.source(1, "Cc", 1, 0);
    ActualiserEcran();
    CourbeXY(0);
    const Boite spot = boite(b.image(), kJaune, -500, 500);
    QVERIFY2(spot.gauche <= 200 && spot.droite >= 199 && spot.bas <= 100 && spot.haut >= 99,
             qPrintable(QString("%1..%2, %3..%4").arg(spot.gauche).arg(spot.droite).arg(spot.bas).arg(spot.haut)));
    QVERIFY(spot.droite - spot.gauche <= largeur + 1 && spot.haut - spot.bas <= largeur + 1);
}

void tst_Balayage::xyAdvanceScaledByElapsedTime()
{
    BancScope b(3);
    Horloge h;
    b.source(0, "Sinus", 2, 1000);
    b.source(1, "Sinus", 2, 1000);
    b.scope->cmdVoie_Click(1); // into XY: the figure's clock starts again
    QCOMPARE(b.scope->TempsXY, 0.0);
    QCOMPARE(extent(b.image(), kJaune).first, -10000); // the timer draws
    h.avancer(40);
    b.scope->tmrXY_Timer();
    QCOMPARE(b.scope->TempsXY, 2000.0); // the first tick: one step
    QVERIFY(at(b.image(), 100, 100, kJaune)); // the diagonal
    h.avancer(31.25);
    b.scope->tmrXY_Timer();
    QCOMPARE(b.scope->TempsXY, 6000.0);
    h.avancer(16);
    b.scope->tmrXY_Timer();
    QCOMPARE(b.scope->TempsXY, 8048.0);
    // A refresh while the figure runs keeps its pace.
    ActualiserEcran();
    h.avancer(15.625);
    b.scope->tmrXY_Timer();
    QCOMPARE(b.scope->TempsXY, 10048.0);
    b.scope->tmrXY.setInterval(0);
    h.avancer(15.625);
    b.scope->tmrXY_Timer();
    QCOMPARE(b.scope->TempsXY, 10048.0);
}

void tst_Balayage::xyEvaluatedModeKeepsTheExercise_data()
{
    QTest::addColumn<QString>("mot");
    QTest::newRow("square") << "Carre";
    QTest::newRow("triangle") << "Triangle";
}

void tst_Balayage::xyEvaluatedModeKeepsTheExercise()
{
    QFETCH(QString, mot);
    BancScope b(4);
    Horloge h;
    Modele().passerEnModeLibre(false);
    b.source(0, "Cc", 0, 0); // the sources play no part
    b.source(1, "Cc", 0, 0);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.SignalExo = mot; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.UmaxExo = 2; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FreqExo = 250; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.SignalExo = "Sinus"; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.UmaxExo = 1; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FreqExo = 1000; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Decalage = 0.5; });
    ActualiserEcran();
    b.scope->tmrXY_Timer();
    // The tick writes none of the channel state.
    QCOMPARE(VoieAffichee(Banc(), Panneau(), 0).TraceFrequence, 250.0);
    QCOMPARE(Banc().voies[0].RapportCyclique, 0.5f);
    QCOMPARE(Banc().voies[1].RapportCyclique, 0.5f);
    QCOMPARE(Banc().voies[0].Decalage, 0.5);
    // Half of the time high, half low (a square), or half rising, half
    // falling (a triangle), around the 0.5 V offset.
    int haut = 0, bas = 0, monte = 0, descend = 0;
    const QPolygonF figure = FigureXYDe(EtatTraceActuel(), 0, 1, 1).pieces.value(0);
    for (qsizetype i = 0; i < figure.size(); ++i) {
        const double x = figure[i].x();
        haut += qAbs(x - 250) < 1e-6 ? 1 : 0;
        bas += qAbs(x + 150) < 1e-6 ? 1 : 0;
        if (i > 0) {
            monte += x > figure[i - 1].x() ? 1 : 0;
            descend += x < figure[i - 1].x() ? 1 : 0;
        }
    }
    if (mot == "Carre") {
        QVERIFY2(qAbs(haut - 500) <= 10 && qAbs(bas - 500) <= 10, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    } else {
        QVERIFY2(qAbs(monte - descend) <= 10, qPrintable(QString("%1 %2").arg(monte).arg(descend)));
        QVERIFY(qAbs(monte + descend - 1000) <= 10);
    }
}

// ---------------------------------------------------------------- ADD

void tst_Balayage::addOnScreen()
{
    BancScope b(3);
    finesse(b);
    b.source(0, "Sinus", 1, 1000);
    b.source(1, "Sinus", 1, 1000);
    b.baseTemps(8);
    const auto [haut, bas] = extent(b.image(), kJaune);
    QVERIFY2(qAbs(haut - 200) <= 1 && qAbs(bas + 200) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    QCOMPARE(extent(b.image(), kVert).first, -10000);
}

QTEST_MAIN(tst_Balayage)
#include "tst_balayage.moc"
