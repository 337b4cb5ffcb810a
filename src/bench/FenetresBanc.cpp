#include "bench/FenetresBanc.h"

#include "app/MDIWavix.h"
#include "bench/frmGBF.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// An instrument whose window the bench does not have yet: it says so, and
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
        auto* boite = Forms().find<frmToolBox>();
        MDIWavix* mdi = MDIWavix::instance();
        const bool chrono = formName() == QLatin1String("frmChrono");
        if (mdi)
            (chrono ? mdi->Mnu_Chrono : mdi->Mnu_Volt)->setChecked(false);
        if (boite)
            (chrono ? boite->chkClock : boite->chkMulti)->setChecked(false);
    }
};

} // namespace

bool SourceDisponible(const QString& nom)
{
    return nom == QLatin1String("frmGBFA") || nom == QLatin1String("frmGBFB");
}

VbForm* OuvrirFenetreSource(const QString& nom, int voie)
{
    if (nom == QLatin1String("frmGBFA") || nom == QLatin1String("frmGBFB"))
        return Forms().get<frmGBF>(nom, voie);
    return nullptr;
}

VbForm* OuvrirInstrument(const QString& nom)
{
    const QString titre = nom == QLatin1String("frmChrono") ? QStringLiteral("Chronomètre")
                                                            : QStringLiteral("Multimètre");
    return Forms().get<InstrumentAVenir>(nom, nom, titre);
}
