#pragma once

// Applies knob 0..7 of the scope panel to the setting it stands for, then
// refreshes the screen; only with the left button alone (button mask 1).
void ReglerPotentiometre(int bouton, int index);

