#include "app/Version.h"

#include "app/ModFonctions.h"

#include <optional>

namespace {

// The whole number at the start of the text, if any.
std::optional<qint64> leadingNumber(QStringView text)
{
    qint64 value = 0;
    qsizetype i = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9') && i < 15; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    if (i == 0)
        return std::nullopt;
    return value;
}

} // namespace

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

bool EstPlusRecente(const QString& versionPubliee, int majeure, int mineure)
{
    const qsizetype point = versionPubliee.indexOf(QLatin1Char('.'));
    const auto maj = leadingNumber(QStringView(versionPubliee).left(point >= 0 ? point : versionPubliee.size()));
    if (!maj)
        return false;
    const qint64 min = point >= 0 ? leadingNumber(QStringView(versionPubliee).mid(point + 1)).value_or(0) : 0;
    return *maj > majeure || (*maj == majeure && min > mineure);
}
