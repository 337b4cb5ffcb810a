#pragma once

#include "app/frmOption.h"

// Settings file → the options dialog's controls and the colour variables;
// loads the dialog (hidden) when it is not loaded, its load reading them.
void ChargerPreferences();
