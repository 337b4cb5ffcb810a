// A results file that can no longer be written during a run: a full disk, a
// quota, a share gone away.

#include "PetitDisque.h"
#include "services/ModeleBanc.h"
#include "SalleEssai.h"
#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "app/MDIWavix.h"
#include "evaluation/Resultats.h"
#include "evaluation/frmExo.h"
#include "evaluation/frmName.h"
#include "help/TelechargementFichier.h"
#include "platform/Forms.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"
#include "scope/CourbeWavix.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The program started for the student "eleve1" (from the folder given, when
// one is), ready for a run of the exercise file.
struct Epreuve {
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<MDIWavix> mdi;

    Epreuve()
    {
        setLoginNameSource([] { return std::optional<QString>("eleve1"); });
        setAdresseFichierVersion(QUrl::fromLocalFile(home.path("aucune-version.txt")).toString());
        QDir().mkpath(home.dataHome() + "/Brelmar/Wavix");
        reglage("Options", "Show Tips at Startup", "0");
    }
    ~Epreuve()
    {
        Forms().unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mdi.reset();
        Modele().modifierVoie(kDeuxVoies, [](EtatVoie& canal) { canal = EtatVoie(); });
        setMountProbe(nullptr);
        setAdresseFichierVersion(QString());
    }
    void reglage(const char* section, const char* cle, const QString& valeur)
    {
        writeProfileString(home.dataHome() + "/Brelmar/Wavix/ConfQVT_eleve1.ini", section, cle, valeur);
    }
    void lancer(const QString& dossierProgramme = QString())
    {
        mdi = std::make_unique<MDIWavix>();
        if (!dossierProgramme.isEmpty())
            mdi->setDossierProgramme(dossierProgramme);
        QVERIFY(mdi->MDIForm_Load());
    }
    void demarrer(const QString& exo)
    {
        dialogs.answerModal([](QWidget* w) {
            auto* f = static_cast<frmName*>(w);
            f->txtIdent[1]->setText("Durand");
            f->txtIdent[2]->setText("Léa");
            f->txtIdent[3]->setText("1S2");
            f->findChild<QPushButton*>("cmdOK")->click();
        });
        dialogs.answerFile(exo);
        mdi->menu("Mnu_Pilote")->trigger();
        QVERIFY(!Banc().modeLibre);
    }
    // The picture on show answered all right (3 V 50 Hz sine, 5 V DC);
    // false when the answers closed the run.
    bool repondre()
    {
        auto* reponses = dynamic_cast<frmExo*>(Forms().find("frmExo"));
        if (!reponses)
            return false;
        reponses->optAlternatif[0]->setChecked(true);
        reponses->cmbSignal[0]->setCurrentIndex(0);
        reponses->txtUmax[0]->setText("3");
        reponses->txtFreq[0]->setText("50");
        reponses->optContinu[1]->setChecked(true);
        reponses->txtUmax[1]->setText("5");
        reponses->cmdNext->click();
        if (!Forms().isLoaded("frmExo"))
            return false;
        reponses->cmdNextWavix->click();
        return true;
    }
};

const QByteArray kLigneExo = "sinus/3/50/CC/5/\r\n";

} // namespace

class tst_ResultatsPerdus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullDiskEndsTheRun();
    void deletedDuringTheRun_data();
    void deletedDuringTheRun();
};

void tst_ResultatsPerdus::fullDiskEndsTheRun()
{
    Epreuve e;
    // The classroom's shared documents, where the results go, have 4 KiB of room.
    const QString partage = e.home.path("partage");
    PetitDisque disque(partage, 4096);
    // Prepared as the administrator does it.
    const SalleEssai salle(e.home.path("donnees"), partage);
    QVERIFY(salle.prete());
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(partage));
    const QString exo = e.home.path("exos/tp40.qvt");
    QVERIFY(TestHome::writeFile(exo, kLigneExo.repeated(40)));

    e.lancer();
    QCOMPARE(e.mdi->DepotClasse, salle.depot());
    e.demarrer(exo);
    // The run's own file in the drop box.
    QCOMPARE(QFileInfo(e.mdi->FichierResultat).path(), salle.depot());
    e.dialogs.answerMessage(vb::OK);

    // The student answers picture after picture, all right, until the disk
    // is full.
    int images = 0;
    while (e.repondre()) {
        QVERIFY(images < 40);
        ++images;
    }

    // Told at once, in French, to call the teacher; back in free mode.
    ScriptedDialogs& dialogs = e.dialogs;
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Erreur"));
    QCOMPARE(dialogs.messages()[0].style & 0x70, int(vb::Critical));
    QVERIFY(dialogs.messages()[0].text.startsWith("Vos réponses ne peuvent plus être enregistrées"));
    QVERIFY(dialogs.messages()[0].text.contains("Appelez le professeur."));
    QCOMPARE(dialogs.unexpected(), 0);
    QVERIFY(Banc().modeLibre);
    QVERIFY(!FichierResultatOuvert().isOpen());

    // The file ends with the last whole picture record.
    const QByteArray ecrit = TestHome::readFile(e.mdi->FichierResultat);
    const QByteArray fin = "        Score : " + QByteArray::number(5 * images) + "\r\n" + QByteArray(52, '*') + "\r\n";
    QVERIFY2(ecrit.endsWith(fin), ecrit.right(200).constData());
    QCOMPARE(ecrit.count("Score : "), images);
    QVERIFY(images > 5 && images < 40);
    QVERIFY(ecrit.size() <= 4096);

    // Space comes back: nothing more reaches the file.
    disque.liberer();
    QVERIFY(!EcrireResultats({LigneNote(20)}));
    e.mdi->menu("Mnu_Libre")->trigger();
    FermerFichiers();
    QCOMPARE(TestHome::readFile(e.mdi->FichierResultat), ecrit);
}

void tst_ResultatsPerdus::deletedDuringTheRun_data()
{
    QTest::addColumn<QString>("geste");
    QTest::newRow("results file deleted") << "fichier";
    QTest::newRow("deposit folder deleted") << "dossier";
    QTest::newRow("deposit folder renamed") << "renomme";
}

void tst_ResultatsPerdus::deletedDuringTheRun()
{
    QFETCH(QString, geste);
    Epreuve e;
    // Network use: the program on a share, the results in its deposit folder.
    const QString serveur = e.home.path("srv");
    QDir().mkpath(serveur + "/labo");
    QDir().mkpath(serveur + "/Dépôt");
    setMountProbe([serveur](const QString&) { return MountInfo{true, serveur}; });
    e.reglage("Réseau", "Dossier Dépôt", "Dépôt");
    const QString exo = e.home.path("exos/tp5.qvt");
    QVERIFY(TestHome::writeFile(exo, kLigneExo.repeated(5)));
    e.lancer(serveur + "/labo");
    QVERIFY(e.mdi->Reseau);
    QCOMPARE(QFileInfo(e.mdi->FichierResultat).absolutePath(), serveur + "/Dépôt");
    e.demarrer(exo);
    QVERIFY(e.repondre());
    QVERIFY(e.repondre());

    if (geste == "fichier")
        QVERIFY(QFile::remove(e.mdi->FichierResultat));
    else if (geste == "dossier")
        QVERIFY(QDir(serveur + "/Dépôt").removeRecursively());
    else
        QVERIFY(QDir().rename(serveur + "/Dépôt", serveur + "/Dépôt 2"));

    if (geste == "renomme") {
        // The run goes on to its mark, in the file under its new folder.
        int images = 2;
        while (e.repondre())
            ++images;
        QCOMPARE(images, 5);
        QVERIFY(e.dialogs.messages().isEmpty());
        const QByteArray ecrit =
            TestHome::readFile(serveur + "/Dépôt 2/" + QFileInfo(e.mdi->FichierResultat).fileName());
        QCOMPARE(ecrit.count("Score : "), 5);
        QVERIFY(ecrit.endsWith(" -------> Note : 20,0/20\r\n"));
        return;
    }
    // The next record tells the loss, and the run is back in free mode.
    e.dialogs.answerMessage(vb::OK);
    QVERIFY(!e.repondre());
    QCOMPARE(e.dialogs.unexpected(), 0);
    QCOMPARE(e.dialogs.messages().size(), 1);
    const auto message = e.dialogs.messages()[0];
    QCOMPARE(message.title, QStringLiteral("Wavix - Erreur"));
    QCOMPARE(message.style & 0x70, int(vb::Critical));
    QVERIFY2(message.text.startsWith("Le fichier des réponses des élèves a été supprimé pendant l'évaluation"),
             qPrintable(message.text));
    QVERIFY(message.text.contains(e.mdi->FichierResultat));
    QVERIFY(message.text.contains("Appelez le professeur."));
    QVERIFY(Banc().modeLibre);
    QVERIFY(!Forms().isLoaded("frmExo"));
    QVERIFY(!FichierResultatOuvert().isOpen());
    QVERIFY(!QFileInfo::exists(e.mdi->FichierResultat));
}

QTEST_MAIN(tst_ResultatsPerdus)
#include "tst_resultatsperdus.moc"
