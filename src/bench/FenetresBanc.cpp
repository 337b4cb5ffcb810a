#include "bench/FenetresBanc.h"

#include "app/MDIWavix.h"
#include "bench/frmChrono.h"
#include "bench/frmGBF.h"
#include "bench/frmHarmonique.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"

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
    void Form_Unload(bool&) override
    {
        if (MDIWavix* mdi = MDIWavix::instance())
            mdi->Mnu_Volt->setChecked(false);
        if (auto* boite = Forms().find<frmToolBox>())
            boite->chkMulti->setChecked(false);
    }
};

} // namespace

bool SourceDisponible(const QString& nom)
{
    return nom == QLatin1String("frmGBFA") || nom == QLatin1String("frmGBFB") || nom == QLatin1String("frmHarmoniqueA")
        || nom == QLatin1String("frmHarmoniqueB");
}

VbForm* OuvrirFenetreSource(const QString& nom, int voie)
{
    if (nom == QLatin1String("frmGBFA") || nom == QLatin1String("frmGBFB"))
        return Forms().get<frmGBF>(nom, voie);
    if (nom == QLatin1String("frmHarmoniqueA") || nom == QLatin1String("frmHarmoniqueB"))
        return Forms().get<frmHarmonique>(nom, voie);
    return nullptr;
}

VbForm* OuvrirInstrument(const QString& nom)
{
    if (nom == QLatin1String(frmChrono::kNom))
        return Forms().get<frmChrono>();
    return Forms().get<InstrumentAVenir>(nom, nom, QStringLiteral("Multimètre"));
}
