#pragma once

#include "platform/Forms.h"

#include <array>

class QLineEdit;

// Asks the student's name, first name and class before each evaluated run
// started from the menu. Hidden, not closed, when confirmed, so the boxes
// start with the last identity given: it opens at the name, its text
// selected, so that the same student confirms with Enter and the next one
// types over it. An empty name afterwards means the student gave up.
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
    void showEvent(QShowEvent* event) override;
};
