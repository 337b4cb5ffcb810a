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

#include "bench/frmToolBox.h"
#include "platform/FormDesign.h"
#include "platform/Forms.h"
#include "platform/Shape.h"
#include "scope/RVB.h"

#include <QAbstractButton>
#include <QAbstractSlider>

namespace {

double knob(const QWidget* fenetre, int index, const char* propriete, double defaut)
{
    const QObject* k = fenetre->findChild<QObject*>(controlName("Potentio", index));
    const QVariant v = k ? k->property(propriete) : QVariant();
    return v.isValid() ? v.toDouble() : defaut;
}

double slider(const QWidget* fenetre, int index)
{
    const auto* s = control<QAbstractSlider>(fenetre, "sldReglage", index);
    return s ? s->value() : 0;
}

} // namespace

bool OptionConnexionChoisie(int index)
{
    // Read at every tick of the spot: the toolbox's own options, not a
    // search among its controls.
    const frmToolBox* boite = Forms().find<frmToolBox>();
    return boite && boite->optionChoisie(index);
}

std::optional<ReglagesGBF> ReglagesGenerateur(int voie)
{
    const VbForm* gbf = Forms().find(voie == 0 ? QStringLiteral("frmGBFA") : QStringLiteral("frmGBFB"));
    if (!gbf)
        return std::nullopt;
    ReglagesGBF r;
    const auto* marche = control<QAbstractButton>(gbf, "chkOn");
    r.allume = marche && marche->isChecked();
    r.rapport = knob(gbf, 2, "Value", 50);
    r.rapportFin = slider(gbf, 2);
    r.decalage = knob(gbf, 3, "Value", 100);
    r.decalageMax = knob(gbf, 3, "Max", 200);
    r.decalageFin = slider(gbf, 3);
    const auto* lampe = control<Shape>(gbf, "shpSignal", 1);
    r.carre = lampe && lampe->FillColor() == kVertAllume;
    return r;
}

bool MultimetreOuvert()
{
    const VbForm* boite = Forms().find(QStringLiteral("frmToolBox"));
    const auto* multi = boite ? control<QAbstractButton>(boite, "chkMulti") : nullptr;
    return multi && multi->isChecked();
}
