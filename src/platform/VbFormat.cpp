#include "platform/VbFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The value's decimal digits rounded half away from zero to `decimals`
// places, as an integer-part string and a fraction string.
void decimalDigits(double magnitude, int decimals, std::string& integer, std::string& fraction)
{
    // 15 significant digits: the decimal value the number stands for.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    std::string mantissa;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa.push_back(*p);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);

    // Digits with the decimal point after position `point`.
    std::string digits = mantissa;
    int point = exponent + 1;
    if (point <= 0) {
        digits.insert(0, size_t(1 - point), '0');
        point = 1;
    }
    if (int(digits.size()) < point + decimals + 1)
        digits.append(size_t(point + decimals + 1 - int(digits.size())), '0');

    const bool roundUp = digits[size_t(point + decimals)] >= '5';
    digits.resize(size_t(point + decimals));
    if (roundUp) {
        int i = int(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[size_t(i)] == '9') {
                digits[size_t(i)] = '0';
            } else {
                ++digits[size_t(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(0, 1, '1');
            ++point;
        }
    }
    integer = digits.substr(0, size_t(point));
    fraction = digits.substr(size_t(point));
    const size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
}

} // namespace

QString Format(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        value = 0.0;
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'));
    const QString integerPattern = dot >= 0 ? pattern.left(dot) : pattern;
    const int decimals = dot >= 0 ? int(pattern.size() - dot - 1) : 0;
    const int minIntegerDigits = int(integerPattern.count(QLatin1Char('0')));

    std::string integer, fraction;
    decimalDigits(std::fabs(value), decimals, integer, fraction);
    if (int(integer.size()) < minIntegerDigits)
        integer.insert(0, size_t(minIntegerDigits - int(integer.size())), '0');

    QString text = QString::fromLatin1(integer.c_str());
    if (decimals > 0)
        text += QLatin1Char('.') + QString::fromLatin1(fraction.c_str());
    const bool zero = integer.find_first_not_of('0') == std::string::npos
        && fraction.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero)
        text.prepend(QLatin1Char('-'));
    return text;
}

bool ShowsMinusSign(double value, const QString& digits)
{
    if (!(value < 0))
        return false;
    for (QChar c : digits)
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            return true;
    return false;
}
