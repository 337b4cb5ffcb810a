#include "platform/ProfileFile.h"

#include "platform/TextFiles.h"

#include <QFile>

#include <optional>

// The file is handled line by line, as Windows does, so that a write changes
// one line and leaves every other line (comments, blank lines, keys that the
// program does not know) exactly as it found them.

namespace {

constexpr int kMaxValueLength = 254;

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

struct Place {
    qsizetype section = -1; // line of the section's header
    qsizetype end = 0;      // first line after the section
    qsizetype key = -1;     // line of the key within the section
};

// The first section of that name and the first key of that name in it.
Place find(const QStringList& lines, const QString& section, const QString& key)
{
    Place place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i]);
        if (name && sameName(*name, section)) {
            place.section = i;
            break;
        }
    }
    if (place.section < 0)
        return place;
    place.end = place.section + 1;
    while (place.end < lines.size() && !sectionOf(lines[place.end])) {
        const auto name = keyOf(lines[place.end]);
        if (place.key < 0 && name && sameName(*name, key))
            place.key = place.end;
        ++place.end;
    }
    return place;
}

std::optional<QStringList> load(const QString& path)
{
    QString text;
    if (!readTextFile(path, text))
        return std::nullopt;
    return splitLines(text);
}

} // namespace

QString readProfileString(const QString& file, const QString& section, const QString& key)
{
    const auto lines = load(file);
    if (!lines)
        return QString();
    const Place place = find(*lines, section, key);
    if (place.key < 0)
        return QString();
    return valueOf(lines->at(place.key)).left(kMaxValueLength);
}

bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value)
{
    QStringList lines;
    if (QFile::exists(file)) {
        auto existing = load(file);
        if (!existing)
            return false;
        lines = std::move(*existing);
    }

    const Place place = find(lines, section, key);
    if (place.key >= 0) {
        // The key keeps the spelling the file gives it.
        lines[place.key] = *keyOf(lines[place.key]) + QLatin1Char('=') + value;
    } else if (place.section >= 0) {
        // After the section's last line that is not blank.
        qsizetype at = place.end;
        while (at > place.section + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, key + QLatin1Char('=') + value);
    } else {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << key + QLatin1Char('=') + value;
    }

    return writeTextFile(file, lines);
}
