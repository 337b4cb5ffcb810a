#include "bench/frmAlim.h"

#include "services/ModFonctions.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/SevenSegmentLabel.h"
#include "platform/Shape.h"
#include "platform/SystemServices.h"
#include "platform/VbFormat.h"
#include "services/EtatBanc.h"
#include "platform/Curseurs.h"

#include <QAbstractButton>
#include <QLabel>

#include <cmath>

namespace {

constexpr int kRubriqueAide = 3000;

const FenetreSource::Description kDescription{"Alim", 4935, 2, 9, kRubriqueAide, true};

// Knob ends: the coarse knob in hundredths of a volt, the fine knob ±1 V
// round its centre, the current knob its printed scale "0 10 A".
constexpr float kMaxGros = 3000;
constexpr float kMaxFin = 20;
constexpr float kMaxCourant = 10;

const char kBulleBorne[] = "Cliquer ici pour mettre en place la fiche de connexion";

const FormDesign kDesign{
    "Alimentation stabilisée - Voie CH1",
    4500,
    3900,
    {
        {ControlKind::Label, "lblTitre", -1, 120, 75, 4260, 240, " ALIMENTATION STABILISEE "},
        {ControlKind::Shape, "shpConnectionAlimA", 3, 120, 345, 4260, 60},
        {ControlKind::Label, "lblTension", -1, 240, 465, 1950, 195, "TENSION"},
        {ControlKind::Label, "lblCourant", -1, 2670, 465, 1590, 195, "COURANT"},
        {ControlKind::Digits, "lblSigne", -1, 240, 690, 360, 570, "-", "", false},
        {ControlKind::Digits, "lblAffichage", -1, 600, 690, 1590, 570, "", "", false},
        {ControlKind::Digits, "lblLEDCourant", -1, 2670, 690, 1590, 570, "0.00", "", false},
        {ControlKind::Knob, "Potentio", 0, 300, 1425, 1050, 1050, "", "Réglage de la tension"},
        {ControlKind::Knob, "Potentio", 1, 1740, 1530, 840, 840, "", "Réglage fin de la tension"},
        {ControlKind::Knob, "Potentio", 2, 3060, 1530, 840, 840, "", "Limitation du courant"},
        {ControlKind::Label, "lblEchelle", 0, 225, 2460, 1200, 180, "0      30V"},
        {ControlKind::Label, "lblEchelle", 1, 1560, 2355, 1200, 180, "-        +"},
        {ControlKind::Label, "lblEchelle", 2, 2880, 2355, 1200, 180, "0     10 A"},
        {ControlKind::Label, "lblFin", -1, 1560, 1320, 1200, 180, "FIN"},
        {ControlKind::Label, "lblCourantBouton", -1, 2880, 1320, 1200, 180, "COURANT"},
        {ControlKind::Toggle, "chkOnOff", -1, 240, 2940, 660, 390, "On", "Bouton Marche/Arrêt"},
        {ControlKind::Image, "imgOn", -1, 240, 3360, 450, 450, ":/scope/power_off.svg"},
        {ControlKind::AutoSizeLabel, "lblPower", -1, 720, 3480, 0, 0, "Power"},
        {ControlKind::Label, "lblBorne", 0, 1500, 2805, 720, 180, "NEG"},
        {ControlKind::Label, "lblBorne", 1, 2460, 2805, 720, 180, "POS"},
        {ControlKind::Label, "lblBorne", 2, 3420, 2805, 720, 180, "COM"},
        {ControlKind::Shape, "shpConnectionAlimA", 0, 1590, 3030, 540, 540},
        {ControlKind::Shape, "shpConnectionAlimA", 1, 2550, 3030, 540, 540},
        {ControlKind::Shape, "shpConnectionAlimA", 2, 3510, 3030, 540, 540},
        {ControlKind::Image, "imgSocle", 0, 1680, 3120, 360, 360, ":/scope/socket_black.svg"},
        {ControlKind::Image, "imgSocle", 1, 2640, 3120, 360, 360, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 2, 3600, 3120, 360, 360, ":/scope/socket_black.svg"},
        {ControlKind::Image, "imgBorne", 0, 1590, 3030, 540, 540, "", kBulleBorne},
        {ControlKind::Image, "imgBorne", 1, 2550, 3030, 540, 540, "", kBulleBorne},
        {ControlKind::Image, "imgBorne", 2, 3510, 3030, 540, 540, "", kBulleBorne},
        {ControlKind::Image, "imgFiche", 0, 1680, 3120, 360, 540, ":/bench/lead_red.svg"},
        {ControlKind::Image, "imgFiche", 1, 2640, 3120, 360, 540, ":/bench/lead_red.svg"},
        {ControlKind::Image, "imgFiche", 2, 3600, 3120, 360, 540, ":/bench/lead_black.svg"},
    },
};

} // namespace

QString TexteTensionAlim(double volts)
{
    const double m = std::fabs(volts);
    QString texte = Format(m, m < 10 ? QStringLiteral("#0.00") : QStringLiteral("#0.0"));
    Remplacer(texte, QStringLiteral(","), QStringLiteral("."));
    return texte;
}

frmAlim::frmAlim(int voie)
    : FenetreSource(voie == 0 ? QStringLiteral("frmAlimA") : QStringLiteral("frmAlimB"), voie, kDescription)
{
    usePanelFont();
    buildForm(this, kDesign);
    if (voie == 1) {
        setWindowTitle(QStringLiteral("Alimentation stabilisée - Voie CH2"));
        for (int i = 0; i < 4; ++i)
            control<Shape>(this, "shpConnectionAlimA", i)->setObjectName(controlName("shpConnectionAlimB", i));
    }
    for (int i = 0; i < 3; ++i) {
        Potentio[size_t(i)] = control<Potentio_Creme>(this, "Potentio", i);
        Potentio[size_t(i)]->setCursor(CurseurMain());
        control<QLabel>(this, "lblEchelle", i)->setAlignment(Qt::AlignCenter);
        control<QLabel>(this, "lblBorne", i)->setAlignment(Qt::AlignCenter);
        auto* marque = control<Shape>(this, voie == 0 ? "shpConnectionAlimA" : "shpConnectionAlimB", i);
        marque->setKind(Shape::Circle);
        marque->setBorderColor(0x404040);
        control<ImageBox>(this, "imgBorne", i)->setCursor(CurseurMain());
    }
    for (const char* nom : {"lblTitre", "lblFin", "lblCourantBouton"})
        control<QLabel>(this, nom)->setAlignment(Qt::AlignCenter);
    control<QLabel>(this, "lblTitre")->setStyleSheet(QStringLiteral("font-weight: bold;"));
    chkOnOff = control<QAbstractButton>(this, "chkOnOff");
    imgOn = control<ImageBox>(this, "imgOn");
    lblAffichage = control<QLabel>(this, "lblAffichage");
    lblSigne = control<QLabel>(this, "lblSigne");
    lblLEDCourant = control<QLabel>(this, "lblLEDCourant");
    // Red digits, as on the real supply.
    for (QLabel* afficheur : {lblAffichage, lblSigne, lblLEDCourant})
        static_cast<SevenSegmentLabel*>(afficheur)->setDigitColor(QColor(255, 48, 32));
    relierBornes(3, "shpConnectionAlim");
    setFacePicture(QStringLiteral(":/bench/alim_panel.svg"));

    connect(chkOnOff, &QAbstractButton::toggled, this, &frmAlim::chkOnOff_Click);
    for (Potentio_Creme* bouton : Potentio) {
        connect(bouton, &Potentio_Creme::MouseMove, this,
                [this](int index, int b, int, double, double) { Potentio_MouseMove(index, b); });
        // A drag refreshes once a frame at most, and at once as it ends.
        connect(bouton, &Potentio_Creme::MouseUp, this, [this](int index, int b, int, double, double) {
            Potentio_MouseMove(index, b);
            Modele().finirReglage();
        });
        connect(bouton, &Potentio_Creme::DblClick, this, &frmAlim::Potentio_DblClick);
    }
}

void frmAlim::Form_Load()
{
    ModeleBanc::Lot lot(Modele());
    FenetreSource::Form_Load();
    const double amplitude = randomUnit() * 300 / 10;
    modifierCanal([amplitude](EtatVoie& v) {
        v.SourceBranchee = false;
        v.Frequence = 0;
        v.Amplitude = amplitude;
    });
    Potentio[0]->setMax(kMaxGros);
    Potentio[0]->setValue(float(amplitude * 100));
    Potentio[0]->setMin(0);
    Potentio[1]->setMax(kMaxFin);
    Potentio[1]->setValue(kMaxFin / 2);
    Potentio[1]->setMin(0);
    Potentio[2]->setMax(kMaxCourant);
    Potentio[2]->setMin(0);
}

void frmAlim::recalculerBranchement()
{
    const bool branchee = chkOnOff->isChecked() && fichePlacee(COM) && (fichePlacee(NEG) || fichePlacee(POS));
    modifierCanal([branchee](EtatVoie& v) { v.SourceBranchee = branchee; });
}

void frmAlim::ecrireTension(double tension, Rythme rythme)
{
    // The lead on NEG or POS gives the voltage its sign.
    if (fichePlacee(NEG))
        tension = -std::fabs(tension);
    else if (fichePlacee(POS))
        tension = std::fabs(tension);
    modifierCanal([tension](EtatVoie& v) { v.Amplitude = tension; }, rythme);
    AfficherTensionAlim();
}

void frmAlim::AfficherTensionAlim()
{
    const double a = canal().Amplitude;
    const QString chiffres = TexteTensionAlim(a);
    lblAffichage->setText(chiffres);
    // The sign belongs to the digits: none while they are dark or all zeros.
    lblSigne->setVisible(chkOnOff->isChecked() && ShowsMinusSign(a, chiffres));
}

void frmAlim::chkOnOff_Click()
{
    const bool marche = chkOnOff->isChecked();
    chkOnOff->setText(marche ? QStringLiteral("Off") : QStringLiteral("On"));
    imgOn->setPicture(marche ? QStringLiteral(":/scope/power_on.svg") : QStringLiteral(":/scope/power_off.svg"));
    lblAffichage->setVisible(marche);
    lblLEDCourant->setVisible(marche);
    ModeleBanc::Lot lot(Modele());
    if (marche) {
        recalculerBranchement();
        ecrireTension(canal().Amplitude, Rythme::Immediat);
    } else {
        lblSigne->hide();
        modifierCanal([](EtatVoie& v) { v.SourceBranchee = false; });
    }
}

void frmAlim::Potentio_MouseMove(int index, int bouton)
{
    if (bouton != 1 || index < 0 || index > 2)
        return;
    double tension = std::fabs(canal().Amplitude);
    if (index == 0) {
        tension = Potentio[0]->Value() / 100.0;
        Potentio[1]->setValue(Potentio[1]->Max() / 2);
    } else if (index == 1) {
        tension = Potentio[0]->Value() / 100.0 + (Potentio[1]->Value() - Potentio[1]->Max() / 2) / 10.0;
    }
    const float plafond = Potentio[0]->Max() / 100;
    if (tension < 0)
        tension = 0;
    if (float(tension) > plafond)
        tension = plafond;
    // The display follows even while the supply is off and hidden.
    ecrireTension(tension, Rythme::Glissement);
}

void frmAlim::Potentio_DblClick(int index)
{
    if (index < 0 || index > 2)
        return;
    // Back to the middle of its scale, and the voltage follows as after a turn.
    Potentio[size_t(index)]->setValue(Potentio[size_t(index)]->Max() / 2);
    Potentio_MouseMove(index, 1);
    Modele().finirReglage();
}

void frmAlim::imgBorne_Click(int i)
{
    placerFiche(i, !fichePlacee(i));
    // The lead goes to NEG or to POS, never both.
    if (fichePlacee(NEG) && fichePlacee(POS))
        placerFiche(i == NEG ? POS : NEG, false);
    ModeleBanc::Lot lot(Modele());
    if (chkOnOff->isChecked())
        ecrireTension(canal().Amplitude, Rythme::Immediat);
    recalculerBranchement();
}

void frmAlim::imgFiche_Click(int i)
{
    placerFiche(i, !fichePlacee(i));
    ModeleBanc::Lot lot(Modele());
    if (!fichePlacee(NEG)) {
        lblSigne->hide();
        modifierCanal([](EtatVoie& v) { v.Amplitude = std::fabs(v.Amplitude); });
    }
    recalculerBranchement();
}
