#pragma once

#include "platform/Forms.h"

#include <cstdint>

class QAbstractButton;
class QLabel;
class QSlider;
class VbTimer;

// The stopwatch: a round window that counts minutes, seconds and tenths from
// the performance counter, pauses and goes on, is reset, and
// can beep at every whole number of seconds of a chosen interval. The
// toolbox's stopwatch box and the menu's tick follow it open or closed.
class frmChrono : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmChrono";
    // Face colours: at rest, while counting (the active title bar's colour)
    // and during an alarm.
    static constexpr int64_t kFaceRepos = 0xC0C0C0;
    static constexpr int64_t kFaceActive = 0x80000002;
    static constexpr int64_t kFaceAlarme = 255;

    frmChrono();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    void chkStart_Stop_Click();
    void cmdRAZ_Click();
    void cmdEnd_Click();
    void chkAlarme_Click();
    void tmrChrono_Timer();

    int64_t BackColor() const { return couleurFace_; }

    QLabel* lblTime = nullptr;
    QLabel* lblEcran = nullptr;
    QLabel* lblStop = nullptr;
    QLabel* lblOnOff = nullptr;
    QLabel* lblAlarme = nullptr;
    QAbstractButton* chkStart_Stop = nullptr;
    QAbstractButton* cmdRAZ = nullptr;
    QAbstractButton* cmdEnd = nullptr;
    QAbstractButton* chkAlarme = nullptr;
    QSlider* sldAlarme = nullptr;
    VbTimer* tmrChrono = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setFace(int64_t couleur);
    // The window's frame cut to the circle of the face.
    void arrondir();

    // Paints the lamps STOP or ARRET, MARCHE and ALARME from the state.
    void peindreEtat();

    int64_t ChronoStart = 0;
    // The counts elapsed at the last tick, the time shown: a freeze keeps
    // it, and the count continues from it.
    int64_t ecouleAffiche_ = 0;
    int64_t couleurFace_ = kFaceRepos;
    // Stopped (STOP lit), counting (MARCHE lit), or paused on the time
    // shown (ARRET lit); and the alarm chosen.
    enum Etat { Arrete, EnMarche, Fige };
    Etat etat_ = Arrete;
    bool alarme_ = false;
};

// The stopwatch's display for e seconds: minutes (three digits past 99),
// a colon, seconds and tenths with a comma. Whole tenths come first, so
// 59.96 s reads "01:00,0".
QString TexteChrono(double secondes);

// The stopwatch's alarm beep, played through the program's sound helper.
void JouerBip();
