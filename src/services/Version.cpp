#include "services/Version.h"

#include "services/ModFonctions.h"

QString LegendeProgramme(bool libre)
{
    return QStringLiteral("Wavix v.") + VersionProgramme()
        + (libre ? QStringLiteral(" - Mode libre") : QStringLiteral(" - Mode évalué"));
}

QString VersionProgramme()
{
    return QStringLiteral("%1.%2").arg(kVersionMajeure).arg(kVersionMineure);
}

QString VersionPubliee(const QString& contenu)
{
    const qsizetype egal = contenu.indexOf(QLatin1Char('='));
    const QString apres = egal >= 0 ? contenu.mid(egal + 1) : contenu;
    return RecomposerLignes(apres.trimmed(), QString()).trimmed();
}

std::optional<NumeroVersion> LireNumeroVersion(const QString& versionPubliee)
{
    constexpr qsizetype kChiffresMax = 5;
    const qsizetype point = versionPubliee.indexOf(QLatin1Char('.'));
    if (point < 1 || point > kChiffresMax || versionPubliee.size() - point - 1 < 1
        || versionPubliee.size() - point - 1 > kChiffresMax)
        return std::nullopt;
    int nombres[2] = {0, 0};
    for (qsizetype i = 0; i < versionPubliee.size(); ++i) {
        if (i == point)
            continue;
        const char16_t c = versionPubliee[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        int& n = nombres[i > point ? 1 : 0];
        n = n * 10 + (c - u'0');
    }
    return NumeroVersion{nombres[0], nombres[1]};
}

bool EstPlusRecente(const QString& versionPubliee, int majeure, int mineure)
{
    const auto publiee = LireNumeroVersion(versionPubliee);
    if (!publiee)
        return false;
    return publiee->majeure > majeure || (publiee->majeure == majeure && publiee->mineure > mineure);
}
