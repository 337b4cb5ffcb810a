#include "evaluation/Resultats.h"

#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "platform/SystemServices.h"
#include "platform/VbFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <unistd.h>

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
    MsgBox((supprime ? QStringLiteral("Le fichier des réponses des élèves a été supprimé pendant l'évaluation, "
                                      "seul ou avec son dossier :\r\n")
                     : QStringLiteral("Vos réponses ne peuvent plus être enregistrées dans le fichier des "
                                      "réponses des élèves (disque plein, quota atteint ou dossier réseau perdu) :\r\n"))
               + chemin + QStringLiteral("\r\n\r\nAppelez le professeur. L'évaluation s'arrête")
               + (supprime ? QStringLiteral(" : les réponses suivantes ne seraient enregistrées nulle part.")
                           : QStringLiteral(" ; les réponses enregistrées jusqu'ici sont conservées.")),
           vb::Critical, QStringLiteral("Wavix - Erreur"));
    return false;
}

FichierResultats LireFichierResultats(const QString& chemin)
{
    FichierResultats fichier;
    fichier.chemin = chemin;
    fichier.proprietaire = fileOwner(chemin).value_or(0);
    fichier.etat = readTextFile(chemin, fichier.texte, kTailleMaxResultats);
    return fichier;
}

bool LireDepotResultats(const QString& depot, QList<FichierResultats>& fichiers)
{
    const QDir dossier(depot);
    if (!QFileInfo(depot).isDir() || !QFileInfo(depot).isReadable())
        return false;
    fichiers.clear();
    for (const QString& nom : dossier.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                                QDir::Name))
        fichiers << LireFichierResultats(dossier.filePath(nom));
    return true;
}

namespace {

// The text after the first line that begins with the label, if any.
QString premiereValeur(const QStringList& lignes, const QString& etiquette)
{
    for (const QString& ligne : lignes)
        if (ligne.startsWith(etiquette))
            return ligne.mid(etiquette.size());
    return QString();
}

// A line of a file as the view shows it: what a student wrote in his own
// file can never pass for a line of the view's (another account's owner
// line): no character that an editor takes for a line break, and a line
// that begins as the owner lines do is set off.
QString sansSautDeLigne(QString texte)
{
    for (QChar& c : texte)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    return texte;
}

QString ligneMontree(const QString& ligne)
{
    const QString montree = sansSautDeLigne(ligne);
    return montree.trimmed().startsWith(QLatin1Char('#')) ? QStringLiteral("> ") + montree : montree;
}

QDateTime premiereEpreuve(const QStringList& lignes)
{
    return QDateTime::fromString(premiereValeur(lignes, QStringLiteral("Jour et Heure :")).trimmed(),
                                 QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

} // namespace

QString VueResultats(QList<FichierResultats> fichiers)
{
    struct Place {
        QDateTime debut;
        QString nom;
        QStringList lignes;
        const FichierResultats* fichier;
    };
    QList<Place> places;
    for (const FichierResultats& f : fichiers) {
        Place p{QDateTime(), sansSautDeLigne(QFileInfo(f.chemin).fileName()), QStringList(), &f};
        if (f.etat == FileStatus::Ok) {
            p.lignes = splitLines(f.texte);
            p.debut = premiereEpreuve(p.lignes);
        }
        places << p;
    }
    std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        if (a.debut.isValid() != b.debut.isValid())
            return a.debut.isValid();
        if (a.debut != b.debut)
            return a.debut < b.debut;
        return a.nom < b.nom;
    });
    QString vue;
    for (const Place& p : places) {
        QString entete = QStringLiteral("#### Compte : ") + accountName(p.fichier->proprietaire);
        if (p.fichier->etat != FileStatus::Ok) {
            entete += QStringLiteral(" ; fichier : ") + p.nom + QStringLiteral(" : illisible, ce fichier ")
                + frenchReason(p.fichier->etat, kTailleMaxResultats);
        } else {
            const QString nom = sansSautDeLigne(premiereValeur(p.lignes, QStringLiteral("Nom élève :")) + QLatin1Char(' ')
                                                + premiereValeur(p.lignes, QStringLiteral("Prénom élève :")))
                                    .trimmed();
            entete += QStringLiteral(" ; nom saisi : ") + (nom.isEmpty() ? QStringLiteral("(aucun)") : nom)
                + QStringLiteral(" ; fichier : ") + p.nom;
        }
        vue += entete + QStringLiteral(" ####\r\n");
        for (const QString& ligne : p.lignes)
            vue += ligneMontree(ligne) + QStringLiteral("\r\n");
        vue += QStringLiteral("\r\n");
    }
    return vue;
}

QStringList SupprimerFichiersResultats(const QList<FichierResultats>& fichiers)
{
    QStringList restes;
    for (const FichierResultats& f : fichiers) {
        const QByteArray nom = QFile::encodeName(f.chemin);
        if (::unlink(nom.constData()) != 0 && ::rmdir(nom.constData()) != 0)
            restes << QFileInfo(f.chemin).fileName();
    }
    return restes;
}
