#pragma once

// The refreshes the scope and the bench ask of each other. Each is declared
// here and defined by the instrument that does the work.

// Defined by the scope. The one refresh every change that can alter a trace
// calls: mode and timers from the panel, the values to draw, the screen back
// to the graticule, the traces, then the multimeter reading.
void ActualiserEcran();
// Defined by the scope. The refresh a knob being turned asks for at each
// motion: made at once if none was since the last tick of the scope's frame
// timer, else at its next tick, with the settings as they stand then. A
// drag of a thousand motions a second refreshes once a frame, and the last
// refresh has the knob's last position.
void DemanderActualisation();
// Defined by the scope. The refresh a knob asked for and that is not made
// yet, made now. Whatever reads the picture (the printout, the copies, the
// full-screen view, the end of a turn) calls it first.
void ActualiserEcranEnAttente();

// Defined by the bench. Brings the open multimeter's reading up to date.
void CalculerMesure();
// Defined by the bench. Turns the open multimeter's selector and brings its
// reading up to date.
void TournerSelecteur(int& position);
