#include "bench/GammesGenerateur.h"

#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Shape.h"
#include "services/EtatBanc.h"
#include "services/Sensibilite.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>

const GammeFrequence kGammesFrequence[6] = {
    {"100k", 100000, "kHz"}, {"10k", 10000, "kHz"}, {"1k", 1000, "kHz"},
    {"100", 100, "Hz"},      {"10", 10, "Hz"},      {"1", 1, "Hz"},
};

const char kBulleBorne[] = "Cliquer ici pour mettre en place la fiche de connexion";
const char kBulleBorneCom[] = "Cliquer ici pour mettre en place la fiche de connexion sur la borne COM";

void relierGammes(QWidget* fenetre, std::array<QAbstractButton*, 6>& options, std::array<Shape*, 6>& lampes,
                  const std::function<void(int)>& choisie)
{
    auto* groupe = new QButtonGroup(fenetre);
    for (int i = 0; i < 6; ++i) {
        options[size_t(i)] = control<QAbstractButton>(fenetre, "optGamme", i);
        lampes[size_t(i)] = control<Shape>(fenetre, "shpFreq", i);
        lampes[size_t(i)]->setKind(Shape::Lamp);
        groupe->addButton(options[size_t(i)]);
        QObject::connect(options[size_t(i)], &QAbstractButton::toggled, fenetre, [choisie, i](bool coche) {
            if (coche)
                choisie(i);
        });
    }
}

void presenterUnite(QLabel* unite)
{
    unite->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    unite->setStyleSheet(QStringLiteral("background: rgb(12, 14, 12); color: rgb(60, 255, 90); font-weight: bold;"));
}

void presenterMarche(QAbstractButton* interrupteur, ImageBox* image, const QString& nom)
{
    const bool allume = interrupteur->isChecked();
    interrupteur->setText(allume ? QStringLiteral("Off") : QStringLiteral("On"));
    image->setPicture(allume ? QStringLiteral(":/scope/power_on.svg") : QStringLiteral(":/scope/power_off.svg"));
    image->setToolTip(nom + (allume ? QStringLiteral(" allumé") : QStringLiteral(" éteint")));
}

void AfficherFrequence(int voie, QLabel* affichage)
{
    if (voie < 0 || voie > 1 || !affichage)
        return;
    const QString texte = TexteFrequence(Banc().voies[size_t(voie)].Frequence, Banc().voies[size_t(voie)].Gamme);
    if (texte.isEmpty())
        return;
    affichage->setText(texte);
}
