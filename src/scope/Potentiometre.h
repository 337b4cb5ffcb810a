#pragma once

#include "services/ModeleBanc.h"

// Applies knob 0..7 of the scope panel to the setting it stands for, then
// refreshes the screen; only with the left button alone (button mask 1).
void ReglerPotentiometre(int bouton, int index);
// The same without the scope's own refresh: true when it is still to be
// made, false when the knob changed nothing (another button, no scope) or
// changed the bench model, whose signal refreshes at the pace given.
bool AppliquerPotentiometre(int bouton, int index, Rythme rythme = Rythme::Immediat);
