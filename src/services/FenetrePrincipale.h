#pragma once

// What the instruments and the evaluation ask of the main window. The main
// window defines these (src/app); with no main window they do nothing.

// Shows the bench's state (Banc()): the caption and the commands each mode
// allows, and the instruments' menu ticks.
void MontrerMode();
void MontrerInstruments();
// Back to free mode: the run closed, the bench unlocked and cleared. The
// automatic sensitivities come back when "Reglage auto" allows them (after a
// mark, only when it is "1").
void RetourModeLibre(bool reglageSiUn);
// The interface's background colour (RGB, red in the low byte).
int CouleurFondInterface();
