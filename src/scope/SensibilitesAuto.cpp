#include "scope/SensibilitesAuto.h"

#include "services/RequetesBanc.h"
#include "platform/Forms.h"
#include "scope/CourbeWavix.h"
#include "scope/Potentiometre.h"
#include "services/Sensibilite.h"
#include "scope/frmWavix.h"

#include <algorithm>
#include <cmath>

namespace {

// The first position, from the finest setting up, whose bound holds the
// value; the coarsest position otherwise.
int premierePosition(double valeur, double (*reglage)(int), int derniere)
{
    if (valeur >= 0)
        for (int i = derniere; i > 0; --i)
            if (valeur <= reglage(i))
                return i;
    return 0;
}

enum class Genre { Aucune, Generateur, Alimentation, Pile, Secteur, Alternateur, Harmonique };

struct Branchement {
    int optionA, optionB; // the toolbox options of CH1 and CH2
    Genre genre;
    double volts;         // a battery's fixed peak
};

// In the order the channels are examined.
constexpr Branchement kBranchements[] = {
    {1, 10, Genre::Generateur, 0},  {2, 9, Genre::Alimentation, 0}, {3, 8, Genre::Pile, 1.5},
    {4, 7, Genre::Pile, 4.5},       {5, 6, Genre::Pile, 9},          {12, 13, Genre::Secteur, 0},
    {14, 15, Genre::Alternateur, 0}, {16, 17, Genre::Harmonique, 0},
};

} // namespace

int PositionSensibilite(double p)
{
    // The volts-per-division table is exact at these bounds: 0.5 V/div holds
    // a peak of 2 V.
    return premierePosition(p, SensibiliteParIndex, 13);
}

int PositionBaseTemps(double t)
{
    return premierePosition(t, BaseTempsParIndex, 17);
}

ReglageAuto CalculerReglageAuto()
{
    ReglageAuto r;
    double t = 0;
    bool periodique = false;
    for (int voie = 0; voie < 2; ++voie) {
        const EtatVoie& v = Voies[size_t(voie)];
        for (const Branchement& b : kBranchements) {
            if (!OptionConnexionChoisie(voie == 0 ? b.optionA : b.optionB))
                continue;
            // Each channel is scaled for its own source alone.
            std::optional<double> p;
            bool cyclique = false;
            switch (b.genre) {
            case Genre::Generateur:
            case Genre::Secteur: p = std::abs(v.Amplitude) / 4; cyclique = true; break;
            // A negative speed turns the wave over: its peak's magnitude
            // sets the sensitivity.
            case Genre::Alternateur: p = 1.5 * std::abs(v.Amplitude) / 4; cyclique = true; break;
            case Genre::Alimentation: p = std::abs(v.Amplitude) / 4; break;
            case Genre::Pile: p = b.volts / 4; break;
            case Genre::Harmonique:
            case Genre::Aucune: break;
            }
            if (p)
                r.sensibilite[size_t(voie)] = PositionSensibilite(*p);
            if (cyclique) {
                periodique = true;
                if (v.Frequence != 0)
                    t = std::max(t, 1 / (10 * std::abs(v.Frequence)));
            }
            break;
        }
    }
    if (periodique)
        r.baseTemps = PositionBaseTemps(t);
    return r;
}

void SensibilitesAutomatiques()
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
    PositionHorizontale = 0;
    PositionVerticaleA = 0;
    PositionVerticaleB = 0;
    // The position knobs show the centre they now stand for.
    for (int i = 2; i <= 4; ++i)
        s->setPotentioValue(i, s->potentioMax(i) / 2);
    const ReglageAuto r = CalculerReglageAuto();
    // Only the knobs whose setting is applied move.
    for (int voie = 0; voie < 2; ++voie) {
        if (const auto& position = r.sensibilite[size_t(voie)]) {
            s->setPotentioValue(6 + voie, float(*position));
            ReglerPotentiometre(1, 6 + voie);
        }
    }
    if (r.baseTemps) {
        s->setPotentioValue(5, float(*r.baseTemps));
        ReglerPotentiometre(1, 5);
    }
    ActualiserEcran();
}
