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
    if (!fenetre_)
        fenetre_ = new FenetreAide;
    // Above the modal dialog it is asked from, and usable beside it.
    fenetre_->accompagner(QApplication::activeModalWidget());
    fenetre_->show();
    fenetre_->raise();
    fenetre_->activateWindow();
    return fenetre_;
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
    return fenetre_;
}
