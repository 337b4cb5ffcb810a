#pragma once

#include "platform/Forms.h"

class QLabel;

// The mark out of 20 at the end of a run, written to the results file, and
// the way on: another exercise file, free mode, or quit. No close box is
// asked for; Escape, or a close box the window manager draws, is free mode.
class frmNote : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmNote";
    enum Choix { AutreFichier = 0, ModeLibre = 1, Quitter = 2 };

    frmNote();
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;
    void cmdChoice_Click(int index);
    // The choice made; free mode when the window went otherwise.
    int choix() const { return choix_; }

    QLabel* lblNote = nullptr;

private:
    int choix_ = ModeLibre;
};
