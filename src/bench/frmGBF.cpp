#include "bench/frmGBF.h"

#include "bench/GammesGenerateur.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "platform/SystemServices.h"
#include "services/EtatBanc.h"
#include "platform/Curseurs.h"
#include "platform/RVB.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>

namespace {

constexpr int kRubriqueAide = 3200;

const FenetreSource::Description kDescription{"GBF", 4935, 1, 10, kRubriqueAide, true};

const char* const kMots[3] = {"Sinus", "Carre", "Triangle"};
const char* const kImagesSignal[3] = {":/bench/wave_sine.svg", ":/bench/wave_square.svg", ":/bench/wave_triangle.svg"};


const FormDesign kDesign{
    "GBF - Voie CH1",
    4500,
    4350,
    {
        {ControlKind::AutoSizeLabel, "lblTitre", -1, 120, 60, 0, 0, "GENERATEUR DE FONCTIONS"},
        {ControlKind::Digits, "lblFreqA", -1, 180, 360, 1650, 450, "0.000", "", false},
        {ControlKind::Label, "lblUnite", -1, 1860, 360, 660, 450, "kHz", "", false},
        {ControlKind::Image, "imgSignal", -1, 2760, 330, 1560, 510, "", "", false},
        {ControlKind::Frame, "fraGamme", -1, 90, 900, 4320, 690, "Gamme de fréquence "},
        {ControlKind::Toggle, "optGamme", 0, 210, 1230, 600, 300, "100k", "Choisir une gamme de fréquence"},
        {ControlKind::Toggle, "optGamme", 1, 900, 1230, 600, 300, "10k", "Choisir une gamme de fréquence"},
        {ControlKind::Toggle, "optGamme", 2, 1590, 1230, 600, 300, "1k", "Choisir une gamme de fréquence"},
        {ControlKind::Toggle, "optGamme", 3, 2280, 1230, 600, 300, "100", "Choisir une gamme de fréquence"},
        {ControlKind::Toggle, "optGamme", 4, 2970, 1230, 600, 300, "10", "Choisir une gamme de fréquence"},
        {ControlKind::Toggle, "optGamme", 5, 3660, 1230, 600, 300, "1", "Choisir une gamme de fréquence"},
        {ControlKind::Shape, "shpFreq", 0, 330, 1110, 360, 105},
        {ControlKind::Shape, "shpFreq", 1, 1020, 1110, 360, 105},
        {ControlKind::Shape, "shpFreq", 2, 1710, 1110, 360, 105},
        {ControlKind::Shape, "shpFreq", 3, 2400, 1110, 360, 105},
        {ControlKind::Shape, "shpFreq", 4, 3090, 1110, 360, 105},
        {ControlKind::Shape, "shpFreq", 5, 3780, 1110, 360, 105},
        {ControlKind::Frame, "fraSignal", -1, 90, 1635, 2160, 690, "Type signal "},
        {ControlKind::Toggle, "optSignal", 0, 210, 1965, 570, 300, ":/bench/wave_sine.svg", "Forme du signal"},
        {ControlKind::Toggle, "optSignal", 1, 870, 1965, 570, 300, ":/bench/wave_square.svg", "Forme du signal"},
        {ControlKind::Toggle, "optSignal", 2, 1530, 1965, 570, 300, ":/bench/wave_triangle.svg", "Forme du signal"},
        {ControlKind::Shape, "shpSignal", 0, 315, 1830, 360, 105},
        {ControlKind::Shape, "shpSignal", 1, 975, 1830, 360, 105},
        {ControlKind::Shape, "shpSignal", 2, 1635, 1830, 360, 105},
        {ControlKind::PowerButton, "chkOn", -1, 2580, 1785, 660, 390, "On", "Bouton Marche/Arrêt"},
        {ControlKind::Image, "imgOn", -1, 3360, 1695, 540, 540, ":/scope/power_off.svg", "GBF éteint"},
        {ControlKind::AutoSizeLabel, "lblPower", -1, 3930, 1860, 0, 0, "Power"},
        // The knob row, inside its group of the face: each knob's name over
        // it, its fine slider under it with "FIN" on its left.
        {ControlKind::Label, "lblBouton", 0, 135, 2385, 990, 195, "FREQ"},
        {ControlKind::Label, "lblBouton", 1, 1215, 2385, 990, 195, "NIVEAU"},
        {ControlKind::Label, "lblBouton", 2, 2295, 2385, 990, 195, "SYMETRIE"},
        {ControlKind::Label, "lblBouton", 3, 3375, 2385, 990, 195, "DECALAGE"},
        {ControlKind::Knob, "Potentio", 0, 285, 2580, 705, 705, "", "Pour permettre le réglage de la fréquence du signal."},
        {ControlKind::Knob, "Potentio", 1, 1365, 2580, 705, 705, "", "Pour permettre le réglage de l'amplitude du signal."},
        {ControlKind::Knob, "Potentio", 2, 2445, 2580, 705, 705, "", "Pour modifier le rapport cyclique du signal"},
        {ControlKind::Knob, "Potentio", 3, 3525, 2580, 705, 705, "",
         "Pour ajouter une composante continue au signal alternatif\r\nDouble-clic : remise à zéro"},
        {ControlKind::Label, "lblMinMax", 1, 1215, 3285, 990, 165, "Min     Max"},
        {ControlKind::Label, "lblMinMax", 3, 3375, 3285, 990, 165, "Min     Max"},
        {ControlKind::Label, "lblFin", 0, 135, 3450, 255, 210, "FIN"},
        {ControlKind::Label, "lblFin", 1, 1215, 3450, 255, 210, "FIN"},
        {ControlKind::Label, "lblFin", 2, 2295, 3450, 255, 210, "FIN"},
        {ControlKind::Label, "lblFin", 3, 3375, 3450, 255, 210, "FIN"},
        {ControlKind::Slider, "sldReglage", 0, 405, 3450, 720, 210},
        {ControlKind::Slider, "sldReglage", 1, 1485, 3450, 720, 210},
        {ControlKind::Slider, "sldReglage", 2, 2565, 3450, 720, 210},
        {ControlKind::Slider, "sldReglage", 3, 3645, 3450, 720, 210},
        {ControlKind::Shape, "shpConnectionGBFA", 0, 1380, 3795, 540, 540},
        {ControlKind::Shape, "shpConnectionGBFA", 1, 2730, 3795, 540, 540},
        {ControlKind::Image, "imgSocle", 0, 1470, 3885, 360, 360, ":/scope/socket_red.svg"},
        {ControlKind::Image, "imgSocle", 1, 2820, 3885, 360, 360, ":/scope/socket_black.svg"},
        {ControlKind::AutoSizeLabel, "lblCom", -1, 3330, 3975, 0, 0, "COM"},
        {ControlKind::Image, "imgBorne", 0, 1380, 3795, 540, 540, "", kBulleBorne},
        {ControlKind::Image, "imgBorne", 1, 2730, 3795, 540, 540, "", kBulleBorneCom},
        {ControlKind::Image, "imgFiche", 0, 1470, 3885, 360, 540, ":/bench/lead_red.svg"},
        {ControlKind::Image, "imgFiche", 1, 2820, 3885, 360, 540, ":/bench/lead_black.svg"},
    },
};

} // namespace

frmGBF::frmGBF(int voie)
    : FenetreSource(voie == 0 ? QStringLiteral("frmGBFA") : QStringLiteral("frmGBFB"), voie, kDescription),
      reglagesPublies_(
          this, [voie](const std::optional<ReglagesGBF>& r) { Modele().publierGenerateur(voie, r); },
          [this] { return reglages_; })
{
    usePanelFont();
    buildForm(this, kDesign);
    if (voie == 1) {
        setWindowTitle(QStringLiteral("GBF - Voie CH2"));
        control<QLabel>(this, "lblFreqA")->setObjectName(QStringLiteral("lblFreqB"));
        for (int i = 0; i < 2; ++i)
            control<Shape>(this, "shpConnectionGBFA", i)->setObjectName(controlName("shpConnectionGBFB", i));
    }
    lblFreq = findChild<QLabel*>(voie == 0 ? QStringLiteral("lblFreqA") : QStringLiteral("lblFreqB"));
    lblUnite = control<QLabel>(this, "lblUnite");
    // The unit beside the digits, in the display's green.
    presenterUnite(lblUnite);
    imgSignal = control<ImageBox>(this, "imgSignal");
    imgOn = control<ImageBox>(this, "imgOn");
    chkOn = control<QAbstractButton>(this, "chkOn");
    for (int i = 0; i < 4; ++i) {
        Potentio[size_t(i)] = control<Potentio_Creme>(this, "Potentio", i);
        Potentio[size_t(i)]->setCursor(CurseurMain());
        sldReglage[size_t(i)] = control<QSlider>(this, "sldReglage", i);
        sldReglage[size_t(i)]->setRange(-10, 10);
        control<QLabel>(this, "lblBouton", i)->setAlignment(Qt::AlignCenter);
        control<QLabel>(this, "lblFin", i)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (int i : {1, 3})
        control<QLabel>(this, "lblMinMax", i)->setAlignment(Qt::AlignCenter);
    relierGammes(this, optGamme, shpFreq, [this](int index) { optGamme_Click(index); });
    auto* signaux = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optSignal[size_t(i)] = control<QAbstractButton>(this, "optSignal", i);
        optSignal[size_t(i)]->setIconSize(optSignal[size_t(i)]->size() - QSize(8, 6));
        shpSignal[size_t(i)] = control<Shape>(this, "shpSignal", i);
        shpSignal[size_t(i)]->setKind(Shape::Lamp);
        signaux->addButton(optSignal[size_t(i)]);
    }
    const char* marques = "shpConnectionGBF";
    for (int i = 0; i < 2; ++i) {
        auto* marque = findChild<Shape*>(controlName(voie == 0 ? "shpConnectionGBFA" : "shpConnectionGBFB", i));
        marque->setKind(Shape::Circle);
        marque->setBorderColor(0x404040);
        control<ImageBox>(this, "imgBorne", i)->setCursor(CurseurMain());
    }
    relierBornes(2, marques);
    lblFreq->raise();
    setFacePicture(QStringLiteral(":/bench/gbf_panel.svg"));

    connect(chkOn, &QAbstractButton::toggled, this, [this](bool allume) {
        reglages_.allume = allume;
        reglagesPublies_.publier();
    });
    connect(chkOn, &QAbstractButton::toggled, this, &frmGBF::chkOn_Click);
    for (int i = 0; i < 3; ++i)
        connect(optSignal[size_t(i)], &QAbstractButton::toggled, this, [this, i](bool coche) {
            if (coche)
                optSignal_Click(i);
        });
    for (int i = 0; i < 4; ++i) {
        connect(Potentio[size_t(i)], &Potentio_Creme::MouseMove, this,
                [this](int index, int bouton, int, double, double) { Potentio_MouseMove(index, bouton); });
        // A drag refreshes once a frame at most, and at once as it ends.
        connect(Potentio[size_t(i)], &Potentio_Creme::MouseUp, this,
                [this](int index, int bouton, int, double, double) {
                    Potentio_MouseMove(index, bouton);
                    Modele().finirReglage();
                });
        connect(Potentio[size_t(i)], &Potentio_Creme::DblClick, this, &frmGBF::Potentio_DblClick);
        connect(Potentio[size_t(i)], &Potentio_Creme::Change, this, [this](int index) {
            noterBouton(index);
            reglagesPublies_.publier();
        });
        connect(sldReglage[size_t(i)], &QSlider::valueChanged, this, [this, i](int valeur) {
            noterFin(i, valeur);
            reglagesPublies_.publier();
            sldReglage_Scroll(i);
        });
    }
}

void frmGBF::noterBouton(int index)
{
    if (index == 2)
        reglages_.rapport = Potentio[2]->Value();
    else if (index == 3)
        reglages_.decalage = Potentio[3]->Value();
}

void frmGBF::noterFin(int index, int valeur)
{
    if (index == 2)
        reglages_.rapportFin = valeur;
    else if (index == 3)
        reglages_.decalageFin = valeur;
}

void frmGBF::regler(Rythme rythme, const std::function<void(EtatVoie&)>& modification)
{
    reglagesPublies_.publier();
    // The generator sets its own offset and duty, from its settings.
    const double decalage = DecalageGBF(reglages_);
    const float rapport = RapportGBF(reglages_);
    modifierCanal([&](EtatVoie& v) {
        if (modification)
            modification(v);
        v.Decalage = decalage;
        v.RapportCyclique = rapport;
    }, rythme);
}

void frmGBF::Form_Load()
{
    ModeleBanc::Lot lot(Modele());
    reglagesPublies_.ouvrir();
    FenetreSource::Form_Load();
    modifierCanal([](EtatVoie& v) {
        v.SourceBranchee = false;
        v.Gamme = 1000;
    });
    optGamme[2]->setChecked(true);
    optSignal[0]->setChecked(true);

    const double frequence = std::floor(randomUnit() * 1100 + 100);
    Potentio[0]->setMax(1200);
    Potentio[0]->setValue(float(frequence));
    Potentio[0]->setMin(0);
    const double amplitude = std::floor(randomUnit() * 12000) / 1000;
    modifierCanal([&](EtatVoie& v) {
        v.Frequence = frequence;
        v.Amplitude = amplitude;
    });
    AfficherFrequence(voie(), lblFreq);
    Potentio[1]->setMax(12000);
    Potentio[1]->setValue(float(amplitude * 1000));
    Potentio[1]->setMin(0);
    // Duty at 50 %, no offset: the middle of their knobs, which note their
    // values as they move.
    reglages_.decalageMax = 200;
    Potentio[2]->setMax(100);
    Potentio[2]->setValue(50);
    Potentio[2]->setMin(0);
    Potentio[3]->setMax(float(reglages_.decalageMax));
    Potentio[3]->setValue(100);
    Potentio[3]->setMin(0);
    noterBouton(2);
    noterBouton(3);
    regler(Rythme::Immediat);
}

void frmGBF::Form_Unload(bool& cancel)
{
    // Closed, it sets no offset any more.
    ModeleBanc::Lot lot(Modele());
    modifierCanal([](EtatVoie& v) {
        v.Decalage = 0;
        v.RapportCyclique = 0;
    });
    FenetreSource::Form_Unload(cancel);
}

int frmGBF::gammeChoisie() const
{
    for (int i = 0; i < 6; ++i)
        if (optGamme[size_t(i)]->isChecked())
            return i;
    return -1;
}

int frmGBF::signalChoisi() const
{
    for (int i = 0; i < 3; ++i)
        if (optSignal[size_t(i)]->isChecked())
            return i;
    return -1;
}

void frmGBF::ecrireFrequence(double frequence, Rythme rythme)
{
    // A frequency is never negative: the dial at 0 with the fine slider
    // below it gives 0 Hz.
    regler(rythme, [frequence](EtatVoie& v) { v.Frequence = std::max(0.0, frequence); });
    AfficherFrequence(voie(), lblFreq);
}

void frmGBF::allumerLampes()
{
    for (Shape* lampe : shpFreq)
        lampe->setFillColor(kBlancEteint);
    lampeSignal_ = reglages_.allume ? signalChoisi() : -1;
    reglages_.carre = lampeSignal_ == 1;
    for (size_t i = 0; i < shpSignal.size(); ++i)
        shpSignal[i]->setFillColor(int(i) == lampeSignal_ ? kVertAllume : kBlancEteint);
    reglagesPublies_.publier();
    if (!reglages_.allume)
        return;
    if (const int g = gammeChoisie(); g >= 0)
        shpFreq[size_t(g)]->setFillColor(kVertAllume);
}

void frmGBF::optGamme_Click(int index)
{
    if (canal().Gamme == 0)
        return;
    ModeleBanc::Lot lot(Modele());
    const double ancienne = canal().Gamme;
    allumerLampes();
    const double gamme = kGammesFrequence[index].multiplicateur;
    modifierCanal([gamme](EtatVoie& v) { v.Gamme = gamme; });
    lblUnite->setText(QString::fromLatin1(kGammesFrequence[index].unite));
    ecrireFrequence(canal().Frequence * gamme / ancienne, Rythme::Immediat);
}

void frmGBF::optSignal_Click(int index)
{
    allumerLampes();
    regler(Rythme::Immediat, [index](EtatVoie& v) { v.FormeSignal = QString::fromLatin1(kMots[index]); });
    imgSignal->setPicture(QString::fromLatin1(kImagesSignal[index]));
}

void frmGBF::chkOn_Click()
{
    const bool allume = reglages_.allume;
    presenterMarche(chkOn, imgOn, QStringLiteral("GBF"));
    imgSignal->setVisible(allume);
    lblFreq->setVisible(allume);
    lblUnite->setVisible(allume);
    allumerLampes();
    recalculerBranchement();
}

void frmGBF::recalculerBranchement()
{
    const bool branchee = reglages_.allume && fichePlacee(0) && fichePlacee(1);
    regler(Rythme::Immediat, [branchee](EtatVoie& v) { v.SourceBranchee = branchee; });
}

void frmGBF::Potentio_MouseMove(int index, int bouton)
{
    if (bouton != 1 || index < 0 || index > 3)
        return;
    {
        const QSignalBlocker bloque(sldReglage[size_t(index)]);
        sldReglage[size_t(index)]->setValue(0);
        noterFin(index, 0);
    }
    if (index == 0) {
        ecrireFrequence(Potentio[0]->Value() * canal().Gamme / 1000, Rythme::Glissement);
        return;
    }
    const double amplitude = Potentio[1]->Value() / 1000.0;
    regler(Rythme::Glissement, [&](EtatVoie& v) {
        if (index == 1)
            v.Amplitude = amplitude;
    });
}

void frmGBF::sldReglage_Scroll(int index)
{
    if (index == 0) {
        ecrireFrequence((Potentio[0]->Value() + sldReglage[0]->value()) * canal().Gamme / 1000, Rythme::Immediat);
        return;
    }
    const double amplitude = (Potentio[1]->Value() + 100.0 * sldReglage[1]->value()) / 1000;
    regler(Rythme::Immediat, [&](EtatVoie& v) {
        if (index == 1)
            v.Amplitude = amplitude;
    });
}

void frmGBF::Potentio_DblClick(int index)
{
    if (index == 2 || index == 3)
        Potentio[size_t(index)]->setValue(Potentio[size_t(index)]->Max() / 2);
    regler(Rythme::Immediat);
}

