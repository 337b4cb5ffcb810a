// A classroom's shared folders with real accounts: prepared with the
// administrator's command of the README for a teacher's account, then used
// by the teacher and by student accounts, each run under its own uid
// (setpriv; the tests that need them run as root and are skipped
// otherwise). What one student can do to the others' files, and to the
// class's results, by the program or by a shell; and what one student can
// put there for the others: the tips every student sees at start-up.
//
// The accounts are real ones, made on this machine the first time (useradd,
// each with a group of its own) and kept: wavix-essai-prof, the teacher, and
// the students wavix-essai-a and wavix-essai-b. Older checks use bare uids
// (65532 to 65534) where no account name is needed.

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
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kProfesseur = 65532, kEleveA = 65533, kEleveB = 65534;

const QString kScript = QStringLiteral(WAVIX_TESTS_DIR "/../scripts/wavix-preparer-salle");

struct Sortie {
    int code = -1; // -1: could not be started, or did not end
    QString texte;
};

// Runs a program as another account: a bare uid (its own gid, no other
// group), or a real account with its groups and a home of its own.
Sortie lancerComme(const QStringList& identite, const QString& programme, const QStringList& arguments,
                   const QStringList& environnement = {})
{
    QProcess p;
    p.setProgram("setpriv");
    p.setArguments(identite + QStringList{"env"} + environnement + QStringList{programme} + arguments);
    p.start();
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
}

int commeCompte(uid_t compte, const QString& programme, const QStringList& arguments)
{
    const QString id = QString::number(compte);
    return lancerComme({"--reuid=" + id, "--regid=" + id, "--clear-groups"}, programme, arguments).code;
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
    gid_t groupe = 0;
};

Etat etatDe(const QString& chemin)
{
    struct stat info {};
    Etat e;
    if (lstat(QFile::encodeName(chemin).constData(), &info) != 0)
        return e;
    return Etat{true, S_ISLNK(info.st_mode), info.st_uid, unsigned(info.st_mode & 07777), info.st_gid};
}

// A real account of the machine, made the first time it is needed.
struct Compte {
    QString nom;
    uid_t uid = 0;
    gid_t gid = 0;
    QString home; // a home of its own for its programs

    // Runs as that account, with its own groups, in its home.
    Sortie lancer(const QString& programme, const QStringList& arguments) const
    {
        return lancerComme({"--reuid=" + nom, "--regid=" + QString::number(gid), "--init-groups"}, programme,
                           arguments,
                           {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                            "XDG_DATA_HOME=" + home + "/.local/share"});
    }
    Sortie wavix(const QStringList& arguments) const { return lancer(WAVIX_AUTRE_COMPTE, arguments); }
    int shell(const QString& commande) const { return lancer("/bin/sh", {"-c", commande}).code; }
};

std::optional<Compte> compteEssai(const QString& nom, const QString& dossier)
{
    // Several test programs may ask at once: one makes it.
    const int fait = QProcess::execute(
        "flock", {"/run/lock/wavix-comptes-essai", "sh", "-c",
                  "getent passwd " + nom + " >/dev/null || useradd --system --user-group --no-create-home "
                  "--shell /usr/sbin/nologin " + nom});
    const passwd* pw = fait == 0 ? getpwnam(nom.toLocal8Bit().constData()) : nullptr;
    if (!pw)
        return std::nullopt;
    Compte c{nom, pw->pw_uid, pw->pw_gid, dossier + "/home-" + nom};
    QDir().mkpath(c.home);
    if (chown(QFile::encodeName(c.home).constData(), c.uid, c.gid) != 0)
        return std::nullopt;
    return c;
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
    static Sortie preparer(const QStringList& arguments)
    {
        QProcess p;
        p.start("sh", QStringList{kScript} + arguments);
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
    }
    Sortie preparer(const QString& professeur) const { return preparer({"--professeur", professeur, donnees, documents}); }
    QString wavix(const QString& racine) const { return racine + "/Brelmar/Wavix"; }
    QString depot() const { return wavix(documents) + "/Resultats"; }
};

// A classroom prepared for the teacher, with his exercise and tips files;
// the programs started meanwhile are given its folders.
struct Classe : Salle {
    std::optional<Compte> prof, a, b;

    ~Classe()
    {
        qunsetenv("WAVIX_COMMON_APPDATA");
        qunsetenv("WAVIX_COMMON_DOCUMENTS");
    }
    bool prete()
    {
        qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(donnees));
        qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(documents));
        prof = compteEssai("wavix-essai-prof", dir.path());
        a = compteEssai("wavix-essai-a", dir.path());
        b = compteEssai("wavix-essai-b", dir.path());
        if (!prof || !a || !b)
            return false;
        const Sortie s = preparer(prof->nom);
        if (s.code != 0) {
            qWarning("%s", qPrintable(s.texte));
            return false;
        }
        return prof->shell("printf 'CC/1//CC/1/\\r\\n' > '" + wavix(documents) + "/tp.qvt' && printf 'Astuce\\r\\n' > '"
                           + wavix(documents) + "/TipOfDayWavix.txt'")
            == 0;
    }
    // A whole run of the account into a new file of its own in the drop box.
    QString epreuve(const Compte& c, const QString& nom) const
    {
        const Sortie s = c.wavix({"epreuve", depot() + "/QVT_" + c.nom + "_8_3_2007_9_5.txt", nom});
        return s.code == 0 ? s.texte.trimmed() : QString();
    }
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
    void commandLaysTheClassroomOut();
    void plantedBeforePreparationIsMovedAside();
    void studentCannotSpoilAnotherAccountsFiles_data();
    void studentCannotSpoilAnotherAccountsFiles();
    void teacherAloneSeesAndEmptiesTheResults();
    void oneClassroomPasswordOfTheTeacher();
    void plantedNetworkNamesStopNoRun();
    void plantedFilesDoNotStopAnotherAccount();
    void twoProgramsOfOneStudentKeepEveryKey();
    void tipsAreShownAsText_data();
    void tipsAreShownAsText();
};

void tst_SallePartagee::commandLaysTheClassroomOut()
{
    COMPTES_REELS();
    Classe salle;
    const std::optional<Compte> prof = compteEssai("wavix-essai-prof", salle.dir.path());
    const std::optional<Compte> eleve = compteEssai("wavix-essai-a", salle.dir.path());
    // Two accounts whose primary group is "users": a shared group.
    const std::optional<Compte> partage = [&] {
        QProcess::execute("flock", {"/run/lock/wavix-comptes-essai", "sh", "-c",
                                    "for n in wavix-essai-users1 wavix-essai-users2; do getent passwd $n >/dev/null || "
                                    "useradd --system -g users --no-create-home --shell /usr/sbin/nologin $n; done"});
        return compteEssai("wavix-essai-users1", salle.dir.path());
    }();
    QVERIFY(prof && eleve && partage);
    // Roots once left open to all, as classrooms were set up: a student's
    // program made the levels of one, and a link was planted in the other.
    for (const QString& racine : {salle.donnees, salle.documents}) {
        QVERIFY(QDir().mkpath(racine));
        QVERIFY(chmod(QFile::encodeName(racine).constData(), 0777) == 0);
    }
    const QString piege = salle.donnees + "/piege";
    QCOMPARE(eleve->shell("mkdir -p '" + salle.wavix(salle.documents) + "' && echo x > '" + salle.wavix(salle.documents)
                          + "/tp.qvt' && mkdir -m 0700 '" + piege + "' && ln -s '" + piege + "' '" + salle.donnees
                          + "/Brelmar'"),
             0);

    // Refused: no teacher, a relative path, one folder, root or an unknown
    // account as the teacher, a teacher whose group others share.
    QCOMPARE(Salle::preparer({salle.donnees, salle.documents}).code, 2);
    QVERIFY(Salle::preparer({"--professeur", prof->nom, "relatif/donnees", salle.documents}).code != 0);
    QCOMPARE(Salle::preparer({"--professeur", prof->nom, salle.donnees}).code, 2);
    QVERIFY(Salle::preparer({"--professeur", "root", salle.donnees, salle.documents}).code != 0);
    QVERIFY(Salle::preparer({"--professeur", "wavix-essai-absent", salle.donnees, salle.documents}).code != 0);
    const Sortie groupe = Salle::preparer({"--professeur", partage->nom, salle.donnees, salle.documents});
    QVERIFY(groupe.code != 0);
    QVERIFY2(groupe.texte.contains("(users) est partagé avec"), qPrintable(groupe.texte));
    QVERIFY(!QFileInfo::exists(salle.documents + "/Brelmar/Wavix/Resultats"));

    const Sortie pret = salle.preparer(prof->nom);
    QCOMPARE(pret.code, 0);
    // The roots keep their mode, with the sticky bit now.
    for (const QString& racine : {salle.donnees, salle.documents})
        QCOMPARE(etatDe(racine).mode, 01777u);
    struct Attendu {
        QString chemin;
        uid_t proprietaire;
        gid_t groupe;
        unsigned mode;
    };
    const gid_t g = prof->gid;
    const QString dw = salle.wavix(salle.documents), aw = salle.wavix(salle.donnees);
    for (const Attendu& a : {Attendu{salle.donnees + "/Brelmar", 0, 0, 01777u}, Attendu{aw, 0, 0, 01777u},
                             Attendu{aw + "/Professeur", prof->uid, 0, 0755u},
                             Attendu{salle.documents + "/Brelmar", 0, 0, 0755u}, Attendu{dw, prof->uid, 0, 0755u},
                             Attendu{dw + "/Resultats", prof->uid, g, 03733u}}) {
        const Etat e = etatDe(a.chemin);
        QVERIFY2(e.existe && !e.lien && QFileInfo(a.chemin).isDir(), qPrintable(a.chemin));
        QCOMPARE(e.proprietaire, a.proprietaire);
        QCOMPARE(e.groupe, a.groupe);
        QCOMPARE(e.mode, a.mode);
    }
    QCOMPARE(int(VerifierDossierPartage(salle.donnees).etat), int(EtatDossierPartage::Pret));
    const ConstatDossierPartage classe = VerifierDossierPartage(salle.documents, kDossierDocumentsCommuns);
    QCOMPARE(int(classe.etat), int(EtatDossierPartage::Pret));
    QCOMPARE(classe.professeur, prof->uid);
    // The link was removed, not followed: what it led to is untouched.
    QCOMPARE(etatDe(piege).proprietaire, eleve->uid);
    QCOMPARE(etatDe(piege).mode, 0700u);
    // The student's exercise file is no teacher's: moved aside, and said.
    QVERIFY(!QFileInfo::exists(dw + "/tp.qvt"));
    QVERIFY2(pret.texte.contains("Écarté : " + dw + "/tp.qvt (il appartient au compte wavix-essai-a)"),
             qPrintable(pret.texte));
    QVERIFY(pret.texte.contains("Prêt : " + dw + "/Resultats"));
    // Run again, it changes nothing.
    const QStringList avant = QDir(dw).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    const Sortie encore = salle.preparer(prof->nom);
    QCOMPARE(encore.code, 0);
    QVERIFY2(!encore.texte.contains("Écarté"), qPrintable(encore.texte));
    QCOMPARE(QDir(dw).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), avant);
    QCOMPARE(etatDe(dw + "/Resultats").mode, 03733u);
}

void tst_SallePartagee::plantedBeforePreparationIsMovedAside()
{
    COMPTES_REELS();
    Classe salle;
    const std::optional<Compte> prof = compteEssai("wavix-essai-prof", salle.dir.path());
    const std::optional<Compte> a = compteEssai("wavix-essai-a", salle.dir.path());
    const std::optional<Compte> b = compteEssai("wavix-essai-b", salle.dir.path());
    QVERIFY(prof && a && b);
    // As the older command left the folders: every level root's, open to
    // all and sticky.
    for (const QString& racine : {salle.donnees, salle.documents})
        for (const QString& niveau : {racine, racine + "/Brelmar", racine + "/Brelmar/Wavix"}) {
            QVERIFY(QDir().mkpath(niveau));
            QVERIFY(chmod(QFile::encodeName(niveau).constData(), 01777) == 0);
        }
    const QString dw = salle.wavix(salle.documents), aw = salle.wavix(salle.donnees);
    // The class's shared results, writable by all: A's run, then B's forged
    // mark.
    QCOMPARE(a->shell("umask 0 && printf 'Nom \\351l\\350ve :Durand\\r\\n' > '" + dw + "/Resultat.txt'"), 0);
    QCOMPARE(b->shell("printf ' -------> Note : 20/20\\r\\n' >> '" + dw + "/Resultat.txt'"), 0);
    const QByteArray anciens = TestHome::readFile(dw + "/Resultat.txt");
    // What B plants for the others before the preparation.
    const QString piege = salle.dir.path() + "/piege";
    QVERIFY(TestHome::writeFile(piege, "ne pas toucher\r\n"));
    QVERIFY(chmod(QFile::encodeName(piege).constData(), 0644) == 0);
    QCOMPARE(b->shell("cd '" + dw + "' && mkfifo TipOfDayWavix.txt && ln -s '" + piege + "' tp2.qvt && "
                      "printf 'CC/9//CC/9/\\r\\n' > faux.qvt && mkdir tp3.qvt && mkdir Resultats && touch Resultats/x && "
                      "cd '" + aw + "' && printf '[Options]\\r\\n' > ConfQVT_wavix-essai-a.ini && "
                      "mkfifo ConfQVT_wavix-essai-b.ini && ln -s /tmp Professeur"),
             0);
    // A's own settings stay where they are.
    QCOMPARE(a->shell("printf '[Options]\\r\\n' > '" + aw + "/ConfQVT_wavix-essai-prof.ini.x' && printf '[Options]\\r\\n' > '"
                      + aw + "/ConfQVT_wavix-essai-a.ini.tmp'"),
             0);

    const Sortie pret = salle.preparer(prof->nom);
    QCOMPARE(pret.code, 0);
    // Each planted name listed and moved into a folder of root's that the
    // teacher may read and nobody else; nothing left at those names.
    for (const QString& plante : {dw + "/TipOfDayWavix.txt", dw + "/tp2.qvt", dw + "/faux.qvt", dw + "/tp3.qvt",
                                  dw + "/Resultats", aw + "/ConfQVT_wavix-essai-a.ini", aw + "/ConfQVT_wavix-essai-b.ini",
                                  aw + "/Professeur"}) {
        QVERIFY2(pret.texte.contains("Écarté : " + plante + " ("), qPrintable(plante + "\n" + pret.texte));
        const QString dossier = QFileInfo(plante).path();
        const QStringList ecarts = QDir(dossier).entryList({"Ecartes-*"}, QDir::Dirs);
        QCOMPARE(ecarts.size(), 1);
        const Etat e = etatDe(dossier + "/" + ecarts[0]);
        QCOMPARE(e.proprietaire, uid_t(0));
        QCOMPARE(e.groupe, prof->gid);
        QCOMPARE(e.mode, 0750u);
        QVERIFY(QFileInfo::exists(dossier + "/" + ecarts[0] + "/" + QFileInfo(plante).fileName())
                || QFileInfo(dossier + "/" + ecarts[0] + "/" + QFileInfo(plante).fileName()).isSymLink());
    }
    QCOMPARE(TestHome::readFile(piege), QByteArray("ne pas toucher\r\n"));
    QCOMPARE(etatDe(piege).mode, 0644u);
    // The shared results: the teacher's file now, in the drop box, whole.
    QVERIFY(!QFileInfo::exists(dw + "/Resultat.txt"));
    const QString repris = salle.depot() + "/Resultat.txt";
    const Etat e = etatDe(repris);
    QCOMPARE(e.proprietaire, prof->uid);
    QCOMPARE(e.groupe, prof->gid);
    QCOMPARE(e.mode, 0640u);
    QCOMPARE(TestHome::readFile(repris), anciens);
    QVERIFY(pret.texte.contains("Déplacé : " + dw + "/Resultat.txt -> " + repris));
    // Files that are nobody's planting stay.
    QVERIFY(QFileInfo::exists(aw + "/ConfQVT_wavix-essai-prof.ini.x"));
    QVERIFY(QFileInfo::exists(aw + "/ConfQVT_wavix-essai-a.ini.tmp"));
    QVERIFY(pret.texte.contains("Prêt : " + dw + " "));
    QCOMPARE(int(VerifierDossierPartage(salle.documents, kDossierDocumentsCommuns).etat), int(EtatDossierPartage::Pret));
    // A's next run goes to a file of his own, which B cannot read.
    const QString sien = salle.epreuve(*a, "Durand");
    QVERIFY(!sien.isEmpty());
    QVERIFY(b->shell("cat '" + sien + "'") != 0);
}

void tst_SallePartagee::studentCannotSpoilAnotherAccountsFiles_data()
{
    // Run by student B; %D the documents' Wavix, %A the settings' Wavix, %R
    // the drop box, %F A's results file.
    QTest::addColumn<QString>("commande");
    QTest::addColumn<QString>("temoin"); // a file that must stay as it was
    QTest::addColumn<QString>("absent"); // a name that must stay free, if any
    QTest::newRow("empty A's results") << ": > %F" << "%F" << "";
    QTest::newRow("append a mark to A's results") << "echo ' -------> Note : 20/20' >> %F" << "%F" << "";
    QTest::newRow("open A's results to all") << "chmod 666 %F" << "%F" << "";
    QTest::newRow("replace A's results") << "echo faux > %R/b && mv -f %R/b %F" << "%F" << "";
    QTest::newRow("rename A's results") << "mv %F %R/x" << "%F" << "%R/x";
    QTest::newRow("delete A's results") << "rm -f %F" << "%F" << "";
    QTest::newRow("read A's results") << "cat %F" << "%F" << "";
    QTest::newRow("list the drop box") << "ls %R" << "%F" << "";
    QTest::newRow("delete the drop box") << "rm -rf %R" << "%F" << "";
    QTest::newRow("move the drop box away") << "mv %R %D/x" << "%F" << "%D/x";
    QTest::newRow("plant an exercise file") << "echo CC/9//CC/9/ > %D/faux.qvt" << "%D/tp.qvt" << "%D/faux.qvt";
    QTest::newRow("replace the teacher's exercise file") << "echo faux > %D/tp.qvt" << "%D/tp.qvt" << "";
    QTest::newRow("delete the teacher's exercise file") << "rm -f %D/tp.qvt" << "%D/tp.qvt" << "";
    QTest::newRow("a link at the tips name") << "rm -f %D/TipOfDayWavix.txt; ln -s /etc/passwd %D/TipOfDayWavix.txt"
                                             << "%D/TipOfDayWavix.txt" << "";
    QTest::newRow("a FIFO at the shared results name") << "mkfifo %D/Resultat.txt" << "%D/tp.qvt" << "%D/Resultat.txt";
    QTest::newRow("set the classroom password") << "echo x > %A/Professeur/MotDePasseClasse" << "%F"
                                                << "%A/Professeur/MotDePasseClasse";
    QTest::newRow("move the teacher's folder away") << "mv %A/Professeur %A/x" << "%F" << "%A/x";
    QTest::newRow("delete A's settings") << "rm -f %A/ConfQVT_a.ini" << "%A/ConfQVT_a.ini" << "";
    // Opened, it could be locked, and each of A's writes would wait for it.
    QTest::newRow("open A's settings to read or lock them") << "exec 3< %A/ConfQVT_a.ini" << "%A/ConfQVT_a.ini" << "";
    QTest::newRow("replace A's settings") << "echo faux > %A/b && mv -f %A/b %A/ConfQVT_a.ini" << "%A/ConfQVT_a.ini"
                                          << "";
    QTest::newRow("move the folder away") << "mv %D %D.ancien" << "%D/tp.qvt" << "%D.ancien";
    QTest::newRow("replace Brelmar by a link") << "cd %D/../.. && mv Brelmar x && ln -s /tmp Brelmar" << "%D/tp.qvt"
                                               << "%D/../../x";
    QTest::newRow("delete everything") << "rm -rf %D/../../Brelmar %A/../../Brelmar" << "%F" << "";
}

void tst_SallePartagee::studentCannotSpoilAnotherAccountsFiles()
{
    QFETCH(QString, commande);
    QFETCH(QString, temoin);
    QFETCH(QString, absent);
    COMPTES_REELS();
    Classe salle;
    QVERIFY(salle.prete());
    const QString reglages = salle.wavix(salle.donnees), documents = salle.wavix(salle.documents);
    // A's settings and results.
    QCOMPARE(salle.a->wavix({"ecrire", reglages + "/ConfQVT_a.ini", salle.depot() + "/QVT_a_8_3_2007_9_0.txt"}).code, 0);
    const QString resultatsA = salle.epreuve(*salle.a, "Durand");
    QVERIFY(!resultatsA.isEmpty());
    auto chemin = [&](QString texte) {
        return texte.replace("%D", documents).replace("%A", reglages).replace("%R", salle.depot()).replace("%F", resultatsA);
    };
    const QString fichier = chemin(temoin);
    const QByteArray avant = TestHome::readFile(fichier);
    const Etat etatAvant = etatDe(fichier);
    const QByteArray resultats = TestHome::readFile(resultatsA);
    QVERIFY(!avant.isEmpty());

    QVERIFY(salle.b->shell(chemin(commande)) != 0);
    QCOMPARE(TestHome::readFile(fichier), avant);
    QCOMPARE(etatDe(fichier).proprietaire, etatAvant.proprietaire);
    QCOMPARE(etatDe(fichier).mode, etatAvant.mode);
    QCOMPARE(TestHome::readFile(resultatsA), resultats);
    if (!absent.isEmpty())
        QVERIFY2(!etatDe(chemin(absent)).existe, qPrintable(chemin(absent)));
    QCOMPARE(int(VerifierDossierPartage(salle.donnees).etat), int(EtatDossierPartage::Pret));
    QCOMPARE(int(VerifierDossierPartage(salle.documents, kDossierDocumentsCommuns).etat), int(EtatDossierPartage::Pret));
    // Both go on: each run written whole into a file of its own.
    for (const Compte* c : {&*salle.a, &*salle.b}) {
        const QString sien = salle.epreuve(*c, "Martin");
        QVERIFY2(!sien.isEmpty() && sien != resultatsA, qPrintable(c->nom));
        QCOMPARE(etatDe(sien).proprietaire, c->uid);
        QVERIFY(TestHome::readFile(sien).endsWith(" -------> Note : 20,0/20\r\n"));
    }
}

void tst_SallePartagee::teacherAloneSeesAndEmptiesTheResults()
{
    COMPTES_REELS();
    Classe salle;
    QVERIFY(salle.prete());
    // A's run, and B's run under A's name; then B makes his own file
    // unreadable and plants a FIFO at one of A's next names.
    const QString deA = salle.epreuve(*salle.a, "Durand");
    const QString deB = salle.epreuve(*salle.b, "Durand");
    QVERIFY(!deA.isEmpty() && !deB.isEmpty());
    for (const QString& f : {deA, deB}) {
        // The teacher's group, readable by him alone.
        QCOMPARE(etatDe(f).groupe, salle.prof->gid);
        QCOMPARE(etatDe(f).mode, 0640u);
    }
    const QString ferme = salle.epreuve(*salle.b, "Autre");
    QCOMPARE(salle.b->shell("chmod 600 '" + ferme + "' && mkfifo '" + salle.depot() + "/QVT_wavix-essai-a_8_3_2007_9_6.txt'"), 0);

    // No student sees the class's results, nor empties them.
    for (const Compte* c : {&*salle.a, &*salle.b}) {
        QCOMPARE(c->wavix({"voir", salle.depot()}).code, 1);
        QCOMPARE(c->wavix({"vider", salle.depot()}).code, 2);
    }
    // The teacher sees every file, its owning account named beside the
    // name typed in it; what he cannot read listed with why.
    const Sortie vue = salle.prof->wavix({"voir", salle.depot()});
    QCOMPARE(vue.code, 0);
    QStringList entetes;
    for (const QString& ligne : vue.texte.split("\r\n"))
        if (ligne.startsWith("#### "))
            entetes << ligne;
    const QString nomA = QFileInfo(deA).fileName(), nomB = QFileInfo(deB).fileName();
    QCOMPARE(entetes.size(), 4);
    QVERIFY2(entetes.contains("#### Compte : wavix-essai-a ; nom saisi : Durand Léa ; fichier : " + nomA + " ####"),
             qPrintable(vue.texte));
    QVERIFY(entetes.contains("#### Compte : wavix-essai-b ; nom saisi : Durand Léa ; fichier : " + nomB + " ####"));
    QVERIFY(entetes.contains("#### Compte : wavix-essai-b ; fichier : " + QFileInfo(ferme).fileName()
                             + " : illisible, ce fichier ne peut pas être lu ou écrit ####"));
    QVERIFY(entetes.contains("#### Compte : wavix-essai-b ; fichier : QVT_wavix-essai-a_8_3_2007_9_6.txt : illisible, "
                             "ce fichier n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique) ####"));
    // Seen, not changed; then emptied by the teacher.
    QCOMPARE(etatDe(deA).mode, 0640u);
    QCOMPARE(salle.prof->wavix({"vider", salle.depot()}).code, 0);
    QVERIFY(QDir(salle.depot()).isEmpty(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot));
    QVERIFY(!salle.epreuve(*salle.a, "Durand").isEmpty());
}

void tst_SallePartagee::oneClassroomPasswordOfTheTeacher()
{
    COMPTES_REELS();
    Classe salle;
    QVERIFY(salle.prete());
    const Compte& prof = *salle.prof;
    const Compte& a = *salle.a;
    const QString fichier = salle.wavix(salle.donnees) + "/Professeur/MotDePasseClasse";
    // A student's own settings hold a password of his: never read here.
    QCOMPARE(a.shell("mkdir -p \"$HOME/.config/Brelmar\" && printf '[Settings]\\nPassword=moi\\n' > "
                     "\"$HOME/.config/Brelmar/wavix.conf\""),
             0);
    // Not chosen yet: nothing opens, on any account.
    for (const Compte* c : {&prof, &a})
        for (const char* essai : {"", "moi"})
            QCOMPARE(c->wavix({"motdepasse", essai}).code, 2);
    QVERIFY(a.wavix({"motdepasse", ""}).texte.contains("Le mot de passe de la classe n'est pas encore choisi"));
    // A student cannot choose it, by the program or by a shell.
    const Sortie refus = a.wavix({"changer", "", "moi"});
    QCOMPARE(refus.code, 1);
    QVERIFY2(refus.texte.contains("Seul le compte du professeur (wavix-essai-prof) peut changer"), qPrintable(refus.texte));
    QVERIFY(a.shell("echo x > '" + fichier + "'") != 0);
    QVERIFY(!QFileInfo::exists(fichier));

    // The teacher chooses it from his account.
    QCOMPARE(prof.wavix({"changer", "", "Tableau"}).code, 0);
    const Etat e = etatDe(fichier);
    QCOMPARE(e.proprietaire, prof.uid);
    QCOMPARE(e.mode, 0644u);
    QVERIFY(TestHome::readFile(fichier).startsWith("$argon2id$"));
    // Typed into a student's program it opens the teacher's commands there,
    // and nothing more: the program runs as the student.
    QCOMPARE(a.wavix({"motdepasse", "tableau"}).code, 0);
    QCOMPARE(a.wavix({"motdepasse", "moi"}).code, 1);
    QCOMPARE(a.wavix({"changer", "tableau", "moi"}).code, 1);
    QCOMPARE(a.wavix({"voir", salle.depot()}).code, 1);
    QCOMPARE(a.wavix({"vider", salle.depot()}).code, 2);
    for (const QString& geste : {"echo x > '" + fichier + "'", "rm -f '" + fichier + "'",
                                 "mv '" + fichier + "' '" + fichier + ".x'",
                                 "echo x > '" + salle.wavix(salle.documents) + "/faux.qvt'"})
        QVERIFY2(a.shell(geste) != 0, qPrintable(geste));
    QCOMPARE(TestHome::readFile(fichier).left(10), QByteArray("$argon2id$"));

    // Forgotten: the administrator resets it, the teacher chooses another.
    const Sortie oubli = Salle::preparer({"--professeur", prof.nom, "--oublier-mot-de-passe", salle.donnees,
                                          salle.documents});
    QCOMPARE(oubli.code, 0);
    QVERIFY(oubli.texte.contains("Mot de passe de la classe oublié"));
    QVERIFY(!QFileInfo::exists(fichier));
    QCOMPARE(a.wavix({"motdepasse", "tableau"}).code, 2);
    QCOMPARE(prof.wavix({"changer", "", "Craie"}).code, 0);
    QCOMPARE(a.wavix({"motdepasse", "CRAIE"}).code, 0);
}

void tst_SallePartagee::plantedNetworkNamesStopNoRun()
{
    COMPTES_REELS();
    Classe salle;
    QVERIFY(salle.prete());
    const Compte& a = *salle.a;
    const Compte& b = *salle.b;
    // Network use: the teacher's deposit folder on the share, with his
    // group; students may only add files there.
    const QString depot = salle.dir.path() + "/srv/Depot";
    QVERIFY(QDir().mkpath(depot));
    QVERIFY(chown(QFile::encodeName(depot).constData(), salle.prof->uid, salle.prof->gid) == 0);
    QVERIFY(chmod(QFile::encodeName(depot).constData(), 03733) == 0);
    // B makes a whole day's names of A's results, 1 440 of them, and, for
    // the minute of A's start, the eight names after it; the one A's run
    // tries first is writable by all.
    const QString nom = "QVT_" + a.nom + "_8_3_2007_";
    QCOMPARE(b.shell("cd '" + depot + "' && umask 022 && for h in $(seq 0 23); do for m in $(seq 0 59); do : > " + nom
                     + "${h}_${m}.txt || exit 1; done; done && for i in $(seq 2 9); do : > " + nom
                     + "9_5_$i.txt || exit 1; done && chmod 666 " + nom + "9_5.txt"),
             0);
    QCOMPARE(QDir(depot).entryList(QDir::Files).size(), 1448);

    // A's run starts all the same, in a file of his own that nobody could
    // foresee, readable by the teacher's group alone.
    const Sortie run = a.wavix({"epreuve", depot + "/" + nom + "9_5.txt", "Durand", "reseau"});
    QCOMPARE(run.code, 0);
    const QString sien = run.texte.trimmed();
    QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(depot + "/" + nom) + "9_5_[a-z0-9]{10}\\.txt$")
                 .match(sien)
                 .hasMatch(),
             qPrintable(sien));
    const Etat e = etatDe(sien);
    QCOMPARE(e.proprietaire, a.uid);
    QCOMPARE(e.groupe, salle.prof->gid);
    QCOMPARE(e.mode, 0640u);
    QVERIFY(TestHome::readFile(sien).endsWith(" -------> Note : 20,0/20\r\n"));
    // B's files are as he made them: nothing of A's went into them.
    int ecrits = 0;
    for (const QFileInfo& f : QDir(depot).entryInfoList(QDir::Files))
        if (f.absoluteFilePath() != sien)
            ecrits += f.size() != 0 || etatDe(f.absoluteFilePath()).proprietaire != b.uid;
    QCOMPARE(ecrits, 0);
    // A later run of the same program goes on in A's own file.
    QCOMPARE(a.wavix({"epreuve", sien, "Durand", "reseau"}).texte.trimmed(), sien);
    QCOMPARE(TestHome::readFile(sien).count(" -------> Note : "), 2);
    // The teacher reads it; B cannot.
    QCOMPARE(salle.prof->shell("cat '" + sien + "' > /dev/null"), 0);
    QVERIFY(b.shell("cat '" + sien + "'") != 0);
}

void tst_SallePartagee::plantedFilesDoNotStopAnotherAccount()
{
    COMPTES_REELS();
    Classe salle;
    QVERIFY(salle.prete());
    const QString reglages = salle.wavix(salle.donnees);
    // A plants B's settings file before B's first start.
    const QString plante = reglages + "/ConfQVT_eleveB.ini";
    QCOMPARE(shell(kEleveA, "printf '[Options]\\r\\nCouleur fond=255\\r\\n' > '" + plante + "'"), 0);
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE, {"reglages", plante}), 1);
    // A file nobody planted is made B's at his start: too late to plant it.
    const QString sien = reglages + "/ConfQVT_eleveC.ini";
    QCOMPARE(commeCompte(kEleveB, WAVIX_AUTRE_COMPTE, {"reglages", sien}), 0);
    QCOMPARE(etatDe(sien).proprietaire, kEleveB);
    QCOMPARE(etatDe(sien).mode, 0600u);
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
    Classe salle;
    QVERIFY(salle.prete());
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
    Session().DossierDonnees = home.path("partage/Brelmar/Wavix/");
    QVERIFY(TestHome::writeFile(Session().DossierDonnees + "TipOfDayWavix.txt", astuce + "\r\n"));
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
