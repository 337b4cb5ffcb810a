#pragma once

#include "platform/Forms.h"

#include <array>

class QLineEdit;

// Asks the student's name, first name and class before the first evaluated
// run. Hidden, not closed, when confirmed, so the identity stays for later
// runs; an empty name afterwards means the student gave up.
class frmName : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmName";
    frmName();

    void cmdOK_Click();
    void cmdAnnul_Click();
    void cmdEnd_Click();
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;

    // Indexes 1 to 3: name, first name, class (0 unused).
    std::array<QLineEdit*, 4> txtIdent{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
