// What an AC-coupled input blocks: the DC level of whatever feeds it, in
// every picture the scope draws of the channel. DC coupling passes it.

#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "app/MDIWavix.h"
#include "services/RequetesBanc.h"
#include "platform/PictureBox.h"
#include "scope/Balayage.h"
#include "scope/CourbeWavix.h"
#include "scope/FigureTrace.h"
#include "scope/frmWavix.h"

#include <QCheckBox>
#include <QtTest>

#include <algorithm>


namespace {

// Every channel at 2 V/div, 50 units a volt. The sources:
// - a 4.5 V battery and the supply at -6 V: all DC level;
// - a "CC" picture of an exercise at 3 V;
// - a 5 V square at 75 % with a +2 V offset, from +7 V to -3 V: its mean
//   is 0.75 × 7 + 0.25 × (-3) = 4.5 V, so AC coupling leaves +2.5 / -7.5 V;
// - the harmonic generator, 2 V at the fundamental over a constant term
//   of 3 V: 5 V / 1 V, and ±2 V without its mean.
// The spot's square is symmetric, its mean the offset alone: ±5 V in AC.
struct Ligne {
    int voie;
    const char* source;
    const char* vue;
    int hautDC, basDC, hautAC, basAC;
};

// One row per line and coupling: the highest and lowest level drawn, in
// screen units.
void table(std::initializer_list<Ligne> lignes)
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("vue");
    QTest::addColumn<bool>("ac");
    QTest::addColumn<int>("haut");
    QTest::addColumn<int>("bas");
    for (const Ligne& l : lignes)
        for (bool ac : {false, true})
            QTest::addRow("%s, CH%d, %s, %s", l.source, l.voie + 1, l.vue, ac ? "AC" : "DC")
                << l.voie << l.source << l.vue << ac << (ac ? l.hautAC : l.hautDC) << (ac ? l.basAC : l.basDC);
}

} // namespace

class tst_Couplage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void acBlocksTheDcLevel_data();
    void acBlocksTheDcLevel();
    void acBlocksTheDcLevelOnScreen_data();
    void acBlocksTheDcLevelOnScreen();
};

void tst_Couplage::init()
{
    Modele().reglerNiveauxHarmo(0, NiveauxHarmoAuChargement());
    Modele().reglerNiveauxHarmo(1, NiveauxHarmoAuChargement());
}

void tst_Couplage::cleanup()
{
    init();
}

void tst_Couplage::acBlocksTheDcLevel_data()
{
    table({
        {0, "battery", "trace", 225, 225, 0, 0},
        {1, "supply", "trace", -300, -300, 0, 0},
        {0, "exercise", "trace", 150, 150, 0, 0},
        {0, "square", "trace", 350, -150, 125, -375},
        {1, "harmonic", "trace", 250, 50, 100, -100},
        {1, "battery", "spot", 225, 225, 0, 0},
        {0, "square", "spot", 350, -150, 125, -375},
        {0, "harmonic", "spot", 250, 50, 100, -100},
        {1, "exercise", "spot", 150, 150, 0, 0},
        {0, "battery", "ADD", 225, 225, 0, 0},
        {1, "square", "ADD", 350, -150, 125, -375},
        {1, "harmonic", "ADD", 250, 50, 100, -100},
        {1, "harmonic", "XY", 250, 50, 100, -100},
        {0, "square", "XY", 350, -150, 125, -375},
        {0, "supply", "XY", -300, -300, 0, 0}, // a spot
    });
}

void tst_Couplage::acBlocksTheDcLevel()
{
    QFETCH(int, voie);
    QFETCH(QString, source);
    QFETCH(QString, vue);
    QFETCH(bool, ac);
    QFETCH(int, haut);
    QFETCH(int, bas);

    // The sources above as the channel's drawn values. The channel under
    // test coupled so, at 2 V/div; the other one fed
    // nothing, with the other coupling. 1 ms/div, or 10 ms/div for the spot.
    EtatTrace etat;
    etat.panneau.allume = true;
    etat.panneau.mode = vue == "ADD" ? ModeVoies::ADD : vue == "XY" ? ModeVoies::XY : ModeVoies(voie);
    etat.panneau.couplage[size_t(voie)] = ac ? Couplage::AC : Couplage::DC;
    etat.panneau.couplage[size_t(1 - voie)] = ac ? Couplage::DC : Couplage::AC;
    etat.baseTemps = vue == "spot" ? 0.01 : 0.001;
    for (VoieTracee& v : etat.voies) {
        v.sensibilite = 2;
        v.niveaux = NiveauxHarmoAuChargement();
    }
    VoieTracee& v = etat.voies[size_t(voie)];
    v.branchee = true;
    if (source == "battery") {
        v.forme = FormeOnde::Continu;
        v.amplitude = 4.5;
    } else if (source == "supply") {
        v.forme = FormeOnde::Continu;
        v.amplitude = -6;
    } else if (source == "exercise") {
        // The exercise's expected level drawn, with the evaluation's duty.
        v.forme = FormeOnde::Continu;
        v.amplitude = 3;
        v.rapport = 0.5;
    } else if (source == "square") {
        v.forme = FormeOnde::Carre;
        v.amplitude = 5;
        v.frequence = 500;
        v.rapport = 0.75;
        v.decalage = 2;
    } else if (source == "harmonic") {
        v.forme = FormeOnde::Harmo;
        v.amplitude = 2;
        v.frequence = 500;
        v.niveaux.X0 = 3;
    }

    // Highest and lowest of the points in the columns [x1, x2] (a figure's
    // points, or a trace sampled every 2 units or finer).
    double plus = -1e9, moins = 1e9;
    auto tenir = [&](const QPolygonF& points, double x1, double x2, bool enX) {
        for (const QPointF& p : points)
            if (p.x() >= x1 && p.x() <= x2) {
                plus = std::max(plus, enX ? p.x() : p.y());
                moins = std::min(moins, enX ? p.x() : p.y());
            }
    };
    if (vue == "trace") {
        const TraceVoie trace = TraceRapide(etat, voie, 1);
        if (trace.genre == TraceVoie::Genre::Ligne)
            tenir({trace.ligne.p1(), trace.ligne.p2()}, -1e9, 1e9, false);
        else
            tenir(trace.points, -480, 480, false);
    } else if (vue == "spot") {
        // Four divisions of trace from the left edge.
        for (const QPolygonF& piece : PointsSpot(etat, voie, 1, -500, -100, 500, -500))
            tenir(piece, -480, -120, false);
    } else if (vue == "ADD") {
        tenir(PointsADD(etat, -500, 500, 1), -480, 480, false);
    } else {
        // CH1 across, CH2 up: the channel under test gives the extent.
        for (const QPolygonF& piece : FigureXYDe(etat, 0, 1, 1).pieces)
            tenir(piece, -1e9, 1e9, voie == 0);
    }
    const QString vu = QString("%1 %2").arg(plus).arg(moins);
    QVERIFY2(qAbs(plus - haut) <= 2, qPrintable(vu));
    QVERIFY2(qAbs(moins - bas) <= 2, qPrintable(vu));
}

void tst_Couplage::acBlocksTheDcLevelOnScreen_data()
{
    // Each view is computed for every source without a window
    // (acBlocksTheDcLevel); here the bench's own sources are painted, a few
    // per view, and the spectrum.
    table({
        {0, "exercise", "trace", 150, 150, 0, 0},
        {0, "square", "trace", 350, -150, 125, -375},
        {0, "square", "spot", 350, -150, 125, -375},
        {1, "exercise", "spot", 150, 150, 0, 0},
        {1, "harmonic", "ADD", 250, 50, 100, -100},
        {1, "harmonic", "XY", 250, 50, 100, -100},
        // The spectrum's DC line rises to the mean's size.
        {0, "battery", "spectrum", 225, 0, 0, 0},
        {0, "square", "spectrum", 225, 0, 0, 0},
        {1, "supply", "spectrum", 300, 0, 0, 0},
    });
}

void tst_Couplage::acBlocksTheDcLevelOnScreen()
{
    QFETCH(int, voie);
    QFETCH(QString, source);
    QFETCH(QString, vue);
    QFETCH(bool, ac);
    QFETCH(int, haut);
    QFETCH(int, bas);

    const int mode = vue == "ADD" ? 3 : vue == "XY" ? 4 : voie;
    // Only the channel under test is coupled so; the other one, left without
    // a source, has the other coupling.
    const int couplage = ac ? 0 : 1, autre = ac ? 1 : 0;
    BancScope b(mode, voie == 0 ? couplage : autre, 3 + (voie == 0 ? autre : couplage));
    b.sensibilite(0, 5);
    b.sensibilite(1, 5);
    if (source == "battery") {
        b.source(voie, "Cc", 4.5, 0);
    } else if (source == "supply") {
        b.source(voie, "Cc", -6, 0);
    } else if (source == "exercise") {
        Modele().passerEnModeLibre(false);
        b.source(voie, "Cc", 0, 0);
        Modele().modifierVoie(voie, [&](EtatVoie& canal) { canal.UmaxExo = 3; });
        Modele().modifierVoie(voie, [&](EtatVoie& canal) { canal.FreqExo = 0; });
        Modele().modifierVoie(voie, [&](EtatVoie& canal) { canal.SignalExo = "Cc"; });
    } else if (source == "square") {
        b.generateur(voie, true, 75, 0, 120, 0, true);
        b.source(voie, "Carre", 5, 500);
    } else if (source == "harmonic") {
        {
            NiveauxHarmoniques n = NiveauxHarmo(voie);
            n.X0 = 3;
            Modele().reglerNiveauxHarmo(voie, n);
        }
        b.source(voie, "harmo", 2, 500);
    }
    if (vue == "spectrum")
        b.scope->chkFFT->setChecked(true);
    if (vue == "spot")
        b.baseTemps(5); // 10 ms/div
    ActualiserEcran();

    const int couleur = vue == "ADD" || vue == "XY" ? kJaune : voie == 0 ? kJaune : kVert;
    Boite trace;
    if (vue == "spot") {
        Horloge h;
        Scope().PositionSpot = -500;
        b.scope->tmrSpot_Timer(); // four divisions of trace from the left edge
        trace = boite(b.image(), couleur, -480, -120);
    } else if (vue == "XY") {
        CourbeXY(0);
        trace = boite(b.image(), couleur, -500, 500);
        // CH1 across, CH2 up: the channel under test gives the extent.
        if (voie == 0) {
            trace.haut = trace.droite;
            trace.bas = trace.gauche;
        }
    } else if (vue == "spectrum") {
        // The DC line of a DC source stands one division right of the left
        // edge; the square's, at 500 Hz, half a division further left.
        const int x = source == "square" ? -450 : -400;
        trace = boite(b.image(), couleur, x - 3, x + 3);
    } else {
        trace = boite(b.image(), couleur);
    }
    const QString vu = QString("%1 %2").arg(trace.haut).arg(trace.bas);
    QVERIFY2(qAbs(trace.haut - haut) <= 2, qPrintable(vu));
    if (vue != "spectrum")
        QVERIFY2(qAbs(trace.bas - bas) <= 2, qPrintable(vu));
}

QTEST_MAIN(tst_Couplage)
#include "tst_couplage.moc"
