// One refresh of the scope (ActualiserEcran) in DUAL mode over what a user
// can reach at the fast time bases: sines, squares and triangles from 1 Hz to
// 1 MHz, plus the band just above 2 screen units a period where a square is
// densest, at every fast time base, with the thinnest, the default and the
// widest focus; on the scope window's screen (399 x 329) and on a full-HD
// picture (1920 x 1080). Offscreen. Each setting is timed several times and
// keeps its median; the program prints the median over all settings, the
// worst setting (timed again many times), and a few reference settings.
//
//   bench_rafraichissement [runs]     (default 5 per setting)

#include "services/FichierINI.h"
#include "app/MDIWavix.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/VbTimer.h"
#include "services/RequetesBanc.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "platform/RVB.h"
#include "services/Sensibilite.h"
#include "scope/frmWavix.h"

#include "Mediane.h"
#include "ReglagesBanc.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Reglage {
    const char* forme;
    double frequence;
    int base;   // time-base index
    int focus;  // knob value
    int mode = 2;          // DUAL; 3 ADD
    bool inverse = false;  // "-CH2"
    double hautB = 3;      // CH2's peak, volts (8: full height)
};

// The lit mode lamp and "-CH2" as the setting wants them.
void panneau(frmWavix* scope, const Reglage& r)
{
    choisirMode(scope, r.mode);
    if (scope->panneau().inverseAllume() != r.inverse)
        scope->cmdVoie_Click(2);
}

const char* texteMode(const Reglage& r)
{
    if (r.mode == 3)
        return "ADD";
    return r.inverse ? "DUAL -CH2" : "DUAL";
}

const char* texteBase(int base)
{
    static QByteArray textes[18];
    if (textes[base].isEmpty())
        textes[base] = TextesBasesTemps().at(base).toUtf8();
    return textes[base].constData();
}

int epaisseur(int focus)
{
    return int(std::lround(std::abs(focus - 10.0) + 1));
}

// The median time of one refresh with these settings, in ms.
double chronometrer(frmWavix* scope, const Reglage& r, int runs)
{
    scope->setPotentioValue(0, float(r.focus));
    ReglerPotentiometre(1, 0);
    scope->setPotentioValue(5, float(r.base));
    ReglerPotentiometre(1, 5);
    panneau(scope, r);
    SignalExoA = SignalExoB = QString::fromLatin1(r.forme);
    FreqExoA = r.frequence;
    FreqExoB = r.frequence * 1.01;
    UmaxExoB = r.hautB;
    std::vector<double> t;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        ActualiserEcran();
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
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;

    QTemporaryDir home;
    reglagesDual(home.path());

    MDIWavix mdi;
    Banc().modeLibre = false; // the expected signals, with their 0.5 duty
    auto* scope = Forms().get<frmWavix>();
    for (int fiche : {0, 1, 2})
        scope->basculerFiche(fiche);
    scope->chkOn->setChecked(true);
    for (EtatVoie& v : Voies)
        v.SourceBranchee = true;
    UmaxExoA = 8; // four divisions at 2 V/div
    UmaxExoB = 3;

    // The harmonic generator at every level.
    for (int voie = 0; voie < 2; ++voie)
        for (int i = 0; i < 20; ++i)
            NiveauxHarmo(voie).Ampli[size_t(i)] = -1000 / (i + 1);

    // The settings: 1, 2, 5 steps from 1 Hz to 1 MHz, and for each time base
    // the periods of 2.04, 2.5 and 4 screen units; in DUAL every focus from
    // the thinnest to the widest, then ADD, "-CH2" and CH2 at full height
    // with the thinnest and the default focus.
    std::vector<Reglage> reglages;
    for (const char* forme : {"Sinus", "Carre", "Triangle", "harmo"})
        for (int base = 6; base <= 17; ++base) {
            std::vector<double> frequences;
            for (double decade = 1; decade <= 1e6; decade *= 10)
                for (double m : {1.0, 2.0, 5.0})
                    if (m * decade <= 1e6)
                        frequences.push_back(m * decade);
            for (double unites : {2.04, 2.5, 4.0}) {
                const double f = 100 / (unites * BaseTempsParIndex(base));
                if (f <= 1e6)
                    frequences.push_back(f);
            }
            for (double f : frequences) {
                for (int focus : {10, 11, 12, 20})
                    reglages.push_back({forme, f, base, focus});
                for (int focus : {10, 12}) {
                    reglages.push_back({forme, f, base, focus, 3});
                    reglages.push_back({forme, f, base, focus, 2, true});
                    reglages.push_back({forme, f, base, focus, 2, false, 8});
                }
            }
        }

    // The last two: squares of a period of about two units (4 pixels on the
    // full-HD picture) at full height, thin and at the default focus.
    const std::vector<Reglage> references = {
        {"Sinus", 1000, 8, 12},
        {"Sinus", 1000, 6, 12},
        {"Sinus", 10000, 8, 12},
        {"Carre", 49000, 8, 12},
        {"Carre", 49000, 8, 10, 2, false, 8},
        {"Carre", 49000, 8, 12, 2, false, 8},
    };

    std::printf("ActualiserEcran, CH1 8 V and CH2 3 V (or 8 V) at 2 V/div, %zu settings, median of %d each (ms)\n",
                reglages.size(), runs);
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        DessinerGrille(scope);
        std::vector<double> t;
        double pire = -1;
        Reglage lePire{};
        for (const Reglage& r : reglages) {
            const double ms = chronometrer(scope, r, runs);
            t.push_back(ms);
            if (ms > pire) {
                pire = ms;
                lePire = r;
            }
        }
        // The worst setting again, timed many times: its median, not the
        // largest of many noisy medians.
        const double revu = chronometrer(scope, lePire, std::max(runs, 41));
        std::printf("%4d x %-4d  median %8.3f   worst %8.3f  (%s %.6g Hz, %s, focus %d px, %s, CH2 %g V)\n", w, h,
                    mediane(t), revu, lePire.forme, lePire.frequence, texteBase(lePire.base),
                    epaisseur(lePire.focus), texteMode(lePire), lePire.hautB);
        for (const Reglage& r : references)
            std::printf("             %-8s %8.6g Hz at %-10s focus %2d px, CH2 %g V: %8.3f\n", r.forme, r.frequence,
                        texteBase(r.base), epaisseur(r.focus), r.hautB, chronometrer(scope, r, std::max(runs, 21)));
    }

    // The spectrum: FFT ticked, in DUAL and ADD, every time base, with the
    // sources' own square (25 % duty, the most lines and labels) on CH1 and a
    // harmonic generator at every level on CH2.
    Banc().modeLibre = true;
    scope->chkFFT->setChecked(true);
    FormeSignalA = QStringLiteral("Carre");
    FormeSignalB = QStringLiteral("harmo");
    AmplitudeA = 8;
    AmplitudeB = 3;
    RapportCycliqueA = 0.25f;
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        DessinerGrille(scope);
        for (int mode : {2, 3}) {
            panneau(scope, {"Carre", 0, 8, 12, mode});
            std::vector<double> t;
            for (int base = 0; base <= 17; ++base)
                for (double f : {1.0, 50.0, 1000.0, 1e5}) {
                    FrequenceA = f;
                    FrequenceB = f / 3;
                    t.push_back(chronometrer(scope, {"Carre", f, base, 12, mode}, runs));
                }
            std::printf("FFT %s %4d x %-4d  median %8.3f   worst %8.3f  (goal: within one frame, %d ms)\n",
                        mode == 2 ? "DUAL" : "ADD ", w, h, mediane(t), *std::max_element(t.begin(), t.end()),
                        VbTimer::framePeriod());
        }
    }
    Forms().unloadAll();
    return 0;
}
