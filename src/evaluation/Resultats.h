#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

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
