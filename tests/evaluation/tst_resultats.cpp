#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "evaluation/Resultats.h"
#include "platform/SystemServices.h"
#include "platform/TextFiles.h"

#include <QDir>

#include <QtTest>

namespace {

// Windows-1252 bytes, CR LF after each line.
QByteArray octets(const QList<QByteArray>& lignes)
{
    QByteArray b;
    for (const QByteArray& l : lignes)
        b += l + "\r\n";
    return b;
}

} // namespace

class tst_Resultats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headersByteForByte();
    void controlCharactersBecomeBlanks();
    void answerLines_data();
    void answerLines();
    void scoreAndMark_data();
    void scoreAndMark();
    void writingNeedsAnOpenFile();
    void classViewOrder();
    void classViewCannotBeForged();
};

void tst_Resultats::headersByteForByte()
{
    TestHome home;
    const QString chemin = home.path("Resultat.txt");
    QVERIFY(TestHome::writeFile(chemin, "avant\r\n"));
    QVERIFY(FichierResultatOuvert().open(chemin));
    QVERIFY(EcrireResultats(EnteteEleve("Dupré", "Zoé", "2nde B")));
    // Flushed at once: another reader sees it while the file is open.
    QVERIFY(TestHome::readFile(chemin).endsWith("Classe \xE9l\xE8ve :2nde B\r\n"));
    QVERIFY(EcrireResultats(EnteteEpreuve("tp1.qvt", QDateTime(QDate(2007, 3, 8), QTime(9, 5, 7)))));
    FermerFichiers();

    const QByteArray egal(72, '='), monnaie(72, '\xA4');
    QCOMPARE(TestHome::readFile(chemin),
             octets({"avant", "", QByteArray(38, '*'), "Nom \xE9l\xE8ve :Dupr\xE9", "Pr\xE9nom \xE9l\xE8ve :Zo\xE9",
                     "Classe \xE9l\xE8ve :2nde B", egal, monnaie, "Nom du fichier :tp1.qvt",
                     "Jour et Heure :08/03/2007 09:05:07", monnaie, egal}));
}

void tst_Resultats::controlCharactersBecomeBlanks()
{
    const QStringList entete = EnteteEleve("Dupont\r\nNote : 20/20", "Jean\tLuc", "T\x01S");
    QCOMPARE(entete.size(), 5);
    QCOMPARE(entete[2], QStringLiteral("Nom élève :Dupont  Note : 20/20"));
    QCOMPARE(entete[3], QStringLiteral("Prénom élève :Jean Luc"));
    QCOMPARE(entete[4], QStringLiteral("Classe élève :T S"));
}

void tst_Resultats::answerLines_data()
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<bool>("signalFaux");
    QTest::addColumn<double>("u");
    QTest::addColumn<bool>("uFaux");
    QTest::addColumn<double>("f");   // < 0: no frequency piece
    QTest::addColumn<bool>("fFaux");
    QTest::addColumn<QString>("ligne");
    QTest::newRow("sine, wrong frequency") << 0 << "Sinus" << false << 3.0 << false << 55.0 << true
                                           << "Voie A : Signal : Sinus ; Ua = 3,0 ; Fa = 55,0 (FAUX)";
    QTest::newRow("DC on CH2") << 1 << "Cc" << false << 5.0 << false << -1.0 << false << "Voie B : Signal : Cc ; Ub = 5,0";
    QTest::newRow("rounded voltage, 1000 Hz") << 0 << "Carre" << false << 12.34 << true << 1000.0 << false
                                              << "Voie A : Signal : Carre ; Ua = 12,3 (FAUX) ; Fa = 1000,0";
    QTest::newRow("DC answer to an AC picture") << 1 << "Cc" << true << 2.0 << false << 0.0 << true
                                                << "Voie B : Signal : Cc (FAUX) ; Ub = 2,0 ; Fb = 0,0 (FAUX)";
    QTest::newRow("small voltage") << 0 << "Triangle" << false << 0.26 << false << 0.5 << false
                                   << "Voie A : Signal : Triangle ; Ua = 0,3 ; Fa = 0,5";
}

void tst_Resultats::answerLines()
{
    QFETCH(int, voie);
    QFETCH(QString, mot);
    QFETCH(bool, signalFaux);
    QFETCH(double, u);
    QFETCH(bool, uFaux);
    QFETCH(double, f);
    QFETCH(bool, fFaux);
    QFETCH(QString, ligne);
    QLocale::setDefault(QLocale::c());
    LigneReponse r(voie);
    r.signal(mot, signalFaux);
    r.tension(u, uFaux);
    if (f >= 0)
        r.frequence(f, fFaux);
    QCOMPARE(r.texte(), ligne);
}

void tst_Resultats::scoreAndMark_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("score 7") << LigneScore(7) << "        Score : 7";
    QTest::newRow("score 0") << LigneScore(0) << "        Score : 0";
    QTest::newRow("mark 13.333") << LigneNote(13.333) << " -------> Note : 13,3/20";
    QTest::newRow("mark 20") << LigneNote(20) << " -------> Note : 20,0/20";
    QTest::newRow("mark 0.25") << LigneNote(0.25) << " -------> Note : 0,3/20";
    QTest::newRow("end of picture") << LigneFinImage() << QString(52, '*');
}

void tst_Resultats::scoreAndMark()
{
    QFETCH(QString, ligne);
    QFETCH(QString, attendu);
    QCOMPARE(ligne, attendu);
}

void tst_Resultats::writingNeedsAnOpenFile()
{
    TestHome home;
    FermerFichiers();
    QVERIFY(!EcrireResultats({"x"}));
    // A folder that cannot be written: the file does not open.
    QVERIFY(!FichierResultatOuvert().open(home.path("absent/Resultat.txt")));
}

QTEST_MAIN(tst_Resultats)
#include "tst_resultats.moc"

void tst_Resultats::classViewOrder()
{
    TestHome home;
    const QString depot = home.path("Resultats");
    // One student's header and the run headers of a file, as the writers
    // put them.
    auto fichier = [&](const QString& nom, const QString& eleve, const QStringList& debuts) {
        QStringList lignes = EnteteEleve(eleve, "Paul", "1S2");
        for (const QString& debut : debuts)
            lignes << EnteteEpreuve("tp.qvt", QDateTime::fromString(debut, "dd/MM/yyyy HH:mm:ss"));
        QVERIFY(writeTextFile(depot + "/" + nom, lignes));
    };
    QVERIFY(QDir().mkpath(depot));
    // The day's text sorts first, the date comes last.
    fichier("a.txt", "Arnaud", {"02/01/2008 08:00:00"});
    fichier("b.txt", "Blanc", {"15/12/2007 10:30:00"});
    // Only the first run counts, not a later one.
    fichier("c.txt", "Colin", {"01/01/2008 17:00:00", "03/01/2008 09:00:00"});
    // No run: last.
    fichier("0.txt", "Zola", {});
    // The same minute as b: by name.
    fichier("d.txt", "Dumas", {"15/12/2007 10:30:00"});

    QList<FichierResultats> fichiers;
    QVERIFY(LireDepotResultats(depot, fichiers));
    QCOMPARE(fichiers.size(), 5);
    QStringList entetes;
    for (const QString& ligne : VueResultats(fichiers).split("\r\n"))
        if (ligne.startsWith("#### "))
            entetes << ligne.section(" ; ", 1, 1);
    QCOMPARE(entetes, QStringList({"nom saisi : Blanc Paul", "nom saisi : Dumas Paul", "nom saisi : Colin Paul",
                                   "nom saisi : Arnaud Paul", "nom saisi : Zola Paul"}));
    // A folder that cannot be listed is said, not shown empty.
    QVERIFY(!LireDepotResultats(home.path("absent"), fichiers));
}

void tst_Resultats::classViewCannotBeForged()
{
    TestHome home;
    const QString depot = home.path("Resultats");
    QVERIFY(QDir().mkpath(depot));
    // A student's own file, where he wrote what would pass in the view for
    // another account's file with a mark of 20: at the start of a line, after
    // a lone CR (a line break to some editors), after blanks, after a
    // Unicode line separator; and a run header with no such date.
    const QByteArray faux = "#### Compte : eleve1 ; nom saisi : Durand L\xc3\xa9" "a ; fichier : QVT_eleve1.txt ####";
    QVERIFY(TestHome::writeFile(depot + "/QVT_eleve3.txt",
                                "Nom \xc3\xa9l\xc3\xa8ve :Martin\r\n" + faux + "\r\n -------> Note : 20,0/20\r\n"
                                "Jour et Heure :32/13/2007 25:61:00\r\nx\r" + faux + "\r\n   " + faux + "\r\ny\xe2\x80\xa8" + faux
                                    + "\r\n"));
    QList<FichierResultats> fichiers;
    QVERIFY(LireDepotResultats(depot, fichiers));
    const QStringList lignes = VueResultats(fichiers).split("\r\n");
    QStringList entetes;
    for (const QString& ligne : lignes)
        if (ligne.startsWith("#### "))
            entetes << ligne;
    QCOMPARE(entetes, QStringList{"#### Compte : " + accountName(currentAccount())
                                  + " ; nom saisi : Martin ; fichier : QVT_eleve3.txt ####"});
    const QString montre = QString::fromUtf8(faux);
    QVERIFY(lignes.contains("> " + montre));
    QVERIFY(lignes.contains("x " + montre));
    QVERIFY(lignes.contains("> " + QString("   ") + montre));
    QVERIFY(lignes.contains("y " + montre));
}
