#pragma once

#include <cstdint>

class PictureBox;

// The picture the scope draws on: the full-screen view's while it is shown,
// else the scope window's screen; none without a scope window.
PictureBox* EcranCible();
// Set while a printout or a copy redraws the scope window's screen: the
// drawing goes there even with the full-screen view shown.
inline bool EcranPanneauImpose = false;
// The picture the scope draws on, back to its graticule alone; none without
// a scope window.
PictureBox* EcranAuGraticule();

// The drawers of a whole trace at the fast time bases. Positions in screen
// units, times in seconds, voltages in volts; each trace spans ten divisions
// from −500 + H.
void TracerLigneNiveau(int voie, double y, int32_t couleur);
void TracerSinus(int voie, int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                 double frequence, double amplitude, double phase, double rapport, double decalage);
void TracerHarmo(int voie, int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                 double frequence, double amplitude, double phase, double rapport, double decalage);
void TracerCourbeDyn(int voie, int32_t couleur, double H, double position, double baseTemps,
                     double sensibilite, double frequence, double amplitude, double phase, double decalage);
void TracerTrapeze(int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                   double montee, double descente, double frequence, double amplitude, double fractionHaute,
                   double phase, double decalage, double decalageAC);

// The settings printed along the bottom of the screen.
void AfficherSensibilites();

// The line spectrum of one channel, or of the sum.
void TracerSpectreVoie(int voie);
void TracerSpectreADD();
