#include "BancScope.h"

#include "services/EtatProgramme.h"
#include "scope/CourbeWavix.h"
#include "scope/Potentiometre.h"
#include "scope/SensibilitesAuto.h"
#include "services/Sensibilite.h"
#include "scope/frmWavix.h"

#include <QAction>
#include <QtTest>

class tst_ReglageAuto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positions_data();
    void positions();
    void sources_data();
    void sources();
    void menuCommand();
};

void tst_ReglageAuto::positions_data()
{
    QTest::addColumn<bool>("temps");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<int>("position");
    QTest::newRow("0 V") << false << 0.0 << 13;
    QTest::newRow("5 mV exactly") << false << 0.005 << 13;
    QTest::newRow("just above 5 mV") << false << 0.0051 << 12;
    QTest::newRow("0.5 V exactly") << false << 0.5 << 7;
    QTest::newRow("1.25 V") << false << 1.25 << 5;
    QTest::newRow("50 V exactly") << false << 50.0 << 1;
    QTest::newRow("above 50 V") << false << 81.3 << 0;
    QTest::newRow("negative") << false << -1.0 << 0;
    QTest::newRow("0 s") << true << 0.0 << 17;
    QTest::newRow("0.1 ms exactly") << true << 0.0001 << 11;
    QTest::newRow("2 ms exactly") << true << 0.002 << 7;
    QTest::newRow("0.2 s exactly") << true << 0.2 << 1;
    QTest::newRow("above 0.2 s") << true << 0.3 << 0;
}

void tst_ReglageAuto::positions()
{
    QFETCH(bool, temps);
    QFETCH(double, valeur);
    QFETCH(int, position);
    QCOMPARE(temps ? PositionBaseTemps(valeur) : PositionSensibilite(valeur), position);
}

void tst_ReglageAuto::sources_data()
{
    QTest::addColumn<int>("optionA"); // toolbox options
    QTest::addColumn<double>("amplitudeA");
    QTest::addColumn<double>("frequenceA");
    QTest::addColumn<int>("optionB");
    QTest::addColumn<double>("amplitudeB");
    QTest::addColumn<double>("frequenceB");
    QTest::addColumn<bool>("libre");
    QTest::addColumn<int>("sensA"); // knob positions; -1: left as it was
    QTest::addColumn<int>("sensB");
    QTest::addColumn<int>("base");

    QTest::newRow("generator 5 V at 1 kHz") << 1 << 5.0 << 1000.0 << 11 << 0.0 << 0.0 << true << 5 << -1 << 11;
    QTest::newRow("generator 2 V peak on CH2") << 0 << 0.0 << 0.0 << 10 << 2.0 << 1000.0 << true << -1 << 7 << 11;
    QTest::newRow("generator at 0 Hz") << 1 << 5.0 << 0.0 << 11 << 0.0 << 0.0 << true << 5 << -1 << 17;
    QTest::newRow("DC supply -12 V") << 2 << -12.0 << 0.0 << 11 << 0.0 << 0.0 << true << 4 << -1 << -1;
    QTest::newRow("DC supply on CH2") << 0 << 0.0 << 0.0 << 9 << 3.0 << 0.0 << true << -1 << 6 << -1;
    QTest::newRow("1.5 V battery") << 3 << 1.5 << 0.0 << 11 << 0.0 << 0.0 << true << 7 << -1 << -1;
    QTest::newRow("4.5 V battery") << 4 << 4.5 << 0.0 << 8 << 1.5 << 0.0 << true << 5 << 7 << -1;
    QTest::newRow("9 V battery on CH2") << 0 << 0.0 << 0.0 << 6 << 9.0 << 0.0 << true << -1 << 4 << -1;
    QTest::newRow("4.5 V battery on CH2") << 0 << 0.0 << 0.0 << 7 << 4.5 << 0.0 << true << -1 << 5 << -1;
    QTest::newRow("mains and generator: the slower") << 12 << 325.3 << 50.0 << 10 << 5.0 << 1000.0 << true << 0 << 5
                                                    << 7;
    QTest::newRow("mains 169.7 V on CH2") << 0 << 0.0 << 0.0 << 13 << 169.7 << 50.0 << true << -1 << 1 << 7;
    QTest::newRow("alternator 2 V") << 14 << 2.0 << 10.0 << 11 << 0.0 << 0.0 << true << 6 << -1 << 5;
    // At -1000 tr/min the wave is turned over: -104.72 Hz and -4.189 V, a
    // peak of 6.283 V in magnitude (2 V/div) and a period of 9.55 ms (1 ms/div),
    // as at +1000 tr/min.
    QTest::newRow("alternator at -1000 tr/min") << 14 << -4.18879 << -104.7198 << 11 << 0.0 << 0.0 << true << 5
                                                << -1 << 8;
    QTest::newRow("alternator at -1000 tr/min on CH2") << 0 << 0.0 << 0.0 << 15 << -4.18879 << -104.7198 << true
                                                       << -1 << 5 << 8;
    QTest::newRow("alternator at rest") << 0 << 0.0 << 0.0 << 15 << 0.0 << 0.0 << true << -1 << 13 << 17;
    // Each channel from its own source: a harmonic generator keeps its
    // channel's sensitivity, a small source on CH2 does not inherit CH1's.
    QTest::newRow("harmonic generator on CH2") << 5 << 9.0 << 0.0 << 17 << 1.0 << 1000.0 << true << 4 << -1 << -1;
    QTest::newRow("harmonic generator on CH1") << 16 << 1.0 << 1000.0 << 11 << 0.0 << 0.0 << true << -1 << -1 << -1;
    QTest::newRow("9 V then 1.5 V") << 5 << 9.0 << 0.0 << 8 << 1.5 << 0.0 << true << 4 << 7 << -1;
    // An evaluation selects no source: only the positions come back.
    QTest::newRow("evaluated mode") << 0 << 5.0 << 1000.0 << 11 << 5.0 << 1000.0 << false << -1 << -1 << -1;
}

void tst_ReglageAuto::sources()
{
    QFETCH(int, optionA);
    QFETCH(double, amplitudeA);
    QFETCH(double, frequenceA);
    QFETCH(int, optionB);
    QFETCH(double, amplitudeB);
    QFETCH(double, frequenceB);
    QFETCH(bool, libre);
    QFETCH(int, sensA);
    QFETCH(int, sensB);
    QFETCH(int, base);
    BancScope b(2);
    frmToolBox* boite = Forms().get<frmToolBox>();
    boite->choisir(optionA);
    boite->choisir(optionB);
    Banc().modeLibre = libre;
    AmplitudeA = amplitudeA;
    FrequenceA = frequenceA;
    AmplitudeB = amplitudeB;
    FrequenceB = frequenceB;
    // Settings to come back from: 10 V/div and 20 mV/div, 50 ms/div, the
    // traces moved.
    b.sensibilite(0, 3);
    b.sensibilite(1, 11);
    b.baseTemps(3);
    b.position(0, 120);
    b.position(1, -80);
    b.horizontale(45);

    SensibilitesAutomatiques();

    QCOMPARE(PositionHorizontale, 0.0);
    QCOMPARE(PositionVerticaleA, 0.0);
    QCOMPARE(PositionVerticaleB, 0.0);
    // The position knobs at their centres: the next touch starts from there.
    for (int i = 2; i <= 4; ++i)
        QCOMPARE(b.scope->potentioValue(i), b.scope->potentioMax(i) / 2);
    ReglerPotentiometre(1, 3);
    QCOMPARE(PositionVerticaleA, 0.0);

    // Each knob shows the setting in force.
    const int attendus[3] = {sensA < 0 ? 3 : sensA, sensB < 0 ? 11 : sensB, base < 0 ? 3 : base};
    QCOMPARE(SensibiliteA, SensibiliteParIndex(attendus[0]));
    QCOMPARE(SensibiliteB, SensibiliteParIndex(attendus[1]));
    QCOMPARE(BaseTemps, BaseTempsParIndex(attendus[2]));
    QCOMPARE(b.scope->potentioValue(6), float(attendus[0]));
    QCOMPARE(b.scope->potentioValue(7), float(attendus[1]));
    QCOMPARE(b.scope->potentioValue(5), float(attendus[2]));
    QCOMPARE(b.scope->panneau().sensibilite[0], attendus[0]);
    QCOMPARE(b.scope->panneau().sensibilite[1], attendus[1]);
    QCOMPARE(b.scope->panneau().baseTemps, attendus[2]);
}

void tst_ReglageAuto::menuCommand()
{
    BancScope b(0);
    Forms().get<frmToolBox>()->choisir(5); // 9 V battery
    b.position(0, 100);
    QAction* commande = b.mdi->Mnu_Reglages;
    ModeProfesseur = true;
    commande->setEnabled(true);
    QVERIFY(commande->isEnabled()); // no longer held back with the commands to come
    commande->trigger();
    QCOMPARE(PositionVerticaleA, 0.0);
    QCOMPARE(SensibiliteA, 5.0);
}

QTEST_MAIN(tst_ReglageAuto)
#include "tst_reglageauto.moc"
