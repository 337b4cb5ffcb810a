#include "BancScope.h"
#include "services/ModeleBanc.h"

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
    void wholeTraceOnScreen_data();
    void wholeTraceOnScreen();
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
    Modele().passerEnModeLibre(libre);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = amplitudeA; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = frequenceA; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Amplitude = amplitudeB; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = frequenceB; });
    // Settings to come back from: 10 V/div and 20 mV/div, 50 ms/div, the
    // traces moved.
    b.sensibilite(0, 3);
    b.sensibilite(1, 11);
    b.baseTemps(3);
    b.position(0, 120);
    b.position(1, -80);
    b.horizontale(45);

    SensibilitesAutomatiques();

    QCOMPARE(Scope().PositionHorizontale, 0.0);
    QCOMPARE(Banc().voies[0].PositionVerticale, 0.0);
    QCOMPARE(Banc().voies[1].PositionVerticale, 0.0);
    // The position knobs at their centres: the next touch starts from there.
    for (int i = 2; i <= 4; ++i)
        QCOMPARE(b.scope->potentioValue(i), b.scope->potentioMax(i) / 2);
    ReglerPotentiometre(1, 3);
    QCOMPARE(Banc().voies[0].PositionVerticale, 0.0);

    // Each knob shows the setting in force.
    const int attendus[3] = {sensA < 0 ? 3 : sensA, sensB < 0 ? 11 : sensB, base < 0 ? 3 : base};
    QCOMPARE(Banc().voies[0].Sensibilite, SensibiliteParIndex(attendus[0]));
    QCOMPARE(Banc().voies[1].Sensibilite, SensibiliteParIndex(attendus[1]));
    QCOMPARE(b.scope->panneau().secondesParDivision(), BaseTempsParIndex(attendus[2]));
    QCOMPARE(b.scope->potentioValue(6), float(attendus[0]));
    QCOMPARE(b.scope->potentioValue(7), float(attendus[1]));
    QCOMPARE(b.scope->potentioValue(5), float(attendus[2]));
    QCOMPARE(b.scope->panneau().sensibilite[0], attendus[0]);
    QCOMPARE(b.scope->panneau().sensibilite[1], attendus[1]);
    QCOMPARE(b.scope->panneau().baseTemps, attendus[2]);
}

void tst_ReglageAuto::wholeTraceOnScreen_data()
{
    QTest::addColumn<QString>("forme"); // the function generator's wave on CH1, at 1 kHz
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("rapport");  // duty knob, %
    QTest::addColumn<double>("decalage"); // offset, volts
    QTest::addColumn<int>("acdc");        // CH1's coupling: 0 AC, 1 DC
    QTest::addColumn<int>("sens");        // knob position: 4 is 5 V/div, 5 2 V/div
    QTest::addColumn<int>("haut");        // the trace's top and bottom, screen units
    QTest::addColumn<int>("bas");

    // The screen is four divisions either side of the centre: the sine
    // reaches 11.86 V in DC, more than 2 V/div's 8 V; at 5 V/div it runs
    // from 0.14 V to 11.86 V, 2.8 to 237.2 units.
    QTest::newRow("sine 5.86 V on +6 V, DC") << "Sinus" << 5.86 << 50.0 << 6.0 << 1 << 4 << 237 << 3;
    // AC takes the 6 V off: +-5.86 V at 2 V/div.
    QTest::newRow("sine 5.86 V on +6 V, AC") << "Sinus" << 5.86 << 50.0 << 6.0 << 0 << 5 << 293 << -293;
    // A 5 V square high 90 % of the period has a 4 V mean: in AC it runs
    // from -9 V to +1 V, from -180 to 20 units at 5 V/div; at 10 % the
    // other way up.
    QTest::newRow("square 5 V at 90 %, AC") << "Carre" << 5.0 << 90.0 << 0.0 << 0 << 4 << 20 << -180;
    QTest::newRow("square 5 V at 10 %, AC") << "Carre" << 5.0 << 10.0 << 0.0 << 0 << 4 << 180 << -20;
    // In DC the square runs from -8.5 V to +1.5 V on a -3.5 V offset, beyond
    // 2 V/div's 8 V: 5 V/div.
    QTest::newRow("square 5 V at 90 % on -3.5 V, DC") << "Carre" << 5.0 << 90.0 << -3.5 << 1 << 4 << 30 << -170;
    QTest::newRow("triangle 3 V on +1.5 V, DC") << "Triangle" << 3.0 << 50.0 << 1.5 << 1 << 5 << 225 << -75;
}

void tst_ReglageAuto::wholeTraceOnScreen()
{
    QFETCH(QString, forme);
    QFETCH(double, amplitude);
    QFETCH(double, rapport);
    QFETCH(double, decalage);
    QFETCH(int, acdc);
    QFETCH(int, sens);
    QFETCH(int, haut);
    QFETCH(int, bas);
    BancScope b(0, acdc);
    // The offset knob gives a tenth of a volt a step from its middle, 100.
    b.generateur(0, true, rapport, 0, 100 + 10 * decalage, 0, forme == "Carre");
    b.source(0, forme.toLatin1().constData(), amplitude, 1000);
    ActualiserEcran();

    SensibilitesAutomatiques();

    QCOMPARE(b.scope->panneau().sensibilite[0], sens);
    const QPair<int, int> trace = extent(b.image(), kJaune, -500, 500);
    const QString vu = QString("%1 %2").arg(trace.first).arg(trace.second);
    QVERIFY2(trace.first <= 400 && trace.second >= -400, qPrintable(vu));
    QVERIFY2(qAbs(trace.first - haut) <= 2 && qAbs(trace.second - bas) <= 2, qPrintable(vu));
}

void tst_ReglageAuto::menuCommand()
{
    BancScope b(0);
    Forms().get<frmToolBox>()->choisir(5); // 9 V battery
    b.position(0, 100);
    QAction* commande = b.mdi->Mnu_Reglages;
    Session().ModeProfesseur = true;
    commande->setEnabled(true);
    QVERIFY(commande->isEnabled()); // no longer held back with the commands to come
    commande->trigger();
    QCOMPARE(Banc().voies[0].PositionVerticale, 0.0);
    QCOMPARE(Banc().voies[0].Sensibilite, 5.0);
}

QTEST_MAIN(tst_ReglageAuto)
#include "tst_reglageauto.moc"
