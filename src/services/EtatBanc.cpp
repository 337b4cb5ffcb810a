#include "services/EtatBanc.h"

namespace {

// The word in lower case and without accents, so that "Carrée", "carree" and
// "CARRÉ" are one word.
QString motSimple(const QString& mot)
{
    const QString m = mot.toLower();
    bool ascii = true;
    for (QChar c : m)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return m;
    QString simple;
    for (QChar c : m.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            simple += c;
    return simple;
}

} // namespace

FormeOnde FormeDuMot(const QString& mot)
{
    const QString m = motSimple(mot);
    if (m == QLatin1String("cc"))
        return FormeOnde::Continu;
    if (m == QLatin1String("sinus") || m == QLatin1String("sinusoidale"))
        return FormeOnde::Sinus;
    if (m == QLatin1String("carre") || m == QLatin1String("carree"))
        return FormeOnde::Carre;
    if (m == QLatin1String("triangle") || m == QLatin1String("triangulaire"))
        return FormeOnde::Triangle;
    if (m == QLatin1String("dyn"))
        return FormeOnde::Dyn;
    if (m == QLatin1String("harmo"))
        return FormeOnde::Harmo;
    return FormeOnde::Aucune;
}
