#pragma once

#include <QByteArray>
#include <QString>

// Text files move between Windows and Linux classrooms: they are written in
// Windows-1252 and read as UTF-8 when the bytes are valid UTF-8, otherwise as
// Windows-1252.
QString decodeText(const QByteArray& bytes);
QString decodeWindows1252(const QByteArray& bytes);
// Characters that Windows-1252 cannot hold are written as '?'.
QByteArray encodeWindows1252(const QString& text);
// The first character of the text that Windows-1252 cannot hold (both halves
// of one beyond the 16-bit range), empty when the code page holds them all.
QString firstCharacterOutsideWindows1252(const QString& text);
// Control characters (a line break, a tab) become blanks, so that a text
// never makes lines of its own in a file.
QString withoutControlCharacters(QString text);
