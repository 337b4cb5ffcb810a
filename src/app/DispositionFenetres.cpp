#include "app/DispositionFenetres.h"

#include "app/MDIWavix.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "platform/VbConversions.h"
#include "scope/frmWavix.h"
#include "services/EtatBanc.h"
#include "services/PositionFenetre.h"

#include <QAction>

using namespace placement;

namespace {

// The default layout, in twips inside the main window.
constexpr double kScopeGauche = 720;
constexpr double kScopeHaut = 0;
constexpr double kHautVoieB = 4935;
constexpr double kLargeurColonne = 4125; // the stopwatch is centred in it

QPoint pixels(double gaucheTwips, double hautTwips)
{
    return {twipsToPixels(gaucheTwips), twipsToPixels(hautTwips)};
}

} // namespace

void PositionnerFenetres()
{
    VbForm* scope = Forms().get<frmWavix>();
    scope->Move(kScopeGauche, kScopeHaut);
    const double gauche = scope->Left();
    const double haut = scope->Top();
    const double hauteur = scope->Height();
    const double colonne = gauche + scope->Width();

    // The windows to place with their designed places (twips), in order.
    struct AFaire {
        VbForm* fenetre;
        QPoint voulu;
    };
    QList<AFaire> aFaire;
    const auto ajouter = [&aFaire](const QString& nom, double x, double y) {
        if (VbForm* f = Forms().find(nom))
            aFaire.append({f, pixels(x, y)});
    };
    const MDIWavix* mdi = MDIWavix::instance();
    if (const frmToolBox* boite = Forms().find<frmToolBox>()) {
        for (int option = 0; option < int(boite->optConnexion.size()); ++option) {
            const QString fenetre = FenetreOption(option);
            if (!fenetre.isEmpty() && boite->optionChoisie(option))
                ajouter(fenetre, colonne, VoieOption(option) == 0 ? 0 : kHautVoieB);
        }
    }
    if (mdi && !Banc().modeLibre)
        ajouter(QStringLiteral("frmExo"), colonne, 0);
    if (mdi && Banc().chronoAffiche) {
        if (VbForm* chrono = Forms().find(QStringLiteral("frmChrono")))
            aFaire.append({chrono, pixels(colonne + (kLargeurColonne - chrono->Width()) / 2,
                                          haut + hauteur - chrono->Height())});
    }
    if (mdi && Banc().multimetreAffiche)
        ajouter(NomMultimetre(), gauche, hauteur);

    for (const AFaire& a : aFaire)
        a.fenetre->frame()->move(a.voulu);
    const QRect zone = scope->visibleArea();
    if (zone.isEmpty())
        return;
    for (AFaire& a : aFaire)
        a.voulu = placeVoulue(cadrePixels(a.fenetre), zone);

    // Each window at its place when that leaves the others clear, else at
    // the nearest place that does. When the designed order leaves a window
    // over another, the largest windows find room first, if that leaves them
    // all clear.
    QList<VbForm*> places;
    for (const AFaire& a : aFaire)
        places << a.fenetre;
    const auto disposer = [&](const QList<AFaire>& ordre) {
        QList<QPoint> coins;
        long total = 0;
        QList<QRect> prises = placesPrises(places);
        for (const AFaire& a : ordre) {
            const Place p = meilleurePlace(cadrePixels(a.fenetre).size(), a.voulu, zone, prises);
            coins << p.coin;
            total += p.recouvrement;
            prises << QRect(p.coin, cadrePixels(a.fenetre).size());
        }
        return std::make_pair(total, coins);
    };
    auto [recouvrement, coins] = disposer(aFaire);
    QList<AFaire> ordre = aFaire;
    if (recouvrement > 0) {
        QList<AFaire> parTaille = aFaire;
        std::stable_sort(parTaille.begin(), parTaille.end(), [](const AFaire& a, const AFaire& b) {
            return aire(cadrePixels(a.fenetre)) > aire(cadrePixels(b.fenetre));
        });
        auto [autre, autresCoins] = disposer(parTaille);
        if (autre == 0) {
            coins = autresCoins;
            ordre = parTaille;
        }
    }
    for (qsizetype i = 0; i < ordre.size(); ++i) {
        ordre[i].fenetre->frame()->move(coins[i]);
        // A round window's face is painted afresh at its new place.
        ordre[i].fenetre->update();
    }
}
