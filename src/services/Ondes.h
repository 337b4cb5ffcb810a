#pragma once

#include "services/EtatBanc.h"
#include "services/RequetesBanc.h"

#include <cmath>
#include <optional>

// The samplers: the voltage of a waveform at a time t (seconds), for a
// frequency f (Hz), a peak amplitude A (V, a negative one mirrors the wave)
// and an offset (V). A frequency of 0 or below samples at the start of the
// period, so no sampler divides by zero or loops.

constexpr double kPi = 3.14159265358979;

// A × sin(2π f t + phase°) + offset; the shape ratio is not used.
inline double ValeurSinus(double t, double f, double A, double phase, double, double decalage)
{
    return A * std::sin(2 * kPi * f * t + phase * kPi / 180) + decalage;
}
// The harmonic generator's sum for the levels given.
double ValeurHarmo(const NiveauxHarmoniques& niveaux, double t, double f, double A, double decalage);
// A square or triangle as rise, high step, fall and low step.
double ValeurTrapeze(double t, double montee, double descente, double f, double A, double fractionHaute,
                     double decalage);
// The period and the phase within it of a time t; f ≤ 0 gives both 0. The
// samplers below are defined here, so that a loop over many times works
// out what they share once.
struct PhaseOnde {
    double P = 0;
    double tau = 0;
};
// P is the period 1 / f, worked out once for many times.
inline PhaseOnde PhaseDans(double t, double f, double P)
{
    if (!(f > 0) || !std::isfinite(f) || !std::isfinite(t))
        return {};
    double tau = t - std::floor(t / P) * P;
    if (tau < 0 || tau >= P) // rounding at the period's edge
        tau = 0;
    return {P, tau};
}
inline PhaseOnde PhaseDans(double t, double f)
{
    return PhaseDans(t, f, 1.0 / f);
}
// How close to the start of a period the square and the triangle still
// give their offset.
constexpr double kReposOnde = 1e-8;
// Symmetric square: +A the first half period, −A the second, the offset on
// the edges; P, if given, is 1 / f.
inline double ValeurCarre(double t, double f, double A, double decalage, double P)
{
    const PhaseOnde ph = PhaseDans(t, f, P);
    if (ph.tau <= kReposOnde || ph.tau == ph.P / 2 || ph.tau == ph.P)
        return decalage;
    return (ph.tau < ph.P / 2 ? A : -A) + decalage;
}
inline double ValeurCarre(double t, double f, double A, double decalage)
{
    return ValeurCarre(t, f, A, decalage, 1.0 / f);
}
// The ramp through −A + offset at x = debut and A + offset at debut + duree.
inline double FractionPeriode(double x, double A, double duree, double debut, double decalage)
{
    if (duree == 0)
        return decalage;
    return 2 * x * A / duree - A * (1 + 2 * debut / duree) + decalage;
}
// Symmetric triangle in sine phase; P, if given, is 1 / f.
inline double ValeurTriangle(double t, double f, double A, double decalage, double periode)
{
    const PhaseOnde ph = PhaseDans(t, f, periode);
    const double P = ph.P;
    const double tau = ph.tau;
    if (tau <= kReposOnde || tau == P / 2 || tau == P)
        return decalage;
    if (tau <= P / 4)
        return FractionPeriode(tau, A, P / 2, -P / 4, decalage);
    if (tau <= 3 * P / 4)
        return decalage - FractionPeriode(tau, A, P / 2, P / 4, 0);
    if (tau <= P)
        return FractionPeriode(tau, A, P / 2, 3 * P / 4, decalage);
    return decalage;
}
inline double ValeurTriangle(double t, double f, double A, double decalage)
{
    return ValeurTriangle(t, f, A, decalage, 1.0 / f);
}
// A waveform word's value at a time t as the XY figure, the ADD sum and the
// printed markers take it: a DC level is A, a square or a triangle is a
// trapeze of the shape ratio (a triangle without a period stays at its
// offset), the harmonic sum is that of the generator's levels given. No
// value for a word nothing draws.
std::optional<double> ValeurOnde(FormeOnde forme, const NiveauxHarmoniques& niveaux, double t, double f, double A,
                                 double rapport, double decalage);
// The DC level of a waveform as ValeurOnde samples it, its mean over a
// period: what an AC-coupled input blocks. A DC source is all DC level; a
// square off 50 % has a mean of its own; the harmonic sum carries its
// generator's constant term.
double ComposanteContinue(FormeOnde forme, const NiveauxHarmoniques& niveaux, double A, double rapport,
                          double decalage);
// The bicycle alternator's wave, without offset.
double ValeurDyn(double t, double f, double A);
// The alternator wave's peak over its fundamental's amplitude: its value at a
// quarter period, 1.5, whatever the frequency.
double CreteDyn();
