#pragma once

#include "app/FichierINI.h"

#include <QString>

// The benches' own settings file in the given folder: DUAL, CH1 in DC and
// CH2 in AC.
inline void reglagesDual(const QString& dossier)
{
    CheminINI = dossier + QStringLiteral("/ConfQVT_bench.ini");
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Mode voie"), QStringLiteral("2"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("ACDC CH1"), QStringLiteral("1"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("ACDC CH2"), QStringLiteral("4"));
}
