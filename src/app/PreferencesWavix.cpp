#include "app/PreferencesWavix.h"

#include "services/EtatBanc.h"
#include "services/FichierINI.h"
#include "platform/InfoBulles.h"
#include "app/MDIWavix.h"
#include "app/frmOption.h"
#include "bench/FenetreSource.h"
#include "services/RequetesBanc.h"
#include "bench/Voltmetre.h"
#include "bench/frmToolBox.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/VbConversions.h"
#include "scope/CouleursCourbes.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <climits>

namespace {

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

void ChargerPreferences()
{
    if (frmOption* options = Forms().find<frmOption>())
        ChargerPreferencesDans(options);
    else
        Forms().get<frmOption>(); // its load reads them
}

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
