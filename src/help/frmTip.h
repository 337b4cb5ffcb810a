#pragma once

#include "platform/Forms.h"
#include "platform/TextFiles.h"

#include <QStringList>

// The tip of the day: one tip drawn at random from the tips file, another on
// demand, and the choice of showing it at start-up.
// The largest tips file read.
constexpr qint64 kTailleMaxAstuces = 1 << 20;

class frmTip : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmTip";
    frmTip();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    // False when the file does not exist or is refused (no regular file,
    // over kTailleMaxAstuces), with the reason in etat; otherwise every line
    // is a tip.
    bool LoadTips(const QString& chemin, FileStatus* etat = nullptr);
    void NextRandomTip();
    void DisplayCurrentTip();
    void cmdNextTip_Click() { NextRandomTip(); }
    void cmdOK_Click() { Unload(); }

    const QStringList& Tips() const { return tips_; }
    int CurrentTip() const { return currentTip_; }

private:
    QStringList tips_;
    int currentTip_ = 0; // 1-based
};
