#pragma once

#include "platform/Forms.h"

#include <functional>
#include <optional>
#include <utility>

// A value a window publishes for the other instruments while it is loaded,
// through ecrire() (the bench model's setter): none before its load handler
// opens it, the window's settings as lire() reads them at each publier() from
// then on, and none again once the window is unloaded or destroyed. publier() before ouvrir() does nothing, so the
// signals a window's controls raise while it is being built publish nothing.
template <class Valeur>
class ValeurPubliee {
public:
    ValeurPubliee(VbForm* fenetre, std::function<void(const std::optional<Valeur>&)> ecrire,
                  std::function<Valeur()> lire)
        : ecrire_(std::move(ecrire)), lire_(std::move(lire))
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
            ecrire_(lire_());
    }

private:
    void retirer()
    {
        if (!ouverte_)
            return;
        ouverte_ = false;
        ecrire_(std::nullopt);
    }

    std::function<void(const std::optional<Valeur>&)> ecrire_;
    std::function<Valeur()> lire_;
    bool ouverte_ = false;
};
