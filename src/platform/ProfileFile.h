#pragma once

#include "platform/TextFiles.h"

#include <QString>

// A settings file holds a few dozen keys; beyond this it is not one.
constexpr qint64 kTailleMaxProfil = 1 << 20;

// The settings file in the Windows private-profile format: sections and keys
// are case-insensitive and the first match wins; a missing file, section or
// key reads as an empty text; a value comes back cut to 254 characters. A
// file that is a link, a FIFO, a device or over 1 MiB reads as missing.
// The lines read are kept while the file on disk keeps its identity, size
// and times, so that a refresh reads many keys without the disk while the
// writes of other programs of the account are still seen.
// status, when given, tells why a file that exists could not be read.
QString readProfileString(const QString& file, const QString& section, const QString& key,
                          FileStatus* status = nullptr);

// Writes key=value into the section, creating the file, the section or the key
// as needed; every other line keeps its bytes. A control character (a line
// break) in the value, the key or the section is written as a blank. The file
// is replaced atomically (the new line in Windows-1252, or in UTF-8 when it
// holds characters Windows-1252 lacks; CR LF). The file is locked from
// the read to the replacement, so that programs of one account writing at
// the same moment keep each other's keys, and what writes cut short by a
// kill left behind is removed. Returns false on failure.
bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value, FileStatus* status = nullptr);
