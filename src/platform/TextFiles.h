#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

// Files of the program's folders, which may be shared by every account of a
// classroom: a file is opened only when it is a regular file, never through a
// symbolic link (a FIFO or a device is refused without blocking), reads stop
// at a size cap that fits the kind of file, and files created here get their
// mode whatever the umask.

enum class FileStatus {
    Ok,
    Missing,    // no such file, or its folder is missing
    NotRegular, // a link, a folder, a FIFO or a device
    TooLarge,   // beyond the cap given for its kind
    Taken,      // the name holds a file this opening may not take
    Failed,     // any other failure (rights, disk)
};

// Why a file was refused, in French, for a message that names the file
// first ("Le fichier ... " + reason): "est trop volumineux (plus de 4 Mo)".
QString frenchReason(FileStatus status, qint64 maxBytes);

// Modes of the files the program creates.
constexpr mode_t kModeFichierPrive = 0644;   // one account's own file, readable by all
constexpr mode_t kModeFichierPartage = 0666; // a file every account writes
constexpr mode_t kModeFichierDepose = 0640;  // an account's file for the folder's group alone
// An account's settings: nobody else can open them, so nobody else can lock
// them and stall their owner's writes.
constexpr mode_t kModeReglages = 0600;

// Opens path for reading, or for appending (created with createMode when
// missing), under the rules above. Returns the descriptor, or -1 with the
// reason in status.
int openRegularFile(const QString& path, bool append, mode_t createMode, FileStatus& status);

// The whole file, up to maxBytes.
FileStatus readFileBytes(const QString& path, QByteArray& bytes, qint64 maxBytes);
// The same decoded: UTF-8 when valid, else Windows-1252.
FileStatus readTextFile(const QString& path, QString& text, qint64 maxBytes);
// A small text file (1 MiB at most); false when it cannot be read.
bool readTextFile(const QString& path, QString& text);

// Lines of a text file, CR LF or LF separated; a final line end gives no
// extra empty line.
QStringList splitLines(const QString& text);

// Replaces the file atomically with the bytes (a temporary file in the same
// folder renamed over it, so a crash never leaves half a file). A link or
// any other non-regular file at that name is left alone and the write fails.
// A new file gets the mode given; an existing one keeps its rights, less
// those outside atMost.
FileStatus replaceFileBytes(const QString& path, const QByteArray& bytes, mode_t mode = kModeFichierPrive,
                            mode_t atMost = 07777);
// Writes the lines in Windows-1252 with CR LF after each, replacing the file
// atomically. Returns false when the file cannot be written.
bool writeTextFile(const QString& path, const QStringList& lines);

// A regular file held open and locked for one read-modify-write, so that
// the programs of one account writing it at the same moment each keep the
// other's changes. The file itself is locked (an open-file-description
// lock, which needs the file open for writing: another account that may only
// read it cannot take it), never a lock file another account could plant.
// A missing file is created empty with createMode; a file renamed over while
// waiting is locked again under its new identity. Where the file cannot be
// locked (no right to write it, a file system without locks, a lock held
// for seconds) it is still opened, unlocked, so that the write goes on.
class LockedRegularFile {
public:
    LockedRegularFile() = default;
    ~LockedRegularFile();
    LockedRegularFile(const LockedRegularFile&) = delete;
    LockedRegularFile& operator=(const LockedRegularFile&) = delete;

    FileStatus open(const QString& path, mode_t createMode);
    // The file's bytes as they are now, up to maxBytes.
    FileStatus readAll(QByteArray& bytes, qint64 maxBytes);
    bool locked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};

// Removes what writes of the file cut short by a kill left behind: the
// temporary files "<name>.XXXXXX" of replaceFileBytes that belong to this
// account. Called while the file is locked, when no write of the account is
// under way; other accounts' files are left alone.
void removeLeftoverTemporaries(const QString& path);

// A read-only copy of a text to be looked at in an editor: UTF-8, readable
// by its owner alone, named after baseName, in a folder of this run's own
// (0700) that goes, with every copy in it, when the program ends. Its path;
// empty when it cannot be written.
QString writeViewCopy(const QString& text, const QString& baseName);

// Empties a regular file in place; a link is never followed.
FileStatus truncateRegularFile(const QString& path);

// A text file held open for appending. Each record (one or several lines in
// Windows-1252, CR LF after each) is written whole and synced to the disk at
// once, so a crash loses nothing already written. A write that fails or is
// partial (a full disk, a quota, a share gone away) cuts the file back to
// where that record began and closes it: nothing of it reaches the file
// later. A file deleted since it was opened (by itself or with its folder)
// takes no more records: the write fails and the file is closed; one only
// renamed or moved goes on.
// What an opening for appending may take at the name.
enum class AppendOpening {
    CreateOrAppend, // a new file, or the regular file found there
    CreateOnly,     // only a file this opening creates: any other is Taken
    CreateOrOwn,    // a new file, or a regular file of this account's own
};

class AppendingTextFile {
public:
    AppendingTextFile() = default;
    ~AppendingTextFile() { close(); }
    AppendingTextFile(const AppendingTextFile&) = delete;
    AppendingTextFile& operator=(const AppendingTextFile&) = delete;

    // A new file gets createMode whatever the umask (and, in a set-group-id
    // folder, the folder's group). False with the reason in status().
    bool open(const QString& path, mode_t createMode = kModeFichierPrive,
              AppendOpening how = AppendOpening::CreateOrAppend);
    FileStatus status() const { return status_; }
    bool isOpen() const { return fd_ >= 0; }
    QString path() const { return isOpen() ? path_ : QString(); }
    bool writeLines(const QStringList& lines);
    bool writeLine(const QString& line) { return writeLines({line}); }
    void close();
    // A write failed since the last open (the file was closed then).
    bool failed() const { return failed_; }
    // That failure was the file's deletion.
    bool gone() const { return gone_; }

private:
    int fd_ = -1;
    QString path_;
    FileStatus status_ = FileStatus::Ok;
    bool failed_ = false;
    bool gone_ = false;
};

// The write call the appending files use (::write by default); tests put a
// device that fails on command in its place. Null restores ::write.
using FileWriter = std::function<ssize_t(int fd, const char* data, size_t size)>;
void setFileWriter(FileWriter writer);
