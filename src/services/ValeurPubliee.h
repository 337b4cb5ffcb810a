#pragma once

#include "platform/Forms.h"

#include <functional>
#include <optional>
#include <utility>

// A value a window publishes for the other instruments while it is loaded:
// none before its load handler opens it, the window's settings as lire()
// reads them at each publier() from then on, and none again once the window
// is unloaded or destroyed. publier() before ouvrir() does nothing, so the
// signals a window's controls raise while it is being built publish nothing.
template <class Valeur>
class ValeurPubliee {
public:
    ValeurPubliee(VbForm* fenetre, std::optional<Valeur>& cible, std::function<Valeur()> lire)
        : cible_(cible), lire_(std::move(lire))
    {
        QObject::connect(fenetre, &VbForm::unloaded, fenetre, [this] { retirer(); });
    }
    ~ValeurPubliee() { retirer(); }
    ValeurPubliee(const ValeurPubliee&) = delete;
    ValeurPubliee& operator=(const ValeurPubliee&) = delete;

    void ouvrir()
    {
        ouverte_ = true;
        publier();
    }
    void publier()
    {
        if (ouverte_)
            cible_ = lire_();
    }

private:
    void retirer()
    {
        if (!ouverte_)
            return;
        ouverte_ = false;
        cible_.reset();
    }

    std::optional<Valeur>& cible_;
    std::function<Valeur()> lire_;
    bool ouverte_ = false;
};
