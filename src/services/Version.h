#pragma once

#include <QString>

#include <optional>

constexpr int kVersionMajeure = WAVIX_VERSION_MAJOR;
constexpr int kVersionMineure = WAVIX_VERSION_MINOR;
constexpr int kVersionRevision = WAVIX_VERSION_REVISION;

// The main window's caption: "Wavix v.<major>.<minor> - Mode libre" or
// " - Mode évalué".
QString LegendeProgramme(bool libre);

// "major.minor" of the program.
QString VersionProgramme();

// The version published in a version file ("key=major.minor"): the text
// after the first "=", line breaks and surrounding blanks removed.
QString VersionPubliee(const QString& contenu);

// A published version is "major.minor" in digits and nothing else.
struct NumeroVersion {
    int majeure = 0;
    int mineure = 0;
};
// The numbers of a published version; nothing when the text is anything but
// one to five digits, a point and one to five digits.
std::optional<NumeroVersion> LireNumeroVersion(const QString& versionPubliee);

// True when the published version is newer: majors compared as numbers, then
// minors (2.10 is newer than 2.9, 3.0 newer than 2.15). A text that is not a
// version (see LireNumeroVersion) is never newer.
bool EstPlusRecente(const QString& versionPubliee, int majeure, int mineure);
