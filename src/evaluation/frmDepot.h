#pragma once

#include "platform/Forms.h"

// Asks, in network use, for the deposit folder that receives the results.
class frmDepot : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmDepot";
    frmDepot();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void cmdOK_Click();
};
