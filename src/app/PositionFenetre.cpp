#include "app/PositionFenetre.h"

#include "app/FichierINI.h"
#include "platform/Forms.h"
#include "platform/VbConversions.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// A coordinate (twips) further than one desktop from the desktop comes from
// a damaged file, not from a window the user moved.
bool coordonneePlausible(double twips, int debut, int etendue)
{
    const double pixels = twips / kTwipsPerPixel;
    return pixels >= debut - etendue && pixels <= debut + 2.0 * etendue;
}

} // namespace

void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY)
{
    double x = LireNombreINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, defautX);
    double y = LireNombreINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, defautY);
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect bureau = ecran->virtualGeometry();
        if (!coordonneePlausible(x, bureau.left(), bureau.width()))
            x = defautX;
        if (!coordonneePlausible(y, bureau.top(), bureau.height()))
            y = defautY;
    }
    fenetre->Move(x, y);
    fenetre->keepVisible();
}

void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe)
{
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, Str(fenetre->Left()));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, Str(fenetre->Top()));
}
