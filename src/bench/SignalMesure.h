#pragma once

#include "services/EtatBanc.h"
#include "services/RequetesBanc.h"

// What a multimeter's leads find across a scope input, and what any meter
// makes of it: its DC component, the effective value of its AC part, its
// extremes, and the mean an integrating converter takes over its gate time.
// Both multimeters read through these, whatever the source.

// The source's signal as it sets it into the channel: its waveform, peak
// amplitude A (signed for a DC source; a negative one mirrors a wave),
// frequency, offset and shape ratio, and for the harmonic generator its
// levels.
struct SignalMesure {
    FormeOnde forme = FormeOnde::Aucune;
    double amplitude = 0;
    double frequence = 0;
    double decalage = 0;
    double rapport = 0.5;
    NiveauxHarmoniques niveaux;
};
// The signal a channel carries, with the harmonic levels of its generator.
SignalMesure SignalDeLaVoie(const EtatVoie& voie, const NiveauxHarmoniques& niveaux);

// Its voltage at the time t (seconds), as the scope draws it. A wave
// without a frequency stands at its value at t = 0.
double ValeurMesuree(const SignalMesure& s, double t);

// What the meters show of a signal: its DC component (the mean over a
// period), the effective value of what is left once that is taken away
// (what a V~ position reads: 0 for a battery, A/√2 for a sine whatever its
// offset, 2A·√(d(1−d)) for a square of duty d), and its lowest and highest
// levels, offset included.
struct GrandeursSignal {
    double continu = 0;
    double alternatif = 0;
    double min = 0;
    double max = 0;
};
GrandeursSignal GrandeursDe(const SignalMesure& s);

// The mean over the `duree` seconds that end at `fin`, as a meter that
// integrates over that gate reads a DC range: over the whole periods the
// gate holds, which is the DC component exactly, when it holds one or more;
// over the gate itself for a slower wave.
double MoyenneIntegree(const SignalMesure& s, double fin, double duree);

// The lowest and highest values of the harmonic sum per volt of amplitude,
// Σ wₙ·sin(2π n u + φₙ) over a period, without its constant term. Worked out
// once for given levels: asked again with the same levels, it gives the
// values kept.
struct ExtremesHarmo {
    double min = 0;
    double max = 0;
};
ExtremesHarmo ExtremesHarmoniques(const NiveauxHarmoniques& niveaux);
// How many times the extremes were worked out since the program started.
int CalculsExtremesHarmo();
