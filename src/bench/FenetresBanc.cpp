#include "bench/FenetresBanc.h"

#include "bench/frmAlim.h"
#include "bench/frmChrono.h"
#include "bench/frmDyn.h"
#include "bench/frmEDF.h"
#include "bench/frmGBF.h"
#include "bench/frmHarmonique.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmPile.h"
#include "bench/frmVolt.h"
#include "platform/Forms.h"

namespace {

// The source windows the bench has, by the name of their CH1 and CH2 twins.
struct Source {
    const char* nomA;
    const char* nomB;
    VbForm* (*ouvrir)(const QString& nom, int voie);
};

template <class Fenetre>
VbForm* ouvrir(const QString& nom, int voie)
{
    return Forms().get<Fenetre>(nom, voie);
}

const Source kSources[] = {
    {"frmGBFA", "frmGBFB", &ouvrir<frmGBF>},
    {"frmAlimA", "frmAlimB", &ouvrir<frmAlim>},
    {"frmPileA", "frmPileB", &ouvrir<frmPile>},
    {"frmEDFA", "frmEDFB", &ouvrir<frmEDF>},
    {"frmDynA", "frmDynB", &ouvrir<frmDyn>},
    {"frmHarmoniqueA", "frmHarmoniqueB", &ouvrir<frmHarmonique>},
};

const Source* sourceDe(const QString& nom)
{
    for (const Source& s : kSources)
        if (nom == QLatin1String(s.nomA) || nom == QLatin1String(s.nomB))
            return &s;
    return nullptr;
}

} // namespace

bool SourceDisponible(const QString& nom)
{
    return sourceDe(nom) != nullptr;
}

VbForm* OuvrirFenetreSource(const QString& nom, int voie)
{
    const Source* s = sourceDe(nom);
    return s ? s->ouvrir(nom, voie) : nullptr;
}

VbForm* OuvrirInstrument(const QString& nom)
{
    if (nom == QLatin1String(frmChrono::kNom))
        return Forms().get<frmChrono>();
    if (nom == QLatin1String(frmVolt::kNom))
        return Forms().get<frmVolt>();
    if (nom == QLatin1String(frmMulti_RMS::kNom))
        return Forms().get<frmMulti_RMS>();
    return nullptr;
}
