// The bench model tells each change once, to whoever listens, and what the
// sources set in it is there whether a scope window exists or not.

#include "BancScope.h"

#include "bench/frmGBF.h"
#include "bench/frmToolBox.h"
#include "bench/MesureTRMS.h"
#include "evaluation/ModeLibre.h"
#include "platform/Forms.h"
#include "platform/Potentio_Creme.h"
#include "scope/CourbeWavix.h"
#include "scope/Potentiometre.h"
#include "scope/frmWavix.h"
#include "services/FichierINI.h"
#include "services/ModeleBanc.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <functional>

class tst_Modele : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachChangeToldOnce_data();
    void eachChangeToldOnce();
    void aLotTellsOnce();
    void generatorOffsetWithoutAScope();
};

namespace {

// What a row does to the bench, once it is set up.
enum class Geste { BoutonScope, BoutonGenerateur, GlisseGenerateur, Source, FicheScope, FicheSource };

} // namespace

Q_DECLARE_METATYPE(Geste)

void tst_Modele::eachChangeToldOnce_data()
{
    QTest::addColumn<Geste>("geste");
    QTest::addColumn<int>("voie");     // the channel told, -1 for both
    QTest::addColumn<bool>("glisse");  // told as a drag goes
    QTest::newRow("scope's CH2 sensitivity knob") << Geste::BoutonScope << 1 << false;
    QTest::newRow("generator's offset knob let go") << Geste::BoutonGenerateur << 0 << false;
    QTest::newRow("generator's amplitude knob dragged") << Geste::GlisseGenerateur << 0 << true;
    QTest::newRow("a 9 V battery chosen on CH2") << Geste::Source << 1 << false;
    QTest::newRow("scope's CH1 plug") << Geste::FicheScope << kDeuxVoies << false;
    QTest::newRow("generator's lead") << Geste::FicheSource << 0 << false;
}

// One gesture, one signal saying which channel changed: the scope draws
// once for it, and the drag's refresh waits for the frame.
void tst_Modele::eachChangeToldOnce()
{
    QFETCH(Geste, geste);
    QFETCH(int, voie);
    QFETCH(bool, glisse);
    BancScope b(2);
    frmGBF* g = b.generateur(0, true, 50, 0, 100, 0, false);
    QSignalSpy voies(&Modele(), &ModeleBanc::voieChangee);
    QSignalSpy modes(&Modele(), &ModeleBanc::modeChange);
    switch (geste) {
    case Geste::BoutonScope:
        b.scope->setPotentioValue(7, 8);
        ReglerPotentiometre(1, 7);
        break;
    case Geste::BoutonGenerateur:
        g->Potentio[3]->setValue(150);
        g->Potentio_DblClick(3);
        break;
    case Geste::GlisseGenerateur:
        g->Potentio[1]->setValue(4000);
        g->Potentio_MouseMove(1, 1);
        break;
    case Geste::Source: Forms().get<frmToolBox>()->choisir(6); break;
    case Geste::FicheScope: b.scope->basculerFiche(0); break;
    case Geste::FicheSource: g->basculerFiche(0); break;
    }
    QCOMPARE(voies.count(), 1);
    QCOMPARE(voies[0][0].toInt(), voie);
    QCOMPARE(voies[0][1].value<Rythme>() == Rythme::Glissement, glisse);
    QCOMPARE(modes.count(), 0);
}

// The mode and the panel each say so once too, and change no channel.
void tst_Modele::aLotTellsOnce()
{
    BancScope b(2);
    {
        QSignalSpy modes(&Modele(), &ModeleBanc::modeChange);
        QSignalSpy voies(&Modele(), &ModeleBanc::voieChangee);
        ActiverModeLibre(false);
        QCOMPARE(modes.count(), 1);
        QCOMPARE(modes[0][0].toBool(), false);
        QCOMPARE(voies.count(), 0);
        ActiverModeLibre(true);
        QCOMPARE(modes.count(), 2);
    }
    {
        QSignalSpy panneaux(&Oscillo(), &Oscilloscope::panneauChange);
        QSignalSpy voies(&Modele(), &ModeleBanc::voieChangee);
        b.scope->cmdVoie_Click(1);
        QCOMPARE(panneaux.count(), 1);
        QCOMPARE(panneaux[0][0].value<PanneauScope>().mode, ModeVoies::ADD);
        QCOMPARE(voies.count(), 0);
    }
    // Changes made together are told once, at the end, naming both
    // channels when both changed; a drag among them makes it no drag.
    QSignalSpy voies(&Modele(), &ModeleBanc::voieChangee);
    {
        ModeleBanc::Lot lot(Modele());
        Modele().modifierVoie(0, [](EtatVoie& v) { v.Amplitude = 1; }, Rythme::Glissement);
        Modele().modifierVoie(1, [](EtatVoie& v) { v.Amplitude = 2; });
        Modele().modifierVoie(0, [](EtatVoie& v) { v.Amplitude = 3; });
        QCOMPARE(voies.count(), 0);
        QCOMPARE(Banc().voies[0].Amplitude, 3.0);
    }
    QCOMPARE(voies.count(), 1);
    QCOMPARE(voies[0][0].toInt(), kDeuxVoies);
    QVERIFY(voies[0][1].value<Rythme>() == Rythme::Immediat);
}

// The generator sets its own offset and duty in the bench: they are there
// before any scope window exists, and the true-RMS meter's DC position reads
// the offset from them.
void tst_Modele::generatorOffsetWithoutAScope()
{
    TestHome home;
    Session().CheminINI = home.path("ConfQVT_test.ini");
    auto* g = Forms().get<frmGBF>(QStringLiteral("frmGBFA"), 0);
    g->optSignal[0]->setChecked(true);
    g->chkOn->setChecked(true);
    // Knob 130 of 200 with the fine slider at +6: (130 + 3 - 100) / 10 = 3.3 V.
    g->Potentio[3]->setValue(130);
    g->sldReglage[3]->setValue(6);
    g->Potentio[2]->setValue(20); // a 0.2 duty, the knob dragged there
    g->Potentio_MouseMove(2, 1);
    QVERIFY(!Forms().isLoaded(QString::fromLatin1(frmWavix::kNom)));
    const EtatVoie& v = Banc().voies[0];
    QCOMPARE(v.Decalage, 3.3);
    QCOMPARE(v.RapportCyclique, 0.2f);
    EntreesTRMS e;
    e.position = 2; // V DC
    e.mesurable = true;
    e.signal = SignalDeLaVoie(v, NiveauxHarmoniques{});
    QCOMPARE(ValeurTRMS(e), 3.3);
    // Switched off, the generator sets none.
    g->chkOn->setChecked(false);
    QCOMPARE(Banc().voies[0].Decalage, 0.0);
    Forms().unloadAll();
    QVERIFY(!Forms().isLoaded(QString::fromLatin1(frmWavix::kNom)));
}

QTEST_MAIN(tst_Modele)
#include "tst_modele.moc"
