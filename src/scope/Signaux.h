#pragma once

#include "scope/CourbeWavix.h"

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
// The DC level of a waveform as ValeurOnde samples it, its mean over a
// period: what an AC-coupled input blocks. A DC source is all DC level; a
// square off 50 % has a mean of its own; the harmonic sum carries its
// generator's constant term.
double ComposanteContinue(FormeOnde forme, int voie, double A, double rapport, double decalage);
// What the channel's input blocks of that level: all of it in AC coupling,
// nothing otherwise.
double ContinuBloque(int voie, FormeOnde forme, double A, double rapport, double decalage);
// The bicycle alternator's wave, without offset.
double ValeurDyn(double t, double f, double A);
// The alternator wave's peak over its fundamental's amplitude: its value at a
// quarter period, 1.5, whatever the frequency.
double CreteDyn();
// The value of a channel at a screen abscissa, in screen units (for the
// moving spot), as its trace is drawn: an unconnected channel, or one at GND,
// is a flat line at its position, with no offset. No value for a waveform
// word nothing draws. It loads the channel into the current trace's colour,
// style, amplitude and offset.
std::optional<double> ValeurSignal(int voie, double x);

// How a channel's square and triangle are sampled: symmetric, as the moving
// spot draws them, or with the shape ratio, as ValeurOnde gives them (the
// whole trace a printout holds, on which its markers lie).
enum class Echantillonnage { Spot, Onde };

// The same for many abscissas: the channel state and the lamps are read
// once, when it is made (and loaded into the current trace then). In AC
// coupling the waveform's DC level is taken off.
class SignalVoie {
public:
    explicit SignalVoie(int voie, Echantillonnage echantillonnage = Echantillonnage::Spot);
    std::optional<double> operator()(double x) const;

private:
    int voie_;
    Echantillonnage echantillonnage_;
    FormeOnde forme_ = FormeOnde::Aucune;
    bool aPlat_ = false; // GND coupling or unconnected: the position
    double frequence_ = 0, amplitude_ = 0, decalage_ = 0, rapport_ = 0;
    double continu_ = 0; // the DC level an AC-coupled input blocks, volts
    double position_ = 0, echelle_ = 1;
};
