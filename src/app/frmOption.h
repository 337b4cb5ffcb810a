#pragma once

#include "platform/Forms.h"

// The options dialog; it stays loaded, hidden, as the preferences' store.
class frmOption : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmOption";
    frmOption();
};
