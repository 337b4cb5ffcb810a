#include "platform/ProfileFile.h"

#include "platform/TextCodec.h"

#include <QFile>
#include <QSaveFile>

#include <unicode/ustring.h>

// Debian ships the template bodies behind SI_IMPLEMENTATION; this is the one
// place that instantiates them.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <string>

namespace {

// Case-insensitive comparison for every script, like the Windows profile
// functions ("Réseau" and "RÉSEAU" are one section).
struct FoldedLess {
    bool operator()(const UChar* left, const UChar* right) const
    {
        return u_strcasecmp(left, right, 0 /* default case folding */) < 0;
    }
};

using Profile = CSimpleIniTempl<UChar, FoldedLess, SI_ConvertW<UChar>>;

constexpr int kMaxValueLength = 254;

const UChar* u16(const QString& text)
{
    return reinterpret_cast<const UChar*>(text.utf16());
}

bool load(Profile& profile, const QString& path)
{
    profile.SetUnicode(true);
    profile.SetMultiKey(true); // keep duplicate keys so that the first one wins
    profile.SetSpaces(false);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray utf8 = decodeText(file.readAll()).toUtf8();
    return profile.LoadData(utf8.constData(), size_t(utf8.size())) >= 0;
}

} // namespace

QString readProfileString(const QString& file, const QString& section, const QString& key)
{
    Profile profile;
    if (!load(profile, file))
        return QString();
    const UChar* value = profile.GetValue(u16(section), u16(key), nullptr);
    if (!value)
        return QString();
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(value)).left(kMaxValueLength);
}

bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value)
{
    Profile profile;
    if (QFile::exists(file) && !load(profile, file))
        return false;
    profile.SetUnicode(true);
    profile.SetMultiKey(true);
    profile.SetSpaces(false);
    if (profile.SetValue(u16(section), u16(key), u16(value), nullptr, true) < 0)
        return false;

    std::string utf8;
    if (profile.Save(utf8, false) < 0)
        return false;
    QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(encodeWindows1252(text));
    return out.commit();
}
