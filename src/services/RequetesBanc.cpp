#include "services/RequetesBanc.h"

NiveauxHarmoniques NiveauxHarmoAuChargement()
{
    NiveauxHarmoniques niveaux;
    niveaux.AmpliMin.fill(-1000);
    niveaux.Ampli[0] = -1000;
    return niveaux;
}

NiveauxHarmoniques& NiveauxHarmo(int voie)
{
    static std::array<NiveauxHarmoniques, 2> niveaux = {NiveauxHarmoAuChargement(), NiveauxHarmoAuChargement()};
    return niveaux[voie == 1 ? 1 : 0];
}

std::optional<ChoixBoiteOutils>& BoiteOutilsPubliee()
{
    static std::optional<ChoixBoiteOutils> choix;
    return choix;
}

bool OptionConnexionChoisie(int index)
{
    const std::optional<ChoixBoiteOutils>& choix = BoiteOutilsPubliee();
    return choix && index >= 0 && index < 18 && choix->options[size_t(index)];
}

std::optional<ReglagesGBF>& ReglagesPublies(int voie)
{
    static std::array<std::optional<ReglagesGBF>, 2> reglages;
    return reglages[voie == 0 ? 0 : 1];
}

std::optional<ReglagesGBF> ReglagesGenerateur(int voie)
{
    return ReglagesPublies(voie);
}

bool MultimetreOuvert()
{
    const std::optional<ChoixBoiteOutils>& choix = BoiteOutilsPubliee();
    return choix && choix->multimetre;
}
