#include "app/ModFonctions.h"

#include "platform/SystemServices.h"

#include <cmath>

void Remplacer(QString& text, const QString& search, const QString& replacement)
{
    if (text.isEmpty() || search.isEmpty())
        return;
    qsizetype p = text.indexOf(search);
    while (p >= 0) {
        text = text.left(p) + replacement + text.mid(p + search.size());
        p = p + 1 <= text.size() ? text.indexOf(search, p + 1) : -1;
    }
}

QString RecomposerLignes(const QString& text, const QString& separator)
{
    static const QString kCrLf = QStringLiteral("\r\n");
    QString joined;
    qsizetype start = 0;
    qsizetype p = text.indexOf(kCrLf);
    while (p >= 0) {
        const QString piece = text.mid(start, p - start);
        joined = joined.isEmpty() ? piece : joined + separator + piece;
        start = p + 2;
        p = text.indexOf(kCrLf, start);
    }
    if (joined.isEmpty())
        return text;
    const QString last = text.mid(start);
    return last.isEmpty() ? joined : joined + separator + last;
}

QStringList SplitString(const QString& text, QChar delimiter)
{
    if (text.isEmpty())
        return {};
    return text.split(delimiter, Qt::KeepEmptyParts);
}

double Arrondi(double x, int n)
{
    const double scale = std::pow(10.0, n);
    const double scaled = x * scale;
    if (!std::isfinite(scaled))
        return x;
    // The product is rounded to a double; what the rounding lost tells on which
    // side of a half the exact product lies (0.15 holds 0.1499..., 2.675 holds
    // 2.67499...). Adding 0.5 before truncating would round them up.
    const double lost = std::fma(x, scale, -scaled);
    double whole = std::trunc(scaled);
    const double fraction = std::fabs(scaled - whole);
    if (fraction > 0.5 || (fraction == 0.5 && (lost == 0 || (lost > 0) == (x > 0))))
        whole += std::copysign(1.0, x);
    return whole / scale;
}

bool JouerSon(const QString& file)
{
    return playSoundFile(file);
}
