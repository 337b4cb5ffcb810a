// The spectrum as the scope draws it from the channels: a source, "-CH2",
// the harmonic generator's levels.

#include "BancScope.h"

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
    void harmonicLevelsInTheSpectrum();
};

void tst_SpectreEcran::init()
{
    NiveauxHarmo(0) = NiveauxHarmoAuChargement();
    NiveauxHarmo(1) = NiveauxHarmoAuChargement();
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

void tst_SpectreEcran::harmonicLevelsInTheSpectrum()
{
    // 4 V at 1 V/div with the fundamental at 100 % and the third harmonic at
    // 50 %: lines 400 and 200 units high at 500 and 1500 Hz (one division
    // right of the left edge, then a division further at 1 ms/div, where
    // the spectrum's axis gives 100 units to 1 kHz).
    BancScope b(0);
    NiveauxHarmo(0).Ampli[2] = -500;
    b.source(0, "harmo", 4, 500);
    b.scope->chkFFT->setChecked(true);
    ActualiserEcran();
    const QImage image = b.image();
    QVERIFY(qAbs(boite(image, kJaune, -403, -397).haut - 400) <= 2);
    QVERIFY(qAbs(boite(image, kJaune, -303, -297).haut - 200) <= 2);
    QVERIFY(boite(image, kJaune, -353, -347).haut <= 2); // no second harmonic
}

QTEST_MAIN(tst_SpectreEcran)
#include "tst_spectre_ecran.moc"
