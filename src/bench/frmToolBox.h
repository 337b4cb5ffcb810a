#pragma once

#include "platform/Forms.h"
#include "services/RequetesBanc.h"
#include "services/ValeurPubliee.h"

#include <array>

class QAbstractButton;
class QGroupBox;

// The toolbox: which source feeds each channel (one option group per
// channel), and the boxes that open the multimeter, the stopwatch and the
// calculator.
class frmToolBox : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmToolBox";
    frmToolBox();

    void Form_Load() override;

    // Option 0..17 (0 and 11: no source on CH1, CH2).
    bool optionChoisie(int index) const;
    // Selects an option as a click does, running its handler. Choosing again
    // the selected option leaves an open source window as it is (shown);
    // "none" or a source whose window is closed runs again.
    void choisir(int index);
    void optConnexion_Click(int index);
    void chkMulti_Click();
    void chkClock_Click();
    void chkCalc_Click();

    // The "none" options take the main window's background.
    void colorerFond();
    // Each channel's group takes its trace colour.
    void colorerVoies();
    // The multimeter button shows the multimeter in use.
    void afficherMultimetre();
    // Unticks the calculator box without running its handler (a calculator
    // that could not start).
    void decocherCalculatrice();

    std::array<QAbstractButton*, 18> optConnexion{};
    std::array<QGroupBox*, 2> fraAlim{};
    QAbstractButton* chkMulti = nullptr;
    QAbstractButton* chkClock = nullptr;
    QAbstractButton* chkCalc = nullptr;

private:
    // The options and the multimeter and calculator boxes as they stand.
    ChoixBoiteOutils choix() const;

    ValeurPubliee<ChoixBoiteOutils> choixPublie_;
};

// The source window option 0..17 opens (empty for "none") and its channel.
QString FenetreOption(int index);
int VoieOption(int index);
// The multimeter the toolbox opens: the school one when "Multimetre college"
// of "Options" is not "0", else the true-RMS one.
QString NomMultimetre();

// Closes the source windows of the channel the option belongs to.
void DebrancherSources(int index);
