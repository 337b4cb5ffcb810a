#include "services/RequetesBanc.h"

#include "services/ModeleBanc.h"

#include <algorithm>

NiveauxHarmoniques NiveauxHarmoAuChargement()
{
    NiveauxHarmoniques niveaux;
    niveaux.AmpliMin.fill(-1000);
    niveaux.Ampli[0] = -1000;
    return niveaux;
}

const NiveauxHarmoniques& NiveauxHarmo(int voie)
{
    return Modele().niveauxHarmo(voie);
}

const std::optional<ChoixBoiteOutils>& BoiteOutilsPubliee()
{
    return Modele().boiteOutils();
}

bool OptionConnexionChoisie(int index)
{
    const std::optional<ChoixBoiteOutils>& choix = BoiteOutilsPubliee();
    return choix && index >= 0 && index < 18 && choix->options[size_t(index)];
}

std::optional<ReglagesGBF> ReglagesGenerateur(int voie)
{
    return Modele().reglagesGenerateur(voie);
}

double DecalageGBF(const ReglagesGBF& gbf)
{
    // The offset knob's middle is 0 V; its fine slider adds half a step.
    return gbf.allume ? (gbf.decalage + gbf.decalageFin / 2 - gbf.decalageMax / 2) / 10 : 0;
}

float RapportGBF(const ReglagesGBF& gbf)
{
    if (!gbf.allume)
        return 0;
    float rapport = std::clamp(float(gbf.rapport / 100 + gbf.rapportFin / 100), 0.0f, 1.0f);
    if (gbf.carre)
        rapport = std::clamp(rapport, 0.1f, 0.9f);
    return rapport;
}

bool MultimetreOuvert()
{
    const std::optional<ChoixBoiteOutils>& choix = BoiteOutilsPubliee();
    return choix && choix->multimetre;
}
