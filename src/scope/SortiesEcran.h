#pragma once

#include <QString>

#include <array>
#include <cstdint>

class PictureBox;
class frmWavix;

// The scope screen as it leaves the program: printed or copied to the
// clipboard. Both redraw the panel's screen for the output behind a frozen
// copy of it and put it back afterwards.

// Freezes the scope window's screen for as long as it lives: the user sees
// the frozen copy (picEcranPrint) while the screen is redrawn for an output,
// and whatever happens (a failure, an exception) the end puts back the
// colours, line styles, line width and text settings in force before, draws
// the graticule and the traces again and shows the screen.
class EcranFige {
public:
    explicit EcranFige(frmWavix& scope);
    ~EcranFige();
    EcranFige(const EcranFige&) = delete;
    EcranFige& operator=(const EcranFige&) = delete;

private:
    frmWavix& scope_;
    std::array<int32_t, 5> couleurs_{};
    std::array<int, 2> styles_{};
    int largeur_ = 1;
    int style_ = 0;
    int texte_ = 0;
    QString police_;
    double taille_ = 8;
    bool impose_ = false;
};

// Redraws the scope window's screen in the colours given (in the order of
// VariableCouleur): graticule, traces and readout; in XY one figure; at the
// slow time bases the whole trace, not the moving spot.
void RedessinerPourSortie(frmWavix& scope, const std::array<int32_t, 5>& couleurs);

// The line that signs an output with the program's version.
QString TextePied();
// Prints that line at the top-left corner of the picture, in the font given,
// white on a dark background in force and black on a light one.
void ImprimerPied(PictureBox* ecran, const QString& police, double taille);

// The clipboard copy: 0 the screen as shown, 1 redrawn in grey levels on
// white; each with the footer. Any other index copies nothing. The screen is
// put back in every case, and a clipboard that refuses the picture is
// reported.
void CopierEcran(int index);
