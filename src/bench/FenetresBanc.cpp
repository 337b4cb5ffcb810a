#include "bench/FenetresBanc.h"

#include "app/MDIWavix.h"
#include "app/PositionFenetre.h"
#include "bench/frmAlim.h"
#include "bench/frmChrono.h"
#include "bench/frmDyn.h"
#include "bench/frmEDF.h"
#include "bench/frmGBF.h"
#include "bench/frmHarmonique.h"
#include "bench/frmPile.h"
#include "bench/frmToolBox.h"
#include "bench/frmVolt.h"
#include "platform/Forms.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A multimeter, whose window the bench does not have yet: it says so, and
// closing it clears its toolbox box and menu tick like the real one.
class InstrumentAVenir : public VbForm {
public:
    InstrumentAVenir(const QString& nom, const QString& titre) : VbForm(nom)
    {
        setWindowTitle(titre);
        auto* texte = new QLabel(QStringLiteral("Cet instrument n'est pas encore disponible."), this);
        texte->setAlignment(Qt::AlignCenter);
        auto* mise = new QVBoxLayout(this);
        mise->addWidget(texte);
        setFixedSize(300, 120);
    }
    void Form_Load() override
    {
        // Both multimeters share one place, right of the scope.
        const double droite = Forms().isLoaded(QString::fromLatin1(frmWavix::kNom))
            ? Forms().get<frmWavix>()->Left() + Forms().get<frmWavix>()->Width()
            : 0;
        RestaurerPosition(this, QStringLiteral("Voltmetre"), droite + 4550, 0);
    }
    void Form_Unload(bool&) override
    {
        EnregistrerPosition(this, QStringLiteral("Voltmetre"));
        if (MDIWavix* mdi = MDIWavix::instance())
            mdi->Mnu_Volt->setChecked(false);
        if (auto* boite = Forms().find<frmToolBox>())
            boite->chkMulti->setChecked(false);
    }
};

} // namespace

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
    return Forms().get<InstrumentAVenir>(nom, nom, QStringLiteral("Multimètre"));
}
