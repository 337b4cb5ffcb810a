#include "PetitDisque.h"

#include "platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace {

bool executer(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

PetitDisque::PetitDisque(const QString& dossier, qint64 taille) : dossier_(dossier), reste_(taille)
{
    QDir().mkpath(dossier);
    // WAVIX_PETIT_DISQUE=ecrivain tries the failing writer where root could mount.
    if (geteuid() == 0 && qEnvironmentVariable("WAVIX_PETIT_DISQUE") != QLatin1String("ecrivain"))
        monte_ = executer(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                    QStringLiteral("size=%1,mode=0777").arg(taille),
                                                    QStringLiteral("tmpfs"), dossier});
    qInfo("Petit disque : %s", monte_ ? "tmpfs monté" : "écritures qui échouent sur commande");
    if (monte_)
        return;
    // Only the files of that folder: the settings file, elsewhere, has room.
    const QByteArray prefixe = QFile::encodeName(QDir(dossier).canonicalPath()) + '/';
    setFileWriter([this, prefixe](int fd, const char* data, size_t size) -> ssize_t {
        char lien[4096];
        const QByteArray entree = "/proc/self/fd/" + QByteArray::number(fd);
        const ssize_t n = readlink(entree.constData(), lien, sizeof lien - 1);
        if (libre_ || n <= 0 || !QByteArray(lien, n).startsWith(prefixe))
            return ::write(fd, data, size);
        const size_t permis = size_t(std::min<qint64>(qint64(size), reste_));
        if (permis == 0) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t ecrits = ::write(fd, data, permis);
        if (ecrits > 0)
            reste_ -= ecrits;
        return ecrits;
    });
}

PetitDisque::~PetitDisque()
{
    if (monte_)
        executer(QStringLiteral("umount"), {QStringLiteral("-l"), dossier_});
    else
        setFileWriter(nullptr);
}

void PetitDisque::liberer()
{
    if (monte_)
        executer(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,size=16m"), dossier_});
    libre_ = true;
}
