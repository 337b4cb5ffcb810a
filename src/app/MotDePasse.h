#pragma once

#include "platform/Forms.h"

class QLineEdit;

// The teacher password, kept in the user's own program settings as the
// Argon2id hash of its lower-cased text; empty means no password. An older
// value (a "sha256$salt$hash", or the password itself set by hand) is still
// accepted, and its first right entry stores it again as Argon2id. Saving
// returns false when the settings could not be written.
bool MotDePasseCorrect(const QString& saisie);
bool EnregistrerMotDePasse(const QString& nouveau);
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

// Changes the password, given the old one and the new one typed twice.
class frmPassWord : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmPassWord";
    frmPassWord();
    void cmdOK_Click();
    void Command1_Click() { Unload(); }
    QLineEdit* txtPassWord[3] = {};
};
