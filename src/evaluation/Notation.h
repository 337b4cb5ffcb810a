#pragma once

#include "evaluation/Resultats.h"

#include <QString>

#include <array>

// One channel's answer as the student gave it.
struct ReponseVoie {
    bool alternatif = false;  // "Tension alternative" chosen
    int forme = 0;            // waveform list item: 0 sine, 1 square, 2 triangle, 3 alternator
    double tension = 0;       // volts, as typed
    double frequence = 0;     // hertz, as typed (not read for a DC answer)
};

// What the picture shows on the channel.
struct AttenduVoie {
    QString signal;  // the file's word, "Cc" for DC
    double umax = 0; // volts (an alternator's fundamental amplitude)
    double freq = 0; // hertz
};

// The scoring of one channel.
struct NoteVoie {
    int points = 0;
    int pointsMax = 0;  // 2 for a DC picture, 3 for an AC one
    // The answer kept in the channel's source values.
    QString formeSignal;
    double amplitude = 0;
    double frequence = 0;
    // The corrections shown in red: DC or AC, waveform, voltage, frequency;
    // empty when the answer was right.
    std::array<QString, 4> corrections;
    QString ligne;      // the channel's answer line of the results file
};

// The waveform words of the answer list, and their names in the corrections.
QString MotReponse(int forme);

NoteVoie NoterVoie(int voie, const ReponseVoie& reponse, const AttenduVoie& attendu);
