#pragma once

#include "services/EtatBanc.h"

#include <QString>

#include <optional>

// The effective value of a source's waveform of peak amplitude A, with A's
// sign (the AC positions show its magnitude); no value for a word it does not
// know, the harmonic generator's included. The duty ratio, the offset and
// the coupling do not enter it. Both multimeters read with it.
std::optional<double> ValeurEfficace(double amplitude, const QString& mot);
std::optional<double> ValeurEfficace(FormeOnde forme, double amplitude);
