#pragma once

#include <cstdint>

class PictureBox;

// The picture the scope draws on: the full-screen view's while it is shown,
// else the scope window's screen; none without a scope window.
PictureBox* EcranCible();
// The picture the scope draws on, back to its graticule alone; none without
// a scope window.
PictureBox* EcranAuGraticule();

// Paints a channel's trace at a fast time base, as TraceRapide gives it.
struct TraceVoie;
void PeindreTrace(PictureBox* ecran, const TraceVoie& trace);

// The settings printed along the bottom of the screen.
void AfficherSensibilites();
// Reads again whether the readout is printed (the options' "Copy
// Sensibility"): at every refresh, not at every tick of an animation.
void LireOptionLecture();

// The line spectrum of one channel, or of the sum.
void TracerSpectreVoie(int voie);
void TracerSpectreADD();
