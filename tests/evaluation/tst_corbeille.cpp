#include "TestHome.h"

#include "app/EtatProgramme.h"
#include "evaluation/frmCorbeille.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Exercise files in the data folder of a home of its own, whose trash is
// $XDG_DATA_HOME/Trash.
struct Corbeille {
    TestHome home;
    ScriptedDialogs dialogs;
    frmCorbeille* f = nullptr;

    explicit Corbeille(const QStringList& fichiers)
    {
        DossierDonnees = home.documents() + "/Brelmar/Wavix/";
        QDir().mkpath(DossierDonnees);
        for (const QString& nom : fichiers)
            TestHome::writeFile(DossierDonnees + nom, nom.toUtf8() + "\r\n");
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
};

const QStringList kFichiers = {"b.QVT", "a.qvt", "c.qvt", "notes.txt", "d.qvt.bak"};

} // namespace

class tst_Corbeille : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheDataFolder();
    void selectedFilesGoToTheTrash();
    void nothingChosen();
    void cancelDeletesNothing();
    void failureReportedAndListReadAgain();
    void missingFolderGivesEmptyList();
};

void tst_Corbeille::listsTheDataFolder()
{
    Corbeille c(kFichiers);
    QCOMPARE(c.f->windowTitle(), QStringLiteral("Supprimer un fichier"));
    QCOMPARE(c.f->dossier(), DossierDonnees);
    QCOMPARE(c.liste(), QStringList({"a.qvt", "b.QVT", "c.qvt"}));
}

void tst_Corbeille::selectedFilesGoToTheTrash()
{
    Corbeille c(kFichiers);
    c.choisir("a.qvt");
    c.choisir("b.QVT");
    c.cliquer("cmdKill");
    QVERIFY(c.dialogs.shown().isEmpty());
    QVERIFY(!Forms().isLoaded("frmCorbeille"));
    QCOMPARE(QDir(DossierDonnees).entryList(QDir::Files, QDir::Name),
             QStringList({"c.qvt", "d.qvt.bak", "notes.txt"}));
    // Whole in the trash, where the desktop can restore them from.
    QCOMPARE(TestHome::readFile(c.corbeille("a.qvt")), QByteArray("a.qvt\r\n"));
    QCOMPARE(TestHome::readFile(c.corbeille("b.QVT")), QByteArray("b.QVT\r\n"));
    QVERIFY(QFileInfo::exists(c.home.dataHome() + "/Trash/info/a.qvt.trashinfo"));
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

    // Chosen and unchosen again: nothing goes and the window closes.
    c.choisir("a.qvt");
    c.f->flbQVT->setCurrentRow(0, QItemSelectionModel::Deselect);
    c.cliquer("cmdKill");
    QCOMPARE(c.dialogs.messages().size(), 1);
    QVERIFY(!Forms().isLoaded("frmCorbeille"));
    QCOMPARE(QDir(DossierDonnees).entryList(QDir::Files).size(), kFichiers.size());
}

void tst_Corbeille::cancelDeletesNothing()
{
    Corbeille c(kFichiers);
    c.choisir("a.qvt");
    c.cliquer("cmdCancel");
    QVERIFY(!Forms().isLoaded("frmCorbeille"));
    QCOMPARE(QDir(DossierDonnees).entryList(QDir::Files).size(), kFichiers.size());
}

void tst_Corbeille::failureReportedAndListReadAgain()
{
    Corbeille c(kFichiers);
    c.choisir("a.qvt");
    c.choisir("b.QVT");
    c.choisir("c.qvt");
    // Gone meanwhile (another teacher's session): it cannot be moved.
    QVERIFY(QFile::remove(DossierDonnees + "b.QVT"));
    c.dialogs.answerMessage(vb::OK);
    c.cliquer("cmdKill");
    QCOMPARE(c.dialogs.messages().size(), 1);
    QCOMPARE(c.dialogs.messages()[0].text, QStringLiteral("Ce fichier n'a pas pu être jeté dans la corbeille :\r\nb.QVT"));
    QVERIFY(Forms().isLoaded("frmCorbeille"));
    QCOMPARE(c.liste(), QStringList());
    QVERIFY(QFileInfo::exists(c.corbeille("a.qvt")));
    QVERIFY(QFileInfo::exists(c.corbeille("c.qvt")));
}

void tst_Corbeille::missingFolderGivesEmptyList()
{
    Corbeille c({});
    QDir(DossierDonnees).removeRecursively();
    Forms().unload("frmCorbeille");
    c.f = Forms().get<frmCorbeille>();
    QCOMPARE(c.liste(), QStringList());
    c.dialogs.answerMessage(vb::OK);
    c.cliquer("cmdKill");
    QCOMPARE(c.dialogs.messages().size(), 1);
}

QTEST_MAIN(tst_Corbeille)
#include "tst_corbeille.moc"
