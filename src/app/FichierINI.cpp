#include "app/FichierINI.h"

#include "platform/ProfileFile.h"
#include "platform/VbConversions.h"

#include <cmath>

QString LireINI(const QString& fichier, const QString& section, const QString& cle,
                const QString& defaut)
{
    const QString valeur = readProfileString(fichier, section, cle);
    return valeur.isEmpty() ? defaut : valeur;
}

void EcrireINI(const QString& fichier, const QString& section, const QString& cle,
               const QString& valeur)
{
    writeProfileString(fichier, section, cle, valeur);
}

QString LireINI(const QString& section, const QString& cle, const QString& defaut)
{
    return LireINI(CheminINI, section, cle, defaut);
}

void EcrireINI(const QString& section, const QString& cle, const QString& valeur)
{
    EcrireINI(CheminINI, section, cle, valeur);
}

int32_t LireEntierINI(const QString& section, const QString& cle, int32_t defaut, int32_t min,
                      int32_t max)
{
    const QString texte = LireINI(section, cle, QString());
    if (texte.isEmpty())
        return defaut;
    return parseBoundedInteger(texte, min, max).value_or(defaut);
}

int32_t LireCouleurINI(const QString& section, const QString& cle, int32_t defaut)
{
    return LireEntierINI(section, cle, defaut, 0, 0xFFFFFF);
}

double LireNombreINI(const QString& section, const QString& cle, double defaut)
{
    const QString texte = LireINI(section, cle, QString()).trimmed();
    bool ok = false;
    const double valeur = texte.toDouble(&ok);
    return ok && std::isfinite(valeur) ? valeur : defaut;
}
