#include "TestHome.h"

#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"

#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMoi = -1;        // the account the test runs as
constexpr int kAutre = 54321;   // another ordinary account (a student)
constexpr int kProf = 54320;    // the teacher's account

// A classroom's shared root with its levels Brelmar/Wavix, prepared as the
// administrator's command leaves them (writable by all, sticky), each
// level's owner stated by the test.
struct Salle {
    TestHome home;
    QString racine = home.path("salle");
    QHash<QString, uid_t> proprietaires; // stated owners, by path

    Salle()
    {
        QVERIFY(QDir().mkpath(racine + "/Brelmar/Wavix"));
        for (const QString& niveau : {racine + "/Brelmar", racine + "/Brelmar/Wavix"})
            QVERIFY(chmod(QFile::encodeName(niveau).constData(), 01777) == 0);
        setFileOwnerProbe([this](const QString& path) -> std::optional<uid_t> {
            struct stat info {};
            if (lstat(QFile::encodeName(path).constData(), &info) != 0)
                return std::nullopt;
            return proprietaires.value(path, info.st_uid);
        });
    }
    void proprietaire(const QString& niveau, int compte)
    {
        if (compte != kMoi)
            proprietaires[racine + niveau] = uid_t(compte);
    }
    // The documents as the command lays a classroom out: Brelmar root's and
    // closed, Brelmar/Wavix the teacher's and closed, its drop box the
    // teacher's, 3733.
    void salleDeClasse()
    {
        QVERIFY(QDir().mkpath(racine + "/Brelmar/Wavix/Resultats"));
        QVERIFY(chmod(QFile::encodeName(racine + "/Brelmar").constData(), 0755) == 0);
        QVERIFY(chmod(QFile::encodeName(racine + "/Brelmar/Wavix").constData(), 0755) == 0);
        QVERIFY(chmod(QFile::encodeName(racine + "/Brelmar/Wavix/Resultats").constData(), 03733) == 0);
        proprietaires[racine + "/Brelmar"] = 0;
        proprietaires[racine + "/Brelmar/Wavix"] = kProf;
        proprietaires[racine + "/Brelmar/Wavix/Resultats"] = kProf;
    }
};

int modeOf(const QString& path)
{
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

} // namespace

class tst_Dossiers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void specialFolders_data();
    void specialFolders();
    void networkFileSystems_data();
    void networkFileSystems();
    void fixedPermissionMounts_data();
    void fixedPermissionMounts();
    void resultsFolder();
    void networkResultsFileName();
    void userName();
    void sharedFolderCheck_data();
    void sharedFolderCheck();
    void classroomDocumentsCheck_data();
    void classroomDocumentsCheck();
    void unpreparedFolderIsSaidOnceAndNotUsed();
    void settingsFileOfTheAccount_data();
    void settingsFileOfTheAccount();
    void passwordMarker_data();
    void passwordMarker();
};

void tst_Dossiers::specialFolders_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("userFolder");
    QTest::newRow("data") << 35 << "WAVIX_COMMON_APPDATA" << ".local/share";
    QTest::newRow("documents") << 46 << "WAVIX_COMMON_DOCUMENTS" << "Documents";
}

void tst_Dossiers::specialFolders()
{
    QFETCH(int, id);
    QFETCH(QString, variable);
    QFETCH(QString, userFolder);
    TestHome home;
    ScriptedDialogs dialogs;

    // Unset: the user's folder, made when a fresh account lacks it.
    QCOMPARE(CheminDossierSpecial(id), home.path(userFolder));
    QVERIFY(QFileInfo(home.path(userFolder)).isDir());

    // Set to a classroom folder: that folder, without trailing slash.
    QDir().mkpath(home.path("classe"));
    qputenv(variable.toLatin1(), (home.path("classe") + "/").toLocal8Bit());
    QCOMPARE(CheminDossierSpecial(id), home.path("classe"));
    QVERIFY(dialogs.shown().isEmpty());

    // Set to a folder that does not exist: said, and the user's own stands in.
    dialogs.answerMessage(vb::OK);
    qputenv(variable.toLatin1(), home.path("absent").toLocal8Bit());
    QCOMPARE(CheminDossierSpecial(id), home.path(userFolder));
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY2(dialogs.messages()[0].text.startsWith("Le dossier partagé de la classe n'est pas prêt :\r\n" + home.path("absent")
                                                    + " (nommé par la variable " + variable + ")\r\nCe dossier n'existe pas."),
             qPrintable(dialogs.messages()[0].text));
    QVERIFY(dialogs.messages()[0].text.contains("sudo wavix-preparer-salle --professeur "));
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Dossiers partagés"));
}

void tst_Dossiers::networkFileSystems_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<bool>("network");
    QTest::newRow("nfs") << QByteArray("nfs") << true;
    QTest::newRow("nfs4") << QByteArray("nfs4") << true;
    QTest::newRow("cifs") << QByteArray("cifs") << true;
    QTest::newRow("smb3") << QByteArray("smb3") << true;
    QTest::newRow("sshfs") << QByteArray("fuse.sshfs") << true;
    QTest::newRow("ext4") << QByteArray("ext4") << false;
    QTest::newRow("tmpfs") << QByteArray("tmpfs") << false;
    QTest::newRow("overlay") << QByteArray("overlay") << false;
}

void tst_Dossiers::networkFileSystems()
{
    QFETCH(QByteArray, type);
    QFETCH(bool, network);
    QCOMPARE(isNetworkFileSystemType(type), network);
}

void tst_Dossiers::fixedPermissionMounts_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("options"); // as /proc/mounts gives them
    QTest::addColumn<bool>("fixed");
    QTest::newRow("CIFS, modes given at the mount")
        << QByteArray("cifs") << QByteArray("rw,relatime,vers=3.1.1,cache=strict,username=prof,uid=1000,forceuid,"
                                            "gid=1000,forcegid,file_mode=0755,dir_mode=0755,soft,nounix,serverino")
        << true;
    QTest::newRow("SMB 3, no extensions") << QByteArray("smb3") << QByteArray("rw,vers=3.0,sec=ntlmssp") << true;
    QTest::newRow("CIFS with the Unix extensions") << QByteArray("cifs") << QByteArray("rw,vers=1.0,unix,posixpaths")
                                                   << false;
    QTest::newRow("SMB 3.1.1 with the POSIX extensions") << QByteArray("smb3") << QByteArray("rw,vers=3.1.1,posix")
                                                         << false;
    QTest::newRow("CIFS with the server's ACLs") << QByteArray("cifs") << QByteArray("rw,cifsacl") << false;
    QTest::newRow("an option named like one") << QByteArray("cifs") << QByteArray("rw,username=unix") << true;
    QTest::newRow("NFS") << QByteArray("nfs4") << QByteArray("rw,vers=4.2,sec=sys") << false;
    QTest::newRow("SSHFS") << QByteArray("fuse.sshfs") << QByteArray("rw,user_id=0,group_id=0") << false;
    QTest::newRow("ext4") << QByteArray("ext4") << QByteArray("rw,relatime") << false;
}

void tst_Dossiers::fixedPermissionMounts()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, options);
    QFETCH(bool, fixed);
    QCOMPARE(hasFixedPermissions(type, options), fixed);
}

void tst_Dossiers::resultsFolder()
{
    TestHome home;
    // Local disk: the documents folder, and DossierDocumentsCommuns with it.
    setMountProbe([](const QString&) { return MountInfo{false, "/"}; });
    DossierResultats local = GetResultsFolder("/opt/wavix");
    QVERIFY(!local.reseau);
    QCOMPARE(local.base, home.documents() + "/Brelmar/Wavix");
    QCOMPARE(Session().DossierDocumentsCommuns, home.documents() + "/");

    // On a share: the share's root.
    QString asked;
    setMountProbe([&asked](const QString& path) {
        asked = path;
        return MountInfo{true, "/mnt/pub/"};
    });
    DossierResultats reseau = GetResultsFolder("/mnt/pub/labo");
    QCOMPARE(asked, QStringLiteral("/mnt/pub/labo"));
    QVERIFY(reseau.reseau);
    QCOMPARE(reseau.base, QStringLiteral("/mnt/pub"));

    // The real probe: a temporary folder is no network share.
    setMountProbe(nullptr);
    QVERIFY(!probeMount(home.path()).network);
}

void tst_Dossiers::networkResultsFileName()
{
    const QDateTime moment(QDate(2007, 12, 1), QTime(14, 7, 9));
    QCOMPARE(FichierResultatReseau("/mnt/pub", " Depot ", "eleve1", moment),
             QStringLiteral("/mnt/pub/Depot/QVT_eleve1_1_12_2007_14_7.txt"));
    const QDateTime morning(QDate(2007, 3, 8), QTime(9, 5));
    QCOMPARE(FichierResultatReseau("/srv", "D", "u", morning), QStringLiteral("/srv/D/QVT_u_8_3_2007_9_5.txt"));
    // A "%" and a digit in a name is only text: nothing shifts.
    QCOMPARE(FichierResultatReseau("/srv", "Dépôt %1", "eleve%2", morning),
             QStringLiteral("/srv/Dépôt %1/QVT_eleve%2_8_3_2007_9_5.txt"));
    QCOMPARE(FichierResultatReseau("/srv/%3", "%9", "%1%2", moment),
             QStringLiteral("/srv/%3/%9/QVT_%1%2_1_12_2007_14_7.txt"));
}

void tst_Dossiers::userName()
{
    TestHome home;
    setLoginNameSource([] { return std::optional<QString>("eleve1"); });
    QCOMPARE(NomUtilisateur(), QStringLiteral("eleve1"));
    setLoginNameSource([] { return std::optional<QString>(); });
    QCOMPARE(NomUtilisateur(), QStringLiteral("Inconnu"));
    setLoginNameSource(nullptr);
    QVERIFY(!NomUtilisateur().isEmpty());
}

void tst_Dossiers::sharedFolderCheck_data()
{
    QTest::addColumn<QString>("change");      // what happened to the folders
    QTest::addColumn<int>("proprioBrelmar");  // owner of Brelmar
    QTest::addColumn<int>("proprioWavix");    // owner of Brelmar/Wavix
    QTest::addColumn<int>("etat");
    QTest::addColumn<QString>("niveau");      // the level at fault, under the root

    const int pret = int(EtatDossierPartage::Pret);
    QTest::newRow("prepared by root") << "" << 0 << 0 << pret << "";
    QTest::newRow("the user's own folders") << "" << kMoi << kMoi << pret << "";
    QTest::newRow("root reached through a link") << "root link" << 0 << 0 << pret << "";
    QTest::newRow("root sticky, writable by all") << "root 1777" << 0 << 0 << pret << "";
    QTest::newRow("Brelmar missing") << "no Brelmar" << 0 << 0 << int(EtatDossierPartage::Manquant) << "/Brelmar";
    QTest::newRow("Wavix missing") << "no Wavix" << 0 << 0 << int(EtatDossierPartage::Manquant) << "/Brelmar/Wavix";
    QTest::newRow("Brelmar a planted link") << "Brelmar link" << 0 << 0 << int(EtatDossierPartage::PasUnDossier)
                                            << "/Brelmar";
    QTest::newRow("Wavix a planted link") << "Wavix link" << 0 << 0 << int(EtatDossierPartage::PasUnDossier)
                                          << "/Brelmar/Wavix";
    QTest::newRow("Brelmar a file") << "Brelmar file" << 0 << 0 << int(EtatDossierPartage::PasUnDossier) << "/Brelmar";
    QTest::newRow("Brelmar made by a student") << "" << kAutre << 0 << int(EtatDossierPartage::AutreCompte)
                                               << "/Brelmar";
    QTest::newRow("Wavix made by a student") << "" << 0 << kAutre << int(EtatDossierPartage::AutreCompte)
                                             << "/Brelmar/Wavix";
    QTest::newRow("Wavix writable by all, not sticky") << "Wavix 0777" << 0 << 0
                                                       << int(EtatDossierPartage::NonProtege) << "/Brelmar/Wavix";
    QTest::newRow("Brelmar writable by its group, not sticky") << "Brelmar 0775" << 0 << 0
                                                               << int(EtatDossierPartage::NonProtege) << "/Brelmar";
    QTest::newRow("root writable by all, not sticky") << "root 0777" << 0 << 0 << int(EtatDossierPartage::NonProtege)
                                                      << "root";
    QTest::newRow("Wavix closed to the students") << "Wavix 0755" << 0 << 0
                                                  << int(EtatDossierPartage::NonInscriptible) << "/Brelmar/Wavix";
}

void tst_Dossiers::sharedFolderCheck()
{
    QFETCH(QString, change);
    QFETCH(int, proprioBrelmar);
    QFETCH(int, proprioWavix);
    QFETCH(int, etat);
    QFETCH(QString, niveau);
    Salle salle;
    const QString brelmar = salle.racine + "/Brelmar", wavix = brelmar + "/Wavix";
    // A prepared folder elsewhere, for the links to lead to.
    const QString ailleurs = salle.home.path("ailleurs/Brelmar/Wavix");
    QVERIFY(QDir().mkpath(ailleurs));
    QVERIFY(chmod(QFile::encodeName(ailleurs).constData(), 01777) == 0);
    QString racine = salle.racine;
    if (change == "root link") {
        racine = salle.home.path("lien-salle");
        QVERIFY(QFile::link(salle.racine, racine));
    } else if (change == "root 1777" || change == "root 0777") {
        QVERIFY(chmod(QFile::encodeName(salle.racine).constData(), change == "root 1777" ? 01777 : 0777) == 0);
    } else if (change == "no Brelmar" || change == "Brelmar link" || change == "Brelmar file") {
        QVERIFY(QDir(brelmar).removeRecursively());
        if (change == "Brelmar link")
            QVERIFY(QFile::link(QFileInfo(ailleurs).path(), brelmar));
        if (change == "Brelmar file")
            QVERIFY(TestHome::writeFile(brelmar, "x"));
    } else if (change == "no Wavix" || change == "Wavix link") {
        QVERIFY(QDir(wavix).removeRecursively());
        if (change == "Wavix link")
            QVERIFY(QFile::link(ailleurs, wavix));
    } else if (change == "Wavix 0777" || change == "Wavix 0755") {
        QVERIFY(chmod(QFile::encodeName(wavix).constData(), change == "Wavix 0777" ? 0777 : 0755) == 0);
    } else if (change == "Brelmar 0775") {
        QVERIFY(chmod(QFile::encodeName(brelmar).constData(), 0775) == 0);
    }
    salle.proprietaire("/Brelmar", proprioBrelmar);
    salle.proprietaire("/Brelmar/Wavix", proprioWavix);
    if (etat == int(EtatDossierPartage::NonInscriptible)) {
        // Its owner is the test's account; a student is another.
        if (geteuid() == 0)
            QSKIP("root may write anywhere: a closed folder is seen by an ordinary account only.");
        salle.proprietaire("/Brelmar/Wavix", 0);
        QVERIFY(chmod(QFile::encodeName(wavix).constData(), 0555) == 0);
    }
    const int avantRacine = modeOf(salle.racine), avantBrelmar = modeOf(brelmar), avantWavix = modeOf(wavix);

    const ConstatDossierPartage constat = VerifierDossierPartage(racine);
    QCOMPARE(int(constat.etat), etat);
    if (!niveau.isEmpty())
        QCOMPARE(constat.niveau, niveau == "root" ? racine : racine + niveau);
    if (constat.etat == EtatDossierPartage::AutreCompte)
        QCOMPARE(constat.proprietaire, uid_t(kAutre));
    // Looked at, never made nor changed.
    QCOMPARE(modeOf(salle.racine), avantRacine);
    QCOMPARE(modeOf(brelmar), avantBrelmar);
    QCOMPARE(modeOf(wavix), avantWavix);
    QVERIFY(QDir(ailleurs).isEmpty());
}

void tst_Dossiers::classroomDocumentsCheck_data()
{
    QTest::addColumn<QString>("change");   // from the classroom's layout
    QTest::addColumn<int>("etat");
    QTest::addColumn<QString>("niveau");   // the level at fault, under the root
    QTest::addColumn<int>("proprietaire"); // its owner, for AutreCompte
    const int sansProf = int(EtatDossierPartage::SansProfesseur), depot = int(EtatDossierPartage::DepotNonProtege);
    QTest::newRow("prepared for the classroom") << "" << int(EtatDossierPartage::Pret) << "" << 0;
    QTest::newRow("prepared by the older command") << "old" << sansProf << "/Brelmar/Wavix" << 0;
    QTest::newRow("Wavix root's and closed") << "Wavix root" << sansProf << "/Brelmar/Wavix" << 0;
    QTest::newRow("Wavix the teacher's, Brelmar open to all")
        << "Brelmar 1777" << sansProf << "/Brelmar/Wavix" << 0;
    QTest::newRow("Wavix the teacher's and open to all") << "Wavix 1777" << sansProf << "/Brelmar/Wavix" << 0;
    QTest::newRow("Brelmar the teacher's") << "Brelmar prof" << int(EtatDossierPartage::AutreCompte) << "/Brelmar"
                                           << kProf;
    QTest::newRow("drop box missing") << "no drop box" << int(EtatDossierPartage::Manquant)
                                      << "/Brelmar/Wavix/Resultats" << 0;
    QTest::newRow("drop box a link") << "drop box link" << int(EtatDossierPartage::PasUnDossier)
                                     << "/Brelmar/Wavix/Resultats" << 0;
    QTest::newRow("drop box a student's") << "drop box student" << int(EtatDossierPartage::AutreCompte)
                                          << "/Brelmar/Wavix/Resultats" << kAutre;
    QTest::newRow("drop box open to all") << "drop box 1777" << depot << "/Brelmar/Wavix/Resultats" << 0;
    QTest::newRow("drop box others may list") << "drop box 3777" << depot << "/Brelmar/Wavix/Resultats" << 0;
    QTest::newRow("drop box without its group") << "drop box 1733" << depot << "/Brelmar/Wavix/Resultats" << 0;
}

void tst_Dossiers::classroomDocumentsCheck()
{
    QFETCH(QString, change);
    QFETCH(int, etat);
    QFETCH(QString, niveau);
    QFETCH(int, proprietaire);
    Salle salle;
    salle.salleDeClasse();
    const QString brelmar = salle.racine + "/Brelmar", wavix = brelmar + "/Wavix", depot = wavix + "/Resultats";
    auto mode = [](const QString& chemin, mode_t bits) { QVERIFY(chmod(QFile::encodeName(chemin).constData(), bits) == 0); };
    if (change == "old") {
        QVERIFY(QDir(depot).removeRecursively());
        mode(brelmar, 01777);
        mode(wavix, 01777);
        salle.proprietaires[wavix] = 0;
    } else if (change == "Wavix root") {
        salle.proprietaires[wavix] = 0;
    } else if (change == "Brelmar 1777") {
        mode(brelmar, 01777);
    } else if (change == "Wavix 1777") {
        mode(wavix, 01777);
    } else if (change == "Brelmar prof") {
        salle.proprietaires[brelmar] = kProf;
    } else if (change == "no drop box" || change == "drop box link") {
        QVERIFY(QDir(depot).removeRecursively());
        if (change == "drop box link")
            QVERIFY(QFile::link(salle.home.path(), depot));
    } else if (change == "drop box student") {
        salle.proprietaires[depot] = kAutre;
    } else if (change.startsWith("drop box ")) {
        mode(depot, mode_t(change.section(' ', -1).toUInt(nullptr, 8)));
    }
    const ConstatDossierPartage constat = VerifierDossierPartage(salle.racine, kDossierDocumentsCommuns);
    QCOMPARE(int(constat.etat), etat);
    if (!niveau.isEmpty())
        QCOMPARE(constat.niveau, salle.racine + niveau);
    if (constat.etat == EtatDossierPartage::AutreCompte)
        QCOMPARE(constat.proprietaire, uid_t(proprietaire));
    const std::optional<SalleDeClasse> classe = [&] {
        qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(salle.racine));
        return SalleDeClasseActuelle();
    }();
    QCOMPARE(classe.has_value(), etat == int(EtatDossierPartage::Pret));
    if (classe) {
        QCOMPARE(constat.professeur, uid_t(kProf));
        QCOMPARE(classe->professeur, uid_t(kProf));
        QCOMPARE(classe->depot, depot);
    }
}

void tst_Dossiers::unpreparedFolderIsSaidOnceAndNotUsed()
{
    Salle salle;
    ScriptedDialogs dialogs;
    if (getpwuid(kAutre))
        QSKIP("The test's other account exists on this machine: its name would be shown.");
    salle.proprietaire("/Brelmar", kAutre);
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(salle.racine));
    dialogs.answerMessage(vb::OK);

    // The user's own documents folder stands in, said once in the run.
    QCOMPARE(RacineDeTravail(kDossierDocumentsCommuns), salle.home.documents() + "/");
    QCOMPARE(RacineDeTravail(kDossierDocumentsCommuns), salle.home.documents() + "/");
    QCOMPARE(GetResultsFolder("/opt/wavix").base, salle.home.documents() + "/Brelmar/Wavix");
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Dossiers partagés"));
    QCOMPARE(dialogs.messages()[0].style & 0x70, int(vb::Exclamation));
    QCOMPARE(dialogs.messages()[0].text,
             "Le dossier partagé de la classe n'est pas prêt :\r\n" + salle.racine + "/Brelmar\r\n"
             "Ce dossier appartient au compte 54321, qui pourrait supprimer ou remplacer les fichiers des autres.\r\n\r\n"
             "L'administrateur de l'ordinateur le prépare avec la commande (voir le fichier README de Wavix) :\r\n"
             "sudo wavix-preparer-salle --professeur <compte du professeur> <dossier des réglages> \""
             + salle.racine + "\"\r\n\r\n"
             "En attendant, Wavix travaille dans votre dossier personnel :\r\n"
             + salle.home.documents() + "/Brelmar/Wavix");
    QCOMPARE(dialogs.unexpected(), 0);

    // Prepared by the administrator: the shared folder is used, and the
    // program makes nothing under it, not even a missing level.
    salle.proprietaires.clear();
    salle.salleDeClasse();
    QCOMPARE(RacineDeTravail(kDossierDocumentsCommuns), salle.racine + "/");
    QVERIFY(QDir(salle.racine + "/Brelmar").removeRecursively());
    QVERIFY(!CreerDossier(salle.racine + "/Brelmar/Wavix"));
    QVERIFY(!QFileInfo::exists(salle.racine + "/Brelmar"));
}

void tst_Dossiers::settingsFileOfTheAccount_data()
{
    QTest::addColumn<QString>("present"); // what is at the settings file's name
    QTest::addColumn<bool>("sien");
    QTest::newRow("missing: made for the user now") << "" << true;
    QTest::newRow("the user's own file") << "own" << true;
    QTest::newRow("planted by a classmate") << "other" << false;
    QTest::newRow("a planted link to the user's file") << "link" << false;
    QTest::newRow("a planted FIFO") << "fifo" << false;
}

void tst_Dossiers::settingsFileOfTheAccount()
{
    QFETCH(QString, present);
    QFETCH(bool, sien);
    Salle salle;
    const QString fichier = salle.racine + "/Brelmar/Wavix/ConfQVT_eleve2.ini";
    const QString ailleurs = salle.home.path("ConfQVT_eleve2.ini");
    const QByteArray contenu = "[Options]\r\nCouleur fond=255\r\n";
    QVERIFY(TestHome::writeFile(ailleurs, contenu));
    if (present == "own" || present == "other")
        QVERIFY(TestHome::writeFile(fichier, contenu));
    if (present == "other")
        salle.proprietaires[fichier] = kAutre;
    if (present == "link")
        QVERIFY(QFile::link(ailleurs, fichier));
    if (present == "fifo")
        QVERIFY(TestHome::makeFifo(fichier));

    QCOMPARE(ReglagesDuCompte(fichier), sien);
    if (present.isEmpty()) {
        // His from now on: nobody can plant it later.
        QVERIFY(QFileInfo(fichier).isFile());
        // Nobody else can open it, so nobody else can lock it.
        QCOMPARE(TestHome::modeOf(fichier), 0600u);
        QCOMPARE(TestHome::readFile(fichier), QByteArray());
    }
    QCOMPARE(TestHome::readFile(ailleurs), contenu);
}

void tst_Dossiers::passwordMarker_data()
{
    QTest::addColumn<QString>("present"); // what another account put at "MotDePasse.txt"
    QTest::addColumn<bool>("pret");
    QTest::newRow("nothing: made") << "" << true;
    QTest::newRow("a classmate's read-only file (touch)") << "file" << true;
    QTest::newRow("a planted link") << "link" << true;
    QTest::newRow("a planted FIFO") << "fifo" << true;
    QTest::newRow("deposit folder missing") << "no folder" << false;
}

void tst_Dossiers::passwordMarker()
{
    QFETCH(QString, present);
    QFETCH(bool, pret);
    TestHome home;
    const QString depot = home.path("srv/Dépôt");
    const QString marque = depot + "/MotDePasse.txt", cible = home.path("cible");
    if (present != "no folder")
        QVERIFY(QDir().mkpath(depot));
    if (present == "file") {
        QVERIFY(TestHome::writeFile(marque, "x"));
        QVERIFY(chmod(QFile::encodeName(marque).constData(), 0444) == 0);
    }
    if (present == "link")
        QVERIFY(QFile::link(cible, marque));
    if (present == "fifo")
        QVERIFY(TestHome::makeFifo(marque));

    QCOMPARE(PreparerMarqueMotDePasse(depot), pret);
    if (present.isEmpty()) {
        QVERIFY(QFileInfo(marque).isFile());
        QCOMPARE(TestHome::modeOf(marque), 0666u);
    }
    if (present == "file") {
        QCOMPARE(TestHome::readFile(marque), QByteArray("x"));
        QCOMPARE(TestHome::modeOf(marque), 0444u);
    }
    // The link is not followed.
    QVERIFY(!QFileInfo::exists(cible));
}

QTEST_MAIN(tst_Dossiers)
#include "tst_dossiers.moc"
