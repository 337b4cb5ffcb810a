// The settings-file reader and writer on a damaged file: first line the
// section, second the key, the rest the file.

#include "Entree.h"
#include "Fichier.h"

#include "platform/ProfileFile.h"

namespace {

// A name the file can hold as it is: printable ASCII, no brackets, no "=",
// no blanks at its ends.
bool nomSimple(const QString& nom)
{
    if (nom.isEmpty() || nom.trimmed() != nom || nom.size() > 60)
        return false;
    for (const QChar c : nom)
        if (c.unicode() < 0x21 || c.unicode() > 0x7e || c == QLatin1Char('[') || c == QLatin1Char(']')
            || c == QLatin1Char('=') || c == QLatin1Char(';'))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Entree entree(data, size);
    const QString section = entree.texte();
    const QString cle = entree.texte();
    const QString chemin = fichierTemporaire(QStringLiteral("ConfQVT_fuzz.ini"), entree.reste());

    (void)readProfileString(chemin, section, cle);
    (void)readProfileString(chemin, QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"));
    const QString valeur = QStringLiteral("12.5");
    if (writeProfileString(chemin, section, cle, valeur) && nomSimple(section) && nomSimple(cle))
        // What was written reads back.
        EXIGER(readProfileString(chemin, section, cle) == valeur);
    return 0;
}
