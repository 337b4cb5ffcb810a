#pragma once

#include "platform/Forms.h"

class QLineEdit;

// The teacher password, kept in the user's own program settings as a salted
// hash of its lower-cased text; empty means no password.
bool MotDePasseCorrect(const QString& saisie);
void EnregistrerMotDePasse(const QString& nouveau);
bool MotDePasseVide();

// Asks the password before a teacher's command; a right one gives the
// teacher's rights until the password changes or the program ends.
class frmPass : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmPass";
    frmPass();
    void Form_Load() override;
    void cmdOK_Click();
    void cmdQuit_Click() { Unload(); }
    QLineEdit* txtPassWord = nullptr;
};

// Changes the password, given the old one.
class frmPassWord : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmPassWord";
    frmPassWord();
    void cmdOK_Click();
    void Command1_Click() { Unload(); }
    QLineEdit* txtPassWord[2] = {};
};
