#include "help/HTMLHelp.h"

#include "help/FenetreAide.h"
#include "help/PagesAide.h"

#include <QApplication>

HTMLHelp::~HTMLHelp()
{
    HHClose();
}

FenetreAide* HTMLHelp::ouvrir()
{
    FenetreAide* aide = fenetre();
    if (!aide)
        fenetre_ = aide = new FenetreAide;
    // Above the modal dialog it is asked from, and usable beside it.
    aide->accompagner(QApplication::activeModalWidget());
    aide->show();
    aide->raise();
    aide->activateWindow();
    return aide;
}

void HTMLHelp::HHDisplayTopicID()
{
    ouvrir()->afficherPage(PageDeRubrique(HHTopicID).fichier);
}

void HTMLHelp::HHDisplayContents()
{
    ouvrir()->afficherSommaire();
}

void HTMLHelp::HHDisplayIndex()
{
    ouvrir()->afficherIndex();
}

void HTMLHelp::HHClose()
{
    delete fenetre_.data();
}

FenetreAide* HTMLHelp::fenetre() const
{
    return qobject_cast<FenetreAide*>(fenetre_.data());
}
