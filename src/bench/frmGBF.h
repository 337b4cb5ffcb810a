#pragma once

#include "bench/FenetreSource.h"
#include "services/RequetesBanc.h"
#include "services/ValeurPubliee.h"

#include <array>

class ImageBox;
class Potentio_Creme;
class QAbstractButton;
class QLabel;
class QSlider;
class Shape;

// The function generator of one channel: frmGBFA feeds CH1, frmGBFB CH2.
// It writes the channel's range, frequency, amplitude, waveform word and
// connection, and publishes its switch, duty and offset settings and its
// square-wave lamp for the scope and the meters while it is loaded.
class frmGBF : public FenetreSource {
    Q_OBJECT
public:
    frmGBF(int voie);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    void chkOn_Click();
    void optGamme_Click(int index);
    void optSignal_Click(int index);
    void Potentio_MouseMove(int index, int bouton);
    void Potentio_DblClick(int index);
    void sldReglage_Scroll(int index);

    std::array<Potentio_Creme*, 4> Potentio{};
    std::array<QSlider*, 4> sldReglage{};
    std::array<QAbstractButton*, 6> optGamme{};
    std::array<Shape*, 6> shpFreq{};
    std::array<QAbstractButton*, 3> optSignal{};
    std::array<Shape*, 3> shpSignal{};
    QAbstractButton* chkOn = nullptr;
    ImageBox* imgOn = nullptr;
    ImageBox* imgSignal = nullptr;
    QLabel* lblFreq = nullptr;
    QLabel* lblUnite = nullptr;

protected:
    void recalculerBranchement() override;

private:
    void ecrireFrequence(double frequence, Rythme rythme);
    // Changes the channel, with the offset and duty the knobs give, at the
    // pace given.
    void regler(Rythme rythme, const std::function<void(EtatVoie&)>& modification = {});
    void allumerLampes();
    int gammeChoisie() const;
    int signalChoisi() const;
    // A duty or offset knob, or the fine slider below it, moved to this.
    void noterBouton(int index);
    void noterFin(int index, int valeur);

    // The waveform lamp lit (0..2), -1 when none is.
    int lampeSignal_ = -1;
    // The switch, the duty and offset settings and the square lamp, as the
    // controls were left; the generator's offset and duty follow from them.
    ReglagesGBF reglages_;
    ValeurPubliee<ReglagesGBF> reglagesPublies_;
};
