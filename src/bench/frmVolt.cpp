#include "bench/frmVolt.h"

#include "services/EtatBanc.h"
#include "services/PositionFenetre.h"
#include "bench/AiguilleSelecteur.h"
#include "services/RequetesBanc.h"
#include "services/ModeleBanc.h"
#include "bench/Voltmetre.h"
#include "bench/frmEDF.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/SevenSegmentLabel.h"
#include "platform/Shape.h"
#include "platform/VbMouse.h"
#include "services/EtatBanc.h"
#include "services/Ondes.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRubriqueAide = 3600;

// The ring around the selector; its centre is the pointer's.
constexpr double kCercleGauche = 600, kCercleHaut = 1680, kCercleLargeur = 2835, kCercleHauteur = 2775;
constexpr double kCentreX = kCercleGauche + kCercleLargeur / 2;
constexpr double kCentreY = kCercleHaut + kCercleHauteur / 2;

const char kBulleCalibre[] = "Pour tourner le sélecteur et choisir ce calibre.";
const char kBulleArret[] = "Pour éteindre le multimètre.";

const FormDesign kDesign{
    "Multimètre",
    4440,
    6930,
    {
        // The display: the minus sign, the over-range "1" on the first digit
        // and the reading.
        {ControlKind::Shape, "picEcranVolt", -1, 510, 210, 3420, 1020},
        {ControlKind::Digits, "lblSigne", -1, 960, 330, 660, 780, "-", "", false},
        {ControlKind::Digits, "lblValueError", -1, 1380, 330, 660, 780, "1", "", false},
        {ControlKind::Digits, "lblValue", -1, 1380, 330, 1860, 780, "0,00", "", false},
        // The dial: a label and a dot at each position, the groups of ranges.
        {ControlKind::Label, "lblCal", 0, 1144, 1388, 480, 225, "1000", kBulleCalibre},
        {ControlKind::Label, "lblCal", 1, 669, 1680, 480, 225, "200", kBulleCalibre},
        {ControlKind::Label, "lblCal", 2, 299, 2136, 480, 225, "20", kBulleCalibre},
        {ControlKind::Label, "lblCal", 3, 97, 2778, 480, 225, "2", kBulleCalibre},
        {ControlKind::Label, "lblCal", 4, 582, 4150, 480, 225, "2m", kBulleCalibre},
        {ControlKind::Label, "lblCal", 5, 1144, 4522, 480, 225, "20m", kBulleCalibre},
        {ControlKind::Label, "lblCal", 6, 1777, 4645, 480, 225, "200m", kBulleCalibre},
        {ControlKind::Label, "lblCal", 7, 2411, 4522, 480, 225, "\u25B6|", kBulleCalibre},
        {ControlKind::Label, "lblCal", 8, 2886, 4230, 480, 225, "200", kBulleCalibre},
        {ControlKind::Label, "lblCal", 9, 3256, 3774, 480, 225, "2k", kBulleCalibre},
        {ControlKind::Label, "lblCal", 10, 3458, 3132, 480, 225, "20k", kBulleCalibre},
        {ControlKind::Label, "lblCal", 11, 3436, 2633, 480, 225, "2", kBulleCalibre},
        {ControlKind::Label, "lblCal", 12, 3270, 2162, 480, 225, "20", kBulleCalibre},
        {ControlKind::Label, "lblCal", 13, 2973, 1760, 480, 225, "200", kBulleCalibre},
        {ControlKind::Label, "lblCal", 14, 2411, 1388, 480, 225, "500", kBulleCalibre},
        {ControlKind::Label, "lblCal", 15, 1778, 1265, 480, 225, "0", kBulleArret},
        {ControlKind::Label, "lblCal", 16, 1265, 5012, 480, 225, "10A", kBulleCalibre},
        {ControlKind::Shape, "shpCal", 0, 1409, 1627, 90, 90},
        {ControlKind::Shape, "shpCal", 1, 985, 1887, 90, 90},
        {ControlKind::Shape, "shpCal", 2, 656, 2293, 90, 90},
        {ControlKind::Shape, "shpCal", 3, 476, 2865, 90, 90},
        {ControlKind::Shape, "shpCal", 4, 908, 4087, 90, 90},
        {ControlKind::Shape, "shpCal", 5, 1409, 4418, 90, 90},
        {ControlKind::Shape, "shpCal", 6, 1972, 4528, 90, 90},
        {ControlKind::Shape, "shpCal", 7, 2536, 4418, 90, 90},
        {ControlKind::Shape, "shpCal", 8, 2960, 4158, 90, 90},
        {ControlKind::Shape, "shpCal", 9, 3289, 3752, 90, 90},
        {ControlKind::Shape, "shpCal", 10, 3469, 3180, 90, 90},
        {ControlKind::Shape, "shpCal", 11, 3450, 2735, 90, 90},
        {ControlKind::Shape, "shpCal", 12, 3301, 2316, 90, 90},
        {ControlKind::Shape, "shpCal", 13, 3037, 1958, 90, 90},
        {ControlKind::Shape, "shpCal", 14, 2536, 1627, 90, 90},
        {ControlKind::Shape, "shpCal", 15, 1972, 1518, 90, 90},
        {ControlKind::Label, "lblGroupe", 0, 92, 1541, 480, 225, "V ="},
        {ControlKind::Label, "lblGroupe", 1, 4, 4340, 480, 225, "mA="},
        {ControlKind::Label, "lblGroupe", 2, 3658, 3997, 480, 225, "\u03A9"},
        {ControlKind::Label, "lblGroupe", 3, 3412, 1483, 480, 225, "V ~"},
        // The selector: its ring, the knob that the mouse turns.
        {ControlKind::Shape, "shpCercleSelecteur", -1, 600, 1680, 2835, 2775},
        {ControlKind::Image, "imgSelecteur", -1, 600, 1680, 2835, 2775, ":/bench/volt_selector.svg",
         "Pour tourner le sélecteur, bouton gauche de la souris enfoncé et rotation"},
        // The terminals, left to right V-Ω, COM, mA, 10A: the channel's
        // colour around each socket, the socket, its click area, the plug
        // (over the socket only: the legend under it stays readable).
        {ControlKind::Shape, "shpBorne", 0, 270, 5340, 600, 600},
        {ControlKind::Shape, "shpBorne", 3, 1350, 5340, 600, 600},
        {ControlKind::Shape, "shpBorne", 1, 2430, 5340, 600, 600},
        {ControlKind::Shape, "shpBorne", 2, 3510, 5340, 600, 600},
        {ControlKind::Image, "imgSocle", 0, 330, 5400, 480, 480, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 3, 1410, 5400, 480, 480, ":/scope/socket_black.svg"},
        {ControlKind::Image, "imgSocle", 1, 2490, 5400, 480, 480, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 2, 3570, 5400, 480, 480, ":/scope/socket_red.svg"},
        {ControlKind::Label, "lblBorne", 0, 60, 5925, 1020, 225, "V \u03A9"},
        {ControlKind::Label, "lblBorne", 3, 1140, 5925, 1020, 225, "COM"},
        {ControlKind::Label, "lblBorne", 1, 2220, 5925, 1020, 225, "mA"},
        {ControlKind::Label, "lblBorne", 2, 3300, 5925, 1020, 225, "10A"},
        {ControlKind::Image, "imgBorne", 0, 60, 5340, 1020, 600, "", "Pour mettre en place la fiche sur la borne V."},
        {ControlKind::Image, "imgBorne", 3, 1140, 5340, 1020, 600, "", "Pour mettre en place la fiche sur la borne COM."},
        {ControlKind::Image, "imgBorne", 1, 2220, 5340, 1020, 600, "", "Pour mettre en place la fiche sur la borne mA."},
        {ControlKind::Image, "imgBorne", 2, 3300, 5340, 1020, 600, "", "Pour mettre en place la fiche sur la borne 10A."},
        {ControlKind::Image, "imgFiche", 0, 330, 5400, 480, 480, ":/bench/plug_red.svg", "", false},
        {ControlKind::Image, "imgFiche", 3, 1410, 5400, 480, 480, ":/bench/plug_black.svg", "", false},
        {ControlKind::Image, "imgFiche", 1, 2490, 5400, 480, 480, ":/bench/plug_red.svg", "", false},
        {ControlKind::Image, "imgFiche", 2, 3570, 5400, 480, 480, ":/bench/plug_red.svg", "", false},
        // The channel the leads are on.
        {ControlKind::Frame, "Frame2", -1, 60, 6180, 4320, 690, "Fiches sur bornes du wavixscope : "},
        {ControlKind::OptionButton, "optVoie", 0, 300, 6480, 1800, 300, "Voie CH1",
         "Pour afficher les mesures de la voie CH1."},
        {ControlKind::OptionButton, "optVoie", 1, 2400, 6480, 1800, 300, "Voie CH2",
         "Pour afficher les mesures de la voie CH2."},
    },
};

// Closed bands of mouse angles, tried in order: a boundary goes to the
// first, lower, position.
struct Bande {
    double de;
    double a;
    int position;
};
const Bande kBandes[] = {
    {10, 30, 0},    {30, 50, 1},    {50, 70, 2},    {70, 110, 3},   {110, 145, 4},
    {145, 170, 5},  {170, 190, 6},  {190, 210, 7},  {210, 230, 8},  {230, 250, 9},
    {250, 270, 10}, {270, 290, 11}, {290, 310, 12}, {310, 326, 13}, {326, 350, 14},
};

// The digits of the display: dark segments on the grey glass, no ghosts.
const QColor kSegments(24, 26, 24);

} // namespace

double AngleSouris(float x, float y, float largeur, float hauteur)
{
    const float dx = x - largeur / 2;
    const float dy = hauteur / 2 - y;
    double a;
    if (dy == 0)
        a = dx <= 0 ? -90 : 90;
    else
        a = std::atan(double(dx / dy)) / (kPi / 180);
    if (dy < 0)
        a = 180 - a;
    else if (dx >= 0)
        a = 360 - a;
    else
        a = std::fabs(a);
    return a;
}

int PositionPourAngle(double angle)
{
    for (const Bande& b : kBandes)
        if (angle >= b.de && angle <= b.a)
            return b.position;
    return kArretVolt;
}

frmVolt::frmVolt() : VbForm(QString::fromLatin1(kNom))
{
    usePanelFont();
    buildForm(this, kDesign);
    setFacePicture(QStringLiteral(":/bench/volt_panel.svg"));
    InstallerAideF1(this, kRubriqueAide);

    auto* ecran = control<Shape>(this, "picEcranVolt");
    ecran->setKind(Shape::RoundedRectangle);
    ecran->setFillColor(0xC0C0C0);
    ecran->setBorderColor(0x303030);
    lblValue = control<QLabel>(this, "lblValue");
    lblSigne = control<QLabel>(this, "lblSigne");
    lblValueError = control<QLabel>(this, "lblValueError");
    for (QLabel* chiffres : {lblValue, lblSigne, lblValueError}) {
        auto* afficheur = static_cast<SevenSegmentLabel*>(chiffres);
        afficheur->setDigitColor(kSegments);
        afficheur->setBackgroundColor(Qt::transparent);
        afficheur->setGhostColor(Qt::transparent);
    }

    for (int i = 0; i <= 16; ++i) {
        lblCal[size_t(i)] = control<QLabel>(this, "lblCal", i);
        lblCal[size_t(i)]->setAlignment(Qt::AlignCenter);
        lblCal[size_t(i)]->installEventFilter(this);
    }
    for (int i = 0; i < 16; ++i) {
        auto* point = control<Shape>(this, "shpCal", i);
        point->setKind(Shape::Circle);
        point->setFillColor(0x303030);
        point->setBorderColor(0x303030);
    }
    for (int i = 0; i < 4; ++i) {
        auto* groupe = control<QLabel>(this, "lblGroupe", i);
        groupe->setAlignment(Qt::AlignCenter);
        groupe->setStyleSheet(QStringLiteral("font-weight: bold;"));
    }
    auto* cercle = control<Shape>(this, "shpCercleSelecteur");
    cercle->setKind(Shape::Oval);
    cercle->setFilled(false);
    cercle->setBorderColor(0x505050);

    imgSelecteur = control<ImageBox>(this, "imgSelecteur");
    imgSelecteur->installEventFilter(this);
    aiguille_ = new AiguilleSelecteur(this, linSelecteur, linPtRouge);
    aiguille_->setGeometry(imgSelecteur->geometry());

    for (int i = 0; i < 4; ++i) {
        shpBorne[size_t(i)] = control<Shape>(this, "shpBorne", i);
        shpBorne[size_t(i)]->setKind(Shape::Circle);
        shpBorne[size_t(i)]->setBorderColor(0x404040);
        auto* etiquette = control<QLabel>(this, "lblBorne", i);
        etiquette->setAlignment(Qt::AlignCenter);
        etiquette->setStyleSheet(i == COM ? QStringLiteral("font-weight: bold; color: white;"
                                                           " background: black; margin: 0 15px;")
                                          : QStringLiteral("font-weight: bold;"));
        imgBorne[size_t(i)] = control<ImageBox>(this, "imgBorne", i);
        imgBorne[size_t(i)]->setCursor(CurseurFiche());
        imgFiche[size_t(i)] = control<ImageBox>(this, "imgFiche", i);
        imgFiche[size_t(i)]->raise();
        connect(imgBorne[size_t(i)], &ImageBox::Click, this, [this, i] { imgBorne_Click(i); });
        connect(imgFiche[size_t(i)], &ImageBox::Click, this, [this, i] { imgFiche_Click(i); });
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
    connect(&tmrVolt, &VbTimer::Timer, this, &frmVolt::tmrVolt_Timer);
    dessinerAiguille(CalibreCollege(kArretVolt).angle);
}

void frmVolt::Form_Load()
{
    peindre(EcranCollege{});
    position_ = kArretVolt;
    RestaurerPosition(this, QStringLiteral("Voltmetre"), DroiteFenetre(QStringLiteral("frmWavix")) + 4550, 0);
    branche_ = false;
    colorerCordons();
}

void frmVolt::Form_Unload(bool&)
{
    tmrVolt.setInterval(0);
    EnregistrerPosition(this, QStringLiteral("Voltmetre"));
    MultimetreFerme();
}

int frmVolt::voie() const
{
    return voie_;
}

bool frmVolt::fichePlacee(int index) const
{
    return FichePlacee(fiches_, index);
}

void frmVolt::recalculerBranchement()
{
    branche_ = (fichePlacee(V) || fichePlacee(MA) || fichePlacee(A10)) && fichePlacee(COM);
}

void frmVolt::colorerCordons()
{
    for (Shape* marque : shpBorne)
        marque->setFillColor(Banc().voies[size_t(voie())].CouleurTrace);
}

void frmVolt::imgBorne_Click(int index)
{
    if (!PlacerFiche(fiches_, index))
        return;
    PeindreFiches(fiches_, imgFiche);
    recalculerBranchement();
    TournerSelecteurCollege(position_);
}

void frmVolt::imgFiche_Click(int index)
{
    if (!BasculerFiche(fiches_, index))
        return;
    PeindreFiches(fiches_, imgFiche);
    recalculerBranchement();
    TournerSelecteurCollege(position_);
}

void frmVolt::optVoie_Click(int index)
{
    voie_ = index;
    colorerCordons();
    TournerSelecteurCollege(position_);
}

void frmVolt::dessinerAiguille(double angle)
{
    AiguilleSelecteur::Placer({kCentreX, kCentreY}, angle, linSelecteur, linPtRouge);
    aiguille_->update();
}

void frmVolt::imgSelecteur_MouseMove(int bouton, int, float x, float y)
{
    if (bouton != 1)
        return;
    dessinerAiguille(AngleSouris(x, y, float(twipsWidth(imgSelecteur)), float(twipsHeight(imgSelecteur))));
}

void frmVolt::imgSelecteur_MouseUp(int bouton, int, float x, float y)
{
    if (bouton != 1)
        return;
    PlacerSelecteur(
        PositionPourAngle(AngleSouris(x, y, float(twipsWidth(imgSelecteur)), float(twipsHeight(imgSelecteur)))));
}

void frmVolt::PlacerSelecteur(int position)
{
    position_ = position;
    TournerSelecteurCollege(position_);
}

bool frmVolt::eventFilter(QObject* objet, QEvent* e)
{
    const bool bouge = e->type() == QEvent::MouseMove;
    const bool relache = e->type() == QEvent::MouseButtonRelease;
    const bool selecteur = objet == imgSelecteur || std::find(lblCal.begin(), lblCal.end(), objet) != lblCal.end();
    if ((bouge || relache) && selecteur) {
        // On the knob, and on a range's label, which turns the knob to it.
        auto* souris = static_cast<QMouseEvent*>(e);
        const QPointF ici = imgSelecteur->mapFrom(this, static_cast<QWidget*>(objet)->mapTo(this, souris->position()));
        const auto x = float(pixelsToTwips(1) * ici.x()), y = float(pixelsToTwips(1) * ici.y());
        const int shift = vbShift(souris->modifiers());
        if (bouge)
            imgSelecteur_MouseMove(vbButtons(souris->buttons()), shift, x, y);
        else
            imgSelecteur_MouseUp(vbButtons(souris->button()), shift, x, y);
        return true;
    }
    return VbForm::eventFilter(objet, e);
}

void frmVolt::TournerSelecteurCollege(int position)
{
    dessinerAiguille(CalibreCollege(position).angle);
    instant_ = 1;
    // A live reading belongs to the DC ranges; the compute below starts it
    // again there.
    tmrVolt.setInterval(0);
    if (const std::optional<EcranCollege> ecran = EcranAuTourCollege(position))
        peindre(*ecran);
    else
        CalculerMesure();
}

EntreesCollege frmVolt::entrees() const
{
    EntreesCollege e;
    e.position = position_;
    e.signal = SignalDeLaVoie(Banc().voies[size_t(voie())], Modele().niveauxHarmo(voie()));
    e.mesurable = MesurePossible(voie());
    for (int i = 0; i < 4; ++i)
        e.fiches[size_t(i)] = fichePlacee(i);
    return e;
}

void frmVolt::CalculerMesureCollege()
{
    if (!Banc().multimetreAffiche)
        return;
    const LectureAfficheeCollege lecture = AffichageCollege(entrees());
    tmrVolt.setInterval(0);
    if (lecture.vivante) {
        instant_ = 1;
        tmrVolt.setInterval(kIntervalleMesure);
    }
    if (lecture.ecran)
        peindre(*lecture.ecran);
}

void frmVolt::tmrVolt_Timer()
{
    if (!Banc().multimetreAffiche || position_ == kArretVolt)
        return;
    const LectureVivanteCollege lecture = AffichageCollegeVivant(entrees(), instant_);
    // The next reading integrates over the gate that follows.
    instant_ = lecture.instant + kPorteMesure;
    peindre(lecture.ecran);
}

void frmVolt::AfficherMesureCollege(double& valeur)
{
    if (position_ == kArretVolt)
        return;
    peindre(EcranCollegePour(position_, valeur));
}

void frmVolt::peindre(const EcranCollege& ecran)
{
    if (ecran.chiffresVus)
        lblValue->setText(ecran.chiffres);
    lblValue->setVisible(ecran.chiffresVus);
    lblSigne->setVisible(ecran.signe);
    lblValueError->setVisible(ecran.horsEchelle);
}
