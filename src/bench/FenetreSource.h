#pragma once

#include "platform/Forms.h"

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
    // connection and the scope redraws.
    void basculerFiche(int i);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

protected:
    // The terminals and plugs of the design ("imgBorne(i)", "imgFiche(i)")
    // and the lead marks filled with the channel's colour.
    void relierBornes(int nombre, const char* marques);
    // The source's own connected flag from its plugs and switch.
    virtual void recalculerBranchement() = 0;
    QString suffixe() const;

private:
    int voie_;
    Description description_;
    QList<ImageBox*> fiches_;
    QList<Shape*> marques_;
};
