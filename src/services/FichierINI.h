#pragma once

#include "services/EtatProgramme.h"

#include <QString>

#include <cstdint>

// The key's value, or the default when the file, the section or the key is
// missing or the value is empty. A settings file that is no regular file or
// is too large gives the defaults, reported once in the run.
QString LireINI(const QString& fichier, const QString& section, const QString& cle,
                const QString& defaut);
// Writes the key, creating file, section or key. The first failure of the
// run is reported in French (the settings would be lost without a word);
// later ones are silent.
void EcrireINI(const QString& fichier, const QString& section, const QString& cle,
               const QString& valeur);

// The same on the settings file, Session().CheminINI.
QString LireINI(const QString& section, const QString& cle, const QString& defaut);
void EcrireINI(const QString& section, const QString& cle, const QString& valeur);

// A whole number kept in the settings: the default when the value is
// missing, not a number, or outside [min, max] (a damaged file).
int32_t LireEntierINI(const QString& section, const QString& cle, int32_t defaut, int32_t min,
                      int32_t max);
// A colour (RGB, red in the low byte), with the same guard.
int32_t LireCouleurINI(const QString& section, const QString& cle, int32_t defaut);
// A number (a position, a knob value): the default when not a number.
double LireNombreINI(const QString& section, const QString& cle, double defaut);
// A preference shown by a control (a check box, a list, a colour): the
// value's leading number, rounded, as the preferences have always been read
// ("12 px" reads 12). The default when the value does not start with a
// number or the number lies outside [min, max], the control's range.
int32_t LirePreferenceINI(const QString& section, const QString& cle, int32_t defaut, int32_t min,
                          int32_t max);
