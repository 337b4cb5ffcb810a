// The settings the options dialog reads, one value a line in this order:
// the background colour, the four boxes (tips, tooltips, readout, automatic
// settings), the five screen colours, the meter, then for CH1 and CH2 the
// line style, the marker choice, pattern and size. Whatever the values, the
// dialog shows a state of its own (each box, list and colour in its range,
// one marker choice a channel), which it saves and reads back unchanged.

#include "Entree.h"
#include "services/ModeleBanc.h"
#include "Fenetres.h"
#include "Fichier.h"

#include "services/FichierINI.h"
#include "app/PreferencesWavix.h"
#include "app/frmOption.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "scope/CouleursCourbes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace {

const char* const kOptions[] = {"Couleur fond", "Show Tips at Startup", "ShowToolTip", "Copy Sensibility",
                                "Reglage auto", "ColorYa", "ColorYb", "ColorGrille", "ColorScreen",
                                "ColorCadre", "Multimetre college"};
const char* const kImpression[] = {"Style Ligne Voie ", "Marque Voie ", "Motif Marque Voie ", "Taille Marque Voie "};

bool couleur(int rgb)
{
    return rgb >= 0 && rgb <= 0xFFFFFF;
}

// What the dialog shows, checked on the way.
QList<int> etat(const frmOption* f)
{
    QList<int> e;
    e << f->picColor_Fond->BackColor();
    for (const QCheckBox* c : {f->chkLoadTipsAtStartup, f->chkToolTip, f->chkCopySensibility, f->chkReglage,
                               f->chkMultimetre})
        e << int(c->checkState());
    for (int i = 0; i < 5; ++i)
        e << f->shpColor[size_t(i)]->FillColor() << CouleurVariable(i);
    for (int voie = 0; voie < 2; ++voie) {
        const size_t v = size_t(voie);
        EXIGER(f->optMarque[v][0]->isChecked() != f->optMarque[v][1]->isChecked());
        e << int(f->optMarque[v][0]->isChecked());
        for (const QComboBox* liste : {f->cbxStyle[v], f->cbxMarque[v], f->cbxWidth[v]}) {
            EXIGER(liste->currentIndex() >= 0 && liste->currentIndex() < liste->count());
            e << liste->currentIndex();
        }
    }
    EXIGER(couleur(e[0]));
    for (int i = 0; i < 10; ++i)
        EXIGER(couleur(e[6 + i]));
    return e;
}

// The dialog stays loaded for the program's life, and reads the settings
// file again at each load: built once, read for each input.
struct Options {
    frmOption* f = Forms().get<frmOption>();
    ~Options() { fermerFenetres(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    frmOption* f = garde<Options>().f;
    Entree entree(data, size);
    QByteArray fichier = "[Options]\r\n";
    for (const char* cle : kOptions)
        fichier += QByteArray(cle) + '=' + entree.ligne() + "\r\n";
    fichier += "[Impression]\r\n";
    for (const char* voie : {"A", "B"})
        for (const char* cle : kImpression)
            fichier += QByteArray(cle) + voie + '=' + entree.ligne() + "\r\n";
    Session().CheminINI = fichierTemporaire(QStringLiteral("ConfQVT_fuzz.ini"), fichier);

    ChargerPreferencesDans(f);
    const QList<int> lu = etat(f);
    EnregistrerPreferences();
    ChargerPreferencesDans(f);
    EXIGER(etat(f) == lu);
    return 0;
}
