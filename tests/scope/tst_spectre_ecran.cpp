// The spectrum as the scope draws it from the channels: a source, "-CH2",
// the couplings, the harmonic generator's levels.

#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "services/RequetesBanc.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QCheckBox>
#include <QtTest>


class tst_SpectreEcran : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void invertedCh2SpectrumKeepsItsMean_data();
    void invertedCh2SpectrumKeepsItsMean();
    void whatTheInputsCarry_data();
    void whatTheInputsCarry();
    void harmonicLevelsInTheSpectrum();
};

void tst_SpectreEcran::init()
{
    Modele().reglerNiveauxHarmo(0, NiveauxHarmoAuChargement());
    Modele().reglerNiveauxHarmo(1, NiveauxHarmoAuChargement());
}

void tst_SpectreEcran::cleanup()
{
    init();
}

void tst_SpectreEcran::invertedCh2SpectrumKeepsItsMean_data()
{
    QTest::addColumn<bool>("inverse");
    QTest::newRow("CH2") << false;
    QTest::newRow("-CH2") << true;
}

void tst_SpectreEcran::invertedCh2SpectrumKeepsItsMean()
{
    QFETCH(bool, inverse);
    // A 5 V square at 75 % with a +2 V offset has a mean of 4.5 V, whose line
    // is 90 units high at 5 V/div, inverted or not.
    BancScope b(1, 1, 4, inverse);
    b.sensibilite(1, 4);
    b.generateur(1, true, 75, 0, 120, 0, true);
    b.source(1, "Carre", 5, 500);
    b.scope->chkFFT->setChecked(true);
    ActualiserEcran();
    const Boite ligne = boite(b.image(), kVert, -453, -447);
    QVERIFY2(qAbs(ligne.haut - 90) <= 2, qPrintable(QString::number(ligne.haut)));
}

void tst_SpectreEcran::whatTheInputsCarry_data()
{
    QTest::addColumn<int>("mode");   // stored channel mode: 0 CH1, 3 ADD
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<int>("acdc1");  // stored couplings: 0 AC, 1 DC, 2 GND; CH2 3 + the same
    QTest::addColumn<int>("acdc2");
    QTest::addColumn<int>("fondamentale"); // heights of the 1 kHz line and of the DC line
    QTest::addColumn<int>("continu");

    // Both channels: a 2 V sine at 1 kHz on a +1 V offset, at 2 V/div
    // (50 units a volt).
    QTest::newRow("ADD: 4 V and 2 V DC") << 3 << false << 1 << 4 << 200 << 100;
    QTest::newRow("ADD, -CH2: nothing") << 3 << true << 1 << 4 << 0 << 0;
    QTest::newRow("ADD, CH2 grounded") << 3 << false << 1 << 5 << 100 << 50;
    QTest::newRow("ADD, CH2 in AC") << 3 << false << 1 << 3 << 200 << 50;
    QTest::newRow("CH1") << 0 << false << 1 << 4 << 100 << 50;
    QTest::newRow("CH1 grounded") << 0 << false << 2 << 4 << 0 << 0;
}

void tst_SpectreEcran::whatTheInputsCarry()
{
    QFETCH(int, mode);
    QFETCH(bool, inverse);
    QFETCH(int, acdc1);
    QFETCH(int, acdc2);
    QFETCH(int, fondamentale);
    QFETCH(int, continu);
    BancScope b(mode, acdc1, acdc2, inverse);
    for (int voie : {0, 1}) {
        b.sensibilite(voie, 5);
        b.generateur(voie, true, 50, 0, 110, 0, false); // +1 V
        b.source(voie, "Sinus", 2, 1000);
    }
    // 0.5 ms/div: the fundamental one division right of the left edge, the
    // DC line half a division left of it.
    b.baseTemps(9);
    b.scope->chkFFT->setChecked(true);
    ActualiserEcran();
    const QImage image = b.image();
    // The lines stand on CH1's baseline, at 0, in CH1's colour.
    const Boite f = boite(image, kJaune, -403, -397), c = boite(image, kJaune, -453, -447);
    const QString vu = QString("%1 %2").arg(f.haut).arg(c.haut);
    QVERIFY2(qAbs(f.haut - fondamentale) <= 2 && qAbs(c.haut - continu) <= 2, qPrintable(vu));
    // Nothing hangs below it (ADD's labels are in their own colour).
    if (mode == 3)
        QVERIFY2(f.bas >= -2 && c.bas >= -2, qPrintable(QString("%1 %2").arg(f.bas).arg(c.bas)));
}

void tst_SpectreEcran::harmonicLevelsInTheSpectrum()
{
    // 4 V at 1 V/div with the fundamental at 100 % and the third harmonic at
    // 50 %: lines 400 and 200 units high at 500 and 1500 Hz (one division
    // right of the left edge, then a division further at 1 ms/div, where
    // the spectrum's axis gives 100 units to 1 kHz). A constant term of 2 V
    // is a DC line of 200 units half a division left of the fundamental.
    BancScope b(0);
    {
        NiveauxHarmoniques n = NiveauxHarmo(0);
        n.Ampli[2] = -500;
        Modele().reglerNiveauxHarmo(0, n);
    }
    {
        NiveauxHarmoniques n = NiveauxHarmo(0);
        n.X0 = 2;
        Modele().reglerNiveauxHarmo(0, n);
    }
    b.source(0, "harmo", 4, 500);
    b.scope->chkFFT->setChecked(true);
    ActualiserEcran();
    const QImage image = b.image();
    QVERIFY(qAbs(boite(image, kJaune, -403, -397).haut - 400) <= 2);
    QVERIFY(qAbs(boite(image, kJaune, -303, -297).haut - 200) <= 2);
    QVERIFY(boite(image, kJaune, -353, -347).haut <= 2); // no second harmonic
    QVERIFY(qAbs(boite(image, kJaune, -453, -447).haut - 200) <= 2);
}

QTEST_MAIN(tst_SpectreEcran)
#include "tst_spectre_ecran.moc"
