#include "platform/TextFiles.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cerrno>
#include <memory>
#include <chrono>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kPetitFichier = 1 << 20;

FileWriter& writerSlot()
{
    static FileWriter writer;
    return writer;
}

ssize_t writeSome(int fd, const char* data, size_t size)
{
    const FileWriter& writer = writerSlot();
    return writer ? writer(fd, data, size) : ::write(fd, data, size);
}

FileStatus statusOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return FileStatus::Missing;
    case ELOOP:   // O_NOFOLLOW met a link
    case EMLINK:
    case EISDIR:
    case ENXIO:   // a FIFO without reader, a device without its driver
    case ENODEV: return FileStatus::NotRegular;
    default: return FileStatus::Failed;
    }
}

// The descriptor when it is a regular file, in blocking mode again.
int keepIfRegular(int fd, FileStatus& status)
{
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        status = FileStatus::NotRegular;
        ::close(fd);
        return -1;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags != -1)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    status = FileStatus::Ok;
    return fd;
}

bool writeAll(int fd, const char* data, size_t size, size_t& written)
{
    written = 0;
    while (written < size) {
        const ssize_t n = writeSome(fd, data + written, size - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += size_t(n);
    }
    return true;
}

// The open file has no name left: deleted, alone or with its folder. A
// network share keeps a deleted file that is still open under a hidden
// ".nfs..." name.
bool deletedWhileOpen(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return false;
    if (info.st_nlink == 0)
        return true;
    char lien[4096];
    const QByteArray entree = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t n = readlink(entree.constData(), lien, sizeof lien - 1);
    if (n <= 0)
        return false;
    const QByteArray chemin(lien, n);
    return chemin.mid(chemin.lastIndexOf('/') + 1).startsWith(".nfs");
}

// The lines in Windows-1252, CR LF after each.
QByteArray windows1252Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encodeWindows1252(line) + "\r\n";
    return bytes;
}

// The whole of an open file from its start, up to maxBytes.
FileStatus readDescriptor(int fd, QByteArray& bytes, qint64 maxBytes)
{
    FileStatus status = FileStatus::Ok;
    QByteArray lu;
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > maxBytes)
        status = FileStatus::TooLarge;
    off_t offset = 0;
    // The file may grow while it is read: never more than the cap.
    while (status == FileStatus::Ok) {
        char buffer[16384];
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            status = FileStatus::Failed;
        if (n <= 0)
            break;
        offset += n;
        lu.append(buffer, n);
        if (lu.size() > maxBytes)
            status = FileStatus::TooLarge;
    }
    if (status == FileStatus::Ok)
        bytes = std::move(lu);
    return status;
}

bool sameFile(int fd, const QByteArray& name)
{
    struct stat opened {}, named {};
    return fstat(fd, &opened) == 0 && lstat(name.constData(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

} // namespace

QString frenchReason(FileStatus status, qint64 maxBytes)
{
    switch (status) {
    case FileStatus::Ok: return QString();
    case FileStatus::Missing: return QStringLiteral("est introuvable");
    case FileStatus::NotRegular:
        return QStringLiteral("n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique)");
    case FileStatus::TooLarge:
        return maxBytes >= (1 << 20) ? QStringLiteral("est trop volumineux (plus de %1 Mo)").arg(maxBytes >> 20)
                                     : QStringLiteral("est trop volumineux (plus de %1 ko)").arg(maxBytes >> 10);
    case FileStatus::Taken: return QStringLiteral("est déjà pris par un fichier d'un autre compte");
    case FileStatus::Failed: break;
    }
    return QStringLiteral("ne peut pas être lu ou écrit");
}

int openRegularFile(const QString& path, bool append, mode_t createMode, FileStatus& status)
{
    const QByteArray name = QFile::encodeName(path);
    constexpr int kSur = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    if (!append) {
        const int fd = ::open(name.constData(), O_RDONLY | kSur);
        if (fd < 0) {
            status = statusOfErrno(errno);
            return -1;
        }
        return keepIfRegular(fd, status);
    }
    // A new file is made here (O_EXCL never follows a link) and gets its
    // mode whatever the umask; an existing one is only opened.
    int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | kSur, createMode);
    if (fd >= 0) {
        fchmod(fd, createMode); // a share that keeps no modes refuses it
        return keepIfRegular(fd, status);
    }
    if (errno != EEXIST) {
        status = statusOfErrno(errno);
        return -1;
    }
    fd = ::open(name.constData(), O_WRONLY | O_APPEND | kSur);
    if (fd < 0) {
        status = statusOfErrno(errno);
        return -1;
    }
    return keepIfRegular(fd, status);
}

FileStatus readFileBytes(const QString& path, QByteArray& bytes, qint64 maxBytes)
{
    FileStatus status = FileStatus::Ok;
    const int fd = openRegularFile(path, false, 0, status);
    if (fd < 0)
        return status;
    status = readDescriptor(fd, bytes, maxBytes);
    ::close(fd);
    return status;
}

FileStatus readTextFile(const QString& path, QString& text, qint64 maxBytes)
{
    QByteArray bytes;
    const FileStatus status = readFileBytes(path, bytes, maxBytes);
    if (status == FileStatus::Ok)
        text = decodeText(bytes);
    return status;
}

bool readTextFile(const QString& path, QString& text)
{
    return readTextFile(path, text, kPetitFichier) == FileStatus::Ok;
}

QStringList splitLines(const QString& text)
{
    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = body.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

FileStatus replaceFileBytes(const QString& path, const QByteArray& bytes, mode_t mode, mode_t atMost)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (lstat(name.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return FileStatus::NotRegular;
        mode = info.st_mode & 07777 & atMost; // the file keeps the rights it has
    } else if (errno != ENOENT) {
        return statusOfErrno(errno);
    }

    QByteArray temporaire = name + ".XXXXXX";
    const int fd = mkostemp(temporaire.data(), O_CLOEXEC);
    if (fd < 0)
        return statusOfErrno(errno);
    size_t written = 0;
    bool ok = writeAll(fd, bytes.constData(), size_t(bytes.size()), written) && fsync(fd) == 0;
    fchmod(fd, mode);
    ok = ::close(fd) == 0 && ok;
    // rename replaces the name itself: a link planted meanwhile is replaced,
    // never followed.
    if (ok && ::rename(temporaire.constData(), name.constData()) == 0)
        return FileStatus::Ok;
    const int error = errno;
    ::unlink(temporaire.constData());
    return ok ? statusOfErrno(error) : FileStatus::Failed;
}

bool writeTextFile(const QString& path, const QStringList& lines)
{
    return replaceFileBytes(path, windows1252Lines(lines)) == FileStatus::Ok;
}

QString writeViewCopy(const QString& text, const QString& baseName)
{
    // Made at the first copy, removed with its copies at the program's end;
    // made again when it has gone (a cleaner of the temporary folder) or the
    // temporary folder is another one now.
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder || !QFileInfo(folder->path()).isDir() || QFileInfo(folder->path()).path() != QDir::tempPath())
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/wavix-vues-XXXXXX"));
    if (!folder->isValid())
        return QString();
    QTemporaryFile copy(folder->path() + QLatin1Char('/') + baseName + QStringLiteral("-XXXXXX.txt"));
    copy.setAutoRemove(false);
    const QByteArray bytes = text.toUtf8();
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) {
        copy.remove();
        return QString();
    }
    copy.setPermissions(QFileDevice::ReadOwner);
    copy.close();
    return copy.fileName();
}

FileStatus truncateRegularFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return statusOfErrno(errno);
    FileStatus status = FileStatus::Ok;
    if (keepIfRegular(fd, status) < 0)
        return status;
    const bool ok = ftruncate(fd, 0) == 0;
    return ::close(fd) == 0 && ok ? FileStatus::Ok : FileStatus::Failed;
}

bool AppendingTextFile::open(const QString& path, mode_t createMode, AppendOpening how)
{
    close();
    failed_ = false;
    gone_ = false;
    path_ = path;
    if (how == AppendOpening::CreateOrAppend) {
        fd_ = openRegularFile(path, true, createMode, status_);
        return fd_ >= 0;
    }
    const QByteArray name = QFile::encodeName(path);
    constexpr int kSur = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | kSur, createMode);
    if (fd >= 0) {
        fchmod(fd, createMode);
        fd_ = keepIfRegular(fd, status_);
        return fd_ >= 0;
    }
    if (errno != EEXIST) {
        status_ = statusOfErrno(errno);
        return false;
    }
    status_ = FileStatus::Taken;
    if (how == AppendOpening::CreateOnly)
        return false;
    // Whatever else is there (another account's file, a link, a FIFO) is
    // not this account's to write.
    fd = ::open(name.constData(), O_WRONLY | O_APPEND | kSur);
    if (fd < 0)
        return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
        ::close(fd);
        return false;
    }
    fd_ = keepIfRegular(fd, status_);
    return fd_ >= 0;
}

bool AppendingTextFile::writeLines(const QStringList& lines)
{
    if (fd_ < 0)
        return false;
    if (deletedWhileOpen(fd_)) {
        close();
        failed_ = true;
        gone_ = true;
        return false;
    }
    const QByteArray bytes = windows1252Lines(lines);
    size_t written = 0;
    if (writeAll(fd_, bytes.constData(), size_t(bytes.size()), written) && fdatasync(fd_) == 0)
        return true;

    // Back to the last whole record: after an append the offset is the end
    // of what this write put there, unless another program appended since.
    const off_t fin = lseek(fd_, 0, SEEK_CUR);
    struct stat info {};
    if (fin >= 0 && fstat(fd_, &info) == 0 && info.st_size == fin)
        ftruncate(fd_, fin - off_t(written));
    close();
    failed_ = true;
    return false;
}

LockedRegularFile::~LockedRegularFile()
{
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

FileStatus LockedRegularFile::open(const QString& path, mode_t createMode)
{
    const QByteArray name = QFile::encodeName(path);
    constexpr int kSur = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    // Long enough for any write of the account; a lock held longer is
    // someone else's doing, and the write does not wait for it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (;;) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        locked_ = false;
        bool writable = true;
        int fd = ::open(name.constData(), O_RDWR | kSur);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | kSur, createMode);
            if (fd < 0 && errno == EEXIST)
                continue; // made by another writer meanwhile
            if (fd >= 0)
                fchmod(fd, createMode);
        }
        if (fd < 0 && errno == EACCES) {
            writable = false;
            fd = ::open(name.constData(), O_RDONLY | kSur);
        }
        if (fd < 0)
            return statusOfErrno(errno);
        FileStatus status = FileStatus::Ok;
        fd_ = keepIfRegular(fd, status);
        if (fd_ < 0)
            return status;
        if (!writable)
            return FileStatus::Ok;

        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        int result;
        while ((result = fcntl(fd_, F_OFD_SETLK, &lock)) != 0 && (errno == EAGAIN || errno == EACCES || errno == EINTR)
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (result != 0)
            return FileStatus::Ok; // not lockable here: written unlocked
        locked_ = true;
        // Another writer may have renamed a new file over this one while
        // this one waited: that new file is the one to lock.
        if (sameFile(fd_, name))
            return FileStatus::Ok;
        if (std::chrono::steady_clock::now() >= deadline)
            return FileStatus::Ok;
    }
}

FileStatus LockedRegularFile::readAll(QByteArray& bytes, qint64 maxBytes)
{
    if (fd_ < 0)
        return FileStatus::Failed;
    return readDescriptor(fd_, bytes, maxBytes);
}

void removeLeftoverTemporaries(const QString& path)
{
    const QFileInfo file(path);
    const QByteArray folder = QFile::encodeName(file.absolutePath());
    const QByteArray prefix = QFile::encodeName(file.fileName()) + '.';
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return;
    const uid_t me = geteuid();
    while (const dirent* entry = readdir(dir)) {
        const QByteArray entryName(entry->d_name);
        // mkostemp's six letters or digits after the name and a dot.
        if (entryName.size() != prefix.size() + 6 || !entryName.startsWith(prefix))
            continue;
        bool temporary = true;
        for (qsizetype i = prefix.size(); i < entryName.size(); ++i)
            temporary = temporary
                && ((entryName[i] >= 'a' && entryName[i] <= 'z') || (entryName[i] >= 'A' && entryName[i] <= 'Z')
                    || (entryName[i] >= '0' && entryName[i] <= '9'));
        struct stat info {};
        if (temporary && fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode) && info.st_uid == me)
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

void AppendingTextFile::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void setFileWriter(FileWriter writer)
{
    writerSlot() = std::move(writer);
}
