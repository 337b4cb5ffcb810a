#include "app/Dossiers.h"

#include "app/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/SystemServices.h"
#include "platform/TextCodec.h"
#include "platform/TextFiles.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    const QString path = QStandardPaths::writableLocation(location);
    // A fresh account may not have it yet.
    QDir().mkpath(path);
    return withoutTrailingSlash(path);
}

} // namespace

QString CheminDossierSpecial(int identifiant)
{
    QByteArray variable;
    QStandardPaths::StandardLocation location = QStandardPaths::DocumentsLocation;
    switch (identifiant) {
    case kDossierDonneesCommunes:
        variable = "WAVIX_COMMON_APPDATA";
        location = QStandardPaths::GenericDataLocation;
        break;
    case kDossierDocumentsCommuns:
        variable = "WAVIX_COMMON_DOCUMENTS";
        break;
    default:
        MsgBox(QStringLiteral("Le répertoire n'est laide pour ce système d'exploitation."));
        return userFolder(location);
    }
    const QString named = qEnvironmentVariable(variable.constData());
    if (named.isEmpty())
        return userFolder(location);
    if (!QFileInfo(named).isDir()) {
        if (!DossiersManquantsSignales.contains(named)) {
            DossiersManquantsSignales << named;
            MsgBox(QStringLiteral("Le répertoire n'existe pas."));
        }
        return userFolder(location);
    }
    return withoutTrailingSlash(QDir::cleanPath(named));
}

bool SousRacinePartagee(const QString& chemin)
{
    const QString cible = QDir::cleanPath(chemin);
    for (const char* variable : {"WAVIX_COMMON_APPDATA", "WAVIX_COMMON_DOCUMENTS"}) {
        const QString racine = qEnvironmentVariable(variable);
        if (racine.isEmpty())
            continue;
        const QString propre = QDir::cleanPath(racine);
        if (cible == propre || cible.startsWith(addTrailingSlash(propre)))
            return true;
    }
    return false;
}

bool CreerDossier(const QString& chemin)
{
    const QString cible = QDir::cleanPath(chemin);
    if (QFileInfo(cible).isDir())
        return true;
    // The levels to make, from the top.
    QStringList manquants;
    for (QString niveau = cible; !niveau.isEmpty() && !QFileInfo::exists(niveau);
         niveau = QFileInfo(niveau).path()) {
        manquants.prepend(niveau);
        if (niveau == QFileInfo(niveau).path())
            break;
    }
    const bool partage = SousRacinePartagee(cible);
    for (const QString& niveau : manquants) {
        if (!QDir().mkdir(niveau) && !QFileInfo(niveau).isDir())
            return false;
        // Writable by all, each account's files its own (sticky bit).
        if (partage)
            chmod(QFile::encodeName(niveau).constData(), 01777);
    }
    return QFileInfo(cible).isDir();
}

mode_t ModeFichierResultats(const QString& chemin, bool reseau)
{
    return !reseau && SousRacinePartagee(chemin) ? kModeFichierPartage : kModeFichierPrive;
}

QString addTrailingSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

DossierResultats GetResultsFolder(const QString& dossierProgramme)
{
    DossierResultats resultat;
    const MountInfo mount = probeMount(dossierProgramme);
    if (mount.network) {
        resultat.reseau = true;
        resultat.base = withoutTrailingSlash(mount.mountPoint);
        return resultat;
    }
    DossierDocumentsCommuns = addTrailingSlash(CheminDossierSpecial(kDossierDocumentsCommuns));
    resultat.base = DossierDocumentsCommuns + SousDossierProgramme;
    return resultat;
}

bool NomDepotValide(const QString& nom)
{
    const QString t = nom.trimmed();
    return !t.isEmpty() && t != QLatin1String(".") && t != QLatin1String("..")
        && !t.contains(QLatin1Char('/')) && !t.contains(QLatin1Char('\\'))
        && withoutControlCharacters(t) == t;
}

QString FichierResultatReseau(const QString& base, const QString& depot, const QString& user,
                              const QDateTime& moment)
{
    // Built piece by piece: a "%1" in a name is only text.
    const QDate d = moment.date();
    const QTime t = moment.time();
    const QString sep = QStringLiteral("_");
    return base + QLatin1Char('/') + depot.trimmed() + QStringLiteral("/QVT_") + user + sep
        + QString::number(d.day()) + sep + QString::number(d.month()) + sep + QString::number(d.year()) + sep
        + QString::number(t.hour()) + sep + QString::number(t.minute()) + QStringLiteral(".txt");
}

QString NomUtilisateur()
{
    return loginName().value_or(QStringLiteral("Inconnu"));
}
