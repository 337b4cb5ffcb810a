#pragma once

#include "platform/Forms.h"

#include <array>

class ImageBox;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The answer window of an evaluated run: for each channel DC or AC, the
// waveform, the peak voltage and the frequency; "Validation des réglages"
// scores the picture, "Wavixgrammes suivants" asks for the next one.
class frmExo : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmExo";
    frmExo();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    // Ready for a new picture, with its caption.
    void preparer(const QString& legende);
    void optACDC_Click(int voie);
    void cmdNext_Click();
    void cmdNextWavix_Click();

    // Per channel (0 A, 1 B): DC and AC choices, list, boxes.
    std::array<QRadioButton*, 2> optContinu{};
    std::array<QRadioButton*, 2> optAlternatif{};
    std::array<QComboBox*, 2> cmbSignal{};
    std::array<QLineEdit*, 2> txtUmax{};
    std::array<QLineEdit*, 2> txtFreq{};
    std::array<QLabel*, 8> lblReponse{};
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdNextWavix = nullptr;
    ImageBox* imgLight = nullptr;
    QLabel* lblScore = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // "Veuillez saisir un chiffre." with the box that wants it.
    QString messageChiffre(const QLineEdit* boite) const;
    void saisieActivee(bool active);
    QList<QLineEdit*> boites() const;
};
