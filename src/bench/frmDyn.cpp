#include "bench/frmDyn.h"

#include "bench/GammesGenerateur.h"

#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "platform/VbFormat.h"
#include "services/EtatBanc.h"
#include "platform/Curseurs.h"

#include <QLabel>

namespace {

constexpr int kRubriqueAide = 3800;

const FenetreSource::Description kDescription{"Dyn", 4935, 14, 15, kRubriqueAide, true};

constexpr float kVitesseMax = 2500;
constexpr float kVitesseDepart = 1000;
constexpr float kFinMax = 200;

const char kBulleVitesse[] = "Tourner le potentiomètre pour faire varier la vitesse de rotation de l'alternateur."
                             "\r\nClick droit pour un réglage fin.";

const FormDesign kDesign{
    "Alternateur de bicyclette - Voie CH1",
    4500,
    4080,
    {
        {ControlKind::Label, "lblTitre", -1, 120, 75, 4260, 240, "ALTERNATEUR DE BICYCLETTE"},
        {ControlKind::Image, "imgDyn", -1, 120, 390, 2400, 2400, ":/bench/dyn_wheel.svg"},
        {ControlKind::Label, "lblTitreVitesse", -1, 2640, 420, 1740, 420, "Vitesse de rotation en tours/min :"},
        {ControlKind::Label, "lblVitesse", -1, 2640, 870, 1740, 420, ""},
        {ControlKind::Knob, "Potentio", 0, 2850, 1440, 1320, 1320, "", kBulleVitesse},
        {ControlKind::Label, "lblEchelle", -1, 2640, 2730, 1740, 180, "0        2500"},
        {ControlKind::Label, "lblFin", -1, 450, 2910, 900, 180, "FIN"},
        {ControlKind::Knob, "Potentio", 1, 480, 3090, 840, 840},
        {ControlKind::Shape, "shpConnectionDynA", 0, 2130, 3240, 540, 540},
        {ControlKind::Shape, "shpConnectionDynA", 1, 3330, 3240, 540, 540},
        {ControlKind::Image, "imgSocle", 0, 2220, 3330, 360, 360, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 1, 3420, 3330, 360, 360, ":/scope/socket_black.svg"},
        {ControlKind::AutoSizeLabel, "lblCom", -1, 3930, 3420, 0, 0, "COM"},
        {ControlKind::Image, "imgBorne", 0, 2130, 3240, 540, 540, "", kBulleBorne},
        {ControlKind::Image, "imgBorne", 1, 3330, 3240, 540, 540, "", kBulleBorneCom},
        {ControlKind::Image, "imgFiche", 0, 2220, 3330, 360, 540, ":/bench/lead_red.svg"},
        {ControlKind::Image, "imgFiche", 1, 3420, 3330, 360, 540, ":/bench/lead_black.svg"},
    },
};

} // namespace

LoiDyn LoiAlternateur(float vitesseGros, float fin, float finMax)
{
    LoiDyn loi;
    loi.vitesse = double(vitesseGros - (finMax / 2 - fin) / 10);
    loi.frequence = 2 * 3.14159265358979 * loi.vitesse / 60;
    loi.amplitude = loi.frequence / 25;
    return loi;
}

frmDyn::frmDyn(int voie)
    : FenetreSource(voie == 0 ? QStringLiteral("frmDynA") : QStringLiteral("frmDynB"), voie, kDescription)
{
    usePanelFont();
    buildForm(this, kDesign);
    if (voie == 1) {
        setWindowTitle(QStringLiteral("Alternateur de bicyclette - Voie CH2"));
        for (int i = 0; i < 2; ++i)
            control<Shape>(this, "shpConnectionDynA", i)->setObjectName(controlName("shpConnectionDynB", i));
    }
    for (int i = 0; i < 2; ++i) {
        Potentio[size_t(i)] = control<Potentio_Creme>(this, "Potentio", i);
        Potentio[size_t(i)]->setCursor(CurseurMain());
        auto* marque = control<Shape>(this, voie == 0 ? "shpConnectionDynA" : "shpConnectionDynB", i);
        marque->setKind(Shape::Circle);
        marque->setBorderColor(0x404040);
        control<ImageBox>(this, "imgBorne", i)->setCursor(CurseurMain());
    }
    lblVitesse = control<QLabel>(this, "lblVitesse");
    lblVitesse->setAlignment(Qt::AlignCenter);
    lblVitesse->setStyleSheet(QStringLiteral("background: rgb(12, 14, 12); color: rgb(60, 255, 90); "
                                             "font-weight: bold; font-size: 10pt;"));
    for (const char* nom : {"lblTitre", "lblEchelle", "lblFin", "lblTitreVitesse"})
        control<QLabel>(this, nom)->setAlignment(Qt::AlignCenter);
    control<QLabel>(this, "lblTitre")->setStyleSheet(QStringLiteral("font-weight: bold;"));
    // The plugs go out through their terminals only.
    relierBornes(2, "shpConnectionDyn", false);
    setFacePicture(QStringLiteral(":/bench/dyn_panel.svg"));

    for (Potentio_Creme* bouton : Potentio) {
        connect(bouton, &Potentio_Creme::MouseDown, this,
                [this](int index, int, int, double, double) { Potentio_MouseDown(index); });
        connect(bouton, &Potentio_Creme::MouseMove, this,
                [this](int index, int b, int, double, double) { Potentio_MouseMove(index, b); });
        // A drag refreshes once a frame at most, and at once as it ends.
        connect(bouton, &Potentio_Creme::MouseUp, this, [this](int index, int, int, double, double) {
            Potentio_MouseMove(index, 1);
            Modele().finirReglage();
        });
        connect(bouton, &Potentio_Creme::DblClick, this, &frmDyn::Potentio_DblClick);
    }
}

void frmDyn::Form_Load()
{
    ModeleBanc::Lot lot(Modele());
    FenetreSource::Form_Load();
    modifierCanal([](EtatVoie& v) { v.SourceBranchee = false; });
    Potentio[0]->setMax(kVitesseMax);
    Potentio[0]->setValue(kVitesseDepart);
    Potentio[0]->setMin(0);
    Potentio[1]->setMax(kFinMax);
    Potentio[1]->setValue(kFinMax / 2);
    Potentio[1]->setMin(0);
    calculerVitesse();
}

void frmDyn::calculerVitesse(Rythme rythme)
{
    const LoiDyn loi = LoiAlternateur(Potentio[0]->Value(), Potentio[1]->Value(), Potentio[1]->Max());
    lblVitesse->setText(Format(loi.vitesse, QStringLiteral("#0")) + QStringLiteral(" tours/min"));
    modifierCanal([&loi](EtatVoie& v) {
        v.Frequence = loi.frequence;
        v.Amplitude = loi.amplitude;
    }, rythme);
}

void frmDyn::Potentio_MouseDown(int index)
{
    if (index == 0)
        Potentio[1]->setValue(Potentio[1]->Max() / 2);
    calculerVitesse();
}

void frmDyn::Potentio_MouseMove(int index, int bouton)
{
    // A knob turns only while the left button drags it.
    if (!(bouton & 1) || index < 0 || index > 1)
        return;
    calculerVitesse(Rythme::Glissement);
}

void frmDyn::Potentio_DblClick(int index)
{
    if (index == 1)
        Potentio[1]->setValue(Potentio[1]->Max() / 2);
    calculerVitesse();
}

void frmDyn::recalculerBranchement()
{
    const bool branchee = fichePlacee(0) && fichePlacee(1);
    modifierCanal([branchee](EtatVoie& v) { v.SourceBranchee = branchee; });
}
