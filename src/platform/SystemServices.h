#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

#include <sys/types.h>

// The file system a folder lies on, as the program sees it.
struct MountInfo {
    bool network = false;  // nfs, cifs, smb, sshfs, ...
    QString mountPoint;    // the root of that file system
    // Its owners and modes are fixed by the mount (a CIFS share without the
    // Unix or POSIX extensions), not the server's: they guard nothing here.
    bool fixedPermissions = false;
};

// Where a path lies. Tests state a mount with setMountProbe; nullptr
// restores the probe of the real file systems.
MountInfo probeMount(const QString& path);
void setMountProbe(std::function<MountInfo(const QString&)> probe);
bool isNetworkFileSystemType(const QByteArray& type);
// A file system of that type, mounted with those options (as /proc/mounts
// gives them, separated by commas), shows modes fixed by the mount.
bool hasFixedPermissions(const QByteArray& type, const QByteArray& options);

// The login name of the process's user; std::nullopt when there is none.
std::optional<QString> loginName();
void setLoginNameSource(std::function<std::optional<QString>()> source);

// The account that owns the path itself (a link is not followed), and the
// account the program runs as. Tests state owners of their own with
// setFileOwnerProbe (std::nullopt for a path that does not exist); nullptr
// restores the file system's.
std::optional<uid_t> fileOwner(const QString& path);
void setFileOwnerProbe(std::function<std::optional<uid_t>(const QString&)> probe);
uid_t currentAccount();
// The account the program runs as belongs to that group.
bool isMemberOfGroup(gid_t group);
// The login name of an account, else its number.
QString accountName(uid_t account);

// Monotonic 64-bit ticks and their frequency (ticks per second).
int64_t perfCounterNow();
int64_t perfCounterFrequency();
// Tests drive time with a clock of their own; nullptr restores the real one.
void setPerfCounterClock(std::function<int64_t()> clock);

// A uniform random number in [0, 1), for the values an instrument starts
// with. Tests draw from a source of their own; nullptr restores the system's.
double randomUnit();
void setRandomSource(std::function<double()> source);

// Plays a sound file in the background, cutting the one that plays; false
// when it cannot be played (missing file, no audio output).
bool playSoundFile(const QString& path);
// Tests listen with a player of their own; nullptr restores the real one.
void setSoundPlayer(std::function<bool(const QString&)> player);

// Opens a text file in the desktop's editor, without a shell: in a terminal
// emulator when its desktop entry asks for one (a terminal editor such as
// vim), else, when that editor cannot run, in a text editor with a window of
// its own. False when no program took it, with why in French in `why` (no
// program set for text files, a terminal editor and no terminal, or the
// program could not start). Tests state their own opener; nullptr restores
// the desktop's.
bool openInTextEditor(const QString& path, QString* why = nullptr);
void setTextEditorOpener(std::function<bool(const QString&)> opener);
// Opens a web address in the desktop's browser, the same way.
bool openWebPage(const QString& address, QString* why = nullptr);
void setWebPageOpener(std::function<bool(const QString&)> opener);

// What a desktop entry (the text of its .desktop file, named entryName)
// starts for a file or address, without a shell: its Exec line with the
// target in place of its field codes (or after them), inside a terminal
// emulator when the entry says Terminal=true. Empty, with why in French,
// when it cannot be started here.
QStringList desktopEntryCommand(const QByteArray& entry, const QString& entryName, const QString& target,
                                QString* why = nullptr);
// The command run in a window of the first installed terminal emulator
// (Debian's x-terminal-emulator first), each given it its own way; empty
// when none is installed.
QStringList inTerminal(const QStringList& command);

// The first of the programs named that is installed (found on PATH), with
// its full path; empty when none is.
QString firstInstalledProgram(const QStringList& names);

// Whether the desktop's display server can be reached before the windowing
// system starts (Qt aborts when it cannot): a platform other than X11 or
// Wayland always can; an X display on this machine (":0", "unix:0.1")
// when its socket exists; one on another machine is taken as reachable.
// `why` names the display that cannot be reached.
bool displayReachable(QString* why = nullptr);

