#pragma once

#include <QList>
#include <QString>

#include <array>

// The line spectrum of the scope, written down from the sources' own
// waveforms (closed-form Fourier amplitudes), not computed from samples.

// What the spectrum reads of one channel's source and settings.
struct SourceSpectre {
    bool branchee = false;    // a source feeds the scope input
    QString forme;            // the source's waveword
    double amplitude = 0;     // peak volts, already negated for "-CH2"
    double frequence = 0;     // Hz
    double decalage = 0;      // generator offset, volts, negated with the amplitude
    double rapport = 0;       // duty of the square, rise fraction of the triangle
    bool couplageAC = false;  // the input blocks every DC level
    double sensibilite = 1;   // V/div
    double position = 0;      // baseline height, screen units
    std::array<double, 20> pourcents{}; // harmonic generator levels, % of the amplitude
};

// The DC component and harmonics 1..49: heights in screen units, frequencies
// in hertz.
struct Composantes {
    std::array<double, 50> amp{};
    std::array<double, 50> freq{};
};

struct RaieSpectre {
    double x = 0;
    double hauteur = 0; // screen units from the baseline, signed
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

// The amplitude table of a source (all zero when it feeds nothing).
Composantes AmplitudesSpectre(const SourceSpectre& source);

// One channel's spectrum (CH1, CH2, DUAL): the other channel only places the
// frequency axis when both are live. Lines and labels far outside the screen
// are left out.
FigureSpectre SpectreVoie(const std::array<SourceSpectre, 2>& sources, int voie, double H, double baseTemps);
// Both channels on CH1's baseline, components of one frequency added.
FigureSpectre SpectreADD(const std::array<SourceSpectre, 2>& sources, double H, double baseTemps);
