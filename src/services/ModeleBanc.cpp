#include "services/ModeleBanc.h"

ModeleBanc& Modele()
{
    static ModeleBanc modele;
    return modele;
}

const EtatBanc& Banc()
{
    return Modele().etat();
}

ModeleBanc::Lot::Lot(ModeleBanc& modele) : modele_(modele)
{
    ++modele_.lots_;
}

ModeleBanc::Lot::~Lot()
{
    if (--modele_.lots_ == 0)
        modele_.relacher();
}

void ModeleBanc::relacher()
{
    const std::set<int> voies = std::exchange(voiesRetenues_, {});
    const Rythme rythme = std::exchange(glissementRetenu_, false) ? Rythme::Glissement : Rythme::Immediat;
    if (voies.size() == 2)
        Q_EMIT voieChangee(kDeuxVoies, rythme);
    else if (voies.size() == 1)
        Q_EMIT voieChangee(*voies.begin(), rythme);
    if (std::exchange(instrumentsRetenus_, false))
        Q_EMIT instrumentsChanges();
}

void ModeleBanc::signalerVoie(int voie, Rythme rythme)
{
    if (lots_ == 0) {
        Q_EMIT voieChangee(voie, rythme);
        return;
    }
    // A change made at once makes the whole lot one made at once.
    const bool glissement = rythme == Rythme::Glissement && (voiesRetenues_.empty() || glissementRetenu_);
    if (voie == kDeuxVoies)
        voiesRetenues_.insert({0, 1});
    else
        voiesRetenues_.insert(voie);
    glissementRetenu_ = glissement;
}

void ModeleBanc::modifierVoie(int voie, const std::function<void(EtatVoie&)>& modification, Rythme rythme)
{
    if (voie == kDeuxVoies) {
        for (EtatVoie& v : etat_.voies)
            modification(v);
    } else if (voie == 0 || voie == 1) {
        modification(etat_.voies[size_t(voie)]);
    } else {
        return;
    }
    signalerVoie(voie, rythme);
}

void ModeleBanc::reglerAspectVoie(int voie, int32_t couleur, int style)
{
    if (voie != 0 && voie != 1)
        return;
    EtatVoie& v = etat_.voies[size_t(voie)];
    v.CouleurTrace = couleur;
    v.StyleTrace = style;
    Q_EMIT aspectChange(voie);
}

void ModeleBanc::finirReglage()
{
    Q_EMIT reglageTermine();
}

void ModeleBanc::reglerNiveauxHarmo(int voie, const NiveauxHarmoniques& niveaux, Rythme rythme)
{
    if (voie != 0 && voie != 1)
        return;
    niveaux_[size_t(voie)] = niveaux;
    signalerVoie(voie, rythme);
}

void ModeleBanc::publierGenerateur(int voie, const std::optional<ReglagesGBF>& reglages)
{
    gbf_[voie == 0 ? 0 : 1] = reglages;
}

void ModeleBanc::publierBoiteOutils(const std::optional<ChoixBoiteOutils>& choix)
{
    boite_ = choix;
}

void ModeleBanc::passerEnModeLibre(bool libre)
{
    etat_.modeLibre = libre;
    // An evaluated run draws its expected signals with a 0.5 duty; back in
    // free mode the generators set their own.
    for (EtatVoie& v : etat_.voies)
        v.RapportCyclique = libre ? 0 : 0.5f;
    Q_EMIT modeChange(libre);
}

void ModeleBanc::commencerEpreuve(const FichierExo& exercice)
{
    etat_.exercice = exercice;
    etat_.nbLignesExo = int(exercice.images.size());
    etat_.numLigneExo = 0;
    etat_.scoreExo = 0;
    etat_.scoreMaxExo = 0;
}

void ModeleBanc::choisirFichierExercice(const QString& titre, const QString& dossier)
{
    etat_.fichierExercice = titre;
    etat_.dossierExercice = dossier;
}

void ModeleBanc::oublierFichierExercice()
{
    etat_.fichierExercice.clear();
}

void ModeleBanc::montrerLigne(int numero)
{
    etat_.numLigneExo = numero;
}

void ModeleBanc::reglerScore(int32_t score, int32_t scoreMax)
{
    etat_.scoreExo = score;
    etat_.scoreMaxExo = scoreMax;
}

void ModeleBanc::ajouterPoints(int32_t points, int32_t pointsMax)
{
    etat_.scoreExo += points;
    etat_.scoreMaxExo += pointsMax;
}

void ModeleBanc::demanderFinDeRun(bool reglageSiUn)
{
    Q_EMIT finDeRunDemandee(reglageSiUn);
}

void ModeleBanc::montrerInstrument(Instrument instrument, bool ouvert)
{
    switch (instrument) {
    case Instrument::Multimetre: etat_.multimetreAffiche = ouvert; break;
    case Instrument::Chrono: etat_.chronoAffiche = ouvert; break;
    case Instrument::Calculatrice: etat_.calculatriceOuverte = ouvert; break;
    }
    if (lots_ > 0)
        instrumentsRetenus_ = true;
    else
        Q_EMIT instrumentsChanges();
}

void ModeleBanc::reglerCouleurFond(int rgb)
{
    couleurFond_ = rgb;
    Q_EMIT couleurFondChangee(rgb);
}

void ModeleBanc::reinitialiser()
{
    etat_.reinitialiser();
    niveaux_ = {NiveauxHarmoAuChargement(), NiveauxHarmoAuChargement()};
    gbf_ = {};
    boite_.reset();
    couleurFond_ = 0xFFFFFF;
    voiesRetenues_.clear();
    glissementRetenu_ = false;
    instrumentsRetenus_ = false;
}
