#include "BancScope.h"
#include "services/ModeleBanc.h"
#include "ProgrammeLance.h"
#include "SalleEssai.h"

#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "app/MotDePasse.h"
#include "bench/frmToolBox.h"
#include "evaluation/frmName.h"
#include "help/TelechargementFichier.h"
#include "platform/PasswordHash.h"
#include "platform/PictureBox.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

#include <pwd.h>
#include <unistd.h>

namespace {

// The program started in DUAL with CH1 in AC and CH2 in DC, and the
// automatic-sensitivities choice given.
Reglages reglagesMenu(const QString& reglageAuto)
{
    Reglages r{{"Interface", "Mode voie", "2"}, {"Interface", "ACDC CH1", "1"}, {"Interface", "ACDC CH2", "4"}};
    if (!reglageAuto.isNull())
        r.append({"Options", "Reglage auto", reglageAuto});
    return r;
}

struct Programme : ProgrammeLance {
    explicit Programme(const QString& reglageAuto = QString()) : ProgrammeLance(reglagesMenu(reglageAuto)) {}
    explicit Programme(const std::function<void(TestHome&)>& avant) : ProgrammeLance(reglagesMenu(QString()), avant) {}
    void lancer(const char* nom) { mdi->menu(nom)->trigger(); }
    QString etats() const
    {
        QStringList desactives;
        for (auto it = mdi->menus().cbegin(); it != mdi->menus().cend(); ++it)
            if (!it.value()->isEnabled())
                desactives << it.key();
        desactives.sort();
        return desactives.join(' ');
    }
    // Answers the identification window.
    void identite(const QString& nom, const QString& prenom, const QString& classe)
    {
        dialogs.answerModal([=](QWidget* w) {
            auto* f = static_cast<frmName*>(w);
            f->txtIdent[1]->setText(nom);
            f->txtIdent[2]->setText(prenom);
            f->txtIdent[3]->setText(classe);
            f->findChild<QPushButton*>("cmdOK")->click();
        });
    }
    void motDePasse(const QString& texte)
    {
        dialogs.answerModal([=](QWidget* w) {
            QCOMPARE(w->objectName(), QStringLiteral("frmPass"));
            w->findChild<QLineEdit*>("txtPassWord")->setText(texte);
            w->findChild<QPushButton*>("cmdOK")->click();
        });
    }
    void annulerMotDePasse()
    {
        dialogs.answerModal([](QWidget* w) { w->findChild<QPushButton*>("cmdQuit")->click(); });
    }
    int motsDePasseDemandes() const
    {
        int n = 0;
        for (const auto& s : dialogs.shown())
            n += s.kind == ScriptedDialogs::Kind::Modal && s.text == "frmPass";
        return n;
    }
};

// The teacher's commands, behind the password.
const char* const kPortes[] = {"Mnu_View", "Mnu_Clean", "Mnu_NewTip", "Mnu_Pref(1)", "Mnu_Create", "Mnu_Modif", "Mnu_Kill"};

// Types the text key by key, each key with its text (Latin-1 letters too).
void taper(QWidget* w, const QString& texte)
{
    for (const QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

// The disabled items expected, sorted as etats() gives them.
QString desactives(const QString& noms)
{
    QStringList tous = noms.split(' ', Qt::SkipEmptyParts);
    tous.sort();
    tous.removeDuplicates();
    return tous.join(' ');
}

} // namespace

class tst_Menu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuStates_data();
    void menuStates();
    void instrumentItemsFollowTheToolbox();
    void teacherGate_data();
    void teacherGate();
    void passwordChange();
    void passwordNotInClearText();
    void passwordStoredByHand_data();
    void passwordStoredByHand();
    void passwordThatCannotBeSaved();
    void plantedResultsLink_data();
    void plantedResultsLink();
    void evaluatedRun();
    void identityAndRightsAtEveryRun();
    void closeBoxDuringARun();
    void sessionEndDuringARunAsksNothing();
    void failedStartsStayFree_data();
    void failedStartsStayFree();
    void emptyingResults();
    void classroomResults_data();
    void classroomResults();
    void classroomPasswordFailsClosed_data();
    void classroomPasswordFailsClosed();
    void classroomPasswordSetByTheTeacher();
    void externalCommandsReportFailure_data();
    void externalCommandsReportFailure();
};

void tst_Menu::menuStates_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<QString>("reglagesLibre"); // disabled in free mode: "" or "Mnu_Reglages "
    QTest::newRow("Reglage auto missing") << QString() << "Mnu_Reglages ";
    QTest::newRow("Reglage auto 0") << "0" << "Mnu_Reglages ";
    QTest::newRow("Reglage auto 1") << "1" << "";
}

void tst_Menu::menuStates()
{
    QFETCH(QString, reglage);
    QFETCH(QString, reglagesLibre);
    Programme p(reglage);
    TestHome::writeFile(Session().DossierDonnees + "tp.qvt", "CC/2//sinus/1/500\r\n");
    const QString libre = desactives("Mnu_Libre " + reglagesLibre);
    QCOMPARE(p.etats(), libre);
    for (QAction* a : p.mdi->menus())
        QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));

    p.identite("Durand", "Léa", "1S2");
    p.dialogs.answerFile(Session().DossierDonnees + "tp.qvt");
    p.lancer("Mnu_Pilote");
    QCOMPARE(p.etats(), desactives("Mnu_Clean Mnu_Create Mnu_Harmo Mnu_Kill Mnu_Modif Mnu_Pilote " + reglagesLibre
                                   + "Mnu_View Mnu_Volt"));

    p.lancer("Mnu_Libre");
    QCOMPARE(p.etats(), libre);
}

void tst_Menu::instrumentItemsFollowTheToolbox()
{
    Programme p;
    auto* boite = Forms().get<frmToolBox>();
    p.lancer("Mnu_Chrono");
    QVERIFY(p.mdi->Mnu_Chrono->isChecked());
    QVERIFY(boite->chkClock->isChecked());
    QVERIFY(Forms().isLoaded("frmChrono"));
    p.lancer("Mnu_Chrono");
    QVERIFY(!p.mdi->Mnu_Chrono->isChecked());
    QVERIFY(!boite->chkClock->isChecked());
    QVERIFY(!Forms().isLoaded("frmChrono"));
    p.lancer("Mnu_Volt");
    QVERIFY(p.mdi->Mnu_Volt->isChecked());
    boite->chkMulti->click();
    QVERIFY(!p.mdi->Mnu_Volt->isChecked());
}

void tst_Menu::teacherGate_data()
{
    QTest::addColumn<int>("porte");
    for (int i = 0; i < int(std::size(kPortes)); ++i)
        QTest::newRow(kPortes[i]) << i;
}

void tst_Menu::teacherGate()
{
    QFETCH(int, porte);
    Programme p("1");
    EnregistrerMotDePasse("Secret");

    // No rights and "Annuler": nothing runs, the next command asks again.
    p.annulerMotDePasse();
    p.lancer(kPortes[porte]);
    QVERIFY(!Session().ModeProfesseur);
    QCOMPARE(p.motsDePasseDemandes(), 1);
    QVERIFY(p.dialogs.shown().size() == 1); // no other dialog: the command did not go on

    // A wrong password keeps asking; the right one, whatever its case, opens them all.
    p.dialogs.answerModal([](QWidget* w) {
        w->findChild<QLineEdit*>("txtPassWord")->setText("faux");
        w->findChild<QPushButton*>("cmdOK")->click();
        w->findChild<QLineEdit*>("txtPassWord")->setText("sEcReT");
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    p.dialogs.answerMessage(vb::OK);
    p.dialogs.answerMessage(vb::No).answerMessage(vb::OK); // for the commands that ask something
    p.lancer(kPortes[porte]);
    QVERIFY(Session().ModeProfesseur);
    QCOMPARE(p.dialogs.messages()[0].text, QStringLiteral("Le mot de passe saisi est faux.\r\nVeuillez le ressaisir."));
    for (const char* autre : kPortes) {
        if (QLatin1String(autre) == QLatin1String("Mnu_View") || QLatin1String(autre) == QLatin1String("Mnu_NewTip"))
            continue; // they open the text editor
        if (QLatin1String(autre) == QLatin1String("Mnu_Clean"))
            p.dialogs.answerMessage(vb::No);
        p.lancer(autre);
    }
    QCOMPARE(p.motsDePasseDemandes(), 2);
}

void tst_Menu::passwordChange()
{
    Programme p;
    // No password: "Valider" on an empty field opens, and the window is taller.
    p.dialogs.answerModal([](QWidget* w) {
        auto* info = w->findChild<QLabel*>("lblInfo");
        QVERIFY(info->isVisibleTo(w));
        QVERIFY(w->rect().contains(info->geometry()));
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    p.dialogs.answerMessage(vb::No); // "vider le fichier ?"
    p.lancer("Mnu_Clean");
    QVERIFY(Session().ModeProfesseur);

    p.lancer("Mnu_PassWord");
    auto* changer = Forms().find("frmPassWord");
    QVERIFY(changer);
    auto champs = changer->findChildren<QLineEdit*>();
    std::sort(champs.begin(), champs.end(), [](auto* a, auto* b) { return a->objectName() < b->objectName(); });
    QCOMPARE(champs.size(), 3);
    p.dialogs.answerMessage(vb::OK).answerMessage(vb::OK).answerMessage(vb::OK);
    champs[0]->setText("mauvais");
    champs[1]->setText("Tableau");
    champs[2]->setText("Tableau");
    changer->findChild<QPushButton*>("cmdOK")->click();
    QCOMPARE(p.dialogs.messages().last().text, QStringLiteral("L'ancien mot de passe saisi est faux.\r\nVeuillez le ressaisir."));
    QVERIFY(Session().ModeProfesseur);
    // The new one typed twice, the second time wrong: nothing is stored.
    champs[0]->setText("");
    champs[2]->setText("Tablaeu");
    changer->findChild<QPushButton*>("cmdOK")->click();
    QCOMPARE(p.dialogs.messages().last().text,
             QStringLiteral("Les deux saisies du nouveau mot de passe ne sont pas identiques.\r\nVeuillez les ressaisir."));
    QVERIFY(MotDePasseVide());
    QVERIFY(Session().ModeProfesseur);
    champs[2]->setText("Tableau");
    changer->findChild<QPushButton*>("cmdOK")->click();
    QCOMPARE(p.dialogs.messages().last().text, QStringLiteral("Le nouveau mot de passe a bien été enregistré."));
    QCOMPARE(p.dialogs.messages().last().title, QStringLiteral("Wavix - Mot de passe"));
    QVERIFY(!Session().ModeProfesseur); // rights withdrawn: the next gated command asks again
    QVERIFY(MotDePasseCorrect("TABLEAU"));
    QVERIFY(!MotDePasseCorrect(""));

    // Changed back with the old one typed in another case: no password again.
    champs[0]->setText("tableau");
    champs[1]->setText("");
    champs[2]->setText("");
    p.dialogs.answerMessage(vb::OK);
    changer->findChild<QPushButton*>("cmdOK")->click();
    QVERIFY(MotDePasseVide());
}

void tst_Menu::passwordNotInClearText()
{
    TestHome home;
    EnregistrerMotDePasse("Physique2024");
    const QString fichier = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").fileName();
    const QByteArray contenu = TestHome::readFile(fichier).toLower();
    QVERIFY(!contenu.isEmpty());
    QVERIFY(!contenu.contains("physique2024"));
    // Argon2id at libsodium's interactive limits: 64 MiB, two passes, one lane.
    QVERIFY2(contenu.contains("$argon2id$v=19$m=65536,t=2,p=1$"), contenu.constData());
    QVERIFY(MotDePasseCorrect("physique2024"));
    QVERIFY(!MotDePasseCorrect("Physique2023"));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").clear();
}

void tst_Menu::passwordStoredByHand_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    // SHA-256 of the salt's 16 bytes 00 to 0f followed by "physique".
    const QString sha256 = "sha256$000102030405060708090a0b0c0d0e0f$"
                           "7f30930947a123430b6d56785778ae3dda1c4ca3bf9676d1639f5378bfb9820e";
    QTest::newRow("as typed") << "Secret" << "Secret" << true;
    QTest::newRow("other case") << "Secret" << "sECRET" << true;
    QTest::newRow("wrong") << "Secret" << "Secrets" << false;
    QTest::newRow("with a dollar") << "a$b" << "A$B" << true;
    QTest::newRow("empty typed") << "Secret" << "" << false;
    QTest::newRow("older SHA-256 value") << sha256 << "Physique" << true;
    QTest::newRow("older SHA-256 value, wrong") << sha256 << "physiques" << false;
}

void tst_Menu::passwordStoredByHand()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    TestHome home;
    // Set by hand, or kept from an older install: never a lock-out.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").setValue("Settings/Password", stored);
    QCOMPARE(MotDePasseCorrect(typed), accepted);
    QVERIFY(!MotDePasseVide());
    const QString garde = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix")
                              .value("Settings/Password").toString();
    if (!accepted) {
        // A wrong entry leaves the value as it was.
        QCOMPARE(garde, stored);
        return;
    }
    // The first right entry stores it again as Argon2id, once: the same
    // password still opens, in any case, and the value no longer changes.
    QVERIFY2(garde.startsWith("$argon2id$v=19$"), qPrintable(garde));
    QVERIFY(MotDePasseCorrect(typed.toUpper()));
    QCOMPARE(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix")
                 .value("Settings/Password").toString(),
             garde);
    QVERIFY(!MotDePasseCorrect(typed + "x"));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").clear();
}

void tst_Menu::passwordThatCannotBeSaved()
{
    Programme p;
    Session().ModeProfesseur = true;
    // The settings file cannot be written (nor read, which counts as no
    // password): a folder stands in its place.
    const QString fichier = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").fileName();
    QVERIFY(!QFileInfo::exists(fichier) || QFile::remove(fichier));
    QVERIFY(QDir().mkpath(fichier));

    p.lancer("Mnu_PassWord");
    auto* changer = Forms().find("frmPassWord");
    auto champs = changer->findChildren<QLineEdit*>();
    std::sort(champs.begin(), champs.end(), [](auto* a, auto* b) { return a->objectName() < b->objectName(); });
    champs[0]->setText("");
    champs[1]->setText("Nouveau");
    champs[2]->setText("Nouveau");
    p.dialogs.answerMessage(vb::OK);
    changer->findChild<QPushButton*>("cmdOK")->click();

    // Reported, never announced as saved; the old one still opens.
    QCOMPARE(p.dialogs.messages().size(), 1);
    QCOMPARE(p.dialogs.messages()[0].text,
             QStringLiteral("Le nouveau mot de passe n'a pas pu être enregistré : l'ancien reste valable."));
    QCOMPARE(p.dialogs.messages()[0].style & 0x70, int(vb::Critical));
    QVERIFY(Session().ModeProfesseur);
    QVERIFY(MotDePasseCorrect(""));
    QVERIFY(!MotDePasseCorrect("Nouveau"));
    QDir(fichier).removeRecursively();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").clear();
}

void tst_Menu::plantedResultsLink_data()
{
    QTest::addColumn<QString>("commande");
    QTest::newRow("Vider le fichier de réponses élèves") << "Mnu_Clean";
    QTest::newRow("Mode évalué") << "Mnu_Pilote";
}

void tst_Menu::plantedResultsLink()
{
    QFETCH(QString, commande);
    Programme p;
    // A student plants Resultat.txt as a link to a teacher's file.
    const QString professeur = p.home.path("professeur/bulletin.txt");
    QVERIFY(TestHome::writeFile(professeur, "notes du trimestre\r\n"));
    QVERIFY(QFile::link(professeur, p.mdi->FichierResultat));
    if (commande == "Mnu_Clean") {
        Session().ModeProfesseur = true;
        p.dialogs.answerMessage(vb::Yes).answerMessage(vb::OK);
    } else {
        QVERIFY(TestHome::writeFile(Session().DossierDonnees + "tp.qvt", "CC/1//CC/1/\r\n"));
        p.identite("Durand", "Léa", "1S2");
        p.dialogs.answerFile(Session().DossierDonnees + "tp.qvt");
        p.dialogs.answerMessage(vb::OK);
    }
    p.lancer(qPrintable(commande));

    QCOMPARE(p.dialogs.unexpected(), 0);
    const QString message = p.dialogs.messages().last().text;
    QVERIFY2(commande == "Mnu_Clean"
                 ? message == "Le fichier des réponses des élèves n'a pas pu être vidé :\r\n" + p.mdi->FichierResultat
                        + "\r\nCe fichier n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique)."
                 : message == "Le fichier des réponses des élèves ne peut pas être écrit :\r\n" + p.mdi->FichierResultat,
             qPrintable(message));
    QCOMPARE(TestHome::readFile(professeur), QByteArray("notes du trimestre\r\n"));
    QVERIFY(Banc().modeLibre);
    QVERIFY(!FichierResultatOuvert().isOpen());
}

void tst_Menu::evaluatedRun()
{
    Programme p;
    const QString exo = Session().DossierDonnees + "Exos/tp1.QVT";
    QVERIFY(TestHome::writeFile(exo, "'TP1\r\nCC/3//sinus/2/500\r\nCC/1//CC/1/\r\n"));
    QVERIFY(TestHome::writeFile(p.mdi->FichierResultat, "ancien\r\n"));
    auto* scope = Forms().get<frmWavix>();
    for (int f : {0, 1, 2})
        scope->basculerFiche(f);
    scope->chkOn->setChecked(true);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.CouleurTrace = kJaune; });
    Forms().get<frmToolBox>()->chkMulti->click();

    p.identite("Durand", "Léa", "1S2");
    p.dialogs.answerFile(exo);
    const QDateTime avant = QDateTime::currentDateTime();
    p.lancer("Mnu_Pilote");
    const QDateTime apres = QDateTime::currentDateTime();
    QCOMPARE(p.dialogs.unexpected(), 0);
    QCOMPARE(p.mdi->windowTitle(), QStringLiteral("Wavix v.1.0 - Mode évalué"));
    QCOMPARE(Banc().fichierExercice, QStringLiteral("tp1.QVT"));

    // The headers, byte for byte, the date of the start in its place.
    const QByteArray egal(72, '='), monnaie(72, '\xA4');
    QByteArray attendu = "ancien\r\n\r\n" + QByteArray(38, '*') + "\r\nNom \xE9l\xE8ve :Durand\r\nPr\xE9nom \xE9l\xE8ve :L\xE9" "a\r\n"
                         "Classe \xE9l\xE8ve :1S2\r\n" + egal + "\r\n" + monnaie + "\r\nNom du fichier :tp1.QVT\r\n";
    const QByteArray contenu = TestHome::readFile(p.mdi->FichierResultat);
    QVERIFY(contenu.startsWith(attendu));
    const QByteArray date = contenu.mid(attendu.size(), contenu.indexOf("\r\n", attendu.size()) - attendu.size());
    QVERIFY2(date == "Jour et Heure :" + avant.toString("dd/MM/yyyy HH:mm:ss").toLatin1()
                 || date == "Jour et Heure :" + apres.toString("dd/MM/yyyy HH:mm:ss").toLatin1(),
             date.constData());
    QVERIFY(contenu.endsWith(date + "\r\n" + monnaie + "\r\n" + egal + "\r\n"));

    // The first picture on the scope, the answer window up, the bench locked.
    QCOMPARE(Banc().voies[0].SignalExo, QStringLiteral("Cc"));
    QCOMPARE(Banc().voies[0].UmaxExo, 3.0);
    QCOMPARE(Forms().find("frmExo")->windowTitle(), QStringLiteral("tp1.QVT - 2 wavixgrammes - Wavixgramme n° 1"));
    scope->picEcran->resize(1005, 805);
    scope->picGrille->resize(1005, 805);
    DessinerGrille(scope->picGrille);
    ActualiserEcran();
    QVERIFY(qAbs(extent(scope->picEcran->Image(), kJaune).first - 150) <= 1); // 3 V at 2 V/div
    auto* boite = Forms().get<frmToolBox>();
    QVERIFY(!boite->fraAlim[0]->isEnabled() && !boite->fraAlim[1]->isEnabled());
    QVERIFY(!boite->chkMulti->isEnabled() && !boite->chkMulti->isChecked());
    QVERIFY(!Forms().isLoaded("frmMulti_RMS"));
    QVERIFY(FichierResultatOuvert().isOpen());

    p.lancer("Mnu_Libre");
    QVERIFY(boite->fraAlim[0]->isEnabled() && boite->fraAlim[1]->isEnabled());
    QVERIFY(boite->chkMulti->isEnabled());
    QVERIFY(!FichierResultatOuvert().isOpen());
    QVERIFY(!Forms().isLoaded("frmExo"));
    QVERIFY(Banc().fichierExercice.isEmpty());
    QCOMPARE(p.mdi->windowTitle(), QStringLiteral("Wavix v.1.0 - Mode libre"));

    // The next start asks again, the boxes holding the last identity.
    p.dialogs.answerModal([](QWidget* w) {
        auto* f = static_cast<frmName*>(w);
        QCOMPARE(f->txtIdent[1]->text(), QStringLiteral("Durand"));
        QCOMPARE(f->txtIdent[3]->text(), QStringLiteral("1S2"));
        f->findChild<QPushButton*>("cmdOK")->click();
    });
    p.dialogs.answerFile(exo);
    p.lancer("Mnu_Pilote");
    QCOMPARE(p.dialogs.unexpected(), 0);
    QVERIFY(!Banc().modeLibre);
}

void tst_Menu::identityAndRightsAtEveryRun()
{
    Programme p;
    QVERIFY(TestHome::writeFile(Session().DossierDonnees + "tp.qvt", "CC/1//CC/1/\r\n"));
    QVERIFY(TestHome::writeFile(Session().DossierDonnees + "vide.qvt", "'sans wavixgramme\r\n"));
    // The student at the keyboard: the window opens at the name, each box
    // showing `avant` and selected as the focus reaches it; what he types
    // replaces it, Tab goes to the next box, Enter confirms.
    auto clavier = [&p](QStringList avant, QStringList tape) {
        p.dialogs.answerModal([=, &p](QWidget* w) {
            auto* f = static_cast<frmName*>(w);
            // The offscreen platform leaves a window hidden while active
            // without focus when it comes back: the main window takes the
            // focus in between, as a window manager gives it.
            p.mdi->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), p.mdi.get());
            w->show();
            QTRY_COMPARE(QApplication::activeWindow(), w);
            for (int i = 1; i <= 3; ++i) {
                QLineEdit* boite = f->txtIdent[size_t(i)];
                QTRY_COMPARE(QApplication::focusWidget(), boite);
                QCOMPARE(boite->text(), avant[i - 1]);
                QTRY_COMPARE(boite->selectedText(), avant[i - 1]);
                if (tape.isEmpty())
                    break;
                taper(boite, tape[i - 1]);
                if (i < 3)
                    QTest::keyClick(boite, Qt::Key_Tab);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
    };

    // The teacher gave the password to prepare the run: the student who
    // runs it has no teacher's right.
    Session().ModeProfesseur = true;
    clavier({"", "", ""}, {"Durand", "Léa", "1S2"});
    p.dialogs.answerFile(Session().DossierDonnees + "tp.qvt");
    p.lancer("Mnu_Pilote");
    QVERIFY(!Banc().modeLibre);
    QVERIFY(!Session().ModeProfesseur);
    p.lancer("Mnu_Libre");

    // The next student types over the last identity.
    clavier({"Durand", "Léa", "1S2"}, {"Martin", "Paul", "1S3"});
    p.dialogs.answerFile(Session().DossierDonnees + "tp.qvt");
    p.lancer("Mnu_Pilote");
    p.lancer("Mnu_Libre");

    // The same student again confirms with Enter; his mark window's
    // "Fichier" chains a run that keeps him and asks nothing, and the
    // rights given meanwhile end with it.
    clavier({"Martin", "Paul", "1S3"}, {});
    p.dialogs.answerFile(Session().DossierDonnees + "vide.qvt");
    p.dialogs.answerModal([](QWidget* w) {
        QCOMPARE(w->objectName(), QStringLiteral("frmNote"));
        Session().ModeProfesseur = true;
        w->findChild<QPushButton*>("cmdChoice(0)")->click();
    });
    p.dialogs.answerFile(Session().DossierDonnees + "tp.qvt");
    p.lancer("Mnu_Pilote");
    QCOMPARE(p.dialogs.unexpected(), 0);
    QVERIFY(p.dialogs.allAnswered());
    QVERIFY(!Banc().modeLibre);
    QVERIFY(!Session().ModeProfesseur);
    p.lancer("Mnu_Libre");

    int identites = 0;
    for (const auto& s : p.dialogs.shown())
        identites += s.kind == ScriptedDialogs::Kind::Modal && s.text == "frmName";
    QCOMPARE(identites, 3);
    QStringList eleves, fichiers;
    for (const QByteArray& ligne : TestHome::readFile(p.mdi->FichierResultat).split('\n')) {
        const QString texte = QString::fromLatin1(ligne).trimmed();
        if (texte.startsWith(QString::fromUtf8("Nom élève :")))
            eleves << texte;
        if (texte.startsWith(QString::fromUtf8("Prénom élève :")) || texte.startsWith(QString::fromUtf8("Classe élève :")))
            eleves.last() += " " + texte.section(':', 1);
        if (texte.startsWith("Nom du fichier :"))
            fichiers << texte.section(':', 1);
    }
    QCOMPARE(eleves, QStringList({QString::fromUtf8("Nom élève :Durand Léa 1S2"),
                                  QString::fromUtf8("Nom élève :Martin Paul 1S3"),
                                  QString::fromUtf8("Nom élève :Martin Paul 1S3")}));
    QCOMPARE(fichiers, QStringList({"tp.qvt", "tp.qvt", "vide.qvt", "tp.qvt"}));
}

// A run of two pictures started from the menu.
static void demarrerEpreuve(Programme& p)
{
    const QString exo = Session().DossierDonnees + "tp1.qvt";
    QVERIFY(TestHome::writeFile(exo, "CC/3//sinus/2/500\r\nCC/1//CC/1/\r\n"));
    p.identite("Durand", "Léa", "1S2");
    p.dialogs.answerFile(exo);
    p.lancer("Mnu_Pilote");
    QCOMPARE(p.dialogs.unexpected(), 0);
    QVERIFY(!Banc().modeLibre);
    QVERIFY(Forms().isLoaded("frmExo"));
}

void tst_Menu::closeBoxDuringARun()
{
    Programme p;
    demarrerEpreuve(p);
    const int questions = p.dialogs.messages().size();
    Forms().find("frmWavix")->Move(3000, 450);
    const QByteArray reglages = TestHome::readFile(p.ini());

    // "Non": the program and the run go on, nothing is written.
    p.dialogs.answerMessage(vb::No);
    QVERIFY(!p.mdi->close());
    QCOMPARE(p.dialogs.messages().size(), questions + 1);
    const auto question = p.dialogs.messages().last();
    QCOMPARE(question.text, QStringLiteral("Voulez-vous quitter ce programme ?"));
    QCOMPARE(question.title, QStringLiteral("Wavix"));
    QCOMPARE(question.style, 65572);
    QCOMPARE(p.dialogs.beeps(), 1);
    QVERIFY(!Banc().modeLibre);
    QVERIFY(Forms().isLoaded("frmExo"));
    QVERIFY(FichierResultatOuvert().isOpen());
    QCOMPARE(TestHome::readFile(p.ini()), reglages);

    // "Oui": as "Quitter", the scope's settings kept.
    p.dialogs.answerMessage(vb::Yes);
    QVERIFY(p.mdi->close());
    QCOMPARE(p.dialogs.messages().size(), questions + 2);
    QCOMPARE(p.dialogs.unexpected(), 0);
    QVERIFY(!FichierResultatOuvert().isOpen());
    QCOMPARE(readProfileString(p.ini(), "Interface", "PosX Wavix"), QStringLiteral("3000"));
    QCOMPARE(readProfileString(p.ini(), "Interface", "PosY Wavix"), QStringLiteral("450"));
    QVERIFY(Forms().loadedNames().isEmpty());
}

void tst_Menu::sessionEndDuringARunAsksNothing()
{
    Programme p;
    demarrerEpreuve(p);
    const int questions = p.dialogs.messages().size();
    p.mdi->finDeSession();
    QVERIFY(p.mdi->close());
    QCOMPARE(p.dialogs.messages().size(), questions);
    QVERIFY(!FichierResultatOuvert().isOpen());
    QVERIFY(Forms().loadedNames().isEmpty());
}

void tst_Menu::failedStartsStayFree_data()
{
    QTest::addColumn<QString>("fichier"); // empty: the dialog is cancelled
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled: no error") << QString() << QString();
    QTest::newRow("damaged") << "tp3.qvt"
                             << "Le fichier d'exercices « tp3.qvt » est endommagé.\r\nLigne 2 : la tension de la voie CH2 (« x ») n'est pas un nombre.";
}

void tst_Menu::failedStartsStayFree()
{
    QFETCH(QString, fichier);
    QFETCH(QString, message);
    Programme p;
    QVERIFY(TestHome::writeFile(Session().DossierDonnees + "tp3.qvt", "CC/1//CC/1/\r\nCC/1//CC/x/\r\n"));
    p.identite("Durand", "Léa", "1S2");
    p.dialogs.answerFile(fichier.isEmpty() ? std::optional<QString>() : Session().DossierDonnees + fichier);
    p.dialogs.answerMessage(vb::OK);
    p.lancer("Mnu_Pilote");
    if (message.isEmpty()) {
        // A cancel is no error: nothing is said.
        QVERIFY2(p.dialogs.messages().isEmpty(), qPrintable(p.dialogs.messages().value(0).text));
        QCOMPARE(p.dialogs.fileRequests().size(), 1);
    } else {
        QCOMPARE(p.dialogs.messages().size(), 1);
        QCOMPARE(p.dialogs.messages()[0].text, message);
        QCOMPARE(p.dialogs.messages()[0].title, QStringLiteral("Wavix - Erreur"));
    }
    QVERIFY(Banc().modeLibre);
    QVERIFY(!FichierResultatOuvert().isOpen());
    QVERIFY(!QFileInfo::exists(p.mdi->FichierResultat)); // nothing written
    QVERIFY(p.mdi->Mnu_Pilote->isEnabled());
}

void tst_Menu::emptyingResults()
{
    Programme p;
    Session().ModeProfesseur = true;
    const QString resultats = Session().DossierDonnees + "Resultat.txt";
    QVERIFY(TestHome::writeFile(resultats, "des réponses\r\n"));
    p.dialogs.answerMessage(vb::Yes).answerMessage(vb::OK);
    p.lancer("Mnu_Clean");
    // A destructive question: "Non" is its default button.
    QCOMPARE(p.dialogs.messages()[0].text, QStringLiteral("Voulez-vous vraiment vider le fichier des réponses des élèves ?"));
    QCOMPARE(p.dialogs.messages()[0].style & 0x307, int(vb::YesNo | vb::DefaultButton2));
    QCOMPARE(p.dialogs.messages()[1].text, QStringLiteral("Le fichier des réponses des élèves a été vidé."));
    QVERIFY(QFileInfo::exists(resultats));
    QCOMPARE(QFileInfo(resultats).size(), 0);

    // A file that cannot be emptied is reported, never announced as emptied.
    QFile::remove(resultats);
    QDir().mkpath(resultats);
    p.dialogs.answerMessage(vb::Yes).answerMessage(vb::OK);
    p.lancer("Mnu_Clean");
    QVERIFY(p.dialogs.messages()[3].text.startsWith("Le fichier des réponses des élèves n'a pas pu être vidé"));
    QCOMPARE(p.dialogs.messages()[3].style & 0x70, int(vb::Critical));

    // "Non" keeps it.
    p.dialogs.answerMessage(vb::No);
    p.lancer("Mnu_Clean");
    QCOMPARE(p.dialogs.messages().size(), 5);

    // Viewing opens a UTF-8 copy in the text editor, the results file closed
    // first and left byte for byte as it is (Windows-1252).
    const QByteArray enregistres = "Eleve : L\xe9" "a \xc9lise\r\nR\xe9ponse : carr\xe9" "e\r\n";
    QDir(resultats).removeRecursively();
    TestHome::writeFile(resultats, enregistres);
    QStringList ouverts;
    QByteArray montre;
    setTextEditorOpener([&](const QString& chemin) {
        ouverts << chemin;
        montre = TestHome::readFile(chemin);
        return true;
    });
    QVERIFY(FichierResultatOuvert().open(p.home.path("autre.txt")));
    p.lancer("Mnu_View");
    QCOMPARE(ouverts.size(), 1);
    QVERIFY(ouverts[0] != resultats);
    // Read-only, and it says so.
    QCOMPARE(TestHome::modeOf(ouverts[0]), 0400u);
    QCOMPARE(TestHome::modeOf(QFileInfo(ouverts[0]).path()), 0700u);
    QCOMPARE(QString::fromUtf8(montre), "==== Vue en lecture seule de " + resultats
                                            + " : ce qui est changé ici n'est pas enregistré, et cette copie est "
                                              "effacée à la fermeture de Wavix. ====\r\n\r\n"
                                              "Eleve : Léa Élise\r\nRéponse : carrée\r\n");
    QCOMPARE(TestHome::readFile(resultats), enregistres);
    QFile::remove(ouverts[0]);
    QVERIFY(!FichierResultatOuvert().isOpen());
    // No editor: said in French, and the empty tips file made for it goes
    // again, so the tip of the day never shows an empty tip.
    setTextEditorOpener([](const QString&) { return false; });
    p.dialogs.answerMessage(vb::OK);
    p.lancer("Mnu_NewTip");
    QVERIFY(p.dialogs.messages().last().text.startsWith("Aucun éditeur de texte n'a pu ouvrir le fichier "));
    QVERIFY(!QFileInfo::exists(Session().DossierDonnees + "TipOfDayWavix.txt"));
    // A tips file already there stays as it is.
    QVERIFY(TestHome::writeFile(Session().DossierDonnees + "TipOfDayWavix.txt", "Une astuce\r\n"));
    p.dialogs.answerMessage(vb::OK);
    p.lancer("Mnu_NewTip");
    QCOMPARE(TestHome::readFile(Session().DossierDonnees + "TipOfDayWavix.txt"), QByteArray("Une astuce\r\n"));
}

void tst_Menu::classroomResults_data()
{
    QTest::addColumn<bool>("professeur"); // the program runs on the teacher's account
    QTest::newRow("a student's account") << false;
    QTest::newRow("the teacher's account") << true;
}

void tst_Menu::classroomResults()
{
    QFETCH(bool, professeur);
    if (professeur && geteuid() == 0)
        QSKIP("root is no teacher's account: the teacher's side is tried with real accounts in tst_sallepartagee.");
    if (getpwuid(54321) || getpwuid(54322) || getpwuid(SalleEssai::kProfesseur))
        QSKIP("The test's other accounts exist on this machine: their names would be shown.");
    std::unique_ptr<SalleEssai> classe;
    Programme p([&](TestHome& home) {
        classe = std::make_unique<SalleEssai>(home.path("salle/donnees"), home.path("salle/documents"),
                                              professeur ? currentAccount() : SalleEssai::kProfesseur);
        qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(classe->donnees));
        qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(classe->documents));
        writeProfileString(classe->donnees + "/Brelmar/Wavix/ConfQVT_eleve1.ini", "Options", "Show Tips at Startup", "0");
    });
    QVERIFY(classe->prete());
    QCOMPARE(p.mdi->DepotClasse, classe->depot());
    setHorloge([] { return QDateTime(QDate(2007, 3, 8), QTime(9, 5, 12)); });
    QVERIFY(TestHome::writeFile(classe->wavixDocuments() + "/tp.qvt", "CC/1//CC/1/\r\n"));
    p.identite("Durand", "Léa", "1S2");
    p.dialogs.answerFile(classe->wavixDocuments() + "/tp.qvt");
    p.lancer("Mnu_Pilote");
    p.lancer("Mnu_Libre");
    const QString sien = classe->depot() + "/QVT_eleve1_8_3_2007_9_5.txt";
    QCOMPARE(p.mdi->FichierResultat, sien);
    const QByteArray contenu = TestHome::readFile(sien);

    // Classmates' files: one run earlier in the morning, a FIFO and a link
    // to a file of the teacher's.
    const QString autre = classe->depot() + "/QVT_eleve2_8_3_2007_8_0.txt";
    const QByteArray autreContenu = "\r\n" + QByteArray(38, '*') + "\r\nNom \xE9l\xE8ve :Martin\r\nPr\xE9nom \xE9l\xE8ve :Paul\r\n"
                                    "Classe \xE9l\xE8ve :1S2\r\n" + QByteArray(72, '=') + "\r\nNom du fichier :tp.qvt\r\n"
                                    "Jour et Heure :08/03/2007 08:00:00\r\n";
    QVERIFY(TestHome::writeFile(autre, autreContenu));
    classe->proprietaire(autre, 54321);
    const QString tube = classe->depot() + "/QVT_eleve3_8_3_2007_9_0.txt";
    QVERIFY(TestHome::makeFifo(tube));
    classe->proprietaire(tube, 54322);
    const QString bulletin = p.home.path("bulletin.txt"), lien = classe->depot() + "/lien.txt";
    QVERIFY(TestHome::writeFile(bulletin, "notes du trimestre\r\n"));
    QVERIFY(QFile::link(bulletin, lien));
    classe->proprietaire(lien, 54321);

    // The view: a read-only copy in the text editor.
    QByteArray montre;
    unsigned modeCopie = 0;
    setTextEditorOpener([&](const QString& chemin) {
        montre = TestHome::readFile(chemin);
        modeCopie = TestHome::modeOf(chemin);
        QFile::remove(chemin);
        return true;
    });
    Session().ModeProfesseur = true;
    p.lancer("Mnu_View");
    QCOMPARE(modeCopie, 0400u);
    QVERIFY(montre.startsWith(("==== Vue en lecture seule de " + classe->depot() + " : ").toUtf8()));
    montre = montre.mid(montre.indexOf("====\r\n\r\n") + 8);
    const QString moi = accountName(currentAccount());
    const QByteArray lui = ("#### Compte : " + moi + " ; nom saisi : Durand Léa ; fichier : QVT_eleve1_8_3_2007_9_5.txt ####\r\n")
                               .toUtf8() + QString::fromLatin1(contenu).toUtf8() + "\r\n";
    const QByteArray illisible = " : illisible, ce fichier n'est pas un fichier ordinaire (lien, dossier, tube ou "
                                 "périphérique) ####\r\n\r\n";
    if (professeur) {
        // Every file of the drop box, by its first run, the account that
        // owns it beside the name typed in it; what cannot be read last,
        // with its owner and why.
        QCOMPARE(QString::fromUtf8(montre),
                 QString::fromUtf8("#### Compte : 54321 ; nom saisi : Martin Paul ; fichier : QVT_eleve2_8_3_2007_8_0.txt ####\r\n"
                                   + QString::fromLatin1(autreContenu).toUtf8() + "\r\n" + lui
                                   + "#### Compte : 54322 ; fichier : QVT_eleve3_8_3_2007_9_0.txt" + illisible
                                   + "#### Compte : 54321 ; fichier : lien.txt" + illisible));
    } else {
        // The account's own files only.
        QCOMPARE(QString::fromUtf8(montre), QString::fromUtf8(lui));
    }
    // Shown, never changed.
    QCOMPARE(TestHome::readFile(sien), contenu);
    QCOMPARE(TestHome::readFile(autre), autreContenu);

    // Emptying: the teacher's alone, whatever password the student's
    // program was given; on his account every entry goes, the link itself.
    const int avant = p.dialogs.messages().size();
    if (professeur)
        p.dialogs.answerMessage(vb::Yes).answerMessage(vb::OK);
    else
        p.dialogs.answerMessage(vb::OK);
    p.lancer("Mnu_Clean");
    QCOMPARE(p.dialogs.unexpected(), 0);
    QCOMPARE(p.motsDePasseDemandes(), 0);
    const auto messages = p.dialogs.messages().mid(avant);
    if (professeur) {
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, QStringLiteral("Voulez-vous vraiment supprimer les fichiers des réponses des élèves (4) ?"));
        QCOMPARE(messages[0].style & 0x307, int(vb::YesNo | vb::DefaultButton2));
        QCOMPARE(messages[1].text, QStringLiteral("Les fichiers des réponses des élèves ont été supprimés."));
        QVERIFY(QDir(classe->depot()).isEmpty(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot));
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Seul le compte du professeur (54320) peut vider les réponses des élèves."));
        QCOMPARE(TestHome::readFile(sien), contenu);
        QCOMPARE(TestHome::readFile(autre), autreContenu);
    }
    QCOMPARE(TestHome::readFile(bulletin), QByteArray("notes du trimestre\r\n"));
}

namespace {

// The program on a student's account of a prepared classroom, whose own
// settings hold a password of his.
struct ProgrammeEnClasse {
    std::unique_ptr<SalleEssai> classe;
    std::unique_ptr<Programme> p;
    explicit ProgrammeEnClasse(uid_t professeur = SalleEssai::kProfesseur)
    {
        p = std::make_unique<Programme>([&](TestHome& home) {
            classe = std::make_unique<SalleEssai>(home.path("salle/donnees"), home.path("salle/documents"), professeur);
            qputenv("WAVIX_COMMON_APPDATA", QFile::encodeName(classe->donnees));
            qputenv("WAVIX_COMMON_DOCUMENTS", QFile::encodeName(classe->documents));
            writeProfileString(classe->donnees + "/Brelmar/Wavix/ConfQVT_eleve1.ini", "Options", "Show Tips at Startup",
                               "0");
        });
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").setValue("Settings/Password",
                                                                                             "eleve");
    }
    QString garde() const
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix")
            .value("Settings/Password")
            .toString();
    }
};

} // namespace

void tst_Menu::classroomPasswordFailsClosed_data()
{
    QTest::addColumn<QString>("fichier"); // what is at the classroom's password file
    QTest::addColumn<QString>("debut");   // how the gate's message begins
    QTest::addColumn<QString>("commande"); // the command it names
    const QString pasChoisi = "Le mot de passe de la classe n'est pas encore choisi :\r\n%F\r\n\r\n"
                              "Le professeur le choisit sur son compte (54320), par le menu Aide > « Changer le mot de passe ».";
    const QString remise = "sudo wavix-preparer-salle --professeur 54320 --oublier-mot-de-passe \"%D\" \"%E\"";
    QTest::newRow("not chosen yet") << "" << pasChoisi << "";
    QTest::newRow("empty") << "empty" << pasChoisi << "";
    QTest::newRow("damaged") << "damaged" << "Le fichier du mot de passe de la classe est endommagé :\r\n%F" << remise;
    QTest::newRow("a link") << "link" << "Le fichier du mot de passe de la classe ne peut pas être lu :\r\n%F" << remise;
    QTest::newRow("a FIFO") << "fifo" << "Le fichier du mot de passe de la classe ne peut pas être lu :\r\n%F" << remise;
    QTest::newRow("a classmate's") << "other" << "Le fichier du mot de passe de la classe ne peut pas être lu :\r\n%F"
                                   << remise;
    QTest::newRow("the teacher's folder a student's")
        << "folder" << "Le dossier du mot de passe de la classe n'est pas prêt :\r\n%P"
        << "sudo wavix-preparer-salle --professeur 54320 \"%D\" \"%E\"";
}

void tst_Menu::classroomPasswordFailsClosed()
{
    QFETCH(QString, fichier);
    QFETCH(QString, debut);
    QFETCH(QString, commande);
    if (getpwuid(SalleEssai::kProfesseur) || getpwuid(54321))
        QSKIP("The test's other accounts exist on this machine: their names would be shown.");
    ProgrammeEnClasse e;
    Programme& p = *e.p;
    const QString mdp = e.classe->motDePasse();
    if (fichier == "empty")
        QVERIFY(TestHome::writeFile(mdp, "\n"));
    if (fichier == "damaged" || fichier == "other")
        QVERIFY(TestHome::writeFile(mdp, fichier == "damaged" ? "sha256$00$7f30\n" : *hashPassword("eleve") + "\n"));
    // Written here as the teacher would have written it, or by a classmate.
    e.classe->proprietaire(mdp, fichier == "other" ? 54321 : SalleEssai::kProfesseur);
    if (fichier == "link")
        QVERIFY(QFile::link(p.home.path("ailleurs"), mdp));
    if (fichier == "fifo")
        QVERIFY(TestHome::makeFifo(mdp));
    if (fichier == "folder")
        e.classe->proprietaire(e.classe->dossierProfesseur(), 54321);
    auto remplacer = [&](QString t) {
        return t.replace("%F", mdp).replace("%P", e.classe->dossierProfesseur()).replace("%D", e.classe->donnees)
            .replace("%E", e.classe->documents);
    };

    // No teacher's command opens, nothing is asked: the message says which
    // file and which command.
    p.dialogs.answerMessage(vb::OK);
    p.lancer("Mnu_Pref(1)");
    QCOMPARE(p.dialogs.shown().size(), 1);
    const auto message = p.dialogs.messages().value(0);
    QCOMPARE(message.title, QStringLiteral("Wavix - Mot de passe"));
    QVERIFY2(message.text.startsWith(remplacer(debut)), qPrintable(message.text));
    QVERIFY2(message.text.contains(remplacer(commande)), qPrintable(message.text));
    QVERIFY(!Session().ModeProfesseur);
    QVERIFY(!Forms().isLoaded("frmOption") || !Forms().find("frmOption")->isVisible());
    // The account's own password is never read there, nor the empty one.
    for (const char* essai : {"eleve", ""})
        QVERIFY(!MotDePasseCorrect(essai));
    QCOMPARE(e.garde(), QStringLiteral("eleve"));
}

void tst_Menu::classroomPasswordSetByTheTeacher()
{
    // The student's side, then, on an ordinary account, the teacher's.
    {
        if (getpwuid(SalleEssai::kProfesseur))
            QSKIP("The test's teacher account exists on this machine: its name would be shown.");
        ProgrammeEnClasse e;
        Programme& p = *e.p;
        QVERIFY(TestHome::writeFile(e.classe->motDePasse(), *hashPassword("tableau") + "\n"));
        e.classe->proprietaire(e.classe->motDePasse(), SalleEssai::kProfesseur);
        // The classroom's password opens, in any case; the student's own
        // does not; and no text says the password is empty by default.
        p.dialogs.answerModal([](QWidget* w) {
            QVERIFY(!w->findChild<QLabel*>("lblInfo")->isVisibleTo(w));
            w->findChild<QLineEdit*>("txtPassWord")->setText("eleve");
            w->findChild<QPushButton*>("cmdOK")->click();
            w->findChild<QLineEdit*>("txtPassWord")->setText("TABLEAU");
            w->findChild<QPushButton*>("cmdOK")->click();
        });
        p.dialogs.answerMessage(vb::OK);
        p.dialogs.answerModal([](QWidget*) {}); // the options dialog
        p.lancer("Mnu_Pref(1)");
        QVERIFY(Session().ModeProfesseur);
        QCOMPARE(p.dialogs.messages().value(0).text, QStringLiteral("Le mot de passe saisi est faux.\r\nVeuillez le ressaisir."));
        QCOMPARE(e.garde(), QStringLiteral("eleve"));
        // Only the teacher's account changes it: the window says so.
        p.lancer("Mnu_PassWord");
        auto* changer = Forms().find("frmPassWord");
        auto* info = changer->findChild<QLabel*>("lblInfo");
        QVERIFY(info->isVisibleTo(changer));
        QCOMPARE(info->text(), QStringLiteral("Seul le compte du professeur (54320) peut changer le mot de passe de la classe."));
        QVERIFY(changer->rect().contains(info->geometry()));
        for (QLineEdit* champ : changer->findChildren<QLineEdit*>())
            QVERIFY(!champ->isEnabled());
        QVERIFY(!changer->findChild<QPushButton*>("cmdOK")->isEnabled());
        const ChangementMotDePasse refus = ChangerMotDePasse("tableau", "autre", "autre");
        QVERIFY(!refus.enregistre);
        QCOMPARE(refus.message, info->text());
        QVERIFY(MotDePasseCorrect("tableau"));
    }
    if (geteuid() == 0)
        QSKIP("root is no teacher's account: the teacher's side is tried with real accounts in tst_sallepartagee.");
    ProgrammeEnClasse e(currentAccount());
    // The first password, typed twice, from the teacher's account.
    QVERIFY(!MotDePasseFerme().isEmpty());
    QVERIFY(!ChangerMotDePasse("", "Tableau", "Tablaeu").enregistre);
    QVERIFY(!ChangerMotDePasse("", "", "").enregistre);
    QVERIFY(!QFileInfo::exists(e.classe->motDePasse()));
    const ChangementMotDePasse fait = ChangerMotDePasse("", "Tableau", "Tableau");
    QVERIFY2(fait.enregistre, qPrintable(fait.message));
    QCOMPARE(TestHome::modeOf(e.classe->motDePasse()), 0644u);
    QVERIFY(TestHome::readFile(e.classe->motDePasse()).startsWith("$argon2id$"));
    QVERIFY(MotDePasseFerme().isEmpty());
    QVERIFY(MotDePasseCorrect("tableau"));
    // Changed again, given the old one.
    QVERIFY(!ChangerMotDePasse("faux", "Craie", "Craie").enregistre);
    QVERIFY(ChangerMotDePasse("TABLEAU", "Craie", "Craie").enregistre);
    QVERIFY(MotDePasseCorrect("craie") && !MotDePasseCorrect("tableau"));
    QCOMPARE(QDir(e.classe->dossierProfesseur()).entryList(QDir::Files | QDir::Hidden), QStringList{"MotDePasseClasse"});
}

void tst_Menu::externalCommandsReportFailure_data()
{
    // The desktop's program for the type, as its settings give it.
    QTest::addColumn<QString>("commande");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("exec");    // empty: no program chosen; "copie": one that works
    QTest::addColumn<QString>("message"); // how the report begins; empty: none
    const QString editeur = "Aucun éditeur de texte n'a pu ouvrir le fichier ";
    const QString site = "Le site de l'auteur n'a pas pu être ouvert : ";
    QTest::newRow("astuce, aucun programme") << "Mnu_NewTip" << "text/plain" << "" << editeur;
    QTest::newRow("astuce, programme absent") << "Mnu_NewTip" << "text/plain" << "/nulle/part/editeur %f" << editeur;
    QTest::newRow("astuce, éditeur") << "Mnu_NewTip" << "text/plain" << "copie" << "";
    QTest::newRow("réponses, aucun programme") << "Mnu_View" << "text/plain" << "" << editeur;
    QTest::newRow("réponses, éditeur") << "Mnu_View" << "text/plain" << "copie" << "";
    QTest::newRow("site, aucun navigateur") << "Mnu_Web" << "x-scheme-handler/https" << "" << site;
    QTest::newRow("site, navigateur absent") << "Mnu_Web" << "x-scheme-handler/https" << "/nulle/part/navigateur %u" << site;
    QTest::newRow("site, navigateur") << "Mnu_Web" << "x-scheme-handler/https" << "copie" << "";
}

void tst_Menu::externalCommandsReportFailure()
{
    // A command that starts another program says in French when none could
    // take the file or the page, and nothing when one did.
    QFETCH(QString, commande);
    QFETCH(QString, type);
    QFETCH(QString, exec);
    QFETCH(QString, message);
    if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
        QSKIP("xdg-mime (xdg-utils) is not installed");
    Programme p;
    setTextEditorOpener(nullptr);
    setWebPageOpener(nullptr);
    // Only the settings of this home count, not the machine's.
    const QByteArray dossiersDonnees = qgetenv("XDG_DATA_DIRS");
    const QByteArray dossiersConfig = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_DATA_DIRS", p.home.path("systeme").toUtf8());
    qputenv("XDG_CONFIG_DIRS", p.home.path("systeme").toUtf8());
    // The results' copy goes to a temporary folder of this test's own, where
    // no other test run removes it before the program has read it.
    const QByteArray temporaire = qgetenv("TMPDIR");
    QVERIFY(QDir().mkpath(p.home.path("tmp")));
    qputenv("TMPDIR", p.home.path("tmp").toUtf8());
    const auto remettre = qScopeGuard([&] {
        qputenv("XDG_DATA_DIRS", dossiersDonnees);
        qputenv("XDG_CONFIG_DIRS", dossiersConfig);
        if (temporaire.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", temporaire);
    });
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString donnees = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString recu = p.home.path("recu.txt");
    if (!exec.isEmpty()) {
        // The program writes what it was given to a file.
        const QString programme = exec != "copie"       ? exec
            : type.startsWith("text/")                   ? "/bin/cp %f " + recu
                                                         : "/usr/bin/touch " + recu;
        TestHome::writeFile(config + "/mimeapps.list", ("[Default Applications]\n" + type + "=wavix-essai.desktop\n").toUtf8());
        TestHome::writeFile(donnees + "/applications/wavix-essai.desktop",
                            ("[Desktop Entry]\nType=Application\nName=Essai\nExec=" + programme + "\n").toUtf8());
    }
    Session().ModeProfesseur = true;
    TestHome::writeFile(Session().DossierDonnees + "Resultat.txt", "R\xe9sultats\r\n");
    if (!message.isEmpty())
        p.dialogs.answerMessage(vb::OK);
    p.lancer(commande.toLatin1().constData());
    if (message.isEmpty()) {
        QVERIFY2(p.dialogs.messages().isEmpty(), qPrintable(p.dialogs.messages().value(0).text));
        // The program runs detached: on a loaded machine it may take a while to start.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(recu), 30000);
    } else {
        QCOMPARE(p.dialogs.messages().size(), 1);
        QVERIFY2(p.dialogs.messages()[0].text.startsWith(message), qPrintable(p.dialogs.messages()[0].text));
        QCOMPARE(p.dialogs.messages()[0].style & 0x70, int(vb::Critical));
    }
}

QTEST_MAIN(tst_Menu)
#include "tst_menu.moc"
