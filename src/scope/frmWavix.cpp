#include "scope/frmWavix.h"

#include "app/FichierINI.h"
#include "app/PositionFenetre.h"
#include "bench/frmToolBox.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/VbConversions.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "scope/RVB.h"
#include "scope/Sensibilite.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

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
        {ControlKind::Frame, "fraPower", -1, 120, 5100, 1335, 855, "POWER "},
        {ControlKind::CheckBox, "chkOn", -1, 300, 5460, 455, 335, "On", "Bouton Marche/Arrêt"},
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
        {ControlKind::Shape, "shpACDC", 0, 6600, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 1, 7080, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 2, 7560, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 3, 8760, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 4, 9240, 3900, 405, 135},
        {ControlKind::Shape, "shpACDC", 5, 9720, 3900, 405, 135},
        {ControlKind::AutoSizeLabel, "lblACDC", 0, 6660, 4080, 0, 0, "AC    DC   GND"},
        {ControlKind::AutoSizeLabel, "lblACDC", 1, 8820, 4080, 0, 0, "AC    DC   GND"},
        {ControlKind::CheckBox, "chkFFT", -1, 11220, 1740, 495, 495, "FFT", "Spectre du signal"},
        {ControlKind::CheckBox, "chkAuto", -1, 11220, 2400, 495, 495, "Auto", "", false},
        {ControlKind::ComboBox, "cboBaseTemps", -1, 10920, 3840, 1215, 315, "",
         "Valeur de la sensibilité horizontale", false},
        {ControlKind::ComboBox, "cboSensibiliteVerticaleA", -1, 6780, 3480, 1215, 315, "",
         "Valeur de la sensibilité verticale, voie CH1", false},
        {ControlKind::ComboBox, "cboSensibiliteVerticaleB", -1, 8940, 3480, 1215, 315, "",
         "Valeur de la sensibilité verticale, voie CH2", false},
    },
};

// Maxima and start values of the eight knobs.
constexpr std::array<float, 8> kMaxima = {20, 5, 1800, 1400, 1400, 17, 13, 13};

} // namespace

frmWavix::frmWavix() : VbForm(QString::fromLatin1(kNom))
{
    buildForm(this, kDesign);
    for (int i = 0; i < 6; ++i) {
        shpVoie[size_t(i)] = control<Shape>(this, "shpVoie", i);
        shpACDC[size_t(i)] = control<Shape>(this, "shpACDC", i);
        lblVoie[size_t(i)] = control<QLabel>(this, "lblVoie", i);
    }
    chkOn = control<QCheckBox>(this, "chkOn");
    chkFFT = control<QCheckBox>(this, "chkFFT");
    chkAuto = control<QCheckBox>(this, "chkAuto");
    picEcran = control<PictureBox>(this, "picEcran");
    picGrille = control<PictureBox>(this, "picGrille");
    picEcranPrint = control<PictureBox>(this, "picEcranPrint");
    cboBaseTemps = control<QComboBox>(this, "cboBaseTemps");
    cboSensibiliteVerticaleA = control<QComboBox>(this, "cboSensibiliteVerticaleA");
    cboSensibiliteVerticaleB = control<QComboBox>(this, "cboSensibiliteVerticaleB");
    cboBaseTemps->addItems(TextesBasesTemps());
    cboSensibiliteVerticaleA->addItems(TextesSensibilites());
    cboSensibiliteVerticaleB->addItems(TextesSensibilites());
    tmrSpot.setObjectName(QStringLiteral("tmrSpot"));
    tmrXY.setObjectName(QStringLiteral("tmrXY"));
    tmrSpot.setInterval(0);
    tmrXY.setInterval(0);

    connect(chkOn, &QCheckBox::toggled, this, &frmWavix::chkOn_Click);
    connect(chkFFT, &QCheckBox::toggled, this, [] { ActualiserEcran(); });
    connect(chkAuto, &QCheckBox::toggled, this, [] { ActualiserEcran(); });
    InstallerAideF1(this, kRubriqueAide);
}

bool frmWavix::estAllume() const
{
    return chkOn->text() != QLatin1String("On");
}

void frmWavix::Form_Load()
{
    RestaurerPosition(this, QStringLiteral("Wavix"), Forms().get<frmToolBox>()->Width(), 0);
    NiveauSeuil = 0;

    // The knobs: focus and intensity as last left, 1 ms/div, 2 V/div, centred.
    potentio_ = {float(LireNombreINI(QStringLiteral("Interface"), QStringLiteral("Focus"), 12)),
                 float(LireNombreINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), 5)),
                 900, 700, 700, 8, 5, 5};
    for (int i = 0; i < 8; ++i) {
        potentio_[size_t(i)] = std::clamp(potentio_[size_t(i)], 0.0f, kMaxima[size_t(i)]);
        ReglerPotentiometre(1, i);
    }

    CouleurFond = LireCouleurINI(QStringLiteral("Options"), QStringLiteral("ColorScreen"), 10135975);
    CouleurTraceA = LireCouleurINI(QStringLiteral("Options"), QStringLiteral("ColorYa"), 65535);
    CouleurTraceB = LireCouleurINI(QStringLiteral("Options"), QStringLiteral("ColorYb"), 4227072);

    StyleTraceA = 0;
    StyleTraceB = 0;
    picEcran->Cls();
    DessinerGrille(this);
    tmrXY.setInterval(0);

    ScoreExo = 0;
    for (EtatVoie& v : Voies) {
        v.Amplitude = 0;
        v.Frequence = 0;
        v.Decalage = 0;
        v.FormeSignal = QStringLiteral("Cc");
        v.EntreeBranchee = false;
    }

    picEcran->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);
    picEcran->setPicture(picGrille->Image());
}

void frmWavix::Form_Unload(bool&)
{
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), StrSingle(potentio_[1]));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Focus"), StrSingle(potentio_[0]));
    EnregistrerPosition(this, QStringLiteral("Wavix"));
}

float frmWavix::potentioMax(int index) const
{
    return kMaxima[size_t(index)];
}

void frmWavix::setPotentioValue(int index, float value)
{
    potentio_[size_t(index)] = std::clamp(value, 0.0f, kMaxima[size_t(index)]);
}

void frmWavix::recalculerEntrees()
{
    const bool allume = chkOn->isChecked();
    EntreeBrancheeA = allume && fiches_[0] && fiches_[2];
    EntreeBrancheeB = allume && fiches_[1] && fiches_[2];
}

void frmWavix::basculerFiche(int index)
{
    fiches_[size_t(index)] = !fiches_[size_t(index)];
    recalculerEntrees();
    ActualiserEcran();
}

void frmWavix::chkOn_Click()
{
    tmrSpot.setInterval(0);
    tmrXY.setInterval(0);
    recalculerEntrees();
    for (Shape* lampe : shpVoie)
        lampe->setFillColor(kBlancEteint);
    for (Shape* lampe : shpACDC)
        lampe->setFillColor(kBlancEteint);
    if (!chkOn->isChecked()) {
        chkOn->setText(QStringLiteral("On"));
    } else {
        chkOn->setText(QStringLiteral("Off"));
        allumerDepuisReglages();
    }
    ActualiserEcran();
}

void frmWavix::allumerDepuisReglages()
{
    // A damaged value lights the key's default lamp; each channel only its own.
    const QString interface = QStringLiteral("Interface");
    shpVoie[size_t(LireEntierINI(interface, QStringLiteral("Mode voie"), 2, 0, 4))]->setFillColor(kVertAllume);
    if (LireEntierINI(interface, QStringLiteral("Mode voie -CH2"), 0, 0, 1) != 0)
        shpVoie[5]->setFillColor(kVertAllume);
    shpACDC[size_t(LireEntierINI(interface, QStringLiteral("ACDC CH1"), 0, 0, 2))]->setFillColor(kVertAllume);
    shpACDC[size_t(LireEntierINI(interface, QStringLiteral("ACDC CH2"), 3, 3, 5))]->setFillColor(kVertAllume);
}
