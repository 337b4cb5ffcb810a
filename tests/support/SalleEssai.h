#pragma once

#include <QHash>
#include <QString>

#include <memory>

#include <sys/types.h>

// A classroom's shared roots laid out by the test's own account as the
// administrator's command leaves them: the settings' levels Brelmar/Wavix
// open to all and sticky, with the teacher's folder Professeur in it
// (closed, no password yet); the documents' Brelmar closed, Brelmar/Wavix the
// teacher's and closed, its drop box Resultats the teacher's, mode 3733. The
// owners the command gives are stated (setFileOwnerProbe): the documents'
// Brelmar is root's, Brelmar/Wavix, the drop box and Professeur the teacher's; every
// other file keeps its real owner, the test's account, a student.
struct SalleEssai {
    static constexpr uid_t kProfesseur = 54320;

    SalleEssai(const QString& donnees, const QString& documents, uid_t professeur = kProfesseur);
    bool prete() const { return prete_; }
    QString wavixDocuments() const { return documents + QStringLiteral("/Brelmar/Wavix"); }
    QString depot() const { return wavixDocuments() + QStringLiteral("/Resultats"); }
    QString dossierProfesseur() const { return donnees + QStringLiteral("/Brelmar/Wavix/Professeur"); }
    QString motDePasse() const { return dossierProfesseur() + QStringLiteral("/MotDePasseClasse"); }
    // States another owner for a path (a file a classmate planted, say).
    void proprietaire(const QString& chemin, uid_t compte) { (*proprietaires_)[chemin] = compte; }

    QString donnees, documents;
    uid_t professeur;

private:
    bool prete_ = false;
    std::shared_ptr<QHash<QString, uid_t>> proprietaires_ = std::make_shared<QHash<QString, uid_t>>();
};
