#include "scope/frmWavix.h"

#include "app/FichierINI.h"
#include "app/PositionFenetre.h"
#include "bench/frmToolBox.h"
#include "platform/FormDesign.h"
#include "platform/VbConversions.h"

namespace {

const FormDesign kDesign{"Wavixscope bicourbe", 12825, 6090, {}};

} // namespace

frmWavix::frmWavix() : VbForm(QString::fromLatin1(kNom))
{
    buildForm(this, kDesign);
}

void frmWavix::Form_Load()
{
    const double largeurBoite = Forms().get<frmToolBox>()->Width();
    RestaurerPosition(this, QStringLiteral("Wavix"), largeurBoite, 0);
    potentio_[0] = float(LireNombreINI(QStringLiteral("Interface"), QStringLiteral("Focus"), 12));
    potentio_[1] = float(LireNombreINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), 5));
}

void frmWavix::Form_Unload(bool&)
{
    EnregistrerPosition(this, QStringLiteral("Wavix"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Focus"), StrSingle(potentio_[0]));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), StrSingle(potentio_[1]));
}
