#pragma once

#include "services/Exercice.h"

#include <QString>

#include <array>
#include <cstdint>

// Which waveform a word names, compared without case or accents.
// "sinusoïdale", the editor's word for a sine, is a sine; "carree", "Carré"
// and "CARRÉE" are squares.
enum class FormeOnde { Aucune, Continu, Sinus, Carre, Triangle, Dyn, Harmo };
FormeOnde FormeDuMot(const QString& mot);

// The channel state the sources, the evaluation, the front panel and the
// trace engine share. Each per-channel value exists once per channel:
// Voies[0] is CH1 (the "A" values), Voies[1] is CH2 (the "B" values).
struct EtatVoie {
    // Source values.
    double Amplitude = 0;       // peak volts, signed by the polarity for DC
    double Frequence = 0;       // Hz, 0 for DC
    QString FormeSignal = QStringLiteral("Cc");
    double Gamme = 0;           // generator range multiplier, 0 before one loads
    double Decalage = 0;        // DC offset, volts
    float RapportCyclique = 0;  // shape ratio 0..1
    bool SourceBranchee = false;
    // Expected signal of the current exercise line.
    double UmaxExo = 0;
    double FreqExo = 0;
    QString SignalExo = QStringLiteral("Cc");
    // Scope input and settings.
    bool EntreeBranchee = false;
    double Sensibilite = 1;     // V/div
    double PositionVerticale = 0;
    int32_t CouleurTrace = 0;
    int StyleTrace = 0;
    // Values actually drawn.
    double TraceAmplitude = 0;
    double TraceFrequence = 0;
    QString TraceSignal;

    // A source feeds the scope input: otherwise the channel reads as a flat
    // line at its position, with no offset.
    bool Branchee() const { return SourceBranchee && EntreeBranchee; }
};

// The bench's state: what every instrument and the evaluation share, and
// what the windows show. One object, put back as a program just started has
// it by reinitialiser().
struct EtatBanc {
    std::array<EtatVoie, 2> voies = [] {
        std::array<EtatVoie, 2> v;
        v[0].CouleurTrace = 65535;
        v[1].CouleurTrace = 4227072;
        return v;
    }();
    // Running score of an evaluation.
    int32_t scoreExo = 0;
    int32_t scoreMaxExo = 0;
    // Free mode ("Mode libre"), or an evaluated run of an exercise file: its
    // title, and the folder it was chosen in.
    bool modeLibre = true;
    QString fichierExercice;
    QString dossierExercice;
    // The exercise file of the run, and its pictures: how many, and the one
    // on show (from 1; 0 before).
    FichierExo exercice;
    int nbLignesExo = 0;
    int numLigneExo = 0;
    // The instruments the user has opened (the main window ticks their menu
    // items from these).
    bool multimetreAffiche = false;
    bool chronoAffiche = false;
    bool calculatriceOuverte = false;

    void reinitialiser() { *this = EtatBanc(); }
};

EtatBanc& Banc();

inline std::array<EtatVoie, 2>& Voies = Banc().voies;

// The system's names for the twins.
inline double& AmplitudeA = Voies[0].Amplitude;
inline double& AmplitudeB = Voies[1].Amplitude;
inline double& FrequenceA = Voies[0].Frequence;
inline double& FrequenceB = Voies[1].Frequence;
inline QString& FormeSignalA = Voies[0].FormeSignal;
inline QString& FormeSignalB = Voies[1].FormeSignal;
inline double& GammeA = Voies[0].Gamme;
inline double& GammeB = Voies[1].Gamme;
inline double& DecalageA = Voies[0].Decalage;
inline double& DecalageB = Voies[1].Decalage;
inline float& RapportCycliqueA = Voies[0].RapportCyclique;
inline float& RapportCycliqueB = Voies[1].RapportCyclique;
inline bool& SourceBrancheeA = Voies[0].SourceBranchee;
inline bool& SourceBrancheeB = Voies[1].SourceBranchee;
inline double& UmaxExoA = Voies[0].UmaxExo;
inline double& UmaxExoB = Voies[1].UmaxExo;
inline double& FreqExoA = Voies[0].FreqExo;
inline double& FreqExoB = Voies[1].FreqExo;
inline QString& SignalExoA = Voies[0].SignalExo;
inline QString& SignalExoB = Voies[1].SignalExo;
inline bool& EntreeBrancheeA = Voies[0].EntreeBranchee;
inline bool& EntreeBrancheeB = Voies[1].EntreeBranchee;
inline double& SensibiliteA = Voies[0].Sensibilite;
inline double& SensibiliteB = Voies[1].Sensibilite;
inline double& PositionVerticaleA = Voies[0].PositionVerticale;
inline double& PositionVerticaleB = Voies[1].PositionVerticale;
inline int32_t& CouleurTraceA = Voies[0].CouleurTrace;
inline int32_t& CouleurTraceB = Voies[1].CouleurTrace;
inline int& StyleTraceA = Voies[0].StyleTrace;
inline int& StyleTraceB = Voies[1].StyleTrace;
inline double& TraceAmplitudeA = Voies[0].TraceAmplitude;
inline double& TraceAmplitudeB = Voies[1].TraceAmplitude;
inline double& TraceFrequenceA = Voies[0].TraceFrequence;
inline double& TraceFrequenceB = Voies[1].TraceFrequence;
inline QString& TraceSignalA = Voies[0].TraceSignal;
inline QString& TraceSignalB = Voies[1].TraceSignal;

inline int32_t& ScoreExo = Banc().scoreExo;
inline int32_t& ScoreMaxExo = Banc().scoreMaxExo;

