#pragma once

// The refreshes the scope and the bench ask of each other. Each is declared
// here and defined by the instrument that does the work.

// Defined by the scope. The one refresh every change that can alter a trace
// calls: mode and timers from the panel, the values to draw, the screen back
// to the graticule, the traces, then the multimeter reading.
void ActualiserEcran();

// Defined by the bench. Brings the open multimeter's reading up to date.
void CalculerMesure();
// Defined by the bench. Turns the open multimeter's selector and brings its
// reading up to date.
void TournerSelecteur(int& position);
