#include "services/FichierINI.h"

#include "platform/Dialogs.h"
#include "platform/ProfileFile.h"
#include "platform/VbConversions.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// Once in the run: the settings would be lost, or ignored, without a word.
void signalerProblemeINI(const QString& fichier, FileStatus etat, bool lecture)
{
    if (fichier.isEmpty() || Session().ProblemeINISignale)
        return;
    Session().ProblemeINISignale = true;
    QString texte = QStringLiteral("Le fichier des réglages ");
    if (etat == FileStatus::NotRegular || etat == FileStatus::TooLarge)
        texte += frenchReason(etat, kTailleMaxProfil) + QStringLiteral(" :\r\n") + fichier + QStringLiteral("\r\n")
            + (lecture ? QStringLiteral("Les réglages par défaut sont utilisés ; ")
                       : QString())
            + QStringLiteral("les changements de réglages de cette séance seront perdus.");
    else
        texte += QStringLiteral("ne peut pas être enregistré :\r\n") + fichier
            + QStringLiteral("\r\nLes changements de réglages de cette séance seront perdus.");
    MsgBox(texte, vb::Exclamation, QStringLiteral("Wavix - Réglages"));
}

} // namespace

QString LireINI(const QString& fichier, const QString& section, const QString& cle,
                const QString& defaut)
{
    FileStatus etat = FileStatus::Ok;
    const QString valeur = readProfileString(fichier, section, cle, &etat);
    if (etat == FileStatus::NotRegular || etat == FileStatus::TooLarge)
        signalerProblemeINI(fichier, etat, true);
    return valeur.isEmpty() ? defaut : valeur;
}

void EcrireINI(const QString& fichier, const QString& section, const QString& cle,
               const QString& valeur)
{
    FileStatus etat = FileStatus::Ok;
    if (!writeProfileString(fichier, section, cle, valeur, &etat))
        signalerProblemeINI(fichier, etat, false);
}

QString LireINI(const QString& section, const QString& cle, const QString& defaut)
{
    return LireINI(Session().CheminINI, section, cle, defaut);
}

void EcrireINI(const QString& section, const QString& cle, const QString& valeur)
{
    EcrireINI(Session().CheminINI, section, cle, valeur);
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

int32_t LirePreferenceINI(const QString& section, const QString& cle, int32_t defaut, int32_t min,
                          int32_t max)
{
    const QString texte = LireINI(section, cle, QString());
    // Val reads 0 from a text without a number: that is no value at all.
    static const QRegularExpression debutNombre(
        QStringLiteral("^\\s*[+-]?\\s*([0-9]|\\.\\s*[0-9]|&[HhOo][0-9A-Fa-f])"));
    if (!debutNombre.match(texte).hasMatch())
        return defaut;
    const std::optional<int32_t> valeur = roundHalfEvenToInt32(Val(texte));
    return valeur && *valeur >= min && *valeur <= max ? *valeur : defaut;
}
