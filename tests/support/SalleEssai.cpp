#include "SalleEssai.h"

#include "platform/SystemServices.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace {

bool mode(const QString& chemin, mode_t bits)
{
    return chmod(QFile::encodeName(chemin).constData(), bits) == 0;
}

} // namespace

SalleEssai::SalleEssai(const QString& donnees_, const QString& documents_, uid_t professeur_)
    : donnees(donnees_), documents(documents_), professeur(professeur_)
{
    prete_ = QDir().mkpath(dossierProfesseur()) && QDir().mkpath(depot());
    for (const QString& niveau : {donnees, donnees + "/Brelmar", donnees + "/Brelmar/Wavix"})
        prete_ = prete_ && mode(niveau, 01777);
    prete_ = prete_ && mode(dossierProfesseur(), 0755) && mode(documents, 0755) && mode(documents + "/Brelmar", 0755) && mode(wavixDocuments(), 0755)
        && mode(depot(), 03733);
    proprietaire(documents + "/Brelmar", 0);
    proprietaire(wavixDocuments(), professeur);
    proprietaire(depot(), professeur);
    proprietaire(dossierProfesseur(), professeur);
    setFileOwnerProbe([proprietaires = proprietaires_](const QString& path) -> std::optional<uid_t> {
        struct stat info {};
        if (lstat(QFile::encodeName(path).constData(), &info) != 0)
            return std::nullopt;
        return proprietaires->value(QDir::cleanPath(path), info.st_uid);
    });
}
