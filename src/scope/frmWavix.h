#pragma once

#include "platform/Forms.h"
#include "platform/VbTimer.h"
#include "services/PanneauScope.h"

#include <array>
#include <cstdint>
#include <optional>

class ImageBox;
class QAbstractButton;
class PictureBox;
class Potentio_Creme;
class QCheckBox;
class QLabel;
class QPushButton;
class Shape;

// The scope window: its front panel's lamps, power switch, plugs and
// screen, and the panel's value the trace engine reads.
class frmWavix : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmWavix";
    frmWavix();

    void Form_Load() override;
    // The channel inputs' marks take the trace colours.
    void colorerConnexions();
    void Form_Unload(bool& cancel) override;

    // Scope on; its power button then reads "Off".
    bool estAllume() const { return panneau_.allume; }

    const PanneauScope& panneau() const { return panneau_; }
    // The panel set to a value: the lamps, switches and knobs painted from
    // it, a click heard for each knob list that changes position, the main
    // window's menu item ticked as the full-screen flag.
    void changerPanneau(const PanneauScope& panneau);
    void chkOn_Click();
    // Places or removes plug 0 (CH1), 1 (CH2) or 2 (ground).
    void basculerFiche(int index);
    bool fichePlacee(int index) const { return fiches_[size_t(index)]; }

    // The front-panel knobs 0..7: 0 focus, 1 intensity, 2 horizontal
    // position, 3 and 4 vertical positions, 5 time base, 6 and 7 sensitivities.
    float potentioValue(int index) const;
    float potentioMax(int index) const;
    void setPotentioValue(int index, float value);
    // The traces' width the focus knob gives, in pixels: 1 at its middle,
    // one more for each step away from it.
    int epaisseurTrace() const;
    // The traces' brightness the intensity knob gives: 0 is the screen's
    // background, 1 the colours at full.
    double luminositeTrace() const;

    void cmdVoie_Click(int index);
    void cmdACDC_Click(int index);
    void Potentio_DblClick(int index);
    void picEcran_MouseMove(int bouton, int shift, double x, double y);
    // Opens the full-screen view.
    void picEcran_DblClick();

    std::array<Potentio_Creme*, 8> Potentio{};
    std::array<ImageBox*, 3> imgFiche{};
    ImageBox* imgOn = nullptr;
    QLabel* lblPositionCurseur = nullptr;
    std::array<Shape*, 6> shpVoie{};
    std::array<Shape*, 6> shpACDC{};
    std::array<QLabel*, 6> lblVoie{};
    QAbstractButton* chkOn = nullptr;
    QCheckBox* chkFFT = nullptr;
    QCheckBox* chkAuto = nullptr;
    PictureBox* picEcran = nullptr;
    PictureBox* picGrille = nullptr;
    PictureBox* picEcranPrint = nullptr;
    VbTimer tmrSpot;
    VbTimer tmrXY;
    // The refreshes a knob being turned asks for, one a frame at most (see
    // DemanderActualisation); it runs while they come.
    VbTimer tmrReglage;
    // The XY animation's clock, restarted when the mode steps into XY.
    double TempsXY = 0;
    // Performance-counter stamp of the XY figure's last tick; none before
    // the first tick of a figure.
    std::optional<int64_t> XYLast;

    // The animations' ticks: the spot of the slow time bases, the XY figure.
    void tmrSpot_Timer();
    void tmrXY_Timer();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relier();
    void jouerClic();
    void peindrePanneau();

    std::array<bool, 3> fiches_{};
    PanneauScope panneau_;
};
