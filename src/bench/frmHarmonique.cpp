#include "bench/frmHarmonique.h"

#include "bench/GammesGenerateur.h"
#include "services/EtatBanc.h"
#include "services/RequetesBanc.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/PanelBarGraph.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "platform/SystemServices.h"
#include "platform/VbConversions.h"
#include "services/EtatBanc.h"
#include "platform/Curseurs.h"
#include "platform/RVB.h"
#include "services/Sensibilite.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>

#include <cmath>

namespace {

const FenetreSource::Description kDescription{"Harmo", 4935, 16, 17, 0, true};

const char kBulleGamme[] = "Choisir une gamme de fréquence";

const FormDesign kDesign{
    "Générateur d'harmoniques - Voie CH1",
    9360,
    4380,
    {
        {ControlKind::AutoSizeLabel, "lblTitre", -1, 120, 60, 0, 0, "GENERATEUR D'HARMONIQUES"},
        {ControlKind::Digits, "lblFreqA", -1, 120, 300, 1380, 420, "0.000", "", false},
        {ControlKind::Label, "lblUnite", -1, 1500, 300, 480, 420, "kHz", "", false},
        {ControlKind::PowerButton, "chkOn", -1, 2040, 345, 480, 330, "On", "Bouton Marche/Arrêt"},
        {ControlKind::Image, "imgOn", -1, 2580, 270, 360, 360, ":/scope/power_off.svg", "Générateur éteint"},
        {ControlKind::AutoSizeLabel, "lblPower", -1, 2565, 630, 0, 0, "Power"},
        {ControlKind::Frame, "fraGamme", -1, 60, 840, 2880, 690, "Gamme de fréquence "},
        {ControlKind::Toggle, "optGamme", 0, 135, 1185, 420, 270, "100k", kBulleGamme},
        {ControlKind::Toggle, "optGamme", 1, 600, 1185, 420, 270, "10k", kBulleGamme},
        {ControlKind::Toggle, "optGamme", 2, 1065, 1185, 420, 270, "1k", kBulleGamme},
        {ControlKind::Toggle, "optGamme", 3, 1530, 1185, 420, 270, "100", kBulleGamme},
        {ControlKind::Toggle, "optGamme", 4, 1995, 1185, 420, 270, "10", kBulleGamme},
        {ControlKind::Toggle, "optGamme", 5, 2460, 1185, 420, 270, "1", kBulleGamme},
        {ControlKind::Shape, "shpFreq", 0, 210, 1065, 270, 90},
        {ControlKind::Shape, "shpFreq", 1, 675, 1065, 270, 90},
        {ControlKind::Shape, "shpFreq", 2, 1140, 1065, 270, 90},
        {ControlKind::Shape, "shpFreq", 3, 1605, 1065, 270, 90},
        {ControlKind::Shape, "shpFreq", 4, 2070, 1065, 270, 90},
        {ControlKind::Shape, "shpFreq", 5, 2535, 1065, 270, 90},
        {ControlKind::Frame, "fraFondamental", -1, 60, 1590, 2880, 1170, "Fondamental : "},
        {ControlKind::AutoSizeLabel, "lblFondamental", 0, 180, 1845, 0, 0, "f"},
        {ControlKind::Knob, "Potentio", 0, 360, 1815, 840, 840, "", "Pour permettre le réglage de la fréquence du signal."},
        {ControlKind::Label, "lblReglages", 0, 1380, 1905, 1440, 180, "FIN"},
        {ControlKind::Slider, "sldReglage", -1, 1380, 2130, 1440, 270},
        {ControlKind::Frame, "fraSignalParticulier", -1, 60, 2820, 2880, 1500, "Signaux prédéfinis : "},
        {ControlKind::OptionButton, "optSignal", 0, 180, 3075, 2700, 240, "Sinusoïde rang 1"},
        {ControlKind::OptionButton, "optSignal", 1, 180, 3315, 2700, 240, "Carré"},
        {ControlKind::OptionButton, "optSignal", 2, 180, 3555, 2700, 240, "Triangulaire"},
        {ControlKind::OptionButton, "optSignal", 3, 180, 3795, 2700, 240, "Dent de scie"},
        {ControlKind::OptionButton, "optSignal", 4, 180, 4035, 2700, 240, "Sinusoïde redressée double alternance"},
        {ControlKind::Tabs, "sstHarmo", -1, 3060, 60, 6240, 3360,
         "Harmoniques de rang 1 à 10|Harmoniques de rang 11 à 20"},
        {ControlKind::Frame, "fraX0", -1, 3060, 3480, 3840, 840, "Valeur moyenne du signal : "},
        {ControlKind::Slider, "sldX0", -1, 3180, 3735, 2520, 300},
        {ControlKind::BarGraph, "pgbX0", -1, 3180, 4095, 2520, 120},
        {ControlKind::Label, "lblAmpliX0", -1, 5820, 3765, 960, 300, " 0"},
        {ControlKind::Shape, "shpConnectionGBFA", 0, 7200, 3540, 540, 540},
        {ControlKind::Shape, "shpConnectionGBFA", 1, 8280, 3540, 540, 540},
        {ControlKind::Image, "imgSocle", 0, 7290, 3630, 360, 360, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 1, 8370, 3630, 360, 360, ":/scope/socket_black.svg"},
        {ControlKind::AutoSizeLabel, "Label6", -1, 8880, 3735, 0, 0, "COM"},
        {ControlKind::Image, "imgBorne", 0, 7200, 3540, 540, 540, "", kBulleBorne},
        {ControlKind::Image, "imgBorne", 1, 8280, 3540, 540, 540, "", kBulleBorneCom},
        {ControlKind::Image, "imgFiche", 0, 7290, 3630, 360, 540, ":/bench/lead_red.svg"},
        {ControlKind::Image, "imgFiche", 1, 8370, 3630, 360, 540, ":/bench/lead_black.svg"},
    },
};

// One harmonic's column on its tab page, in twips from the column's corner;
// the columns stand side by side, ten to a page.
constexpr int kPasColonne = 605;
constexpr int kColonneGauche = 45;
constexpr int kColonneHaut = 30;
const ControlDesign kColonne[] = {
    {ControlKind::Frame, "fraH", 0, 0, 0, 580, 2820},
    {ControlKind::Label, "lblRang", 0, 0, 60, 580, 180},
    {ControlKind::Label, "lblH", 0, 15, 240, 555, 180},
    {ControlKind::VerticalSlider, "sldAmpli", 0, 60, 450, 255, 1650},
    {ControlKind::BarGraph, "pgbAmpli", 0, 345, 480, 150, 1590},
    {ControlKind::Label, "lblAmpli", 0, 15, 2130, 555, 180},
    {ControlKind::Slider, "sldPhase", 0, 30, 2340, 525, 240},
    {ControlKind::Label, "lblPhase", 0, 15, 2580, 555, 180, "0°"},
};

std::vector<ControlDesign> colonne(int i)
{
    std::vector<ControlDesign> controles;
    for (ControlDesign c : kColonne) {
        c.index = i;
        c.left += kColonneGauche + (i % 10) * kPasColonne;
        c.top += kColonneHaut;
        controles.push_back(c);
    }
    return controles;
}

// A panel slider's large step and its scale, a tick every so many steps.
void graduer(QSlider* glissiere, int pas, int graduation)
{
    glissiere->setPageStep(pas);
    glissiere->setTickPosition(QSlider::TicksBelow);
    glissiere->setTickInterval(graduation);
}

// Rounded to the nearest whole number, halves to the even one.
int arrondi(double x)
{
    return int(std::nearbyint(x));
}

} // namespace

int MoyenneRedressee(double amplitude)
{
    return arrondi(amplitude / 2);
}

QString TextePourcent(int valeur)
{
    QString texte = StrSingle(float(std::abs(valeur)) / 10);
    if (texte.startsWith(QLatin1String("0.")))
        texte.remove(0, 1);
    return QLatin1Char(' ') + texte;
}

frmHarmonique::frmHarmonique(int voie)
    : FenetreSource(voie == 0 ? QStringLiteral("frmHarmoniqueA") : QStringLiteral("frmHarmoniqueB"), voie,
                    kDescription)
{
    usePanelFont();
    buildForm(this, kDesign);
    // Its channel in its title, as every source window has.
    if (voie == 1)
        setWindowTitle(QStringLiteral("Générateur d'harmoniques - Voie CH2"));
    sstHarmo = control<QTabWidget>(this, "sstHarmo");
    for (int i = 0; i < kHarmoniques; ++i) {
        QWidget* page = tabPage(this, "sstHarmo", i / 10);
        buildControls(page, colonne(i));
        const size_t k = size_t(i);
        control<QLabel>(page, "lblRang", i)->setText(QStringLiteral("Rang %1").arg(i + 1));
        control<QLabel>(page, "lblH", i)->setText(i == 0 ? QStringLiteral("f") : QStringLiteral("%1f").arg(i + 1));
        sldAmpli[k] = control<QSlider>(page, "sldAmpli", i);
        sldAmpli[k]->setPageStep(5);
        sldAmpli[k]->setSingleStep(1);
        pgbAmpli[k] = control<PanelBarGraph>(page, "pgbAmpli", i);
        lblAmpli[k] = control<QLabel>(page, "lblAmpli", i);
        sldPhase[k] = control<QSlider>(page, "sldPhase", i);
        sldPhase[k]->setRange(-2, 2);
        graduer(sldPhase[k], 1, 1);
        lblPhase[k] = control<QLabel>(page, "lblPhase", i);
        for (const char* nom : {"lblRang", "lblH", "lblAmpli", "lblPhase"}) {
            control<QLabel>(page, nom, i)->setAlignment(Qt::AlignCenter);
            control<QLabel>(page, nom, i)->setWordWrap(false);
        }
    }
    // One size for every rank caption, the widest one fitting its column.
    QFont rang = control<QLabel>(this, "lblRang", 0)->font();
    const QString plusLarge = QStringLiteral("Rang %1").arg(kHarmoniques);
    const int largeur = control<QLabel>(this, "lblRang", 0)->width();
    while (QFontMetrics(rang).horizontalAdvance(plusLarge) > largeur && rang.pointSizeF() > 5)
        rang.setPointSizeF(rang.pointSizeF() - 0.5);
    for (int i = 0; i < kHarmoniques; ++i)
        control<QLabel>(this, "lblRang", i)->setFont(rang);
    sldX0 = control<QSlider>(this, "sldX0");
    graduer(sldX0, 5, 20);
    pgbX0 = control<PanelBarGraph>(this, "pgbX0");
    lblAmpliX0 = control<QLabel>(this, "lblAmpliX0");
    Potentio[0] = control<Potentio_Creme>(this, "Potentio", 0);
    Potentio[0]->setCursor(CurseurMain());
    sldReglage = control<QSlider>(this, "sldReglage");
    sldReglage->setRange(-10, 10);
    graduer(sldReglage, 5, 2);
    control<QLabel>(this, "lblReglages", 0)->setAlignment(Qt::AlignCenter);

    if (voie == 1)
        control<QLabel>(this, "lblFreqA")->setObjectName(QStringLiteral("lblFreqB"));
    lblFreq = findChild<QLabel*>(voie == 0 ? QStringLiteral("lblFreqA") : QStringLiteral("lblFreqB"));
    lblUnite = control<QLabel>(this, "lblUnite");
    presenterUnite(lblUnite);
    chkOn = control<QAbstractButton>(this, "chkOn");
    imgOn = control<ImageBox>(this, "imgOn");

    relierGammes(this, optGamme, shpFreq, [this](int index) { optGamme_Click(index); });
    signaux_ = new QButtonGroup(this);
    QFont petite = font();
    petite.setPointSizeF(6);
    for (int i = 0; i < 5; ++i) {
        optSignal[size_t(i)] = control<QAbstractButton>(this, "optSignal", i);
        optSignal[size_t(i)]->setFont(petite);
        signaux_->addButton(optSignal[size_t(i)]);
    }

    for (int i = 0; i < 2; ++i) {
        Shape* marque = control<Shape>(this, "shpConnectionGBFA", i);
        marque->setKind(Shape::Circle);
        marque->setBorderColor(0x404040);
        if (voie == 1)
            marque->setObjectName(controlName("shpConnectionGBFB", i));
        control<ImageBox>(this, "imgBorne", i)->setCursor(CurseurMain());
    }
    relierBornes(2, "shpConnectionGBF");
    lblFreq->raise();
    setFacePicture(QStringLiteral(":/bench/harmo_panel.svg"));

    connect(chkOn, &QAbstractButton::toggled, this, &frmHarmonique::chkOn_Click);
    for (int i = 0; i < 5; ++i) {
        connect(optSignal[size_t(i)], &QAbstractButton::toggled, this, [this, i](bool coche) {
            if (!coche)
                return;
            optSignal_Click(i);
            signalApplique_ = true;
        });
        // A click on the selected preset writes its spectrum again.
        connect(optSignal[size_t(i)], &QAbstractButton::pressed, this, [this] { signalApplique_ = false; });
        connect(optSignal[size_t(i)], &QAbstractButton::clicked, this, [this, i] {
            if (!signalApplique_)
                optSignal_Click(i);
            signalApplique_ = false;
        });
    }
    connect(Potentio[0], &Potentio_Creme::MouseMove, this,
            [this](int index, int bouton, int, double, double) { Potentio_MouseMove(index, bouton); });
    connect(Potentio[0], &Potentio_Creme::MouseUp, this,
            [this](int index, int bouton, int, double, double) { Potentio_MouseUp(index, bouton); });
    connect(sldReglage, &QSlider::valueChanged, this, [this] {
        sldReglage_Scroll();
        if (!sldReglage->isSliderDown())
            sldReglage_Click();
    });
    connect(sldReglage, &QSlider::sliderReleased, this, &frmHarmonique::sldReglage_Click);
    for (int i = 0; i < kHarmoniques; ++i) {
        const size_t k = size_t(i);
        connect(sldAmpli[k], &QSlider::valueChanged, this, [this, i] { sldAmpli_Change(i); });
        // Moved by the user: the spectrum is no longer one of the first four presets.
        connect(sldAmpli[k], &QSlider::actionTriggered, this, [this] { deselectionner(0, 3); });
        connect(sldPhase[k], &QSlider::valueChanged, this, [this, i] { sldPhase_Change(i); });
        connect(sldPhase[k], &QSlider::actionTriggered, this, [this, i] {
            deselectionner(0, 1);
            phaseGlissee_ = i;
        });
    }
    connect(sldX0, &QSlider::valueChanged, this, &frmHarmonique::sldX0_Change);
}

bool frmHarmonique::connecte() const
{
    return OptionConnexionChoisie(voie() == 0 ? kDescription.optionA : kDescription.optionB);
}

void frmHarmonique::publier()
{
    if (!connecte())
        return;
    // Its sliders and knob move on and on: seen at most once a frame, and
    // at once when a setting is done (redessiner).
    modifierCanal([this](EtatVoie& v) {
        v.Frequence = frequence_;
        v.Gamme = gamme_;
        v.Amplitude = amplitude_;
        v.SourceBranchee = branchee_;
    }, Rythme::Glissement);
}

void frmHarmonique::publierNiveaux()
{
    NiveauxHarmoniques n = NiveauxHarmo(voie());
    n.X0 = sldX0->value();
    for (size_t k = 0; k < size_t(kHarmoniques); ++k) {
        n.Ampli[k] = sldAmpli[k]->value();
        n.AmpliMin[k] = sldAmpli[k]->minimum();
        n.Phase[k] = sldPhase[k]->value();
    }
    Modele().reglerNiveauxHarmo(voie(), n, Rythme::Glissement);
}

void frmHarmonique::redessiner()
{
    if (!EnChargement && !remplissage_)
        Modele().finirReglage();
}

void frmHarmonique::Form_Load()
{
    {
        // Its many settings are seen once, and drawn at once after.
        ModeleBanc::Lot lot(Modele());
        FenetreSource::Form_Load();
        branchee_ = false;
        EnChargement = true;
        for (int i = 0; i < kHarmoniques; ++i) {
            pgbAmpli[size_t(i)]->setRange(0, 1000);
            sldAmpli[size_t(i)]->setRange(-1000, 0);
            sldAmpli[size_t(i)]->setValue(-5);
        }
        // Each slider passed through -5, so each of these runs its handler.
        for (int i = 0; i < kHarmoniques; ++i)
            sldAmpli[size_t(i)]->setValue(i == 0 ? -1000 : 0);
        sldX0->setRange(-100, 100);
        pgbX0->setRange(0, 200);
        sldX0->setValue(0);
        sldX0_Change();
        gamme_ = 1000;
        optGamme[2]->setChecked(true);
    
        frequence_ = std::floor(randomUnit() * 1100 + 100);
        Potentio[0]->setMax(1200);
        Potentio[0]->setValue(float(frequence_));
        Potentio[0]->setMin(0);
        ecrireFrequence(frequence_);
        amplitude_ = std::floor(randomUnit() * 12000) / 1000;
        sstHarmo->setCurrentIndex(0);
        publier();
        publierNiveaux();
        EnChargement = false;
    }
    Modele().finirReglage();
}

void frmHarmonique::Form_Unload(bool& cancel)
{
    // Once closed, the scope reads the levels a new generator starts with.
    Modele().reglerNiveauxHarmo(voie(), NiveauxHarmoAuChargement());
    FenetreSource::Form_Unload(cancel);
}

void frmHarmonique::ecrireFrequence(double frequence)
{
    // A frequency is never negative: the dial at 0 with the fine slider
    // below it gives 0 Hz.
    frequence_ = std::max(0.0, frequence);
    publier();
    lblFreq->setText(TexteFrequence(frequence_, gamme_));
}

void frmHarmonique::allumerLampes()
{
    for (Shape* lampe : shpFreq)
        lampe->setFillColor(kBlancEteint);
    if (!chkOn->isChecked())
        return;
    for (int i = 0; i < 6; ++i)
        if (optGamme[size_t(i)]->isChecked())
            shpFreq[size_t(i)]->setFillColor(kVertAllume);
}

void frmHarmonique::optGamme_Click(int index)
{
    const double ancienne = gamme_;
    allumerLampes();
    gamme_ = kGammesFrequence[index].multiplicateur;
    lblUnite->setText(QString::fromLatin1(kGammesFrequence[index].unite));
    // The knob stays where it is: the digits keep their value, the unit changes.
    ecrireFrequence(ancienne > 0 ? frequence_ * gamme_ / ancienne : frequence_);
    redessiner();
}

void frmHarmonique::Potentio_MouseMove(int, int bouton)
{
    if (bouton != 1)
        return;
    {
        const QSignalBlocker bloque(sldReglage);
        sldReglage->setValue(0);
    }
    sldReglage_Scroll();
}

void frmHarmonique::Potentio_MouseUp(int, int bouton)
{
    if (bouton == 1)
        Modele().finirReglage();
}

void frmHarmonique::sldReglage_Scroll()
{
    const double f = (double(Potentio[0]->Value()) + sldReglage->value()) * gamme_ / 1000;
    // To the range's resolution, halves to even.
    double arrondie = f;
    if (gamme_ == 1)
        arrondie = std::nearbyint(f * 1000) / 1000;
    else if (gamme_ == 10)
        arrondie = std::nearbyint(f * 100) / 100;
    else if (gamme_ == 100)
        arrondie = std::nearbyint(f * 10) / 10;
    else if (gamme_ == 1000)
        arrondie = std::nearbyint(f);
    else if (gamme_ == 10000)
        arrondie = std::nearbyint(f / 10) * 10;
    ecrireFrequence(arrondie);
}

void frmHarmonique::sldReglage_Click()
{
    redessiner();
}

void frmHarmonique::deselectionner(int premier, int dernier)
{
    // An exclusive group keeps one button in; let it go out for a moment.
    signaux_->setExclusive(false);
    for (int i = premier; i <= dernier; ++i)
        optSignal[size_t(i)]->setChecked(false);
    signaux_->setExclusive(true);
}

void frmHarmonique::optSignal_Click(int index)
{
    phaseGlissee_ = -1;
    remplissage_ = true;
    sldX0->setValue(index == 4 ? MoyenneRedressee(amplitude_) : 0);
    for (int i = 0; i < kHarmoniques; ++i) {
        const int n = i + 1;
        const double M = sldAmpli[size_t(i)]->minimum();
        const bool impair = n % 2 == 1;
        int ampli = 0;
        int phase = 0;
        switch (index) {
        case 1:
            ampli = impair ? arrondi(M / n) : 0;
            break;
        case 2:
            ampli = impair ? arrondi(M / (n * n)) : 0;
            phase = impair && ((n - 1) / 2) % 2 == 1 ? -2 : 0;
            break;
        case 3:
            ampli = arrondi(M / n);
            phase = impair ? 0 : -2;
            break;
        case 4:
            ampli = impair ? 0 : arrondi(-M / (1 - n * n));
            phase = impair ? 0 : -1;
            break;
        default:
            break;
        }
        sldAmpli[size_t(i)]->setValue(ampli);
        sldPhase[size_t(i)]->setValue(phase);
    }
    if (index == 0)
        sldAmpli[0]->setValue(sldAmpli[0]->minimum());
    remplissage_ = false;
    redessiner();
}

void frmHarmonique::sldAmpli_Change(int index)
{
    const int v = std::abs(sldAmpli[size_t(index)]->value());
    pgbAmpli[size_t(index)]->setValue(v);
    lblAmpli[size_t(index)]->setText(TextePourcent(v));
    publierNiveaux();
    redessiner();
}

void frmHarmonique::sldPhase_Change(int index)
{
    lblPhase[size_t(index)]->setText(QString::number(sldPhase[size_t(index)]->value() * 90) + QStringLiteral("°"));
    publierNiveaux();
    if (phaseGlissee_ == index) {
        phaseGlissee_ = -1;
        redessiner();
    }
}

void frmHarmonique::sldX0_Change()
{
    pgbX0->setValue(sldX0->value() + 100);
    lblAmpliX0->setText(sldX0->value() < 0 ? Str(sldX0->value()) : QLatin1Char(' ') + Str(sldX0->value()));
    publierNiveaux();
    redessiner();
}

void frmHarmonique::chkOn_Click()
{
    const bool allume = chkOn->isChecked();
    presenterMarche(chkOn, imgOn, QStringLiteral("Générateur"));
    lblFreq->setVisible(allume);
    lblUnite->setVisible(allume);
    recalculerBranchement();
    allumerLampes();
    Modele().finirReglage();
}

void frmHarmonique::recalculerBranchement()
{
    branchee_ = chkOn->isChecked() && fichePlacee(0) && fichePlacee(1);
    publier();
}
