#pragma once

#include <QString>

#include <array>
#include <optional>

class ImageBox;

// What the two multimeters share: which one is in use, whether a channel
// can be read at all, and the simulated instant of the school multimeter's
// live reading. A reading is never stored: each call recomputes it from the
// bench model.

// The school multimeter is in use unless [Options] "Multimetre college" is
// "0" (the default): the toolbox box, the menu entry and every dispatcher
// decide with this one rule, read again at each call.
bool MultimetreCollegeChoisi();

// Channel 0 (CH1) or 1 (CH2) can be read: it has a source, that source
// delivers into the scope input, which is wired (its plug and the ground
// plug in, whether the scope is on or not: the meter reads across the
// input), and the meter's leads are in place. Otherwise the reading is 0.
bool MesurePossible(int voie);

// Shows a value on the open multimeter, when the menu entry says one is open.
void AfficherMesure(double& valeur);
// Brings the open multimeter's reading up to date.
void CalculerMesure();
// Turns the open multimeter's selector to a position and brings its reading
// up to date.
void TournerSelecteur(int position);
// Turns it again where it stands: what every refresh of the scope asks for.
void RelireMultimetre();
// The open multimeter's selector position (OFF without one), and whether its
// leads are on the scope's input and ground. Each meter window keeps its
// own: a window opens at OFF with its plugs out.
int PositionSelecteur();
bool MultimetreBranche();

// The leads in place on a multimeter's four terminals, V-Ω, mA, 10A and COM
// in that order; the window paints a plug on each.
using FichesMultimetre = std::array<bool, 4>;
bool FichePlacee(const FichesMultimetre& fiches, int index);
// A click on a terminal plugs its lead: one measuring lead at a time, the
// COM lead beside it. False, and nothing changed, for an index that is no
// terminal.
bool PlacerFiche(FichesMultimetre& fiches, int index);
// A click on a plug takes it out (or puts it back). False, and nothing
// changed, for an index that is no terminal.
bool BasculerFiche(FichesMultimetre& fiches, int index);
// Shows the plugs of the leads in place, hides the others.
void PeindreFiches(const FichesMultimetre& fiches, const std::array<ImageBox*, 4>& prises);

// What closing either multimeter leaves behind: the menu entry and the
// toolbox box unticked.
void MultimetreFerme();
