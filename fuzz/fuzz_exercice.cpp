// The exercise-file reader, fed whole files.

#include "Entree.h"
#include "Fichier.h"

#include "evaluation/Data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString chemin = fichierTemporaire(QStringLiteral("exercice.qvt"), Entree(data, size).reste());
    FichierExo fichier;
    QString message;
    if (ChargerFichierExo(chemin, fichier, message)) {
        EXIGER(fichier.images.size() == fichier.lignes.size());
    } else {
        // A refused file always says why.
        EXIGER(!message.isEmpty());
    }
    return 0;
}
