#include "PetitDisque.h"
#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "evaluation/Data.h"
#include "evaluation/frmCreateFile.h"
#include "evaluation/frmExo.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextCodec.h"
#include "scope/CourbeWavix.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The editor on an empty list, its data folder in a home of its own.
struct Editeur {
    TestHome home;
    ScriptedDialogs dialogs;
    frmCreateFile* f = nullptr;

    Editeur()
    {
        Session().DossierDonnees = home.documents() + "/Brelmar/Wavix/";
        QDir().mkpath(Session().DossierDonnees);
        f = Forms().get<frmCreateFile>();
    }
    ~Editeur()
    {
        Forms().unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void cliquer(const char* bouton) { f->findChild<QPushButton*>(bouton)->click(); }
    // forme -1 is DC, else the waveform item.
    void voie(int c, int forme, const QString& tension, const QString& frequence = QString())
    {
        f->optSignal[size_t(2 * c + (forme < 0 ? 0 : 1))]->click();
        if (forme >= 0)
            f->cboAlternatif[size_t(c)]->setCurrentIndex(forme);
        f->txtData[size_t(2 * c)]->setText(tension);
        f->txtData[size_t(2 * c + 1)]->setText(frequence);
    }
    void choisir(int ligne) { f->lstListeData->setCurrentRow(ligne); }
    // The one message shown: an input error with that text.
    void erreurDeSaisie(const QString& texte) const
    {
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, texte);
        QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Erreur de saisie"));
    }
    // The save dialog answered with the path, then the messages that follow.
    void enregistrer(const QString& chemin, const QList<int>& reponses = {})
    {
        dialogs.answerFile(chemin);
        for (int reponse : reponses)
            dialogs.answerMessage(reponse);
        cliquer("cmdSave");
    }
    // What the fields show, channel by channel: "CC 5 |" or "carrée 4 1000".
    QString champs(int c) const
    {
        const bool continu = f->optSignal[size_t(2 * c)]->isChecked();
        return (continu ? QStringLiteral("CC") : f->cboAlternatif[size_t(c)]->currentText()) + ' '
            + f->txtData[size_t(2 * c)]->text() + ' ' + f->txtData[size_t(2 * c + 1)]->text();
    }
};

const char kMessageTension[] = "La tension maximale (en V) pour la voie CH1\r\nn'est pas une valeur numérique.\r\n"
                               "Veuillez faire la correction nécessaire.";

} // namespace

class tst_EditeurExo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsEmptyOnDC();
    void roundTrip_data();
    void roundTrip();
    void loadsLinesTheReaderAccepts_data();
    void loadsLinesTheReaderAccepts();
    void modifyKeepsUnchangedLines();
    void modifyKeepsEveryPicture_data();
    void modifyKeepsEveryPicture();
    void numericCheck_data();
    void numericCheck();
    void emptyFieldStopsAdding();
    void waveformsInTheAnswerOrder();
    void moveAndRemove();
    void handWrittenFlatWaveIsRefusedOnChange();
    void commentLines_data();
    void commentLines();
    void quitAsksAboutAnUnsavedList_data();
    void quitAsksAboutAnUnsavedList();
    void saveDialogProposals();
    void overwriteAsked();
    void failedSaveKeepsFileAndList();
};

void tst_EditeurExo::startsEmptyOnDC()
{
    Editeur e;
    QCOMPARE(e.f->windowTitle(), QStringLiteral("Création / Modification de fichiers Wavix"));
    QVERIFY(!e.f->cmdChange->isEnabled());
    for (int c = 0; c < 2; ++c) {
        QVERIFY(e.f->optSignal[size_t(2 * c)]->isChecked());
        QVERIFY(!e.f->cboAlternatif[size_t(c)]->isEnabled());
        QVERIFY(!e.f->txtData[size_t(2 * c + 1)]->isEnabled());
        QVERIFY(e.f->txtData[size_t(2 * c)]->isEnabled());
    }
    e.f->optSignal[1]->click();
    QVERIFY(e.f->cboAlternatif[0]->isEnabled());
    QVERIFY(e.f->txtData[1]->isEnabled());
    QVERIFY(!e.f->txtData[3]->isEnabled());
    QCOMPARE(e.f->lstListeData->count(), 0);
}

void tst_EditeurExo::roundTrip_data()
{
    QTest::addColumn<int>("forme1");
    QTest::addColumn<QString>("u1");
    QTest::addColumn<QString>("f1");
    QTest::addColumn<int>("forme2");
    QTest::addColumn<QString>("u2");
    QTest::addColumn<QString>("f2");
    QTest::addColumn<QString>("commentaire");
    QTest::addColumn<QByteArray>("octets"); // the whole file, Windows-1252
    QTest::addColumn<QString>("signalA");
    QTest::addColumn<double>("umaxA");
    QTest::addColumn<double>("freqA");
    QTest::addColumn<QString>("signalB");
    QTest::addColumn<double>("umaxB");
    QTest::addColumn<double>("freqB");

    QTest::newRow("DC and sine") << -1 << "5" << "" << 0 << "3" << "50" << ""
                                 << QByteArray("CC/5//sinuso\xEF" "dale/3/50\r\n") << "Cc" << 5.0 << 0.0
                                 << "Sinusoïdale" << 3.0 << 50.0;
    QTest::newRow("triangle and square, commas")
        << 2 << "2,5" << "100" << 1 << "4" << "1000" << "" << QByteArray("triangulaire/2,5/100/carr\xE9" "e/4/1000\r\n")
        << "Triangulaire" << 2.5 << 100.0 << "Carrée" << 4.0 << 1000.0;
    QTest::newRow("both DC, point and blanks")
        << -1 << " 5 " << "" << -1 << "1.5" << "" << "" << QByteArray("CC/5//CC/1.5/\r\n") << "Cc" << 5.0 << 0.0
        << "Cc" << 1.5 << 0.0;
    QTest::newRow("negative DC, decimal comma")
        << -1 << "-3,5" << "" << 0 << "0,5" << "2.5" << "" << QByteArray("CC/-3,5//sinuso\xEF" "dale/0,5/2.5\r\n")
        << "Cc" << -3.5 << 0.0 << "Sinusoïdale" << 0.5 << 2.5;
    QTest::newRow("frequency left in a DC field")
        << -1 << "2" << "" << -1 << "1" << "" << "" << QByteArray("CC/2//CC/1/\r\n") << "Cc" << 2.0 << 0.0 << "Cc"
        << 1.0 << 0.0;
    QTest::newRow("comment") << 1 << "1" << "20" << -1 << "0" << "" << " Période : 50 ms"
                             << QByteArray("' P\xE9riode : 50 ms\r\ncarr\xE9" "e/1/20/CC/0/\r\n") << "Carrée" << 1.0
                             << 20.0 << "Cc" << 0.0 << 0.0;
    QTest::newRow("line breaks in a comment")
        << -1 << "1" << "" << -1 << "2" << "" << "un\r\ndeux\ttrois\n" << QByteArray("'un  deux trois \r\nCC/1//CC/2/\r\n")
        << "Cc" << 1.0 << 0.0 << "Cc" << 2.0 << 0.0;
}

void tst_EditeurExo::roundTrip()
{
    QFETCH(int, forme1);
    QFETCH(QString, u1);
    QFETCH(QString, f1);
    QFETCH(int, forme2);
    QFETCH(QString, u2);
    QFETCH(QString, f2);
    QFETCH(QString, commentaire);
    QFETCH(QByteArray, octets);
    Editeur e;
    if (QTest::currentDataTag() == QByteArray("frequency left in a DC field"))
        e.voie(0, 0, "9", "50"); // typed as AC, then switched to DC below
    e.voie(0, forme1, u1, f1.isEmpty() && forme1 < 0 ? e.f->txtData[1]->text() : f1);
    e.voie(1, forme2, u2, f2);
    e.f->txtCommentaire->setText(commentaire);
    e.cliquer("cmdAdd");
    QVERIFY(e.dialogs.messages().isEmpty());
    // The fields are ready for the next picture.
    QCOMPARE(e.champs(0), QStringLiteral("CC  "));
    QCOMPARE(e.champs(1), QStringLiteral("CC  "));
    QVERIFY(e.f->txtCommentaire->text().isEmpty());

    const QString chemin = Session().DossierDonnees + "tp.qvt";
    e.enregistrer(chemin);
    QCOMPARE(TestHome::readFile(chemin), octets);
    QCOMPARE(TestHome::modeOf(chemin), 0644u);

    FichierExo fichier;
    QString message;
    QVERIFY2(ChargerFichierExo(chemin, fichier, message), qPrintable(message));
    QCOMPARE(fichier.images.size(), 1);
    const ImageExo& image = fichier.images[0];
    QTEST(image.signalA, "signalA");
    QTEST(image.umaxA, "umaxA");
    QTEST(image.freqA, "freqA");
    QTEST(image.signalB, "signalB");
    QTEST(image.umaxB, "umaxB");
    QTEST(image.freqB, "freqB");
}

void tst_EditeurExo::loadsLinesTheReaderAccepts_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("ch1");
    QTest::addColumn<QString>("ch2");
    QTest::addColumn<QString>("reecrite"); // the line "Modifier" writes back, fields unchanged

    QTest::newRow("editor line") << "CC/5//sinusoïdale/3/50" << "CC 5 " << "sinusoïdale 3 50"
                                 << "CC/5//sinusoïdale/3/50";
    QTest::newRow("DC written by hand") << " cc /2/ / Cc/1,5/" << "CC 2 " << "CC 1,5 " << "CC/2//CC/1,5/";
    QTest::newRow("empty type reads as DC") << "/2//sinus/1/10" << "CC 2 " << "sinusoïdale 1 10"
                                            << "CC/2//sinusoïdale/1/10";
    QTest::newRow("scope words") << "Triangle/1/5/CARRE/2.5/8" << "triangulaire 1 5" << "carrée 2.5 8"
                                 << "triangulaire/1/5/carrée/2.5/8";
    QTest::newRow("alternator keeps its word") << "dyn/3/12/cc/0/" << "dyn 3 12" << "CC 0 " << "dyn/3/12/CC/0/";
    QTest::newRow("empty fields read as 0") << "sinus/2/5/CC//" << "sinusoïdale 2 5" << "CC 0 " << "sinusoïdale/2/5/CC/0/";
    QTest::newRow("short line, CH2 as CH1") << "sinus/5/50" << "sinusoïdale 5 50" << "sinusoïdale 5 50"
                                            << "sinusoïdale/5/50/sinusoïdale/5/50";
    QTest::newRow("extra pieces ignored") << "CC/1//CC/2//note" << "CC 1 " << "CC 2 " << "CC/1//CC/2/";
}

void tst_EditeurExo::loadsLinesTheReaderAccepts()
{
    QFETCH(QString, ligne);
    QFETCH(QString, reecrite);
    ImageExo image;
    QString erreur;
    QVERIFY2(LireLigneExo(ligne, image, erreur), qPrintable(erreur));

    Editeur e;
    e.f->chargerFichier(QString(), {"'avant", ligne});
    e.choisir(1);
    QTEST(e.champs(0), "ch1");
    QTEST(e.champs(1), "ch2");
    QVERIFY(e.f->cmdChange->isEnabled());
    e.cliquer("cmdChange");
    QVERIFY(e.dialogs.messages().isEmpty());
    QCOMPARE(e.f->lignes(), QStringList({"'avant", reecrite}));
    QVERIFY(!e.f->cmdChange->isEnabled());

    // A comment goes to the comment box.
    e.choisir(0);
    QCOMPARE(e.f->txtCommentaire->text(), QStringLiteral("avant"));
    QCOMPARE(e.champs(0), QStringLiteral("CC  "));
}

void tst_EditeurExo::modifyKeepsUnchangedLines()
{
    Editeur e;
    const QString chemin = Session().DossierDonnees + "Séance 3.qvt";
    TestHome::writeFile(chemin, "' s\xE9" "ance 3\r\n\r\n   \r\nSinus / 1 / 50 / cc / 2 / \r\nCC/5//carr\xE9" "e/3/100\r\n"
                                "\r\ndyn/2/8/CC/0/");
    QStringList lignes;
    QString message;
    QVERIFY2(LireLignesExo(chemin, lignes, message), qPrintable(message));
    e.f->chargerFichier(chemin, lignes);
    QCOMPARE(e.f->lignes(), QStringList({"' séance 3", "Sinus / 1 / 50 / cc / 2 / ", "CC/5//carrée/3/100",
                                         "dyn/2/8/CC/0/"}));
    e.choisir(2);
    e.f->txtData[0]->setText("6");
    e.cliquer("cmdChange");

    e.enregistrer(chemin, {vb::Yes}); // replace it
    QCOMPARE(TestHome::readFile(chemin), QByteArray("' s\xE9" "ance 3\r\nSinus / 1 / 50 / cc / 2 / \r\nCC/6//carr\xE9"
                                                    "e/3/100\r\ndyn/2/8/CC/0/\r\n"));
    FichierExo fichier;
    QVERIFY2(ChargerFichierExo(chemin, fichier, message), qPrintable(message));
    QCOMPARE(fichier.images.size(), 3);
    QCOMPARE(fichier.images[1].umaxA, 6.0);
}

void tst_EditeurExo::modifyKeepsEveryPicture_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<int>("voie"); // the channel whose voltage the teacher changes

    QTest::newRow("sine") << "sinusoïdale/3/50/CC/5/" << 1;
    QTest::newRow("sine, scope word and blanks") << "Sinus / 1 / 50 / cc / 2 / " << 1;
    QTest::newRow("square") << "CC/1//carrée/4/1000" << 0;
    QTest::newRow("square, scope word") << "carre/2,5/100/CC/0/" << 1;
    QTest::newRow("triangle") << "Triangle/2.5/100/cc/3/" << 1;
    QTest::newRow("triangle on CH2") << "CC/0//triangulaire/0,5/2.5" << 0;
    QTest::newRow("alternator") << "dyn/6/20/CC/0/" << 1;
    QTest::newRow("alternator on CH2, capitals") << "CC/1//DYN/4,5/12" << 0;
    QTest::newRow("both DC") << "CC/-3,5//CC/1.5/" << 1;
    QTest::newRow("empty channel") << "sinusoïdale/3/50///" << 0;
    QTest::newRow("empty type") << "/2//sinus/1/5" << 0;
    QTest::newRow("two fields short") << "sinus/5/50" << 0;
}

// Every line the reader accepts keeps its picture through the editor: saved
// untouched it is written byte for byte; with only the other channel's
// voltage changed, its own channel reads back the same.
void tst_EditeurExo::modifyKeepsEveryPicture()
{
    QFETCH(QString, ligne);
    QFETCH(int, voie);
    ImageExo avant;
    QString erreur;
    QVERIFY2(LireLigneExo(ligne, avant, erreur), qPrintable(erreur));

    Editeur e;
    const QString chemin = Session().DossierDonnees + "tp.qvt";
    const QByteArray octets = "' avant\r\n" + encodeWindows1252(ligne) + "\r\n'apr\xE8s\r\nCC/1//CC/2/\r\n";
    QVERIFY(TestHome::writeFile(chemin, octets));
    QStringList lignes;
    QString message;
    QVERIFY2(LireLignesExo(chemin, lignes, message), qPrintable(message));
    e.f->chargerFichier(chemin, lignes);
    const QString copie = Session().DossierDonnees + "copie.qvt";
    e.enregistrer(copie);
    QCOMPARE(TestHome::readFile(copie), octets);

    // The save is confirmed; the change that follows says nothing.
    const qsizetype montres = e.dialogs.messages().size();
    e.choisir(1);
    e.f->txtData[size_t(2 * voie)]->setText("7");
    e.cliquer("cmdChange");
    QVERIFY2(e.dialogs.messages().size() == montres, qPrintable(e.dialogs.messages().value(montres).text));
    e.enregistrer(chemin, {vb::Yes});
    const QList<QByteArray> ecrites = TestHome::readFile(chemin).split('\n');
    QCOMPARE(ecrites.size(), 5);
    const QList<QByteArray> donnees = octets.split('\n');
    for (int i : {0, 2, 3})
        QCOMPARE(ecrites[i], donnees[i]);

    FichierExo fichier;
    QVERIFY2(ChargerFichierExo(chemin, fichier, message), qPrintable(message));
    QCOMPARE(fichier.images.size(), 2);
    const ImageExo& apres = fichier.images[0];
    struct Voie {
        QString signal;
        double umax, freq;
    };
    const Voie attendues[2] = {{avant.signalA, avant.umaxA, avant.freqA}, {avant.signalB, avant.umaxB, avant.freqB}};
    const Voie lues[2] = {{apres.signalA, apres.umaxA, apres.freqA}, {apres.signalB, apres.umaxB, apres.freqB}};
    for (int c = 0; c < 2; ++c) {
        const Voie& a = attendues[c];
        const Voie& l = lues[c];
        QCOMPARE(FormeDuMot(l.signal), FormeDuMot(a.signal));
        QCOMPARE(l.umax, c == voie ? 7.0 : a.umax);
        // A DC picture has no frequency: the format keeps its field empty or 0.
        if (FormeDuMot(a.signal) != FormeOnde::Continu)
            QCOMPARE(l.freq, a.freq);
    }
}

void tst_EditeurExo::numericCheck_data()
{
    QTest::addColumn<QString>("commande");
    QTest::addColumn<QString>("tension");
    QTest::addColumn<QString>("frequence"); // CH1 as a sine
    QTest::addColumn<QString>("message");   // "" when the line is taken

    const QString frequence = QStringLiteral("La fréquence (en Hz) pour la voie CH1\r\nn'est pas une valeur "
                                             "numérique.\r\nVeuillez faire la correction nécessaire.");
    for (const char* commande : {"cmdAdd", "cmdChange"}) {
        const QByteArray c(commande);
        QTest::newRow(c + " letters") << commande << "abc" << "50" << kMessageTension;
        QTest::newRow(c + " blanks only") << commande << "   " << "50" << kMessageTension;
        QTest::newRow(c + " two commas") << commande << "1.5,2" << "50" << kMessageTension;
        QTest::newRow(c + " bad frequency") << commande << "2" << "50 Hz" << frequence;
        QTest::newRow(c + " point and comma accepted") << commande << " 2.5 " << "1,5" << "";
        QTest::newRow(c + " beyond what a run reads")
            << commande << "2" << "20000000"
            << "Cette donnée ne pourrait pas être lue pendant une évaluation :\r\nla fréquence de la voie CH1 (« 20000000 ») "
               "dépasse 10 MHz.\r\nVeuillez faire la correction nécessaire.";
        // An alternating picture at 0 Hz draws flat yet would be scored as
        // a wave; a peak is above 0.
        const QString auDessus = QStringLiteral("\r\ndoit être supérieure à 0.\r\nVeuillez faire la correction nécessaire.");
        QTest::newRow(c + " sine at 0 Hz") << commande << "2" << "0"
                                           << "Pour une tension alternative, la fréquence (en Hz) pour la voie CH1" + auDessus;
        QTest::newRow(c + " sine of 0 V") << commande << "0,0" << "50"
                                          << "Pour une tension alternative, la tension maximale (en V) pour la voie CH1"
                                                 + auDessus;
        QTest::newRow(c + " negative peak") << commande << "-2" << "50"
                                            << "Pour une tension alternative, la tension maximale (en V) pour la voie CH1"
                                                   + auDessus;
        QTest::newRow(c + " negative frequency") << commande << "2" << "-50"
                                                 << "Pour une tension alternative, la fréquence (en Hz) pour la voie CH1"
                                                        + auDessus;
    }
    QTest::newRow("cmdChange empty voltage") << "cmdChange" << "" << "50" << kMessageTension;
}

void tst_EditeurExo::numericCheck()
{
    QFETCH(QString, commande);
    QFETCH(QString, tension);
    QFETCH(QString, frequence);
    QFETCH(QString, message);
    Editeur e;
    e.f->chargerFichier(QString(), {"CC/1//CC/2/"});
    if (commande == "cmdChange")
        e.choisir(0);
    e.voie(0, 0, tension, frequence);
    e.voie(1, -1, "1");
    e.dialogs.answerMessage(vb::OK);
    e.cliquer(commande.toLatin1());
    if (message.isEmpty()) {
        QVERIFY(e.dialogs.messages().isEmpty());
        QCOMPARE(e.f->lignes().last(), QStringLiteral("sinusoïdale/2.5/1,5/CC/1/"));
        return;
    }
    e.erreurDeSaisie(message);
    QCOMPARE(e.f->lignes(), QStringList{"CC/1//CC/2/"});
}

void tst_EditeurExo::emptyFieldStopsAdding()
{
    // Nothing is added, and the teacher is told which field is empty.
    Editeur e;
    e.voie(0, -1, "");
    e.voie(1, -1, "2");
    e.f->txtCommentaire->setText("consigne");
    e.dialogs.answerMessage(vb::OK);
    e.cliquer("cmdAdd");
    e.erreurDeSaisie(QStringLiteral("La tension maximale (en V) pour la voie CH1\r\nn'est pas renseignée : la donnée "
                                    "n'a pas été ajoutée.\r\nVeuillez la saisir."));
    // Neither the picture nor its comment: the comment waits in its box.
    QCOMPARE(e.f->lignes(), QStringList());
    QCOMPARE(e.f->txtCommentaire->text(), QStringLiteral("consigne"));
    // Refused once more, then taken: the comment goes in once, before it.
    e.dialogs.answerMessage(vb::OK);
    e.cliquer("cmdAdd");
    QCOMPARE(e.f->lignes(), QStringList());
    e.voie(0, -1, "1");
    e.cliquer("cmdAdd");
    QCOMPARE(e.f->lignes(), QStringList({"'consigne", "CC/1//CC/2/"}));
}

void tst_EditeurExo::moveAndRemove()
{
    Editeur e;
    e.f->chargerFichier(QString(), {"CC/1//CC/1/", "CC/2//CC/2/", "CC/3//CC/3/"});
    e.choisir(0);
    e.cliquer("cmdUp");
    QCOMPARE(e.f->lignes().first(), QStringLiteral("CC/1//CC/1/"));
    e.cliquer("cmdDown");
    QCOMPARE(e.f->lignes(), QStringList({"CC/2//CC/2/", "CC/1//CC/1/", "CC/3//CC/3/"}));
    QCOMPARE(e.f->lstListeData->currentRow(), 1);
    QCOMPARE(e.champs(0), QStringLiteral("CC 1 ")); // the line moved is loaded
    e.choisir(2);
    e.cliquer("cmdDown");
    QCOMPARE(e.f->lignes().last(), QStringLiteral("CC/3//CC/3/"));

    e.dialogs.answerMessage(vb::No).answerMessage(vb::Yes);
    e.cliquer("cmdRemove");
    QCOMPARE(e.f->lignes().size(), 3);
    e.cliquer("cmdRemove");
    QCOMPARE(e.f->lignes(), QStringList({"CC/2//CC/2/", "CC/1//CC/1/"}));
    QCOMPARE(e.dialogs.messages()[0].text, QStringLiteral("Êtes-vous sûr de vouloir supprimer cette donnée ?"));
    QCOMPARE(e.champs(0), QStringLiteral("CC 3 ")); // the fields keep what they show

    // Nothing chosen: the teacher is told to choose.
    e.dialogs.answerMessage(vb::OK);
    e.cliquer("cmdRemove");
    QCOMPARE(e.dialogs.messages().last().text,
             QStringLiteral("Pour supprimer une donnée, vous devez au préalable la sélectionner."));
    QCOMPARE(e.f->lignes().size(), 2);

    e.choisir(0);
    e.cliquer("cmdErase");
    QCOMPARE(e.f->lstListeData->currentRow(), -1);
    QCOMPARE(e.champs(0), QStringLiteral("CC  "));
}

void tst_EditeurExo::handWrittenFlatWaveIsRefusedOnChange()
{
    // A hand-written sine without its frequency: the run reads it (at 0 Hz),
    // the editor loads it, and "Modifier" asks for the frequency.
    const QString ligne = QStringLiteral("CC/1//sinus/1/");
    ImageExo image;
    QString erreur;
    QVERIFY2(LireLigneExo(ligne, image, erreur), qPrintable(erreur));
    QCOMPARE(image.freqB, 0.0);
    Editeur e;
    e.f->chargerFichier(QString(), {ligne});
    e.choisir(0);
    QCOMPARE(e.champs(1), QStringLiteral("sinusoïdale 1 0"));
    e.f->txtData[0]->setText("2");
    e.dialogs.answerMessage(vb::OK);
    e.cliquer("cmdChange");
    e.erreurDeSaisie(QStringLiteral("Pour une tension alternative, la fréquence (en Hz) pour la voie CH2\r\ndoit être "
                                    "supérieure à 0.\r\nVeuillez faire la correction nécessaire."));
    QCOMPARE(e.f->lignes(), QStringList{ligne});
}

void tst_EditeurExo::commentLines_data()
{
    QTest::addColumn<QString>("commande"); // cmdAdd: a new comment; cmdChange: the comment line chosen
    QTest::addColumn<QString>("commentaire");
    QTest::addColumn<QString>("message"); // "" when taken
    QTest::addColumn<QByteArray>("octets"); // the file saved then

    const QByteArray avant = "'ancien\r\nCC/1//CC/1/\r\n";
    const QString omega = QStringLiteral("Le caractère « Ω » du commentaire ne peut pas être enregistré dans un fichier "
                                         "Wavix, dont le codage (Windows-1252) ne le connaît pas.\r\nVeuillez le remplacer "
                                         "(par exemple « ohm » pour « Ω »).");
    QTest::newRow("a comment changed") << "cmdChange" << "R = 100 ohms, 50 µF" << ""
                                       << QByteArray("'R = 100 ohms, 50 \xB5" "F\r\nCC/1//CC/1/\r\n");
    QTest::newRow("the euro sign is in the code page") << "cmdChange" << "coût : 5 €" << ""
                                                       << QByteArray("'co\xFBt : 5 \x80\r\nCC/1//CC/1/\r\n");
    QTest::newRow("ohm sign changed in") << "cmdChange" << "R = 100 Ω" << omega << avant;
    QTest::newRow("ohm sign added") << "cmdAdd" << "R = 100 Ω" << omega << avant;
    QTest::newRow("a character beyond 16 bits")
        << "cmdAdd" << QString::fromUtf8("bravo \xF0\x9F\x91\x8D")
        << QString(omega).replace(QStringLiteral("« Ω » du"), QString::fromUtf8("« \xF0\x9F\x91\x8D » du")) << avant;
    QTest::newRow("comment emptied") << "cmdChange" << "  "
                                     << "Le commentaire est vide.\r\nTapez son nouveau texte dans « Ajouter un "
                                        "commentaire », ou retirez la ligne avec « Retirer de la liste »."
                                     << avant;
}

void tst_EditeurExo::commentLines()
{
    QFETCH(QString, commande);
    QFETCH(QString, commentaire);
    QFETCH(QString, message);
    Editeur e;
    e.f->chargerFichier(QString(), {"'ancien", "CC/1//CC/1/"});
    if (commande == "cmdChange") {
        e.choisir(0);
        QCOMPARE(e.f->txtCommentaire->text(), QStringLiteral("ancien"));
        QVERIFY(e.f->cmdChange->isEnabled());
    } else {
        e.voie(0, -1, "1");
        e.voie(1, -1, "1");
    }
    e.f->txtCommentaire->setText(commentaire);
    if (!message.isEmpty())
        e.dialogs.answerMessage(vb::OK);
    e.cliquer(commande.toLatin1());
    if (message.isEmpty()) {
        QVERIFY2(e.dialogs.messages().isEmpty(), qPrintable(e.dialogs.messages().value(0).text));
        QVERIFY(!e.f->cmdChange->isEnabled());
    } else {
        e.erreurDeSaisie(message);
        // Nothing speaks of a voltage for a comment.
        QVERIFY(!message.contains(QStringLiteral("tension")));
        QCOMPARE(e.f->txtCommentaire->text(), commentaire); // kept for the correction
    }
    const QString chemin = Session().DossierDonnees + "tp.qvt";
    e.enregistrer(chemin);
    QTEST(TestHome::readFile(chemin), "octets");
}

void tst_EditeurExo::quitAsksAboutAnUnsavedList_data()
{
    QTest::addColumn<QString>("changement"); // "": the list as loaded
    QTest::addColumn<QString>("geste");      // "Quitter", "Escape" or "close box"
    QTest::addColumn<int>("reponse");        // to the question, when asked
    QTest::addColumn<bool>("enregistre");    // with "Oui": the save dialog chooses a file
    QTest::addColumn<bool>("ferme");
    QTest::addColumn<QByteArray>("fichier"); // the file on the disk then

    const QByteArray charge = "CC/1//CC/1/\r\nCC/2//CC/2/\r\n";
    QTest::newRow("unchanged: nothing asked") << "" << "Quitter" << 0 << false << true << charge;
    QTest::newRow("added, Non drops it") << "add" << "Quitter" << int(vb::No) << false << true << charge;
    QTest::newRow("added, Annuler stays") << "add" << "Escape" << int(vb::Cancel) << false << false << charge;
    QTest::newRow("added, Oui saves it") << "add" << "Quitter" << int(vb::Yes) << true << true
                                         << QByteArray("CC/1//CC/1/\r\nCC/2//CC/2/\r\nCC/3//CC/3/\r\n");
    QTest::newRow("added, Oui then save cancelled stays") << "add" << "close box" << int(vb::Yes) << false << false << charge;
    QTest::newRow("moved, Escape asks") << "move" << "Escape" << int(vb::No) << false << true << charge;
    QTest::newRow("removed, close box asks") << "remove" << "close box" << int(vb::Cancel) << false << false << charge;
    QTest::newRow("changed, then saved: nothing asked") << "change+save" << "Quitter" << 0 << false << true
                                                        << QByteArray("CC/5//CC/1/\r\nCC/2//CC/2/\r\n");
}

void tst_EditeurExo::quitAsksAboutAnUnsavedList()
{
    QFETCH(QString, changement);
    QFETCH(QString, geste);
    QFETCH(int, reponse);
    QFETCH(bool, enregistre);
    QFETCH(bool, ferme);
    Editeur e;
    const QString chemin = Session().DossierDonnees + "tp.qvt";
    QVERIFY(TestHome::writeFile(chemin, "CC/1//CC/1/\r\nCC/2//CC/2/\r\n"));
    QStringList lignes;
    QString message;
    QVERIFY2(LireLignesExo(chemin, lignes, message), qPrintable(message));
    e.f->chargerFichier(chemin, lignes);
    if (changement == "add") {
        e.voie(0, -1, "3");
        e.voie(1, -1, "3");
        e.cliquer("cmdAdd");
    } else if (changement == "move") {
        e.choisir(0);
        e.cliquer("cmdDown");
    } else if (changement == "remove") {
        e.choisir(0);
        e.dialogs.answerMessage(vb::Yes);
        e.cliquer("cmdRemove");
    } else if (changement == "change+save") {
        e.choisir(0);
        e.f->txtData[0]->setText("5");
        e.cliquer("cmdChange");
        e.enregistrer(chemin, {vb::Yes, vb::OK}); // replace it; saved
    }
    const qsizetype avant = e.dialogs.messages().size();
    if (reponse)
        e.dialogs.answerMessage(reponse);
    if (reponse == vb::Yes) {
        e.dialogs.answerFile(enregistre ? std::optional<QString>(chemin) : std::nullopt);
        if (enregistre)
            e.dialogs.answerMessage(vb::Yes).answerMessage(vb::OK); // replace it; saved
    }
    QPointer<frmCreateFile> editeur = e.f;
    if (geste == "Quitter")
        e.cliquer("cmdEnd");
    else if (geste == "Escape") {
        // Where the teacher types: the comment box of the window on the screen.
        e.f->show();
        e.f->txtCommentaire->setFocus();
        QTest::sendKeyEvent(QTest::Click, e.f->txtCommentaire, Qt::Key_Escape, QString(QChar(27)), Qt::NoModifier);
    }
    else
        e.f->close();
    const auto messages = e.dialogs.messages().mid(avant);
    if (reponse) {
        QVERIFY(!messages.isEmpty());
        QCOMPARE(messages[0].text, QStringLiteral("La liste a été modifiée depuis son dernier enregistrement.\r\n"
                                                  "Voulez-vous l'enregistrer avant de quitter ?"));
        QCOMPARE(messages[0].style & 0x7, int(vb::YesNoCancel));
    } else {
        QVERIFY2(messages.isEmpty(), qPrintable(messages.value(0).text));
    }
    QCOMPARE(e.dialogs.unexpected(), 0);
    QCOMPARE(Forms().isLoaded(frmCreateFile::kNom), !ferme);
    if (!ferme)
        QCOMPARE(editeur.data(), e.f);
    QTEST(TestHome::readFile(chemin), "fichier");
}

void tst_EditeurExo::saveDialogProposals()
{
    Editeur e;
    // The main window's last file (here the results file) is never offered.
    const QString resultats = Session().DossierDonnees + "Resultat.txt";
    TestHome::writeFile(resultats, "Nom élève :Durand\r\n");
    e.f->chargerFichier(QString(), {"CC/1//CC/1/"});
    e.enregistrer(Session().DossierDonnees + "Resultat.txt");
    FileDialogRequest demande = e.dialogs.fileRequests().last();
    QVERIFY(demande.fileName.isEmpty());
    QCOMPARE(demande.initialDir, Session().DossierDonnees);
    QCOMPARE(demande.filter, QStringLiteral("Fichier Wavix (*.qvt)|*.qvt"));
    // The extension is added: the results file is left alone.
    QCOMPARE(TestHome::readFile(resultats), QByteArray("Nom élève :Durand\r\n"));
    QCOMPARE(TestHome::readFile(resultats + ".qvt"), QByteArray("CC/1//CC/1/\r\n"));

    // The file saved is offered next, and so is a file being modified.
    e.enregistrer(Session().DossierDonnees + "autre");
    QCOMPARE(e.dialogs.fileRequests().last().fileName, resultats + ".qvt");
    QCOMPARE(e.f->fichier(), Session().DossierDonnees + "autre.qvt");
    e.f->chargerFichier(Session().DossierDonnees + "tp.QVT", {});
    e.enregistrer(Session().DossierDonnees + "tp.QVT");
    QCOMPARE(e.dialogs.fileRequests().last().fileName, Session().DossierDonnees + "tp.QVT");
    QVERIFY(QFileInfo::exists(Session().DossierDonnees + "tp.QVT"));
    // Each save is confirmed, naming the file and its folder.
    QCOMPARE(e.dialogs.messages().size(), 3);
    QCOMPARE(e.dialogs.messages().last().text,
             QStringLiteral("Le fichier « tp.QVT » a été enregistré dans le dossier :\r\n")
                 + QFileInfo(Session().DossierDonnees + "tp.QVT").absolutePath());
    QCOMPARE(e.dialogs.messages().last().style & 0x70, int(vb::Information));

    // A cancel writes nothing.
    e.dialogs.answerFile(std::nullopt);
    e.cliquer("cmdSave");
    QCOMPARE(QDir(Session().DossierDonnees).entryList(QDir::Files).size(), 4);
}

void tst_EditeurExo::overwriteAsked()
{
    Editeur e;
    const QString chemin = Session().DossierDonnees + "tp.qvt";
    TestHome::writeFile(chemin, "CC/9//CC/9/\r\n");
    e.f->chargerFichier(QString(), {"CC/1//CC/1/"});
    e.enregistrer(Session().DossierDonnees + "tp", {vb::No});
    QCOMPARE(e.dialogs.messages().size(), 1);
    QCOMPARE(e.dialogs.messages()[0].text, QStringLiteral("Le fichier « tp.qvt » existe déjà.\r\nVoulez-vous le remplacer ?"));
    QCOMPARE(e.dialogs.messages()[0].style, vb::Question | vb::YesNo | vb::DefaultButton2);
    QVERIFY(!e.dialogs.fileRequests().last().confirmOverwrite); // asked once, here
    QCOMPARE(TestHome::readFile(chemin), QByteArray("CC/9//CC/9/\r\n"));
    QVERIFY(e.f->fichier().isEmpty());

    e.enregistrer(chemin, {vb::Yes});
    QCOMPARE(TestHome::readFile(chemin), QByteArray("CC/1//CC/1/\r\n"));
}

void tst_EditeurExo::failedSaveKeepsFileAndList()
{
    Editeur e;
    const QString dossier = Session().DossierDonnees + "plein";
    PetitDisque disque(dossier, 4096);
    const QString chemin = dossier + "/tp.qvt";
    QVERIFY(TestHome::writeFile(chemin, QByteArray(4000, 'x')));
    QStringList lignes;
    for (int i = 0; i < 400; ++i)
        lignes << QStringLiteral("sinusoïdale/%1/50/CC/0/").arg(i);
    e.f->chargerFichier(chemin, lignes);

    e.enregistrer(chemin, {vb::Yes, vb::OK});
    QCOMPARE(e.dialogs.messages().size(), 2);
    const auto erreur = e.dialogs.messages()[1];
    QCOMPARE(erreur.style, int(vb::Critical));
    QVERIFY2(erreur.text.startsWith(QStringLiteral("Le fichier « tp.qvt » n'a pas pu être enregistré")),
             qPrintable(erreur.text));
    QCOMPARE(TestHome::readFile(chemin), QByteArray(4000, 'x'));
    QCOMPARE(e.f->lignes(), lignes);
    QCOMPARE(QDir(dossier).entryList(QDir::Files), QStringList{"tp.qvt"}); // no temporary file left

    // Room again: the same list saves.
    disque.liberer();
    e.enregistrer(chemin, {vb::Yes});
    QCOMPARE(TestHome::readFile(chemin).size(), qsizetype(lignes.join("\r\n").toLatin1().size() + 2));
}

void tst_EditeurExo::waveformsInTheAnswerOrder()
{
    // The editor lists its waveforms as the answer window does, without its
    // alternator.
    Editeur e;
    const frmExo* reponses = Forms().get<frmExo>();
    for (int c = 0; c < 2; ++c) {
        QCOMPARE(e.f->cboAlternatif[size_t(c)]->count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(e.f->cboAlternatif[size_t(c)]->itemText(i), reponses->cmbSignal[0]->itemText(i).toLower());
    }
}

QTEST_MAIN(tst_EditeurExo)
#include "tst_editeurexo.moc"
