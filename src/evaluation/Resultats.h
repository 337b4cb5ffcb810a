#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "platform/TextFiles.h"

#include <sys/types.h>

// The records of the results file, each one's exact text in one place. The
// file is French: decimal commas, dates dd/mm/yyyy hh:mm:ss, whatever the
// machine's locale.

// A number with a pattern ("#0.0", "####0.0", "#0") and a decimal comma.
QString NombreResultat(double valeur, const QString& motif);

// The student header of an evaluated-mode start: an empty line, 38 "*",
// name, first name, class. Control characters typed in them become blanks.
QStringList EnteteEleve(const QString& nom, const QString& prenom, const QString& classe);
// The run header: 72 "=", 72 "¤", the exercise file, the date and time,
// 72 "¤", 72 "=".
QStringList EnteteEpreuve(const QString& fichierExercice, const QDateTime& moment);

// One channel's answer line, built piece by piece as the scoring goes.
class LigneReponse {
public:
    explicit LigneReponse(int voie); // 0: "Voie A", 1: "Voie B"
    void signal(const QString& mot, bool faux);
    void tension(double volts, bool faux);
    void frequence(double hertz, bool faux);
    const QString& texte() const { return texte_; }

private:
    int voie_;
    QString texte_;
};

// "        Score : " and the running total.
QString LigneScore(int score);
// 52 "*" after each picture.
QString LigneFinImage();
// " -------> Note : " and the mark out of 20.
QString LigneNote(double note);

// Appends the lines to the open results file as one record, on disk at
// once. False when the file is not open or the write fails; a failed write
// is reported to the student (call the teacher), the file is cut back to its
// last whole record and closed (FichierResultatOuvert().failed()), and the
// caller ends the run. A file deleted during the run (alone or with its
// deposit folder) is reported as such and ends the run the same way.
bool EcrireResultats(const QStringList& lignes);

// The largest results file the view reads: years of a class's runs.
constexpr qint64 kTailleMaxResultats = 16 << 20;

// One results file as the teacher's view shows it.
struct FichierResultats {
    QString chemin;
    uid_t proprietaire = 0;           // the account the file belongs to
    FileStatus etat = FileStatus::Ok; // Ok: texte holds the file
    QString texte;
};
// Reads a results file for the view: only a regular file, never through a
// link, a FIFO or a device, at most kTailleMaxResultats.
FichierResultats LireFichierResultats(const QString& chemin);
// Every entry of the drop box, whatever it is (a link or a FIFO is listed
// with its reason); false when the folder cannot be listed.
bool LireDepotResultats(const QString& depot, QList<FichierResultats>& fichiers);
// The view of the class's results: each file ordered by the date and time
// of its first run header (files without one last, by name), preceded by a
// line naming the account the file belongs to beside the name typed in it,
// or the reason it could not be read. The files are not changed; a line of
// theirs that could pass for one of the view's is shown set off.
QString VueResultats(QList<FichierResultats> fichiers);
// Deletes the files (each name itself, never through a link; an empty
// folder too). The names that could not be deleted.
QStringList SupprimerFichiersResultats(const QList<FichierResultats>& fichiers);
