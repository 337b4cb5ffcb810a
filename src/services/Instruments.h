#pragma once

class VbForm;

// The windows the scope and the bench place themselves by, and what the
// meters read of the scope's panel. Each is declared here and defined by the
// instrument it belongs to.

// Defined by the scope. The scope window, loaded if it is not yet.
VbForm* FenetreOscilloscope();
// Defined by the scope. The "-CH2" lamp of the scope's panel is lit; false
// with no scope window.
bool VoieBInversee();

// Defined by the bench. The toolbox window, loaded if it is not yet.
VbForm* FenetreBoiteOutils();
