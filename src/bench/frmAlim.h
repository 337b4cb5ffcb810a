#pragma once

#include "bench/FenetreSource.h"

#include <array>

class ImageBox;
class Potentio_Creme;
class QAbstractButton;
class QLabel;

// The bench DC supply of one channel: frmAlimA feeds CH1, frmAlimB CH2.
// 0 to 30 V from a coarse and a fine knob; the channel's lead on NEG gives
// the negative voltage, on POS the positive one, and the supply delivers
// once it is on with COM plugged too.
class frmAlim : public FenetreSource {
    Q_OBJECT
public:
    enum Borne { NEG = 0, POS = 1, COM = 2 };

    frmAlim(int voie);

    void Form_Load() override;

    void chkOnOff_Click();
    void Potentio_MouseMove(int index, int bouton);
    void Potentio_DblClick(int index);
    void imgBorne_Click(int i) override;
    void imgFiche_Click(int i) override;
    // Shows the channel's voltage.
    void AfficherTensionAlim();

    std::array<Potentio_Creme*, 3> Potentio{};
    QAbstractButton* chkOnOff = nullptr;
    ImageBox* imgOn = nullptr;
    QLabel* lblAffichage = nullptr;
    QLabel* lblSigne = nullptr;
    QLabel* lblLEDCourant = nullptr;

protected:
    void recalculerBranchement() override;

private:
    // The voltage given the sign of the lead in place, into the channel, and
    // shown.
    void ecrireTension(double tension, Rythme rythme);
};

// The voltage display's text: two decimals below 10 V, one from 10 V up,
// always with a decimal point.
QString TexteTensionAlim(double volts);
