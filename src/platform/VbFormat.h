#pragma once

#include <QString>

// Writes a number with a fixed pattern such as "000.0", "00.00", "0.000",
// "#0.00" or "#0.0": '0' is a digit always shown (leading zeros pad the
// integer part), '#' a digit shown only when significant, and the decimals
// are exactly as many as the pattern has after its '.'. The value is rounded
// half away from zero on its decimal value (15 significant digits, so 1.005
// gives 1.01 with two decimals). The decimal separator is always '.'.
QString Format(double value, const QString& pattern);

// Whether a display puts a minus sign before the digits it shows for a
// value: only for a negative value whose digits are not all zeros, so -0.004
// shown as "0.00" has none.
bool ShowsMinusSign(double value, const QString& digits);
