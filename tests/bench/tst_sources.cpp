#include "BancScope.h"

#include "services/FichierINI.h"
#include "bench/frmAlim.h"
#include "bench/frmDyn.h"
#include "bench/frmEDF.h"
#include "bench/frmPile.h"
#include "bench/frmToolBox.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "scope/CourbeWavix.h"
#include "services/Ondes.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>
#include <QtTest>

#include <cmath>

namespace {

template <class T>
T* fenetre(const char* nomA, int voie)
{
    QString nom = QString::fromLatin1(nomA);
    if (voie == 1)
        nom.back() = QLatin1Char('B');
    return dynamic_cast<T*>(Forms().find(nom));
}

void choisir(int option)
{
    Forms().get<frmToolBox>()->choisir(option);
}

void cliquerBorne(VbForm* f, int i)
{
    Q_EMIT control<ImageBox>(f, "imgBorne", i)->Click();
}

// Turns a knob as a drag with the left button does.
void tourner(Potentio_Creme* k, float valeur)
{
    k->setValue(valeur);
    Q_EMIT k->MouseMove(k->Index(), 1, 0, 0, 0);
}

// The DC supply of a channel, on, with COM and the channel's lead on POS.
frmAlim* alimBranchee(int voie)
{
    choisir(voie == 0 ? 2 : 9);
    auto* a = fenetre<frmAlim>("frmAlimA", voie);
    a->chkOnOff->setChecked(true);
    cliquerBorne(a, frmAlim::COM);
    cliquerBorne(a, frmAlim::POS);
    return a;
}

// The window a toolbox option opens.
const char* nomFenetre(int option)
{
    switch (option) {
    case 2: return "frmAlimA";
    case 9: return "frmAlimB";
    case 3: case 4: case 5: return "frmPileA";
    case 6: case 7: case 8: return "frmPileB";
    case 12: return "frmEDFA";
    case 13: return "frmEDFB";
    case 14: return "frmDynA";
    case 15: return "frmDynB";
    default: return "";
    }
}

bool proche(double a, double b, double ecart = 1e-6)
{
    return std::fabs(a - b) <= ecart;
}

} // namespace

class tst_Sources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toolboxOffersTheSources();
    void windowsAtLoad_data();
    void windowsAtLoad();

    void supplyLaw_data();
    void supplyLaw();
    void supplyDoubleClick_data();
    void supplyDoubleClick();
    void supplyPlugsAndSign();
    void supplySwitchAndCurrentKnob();

    void batteryOptions_data();
    void batteryOptions();
    void batteryChangeReopensPositive();

    void mainsRegions_data();
    void mainsRegions();
    void mainsPlugRules_data();
    void mainsPlugRules();
    void mainsSignAndPointer();

    void alternatorLaw_data();
    void alternatorLaw();
    void alternatorFollowsEveryKnobEvent_data();
    void alternatorFollowsEveryKnobEvent();
    void alternatorPlugs();

    void tracesOnScope_data();
    void tracesOnScope();

    void closing_data();
    void closing();
};

void tst_Sources::toolboxOffersTheSources()
{
    BancScope b(0);
    auto* boite = Forms().get<frmToolBox>();
    for (int option : {2, 3, 4, 5, 12, 14, 16, 9, 8, 7, 6, 13, 15, 17})
        QVERIFY2(boite->optConnexion[size_t(option)]->isEnabled(), qPrintable(QString::number(option)));
}

void tst_Sources::windowsAtLoad_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<double>("hautDefaut");
    QTest::addColumn<bool>("branchee");
    QTest::addColumn<QString>("marque"); // lead mark in the channel colour; empty: none
    QTest::newRow("supply CH1") << 2 << "frmAlimA" << "Alimentation stabilisée - Voie CH1" << "Cc" << 0.0 << false
                                << "shpConnectionAlimA";
    QTest::newRow("supply CH2") << 9 << "frmAlimB" << "Alimentation stabilisée - Voie CH2" << "Cc" << 4935.0
                                << false << "shpConnectionAlimB";
    QTest::newRow("battery CH1") << 3 << "frmPileA" << "Pile - Voie CH1" << "Cc" << 0.0 << true << "";
    QTest::newRow("battery CH2") << 6 << "frmPileB" << "Pile - Voie CH2" << "Cc" << 3000.0 << true << "";
    QTest::newRow("mains CH1") << 12 << "frmEDFA" << "Prise du secteur - Voie CH1" << "Sinus" << 0.0 << false << "";
    QTest::newRow("mains CH2") << 13 << "frmEDFB" << "Prise du secteur - Voie CH2" << "Sinus" << 4935.0 << false
                               << "";
    QTest::newRow("alternator CH1") << 14 << "frmDynA" << "Alternateur de bicyclette - Voie CH1" << "Dyn" << 0.0
                                    << false << "shpConnectionDynA";
    QTest::newRow("alternator CH2") << 15 << "frmDynB" << "Alternateur de bicyclette - Voie CH2" << "Dyn" << 4935.0
                                    << false << "shpConnectionDynB";
}

void tst_Sources::windowsAtLoad()
{
    QFETCH(int, option);
    QFETCH(QString, nom);
    QFETCH(QString, titre);
    QFETCH(QString, mot);
    QFETCH(double, hautDefaut);
    QFETCH(bool, branchee);
    QFETCH(QString, marque);
    BancScope b(0);
    const int voie = nom.endsWith('A') ? 0 : 1;
    choisir(option);
    VbForm* f = Forms().find(nom);
    QVERIFY(f && !f->frame()->isHidden());
    QCOMPARE(f->windowTitle(), titre);
    QCOMPARE(Banc().voies[size_t(voie)].FormeSignal, mot);
    QCOMPARE(Banc().voies[size_t(voie)].SourceBranchee, branchee);
    // Just right of the scope, CH2 lower down.
    QCOMPARE(f->Left(), b.scope->Left() + b.scope->Width());
    QCOMPARE(f->Top(), hautDefaut);
    // Each CH1 window fits above its CH2 twin.
    QVERIFY2(f->Height() <= (nom.startsWith("frmPile") ? 3000 : 4935), qPrintable(QString::number(f->Height())));
    for (int i = 0; !marque.isEmpty() && i < 2; ++i)
        QCOMPARE(control<Shape>(f, qPrintable(marque), i)->FillColor(), Banc().voies[size_t(voie)].CouleurTrace);
    // No plug is in at load.
    for (int i = 0; i < 3; ++i)
        if (auto* fiche = control<ImageBox>(f, "imgFiche", i))
            QVERIFY(fiche->isHidden());
}

void tst_Sources::supplyLaw_data()
{
    QTest::addColumn<float>("gros");
    QTest::addColumn<float>("fin"); // -1: the fine knob is not turned
    QTest::addColumn<double>("volts");
    QTest::addColumn<QString>("affiche");
    QTest::newRow("7.25 V") << 725.0f << -1.0f << 7.25 << "7.25";
    QTest::newRow("12.5 V") << 1250.0f << -1.0f << 12.5 << "12.5";
    QTest::newRow("0 V") << 0.0f << -1.0f << 0.0 << "0.00";
    QTest::newRow("just below 10 V shows 10.00") << 999.6f << -1.0f << 9.996 << "10.00";
    QTest::newRow("10 V") << 1000.0f << -1.0f << 10.0 << "10.0";
    QTest::newRow("30 V, knob end") << 3000.0f << -1.0f << 30.0 << "30.0";
    QTest::newRow("fine up") << 1500.0f << 15.0f << 15.5 << "15.5";
    QTest::newRow("fine down") << 500.0f << 3.0f << 4.3 << "4.30";
    QTest::newRow("31 V clamped to 30") << 3000.0f << 20.0f << 30.0 << "30.0";
    QTest::newRow("-0.5 V clamped to 0") << 50.0f << 0.0f << 0.0 << "0.00";
}

void tst_Sources::supplyLaw()
{
    QFETCH(float, gros);
    QFETCH(float, fin);
    QFETCH(double, volts);
    QFETCH(QString, affiche);
    BancScope b(2);
    for (int voie : {0, 1}) {
        frmAlim* a = alimBranchee(voie);
        QCOMPARE(a->Potentio[0]->Max(), 3000.0f);
        QCOMPARE(a->Potentio[1]->Max(), 20.0f);
        a->Potentio[1]->setValue(17);
        tourner(a->Potentio[0], gros);
        QCOMPARE(a->Potentio[1]->Value(), 10.0f); // the coarse knob recentres the fine one
        if (fin >= 0)
            tourner(a->Potentio[1], fin);
        QVERIFY2(proche(Banc().voies[size_t(voie)].Amplitude, volts, 1e-5),
                 qPrintable(QString::number(Banc().voies[size_t(voie)].Amplitude, 'g', 10)));
        QCOMPARE(a->lblAffichage->text(), affiche);
        QVERIFY(!a->lblSigne->isVisibleTo(a));
        QVERIFY(Banc().voies[size_t(voie)].SourceBranchee);
    }
}

void tst_Sources::supplyDoubleClick_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<float>("valeur");
    QTest::addColumn<double>("volts");
    QTest::addColumn<QString>("affiche");
    QTest::newRow("coarse to 15 V") << 0 << 1500.0f << 15.0 << "15.0";
    QTest::newRow("fine to its centre") << 1 << 10.0f << 7.0 << "7.00";
    QTest::newRow("current knob: voltage kept") << 2 << 5.0f << 7.8 << "7.80";
}

void tst_Sources::supplyDoubleClick()
{
    QFETCH(int, index);
    QFETCH(float, valeur);
    QFETCH(double, volts);
    QFETCH(QString, affiche);
    BancScope b(0);
    frmAlim* a = alimBranchee(0);
    tourner(a->Potentio[0], 700);
    tourner(a->Potentio[1], 18); // 7.8 V
    tourner(a->Potentio[2], 9);
    Q_EMIT a->Potentio[size_t(index)]->DblClick(index);
    QCOMPARE(a->Potentio[size_t(index)]->Value(), valeur);
    // The reset knob gives its voltage at once, as a turn does.
    QVERIFY(proche(Banc().voies[0].Amplitude, volts));
    QCOMPARE(a->lblAffichage->text(), affiche);
    if (index == 0)
        QCOMPARE(a->Potentio[1]->Value(), 10.0f);
}

void tst_Sources::supplyPlugsAndSign()
{
    BancScope b(0);
    choisir(2);
    auto* a = fenetre<frmAlim>("frmAlimA", 0);
    a->chkOnOff->setChecked(true);
    tourner(a->Potentio[0], 620);
    cliquerBorne(a, frmAlim::COM);
    QVERIFY(!Banc().voies[0].SourceBranchee);
    cliquerBorne(a, frmAlim::NEG);
    QVERIFY(Banc().voies[0].SourceBranchee);
    QVERIFY(proche(Banc().voies[0].Amplitude, -6.2));
    QCOMPARE(a->lblAffichage->text(), QStringLiteral("6.20"));
    QVERIFY(a->lblSigne->isVisibleTo(a));

    // Plugging POS takes the lead off NEG, and the reverse.
    cliquerBorne(a, frmAlim::POS);
    QVERIFY(a->fichePlacee(frmAlim::POS) && !a->fichePlacee(frmAlim::NEG));
    QVERIFY(proche(Banc().voies[0].Amplitude, 6.2));
    QVERIFY(!a->lblSigne->isVisibleTo(a));
    cliquerBorne(a, frmAlim::NEG);
    QVERIFY(a->fichePlacee(frmAlim::NEG) && !a->fichePlacee(frmAlim::POS));
    QVERIFY(proche(Banc().voies[0].Amplitude, -6.2));
    // The sign goes with digits that are not all zeros.
    tourner(a->Potentio[0], 0.4f);
    QCOMPARE(a->lblAffichage->text(), QStringLiteral("0.00"));
    QVERIFY(!a->lblSigne->isVisibleTo(a));
    tourner(a->Potentio[0], 0.5f);
    QCOMPARE(a->lblAffichage->text(), QStringLiteral("0.01"));
    QVERIFY(a->lblSigne->isVisibleTo(a));
    tourner(a->Potentio[0], 620);

    // Pulling the NEG plug itself: positive again, no sign, not connected.
    Q_EMIT control<ImageBox>(a, "imgFiche", frmAlim::NEG)->Click();
    QVERIFY(!a->fichePlacee(frmAlim::NEG));
    QVERIFY(proche(Banc().voies[0].Amplitude, 6.2));
    QVERIFY(!a->lblSigne->isVisibleTo(a));
    QVERIFY(!Banc().voies[0].SourceBranchee);
}

void tst_Sources::supplySwitchAndCurrentKnob()
{
    BancScope b(0);
    choisir(2);
    auto* a = fenetre<frmAlim>("frmAlimA", 0);
    QVERIFY(Banc().voies[0].Amplitude >= 0 && Banc().voies[0].Amplitude <= 30);
    QVERIFY(proche(a->Potentio[0]->Value(), Banc().voies[0].Amplitude * 100, 1e-2));
    QCOMPARE(a->Potentio[1]->Value(), 10.0f);
    QCOMPARE(a->Potentio[2]->Max(), 10.0f); // its printed scale "0 10 A"
    QCOMPARE(a->chkOnOff->text(), QStringLiteral("On"));
    QVERIFY(!a->lblAffichage->isVisibleTo(a) && !a->lblLEDCourant->isVisibleTo(a));
    cliquerBorne(a, frmAlim::COM);
    cliquerBorne(a, frmAlim::NEG);
    // Off: a turn sets the channel's voltage, which stays undelivered; the
    // dark display shows no lone minus sign.
    tourner(a->Potentio[0], 450);
    QVERIFY(proche(Banc().voies[0].Amplitude, -4.5));
    QVERIFY(!Banc().voies[0].SourceBranchee);
    QVERIFY(!a->lblSigne->isVisibleTo(a));
    a->chkOnOff->setChecked(true);
    QCOMPARE(a->chkOnOff->text(), QStringLiteral("Off"));
    QCOMPARE(a->imgOn->picture(), QStringLiteral(":/scope/power_on.svg"));
    QVERIFY(Banc().voies[0].SourceBranchee);
    QCOMPARE(a->lblAffichage->text(), QStringLiteral("4.50"));
    QCOMPARE(a->lblLEDCourant->text(), QStringLiteral("0.00"));
    QVERIFY(a->lblSigne->isVisibleTo(a));
    // The current knob changes neither the voltage nor its sign.
    tourner(a->Potentio[2], 7);
    QVERIFY(proche(Banc().voies[0].Amplitude, -4.5));
    // A drag with another button does nothing.
    a->Potentio[0]->setValue(2000);
    Q_EMIT a->Potentio[0]->MouseMove(0, 2, 0, 0, 0);
    QVERIFY(proche(Banc().voies[0].Amplitude, -4.5));
    a->chkOnOff->setChecked(false);
    QVERIFY(!Banc().voies[0].SourceBranchee);
    QVERIFY(!a->lblSigne->isVisibleTo(a) && !a->lblAffichage->isVisibleTo(a));
}

void tst_Sources::batteryOptions_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("voie");
    QTest::addColumn<double>("volts");
    QTest::addColumn<QString>("image");
    QTest::newRow("1.5 V CH1") << 3 << 0 << 1.5 << ":/bench/pile_15.svg";
    QTest::newRow("4.5 V CH1") << 4 << 0 << 4.5 << ":/bench/pile_45.svg";
    QTest::newRow("9 V CH1") << 5 << 0 << 9.0 << ":/bench/pile_9.svg";
    QTest::newRow("1.5 V CH2") << 8 << 1 << 1.5 << ":/bench/pile_15.svg";
    QTest::newRow("4.5 V CH2") << 7 << 1 << 4.5 << ":/bench/pile_45.svg";
    QTest::newRow("9 V CH2") << 6 << 1 << 9.0 << ":/bench/pile_9.svg";
}

void tst_Sources::batteryOptions()
{
    QFETCH(int, option);
    QFETCH(int, voie);
    QFETCH(double, volts);
    QFETCH(QString, image);
    BancScope b(2);
    const EtatVoie& v = Banc().voies[size_t(voie)];
    choisir(option);
    auto* p = fenetre<frmPile>("frmPileA", voie);
    QCOMPARE(v.Amplitude, volts);
    QCOMPARE(v.Frequence, 0.0);
    QVERIFY(v.SourceBranchee);
    QCOMPARE(p->imgPile->picture(), image);
    // The picture stands in the middle of the window's height.
    QVERIFY(qAbs(p->imgPile->y() + p->imgPile->height() / 2 - p->height() / 2) <= 1);
    QCOMPARE(p->optPolarite[0]->text(), voie == 0 ? QStringLiteral("Borne positive sur voie CH1")
                                                   : QStringLiteral("Borne positive sur voie CH2"));
    QVERIFY(p->optPolarite[0]->isChecked());

    p->optPolarite[1]->setChecked(true);
    QCOMPARE(v.Amplitude, -volts);
    // Coming back to the window keeps the terminal chosen.
    p->Form_Activate();
    QCOMPARE(v.Amplitude, -volts);
    p->optPolarite[0]->setChecked(true);
    QCOMPARE(v.Amplitude, volts);
    QCOMPARE(Banc().voies[size_t(1 - voie)].Amplitude, 0.0); // the other channel is not touched
}

void tst_Sources::batteryChangeReopensPositive()
{
    BancScope b(0);
    choisir(3);
    fenetre<frmPile>("frmPileA", 0)->optPolarite[1]->setChecked(true);
    QCOMPARE(Banc().voies[0].Amplitude, -1.5);
    choisir(4);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* p = fenetre<frmPile>("frmPileA", 0);
    QVERIFY(p->optPolarite[0]->isChecked());
    QCOMPARE(p->Polarite, 1);
    QCOMPARE(Banc().voies[0].Amplitude, 4.5);
    QVERIFY(Banc().voies[0].SourceBranchee);
}

void tst_Sources::mainsRegions_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<QString>("legende");
    QTest::addColumn<double>("crete");
    QTest::addColumn<double>("frequence");
    QTest::newRow("Europe") << 0 << "Europe" << 325.3 << 50.0;
    QTest::newRow("North America") << 1 << "Amérique du Nord" << 169.7056 << 60.0;
    QTest::newRow("Japan") << 2 << "Japon" << 141.4214 << 60.0;
}

void tst_Sources::mainsRegions()
{
    QFETCH(int, region);
    QFETCH(QString, legende);
    QFETCH(double, crete);
    QFETCH(double, frequence);
    BancScope b(2);
    for (int voie : {0, 1}) {
        const EtatVoie& v = Banc().voies[size_t(voie)];
        choisir(voie == 0 ? 12 : 13);
        auto* e = fenetre<frmEDF>("frmEDFA", voie);
        QCOMPARE(v.Amplitude, 0.0);
        QCOMPARE(v.Frequence, 50.0);
        QCOMPARE(e->optWorld[size_t(region)]->text(), legende);
        // Chosen before the plugs: the frequency at once, the voltage once live.
        e->optWorld[size_t(region)]->setChecked(true);
        QCOMPARE(v.Frequence, frequence);
        QVERIFY(!v.SourceBranchee);
        cliquerBorne(e, frmEDF::Neutre);
        cliquerBorne(e, frmEDF::Phase);
        QVERIFY(v.SourceBranchee);
        QCOMPARE(v.Amplitude, crete);
        // Another region applies at once.
        e->optWorld[size_t((region + 1) % 3)]->setChecked(true);
        QCOMPARE(v.Amplitude, frmEDF::kRegions[size_t((region + 1) % 3)].crete);
        e->optWorld[size_t(region)]->setChecked(true);
        QCOMPARE(v.Amplitude, crete);
        QCOMPARE(v.Frequence, frequence);
    }
}

void tst_Sources::mainsPlugRules_data()
{
    QTest::addColumn<QString>("clics");   // terminals clicked in turn: N, P, T
    QTest::addColumn<QString>("fiches");  // plugs in afterwards
    QTest::addColumn<bool>("branchee");
    QTest::addColumn<double>("volts");
    QTest::newRow("neutral and phase") << "NP" << "NP" << true << 325.3;
    QTest::newRow("phase and earth") << "PT" << "PT" << true << 325.3;
    QTest::newRow("neutral and earth: flat") << "NT" << "NT" << true << 0.0;
    QTest::newRow("earth pushes out phase") << "NPT" << "NT" << true << 0.0;
    QTest::newRow("neutral pushes out earth") << "PTN" << "NP" << true << 325.3;
    QTest::newRow("phase pushes out neutral") << "TNP" << "PT" << true << 325.3;
    QTest::newRow("one plug: amplitude kept") << "NPN" << "P" << false << 325.3;
    QTest::newRow("nothing") << "" << "" << false << 0.0;
}

void tst_Sources::mainsPlugRules()
{
    QFETCH(QString, clics);
    QFETCH(QString, fiches);
    QFETCH(bool, branchee);
    QFETCH(double, volts);
    BancScope b(0);
    choisir(12);
    auto* e = fenetre<frmEDF>("frmEDFA", 0);
    const QString bornes = "NPT";
    for (QChar c : clics)
        cliquerBorne(e, int(bornes.indexOf(c)));
    QString en;
    for (int i = 0; i < 3; ++i)
        if (e->fichePlacee(i))
            en += bornes[i];
    QCOMPARE(en, fiches);
    QCOMPARE(Banc().voies[0].SourceBranchee, branchee);
    QCOMPARE(Banc().voies[0].Amplitude, volts);
    // Neutral and earth stay flat whatever the region.
    e->optWorld[2]->setChecked(true);
    QCOMPARE(Banc().voies[0].Amplitude, fiches == "NT" ? 0.0 : 141.4214);
    QCOMPARE(Banc().voies[0].Frequence, 60.0);
}

void tst_Sources::mainsSignAndPointer()
{
    BancScope b(0);
    b.mdi->show(); // mouse events reach shown windows only
    for (int voie : {0, 1}) {
        choisir(voie == 0 ? 12 : 13);
        auto* e = fenetre<frmEDF>("frmEDFA", voie);
        QCOMPARE(e->Timer1.Interval(), 400);
        QVERIFY(e->Timer1.Enabled());
        const bool visible = !e->imgLogo->isHidden();
        e->Timer1_Timer();
        QCOMPARE(!e->imgLogo->isHidden(), !visible);
        e->Timer1_Timer();
        QCOMPARE(!e->imgLogo->isHidden(), visible);

        // Over a terminal the pointer is a plug; over the window it is the usual one.
        auto* borne = control<ImageBox>(e, "imgBorne", 1);
        QMouseEvent survol(QEvent::MouseMove, QPointF(5, 5), borne->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                           Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(borne, &survol);
        QVERIFY(e->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(e->cursor().shape(), Qt::BitmapCursor);
        QMouseEvent appui(QEvent::MouseButtonPress, QPointF(5, 5), borne->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(borne, &appui);
        // Only the CH2 socket gives the usual pointer back on a press.
        QCOMPARE(e->testAttribute(Qt::WA_SetCursor), voie == 0);
        QMouseEvent fond(QEvent::MouseMove, QPointF(280, 150), e->mapToGlobal(QPointF(280, 150)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &fond);
        QVERIFY(!e->testAttribute(Qt::WA_SetCursor));
    }
}

void tst_Sources::alternatorLaw_data()
{
    QTest::addColumn<float>("vitesse");
    QTest::addColumn<float>("fin");
    QTest::addColumn<QString>("affiche");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("amplitude");
    QTest::newRow("start 1000") << 1000.0f << 100.0f << "1000 tours/min" << 104.7197551 << 4.1887902;
    QTest::newRow("stopped") << 0.0f << 100.0f << "0 tours/min" << 0.0 << 0.0;
    QTest::newRow("knob end 2500") << 2500.0f << 100.0f << "2500 tours/min" << 261.7993878 << 10.4719755;
    QTest::newRow("both ends") << 2500.0f << 200.0f << "2510 tours/min" << 262.8465853 << 10.5138634;
    QTest::newRow("stopped, fine below centre") << 0.0f << 0.0f << "-10 tours/min" << -1.0471976 << -0.0418879;
    QTest::newRow("fine +5") << 600.0f << 150.0f << "605 tours/min" << 63.3554518 << 2.5342181;
}

void tst_Sources::alternatorLaw()
{
    QFETCH(float, vitesse);
    QFETCH(float, fin);
    QFETCH(QString, affiche);
    QFETCH(double, frequence);
    QFETCH(double, amplitude);
    BancScope b(2);
    for (int voie : {0, 1}) {
        choisir(voie == 0 ? 14 : 15);
        auto* d = fenetre<frmDyn>("frmDynA", voie);
        auto* vitesseK = d->Potentio[0];
        auto* finK = d->Potentio[1];
        // Press the speed knob and turn it, then the fine knob.
        vitesseK->setValue(vitesse);
        Q_EMIT vitesseK->MouseDown(0, 1, 0, 0, 0);
        tourner(finK, fin);
        QCOMPARE(d->lblVitesse->text(), affiche);
        QVERIFY2(proche(Banc().voies[size_t(voie)].Frequence, frequence),
                 qPrintable(QString::number(Banc().voies[size_t(voie)].Frequence, 'g', 12)));
        QVERIFY(proche(Banc().voies[size_t(voie)].Amplitude, amplitude));
    }
}

void tst_Sources::alternatorFollowsEveryKnobEvent_data()
{
    QTest::addColumn<QString>("evenement");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("affiche");
    QTest::newRow("press on the speed knob recentres the fine one") << "press" << 0 << "1500 tours/min";
    QTest::newRow("drag of the speed knob") << "drag" << 0 << "1508 tours/min";
    QTest::newRow("release of the speed knob") << "release" << 0 << "1508 tours/min";
    QTest::newRow("drag of the fine knob") << "drag" << 1 << "1008 tours/min";
    QTest::newRow("release of the fine knob") << "release" << 1 << "1008 tours/min";
    QTest::newRow("double-click resets the fine knob") << "double" << 1 << "1000 tours/min";
}

void tst_Sources::alternatorFollowsEveryKnobEvent()
{
    QFETCH(QString, evenement);
    QFETCH(int, index);
    QFETCH(QString, affiche);
    BancScope b(0);
    choisir(14);
    auto* d = fenetre<frmDyn>("frmDynA", 0);
    d->Potentio[1]->setValue(180); // +8 rpm, not yet applied
    if (index == 0)
        d->Potentio[0]->setValue(1500);
    Potentio_Creme* k = d->Potentio[size_t(index)];
    if (evenement == "double") {
        Q_EMIT k->MouseMove(index, 1, 0, 0, 0);
        QCOMPARE(d->lblVitesse->text(), QStringLiteral("1008 tours/min"));
    }
    if (evenement == "press")
        Q_EMIT k->MouseDown(index, 1, 0, 0, 0);
    else if (evenement == "drag")
        Q_EMIT k->MouseMove(index, 1, 0, 0, 0);
    else if (evenement == "release")
        Q_EMIT k->MouseUp(index, 1, 0, 0, 0);
    else
        Q_EMIT k->DblClick(index);
    QCOMPARE(d->lblVitesse->text(), affiche);
    // The channel carries the speed the label shows.
    const double tours = affiche.section(' ', 0, 0).toDouble();
    QVERIFY(proche(Banc().voies[0].Frequence, 2 * 3.14159265358979 * tours / 60));
    QVERIFY(proche(Banc().voies[0].Amplitude, Banc().voies[0].Frequence / 25));
    // Hovering without a button changes nothing.
    d->Potentio[1]->setValue(0);
    Q_EMIT d->Potentio[1]->MouseMove(1, 0, 0, 0, 0);
    QCOMPARE(d->lblVitesse->text(), affiche);
}

void tst_Sources::alternatorPlugs()
{
    BancScope b(0);
    choisir(14);
    auto* d = fenetre<frmDyn>("frmDynA", 0);
    QCOMPARE(d->lblVitesse->text(), QStringLiteral("1000 tours/min"));
    QVERIFY(proche(Banc().voies[0].Frequence, 104.7197551));
    cliquerBorne(d, 0);
    QVERIFY(!Banc().voies[0].SourceBranchee);
    cliquerBorne(d, 1);
    QVERIFY(Banc().voies[0].SourceBranchee);
    // The plugs let a click through to their terminal.
    QVERIFY(control<ImageBox>(d, "imgFiche", 0)->testAttribute(Qt::WA_TransparentForMouseEvents));
    cliquerBorne(d, 0);
    QVERIFY(!d->fichePlacee(0));
    QVERIFY(!Banc().voies[0].SourceBranchee);
}

void tst_Sources::tracesOnScope_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("couplage"); // 0 AC, 1 DC
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("haut");
    QTest::addColumn<int>("bas");
    // 4.5 divisions: the trace is moved 2 divisions towards the middle to be
    // on the screen. AC coupling blocks a DC level: the line lies on the
    // channel's position.
    QTest::newRow("4.5 V battery, DC") << "pile+" << 1 << -200.0 << 250 << 250;
    QTest::newRow("4.5 V battery, AC") << "pile+" << 0 << -200.0 << -200 << -200;
    QTest::newRow("supply on NEG, 3.2 V, AC") << "alim" << 0 << 0.0 << 0 << 0;
    QTest::newRow("4.5 V battery reversed") << "pile-" << 1 << 200.0 << -250 << -250;
    QTest::newRow("supply on NEG, 3.2 V") << "alim" << 1 << 0.0 << -320 << -320;
    QTest::newRow("mains, Europe") << "edf" << 1 << 0.0 << 325 << -325;
    QTest::newRow("mains, neutral and earth") << "edf0" << 1 << 0.0 << 0 << 0;
    QTest::newRow("alternator, 1000 rpm") << "dyn" << 1 << 0.0 << int(std::lround(CreteDyn() * 418.87902 / 2))
                                          << 0;
}

void tst_Sources::tracesOnScope()
{
    QFETCH(QString, source);
    QFETCH(int, couplage);
    QFETCH(double, position);
    QFETCH(int, haut);
    QFETCH(int, bas);
    BancScope b(0, couplage);
    b.position(0, position);
    if (source.startsWith("pile")) {
        choisir(4);
        if (source == "pile-")
            fenetre<frmPile>("frmPileA", 0)->optPolarite[1]->setChecked(true);
    } else if (source == "alim") {
        choisir(2);
        auto* a = fenetre<frmAlim>("frmAlimA", 0);
        a->chkOnOff->setChecked(true);
        cliquerBorne(a, frmAlim::COM);
        cliquerBorne(a, frmAlim::NEG);
        tourner(a->Potentio[0], 320);
    } else if (source.startsWith("edf")) {
        b.sensibilite(0, 0); // 100 V/div
        b.baseTemps(6);      // 5 ms/div
        choisir(12);
        auto* e = fenetre<frmEDF>("frmEDFA", 0);
        cliquerBorne(e, frmEDF::Neutre);
        cliquerBorne(e, source == "edf" ? frmEDF::Phase : frmEDF::Terre);
    } else {
        b.baseTemps(7);      // 2 ms/div
        b.sensibilite(0, 5); // 2 V/div
        choisir(14);
        auto* d = fenetre<frmDyn>("frmDynA", 0);
        cliquerBorne(d, 0);
        cliquerBorne(d, 1);
    }
    QVERIFY(Banc().voies[0].SourceBranchee);
    const auto [h, l] = extent(b.image(), kJaune);
    if (source == "dyn") {
        QVERIFY2(qAbs(h - haut) <= 2 && qAbs(l + haut) <= 2, qPrintable(QString("%1 %2").arg(h).arg(l)));
    } else {
        QVERIFY2(qAbs(h - haut) <= 2 && qAbs(l - bas) <= 2, qPrintable(QString("%1 %2").arg(h).arg(l)));
    }
    if (source == "edf") {
        // 50 Hz at 5 ms/div: one period every 4 divisions, so crests 400 apart.
        int premiere = -10000;
        for (int x = -480; x <= 480 && premiere < -1000; ++x)
            if (at(b.image(), x, 324, kJaune))
                premiere = x;
        QVERIFY(premiere > -1000);
        QVERIFY(premiere + 400 <= 480);
        QVERIFY(at(b.image(), premiere + 400, 324, kJaune) || at(b.image(), premiere + 401, 324, kJaune));
        QVERIFY(!at(b.image(), premiere + 200, 324, kJaune));
    }
}

void tst_Sources::closing_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("comment"); // close box, another source, none
    QTest::addColumn<int>("choisie");     // option selected afterwards
    QTest::addColumn<bool>("branchee");   // the channel still delivers
    QTest::addColumn<double>("volts");
    QTest::newRow("supply, close box") << 2 << "close" << 0 << false << 0.0;
    QTest::newRow("supply CH2, close box") << 9 << "close" << 11 << false << 0.0;
    QTest::newRow("supply, another source") << 2 << "other" << 1 << false << -1.0;
    QTest::newRow("battery, close box: kept") << 5 << "close" << 5 << true << 9.0;
    QTest::newRow("battery CH2, close box: kept") << 7 << "close" << 7 << true << 4.5;
    QTest::newRow("battery, none") << 4 << "none" << 0 << false << 0.0;
    QTest::newRow("battery, another battery") << 4 << "other" << 3 << true << 1.5;
    QTest::newRow("mains, close box") << 12 << "close" << 0 << false << 0.0;
    QTest::newRow("mains CH2, close box") << 13 << "close" << 11 << false << 0.0;
    QTest::newRow("alternator, close box") << 14 << "close" << 0 << false << 0.0;
    QTest::newRow("alternator CH2, close box") << 15 << "close" << 11 << false << 0.0;
    QTest::newRow("alternator CH2, another source") << 15 << "other" << 10 << false << -1.0;
}

void tst_Sources::closing()
{
    QFETCH(int, option);
    QFETCH(QString, comment);
    QFETCH(int, choisie);
    QFETCH(bool, branchee);
    QFETCH(double, volts);
    BancScope b(2);
    auto* boite = Forms().get<frmToolBox>();
    const int voie = option >= 6 && option != 12 && option != 14 && option != 16 ? 1 : 0;
    // CH1 carries a source of its own that must not be touched by CH2.
    if (voie == 1)
        choisir(3);
    choisir(option);
    const QString nom = QString::fromLatin1(nomFenetre(option));
    VbForm* f = Forms().find(nom);
    QVERIFY(f);
    // Deliver something first where the source needs plugs.
    if (auto* d = dynamic_cast<frmDyn*>(f)) {
        cliquerBorne(d, 0);
        cliquerBorne(d, 1);
    } else if (auto* e = dynamic_cast<frmEDF*>(f)) {
        cliquerBorne(e, frmEDF::Neutre);
        cliquerBorne(e, frmEDF::Phase);
    } else if (auto* a = dynamic_cast<frmAlim*>(f)) {
        a->chkOnOff->setChecked(true);
        cliquerBorne(a, frmAlim::COM);
        cliquerBorne(a, frmAlim::POS);
    }
    QVERIFY(Banc().voies[size_t(voie)].SourceBranchee);
    f->Move(4200, 600);

    if (comment == "close")
        QVERIFY(f->close());
    else if (comment == "none")
        choisir(voie == 0 ? 0 : 11);
    else
        choisir(choisie);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const bool garde = comment == "other" && nom.startsWith("frmPile");
    QCOMPARE(Forms().isLoaded(nom), garde);
    QVERIFY(boite->optionChoisie(choisie));
    const EtatVoie& v = Banc().voies[size_t(voie)];
    QCOMPARE(v.SourceBranchee, branchee);
    if (volts >= 0)
        QCOMPARE(v.Amplitude, volts);
    if (voie == 1) {
        QVERIFY(boite->optionChoisie(3));
        QCOMPARE(Banc().voies[0].Amplitude, 1.5);
        QVERIFY(Banc().voies[0].SourceBranchee);
    }
    // The place is kept for the next opening.
    QCOMPARE(LireINI("Interface", QString("PosX %1").arg(nom.mid(3)), ""), QStringLiteral("4200"));
    QCOMPARE(LireINI("Interface", QString("PosY %1").arg(nom.mid(3)), ""), QStringLiteral("600"));
}

QTEST_MAIN(tst_Sources)
#include "tst_sources.moc"
