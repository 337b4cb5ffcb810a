// The scope's animations, one tick each: the worst tick of the slow-sweep
// spot (DUAL, generator range 100000 at 10 ms/div: two pieces of 4001
// segments each) and one tick of the XY figure (1000 segments), on the scope
// window's screen (399 x 329) and on a full-HD picture (1920 x 1080), with
// the share of one core they take at the display's frame rate. Offscreen;
// medians over many ticks.
//
//   bench_balayage [runs]     (default 300)

#include "services/FichierINI.h"
#include "app/MDIWavix.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/VbTimer.h"
#include "scope/Balayage.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "platform/RVB.h"
#include "scope/frmWavix.h"

#include "Mediane.h"
#include "ReglagesBanc.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double mesurer(frmWavix* scope, int runs, const std::function<void()>& tick)
{
    std::vector<double> t;
    QElapsedTimer clock;
    for (int r = 0; r < runs; ++r) {
        clock.start();
        tick();
        (void)scope->picEcran->Image();
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    return mediane(t);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(5, std::atoi(argv[1])) : 300;

    QTemporaryDir home;
    reglagesDual(home.path());

    MDIWavix mdi;
    auto* scope = Forms().get<frmWavix>();
    Forms().get<frmToolBox>()->choisir(1); // function generator A on CH1
    for (int fiche : {0, 1, 2})
        scope->basculerFiche(fiche);
    scope->chkOn->setChecked(true);
    GammeA = 100000;
    FormeSignalA = QStringLiteral("Sinus");
    FormeSignalB = QStringLiteral("Carre");
    AmplitudeA = 3;
    AmplitudeB = 2;
    for (EtatVoie& v : Voies)
        v.SourceBranchee = true;

    const double periode = VbTimer::framePeriodNs() / 1e6;
    std::printf("one tick, median of %d (ms); share of one core at one tick every %g ms\n", runs, periode);
    std::printf("picture        spot DUAL 2 x 4001 segments        XY 1000 segments\n");
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        DessinerGrille(scope);

        choisirMode(scope, 2);
        FrequenceA = 50000;
        FrequenceB = 20000;
        scope->setPotentioValue(5, 5); // 10 ms/div
        ReglerPotentiometre(1, 5);
        const double spot = mesurer(scope, runs, [scope] {
            PositionSpot = -500; // a whole piece of 4 divisions
            scope->tmrSpot_Timer();
        });

        choisirMode(scope, 4);
        FrequenceA = 1000;
        FrequenceB = 1001;
        ActualiserEcran();
        const double xy = mesurer(scope, runs, [scope] { scope->tmrXY_Timer(); });

        std::printf("%4d x %-4d    %8.3f ms  (%5.1f %% of a core)    %8.3f ms  (%5.1f %%)\n", w, h, spot,
                    100 * spot / periode, xy, 100 * xy / periode);

        // The hard XY pairs, whose every segment crosses the figure, at
        // every focus from 1 to 11 px.
        FormeSignalB = QStringLiteral("Sinus");
        struct Paire {
            double a, b;
        };
        double pire = 0;
        Paire pirePaire{};
        int pireFocus = 0;
        for (const Paire paire : {Paire{10, 62500}, Paire{100, 12345}, Paire{1000, 1001}, Paire{50, 150}}) {
            for (int focus = 10; focus <= 20; ++focus) {
                scope->setPotentioValue(0, float(focus));
                ReglerPotentiometre(1, 0);
                FrequenceA = paire.a;
                FrequenceB = paire.b;
                ActualiserEcran();
                const double t = mesurer(scope, std::max(5, runs / 10), [scope] { scope->tmrXY_Timer(); });
                if (t > pire) {
                    pire = t;
                    pirePaire = paire;
                    pireFocus = focus - 9;
                }
            }
        }
        std::printf("               worst XY tick %8.3f ms  (%g Hz and %g Hz, focus %d px)\n", pire, pirePaire.a,
                    pirePaire.b, pireFocus);
        FormeSignalB = QStringLiteral("Carre");
        scope->setPotentioValue(0, 12);
        ReglerPotentiometre(1, 0);
    }
    // The animation timers' rate: a paced timer set to 1 ms, as the spot's
    // and the XY figure's, counted over CADENCE_SECONDS (30 by default).
    const int secondes = std::max(1, qEnvironmentVariableIntValue("CADENCE_SECONDS"));
    const int duree = qEnvironmentVariableIsSet("CADENCE_SECONDS") ? secondes : 30;
    VbTimer cadence;
    cadence.setFramePaced(true);
    int ticks = 0;
    QObject::connect(&cadence, &VbTimer::Timer, [&ticks] { ++ticks; });
    QElapsedTimer montre;
    montre.start();
    cadence.setInterval(1);
    while (montre.elapsed() < duree * 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("paced timer: %.2f ticks a second over %d s (display period %.3f ms)\n",
                ticks / (montre.nsecsElapsed() / 1e9), duree, periode);
    Forms().unloadAll();
    return 0;
}
