#pragma once

#include "scope/EtatTrace.h"
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
// word nothing draws. It loads the channel into the current trace's colour,
// style, amplitude and offset.
std::optional<double> ValeurSignal(int voie, double x);

// How a channel's square and triangle are sampled: symmetric, as the moving
// spot draws them, or with the shape ratio, as ValeurOnde gives them (the
// whole trace a printout holds, on which its markers lie).
enum class Echantillonnage { Spot, Onde };

// The same for many abscissas, from the drawing's state. In AC coupling the
// waveform's DC level is taken off.
class SignalVoie {
public:
    SignalVoie(const EtatTrace& etat, int voie, Echantillonnage echantillonnage = Echantillonnage::Spot);
    std::optional<double> operator()(double x) const;
    // The points (x, value) at x = a, a + pas, ... (n of them) into `out`,
    // each value as operator() gives it; false, the values 0, when it gives
    // none.
    bool serie(double a, double pas, qsizetype n, QPointF* out) const;
    // The amplitude drawn (mirrored for "-CH2") and the offset drawn (none
    // unconnected), volts.
    double amplitude() const { return amplitude_; }
    double decalage() const { return decalage_; }

private:
    // The points of serie(), a waveform's value in volts at each one's time
    // drawn to the screen.
    template <class Valeur>
    void remplir(double a, double pas, qsizetype n, QPointF* out, Valeur valeur) const;

    int voie_;
    Echantillonnage echantillonnage_;
    FormeOnde forme_ = FormeOnde::Aucune;
    bool aPlat_ = false; // GND coupling or unconnected: the position
    double frequence_ = 0, amplitude_ = 0, decalage_ = 0, rapport_ = 0;
    double continu_ = 0; // the DC level an AC-coupled input blocks, volts
    double position_ = 0, echelle_ = 1;
    double baseTemps_ = 0;
    NiveauxHarmoniques niveaux_;
};

// Loads a channel into the current trace's colour, style, amplitude and
// offset, as the spot draws it.
void ChargerTraceCourante(const EtatTrace& etat, int voie);
