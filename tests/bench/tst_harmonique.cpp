#include "BancScope.h"

#include "services/FichierINI.h"
#include "services/RequetesBanc.h"
#include "bench/frmGBF.h"
#include "bench/frmHarmonique.h"
#include "bench/frmToolBox.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/PanelBarGraph.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "scope/CourbeWavix.h"
#include "platform/RVB.h"
#include "services/Ondes.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

namespace {

using Liste = QList<int>;

frmHarmonique* harmo(int voie)
{
    return dynamic_cast<frmHarmonique*>(Forms().find(voie == 0 ? "frmHarmoniqueA" : "frmHarmoniqueB"));
}

// The generator of the channel, connected through the toolbox.
frmHarmonique* ouvrir(int voie)
{
    Forms().get<frmToolBox>()->choisir(voie == 0 ? 16 : 17);
    return harmo(voie);
}

// Switched on with both plugs in.
void brancher(frmHarmonique* h)
{
    h->chkOn->setChecked(true);
    h->basculerFiche(0);
    h->basculerFiche(1);
}

// Turns the frequency knob as a drag with the left button does.
void tourner(frmHarmonique* h, float valeur)
{
    h->Potentio[0]->setValue(valeur);
    Q_EMIT h->Potentio[0]->MouseMove(0, 1, 0, 0, 0);
}

Liste valeurs(const std::array<QSlider*, 20>& sliders)
{
    Liste v;
    for (const QSlider* s : sliders)
        v << s->value();
    return v;
}

} // namespace

class tst_Harmonique : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generatorAtLoad();
    void fitsAboveItsTwin();
    void presets_data();
    void presets();
    void summedSignal_data();
    void summedSignal();
    void rectifiedMean_data();
    void rectifiedMean();
    void rectifiedPresetLooksRectified();
    void closingRestoresTheLoadLevels();
    void knobLaw_data();
    void knobLaw();
    void userEditsDeselectPresets_data();
    void userEditsDeselectPresets();
    void powerAndPlugsConnect();
    void writesTheChannelOnlyWhileConnected();
    void menuGoesThroughTheToolbox();
    void traceOnTheScope();
};

void tst_Harmonique::generatorAtLoad()
{
    BancScope b(0);
    for (int voie : {0, 1}) {
        frmHarmonique* h = ouvrir(voie);
        QVERIFY(h && !h->frame()->isHidden());
        QCOMPARE(h->windowTitle(), QStringLiteral("Générateur d'harmoniques - Voie CH%1").arg(voie + 1));
        QCOMPARE(Banc().voies[size_t(voie)].FormeSignal, QStringLiteral("harmo"));
        QCOMPARE(h->lblAmpli[0]->text(), QStringLiteral(" 100"));
        for (int i = 1; i < 20; ++i)
            QCOMPARE(h->lblAmpli[size_t(i)]->text(), QStringLiteral(" 0"));
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(h->lblPhase[size_t(i)]->text(), QStringLiteral("0°"));
            QCOMPARE(h->pgbAmpli[size_t(i)]->value(), i == 0 ? 1000 : 0);
        }
        QCOMPARE(h->findChild<QLabel*>("lblRang(19)")->text(), QStringLiteral("Rang 20"));
        QCOMPARE(h->findChild<QLabel*>("lblH(0)")->text(), QStringLiteral("f"));
        QCOMPARE(h->findChild<QLabel*>("lblH(1)")->text(), QStringLiteral("2f"));
        QCOMPARE(h->lblAmpliX0->text(), QStringLiteral(" 0"));
        QCOMPARE(h->pgbX0->value(), 100);
        // Its level bars are the panel's bar graphs, upright for the
        // harmonics, lying for the mean value; no desktop progress bar.
        QCOMPARE(h->pgbAmpli[0]->orientation(), Qt::Vertical);
        QCOMPARE(h->pgbX0->orientation(), Qt::Horizontal);
        QVERIFY(!h->findChild<QProgressBar*>());
        QCOMPARE(h->lblUnite->text(), QStringLiteral("kHz"));
        QCOMPARE(h->sstHarmo->currentIndex(), 0);
        QCOMPARE(h->sstHarmo->tabText(1), QStringLiteral("Harmoniques de rang 11 à 20"));
        const EtatVoie& v = Banc().voies[size_t(voie)];
        QVERIFY(v.Frequence >= 100 && v.Frequence <= 1199 && v.Frequence == std::floor(v.Frequence));
        QCOMPARE(v.Gamme, 1000.0);
        QVERIFY(v.Amplitude >= 0 && v.Amplitude < 12);
        QCOMPARE(v.Amplitude, h->amplitude());
        QVERIFY(!v.SourceBranchee);
        QVERIFY(!h->chkOn->isChecked());
        QVERIFY(!h->lblFreq->isVisibleTo(h));
        for (const QAbstractButton* o : h->optSignal)
            QVERIFY(!o->isChecked());
        // Switched on, the display shows the frequency in kilohertz.
        h->chkOn->setChecked(true);
        QVERIFY(h->lblFreq->isVisibleTo(h));
        QCOMPARE(h->lblFreq->text(), QString::number(v.Frequence / 1000, 'f', 3));
        QCOMPARE(h->shpFreq[2]->FillColor(), kVertAllume);
        QCOMPARE(h->findChild<Shape*>(voie == 0 ? "shpConnectionGBFA(1)" : "shpConnectionGBFB(1)")->FillColor(),
                 v.CouleurTrace);
    }
}

void tst_Harmonique::fitsAboveItsTwin()
{
    BancScope b(0);
    frmHarmonique* a = ouvrir(0);
    frmHarmonique* c = ouvrir(1);
    QVERIFY(a->Height() <= 4935);
    QCOMPARE(a->Top(), 0.0);
    QCOMPARE(c->Top(), 4935.0);
    QCOMPARE(a->Left(), b.scope->Left() + b.scope->Width());
    // Every harmonic's controls lie inside the window.
    for (int i = 0; i < 20; ++i) {
        const QWidget* s = a->sldAmpli[size_t(i)];
        const QRect r(s->mapTo(a, QPoint(0, 0)), s->size());
        QVERIFY2(a->rect().contains(r), qPrintable(QString::number(i)));
    }
}

void tst_Harmonique::presets_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<Liste>("amplitudes"); // slider values of harmonics 1..20
    QTest::addColumn<Liste>("phases");     // quarter turns
    QTest::addColumn<QString>("pourcent16"); // the label of harmonic 16
    const Liste zero(20, 0);
    QTest::newRow("sine") << 0 << Liste{-1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << zero
                          << " 0";
    QTest::newRow("square") << 1
                            << Liste{-1000, 0, -333, 0, -200, 0, -143, 0, -111, 0,
                                     -91,   0, -77,  0, -67,  0, -59,  0, -53,  0}
                            << zero << " 0";
    QTest::newRow("triangle") << 2
                              << Liste{-1000, 0, -111, 0, -40, 0, -20, 0, -12, 0, -8, 0, -6, 0, -4, 0, -3, 0, -3, 0}
                              << Liste{0, 0, -2, 0, 0, 0, -2, 0, 0, 0, -2, 0, 0, 0, -2, 0, 0, 0, -2, 0} << " 0";
    QTest::newRow("sawtooth") << 3
                              << Liste{-1000, -500, -333, -250, -200, -167, -143, -125, -111, -100,
                                       -91,   -83,  -77,  -71,  -67,  -62,  -59,  -56,  -53,  -50}
                              << Liste{0, -2, 0, -2, 0, -2, 0, -2, 0, -2, 0, -2, 0, -2, 0, -2, 0, -2, 0, -2}
                              << " 6.2"; // 62.5 rounds to the even 62
    QTest::newRow("full-wave rectified")
        << 4 << Liste{0, -333, 0, -67, 0, -29, 0, -16, 0, -10, 0, -7, 0, -5, 0, -4, 0, -3, 0, -3}
        << Liste{0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1} << " .4";
}

void tst_Harmonique::presets()
{
    QFETCH(int, preset);
    QFETCH(Liste, amplitudes);
    QFETCH(Liste, phases);
    QFETCH(QString, pourcent16);
    BancScope b(0);
    for (int voie : {0, 1}) {
        frmHarmonique* h = ouvrir(voie);
        // From another spectrum, so that every slider has to move.
        h->optSignal[preset == 3 ? 2 : 3]->setChecked(true);
        h->optSignal[size_t(preset)]->setChecked(true);
        QCOMPARE(valeurs(h->sldAmpli), amplitudes);
        QCOMPARE(valeurs(h->sldPhase), phases);
        const int x0 = preset == 4 ? MoyenneRedressee(h->amplitude()) : 0;
        QCOMPARE(h->sldX0->value(), x0);
        QCOMPARE(h->lblAmpli[15]->text(), pourcent16);
        // What the scope and the spectrum read.
        const NiveauxHarmoniques& n = NiveauxHarmo(voie);
        QCOMPARE(n.X0, x0);
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(n.Ampli[size_t(i)], amplitudes[i]);
            QCOMPARE(n.AmpliMin[size_t(i)], -1000);
            QCOMPARE(n.Phase[size_t(i)], phases[i]);
            QCOMPARE(h->pgbAmpli[size_t(i)]->value(), std::abs(amplitudes[i]));
            QCOMPARE(h->lblAmpli[size_t(i)]->text().toDouble(), std::abs(amplitudes[i]) / 10.0);
            QCOMPARE(h->lblPhase[size_t(i)]->text(), QString::number(phases[i] * 90) + "°");
        }
    }
}

void tst_Harmonique::summedSignal_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<double>("t");       // in periods
    QTest::addColumn<double>("attendu"); // without the constant term, for A = 2 V
    // Square, a quarter period: the odd weights with alternate signs.
    QTest::newRow("square at T/4") << 1 << 0.25
                                   << 2 * (1 - .333 + .2 - .143 + .111 - .091 + .077 - .067 + .059 - .053);
    QTest::newRow("square at 0") << 1 << 0.0 << 0.0;
    // Triangle: the inverted ranks 3, 7, 11, 15, 19 meet the others at the crest.
    QTest::newRow("triangle at T/4") << 2 << 0.25
                                     << 2 * (1 + .111 + .04 + .02 + .012 + .008 + .006 + .004 + .003 + .003);
    // Sawtooth at T/4: sin(nπ/2) for odd ranks, sin(nπ/2 − π) = 0 for even ones.
    QTest::newRow("sawtooth at T/4") << 3 << 0.25
                                     << 2 * (1 - .333 + .2 - .143 + .111 - .091 + .077 - .067 + .059 - .053);
    // Rectified at 0: every even rank at −90°.
    QTest::newRow("rectified at 0") << 4 << 0.0
                                    << -2 * (.333 + .067 + .029 + .016 + .01 + .007 + .005 + .004 + .003 + .003);
    QTest::newRow("rectified at T/4") << 4 << 0.25
                                      << 2 * (.333 - .067 + .029 - .016 + .01 - .007 + .005 - .004 + .003 - .003);
}

void tst_Harmonique::summedSignal()
{
    QFETCH(int, preset);
    QFETCH(double, t);
    QFETCH(double, attendu);
    BancScope b(0);
    frmHarmonique* h = ouvrir(0);
    h->optSignal[size_t(preset)]->setChecked(true);
    const double f = 250;
    const double v = ValeurHarmo(NiveauxHarmo(0), t / f, f, 2, 0);
    QVERIFY2(qAbs(v - h->sldX0->value() - attendu) < 1e-9, qPrintable(QString::number(v)));
    // The constant term is added in volts whatever the amplitude.
    h->sldX0->setValue(5);
    QVERIFY(qAbs(ValeurHarmo(NiveauxHarmo(0), t / f, f, 2, 0) - 5 - attendu) < 1e-9);
}

void tst_Harmonique::rectifiedMean_data()
{
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<int>("constante");
    // A/2 in whole volts, the mean of the rectified sine.
    QTest::newRow("0 V") << 0.0 << 0;
    QTest::newRow("2.5 V") << 2.5 << 1;
    QTest::newRow("10 V") << 10.0 << 5;
    QTest::newRow("11.999 V") << 11.999 << 6;
}

void tst_Harmonique::rectifiedMean()
{
    QFETCH(double, amplitude);
    QFETCH(int, constante);
    QCOMPARE(MoyenneRedressee(amplitude), constante);
}

// The preset's sum over one period, at the window's own amplitude: a
// rectified sine of peak πA/4 sits on 0 V with its mean A/2. The constant's
// whole volts move it by up to 0.5 V, and twenty harmonics round its cusps
// off by 2.3 % of A.
void tst_Harmonique::rectifiedPresetLooksRectified()
{
    BancScope b(0);
    frmHarmonique* h = ouvrir(0);
    h->optSignal[4]->setChecked(true);
    const double a = h->amplitude();
    const double f = 250;
    const int n = 20000;
    double bas = 1e9, haut = -1e9, somme = 0;
    for (int i = 0; i < n; ++i) {
        const double v = ValeurHarmo(NiveauxHarmo(0), double(i) / n / f, f, a, 0);
        bas = std::min(bas, v);
        haut = std::max(haut, v);
        somme += v;
    }
    const double ecart = 0.5 + 0.025 * a;
    QVERIFY2(std::fabs(bas) <= ecart, qPrintable(QStringLiteral("A %1: min %2").arg(a).arg(bas)));
    QVERIFY2(std::fabs(haut - M_PI * a / 4) <= ecart, qPrintable(QStringLiteral("A %1: max %2").arg(a).arg(haut)));
    QVERIFY2(std::fabs(somme / n - a / 2) <= 0.5, qPrintable(QStringLiteral("A %1: mean %2").arg(a).arg(somme / n)));
}

void tst_Harmonique::closingRestoresTheLoadLevels()
{
    BancScope b(0);
    frmHarmonique* h = ouvrir(1);
    h->optSignal[3]->setChecked(true);
    QCOMPARE(NiveauxHarmo(1).Ampli[1], -500);
    Forms().get<frmToolBox>()->choisir(11);
    QVERIFY(!harmo(1));
    const NiveauxHarmoniques n = NiveauxHarmo(1);
    const NiveauxHarmoniques charge = NiveauxHarmoAuChargement();
    QCOMPARE(n.Ampli, charge.Ampli);
    QCOMPARE(n.Phase, charge.Phase);
    QCOMPARE(n.X0, 0);
}

void tst_Harmonique::knobLaw_data()
{
    QTest::addColumn<int>("gamme");
    QTest::addColumn<float>("cadran");
    QTest::addColumn<int>("fin");
    QTest::addColumn<int>("gammeEnsuite"); // -1: none
    QTest::addColumn<double>("frequence");
    QTest::addColumn<QString>("affiche");
    QTest::addColumn<QString>("unite");
    QTest::newRow("1k with the fine slider") << 2 << 123.4f << 3 << -1 << 126.0 << "0.126" << "kHz";
    QTest::newRow("10k rounds to 10 Hz") << 1 << 123.4f << 3 << -1 << 1260.0 << "01.26" << "kHz";
    QTest::newRow("100k not rounded") << 0 << 123.4f << 3 << -1 << 12640.0 << "012.6" << "kHz";
    QTest::newRow("1 to the millihertz") << 5 << 123.4567f << 0 << -1 << 0.123 << "0.123" << "Hz";
    QTest::newRow("half to even on 1k") << 2 << 500.5f << 0 << -1 << 500.0 << "0.500" << "kHz";
    QTest::newRow("1k to 100 keeps the digits") << 2 << 500.0f << 0 << 3 << 50.0 << "050.0" << "Hz";
    QTest::newRow("never below 0") << 2 << 0.0f << -10 << -1 << 0.0 << "0.000" << "kHz";
}

void tst_Harmonique::knobLaw()
{
    QFETCH(int, gamme);
    QFETCH(float, cadran);
    QFETCH(int, fin);
    QFETCH(int, gammeEnsuite);
    QFETCH(double, frequence);
    QFETCH(QString, affiche);
    QFETCH(QString, unite);
    BancScope b(0);
    for (int voie : {0, 1}) {
        frmHarmonique* h = ouvrir(voie);
        h->optGamme[size_t(gamme)]->setChecked(true);
        h->sldReglage->setValue(4);
        tourner(h, cadran);
        QCOMPARE(h->sldReglage->value(), 0); // the knob resets the fine slider
        if (fin)
            h->sldReglage->setValue(fin);
        if (gammeEnsuite >= 0)
            h->optGamme[size_t(gammeEnsuite)]->setChecked(true);
        // The knob is single precision: 123.4 is 123.40000153.
        QVERIFY2(qAbs(Banc().voies[size_t(voie)].Frequence - frequence) < 1e-3,
                 qPrintable(QString::number(Banc().voies[size_t(voie)].Frequence)));
        QCOMPARE(h->findChild<QLabel*>(voie == 0 ? "lblFreqA" : "lblFreqB")->text(), affiche);
        QCOMPARE(h->lblUnite->text(), unite);
    }
}

void tst_Harmonique::userEditsDeselectPresets_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<bool>("phase"); // a phase slider, else an amplitude slider
    QTest::addColumn<bool>("reste");
    QTest::newRow("amplitude, square") << 1 << false << false;
    QTest::newRow("amplitude, sawtooth") << 3 << false << false;
    QTest::newRow("amplitude, rectified") << 4 << false << true;
    QTest::newRow("phase, sine") << 0 << true << false;
    QTest::newRow("phase, square") << 1 << true << false;
    QTest::newRow("phase, triangle") << 2 << true << true;
    QTest::newRow("phase, rectified") << 4 << true << true;
}

void tst_Harmonique::userEditsDeselectPresets()
{
    QFETCH(int, preset);
    QFETCH(bool, phase);
    QFETCH(bool, reste);
    BancScope b(0);
    frmHarmonique* h = ouvrir(0);
    h->optSignal[size_t(preset)]->setChecked(true);
    QSlider* s = phase ? h->sldPhase[4] : h->sldAmpli[4];
    s->setFocus();
    QTest::keyClick(s, Qt::Key_Right);
    QCOMPARE(h->optSignal[size_t(preset)]->isChecked(), reste);
    QCOMPARE(NiveauxHarmo(0).Ampli[4], h->sldAmpli[4]->value());
    QCOMPARE(NiveauxHarmo(0).Phase[4], h->sldPhase[4]->value());
    // Choosing the preset again writes its spectrum back.
    h->optSignal[size_t(preset)]->click();
    QVERIFY(h->optSignal[size_t(preset)]->isChecked());
    QCOMPARE(h->sldPhase[4]->value(), 0);
}

void tst_Harmonique::powerAndPlugsConnect()
{
    BancScope b(0);
    frmHarmonique* h = ouvrir(0);
    h->chkOn->setChecked(true);
    h->basculerFiche(0);
    QVERIFY(!Banc().voies[0].SourceBranchee); // one plug missing
    QCOMPARE(h->shpFreq[2]->FillColor(), kVertAllume);
    h->basculerFiche(1);
    QVERIFY(Banc().voies[0].SourceBranchee);
    QCOMPARE(h->chkOn->text(), QStringLiteral("Off"));
    QCOMPARE(h->imgOn->toolTip(), QStringLiteral("Générateur allumé"));
    h->chkOn->setChecked(false);
    QVERIFY(!Banc().voies[0].SourceBranchee);
    QCOMPARE(h->shpFreq[2]->FillColor(), kBlancEteint);
    QVERIFY(!h->lblUnite->isVisibleTo(h));
    QCOMPARE(h->imgOn->toolTip(), QStringLiteral("Générateur éteint"));
}

void tst_Harmonique::writesTheChannelOnlyWhileConnected()
{
    BancScope b(0);
    auto* boite = Forms().get<frmToolBox>();
    boite->choisir(1);
    frmGBF* g = dynamic_cast<frmGBF*>(Forms().find("frmGBFA"));
    g->chkOn->setChecked(true);
    g->basculerFiche(0);
    g->basculerFiche(1);
    const double amplitude = Banc().voies[0].Amplitude;
    const double frequence = Banc().voies[0].Frequence;
    QVERIFY(Banc().voies[0].SourceBranchee);

    // A generator that the toolbox has not connected leaves CH1 to its source.
    frmHarmonique* h = Forms().get<frmHarmonique>("frmHarmoniqueA", 0);
    brancher(h);
    tourner(h, 77);
    h->optGamme[0]->setChecked(true);
    QCOMPARE(Banc().voies[0].Amplitude, amplitude);
    QCOMPARE(Banc().voies[0].Frequence, frequence);
    QCOMPARE(Banc().voies[0].Gamme, 1000.0);
    QVERIFY(Banc().voies[0].SourceBranchee);
    QCOMPARE(Banc().voies[0].FormeSignal, QStringLiteral("Sinus"));
    Forms().unload("frmHarmoniqueA");
    QVERIFY(boite->optionChoisie(1)); // its closing leaves the connection alone
    QVERIFY(Forms().isLoaded("frmGBFA"));
}

void tst_Harmonique::menuGoesThroughTheToolbox()
{
    BancScope b(0);
    auto* boite = Forms().get<frmToolBox>();
    QVERIFY(b.mdi->Mnu_Harmo->isEnabled());
    QVERIFY(boite->optConnexion[16]->isEnabled());
    QVERIFY(boite->optConnexion[17]->isEnabled());
    boite->choisir(1);
    b.mdi->Mnu_Harmo->trigger();
    QVERIFY(boite->optionChoisie(16));
    QVERIFY(!Forms().isLoaded("frmGBFA"));
    frmHarmonique* h = harmo(0);
    QVERIFY(h);
    QCOMPARE(Banc().voies[0].FormeSignal, QStringLiteral("harmo"));
    QCOMPARE(Banc().voies[0].Frequence, h->frequence());
    QCOMPARE(Banc().voies[0].Amplitude, h->amplitude());
    // Its close box gives CH1 no source.
    QVERIFY(h->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(boite->optionChoisie(0));
    QCOMPARE(Banc().voies[0].Amplitude, 0.0);
    QVERIFY(!LireINI("Interface", "PosX HarmoA", "").isEmpty());
}

void tst_Harmonique::traceOnTheScope()
{
    BancScope b(0);
    // The generator starts at a random amplitude: here 3 V (and 375 Hz).
    setRandomSource([] { return 0.25; });
    frmHarmonique* h = ouvrir(0);
    QCOMPARE(h->amplitude(), 3.0);
    h->optSignal[1]->setChecked(true);
    QPair<int, int> e = extent(b.image(), kJaune);
    QVERIFY(e.first - e.second <= 2); // switched off: a flat line
    brancher(h);
    e = extent(b.image(), kJaune);
    // The square's crests, Gibbs overshoot included, reach 0.927 A above and
    // below the centre line (sampled: a little less), within the screen.
    const double crete = std::min(0.927 * h->amplitude() * 100, 400.0);
    QVERIFY2(e.first <= crete + 5 && e.first >= 0.9 * crete - 5 && e.second >= -crete - 5
                 && e.second <= -0.9 * crete + 5,
             qPrintable(QStringLiteral("%1 %2 %3").arg(e.first).arg(e.second).arg(crete)));
}

QTEST_MAIN(tst_Harmonique)
#include "tst_harmonique.moc"
