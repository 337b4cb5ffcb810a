#include "bench/frmMulti_RMS.h"

#include "services/FichierINI.h"
#include "services/PositionFenetre.h"
#include "bench/AiguilleSelecteur.h"
#include "services/RequetesBanc.h"
#include "services/ModeleBanc.h"
#include "bench/Voltmetre.h"
#include "bench/frmEDF.h"
#include "bench/frmVolt.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/SevenSegmentLabel.h"
#include "platform/Shape.h"
#include "platform/VbMouse.h"
#include "services/EtatBanc.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>

#include <cmath>

namespace {

constexpr int kRubriqueAide = 3600;
const QString kSection = QStringLiteral("Multi TRMS");

constexpr double kCercleGauche = 795, kCercleHaut = 3420, kCercleCote = 2910;
const char kBulleSelecteur[] = "Pour tourner le sélecteur, bouton gauche de la souris enfoncé et rotation";

const FormDesign kDesign{
    "Multimètre",
    4500,
    8280,
    {
        {ControlKind::Label, "lblRMS", -1, 360, 210, 3780, 300, "TRUE RMS MULTIMETER"},
        // The liquid-crystal screen.
        {ControlKind::Shape, "shpEcran", -1, 360, 570, 3780, 1860},
        {ControlKind::Label, "lblMinMax", 0, 480, 660, 960, 225, " MIN MAX ", "", false},
        {ControlKind::Label, "lblMinMax", 1, 1500, 660, 480, 225, "MAX", "", false},
        {ControlKind::Label, "lblMinMax", 2, 2010, 660, 480, 225, "MIN", "", false},
        {ControlKind::Label, "lblAuto", -1, 2640, 660, 600, 225, "AUTO", "", false},
        {ControlKind::Label, "lblManuel", -1, 3270, 660, 840, 225, "MANUEL", "", false},
        {ControlKind::Digits, "lblSigne", -1, 420, 960, 480, 840, "-", "", false},
        {ControlKind::Digits, "lblValueError", -1, 900, 960, 660, 840, "1.", "", false},
        {ControlKind::Digits, "lblValue", -1, 900, 960, 2520, 840, "00.00", "", false},
        {ControlKind::Label, "lblUnite", 0, 3480, 1050, 270, 330, "\u00B5", "", false},
        {ControlKind::Label, "lblUnite", 1, 3480, 1050, 270, 330, "m", "", false},
        {ControlKind::Label, "lblUnite", 2, 3750, 1050, 330, 330, "V", "", false},
        {ControlKind::Label, "lblUnite", 3, 3750, 1050, 330, 330, "A", "", false},
        {ControlKind::Label, "lblUnite", 4, 3750, 1050, 330, 330, "\u03A9", "", false},
        {ControlKind::Label, "lblACDC", 0, 3480, 1440, 600, 240, "DC", "", false},
        {ControlKind::Label, "lblACDC", 1, 3480, 1440, 600, 240, "AC", "", false},
        {ControlKind::Bar, "pgbRANGE", -1, 480, 1950, 2700, 150, "", "", false},
        {ControlKind::Shape, "shpGraduation", 0, 480, 2130, 30, 105, "", "", false},
        {ControlKind::Shape, "shpGraduation", 1, 1148, 2130, 30, 105, "", "", false},
        {ControlKind::Shape, "shpGraduation", 2, 1815, 2130, 30, 105, "", "", false},
        {ControlKind::Shape, "shpGraduation", 3, 2483, 2130, 30, 105, "", "", false},
        {ControlKind::Shape, "shpGraduation", 4, 3150, 2130, 30, 105, "", "", false},
        {ControlKind::Label, "lblGamme", -1, 3270, 1920, 840, 240, "60 V", "", false},
        // The buttons under the screen.
        {ControlKind::Button, "cmdBouton", 0, 360, 2580, 1200, 420, "MIN MAX"},
        {ControlKind::Button, "cmdBouton", 1, 1650, 2580, 1200, 420, "RANGE"},
        {ControlKind::Button, "cmdBouton", 2, 2940, 2580, 1200, 420, ""},
        // The selector and the legends of its positions.
        {ControlKind::Label, "lblPosition", 0, 418, 5605, 720, 240, "OFF", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 1, 190, 4755, 720, 240, "V ~", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 2, 418, 3905, 720, 240, "V =", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 3, 1040, 3283, 720, 240, "mV =", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 4, 1890, 3055, 720, 240, "\u03A9", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 5, 2740, 3283, 720, 240, "\u25B6|", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 6, 3362, 3905, 720, 240, "mA A ~", kBulleSelecteur},
        {ControlKind::Label, "lblPosition", 7, 3590, 4755, 720, 240, "\u00B5A ~", kBulleSelecteur},
        {ControlKind::Image, "imgSelecteur", -1, 795, 3420, 2910, 2910, ":/bench/volt_selector.svg", kBulleSelecteur},
        // The terminals, left to right V-Ω, mA, 10A, COM; a plug covers its
        // socket only, and the legend under it stays readable.
        {ControlKind::Image, "imgSocle", 0, 510, 6630, 480, 480, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 1, 1530, 6630, 480, 480, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 2, 2550, 6630, 480, 480, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 3, 3570, 6630, 480, 480, ":/scope/socket_black.svg"},
        {ControlKind::Label, "lblBorne", 0, 240, 7155, 1020, 225, "V \u03A9"},
        {ControlKind::Label, "lblBorne", 1, 1260, 7155, 1020, 225, "mA"},
        {ControlKind::Label, "lblBorne", 2, 2280, 7155, 1020, 225, "10A"},
        {ControlKind::Label, "lblBorne", 3, 3300, 7155, 1020, 225, "COM"},
        {ControlKind::Image, "imgBorne", 0, 240, 6570, 1020, 600, "", "Pour mettre en place la fiche sur la borne V."},
        {ControlKind::Image, "imgBorne", 1, 1260, 6570, 1020, 600, "", "Pour mettre en place la fiche sur la borne mA."},
        {ControlKind::Image, "imgBorne", 2, 2280, 6570, 1020, 600, "", "Pour mettre en place la fiche sur la borne 10A."},
        {ControlKind::Image, "imgBorne", 3, 3300, 6570, 1020, 600, "", "Pour mettre en place la fiche sur la borne COM."},
        {ControlKind::Image, "imgFiche", 0, 510, 6630, 480, 480, ":/bench/plug_red.svg", "", false},
        {ControlKind::Image, "imgFiche", 1, 1530, 6630, 480, 480, ":/bench/plug_red.svg", "", false},
        {ControlKind::Image, "imgFiche", 2, 2550, 6630, 480, 480, ":/bench/plug_red.svg", "", false},
        {ControlKind::Image, "imgFiche", 3, 3570, 6630, 480, 480, ":/bench/plug_black.svg", "", false},
        {ControlKind::Frame, "fraBornes", -1, 60, 7500, 4380, 690, "Fiches sur bornes du wavixscope : "},
        {ControlKind::OptionButton, "optVoie", 0, 300, 7800, 1800, 300, "Voie CH1",
         "Pour afficher les mesures de la voie CH1."},
        {ControlKind::OptionButton, "optVoie", 1, 2400, 7800, 1800, 300, "Voie CH2",
         "Pour afficher les mesures de la voie CH2."},
    },
};

const QColor kSegments(24, 26, 24);

} // namespace

frmMulti_RMS::frmMulti_RMS() : VbForm(QString::fromLatin1(kNom))
{
    usePanelFont();
    buildForm(this, kDesign);
    setFacePicture(QStringLiteral(":/bench/trms_panel.svg"));
    InstallerAideF1(this, kRubriqueAide);

    auto* ecran = control<Shape>(this, "shpEcran");
    ecran->setKind(Shape::RoundedRectangle);
    ecran->setFillColor(0x9AA9A7); // RGB(167, 169, 154)
    ecran->setBorderColor(0x303030);
    control<QLabel>(this, "lblRMS")->setStyleSheet(QStringLiteral("font-weight: bold; color: white;"));
    lblValue = control<QLabel>(this, "lblValue");
    lblSigne = control<QLabel>(this, "lblSigne");
    lblValueError = control<QLabel>(this, "lblValueError");
    for (QLabel* chiffres : {lblValue, lblSigne, lblValueError}) {
        auto* afficheur = static_cast<SevenSegmentLabel*>(chiffres);
        afficheur->setDigitColor(kSegments);
        afficheur->setBackgroundColor(Qt::transparent);
        afficheur->setGhostColor(Qt::transparent);
    }
    const QString legende = QStringLiteral("font-weight: bold; color: rgb(24, 26, 24);");
    for (int i = 0; i < 5; ++i) {
        lblUnite[size_t(i)] = control<QLabel>(this, "lblUnite", i);
        lblUnite[size_t(i)]->setStyleSheet(legende + QStringLiteral("font-size: 16px;"));
    }
    for (int i = 0; i < 2; ++i) {
        lblACDC[size_t(i)] = control<QLabel>(this, "lblACDC", i);
        lblACDC[size_t(i)]->setStyleSheet(legende);
    }
    lblAuto = control<QLabel>(this, "lblAuto");
    lblManuel = control<QLabel>(this, "lblManuel");
    lblGamme = control<QLabel>(this, "lblGamme");
    for (QLabel* l : {lblAuto, lblManuel, lblGamme})
        l->setStyleSheet(legende);
    for (int i = 0; i < 3; ++i) {
        lblMinMax[size_t(i)] = control<QLabel>(this, "lblMinMax", i);
        lblMinMax[size_t(i)]->setStyleSheet(i == 0 ? QStringLiteral("font-weight: bold; color: rgb(167, 169, 154);"
                                                                    " background: rgb(24, 26, 24);")
                                                   : legende);
    }
    pgbRANGE = control<QProgressBar>(this, "pgbRANGE");
    pgbRANGE->setRange(0, 100);
    pgbRANGE->setTextVisible(false);
    pgbRANGE->setStyleSheet(QStringLiteral("QProgressBar { background: rgb(167, 169, 154); border: none; }"
                                           " QProgressBar::chunk { background: black; }"));
    pgbRANGE->setValue(50);
    for (int i = 0; i < 5; ++i) {
        auto* marque = control<Shape>(this, "shpGraduation", i);
        marque->setFillColor(0x181A18);
        marque->setBorderColor(0x181A18);
    }
    for (int i = 0; i < 3; ++i) {
        cmdBouton[size_t(i)] = control<QAbstractButton>(this, "cmdBouton", i);
        connect(cmdBouton[size_t(i)], &QAbstractButton::clicked, this, [this, i] { cmdBouton_Click(i); });
    }
    // The blank key has no function: it does not offer itself to a click.
    cmdBouton[2]->setEnabled(false);
    for (int i = 0; i < 8; ++i) {
        auto* position = control<QLabel>(this, "lblPosition", i);
        position->setAlignment(Qt::AlignCenter);
        position->setStyleSheet(QStringLiteral("font-weight: bold; color: white;"));
    }

    imgSelecteur = control<ImageBox>(this, "imgSelecteur");
    imgSelecteur->installEventFilter(this);
    aiguille_ = new AiguilleSelecteur(this, linSelecteur, linPtRouge);
    aiguille_->setGeometry(imgSelecteur->geometry());

    for (int i = 0; i < 4; ++i) {
        auto* etiquette = control<QLabel>(this, "lblBorne", i);
        etiquette->setAlignment(Qt::AlignCenter);
        etiquette->setStyleSheet(QStringLiteral("font-weight: bold; color: white;"));
        imgBorne[size_t(i)] = control<ImageBox>(this, "imgBorne", i);
        imgBorne[size_t(i)]->setCursor(CurseurFiche());
        imgFiche[size_t(i)] = control<ImageBox>(this, "imgFiche", i);
        imgFiche[size_t(i)]->raise();
        connect(imgBorne[size_t(i)], &ImageBox::Click, this, [this, i] { imgBorne_Click(i); });
        connect(imgFiche[size_t(i)], &ImageBox::Click, this, [this, i] { imgFiche_Click(i); });
    }
    // The legends stay readable over a plug's lead, which still takes the click.
    for (int i = 0; i < 4; ++i) {
        auto* etiquette = control<QLabel>(this, "lblBorne", i);
        etiquette->setAttribute(Qt::WA_TransparentForMouseEvents);
        etiquette->raise();
    }

    auto* voies = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optVoie[size_t(i)] = control<QAbstractButton>(this, "optVoie", i);
        voies->addButton(optVoie[size_t(i)]);
    }
    optVoie[0]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        connect(optVoie[size_t(i)], &QAbstractButton::toggled, this, [this, i](bool coche) {
            if (coche)
                optVoie_Click(i);
        });
    dessinerAiguille(AngleTRMS(kArretTRMS));
}

void frmMulti_RMS::Form_Load()
{
    ecran_.chiffresVus = ecran_.signe = ecran_.horsEchelle = false;
    dessinerAiguille(AngleTRMS(kArretTRMS));
    position_ = kArretTRMS;
    branche_ = false;
    RestaurerPosition(this, QStringLiteral("Voltmetre"), DroiteFenetre(QStringLiteral("frmWavix")) + 4550, 0);
    lireEtat();
    ConfigurerAffichageTRMS(position_);
}

void frmMulti_RMS::Form_Unload(bool&)
{
    EnregistrerPosition(this, QStringLiteral("Voltmetre"));
    // The panel's own state, whatever the screen shows at the moment.
    EcrireINI(kSection, QStringLiteral("AUTO"), panneau_.autoGamme ? QStringLiteral("1") : QStringLiteral("0"));
    EcrireINI(kSection, QStringLiteral("Gamme"), panneau_.gamme);
    MultimetreFerme();
}

void frmMulti_RMS::lireEtat()
{
    auto lire = [](const char* cle, const char* defaut) {
        return LireINI(kSection, QString::fromLatin1(cle), QString::fromLatin1(defaut));
    };
    panneau_.autoGamme = lire("AUTO", "1") == QLatin1String("1");
    panneau_.gamme = lire("Gamme", "60 V");
    const bool max = lire("MAX", "0") == QLatin1String("1");
    const bool min = lire("MIN", "0") == QLatin1String("1");
    panneau_.minMax = max && min ? MaxEtMin : max ? Max : min ? Min : SansMinMax;
}

void frmMulti_RMS::peindre()
{
    const EcranTRMS& e = ecran_;
    pgbRANGE->setVisible(e.allume);
    for (int i = 0; i < 5; ++i)
        control<Shape>(this, "shpGraduation", i)->setVisible(e.allume);
    lblValue->setText(e.chiffres);
    lblValue->setVisible(e.chiffresVus);
    lblSigne->setVisible(e.signe);
    lblValueError->setVisible(e.horsEchelle);
    for (size_t i = 0; i < lblUnite.size(); ++i)
        lblUnite[i]->setVisible(e.unites[i]);
    for (size_t i = 0; i < lblACDC.size(); ++i)
        lblACDC[i]->setVisible(e.dcAc[i]);
    for (size_t i = 0; i < lblMinMax.size(); ++i)
        lblMinMax[i]->setVisible(e.minMax[i]);
    lblAuto->setVisible(e.autoVu);
    lblManuel->setVisible(e.manuelVu);
    lblGamme->setText(e.gamme);
    lblGamme->setVisible(e.gammeVue);
    pgbRANGE->setValue(e.barre);
}

void frmMulti_RMS::ConfigurerAffichageTRMS(int position)
{
    EntreesTRMS e = entrees();
    e.position = position;
    ecran_ = EcranAuTourTRMS(ecran_, e);
    peindre();
    if (PositionMesureTRMS(position))
        CalculerMesure();
}

void frmMulti_RMS::cmdBouton_Click(int index)
{
    if (position_ == kArretTRMS || index < 0 || index > 1)
        return;
    if (index == 0) {
        panneau_ = AppuiMinMax(panneau_);
        const EtatMinMax m = panneau_.minMax;
        EcrireINI(kSection, QStringLiteral("MAX"), m == Max ? QStringLiteral("1") : QStringLiteral("0"));
        EcrireINI(kSection, QStringLiteral("MIN"), m == Min ? QStringLiteral("1") : QStringLiteral("0"));
    } else {
        panneau_ = AppuiRange(panneau_, position_);
        if (position_ != 3)
            EcrireINI(kSection, QStringLiteral("Gamme"), panneau_.gamme);
        EcrireINI(kSection, QStringLiteral("AUTO"), panneau_.autoGamme ? QStringLiteral("1") : QStringLiteral("0"));
    }
    ecran_ = EcranAvecPanneau(ecran_, entrees());
    peindre();
    CalculerMesure();
}

int frmMulti_RMS::voie() const
{
    return voie_;
}

bool frmMulti_RMS::fichePlacee(int index) const
{
    return FichePlacee(fiches_, index);
}

void frmMulti_RMS::imgBorne_Click(int index)
{
    if (!PlacerFiche(fiches_, index))
        return;
    PeindreFiches(fiches_, imgFiche);
    branche_ = fichePlacee(V) && fichePlacee(COM);
    TournerSelecteurTRMS(position_);
}

void frmMulti_RMS::imgFiche_Click(int index)
{
    if (!BasculerFiche(fiches_, index))
        return;
    PeindreFiches(fiches_, imgFiche);
    branche_ = fichePlacee(V) && fichePlacee(COM);
    TournerSelecteurTRMS(position_);
}

void frmMulti_RMS::optVoie_Click(int index)
{
    voie_ = index;
    TournerSelecteurTRMS(position_);
}

void frmMulti_RMS::PlacerSelecteur(int position)
{
    position_ = position;
    TournerSelecteurTRMS(position_);
}

void frmMulti_RMS::dessinerAiguille(double angle)
{
    AiguilleSelecteur::Placer({kCercleGauche + kCercleCote / 2, kCercleHaut + kCercleCote / 2}, angle, linSelecteur,
                              linPtRouge);
    aiguille_->update();
}

void frmMulti_RMS::imgSelecteur_MouseMove(int bouton, int, float x, float y)
{
    if (bouton != 1)
        return;
    dessinerAiguille(AngleSouris(x, y, float(twipsWidth(imgSelecteur)), float(twipsHeight(imgSelecteur))));
}

void frmMulti_RMS::imgSelecteur_MouseUp(int bouton, int, float x, float y)
{
    if (bouton != 1)
        return;
    PlacerSelecteur(
        PositionPourAngleTRMS(AngleSouris(x, y, float(twipsWidth(imgSelecteur)), float(twipsHeight(imgSelecteur)))));
}

bool frmMulti_RMS::eventFilter(QObject* objet, QEvent* e)
{
    const bool bouge = e->type() == QEvent::MouseMove;
    const bool relache = e->type() == QEvent::MouseButtonRelease;
    if ((bouge || relache) && objet == imgSelecteur) {
        auto* souris = static_cast<QMouseEvent*>(e);
        const auto x = float(pixelsToTwips(1) * souris->position().x());
        const auto y = float(pixelsToTwips(1) * souris->position().y());
        const int shift = vbShift(souris->modifiers());
        if (bouge)
            imgSelecteur_MouseMove(vbButtons(souris->buttons()), shift, x, y);
        else
            imgSelecteur_MouseUp(vbButtons(souris->button()), shift, x, y);
        return true;
    }
    return VbForm::eventFilter(objet, e);
}

void frmMulti_RMS::TournerSelecteurTRMS(int position)
{
    dessinerAiguille(AngleTRMS(position));
    ConfigurerAffichageTRMS(position);
}

EntreesTRMS frmMulti_RMS::entrees() const
{
    EntreesTRMS e;
    e.position = position_;
    e.panneau = panneau_;
    const int v = voie();
    e.mesurable = MesurePossible(v);
    e.signal = SignalDeLaVoie(Banc().voies[size_t(v)], Modele().niveauxHarmo(v));
    return e;
}

void frmMulti_RMS::CalculerMesureTRMS()
{
    // The current positions read no current (none flows through the shunt
    // with the leads in V and COM), the ohm and diode positions an open
    // circuit: their screen stays in its own unit, whatever the keys do.
    if (!PositionMesureTRMS(position_)) {
        ecran_ = EcranAuTourTRMS(ecran_, entrees());
        peindre();
        return;
    }
    double valeur = ValeurTRMS(entrees());
    AfficherMesure(valeur);
}

void frmMulti_RMS::AfficherMesureTRMS(double valeur)
{
    ecran_ = EcranValeurTRMS(ecran_, entrees(), valeur);
    peindre();
}
