#include "scope/SensibilitesAuto.h"

#include "services/ModeleBanc.h"

#include "services/RequetesBanc.h"
#include "platform/Forms.h"
#include "scope/CourbeWavix.h"
#include "scope/Potentiometre.h"
#include "scope/Signaux.h"
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

// How far from the centre a periodic source's trace reaches, volts: the wave
// runs from its offset - crete to its offset + crete, and an AC-coupled
// input takes its mean off (a square off 50 % has one of its own).
double excursionPeriodique(int voie, const EtatVoie& v, double crete)
{
    const double milieu =
        v.Decalage - ContinuBloque(voie, FormeDuMot(v.FormeSignal), v.Amplitude, v.RapportCyclique, v.Decalage);
    return std::abs(milieu) + crete;
}

// The same for a DC level. An AC-coupled input draws it on the centre line
// at any sensitivity; scaled for the level, it stays on the screen when the
// input goes back to DC.
double excursionContinue(double niveau)
{
    return std::abs(niveau);
}

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
        const EtatVoie& v = Banc().voies[size_t(voie)];
        for (const Branchement& b : kBranchements) {
            if (!OptionConnexionChoisie(voie == 0 ? b.optionA : b.optionB))
                continue;
            // Each channel is scaled for its own source alone, so that its
            // whole trace stays within the four divisions either side of
            // the centre.
            std::optional<double> excursion;
            bool cyclique = false;
            switch (b.genre) {
            case Genre::Generateur:
            case Genre::Secteur:
                excursion = excursionPeriodique(voie, v, std::abs(v.Amplitude));
                cyclique = true;
                break;
            // A negative speed turns the wave over: its peak's magnitude
            // sets the sensitivity.
            case Genre::Alternateur:
                excursion = excursionPeriodique(voie, v, CreteDyn() * std::abs(v.Amplitude));
                cyclique = true;
                break;
            case Genre::Alimentation: excursion = excursionContinue(v.Amplitude); break;
            case Genre::Pile: excursion = excursionContinue(b.volts); break;
            case Genre::Harmonique:
            case Genre::Aucune: break;
            }
            if (excursion)
                r.sensibilite[size_t(voie)] = PositionSensibilite(*excursion / 4);
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
    // The knobs' changes and the positions' are seen together, once.
    ModeleBanc::Lot lot(Modele());
    Scope().PositionHorizontale = 0;
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& v) { v.PositionVerticale = 0; });
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
}
