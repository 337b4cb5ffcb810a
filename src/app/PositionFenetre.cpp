#include "app/PositionFenetre.h"

#include "app/FichierINI.h"
#include "platform/Forms.h"
#include "platform/VbConversions.h"

void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY)
{
    const double x = LireNombreINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, defautX);
    const double y = LireNombreINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, defautY);
    fenetre->Move(x, y);
}

void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe)
{
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, Str(fenetre->Left()));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, Str(fenetre->Top()));
}
