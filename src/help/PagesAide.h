#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The help pages shipped in the program's resources, in the order of the
// contents; each page may answer one or more topic numbers, and lists the
// words the index sends to it.
struct PageAide {
    QString fichier;      // file name under kDossierPagesAide
    QString titre;        // as the contents shows it
    QList<int> rubriques; // topic numbers this page answers
    QStringList index;    // index entries leading to the page
};

inline constexpr char kDossierPagesAide[] = ":/aide/";

const QList<PageAide>& PagesAide();
// The page of a topic number; the contents' first page for a number no
// page answers.
const PageAide& PageDeRubrique(int rubrique);
// The page of a file name, or nullptr.
const PageAide* PageDeFichier(const QString& fichier);
