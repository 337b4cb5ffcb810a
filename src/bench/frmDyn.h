#pragma once

#include "bench/FenetreSource.h"

#include <array>

class Potentio_Creme;
class QLabel;

// The bicycle alternator of one channel: frmDynA feeds CH1, frmDynB CH2. The
// speed knob and its fine knob set the wheel's speed; a faster wheel gives a
// higher frequency and a larger voltage. It delivers once both plugs are in.
class frmDyn : public FenetreSource {
    Q_OBJECT
public:
    frmDyn(int voie);

    void Form_Load() override;
    // Any knob event: a press on the speed knob recentres the fine knob, and
    // every press, drag, release or reset brings the speed and the channel up
    // to date.
    void Potentio_MouseDown(int index);
    void Potentio_MouseMove(int index, int bouton);
    void Potentio_DblClick(int index);

    std::array<Potentio_Creme*, 2> Potentio{};
    QLabel* lblVitesse = nullptr;

protected:
    void recalculerBranchement() override;

private:
    // Speed from the knobs, shown, and the channel's frequency and amplitude.
    void calculerVitesse(Rythme rythme = Rythme::Immediat);
};

// The alternator's law: speed in revolutions per minute to the channel's
// frequency (its angular speed, in radians per second) and amplitude.
struct LoiDyn {
    double vitesse;
    double frequence;
    double amplitude;
};
LoiDyn LoiAlternateur(float vitesseGros, float fin, float finMax);
