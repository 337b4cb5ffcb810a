#include "app/EtatProgramme.h"

AppendingTextFile& FichierResultatOuvert()
{
    static AppendingTextFile file;
    return file;
}

void FermerFichiers()
{
    FichierResultatOuvert().close();
}
