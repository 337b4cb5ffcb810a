#include "bench/frmPile.h"

#include "services/RequetesBanc.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "services/EtatBanc.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <cmath>
#include <optional>

namespace {

constexpr int kRubriqueAide = 3100;

const FenetreSource::Description kDescription{"Pile", 3000, 0, 0, kRubriqueAide, false};

// The window is 3000 twips high with its title bar; the picture is centred
// in what lies below it.
constexpr int kHauteur = 2490;

const FormDesign kDesign{
    "Pile - Voie CH1",
    4440,
    kHauteur,
    {
        {ControlKind::Image, "imgPile", -1, 240, 0, 1500, 1500},
        {ControlKind::OptionButton, "optPolarite", 0, 1800, 780, 2610, 330, "Borne positive sur voie CH1"},
        {ControlKind::OptionButton, "optPolarite", 1, 1800, 1290, 2610, 330, "Borne négative sur voie CH1"},
    },
};

// Each picture's size in twips, as drawn.
struct TailleImage {
    int largeur;
    int hauteur;
};
const TailleImage kImages[3] = {{720, 2100}, {1560, 1800}, {1140, 1980}};

} // namespace

const std::array<frmPile::ModelePile, 3> frmPile::kModeles{{
    {1.5, 3, 8, ":/bench/pile_15.svg"},
    {4.5, 4, 7, ":/bench/pile_45.svg"},
    {9, 5, 6, ":/bench/pile_9.svg"},
}};

frmPile::frmPile(int voie)
    : FenetreSource(voie == 0 ? QStringLiteral("frmPileA") : QStringLiteral("frmPileB"), voie, kDescription)
{
    usePanelFont();
    buildForm(this, kDesign);
    imgPile = control<ImageBox>(this, "imgPile");
    auto* groupe = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optPolarite[size_t(i)] = control<QAbstractButton>(this, "optPolarite", i);
        groupe->addButton(optPolarite[size_t(i)]);
    }
    optPolarite[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        connect(optPolarite[size_t(i)], &QAbstractButton::toggled, this, [this, i](bool coche) {
            if (coche)
                optPolarite_Click(i);
        });
    }
    if (voie == 1) {
        setWindowTitle(QStringLiteral("Pile - Voie CH2"));
        optPolarite[0]->setText(QStringLiteral("Borne positive sur voie CH2"));
        optPolarite[1]->setText(QStringLiteral("Borne négative sur voie CH2"));
    }
    setFacePicture(QStringLiteral(":/bench/pile_panel.svg"));
    // Activation of the window in the main window's workspace.
    if (QMdiArea* zone = Forms().mdiArea())
        connect(zone, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
            if (active && active == frame())
                Form_Activate();
        });
}

void frmPile::Form_Load()
{
    FenetreSource::Form_Load();
    modifierCanal([](EtatVoie& v) { v.SourceBranchee = true; });
    Polarite = 1;
    frame()->installEventFilter(this);
}

bool frmPile::eventFilter(QObject* objet, QEvent* e)
{
    // The window shown by the program: its first activation.
    if (objet == frame() && e->type() == QEvent::ShowToParent)
        Form_Activate();
    return FenetreSource::eventFilter(objet, e);
}

void frmPile::Form_Activate()
{
    std::optional<double> tension;
    for (size_t i = 0; i < kModeles.size(); ++i) {
        const ModelePile& m = kModeles[i];
        if (OptionConnexionChoisie(voie() == 0 ? m.optionA : m.optionB)) {
            imgPile->setPicture(QString::fromLatin1(m.image));
            imgPile->resize(twipsToPixels(kImages[i].largeur), twipsToPixels(kImages[i].hauteur));
            tension = Polarite * m.tension;
        }
    }
    placeTwips(imgPile, 240 + (1500 - twipsWidth(imgPile)) / 2, (kHauteur - twipsHeight(imgPile)) / 2);
    modifierCanal([tension](EtatVoie& v) {
        if (tension) {
            v.Amplitude = *tension;
            v.Frequence = 0;
        }
    });
}

void frmPile::optPolarite_Click(int index)
{
    Polarite = index == 0 ? 1 : -1;
    modifierCanal([this](EtatVoie& v) { v.Amplitude = Polarite * std::fabs(v.Amplitude); });
}

void frmPile::recalculerBranchement()
{
    modifierCanal([](EtatVoie& v) { v.SourceBranchee = true; });
}
