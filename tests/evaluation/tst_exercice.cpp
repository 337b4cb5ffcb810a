#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "evaluation/Data.h"
#include "evaluation/Evaluation.h"
#include "scope/CourbeWavix.h"

#include <QtTest>

class tst_Exercice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineForms_data();
    void lineForms();
    void damagedLines_data();
    void damagedLines();
    void typeWords_data();
    void typeWords();
    void wordsWithoutAccentsDrawTheirWaveform();
    void refusedFiles_data();
    void refusedFiles();
    void fileSkipsCommentsAndEmptyLines();
    void damagedFileNamesFileAndLine_data();
    void damagedFileNamesFileAndLine();
    void missingFile();
    void loadingDrawsTheExpectedSignal();
};

void tst_Exercice::lineForms_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("signalA");
    QTest::addColumn<double>("umaxA");
    QTest::addColumn<double>("freqA");
    QTest::addColumn<QString>("signalB");
    QTest::addColumn<double>("umaxB");
    QTest::addColumn<double>("freqB");

    QTest::newRow("editor, DC and sine") << "CC/5//sinusoïdale/3/50" << "Cc" << 5.0 << 0.0 << "Sinusoïdale" << 3.0 << 50.0;
    QTest::newRow("editor, two AC") << "sinusoïdale/3/50/carrée/4/1000" << "Sinusoïdale" << 3.0 << 50.0 << "Carrée" << 4.0 << 1000.0;
    QTest::newRow("both DC, point decimal") << "CC/5//CC/1.5/" << "Cc" << 5.0 << 0.0 << "Cc" << 1.5 << 0.0;
    QTest::newRow("comma decimal") << "CC/1,5//triangulaire/2,25/0.5" << "Cc" << 1.5 << 0.0 << "Triangulaire" << 2.25 << 0.5;
    QTest::newRow("blanks round the fields") << "Triangle / 2.5 / 100 / cc / 3 / " << "Triangle" << 2.5 << 100.0 << "Cc" << 3.0 << 0.0;
    QTest::newRow("blanks only") << "   " << "Cc" << 0.0 << 0.0 << "Cc" << 0.0 << 0.0;
    QTest::newRow("alternator peak") << "dyn/6/20/CC/0/" << "Dyn" << 4.0 << 20.0 << "Cc" << 0.0 << 0.0;
    QTest::newRow("words in capitals") << "SINUS/1/2/CARRE/3/4" << "Sinus" << 1.0 << 2.0 << "Carre" << 3.0 << 4.0;
    QTest::newRow("words in mixed case") << "sInUsOÏdAlE/1/2/tRiAnGlE/3/4" << "Sinusoïdale" << 1.0 << 2.0 << "Triangle" << 3.0 << 4.0;
    QTest::newRow("two separators repeat CH1") << "sinus/5/50" << "Sinus" << 5.0 << 50.0 << "Sinus" << 5.0 << 50.0;
    QTest::newRow("four separators wrap to the start") << "/5/0/CC/3" << "Cc" << 5.0 << 0.0 << "Cc" << 3.0 << 0.0;
    QTest::newRow("a seventh field is ignored") << "cc/1//cc/2//extra" << "Cc" << 1.0 << 0.0 << "Cc" << 2.0 << 0.0;
    QTest::newRow("the largest values") << "sinus/-1000/10000000/cc/1000/" << "Sinus" << -1000.0 << 1e7 << "Cc" << 1000.0 << 0.0;
    QTest::newRow("negative DC") << "CC/-4,5//CC/0/" << "Cc" << -4.5 << 0.0 << "Cc" << 0.0 << 0.0;
}

void tst_Exercice::lineForms()
{
    QFETCH(QString, ligne);
    QFETCH(QString, signalA);
    QFETCH(double, umaxA);
    QFETCH(double, freqA);
    QFETCH(QString, signalB);
    QFETCH(double, umaxB);
    QFETCH(double, freqB);
    ImageExo image;
    QString erreur;
    QVERIFY2(LireLigneExo(ligne, image, erreur), qPrintable(erreur));
    QCOMPARE(image.signalA, signalA);
    QVERIFY(qAbs(image.umaxA - umaxA) < 1e-9);
    QCOMPARE(image.freqA, freqA);
    QCOMPARE(image.signalB, signalB);
    QCOMPARE(image.umaxB, umaxB);
    QCOMPARE(image.freqB, freqB);
}

void tst_Exercice::damagedLines_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("erreur");
    QTest::newRow("voltage not a number") << "sinus/abc/50/cc/1/" << "la tension de la voie CH1 (« abc ») n'est pas un nombre.";
    QTest::newRow("two points") << "cc/1.000.5//cc/1/" << "la tension de la voie CH1 (« 1.000.5 ») n'est pas un nombre.";
    QTest::newRow("frequency with a unit") << "cc/1//sinus/2/50 Hz" << "la fréquence de la voie CH2 (« 50 Hz ») n'est pas un nombre.";
    QTest::newRow("one separator") << "sinus/5" << "la fréquence de la voie CH1 (« sinus ») n'est pas un nombre.";
    QTest::newRow("unknown word") << "sinus/5/50/bruit/1/10" << "le type de signal de la voie CH2 (« bruit ») est inconnu.";
    QTest::newRow("harmonics cannot be answered") << "harmo/1/50/cc/0/" << "le type de signal de la voie CH1 (« harmo ») ne peut pas être évalué.";
    QTest::newRow("alternator at 0 Hz") << "dyn/6/0/cc/0/" << "la fréquence de l'alternateur de la voie CH1 ne peut pas être nulle.";
    QTest::newRow("alternator without frequency") << "cc/1//dyn/6/" << "la fréquence de l'alternateur de la voie CH2 ne peut pas être nulle.";
    QTest::newRow("negative frequency") << "sinus/2/-50/cc/0/" << "la fréquence de la voie CH1 (« -50 ») est négative.";
    QTest::newRow("frequency beyond 10 MHz") << "cc/1//sinus/2/10000000,5" << "la fréquence de la voie CH2 (« 10000000,5 ») dépasse 10 MHz.";
    QTest::newRow("voltage beyond 1000 V") << "sinus/1000.1/50/cc/0/" << "la tension de la voie CH1 (« 1000.1 ») dépasse 1000 V.";
    QTest::newRow("negative voltage beyond 1000 V") << "cc/0//cc/-1001/" << "la tension de la voie CH2 (« -1001 ») dépasse 1000 V.";
    QTest::newRow("number that is not finite") << "cc/" + QString(400, '9') + "//cc/0/"
                                               << "la tension de la voie CH1 (« " + QString(400, '9') + " ») n'est pas un nombre.";
}

void tst_Exercice::typeWords_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<int>("forme");
    const int sinus = int(FormeOnde::Sinus), carre = int(FormeOnde::Carre), triangle = int(FormeOnde::Triangle);
    QTest::newRow("sinusoïdale") << "sinusoïdale" << "Sinusoïdale" << sinus;
    QTest::newRow("sinusoidale") << "sinusoidale" << "Sinusoidale" << sinus;
    QTest::newRow("SINUSOÏDALE") << "SINUSOÏDALE" << "Sinusoïdale" << sinus;
    QTest::newRow("Sinus") << "Sinus" << "Sinus" << sinus;
    QTest::newRow("carrée") << "carrée" << "Carrée" << carre;
    QTest::newRow("carree") << "carree" << "Carree" << carre;
    QTest::newRow("carre") << "carre" << "Carre" << carre;
    QTest::newRow("Carré") << "Carré" << "Carré" << carre;
    QTest::newRow("CARRÉE") << "CARRÉE" << "Carrée" << carre;
    QTest::newRow("triangulaire") << "triangulaire" << "Triangulaire" << triangle;
    QTest::newRow("TRIANGLE") << "TRIANGLE" << "Triangle" << triangle;
    QTest::newRow("cc") << "cc" << "Cc" << int(FormeOnde::Continu);
    QTest::newRow("Dyn") << "DYN" << "Dyn" << int(FormeOnde::Dyn);
}

void tst_Exercice::typeWords()
{
    QFETCH(QString, mot);
    QFETCH(QString, stocke);
    QFETCH(int, forme);
    ImageExo image;
    QString erreur;
    QVERIFY2(LireLigneExo(mot + "/2/50/" + mot + "/3/60", image, erreur), qPrintable(erreur));
    QCOMPARE(image.signalA, stocke);
    QCOMPARE(image.signalB, stocke);
    // The scope draws the word it reads as the waveform it spells.
    QCOMPARE(int(FormeDuMot(image.signalA)), forme);
}

void tst_Exercice::damagedLines()
{
    QFETCH(QString, ligne);
    QFETCH(QString, erreur);
    ImageExo image;
    QString recu;
    QVERIFY(!LireLigneExo(ligne, image, recu));
    QCOMPARE(recu, erreur);
}

void tst_Exercice::fileSkipsCommentsAndEmptyLines()
{
    TestHome home;
    const QString chemin = home.path("tp1.qvt");
    QVERIFY(TestHome::writeFile(chemin, "'Premier TP\r\n\r\nCC/5//sinuso\xEF" "dale/3/50\r\n'fin\r\n  \r\ndyn/6/20/CC/0/\r\n"));
    FichierExo f;
    QString message;
    QVERIFY2(ChargerFichierExo(chemin, f, message), qPrintable(message));
    QCOMPARE(f.titre, QStringLiteral("tp1.qvt"));
    QCOMPARE(f.images.size(), 3);
    QCOMPARE(f.lignes, (QList<int>{3, 5, 6}));
    QCOMPARE(f.images[0].signalB, QStringLiteral("Sinusoïdale")); // read as Windows-1252
    QCOMPARE(f.images[1].signalA, QStringLiteral("Cc"));

    // Comments and empty lines only: no picture, and no error.
    QVERIFY(TestHome::writeFile(chemin, "'rien\r\n\r\n"));
    QVERIFY(ChargerFichierExo(chemin, f, message));
    QVERIFY(f.images.isEmpty());
}

void tst_Exercice::damagedFileNamesFileAndLine_data()
{
    QTest::addColumn<QString>("nom");
    QTest::newRow("plain") << "tp2.qvt";
    // Names are shown as they are, whatever they hold.
    QTest::newRow("percent signs") << "TP%1.qvt";
    QTest::newRow("two markers") << "%2 et %3.qvt";
}

void tst_Exercice::damagedFileNamesFileAndLine()
{
    QFETCH(QString, nom);
    BancScope b(0, 1);
    const QString chemin = b.home.path("Exos/" + nom);
    QVERIFY(TestHome::writeFile(chemin, "'TP2\r\nCC/5//CC/1/\r\nsinus/3/cinquante/CC/0/\r\nCC/1//CC/1/\r\n"));
    FichierExo f;
    QString message;
    QVERIFY(!ChargerFichierExo(chemin, f, message));
    QCOMPARE(message, "Le fichier d'exercices « " + nom + " » est endommagé.\r\n"
                      "Ligne 3 : la fréquence de la voie CH1 (« cinquante ») n'est pas un nombre.");
    QVERIFY(f.images.isEmpty());

    // The answer window of a run on a sound file of that name.
    QVERIFY(TestHome::writeFile(chemin, "CC/5//CC/1/\r\nsinus/3/50/CC/0/\r\n"));
    QVERIFY2(ChargerFichierExo(chemin, f, message), qPrintable(message));
    DemarrerEvaluation(f);
    const VbForm* reponses = Forms().find("frmExo");
    QVERIFY(reponses);
    QCOMPARE(reponses->windowTitle(), nom + " - 2 wavixgrammes - Wavixgramme n° 1");
}

void tst_Exercice::missingFile()
{
    TestHome home;
    FichierExo f;
    QString message;
    QVERIFY(!ChargerFichierExo(home.path("absent.qvt"), f, message));
    QCOMPARE(message, QStringLiteral("Le fichier d'exercices « absent.qvt » ne peut pas être lu."));
}

void tst_Exercice::refusedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("over the cap") << "huge" << "Le fichier d'exercices « tp.qvt » est trop volumineux (plus de 4 Mo) : il n'est pas lu.";
    QTest::newRow("link to /dev/zero")
        << "zero" << "Le fichier d'exercices « tp.qvt » n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique) : il n'est pas lu.";
    QTest::newRow("link to a good file")
        << "link" << "Le fichier d'exercices « tp.qvt » n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique) : il n'est pas lu.";
}

void tst_Exercice::refusedFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TestHome home;
    const QString chemin = home.path("tp.qvt");
    if (kind == "huge") {
        // Good lines, but more than an exercise file ever holds.
        const QByteArray ligne = "sinus/1/50/cc/1/\r\n";
        QVERIFY(TestHome::writeFile(chemin, ligne.repeated(kTailleMaxExercice / ligne.size() + 1)));
    } else if (kind == "zero") {
        QVERIFY(QFile::link("/dev/zero", chemin));
    } else {
        QVERIFY(TestHome::writeFile(home.path("vrai.qvt"), "sinus/1/50/cc/1/\r\n"));
        QVERIFY(QFile::link(home.path("vrai.qvt"), chemin));
    }
    FichierExo f;
    QString recu;
    QVERIFY(!ChargerFichierExo(chemin, f, recu));
    QCOMPARE(recu, message);
    QVERIFY(f.images.isEmpty());
}

void tst_Exercice::wordsWithoutAccentsDrawTheirWaveform()
{
    BancScope b(0, 1);
    Modele().passerEnModeLibre(false);
    int canal = 0;
    Modele().modifierVoie(kDeuxVoies, [&](EtatVoie& v) {
        v.SourceBranchee = true;
        v.CouleurTrace = canal++ == 0 ? kJaune : kVert;
    });
    auto dessin = [&b](const QString& ligne) {
        ImageExo image;
        QString erreur;
        if (!LireLigneExo(ligne, image, erreur))
            return QImage();
        ChargerImageExo(image);
        return b.image();
    };
    const QImage carre = dessin("carre/2/500/triangle/1/500");
    const QImage sinus = dessin("sinus/2/500/triangle/1/500");
    QVERIFY(!carre.isNull() && carre != sinus);
    QCOMPARE(dessin("carree/2/500/triangulaire/1/500"), carre);
    QCOMPARE(dessin("CARRÉ/2/500/Triangulaire/1/500"), carre);
    QCOMPARE(dessin("sinusoidale/2/500/TRIANGLE/1/500"), sinus);
}

void tst_Exercice::loadingDrawsTheExpectedSignal()
{
    BancScope b(0, 1);
    Modele().passerEnModeLibre(false);
    int canal = 0;
    Modele().modifierVoie(kDeuxVoies, [&](EtatVoie& v) {
        v.SourceBranchee = true;
        v.CouleurTrace = canal++ == 0 ? kJaune : kVert;
    });
    ImageExo image;
    QString erreur;
    QVERIFY(LireLigneExo("CC/3//sinus/2/50", image, erreur));
    ChargerImageExo(image);
    QCOMPARE(Banc().voies[0].SignalExo, QStringLiteral("Cc"));
    QCOMPARE(Banc().voies[0].UmaxExo, 3.0);
    QCOMPARE(Banc().voies[1].FreqExo, 50.0);
    QVERIFY(qAbs(extent(b.image(), kJaune).first - 300) <= 1);
}

QTEST_MAIN(tst_Exercice)
#include "tst_exercice.moc"
