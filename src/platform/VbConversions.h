#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Numbers kept as text (settings, captions) follow the conversions the
// program's stored files were written with.

// The numeric value of the longest numeric prefix: leading blanks, a sign,
// digits with at most one '.', an exponent; 0 when the text does not start
// with a number. Blanks inside the number are skipped, as VB's Val does, and
// "&H"/"&O" prefixes read hexadecimal and octal.
double Val(QStringView text);

// Shortest decimal text of a number with a point, a leading '-' for negatives
// and no leading blank (15 significant digits for doubles, 7 for singles).
QString Str(double value);
QString StrSingle(float value);

// Rounds to the nearest integer, halves to even (CInt/CLng).
// std::nullopt when the result does not fit in 32 bits.
std::optional<int32_t> roundHalfEvenToInt32(double value);

// Reads a whole number kept as text: the text must be a number (after Val's
// rules) whose rounded value lies within [min, max]; otherwise std::nullopt.
std::optional<int32_t> parseBoundedInteger(QStringView text, int32_t min, int32_t max);
