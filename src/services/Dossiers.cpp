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
#include <QRandomGenerator>
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
        if (!Session().DossiersManquantsSignales.contains(named)) {
            Session().DossiersManquantsSignales << named;
            // Which folder, who names it, and what prepares it.
            ConstatDossierPartage manquant;
            manquant.etat = EtatDossierPartage::Manquant;
            manquant.niveau = named + QStringLiteral(" (nommé par la variable ") + QString::fromLatin1(variable)
                + QLatin1Char(')');
            MsgBox(MessageDossierPartage(manquant, userFolder(location)), vb::Exclamation,
                   QStringLiteral("Wavix - Dossiers partagés"));
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

namespace {

// The root itself, then, below it, one level after the other as lstat sees
// them; the levels are named under the root as the user knows it.
struct Niveaux {
    QString racine;  // as named
    QString reelle;  // with its links resolved
    QString nomme(const QString& niveau) const
    {
        return withoutTrailingSlash(QDir::cleanPath(racine)) + niveau.mid(reelle.size());
    }
};

struct stat etatLien(const QString& chemin, bool& existe)
{
    struct stat info {};
    existe = lstat(QFile::encodeName(chemin).constData(), &info) == 0;
    return info;
}

// The documents' levels below Brelmar, in the classroom's layout.
ConstatDossierPartage verifierDocuments(const Niveaux& n, const QString& brelmar)
{
    ConstatDossierPartage constat;
    const QString wavix = brelmar + QStringLiteral("/Wavix");
    bool existe = false;
    struct stat info = etatLien(brelmar, existe);
    // Only the administrator may have chosen who owns Brelmar/Wavix.
    if (fileOwner(brelmar) != uid_t(0))
        return ConstatDossierPartage{EtatDossierPartage::AutreCompte, n.nomme(brelmar),
                                     fileOwner(brelmar).value_or(0), 0};
    const bool brelmarFerme = !(info.st_mode & (S_IWGRP | S_IWOTH));
    constat = verifierNiveau(wavix, false);
    if (constat.etat == EtatDossierPartage::AutreCompte)
        constat.etat = EtatDossierPartage::Pret; // the teacher's, checked below
    if (constat.etat != EtatDossierPartage::Pret && constat.etat != EtatDossierPartage::NonProtege) {
        constat.niveau = n.nomme(wavix);
        return constat;
    }
    info = etatLien(wavix, existe);
    const uid_t professeur = fileOwner(wavix).value_or(0);
    // Root's (the older preparation, open to all), or where someone else may
    // write: the teacher's layout is not there yet.
    if (professeur == 0 || !brelmarFerme || (info.st_mode & (S_IWGRP | S_IWOTH)))
        return ConstatDossierPartage{EtatDossierPartage::SansProfesseur, n.nomme(wavix), 0, 0};

    const QString depot = wavix + QLatin1Char('/') + kDossierDepotClasse;
    constat = ConstatDossierPartage{};
    constat.niveau = n.nomme(depot);
    info = etatLien(depot, existe);
    if (!existe)
        constat.etat = errno == ENOENT ? EtatDossierPartage::Manquant : EtatDossierPartage::PasUnDossier;
    else if (!S_ISDIR(info.st_mode))
        constat.etat = EtatDossierPartage::PasUnDossier;
    else if (fileOwner(depot) != professeur) {
        constat.etat = EtatDossierPartage::AutreCompte;
        constat.proprietaire = fileOwner(depot).value_or(0);
    } else if ((info.st_mode & 07777) != 03733)
        constat.etat = EtatDossierPartage::DepotNonProtege;
    else if (access(QFile::encodeName(depot).constData(), W_OK | X_OK) != 0)
        constat.etat = EtatDossierPartage::NonInscriptible;
    if (constat.etat == EtatDossierPartage::Pret)
        constat.professeur = professeur;
    return constat;
}

} // namespace

ConstatDossierPartage VerifierDossierPartage(const QString& racine, int identifiant)
{
    // The root is the administrator's choice and may be a link; what lies
    // below it is looked at as it is.
    const Niveaux n{racine, QFileInfo(racine).canonicalFilePath()};
    if (n.reelle.isEmpty())
        return ConstatDossierPartage{EtatDossierPartage::Manquant, racine, 0, 0};
    ConstatDossierPartage constat = verifierNiveau(n.reelle, false);
    if (constat.etat != EtatDossierPartage::Pret) {
        constat.niveau = withoutTrailingSlash(QDir::cleanPath(racine));
        return constat;
    }
    QString niveau = n.reelle;
    const QStringList niveaux = Session().SousDossierProgramme.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < niveaux.size(); ++i) {
        niveau += QLatin1Char('/') + niveaux[i];
        if (identifiant == kDossierDocumentsCommuns && i == niveaux.size() - 1)
            return verifierDocuments(n, QFileInfo(niveau).path());
        constat = verifierNiveau(niveau, i == niveaux.size() - 1);
        if (constat.etat != EtatDossierPartage::Pret) {
            constat.niveau = n.nomme(niveau);
            return constat;
        }
    }
    return constat;
}

QString CommandePreparation(const QString& professeur, const QString& options)
{
    auto racine = [](const char* variable, const char* aDefaut) {
        const QString nommee = qEnvironmentVariable(variable);
        return nommee.isEmpty() ? QString::fromUtf8(aDefaut)
                                : QLatin1Char('"') + withoutTrailingSlash(QDir::cleanPath(nommee)) + QLatin1Char('"');
    };
    return QStringLiteral("sudo wavix-preparer-salle --professeur ")
        + (professeur.isEmpty() ? QStringLiteral("<compte du professeur>") : professeur) + QLatin1Char(' ')
        + (options.isEmpty() ? QString() : options + QLatin1Char(' '))
        + racine("WAVIX_COMMON_APPDATA", "<dossier des réglages>") + QLatin1Char(' ')
        + racine("WAVIX_COMMON_DOCUMENTS", "<dossier des documents>");
}

std::optional<SalleDeClasse> SalleDeClasseActuelle()
{
    const QString documents = qEnvironmentVariable("WAVIX_COMMON_DOCUMENTS");
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        return std::nullopt;
    const ConstatDossierPartage constat = VerifierDossierPartage(documents, kDossierDocumentsCommuns);
    if (constat.etat != EtatDossierPartage::Pret)
        return std::nullopt;
    SalleDeClasse salle;
    salle.professeur = constat.professeur;
    salle.depot = withoutTrailingSlash(QDir::cleanPath(documents)) + QLatin1Char('/') + Session().SousDossierProgramme
        + QLatin1Char('/') + kDossierDepotClasse;
    const QString donnees = qEnvironmentVariable("WAVIX_COMMON_APPDATA");
    if (!donnees.isEmpty() && QFileInfo(donnees).isDir())
        salle.motDePasse = withoutTrailingSlash(QDir::cleanPath(donnees)) + QLatin1Char('/') + Session().SousDossierProgramme
            + QLatin1Char('/') + kDossierProfesseur + QLatin1Char('/') + kFichierMotDePasseClasse;
    return salle;
}

QString MessageDossierPartage(const ConstatDossierPartage& constat, const QString& personnel)
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
    case EtatDossierPartage::SansProfesseur:
        raison = QStringLiteral("Il n'a pas été préparé avec le compte du professeur : les exercices et les réponses "
                                "des élèves n'y seraient pas protégés.");
        break;
    case EtatDossierPartage::DepotNonProtege:
        raison = QStringLiteral("Ses droits ne sont pas ceux du dépôt des réponses (3733 : chaque compte y dépose ses "
                                "réponses, seul le professeur peut les lire).");
        break;
    }
    return QStringLiteral("Le dossier partagé de la classe n'est pas prêt :") + kCrLf + constat.niveau + kCrLf
        + raison + kCrLf + kCrLf
        + QStringLiteral("L'administrateur de l'ordinateur le prépare avec la commande (voir le fichier README de Wavix) :")
        + kCrLf + CommandePreparation() + kCrLf + kCrLf
        + QStringLiteral("En attendant, Wavix travaille dans votre dossier personnel :") + kCrLf
        + addTrailingSlash(personnel) + Session().SousDossierProgramme;
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
    const ConstatDossierPartage constat = VerifierDossierPartage(racine, identifiant);
    if (constat.etat == EtatDossierPartage::Pret)
        return addTrailingSlash(racine);
    const QString personnel = DossierPersonnel(identifiant);
    if (!Session().DossiersPartagesSignales.contains(racine)) {
        Session().DossiersPartagesSignales << racine;
        MsgBox(MessageDossierPartage(constat, personnel), vb::Exclamation,
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

QString MessageDossierImpossible(const QString& chemin)
{
    // From the root down: a level that is there but no folder stands in the
    // way; else the last folder there refuses the next level.
    QString niveau, dernier = QStringLiteral("/"), raison;
    for (const QString& nom : QDir::cleanPath(chemin).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        niveau += QLatin1Char('/') + nom;
        const QFileInfo info(niveau);
        if (!info.exists() && !info.isSymLink())
            break;
        if (!info.isDir()) {
            raison = QStringLiteral("« ") + niveau
                + QStringLiteral(" » n'est pas un dossier (c'est un fichier ou un lien) : renommez-le ou déplacez-le.");
            break;
        }
        dernier = niveau;
    }
    if (raison.isEmpty())
        raison = QStringLiteral("Votre compte ne peut pas écrire dans « ") + dernier
            + QStringLiteral(" » : l'administrateur de l'ordinateur peut vous en donner le droit.");
    return QStringLiteral("Wavix ne peut pas créer son dossier de travail :") + kCrLf + withoutTrailingSlash(chemin)
        + kCrLf + raison + kCrLf + kCrLf + QStringLiteral("Ce dossier est pris dans votre dossier personnel (")
        + QDir::homePath()
        + QStringLiteral("), qui doit exister et où votre compte doit pouvoir écrire ; une classe peut aussi nommer "
                         "un dossier partagé avec la variable WAVIX_COMMON_DOCUMENTS. Relancez ensuite Wavix.");
}

bool ReglagesDuCompte(const QString& chemin)
{
    const QByteArray nom = QFile::encodeName(chemin);
    const int fd = ::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kModeReglages);
    if (fd >= 0) {
        fchmod(fd, kModeReglages);
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

QString OuvrirFichierResultats(const QString& chemin, mode_t mode, bool siensRepris)
{
    AppendingTextFile& fichier = FichierResultatOuvert();
    const AppendOpening comment = siensRepris ? AppendOpening::CreateOrOwn : AppendOpening::CreateOnly;
    const QFileInfo nom(chemin);
    const QString debut = nom.path() + QLatin1Char('/') + nom.completeBaseName() + QLatin1Char('_');
    const QString suffixe = nom.suffix().isEmpty() ? QString() : QLatin1Char('.') + nom.suffix();
    // Each name a classmate can foresee, then names nobody can.
    QStringList noms{chemin};
    for (int i = 2; i <= 9; ++i)
        noms << debut + QString::number(i) + suffixe;
    for (int essai = 0; essai < 64; ++essai) {
        if (essai < noms.size()) {
            if (fichier.open(noms[essai], mode, comment))
                return noms[essai];
        } else {
            static const char kSignes[] = "abcdefghijklmnopqrstuvwxyz0123456789";
            QString hasard;
            for (int k = 0; k < 10; ++k)
                hasard += QLatin1Char(kSignes[QRandomGenerator::system()->bounded(int(sizeof kSignes - 1))]);
            const QString autre = debut + hasard + suffixe;
            if (fichier.open(autre, mode, comment))
                return autre;
        }
        if (fichier.status() != FileStatus::Taken)
            return QString();
    }
    return QString();
}

mode_t ModeFichierDepot(const QString& dossier)
{
    struct stat info {};
    if (stat(QFile::encodeName(dossier).constData(), &info) == 0 && (info.st_mode & S_ISGID)
        && fileOwner(dossier) != currentAccount() && !isMemberOfGroup(info.st_gid))
        return kModeFichierDepose;
    return kModeFichierPrive;
}

QString MessageDepotReseau(const QString& dossier)
{
    const MountInfo montage = probeMount(dossier);
    if (montage.fixedPermissions)
        return QStringLiteral("Wavix ne peut pas vérifier les droits du dossier de dépôt des réponses :") + kCrLf
            + dossier + kCrLf
            + QStringLiteral("Le partage réseau est monté avec des droits fixes : ceux que Wavix voit ne sont pas "
                             "ceux du serveur.")
            + kCrLf + kCrLf
            + QStringLiteral("Le professeur s'assure sur le serveur que chaque élève peut y déposer ses réponses sans "
                             "lire, modifier ni supprimer celles des autres.");
    struct stat info {};
    if (stat(QFile::encodeName(dossier).constData(), &info) != 0 || !(info.st_mode & (S_IWGRP | S_IWOTH))
        || (info.st_mode & S_ISVTX))
        return QString();
    return QStringLiteral("Le dossier de dépôt des réponses n'est pas protégé :") + kCrLf + dossier + kCrLf
        + QStringLiteral("D'autres comptes peuvent y écrire sans le bit « sticky » : chacun pourrait supprimer, "
                         "remplacer ou réécrire les réponses des autres.")
        + kCrLf + kCrLf + QStringLiteral("Le professeur le protège avec la commande :") + kCrLf
        + ((info.st_mode & S_ISGID) ? QStringLiteral("chmod 3733 \"") : QStringLiteral("chmod 1733 \"")) + dossier
        + QLatin1Char('"');
}

QString NomFichierResultat(const QString& user, const QDateTime& moment)
{
    // Built piece by piece: a "%1" in a name is only text.
    const QDate d = moment.date();
    const QTime t = moment.time();
    const QString sep = QStringLiteral("_");
    return QStringLiteral("QVT_") + user + sep + QString::number(d.day()) + sep + QString::number(d.month()) + sep
        + QString::number(d.year()) + sep + QString::number(t.hour()) + sep + QString::number(t.minute())
        + QStringLiteral(".txt");
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
    Session().DossierDocumentsCommuns = RacineDeTravail(kDossierDocumentsCommuns);
    resultat.base = Session().DossierDocumentsCommuns + Session().SousDossierProgramme;
    if (SousRacinePartagee(Session().DossierDocumentsCommuns))
        if (const std::optional<SalleDeClasse> salle = SalleDeClasseActuelle()) {
            resultat.depotClasse = salle->depot;
            resultat.professeur = salle->professeur;
        }
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
    return base + QLatin1Char('/') + depot.trimmed() + QLatin1Char('/') + NomFichierResultat(user, moment);
}

QString NomUtilisateur()
{
    return loginName().value_or(QStringLiteral("Inconnu"));
}
