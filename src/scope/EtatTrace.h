#pragma once

#include "services/EtatBanc.h"
#include "services/PanneauScope.h"
#include "services/RequetesBanc.h"

#include <array>
#include <cstdint>

// What the scope's drawing reads, as plain values: the channels as the last
// refresh left them, the panel, and the scope's own settings.

// One channel as the scope draws it.
struct VoieTracee {
    FormeOnde forme = FormeOnde::Aucune; // the drawn signal's word
    double amplitude = 0;   // peak volts drawn: 0 in GND coupling or unconnected
    double frequence = 0;   // Hz
    double decalage = 0;    // the generator's offset, volts
    double rapport = 0;     // shape ratio 0..1
    bool branchee = false;  // a source feeds the scope input
    double sensibilite = 1; // V/div
    double position = 0;    // screen units
    int32_t couleur = 0;
    int style = 0;
    NiveauxHarmoniques niveaux; // the harmonic generator's levels
};

// The drawn values of a channel, with its harmonic generator's levels.
VoieTracee VoieTraceeDe(const EtatVoie& voie, const NiveauxHarmoniques& niveaux);

struct EtatTrace {
    PanneauScope panneau;
    std::array<VoieTracee, 2> voies; // CH1, CH2
    double baseTemps = 0.001; // s/div
    double H = 0;             // horizontal position, screen units
    double niveauSeuil = 0;   // trigger level, screen units
};
