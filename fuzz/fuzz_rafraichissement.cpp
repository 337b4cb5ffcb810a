// One scope refresh, headless, fed random channel settings: channel mode,
// couplings, knobs, and each channel's source.

#include "Entree.h"

#include "BancScope.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept for the whole run and never destroyed, as a program's would be
    // while it runs: the fonts it caches are no leak.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app)
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kMots[] = {"Cc", "Sinus", "Carre", "Triangle", "Dyn", "Harmo", "sinusoïdale", "Autre"};
    Entree entree(data, size);
    const int mode = entree.octet() % 5;
    const int acdc1 = entree.octet() % 6;
    const int acdc2 = entree.octet() % 6;
    const bool inverse = entree.octet() & 1;
    BancScope banc(mode, acdc1, acdc2, inverse);
    banc.baseTemps(entree.octet() % 24);
    for (int voie : {0, 1}) {
        banc.sensibilite(voie, entree.octet() % 16);
        banc.position(voie, entree.entre(-700, 700));
        banc.source(voie, kMots[entree.octet() % 8], entree.entre(-1000, 1000), entree.entre(0, 1e7));
        Voies[size_t(voie)].Decalage = entree.entre(-50, 50);
        Voies[size_t(voie)].RapportCyclique = float(entree.entre(0, 1));
        Voies[size_t(voie)].EntreeBranchee = entree.octet() & 1;
    }
    ActualiserEcran();
    (void)banc.image();
    return 0;
}
