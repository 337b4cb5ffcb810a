#pragma once

#include "scope/EtatTrace.h"
#include "services/EtatBanc.h"
#include "services/Rafraichissement.h"

#include <QString>

#include <array>
#include <cstdint>

// Scope settings shared by both channels.
inline double BaseTemps = 0.001;        // s/div
// Time bases of 10 ms/div and slower draw their traces with the moving spot.
inline bool BaseTempsLente()
{
    return BaseTemps >= 0.01;
}
inline double PositionHorizontale = 0;  // screen units
inline int EpaisseurTrace = 1;          // pixels
inline double LuminositeTrace = 1;
inline int32_t CouleurFond = 10135975;  // RGB(167, 169, 154)
inline int32_t CouleurGrille = 0;
inline int32_t CouleurCadre = 0;
inline std::array<int, 9> ComposantesCouleurs{};
inline double NiveauSeuil = 0;
inline double PositionSpot = 0;

// The channel being drawn.
struct TraceEnCours {
    QString Signal;
    int32_t Couleur = 0;
    double Frequence = 0;
    double Amplitude = 0;
    double Decalage = 0;
    double PositionVerticale = 0;
    double Sensibilite = 1;
    int Style = 0;
    double Phase = 0;
};
inline TraceEnCours TraceCourante;

// The refreshes made since the program started (ActualiserEcran), for
// whoever counts them.
inline int64_t NombreActualisations = 0;

// Performance-counter stamp of the slow-sweep spot's last step.
inline int64_t SpotLast = 0;

// The values to draw, then the drawing; called by ActualiserEcran.
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
