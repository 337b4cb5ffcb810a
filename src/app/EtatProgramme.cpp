#include "app/EtatProgramme.h"

#include "bench/Calculatrice.h"

#include <QCoreApplication>

AppendingTextFile& FichierResultatOuvert()
{
    static AppendingTextFile file;
    return file;
}

void FermerFichiers()
{
    FichierResultatOuvert().close();
}

std::function<void()>& TerminerProgramme()
{
    static std::function<void()> terminer = [] {
        FermerFichiers();
        FermerCalculatrice();
        QCoreApplication::exit(0);
    };
    return terminer;
}

namespace {

std::function<QDateTime()>& horlogeFixee()
{
    static std::function<QDateTime()> horloge;
    return horloge;
}

} // namespace

QDateTime Maintenant()
{
    return horlogeFixee() ? horlogeFixee()() : QDateTime::currentDateTime();
}

void setHorloge(std::function<QDateTime()> horloge)
{
    horlogeFixee() = std::move(horloge);
}
