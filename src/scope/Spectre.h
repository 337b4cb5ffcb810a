#pragma once

#include <QList>
#include <QString>

#include <array>
#include <functional>

// The line spectrum of the scope, written down from the sources' own
// waveforms (closed-form Fourier amplitudes), not computed from samples.

// What the spectrum reads of one channel's source and settings. "-CH2"
// arrives as the whole signal negated: amplitude, offset and constant term.
struct SourceSpectre {
    bool branchee = false;    // a source feeds the scope input
    QString forme;            // the source's waveword
    double amplitude = 0;     // peak volts
    double frequence = 0;     // Hz
    double decalage = 0;      // generator offset, volts
    double rapport = 0;       // duty of the square, rise fraction of the triangle
    bool couplageAC = false;  // the input blocks every DC level
    bool couplageGND = false; // the input is grounded: it carries nothing
    double sensibilite = 1;   // V/div
    double position = 0;      // baseline height, screen units
    // The harmonic generator: each harmonic's level in % of the amplitude and
    // its phase in quarter turns, and the constant term in volts.
    std::array<double, 20> pourcents{};
    std::array<double, 20> phases{};
    double constante = 0;
};

// The input carries the source's signal to the screen: plugged in and not
// grounded.
bool PorteSignal(const SourceSpectre& source);

// The DC component and harmonics 1..49: heights in screen units (the
// components' magnitudes), frequencies in hertz.
struct Composantes {
    std::array<double, 50> amp{};
    std::array<double, 50> freq{};
};

struct RaieSpectre {
    double x = 0;
    double hauteur = 0; // screen units up from the baseline
};

// A frequency label: centred on x (before the picture's own offset), hung
// from the baseline, `rang` label heights lower.
struct EtiquetteSpectre {
    double x = 0;
    int rang = 0;
    QString texte;
};

struct FigureSpectre {
    double position = 0; // the baseline's height
    QList<RaieSpectre> raies;
    QList<EtiquetteSpectre> etiquettes;
};

// The amplitude table of a source (all zero when its input carries nothing).
Composantes AmplitudesSpectre(const SourceSpectre& source);

// One channel's spectrum (CH1, CH2, DUAL): the other channel only places the
// frequency axis when both are plugged in. A channel that carries nothing
// shows its baseline alone. Lines and labels far outside the screen are left
// out.
FigureSpectre SpectreVoie(const std::array<SourceSpectre, 2>& sources, int voie, double H, double baseTemps);
// Both channels on CH1's baseline: the components of one frequency are added
// with their signs and phases, as the two deflections add, before their
// magnitude is drawn. A channel that carries nothing adds no line and no
// row of labels.
FigureSpectre SpectreADD(const std::array<SourceSpectre, 2>& sources, double H, double baseTemps);

// The labels that can be read: in each row, taken left to right, a label
// that would print over the last one kept, with a gap, is left out, so that
// dense lines keep readable labels rather than a band of digits.
QList<EtiquetteSpectre> EtiquettesLisibles(const QList<EtiquetteSpectre>& etiquettes,
                                           const std::function<double(const QString&)>& largeur, double ecart);
