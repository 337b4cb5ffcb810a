#include "services/PositionFenetre.h"

#include "services/FichierINI.h"
#include "platform/Forms.h"
#include "platform/VbConversions.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>

#include <limits>
#include <set>

namespace {

// A coordinate (twips) further than one desktop from the desktop comes from
// a damaged file, not from a window the user moved.
bool coordonneePlausible(double twips, int debut, int etendue)
{
    const double pixels = twips / kTwipsPerPixel;
    return pixels >= debut - etendue && pixels <= debut + 2.0 * etendue;
}

} // namespace

namespace placement {

// A window's outer box in the MDI area (pixels), the size it will have
// once shown.
QRect cadrePixels(VbForm* f)
{
    QWidget* cadre = f->frame();
    if (cadre != f && !cadre->isVisible() && !cadre->testAttribute(Qt::WA_Resized))
        cadre->adjustSize();
    return {cadre->pos(), cadre->frameGeometry().size()};
}

long aire(const QRect& r)
{
    return r.isEmpty() ? 0 : long(r.width()) * r.height();
}

// The place that covers least of the taken places; among those, the one
// nearest the wished corner.
Place meilleurePlace(const QSize& taille, const QPoint& voulu, const QRect& zone, const QList<QRect>& prises)
{
    const auto dansZone = [](int v, int debut, int fin, int etendue) {
        return etendue > fin - debut + 1 ? debut : std::clamp(v, debut, fin + 1 - etendue);
    };
    std::set<int> xs{voulu.x(), zone.left(), zone.right() + 1 - taille.width()};
    std::set<int> ys{voulu.y(), zone.top(), zone.bottom() + 1 - taille.height()};
    for (const QRect& p : prises) {
        xs.insert(p.right() + 1);
        xs.insert(p.left() - taille.width());
        ys.insert(p.bottom() + 1);
        ys.insert(p.top() - taille.height());
    }
    std::set<int> xsZone, ysZone;
    for (int x : xs)
        xsZone.insert(dansZone(x, zone.left(), zone.right(), taille.width()));
    for (int y : ys)
        ysZone.insert(dansZone(y, zone.top(), zone.bottom(), taille.height()));
    Place meilleure{voulu, std::numeric_limits<long>::max()};
    long meilleureDistance = std::numeric_limits<long>::max();
    for (int y : ysZone) {
        for (int x : xsZone) {
            const QRect boite(QPoint(x, y), taille);
            long recouvrement = 0;
            for (const QRect& p : prises)
                recouvrement += aire(boite & p);
            const long dx = x - voulu.x();
            const long dy = y - voulu.y();
            const long distance = dx * dx + dy * dy;
            if (recouvrement < meilleure.recouvrement
                || (recouvrement == meilleure.recouvrement && distance < meilleureDistance)) {
                meilleure = {QPoint(x, y), recouvrement};
                meilleureDistance = distance;
            }
        }
    }
    return meilleure;
}

// What a window placed by default leaves clear (MDI area pixels): every other
// window shown, except that of the scope only its title bar, its screen and
// its controls count (the margins of its face may be overlapped).
QList<QRect> placesPrises(const QList<VbForm*>& exclues)
{
    QList<QRect> prises;
    for (const QString& nom : Forms().loadedNames()) {
        VbForm* f = Forms().find(nom);
        if (!f || !f->isMdiChild() || exclues.contains(f) || !f->frame()->isVisible())
            continue;
        const QRect cadre = cadrePixels(f);
        if (nom != QLatin1String(kNomFenetreScope)) {
            prises << cadre;
            continue;
        }
        const QPoint origine = cadre.topLeft() + f->mapTo(f->frame(), QPoint(0, 0));
        prises << QRect(cadre.topLeft(), QPoint(cadre.right(), origine.y() - 1));
        for (const QWidget* c : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")))
                prises << c->geometry().translated(origine);
    }
    return prises;
}

// Where a window wishes to be: a window in the column right of the scope
// that would go past the right edge of the view goes below the scope.
QPoint placeVoulue(const QRect& cadre, const QRect& zone)
{
    VbForm* scope = Forms().find(QString::fromLatin1(kNomFenetreScope));
    if (!scope || cadre.right() <= zone.right())
        return cadre.topLeft();
    const QRect s = cadrePixels(scope);
    return cadre.left() >= s.right() ? QPoint(s.left(), s.bottom() + 1) : cadre.topLeft();
}

} // namespace placement

using namespace placement;

void PlacerDegagee(VbForm* fenetre, double gauche, double haut)
{
    fenetre->Move(gauche, haut);
    const QRect zone = fenetre->visibleArea();
    if (!fenetre->isMdiChild() || zone.isEmpty())
        return;
    const QRect cadre = cadrePixels(fenetre);
    const Place place = meilleurePlace(cadre.size(), placeVoulue(cadre, zone), zone, placesPrises({fenetre}));
    fenetre->frame()->move(place.coin);
}

void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY)
{
    const QString cleX = QStringLiteral("PosX ") + suffixe;
    const QString cleY = QStringLiteral("PosY ") + suffixe;
    double x = LireNombreINI(QStringLiteral("Interface"), cleX, defautX);
    double y = LireNombreINI(QStringLiteral("Interface"), cleY, defautY);
    bool enregistree = !LireINI(QStringLiteral("Interface"), cleX, QString()).isEmpty()
        && !LireINI(QStringLiteral("Interface"), cleY, QString()).isEmpty();
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect bureau = ecran->virtualGeometry();
        if (!coordonneePlausible(x, bureau.left(), bureau.width()) || !coordonneePlausible(y, bureau.top(), bureau.height())) {
            x = defautX;
            y = defautY;
            enregistree = false;
        }
    }
    if (!enregistree) {
        // Where the user never put it: its designed place, or the nearest
        // one that leaves the other windows and the scope's controls clear.
        PlacerDegagee(fenetre, x, y);
        return;
    }
    fenetre->Move(x, y);
    fenetre->keepVisible();
}

void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe)
{
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, Str(fenetre->Left()));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, Str(fenetre->Top()));
}

double DroiteFenetre(const QString& nom)
{
    const VbForm* fenetre = Forms().open(nom);
    return fenetre ? fenetre->Left() + fenetre->Width() : 0;
}

double LargeurFenetre(const QString& nom)
{
    const VbForm* fenetre = Forms().open(nom);
    return fenetre ? fenetre->Width() : 0;
}
