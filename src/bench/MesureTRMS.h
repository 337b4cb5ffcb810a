#pragma once

#include "bench/SignalMesure.h"

#include <QString>

#include <array>

// What the true-RMS multimeter reads and how it shows it, apart from its
// window: the reading of a source by selector position, the peak held by
// MIN MAX, the ranges and the selector's mouse bands.

// Selector positions 0 (OFF) to 7: 1 V AC, 2 V DC, 3 mV DC, 4 ohms, 5
// diode, 6 mA/A, 7 µA.
constexpr int kArretTRMS = 0;
// The pointer's angle of a position, counter-clockwise from 12 o'clock.
double AngleTRMS(int position);
// The position a mouse angle turns to: [15, 45] 3, (45, 75] 2, (75, 115] 1,
// (115, 180] OFF, (180, 285] 7, (285, 315] 6, (315, 345] 5, and 4 below 15
// or above 345.
int PositionPourAngleTRMS(double angle);

// The reading of the signal across the leads in a selector position, in
// volts: the effective value of its AC part in position 1 (never negative;
// 0 for a battery), its DC component in 2 and 3 (a DC source's signed
// voltage, a square's own mean included), 0 in the others.
double LectureTRMS(int position, const SignalMesure& s);

// The peak that MIN MAX holds: the signal's highest (max) or lowest level,
// the offset included. The meter reads the source across the scope input,
// so neither the scope's coupling nor its "-CH2" enters it. A DC source
// holds its own signed value.
double MinMaxTRMS(const SignalMesure& s, bool max);

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

// The panel's own state: AUTO or the manual range the RANGE key chose, and
// MIN MAX off, holding the maximum, the minimum, or both keys stored on (all
// three legends lit, holding the maximum; the next press goes to MIN).
enum EtatMinMax { SansMinMax, Max, Min, MaxEtMin };
struct PanneauTRMS {
    bool autoGamme = true;
    QString gamme = QStringLiteral("60 V");
    EtatMinMax minMax = SansMinMax;

    bool operator==(const PanneauTRMS&) const = default;
};
// A press of MIN MAX: off to MAX, MAX (or both) to MIN, MIN to off.
PanneauTRMS AppuiMinMax(PanneauTRMS panneau);
// A press of RANGE in a selector position: AUTO to the manual "600 mV", then
// each range to the next and the last back to AUTO; in position 3 (mV) AUTO
// and manual only, the stored range kept.
PanneauTRMS AppuiRange(PanneauTRMS panneau, int position);

// What the true-RMS meter reads from: the selector's position, the panel's
// state, whether the measured channel can be read at all (MesurePossible)
// and the signal across its input.
struct EntreesTRMS {
    int position = kArretTRMS;
    PanneauTRMS panneau;
    bool mesurable = false;
    SignalMesure signal;
};

// What the screen shows. The units µ, m, V, A, Ω; the legends DC and AC; the
// legends MIN MAX, MAX and MIN; AUTO, MANUEL and the range's name beside the
// reading; the bar graph and its graduations, shown whenever the meter is on.
// A hidden part keeps what it last showed (the digits, the range's name, the
// bar's value), as the meter's own screen does.
struct EcranTRMS {
    bool allume = false;
    bool chiffresVus = false;
    QString chiffres = QStringLiteral("00.00");
    bool signe = false;
    bool horsEchelle = false;
    std::array<bool, 5> unites{};
    std::array<bool, 2> dcAc{};
    std::array<bool, 3> minMax{};
    bool autoVu = false;
    bool manuelVu = false;
    bool gammeVue = false;
    QString gamme = QStringLiteral("60 V");
    int barre = 50;

    bool operator==(const EcranTRMS&) const = default;
};

// The value the meter shows: 0 when the channel cannot be read, the peak
// MIN MAX holds while it is on, otherwise the reading of the position.
double ValeurTRMS(const EntreesTRMS& e);
// The screen with the panel's state shown: the MIN MAX legends, AUTO or
// MANUEL with the range ("600 mV" in position 3).
EcranTRMS EcranAvecPanneau(EcranTRMS ecran, const EntreesTRMS& e);
// The screen as the selector reaches a position, before any reading: blank
// at OFF; the units and AC/DC of the voltage positions; 0 A or 0 µA in the
// current positions; the over-range "1." in ohms and diode.
EcranTRMS EcranAuTourTRMS(EcranTRMS ecran, const EntreesTRMS& e);
// The voltage positions 1 to 3 read the channel as the selector reaches them.
bool PositionMesureTRMS(int position);
// A value on the screen: the range (the manual one, or the automatic one of
// the value, whose name it shows), the bar's share of its full scale, the
// digits with their sign and units, or the over-range "1." beyond the range
// or for no number. Unchanged at OFF.
EcranTRMS EcranValeurTRMS(EcranTRMS ecran, const EntreesTRMS& e, double valeur);
// What the meter shows once the selector is set to the position, from the
// screen it showed before (its initial screen by default).
EcranTRMS AffichageTRMS(const EntreesTRMS& e, EcranTRMS avant = {});
