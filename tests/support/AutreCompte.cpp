// Another student account of the classroom, run by the tests under another
// uid (or under the test's own, as a second program of the same account).
// Each command does what the program does at that point:
//   wavix_autre_compte ecrire <settings file> <results file>
//       writes its settings file, then a record to a results file of its
//       own, made as a run from the menu makes it in the classroom's drop
//       box (that name, or another when it is taken), whose path it prints;
//       0 both written, 1 the settings failed, 2 the results failed.
//   wavix_autre_compte cles <settings file> <prefix> <count>
//       writes the keys <prefix>1 .. <prefix><count> of section "Essai",
//       one write each; 0 when every write succeeded.
//   wavix_autre_compte reglages <settings file>
//       the start-up's look at its settings file in a shared folder;
//       0 the file is the account's own, 1 it is not.
//   wavix_autre_compte marque <deposit folder>
//       the start-up's password marker; 0 it is there, 1 it failed.
//   wavix_autre_compte epreuve <results file> <name> [reseau]
//       a whole run as the menu's "Mode évalué" writes it, under the typed
//       name, into a new results file of its own (that name or another, as
//       a run from the menu makes it in the classroom's drop box; "reseau":
//       as in network use, where a file of its own at that name is taken
//       up and the mode follows the deposit folder), whose path it prints;
//       0 written, 2 the results failed.
//   wavix_autre_compte voir <drop box>
//       prints the teacher's view of the drop box; 1 it cannot be listed.
//   wavix_autre_compte vider <drop box>
//       the teacher's "Vider": deletes every file of the drop box and
//       prints the names left; 0 all deleted, 1 some left, 2 it cannot be
//       listed.
//   wavix_autre_compte motdepasse <text>
//       the teacher's gate given that password: 0 it opens, 1 it is wrong,
//       2 the password cannot be asked (the reason printed).
//   wavix_autre_compte changer <old> <new>
//       "Changer le mot de passe", the new one typed twice alike; prints
//       what the window says; 0 stored, 1 not.
//   wavix_autre_compte copie <text>
//       the results view's read-only copy of the text: prints its path, its
//       mode and its folder's (octal), then its bytes; 0 written, 1 not. The
//       copy goes when the program ends.
// Exit status 3: wrong arguments.

#include "app/MotDePasse.h"
#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "evaluation/Resultats.h"
#include "platform/ProfileFile.h"
#include "platform/TextFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdio>

#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 3;
    const QString commande = QString::fromLocal8Bit(argv[1]);
    const QString chemin = QString::fromLocal8Bit(argv[2]);
    if (commande == QLatin1String("ecrire") && argc == 4) {
        const QString resultats = QString::fromLocal8Bit(argv[3]);
        if (!writeProfileString(chemin, QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                                QStringLiteral("0")))
            return 1;
        const QString ouvert = OuvrirFichierResultats(resultats, kModeFichierDepose, false);
        if (ouvert.isEmpty() || !FichierResultatOuvert().writeLine(QStringLiteral("Nom élève :Martin")))
            return 2;
        std::printf("%s\n", QFile::encodeName(ouvert).constData());
        return 0;
    }
    if (commande == QLatin1String("cles") && argc == 5) {
        const QString prefixe = QString::fromLocal8Bit(argv[3]);
        const int nombre = QString::fromLocal8Bit(argv[4]).toInt();
        bool ok = true;
        for (int i = 1; i <= nombre; ++i)
            ok = writeProfileString(chemin, QStringLiteral("Essai"), prefixe + QString::number(i),
                                    QString::number(i))
                && ok;
        return ok ? 0 : 1;
    }
    if (commande == QLatin1String("reglages") && argc == 3)
        return ReglagesDuCompte(chemin) ? 0 : 1;
    if (commande == QLatin1String("marque") && argc == 3)
        return PreparerMarqueMotDePasse(chemin) ? 0 : 1;
    if (commande == QLatin1String("epreuve") && (argc == 4 || argc == 5)) {
        const bool reseau = argc == 5 && QLatin1String(argv[4]) == QLatin1String("reseau");
        const QString ouvert = OuvrirFichierResultats(
            chemin, reseau ? ModeFichierDepot(QFileInfo(chemin).path()) : kModeFichierDepose, reseau);
        const QDateTime debut(QDate(2007, 3, 8), QTime(9, 5, 7));
        LigneReponse a(0), b(1);
        a.signal(QStringLiteral("Cc"), false);
        a.tension(1, false);
        b.signal(QStringLiteral("Cc"), false);
        b.tension(1, false);
        if (ouvert.isEmpty()
            || !FichierResultatOuvert().writeLines(EnteteEleve(QString::fromLocal8Bit(argv[3]), QStringLiteral("Léa"),
                                                               QStringLiteral("1S2"))
                                                   + EnteteEpreuve(QStringLiteral("tp.qvt"), debut)
                                                   + QStringList{a.texte(), b.texte(), LigneScore(4), LigneFinImage(),
                                                                 LigneNote(20)}))
            return 2;
        std::printf("%s\n", QFile::encodeName(ouvert).constData());
        return 0;
    }
    if (commande == QLatin1String("voir") && argc == 3) {
        QList<FichierResultats> fichiers;
        if (!LireDepotResultats(chemin, fichiers))
            return 1;
        std::printf("%s", VueResultats(fichiers).toUtf8().constData());
        return 0;
    }
    if (commande == QLatin1String("vider") && argc == 3) {
        QList<FichierResultats> fichiers;
        if (!LireDepotResultats(chemin, fichiers))
            return 2;
        const QStringList restes = SupprimerFichiersResultats(fichiers);
        for (const QString& reste : restes)
            std::printf("%s\n", QFile::encodeName(reste).constData());
        return restes.isEmpty() ? 0 : 1;
    }
    if (commande == QLatin1String("motdepasse") && argc == 3) {
        if (const QString ferme = MotDePasseFerme(); !ferme.isEmpty()) {
            std::printf("%s\n", ferme.toUtf8().constData());
            return 2;
        }
        return MotDePasseCorrect(chemin) ? 0 : 1;
    }
    if (commande == QLatin1String("copie") && argc == 3) {
        const QString copie = writeViewCopy(chemin, QStringLiteral("Reponses-eleves"));
        QFile lue(copie);
        if (copie.isEmpty() || !lue.open(QIODevice::ReadOnly))
            return 1;
        struct stat fichier {}, dossier {};
        if (lstat(QFile::encodeName(copie).constData(), &fichier) != 0
            || lstat(QFile::encodeName(QFileInfo(copie).path()).constData(), &dossier) != 0)
            return 1;
        std::printf("%s\n%o\n%o\n%s", QFile::encodeName(copie).constData(), unsigned(fichier.st_mode & 07777),
                    unsigned(dossier.st_mode & 07777), lue.readAll().constData());
        return 0;
    }
    if (commande == QLatin1String("changer") && argc == 4) {
        const QString nouveau = QString::fromLocal8Bit(argv[3]);
        const ChangementMotDePasse fait = ChangerMotDePasse(chemin, nouveau, nouveau);
        std::printf("%s\n", fait.message.toUtf8().constData());
        return fait.enregistre ? 0 : 1;
    }
    return 3;
}
