#pragma once

#include "platform/Forms.h"

#include <array>

// The scope window.
class frmWavix : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmWavix";
    frmWavix();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    // The value of a front-panel knob: 0 trace width (focus), 1 brightness.
    float potentioValue(int index) const { return potentio_[size_t(index)]; }

private:
    std::array<float, 8> potentio_{};
};
