#pragma once

#include <array>
#include <functional>

#include <QString>

class ImageBox;
class QAbstractButton;
class QLabel;
class QWidget;
class Shape;

// What the generators of the bench share: their six frequency ranges, with
// a lamp over each range button, the unit beside the frequency digits and
// the tooltips of their output terminals.
struct GammeFrequence {
    const char* legende;
    double multiplicateur; // the channel's range value
    const char* unite;
};
extern const GammeFrequence kGammesFrequence[6];

extern const char kBulleBorne[];
extern const char kBulleBorneCom[];

// Finds the window's range buttons "optGamme(0..5)" and lamps "shpFreq(0..5)",
// makes the buttons one exclusive group and runs choisie(index) when a button
// goes in.
void relierGammes(QWidget* fenetre, std::array<QAbstractButton*, 6>& options, std::array<Shape*, 6>& lampes,
                  const std::function<void(int)>& choisie);
// The unit label beside the digits, in the display's green.
void presenterUnite(QLabel* unite);
// The power switch and its lamp picture: "On" / "Off" on the switch, the
// picture's tooltip "<nom> allumé" / "<nom> éteint".
void presenterMarche(QAbstractButton* interrupteur, ImageBox* image, const QString& nom);
// Writes the channel's generator frequency on a generator's frequency
// display, four digits with a decimal point as the range asks; an unknown
// range leaves it as is.
void AfficherFrequence(int voie, QLabel* affichage);
