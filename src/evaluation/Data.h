#pragma once

#include <QList>
#include <QStringList>
#include <QString>

#include "services/Exercice.h"

#include <array>

// Exercise files: one data line per scope picture, six fields separated by
// "/": CH1 type word, peak voltage, frequency, then the same for CH2. Lines
// starting with "'" are comments; empty lines are skipped.

// A data line is not empty and does not start with "'".
bool EstLigneDonnees(const QString& ligne);
// The first "." of a non-empty text becomes ",".
void PointEnVirgule(QString& texte);
// The six fields as the reader cuts them, trimmed; a line with fewer than
// five "/" starts again from its beginning past its last "/".
std::array<QString, 6> DecouperChamps(const QString& ligne);
// Lower case, then a capital at the start of each word ("CC" → "Cc").
QString MotType(const QString& champ);
// A channel's type field names DC: empty, or "cc" in any case, with blanks
// around or not.
bool EstTypeContinu(const QString& champ);
// A number with a decimal comma (digits, an optional sign, one comma).
bool LireNombreVirgule(const QString& texte, double& valeur);

// The largest values a data line may give.
constexpr double kTensionMaxExo = 1000;  // volts, either sign
constexpr double kFrequenceMaxExo = 1e7; // hertz

// Reads one data line into a picture. False, with the reason in French,
// when a field is not a number, the type word is unknown or cannot be
// scored ("harmo"), a frequency is negative or over kFrequenceMaxExo, a
// voltage is beyond ±kTensionMaxExo, or an alternator picture has no
// frequency. Type words are taken in any case, with or without accents.
bool LireLigneExo(const QString& ligne, ImageExo& image, QString& erreur);

// The largest exercise file read: 32767 pictures with room for comments.
constexpr qint64 kTailleMaxExercice = 4 << 20;

// Every line of an exercise file. False, with a French message naming the
// file, when it cannot be read.
bool LireLignesExo(const QString& chemin, QStringList& lignes, QString& message);

// False with one French message naming the file, the line and the fault,
// when the file cannot be read or a data line is damaged.
bool ChargerFichierExo(const QString& chemin, FichierExo& fichier, QString& message);

// Puts a picture into the expected signal of both channels and redraws.
void ChargerImageExo(const ImageExo& image);
