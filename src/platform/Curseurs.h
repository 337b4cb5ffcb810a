#pragma once

#include <QCursor>

class PictureBox;
class QLabel;

// The hand shown over what can be turned, pressed or plugged.
const QCursor& CurseurMain();

// A 32 x 32 pointer drawn from an SVG picture, its hot spot at (x, y); the
// hand pointer when the picture cannot be read.
QCursor CurseurSvg(const QString& image, int x, int y);

// The cursor readout hung inside a scope screen, hidden at first.
QLabel* CreerPositionCurseur(PictureBox* ecran);
// Shows the readout for the pointer at (x, y), in screen units: the
// divisions from the centre, the label ecartX units right of the pointer and
// hanging ecartY units below it, or on the pointer's other side where it
// would cross the screen's right or bottom edge.
void AfficherPositionCurseur(QLabel* etiquette, const PictureBox* ecran, double x, double y, double ecartX,
                             double ecartY);
