#include "services/Dossiers.h"

#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/SystemServices.h"
#include "platform/TextCodec.h"
#include "platform/TextFiles.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

const QString kCrLf = QStringLiteral("\r\n");

// One folder of a shared root, from lstat's view (never through a link).
ConstatDossierPartage verifierNiveau(const QString& niveau, bool dernier)
{
    ConstatDossierPartage constat;
    constat.niveau = niveau;
    struct stat info {};
    if (lstat(QFile::encodeName(niveau).constData(), &info) != 0) {
        constat.etat = errno == ENOENT ? EtatDossierPartage::Manquant : EtatDossierPartage::PasUnDossier;
        return constat;
    }
    if (!S_ISDIR(info.st_mode)) {
        constat.etat = EtatDossierPartage::PasUnDossier;
        return constat;
    }
    const std::optional<uid_t> proprietaire = fileOwner(niveau);
    if (!proprietaire) {
        constat.etat = EtatDossierPartage::Manquant;
        return constat;
    }
    if (*proprietaire != 0 && *proprietaire != currentAccount()) {
        constat.etat = EtatDossierPartage::AutreCompte;
        constat.proprietaire = *proprietaire;
        return constat;
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) && !(info.st_mode & S_ISVTX)) {
        constat.etat = EtatDossierPartage::NonProtege;
        return constat;
    }
    if (dernier && access(QFile::encodeName(niveau).constData(), W_OK | X_OK) != 0)
        constat.etat = EtatDossierPartage::NonInscriptible;
    return constat;
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

ConstatDossierPartage VerifierDossierPartage(const QString& racine)
{
    // The root is the administrator's choice and may be a link; what lies
    // below it is looked at as it is.
    const QString reelle = QFileInfo(racine).canonicalFilePath();
    if (reelle.isEmpty())
        return ConstatDossierPartage{EtatDossierPartage::Manquant, racine, 0};
    ConstatDossierPartage constat = verifierNiveau(reelle, false);
    if (constat.etat != EtatDossierPartage::Pret) {
        constat.niveau = withoutTrailingSlash(QDir::cleanPath(racine));
        return constat;
    }
    QString niveau = reelle;
    const QStringList niveaux = SousDossierProgramme.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < niveaux.size(); ++i) {
        niveau += QLatin1Char('/') + niveaux[i];
        constat = verifierNiveau(niveau, i == niveaux.size() - 1);
        if (constat.etat != EtatDossierPartage::Pret) {
            // Named under the root as the user knows it.
            constat.niveau = withoutTrailingSlash(QDir::cleanPath(racine)) + niveau.mid(reelle.size());
            return constat;
        }
    }
    return constat;
}

QString CommandePreparation(const QString& racine)
{
    return QStringLiteral("sudo wavix-preparer-salle \"") + withoutTrailingSlash(QDir::cleanPath(racine))
        + QLatin1Char('"');
}

QString MessageDossierPartage(const ConstatDossierPartage& constat, const QString& racine,
                              const QString& personnel)
{
    QString raison;
    switch (constat.etat) {
    case EtatDossierPartage::Pret: return QString();
    case EtatDossierPartage::Manquant: raison = QStringLiteral("Ce dossier n'existe pas."); break;
    case EtatDossierPartage::PasUnDossier:
        raison = QStringLiteral("Ce nom n'est pas un dossier (c'est un lien ou un fichier).");
        break;
    case EtatDossierPartage::AutreCompte:
        raison = QStringLiteral("Ce dossier appartient au compte ") + accountName(constat.proprietaire)
            + QStringLiteral(", qui pourrait supprimer ou remplacer les fichiers des autres.");
        break;
    case EtatDossierPartage::NonProtege:
        raison = QStringLiteral("Tous peuvent y écrire sans le bit « sticky » : chacun pourrait supprimer "
                                "les fichiers des autres.");
        break;
    case EtatDossierPartage::NonInscriptible:
        raison = QStringLiteral("Votre compte ne peut pas y écrire.");
        break;
    }
    return QStringLiteral("Le dossier partagé de la classe n'est pas prêt :") + kCrLf + constat.niveau + kCrLf
        + raison + kCrLf + kCrLf
        + QStringLiteral("L'administrateur de l'ordinateur le prépare avec la commande (voir le fichier README de Wavix) :")
        + kCrLf + CommandePreparation(racine) + kCrLf + kCrLf
        + QStringLiteral("En attendant, Wavix travaille dans votre dossier personnel :") + kCrLf
        + addTrailingSlash(personnel) + SousDossierProgramme;
}

QString DossierPersonnel(int identifiant)
{
    return userFolder(identifiant == kDossierDonneesCommunes ? QStandardPaths::GenericDataLocation
                                                             : QStandardPaths::DocumentsLocation);
}

QString RacineDeTravail(int identifiant)
{
    const QString racine = CheminDossierSpecial(identifiant);
    if (!SousRacinePartagee(racine))
        return addTrailingSlash(racine);
    const ConstatDossierPartage constat = VerifierDossierPartage(racine);
    if (constat.etat == EtatDossierPartage::Pret)
        return addTrailingSlash(racine);
    const QString personnel = DossierPersonnel(identifiant);
    if (!DossiersPartagesSignales.contains(racine)) {
        DossiersPartagesSignales << racine;
        MsgBox(MessageDossierPartage(constat, racine, personnel), vb::Exclamation,
               QStringLiteral("Wavix - Dossiers partagés"));
    }
    return addTrailingSlash(personnel);
}

bool CreerDossier(const QString& chemin)
{
    const QString cible = QDir::cleanPath(chemin);
    if (QFileInfo(cible).isDir() || SousRacinePartagee(cible))
        return QFileInfo(cible).isDir();
    return QDir().mkpath(cible) && QFileInfo(cible).isDir();
}

bool ReglagesDuCompte(const QString& chemin)
{
    const QByteArray nom = QFile::encodeName(chemin);
    const int fd = ::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kModeFichierPrive);
    if (fd >= 0) {
        fchmod(fd, kModeFichierPrive);
        ::close(fd);
        return true;
    }
    struct stat info {};
    if (lstat(nom.constData(), &info) != 0)
        return true; // the folder refuses it: the first write says so
    return S_ISREG(info.st_mode) && fileOwner(chemin) == currentAccount();
}

QString MessageReglagesPlantes(const QString& plante, const QString& personnel)
{
    return QStringLiteral("Le fichier des réglages suivant n'est pas celui de votre compte :") + kCrLf + plante + kCrLf
        + QStringLiteral("Il n'est pas lu : vos réglages sont enregistrés dans votre dossier personnel :") + kCrLf
        + personnel
        + kCrLf + kCrLf
        + QStringLiteral("Demandez à l'administrateur de l'ordinateur de supprimer ce fichier.");
}

bool PreparerMarqueMotDePasse(const QString& dossierDepot)
{
    const QByteArray nom = QFile::encodeName(addTrailingSlash(dossierDepot) + QStringLiteral("MotDePasse.txt"));
    struct stat info {};
    if (lstat(nom.constData(), &info) == 0)
        return true;
    const int fd = ::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kModeFichierPartage);
    if (fd < 0)
        return errno == EEXIST;
    fchmod(fd, kModeFichierPartage);
    ::close(fd);
    return true;
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
    DossierDocumentsCommuns = RacineDeTravail(kDossierDocumentsCommuns);
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
