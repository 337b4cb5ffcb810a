#pragma once

#include "scope/EtatTrace.h"
#include "scope/OndeEcran.h"
#include "services/Ondes.h"

#include <QPointF>

#include <optional>

// What the channel's input blocks of that level: all of it in AC coupling,
// nothing otherwise.
double ContinuBloque(int voie, FormeOnde forme, double A, double rapport, double decalage);
double ContinuBloque(const PanneauScope& panneau, int voie, const NiveauxHarmoniques& niveaux, FormeOnde forme,
                     double A, double rapport, double decalage);
// The value of a channel at a screen abscissa, in screen units (for the
// moving spot), as its trace is drawn: an unconnected channel, or one at GND,
// is a flat line at its position, with no offset. No value for a waveform
// word nothing draws.
std::optional<double> ValeurSignal(int voie, double x);

// The same for many abscissas, from the drawing's state: the channel's wave
// as its screen shows it (OndeEcran), the time of an abscissa x measured
// from the screen's left edge.
class SignalVoie {
public:
    SignalVoie(const EtatTrace& etat, int voie);
    std::optional<double> operator()(double x) const;
    // The amplitude and the offset drawn (both mirrored for "-CH2", no
    // offset unconnected), volts.
    double amplitude() const { return amplitude_; }
    double decalage() const { return decalage_; }

private:
    OndeEcran onde_;
    double amplitude_ = 0, decalage_ = 0;
    double baseTemps_ = 0;
};
