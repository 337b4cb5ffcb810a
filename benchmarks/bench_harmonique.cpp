// The harmonic generator in free mode, connected to CH1 and drawing on the
// scope window's screen at 1 ms/div: one preset click (twenty levels and
// phases written, one refresh) and one refresh alone with the sawtooth's
// twenty harmonics. Offscreen; medians over many runs.
//
//   bench_harmonique [runs]     (default 200)

#include "services/FichierINI.h"
#include "app/MDIWavix.h"
#include "bench/frmHarmonique.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include "Mediane.h"

#include <QAbstractButton>
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
    const int runs = argc >= 2 ? std::max(5, std::atoi(argv[1])) : 200;

    QTemporaryDir home;
    Session().CheminINI = home.path() + QStringLiteral("/ConfQVT_bench.ini");
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Mode voie"), QStringLiteral("0"));

    MDIWavix mdi;
    auto* scope = Forms().get<frmWavix>();
    for (int fiche : {0, 1, 2})
        scope->basculerFiche(fiche);
    scope->chkOn->setChecked(true);
    Forms().get<frmToolBox>()->choisir(16);
    auto* h = dynamic_cast<frmHarmonique*>(Forms().find(QStringLiteral("frmHarmoniqueA")));
    h->chkOn->setChecked(true);
    h->basculerFiche(0);
    h->basculerFiche(1);

    std::vector<double> clic;
    std::vector<double> rafraichir;
    QElapsedTimer clock;
    for (int r = 0; r < runs; ++r) {
        clock.start();
        h->optSignal[size_t(1 + r % 4)]->setChecked(true);
        (void)scope->picEcran->Image();
        clic.push_back(clock.nsecsElapsed() / 1e6);
    }
    h->optSignal[3]->setChecked(true);
    for (int r = 0; r < runs; ++r) {
        clock.start();
        ActualiserEcran();
        (void)scope->picEcran->Image();
        rafraichir.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("harmonic generator on CH1, median of %d (ms): preset click %.3f, refresh %.3f\n", runs,
                mediane(clic), mediane(rafraichir));
    Forms().unloadAll();
    return 0;
}
