// A results file that can no longer be written during a run: a full disk, a
// quota, a share gone away.

#include "PetitDisque.h"
#include "TestHome.h"

#include "app/EtatProgramme.h"
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

class tst_ResultatsPerdus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullDiskEndsTheRun();
};

void tst_ResultatsPerdus::fullDiskEndsTheRun()
{
    TestHome home;
    ScriptedDialogs dialogs;
    setLoginNameSource([] { return std::optional<QString>("eleve1"); });
    setAdresseFichierVersion(QUrl::fromLocalFile(home.path("aucune-version.txt")).toString());
    QDir().mkpath(home.dataHome() + "/Brelmar/Wavix");
    writeProfileString(home.dataHome() + "/Brelmar/Wavix/ConfQVT_eleve1.ini", "Options", "Show Tips at Startup", "0");
    // The shared documents, where the results go, have 4 KiB of room.
    const QString partage = home.path("partage");
    PetitDisque disque(partage, 4096);
    // Prepared as the administrator does it.
    QVERIFY(QDir().mkpath(partage + "/Brelmar/Wavix"));
    for (const QString& niveau : {partage, partage + "/Brelmar", partage + "/Brelmar/Wavix"})
        QVERIFY(chmod(QFile::encodeName(niveau).constData(), 01777) == 0);
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(partage));
    const QString exo = home.path("exos/tp40.qvt");
    QVERIFY(TestHome::writeFile(exo, QByteArray("sinus/3/50/CC/5/\r\n").repeated(40)));

    auto mdi = std::make_unique<MDIWavix>();
    QVERIFY(mdi->MDIForm_Load());
    QCOMPARE(mdi->FichierResultat, partage + "/Brelmar/Wavix/Resultat.txt");
    dialogs.answerModal([](QWidget* w) {
        auto* f = static_cast<frmName*>(w);
        f->txtIdent[1]->setText("Durand");
        f->txtIdent[2]->setText("Léa");
        f->txtIdent[3]->setText("1S2");
        f->findChild<QPushButton*>("cmdOK")->click();
    });
    dialogs.answerFile(exo);
    mdi->menu("Mnu_Pilote")->trigger();
    dialogs.answerMessage(vb::OK);

    // The student answers picture after picture, all right, until the disk
    // is full.
    int images = 0;
    while (auto* reponses = dynamic_cast<frmExo*>(Forms().find("frmExo"))) {
        QVERIFY(images < 40);
        reponses->optAlternatif[0]->setChecked(true);
        reponses->cmbSignal[0]->setCurrentIndex(0);
        reponses->txtUmax[0]->setText("3");
        reponses->txtFreq[0]->setText("50");
        reponses->optContinu[1]->setChecked(true);
        reponses->txtUmax[1]->setText("5");
        reponses->cmdNext->click();
        if (!Forms().isLoaded("frmExo"))
            break;
        ++images;
        reponses->cmdNextWavix->click();
    }

    // Told at once, in French, to call the teacher; back in free mode.
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Erreur"));
    QCOMPARE(dialogs.messages()[0].style & 0x70, int(vb::Critical));
    QVERIFY(dialogs.messages()[0].text.startsWith("Vos réponses ne peuvent plus être enregistrées"));
    QVERIFY(dialogs.messages()[0].text.contains("Appelez le professeur."));
    QCOMPARE(dialogs.unexpected(), 0);
    QVERIFY(mdi->ModeLibre);
    QVERIFY(!FichierResultatOuvert().isOpen());

    // The file ends with the last whole picture record.
    const QByteArray ecrit = TestHome::readFile(mdi->FichierResultat);
    const QByteArray fin = "        Score : " + QByteArray::number(5 * images) + "\r\n" + QByteArray(52, '*') + "\r\n";
    QVERIFY2(ecrit.endsWith(fin), ecrit.right(200).constData());
    QCOMPARE(ecrit.count("Score : "), images);
    QVERIFY(images > 5 && images < 40);
    QVERIFY(ecrit.size() <= 4096);

    // Space comes back: nothing more reaches the file.
    disque.liberer();
    QVERIFY(!EcrireResultats({LigneNote(20)}));
    mdi->menu("Mnu_Libre")->trigger();
    FermerFichiers();
    QCOMPARE(TestHome::readFile(mdi->FichierResultat), ecrit);

    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    mdi.reset();
    Voies = {};
    setAdresseFichierVersion(QString());
}

QTEST_MAIN(tst_ResultatsPerdus)
#include "tst_resultatsperdus.moc"
