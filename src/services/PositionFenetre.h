#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class VbForm;

// A child window's place is kept in "Interface" as "PosX <w>" and "PosY <w>"
// (twips), and kept in view. A missing or damaged value, or one far off every
// screen, gives the default place, or the nearest place in view that leaves
// the other windows and the scope's controls clear (PlacerDegagee).
void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY);
// Puts a child window at the place given (twips) when it lies in view and
// covers neither another window nor the scope's title bar, screen and
// controls; else at the nearest place that covers least of them.
void PlacerDegagee(VbForm* fenetre, double gauche, double haut);
void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe);
// The right edge (left + width) and the width of the window of that name,
// in twips, loaded first when it is not yet; 0 for a window the program
// cannot open.
double DroiteFenetre(const QString& nom);
double LargeurFenetre(const QString& nom);

// The scope's window: of it only the title bar, the screen and the controls
// are to be left clear (the margins of its face may be overlapped).
inline constexpr const char* kNomFenetreScope = "frmWavix";

// The placing rule, which the default layout also follows.
namespace placement {

// A place for a window of this size inside the zone, and how much of the
// taken places it covers.
struct Place {
    QPoint coin;
    long recouvrement = 0;
};

// A window's outer box in the MDI area (pixels), the size it will have
// once shown.
QRect cadrePixels(VbForm* f);
long aire(const QRect& r);
// The place that covers least of the taken places; among those, the one
// nearest the wished corner.
Place meilleurePlace(const QSize& taille, const QPoint& voulu, const QRect& zone, const QList<QRect>& prises);
// What a window placed by default leaves clear (MDI area pixels): every other
// window shown, except that of the scope only its title bar, its screen and
// its controls.
QList<QRect> placesPrises(const QList<VbForm*>& exclues);
// Where a window wishes to be: a window in the column right of the scope
// that would go past the right edge of the view goes below the scope.
QPoint placeVoulue(const QRect& cadre, const QRect& zone);

} // namespace placement
