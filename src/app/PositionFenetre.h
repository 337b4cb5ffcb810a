#pragma once

#include <QString>

class VbForm;

// A child window's place is kept in "Interface" as "PosX <w>" and "PosY <w>"
// (twips). A missing or damaged value, or one far off every screen, gives
// the default; the window is then kept in view.
void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY);
void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe);
