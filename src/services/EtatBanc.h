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
// voies[0] is CH1 (the "A" values), voies[1] is CH2 (the "B" values).
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
    // Values actually drawn: filled only on the copies the scope's drawing
    // makes of a channel (VoieAffichee), never in the bench's state.
    double TraceAmplitude = 0;
    double TraceFrequence = 0;
    QString TraceSignal;

    // A source feeds the scope input: otherwise the channel reads as a flat
    // line at its position, with no offset.
    bool Branchee() const { return SourceBranchee && EntreeBranchee; }
};

// The bench's state: what every instrument and the evaluation share, and
// what the windows show. The bench model holds the one such value, and puts
// it back as a program just started has it by reinitialiser().
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

// The bench's state as it stands: the model's (services/ModeleBanc.h), which
// alone changes it.
const EtatBanc& Banc();
