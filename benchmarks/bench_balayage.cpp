// The scope's animations, one tick each: the worst tick of the slow-sweep
// spot (DUAL, generator range 100000 at 10 ms/div: two pieces of 4001
// segments each) and one tick of the XY figure (1000 segments), on the scope
// window's screen (399 x 329) and on a full-HD picture (1920 x 1080), with
// the share of one core they take at the display's frame rate; medians over
// many ticks.
//
// Then the animations running in the program's windows, shown as the program
// shows them (the main window with the scope and the toolbox; the full-screen
// view), in the event loop: one tick with the screen's repaint of what it
// changed (median), then ANIMATION_SECONDS (10 by default) of the running
// animation: its ticks a second and the share of a core the process takes
// (its CPU time over the time elapsed), and under a real X server the X
// server's share as well (its CPU time read from /proc). Last, the rate of a
// paced timer over CADENCE_SECONDS (30 by default).
//
// Offscreen when there is no display; on a display (`make bench` runs it
// under xvfb-run) the windows are real windows of that X server.
//
//   bench_balayage [runs]     (default 300)
//
// BALAYAGE_CAS=text runs only the animations whose name holds the text (for
// profiling one of them), without the table of single ticks.

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
#include "scope/Traceurs.h"
#include "scope/frmFullScreen.h"
#include "scope/frmWavix.h"

#include "Mediane.h"
#include "ReglagesBanc.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include <unistd.h>

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

// CPU time of this process, all its threads, in seconds.
double tempsProcessus()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The X server this process draws on: the Xvfb or Xorg process whose
// command line names the display; 0 when there is none (offscreen).
long pidServeurX()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return 0;
    QByteArray ecran = qgetenv("DISPLAY");
    if (!ecran.startsWith(':'))
        return 0;
    if (const qsizetype point = ecran.indexOf('.'); point > 0)
        ecran.truncate(point);
    for (const QString& nom : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool nombre = false;
        const long pid = nom.toLong(&nombre);
        if (!nombre)
            continue;
        QFile f(QStringLiteral("/proc/%1/cmdline").arg(nom));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> args = f.readAll().split('\0');
        const QByteArray programme = args.value(0).mid(args.value(0).lastIndexOf('/') + 1);
        if ((programme == "Xvfb" || programme == "Xorg" || programme == "X") && args.contains(ecran))
            return pid;
    }
    return 0;
}

// CPU time of another process, from /proc (user and system, in clock ticks).
double tempsProcessus(long pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = f.readAll();
    // The fields after the command's name, which may hold spaces.
    const QList<QByteArray> champs = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (champs.size() < 13)
        return 0;
    return (champs[11].toDouble() + champs[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
}

// Runs the event loop for that long.
void attendre(double secondes)
{
    QEventLoop boucle;
    QTimer::singleShot(int(secondes * 1000), &boucle, &QEventLoop::quit);
    boucle.exec();
}

// One tick drawn and shown: the tick, then the repaint it asks for (the
// screen's queued showing of what changed, and the widget's paint of it).
void tickPeint(const std::function<void()>& tick)
{
    tick();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

struct EnMarche {
    double tick = 0;        // ms, with its repaint
    double parSeconde = 0;  // ticks
    double programme = 0;   // share of a core, %
    double serveur = -1;    // the X server's share, %; none offscreen
};

// The animation that `timer` ticks, first tick by tick with its repaint, then
// running in the event loop.
EnMarche mesurerEnMarche(const VbTimer& timer, const std::function<void()>& tick, int runs, double secondes,
                         long serveurX)
{
    EnMarche m;
    std::vector<double> t;
    QElapsedTimer clock;
    for (int r = 0; r < runs; ++r) {
        clock.start();
        tickPeint(tick);
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    m.tick = mediane(t);

    attendre(0.5); // back to its pace
    int ticks = 0;
    const QMetaObject::Connection compte = QObject::connect(&timer, &VbTimer::Timer, [&ticks] { ++ticks; });
    const double programme = tempsProcessus();
    const double serveur = serveurX ? tempsProcessus(serveurX) : 0;
    QElapsedTimer montre;
    montre.start();
    attendre(secondes);
    const double duree = montre.nsecsElapsed() / 1e9;
    QObject::disconnect(compte);
    m.parSeconde = ticks / duree;
    m.programme = 100 * (tempsProcessus() - programme) / duree;
    if (serveurX)
        m.serveur = 100 * (tempsProcessus(serveurX) - serveur) / duree;
    return m;
}

// A setting of the running animations.
struct Cas {
    const char* nom;
    int mode;          // 2 DUAL, 4 XY
    int base;          // time-base knob: 5 is 10 ms/div, 2 is 0.1 s/div, 0 is 0.5 s/div
    double gamme;      // generator A's range
    double fa, fb;     // Hz
    const char* formeB;
};

// The scope set to the case, its animation started afresh.
void regler(frmWavix* scope, const Cas& c)
{
    choisirMode(scope, c.mode);
    GammeA = c.gamme;
    FrequenceA = c.fa;
    FrequenceB = c.fb;
    FormeSignalB = QString::fromLatin1(c.formeB);
    AmplitudeB = FormeSignalB == QLatin1String("Cc") ? 0 : 2;
    scope->setPotentioValue(5, float(c.base));
    ReglerPotentiometre(1, 5);
    ActualiserEcran();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
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

    const QSize taillePanneau = scope->picEcran->size();
    const double periode = VbTimer::framePeriodNs() / 1e6;
    std::printf("one tick, median of %d (ms); share of one core at one tick every %g ms\n", runs, periode);
    std::printf("picture        spot DUAL 2 x 4001 segments        XY 1000 segments\n");
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        if (qEnvironmentVariableIsSet("BALAYAGE_CAS"))
            break;
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        DessinerGrille(scope);

        choisirMode(scope, 2);
        FrequenceA = 50000;
        FrequenceB = 20000;
        scope->setPotentioValue(5, 5); // 10 ms/div
        ReglerPotentiometre(1, 5);
        int k = 0;
        const double spot = mesurer(scope, runs, [scope, &k] {
            // A whole piece of 4 divisions, on the left half then on the
            // right: nothing of the last tick's piece is drawn again.
            PositionSpot = k++ % 2 ? 100 : -500;
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
    // The animations running in the program's windows.
    const double enMarche = qEnvironmentVariableIsSet("ANIMATION_SECONDS")
        ? std::max(1, qEnvironmentVariableIntValue("ANIMATION_SECONDS"))
        : 10;
    const long serveurX = pidServeurX();
    scope->picEcran->resize(taillePanneau);
    scope->picGrille->resize(taillePanneau);
    DessinerGrille(scope);
    mdi.showMaximized();
    scope->Show();
    Forms().get<frmToolBox>()->Show();
    attendre(1);
    // The spot of a 449 Hz sine on CH1 (CH2 flat) at the slow time bases, the
    // denser pieces of the higher generator ranges (801 and 4001 points a
    // channel), the XY figure that turns slowly and the hardest pairs.
    const Cas cas[] = {
        {"spot 10 ms/div, sine 449 Hz", 2, 5, 100, 449, 0, "Cc"},
        {"spot 20 ms/div, sine 449 Hz", 2, 4, 100, 449, 0, "Cc"},
        {"spot 0.1 s/div, sine 449 Hz", 2, 2, 100, 449, 0, "Cc"},
        {"spot 0.5 s/div, sine 449 Hz", 2, 0, 100, 449, 0, "Cc"},
        {"spot 10 ms/div, range 10000", 2, 5, 10000, 5000, 2000, "Carre"},
        {"spot 10 ms/div, range 100000", 2, 5, 100000, 50000, 20000, "Carre"},
        {"XY 1000 Hz and 1001 Hz", 4, 5, 1000, 1000, 1001, "Sinus"},
        {"XY 10 Hz and 62500 Hz", 4, 5, 1000, 10, 62500, "Sinus"},
        {"XY 100 Hz and 12345 Hz", 4, 5, 1000, 100, 12345, "Sinus"},
    };
    std::printf("\nrunning in the program's windows (%s), %g s each: one tick with its repaint (median of %d), "
                "ticks a second, share of a core\n",
                qPrintable(QGuiApplication::platformName()), enMarche, runs);
    for (const bool plein : {false, true}) {
        const auto mesurerTout = [&] {
            const PictureBox* ecran = EcranCible();
            std::printf("%s, %d x %d:\n", plein ? "full-screen view" : "panel", ecran->width(), ecran->height());
            const QString filtre = qEnvironmentVariable("BALAYAGE_CAS");
            for (const Cas& c : cas) {
                if (!filtre.isEmpty() && !QString::fromLatin1(c.nom).contains(filtre))
                    continue;
                regler(scope, c);
                const bool xy = c.mode == 4;
                int k = 0;
                const EnMarche m = mesurerEnMarche(
                    xy ? scope->tmrXY : scope->tmrSpot,
                    [scope, xy, &k] {
                        if (xy) {
                            scope->tmrXY_Timer();
                        } else {
                            // One frame on from the last tick, as the
                            // running spot moves, its piece whole on screen.
                            const double frame = 100 / (60 * BaseTemps);
                            PositionSpot = -500 + std::fmod(k++ * frame, 1000 - 4 / BaseTemps);
                            scope->tmrSpot_Timer();
                        }
                    },
                    runs, enMarche, serveurX);
                std::printf("  %-30s %7.3f ms  %6.2f ticks/s  program %5.1f %%", c.nom, m.tick, m.parSeconde,
                            m.programme);
                if (m.serveur >= 0)
                    std::printf("  X server %5.1f %%  together %5.1f %%", m.serveur, m.programme + m.serveur);
                std::printf("\n");
                std::fflush(stdout);
            }
        };
        if (!plein) {
            mesurerTout();
            continue;
        }
        // The view opens modally: the measures run in its own loop, then
        // close it.
        QTimer::singleShot(0, [&] {
            attendre(1);
            mesurerTout();
            if (VbForm* vue = Forms().find(QString::fromLatin1(frmFullScreen::kNom)))
                vue->Unload();
        });
        AfficherPleinEcran();
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
