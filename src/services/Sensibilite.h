#pragma once

#include <QString>
#include <QStringList>

// The time-base knob's 18 positions, slowest first, in s/div; 0 outside 0..17.
double BaseTempsParIndex(int index);
// The sensitivity knobs' 14 positions, largest first, in V/div; 0 outside 0..13.
double SensibiliteParIndex(int index);
// The texts the front panel lists for the same positions ("0.5 s/div", ...).
const QStringList& TextesBasesTemps();
const QStringList& TextesSensibilites();

// The caption for a frequency in a range; empty for an unknown range.
QString TexteFrequence(double frequence, double gamme);
