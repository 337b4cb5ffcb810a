#pragma once

// Applies knob 0..7 of the scope panel to the setting it stands for, then
// refreshes the screen; only with the left button alone (button mask 1).
void ReglerPotentiometre(int bouton, int index);
// The same without the refresh; false, having done nothing, for another
// button or without the scope.
bool AppliquerPotentiometre(int bouton, int index);
