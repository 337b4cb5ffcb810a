#include "platform/Trash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A descriptor closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

// One folder of the trash in its parent, made (mode 0700) when missing and
// opened without following a link: it must be a folder of the user's own,
// that no other account may write into.
Fd dossierPropre(int parent, const QByteArray& nom, TrashResult::Status& pourquoi)
{
    if (mkdirat(parent, nom.constData(), 0700) != 0 && errno != EEXIST) {
        pourquoi = TrashResult::Unavailable;
        return Fd();
    }
    Fd fd(openat(parent, nom.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.ok()) {
        // A link (anyone's, leading anywhere) or a file in its place.
        const int erreur = errno;
        struct stat lien {};
        if (erreur == ELOOP
            || (fstatat(parent, nom.constData(), &lien, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(lien.st_mode)))
            pourquoi = TrashResult::Foreign;
        else
            pourquoi = erreur == ENOTDIR ? TrashResult::NotAFolder : TrashResult::Unavailable;
        return Fd();
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        pourquoi = TrashResult::Unavailable;
        return Fd();
    }
    if (info.st_uid != geteuid() || (info.st_mode & 022) != 0) {
        pourquoi = TrashResult::Foreign;
        return Fd();
    }
    return fd;
}

// The root of the disk the folder lies on: the highest folder above it on
// the same device.
QString racineDuDisque(const QString& dossier, dev_t disque)
{
    QString racine = dossier;
    while (racine != QLatin1String("/")) {
        const QString parent = QFileInfo(racine).absolutePath();
        struct stat info {};
        if (stat(QFile::encodeName(parent).constData(), &info) != 0 || info.st_dev != disque)
            break;
        racine = parent;
    }
    return racine;
}

// The trash folder for a file of that folder, opened, with its path.
Fd ouvrirCorbeille(const QString& dossier, dev_t disque, TrashResult& resultat)
{
    const QString donnees = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    struct stat info {};
    if (!donnees.isEmpty() && QDir().mkpath(donnees)
        && stat(QFile::encodeName(donnees).constData(), &info) == 0 && info.st_dev == disque) {
        resultat.trashFolder = donnees + QStringLiteral("/Trash");
        Fd base(::open(QFile::encodeName(donnees).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!base.ok()) {
            resultat.status = TrashResult::Unavailable;
            return Fd();
        }
        return dossierPropre(base.get(), "Trash", resultat.status);
    }

    // Another disk: its administrator's ".Trash" (sticky, not a link) holds
    // one folder per user; else the user's ".Trash-<uid>" at its root.
    const QString racine = racineDuDisque(dossier, disque);
    Fd haut(::open(QFile::encodeName(racine).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!haut.ok()) {
        resultat.status = TrashResult::Unavailable;
        return Fd();
    }
    const QByteArray uid = QByteArray::number(uint(geteuid()));
    Fd commune(openat(haut.get(), ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (commune.ok() && fstat(commune.get(), &info) == 0 && (info.st_mode & S_ISVTX) != 0) {
        resultat.trashFolder = racine + QStringLiteral("/.Trash/") + QString::fromLatin1(uid);
        return dossierPropre(commune.get(), uid, resultat.status);
    }
    resultat.trashFolder = racine + QStringLiteral("/.Trash-") + QString::fromLatin1(uid);
    return dossierPropre(haut.get(), ".Trash-" + uid, resultat.status);
}

// The name the file takes in files/: its own, or numbered when taken.
QString nomLibre(const QString& nom, int k)
{
    if (k == 0)
        return nom;
    const QFileInfo f(nom);
    const QString suffixe = f.suffix();
    return f.completeBaseName() + QLatin1Char('.') + QString::number(k + 1)
        + (suffixe.isEmpty() ? QString() : QLatin1Char('.') + suffixe);
}

bool ecrireTout(int fd, const QByteArray& octets)
{
    qsizetype fait = 0;
    while (fait < octets.size()) {
        const ssize_t n = ::write(fd, octets.constData() + fait, size_t(octets.size() - fait));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        fait += n;
    }
    return true;
}

} // namespace

TrashResult moveToOwnTrash(const QString& path)
{
    TrashResult resultat;
    const QString source = QFileInfo(path).absoluteFilePath();
    const QByteArray nomSource = QFile::encodeName(source);
    struct stat info {};
    if (lstat(nomSource.constData(), &info) != 0) {
        resultat.status = TrashResult::Missing;
        return resultat;
    }
    const QString dossier = QFileInfo(source).absolutePath();
    struct stat infoDossier {};
    if (stat(QFile::encodeName(dossier).constData(), &infoDossier) != 0) {
        resultat.status = TrashResult::Missing;
        return resultat;
    }

    resultat.status = TrashResult::Ok;
    const Fd corbeille = ouvrirCorbeille(dossier, infoDossier.st_dev, resultat);
    if (!corbeille.ok())
        return resultat;
    const Fd fichiers = dossierPropre(corbeille.get(), "files", resultat.status);
    if (!fichiers.ok())
        return resultat;
    const Fd infos = dossierPropre(corbeille.get(), "info", resultat.status);
    if (!infos.ok())
        return resultat;

    // The record the desktop restores from, made first under a name of its
    // own; the file then moves by a rename on its own disk.
    const QByteArray contenu = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(source, "/") + "\nDeletionDate="
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() + "\n";
    const QString nom = QFileInfo(source).fileName();
    for (int k = 0; k < 1000; ++k) {
        const QByteArray candidat = QFile::encodeName(nomLibre(nom, k));
        const QByteArray fiche = candidat + ".trashinfo";
        const Fd enregistrement(openat(infos.get(), fiche.constData(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!enregistrement.ok()) {
            if (errno == EEXIST)
                continue;
            resultat.status = TrashResult::Failed;
            return resultat;
        }
        struct stat deja {};
        if (fstatat(fichiers.get(), candidat.constData(), &deja, AT_SYMLINK_NOFOLLOW) == 0) {
            unlinkat(infos.get(), fiche.constData(), 0);
            continue;
        }
        if (!ecrireTout(enregistrement.get(), contenu) || fsync(enregistrement.get()) != 0
            || renameat(AT_FDCWD, nomSource.constData(), fichiers.get(), candidat.constData()) != 0) {
            const int erreur = errno;
            unlinkat(infos.get(), fiche.constData(), 0);
            resultat.status = erreur == EXDEV ? TrashResult::Unavailable
                : erreur == ENOENT            ? TrashResult::Missing
                                              : TrashResult::Failed;
            return resultat;
        }
        resultat.status = TrashResult::Ok;
        resultat.trashedPath = resultat.trashFolder + QStringLiteral("/files/") + QFile::decodeName(candidat);
        return resultat;
    }
    resultat.status = TrashResult::Failed;
    return resultat;
}
