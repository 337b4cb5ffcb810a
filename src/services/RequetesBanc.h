#pragma once

#include <array>
#include <optional>

// What the instruments read of each other: values the bench's windows
// publish into the bench model (services/ModeleBanc.h) as they change, read
// without reaching into those windows.

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

    bool operator==(const NiveauxHarmoniques&) const = default;
};
const NiveauxHarmoniques& NiveauxHarmo(int voie);
// The levels the generator window has when it loads.
NiveauxHarmoniques NiveauxHarmoAuChargement();

// What the toolbox shows while it is open: which connection option (0..17)
// is selected, and whether the multimeter and calculator boxes are ticked.
// The toolbox writes it from the moment it loads and takes it back when it
// is unloaded.
struct ChoixBoiteOutils {
    std::array<bool, 18> options{};
    bool multimetre = false;
    bool calculatrice = false;
};
const std::optional<ChoixBoiteOutils>& BoiteOutilsPubliee();

// The toolbox's connection option (0..17) is selected. False while the
// toolbox is not open.
bool OptionConnexionChoisie(int index);

// The function generator of a channel as the meters read it, when that
// generator's window is open: switched on, the duty knob (0..100) and its fine
// slider, the offset knob (0..Max) and its fine slider, and the square-wave
// lamp.
struct ReglagesGBF {
    bool allume = false;
    double rapport = 50;
    double rapportFin = 0;
    double decalage = 100;
    double decalageMax = 200;
    double decalageFin = 0;
    bool carre = false;
};
// The settings the generator window of channel 0 (CH1) or 1 (CH2) publishes
// while it is open; none otherwise.
std::optional<ReglagesGBF> ReglagesGenerateur(int voie);
// The generator's DC offset in volts and its shape ratio (0..1, 0.1..0.9 for
// the square wave) from its settings; both 0 while it is switched off.
double DecalageGBF(const ReglagesGBF& reglages);
float RapportGBF(const ReglagesGBF& reglages);

// A multimeter window is open (the toolbox's multimeter box is ticked).
bool MultimetreOuvert();
