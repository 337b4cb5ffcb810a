#pragma once

#include "services/EtatBanc.h"
#include "services/RequetesBanc.h"

#include <optional>

// The samplers: the voltage of a waveform at a time t (seconds), for a
// frequency f (Hz), a peak amplitude A (V, a negative one mirrors the wave)
// and an offset (V). A frequency of 0 or below samples at the start of the
// period, so no sampler divides by zero or loops.

constexpr double kPi = 3.14159265358979;

// A × sin(2π f t + phase°) + offset; the shape ratio is not used.
double ValeurSinus(double t, double f, double A, double phase, double rapport, double decalage);
// The harmonic generator's sum for channel 0 or 1, read from its levels;
// no value for another channel.
std::optional<double> ValeurHarmo(int voie, double t, double f, double A, double phase, double rapport,
                                  double decalage);
// The same sum for the levels given.
double ValeurHarmo(const NiveauxHarmoniques& niveaux, double t, double f, double A, double decalage);
// A square or triangle as rise, high step, fall and low step.
double ValeurTrapeze(double t, double montee, double descente, double f, double A, double fractionHaute,
                     double decalage);
// Symmetric square: +A the first half period, −A the second, the offset on
// the edges.
double ValeurCarre(double t, double f, double A, double decalage);
// The ramp through −A + offset at x = debut and A + offset at debut + duree.
double FractionPeriode(double x, double A, double duree, double debut, double decalage);
// Symmetric triangle in sine phase.
double ValeurTriangle(double t, double f, double A, double decalage);
// A waveform word's value at a time t as the XY figure, the ADD sum and the
// printed markers take it: a DC level is A, a square or a triangle is a
// trapeze of the shape ratio (a triangle without a period stays at its
// offset), the harmonic sum comes from the channel's generator. No value for
// a word nothing draws.
std::optional<double> ValeurOnde(FormeOnde forme, int voie, double t, double f, double A, double rapport,
                                 double decalage);
// The same with the harmonic sum of the levels given.
std::optional<double> ValeurOnde(FormeOnde forme, const NiveauxHarmoniques& niveaux, double t, double f, double A,
                                 double rapport, double decalage);
// The DC level of a waveform as ValeurOnde samples it, its mean over a
// period: what an AC-coupled input blocks. A DC source is all DC level; a
// square off 50 % has a mean of its own; the harmonic sum carries its
// generator's constant term.
double ComposanteContinue(FormeOnde forme, int voie, double A, double rapport, double decalage);
double ComposanteContinue(FormeOnde forme, const NiveauxHarmoniques& niveaux, double A, double rapport,
                          double decalage);
// The bicycle alternator's wave, without offset.
double ValeurDyn(double t, double f, double A);
// The alternator wave's peak over its fundamental's amplitude: its value at a
// quarter period, 1.5, whatever the frequency.
double CreteDyn();
