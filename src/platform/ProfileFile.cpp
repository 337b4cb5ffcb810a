#include "platform/ProfileFile.h"

#include "platform/TextCodec.h"
#include "platform/TextFiles.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <optional>

#include <sys/stat.h>

// The file is handled line by line, as Windows does, so that a write changes
// one line and leaves every other line (comments, blank lines, keys that the
// program does not know, characters of any code page) byte for byte as it
// found them.

namespace {

constexpr int kMaxValueLength = 254;
// A settings file holds a few dozen keys; beyond this it is not one.

bool sameName(const QString& left, const QString& right)
{
    // Case folding for every script: "Réseau" and "RÉSEAU" are one section.
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

// The name of the section a "[name]" line opens.
std::optional<QString> sectionOf(const QString& line)
{
    const QString text = line.trimmed();
    if (!text.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return text.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line; comment lines (';') hold no key.
std::optional<QString> keyOf(const QString& line)
{
    const QString text = line.trimmed();
    if (text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    return text.left(equals).trimmed();
}

QString valueOf(const QString& line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

// One line as the file holds it, and its text.
struct Line {
    QByteArray content; // without its line end
    QByteArray end;     // "\r\n", "\n", or nothing for a last line without one
    QString text;
};

struct Place {
    qsizetype section = -1; // line of the section's header
    qsizetype end = 0;      // first line after the section
    qsizetype key = -1;     // line of the key within the section
};

// The first section of that name and the first key of that name in it.
Place find(const QList<Line>& lines, const QString& section, const QString& key)
{
    Place place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i].text);
        if (name && sameName(*name, section)) {
            place.section = i;
            break;
        }
    }
    if (place.section < 0)
        return place;
    place.end = place.section + 1;
    while (place.end < lines.size() && !sectionOf(lines[place.end].text)) {
        const auto name = keyOf(lines[place.end].text);
        if (place.key < 0 && name && sameName(*name, key))
            place.key = place.end;
        ++place.end;
    }
    return place;
}

QList<Line> parse(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', start);
        Line line;
        if (lf < 0) {
            line.content = bytes.mid(start);
            start = bytes.size();
        } else {
            const bool cr = lf > start && bytes[lf - 1] == '\r';
            line.content = bytes.mid(start, lf - start - (cr ? 1 : 0));
            line.end = cr ? QByteArray("\r\n") : QByteArray("\n");
            start = lf + 1;
        }
        // Each line in its own code page: a line another editor wrote in
        // UTF-8 reads right beside the program's Windows-1252 lines.
        const bool ascii = std::all_of(line.content.cbegin(), line.content.cend(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        line.text = ascii ? QString::fromLatin1(line.content) : decodeText(line.content);
        lines << line;
    }
    return lines;
}

// A line in Windows-1252 when it can be, else in UTF-8 (never as "?").
QByteArray encodeLine(const QString& text)
{
    const QByteArray windows = encodeWindows1252(text);
    return decodeWindows1252(windows) == text ? windows : text.toUtf8();
}

// What identifies one state of the file on disk.
struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified {};
    timespec changed {};
    bool operator==(const Stamp& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec
            && modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec
            && changed.tv_nsec == o.changed.tv_nsec;
    }
};

std::optional<Stamp> stampOf(const QString& path)
{
    struct stat info {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

// The files already read, kept while the file on disk stays the same: a
// refresh reads many keys without going back to the disk, and a write by
// another program of the account (a new file, a new size or time) is seen
// at the next read.
struct Cached {
    Stamp stamp;
    QList<Line> lines;
};
QHash<QString, Cached>& cache()
{
    static QHash<QString, Cached> files;
    return files;
}

// The lines of the file, or no value when it cannot be read; a missing file
// has no line.
std::optional<QList<Line>> load(const QString& path, FileStatus& status)
{
    const auto stamp = stampOf(path);
    if (!stamp) {
        cache().remove(path);
        status = FileStatus::Missing;
        return QList<Line>();
    }
    const auto hit = cache().constFind(path);
    if (hit != cache().constEnd() && hit->stamp == *stamp) {
        status = FileStatus::Ok;
        return hit->lines;
    }
    QByteArray bytes;
    status = readFileBytes(path, bytes, kTailleMaxProfil);
    if (status == FileStatus::Missing)
        return QList<Line>();
    if (status != FileStatus::Ok) {
        cache().remove(path);
        return std::nullopt;
    }
    QList<Line> lines = parse(bytes);
    // Stamped as it was before the read: a change made during the read is
    // read again next time.
    cache().insert(path, Cached{*stamp, lines});
    return lines;
}

} // namespace

QString readProfileString(const QString& file, const QString& section, const QString& key, FileStatus* status)
{
    FileStatus lu = FileStatus::Ok;
    const auto lines = load(file, lu);
    if (status)
        *status = lu;
    if (!lines)
        return QString();
    const Place place = find(*lines, section, key);
    if (place.key < 0)
        return QString();
    return valueOf(lines->at(place.key).text).left(kMaxValueLength);
}

bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value, FileStatus* status)
{
    // Read, changed and replaced under the file's lock: a write of another
    // program of the account lands before or after this one, never lost.
    LockedRegularFile locked;
    FileStatus lu = locked.open(file, kModeReglages);
    QByteArray current;
    if (lu == FileStatus::Ok) {
        removeLeftoverTemporaries(file);
        lu = locked.readAll(current, kTailleMaxProfil);
    }
    if (status)
        *status = lu;
    if (lu != FileStatus::Ok) {
        cache().remove(file);
        return false;
    }
    QList<Line> lines = parse(current);

    auto lineOf = [](const QString& text) {
        Line line;
        line.content = encodeLine(text);
        line.end = "\r\n";
        line.text = text;
        return line;
    };
    const QString cleanSection = withoutControlCharacters(section);
    const QString cleanKey = withoutControlCharacters(key);
    const QString cleanValue = withoutControlCharacters(value);
    const Place place = find(lines, cleanSection, cleanKey);
    if (place.key >= 0) {
        // The key keeps the spelling the file gives it, the line its end.
        Line& line = lines[place.key];
        const QByteArray end = line.end;
        line = lineOf(*keyOf(line.text) + QLatin1Char('=') + cleanValue);
        line.end = end;
    } else {
        qsizetype at = lines.size();
        QList<Line> added;
        if (place.section >= 0) {
            // After the section's last line that is not blank.
            at = place.end;
            while (at > place.section + 1 && lines[at - 1].text.trimmed().isEmpty())
                --at;
        } else {
            added << lineOf(QLatin1Char('[') + cleanSection + QLatin1Char(']'));
        }
        added << lineOf(cleanKey + QLatin1Char('=') + cleanValue);
        // A last line without its end gets one before a line follows it.
        if (at > 0 && lines[at - 1].end.isEmpty())
            lines[at - 1].end = "\r\n";
        for (qsizetype i = 0; i < added.size(); ++i)
            lines.insert(at + i, added[i]);
    }

    QByteArray bytes;
    for (const Line& line : lines)
        bytes += line.content + line.end;
    // Settings written before they were private become so.
    const FileStatus ecrit = replaceFileBytes(file, bytes, kModeReglages, kModeReglages);
    if (status)
        *status = ecrit;
    if (ecrit != FileStatus::Ok) {
        cache().remove(file);
        return false;
    }
    if (const auto stamp = stampOf(file))
        cache().insert(file, Cached{*stamp, lines});
    return true;
}
