#pragma once

#include "bench/SignalMesure.h"
#include "services/EtatBanc.h"

#include <QString>

#include <array>
#include <optional>

// What the school multimeter reads and how its display shows it, apart from
// its window: the selector's positions, the reading of the measured channel
// in each, and the live reading of a varying source on a DC range.

// One position of the school multimeter's selector: its label on the dial,
// what it measures, the largest magnitude shown before the over-range "1",
// how the value is written (|value| × factor in the pattern) and the angle
// of the pointer, in degrees counter-clockwise from 12 o'clock.
struct CalibreVolt {
    enum Genre { VoltsContinus, MilliAmperes, HorsEchelle, VoltsAlternatifs, Arret };
    const char* legende;
    Genre genre;
    double pleineEchelle;
    const char* format;
    double facteur;
    double angle;
};
// Positions 0 to 16; 15 is OFF; 16, the 10 A range, has no mouse band.
extern const std::array<CalibreVolt, 17> kCalibresVolt;
constexpr int kArretVolt = 15;
// The position's entry; OFF's for a position outside 0..16.
const CalibreVolt& CalibreCollege(int position);

// The reading of a signal in a selector position, where it does not vary:
// on a DC range a DC source's signed voltage, on an AC range the effective
// value of its AC part (0 for a battery), 0 elsewhere. No value on a DC
// range for a varying source, which reads live.
std::optional<double> LectureCollege(int position, const SignalMesure& signal);

// What the display shows: the digits of the reading and the minus sign
// before them, or the over-range "1" alone, or nothing.
struct EcranCollege {
    bool chiffresVus = false;
    QString chiffres; // "," as separator; kept by the display while hidden
    bool signe = false;
    bool horsEchelle = false;

    bool operator==(const EcranCollege&) const = default;
};

// A value on the display in a selector position: blank at OFF; the
// over-range "1" beyond the position's full scale, or for no number;
// otherwise |value| in the position's pattern, the minus sign only before
// digits that are not all zeros.
EcranCollege EcranCollegePour(int position, double valeur);

// The display as the selector reaches a position: blank at OFF, the
// over-range "1" on the positions that measure no voltage; nothing on the
// others, which compute their reading (AffichageCollege).
std::optional<EcranCollege> EcranAuTourCollege(int position);

// What the school multimeter reads from: the selector's position, the
// signal across the scope input its leads are on, whether that channel can
// be read at all (MesurePossible), and the leads placed on its terminals V,
// mA, 10A and COM.
struct EntreesCollege {
    int position = kArretVolt;
    SignalMesure signal;
    bool mesurable = false;
    std::array<bool, 4> fiches{};
};

// The computed reading: the display, and whether the live reading runs (a
// DC range on a varying source, read by the lead in V), in which case the
// display stays as it is until the live reading's first tick.
struct LectureAfficheeCollege {
    std::optional<EcranCollege> ecran;
    bool vivante = false;
};
LectureAfficheeCollege AffichageCollege(const EntreesCollege& e);
// What the meter shows once its selector is turned to the position: the
// display EcranAuTourCollege gives, or else the computed reading.
LectureAfficheeCollege AffichageAuTourCollege(const EntreesCollege& e);

// The DC ranges' converter integrates over a gate of this many seconds,
// and reads once a gate.
constexpr double kPorteMesure = 0.5;

// The live reading at the simulated instant `instant` (seconds): the mean
// of the signal over the gate that ends there (MoyenneIntegree), on the
// display; the instant taken one period back when it lies beyond one, from
// which the next reading is a gate later.
struct LectureVivanteCollege {
    double instant = 0;
    EcranCollege ecran;
};
LectureVivanteCollege AffichageCollegeVivant(const EntreesCollege& e, double instant);
