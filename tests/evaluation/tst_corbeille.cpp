#include "PetitDisque.h"
#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "evaluation/frmCorbeille.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

// Exercise files in the data folder of a home of its own, whose trash is
// $XDG_DATA_HOME/Trash.
struct Corbeille {
    TestHome home;
    ScriptedDialogs dialogs;
    frmCorbeille* f = nullptr;

    explicit Corbeille(const QStringList& fichiers, const QString& documents = QString())
    {
        Session().DossierDonnees = (documents.isEmpty() ? home.documents() : documents) + "/Brelmar/Wavix/";
        QDir().mkpath(Session().DossierDonnees);
        for (const QString& nom : fichiers)
            TestHome::writeFile(Session().DossierDonnees + nom, nom.toUtf8() + "\r\n");
        f = Forms().get<frmCorbeille>();
    }
    ~Corbeille()
    {
        Forms().unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QStringList liste() const
    {
        QStringList noms;
        for (int i = 0; i < f->flbQVT->count(); ++i)
            noms << f->flbQVT->item(i)->text();
        return noms;
    }
    // As a click does: the item becomes current and selected.
    void choisir(const QString& nom)
    {
        f->flbQVT->setCurrentItem(f->flbQVT->findItems(nom, Qt::MatchExactly).first(), QItemSelectionModel::Select);
    }
    void cliquer(const char* bouton) { f->findChild<QPushButton*>(bouton)->click(); }
    QString corbeille(const QString& nom) const { return home.dataHome() + "/Trash/files/" + nom; }
    // "Supprimer" with the answers to the questions, one per file.
    void supprimer(const QList<int>& reponses)
    {
        for (int r : reponses)
            dialogs.answerMessage(r);
        cliquer("cmdKill");
    }
    QStringList restants() const { return QDir(Session().DossierDonnees).entryList(QDir::Files, QDir::Name); }
};

const QStringList kFichiers = {"b.QVT", "a.qvt", "c.qvt", "notes.txt", "d.qvt.bak"};

QString question(const QString& nom)
{
    return "Voulez-vous vraiment jeter le fichier « " + nom + " » dans la corbeille ?";
}

} // namespace

class tst_Corbeille : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheDataFolder();
    void selectedFilesGoToTheTrash();
    void nothingChosen();
    void cancelDeletesNothing();
    void failureReportedAndListReadAgain();
    void eachFileAskedFor();
    void focusChoosesNoFile();
    void refusedTrash_data();
    void refusedTrash();
    void ownTrashOfASharedDisk();
    void missingFolderGivesEmptyList();
};

void tst_Corbeille::listsTheDataFolder()
{
    Corbeille c(kFichiers);
    QCOMPARE(c.f->windowTitle(), QStringLiteral("Supprimer un fichier"));
    QCOMPARE(c.f->dossier(), Session().DossierDonnees);
    QCOMPARE(c.liste(), QStringList({"a.qvt", "b.QVT", "c.qvt"}));
}

void tst_Corbeille::selectedFilesGoToTheTrash()
{
    Corbeille c(kFichiers);
    c.choisir("a.qvt");
    c.choisir("b.QVT");
    c.supprimer({vb::Yes, vb::Yes});
    QCOMPARE(c.dialogs.messages().size(), 2);
    QVERIFY(c.dialogs.allAnswered());
    QVERIFY(!Forms().isLoaded("frmCorbeille"));
    QCOMPARE(c.restants(), QStringList({"c.qvt", "d.qvt.bak", "notes.txt"}));
    // Whole in the trash, where the desktop can restore them from.
    QCOMPARE(TestHome::readFile(c.corbeille("a.qvt")), QByteArray("a.qvt\r\n"));
    QCOMPARE(TestHome::readFile(c.corbeille("b.QVT")), QByteArray("b.QVT\r\n"));
    const QByteArray fiche = TestHome::readFile(c.home.dataHome() + "/Trash/info/a.qvt.trashinfo");
    QVERIFY2(fiche.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(Session().DossierDonnees + "a.qvt", "/")
                              + "\nDeletionDate="),
             fiche.constData());
    // A file of the same name thrown later keeps the first one.
    TestHome::writeFile(Session().DossierDonnees + "a.qvt", "nouveau\r\n");
    c.f = Forms().get<frmCorbeille>();
    c.choisir("a.qvt");
    c.supprimer({vb::Yes});
    QCOMPARE(TestHome::readFile(c.corbeille("a.qvt")), QByteArray("a.qvt\r\n"));
    QCOMPARE(QDir(c.home.dataHome() + "/Trash/files").entryList(QDir::Files).size(), 3);
}

void tst_Corbeille::nothingChosen()
{
    Corbeille c(kFichiers);
    c.dialogs.answerMessage(vb::OK);
    c.cliquer("cmdKill");
    QCOMPARE(c.dialogs.messages().size(), 1);
    QCOMPARE(c.dialogs.messages()[0].text, QStringLiteral("Aucun fichier n'est sélectionné"));
    QCOMPARE(c.dialogs.messages()[0].title, QStringLiteral("Wavix"));
    QCOMPARE(c.dialogs.messages()[0].style, int(vb::OKOnly));
    QVERIFY(Forms().isLoaded("frmCorbeille"));

    // Chosen and unchosen again: nothing goes, the window says so and stays.
    c.choisir("a.qvt");
    c.f->flbQVT->setCurrentRow(0, QItemSelectionModel::Deselect);
    c.dialogs.answerMessage(vb::OK);
    c.cliquer("cmdKill");
    QCOMPARE(c.dialogs.messages().size(), 2);
    QCOMPARE(c.dialogs.messages()[1].text, QStringLiteral("Aucun fichier n'est sélectionné"));
    QVERIFY(Forms().isLoaded("frmCorbeille"));
    QCOMPARE(QDir(Session().DossierDonnees).entryList(QDir::Files).size(), kFichiers.size());
}

void tst_Corbeille::cancelDeletesNothing()
{
    Corbeille c(kFichiers);
    c.choisir("a.qvt");
    c.cliquer("cmdCancel");
    QVERIFY(!Forms().isLoaded("frmCorbeille"));
    QCOMPARE(QDir(Session().DossierDonnees).entryList(QDir::Files).size(), kFichiers.size());
}

void tst_Corbeille::failureReportedAndListReadAgain()
{
    Corbeille c(kFichiers);
    c.choisir("a.qvt");
    c.choisir("b.QVT");
    c.choisir("c.qvt");
    // Gone meanwhile (another teacher's session): it cannot be moved.
    QVERIFY(QFile::remove(Session().DossierDonnees + "b.QVT"));
    c.supprimer({vb::Yes, vb::Yes, vb::OK, vb::Yes});
    QCOMPARE(c.dialogs.messages().size(), 4);
    QCOMPARE(c.dialogs.messages()[2].text,
             "Le fichier « b.QVT » n'a pas été jeté dans la corbeille : il n'est plus dans le dossier.\r\n"
             "Il reste dans le dossier " + Session().DossierDonnees);
    QVERIFY(Forms().isLoaded("frmCorbeille"));
    QCOMPARE(c.liste(), QStringList());
    QVERIFY(QFileInfo::exists(c.corbeille("a.qvt")));
    QVERIFY(QFileInfo::exists(c.corbeille("c.qvt")));
}

void tst_Corbeille::eachFileAskedFor()
{
    Corbeille c(kFichiers);
    for (const char* nom : {"c.qvt", "a.qvt", "b.QVT"})
        c.choisir(nom);
    c.supprimer({vb::Yes, vb::No, vb::Yes});
    // In list order, each named; "Non" keeps that file.
    const auto questions = c.dialogs.messages();
    QCOMPARE(questions.size(), 3);
    QStringList noms;
    for (const auto& q : questions) {
        QCOMPARE(q.title, QStringLiteral("Supprimer le fichier"));
        QCOMPARE(q.style, vb::Question | vb::YesNo);
        noms << q.text;
    }
    QCOMPARE(noms, QStringList({question("a.qvt"), question("b.QVT"), question("c.qvt")}));
    QCOMPARE(c.restants(), QStringList({"b.QVT", "d.qvt.bak", "notes.txt"}));
    QVERIFY(QFileInfo::exists(c.corbeille("a.qvt")));
    QVERIFY(QFileInfo::exists(c.corbeille("c.qvt")));
    QVERIFY(!Forms().isLoaded("frmCorbeille"));
}

void tst_Corbeille::focusChoosesNoFile()
{
    Corbeille c(kFichiers);
    // The list takes the focus as on a real display: its first file becomes
    // current, which is no choice of the teacher.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(c.f->flbQVT, &focus);
    QVERIFY(c.f->flbQVT->currentItem());
    c.supprimer({vb::OK});
    QCOMPARE(c.dialogs.messages().size(), 1);
    QCOMPARE(c.dialogs.messages()[0].text, QStringLiteral("Aucun fichier n'est sélectionné"));
    QVERIFY(Forms().isLoaded("frmCorbeille"));
    QCOMPARE(QDir(Session().DossierDonnees).entryList(QDir::Files).size(), kFichiers.size());
}

void tst_Corbeille::refusedTrash_data()
{
    QTest::addColumn<QString>("corbeille");
    QTest::addColumn<QString>("raison"); // in the message
    const QString autrui = "n'appartient pas à votre compte ou reste ouverte aux autres comptes";
    QTest::newRow("a file in the trash's place") << "fichier" << "un fichier qui n'est pas un dossier occupe la place";
    QTest::newRow("a link in the trash's place") << "lien" << autrui;
    QTest::newRow("files folder open to all") << "ouverte" << autrui;
    QTest::newRow("trash of another account") << "autre" << autrui;
    QTest::newRow("trash planted on a shared disk") << "plantee" << autrui;
}

void tst_Corbeille::refusedTrash()
{
    QFETCH(QString, corbeille);
    QFETCH(QString, raison);
    TestHome maison; // the shared disk's place, outside the teacher's home
    std::unique_ptr<PetitDisque> partage;
    QString documents;
    const QString uid = QString::number(geteuid());
    if (corbeille == "plantee") {
        partage = std::make_unique<PetitDisque>(maison.path("partage"), 1 << 20);
        if (!partage->monte())
            QSKIP("a shared disk needs a tmpfs mounted as root");
        documents = maison.path("partage");
    }
    Corbeille c(kFichiers, documents);
    const QString ici = c.home.path("ici");
    QDir().mkpath(ici);
    const QString avant = QDir::currentPath();
    QDir::setCurrent(ici);
    const QString trash = c.home.dataHome() + "/Trash";
    const QString ailleurs = c.home.path("ailleurs");
    QDir().mkpath(ailleurs);
    QDir().mkpath(c.home.dataHome());
    QString refusee = trash;
    if (corbeille == "fichier") {
        QVERIFY(TestHome::writeFile(trash, ""));
    } else if (corbeille == "lien") {
        QVERIFY(QFile::link(ailleurs, trash));
    } else if (corbeille == "ouverte") {
        QVERIFY(QDir().mkpath(trash + "/files"));
        QVERIFY(QFile::setPermissions(trash + "/files", QFile::Permissions(0x7777)));
    } else if (corbeille == "autre") {
        if (geteuid() != 0)
            QSKIP("another account's folder is made as root");
        QVERIFY(QDir().mkpath(trash));
        QCOMPARE(chown(QFile::encodeName(trash).constData(), 4242, 4242), 0);
    } else {
        // A student made the teacher's trash folder of the disk, open to him.
        refusee = documents + "/.Trash-" + uid;
        QVERIFY(QDir().mkpath(refusee));
        QCOMPARE(chown(QFile::encodeName(refusee).constData(), 4242, 4242), 0);
        QVERIFY(QFile::setPermissions(refusee, QFile::Permissions(0x7777)));
    }

    c.choisir("a.qvt");
    c.supprimer({vb::Yes, vb::OK});
    QCOMPARE(c.dialogs.messages().size(), 2);
    const QString message = c.dialogs.messages()[1].text;
    QVERIFY2(message.startsWith("Le fichier « a.qvt » n'a pas été jeté dans la corbeille : "), qPrintable(message));
    QVERIFY2(message.endsWith("Il reste dans le dossier " + Session().DossierDonnees), qPrintable(message));
    QVERIFY2(message.contains(raison), qPrintable(message));
    QCOMPARE(c.dialogs.messages()[1].style, int(vb::Exclamation));
    // The file where it was, nothing put anywhere else.
    QCOMPARE(TestHome::readFile(Session().DossierDonnees + "a.qvt"), QByteArray("a.qvt\r\n"));
    QCOMPARE(QDir(ici).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QCOMPARE(QDir(ailleurs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    if (corbeille == "plantee" || corbeille == "autre")
        QVERIFY(!QFileInfo::exists(refusee + "/files/a.qvt"));
    QVERIFY(Forms().isLoaded("frmCorbeille"));
    QDir::setCurrent(avant);
    Forms().unloadAll();
}

void tst_Corbeille::ownTrashOfASharedDisk()
{
    TestHome maison;
    PetitDisque partage(maison.path("partage"), 1 << 20);
    if (!partage.monte())
        QSKIP("a shared disk needs a tmpfs mounted as root");
    Corbeille c(kFichiers, maison.path("partage"));
    c.choisir("a.qvt");
    c.supprimer({vb::Yes});
    QCOMPARE(c.dialogs.messages().size(), 1);
    const QString sienne = maison.path("partage") + "/.Trash-" + QString::number(geteuid());
    QCOMPARE(TestHome::readFile(sienne + "/files/a.qvt"), QByteArray("a.qvt\r\n"));
    QVERIFY(QFileInfo::exists(sienne + "/info/a.qvt.trashinfo"));
    QCOMPARE(TestHome::modeOf(sienne) & 0777, 0700u);
    QVERIFY(!QFileInfo::exists(Session().DossierDonnees + "a.qvt"));
    Forms().unloadAll();
}

void tst_Corbeille::missingFolderGivesEmptyList()
{
    Corbeille c({});
    QDir(Session().DossierDonnees).removeRecursively();
    Forms().unload("frmCorbeille");
    c.f = Forms().get<frmCorbeille>();
    QCOMPARE(c.liste(), QStringList());
    c.dialogs.answerMessage(vb::OK);
    c.cliquer("cmdKill");
    QCOMPARE(c.dialogs.messages().size(), 1);
}

QTEST_MAIN(tst_Corbeille)
#include "tst_corbeille.moc"
