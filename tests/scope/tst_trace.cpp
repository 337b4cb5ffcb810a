#include "BancScope.h"

#include "app/FichierINI.h"
#include "bench/frmToolBox.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Traceurs.h"
#include "scope/frmWavix.h"

#include <QAction>
#include <QCheckBox>
#include <QtTest>

class tst_Trace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calculerVoies_data();
    void calculerVoies();
    void evaluatedModeDrawsExpectedSignal();
    void sinePeaks();
    void squareLevelsAndEdges();
    void squareInAcCouplingIsCentred();
    void triangleRiseAndFall();
    void dcLevelInEveryCoupling_data();
    void dcLevelInEveryCoupling();
    void unconnectedChannelIsFlatAtPosition();
    void invertedCh2Only();
    void powerOffLeavesGraticule();
    void slowTimeBaseArmsSpot();
    void xyTimer();
    void degenerateFrequencies_data();
    void degenerateFrequencies();
    void readout_data();
    void readout();
    void readoutLooksLikeOneSmallPrint_data();
    void readoutLooksLikeOneSmallPrint();
};

void tst_Trace::calculerVoies_data()
{
    QTest::addColumn<int>("option");      // toolbox option selected for CH1
    QTest::addColumn<int>("acdc");        // CH1 coupling lamp
    QTest::addColumn<bool>("allume");     // generator switched on
    QTest::addColumn<double>("rapport");  // duty knob
    QTest::addColumn<int>("rapportFin");
    QTest::addColumn<double>("decalage"); // offset knob
    QTest::addColumn<int>("decalageFin");
    QTest::addColumn<bool>("carre");
    QTest::addColumn<bool>("fiche");      // the scope's CH1 plug
    QTest::addColumn<double>("decalageA");
    QTest::addColumn<float>("rapportA");
    QTest::addColumn<double>("traceA");

    QTest::newRow("DC, offset knob at half") << 1 << 1 << true << 50.0 << 0 << 100.0 << 0 << false << true << 0.0 << 0.5f << 2.0;
    QTest::newRow("DC, offset knob at max") << 1 << 1 << true << 50.0 << 0 << 200.0 << 0 << false << true << 10.0 << 0.5f << 2.0;
    QTest::newRow("DC, fine offset") << 1 << 1 << true << 50.0 << 0 << 100.0 << 10 << false << true << 0.5 << 0.5f << 2.0;
    QTest::newRow("DC, knob 150 and fine -4") << 1 << 1 << true << 50.0 << 0 << 150.0 << -4 << false << true << 4.8 << 0.5f << 2.0;
    QTest::newRow("AC, offset ignored") << 1 << 0 << true << 50.0 << 0 << 200.0 << 0 << false << true << 0.0 << 0.5f << 2.0;
    QTest::newRow("GND, no amplitude") << 1 << 2 << true << 50.0 << 0 << 200.0 << 0 << false << true << 0.0 << 0.5f << 0.0;
    QTest::newRow("plug out keeps the offset") << 1 << 1 << true << 50.0 << 0 << 200.0 << 0 << false << false << 10.0 << 0.5f << 0.0;
    QTest::newRow("duty above 1") << 1 << 1 << true << 90.0 << 20 << 100.0 << 0 << false << true << 0.0 << 1.0f << 2.0;
    QTest::newRow("duty below 0") << 1 << 1 << true << 0.0 << -10 << 100.0 << 0 << false << true << 0.0 << 0.0f << 2.0;
    QTest::newRow("square 0.95 to 0.9") << 1 << 1 << true << 95.0 << 0 << 100.0 << 0 << true << true << 0.0 << 0.9f << 2.0;
    QTest::newRow("square 0.05 to 0.1") << 1 << 1 << true << 5.0 << 0 << 100.0 << 0 << true << true << 0.0 << 0.1f << 2.0;
    QTest::newRow("triangle 0.05 stays") << 1 << 1 << true << 5.0 << 0 << 100.0 << 0 << false << true << 0.0 << 0.05f << 2.0;
    QTest::newRow("generator off") << 1 << 1 << false << 80.0 << 0 << 200.0 << 0 << false << true << 0.0 << 0.0f << 2.0;
    QTest::newRow("another source") << 2 << 1 << true << 80.0 << 0 << 200.0 << 0 << false << true << 0.0 << 0.0f << 2.0;
}

void tst_Trace::calculerVoies()
{
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

    BancScope b(0, acdc);
    b.generateur(0, allume, rapport, rapportFin, decalage, decalageFin, carre);
    if (option != 1)
        Forms().get<frmToolBox>()->choisir(option);
    b.source(0, "Sinus", 2, 100);
    if (!fiche)
        b.scope->basculerFiche(0);
    ActualiserEcran();
    QCOMPARE(DecalageA, decalageA);
    QCOMPARE(RapportCycliqueA, rapportA);
    QCOMPARE(TraceAmplitudeA, traceA);
    QCOMPARE(TraceFrequenceA, 100.0);
    QCOMPARE(TraceSignalA, QStringLiteral("Sinus"));
}

void tst_Trace::evaluatedModeDrawsExpectedSignal()
{
    BancScope b(2);
    b.mdi->ModeLibre = false;
    DecalageA = 1.5;
    b.source(0, "Carre", 7, 1000);
    b.source(1, "Sinus", 7, 1000);
    UmaxExoA = 3;
    FreqExoA = 250;
    SignalExoA = "Triangle";
    UmaxExoB = 2;
    FreqExoB = 500;
    SignalExoB = "Cc";
    ActualiserEcran();
    QCOMPARE(TraceAmplitudeA, 3.0);
    QCOMPARE(TraceFrequenceA, 250.0);
    QCOMPARE(TraceSignalA, QStringLiteral("Triangle"));
    QCOMPARE(TraceSignalB, QStringLiteral("Cc"));
    QCOMPARE(RapportCycliqueA, 0.5f);
    QCOMPARE(RapportCycliqueB, 0.5f);
    QCOMPARE(DecalageA, 1.5);
}

void tst_Trace::sinePeaks()
{
    BancScope b(0);
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

void tst_Trace::squareLevelsAndEdges()
{
    BancScope b(0);
    b.generateur(0, true, 50, 0, 100, 0, true);
    b.source(0, "Carre", 2, 500); // two divisions a period
    ActualiserEcran();
    const QImage image = b.image();
    QVERIFY(at(image, -450, 200, kJaune));   // high for half the period
    QVERIFY(!at(image, -450, -200, kJaune));
    QVERIFY(at(image, -350, -200, kJaune));  // then low
    QVERIFY(!at(image, -350, 200, kJaune));
    for (int edge : {-400, -300, -200, 100, 300}) // a vertical edge every division
        QVERIFY(at(image, edge, 0, kJaune));
    QVERIFY(!at(image, -350, 0, kJaune));
    QVERIFY(!at(image, -250, 0, kJaune));
}

void tst_Trace::squareInAcCouplingIsCentred()
{
    BancScope b(0, 0);
    b.generateur(0, true, 90, 0, 100, 0, true);
    b.source(0, "Carre", 5, 500);
    b.sensibilite(0, 5); // 2 V/div
    ActualiserEcran();
    // Ratio 0.9, 5 V: the mean 4 V is removed, the high level sits at 0.5 div.
    QVERIFY(at(b.image(), -420, 50, kJaune));
    QVERIFY(!at(b.image(), -420, 250, kJaune));
}

void tst_Trace::triangleRiseAndFall()
{
    BancScope b(0);
    b.generateur(0, true, 25, 0, 100, 0, false);
    b.source(0, "Triangle", 3, 100); // one period fills the screen
    ActualiserEcran();
    const QImage image = b.image();
    QVERIFY(at(image, -500, -300, kJaune));   // starts at its minimum
    QVERIFY(at(image, -375, 0, kJaune));      // halfway up
    QVERIFY(at(image, -250, 300, kJaune));    // top after a quarter period
    QVERIFY(at(image, 125, 0, kJaune));       // halfway down
    QVERIFY(at(image, 490, -292, kJaune));
    QVERIFY(!at(image, 125, 200, kJaune));
}

void tst_Trace::dcLevelInEveryCoupling_data()
{
    QTest::addColumn<int>("acdc");
    QTest::addColumn<int>("y");
    QTest::newRow("AC") << 0 << 320;
    QTest::newRow("DC") << 1 << 320;
    QTest::newRow("GND") << 2 << 20;
}

void tst_Trace::dcLevelInEveryCoupling()
{
    QFETCH(int, acdc);
    QFETCH(int, y);
    BancScope b(0, acdc);
    b.source(0, "Cc", 3, 0);
    b.position(0, 20);
    ActualiserEcran();
    const auto [haut, bas] = extent(b.image(), kJaune);
    QVERIFY2(qAbs(haut - y) <= 1 && qAbs(bas - y) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
}

void tst_Trace::unconnectedChannelIsFlatAtPosition()
{
    BancScope b(0);
    b.generateur(0, true, 50, 0, 200, 0, false); // +10 V offset
    b.source(0, "Sinus", 2, 250);
    b.sensibilite(0, 4); // 5 V/div
    b.position(0, -100);
    b.scope->basculerFiche(0); // CH1 plug out
    ActualiserEcran();
    QCOMPARE(DecalageA, 10.0); // kept for the meters
    const auto [haut, bas] = extent(b.image(), kJaune);
    QVERIFY2(qAbs(haut + 100) <= 1 && qAbs(bas + 100) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
}

void tst_Trace::invertedCh2Only()
{
    BancScope b(2, 1, 4, true);
    b.source(0, "Cc", 2, 0);
    b.source(1, "Cc", 2, 0);
    ActualiserEcran();
    // The lines are 3 pixels wide (focus 12).
    QVERIFY(qAbs(extent(b.image(), kJaune).first - 200) <= 1);
    QVERIFY(qAbs(extent(b.image(), kVert).first + 200) <= 1);
    QVERIFY(qAbs(extent(b.image(), kVert).second + 200) <= 1);
}

void tst_Trace::powerOffLeavesGraticule()
{
    BancScope b(0, 1, 4, false, false);
    b.source(0, "Sinus", 2, 250);
    ActualiserEcran();
    QCOMPARE(b.image(), b.scope->picGrille->Image());
    QVERIFY(!EntreeBrancheeA);
}

void tst_Trace::slowTimeBaseArmsSpot()
{
    BancScope b(0);
    b.source(0, "Sinus", 2, 5);
    b.baseTemps(5); // 10 ms/div
    QCOMPARE(BaseTemps, 0.01);
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

void tst_Trace::degenerateFrequencies_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<int>("baseIndex");
    QTest::addColumn<bool>("trace");
    QTest::newRow("triangle at 0 Hz") << "Triangle" << 0.0 << 8 << false;
    QTest::newRow("square at -5 Hz") << "Carre" << -5.0 << 8 << false;
    QTest::newRow("sine at 0 Hz is its offset") << "Sinus" << 0.0 << 8 << true;
    QTest::newRow("square, 120 kHz at 5 ms/div") << "Carre" << 120000.0 << 6 << true;
    QTest::newRow("triangle, 10 MHz at 1 ms/div") << "Triangle" << 1e7 << 8 << true;
}

void tst_Trace::degenerateFrequencies()
{
    QFETCH(QString, mot);
    QFETCH(double, frequence);
    QFETCH(int, baseIndex);
    QFETCH(bool, trace);
    BancScope b(0);
    b.generateur(0, true, 50, 0, 100, 0, false);
    b.source(0, qPrintable(mot), 2, frequence);
    b.baseTemps(baseIndex);
    ActualiserEcran();
    const auto [haut, bas] = extent(b.image(), kJaune);
    QCOMPARE(haut > -10000, trace);
    if (trace && frequence > 1000) {
        // Periods narrower than a pixel fill the band between the levels.
        QVERIFY(at(b.image(), 100, 200, kJaune));
        QVERIFY(at(b.image(), 100, 0, kJaune));
        QVERIFY(at(b.image(), 100, -200, kJaune));
    }
}

void tst_Trace::readout_data()
{
    QTest::addColumn<QString>("copie");
    QTest::addColumn<int>("fond");
    QTest::addColumn<int>("encre"); // 0 black, 1 white, -1 none
    QTest::newRow("default background, black text") << "" << 10135975 << 0;
    QTest::newRow("black background, white text") << "1" << 0 << 1;
    QTest::newRow("other value shows") << "non" << 10135975 << 0;
    QTest::newRow("Copy Sensibility 0 hides it") << "0" << 10135975 << -1;
}

void tst_Trace::readout()
{
    QFETCH(QString, copie);
    QFETCH(int, fond);
    QFETCH(int, encre);
    BancScope b(2);
    if (!copie.isEmpty())
        EcrireINI("Options", "Copy Sensibility", copie);
    CouleurFond = fond;
    DessinerGrille(b.scope);
    ActualiserEcran();
    const QImage image = b.image();
    const QImage grille = b.scope->picGrille->Image();
    const QRgb attendu = encre == 1 ? 0xFFFFFF : 0x000000;
    // Ink per column of the bottom band: mode, CH1 / 2 V, CH2 / 2 V, time base.
    auto ink = [&](int x1, int x2, int y1, int y2) {
        int n = 0;
        for (int px = x1 + 500; px < x2 + 500; ++px)
            for (int py = 400 - y2; py < 400 - y1; ++py)
                if (image.pixel(px, py) != grille.pixel(px, py) && (image.pixel(px, py) & 0xFFFFFF) == attendu)
                    ++n;
        return n;
    };
    const bool shown = encre >= 0;
    QCOMPARE(ink(-495, -405, -398, -372) > 0, shown);  // "DUAL"
    QCOMPARE(ink(-395, -305, -398, -372) > 0, shown);  // "CH1"
    QCOMPARE(ink(-395, -305, -368, -330) > 0, shown);  // "1 V"
    QCOMPARE(ink(-295, -205, -368, -330) > 0, shown);  // "1 V"
    QCOMPARE(ink(-195, -105, -368, -330) > 0, shown);  // "1 ms"
    QCOMPARE(ink(-195, -105, -398, -372), 0);          // nothing under the time base
    QCOMPARE(ink(-95, 495, -398, -330), 0);
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
    b.mdi->Mnu_ViewFullScreen->setChecked(pleinEcranCoche);
    ActualiserEcran();
    const QImage dessine = b.image();

    // The same readout printed once, at the panel's size, on the graticule.
    b.mdi->Mnu_ViewFullScreen->setChecked(false);
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
