#pragma once

class VbForm;

// The windows the scope and the bench place themselves by. Each is declared
// here and defined by the instrument it belongs to.

// Defined by the scope. The scope window, loaded if it is not yet.
VbForm* FenetreOscilloscope();

// Defined by the bench. The toolbox window, loaded if it is not yet.
VbForm* FenetreBoiteOutils();
