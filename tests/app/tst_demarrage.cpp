#include "services/EtatBanc.h"
#include "SalleEssai.h"
#include "TestHome.h"

#include "app/AssociationExercice.h"
#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "platform/InfoBulles.h"
#include "app/MDIWavix.h"
#include "services/Version.h"
#include "evaluation/frmDepot.h"
#include "evaluation/frmName.h"
#include "help/TelechargementFichier.h"
#include "platform/AssociateFile.h"
#include "platform/Forms.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSemaphore>
#include <QUrl>
#include <QtTest>

#include <memory>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kUser = QStringLiteral("eleve1");

// One start of the program in a fresh home, the version file read from a
// local file, dialogs answered by the test.
struct Start {
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<MDIWavix> mdi;

    Start()
    {
        setLoginNameSource([] { return std::optional<QString>(kUser); });
        setAdresseFichierVersion(QUrl::fromLocalFile(home.path("version.txt")).toString());
    }
    ~Start()
    {
        Forms().unloadAll();
        mdi.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setAdresseFichierVersion(QString());
    }

    QString settingsFile() const
    {
        return home.dataHome() + "/Brelmar/Wavix/ConfQVT_" + kUser + ".ini";
    }
    QString setting(const QString& section, const QString& key) const
    {
        return readProfileString(settingsFile(), section, key);
    }
    void presetSetting(const QString& section, const QString& key, const QString& value)
    {
        QDir().mkpath(home.dataHome() + "/Brelmar/Wavix");
        QVERIFY(writeProfileString(settingsFile(), section, key, value));
    }
    bool run()
    {
        mdi = std::make_unique<MDIWavix>();
        return mdi->MDIForm_Load();
    }
    // An evaluated run started from the menu: the identity all in the
    // student's name, the exercise file chosen.
    void evaluer(const QString& exo, const QString& eleve = QStringLiteral("Durand"))
    {
        dialogs.answerModal([eleve](QWidget* w) {
            for (QLineEdit* champ : static_cast<frmName*>(w)->txtIdent)
                if (champ)
                    champ->setText(eleve);
            w->findChild<QPushButton*>("cmdOK")->click();
        });
        dialogs.answerFile(exo);
        mdi->Mnu_Pilote_Click();
    }
    static void closeTip(ScriptedDialogs& d)
    {
        d.answerModal([](QWidget* w) { QCOMPARE(w->objectName(), QStringLiteral("frmTip")); });
    }
};

void clickOkWith(QWidget* depot, const QString& name)
{
    QCOMPARE(depot->objectName(), QStringLiteral("frmDepot"));
    depot->findChild<QLineEdit*>("txtDepot")->setText(name);
    depot->findChild<QPushButton*>("cmdOK")->click();
}

} // namespace

class tst_Demarrage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshHome();
    void tipsAtStartup_data();
    void tipsAtStartup();
    void backgroundAndTooltips_data();
    void backgroundAndTooltips();
    void versionComparison_data();
    void versionComparison();
    void versionFile_data();
    void versionFile();
    void newVersionWaitsForTheTip();
    void quitDoesNotWaitForTheCheck();
    void resolutionWarning();
    void dataFolderCannotBeCreated_data();
    void dataFolderCannotBeCreated();
    void namedFolderMissing();
    void networkUseAsksDepositOnce();
    void networkUseWithoutUserName();
    void networkDepositIsChecked_data();
    void networkDepositIsChecked();
    void networkRunsTakeNoPlantedName();
    void missingDepositIsAskedAgain_data();
    void missingDepositIsAskedAgain();
    void fifoSettingsFileDoesNotHangStartUp();
    void sharedFoldersAreUsableByEveryAccount();
    void unpreparedSharedFoldersAreNotTakenOver_data();
    void unpreparedSharedFoldersAreNotTakenOver();
    void olderClassroomIsReported();
    void plantedSettingsFileIsNotRead();
    void plantedPasswordMarkerDoesNotStopStartUp();
    void depositNameMustBeOneFolder_data();
    void depositNameMustBeOneFolder();
    void quitSavesScopeSettings_data();
    void quitSavesScopeSettings();
    void closeBoxAsksNothing();
    void exerciseFilesAreATextType();
    void exerciseFileTypeCannotBeWritten();
};

void tst_Demarrage::freshHome()
{
    Start s;
    Start::closeTip(s.dialogs);
    QVERIFY(s.run());

    QCOMPARE(s.mdi->windowTitle(), QStringLiteral("Wavix v.%1.%2 - Mode libre").arg(kVersionMajeure).arg(kVersionMineure));
    QVERIFY(Banc().modeLibre);
    QVERIFY(!s.mdi->Reseau);
    QVERIFY(QFileInfo(s.home.documents() + "/Brelmar/Wavix").isDir());
    QCOMPARE(Session().DossierDonnees, s.home.documents() + "/Brelmar/Wavix/");
    QCOMPARE(Session().CheminINI, s.settingsFile());
    QCOMPARE(s.setting("Options", "Show Tips at Startup"), QStringLiteral("1"));
    QCOMPARE(s.mdi->FichierResultat, s.home.documents() + "/Brelmar/Wavix/Resultat.txt");
    QCOMPARE(s.mdi->BackColor(), 0xFFFFFF);

    // The scope and the toolbox are children of the main window.
    for (const char* name : {"frmWavix", "frmToolBox"}) {
        VbForm* form = Forms().find(name);
        QVERIFY2(form, name);
        auto* sub = qobject_cast<QMdiSubWindow*>(form->frame());
        QVERIFY(sub);
        QVERIFY(s.mdi->mdiArea()->subWindowList().contains(sub));
        QVERIFY(sub->isVisible());
    }
    QVERIFY(Forms().isLoaded("frmOption"));
    QVERIFY(!Forms().find("frmOption")->isVisible());
    QCOMPARE(s.dialogs.unexpected(), 0);
    QVERIFY(s.dialogs.allAnswered());
}

void tst_Demarrage::tipsAtStartup_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("after");
    QTest::newRow("absent") << QString() << true << "1";
    QTest::newRow("1") << "1" << true << "1";
    QTest::newRow("0") << "0" << false << "0";
    QTest::newRow("other text") << "oui" << false << "0";
}

void tst_Demarrage::tipsAtStartup()
{
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    QFETCH(QString, after);
    Start s;
    if (!stored.isEmpty())
        s.presetSetting("Options", "Show Tips at Startup", stored);
    if (shown)
        Start::closeTip(s.dialogs);
    QVERIFY(s.run());
    QCOMPARE(s.dialogs.unexpected(), 0);
    QVERIFY(s.dialogs.allAnswered());
    QCOMPARE(s.setting("Options", "Show Tips at Startup"), after);
}

void tst_Demarrage::backgroundAndTooltips_data()
{
    QTest::addColumn<QString>("couleur");
    QTest::addColumn<int>("backColor");
    QTest::addColumn<QString>("bulles");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("defaults") << QString() << 0xFFFFFF << QString() << false;
    QTest::newRow("red, tooltips on") << "255" << 255 << "1" << false;
    QTest::newRow("tooltips off") << "8421504" << 8421504 << "0" << true;
    QTest::newRow("damaged colour, other text") << "rouge" << 0xFFFFFF << "non" << true;
    QTest::newRow("colour out of range") << "-5" << 0xFFFFFF << "1" << false;
}

void tst_Demarrage::backgroundAndTooltips()
{
    QFETCH(QString, couleur);
    QFETCH(int, backColor);
    QFETCH(QString, bulles);
    QFETCH(bool, hidden);
    Start s;
    s.presetSetting("Options", "Show Tips at Startup", "0");
    if (!couleur.isEmpty())
        s.presetSetting("Options", "Couleur fond", couleur);
    if (!bulles.isEmpty())
        s.presetSetting("Options", "ShowToolTip", bulles);
    QVERIFY(s.run());
    QCOMPARE(s.mdi->BackColor(), backColor);
    QCOMPARE(ToolTipsHidden(), hidden);
    SetToolTipsHidden(false);
}

void tst_Demarrage::versionComparison_data()
{
    QTest::addColumn<QString>("contenu");
    QTest::addColumn<int>("majeure");
    QTest::addColumn<int>("mineure");
    QTest::addColumn<QString>("publiee");
    QTest::addColumn<bool>("plusRecente");
    QTest::newRow("2.10 beats 2.9") << "Version=2.10\r\n" << 2 << 9 << "2.10" << true;
    QTest::newRow("3.0 beats 2.15") << "Version=3.0" << 2 << 15 << "3.0" << true;
    QTest::newRow("2.9 older than 2.10") << "Version=2.9" << 2 << 10 << "2.9" << false;
    QTest::newRow("same") << "Version = 2.15 \r\n" << 2 << 15 << "2.15" << false;
    QTest::newRow("major only") << "Version=3" << 2 << 15 << "3" << false;
    QTest::newRow("rich text") << "version=9.0 <a href=\"http://x\">ici</a>" << 2 << 15
                               << "9.0 <a href=\"http://x\">ici</a>" << false;
    QTest::newRow("several lines") << "Version=9.0\r\nVersion=9.1\r\n" << 2 << 15 << "9.0Version=9.1" << false;
    QTest::newRow("blank lines after") << "Version=9.0\r\n\r\n" << 2 << 15 << "9.0" << true;
    QTest::newRow("two points") << "Version=9.0.1" << 2 << 15 << "9.0.1" << false;
    QTest::newRow("no minor") << "Version=9." << 2 << 15 << "9." << false;
    QTest::newRow("no major") << "Version=.9" << 0 << 1 << ".9" << false;
    QTest::newRow("sign") << "Version=+9.0" << 2 << 15 << "+9.0" << false;
    QTest::newRow("blank inside") << "Version=9 .0" << 2 << 15 << "9 .0" << false;
    QTest::newRow("other digits") << "Version=\u0669.0" << 2 << 15 << "\u0669.0" << false;
    QTest::newRow("five digits") << "Version=99999.99999" << 2 << 15 << "99999.99999" << true;
    QTest::newRow("six digits") << "Version=999999.0" << 2 << 15 << "999999.0" << false;
    QTest::newRow("no equals sign") << "2.16" << 2 << 15 << "2.16" << true;
    QTest::newRow("first equals sign") << "a=b=9.0" << 2 << 15 << "b=9.0" << false;
    QTest::newRow("no digits") << "Version=abc" << 2 << 15 << "abc" << false;
    QTest::newRow("empty") << "" << 2 << 15 << "" << false;
}

void tst_Demarrage::versionComparison()
{
    QFETCH(QString, contenu);
    QFETCH(int, majeure);
    QFETCH(int, mineure);
    QFETCH(QString, publiee);
    QFETCH(bool, plusRecente);
    QCOMPARE(VersionPubliee(contenu), publiee);
    QCOMPARE(EstPlusRecente(publiee, majeure, mineure), plusRecente);
}

void tst_Demarrage::versionFile_data()
{
    QTest::addColumn<QByteArray>("contenu"); // null: no file at the address
    QTest::addColumn<QString>("annonce");
    const QString newer = QString::number(kVersionMajeure + 1) + ".0";
    const QByteArray ligne = "Version=" + newer.toLatin1();
    QTest::newRow("newer") << (ligne + "\r\n")
                           << "La version " + newer + " de Wavix est téléchargeable gratuitement sur : \r\n"
            + AdresseSiteEditeur();
    QTest::newRow("same") << QByteArray("Version=" + VersionProgramme().toLatin1()) << QString();
    QTest::newRow("missing") << QByteArray() << QString();
    QTest::newRow("empty") << QByteArray("") << QString();
    QTest::newRow("rich text") << QByteArray(ligne + " <a href=\"http://x.invalid/\">ici</a>\r\n") << QString();
    QTest::newRow("several lines") << QByteArray(ligne + "\r\nVersion=" + newer.toLatin1() + "\r\n") << QString();
    QTest::newRow("huge") << QByteArray(ligne + QByteArray(4 << 20, ' ')) << QString();
}

void tst_Demarrage::versionFile()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QString, annonce);
    Start s;
    s.presetSetting("Options", "Show Tips at Startup", "0");
    if (!contenu.isNull())
        QVERIFY(TestHome::writeFile(s.home.path("version.txt"), contenu));
    if (!annonce.isEmpty())
        s.dialogs.answerMessage(vb::OK);
    // A link planted where the copy once lived, in the shared data folder.
    QVERIFY(TestHome::writeFile(s.home.path("victime.txt"), "précieux"));
    QDir().mkpath(s.home.documents() + "/Brelmar/Wavix");
    QVERIFY(QFile::link(s.home.path("victime.txt"), s.home.documents() + "/Brelmar/Wavix/Delete_Me.txt"));

    QVERIFY(s.run());
    // The check runs after start-up, in the background.
    QVERIFY(s.dialogs.messages().isEmpty());
    QTRY_VERIFY(s.mdi->versionVerifiee());
    QCoreApplication::processEvents();

    QCOMPARE(TestHome::readFile(s.home.path("victime.txt")), QByteArray("précieux"));
    const QString copie = s.home.cacheHome() + "/Brelmar/Wavix/Delete_Me.txt";
    QCOMPARE(MDIWavix::CopieFichierVersion(), copie);
    // The downloaded copy is the user's own; a file too big is not kept.
    if (contenu.isNull() || contenu.size() > kTailleMaxFichierVersion)
        QVERIFY(!QFileInfo::exists(copie));
    else
        QCOMPARE(TestHome::readFile(copie), contenu);
    const auto messages = s.dialogs.messages();
    if (annonce.isEmpty()) {
        QVERIFY(messages.isEmpty());
        return;
    }
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QStringLiteral("Wavix - Nouvelle version"));
    QCOMPARE(messages[0].text, annonce);
    QCOMPARE(messages[0].style & 0x70, int(vb::Information));
}

void tst_Demarrage::newVersionWaitsForTheTip()
{
    Start s;
    QVERIFY(TestHome::writeFile(s.home.path("version.txt"),
                                "Version=" + QByteArray::number(kVersionMajeure + 1) + ".0\r\n"));
    // The tip stays open until the check has found the newer version.
    s.dialogs.answerModal([&s](QWidget* tip) {
        QCOMPARE(tip->objectName(), QStringLiteral("frmTip"));
        QTRY_VERIFY(s.mdi->versionVerifiee());
        QCoreApplication::processEvents();
        QVERIFY(s.dialogs.messages().isEmpty());
    });
    s.dialogs.answerMessage(vb::OK);
    QVERIFY(s.run());
    QTRY_COMPARE(s.dialogs.messages().size(), 1);
    const auto shown = s.dialogs.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].text, QStringLiteral("frmTip"));
    QCOMPARE(shown[1].title, QStringLiteral("Wavix - Nouvelle version"));
}

void tst_Demarrage::quitDoesNotWaitForTheCheck()
{
    Start s;
    s.presetSetting("Options", "Show Tips at Startup", "0");
    // A lookup that only ends when the test lets it.
    auto bloque = std::make_shared<QSemaphore>();
    setResolveurNoms([bloque](const QString&) {
        bloque->acquire();
        return QList<QHostAddress>();
    });
    setAdresseFichierVersion(QStringLiteral("http://version.wavix.test/physique/wavix/version_wavix.txt"));
    QVERIFY(s.run());
    QTRY_VERIFY(s.mdi->findChild<TelechargementFichier*>());
    QVERIFY(s.mdi->close());
    QVERIFY(!s.mdi->findChild<TelechargementFichier*>());
    bloque->release();
    setResolveurNoms(nullptr);
    QVERIFY(s.dialogs.shown().isEmpty());
}

void tst_Demarrage::resolutionWarning()
{
    QVERIFY(MDIWavix::messageResolution(1023, 600).isEmpty());
    QCOMPARE(MDIWavix::messageResolution(1022, 2000),
             QStringLiteral("Votre résolution d'écran est de 1022 par 2000pixels.\r\n"
                            "Le logiciel WAVIX est adapté pour une résolution d'écran de 1024 par 768 pixels.\r\n"
                            "Il est conseillé de modifier ces paramètres.\r\n"
                            " Aller pour cela dans les réglages de l'affichage de votre bureau."));
}

void tst_Demarrage::dataFolderCannotBeCreated_data()
{
    QTest::addColumn<QString>("obstacle"); // "file": Brelmar is a file; "closed": documents cannot be written
    QTest::newRow("a file in the way") << "file";
    QTest::newRow("a documents folder the account cannot write") << "closed";
}

void tst_Demarrage::dataFolderCannotBeCreated()
{
    QFETCH(QString, obstacle);
    if (obstacle == "closed" && geteuid() == 0)
        QSKIP("root writes in any folder.");
    Start s;
    const QString documents = s.home.documents();
    if (obstacle == "file") {
        QVERIFY(TestHome::writeFile(documents + "/Brelmar", "x"));
    } else {
        QVERIFY(QDir().mkpath(documents));
        QVERIFY(chmod(QFile::encodeName(documents).constData(), 0555) == 0);
    }
    s.dialogs.answerMessage(vb::OK);

    QVERIFY(!s.run());
    chmod(QFile::encodeName(documents).constData(), 0755);
    const auto messages = s.dialogs.messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QStringLiteral("Wavix - Erreur"));
    QCOMPARE(messages[0].style & 0x70, int(vb::Critical));
    // The folder, the level at fault and what to do; no line number.
    const QString texte = messages[0].text;
    QVERIFY2(texte.startsWith("Wavix ne peut pas créer son dossier de travail :\r\n" + documents + "/Brelmar/Wavix\r\n"),
             qPrintable(texte));
    if (obstacle == "file")
        QVERIFY2(texte.contains("« " + documents + "/Brelmar » n'est pas un dossier (c'est un fichier ou un lien) : "
                                "renommez-le ou déplacez-le."),
                 qPrintable(texte));
    else
        QVERIFY2(texte.contains("Votre compte ne peut pas écrire dans « " + documents + " »"), qPrintable(texte));
    QVERIFY2(texte.contains("votre dossier personnel (" + QDir::homePath() + ")"), qPrintable(texte));
    QVERIFY(texte.endsWith("Relancez ensuite Wavix.\r\n\r\nL'application va se fermer."));
    QVERIFY(!texte.contains("ligne") && !texte.contains("Directory_Common_Document"));
    QVERIFY(!Forms().isLoaded("frmWavix"));
}

void tst_Demarrage::namedFolderMissing()
{
    Start s;
    qputenv("WAVIX_COMMON_DOCUMENTS", s.home.path("absent").toLocal8Bit());
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.dialogs.answerMessage(vb::OK);
    QVERIFY(s.run());
    // Said once, though the start-up looks for that folder three times.
    QCOMPARE(s.dialogs.messages().size(), 1);
    // Which folder, which variable names it, the command that prepares it
    // and where the user works meanwhile.
    const QString texte = s.dialogs.messages()[0].text;
    QVERIFY2(texte.contains(s.home.path("absent") + " (nommé par la variable WAVIX_COMMON_DOCUMENTS)\r\nCe dossier "
                            "n'existe pas."),
             qPrintable(texte));
    QVERIFY2(texte.contains("sudo wavix-preparer-salle --professeur <compte du professeur> <dossier des réglages> \""
                            + s.home.path("absent") + "\""),
             qPrintable(texte));
    QVERIFY2(texte.endsWith(s.home.documents() + "/Brelmar/Wavix"), qPrintable(texte));
    QCOMPARE(s.dialogs.messages()[0].title, QStringLiteral("Wavix - Dossiers partagés"));
    QCOMPARE(s.dialogs.unexpected(), 0);
    // The user's own documents folder stands in.
    QCOMPARE(s.mdi->FichierResultat, s.home.documents() + "/Brelmar/Wavix/Resultat.txt");
}

namespace {

// States that the program's folder lies on a network share mounted at srv.
QString stateNetworkMount(const TestHome& home)
{
    const QString srv = home.path("srv");
    QDir().mkpath(srv + "/labo");
    setMountProbe([srv](const QString&) { return MountInfo{true, srv}; });
    return srv;
}

void checkNetworkResultsFile(const QString& path, const QString& folder, const QString& user,
                             const QDateTime& before, const QDateTime& after)
{
    QCOMPARE(QFileInfo(path).absolutePath(), folder);
    QStringList allowed;
    for (const QDateTime& t : {before, after})
        allowed << QStringLiteral("QVT_%1_%2_%3_%4_%5_%6.txt")
                       .arg(user)
                       .arg(t.date().day())
                       .arg(t.date().month())
                       .arg(t.date().year())
                       .arg(t.time().hour())
                       .arg(t.time().minute());
    QVERIFY2(allowed.contains(QFileInfo(path).fileName()), qPrintable(path));
}

} // namespace

void tst_Demarrage::networkUseAsksDepositOnce()
{
    Start s;
    const QString srv = stateNetworkMount(s.home);
    QDir().mkpath(srv + "/Dépôt");
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.dialogs.answerModal([](QWidget* w) {
        QCOMPARE(w->findChild<QLineEdit*>("txtDepot")->text(), QStringLiteral("Dépôt"));
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(s.run());
    const QDateTime after = QDateTime::currentDateTime();

    QVERIFY(s.mdi->Reseau);
    QCOMPARE(s.dialogs.unexpected(), 0);
    QVERIFY(s.dialogs.allAnswered());
    QCOMPARE(s.setting("Réseau", "Dossier Dépôt"), QStringLiteral("Dépôt"));
    QVERIFY(QFileInfo(srv + "/Dépôt/MotDePasse.txt").isFile());
    checkNetworkResultsFile(s.mdi->FichierResultat, srv + "/Dépôt", kUser, before, after);

    // The next start finds the stored name and asks nothing.
    Forms().unloadAll();
    ScriptedDialogs again;
    QVERIFY(s.run());
    QVERIFY(again.shown().isEmpty());
}

void tst_Demarrage::networkUseWithoutUserName()
{
    Start s;
    setLoginNameSource([] { return std::optional<QString>(); });
    const QString srv = stateNetworkMount(s.home);
    QDir().mkpath(srv + "/Depot");
    QDir().mkpath(s.home.dataHome() + "/Brelmar/Wavix");
    QVERIFY(writeProfileString(s.home.dataHome() + "/Brelmar/Wavix/ConfQVT_Inconnu.ini", "Réseau", "Dossier Dépôt", " Depot "));
    QVERIFY(writeProfileString(s.home.dataHome() + "/Brelmar/Wavix/ConfQVT_Inconnu.ini", "Options", "Show Tips at Startup", "0"));
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(s.run());
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(s.dialogs.shown().isEmpty());
    QCOMPARE(Session().CheminINI, s.home.dataHome() + "/Brelmar/Wavix/ConfQVT_Inconnu.ini");
    // The stored name is used trimmed.
    checkNetworkResultsFile(s.mdi->FichierResultat, srv + "/Depot", "Inconnu", before, after);
}

void tst_Demarrage::networkDepositIsChecked_data()
{
    QTest::addColumn<int>("mode");        // of the deposit folder
    QTest::addColumn<bool>("fixes");      // the share's modes are fixed by the mount
    QTest::addColumn<QString>("message"); // how the start-up's message begins; empty: none
    QTest::addColumn<QString>("commande");
    const QString ouvert = "Le dossier de dépôt des réponses n'est pas protégé :\r\n%D\r\n";
    QTest::newRow("open to all, not sticky") << 0777 << false << ouvert << "chmod 1733 \"%D\"";
    QTest::newRow("open to its group, not sticky") << 0775 << false << ouvert << "chmod 1733 \"%D\"";
    QTest::newRow("the teacher's group, not sticky") << 02777 << false << ouvert << "chmod 3733 \"%D\"";
    QTest::newRow("open to all, sticky") << 01777 << false << "" << "";
    QTest::newRow("students may only add") << 01733 << false << "" << "";
    QTest::newRow("modes fixed by the mount")
        << 01733 << true << "Wavix ne peut pas vérifier les droits du dossier de dépôt des réponses :\r\n%D\r\n" << "";
}

void tst_Demarrage::networkDepositIsChecked()
{
    QFETCH(int, mode);
    QFETCH(bool, fixes);
    QFETCH(QString, message);
    QFETCH(QString, commande);
    Start s;
    const QString srv = stateNetworkMount(s.home);
    setMountProbe([srv, fixes](const QString&) { return MountInfo{true, srv, fixes}; });
    const QString depot = srv + "/Depot";
    QVERIFY(QDir().mkpath(depot));
    QVERIFY(chmod(QFile::encodeName(depot).constData(), mode_t(mode)) == 0);
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.presetSetting("Réseau", "Dossier Dépôt", "Depot");
    if (!message.isEmpty())
        s.dialogs.answerMessage(vb::OK);
    QVERIFY(s.run());
    QCOMPARE(s.dialogs.unexpected(), 0);
    if (message.isEmpty()) {
        QVERIFY(s.dialogs.shown().isEmpty());
        return;
    }
    // Said once, and the start goes on.
    QCOMPARE(s.dialogs.messages().size(), 1);
    const auto dit = s.dialogs.messages()[0];
    QCOMPARE(dit.title, QStringLiteral("Wavix - Réseau"));
    QVERIFY2(dit.text.startsWith(QString(message).replace("%D", depot)), qPrintable(dit.text));
    QVERIFY2(dit.text.endsWith(QString(commande).replace("%D", depot)), qPrintable(dit.text));
    QVERIFY(s.mdi->Reseau);
}

void tst_Demarrage::networkRunsTakeNoPlantedName()
{
    Start s;
    const QString srv = stateNetworkMount(s.home);
    QVERIFY(QDir().mkpath(srv + "/Depot"));
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.presetSetting("Réseau", "Dossier Dépôt", "Depot");
    QVERIFY(s.run());
    // A classmate plants the run's name and the next one before the run
    // starts: a FIFO, a link to a file of the user's.
    const QString nom = s.mdi->FichierResultat;
    const QString debut = nom.chopped(4);
    const QString sien = s.home.path("bulletin.txt");
    QVERIFY(TestHome::writeFile(sien, "notes\r\n"));
    QVERIFY(TestHome::makeFifo(nom));
    QVERIFY(QFile::link(sien, debut + "_2.txt"));
    const QString exo = s.home.path("tp.qvt");
    QVERIFY(TestHome::writeFile(exo, "CC/1//CC/1/\r\n"));
    for (const QString& eleve : {"Durand", "Martin"}) {
        s.evaluer(exo, eleve);
        QVERIFY(!Banc().modeLibre);
        s.mdi->Mnu_Libre_Click();
    }
    QCOMPARE(s.dialogs.unexpected(), 0);
    // Both runs of the program in one file of its own, the next free name;
    // what was planted is neither written nor followed.
    QCOMPARE(s.mdi->FichierResultat, debut + "_3.txt");
    const QByteArray ecrit = TestHome::readFile(s.mdi->FichierResultat);
    QVERIFY(ecrit.contains("Nom \xE9l\xE8ve :Durand") && ecrit.contains("Nom \xE9l\xE8ve :Martin"));
    QCOMPARE(TestHome::modeOf(s.mdi->FichierResultat), 0644u);
    QCOMPARE(TestHome::readFile(sien), QByteArray("notes\r\n"));
    QVERIFY(QFileInfo(debut + "_2.txt").isSymLink());
}

void tst_Demarrage::missingDepositIsAskedAgain_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Réessayer: another name") << int(vb::Retry);
    QTest::newRow("Annuler: quit") << int(vb::Cancel);
}

void tst_Demarrage::missingDepositIsAskedAgain()
{
    QFETCH(int, answer);
    Start s;
    const QString srv = stateNetworkMount(s.home);
    QDir().mkpath(srv + "/Rendus");
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.presetSetting("Réseau", "Dossier Dépôt", "Ancien");
    s.dialogs.answerMessage(answer);
    if (answer == vb::Retry)
        s.dialogs.answerModal([](QWidget* w) { clickOkWith(w, "Rendus"); });
    QCOMPARE(s.run(), answer == vb::Retry);
    QCOMPARE(s.dialogs.unexpected(), 0);
    QVERIFY(s.dialogs.allAnswered());
    const auto message = s.dialogs.messages()[0];
    QCOMPARE(message.text, "Le dossier de dépôt est introuvable :\r\n" + srv + "/Ancien\r\n"
                           "Veuillez le créer ou saisir un autre nom.\r\n\r\n"
                           "Réessayer : choisir de nouveau le dossier de dépôt.\r\n"
                           "Annuler : quitter Wavix.");
    QCOMPARE(message.style, int(vb::Exclamation | vb::RetryCancel));
    if (answer == vb::Cancel) {
        // Quitting asks nothing more and starts nothing.
        QCOMPARE(s.dialogs.shown().size(), 1);
        QVERIFY(!Forms().isLoaded("frmWavix"));
        QCOMPARE(s.setting("Réseau", "Dossier Dépôt"), QStringLiteral("Ancien"));
        return;
    }
    QCOMPARE(s.setting("Réseau", "Dossier Dépôt"), QStringLiteral("Rendus"));
    QVERIFY(QFileInfo(srv + "/Rendus/MotDePasse.txt").isFile());
}

void tst_Demarrage::fifoSettingsFileDoesNotHangStartUp()
{
    Start s;
    QDir().mkpath(s.home.dataHome() + "/Brelmar/Wavix");
    QVERIFY(TestHome::makeFifo(s.settingsFile()));
    s.dialogs.answerMessage(vb::OK);
    Start::closeTip(s.dialogs);
    QVERIFY(s.run());
    // Defaults, and one message for every read and write of the start-up.
    QCOMPARE(s.dialogs.messages().size(), 1);
    QVERIFY(s.dialogs.messages()[0].text.startsWith("Le fichier des réglages n'est pas un fichier ordinaire"));
    QCOMPARE(s.mdi->BackColor(), 0xFFFFFF);
    QCOMPARE(s.dialogs.unexpected(), 0);
}

namespace {

uid_t ownerOf(const QString& path)
{
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_uid : uid_t(-1);
}

} // namespace

gid_t groupOf(const QString& path)
{
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_gid : gid_t(-1);
}

void tst_Demarrage::sharedFoldersAreUsableByEveryAccount()
{
    Start s;
    // Shared roots outside the test's private home, so that another account
    // can reach them, as a classroom's folders are.
    QTemporaryDir salle(QDir::tempPath() + "/wavix-salle-XXXXXX");
    QVERIFY(salle.isValid());
    QVERIFY(QFile::setPermissions(salle.path(), QFileDevice::Permissions(0x7755)));
    const QString donnees = salle.path() + "/donnees", documents = salle.path() + "/documents";
    const SalleEssai classe(donnees, documents);
    QVERIFY(classe.prete());
    qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(donnees));
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(documents));
    setHorloge([] { return QDateTime(QDate(2007, 3, 8), QTime(9, 5, 12)); });
    const mode_t avant = umask(077); // the first student's own umask
    Start::closeTip(s.dialogs);
    const bool demarre = s.run();
    // The teacher's exercise file; each run from the menu makes its own
    // results file in the drop box, two in the same minute included.
    const QString exo = classe.wavixDocuments() + "/tp.qvt";
    TestHome::writeFile(exo, "CC/1//CC/1/\r\n");
    for (int run = 0; run < 2 && demarre; ++run) {
        s.evaluer(exo);
        s.mdi->Mnu_Libre_Click();
    }
    umask(avant);
    QVERIFY(demarre);
    QCOMPARE(s.dialogs.unexpected(), 0);

    const QString reglages = donnees + "/Brelmar/Wavix/ConfQVT_" + kUser + ".ini";
    const QString resultats = classe.depot() + "/QVT_eleve1_8_3_2007_9_5_2.txt";
    QCOMPARE(Session().CheminINI, reglages);
    QCOMPARE(Session().DossierDonnees, classe.wavixDocuments() + "/");
    QCOMPARE(s.mdi->FichierResultat, resultats);
    QCOMPARE(QDir(classe.depot()).entryList(QDir::Files),
             QStringList({"QVT_eleve1_8_3_2007_9_5.txt", "QVT_eleve1_8_3_2007_9_5_2.txt"}));
    for (const QString& dossier : {donnees + "/Brelmar", donnees + "/Brelmar/Wavix"})
        QCOMPARE(TestHome::modeOf(dossier), 01777u);
    QCOMPARE(TestHome::modeOf(classe.wavixDocuments()), 0755u);
    QCOMPARE(TestHome::modeOf(classe.depot()), 03733u);
    // The account's alone: no classmate can open it, so none can lock it.
    QCOMPARE(TestHome::modeOf(reglages), unsigned(0600));
    // Readable by the teacher's group alone, whatever the umask.
    QCOMPARE(TestHome::modeOf(resultats), unsigned(0640));
    QCOMPARE(groupOf(resultats), groupOf(classe.depot()));
    QVERIFY(TestHome::readFile(resultats).startsWith("\r\n" + QByteArray(38, '*') + "\r\nNom \xE9l\xE8ve :Durand"));
    QVERIFY(!QFileInfo::exists(classe.wavixDocuments() + "/Resultat.txt"));

    // The next student, another uid with the same umask, writes his own
    // settings and makes his own results file.
    if (geteuid() != 0)
        QSKIP("Another uid needs root to start it; the modes above were checked.");
    const QString siens = donnees + "/Brelmar/Wavix/ConfQVT_eleve2.ini";
    QProcess autre;
    autre.setProgram("setpriv");
    autre.setArguments({"--reuid=65534", "--regid=65534", "--clear-groups", WAVIX_AUTRE_COMPTE, "ecrire", siens,
                        classe.depot() + "/QVT_eleve2_8_3_2007_9_5.txt"});
    const mode_t garde = umask(077);
    autre.start();
    const bool lance = autre.waitForStarted(10000);
    umask(garde);
    if (!lance)
        QSKIP("setpriv cannot start another uid here.");
    QVERIFY(autre.waitForFinished(30000));
    QCOMPARE(autre.exitCode(), 0);
    QCOMPARE(ownerOf(siens), uid_t(65534));
    QCOMPARE(TestHome::modeOf(siens), unsigned(0600));
    QCOMPARE(readProfileString(siens, "Options", "Show Tips at Startup"), QStringLiteral("0"));
    const QString sien = QString::fromLocal8Bit(autre.readAllStandardOutput()).trimmed();
    QCOMPARE(sien, classe.depot() + "/QVT_eleve2_8_3_2007_9_5.txt");
    QCOMPARE(ownerOf(sien), uid_t(65534));
    QCOMPARE(TestHome::modeOf(sien), unsigned(0640));
    QCOMPARE(groupOf(sien), groupOf(classe.depot()));
    QCOMPARE(TestHome::readFile(sien), QByteArray("Nom \xE9l\xE8ve :Martin\r\n"));
}

void tst_Demarrage::unpreparedSharedFoldersAreNotTakenOver_data()
{
    QTest::addColumn<QString>("etat"); // of both shared roots' levels
    QTest::addColumn<QString>("raison");
    QTest::newRow("levels missing") << "missing" << "Ce dossier n'existe pas.";
    QTest::newRow("a link planted at the root") << "link"
                                                << "Ce nom n'est pas un dossier (c'est un lien ou un fichier).";
    QTest::newRow("levels made by a student") << "student"
                                              << "Ce dossier appartient au compte 54321, qui pourrait supprimer ou "
                                                 "remplacer les fichiers des autres.";
}

void tst_Demarrage::unpreparedSharedFoldersAreNotTakenOver()
{
    QFETCH(QString, etat);
    QFETCH(QString, raison);
    Start s;
    if (getpwuid(54321))
        QSKIP("The test's other account exists on this machine: its name would be shown.");
    const QString donnees = s.home.path("salle/donnees"), documents = s.home.path("salle/documents");
    const QString piege = s.home.path("piege");
    QVERIFY(QDir().mkpath(piege + "/Wavix"));
    QVERIFY(chmod(QFile::encodeName(piege + "/Wavix").constData(), 01777) == 0);
    for (const QString& racine : {donnees, documents}) {
        QVERIFY(QDir().mkpath(racine));
        if (etat == "link")
            QVERIFY(QFile::link(piege, racine + "/Brelmar"));
        if (etat == "student")
            QVERIFY(QDir().mkpath(racine + "/Brelmar/Wavix"));
    }
    if (etat == "student")
        setFileOwnerProbe([](const QString& path) -> std::optional<uid_t> {
            struct stat info {};
            if (lstat(QFile::encodeName(path).constData(), &info) != 0)
                return std::nullopt;
            return path.contains("/Brelmar") ? uid_t(54321) : info.st_uid;
        });
    qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(donnees));
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(documents));
    // The user's own settings are the ones read.
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.dialogs.answerMessage(vb::OK);
    s.dialogs.answerMessage(vb::OK);
    QVERIFY(s.run());

    // Each shared folder said once: which folder, why, the command.
    const auto messages = s.dialogs.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(s.dialogs.unexpected(), 0);
    const QString personnels[] = {s.home.documents(), s.home.dataHome()};
    const QString racines[] = {documents, donnees};
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(messages[i].title, QStringLiteral("Wavix - Dossiers partagés"));
        const QStringList lignes = messages[i].text.split("\r\n");
        QCOMPARE(lignes.value(0), QStringLiteral("Le dossier partagé de la classe n'est pas prêt :"));
        QCOMPARE(lignes.value(1), racines[i] + "/Brelmar");
        QCOMPARE(lignes.value(2), raison);
        QVERIFY2(lignes.contains("sudo wavix-preparer-salle --professeur <compte du professeur> \"" + donnees + "\" \""
                                 + documents + "\""),
                 qPrintable(messages[i].text));
        QCOMPARE(lignes.last(), personnels[i] + "/Brelmar/Wavix");
    }
    // Meanwhile everything goes to the user's own folders.
    QCOMPARE(Session().DossierDonnees, s.home.documents() + "/Brelmar/Wavix/");
    QCOMPARE(Session().CheminINI, s.settingsFile());
    QCOMPARE(s.mdi->FichierResultat, s.home.documents() + "/Brelmar/Wavix/Resultat.txt");
    // Nothing was made under the shared roots, nor through the link.
    if (etat == "missing") {
        QVERIFY(QDir(donnees).isEmpty());
        QVERIFY(QDir(documents).isEmpty());
    }
    QVERIFY(QDir(piege + "/Wavix").isEmpty());
}

void tst_Demarrage::olderClassroomIsReported()
{
    Start s;
    // Both roots as the command without a teacher's account left them:
    // every level root's, open to all and sticky, the class's results in a
    // shared Resultat.txt that anyone may write.
    const QString donnees = s.home.path("salle/donnees"), documents = s.home.path("salle/documents");
    for (const QString& racine : {donnees, documents}) {
        QVERIFY(QDir().mkpath(racine + "/Brelmar/Wavix"));
        for (const QString& niveau : {racine + "/Brelmar", racine + "/Brelmar/Wavix"})
            QVERIFY(chmod(QFile::encodeName(niveau).constData(), 01777) == 0);
    }
    setFileOwnerProbe([](const QString& path) -> std::optional<uid_t> {
        struct stat info {};
        if (lstat(QFile::encodeName(path).constData(), &info) != 0)
            return std::nullopt;
        return path.endsWith("/Brelmar") || path.endsWith("/Brelmar/Wavix") ? uid_t(0) : info.st_uid;
    });
    const QString partage = documents + "/Brelmar/Wavix/Resultat.txt";
    const QByteArray anciens = "\r\n" + QByteArray(38, '*') + "\r\nNom \xE9l\xE8ve :Martin\r\n";
    QVERIFY(TestHome::writeFile(partage, anciens));
    QVERIFY(chmod(QFile::encodeName(partage).constData(), 0666) == 0);
    qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(donnees));
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(documents));
    QVERIFY(writeProfileString(donnees + "/Brelmar/Wavix/ConfQVT_" + kUser + ".ini", "Options", "Show Tips at Startup",
                               "0"));
    s.dialogs.answerMessage(vb::OK);
    QVERIFY(s.run());

    // Said once, with the command that prepares the classroom.
    QCOMPARE(s.dialogs.messages().size(), 1);
    QCOMPARE(s.dialogs.unexpected(), 0);
    const QStringList lignes = s.dialogs.messages()[0].text.split("\r\n");
    QCOMPARE(lignes.value(1), documents + "/Brelmar/Wavix");
    QCOMPARE(lignes.value(2), QStringLiteral("Il n'a pas été préparé avec le compte du professeur : les exercices et les "
                                             "réponses des élèves n'y seraient pas protégés."));
    QVERIFY(lignes.contains("sudo wavix-preparer-salle --professeur <compte du professeur> \"" + donnees + "\" \""
                            + documents + "\""));
    // The settings stay shared; runs write to the user's own results file,
    // never to the one anyone may write.
    QCOMPARE(Session().CheminINI, donnees + "/Brelmar/Wavix/ConfQVT_" + kUser + ".ini");
    QCOMPARE(Session().DossierDonnees, s.home.documents() + "/Brelmar/Wavix/");
    QCOMPARE(s.mdi->FichierResultat, s.home.documents() + "/Brelmar/Wavix/Resultat.txt");
    QVERIFY(s.mdi->DepotClasse.isEmpty());
    const QString exo = s.home.documents() + "/Brelmar/Wavix/tp.qvt";
    QVERIFY(TestHome::writeFile(exo, "CC/1//CC/1/\r\n"));
    s.evaluer(exo);
    FermerFichiers();
    QVERIFY(TestHome::readFile(s.mdi->FichierResultat).contains("Nom \xE9l\xE8ve :Durand"));
    QCOMPARE(TestHome::readFile(partage), anciens);
}

void tst_Demarrage::plantedSettingsFileIsNotRead()
{
    Start s;
    const QString donnees = s.home.path("salle/donnees"), documents = s.home.path("salle/documents");
    SalleEssai classe(donnees, documents);
    QVERIFY(classe.prete());
    qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(donnees));
    qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(documents));
    // A classmate made eleve1's settings file before his first start.
    const QString plante = donnees + "/Brelmar/Wavix/ConfQVT_" + kUser + ".ini";
    const QByteArray contenu = "[Options]\r\nShow Tips at Startup=0\r\nCouleur fond=255\r\n";
    QVERIFY(TestHome::writeFile(plante, contenu));
    classe.proprietaire(plante, 54321);
    s.dialogs.answerMessage(vb::OK);
    Start::closeTip(s.dialogs);
    QVERIFY(s.run());

    QCOMPARE(s.dialogs.messages().size(), 1);
    QCOMPARE(s.dialogs.messages()[0].title, QStringLiteral("Wavix - Réglages"));
    QCOMPARE(s.dialogs.messages()[0].text,
             "Le fichier des réglages suivant n'est pas celui de votre compte :\r\n" + plante + "\r\n"
             "Il n'est pas lu : vos réglages sont enregistrés dans votre dossier personnel :\r\n"
             + s.settingsFile() + "\r\n\r\n"
             "Demandez à l'administrateur de l'ordinateur de supprimer ce fichier.");
    QCOMPARE(s.dialogs.unexpected(), 0);
    // Its values are not his: the tip shows, the background stays white,
    // and his settings go to his own data folder.
    QCOMPARE(s.mdi->BackColor(), 0xFFFFFF);
    QCOMPARE(Session().CheminINI, s.settingsFile());
    QCOMPARE(s.setting("Options", "Show Tips at Startup"), QStringLiteral("1"));
    QCOMPARE(TestHome::readFile(plante), contenu);
    // The shared documents folder, prepared, is used.
    QCOMPARE(Session().DossierDonnees, documents + "/Brelmar/Wavix/");
}

void tst_Demarrage::plantedPasswordMarkerDoesNotStopStartUp()
{
    Start s;
    const QString srv = stateNetworkMount(s.home);
    QDir().mkpath(srv + "/Depot");
    // Made by a classmate (touch), so that nobody else may write it.
    const QString marque = srv + "/Depot/MotDePasse.txt";
    QVERIFY(TestHome::writeFile(marque, ""));
    QVERIFY(QFile::setPermissions(marque, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.presetSetting("Réseau", "Dossier Dépôt", "Depot");
    QVERIFY(s.run());
    QVERIFY(s.dialogs.shown().isEmpty());
    QVERIFY(s.mdi->Reseau);
    QCOMPARE(TestHome::modeOf(marque), 0404u);
}

void tst_Demarrage::depositNameMustBeOneFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("default") << "Dépôt" << true;
    QTest::newRow("blanks around") << "  Rendus " << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("parent") << ".." << false;
    QTest::newRow("current") << "." << false;
    QTest::newRow("slash") << "../../etc" << false;
    QTest::newRow("sub-folder") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("pasted line break at the end, trimmed") << "Dépôt\n" << true;
    QTest::newRow("line break inside") << "Dé\r\npôt" << false;
    QTest::newRow("tab") << "D\tpt" << false;
}

void tst_Demarrage::depositNameMustBeOneFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    TestHome home;
    ScriptedDialogs dialogs;
    dialogs.answerMessage(vb::OK);
    Session().DossierDepot.clear();
    auto* depot = Forms().get<frmDepot>();
    clickOkWith(depot, name);
    if (accepted) {
        QVERIFY(!Forms().isLoaded("frmDepot"));
        QCOMPARE(Session().DossierDepot, name); // handed over as typed
        QVERIFY(dialogs.messages().isEmpty());
    } else {
        QVERIFY(Forms().isLoaded("frmDepot"));
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Veuillez saisir un nom valide"));
        QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Erreur"));
        Forms().unload("frmDepot");
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_Demarrage::quitSavesScopeSettings_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Oui") << int(vb::Yes);
    QTest::newRow("Non") << int(vb::No);
}

void tst_Demarrage::quitSavesScopeSettings()
{
    QFETCH(int, answer);
    Start s;
    s.presetSetting("Options", "Show Tips at Startup", "0");
    s.presetSetting("Interface", "Focus", "7");
    s.presetSetting("Interface", "Intensity", "3");
    s.presetSetting("Interface", "PosX Wavix", "1500");
    s.presetSetting("Interface", "PosY Wavix", "300");
    QVERIFY(s.run());
    Forms().find("frmWavix")->Move(3000, 450);
    const QByteArray before = TestHome::readFile(s.settingsFile());

    s.dialogs.answerMessage(answer);
    s.mdi->Mnu_End_Click();

    const auto messages = s.dialogs.messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Voulez-vous quitter ce programme ?"));
    QCOMPARE(messages[0].title, QStringLiteral("Wavix"));
    QCOMPARE(messages[0].style, 65572);
    QCOMPARE(s.dialogs.beeps(), 1);
    if (answer == vb::No) {
        QCOMPARE(TestHome::readFile(s.settingsFile()), before);
        QVERIFY(Forms().isLoaded("frmWavix"));
        return;
    }
    QCOMPARE(s.setting("Interface", "Focus"), QStringLiteral("7"));
    QCOMPARE(s.setting("Interface", "Intensity"), QStringLiteral("3"));
    QCOMPARE(s.setting("Interface", "PosX Wavix"), QStringLiteral("3000"));
    QCOMPARE(s.setting("Interface", "PosY Wavix"), QStringLiteral("450"));
    QVERIFY(!Forms().isLoaded("frmWavix"));
}

void tst_Demarrage::closeBoxAsksNothing()
{
    Start s;
    s.presetSetting("Options", "Show Tips at Startup", "0");
    QVERIFY(s.run());
    QVERIFY(s.mdi->close());
    QVERIFY(s.dialogs.shown().isEmpty());
    QVERIFY(Forms().loadedNames().isEmpty());
}

void tst_Demarrage::exerciseFilesAreATextType()
{
    Start s;
    QStringList refreshed;
    setMimeDatabaseUpdater([&refreshed](const QString& folder) { refreshed << folder; });
    const QString mime = s.home.dataHome() + "/mime";
    const QString typeFile = mime + "/packages/wavix-file.xml";
    Start::closeTip(s.dialogs);
    QVERIFY(s.run());

    const QByteArray first = TestHome::readFile(typeFile);
    QVERIFY(first.contains("<mime-type type=\"text/x-wavix-file\">"));
    QVERIFY(first.contains("<sub-class-of type=\"text/plain\"/>"));
    QVERIFY(first.contains("<comment>Fichier Wavix</comment>"));
    QVERIFY(first.contains("<glob pattern=\"*.qvt\"/>"));
    QCOMPARE(refreshed, QStringList{mime});

    // A second start-up finds the same description and touches nothing.
    const QDateTime written = QFileInfo(typeFile).lastModified();
    Forms().unloadAll();
    s.mdi.reset();
    Start::closeTip(s.dialogs);
    QVERIFY(s.run());
    QCOMPARE(TestHome::readFile(typeFile), first);
    QCOMPARE(QFileInfo(typeFile).lastModified(), written);
    QCOMPARE(refreshed.size(), 1);

    // A description changed by hand is put back; an extension without its dot gets one.
    QVERIFY(TestHome::writeFile(typeFile, "<mime-info/>"));
    CreateFileAssociation({"Qvt", "Wavix_File", "Fichier Wavix", "text/plain", "text-x-generic"});
    QCOMPARE(TestHome::readFile(typeFile), first);
    QCOMPARE(refreshed.size(), 2);
}

void tst_Demarrage::exerciseFileTypeCannotBeWritten()
{
    Start s;
    bool refreshed = false;
    setMimeDatabaseUpdater([&refreshed](const QString&) { refreshed = true; });
    // "mime" is a file: the type cannot be registered, and start-up goes on.
    QVERIFY(TestHome::writeFile(s.home.dataHome() + "/mime", "x"));
    Start::closeTip(s.dialogs);
    QVERIFY(s.run());
    QVERIFY(s.dialogs.messages().isEmpty());
    QVERIFY(Forms().isLoaded("frmWavix"));
    QCOMPARE(TestHome::readFile(s.home.dataHome() + "/mime"), QByteArray("x"));
    QVERIFY(!refreshed);
}

QTEST_MAIN(tst_Demarrage)
#include "tst_demarrage.moc"
