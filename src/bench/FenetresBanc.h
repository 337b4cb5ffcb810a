#pragma once

#include <QString>

class VbForm;

// Opens (loads) a source window of the bench by name for its channel;
// nullptr for a source whose window the bench does not have.
VbForm* OuvrirFenetreSource(const QString& nom, int voie);
bool SourceDisponible(const QString& nom);

// Opens an instrument window (the multimeters, the stopwatch) by name.
VbForm* OuvrirInstrument(const QString& nom);
