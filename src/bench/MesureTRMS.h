#pragma once

#include <QString>

// What the true-RMS multimeter reads and how it shows it, apart from its
// window: the reading of a source by selector position, the peak held by
// MIN MAX, the ranges and the selector's mouse bands.

// The kind of source that feeds the measured channel, as the toolbox
// connects it; a DC source is known by its waveform word "Cc".
enum class SourceTRMS { Generateur, Continu, Secteur, Alternateur, Autre };

// The measured channel's signal: its source, peak amplitude A (signed for a
// DC source), waveform word, the generator's own offset D while it delivers
// (whatever the scope's coupling), the duty ratio d (0..1) and whether the
// generator delivers a square wave.
struct SignalTRMS {
    SourceTRMS source = SourceTRMS::Autre;
    double amplitude = 0;
    QString mot;
    double decalage = 0;
    double rapport = 0.5;
    bool carre = false;
};

// Selector positions 0 (OFF) to 7: 1 V AC, 2 V DC, 3 mV DC, 4 ohms, 5
// diode, 6 mA/A, 7 µA.
constexpr int kArretTRMS = 0;
// The pointer's angle of a position, counter-clockwise from 12 o'clock.
double AngleTRMS(int position);
// The position a mouse angle turns to: [15, 45] 3, (45, 75] 2, (75, 115] 1,
// (115, 180] OFF, (180, 285] 7, (285, 315] 6, (315, 345] 5, and 4 below 15
// or above 345.
int PositionPourAngleTRMS(double angle);

// The reading of a signal in a selector position, in volts: the effective
// value with the DC level in position 1 (never negative), the DC level in 2
// and 3 (a DC source's signed voltage), 0 in the others. A square wave's own
// mean counts in the DC level. A source whose waveform the meter cannot read
// (the harmonic generator) reads 0.
double LectureTRMS(int position, const SignalTRMS& s);

// The peak that MIN MAX holds: the signal's highest (max) or lowest level,
// the offset included; the scope's coupling does not enter it. `inverse` is
// the scope's "-CH2" mode on the CH2 input. A DC source holds its own signed
// value; a source the meter cannot read holds 0.
double MinMaxTRMS(const SignalTRMS& s, bool inverse, bool max);

// A range of the display: its name, full scale in volts, the pattern of the
// digits (of |v| × facteur) and whether the units read mV.
struct GammeTRMS {
    const char* nom;
    double pleineEchelle;
    const char* format;
    double facteur;
};
// The ranges, from "600 mV" to "1000 V".
const GammeTRMS& GammeNommee(const QString& nom);
// The automatic range of a value (position 3 keeps "600 mV").
const GammeTRMS& GammeAutomatique(double valeur, int position);
// The manual range after `nom` when RANGE is pressed; "" goes back to AUTO,
// and a name that is not a range stays as it is.
QString GammeSuivante(const QString& nom);
// The digits of a value in a range, "." as separator.
QString ChiffresTRMS(double valeur, const GammeTRMS& gamme);
