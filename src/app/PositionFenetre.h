#pragma once

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

// "Positionnement par défaut des fenêtres": the scope near the left edge at
// the top, the open multimeter under it, and in a column on the scope's
// right the CH1 source (or the answer window) at the top, the CH2 source
// lower down and the stopwatch at the bottom. When the column does not fit
// right of the scope in view, it goes below the scope. A window whose place
// would cover another window or the scope's controls, or leave the view,
// goes to the nearest place that does not (PlacerDegagee). Only loaded
// windows move; none is resized, shown or hidden, and each keeps its new
// place in the settings when it closes, as usual.
void PositionnerFenetres();
