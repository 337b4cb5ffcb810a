#pragma once

#include "bench/FenetreSource.h"
#include "platform/VbTimer.h"

#include <array>

class ImageBox;
class QAbstractButton;
class QCursor;

// The mains socket of one channel: frmEDFA feeds CH1, frmEDFB CH2. Its
// region sets the peak voltage and the frequency of the sine; a live pair of
// plugs (neutral-phase or phase-earth) puts it on the channel, neutral-earth a
// flat 0 V. At most two plugs are in.
class frmEDF : public FenetreSource {
    Q_OBJECT
public:
    enum Borne { Neutre = 0, Phase = 1, Terre = 2 };
    struct Region {
        const char* legende;
        double crete;     // volts
        double frequence; // hertz
    };
    static const std::array<Region, 3> kRegions;

    frmEDF(int voie);

    void Form_Load() override;
    void imgBorne_Click(int i) override;
    void optWorld_Click(int index);
    void Timer1_Timer();

    std::array<QAbstractButton*, 3> optWorld{};
    ImageBox* imgLogo = nullptr;
    VbTimer Timer1;

protected:
    void recalculerBranchement() override;
    bool eventFilter(QObject* objet, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    int regionChoisie() const;
    bool neutreTerre() const;
};

// The pointer over the mains terminals: a plug about to go in.
const QCursor& CurseurFiche();
