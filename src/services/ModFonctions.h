#pragma once

#include <QString>
#include <QStringList>

// Replaces every occurrence of search in text, left to right; each search
// resumes one character after the start of the occurrence just replaced.
// An empty text or an empty search text leaves the text unchanged.
void Remplacer(QString& text, const QString& search, const QString& replacement);

// Joins the CR LF separated lines of a text with the separator; a text with
// no CR LF, or only empty lines before its last CR LF, comes back unchanged.
QString RecomposerLignes(const QString& text, const QString& separator);

// Pieces of the text between one-character delimiters, empty pieces kept;
// an empty text gives no piece at all.
QStringList SplitString(const QString& text, QChar delimiter);

// Rounds to n decimals, halves away from zero: Fix(x × 10^n ± 0.5) / 10^n.
double Arrondi(double x, int n);

// Plays a sound file in the background; false when it cannot be played.
bool JouerSon(const QString& file);
