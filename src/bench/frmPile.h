#pragma once

#include "bench/FenetreSource.h"

#include <array>

class ImageBox;
class QAbstractButton;

// The battery of one channel: frmPileA feeds CH1, frmPileB CH2. Its voltage
// (1.5, 4.5 or 9 V) is the battery option chosen in the toolbox; the user
// chooses which terminal goes to the channel input. It has no switch and no
// plugs: it delivers while its window is open, and closing the window leaves
// the battery on the channel.
class frmPile : public FenetreSource {
    Q_OBJECT
public:
    struct ModelePile {
        double tension;
        int optionA; // the CH1 toolbox option
        int optionB; // the CH2 toolbox option
        const char* image;
    };
    static const std::array<ModelePile, 3> kModeles;

    frmPile(int voie);

    void Form_Load() override;
    // Each time the window becomes the active one, the first showing too.
    void Form_Activate();
    void optPolarite_Click(int index);

    ImageBox* imgPile = nullptr;
    std::array<QAbstractButton*, 2> optPolarite{};
    // +1: positive terminal on the channel input, −1: negative terminal.
    int Polarite = 1;

protected:
    void recalculerBranchement() override;
    bool eventFilter(QObject* objet, QEvent* e) override;
};
