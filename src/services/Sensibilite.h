#pragma once

#include "services/PanneauScope.h"

#include <QString>
#include <QStringList>

// The texts of the knobs' positions, in the same order ("0.5 s/div", ...).
const QStringList& TextesBasesTemps();
const QStringList& TextesSensibilites();

// The caption for a frequency in a range; empty for an unknown range.
QString TexteFrequence(double frequence, double gamme);
