#pragma once

#include <array>
#include <cstdint>
#include <optional>

class QColorDialog;
class QWidget;

// The grey of the same brightness as the colour (its top byte ignored):
// white stays white, a grey stays itself, black becomes RGB(1, 1, 1).
int32_t CouleurEnGris(int32_t couleur);

// The greys of the CH1 and CH2 traces on the grey copy's white background:
// each no lighter than mid grey, so that a light trace colour (the default
// yellow) stays visible, and the two at least 0x30 apart so that they tell
// apart; the lighter colour keeps the lighter grey.
std::array<int32_t, 2> GrisDesTraces(int32_t couleurA, int32_t couleurB);

// The colour of screen swatch 0..4: the CH1 and CH2 traces' (the bench
// model's), CouleurGrille, CouleurFond, CouleurCadre; and the same set.
int32_t CouleurVariable(int index);
void ReglerCouleurVariable(int index, int32_t rgb);

// Takes the red, green and blue parts of the CH1, CH2 and screen colours as
// chosen in the options dialog (its swatches), for the brightness knob.
// Before the dialog is loaded, the saved colours.
void DecomposerCouleurs();

// The colours the options dialog's five screen swatches show, while it is
// loaded (it keeps them here); none otherwise.
std::optional<std::array<int32_t, 5>>& CouleursEchantillons();
// The custom colours offered by the colour dialog: sixteen greys, 15 to 240.
std::array<int32_t, 16> CouleursPerso();

// Sets up the colour dialog: Qt's own, fully shown, starting from the
// colour, titled with the version, French captions, the sixteen greys as
// custom colours, centred on the screen.
void PreparerDialogueCouleur(QColorDialog& dialogue, int32_t couleur);
// The colour dialog over the window given, started from the colour;
// std::nullopt on cancel.
std::optional<int32_t> ChoisirCouleur(int32_t couleur, QWidget* fenetre);
