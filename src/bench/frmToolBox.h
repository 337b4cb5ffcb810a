#pragma once

#include "platform/Forms.h"

// The toolbox that connects the sources and opens the instruments.
class frmToolBox : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmToolBox";
    frmToolBox();

    void Form_Load() override;
};
