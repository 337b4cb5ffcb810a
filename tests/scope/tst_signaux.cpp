#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "services/RequetesBanc.h"
#include "bench/frmGBF.h"
#include "platform/Forms.h"
#include "scope/CourbeWavix.h"
#include "platform/RVB.h"
#include "scope/Signaux.h"
#include "scope/frmWavix.h"

#include <QtTest>

#include <cmath>

class tst_Signaux : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void sinus_data();
    void sinus();
    void carre_data();
    void carre();
    void triangle_data();
    void triangle();
    void trapeze_data();
    void trapeze();
    void dyn();
    void harmo();
    void zeroOrNegativeFrequency();
    void formeDuMot_data();
    void formeDuMot();
    void valeurSignal();
    void valeurSignalReadsTheRefresh();
    void unconnectedChannelIsFlatAtItsPosition_data();
    void unconnectedChannelIsFlatAtItsPosition();
    void rvb();
};

void tst_Signaux::cleanup()
{
    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Modele().reglerNiveauxHarmo(0, NiveauxHarmoAuChargement());
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& canal) { canal = EtatVoie(); });
}

void tst_Signaux::sinus_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("A");
    QTest::addColumn<double>("phase");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("attendu");
    QTest::newRow("quarter period") << 0.0025 << 100.0 << 2.0 << 0.0 << 1.0 << 3.0;
    QTest::newRow("phase 90 at t = 0") << 0.0 << 50.0 << 2.0 << 90.0 << 1.0 << 3.0;
    QTest::newRow("negative amplitude mirrors") << 0.01 << 25.0 << -3.0 << 0.0 << 0.5 << -2.5;
    QTest::newRow("phase 30 after a sixth") << 1.0 / 600 << 100.0 << 1.0 << 30.0 << 0.0 << 1.0;
    QTest::newRow("half period") << 0.005 << 100.0 << 2.0 << 0.0 << -1.0 << -1.0;
}

void tst_Signaux::sinus()
{
    QFETCH(double, t);
    QFETCH(double, f);
    QFETCH(double, A);
    QFETCH(double, phase);
    QFETCH(double, decalage);
    QFETCH(double, attendu);
    QVERIFY(std::abs(ValeurSinus(t, f, A, phase, 0.3, decalage) - attendu) < 1e-9);
}

void tst_Signaux::carre_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("attendu");
    // 50 Hz, A = 2.
    QTest::newRow("start edge") << 0.0 << 0.0 << 0.0;
    QTest::newRow("first half") << 0.005 << 0.0 << 2.0;
    QTest::newRow("half-period edge") << 0.010 << 0.0 << 0.0;
    QTest::newRow("second half") << 0.015 << 0.0 << -2.0;
    QTest::newRow("negative time wraps") << -0.005 << 0.0 << -2.0;
    QTest::newRow("offset, start") << 0.0 << 1.0 << 1.0;
    QTest::newRow("offset, high") << 0.005 << 1.0 << 3.0;
    QTest::newRow("offset, half") << 0.010 << 1.0 << 1.0;
    QTest::newRow("offset, low") << 0.015 << 1.0 << -1.0;
    QTest::newRow("offset, negative time") << -0.005 << 1.0 << -1.0;
}

void tst_Signaux::carre()
{
    QFETCH(double, t);
    QFETCH(double, decalage);
    QFETCH(double, attendu);
    QCOMPARE(ValeurCarre(t, 50, 2, decalage), attendu);
}

void tst_Signaux::triangle_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("attendu");
    // 50 Hz, A = 2, offset 1.
    QTest::newRow("0") << 0.0 << 1.0;
    QTest::newRow("eighth") << 0.0025 << 2.0;
    QTest::newRow("quarter") << 0.005 << 3.0;
    QTest::newRow("half") << 0.010 << 1.0;
    QTest::newRow("three quarters") << 0.015 << -1.0;
    QTest::newRow("seven eighths") << 0.0175 << 0.0;
    QTest::newRow("period") << 0.020 << 1.0;
}

void tst_Signaux::triangle()
{
    QFETCH(double, t);
    QFETCH(double, attendu);
    QVERIFY(std::abs(ValeurTriangle(t, 50, 2, 1) - attendu) < 1e-9);
    // Continuous around every quarter period.
    for (double q : {0.005, 0.010, 0.015})
        QVERIFY(std::abs(ValeurTriangle(q - 1e-7, 50, 2, 1) - ValeurTriangle(q + 1e-7, 50, 2, 1)) < 1e-3);
}

void tst_Signaux::trapeze_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("montee");
    QTest::addColumn<double>("descente");
    QTest::addColumn<double>("haute");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("attendu");
    // 1 Hz, A = 1. A square of duty 0.25 starts high.
    QTest::newRow("square, high") << 0.1 << 0.0 << 0.0 << 0.25 << 0.0 << 1.0;
    QTest::newRow("square, end of high") << 0.25 << 0.0 << 0.0 << 0.25 << 0.0 << 1.0;
    QTest::newRow("square, low") << 0.3 << 0.0 << 0.0 << 0.25 << 0.0 << -1.0;
    QTest::newRow("square, offset") << 0.9 << 0.0 << 0.0 << 0.25 << 0.5 << -0.5;
    QTest::newRow("square, duty 0.75") << 0.6 << 0.0 << 0.0 << 0.75 << 0.0 << 1.0;
    // A triangle rising for a quarter of the period.
    QTest::newRow("triangle, start at minimum") << 0.0 << 0.25 << 0.75 << 0.0 << 0.0 << -1.0;
    QTest::newRow("triangle, mid-rise") << 0.125 << 0.25 << 0.75 << 0.0 << 0.0 << 0.0;
    QTest::newRow("triangle, top") << 0.25 << 0.25 << 0.75 << 0.0 << 0.0 << 1.0;
    QTest::newRow("triangle, mid-fall") << 0.625 << 0.25 << 0.75 << 0.0 << 0.0 << 0.0;
    QTest::newRow("triangle, offset") << 0.25 << 0.25 << 0.75 << 0.0 << 2.0 << 3.0;
}

void tst_Signaux::trapeze()
{
    QFETCH(double, t);
    QFETCH(double, montee);
    QFETCH(double, descente);
    QFETCH(double, haute);
    QFETCH(double, decalage);
    QFETCH(double, attendu);
    QVERIFY(std::abs(ValeurTrapeze(t, montee, descente, 1, 1, haute, decalage) - attendu) < 1e-9);
}

void tst_Signaux::dyn()
{
    QCOMPARE(ValeurDyn(0, 50, 2), 0.0);
    QVERIFY(std::abs(ValeurDyn(0.005, 50, 2) - 3.0) < 1e-9);   // +1.5 A at a quarter period
    QVERIFY(std::abs(ValeurDyn(0.015, 50, 2) + 3.0) < 1e-9);   // -1.5 A at three quarters
    // sin(2π/8) − 0.3 sin(6π/8) + 0.2 sin(10π/8) at an eighth of the period.
    const double s = std::sqrt(0.5);
    QVERIFY(std::abs(ValeurDyn(0.0025, 50, 1) - (s - 0.3 * s - 0.2 * s)) < 1e-9);
}

void tst_Signaux::harmo()
{
    // At load only the fundamental sounds, at full amplitude.
    for (double t : {0.0, 0.0007, 0.0031})
        QVERIFY(std::abs(ValeurHarmo(NiveauxHarmo(0), t, 100, 4, 0.5) - ValeurSinus(t, 100, 4, 0, 0, 0.5)) < 1e-9);

    NiveauxHarmoniques n = NiveauxHarmo(0);
    n.X0 = 5; // volts, not scaled by A
    Modele().reglerNiveauxHarmo(0, n);
    QVERIFY(std::abs(ValeurHarmo(NiveauxHarmo(0), 0.0007, 100, 4, 0) - (5 + 4 * std::sin(2 * kPi * 0.07))) < 1e-9);
    n.X0 = 0;
    n.Phase[0] = 1; // a quarter turn ahead
    Modele().reglerNiveauxHarmo(0, n);
    QVERIFY(std::abs(ValeurHarmo(NiveauxHarmo(0), 0, 100, 4, 0) - 4.0) < 1e-9);
    n.Phase[0] = 0;
    n.Ampli[2] = -500; // third harmonic at half weight
    n.AmpliMin[1] = 0; // a harmonic whose minimum is 0 is skipped
    n.Ampli[1] = -1000;
    Modele().reglerNiveauxHarmo(0, n);
    const double t = 0.0004;
    QVERIFY(std::abs(ValeurHarmo(NiveauxHarmo(0), t, 100, 2, 0)
                     - (2 * std::sin(2 * kPi * 100 * t) + 1 * std::sin(2 * kPi * 300 * t)))
            < 1e-9);
    // The other channel keeps its own levels.
    QVERIFY(std::abs(ValeurHarmo(NiveauxHarmo(1), t, 100, 2, 0) - ValeurSinus(t, 100, 2, 0, 0, 0)) < 1e-9);
}

void tst_Signaux::zeroOrNegativeFrequency()
{
    // Every sampler answers at once, at the start of the period.
    for (double f : {0.0, -5.0, std::nan("")}) {
        QCOMPARE(ValeurTriangle(0.3, f, 2, 1), 1.0);
        QCOMPARE(ValeurCarre(0.3, f, 2, 1), 1.0);
        QCOMPARE(ValeurTrapeze(0.3, 0, 0, f, 2, 0.5, 1), 3.0);
        QCOMPARE(ValeurTrapeze(0.3, 0.2, 0.1, f, 2, 0, 1), -1.0);
    }
    QCOMPARE(FractionPeriode(1, 2, 0, 0, 0.5), 0.5);
    QCOMPARE(ValeurSinus(0.3, 0, 2, 0, 0, 1), 1.0);
}

void tst_Signaux::formeDuMot_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<int>("forme");
    QTest::newRow("Cc") << "Cc" << int(FormeOnde::Continu);
    QTest::newRow("Sinus") << "Sinus" << int(FormeOnde::Sinus);
    QTest::newRow("Sinusoïdale") << "Sinusoïdale" << int(FormeOnde::Sinus);
    QTest::newRow("SINUSOÏDALE") << "SINUSOÏDALE" << int(FormeOnde::Sinus);
    QTest::newRow("CARRE") << "CARRE" << int(FormeOnde::Carre);
    QTest::newRow("Carrée") << "Carrée" << int(FormeOnde::Carre);
    QTest::newRow("Triangulaire") << "Triangulaire" << int(FormeOnde::Triangle);
    QTest::newRow("Dyn") << "Dyn" << int(FormeOnde::Dyn);
    QTest::newRow("harmo") << "harmo" << int(FormeOnde::Harmo);
    QTest::newRow("with a blank") << "Sinus " << int(FormeOnde::Aucune);
    QTest::newRow("empty") << "" << int(FormeOnde::Aucune);
}

void tst_Signaux::formeDuMot()
{
    QFETCH(QString, mot);
    QFETCH(int, forme);
    QCOMPARE(int(FormeDuMot(mot)), forme);
}

void tst_Signaux::valeurSignal()
{
    // The spot's sampler on the drawing's state, without a window.
    std::array<EtatVoie, 2> voies;
    for (EtatVoie& v : voies)
        v.SourceBranchee = v.EntreeBranchee = true;
    EtatTrace etat;
    etat.panneau.allume = true;
    etat.panneau.couplage = {Couplage::DC, Couplage::DC};
    etat.baseTemps = 0.001;
    auto charger = [&] {
        for (size_t i = 0; i < 2; ++i)
            etat.voies[i] = VoieTraceeDe(voies[i], NiveauxHarmoAuChargement());
    };

    // CH2 inverted, 3 V DC at 1 V/div.
    voies[1].TraceSignal = "Cc";
    voies[1].TraceAmplitude = 3;
    voies[1].Sensibilite = 1;
    voies[1].CouleurTrace = 4227072;
    charger();
    etat.panneau.inverseCH2 = true;
    QCOMPARE(*SignalVoie(etat, 1)(0), -300.0);
    QCOMPARE(SignalVoie(etat, 1).amplitude(), -3.0);
    QCOMPARE(etat.voies[1].couleur, 4227072);
    etat.panneau.inverseCH2 = false;
    QCOMPARE(*SignalVoie(etat, 1)(0), 300.0);

    // A sine, word from the editor: 250 Hz is 4 divisions a period at 1 ms/div,
    // so x = -400 is a quarter period after the left edge.
    voies[0].TraceSignal = "Sinusoïdale";
    voies[0].TraceFrequence = 250;
    voies[0].TraceAmplitude = 2;
    voies[0].Sensibilite = 1;
    voies[0].PositionVerticale = 10;
    voies[0].Decalage = 0.5;
    charger();
    const SignalVoie sinus(etat, 0);
    QVERIFY(std::abs(*sinus(-400) - 260) < 1e-6);
    QVERIFY(std::abs(*sinus(-500) - 60) < 1e-6);
    // x = 500 is ten divisions later: 2.5 periods.
    QVERIFY(std::abs(*sinus(500) - 60) < 1e-6);

    // GND coupling: the position, whatever the word.
    etat.panneau.couplage[0] = Couplage::GND;
    QCOMPARE(*SignalVoie(etat, 0)(-400), 10.0);
    etat.panneau.couplage[0] = Couplage::DC;

    voies[0].TraceSignal = "Bruit";
    charger();
    QVERIFY(!SignalVoie(etat, 0)(0));
    QVERIFY(!SignalVoie(etat, 2)(0));
}

void tst_Signaux::valeurSignalReadsTheRefresh()
{
    // The same sampler on the channels and the panel as they stand.
    BancScope b(0, 1, 4);
    b.source(1, "Cc", 3, 0);
    ActualiserEcran();
    QCOMPARE(*ValeurSignal(1, 0), 300.0);
    const EtatTrace etat = EtatTraceActuel();
    QCOMPARE(SignalVoie(etat, 1).amplitude(), 3.0);
    QCOMPARE(etat.voies[1].couleur, 4227072);
    QVERIFY(!ValeurSignal(2, 0));
}

void tst_Signaux::unconnectedChannelIsFlatAtItsPosition_data()
{
    QTest::addColumn<bool>("fichesGBF");
    QTest::addColumn<bool>("ficheScope");
    QTest::addColumn<bool>("allume");
    QTest::addColumn<double>("aGauche"); // value at the left edge

    // A generator on CH1 at DC coupling with +5 V of offset, the trace 50
    // units up: the offset shows only while the generator feeds the input.
    QTest::newRow("connected") << true << true << true << 550.0;
    QTest::newRow("generator leads out") << false << true << true << 50.0;
    QTest::newRow("scope plug out") << true << false << true << 50.0;
    QTest::newRow("generator off") << true << true << false << 50.0;
}

void tst_Signaux::unconnectedChannelIsFlatAtItsPosition()
{
    QFETCH(bool, fichesGBF);
    QFETCH(bool, ficheScope);
    QFETCH(bool, allume);
    QFETCH(double, aGauche);
    BancScope b(0, 1, 4);
    b.position(0, 50);
    frmGBF* gbf = b.generateur(0, allume, 50, 0, 150, 0, false);
    if (fichesGBF) {
        gbf->basculerFiche(0);
        gbf->basculerFiche(1);
    }
    if (!ficheScope)
        b.scope->basculerFiche(0);
    ActualiserEcran();
    QCOMPARE(*ValeurSignal(0, -500), aGauche);
    if (aGauche != 50)
        return;
    QCOMPARE(SignalVoie(EtatTraceActuel(), 0).decalage(), 0.0);
    // The spot's value and the drawn trace agree: a flat line at the position.
    const QImage image = b.image();
    for (double x : {-450.0, -120.0, 0.0, 310.0}) {
        QCOMPARE(*ValeurSignal(0, x), 50.0);
        QVERIFY(at(image, x, 50, kJaune));
    }
}

void tst_Signaux::rvb()
{
    RVB c;
    c.setCouleur(10135975);
    QCOMPARE(int(c.Rouge()), 167);
    QCOMPARE(int(c.Vert()), 169);
    QCOMPARE(int(c.Bleu()), 154);
    c.setCouleur(4227072);
    QCOMPARE(int(c.Rouge()), 0);
    QCOMPARE(int(c.Vert()), 128);
    QCOMPARE(int(c.Bleu()), 64);
}

QTEST_MAIN(tst_Signaux)
#include "tst_signaux.moc"
