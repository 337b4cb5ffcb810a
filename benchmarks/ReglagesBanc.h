#pragma once

#include "services/FichierINI.h"
#include "scope/frmWavix.h"

#include <QString>

// The benches' own settings file in the given folder: DUAL, CH1 in DC and
// CH2 in AC.
inline void reglagesDual(const QString& dossier)
{
    Session().CheminINI = dossier + QStringLiteral("/ConfQVT_bench.ini");
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("Mode voie"), QStringLiteral("2"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("ACDC CH1"), QStringLiteral("1"));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("ACDC CH2"), QStringLiteral("4"));
}

// The scope's mode lamp (0 CH1 .. 4 XY) lit by its "next mode" key, as a
// user reaches it.
inline void choisirMode(frmWavix* scope, int voulu)
{
    for (int i = 0; i < 5 && !scope->panneau().modeAllume(ModeVoies(voulu)); ++i)
        scope->cmdVoie_Click(1);
}
