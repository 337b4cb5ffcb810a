#pragma once

#include "platform/Forms.h"

// The tip of the day.
class frmTip : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmTip";
    frmTip();
};
