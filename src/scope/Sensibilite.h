#pragma once

#include "services/PanneauScope.h"

#include <QString>
#include <QStringList>

class QWidget;

// The texts of the knobs' positions, in the same order ("0.5 s/div", ...).
const QStringList& TextesBasesTemps();
const QStringList& TextesSensibilites();

// Writes the channel's generator frequency on the label "lblFreqA" (channel
// 0) or "lblFreqB" (channel 1) of the given generator window, four digits
// with a decimal point as the range asks; an unknown range leaves it as is.
void AfficherFrequence(int voie, QWidget* fenetre);
inline void AfficherFrequenceA(QWidget* fenetre) { AfficherFrequence(0, fenetre); }
inline void AfficherFrequenceB(QWidget* fenetre) { AfficherFrequence(1, fenetre); }
// The caption for a frequency in a range; empty for an unknown range.
QString TexteFrequence(double frequence, double gamme);
