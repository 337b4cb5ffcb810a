// A classroom's shared folders with real accounts: prepared with the
// administrator's command of the README, then used by student accounts run
// under uids of their own (setpriv; the tests that need them run as root and
// are skipped otherwise). And what one student can put there for the others:
// the tips every student sees at start-up.

#include "TestHome.h"

#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "help/frmTip.h"
#include "platform/Forms.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kProfesseur = 65532, kEleveA = 65533, kEleveB = 65534;

const QString kScript = QStringLiteral(WAVIX_TESTS_DIR "/../scripts/wavix-preparer-salle");

// Runs a program as another account; its exit status, -1 when it could not
// be started or did not end.
int commeCompte(uid_t compte, const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.setProgram("setpriv");
    const QString id = QString::number(compte);
    p.setArguments(QStringList{"--reuid=" + id, "--regid=" + id, "--clear-groups", programme} + arguments);
    p.start();
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}

int shell(uid_t compte, const QString& commande)
{
    return commeCompte(compte, "/bin/sh", {"-c", commande});
}

struct Etat {
    bool existe = false;
    bool lien = false;
    uid_t proprietaire = 0;
    unsigned mode = 0;
};

Etat etatDe(const QString& chemin)
{
    struct stat info {};
    Etat e;
    if (lstat(QFile::encodeName(chemin).constData(), &info) != 0)
        return e;
    return Etat{true, S_ISLNK(info.st_mode), info.st_uid, unsigned(info.st_mode & 07777)};
}

// Two shared roots outside any private home, where every account can reach.
struct Salle {
    QTemporaryDir dir{QDir::tempPath() + "/wavix-salle-XXXXXX"};
    QString donnees, documents;

    Salle()
    {
        chmod(QFile::encodeName(dir.path()).constData(), 0755);
        donnees = dir.path() + "/donnees";
        documents = dir.path() + "/documents";
    }
    // The README's command, as the administrator types it.
    static int preparer(const QStringList& racines)
    {
        QProcess p;
        p.start("sh", QStringList{kScript} + racines);
        if (!p.waitForFinished(30000))
            return -1;
        return p.exitCode();
    }
    int preparer() const { return preparer({donnees, documents}); }
    QString wavix(const QString& racine) const { return racine + "/Brelmar/Wavix"; }
};

bool rougeVisible(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 90 && c.blue() < 90)
                return true;
        }
    return false;
}

} // namespace

#define COMPTES_REELS()                                                                                          \
    do {                                                                                                         \
        if (geteuid() != 0)                                                                                      \
            QSKIP("Other accounts are started with setpriv, which needs root: run the tests as root to try it."); \
        if (shell(kEleveB, "true") != 0)                                                                         \
            QSKIP("setpriv cannot start another uid here.");                                                     \
    } while (false)

class tst_SallePartagee : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandTakesTheFoldersBack();
    void studentCannotSpoilAnotherAccountsFiles_data();
    void studentCannotSpoilAnotherAccountsFiles();
    void plantedFilesDoNotStopAnotherAccount();
    void twoProgramsOfOneStudentKeepEveryKey();
    void tipsAreShownAsText_data();
    void tipsAreShownAsText();
};

void tst_SallePartagee::commandTakesTheFoldersBack()
{
    COMPTES_REELS();
    Salle salle;
    // Roots once left open to all, as classrooms were set up: a student's
    // program made the levels of one, and a link was planted in the other.
    for (const QString& racine : {salle.donnees, salle.documents}) {
        QVERIFY(QDir().mkpath(racine));
        QVERIFY(chmod(QFile::encodeName(racine).constData(), 0777) == 0);
    }
    const QString piege = salle.donnees + "/piege";
    QCOMPARE(shell(kEleveA, "mkdir -p '" + salle.wavix(salle.documents) + "' && echo x > '"
                                + salle.wavix(salle.documents) + "/tp.qvt' && mkdir -m 0700 '" + piege
                                + "' && ln -s '" + piege + "' '" + salle.donnees + "/Brelmar'"),
             0);

    QVERIFY(Salle::preparer(QStringList{"relatif/donnees"}) != 0);
    QCOMPARE(salle.preparer(), 0);
    for (const QString& racine : {salle.donnees, salle.documents}) {
        // The roots keep their mode, with the sticky bit now.
        QCOMPARE(etatDe(racine).mode, 01777u);
        for (const QString& niveau : {racine + "/Brelmar", racine + "/Brelmar/Wavix"}) {
            const Etat e = etatDe(niveau);
            QVERIFY2(e.existe && !e.lien && QFileInfo(niveau).isDir(), qPrintable(niveau));
            QCOMPARE(e.proprietaire, uid_t(0));
            QCOMPARE(e.mode, 01777u);
        }
        QCOMPARE(int(VerifierDossierPartage(racine).etat), int(EtatDossierPartage::Pret));
    }
    // The link was removed, not followed: what it led to is untouched.
    QCOMPARE(etatDe(piege).proprietaire, kEleveA);
    QCOMPARE(etatDe(piege).mode, 0700u);
    // Files already there keep their owner.
    QCOMPARE(etatDe(salle.wavix(salle.documents) + "/tp.qvt").proprietaire, kEleveA);
    // Run again, it changes nothing.
    QCOMPARE(salle.preparer(), 0);
    QCOMPARE(etatDe(salle.wavix(salle.donnees)).mode, 01777u);
}

void tst_SallePartagee::studentCannotSpoilAnotherAccountsFiles_data()
{
    QTest::addColumn<QString>("commande"); // run by student B; %D documents' Wavix, %A settings' Wavix
    QTest::addColumn<QString>("temoin");   // the file that must stay as it was
    QTest::newRow("delete the teacher's exercise file") << "rm -f %D/tp.qvt" << "%D/tp.qvt";
    QTest::newRow("replace the teacher's exercise file") << "echo faux > %D/b && mv -f %D/b %D/tp.qvt"
                                                         << "%D/tp.qvt";
    QTest::newRow("delete A's settings") << "rm -f %A/ConfQVT_eleveA.ini" << "%A/ConfQVT_eleveA.ini";
    QTest::newRow("replace A's settings") << "echo faux > %A/b && mv -f %A/b %A/ConfQVT_eleveA.ini"
                                          << "%A/ConfQVT_eleveA.ini";
    QTest::newRow("delete the shared results") << "rm -f %D/Resultat.txt" << "%D/Resultat.txt";
    QTest::newRow("move the folder away") << "mv %D %D.ancien" << "%D/tp.qvt";
    QTest::newRow("replace Brelmar by a link") << "cd %D/../.. && mv Brelmar x && ln -s /tmp Brelmar"
                                               << "%D/tp.qvt";
    QTest::newRow("delete everything") << "rm -rf %D/../../Brelmar %A/../../Brelmar" << "%D/tp.qvt";
}

void tst_SallePartagee::studentCannotSpoilAnotherAccountsFiles()
{
    QFETCH(QString, commande);
    QFETCH(QString, temoin);
    COMPTES_REELS();
    Salle salle;
    QCOMPARE(salle.preparer(), 0);
    const QString reglages = salle.wavix(salle.donnees), documents = salle.wavix(salle.documents);
    // The teacher's exercise file; student A's settings and results.
    QCOMPARE(shell(kProfesseur, "printf 'CC/1//CC/1/\\r\\n' > '" + documents + "/tp.qvt'"), 0);
    QCOMPARE(commeCompte(kEleveA, WAVIX_AUTRE_COMPTE,
                         {"ecrire", reglages + "/ConfQVT_eleveA.ini", documents + "/Resultat.txt"}),
             0);
    auto chemin = [&](QString texte) {
        return texte.replace("%D", documents).replace("%A", reglages);
    };
    const QString fichier = chemin(temoin);
    const QByteArray avant = TestHome::readFile(fichier);
    const Etat etatAvant = etatDe(fichier);
    QVERIFY(!avant.isEmpty());

    QVERIFY(shell(kEleveB, chemin(commande)) != 0);
    QCOMPARE(TestHome::readFile(fichier), avant);
    QCOMPARE(etatDe(fichier).proprietaire, etatAvant.proprietaire);
    for (const QString& racine : {salle.donnees, salle.documents})
        QCOMPARE(int(VerifierDossierPartage(racine).etat), int(EtatDossierPartage::Pret));
    // What B may do: write his own settings, add to the shared results.
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE,
                         {"ecrire", reglages + "/ConfQVT_eleveB.ini", documents + "/Resultat.txt"}),
             0);
    QCOMPARE(etatDe(reglages + "/ConfQVT_eleveB.ini").proprietaire, kEleveB);
}

void tst_SallePartagee::plantedFilesDoNotStopAnotherAccount()
{
    COMPTES_REELS();
    Salle salle;
    QCOMPARE(salle.preparer(), 0);
    const QString reglages = salle.wavix(salle.donnees);
    // A plants B's settings file before B's first start.
    const QString plante = reglages + "/ConfQVT_eleveB.ini";
    QCOMPARE(shell(kEleveA, "printf '[Options]\\r\\nCouleur fond=255\\r\\n' > '" + plante + "'"), 0);
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE, {"reglages", plante}), 1);
    // A file nobody planted is made B's at his start: too late to plant it.
    const QString sien = reglages + "/ConfQVT_eleveC.ini";
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE, {"reglages", sien}), 0);
    QCOMPARE(etatDe(sien).proprietaire, kEleveB);
    QVERIFY(shell(kEleveA, "printf '[Options]\\r\\n' > '" + sien + "'") != 0);

    // Network use: the teacher's deposit folder, where students may add
    // files but not list them; A leaves the password marker there first.
    const QString depot = salle.dir.path() + "/srv/Dépôt";
    QVERIFY(QDir().mkpath(depot));
    QVERIFY(chmod(QFile::encodeName(depot).constData(), 01733) == 0);
    QCOMPARE(shell(kEleveA, "touch '" + depot + "/MotDePasse.txt'"), 0);
    // Opening it to append is refused to B...
    QVERIFY(shell(kEleveB, ": >> '" + depot + "/MotDePasse.txt'") != 0);
    // ...and his start goes on all the same.
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE, {"marque", depot}), 0);
    QCOMPARE(etatDe(depot + "/MotDePasse.txt").proprietaire, kEleveA);
}

void tst_SallePartagee::twoProgramsOfOneStudentKeepEveryKey()
{
    COMPTES_REELS();
    Salle salle;
    QCOMPARE(salle.preparer(), 0);
    const QString fichier = salle.wavix(salle.donnees) + "/ConfQVT_eleveB.ini";
    constexpr int kCles = 100;
    // Two programs of student B write their keys at the same moment.
    QProcess programmes[2];
    const char* prefixes[2] = {"X", "Y"};
    for (int i = 0; i < 2; ++i) {
        programmes[i].setProgram("setpriv");
        programmes[i].setArguments({"--reuid=65534", "--regid=65534", "--clear-groups", WAVIX_AUTRE_COMPTE, "cles",
                                    fichier, prefixes[i], QString::number(kCles)});
        programmes[i].start();
    }
    for (QProcess& p : programmes) {
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
    }
    int perdues = 0;
    for (const char* prefixe : prefixes)
        for (int i = 1; i <= kCles; ++i)
            perdues += readProfileString(fichier, "Essai", prefixe + QString::number(i)) != QString::number(i);
    QCOMPARE(perdues, 0);
    QCOMPARE(etatDe(fichier).proprietaire, kEleveB);

    // One of them killed while it writes; B's next write leaves nothing of
    // it in the shared folder.
    QProcess coupe;
    coupe.setProgram("setpriv");
    coupe.setArguments({"--reuid=65534", "--regid=65534", "--clear-groups", WAVIX_AUTRE_COMPTE, "cles", fichier, "Z",
                        "1000000"});
    coupe.start();
    QVERIFY(coupe.waitForStarted(10000));
    QDeadlineTimer limite(30000);
    while (readProfileString(fichier, "Essai", "Z2").isEmpty() && !limite.hasExpired())
        coupe.waitForFinished(0);
    coupe.kill();
    QVERIFY(coupe.waitForFinished(10000));
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE, {"cles", fichier, "W", "1"}), 0);
    QCOMPARE(QDir(salle.wavix(salle.donnees)).entryList(QDir::Files | QDir::Hidden),
             QStringList{"ConfQVT_eleveB.ini"});
}

void tst_SallePartagee::tipsAreShownAsText_data()
{
    QTest::addColumn<QByteArray>("astuce"); // the line a student put in the tips file
    QTest::newRow("font") << QByteArray("<font color=\"#ff0000\" size=\"7\">Note : 20/20</font>");
    QTest::newRow("styled span") << QByteArray("<span style=\"color:red; font-size:40px\">Note : 20/20</span>");
    QTest::newRow("table") << QByteArray("<table bgcolor=\"red\" width=\"400\"><tr><td>Note : 20/20</td></tr></table>");
}

void tst_SallePartagee::tipsAreShownAsText()
{
    QFETCH(QByteArray, astuce);
    TestHome home;
    ScriptedDialogs dialogs;
    DossierDonnees = home.path("partage/Brelmar/Wavix/");
    QVERIFY(TestHome::writeFile(DossierDonnees + "TipOfDayWavix.txt", astuce + "\r\n"));
    const auto fin = qScopeGuard([] {
        Forms().unload(frmTip::kNom);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    auto* tip = Forms().get<frmTip>();
    auto* texte = tip->findChild<QLabel*>("lblTipText");
    QVERIFY(texte);
    // The tip reads as the file holds it, tags and all, in the label's own
    // colour: nothing of it is drawn red.
    QCOMPARE(texte->text(), QString::fromLatin1(astuce));
    tip->resize(tip->sizeHint().expandedTo(QSize(440, 230)));
    QVERIFY(!rougeVisible(texte->grab().toImage()));
}

QTEST_MAIN(tst_SallePartagee)
#include "tst_sallepartagee.moc"
