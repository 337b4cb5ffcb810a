#pragma once

#include "platform/Forms.h"

class QLineEdit;

// The teacher password, kept in the user's own program settings as the
// Argon2id hash of its lower-cased text; empty means no password. An older
// value (a "sha256$salt$hash", or the password itself set by hand) is still
// accepted, and its first right entry stores it again as Argon2id. Saving
// returns false when the settings could not be written.
//
// In the prepared classroom one password serves every account: the file
// <data>/Brelmar/Wavix/Professeur/MotDePasseClasse of the teacher's, readable
// by all and so an Argon2id hash; the accounts' own settings are never read
// there (a student would set his own). Only the teacher's account changes
// it, and a missing, empty, unreadable or damaged file opens nothing.
bool MotDePasseCorrect(const QString& saisie);
bool EnregistrerMotDePasse(const QString& nouveau);
bool MotDePasseVide();
// Why no teacher's command can open now, in French, naming the file and the
// command that mends it; empty when the password can be asked.
QString MotDePasseFerme();

// "Changer le mot de passe": the old password, the new one typed twice.
// What to tell the user (a message box's text and style), and whether the
// new one was stored.
struct ChangementMotDePasse {
    bool enregistre = false;
    QString message;
    int style = 0;
};
ChangementMotDePasse ChangerMotDePasse(const QString& ancien, const QString& nouveau, const QString& confirmation);

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

// Changes the password, given the old one and the new one typed twice. In
// the classroom, on any account but the teacher's, it only says that his
// account alone can change it.
class frmPassWord : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmPassWord";
    frmPassWord();
    void Form_Load() override;
    void cmdOK_Click();
    void Command1_Click() { Unload(); }
    QLineEdit* txtPassWord[3] = {};
};
