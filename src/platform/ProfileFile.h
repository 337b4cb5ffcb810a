#pragma once

#include <QString>

// The settings file in the Windows private-profile format: sections and keys
// are case-insensitive and the first match wins; a missing file, section or
// key reads as an empty text; a value comes back cut to 254 characters.
QString readProfileString(const QString& file, const QString& section, const QString& key);

// Writes key=value into the section, creating the file, the section or the key
// as needed and keeping the file's other lines. The file is replaced
// atomically (Windows-1252, CR LF). Returns false on failure; callers may
// ignore it, as Windows does.
bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value);
