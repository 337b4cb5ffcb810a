#include "app/Dossiers.h"

#include "app/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/SystemServices.h"

#include <QDir>
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
        MsgBox(QStringLiteral("Le répertoire n'existe pas."));
        return userFolder(location);
    }
    return withoutTrailingSlash(QDir::cleanPath(named));
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
        && !t.contains(QLatin1Char('/')) && !t.contains(QLatin1Char('\\'));
}

QString FichierResultatReseau(const QString& base, const QString& depot, const QString& user,
                              const QDateTime& moment)
{
    const QDate d = moment.date();
    const QTime t = moment.time();
    return QStringLiteral("%1/%2/QVT_%3_%4_%5_%6_%7_%8.txt")
        .arg(base, depot.trimmed(), user)
        .arg(d.day())
        .arg(d.month())
        .arg(d.year())
        .arg(t.hour())
        .arg(t.minute());
}

QString NomUtilisateur()
{
    return loginName().value_or(QStringLiteral("Inconnu"));
}
