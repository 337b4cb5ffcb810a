#include "services/PanneauScope.h"

#include "services/FichierINI.h"
#include "platform/VbConversions.h"

namespace {

constexpr double kBasesTemps[kNombreBasesTemps] = {
    0.5,   0.2,    0.1,    0.05,    0.02,    0.01,     0.005,    0.002,    0.001,
    0.0005, 0.0002, 0.0001, 0.00005, 0.00002, 0.00001, 0.000005, 0.000002, 0.000001};
constexpr double kSensibilites[kNombreSensibilites] = {100, 50, 20, 10, 5, 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005};

QString section()
{
    return QStringLiteral("Interface");
}

} // namespace

double BaseTempsParIndex(int index)
{
    return index >= 0 && index < kNombreBasesTemps ? kBasesTemps[index] : 0;
}

double SensibiliteParIndex(int index)
{
    return index >= 0 && index < kNombreSensibilites ? kSensibilites[index] : 0;
}

void EcrireReglagePanneau(const PanneauScope& p, ReglagePanneau reglage)
{
    switch (reglage) {
    case ReglagePanneau::Mode: EcrireINI(section(), QStringLiteral("Mode voie"), Str(int(p.mode))); break;
    case ReglagePanneau::InverseCH2:
        EcrireINI(section(), QStringLiteral("Mode voie -CH2"), p.inverseCH2 ? QStringLiteral("1") : QStringLiteral("0"));
        break;
    // The file numbers the six coupling lamps together: CH2's are 3 to 5.
    case ReglagePanneau::CouplageCH1: EcrireINI(section(), QStringLiteral("ACDC CH1"), Str(int(p.couplage[0]))); break;
    case ReglagePanneau::CouplageCH2:
        EcrireINI(section(), QStringLiteral("ACDC CH2"), Str(int(p.couplage[1]) + 3));
        break;
    }
}

PanneauScope LireReglagesPanneau(PanneauScope p)
{
    p.mode = ModeVoies(LireEntierINI(section(), QStringLiteral("Mode voie"), 2, 0, 4));
    p.inverseCH2 = LireEntierINI(section(), QStringLiteral("Mode voie -CH2"), 0, 0, 1) != 0;
    p.couplage[0] = Couplage(LireEntierINI(section(), QStringLiteral("ACDC CH1"), 0, 0, 2));
    p.couplage[1] = Couplage(LireEntierINI(section(), QStringLiteral("ACDC CH2"), 3, 3, 5) - 3);
    return p;
}
