#pragma once

class frmOption;

// Settings file → the options dialog's controls and the colour variables;
// loads the dialog (hidden) when it is not loaded, its load reading them.
void ChargerPreferences();
// The same on a loaded dialog (its load handler).
void ChargerPreferencesDans(frmOption* options);
// The dialog's controls → settings file, then applied to the open windows.
void EnregistrerPreferences();
