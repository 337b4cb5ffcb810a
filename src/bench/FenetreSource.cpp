#include "bench/FenetreSource.h"

#include "services/FichierINI.h"
#include "services/PositionFenetre.h"
#include "bench/frmToolBox.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Shape.h"

FenetreSource::FenetreSource(const QString& nom, int voie, const Description& description)
    : VbForm(nom), voie_(voie), description_(description)
{
    if (description_.rubriqueAide)
        InstallerAideF1(this, description_.rubriqueAide);
}

QString FenetreSource::suffixe() const
{
    return QString::fromLatin1(description_.suffixe) + (voie_ == 0 ? QLatin1Char('A') : QLatin1Char('B'));
}

void FenetreSource::relierBornes(int nombre, const char* marques, bool fichesCliquables)
{
    for (int i = 0; i < nombre; ++i) {
        auto* fiche = control<ImageBox>(this, "imgFiche", i);
        fiche->hide();
        fiche->raise();
        fiches_ << fiche;
        connect(control<ImageBox>(this, "imgBorne", i), &ImageBox::Click, this, [this, i] { imgBorne_Click(i); });
        if (fichesCliquables)
            connect(fiche, &ImageBox::Click, this, [this, i] { imgFiche_Click(i); });
        else
            fiche->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (!marques)
        return;
    const QString nomMarques = QString::fromLatin1(marques) + (voie_ == 0 ? QLatin1Char('A') : QLatin1Char('B'));
    for (int i = 0;; ++i) {
        auto* marque = findChild<Shape*>(QStringLiteral("%1(%2)").arg(nomMarques).arg(i));
        if (!marque)
            break;
        marques_ << marque;
    }
}

bool FenetreSource::fichePlacee(int i) const
{
    return i >= 0 && i < fiches_.size() && !fiches_[i]->isHidden();
}

void FenetreSource::placerFiche(int i, bool placee)
{
    if (i >= 0 && i < fiches_.size())
        fiches_[i]->setHidden(!placee);
}

void FenetreSource::basculerFiche(int i)
{
    if (i < 0 || i >= fiches_.size())
        return;
    fiches_[i]->setHidden(!fiches_[i]->isHidden());
    recalculerBranchement();
}

void FenetreSource::Form_Load()
{
    // Just right of the scope window, CH2 lower down.
    RestaurerPosition(this, suffixe(), DroiteFenetre(QStringLiteral("frmWavix")),
                      voie_ == 0 ? 0 : description_.hautDefautB);
    colorerMarques();
}

void FenetreSource::colorerMarques()
{
    for (Shape* marque : marques_)
        marque->setFillColor(canal().CouleurTrace);
}

void FenetreSource::Form_Unload(bool&)
{
    EnregistrerPosition(this, suffixe());
    if (!description_.choisitAucune)
        return;
    auto* boite = Forms().find<frmToolBox>();
    const int propre = voie_ == 0 ? description_.optionA : description_.optionB;
    if (boite && boite->optionChoisie(propre))
        boite->choisir(voie_ == 0 ? 0 : 11);
}
