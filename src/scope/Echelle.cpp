#include "scope/Echelle.h"

#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"

#include <cstdlib>

void DessinerGrille(PictureBox* grille)
{
    if (!grille)
        return;
    grille->setBackColor(Scope().CouleurFond);
    grille->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);

    // Horizontal lines, and the ticks across the vertical axis.
    int couleur = Scope().CouleurGrille;
    for (int y = -400; y <= 400; y += 20) {
        couleur = std::abs(y) == 400 ? Scope().CouleurCadre : Scope().CouleurGrille;
        grille->DrawWidth = y == 0 ? 2 : 1;
        if (y % 100 == 0)
            grille->Line(-500, y, 500, y, couleur);
        else
            grille->Line(-12, y, 12, y, couleur);
    }

    // The two dotted lines 2.5 divisions above and below the centre, in the
    // colour the pass ended with: the border's.
    grille->DrawWidth = 1;
    grille->DrawStyle = PictureBox::Dot;
    grille->Line(-500, -250, 500, -250, couleur);
    grille->Line(-500, 250, 500, 250, couleur);
    grille->DrawStyle = PictureBox::Solid;

    // Vertical lines, and the ticks across the horizontal axis.
    for (int x = -500; x <= 500; x += 20) {
        couleur = std::abs(x) == 500 ? Scope().CouleurCadre : Scope().CouleurGrille;
        grille->DrawWidth = x == 0 ? 2 : 1;
        if (x % 100 == 0)
            grille->Line(x, 400, x, -400, couleur);
        else
            grille->Line(x, 12, x, -12, couleur);
    }
}
