#include "TestHome.h"

#include "app/Dossiers.h"
#include "app/EtatProgramme.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"

#include <QtTest>

class tst_Dossiers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void specialFolders_data();
    void specialFolders();
    void networkFileSystems_data();
    void networkFileSystems();
    void resultsFolder();
    void networkResultsFileName();
    void userName();
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
    QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Le répertoire n'existe pas."));
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix"));
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

void tst_Dossiers::resultsFolder()
{
    TestHome home;
    // Local disk: the documents folder, and DossierDocumentsCommuns with it.
    setMountProbe([](const QString&) { return MountInfo{false, "/"}; });
    DossierResultats local = GetResultsFolder("/opt/wavix");
    QVERIFY(!local.reseau);
    QCOMPARE(local.base, home.documents() + "/Brelmar/Wavix");
    QCOMPARE(DossierDocumentsCommuns, home.documents() + "/");

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

QTEST_MAIN(tst_Dossiers)
#include "tst_dossiers.moc"
