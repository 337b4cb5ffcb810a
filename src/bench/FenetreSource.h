#pragma once

#include "platform/Forms.h"
#include "services/ModeleBanc.h"

#include <QList>

class ImageBox;
class Shape;

// What every source window shares: one window per channel (0 CH1, 1 CH2),
// its place kept in "Interface"/"PosX <w>" and "PosY <w>", plugs that go in
// and out on its terminals, the channel's colour on its lead marks, F1 help,
// and, when the user closes it, the channel's "none" option selected in the
// toolbox.
class FenetreSource : public VbForm {
    Q_OBJECT
public:
    struct Description {
        const char* suffixe;   // w of the position keys, without A / B
        double hautDefautB;    // default Top of the CH2 window (CH1: 0)
        int optionA;           // the CH1 toolbox option (0 when several)
        int optionB;           // the CH2 toolbox option
        int rubriqueAide;      // 0: no F1 help
        bool choisitAucune;    // closing selects the channel's "none" option
    };

    FenetreSource(const QString& nom, int voie, const Description& description);

    int voie() const { return voie_; }
    // A plug is in on terminal i.
    bool fichePlacee(int i) const;
    // Toggles the plug on terminal i, then the source recomputes its
    // connection (which the bench model tells).
    void basculerFiche(int i);
    // A click on terminal i, and on the plug in it; both toggle the plug
    // unless the source has its own rules.
    virtual void imgBorne_Click(int i) { basculerFiche(i); }
    virtual void imgFiche_Click(int i) { basculerFiche(i); }

    void Form_Load() override;
    // The lead marks take the channel's trace colour.
    void colorerMarques();
    void Form_Unload(bool& cancel) override;

protected:
    // This source's channel as the bench model has it, and a change of it,
    // which the model tells.
    const EtatVoie& canal() const { return Banc().voies[size_t(voie_ == 1 ? 1 : 0)]; }
    void modifierCanal(const std::function<void(EtatVoie&)>& modification, Rythme rythme = Rythme::Immediat) const
    {
        Modele().modifierVoie(voie_, modification, rythme);
    }
    // The terminals and plugs of the design ("imgBorne(i)", "imgFiche(i)")
    // and the lead marks filled with the channel's colour (none: nullptr).
    // Plugs that cannot be clicked let the click through to their terminal.
    void relierBornes(int nombre, const char* marques, bool fichesCliquables = true);
    // Puts plug i in or takes it out, nothing more.
    void placerFiche(int i, bool placee);
    ImageBox* fiche(int i) const { return fiches_.value(i); }
    // The source's own connected flag from its plugs and switch, into the
    // bench model.
    virtual void recalculerBranchement() = 0;
    QString suffixe() const;

private:
    int voie_;
    Description description_;
    QList<ImageBox*> fiches_;
    QList<Shape*> marques_;
};
