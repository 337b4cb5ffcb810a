#include "bench/RequetesBanc.h"

NiveauxHarmoniques NiveauxHarmoAuChargement()
{
    NiveauxHarmoniques niveaux;
    niveaux.AmpliMin.fill(-1000);
    niveaux.Ampli[0] = -1000;
    return niveaux;
}

NiveauxHarmoniques& NiveauxHarmo(int voie)
{
    static std::array<NiveauxHarmoniques, 2> niveaux = {NiveauxHarmoAuChargement(), NiveauxHarmoAuChargement()};
    return niveaux[voie == 1 ? 1 : 0];
}
