#include "platform/VbConversions.h"

#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}

int digitIn(QChar c, int radix)
{
    const char16_t u = c.toLower().unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = 10 + (u - u'a');
    return d < radix ? d : -1;
}

double radixPrefix(QStringView text, qsizetype pos, int radix)
{
    uint64_t value = 0;
    bool any = false;
    for (; pos < text.size() && value <= 0xFFFFFFFFull; ++pos) {
        const int d = digitIn(text[pos], radix);
        if (d < 0)
            break;
        value = value * uint64_t(radix) + uint64_t(d);
        any = true;
    }
    if (!any)
        return 0.0;
    // VB gives a 16-bit or 32-bit signed reading of the digits.
    if (value <= 0xFFFF)
        return double(int16_t(uint16_t(value)));
    return double(int32_t(uint32_t(value)));
}

QString shortestText(double value, int digits)
{
    if (value == 0.0 || std::isnan(value))
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', digits);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // VB writes 1E+16 and 1E-07.
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        const QChar sign = exponent.at(0);
        exponent = exponent.mid(1);
        while (exponent.size() < 2)
            exponent.prepend(QLatin1Char('0'));
        text = mantissa + QLatin1Char('E') + sign + exponent;
    }
    return text;
}

} // namespace

double Val(QStringView text)
{
    // Blanks are ignored everywhere in the number.
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            compact.append(c);

    if (compact.size() >= 2 && compact[0] == QLatin1Char('&')) {
        const QChar kind = compact[1].toUpper();
        if (kind == QLatin1Char('H'))
            return radixPrefix(compact, 2, 16);
        if (kind == QLatin1Char('O'))
            return radixPrefix(compact, 2, 8);
        return 0.0;
    }

    qsizetype pos = 0;
    const qsizetype n = compact.size();
    std::string number;
    if (pos < n && (compact[pos] == QLatin1Char('-') || compact[pos] == QLatin1Char('+')))
        number.push_back(char(compact[pos++].unicode()));
    bool digits = false;
    while (pos < n && compact[pos].isDigit() && compact[pos].unicode() < 128) {
        number.push_back(char(compact[pos++].unicode()));
        digits = true;
    }
    if (pos < n && compact[pos] == QLatin1Char('.')) {
        number.push_back('.');
        ++pos;
        while (pos < n && compact[pos].isDigit() && compact[pos].unicode() < 128) {
            number.push_back(char(compact[pos++].unicode()));
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (pos < n && (compact[pos] == QLatin1Char('e') || compact[pos] == QLatin1Char('E')
                    || compact[pos] == QLatin1Char('d') || compact[pos] == QLatin1Char('D'))) {
        std::string exponent = "e";
        qsizetype p = pos + 1;
        if (p < n && (compact[p] == QLatin1Char('-') || compact[p] == QLatin1Char('+')))
            exponent.push_back(char(compact[p++].unicode()));
        bool expDigits = false;
        while (p < n && compact[p].isDigit() && compact[p].unicode() < 128) {
            exponent.push_back(char(compact[p++].unicode()));
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

QString Str(double value)
{
    return shortestText(value, 15);
}

QString StrSingle(float value)
{
    return shortestText(double(value), 7);
}

std::optional<int32_t> roundHalfEvenToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default mode: to nearest, ties to even
    if (rounded < double(std::numeric_limits<int32_t>::min())
        || rounded > double(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return int32_t(rounded);
}

std::optional<int32_t> parseBoundedInteger(QStringView text, int32_t min, int32_t max)
{
    const QString trimmed = text.trimmed().toString();
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const auto value = roundHalfEvenToInt32(number);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}
