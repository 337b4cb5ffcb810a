#include "bench/frmToolBox.h"
#include "services/ModeleBanc.h"

#include "services/EtatBanc.h"
#include "services/FichierINI.h"
#include "bench/Calculatrice.h"
#include "bench/FenetresBanc.h"
#include "bench/Voltmetre.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/VbColor.h"
#include "services/EtatBanc.h"
#include "platform/RVB.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QIcon>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

constexpr int kRubriqueAide = 3400;

struct Option {
    int index;
    int voie;
    int haut;           // twips inside the frame
    const char* bulle;
    const char* icone;  // empty: no picture
    const char* mot;    // waveform word written before the window opens
    const char* fenetre; // empty: no window
};

const Option kOptions[] = {
    {0, 0, 240, "Aucune alimentation", "", "Cc", ""},
    {1, 0, 720, "GBF", ":/bench/icon_gbf.svg", "Sinus", "frmGBFA"},
    {16, 0, 1200, "Générateur d'harmoniques", ":/bench/icon_harmo.svg", "harmo", "frmHarmoniqueA"},
    {2, 0, 1680, "Alimentation stabilisée", ":/bench/icon_alim.svg", "Cc", "frmAlimA"},
    {3, 0, 2160, "Pile 1,5 V", ":/bench/icon_pile15.svg", "Cc", "frmPileA"},
    {4, 0, 2640, "Pile 4,5 V", ":/bench/icon_pile45.svg", "Cc", "frmPileA"},
    {5, 0, 3120, "Pile 9 V", ":/bench/icon_pile9.svg", "Cc", "frmPileA"},
    {12, 0, 3600, "Prise secteur", ":/bench/icon_secteur.svg", "Sinus", "frmEDFA"},
    {14, 0, 4080, "Alternateur bicyclette", ":/bench/icon_dynamo.svg", "Dyn", "frmDynA"},
    {11, 1, 240, "Aucune alimentation", "", "Cc", ""},
    {10, 1, 720, "GBF", ":/bench/icon_gbf.svg", "Sinus", "frmGBFB"},
    {17, 1, 1200, "Générateur d'harmoniques", ":/bench/icon_harmo.svg", "harmo", "frmHarmoniqueB"},
    {9, 1, 1680, "Alimentation stabilisée", ":/bench/icon_alim.svg", "Cc", "frmAlimB"},
    {8, 1, 2160, "Pile 1,5 V", ":/bench/icon_pile15.svg", "Cc", "frmPileB"},
    {7, 1, 2640, "Pile 4,5 V", ":/bench/icon_pile45.svg", "Cc", "frmPileB"},
    {6, 1, 3120, "Pile 9 V", ":/bench/icon_pile9.svg", "Cc", "frmPileB"},
    {13, 1, 3600, "Prise secteur", ":/bench/icon_secteur.svg", "Sinus", "frmEDFB"},
    {15, 1, 4080, "Alternateur bicyclette", ":/bench/icon_dynamo.svg", "Dyn", "frmDynB"},
};

const Option* optionDe(int index)
{
    for (const Option& o : kOptions)
        if (o.index == index)
            return &o;
    return nullptr;
}

struct Case {
    const char* nom;
    int haut;
    const char* bulle;
    const char* icone;
};

const Case kCases[] = {
    {"chkMulti", 9255, "Multimètre", ":/bench/icon_multi_trms.svg"},
    {"chkClock", 9735, "Chronomètre", ":/bench/icon_chrono.svg"},
    {"chkCalc", 10215, "Calculatrice", ":/bench/icon_calc.svg"},
};

QToolButton* bouton(QWidget* parent, const QString& nom, const char* bulle, const char* icone)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(nom);
    b->setCheckable(true);
    b->setToolTip(QString::fromUtf8(bulle));
    b->resize(twipsToPixels(435), twipsToPixels(435));
    if (*icone) {
        b->setIcon(QIcon(QString::fromLatin1(icone)));
        b->setIconSize(b->size() - QSize(6, 6));
    }
    return b;
}

// Options stand out from the channel's colour; the chosen one is pressed in
// behind a dark rim.
const char kStyleOptions[] =
    "QToolButton { background: #e6e7e3; border: 1px solid #77797a; border-radius: 3px; }"
    "QToolButton:checked { background: #fff6c8; border: 3px solid #141414; }"
    "QToolButton:disabled { background: #c9cac6; border-color: #9a9c98; }";

const char* const kFenetresSources[2][6] = {
    {"frmGBFA", "frmAlimA", "frmPileA", "frmEDFA", "frmDynA", "frmHarmoniqueA"},
    {"frmGBFB", "frmAlimB", "frmPileB", "frmEDFB", "frmDynB", "frmHarmoniqueB"},
};

} // namespace

frmToolBox::frmToolBox()
    : VbForm(QString::fromLatin1(kNom)), choixPublie_(
          this, [](const std::optional<ChoixBoiteOutils>& c) { Modele().publierBoiteOutils(c); },
          [this] { return choix(); })
{
    // Kept for the program's life, at its designed width: a title bar would
    // widen the narrow window.
    setClosable(false);
    setTitleBar(false);
    // Short enough to stand whole in the bench of a normal main window on a
    // 1024 x 768 screen (714 pixels), so that the bench needs no scroll bar:
    // the channels' frames end a little under their last source, and the
    // boxes follow close under them.
    buildForm(this, FormDesign{"", 690, 10710, {}});
    for (int voie = 0; voie < 2; ++voie) {
        // The channel's caption over its sources; the chosen source is
        // pressed in, with a dark rim.
        auto* cadre = new QGroupBox(voie == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2"), this);
        cadre->setObjectName(controlName("fraAlim", voie));
        cadre->setAlignment(Qt::AlignHCenter);
        cadre->setAutoFillBackground(true);
        QFont legende = cadre->font();
        legende.setPointSizeF(7.5);
        legende.setBold(true);
        cadre->setFont(legende);
        cadre->setStyleSheet(QString::fromLatin1(kStyleOptions));
        cadre->resize(twipsToPixels(555), twipsToPixels(4575));
        placeTwips(cadre, 60, voie == 0 ? 0 : 4620);
        fraAlim[size_t(voie)] = cadre;
        auto* groupe = new QButtonGroup(cadre);
        groupe->setExclusive(true);
    }
    for (const Option& o : kOptions) {
        QToolButton* b = bouton(fraAlim[size_t(o.voie)], controlName("optConnexion", o.index), o.bulle, o.icone);
        placeTwips(b, 60, o.haut);
        fraAlim[size_t(o.voie)]->findChild<QButtonGroup*>()->addButton(b);
        optConnexion[size_t(o.index)] = b;
        const int index = o.index;
        connect(b, &QAbstractButton::toggled, this, [this, index](bool coche) {
            choixPublie_.publier();
            if (coche)
                optConnexion_Click(index);
        });
    }
    for (const Case& c : kCases) {
        QToolButton* b = bouton(this, QString::fromLatin1(c.nom), c.bulle, c.icone);
        placeTwips(b, 120, c.haut);
    }
    chkMulti = control<QAbstractButton>(this, "chkMulti");
    chkClock = control<QAbstractButton>(this, "chkClock");
    chkCalc = control<QAbstractButton>(this, "chkCalc");
    connect(chkMulti, &QAbstractButton::toggled, this, [this] { choixPublie_.publier(); });
    connect(chkMulti, &QAbstractButton::toggled, this, &frmToolBox::chkMulti_Click);
    connect(chkClock, &QAbstractButton::toggled, this, &frmToolBox::chkClock_Click);
    connect(chkCalc, &QAbstractButton::toggled, this, [this] { choixPublie_.publier(); });
    connect(chkCalc, &QAbstractButton::toggled, this, &frmToolBox::chkCalc_Click);
    InstallerAideF1(this, kRubriqueAide);
}

ChoixBoiteOutils frmToolBox::choix() const
{
    ChoixBoiteOutils c;
    for (size_t i = 0; i < optConnexion.size(); ++i)
        c.options[i] = optConnexion[i]->isChecked();
    c.multimetre = chkMulti->isChecked();
    c.calculatrice = chkCalc->isChecked();
    return c;
}

void frmToolBox::Form_Load()
{
    choixPublie_.ouvrir();
    // Always at the top-left corner; it keeps no position.
    Move(0, 0);
    colorerFond();
    // Sources whose window the bench does not have yet cannot be chosen.
    for (const Option& o : kOptions)
        if (*o.fenetre && !SourceDisponible(QString::fromLatin1(o.fenetre)))
            optConnexion[size_t(o.index)]->setEnabled(false);
    colorerVoies();
    afficherMultimetre();
    choisir(0);
    choisir(11);
}

void frmToolBox::colorerFond()
{
    const QColor fond = vbColor(Modele().couleurFond());
    for (int aucune : {0, 11}) {
        optConnexion[size_t(aucune)]->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; }").arg(fond.name()));
    }
}

void frmToolBox::colorerVoies()
{
    for (int voie = 0; voie < 2; ++voie) {
        RVB couleur;
        couleur.setCouleur(Banc().voies[size_t(voie)].CouleurTrace);
        QPalette p = fraAlim[size_t(voie)]->palette();
        p.setColor(QPalette::Window, vbColor(Banc().voies[size_t(voie)].CouleurTrace));
        p.setColor(QPalette::WindowText, vbColor(couleur.CouleurTexte()));
        fraAlim[size_t(voie)]->setPalette(p);
    }
}


void frmToolBox::afficherMultimetre()
{
    chkMulti->setIcon(QIcon(MultimetreCollegeChoisi() ? QStringLiteral(":/bench/icon_multi_college.svg")
                                                : QStringLiteral(":/bench/icon_multi_trms.svg")));
}

bool frmToolBox::optionChoisie(int index) const
{
    return index >= 0 && index < 18 && optConnexion[size_t(index)]->isChecked();
}

void frmToolBox::choisir(int index)
{
    if (index < 0 || index >= 18)
        return;
    if (!optConnexion[size_t(index)]->isChecked()) {
        optConnexion[size_t(index)]->setChecked(true);
        return;
    }
    // Chosen again: an open source window stays as it is, connected; closing
    // it here would select "none" and strand the reopened window.
    const Option* o = optionDe(index);
    if (*o->fenetre) {
        if (VbForm* fenetre = Forms().find(QString::fromLatin1(o->fenetre))) {
            fenetre->Show();
            return;
        }
    }
    optConnexion_Click(index); // "none" runs again; a closed window opens
}

QString FenetreOption(int index)
{
    const Option* o = optionDe(index);
    return o ? QString::fromLatin1(o->fenetre) : QString();
}

int VoieOption(int index)
{
    const Option* o = optionDe(index);
    return o ? o->voie : 0;
}

QString NomMultimetre()
{
    return MultimetreCollegeChoisi() ? QStringLiteral("frmVolt") : QStringLiteral("frmMulti_RMS");
}

void DebrancherSources(int index)
{
    const Option* o = optionDe(index);
    if (!o)
        return;
    // Seen with the choice that follows.
    ModeleBanc::Lot lot(Modele());
    Modele().modifierVoie(o->voie, [](EtatVoie& v) { v.SourceBranchee = false; });
    for (const char* nom : kFenetresSources[o->voie])
        Forms().unload(QString::fromLatin1(nom));
}

void frmToolBox::optConnexion_Click(int index)
{
    const Option* o = optionDe(index);
    if (!o)
        return;
    ModeleBanc::Lot lot(Modele());
    DebrancherSources(index);
    const bool aucune = !*o->fenetre;
    Modele().modifierVoie(o->voie, [&](EtatVoie& v) {
        v.FormeSignal = QString::fromUtf8(o->mot);
        if (aucune) {
            v.Amplitude = 0;
            v.Frequence = 0;
        }
    });
    if (!aucune)
        if (VbForm* fenetre = OuvrirFenetreSource(QString::fromLatin1(o->fenetre), o->voie))
            fenetre->Show();
}

void frmToolBox::chkMulti_Click()
{
    const QString nom = NomMultimetre();
    Modele().montrerInstrument(ModeleBanc::Instrument::Multimetre, chkMulti->isChecked());
    if (chkMulti->isChecked())
        OuvrirInstrument(nom)->Show();
    else
        Forms().unload(nom);
}

void frmToolBox::chkClock_Click()
{
    Modele().montrerInstrument(ModeleBanc::Instrument::Chrono, chkClock->isChecked());
    if (chkClock->isChecked())
        OuvrirInstrument(QStringLiteral("frmChrono"))->Show();
    else
        Forms().unload(QStringLiteral("frmChrono"));
}

void frmToolBox::chkCalc_Click()
{
    BasculerCalculatrice();
}

void frmToolBox::decocherCalculatrice()
{
    {
        const QSignalBlocker bloque(chkCalc);
        chkCalc->setChecked(false);
    }
    choixPublie_.publier();
}
