#include "evaluation/Resultats.h"

#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "platform/VbFormat.h"

QString NombreResultat(double valeur, const QString& motif)
{
    return Format(valeur, motif).replace(QLatin1Char('.'), QLatin1Char(','));
}

QStringList EnteteEleve(const QString& nom, const QString& prenom, const QString& classe)
{
    return {QString(),
            QString(38, QLatin1Char('*')),
            QStringLiteral("Nom élève :") + withoutControlCharacters(nom),
            QStringLiteral("Prénom élève :") + withoutControlCharacters(prenom),
            QStringLiteral("Classe élève :") + withoutControlCharacters(classe)};
}

QStringList EnteteEpreuve(const QString& fichierExercice, const QDateTime& moment)
{
    const QString egal(72, QLatin1Char('='));
    const QString monnaie(72, QChar(0x00A4));
    return {egal,
            monnaie,
            QStringLiteral("Nom du fichier :") + withoutControlCharacters(fichierExercice),
            QStringLiteral("Jour et Heure :") + moment.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
            monnaie,
            egal};
}

LigneReponse::LigneReponse(int voie) : voie_(voie) {}

void LigneReponse::signal(const QString& mot, bool faux)
{
    texte_ = (voie_ == 0 ? QStringLiteral("Voie A : Signal : ") : QStringLiteral("Voie B : Signal : ")) + mot;
    if (faux)
        texte_ += QStringLiteral(" (FAUX)");
}

void LigneReponse::tension(double volts, bool faux)
{
    texte_ += (voie_ == 0 ? QStringLiteral(" ; Ua = ") : QStringLiteral(" ; Ub = ")) + NombreResultat(volts, QStringLiteral("#0.0"));
    if (faux)
        texte_ += QStringLiteral(" (FAUX)");
}

void LigneReponse::frequence(double hertz, bool faux)
{
    texte_ += (voie_ == 0 ? QStringLiteral(" ; Fa = ") : QStringLiteral(" ; Fb = "))
        + NombreResultat(hertz, QStringLiteral("####0.0"));
    if (faux)
        texte_ += QStringLiteral(" (FAUX)");
}

QString LigneScore(int score)
{
    return QStringLiteral("        Score : ") + NombreResultat(score, QStringLiteral("#0"));
}

QString LigneFinImage()
{
    return QString(52, QLatin1Char('*'));
}

QString LigneNote(double note)
{
    return QStringLiteral(" -------> Note : ") + NombreResultat(note, QStringLiteral("#0.0")) + QStringLiteral("/20");
}

bool EcrireResultats(const QStringList& lignes)
{
    AppendingTextFile& fichier = FichierResultatOuvert();
    if (!fichier.isOpen())
        return false;
    const QString chemin = fichier.path();
    if (fichier.writeLines(lignes))
        return true;
    // Either the file is back at its last whole record and closed, or it
    // was deleted: nothing more goes to it.
    const bool supprime = fichier.gone();
    MsgBox((supprime ? QStringLiteral("Le fichier des réponses-élèves a été supprimé pendant l'évaluation, "
                                      "seul ou avec son dossier :\r\n")
                     : QStringLiteral("Vos réponses ne peuvent plus être enregistrées dans le fichier des "
                                      "réponses-élèves (disque plein, quota atteint ou dossier réseau perdu) :\r\n"))
               + chemin + QStringLiteral("\r\n\r\nAppelez le professeur. L'évaluation s'arrête")
               + (supprime ? QStringLiteral(" : les réponses suivantes ne seraient enregistrées nulle part.")
                           : QStringLiteral(" ; les réponses enregistrées jusqu'ici sont conservées.")),
           vb::Critical, QStringLiteral("Wavix - Erreur"));
    return false;
}
