#pragma once

#include <array>
#include <optional>

// The scope's front panel as a value: what its buttons, switches and knobs
// are set to. The scope window owns it; a click changes it, and the lamps,
// knobs and switches are painted from it. What draws or measures reads it.

// The mode lamps CH1, CH2, DUAL, ADD, XY in their order on the panel.
enum class ModeVoies { CH1, CH2, DUAL, ADD, XY };
// A channel's input coupling, in the order of its lamps.
enum class Couplage { AC, DC, GND };

// The time-base knob's 18 positions, slowest first, in s/div; 0 outside 0..17.
double BaseTempsParIndex(int index);
// The sensitivity knobs' 14 positions, largest first, in V/div; 0 outside 0..13.
double SensibiliteParIndex(int index);
constexpr int kNombreBasesTemps = 18;
constexpr int kNombreSensibilites = 14;

struct PanneauScope {
    // Switched off, no lamp is lit, whatever the panel is set to.
    bool allume = false;
    ModeVoies mode = ModeVoies::DUAL;
    bool inverseCH2 = false;
    std::array<Couplage, 2> couplage{Couplage::AC, Couplage::AC};
    // The knobs' positions in the lists above, the time base from the
    // slowest, the sensitivities (CH1, CH2) from the largest; -1 for a knob
    // standing outside its list.
    int baseTemps = 8;
    std::array<int, 2> sensibilite{5, 5};
    bool fft = false;
    // The scope draws on the full-screen view instead of its own screen.
    bool pleinEcran = false;

    bool operator==(const PanneauScope&) const = default;

    // The lit mode lamp; none while off.
    std::optional<ModeVoies> modeAllume() const
    {
        return allume ? std::optional<ModeVoies>(mode) : std::nullopt;
    }
    bool modeAllume(ModeVoies m) const { return allume && mode == m; }
    bool inverseAllume() const { return allume && inverseCH2; }
    // Channel 0 is CH1, 1 is CH2; no lamp of another channel is lit.
    bool couplageAllume(int voie, Couplage c) const
    {
        return allume && (voie == 0 || voie == 1) && couplage[size_t(voie)] == c;
    }
    double secondesParDivision() const { return BaseTempsParIndex(baseTemps); }
    double voltsParDivision(int voie) const
    {
        return voie == 0 || voie == 1 ? SensibiliteParIndex(sensibilite[size_t(voie)]) : 0;
    }
};

// The settings file keeps the mode, "-CH2" and each channel's coupling, each
// written when its button changes it.
enum class ReglagePanneau { Mode, InverseCH2, CouplageCH1, CouplageCH2 };
void EcrireReglagePanneau(const PanneauScope& panneau, ReglagePanneau reglage);
// The panel with the mode, "-CH2" and couplings last written; a setting
// missing or out of its range reads as DUAL, not inverted, AC.
PanneauScope LireReglagesPanneau(PanneauScope panneau);
