#include "app/AssociationExercice.h"

FileType TypeFichierExercice()
{
    return {QStringLiteral(".Qvt"), QStringLiteral("Wavix_File"), QStringLiteral("Fichier Wavix"),
            QStringLiteral("text/plain"), QStringLiteral("text-x-generic")};
}
