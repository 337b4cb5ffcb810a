#include "platform/SystemServices.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QAudioDevice>
#include <QDesktopServices>
#include <QMediaDevices>
#include <QRandomGenerator>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <chrono>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<MountInfo(const QString&)>& mountProbe()
{
    static std::function<MountInfo(const QString&)> probe;
    return probe;
}

std::function<std::optional<QString>()>& loginSource()
{
    static std::function<std::optional<QString>()> source;
    return source;
}

std::function<std::optional<uid_t>(const QString&)>& ownerProbe()
{
    static std::function<std::optional<uid_t>(const QString&)> probe;
    return probe;
}

std::function<int64_t()>& perfClock()
{
    static std::function<int64_t()> clock;
    return clock;
}

std::function<double()>& randomSource()
{
    static std::function<double()> source;
    return source;
}

} // namespace

bool isNetworkFileSystemType(const QByteArray& type)
{
    static const QByteArray kTypes[] = {"nfs", "nfs4", "cifs", "smb", "smb2", "smb3", "smbfs",
                                        "fuse.sshfs", "sshfs", "9p", "afs", "ncpfs",
                                        "fuse.smbnetfs", "davfs", "fuse.davfs2", "glusterfs",
                                        "fuse.glusterfs", "ceph", "fuse.rclone"};
    for (const QByteArray& t : kTypes)
        if (type == t)
            return true;
    return false;
}

MountInfo probeMount(const QString& path)
{
    if (mountProbe())
        return mountProbe()(path);
    const QStorageInfo storage(path);
    MountInfo info;
    if (storage.isValid()) {
        info.network = isNetworkFileSystemType(storage.fileSystemType());
        info.mountPoint = storage.rootPath();
    }
    return info;
}

void setMountProbe(std::function<MountInfo(const QString&)> probe)
{
    mountProbe() = std::move(probe);
}

std::optional<uid_t> fileOwner(const QString& path)
{
    if (ownerProbe())
        return ownerProbe()(path);
    struct stat info {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return info.st_uid;
}

void setFileOwnerProbe(std::function<std::optional<uid_t>(const QString&)> probe)
{
    ownerProbe() = std::move(probe);
}

uid_t currentAccount()
{
    return geteuid();
}

QString accountName(uid_t account)
{
    if (const passwd* pw = getpwuid(account); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(account);
}

std::optional<QString> loginName()
{
    if (loginSource())
        return loginSource()();
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    const QByteArray user = qgetenv("USER");
    if (!user.isEmpty())
        return QString::fromLocal8Bit(user);
    return std::nullopt;
}

void setLoginNameSource(std::function<std::optional<QString>()> source)
{
    loginSource() = std::move(source);
}

int64_t perfCounterNow()
{
    if (perfClock())
        return perfClock()();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t perfCounterFrequency()
{
    return 1'000'000'000;
}

void setPerfCounterClock(std::function<int64_t()> clock)
{
    perfClock() = std::move(clock);
}

double randomUnit()
{
    return randomSource() ? randomSource()() : QRandomGenerator::global()->generateDouble();
}

void setRandomSource(std::function<double()> source)
{
    randomSource() = std::move(source);
}

namespace {

std::function<bool(const QString&)>& soundPlayer()
{
    static std::function<bool(const QString&)> player;
    return player;
}

} // namespace

void setSoundPlayer(std::function<bool(const QString&)> player)
{
    soundPlayer() = std::move(player);
}

bool playSoundFile(const QString& path)
{
    if (soundPlayer())
        return soundPlayer()(path);
    if (!QFileInfo::exists(path) || QMediaDevices::audioOutputs().isEmpty())
        return false;
    static QHash<QString, QSoundEffect*> effects;
    static QSoundEffect* playing = nullptr;
    QSoundEffect*& effect = effects[path];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (playing && playing != effect)
        playing->stop();
    effect->stop();
    effect->play();
    playing = effect;
    return effect->status() != QSoundEffect::Error;
}

namespace {

std::function<bool(const QString&)>& editorOpener()
{
    static std::function<bool(const QString&)> opener;
    return opener;
}

} // namespace

bool openInTextEditor(const QString& path)
{
    if (editorOpener())
        return editorOpener()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setTextEditorOpener(std::function<bool(const QString&)> opener)
{
    editorOpener() = std::move(opener);
}

QString firstInstalledProgram(const QStringList& names)
{
    for (const QString& name : names)
        if (QString path = QStandardPaths::findExecutable(name); !path.isEmpty())
            return path;
    return {};
}
