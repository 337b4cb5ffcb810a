// One refresh of the scope (ActualiserEcran) in DUAL mode, a sine on CH1 and a
// square on CH2, at the fastest (1 µs/div) and the slowest fast time base
// (5 ms/div), on the scope window's screen (399 x 329) and on a full-HD
// picture (1920 x 1080). Offscreen; medians over many refreshes.
//
//   bench_rafraichissement [runs]     (default 300)

#include "app/FichierINI.h"
#include "app/MDIWavix.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "scope/frmWavix.h"

#include "Mediane.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(5, std::atoi(argv[1])) : 300;

    QTemporaryDir home;
    CheminINI = home.path() + QStringLiteral("/ConfQVT_bench.ini");
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Mode voie"), QStringLiteral("2"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("ACDC CH1"), QStringLiteral("1"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("ACDC CH2"), QStringLiteral("4"));

    MDIWavix mdi;
    mdi.ModeLibre = false; // the expected signals, with their 0.5 duty
    auto* scope = Forms().get<frmWavix>();
    for (int fiche : {0, 1, 2})
        scope->basculerFiche(fiche);
    scope->chkOn->setChecked(true);
    for (EtatVoie& v : Voies)
        v.SourceBranchee = true;
    SignalExoA = QStringLiteral("Sinus");
    SignalExoB = QStringLiteral("Carre");
    UmaxExoA = 3;
    UmaxExoB = 2;

    std::printf("ActualiserEcran, DUAL sine + square, median of %d (ms)   1 us/div   5 ms/div\n", runs);
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        DessinerGrille(scope);
        double figures[2];
        int k = 0;
        for (const auto& [index, frequence] : {std::pair{17, 250000.0}, std::pair{6, 250.0}}) {
            scope->setPotentioValue(5, float(index));
            ReglerPotentiometre(1, 5);
            FreqExoA = frequence;
            FreqExoB = frequence * 2;
            std::vector<double> t;
            QElapsedTimer clock;
            for (int r = 0; r < runs; ++r) {
                clock.start();
                ActualiserEcran();
                (void)scope->picEcran->Image();
                t.push_back(clock.nsecsElapsed() / 1e6);
            }
            figures[k++] = mediane(t);
        }
        std::printf("%4d x %-4d                                           %8.3f %10.3f\n", w, h, figures[0],
                    figures[1]);
    }
    Forms().unloadAll();
    return 0;
}
