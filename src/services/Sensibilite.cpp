#include "services/Sensibilite.h"

#include "services/ModFonctions.h"
#include "platform/VbFormat.h"

const QStringList& TextesBasesTemps()
{
    static const QStringList textes = {
        QStringLiteral("0.5 s/div"),  QStringLiteral("0.2 s/div"),  QStringLiteral("0.1 s/div"),
        QStringLiteral("50 ms/div"),  QStringLiteral("20 ms/div"),  QStringLiteral("10 ms/div"),
        QStringLiteral("5 ms/div"),   QStringLiteral("2 ms/div"),   QStringLiteral("1 ms/div"),
        QStringLiteral("0.5 ms/div"), QStringLiteral("0.2 ms/div"), QStringLiteral("0.1 ms/div"),
        QStringLiteral("50 µs/div"),  QStringLiteral("20 µs/div"),  QStringLiteral("10 µs/div"),
        QStringLiteral("5 µs/div"),   QStringLiteral("2 µs/div"),   QStringLiteral("1 µs/div"),
    };
    return textes;
}

const QStringList& TextesSensibilites()
{
    static const QStringList textes = {
        QStringLiteral("100 V/div"), QStringLiteral("50 V/div"),  QStringLiteral("20 V/div"),
        QStringLiteral("10 V/div"),  QStringLiteral("5 V/div"),   QStringLiteral("2 V/div"),
        QStringLiteral("1 V/div"),   QStringLiteral("0.5 V/div"), QStringLiteral("0.2 V/div"),
        QStringLiteral("0.1 V/div"), QStringLiteral("50 mV/div"), QStringLiteral("20 mV/div"),
        QStringLiteral("10 mV/div"), QStringLiteral("5 mV/div"),
    };
    return textes;
}

QString TexteFrequence(double frequence, double gamme)
{
    QString texte;
    if (gamme == 100000)
        texte = Format(frequence / 1000, QStringLiteral("000.0"));
    else if (gamme == 10000)
        texte = Format(frequence / 1000, QStringLiteral("00.00"));
    else if (gamme == 1000)
        texte = Format(frequence / 1000, QStringLiteral("0.000"));
    else if (gamme == 100)
        texte = Format(frequence, QStringLiteral("000.0"));
    else if (gamme == 10)
        texte = Format(frequence, QStringLiteral("00.00"));
    else if (gamme == 1)
        texte = Format(frequence, QStringLiteral("0.000"));
    // The displays always show a decimal point.
    Remplacer(texte, QStringLiteral(","), QStringLiteral("."));
    return texte;
}
