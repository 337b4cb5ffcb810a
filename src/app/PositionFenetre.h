#pragma once

#include <QString>

class VbForm;

// A child window's place is kept in "Interface" as "PosX <w>" and "PosY <w>"
// (twips). A missing or damaged value, or one far off every screen, gives
// the default; the window is then kept in view.
void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY);
void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe);

// "Positionnement par défaut des fenêtres": the scope near the left edge at
// the top, the open multimeter under it, and in a column on the scope's
// right the CH1 source (or the answer window) at the top, the CH2 source
// lower down and the stopwatch at the bottom. Only loaded windows move; none
// is resized, shown or hidden, and each keeps its new place in the settings
// when it closes, as usual.
void PositionnerFenetres();
