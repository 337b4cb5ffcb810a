#include "bench/frmEDF.h"

#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "services/EtatBanc.h"
#include "platform/Curseurs.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace {

constexpr int kRubriqueAide = 3500;

const FenetreSource::Description kDescription{"EDF", 4935, 12, 13, kRubriqueAide, true};

constexpr int kIntervalleClignotement = 400;

// Where each plug sits when it goes in, in twips.
const QPoint kPlaceFiche[3] = {{300, 600}, {1380, 660}, {900, 1680}};

const FormDesign kDesign{
    "Prise du secteur - Voie CH1",
    4430,
    3525,
    {
        {ControlKind::Label, "lblNeutre", -1, 150, 165, 840, 195, "Neutre"},
        {ControlKind::Label, "lblPhase", -1, 1230, 225, 840, 195, "Phase"},
        {ControlKind::Label, "lblTerre", -1, 750, 2250, 840, 195, "Terre"},
        {ControlKind::Image, "imgBorne", 0, 210, 510, 540, 540},
        {ControlKind::Image, "imgBorne", 1, 1290, 570, 540, 540},
        {ControlKind::Image, "imgBorne", 2, 810, 1590, 540, 540},
        {ControlKind::Image, "imgFiche", 0, 300, 600, 360, 540, ":/bench/lead_black.svg"},
        {ControlKind::Image, "imgFiche", 1, 1380, 660, 360, 540, ":/bench/lead_red.svg"},
        {ControlKind::Image, "imgFiche", 2, 900, 1680, 360, 540, ":/bench/lead_earth.svg"},
        {ControlKind::Image, "imgLogo", -1, 2730, 390, 1320, 1170, ":/bench/hazard.svg", "Danger : tension dangereuse"},
        {ControlKind::Frame, "fraWorld", -1, 120, 2550, 4190, 855, "Tension et fréquence dans le Monde : "},
        {ControlKind::OptionButton, "optWorld", 0, 210, 2940, 1050, 330, "Europe"},
        {ControlKind::OptionButton, "optWorld", 1, 1290, 2940, 1950, 330, "Amérique du Nord"},
        {ControlKind::OptionButton, "optWorld", 2, 3300, 2940, 960, 330, "Japon"},
    },
};

} // namespace

const std::array<frmEDF::Region, 3> frmEDF::kRegions{{
    {"Europe", 325.3, 50},
    {"Amérique du Nord", 169.7056, 60},
    {"Japon", 141.4214, 60},
}};

const QCursor& CurseurFiche()
{
    static const QCursor fiche = CurseurSvg(QStringLiteral(":/bench/cursor_plug.svg"), 16, 1);
    return fiche;
}

frmEDF::frmEDF(int voie)
    : FenetreSource(voie == 0 ? QStringLiteral("frmEDFA") : QStringLiteral("frmEDFB"), voie, kDescription)
{
    buildForm(this, kDesign);
    if (voie == 1)
        setWindowTitle(QStringLiteral("Prise du secteur - Voie CH2"));
    for (const char* nom : {"lblNeutre", "lblPhase", "lblTerre"}) {
        auto* etiquette = control<QLabel>(this, nom);
        etiquette->setAlignment(Qt::AlignCenter);
        etiquette->setStyleSheet(QStringLiteral("font-weight: bold;"));
    }
    imgLogo = control<ImageBox>(this, "imgLogo");
    auto* groupe = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optWorld[size_t(i)] = control<QAbstractButton>(this, "optWorld", i);
        optWorld[size_t(i)]->raise();
        groupe->addButton(optWorld[size_t(i)]);
        auto* borne = control<ImageBox>(this, "imgBorne", i);
        borne->setMouseTracking(true);
        borne->installEventFilter(this);
    }
    relierBornes(3, nullptr, false);
    setMouseTracking(true);
    setFacePicture(QStringLiteral(":/bench/edf_panel.svg"));

    optWorld[0]->setChecked(true);
    for (int i = 0; i < 3; ++i)
        connect(optWorld[size_t(i)], &QAbstractButton::toggled, this, [this, i](bool coche) {
            if (coche)
                optWorld_Click(i);
        });
    connect(&Timer1, &VbTimer::Timer, this, &frmEDF::Timer1_Timer);
}

void frmEDF::Form_Load()
{
    FenetreSource::Form_Load();
    modifierCanal([](EtatVoie& v) {
        v.SourceBranchee = false;
        v.Amplitude = 0;
        v.Frequence = kRegions[0].frequence;
    });
    Timer1.setInterval(kIntervalleClignotement);
    Timer1.setEnabled(true);
}

int frmEDF::regionChoisie() const
{
    for (int i = 0; i < 3; ++i)
        if (optWorld[size_t(i)]->isChecked())
            return i;
    return 0;
}

bool frmEDF::neutreTerre() const
{
    return fichePlacee(Neutre) && fichePlacee(Terre);
}

void frmEDF::recalculerBranchement()
{
    const bool phase = fichePlacee(Phase) && (fichePlacee(Neutre) || fichePlacee(Terre));
    const bool neutre = neutreTerre();
    const double crete = kRegions[size_t(regionChoisie())].crete;
    modifierCanal([&](EtatVoie& v) {
        v.SourceBranchee = false;
        if (phase) {
            v.SourceBranchee = true;
            v.Amplitude = crete;
        } else if (neutre) {
            // Neither lead on the phase: a flat line at 0 V.
            v.SourceBranchee = true;
            v.Amplitude = 0;
        }
    });
}

void frmEDF::imgBorne_Click(int i)
{
    if (i < 0 || i > 2)
        return;
    placeTwips(fiche(i), kPlaceFiche[i].x(), kPlaceFiche[i].y());
    placerFiche(i, !fichePlacee(i));
    // A third plug pushes out the one of the terminal before it.
    if (fichePlacee(Neutre) && fichePlacee(Phase) && fichePlacee(Terre))
        placerFiche(i == 0 ? 2 : i - 1, false);
    recalculerBranchement();
}

void frmEDF::optWorld_Click(int index)
{
    const bool neutre = neutreTerre();
    modifierCanal([&](EtatVoie& v) {
        if (index >= 0 && index < 3) {
            v.Frequence = kRegions[size_t(index)].frequence;
            v.Amplitude = neutre ? 0 : kRegions[size_t(index)].crete;
        }
    });
}

void frmEDF::Timer1_Timer()
{
    imgLogo->setHidden(!imgLogo->isHidden());
}

bool frmEDF::eventFilter(QObject* objet, QEvent* e)
{
    // Over a terminal the pointer becomes a plug (the move stops there, so
    // the window's own move does not give the ordinary pointer back); the CH2
    // socket gives the ordinary pointer back as soon as a button is pressed
    // on it.
    if (e->type() == QEvent::MouseMove) {
        setCursor(CurseurFiche());
        return true;
    }
    if (e->type() == QEvent::MouseButtonPress && voie() == 1)
        unsetCursor();
    return FenetreSource::eventFilter(objet, e);
}

void frmEDF::mouseMoveEvent(QMouseEvent* e)
{
    unsetCursor();
    FenetreSource::mouseMoveEvent(e);
}
