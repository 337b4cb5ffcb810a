// The scope's animations, one tick each, against the drawing floor timed in
// the same run (the graticule drawn afresh, its fill and its lines, on a
// picture of the same size): the worst tick of the slow-sweep spot (DUAL,
// generator range 100000 at 10 ms/div: two pieces of 4001 segments each)
// and one tick of the XY figure of 1000 Hz and 1001 Hz, on the scope
// window's screen (399 x 329) and on a full-HD picture (1920 x 1080), with
// the share of one core they take at the display's frame rate; medians over
// many ticks. Then the XY figure swept over what a student reaches: each
// waveform (sine, square, triangle, the harmonic generator at every level,
// the alternator) on both channels or against a sine, both at full height
// (4 V at 1 V/div), every focus from 1 to 11 px, over frequency pairs from
// near-equal ones to a fast channel running just under and over two of its
// top harmonic's periods between two of the figure's steps (the densest
// curves and the first bands); ticks one frame apart, so that each draws a
// figure moved on from the last. Each waveform's worst setting is printed,
// its heaviest settings timed again many times.
//
// Then the animations running in the program's windows, shown as the program
// shows them (the main window with the scope and the toolbox; the full-screen
// view), in the event loop: one tick with the screen's repaint of what it
// changed (median), then ANIMATION_SECONDS (10 by default) of the running
// animation: its ticks a second and the share of a core the process takes
// (its CPU time over the time elapsed), and under a real X server the X
// server's share as well (its CPU time read from /proc). First the same for
// a bare window whose small square changes at each tick, the floor any
// animation of this toolkit pays on this display. On the panel, a
// knob dragged at 1000 motion events a second with the harmonic generator's
// sawtooth (all twenty harmonics) on CH1 at 1 ms/div: the motion events the
// knob received, the refreshes made, each a second. Last, the rate of a
// paced timer over CADENCE_SECONDS (30 by default).
//
// Offscreen when there is no display; on a display (`make bench` runs it
// under xvfb-run) the windows are real windows of that X server.
//
//   bench_balayage [runs]     (default 300)
//
// BALAYAGE_CAS=text runs only the animations whose name holds the text (for
// profiling one of them), without the tables of single ticks; BALAYAGE_XY=0
// leaves out the XY sweep.

#include "services/FichierINI.h"
#include "services/ModeleBanc.h"
#include "app/MDIWavix.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/SystemServices.h"
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
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>
#include <atomic>
#include <thread>

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

// One running animation's line: its tick, its rate and the shares of a core.
void imprimer(const char* nom, const EnMarche& m)
{
    std::printf("  %-30s %7.3f ms  %6.2f ticks/s  program %5.1f %%", nom, m.tick, m.parSeconde, m.programme);
    if (m.serveur >= 0)
        std::printf("  X server %5.1f %%  together %5.1f %%", m.serveur, m.programme + m.serveur);
    std::printf("\n");
    std::fflush(stdout);
}

// The platform's own floor for an animation, to read the cases against: a
// bare window whose 40 x 40 square changes colour at each tick of a paced
// timer, as the spot's and the XY figure's are, and nothing else drawn.
void plancherAnimation(int runs, double secondes, long serveurX)
{
    struct Carre : QWidget {
        int k = 0;
        void paintEvent(QPaintEvent*) override
        {
            QPainter(this).fillRect(rect(), k % 2 ? QColor(200, 50, 50) : QColor(100, 50, 50));
        }
    };
    QWidget fenetre;
    fenetre.resize(400, 330);
    auto* carre = new Carre;
    carre->setParent(&fenetre);
    carre->setGeometry(10, 10, 40, 40);
    fenetre.show();
    attendre(0.5);
    VbTimer timer;
    timer.setFramePaced(true);
    const auto tick = [carre] {
        ++carre->k;
        carre->update();
    };
    QObject::connect(&timer, &VbTimer::Timer, tick);
    timer.setInterval(1);
    imprimer("bare window, a 40 x 40 square", mesurerEnMarche(timer, tick, runs, secondes, serveurX));
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
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Gamme = c.gamme; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = c.fa; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = c.fb; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FormeSignal = QString::fromLatin1(c.formeB); });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Amplitude = canal.FormeSignal == QLatin1String("Cc") ? 0 : 2; });
    scope->setPotentioValue(5, float(c.base));
    ReglerPotentiometre(1, 5);
    ActualiserEcran();
}

// The floor: the graticule drawn afresh on the scope's graticule picture,
// its fill and its lines, at the picture's size; in ms.
double plancher(frmWavix* scope, int runs)
{
    std::vector<double> t;
    QElapsedTimer clock;
    for (int r = 0; r < runs; ++r) {
        clock.start();
        DessinerGrille(scope->picGrille);
        (void)scope->picGrille->Image();
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    return mediane(t);
}

// The performance counter driven by hand, one display frame a step.
struct HorlogeImages {
    int64_t maintenant = 1'000'000'000;
    HorlogeImages() { setPerfCounterClock([this] { return maintenant; }); }
    ~HorlogeImages() { setPerfCounterClock(nullptr); }
    void image() { maintenant += int64_t(std::llround(VbTimer::framePeriodNs())); }
};

// The median time of an XY tick, `runs` ticks one frame apart after one
// that starts the figure's clock.
double ticksXY(frmWavix* scope, int runs)
{
    HorlogeImages horloge;
    scope->XYLast.reset();
    scope->tmrXY_Timer();
    std::vector<double> t;
    QElapsedTimer clock;
    for (int r = 0; r < runs; ++r) {
        horloge.image();
        clock.start();
        scope->tmrXY_Timer();
        (void)scope->picEcran->Image();
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    return mediane(t);
}

// A setting of the XY sweep.
struct ReglageXY {
    const char* formeA;
    const char* formeB;
    double fa, fb; // Hz
    int focus;     // px
};

// The highest harmonic a waveform word carries as the figure samples it:
// the alternator's fifth, the harmonic generator's twentieth (every level
// on).
double rangHaut(const char* forme)
{
    const QString mot = QString::fromLatin1(forme);
    return mot == QLatin1String("Dyn") ? 5 : mot == QLatin1String("harmo") ? 20 : 1;
}

const char* nomForme(const char* forme)
{
    const QString mot = QString::fromLatin1(forme);
    if (mot == QLatin1String("Sinus"))
        return "sine";
    if (mot == QLatin1String("Carre"))
        return "square";
    if (mot == QLatin1String("Triangle"))
        return "triangle";
    if (mot == QLatin1String("harmo"))
        return "harmonic";
    return "alternator";
}

// Each waveform's settings: on both channels, then against a sine on the
// other; frequency pairs near-equal, the hard pairs, and a slow channel at
// 10 Hz or 1 kHz against a fast one whose top harmonic runs through 0.5, 1,
// 1.99 (the densest curve) and 2.01 (the first band) of its periods between
// two of the figure's steps, either way round; every focus.
std::vector<ReglageXY> reglagesXY(const char* forme)
{
    std::vector<std::pair<const char*, const char*>> voies = {{forme, forme}};
    if (QString::fromLatin1(forme) != QLatin1String("Sinus")) {
        voies.push_back({"Sinus", forme});
        voies.push_back({forme, "Sinus"});
    }
    std::vector<ReglageXY> out;
    for (const auto& [a, b] : voies) {
        std::vector<std::pair<double, double>> paires = {{1000, 1001}, {1000, 1000}, {50, 150}, {10, 62500},
                                                          {100, 12345}};
        // The figure's step is 2 / (500 f) s for the slower frequency f, at
        // most 4e-5 s.
        for (const double r : {0.5, 1.0, 1.99, 2.01})
            paires.push_back({10, r / (4e-5 * rangHaut(b))});
        for (const double r : {1.0, 1.99})
            paires.push_back({1000, r * 1000 * 500 / (2 * rangHaut(b))});
        paires.push_back({1.99 / (4e-5 * rangHaut(a)), 10});
        for (const auto& [fa, fb] : paires)
            for (int focus = 1; focus <= 11; ++focus)
                out.push_back({a, b, fa, fb, focus});
    }
    return out;
}

void reglerXY(frmWavix* scope, const ReglageXY& r)
{
    if (int(scope->potentioValue(0)) != r.focus + 9) {
        scope->setPotentioValue(0, float(r.focus + 9));
        ReglerPotentiometre(1, 0);
    }
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.SignalExo = QString::fromLatin1(r.formeA); });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.SignalExo = QString::fromLatin1(r.formeB); });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FreqExo = r.fa; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FreqExo = r.fb; });
    ActualiserEcran();
}

// The XY sweep on the picture as it is sized now, against the floor.
void balayerXY(frmWavix* scope, int runs, double sol)
{
    // The expected signals, with their 0.5 duty, both at full height.
    Modele().passerEnModeLibre(false);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.UmaxExo = 4; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.UmaxExo = 4; });
    for (int voie = 0; voie < 2; ++voie) {
        scope->setPotentioValue(6 + voie, 6); // 1 V/div
        ReglerPotentiometre(1, 6 + voie);
        {
            NiveauxHarmoniques n = NiveauxHarmo(voie);
            for (int i = 0; i < 20; ++i)
                n.Ampli[size_t(i)] = -1000 / (i + 1);
            Modele().reglerNiveauxHarmo(voie, n);
        }
    }
    choisirMode(scope, 4);
    for (const char* forme : {"Sinus", "Carre", "Triangle", "harmo", "Dyn"}) {
        const std::vector<ReglageXY> reglages = reglagesXY(forme);
        std::vector<std::pair<double, size_t>> t;
        std::vector<double> medianes;
        for (size_t i = 0; i < reglages.size(); ++i) {
            reglerXY(scope, reglages[i]);
            t.push_back({ticksXY(scope, runs), i});
            medianes.push_back(t.back().first);
        }
        std::sort(t.begin(), t.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        double pire = -1;
        ReglageXY lePire{};
        for (size_t k = 0; k < std::min<size_t>(5, t.size()); ++k) {
            const ReglageXY& r = reglages[t[k].second];
            reglerXY(scope, r);
            const double revu = ticksXY(scope, std::max(runs, 41));
            if (revu > pire) {
                pire = revu;
                lePire = r;
            }
        }
        std::printf("  XY %-10s %4zu settings  median %7.3f ms (%5.1fx)  worst %7.3f ms (%5.1fx)  (CH1 %s %g Hz, "
                    "CH2 %s %g Hz, focus %d px)\n",
                    nomForme(forme), reglages.size(), mediane(medianes), mediane(medianes) / sol, pire, pire / sol,
                    nomForme(lePire.formeA), lePire.fa, nomForme(lePire.formeB), lePire.fb, lePire.focus);
        std::fflush(stdout);
    }
    for (int voie = 0; voie < 2; ++voie) {
        scope->setPotentioValue(6 + voie, 5); // back to 2 V/div
        ReglerPotentiometre(1, 6 + voie);
    }
    scope->setPotentioValue(0, 12);
    ReglerPotentiometre(1, 0);
    Modele().passerEnModeLibre(true);
}

// A knob dragged with the left button at 1000 motion events a second for
// that long: the horizontal position, each motion moving the traces. The
// motion events the knob received and the refreshes made, each a second,
// and the shares of a core.
void glisserBouton(frmWavix* scope, double secondes, long serveurX)
{
    Potentio_Creme* bouton = scope->Potentio[2];
    const QPointF centre(bouton->width() / 2.0, bouton->height() / 2.0);
    const auto envoyer = [bouton](QEvent::Type type, QPointF ici, Qt::MouseButton b, Qt::MouseButtons appuyes) {
        QMouseEvent e(type, ici, bouton->mapToGlobal(ici), b, appuyes, Qt::NoModifier);
        QCoreApplication::sendEvent(bouton, &e);
    };
    int recus = 0;
    const QMetaObject::Connection compte =
        QObject::connect(bouton, &Potentio_Creme::MouseMove, [&recus] { ++recus; });
    envoyer(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    // The motions come from a thread of their own, as a mouse's come from
    // the X server: one a millisecond, up and down by 60 pixels twice a
    // second, each handed to the knob on its thread. The program's thread wakes for them
    // and nothing else; a timer of a millisecond in its own loop would cost
    // it more than the motions.
    const QPoint global = bouton->mapToGlobal(QPoint(0, 0));
    std::atomic<bool> fini{false};
    QElapsedTimer montre;
    const int64_t faites = NombreActualisations;
    const double programme = tempsProcessus();
    const double serveur = serveurX ? tempsProcessus(serveurX) : 0;
    montre.start();
    std::thread mouvements([&] {
        timespec prochain;
        clock_gettime(CLOCK_MONOTONIC, &prochain);
        for (long envoyes = 0; !fini.load(); ++envoyes) {
            const double y = centre.y() + 60 * std::sin(2 * 3.14159265358979 * double(envoyes) / 500.0);
            // The event itself is made on the program's thread: a mouse
            // event's making touches its device's state.
            QMetaObject::invokeMethod(
                bouton,
                [=] {
                    const QPointF ici(centre.x(), y);
                    QMouseEvent e(QEvent::MouseMove, ici, ici + global, Qt::NoButton, Qt::LeftButton,
                                  Qt::NoModifier);
                    QCoreApplication::sendEvent(bouton, &e);
                },
                Qt::QueuedConnection);
            prochain.tv_nsec += 1000000;
            if (prochain.tv_nsec >= 1000000000) {
                prochain.tv_nsec -= 1000000000;
                ++prochain.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &prochain, nullptr);
        }
    });
    attendre(secondes);
    fini = true;
    mouvements.join();
    const double duree = montre.nsecsElapsed() / 1e9;
    const double cpu = 100 * (tempsProcessus() - programme) / duree;
    const double cpuServeur = serveurX ? 100 * (tempsProcessus(serveurX) - serveur) / duree : -1;
    const int64_t actualisations = NombreActualisations - faites;
    attendre(0.1);
    envoyer(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    QObject::disconnect(compte);
    std::printf("  %-30s %7.1f motions/s received  %6.2f refreshes/s  program %5.1f %%", "knob drag, harmonic 1 ms/div",
                recus / duree, double(actualisations) / duree, cpu);
    if (cpuServeur >= 0)
        std::printf("  X server %5.1f %%  together %5.1f %%", cpuServeur, cpu + cpuServeur);
    std::printf("\n");
    std::fflush(stdout);
}

// The harmonic generator's sawtooth on CH1 (every harmonic, preset 3's
// levels and phases) at 1 kHz, DUAL at 1 ms/div.
void reglerScieHarmonique(frmWavix* scope)
{
    choisirMode(scope, 2);
    NiveauxHarmoniques n = NiveauxHarmo(0);
    for (int i = 0; i < 20; ++i) {
        const int rang = i + 1;
        n.Ampli[size_t(i)] = int(std::lround(n.AmpliMin[size_t(i)] / double(rang)));
        n.Phase[size_t(i)] = rang % 2 ? 0 : -2;
    }
    Modele().reglerNiveauxHarmo(0, n);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("harmo"); });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 1000; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 3; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Sinus"); });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = 1500; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Amplitude = 2; });
    scope->setPotentioValue(5, 8); // 1 ms/div
    ReglerPotentiometre(1, 5);
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
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Gamme = 100000; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Sinus"); });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Carre"); });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 3; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Amplitude = 2; });
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& v) { v.SourceBranchee = true; });

    const QSize taillePanneau = scope->picEcran->size();
    const double periode = VbTimer::framePeriodNs() / 1e6;
    std::printf("one tick, median of %d (ms), and as a multiple of the floor (the graticule drawn afresh, same "
                "size); share of one core at one tick every %g ms\n",
                runs, periode);
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        if (qEnvironmentVariableIsSet("BALAYAGE_CAS"))
            break;
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        const double avant = plancher(scope, std::max(41, runs / 4));

        choisirMode(scope, 2);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 50000; });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = 20000; });
        scope->setPotentioValue(5, 5); // 10 ms/div
        ReglerPotentiometre(1, 5);
        int k = 0;
        const double spot = mesurer(scope, runs, [scope, &k] {
            // A whole piece of 4 divisions, on the left half then on the
            // right: nothing of the last tick's piece is drawn again.
            Scope().PositionSpot = k++ % 2 ? 100 : -500;
            scope->tmrSpot_Timer();
        });

        choisirMode(scope, 4);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 1000; });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = 1001; });
        ActualiserEcran();
        const double xy = ticksXY(scope, runs);
        const double sol = (avant + plancher(scope, std::max(41, runs / 4))) / 2;
        std::printf("%4d x %-4d  floor %.3f ms\n", w, h, sol);
        std::printf("  spot DUAL 2 x 4001 segments %8.3f ms (%5.1fx, %5.1f %% of a core)\n", spot, spot / sol,
                    100 * spot / periode);
        std::printf("  XY 1000 Hz and 1001 Hz      %8.3f ms (%5.1fx, %5.1f %% of a core)\n", xy, xy / sol,
                    100 * xy / periode);
        std::fflush(stdout);
        if (qEnvironmentVariable("BALAYAGE_XY") != QLatin1String("0"))
            balayerXY(scope, std::max(5, runs / 40), sol);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Sinus"); });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Carre"); });
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 3; });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Amplitude = 2; });
    }
    // The animations running in the program's windows.
    const double enMarche = qEnvironmentVariableIsSet("ANIMATION_SECONDS")
        ? std::max(1, qEnvironmentVariableIntValue("ANIMATION_SECONDS"))
        : 10;
    const long serveurX = pidServeurX();
    scope->picEcran->resize(taillePanneau);
    scope->picGrille->resize(taillePanneau);
    DessinerGrille(scope->picGrille);
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
    if (!qEnvironmentVariableIsSet("BALAYAGE_CAS"))
        plancherAnimation(runs, enMarche, serveurX);
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
                            const double frame = 100 / (60 * Panneau().secondesParDivision());
                            Scope().PositionSpot = -500 + std::fmod(k++ * frame, 1000 - 4 / Panneau().secondesParDivision());
                            scope->tmrSpot_Timer();
                        }
                    },
                    runs, enMarche, serveurX);
                imprimer(c.nom, m);
            }
        };
        if (!plein) {
            mesurerTout();
            const QString filtre = qEnvironmentVariable("BALAYAGE_CAS");
            if (filtre.isEmpty() || QStringLiteral("knob drag").contains(filtre)) {
                reglerScieHarmonique(scope);
                glisserBouton(scope, enMarche, serveurX);
                choisirMode(scope, 2);
                Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Sinus"); });
                Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Gamme = 100000; });
            }
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
