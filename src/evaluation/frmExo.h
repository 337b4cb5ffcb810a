#pragma once

#include "platform/Forms.h"

// The answer window of an evaluated run.
class frmExo : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmExo";
    frmExo();
    // Ready for a new picture, with its caption.
    void preparer(const QString& legende);
};
