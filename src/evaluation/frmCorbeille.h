#pragma once

#include "platform/Forms.h"

class QListWidget;
struct TrashResult;

// Sends the exercise files of the data folder that the teacher selects to
// the desktop's trash, from which they can be restored: each after its own
// question, into the user's own trash only.
class frmCorbeille : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmCorbeille";
    frmCorbeille();

    void Form_Load() override;
    void cmdKill_Click();
    void cmdCancel_Click();

    // The folder listed, with its trailing "/".
    QString dossier() const { return dossier_; }

    QListWidget* flbQVT = nullptr;

private:
    void lireDossier();
    static QString raisonRefus(const TrashResult& refus);

    QString dossier_;
    bool choixFait_ = false; // a file was clicked since the list was read
};
