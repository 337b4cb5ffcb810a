#pragma once

#include "app/FrmFlottante.h"
#include "platform/Forms.h"

#include <array>

class PictureBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Shape;

// The options dialog: the user's preferences on three tabs. It stays loaded,
// hidden, as the store of the colours and printing choices, and reads the
// settings file again each time it is loaded.
class frmOption : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmOption";
    frmOption();
    ~frmOption() override;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;
    void cmdOK_Click();
    void cmdAppliq_Click();
    void cmdCancel_Click();
    void cmdChange_Click();
    void cmdColor_Fond_Click();
    void cmdDefault_Click();
    void cmdPrint_Click();
    void picColor_Fond_DblClick();
    // Marker controls of the channel enabled when its "Personnalisée" is chosen.
    void optMarque_Click(int voie);

    // Fills the five screen swatches.
    void remplirCouleurs(const std::array<int32_t, 5>& couleurs);
    // Paints one screen swatch 0..4, and keeps the colours the swatches show
    // where the brightness knob reads them (CouleursEchantillons).
    void colorerEchantillon(int index, int32_t couleur);

    QTabWidget* sstOptions = nullptr;
    PictureBox* picColor_Fond = nullptr;
    QCheckBox* chkToolTip = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;
    QCheckBox* chkReglage = nullptr;
    QCheckBox* chkCopySensibility = nullptr;
    QCheckBox* chkMultimetre = nullptr;
    std::array<QRadioButton*, 5> optColor{};
    std::array<Shape*, 5> shpColor{};
    // Per channel, 0 CH1 and 1 CH2.
    std::array<QComboBox*, 2> cbxStyle{};
    // optMarque[voie][0] "Aucune", [1] "Personnalisée" (optMarqueA, optMarqueB).
    std::array<std::array<QRadioButton*, 2>, 2> optMarque{};
    std::array<QLabel*, 2> lblMarque{};
    std::array<QComboBox*, 2> cbxMarque{};
    std::array<QLabel*, 2> lblWidth{};
    std::array<QComboBox*, 2> cbxWidth{};

private:
    // The colours back to those applied last: a colour taken at once by
    // "Changer" is no choice until "Appliquer" or "OK".
    void reprendreCouleurs();

    FrmFlottante flottante_;
    std::array<int32_t, 5> couleursAppliquees_{};
    bool appliquee_ = false; // OK pressed: the unload keeps the colours
};

// The screen colour sets of the options dialog: CH1, CH2, graticule,
// screen background, border.
inline constexpr std::array<int32_t, 5> kCouleursEcran{65535, 4227072, 0, 10135975, 0};

// Settings file → the loaded dialog's controls and the colour variables (its
// load handler).
void ChargerPreferencesDans(frmOption* options);
// The dialog's controls → settings file, then applied to the open windows.
void EnregistrerPreferences();
