#include "services/ModFonctions.h"

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
    // Fix(x × 10^n ± 0.5) / 10^n: the decimal 0.15 rounds to 0.2 although the
    // double holds 0.1499..., as a user reading the number expects.
    const double scale = std::pow(10.0, n);
    const double s = x > 0 ? 0.5 : x < 0 ? -0.5 : 0.0;
    return std::trunc(x * scale + s) / scale;
}

bool JouerSon(const QString& file)
{
    return playSoundFile(file);
}
