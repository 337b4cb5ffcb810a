#include "scope/CourbeWavix.h"

FormeOnde FormeDuMot(const QString& mot)
{
    const QString m = mot.toLower();
    if (m == QLatin1String("cc"))
        return FormeOnde::Continu;
    if (m == QLatin1String("sinus") || m == QStringLiteral("sinusoïdale"))
        return FormeOnde::Sinus;
    if (m == QLatin1String("carre") || m == QStringLiteral("carrée"))
        return FormeOnde::Carre;
    if (m == QLatin1String("triangle") || m == QLatin1String("triangulaire"))
        return FormeOnde::Triangle;
    if (m == QLatin1String("dyn"))
        return FormeOnde::Dyn;
    if (m == QLatin1String("harmo"))
        return FormeOnde::Harmo;
    return FormeOnde::Aucune;
}
