#include "services/EtatProgramme.h"

#include <QCoreApplication>
#include <QList>

EtatProgramme& Session()
{
    static EtatProgramme etat;
    return etat;
}

AppendingTextFile& FichierResultatOuvert()
{
    static AppendingTextFile file;
    return file;
}

void FermerFichiers()
{
    FichierResultatOuvert().close();
}

namespace {

QList<std::function<void()>>& fermetures()
{
    static QList<std::function<void()>> liste;
    return liste;
}

} // namespace

void AjouterFermeture(std::function<void()> fermer)
{
    fermetures().append(std::move(fermer));
}

std::function<void()>& TerminerProgramme()
{
    static std::function<void()> terminer = [] {
        FermerFichiers();
        for (const auto& fermer : fermetures())
            fermer();
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
