#include "help/PagesAide.h"

namespace {

QList<PageAide> construirePages()
{
    auto mots = [](const char* liste) { return QString::fromUtf8(liste).split(QLatin1Char('|')); };
    return {
        {"accueil.html", "Bienvenue dans Wavix", {}, mots("Accueil|Sommaire|Mode libre|Mode évalué|Menus")},
        {"oscilloscope.html", "L'oscilloscope", {3300},
         mots("Oscilloscope|Wavixscope|Base de temps|Sensibilité|Voie CH1, CH2|Couplage AC, DC, GND|Position verticale|"
              "Mode XY|Curseurs de mesure|Lire une trace|Période, mesure|Amplitude, mesure")},
        {"boite-outils.html", "La boîte à outils et le branchement des sources", {3400},
         mots("Boîte à outils|Brancher une source|Voie CH1, CH2|Générateur d'harmoniques|Chronomètre|Calculatrice|"
              "Multimètre, ouvrir")},
        {"alimentation.html", "L'alimentation continue", {3000}, mots("Alimentation continue|Tension continue|Réglage fin")},
        {"pile.html", "La pile", {3100}, mots("Pile|Tension continue|Polarité")},
        {"gbf.html", "Le générateur de fonctions (GBF)", {3200},
         mots("GBF|Générateur de fonctions|Fréquence|Amplitude|Sinus, carré, triangle|Offset|Calibre de fréquence")},
        {"secteur.html", "La prise du secteur", {3500}, mots("Secteur|Prise EDF|50 Hz|Transformateur|Sécurité")},
        {"alternateur.html", "L'alternateur de bicyclette et les options", {3800},
         mots("Alternateur|Dynamo de bicyclette|Vitesse de rotation|Options|Préférences|Info-bulles|Couleur de fond")},
        {"multimetre.html", "Les multimètres", {3600}, mots("Multimètre|Voltmètre|Valeur efficace|RMS|Calibre")},
        {"evaluation.html", "Un exercice évalué", {},
         mots("Mode évalué|Exercice évalué|Identification de l'élève|Déroulement d'un exercice|Signal attendu")},
        {"reponses.html", "Répondre aux questions", {},
         mots("Réponses|Répondre|Note|Nombre décimal|Unités|Tolérance")},
        {"editeur.html", "L'éditeur de fichiers d'exercices", {},
         mots("Éditeur de fichiers d'exercices|Créer un fichier Wavix|Modifier un fichier Wavix|Professeur|Mot de passe")},
        {"corbeille.html", "Supprimer des fichiers d'exercices", {1000},
         mots("Supprimer un fichier Wavix|Corbeille|Fichier d'exercices, supprimer")},
        {"format-exercice.html", "Le format des fichiers d'exercices", {},
         mots("Format des fichiers d'exercices|Fichier .qvt|Ligne d'exercice|Séparateur")},
        {"resultats.html", "Le fichier des résultats", {},
         mots("Fichier des résultats|Resultat.txt|Réponses des élèves, voir|Vider le fichier de réponses|Réseau|"
              "Salle de classe|Mot de passe, changer|Mot de passe oublié")},
        {"apropos.html", "À propos de Wavix, astuces du jour", {1500},
         mots("À propos de Wavix|Version|Informations système|Astuce du jour|Ajouter une astuce")},
    };
}

} // namespace

const QList<PageAide>& PagesAide()
{
    static const QList<PageAide> pages = construirePages();
    return pages;
}

const PageAide& PageDeRubrique(int rubrique)
{
    for (const PageAide& page : PagesAide())
        if (page.rubriques.contains(rubrique))
            return page;
    return PagesAide().first();
}

const PageAide* PageDeFichier(const QString& fichier)
{
    for (const PageAide& page : PagesAide())
        if (page.fichier == fichier)
            return &page;
    return nullptr;
}
