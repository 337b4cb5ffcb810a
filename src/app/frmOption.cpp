#include "app/frmOption.h"

#include "app/MDIWavix.h"
#include "bench/FenetreSource.h"
#include "bench/Voltmetre.h"
#include "bench/frmToolBox.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/InfoBulles.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/VbConversions.h"
#include "scope/CouleursCourbes.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Impression.h"
#include "scope/frmWavix.h"
#include "services/EtatBanc.h"
#include "services/FichierINI.h"
#include "services/RequetesBanc.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <climits>

namespace {

// The settings file's side of the dialog.

const QString kOptions = QStringLiteral("Options");
const QString kImpression = QStringLiteral("Impression");

// A check box holds 0 (unticked), 1 (ticked) or 2 (greyed).
int valeurCase(const QCheckBox* c)
{
    switch (c->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void lireCase(QCheckBox* c, const QString& cle, int defaut)
{
    const int v = LirePreferenceINI(kOptions, cle, defaut, 0, 2);
    c->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void ecrireCase(const QString& cle, const QCheckBox* c)
{
    EcrireINI(kOptions, cle, QString::number(valeurCase(c)));
}

// A list index out of its list takes the default.
void lireListe(QComboBox* liste, const QString& cle, int defaut)
{
    liste->setCurrentIndex(LirePreferenceINI(kImpression, cle, defaut, 0, int32_t(liste->count()) - 1));
}

struct CleCouleur {
    const char* cle;
    int32_t defaut;
};
// The five screen colours in the order of the swatches.
const CleCouleur kClesCouleurs[5] = {
    {"ColorYa", 65535}, {"ColorYb", 4227072}, {"ColorGrille", 0}, {"ColorScreen", 10135975}, {"ColorCadre", 0},
};

const char* const kVoies[2] = {"A", "B"};

QString cleVoie(const char* debut, int voie)
{
    return QString::fromLatin1(debut) + QString::fromLatin1(kVoies[voie]);
}

// The source windows whose lead marks follow the trace colours, by the
// toolbox option that connects them.
struct SourceColoree {
    int option;
    const char* fenetre;
};
const SourceColoree kSourcesColorees[] = {
    {1, "frmGBFA"}, {2, "frmAlimA"}, {14, "frmDynA"}, {10, "frmGBFB"}, {9, "frmAlimB"}, {15, "frmDynB"},
};

} // namespace

void ChargerPreferencesDans(frmOption* f)
{
    f->picColor_Fond->setBackColor(LirePreferenceINI(kOptions, QStringLiteral("Couleur fond"), 16777215, 0, 16777215));
    lireCase(f->chkLoadTipsAtStartup, QStringLiteral("Show Tips at Startup"), 1);
    lireCase(f->chkToolTip, QStringLiteral("ShowToolTip"), 1);
    lireCase(f->chkCopySensibility, QStringLiteral("Copy Sensibility"), 1);

    MDIWavix* mdi = MDIWavix::instance();
    if (mdi && !Banc().modeLibre) {
        f->chkReglage->setEnabled(false);
    } else {
        f->chkReglage->setEnabled(true);
        lireCase(f->chkReglage, QStringLiteral("Reglage auto"), 0);
        if (mdi)
            mdi->Mnu_Reglages->setEnabled(valeurCase(f->chkReglage) != 0);
    }

    for (int i = 0; i < 5; ++i) {
        const CleCouleur& c = kClesCouleurs[i];
        ReglerCouleurVariable(i, LirePreferenceINI(kOptions, QString::fromLatin1(c.cle), c.defaut, 0, 16777215));
        f->colorerEchantillon(i, CouleurVariable(i));
    }
    DecomposerCouleurs();

    // The meter in use follows its own rule, so box and toolbox agree.
    f->chkMultimetre->setChecked(MultimetreCollegeChoisi());
    if (frmToolBox* boite = Forms().find<frmToolBox>())
        boite->afficherMultimetre();

    for (int voie = 0; voie < 2; ++voie) {
        const size_t v = size_t(voie);
        lireListe(f->cbxStyle[v], cleVoie("Style Ligne Voie ", voie), 0);
        const int32_t aucune = LirePreferenceINI(kImpression, cleVoie("Marque Voie ", voie), 1, INT_MIN, INT_MAX);
        f->optMarque[v][aucune != 0 ? 0 : 1]->setChecked(true);
        f->optMarque_Click(voie);
        lireListe(f->cbxMarque[v], cleVoie("Motif Marque Voie ", voie), 0);
        lireListe(f->cbxWidth[v], cleVoie("Taille Marque Voie ", voie), 0);
    }
}

void EnregistrerPreferences()
{
    frmOption* f = Forms().find<frmOption>();
    if (!f)
        return;
    MDIWavix* mdi = MDIWavix::instance();
    frmToolBox* boite = Forms().find<frmToolBox>();

    const int32_t fond = f->picColor_Fond->BackColor();
    EcrireINI(kOptions, QStringLiteral("Couleur fond"), QString::number(fond));
    if (mdi)
        mdi->setBackColor(fond);
    if (boite)
        boite->colorerFond();

    ecrireCase(QStringLiteral("Show Tips at Startup"), f->chkLoadTipsAtStartup);
    ecrireCase(QStringLiteral("ShowToolTip"), f->chkToolTip);
    SetToolTipsHidden(valeurCase(f->chkToolTip) != 1);

    ecrireCase(QStringLiteral("Multimetre college"), f->chkMultimetre);
    if (boite) {
        boite->afficherMultimetre();
        // The open multimeter gives way to the one now chosen, whose window
        // the toolbox's own handler opens at the meters' shared place.
        if (boite->chkMulti->isChecked()) {
            Forms().unload(MultimetreCollegeChoisi() ? QStringLiteral("frmMulti_RMS") : QStringLiteral("frmVolt"));
            boite->chkMulti->setChecked(true);
        }
    }

    ecrireCase(QStringLiteral("Copy Sensibility"), f->chkCopySensibility);
    if (!mdi || Banc().modeLibre) {
        ecrireCase(QStringLiteral("Reglage auto"), f->chkReglage);
        if (mdi)
            mdi->Mnu_Reglages->setEnabled(valeurCase(f->chkReglage) != 0);
    }
    if (mdi && Banc().multimetreAffiche)
        CalculerMesure();

    for (int i = 0; i < 5; ++i)
        ReglerCouleurVariable(i, f->shpColor[size_t(i)]->FillColor());
    if (boite)
        boite->colorerVoies();
    if (frmWavix* scope = Forms().find<frmWavix>())
        scope->colorerConnexions();
    if (boite) {
        for (const SourceColoree& s : kSourcesColorees)
            if (boite->optionChoisie(s.option))
                if (auto* source = dynamic_cast<FenetreSource*>(Forms().find(QString::fromLatin1(s.fenetre))))
                    source->colorerMarques();
    }
    for (int i = 0; i < 5; ++i)
        EcrireINI(kOptions, QString::fromLatin1(kClesCouleurs[i].cle), QString::number(CouleurVariable(i)));

    for (int voie = 0; voie < 2; ++voie) {
        const size_t v = size_t(voie);
        EcrireINI(kImpression, cleVoie("Style Ligne Voie ", voie), QString::number(f->cbxStyle[v]->currentIndex()));
        EcrireINI(kImpression, cleVoie("Marque Voie ", voie),
                  f->optMarque[v][0]->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        EcrireINI(kImpression, cleVoie("Motif Marque Voie ", voie), QString::number(f->cbxMarque[v]->currentIndex()));
        EcrireINI(kImpression, cleVoie("Taille Marque Voie ", voie), QString::number(f->cbxWidth[v]->currentIndex()));
    }
}

namespace {

constexpr int kRubriqueAide = 3800;

const FormDesign kDesign{
    "Options pour Wavix",
    5910,
    3900,
    {
        {ControlKind::Tabs, "sstOptions", -1, 60, 60, 5790, 3240, "Interface| Wavixgrammes|Impression"},
        {ControlKind::Button, "cmdOK", -1, 1800, 3420, 1275, 375, "&OK"},
        {ControlKind::Button, "cmdAppliq", -1, 3180, 3420, 1275, 375, "A&ppliquer"},
        {ControlKind::Button, "cmdCancel", -1, 4560, 3420, 1275, 375, "A&nnuler"},
    },
};

const std::vector<ControlDesign> kInterface{
    {ControlKind::Label, "Label7", -1, 120, 180, 2880, 255, "Couleur de fond de l'interface :"},
    {ControlKind::Picture, "picColor_Fond", -1, 3000, 150, 450, 315, "",
     "Double-cliquer pour retrouver la couleur par défaut."},
    {ControlKind::Button, "cmdColor_Fond", -1, 3540, 120, 1800, 375, "Changer la couleur"},
    {ControlKind::CheckBox, "chkToolTip", -1, 120, 660, 5220, 300, "Afficher les info-bulles",
     "Info-bulle : phrase qui décrit la fonction d'un bouton"},
    {ControlKind::CheckBox, "chkLoadTipsAtStartup", -1, 120, 1080, 5220, 300, "&Afficher les astuces au démarrage"},
    {ControlKind::CheckBox, "chkReglage", -1, 120, 1500, 5220, 300,
     "Afficher le menu \"Options > Sensibilités automatiques\""},
    {ControlKind::CheckBox, "chkCopySensibility", -1, 120, 1920, 5220, 300,
     "Afficher les sensibilités verticale et horizontale sur l'écran"},
    {ControlKind::CheckBox, "chkMultimetre", -1, 120, 2340, 5220, 300, "Choisir le multimètre du collège"},
};

const std::vector<ControlDesign> kEcran{
    {ControlKind::Frame, "fraColor", -1, 120, 90, 2760, 2640, "Couleurs sur l'écran : "},
    {ControlKind::Button, "cmdChange", -1, 3000, 330, 2340, 375, "Chan&ger la couleur"},
    {ControlKind::Button, "cmdDefault", -1, 3000, 900, 2340, 375, "&Couleurs par défaut"},
    {ControlKind::Button, "cmdPrint", -1, 3000, 1470, 2340, 375, "Couleurs pour l'&impression"},
};

const char* const kNomsCouleurs[5] = {"Spot voie CH1", "Spot voie CH2", "Grille écran", "Fond de l'écran",
                                       "Bords de l'écran"};

std::vector<ControlDesign> choixCouleurs()
{
    std::vector<ControlDesign> c;
    for (int i = 0; i < 5; ++i) {
        c.push_back({ControlKind::OptionButton, "optColor", i, 150, 330 + 450 * i, 1830, 300, kNomsCouleurs[i]});
        c.push_back({ControlKind::Shape, "shpColor", i, 2010, 330 + 450 * i, 600, 300});
    }
    return c;
}

// One channel's group on the printing tab.
std::vector<ControlDesign> voieImpression(int voie)
{
    return {
        {ControlKind::Frame, "Frame4", voie, 90, 240, 2580, 735, "Ligne"},
        {ControlKind::Frame, "Frame5", voie, 90, 1020, 2580, 1560, "Marque"},
    };
}

std::vector<ControlDesign> ligne(int voie)
{
    return {
        {ControlKind::Label, "Label6", voie, 120, 330, 720, 255, "&Style : "},
        {ControlKind::ComboBox, "cbxStyle", voie, 840, 270, 1470, 345},
    };
}

std::vector<ControlDesign> marque(int voie)
{
    const char* option = voie == 0 ? "optMarqueA" : "optMarqueB";
    return {
        {ControlKind::OptionButton, option, 0, 60, 270, 960, 300, "Aucune"},
        {ControlKind::OptionButton, option, 1, 1050, 270, 1500, 300, "Personnalisée"},
        {ControlKind::Label, "lblMarque", voie, 120, 720, 720, 255, "&Motif : "},
        {ControlKind::ComboBox, "cbxMarque", voie, 840, 660, 1470, 345},
        {ControlKind::Label, "lblWidth", voie, 120, 1140, 720, 255, "&Taille : "},
        {ControlKind::ComboBox, "cbxWidth", voie, 840, 1080, 1470, 345},
    };
}

} // namespace

frmOption::~frmOption()
{
    // Unloaded: the brightness knob takes the saved colours again.
    CouleursEchantillons().reset();
}

frmOption::frmOption() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    // The small print of a settings dialog, so that every caption fits.
    QFont petite = font();
    petite.setPointSizeF(8);
    setFont(petite);
    sstOptions = control<QTabWidget>(this, "sstOptions");
    buildControls(tabPage(this, "sstOptions", 0), kInterface);
    buildControls(tabPage(this, "sstOptions", 1), kEcran);
    buildControls(control<QGroupBox>(this, "fraColor"), choixCouleurs());
    for (int voie = 0; voie < 2; ++voie) {
        QWidget* page = tabPage(this, "sstOptions", 2);
        buildControls(page, {{ControlKind::Frame, "Frame3", voie, 120 + 2820 * voie, 60, 2760, 2670,
                              voie == 0 ? "Voie CH1" : "Voie CH2"}});
        buildControls(control<QGroupBox>(this, "Frame3", voie), voieImpression(voie));
        buildControls(control<QGroupBox>(this, "Frame4", voie), ligne(voie));
        buildControls(control<QGroupBox>(this, "Frame5", voie), marque(voie));
    }

    picColor_Fond = control<PictureBox>(this, "picColor_Fond");
    // A sunken edge, so that a white swatch shows on the page.
    auto* bord = new QFrame(picColor_Fond->parentWidget());
    bord->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bord->setGeometry(picColor_Fond->geometry().adjusted(-2, -2, 2, 2));
    bord->lower();
    chkToolTip = control<QCheckBox>(this, "chkToolTip");
    chkLoadTipsAtStartup = control<QCheckBox>(this, "chkLoadTipsAtStartup");
    chkReglage = control<QCheckBox>(this, "chkReglage");
    chkCopySensibility = control<QCheckBox>(this, "chkCopySensibility");
    chkMultimetre = control<QCheckBox>(this, "chkMultimetre");
    for (int i = 0; i < 5; ++i) {
        optColor[size_t(i)] = control<QRadioButton>(this, "optColor", i);
        shpColor[size_t(i)] = control<Shape>(this, "shpColor", i);
    }
    for (int voie = 0; voie < 2; ++voie) {
        const size_t v = size_t(voie);
        cbxStyle[v] = control<QComboBox>(this, "cbxStyle", voie);
        cbxStyle[v]->addItems(StylesLigneImpression());
        lblMarque[v] = control<QLabel>(this, "lblMarque", voie);
        cbxMarque[v] = control<QComboBox>(this, "cbxMarque", voie);
        cbxMarque[v]->addItems(MotifsMarque());
        lblWidth[v] = control<QLabel>(this, "lblWidth", voie);
        cbxWidth[v] = control<QComboBox>(this, "cbxWidth", voie);
        cbxWidth[v]->addItems(TaillesMarque());
        control<QLabel>(this, "Label6", voie)->setBuddy(cbxStyle[v]);
        lblMarque[v]->setBuddy(cbxMarque[v]);
        lblWidth[v]->setBuddy(cbxWidth[v]);
        for (int i = 0; i < 2; ++i) {
            optMarque[v][size_t(i)] = control<QRadioButton>(this, voie == 0 ? "optMarqueA" : "optMarqueB", i);
            connect(optMarque[v][size_t(i)], &QRadioButton::toggled, this, [this, voie] { optMarque_Click(voie); });
        }
    }

    connect(control<QPushButton>(this, "cmdOK"), &QPushButton::clicked, this, &frmOption::cmdOK_Click);
    connect(control<QPushButton>(this, "cmdAppliq"), &QPushButton::clicked, this, &frmOption::cmdAppliq_Click);
    auto* annuler = control<QPushButton>(this, "cmdCancel");
    connect(annuler, &QPushButton::clicked, this, &frmOption::cmdCancel_Click);
    setCancelButton(annuler);
    connect(control<QPushButton>(this, "cmdChange"), &QPushButton::clicked, this, &frmOption::cmdChange_Click);
    connect(control<QPushButton>(this, "cmdColor_Fond"), &QPushButton::clicked, this,
            &frmOption::cmdColor_Fond_Click);
    connect(control<QPushButton>(this, "cmdDefault"), &QPushButton::clicked, this, &frmOption::cmdDefault_Click);
    connect(control<QPushButton>(this, "cmdPrint"), &QPushButton::clicked, this, &frmOption::cmdPrint_Click);
    connect(picColor_Fond, &PictureBox::DblClick, this, &frmOption::picColor_Fond_DblClick);
    InstallerAideF1(this, kRubriqueAide);
}

void frmOption::Form_Load()
{
    flottante_.setDevice(this);
    flottante_.setOnTop(true);
    ChargerPreferencesDans(this);
    for (int i = 0; i < 5; ++i)
        couleursAppliquees_[size_t(i)] = CouleurVariable(i);
}

void frmOption::Form_QueryUnload(bool& cancel, UnloadMode mode)
{
    Q_UNUSED(cancel)
    // Closed by its close box or by the program: nothing chosen since the
    // last "Appliquer" stays.
    if (!appliquee_ && mode != UnloadMode::Code)
        reprendreCouleurs();
}

void frmOption::reprendreCouleurs()
{
    bool change = false;
    for (int i = 0; i < 5; ++i) {
        change = change || CouleurVariable(i) != couleursAppliquees_[size_t(i)];
        ReglerCouleurVariable(i, couleursAppliquees_[size_t(i)]);
    }
    CouleursEchantillons().reset();
    DecomposerCouleurs();
    if (change)
        RedessinerEcran();
}

void frmOption::cmdAppliq_Click()
{
    EnregistrerPreferences();
    for (int i = 0; i < 5; ++i)
        couleursAppliquees_[size_t(i)] = CouleurVariable(i);
    RedessinerEcran();
}

void frmOption::cmdOK_Click()
{
    cmdAppliq_Click();
    appliquee_ = true;
    Unload();
}

void frmOption::cmdCancel_Click()
{
    reprendreCouleurs();
    Unload();
}

void frmOption::cmdChange_Click()
{
    int choix = 0;
    for (int i = 0; i < 5; ++i)
        if (optColor[size_t(i)]->isChecked())
            choix = i;
    if (const std::optional<int32_t> choisie = ChoisirCouleur(shpColor[size_t(choix)]->FillColor(), this))
        colorerEchantillon(choix, *choisie);
    ReglerCouleurVariable(choix, shpColor[size_t(choix)]->FillColor());
    DecomposerCouleurs();
}

void frmOption::cmdColor_Fond_Click()
{
    if (const std::optional<int32_t> choisie = ChoisirCouleur(picColor_Fond->BackColor(), this))
        picColor_Fond->setBackColor(*choisie);
}

void frmOption::remplirCouleurs(const std::array<int32_t, 5>& couleurs)
{
    for (int i = 0; i < 5; ++i)
        colorerEchantillon(i, couleurs[size_t(i)]);
}

void frmOption::colorerEchantillon(int index, int32_t couleur)
{
    std::optional<std::array<int32_t, 5>>& couleurs = CouleursEchantillons();
    if (!couleurs) {
        couleurs.emplace();
        for (int i = 0; i < 5; ++i)
            (*couleurs)[size_t(i)] = shpColor[size_t(i)]->FillColor();
    }
    shpColor[size_t(index)]->setFillColor(couleur);
    (*couleurs)[size_t(index)] = couleur;
}

void frmOption::cmdDefault_Click()
{
    remplirCouleurs(kCouleursEcran);
    DecomposerCouleurs();
}

void frmOption::cmdPrint_Click()
{
    remplirCouleurs(kCouleursImpression);
    DecomposerCouleurs();
}

void frmOption::picColor_Fond_DblClick()
{
    picColor_Fond->setBackColor(16777215);
}

void frmOption::optMarque_Click(int voie)
{
    const size_t v = size_t(voie);
    const bool personnalisee = !optMarque[v][0]->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(lblMarque[v]), static_cast<QWidget*>(lblWidth[v]),
                       static_cast<QWidget*>(cbxMarque[v]), static_cast<QWidget*>(cbxWidth[v])})
        w->setEnabled(personnalisee);
}
