#pragma once

#include <array>
#include <optional>

// The knob position of the finest sensitivity whose four divisions hold a
// peak of 4 p volts (p in V/div); 100 V/div above 50 or for a negative p.
int PositionSensibilite(double p);
// The knob position of the fastest time base whose ten divisions hold a
// period of 10 t seconds; 0.5 s/div above 0.2 s.
int PositionBaseTemps(double t);

// The knob positions the connected sources ask for: each channel the finest
// sensitivity that keeps its whole trace on the screen (its offset and, in
// AC coupling, the mean it loses taken into account); a channel without a
// source or fed by the harmonic generator keeps its sensitivity, a bench
// without periodic source keeps its time base.
struct ReglageAuto {
    std::array<std::optional<int>, 2> sensibilite;
    std::optional<int> baseTemps;
};
ReglageAuto CalculerReglageAuto();

// The teacher's automatic sensitivities: the positions back to the centre,
// each channel and the time base to what its sources ask for, then the
// screen redrawn.
void SensibilitesAutomatiques();
