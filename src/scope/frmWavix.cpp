#include "scope/frmWavix.h"

#include "services/FichierINI.h"
#include "services/ModeleBanc.h"
#include "services/ModFonctions.h"
#include "services/PositionFenetre.h"
#include "platform/Ressources.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "platform/VbConversions.h"
#include "platform/SystemServices.h"
#include "scope/Balayage.h"
#include "scope/CourbeWavix.h"
#include "platform/Curseurs.h"
#include "scope/Echelle.h"
#include "scope/frmFullScreen.h"
#include "scope/Potentiometre.h"
#include "platform/RVB.h"
#include "services/Sensibilite.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kRubriqueAide = 3300;

const FormDesign kDesign{
    "Wavixscope bicourbe",
    12825,
    6090,
    {
        {ControlKind::Picture, "picGrille", -1, 120, 60, 5985, 4935, "", "", false},
        {ControlKind::Picture, "picEcranPrint", -1, 120, 60, 5985, 4935, "", "", false},
        {ControlKind::Picture, "picEcran", -1, 120, 60, 5985, 4935, "",
         "Double-cliquez sur l'écran pour afficher en plein écran."},
        // Power switch and lamp.
        {ControlKind::Frame, "fraPower", -1, 120, 5100, 1335, 855, "POWER "},
        {ControlKind::PowerButton, "chkOn", -1, 300, 5460, 600, 335, "On", "Bouton Marche/Arrêt"},
        {ControlKind::Image, "imgOn", -1, 840, 5340, 480, 480, ":/scope/power_off.svg", "Wavixscope éteint"},
        // Knobs: positions, sensitivities and time base, intensity and focus.
        {ControlKind::Knob, "Potentio", 3, 6900, 720, 795, 795, "",
         "Potentiomètre de déplacement vertical sur la voie CH1 des wavixgrammes.\r\n"
         "Double-cliquer pour recentrer verticalement ces wavixgrammes."},
        {ControlKind::Knob, "Potentio", 4, 9000, 720, 795, 795, "",
         "Potentiomètre de déplacement vertical sur la voie CH2 des wavixgrammes.\r\n"
         "Double-cliquer pour recentrer verticalement ces wavixgrammes."},
        {ControlKind::Knob, "Potentio", 2, 11040, 720, 795, 795, "",
         "Potentiomètre de déplacement horizontal des wavixgrammes.\r\n"
         "Double-cliquer pour recentrer horizontalement ces wavixgrammes."},
        {ControlKind::Knob, "Potentio", 6, 6780, 2760, 975, 975, "",
         "Potentiomètre de réglage de la sensibilité verticale sur la voie CH1"},
        {ControlKind::Knob, "Potentio", 7, 8940, 2760, 975, 975, "",
         "Potentiomètre de réglage de la sensibilité verticale sur la voie CH2"},
        {ControlKind::Knob, "Potentio", 5, 10920, 2760, 975, 975, "",
         "Potentiomètre de la base de temps : pour sélectionner la sensibilité horizontale"},
        {ControlKind::Knob, "Potentio", 1, 1695, 5295, 750, 750, "",
         "Potentiomètre de réglage de la luminosité de la trace"},
        {ControlKind::Knob, "Potentio", 0, 2775, 5295, 750, 750, "",
         "Potentiomètre de réglage de l'épaisseur de la trace"},
        {ControlKind::AutoSizeLabel, "lblVertical", 0, 7710, 180, 0, 0, " VERTICAL "},
        {ControlKind::AutoSizeLabel, "lblHorizontal", 0, 10880, 180, 0, 0, " HORIZONTAL"},
        {ControlKind::AutoSizeLabel, "lblPosition", 0, 6900, 480, 0, 0, "POSITION"},
        {ControlKind::AutoSizeLabel, "lblPosition", 1, 9000, 480, 0, 0, "POSITION"},
        {ControlKind::AutoSizeLabel, "lblPosition", 2, 11040, 480, 0, 0, "POSITION"},
        {ControlKind::AutoSizeLabel, "lblVertical", 1, 7830, 2520, 0, 0, "VOLT / DIV"},
        {ControlKind::AutoSizeLabel, "lblHorizontal", 1, 11000, 2520, 0, 0, " T / DIV"},
        {ControlKind::AutoSizeLabel, "lblCanal", 0, 7080, 2520, 0, 0, "CH1"},
        {ControlKind::AutoSizeLabel, "lblCanal", 1, 9240, 2520, 0, 0, "CH2"},
        // Below the screen's bezel, above their knobs.
        {ControlKind::AutoSizeLabel, "lblindic", 7, 1650, 5100, 0, 0, "Intensité"},
        {ControlKind::AutoSizeLabel, "lblindic", 6, 2850, 5100, 0, 0, "Focus"},
        {ControlKind::Image, "imgPicto", 0, 6420, 300, 360, 360, ":/scope/picto_position.svg"},
        {ControlKind::Image, "imgPicto", 1, 12060, 3060, 360, 360, ":/scope/picto_timebase.svg"},
        {ControlKind::Image, "imgPicto", 2, 6300, 3060, 360, 360, ":/scope/picto_volts.svg"},
        // Mode lamps and buttons.
        {ControlKind::Image, "imgCadreVoie", 0, 7200, 1740, 405, 135, ":/scope/lamp_frame.svg"},
        {ControlKind::Shape, "shpVoie", 0, 7200, 1740, 405, 135},
        {ControlKind::Shape, "shpVoie", 1, 7680, 1740, 405, 135},
        {ControlKind::Shape, "shpVoie", 2, 8160, 1740, 405, 135},
        {ControlKind::Shape, "shpVoie", 3, 8640, 1740, 405, 135},
        {ControlKind::Shape, "shpVoie", 4, 9120, 1740, 405, 135},
        {ControlKind::Shape, "shpVoie", 5, 9840, 1740, 405, 135},
        {ControlKind::AutoSizeLabel, "lblVoie", 0, 7230, 1920, 0, 0, "CH1"},
        {ControlKind::AutoSizeLabel, "lblVoie", 1, 7710, 1920, 0, 0, "CH2"},
        {ControlKind::AutoSizeLabel, "lblVoie", 2, 8160, 1920, 0, 0, "DUAL"},
        {ControlKind::AutoSizeLabel, "lblVoie", 3, 8670, 1920, 0, 0, "ADD"},
        {ControlKind::AutoSizeLabel, "lblVoie", 4, 9210, 1920, 0, 0, "XY"},
        {ControlKind::AutoSizeLabel, "lblVoie", 5, 9840, 1920, 0, 0, "-CH2"},
        {ControlKind::PanelButton, "cmdVoie", 0, 7800, 2160, 495, 255, "◄", "Mode précédent"},
        {ControlKind::PanelButton, "cmdVoie", 1, 8400, 2160, 495, 255, "►", "Mode suivant"},
        {ControlKind::PanelButton, "cmdVoie", 2, 9780, 2160, 495, 255, "±", "Inverser la voie CH2"},
        // Coupling lamps and buttons.
        {ControlKind::Shape, "shpACDC", 0, 6600, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 1, 7080, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 2, 7560, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 3, 8760, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 4, 9240, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 5, 9720, 3900, 405, 135},
        {ControlKind::AutoSizeLabel, "lblACDC", 0, 6660, 4080, 0, 0, "AC    DC   GND"},
        {ControlKind::AutoSizeLabel, "lblACDC", 1, 8820, 4080, 0, 0, "AC    DC   GND"},
        {ControlKind::PanelButton, "cmdACDC", 0, 7020, 4260, 495, 255, "►", "Couplage de la voie CH1"},
        {ControlKind::PanelButton, "cmdACDC", 1, 9180, 4260, 495, 255, "►", "Couplage de la voie CH2"},
        // Input sockets: the coloured rings, the sockets, their labels, the plugs.
        {ControlKind::Shape, "shpConnectCH1", 0, 6840, 4620, 855, 855},
        {ControlKind::Shape, "shpConnectCH1", 1, 6960, 4740, 615, 615},
        {ControlKind::Shape, "shpConnectCH2", 0, 9000, 4620, 855, 855},
        {ControlKind::Shape, "shpConnectCH2", 1, 9120, 4740, 615, 615},
        {ControlKind::Image, "shpBorne", 0, 7020, 4800, 495, 495, ":/scope/socket_red.svg"},
        {ControlKind::Image, "shpBorne", 1, 9180, 4800, 495, 495, ":/scope/socket_red.svg"},
        {ControlKind::Image, "shpBorne", 2, 11100, 4860, 495, 495, ":/scope/socket_black.svg"},
        // Left of the inputs' group, clear of its edge.
        {ControlKind::AutoSizeLabel, "lblBorne", 0, 6300, 4800, 0, 0, "CH1\n(X)"},
        {ControlKind::AutoSizeLabel, "lblBorne", 1, 8520, 4800, 0, 0, "CH2\n(Y)"},
        {ControlKind::AutoSizeLabel, "lblBorne", 2, 10380, 4980, 0, 0, "Masse"},
        {ControlKind::Image, "imgBorne", 0, 6900, 4680, 735, 735, "", "Cliquez ici pour mettre en place la fiche"},
        {ControlKind::Image, "imgBorne", 1, 9060, 4680, 735, 735, "", "Cliquez ici pour mettre en place la fiche"},
        {ControlKind::Image, "imgBorne", 2, 10980, 4740, 735, 735, "", "Cliquez ici pour mettre en place la fiche"},
        {ControlKind::Image, "imgFiche", 0, 7020, 4800, 1275, 975, ":/scope/plug_channel.svg", "", false},
        {ControlKind::Image, "imgFiche", 1, 9120, 4800, 1275, 975, ":/scope/plug_channel.svg", "", false},
        {ControlKind::Image, "imgFiche", 2, 10980, 4770, 1350, 1065, ":/scope/plug_ground.svg", "", false},
        // FFT and trigger alignment.
        {ControlKind::PanelSwitch, "chkFFT", -1, 11220, 1740, 900, 495, "FFT", "Spectre du signal"},
        {ControlKind::PanelSwitch, "chkAuto", -1, 11220, 2400, 495, 495, "Auto", "", false},
    },
};

// Maxima and start values of the eight knobs; focus and intensity start from
// the settings.
constexpr std::array<float, 8> kMaxima = {20, 5, 1800, 1400, 1400, 17, 13, 13};
constexpr std::array<float, 8> kDepart = {12, 5, 900, 700, 700, 8, 5, 5};

} // namespace

frmWavix::frmWavix() : VbForm(QString::fromLatin1(kNom))
{
    // Kept for the program's life.
    setClosable(false);
    InitialiserRessources();
    // The panel's small print, as on the instrument.
    usePanelFont();
    buildForm(this, kDesign);
    for (int i = 0; i < 6; ++i) {
        shpVoie[size_t(i)] = control<Shape>(this, "shpVoie", i);
        shpACDC[size_t(i)] = control<Shape>(this, "shpACDC", i);
        lblVoie[size_t(i)] = control<QLabel>(this, "lblVoie", i);
    }
    for (int i = 0; i < 8; ++i) {
        Potentio[size_t(i)] = control<Potentio_Creme>(this, "Potentio", i);
        Potentio[size_t(i)]->setStepped(i >= 5);
    }
    for (int i = 0; i < 3; ++i)
        imgFiche[size_t(i)] = control<ImageBox>(this, "imgFiche", i);
    imgOn = control<ImageBox>(this, "imgOn");
    chkOn = control<QAbstractButton>(this, "chkOn");
    chkFFT = control<QCheckBox>(this, "chkFFT");
    chkAuto = control<QCheckBox>(this, "chkAuto");
    picEcran = control<PictureBox>(this, "picEcran");
    picGrille = control<PictureBox>(this, "picGrille");
    picEcranPrint = control<PictureBox>(this, "picEcranPrint");
    // The knobs stand at their lists' first positions until the load turns
    // them to their start, a click for each.
    panneau_.baseTemps = 0;
    panneau_.sensibilite = {0, 0};
    tmrSpot.setObjectName(QStringLiteral("tmrSpot"));
    tmrXY.setObjectName(QStringLiteral("tmrXY"));
    tmrSpot.setInterval(0);
    tmrXY.setInterval(0);
    tmrSpot.setFramePaced(true);
    tmrXY.setFramePaced(true);
    tmrReglage.setObjectName(QStringLiteral("tmrReglage"));
    tmrReglage.setInterval(0);
    tmrReglage.setFramePaced(true);

    // The cursor readout hangs inside the screen.
    lblPositionCurseur = CreerPositionCurseur(picEcran);

    for (int i = 0; i < 3; ++i)
        control<ImageBox>(this, "imgFiche", i)->raise();
    for (const char* lampe : {"shpVoie", "shpACDC"})
        for (int i = 0; i < 6; ++i)
            control<Shape>(this, lampe, i)->setKind(Shape::Lamp);
    for (const char* anneau : {"shpConnectCH1", "shpConnectCH2"})
        for (int i = 0; i < 2; ++i) {
            control<Shape>(this, anneau, i)->setKind(Shape::Circle);
            control<Shape>(this, anneau, i)->setBorderColor(0x404040);
        }
    control<Shape>(this, "shpConnectCH1", 1)->lower();
    control<Shape>(this, "shpConnectCH2", 1)->lower();
    control<Shape>(this, "shpConnectCH1", 0)->lower();
    control<Shape>(this, "shpConnectCH2", 0)->lower();

    setFacePicture(QStringLiteral(":/scope/panel.svg"));
    relier();
    InstallerAideF1(this, kRubriqueAide);
}

void frmWavix::relier()
{
    connect(chkOn, &QAbstractButton::toggled, this, &frmWavix::chkOn_Click);
    connect(chkFFT, &QCheckBox::toggled, this, [this](bool fft) {
        PanneauScope p = panneau_;
        p.fft = fft;
        changerPanneau(p);
        ActualiserEcran();
    });
    connect(chkAuto, &QCheckBox::toggled, this, [] { ActualiserEcran(); });
    for (int i = 0; i < 3; ++i) {
        connect(control<QPushButton>(this, "cmdVoie", i), &QPushButton::clicked, this, [this, i] { cmdVoie_Click(i); });
        connect(control<ImageBox>(this, "imgBorne", i), &ImageBox::Click, this, [this, i] { basculerFiche(i); });
        connect(imgFiche[size_t(i)], &ImageBox::Click, this, [this, i] { basculerFiche(i); });
    }
    for (int i = 0; i < 2; ++i)
        connect(control<QPushButton>(this, "cmdACDC", i), &QPushButton::clicked, this, [this, i] { cmdACDC_Click(i); });
    for (Potentio_Creme* knob : Potentio) {
        connect(knob, &Potentio_Creme::MouseDown, this,
                [](int index, int bouton, int, double, double) { ReglerPotentiometre(bouton, index); });
        // A drag refreshes once a frame at most, and at once as it ends.
        connect(knob, &Potentio_Creme::MouseMove, this, [](int index, int bouton, int, double, double) {
            if (AppliquerPotentiometre(bouton, index, Rythme::Glissement))
                DemanderActualisation();
        });
        connect(knob, &Potentio_Creme::MouseUp, this, [] { ActualiserEcranEnAttente(); });
        connect(knob, &Potentio_Creme::DblClick, this, &frmWavix::Potentio_DblClick);
    }
    connect(picEcran, &PictureBox::MouseMove, this, &frmWavix::picEcran_MouseMove);
    connect(picEcran, &PictureBox::DblClick, this, &frmWavix::picEcran_DblClick);
    connect(&tmrSpot, &VbTimer::Timer, this, &frmWavix::tmrSpot_Timer);
    connect(&tmrXY, &VbTimer::Timer, this, &frmWavix::tmrXY_Timer);
    connect(&tmrReglage, &VbTimer::Timer, this, [this] { ActualisationReglage(*this); });

    // The hand over what can be turned, pressed or plugged.
    QList<QWidget*> cliquables = {chkOn};
    for (Potentio_Creme* knob : Potentio)
        cliquables << knob;
    for (int i = 0; i < 3; ++i)
        cliquables << control<ImageBox>(this, "imgBorne", i) << imgFiche[size_t(i)];
    for (QWidget* w : cliquables)
        w->setCursor(CurseurMain());
    setMouseTracking(true);
    lblPositionCurseur->installEventFilter(this);
    picEcran->installEventFilter(this);
}

float frmWavix::potentioValue(int index) const
{
    return Potentio[size_t(index)]->Value();
}

float frmWavix::potentioMax(int index) const
{
    return Potentio[size_t(index)]->Max();
}

void frmWavix::setPotentioValue(int index, float value)
{
    Potentio[size_t(index)]->setValue(value);
}

int frmWavix::epaisseurTrace() const
{
    return roundHalfEvenToInt32(std::abs(potentioValue(0) - potentioMax(0) / 2.0) + 1).value_or(1);
}

double frmWavix::luminositeTrace() const
{
    return 1 - std::exp(-double(potentioValue(1)));
}

void frmWavix::Form_Load()
{
    RestaurerPosition(this, QStringLiteral("Wavix"), LargeurFenetre(QStringLiteral("frmToolBox")), 0);
    Scope().NiveauSeuil = 0;

    std::array<float, 8> depart = kDepart;
    depart[0] = float(LireNombreINI(QStringLiteral("Interface"), QStringLiteral("Focus"), kDepart[0]));
    depart[1] = float(LireNombreINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), kDepart[1]));
    for (int i = 0; i < 8; ++i) {
        Potentio_Creme* knob = Potentio[size_t(i)];
        knob->setMax(kMaxima[size_t(i)]);
        knob->setValue(depart[size_t(i)]);
        knob->setMin(0);
        ReglerPotentiometre(1, i);
    }

    Scope().CouleurFond = LireCouleurINI(QStringLiteral("Options"), QStringLiteral("ColorScreen"), 10135975);
    const std::array<int32_t, 2> couleurs = {
        LireCouleurINI(QStringLiteral("Options"), QStringLiteral("ColorYa"), 65535),
        LireCouleurINI(QStringLiteral("Options"), QStringLiteral("ColorYb"), 4227072)};

    picEcran->Cls();
    tmrXY.setInterval(0);
    picEcran->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);

    // The channels as a scope just switched on finds them, told once.
    {
        ModeleBanc::Lot lot(Modele());
        Modele().reglerScore(0, Banc().scoreMaxExo);
        int voie = 0;
        Modele().modifierVoie(kDeuxVoies, [&](EtatVoie& v) {
            v.CouleurTrace = couleurs[size_t(voie++)];
            v.StyleTrace = 0;
            v.Amplitude = 0;
            v.Frequence = 0;
            v.Decalage = 0;
            v.FormeSignal = QStringLiteral("Cc");
            v.EntreeBranchee = false;
        });
        colorerConnexions();
        DessinerGrille(picGrille);
        picEcran->setPicture(picGrille->Image());
    }
}

void frmWavix::Form_Unload(bool&)
{
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), StrSingle(potentioValue(1)));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Focus"), StrSingle(potentioValue(0)));
    EnregistrerPosition(this, QStringLiteral("Wavix"));
}

void frmWavix::basculerFiche(int index)
{
    fiches_[size_t(index)] = !fiches_[size_t(index)];
    imgFiche[size_t(index)]->setVisible(fiches_[size_t(index)]);
    // An input is wired by its plug and the ground plug, whether the scope
    // is on or not: a meter's leads across it read the source all the same.
    int voie = 0;
    Modele().modifierVoie(kDeuxVoies, [&](EtatVoie& v) {
        v.EntreeBranchee = fiches_[size_t(voie++)] && fiches_[2];
    });
}

void frmWavix::chkOn_Click()
{
    tmrSpot.setInterval(0);
    tmrXY.setInterval(0);
    // On, the panel shows the mode and couplings last chosen.
    PanneauScope p = panneau_;
    p.allume = chkOn->isChecked();
    if (p.allume)
        p = LireReglagesPanneau(p);
    changerPanneau(p);
    ActualiserEcran();
}

void frmWavix::cmdVoie_Click(int index)
{
    if (!estAllume())
        return;
    PanneauScope p = panneau_;
    if (index == 2) {
        p.inverseCH2 = !p.inverseCH2;
        changerPanneau(p);
        EcrireReglagePanneau(p, ReglagePanneau::InverseCH2);
    } else {
        p.mode = ModeVoies((int(p.mode) + (index == 1 ? 1 : 4)) % 5);
        changerPanneau(p);
        EcrireReglagePanneau(p, ReglagePanneau::Mode);
        if (index == 1 && p.mode == ModeVoies::XY)
            TempsXY = 0;
    }
    ActualiserEcran();
}

void frmWavix::cmdACDC_Click(int index)
{
    if (!estAllume() || index < 0 || index > 1)
        return;
    PanneauScope p = panneau_;
    Couplage& c = p.couplage[size_t(index)];
    c = Couplage((int(c) + 1) % 3);
    changerPanneau(p);
    EcrireReglagePanneau(p, index == 0 ? ReglagePanneau::CouplageCH1 : ReglagePanneau::CouplageCH2);
    ActualiserEcran();
}

void frmWavix::changerPanneau(const PanneauScope& p)
{
    const PanneauScope avant = panneau_;
    panneau_ = p;
    peindrePanneau();
    const int clics = (p.baseTemps != avant.baseTemps) + (p.sensibilite[0] != avant.sensibilite[0])
                      + (p.sensibilite[1] != avant.sensibilite[1]);
    for (int i = 0; i < clics; ++i)
        jouerClic();
    if (p.pleinEcran != avant.pleinEcran)
        Q_EMIT Oscillo().pleinEcranChange(p.pleinEcran);
    Q_EMIT Oscillo().panneauChange(panneau_);
}

void frmWavix::peindrePanneau()
{
    const PanneauScope& p = panneau_;
    {
        const QSignalBlocker bloque(chkOn);
        chkOn->setChecked(p.allume);
    }
    // The power button shows what pressing it does.
    chkOn->setText(p.allume ? QStringLiteral("Off") : QStringLiteral("On"));
    imgOn->setPicture(p.allume ? QStringLiteral(":/scope/power_on.svg") : QStringLiteral(":/scope/power_off.svg"));
    imgOn->setToolTip(p.allume ? QStringLiteral("Wavixscope allumé") : QStringLiteral("Wavixscope éteint"));
    const auto peindre = [](Shape* lampe, bool allumee) { lampe->setFillColor(allumee ? kVertAllume : kBlancEteint); };
    for (int i = 0; i <= 4; ++i)
        peindre(shpVoie[size_t(i)], p.modeAllume(ModeVoies(i)));
    peindre(shpVoie[5], p.inverseAllume());
    for (int voie = 0; voie < 2; ++voie)
        for (int i = 0; i < 3; ++i)
            peindre(shpACDC[size_t(3 * voie + i)], p.couplageAllume(voie, Couplage(i)));
    {
        const QSignalBlocker bloque(chkFFT);
        chkFFT->setChecked(p.fft);
    }
    // A knob turned by hand already stands on its position.
    const std::array<int, 3> positions = {p.baseTemps, p.sensibilite[0], p.sensibilite[1]};
    for (int i = 0; i < 3; ++i) {
        Potentio_Creme* knob = Potentio[size_t(5 + i)];
        if (positions[size_t(i)] >= 0 && roundHalfEvenToInt32(knob->Value()) != positions[size_t(i)])
            knob->setValue(float(positions[size_t(i)]));
    }
}

void frmWavix::Potentio_DblClick(int index)
{
    switch (index) {
    case 2:
        Potentio[2]->setValue(900);
        Scope().PositionHorizontale = 0;
        break;
    case 3:
    case 4:
        Potentio[size_t(index)]->setValue(700);
        Modele().modifierVoie(index - 3, [](EtatVoie& v) { v.PositionVerticale = 0; });
        return;
    default: break;
    }
    ActualiserEcran();
}

void frmWavix::tmrSpot_Timer()
{
    if (tmrSpot.Interval() == 0)
        return;
    AvancerSpot();
}

void frmWavix::tmrXY_Timer()
{
    if (tmrXY.Interval() == 0)
        return;
    const int64_t maintenant = perfCounterNow();
    const int64_t frequence = perfCounterFrequency();
    // The first tick of a figure, or a clock that cannot tell: one tick's step.
    double avance = 2000;
    if (XYLast && frequence > 0)
        avance = AvanceXY(double(maintenant - *XYLast) / double(frequence));
    XYLast = maintenant;
    TempsXY += avance;
    if (TempsXY > 1e99)
        TempsXY = 0;
    CourbeXY(TempsXY);
}

void frmWavix::picEcran_MouseMove(int, int, double x, double y)
{
    if (estAllume())
        AfficherPositionCurseur(lblPositionCurseur, picEcran, x, y, 30, 20);
}

void frmWavix::picEcran_DblClick()
{
    lblPositionCurseur->hide();
    AfficherPleinEcran();
}

bool frmWavix::eventFilter(QObject* watched, QEvent* event)
{
    // The readout steps aside when the pointer reaches it.
    if (watched == lblPositionCurseur && event->type() == QEvent::MouseMove) {
        const QPoint ici = lblPositionCurseur->mapTo(picEcran, static_cast<QMouseEvent*>(event)->position().toPoint());
        lblPositionCurseur->move(ici + QPoint(12, 8));
    }
    // The readout tells where the pointer is on the screen: off the screen
    // it has nothing to tell. Over the readout, the pointer is still on it.
    if (watched == picEcran && event->type() == QEvent::Leave)
        lblPositionCurseur->hide();
    return VbForm::eventFilter(watched, event);
}

void frmWavix::mouseMoveEvent(QMouseEvent* event)
{
    lblPositionCurseur->hide();
    VbForm::mouseMoveEvent(event);
}


void frmWavix::jouerClic()
{
    JouerSon(QCoreApplication::applicationDirPath() + QStringLiteral("/Button Click.wav"));
}

void frmWavix::colorerConnexions()
{
    for (int i = 0; i < 2; ++i) {
        control<Shape>(this, "shpConnectCH1", i)->setFillColor(Banc().voies[0].CouleurTrace);
        control<Shape>(this, "shpConnectCH2", i)->setFillColor(Banc().voies[1].CouleurTrace);
    }
}
