#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "services/FichierINI.h"
#include "bench/frmToolBox.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/FigureTrace.h"
#include "scope/Potentiometre.h"
#include "scope/Traceurs.h"
#include "scope/frmWavix.h"

#include <QCheckBox>
#include <QtTest>

class tst_Trace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calculerVoies_data();
    void calculerVoies();
    void evaluatedModeDrawsExpectedSignal();
    void sinePeaks();
    void powerOffLeavesGraticule();
    void slowTimeBaseArmsSpot();
    void xyTimer();
    void fastSquareIsSolidAtAnyWidth_data();
    void fastSquareIsSolidAtAnyWidth();
    void fastSineIsABandOnScreen_data();
    void fastSineIsABandOnScreen();
    void denseTriangleShowsItsZigzagWherePixelsAllow_data();
    void denseTriangleShowsItsZigzagWherePixelsAllow();
    void widePenInksTheDiscSweptAlongTheTrace_data();
    void widePenInksTheDiscSweptAlongTheTrace();
    void readout_data();
    void readout();
    void readoutClearOfTheGraticule_data();
    void readoutClearOfTheGraticule();
    void readoutLooksLikeOneSmallPrint_data();
    void readoutLooksLikeOneSmallPrint();
};

void tst_Trace::calculerVoies_data()
{
    QTest::addColumn<int>("voie");        // the channel under test
    QTest::addColumn<int>("option");      // its toolbox option: 0 none, 1 generator, 2 another source
    QTest::addColumn<int>("acdc");        // its coupling lamp: 0 AC, 1 DC, 2 GND
    QTest::addColumn<bool>("allume");     // generator switched on
    QTest::addColumn<double>("rapport");  // duty knob
    QTest::addColumn<int>("rapportFin");
    QTest::addColumn<double>("decalage"); // offset knob
    QTest::addColumn<int>("decalageFin");
    QTest::addColumn<bool>("carre");
    QTest::addColumn<bool>("fiche");      // the scope's plug of that channel
    QTest::addColumn<double>("decalageA");
    QTest::addColumn<float>("rapportA");
    QTest::addColumn<double>("traceA");

    for (int voie : {0, 1}) {
        const char* ch = voie == 0 ? "CH1" : "CH2";
        auto row = [&](const char* nom) -> QTestData& { return QTest::addRow("%s, %s", ch, nom) << voie; };
        row("DC, offset knob at half") << 1 << 1 << true << 50.0 << 0 << 100.0 << 0 << false << true << 0.0 << 0.5f << 2.0;
        row("DC, offset knob at max") << 1 << 1 << true << 50.0 << 0 << 200.0 << 0 << false << true << 10.0 << 0.5f << 2.0;
        row("DC, fine offset") << 1 << 1 << true << 50.0 << 0 << 100.0 << 10 << false << true << 0.5 << 0.5f << 2.0;
        row("DC, knob 150 and fine -4") << 1 << 1 << true << 50.0 << 0 << 150.0 << -4 << false << true << 4.8 << 0.5f << 2.0;
        // The offset is the generator's own in every coupling: the meters
        // read it, and an AC-coupled input blocks it only where it draws.
        row("AC, offset kept") << 1 << 0 << true << 50.0 << 0 << 200.0 << 0 << false << true << 10.0 << 0.5f << 2.0;
        row("GND, no amplitude") << 1 << 2 << true << 50.0 << 0 << 200.0 << 0 << false << true << 10.0 << 0.5f << 0.0;
        row("plug out keeps the offset") << 1 << 1 << true << 50.0 << 0 << 200.0 << 0 << false << false << 10.0 << 0.5f << 0.0;
        row("duty above 1") << 1 << 1 << true << 90.0 << 20 << 100.0 << 0 << false << true << 0.0 << 1.0f << 2.0;
        row("duty below 0") << 1 << 1 << true << 0.0 << -10 << 100.0 << 0 << false << true << 0.0 << 0.0f << 2.0;
        row("square 0.95 to 0.9") << 1 << 1 << true << 95.0 << 0 << 100.0 << 0 << true << true << 0.0 << 0.9f << 2.0;
        row("square 0.05 to 0.1") << 1 << 1 << true << 5.0 << 0 << 100.0 << 0 << true << true << 0.0 << 0.1f << 2.0;
        row("triangle 0.05 stays") << 1 << 1 << true << 5.0 << 0 << 100.0 << 0 << false << true << 0.0 << 0.05f << 2.0;
        row("generator off") << 1 << 1 << false << 80.0 << 0 << 200.0 << 0 << false << true << 0.0 << 0.0f << 2.0;
        row("another source") << 2 << 1 << true << 80.0 << 0 << 200.0 << 0 << false << true << 0.0 << 0.0f << 2.0;
    }
}

void tst_Trace::calculerVoies()
{
    QFETCH(int, voie);
    QFETCH(int, option);
    QFETCH(int, acdc);
    QFETCH(bool, allume);
    QFETCH(double, rapport);
    QFETCH(int, rapportFin);
    QFETCH(double, decalage);
    QFETCH(int, decalageFin);
    QFETCH(bool, carre);
    QFETCH(bool, fiche);
    QFETCH(double, decalageA);
    QFETCH(float, rapportA);
    QFETCH(double, traceA);

    // The other channel has a generator of its own, switched on with other
    // settings, and another coupling: each channel must read its own lamp
    // and its own generator.
    const int autre = 1 - voie;
    const int acdcAutre = acdc == 1 ? 0 : 1;
    BancScope b(0, voie == 0 ? acdc : acdcAutre, voie == 0 ? 3 + acdcAutre : 3 + acdc);
    b.generateur(autre, true, 20, 0, 30, 0, false);
    b.generateur(voie, allume, rapport, rapportFin, decalage, decalageFin, carre);
    if (option != 1)
        Forms().get<frmToolBox>()->choisir(option == 2 ? (voie == 0 ? 2 : 9) : (voie == 0 ? 0 : 11));
    b.source(voie, "Sinus", 2, 100);
    b.source(autre, "Sinus", 3, 50);
    if (!fiche)
        b.scope->basculerFiche(voie);
    ActualiserEcran();
    const EtatVoie v = VoieAffichee(Banc(), Panneau(), voie);
    QCOMPARE(v.Decalage, decalageA);
    QCOMPARE(v.RapportCyclique, rapportA);
    QCOMPARE(v.TraceAmplitude, traceA);
    QCOMPARE(v.TraceFrequence, 100.0);
    QCOMPARE(v.TraceSignal, QStringLiteral("Sinus"));
    // The other channel keeps its own values.
    const EtatVoie a = VoieAffichee(Banc(), Panneau(), autre);
    QCOMPARE(a.Decalage, -7.0);
    QCOMPARE(a.RapportCyclique, 0.2f);
    QCOMPARE(a.TraceAmplitude, 3.0);
}

void tst_Trace::evaluatedModeDrawsExpectedSignal()
{
    BancScope b(2);
    Modele().passerEnModeLibre(false);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Decalage = 1.5; });
    b.source(0, "Carre", 7, 1000);
    b.source(1, "Sinus", 7, 1000);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.UmaxExo = 3; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FreqExo = 250; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.SignalExo = "Triangle"; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.UmaxExo = 2; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FreqExo = 500; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.SignalExo = "Cc"; });
    ActualiserEcran();
    QCOMPARE(VoieAffichee(Banc(), Panneau(), 0).TraceAmplitude, 3.0);
    QCOMPARE(VoieAffichee(Banc(), Panneau(), 0).TraceFrequence, 250.0);
    QCOMPARE(VoieAffichee(Banc(), Panneau(), 0).TraceSignal, QStringLiteral("Triangle"));
    QCOMPARE(VoieAffichee(Banc(), Panneau(), 1).TraceSignal, QStringLiteral("Cc"));
    QCOMPARE(Banc().voies[0].RapportCyclique, 0.5f);
    QCOMPARE(Banc().voies[1].RapportCyclique, 0.5f);
    QCOMPARE(Banc().voies[0].Decalage, 1.5);
}

void tst_Trace::sinePeaks()
{
    BancScope b(0);
    b.scope->setPotentioValue(0, 10); // one pixel wide: the ink is the line itself
    ReglerPotentiometre(1, 0);
    b.source(0, "sinus", 2, 250); // 4 divisions a period at 1 ms/div
    b.position(0, 50);
    ActualiserEcran();
    const auto [haut, bas] = extent(b.image(), kJaune);
    QVERIFY2(qAbs(haut - 250) <= 1 && qAbs(bas + 150) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
    // It starts at its rising zero crossing at the left edge.
    QVERIFY(at(b.image(), -500, 50, kJaune));
    QVERIFY(at(b.image(), -400, 250, kJaune));
    QVERIFY(at(b.image(), -200, -150, kJaune));
}

void tst_Trace::powerOffLeavesGraticule()
{
    BancScope b(0, 1, 4, false, false);
    b.source(0, "Sinus", 2, 250);
    ActualiserEcran();
    QCOMPARE(b.image(), b.scope->picGrille->Image());
    // Its plugs are in: the input is wired, though nothing is drawn.
    QVERIFY(Banc().voies[0].EntreeBranchee);
}

void tst_Trace::slowTimeBaseArmsSpot()
{
    BancScope b(0);
    b.source(0, "Sinus", 2, 5);
    b.baseTemps(5); // 10 ms/div
    QCOMPARE(b.scope->panneau().secondesParDivision(), 0.01);
    QVERIFY(b.scope->tmrSpot.isRunning());
    QCOMPARE(b.scope->tmrSpot.Interval(), 1);
    QCOMPARE(extent(b.image(), kJaune).first, -10000); // the spot draws, not the refresh
    b.baseTemps(6); // 5 ms/div: the whole trace at once
    QCOMPARE(b.scope->tmrSpot.Interval(), 0);
    QVERIFY(!b.scope->tmrSpot.isRunning());
    QVERIFY(extent(b.image(), kJaune).first > 0);
}

void tst_Trace::xyTimer()
{
    BancScope b(4);
    ActualiserEcran();
    QCOMPARE(b.scope->tmrXY.Interval(), 1);
    QVERIFY(b.scope->tmrXY.isRunning());
    QVERIFY(!b.scope->tmrSpot.Enabled());
    b.scope->chkFFT->setChecked(true);
    QCOMPARE(b.scope->tmrXY.Interval(), 5);
}

void tst_Trace::fastSquareIsSolidAtAnyWidth_data()
{
    QTest::addColumn<int>("largeur");
    QTest::newRow("scope window") << 399;
    QTest::newRow("one pixel a unit") << 1005;
    QTest::newRow("full screen, wide display") << 2600;
}

void tst_Trace::fastSquareIsSolidAtAnyWidth()
{
    // A square far too fast for its periods to show, with the thinnest
    // focus: every pixel column holds an edge from level to level.
    QFETCH(int, largeur);
    BancScope b(0);
    b.generateur(0, true, 50, 0, 100, 0, false);
    b.source(0, "Carre", 2, 200000);
    b.baseTemps(6);
    b.scope->setPotentioValue(0, 10);
    ReglerPotentiometre(1, 0);
    b.scope->picEcran->resize(largeur, 805);
    ActualiserEcran();
    const QImage image = b.image();
    const int milieu = int(b.scope->picEcran->toPixel(0, 0).y() * image.devicePixelRatio());
    const int gauche = int(b.scope->picEcran->toPixel(-480, 0).x() * image.devicePixelRatio());
    const int droite = int(b.scope->picEcran->toPixel(480, 0).x() * image.devicePixelRatio());
    QList<int> trous;
    for (int px = gauche; px <= droite; ++px)
        if ((image.pixel(px, milieu) & 0xFFFFFF) != pixelRgb(kJaune))
            trous << px;
    QVERIFY2(trous.isEmpty(), qPrintable(QString("%1 blank columns, the first at %2").arg(trous.size()).arg(trous.value(0))));
}

void tst_Trace::fastSineIsABandOnScreen_data()
{
    QTest::addColumn<double>("frequence");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<int>("colonnes"); // device columns a period spans, rounded up
    // 1 ms/div: on the scope window a column lasts 25 µs, longer than a
    // period; at 1920 pixels 49 to 50.1 kHz is 3.8 to 3.9 columns a period.
    for (double f : {49000.0, 50000.0, 50100.0}) {
        QTest::addRow("%g Hz, scope window", f) << f << 399 << 1;
        QTest::addRow("%g Hz, 1920 pixels", f) << f << 1920 << 4;
    }
}

void tst_Trace::fastSineIsABandOnScreen()
{
    // A 3 V sine at 1 V/div far faster than the time base: the screen shows
    // the band the beam sweeps, not a slow wave.
    QFETCH(double, frequence);
    QFETCH(int, largeur);
    QFETCH(int, colonnes);
    BancScope b(0);
    b.generateur(0, true, 50, 0, 100, 0, false);
    b.source(0, "Sinus", 3, frequence);
    b.baseTemps(8);
    b.scope->setPotentioValue(0, 10);
    ReglerPotentiometre(1, 0);
    b.scope->picEcran->resize(largeur, 805);
    ActualiserEcran();
    const QString manque = bandeManquante(b.image(), *b.scope->picEcran, kJaune, 300, -300, colonnes);
    QVERIFY2(manque.isEmpty(), qPrintable(manque));
}

void tst_Trace::denseTriangleShowsItsZigzagWherePixelsAllow_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<bool>("bande");
    // A 60 kHz triangle at 1 ms/div: a period every 1.67 units, 0.66 pixel
    // on the scope window (a solid band), 3.2 pixels at 1920 (a zigzag).
    QTest::newRow("scope window") << 399 << true;
    QTest::newRow("full screen, 1920") << 1920 << false;
}

void tst_Trace::denseTriangleShowsItsZigzagWherePixelsAllow()
{
    QFETCH(int, largeur);
    QFETCH(bool, bande);
    BancScope b(0);
    b.generateur(0, true, 50, 0, 100, 0, false);
    b.source(0, "Triangle", 2, 60000);
    b.scope->setPotentioValue(0, 10); // one pixel wide
    ReglerPotentiometre(1, 0);
    b.scope->picEcran->resize(largeur, 805);
    ActualiserEcran();
    const QImage image = b.image();
    // Near the crests, at 1.8 V, a zigzag inks one column in three or so; a
    // band inks them all.
    const PictureBox* ecran = b.scope->picEcran;
    const int ligne = int(ecran->toPixel(0, 180).y() * image.devicePixelRatio());
    const int gauche = int(ecran->toPixel(-480, 0).x() * image.devicePixelRatio());
    const int droite = int(ecran->toPixel(480, 0).x() * image.devicePixelRatio());
    int vides = 0;
    for (int px = gauche; px <= droite; ++px)
        if ((image.pixel(px, ligne) & 0xFFFFFF) != pixelRgb(kJaune))
            ++vides;
    const double part = double(vides) / (droite - gauche + 1);
    QVERIFY2(bande ? vides == 0 : part > 0.25, qPrintable(QString("%1 of the columns blank").arg(part)));
}

namespace {

// CH1 at 3 V on 1 V/div, fed the waveform, the scope lit in DUAL, or in ADD
// with CH2 fed the second waveform at 2 V; the harmonic generator's
// fundamental, third and fifth at full level.
EtatTrace etatRapide(FormeOnde forme, double frequence, double baseTemps, FormeOnde formeCH2)
{
    EtatTrace e;
    e.panneau.allume = true;
    e.panneau.mode = formeCH2 == FormeOnde::Aucune ? ModeVoies::DUAL : ModeVoies::ADD;
    e.panneau.couplage = {Couplage::DC, Couplage::DC};
    e.baseTemps = baseTemps;
    for (int voie = 0; voie < 2; ++voie) {
        VoieTracee& v = e.voies[size_t(voie)];
        v.forme = voie == 0 ? forme : formeCH2;
        v.amplitude = voie == 0 ? 3 : 2;
        v.frequence = voie == 0 ? frequence : frequence * 3.1;
        v.rapport = 0.3;
        v.branchee = true;
        v.sensibilite = 1;
        v.couleur = kJaune;
        for (int rang : {1, 3, 5}) {
            v.niveaux.Ampli[size_t(rang - 1)] = 10;
            v.niveaux.AmpliMin[size_t(rang - 1)] = 10 * rang;
        }
    }
    return e;
}

// CH1's trace painted on a black picture of that size with a pen that
// wide: the scope's way, or through the general path of any trace. `pixels`
// gets its points in device pixels.
QImage peindre(const EtatTrace& etat, QSize taille, int largeur, bool general, QPolygonF* pixels = nullptr)
{
    QWidget fenetre;
    auto* ecran = new PictureBox(&fenetre);
    ecran->resize(taille);
    ecran->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);
    ecran->setBackColor(0);
    ecran->DrawWidth = largeur;
    const TraceVoie trace = TraceRapide(etat, 0, ecran->devicePixelWidth());
    if (general)
        ecran->Trace(trace.points, trace.couleur);
    else
        PeindreTrace(ecran, trace);
    const QImage image = ecran->Image();
    if (pixels)
        for (const QPointF& p : trace.points)
            *pixels << ecran->toPixel(p.x(), p.y()) * image.devicePixelRatio();
    return image;
}

bool encre(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) != 0;
}

// The distance from each pixel's centre to the polyline, up to `portee`
// (farther pixels get more than it).
std::vector<float> distances(const QPolygonF& points, QSize taille, double portee)
{
    std::vector<float> d(size_t(taille.width()) * size_t(taille.height()), float(portee + 1));
    for (qsizetype k = 0; k < points.size(); ++k) {
        const QPointF a = points[k], ab = (k + 1 < points.size() ? points[k + 1] : a) - a;
        const double l2 = QPointF::dotProduct(ab, ab);
        const QRect boite = QRectF(a, a + ab).normalized().adjusted(-portee - 1, -portee - 1, portee + 1, portee + 1)
                                .toAlignedRect()
            & QRect(QPoint(0, 0), taille);
        for (int y = boite.top(); y <= boite.bottom(); ++y)
            for (int x = boite.left(); x <= boite.right(); ++x) {
                const QPointF c(x + 0.5, y + 0.5);
                const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(c - a, ab) / l2, 0.0, 1.0) : 0;
                const QPointF e = c - (a + t * ab);
                float& v = d[size_t(y) * size_t(taille.width()) + size_t(x)];
                v = std::min(v, float(std::sqrt(QPointF::dotProduct(e, e))));
            }
    }
    return d;
}

} // namespace

void tst_Trace::widePenInksTheDiscSweptAlongTheTrace_data()
{
    QTest::addColumn<int>("forme");     // FormeOnde of CH1
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<int>("formeCH2"); // in ADD; none in DUAL
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<int>("largeur");   // the pen, pixels
    struct Cas {
        const char* nom;
        FormeOnde forme;
        double frequence, baseTemps;
        FormeOnde ch2 = FormeOnde::Aucune;
    };
    // At 50 µs/div 980 392 Hz is a period of 2.04 units: under a pixel on
    // the panel, four pixels at 1920; 2 MHz is too fast for any picture,
    // and so is 49 kHz at 1 ms/div for the panel (a band), 3.8 columns a
    // period at 1920.
    const Cas cas[] = {
        {"square", FormeOnde::Carre, 1000, 0.001},
        {"square near its band", FormeOnde::Carre, 980392, 50e-6},
        {"square band", FormeOnde::Carre, 2e6, 50e-6},
        {"triangle near its band", FormeOnde::Triangle, 980392, 50e-6},
        {"harmonic generator", FormeOnde::Harmo, 1000, 0.001},
        {"harmonic generator, dense", FormeOnde::Harmo, 49000, 0.001},
        {"sine near aliasing", FormeOnde::Sinus, 49000, 0.001},
        {"ADD of a sine and a square", FormeOnde::Sinus, 2000, 0.001, FormeOnde::Carre},
    };
    for (const QSize taille : {QSize(399, 329), QSize(1920, 1080)})
        for (const Cas& c : cas)
            for (int largeur : {1, 3, 7, 11})
                QTest::addRow("%s, %d x %d, %d px", c.nom, taille.width(), taille.height(), largeur)
                    << int(c.forme) << c.frequence << c.baseTemps << int(c.ch2) << taille << largeur;
}

void tst_Trace::widePenInksTheDiscSweptAlongTheTrace()
{
    QFETCH(int, forme);
    QFETCH(double, frequence);
    QFETCH(double, baseTemps);
    QFETCH(int, formeCH2);
    QFETCH(QSize, taille);
    QFETCH(int, largeur);
    const EtatTrace etat = etatRapide(FormeOnde(forme), frequence, baseTemps, FormeOnde(formeCH2));
    QPolygonF points;
    const QImage image = peindre(etat, taille, largeur, false, &points);
    QVERIFY(points.size() >= 2);
    const double rayon = largeur / 2.0;
    const std::vector<float> d = distances(points, taille, rayon + 1);
    const auto loin = [&](int x, int y) { return d[size_t(y) * size_t(taille.width()) + size_t(x)]; };
    QStringList fautes;
    // Every point of the trace is inked (a thin line within its pixel's
    // neighbours, where the raster's rounding puts it), and so is every
    // pixel whose centre lies within the pen's reach less a pixel.
    const int voisins = largeur == 1 ? 1 : 0;
    for (const QPointF& p : points) {
        const int px = int(std::floor(p.x())), py = int(std::floor(p.y()));
        if (!QRect(QPoint(0, 0), taille).contains(px, py))
            continue;
        bool vu = false;
        for (int dy = -voisins; dy <= voisins; ++dy)
            for (int dx = -voisins; dx <= voisins; ++dx)
                vu = vu || encre(image, px + dx, py + dy);
        if (!vu && fautes.size() < 5)
            fautes << QString("point %1, %2 not inked").arg(p.x()).arg(p.y());
    }
    // No ink farther than half the pen and a pixel from the trace.
    for (int y = 0; y < taille.height(); ++y)
        for (int x = 0; x < taille.width(); ++x) {
            const bool inked = encre(image, x, y);
            if (inked && loin(x, y) > rayon + 1 && fautes.size() < 10)
                fautes << QString("ink at %1, %2, %3 px from the trace").arg(x).arg(y).arg(loin(x, y));
            if (!inked && loin(x, y) <= rayon - 1 && fautes.size() < 15)
                fautes << QString("no ink at %1, %2, %3 px from the trace").arg(x).arg(y).arg(loin(x, y));
        }
    // What the general path inks lies within a pixel of this ink.
    const QImage general = peindre(etat, taille, largeur, true);
    for (int y = 0; y < taille.height(); ++y)
        for (int x = 0; x < taille.width(); ++x) {
            if (!encre(general, x, y))
                continue;
            bool pres = false;
            for (int dy = -1; dy <= 1 && !pres; ++dy)
                for (int dx = -1; dx <= 1 && !pres; ++dx)
                    pres = encre(image, x + dx, y + dy);
            if (!pres && fautes.size() < 20)
                fautes << QString("%1, %2 inked by the general path only").arg(x).arg(y);
        }
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("; ")));
}

namespace {

// The readout as it should read over the graticule: each text centred in its
// division column and standing on its line, in the scope window's font.
struct TexteLecture {
    double colonne;
    double ligne;
    QString texte;
};

QImage lectureAttendue(const QImage& grille, int encre, const QList<TexteLecture>& textes)
{
    PictureBox p;
    p.resize(1005, 805);
    p.Scale(-500, 400, 505, -405);
    p.setPicture(grille);
    p.FontName = "Arial";
    p.FontSize = 8;
    p.ForeColor = encre;
    for (const TexteLecture& t : textes) {
        p.CurrentX = t.colonne + (100 - p.TextWidth(t.texte)) / 2;
        p.CurrentY = t.ligne - p.TextHeight(t.texte);
        p.Print(t.texte);
    }
    return p.Image();
}

// Pixels of the screen's bottom band (y from -300 down) that differ from the
// graticule. Printing a text twice at one place marks the same pixels.
QList<QPoint> marquesDuBas(const QImage& image, const QImage& grille)
{
    QList<QPoint> marques;
    for (int py = 400 + 300; py < image.height(); ++py)
        for (int px = 0; px < image.width(); ++px)
            if (image.pixel(px, py) != grille.pixel(px, py))
                marques << QPoint(px, py);
    return marques;
}

} // namespace

void tst_Trace::readout_data()
{
    QTest::addColumn<QString>("copie");   // "Copy Sensibility", empty: absent
    QTest::addColumn<int>("fond");
    QTest::addColumn<int>("mode");        // stored channel mode
    QTest::addColumn<int>("sensA");       // sensitivity knob indexes
    QTest::addColumn<int>("sensB");
    QTest::addColumn<int>("base");        // time-base knob index
    QTest::addColumn<bool>("fft");
    QTest::addColumn<int>("encre");       // 0 black, 1 white, -1 nothing printed
    QTest::addColumn<QStringList>("textes"); // mode, CH1 and CH2 values, time base

    // The texts themselves are computed without a window (tst_figure); here
    // they are painted: in the ink of the background, or not at all.
    const QStringList dual = {"DUAL", "1 V", "1 V", "1 ms"};
    QTest::newRow("default background, black text") << "" << 10135975 << 2 << 6 << 6 << 8 << false << 0 << dual;
    QTest::newRow("black background, white text") << "1" << 0 << 2 << 6 << 6 << 8 << false << 1 << dual;
    QTest::newRow("other value shows") << "non" << 10135975 << 2 << 6 << 6 << 8 << false << 0 << dual;
    QTest::newRow("Copy Sensibility 0 hides it") << "0" << 10135975 << 2 << 6 << 6 << 8 << false << -1
                                                 << QStringList();
    QTest::newRow("CH1: volts and millivolts") << "" << 10135975 << 0 << 5 << 12 << 9 << false << 0
                                               << QStringList{"CH1", "2 V", "10 mV", "0.5 ms"};
    QTest::newRow("spectrum at 0.5 ms/div") << "" << 10135975 << 2 << 6 << 6 << 9 << true << 0
                                            << QStringList{"DUAL", "1 V", "1 V", "2 kHz"};
    QTest::newRow("spectrum at 0.5 s/div") << "" << 10135975 << 2 << 6 << 6 << 0 << true << 0
                                           << QStringList{"DUAL", "1 V", "1 V", "2 Hz"};
}

void tst_Trace::readout()
{
    QFETCH(QString, copie);
    QFETCH(int, fond);
    QFETCH(int, mode);
    QFETCH(int, sensA);
    QFETCH(int, sensB);
    QFETCH(int, base);
    QFETCH(bool, fft);
    QFETCH(int, encre);
    QFETCH(QStringList, textes);
    BancScope b(mode);
    if (!copie.isEmpty())
        EcrireINI("Options", "Copy Sensibility", copie);
    Scope().CouleurFond = fond;
    DessinerGrille(b.scope->picGrille);
    b.sensibilite(0, sensA);
    b.sensibilite(1, sensB);
    b.baseTemps(base);
    if (fft) // the spectrum prints the readout after its lines
        b.scope->chkFFT->setChecked(true);
    ActualiserEcran();
    const QImage image = b.image();
    const QImage grille = b.scope->picGrille->Image();
    const int couleur = encre == 1 ? 0xFFFFFF : 0;
    QList<TexteLecture> attendus;
    if (!textes.isEmpty())
        attendus = {{-500, -400, textes[0]}, {-400, -400, "CH1"},     {-300, -400, "CH2"},
                    {-400, -370, textes[1]}, {-300, -370, textes[2]}, {-200, -370, textes[3]}};
    const QImage attendue = lectureAttendue(grille, couleur, attendus);
    const QList<QPoint> attendues = marquesDuBas(attendue, grille);
    const QList<QPoint> marques = marquesDuBas(image, grille);
    QCOMPARE(attendues.isEmpty(), encre < 0);
    // The same pixels are inked as by the expected texts at their places, in
    // the ink colour: at least as dark (black ink) or as light (white ink) as
    // the expected print, DUAL printing the same texts twice.
    int ecarts = 0, pales = 0;
    for (const QPoint& p : marques) {
        ecarts += !attendues.contains(p);
        const int ecart = qGray(image.pixel(p)) - qGray(attendue.pixel(p));
        pales += encre == 1 ? ecart < 0 : ecart > 0;
    }
    for (const QPoint& p : attendues)
        ecarts += !marques.contains(p);
    QVERIFY2(ecarts == 0, qPrintable(QString("%1 pixels differ from \"%2\"").arg(ecarts).arg(textes.join("\", \""))));
    QCOMPARE(pales, 0);
}

void tst_Trace::readoutClearOfTheGraticule_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("sensibilite"); // index, both channels
    QTest::addColumn<int>("base");        // time-base index
    QTest::addColumn<bool>("fft");
    QTest::newRow("1000 Hz") << 2 << 0 << 8 << true;     // 1 ms/div
    QTest::newRow("2 kHz") << 2 << 0 << 9 << true;       // 0.5 ms/div
    QTest::newRow("0.5 ms, 100 V") << 2 << 0 << 9 << false;
    QTest::newRow("0.5 s, 5 mV") << 1 << 13 << 0 << false;
}

void tst_Trace::readoutClearOfTheGraticule()
{
    // On the panel's own screen, at its designed size, no text of the
    // readout touches a line of the graticule.
    QFETCH(int, mode);
    QFETCH(int, sensibilite);
    QFETCH(int, base);
    QFETCH(bool, fft);
    BancScope b(mode);
    const QSize taille(twipsToPixels(5985), twipsToPixels(4935));
    b.scope->picEcran->resize(taille);
    b.scope->picGrille->resize(taille);
    DessinerGrille(b.scope->picGrille);
    b.sensibilite(0, sensibilite);
    b.sensibilite(1, sensibilite);
    b.baseTemps(base);
    b.scope->chkFFT->setChecked(fft);
    ActualiserEcran();
    const QImage image = b.image();
    const QImage grille = b.scope->picGrille->Image();
    QCOMPARE(image.size(), taille);
    const QRgb fond = grille.pixel(2, grille.height() - 20);
    auto ligne = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (grille.rect().contains(x + dx, y + dy) && grille.pixel(x + dx, y + dy) != fond)
                    return true;
        return false;
    };
    int encre = 0;
    QStringList touches;
    for (int y = image.height() * 7 / 8; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != grille.pixel(x, y)) {
                ++encre;
                if (ligne(x, y))
                    touches << QStringLiteral("%1,%2").arg(x).arg(y);
            }
    QVERIFY(encre > 0);
    QVERIFY2(touches.isEmpty(), qPrintable(touches.join(' ')));
}

void tst_Trace::readoutLooksLikeOneSmallPrint_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("pleinEcranCoche");
    // DUAL prints the readout once per channel; the full-screen view ticked
    // while its window is not open still draws on the panel's screen.
    QTest::newRow("CH1") << 0 << false;
    QTest::newRow("DUAL") << 2 << false;
    QTest::newRow("full screen ticked, CH1") << 0 << true;
    QTest::newRow("full screen ticked, DUAL") << 2 << true;
}

void tst_Trace::readoutLooksLikeOneSmallPrint()
{
    QFETCH(int, mode);
    QFETCH(bool, pleinEcranCoche);
    BancScope b(mode);
    PanneauScope p = b.scope->panneau();
    p.pleinEcran = pleinEcranCoche;
    b.scope->changerPanneau(p);
    ActualiserEcran();
    const QImage dessine = b.image();

    // The same readout printed once, at the panel's size, on the graticule.
    p.pleinEcran = false;
    b.scope->changerPanneau(p);
    b.scope->picEcran->setPicture(b.scope->picGrille->Image());
    AfficherSensibilites();
    const QImage une = b.image();

    // The band under the traces (both channels are flat lines at 0) holds
    // the readout alone.
    const int haut = 400 - (-300);
    QCOMPARE(dessine.copy(0, haut, dessine.width(), dessine.height() - haut),
             une.copy(0, haut, une.width(), une.height() - haut));
}

QTEST_MAIN(tst_Trace)
#include "tst_trace.moc"
