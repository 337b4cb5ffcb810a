#pragma once

#include "scope/EtatTrace.h"
#include "services/EtatBanc.h"
#include "services/ModeleBanc.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

// The scope's shared settings and what its drawing is doing: the one such
// value is Scope(); reinitialiser() puts it back as a program just started
// has it.
struct EtatScope {
    // Settings shared by both channels.
    double PositionHorizontale = 0;  // screen units
    int32_t CouleurFond = 10135975;  // RGB(167, 169, 154)
    int32_t CouleurGrille = 0;
    int32_t CouleurCadre = 0;
    std::array<int, 9> ComposantesCouleurs{};
    double NiveauSeuil = 0;
    // The slow-sweep spot: where it stands, and the performance-counter
    // stamp of its last step.
    double PositionSpot = 0;
    int64_t SpotLast = 0;
    // Set while a printout or a copy redraws the scope window's screen: the
    // drawing goes there even with the full-screen view shown.
    bool EcranPanneauImpose = false;

    void reinitialiser() { *this = EtatScope(); }
};
EtatScope& Scope();

// The refreshes made since the program started (ActualiserEcran), for
// whoever counts them.
inline int64_t NombreActualisations = 0;


// The scope window's panel as it stands; with no scope window, a panel
// switched off.
const PanneauScope& Panneau();
// Time bases of 10 ms/div and slower draw their traces with the moving spot.
inline bool BaseTempsLente()
{
    return Panneau().secondesParDivision() >= 0.01;
}
// The traces' width the scope's focus knob gives, in pixels; 1 with no
// scope window.
int EpaisseurTrace();

// The one refresh of the scope: mode and timers from the panel, the screen
// back to the graticule, the traces drawn from the bench model and the panel;
// then it tells that it refreshed (Oscillo().ecranActualise), even without
// a scope window. The main window calls it when the bench changes.
void ActualiserEcran();
// The refresh a knob being turned asks for at each motion: made at once if
// none was since the last tick of the scope's frame timer, else at its next
// tick, with the settings as they stand then. A drag of a thousand motions a
// second refreshes once a frame, and the last refresh has the knob's last
// position.
void DemanderActualisation();
// The refresh a knob asked for and that is not made yet, made now. Whatever
// reads the picture (the printout, the copies, the full-screen view, the end
// of a turn) calls it first.
void ActualiserEcranEnAttente();

// The refresh at the pace asked for: at once, or once a frame while a knob
// is dragged (DemanderActualisation).
void ActualiserEcranAuRythme(Rythme rythme);

// The graticule drawn again in the screen's colours as they now stand, then
// the refresh: what a change of the screen's colours asks for.
void RedessinerEcran();

// What the scope tells the rest of the program.
class Oscilloscope : public QObject {
    Q_OBJECT
Q_SIGNALS:
    // The scope's screen has been refreshed (the meters read again).
    void ecranActualise();
    // The scope window's panel now has that value.
    void panneauChange(const PanneauScope& panneau);
    // The scope now draws on the full-screen view (or on its own screen
    // again).
    void pleinEcranChange(bool plein);
};
Oscilloscope& Oscillo();

// A channel as the scope draws it, with the values actually drawn filled
// in: the source's in free mode, the exercise line's expected signal in an
// evaluated run; amplitude 0 in GND coupling, or when no source feeds the
// scope input (its frequency and word stay: a flat line).
EtatVoie VoieAffichee(const EtatBanc& banc, const PanneauScope& panneau, int voie);
// The drawing of the traces for the state as it stands; called by
// ActualiserEcran.
void CalculerVoies();
// A tick of the scope's timer of knob refreshes: the refresh asked for
// since the last one (DemanderActualisation), else the timer stops.
class frmWavix;
void ActualisationReglage(frmWavix& scope);
// What the drawing reads as it stands: the channels' drawn values with their
// harmonic levels, the panel, the time base, the horizontal position and
// the trigger level.
EtatTrace EtatTraceActuel();
// Draws one channel (0 CH1, 1 CH2) of that state and the readout.
void TracerVoie(const EtatTrace& etat, int voie);
