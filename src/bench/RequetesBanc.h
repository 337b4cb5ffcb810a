#pragma once

#include <array>

// What the scope reads of the bench.

// The harmonic generator's levels for one channel: the constant term in
// volts, and per harmonic rank i + 1 its slider value and minimum (the weight
// is value / minimum) and its phase in quarter turns. Until the generator
// window has opened they are its load-time levels: the fundamental alone at
// full amplitude. The window keeps them current.
struct NiveauxHarmoniques {
    int X0 = 0;
    std::array<int, 20> Ampli{};
    std::array<int, 20> AmpliMin{};
    std::array<int, 20> Phase{};
};
NiveauxHarmoniques& NiveauxHarmo(int voie);
// The levels the generator window has when it loads.
NiveauxHarmoniques NiveauxHarmoAuChargement();
