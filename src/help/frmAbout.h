#pragma once

#include "platform/Forms.h"

#include <QStringList>

// The About box: title, version, description, legal notice and credits, and
// the desktop's system-information program.
class frmAbout : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmAbout";
    frmAbout();

    void Form_Load() override;
    void cmdOK_Click();
    void cmdSysInfo_Click() { StartSysInfo(); }
    // Starts the first installed system-information program; the message
    // "not available" when there is none or it cannot start.
    void StartSysInfo();
};

// The system-information programs looked for, in order (tests name their own).
QStringList& ProgrammesInfosSysteme();
