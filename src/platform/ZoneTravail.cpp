#include "platform/ZoneTravail.h"

#include "platform/Forms.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

double largeurMesuree = 0;
double hauteurMesuree = 0;

} // namespace

void MesurerZoneTravail()
{
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        hauteurMesuree = pixelsToTwips(ecran->availableGeometry().height());
        largeurMesuree = pixelsToTwips(ecran->availableGeometry().width());
    }
}

void DefinirZoneTravail(double largeur, double hauteur)
{
    largeurMesuree = largeur;
    hauteurMesuree = hauteur;
}

QRect ZoneTravail()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    QRect zone = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
    if (largeurMesuree > 0 && hauteurMesuree > 0)
        zone.setSize(QSize(twipsToPixels(largeurMesuree), twipsToPixels(hauteurMesuree)));
    return zone;
}
