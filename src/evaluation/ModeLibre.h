#pragma once

// Switches the bench between free mode (true) and evaluated mode (false):
// the free-mode commands are enabled only in free mode.
void ActiverModeLibre(bool libre);
