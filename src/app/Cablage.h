#pragma once

class MDIWavix;

// Wires the program together, once, as the main window starts: who hears
// what the bench model and the scope say (app/Cablage.cpp reads top to
// bottom), and how the windows that others place themselves by are made.
// The connections live as long as the main window.
void CablerProgramme(MDIWavix& principale);
