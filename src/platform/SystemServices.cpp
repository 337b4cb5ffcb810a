#include "platform/SystemServices.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QAudioDevice>
#include <QMimeDatabase>
#include <QProcess>
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

bool hasFixedPermissions(const QByteArray& type, const QByteArray& options)
{
    static const QByteArray kSansDroits[] = {"smbfs", "fuse.smbnetfs", "davfs", "fuse.davfs2", "vfat", "exfat"};
    for (const QByteArray& t : kSansDroits)
        if (type == t)
            return true;
    if (type != "cifs" && type != "smb3" && type != "smb2" && type != "smb")
        return false;
    // The server's owners and modes reach the client only through these.
    for (const QByteArray& option : options.split(','))
        if (option == "unix" || option == "posix" || option == "cifsacl" || option == "modefromsid")
            return false;
    return true;
}

namespace {

// The super-block options of the file system mounted at that point, from
// /proc/self/mountinfo ("... - type source options").
QByteArray mountOptions(const QString& mountPoint)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray point = QFile::encodeName(mountPoint);
    QByteArray trouvees;
    for (const QByteArray& ligne : table.readAll().split('\n')) {
        const QList<QByteArray> champs = ligne.split(' ');
        const qsizetype tiret = champs.indexOf("-");
        if (champs.size() <= 4)
            continue;
        // Blanks, tabs, line ends and backslashes in a path come as octal.
        QByteArray monte = champs[4];
        monte.replace("\\040", " ").replace("\\011", "\t").replace("\\012", "\n").replace("\\134", "\\");
        // The last mount at that point is the one seen.
        if (monte == point && tiret >= 0 && tiret + 3 < champs.size())
            trouvees = champs[tiret + 3];
    }
    return trouvees;
}

} // namespace

MountInfo probeMount(const QString& path)
{
    if (mountProbe())
        return mountProbe()(path);
    const QStorageInfo storage(path);
    MountInfo info;
    if (storage.isValid()) {
        info.network = isNetworkFileSystemType(storage.fileSystemType());
        info.mountPoint = storage.rootPath();
        info.fixedPermissions = hasFixedPermissions(storage.fileSystemType(), mountOptions(info.mountPoint));
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

bool isMemberOfGroup(gid_t group)
{
    if (getegid() == group)
        return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0)
        return false;
    QList<gid_t> groupes(n);
    const int lus = getgroups(n, groupes.data());
    return lus > 0 && groupes.mid(0, lus).contains(group);
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

std::function<bool(const QString&)>& webOpener()
{
    static std::function<bool(const QString&)> opener;
    return opener;
}

// The desktop entry the desktop chose for a type (xdg-mime), its file's path;
// empty with why when there is none.
QString defaultDesktopEntry(const QString& mimeType, QString* why)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForStarted(5000)) {
        if (why)
            *why = QStringLiteral("le programme xdg-mime (paquet xdg-utils) est introuvable");
        return QString();
    }
    QString entry;
    if (query.waitForFinished(5000) && query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0)
        entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    const QString desktop = entry.isEmpty()
        ? QString()
        : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    if (desktop.isEmpty() && why)
        *why = QStringLiteral("aucun programme n'est choisi pour ce type de fichier (%1)").arg(mimeType);
    return desktop;
}

// Started detached, without a shell.
bool startCommand(QStringList command, QString* why)
{
    const QString programme = command.takeFirst();
    if (QProcess::startDetached(programme, command))
        return true;
    if (why)
        *why = QStringLiteral("le programme %1 n'a pas pu être lancé").arg(programme);
    return false;
}

// The desktop's own choice of program for a type, started as its entry
// says. A desktop's "xdg-open" reports a failure only once the program it
// started has gone; this knows at once.
bool openWithDefaultApplication(const QString& target, const QString& mimeType, QString* why)
{
    const QString desktop = defaultDesktopEntry(mimeType, why);
    if (desktop.isEmpty())
        return false;
    QFile fiche(desktop);
    const QByteArray entry = fiche.open(QIODevice::ReadOnly) ? fiche.read(1 << 20) : QByteArray();
    const QStringList command = desktopEntryCommand(entry, QFileInfo(desktop).fileName(), target, why);
    return !command.isEmpty() && startCommand(command, why);
}

// Text editors with windows of their own, for a desktop whose chosen one
// needs a terminal that is not there.
const QStringList kGraphicalEditors = {
    QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),    QStringLiteral("kate"),
    QStringLiteral("kwrite"),            QStringLiteral("mousepad"), QStringLiteral("pluma"),
    QStringLiteral("xed"),               QStringLiteral("featherpad"), QStringLiteral("geany"),
    QStringLiteral("leafpad"),
};

} // namespace

QStringList inTerminal(const QStringList& command)
{
    // How each emulator is given a command and its arguments.
    struct Emulator {
        const char* name;
        const char* option; // before the command; "" for none
    };
    static const Emulator kEmulators[] = {
        {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"}, {"konsole", "-e"}, {"xfce4-terminal", "-x"},
        {"mate-terminal", "-x"},       {"terminator", "-x"},     {"kitty", ""},     {"alacritty", "-e"},
        {"urxvt", "-e"},               {"xterm", "-e"},
    };
    for (const Emulator& e : kEmulators) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(e.name));
        if (path.isEmpty())
            continue;
        QStringList wrapped{path};
        if (*e.option)
            wrapped << QString::fromLatin1(e.option);
        return wrapped + command;
    }
    return {};
}

QStringList desktopEntryCommand(const QByteArray& entry, const QString& entryName, const QString& target, QString* why)
{
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return QStringList();
    };
    QString exec;
    bool terminal = false;
    bool section = false;
    for (const QByteArray& raw : entry.split('\n')) {
        const QString ligne = QString::fromUtf8(raw).trimmed();
        if (ligne.startsWith(QLatin1Char('[')))
            section = ligne == QLatin1String("[Desktop Entry]");
        else if (section && exec.isEmpty() && ligne.startsWith(QLatin1String("Exec=")))
            exec = ligne.mid(5);
        else if (section && ligne.startsWith(QLatin1String("Terminal=")))
            terminal = ligne.mid(9).trimmed() == QLatin1String("true");
    }
    const QStringList args = QProcess::splitCommand(exec);
    if (args.isEmpty())
        return fail(QStringLiteral("le programme choisi (%1) ne dit pas comment le lancer").arg(entryName));
    bool place = false;
    QStringList command;
    for (const QString& a : args) {
        if (a == QLatin1String("%f") || a == QLatin1String("%F") || a == QLatin1String("%u") || a == QLatin1String("%U")) {
            command << target;
            place = true;
        } else if (a.size() == 2 && a.startsWith(QLatin1Char('%'))) {
            continue; // %i, %c, %k and the like
        } else {
            command << QString(a).replace(QStringLiteral("%%"), QStringLiteral("%"));
        }
    }
    if (!place)
        command << target;
    if (!terminal)
        return command;
    const QStringList wrapped = inTerminal(command);
    if (wrapped.isEmpty())
        return fail(QStringLiteral("le programme choisi (%1) s'ouvre dans un terminal, et aucun terminal n'est installé "
                                   "(x-terminal-emulator, gnome-terminal, konsole, xfce4-terminal, xterm…)")
                        .arg(command.first()));
    return wrapped;
}

bool openInTextEditor(const QString& path, QString* why)
{
    if (editorOpener())
        return editorOpener()(path);
    QString type = QMimeDatabase().mimeTypeForFile(path).name();
    if (!type.startsWith(QLatin1String("text/")))
        type = QStringLiteral("text/plain");
    QString reason;
    if (openWithDefaultApplication(path, type, &reason)
        || (type != QLatin1String("text/plain") && openWithDefaultApplication(path, QStringLiteral("text/plain"), &reason)))
        return true;
    // The desktop's choice cannot run here (none, or a terminal program
    // without a terminal): a text editor of its own window will do.
    if (const QString editor = firstInstalledProgram(kGraphicalEditors); !editor.isEmpty())
        return startCommand({editor, path}, why);
    if (why)
        *why = reason;
    return false;
}

void setTextEditorOpener(std::function<bool(const QString&)> opener)
{
    editorOpener() = std::move(opener);
}

bool openWebPage(const QString& address, QString* why)
{
    if (webOpener())
        return webOpener()(address);
    const QString schema = QUrl(address).scheme().isEmpty() ? QStringLiteral("https") : QUrl(address).scheme();
    return openWithDefaultApplication(address, QStringLiteral("x-scheme-handler/") + schema, why);
}

void setWebPageOpener(std::function<bool(const QString&)> opener)
{
    webOpener() = std::move(opener);
}

QString firstInstalledProgram(const QStringList& names)
{
    for (const QString& name : names)
        if (QString path = QStandardPaths::findExecutable(name); !path.isEmpty())
            return path;
    return {};
}

bool displayReachable(QString* why)
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(':'), 0, 0);
    if (!platform.isEmpty() && platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform != QLatin1String("xcb") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        if (why)
            *why = QString();
        return false;
    }
    const QString hote = display.section(QLatin1Char(':'), 0, 0);
    if (!hote.isEmpty() && hote != QLatin1String("unix"))
        return true;
    const QString numero = display.section(QLatin1Char(':'), 1).section(QLatin1Char('.'), 0, 0);
    if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + numero))
        return true;
    if (why)
        *why = display;
    return false;
}

