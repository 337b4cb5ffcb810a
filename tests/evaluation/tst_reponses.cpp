#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "services/EtatProgramme.h"
#include "evaluation/frmExo.h"
#include "evaluation/frmNote.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/ScriptedDialogs.h"
#include "scope/CourbeWavix.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class tst_Reponses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyFilter_data();
    void keyFilter();
    void editingKeysPass_data();
    void editingKeysPass();
    void notANumberIsRefused_data();
    void notANumberIsRefused();
    void scoredPictureShowsCorrections();
    void mark_data();
    void mark();
    void markWaysOn_data();
    void markWaysOn();
};

void tst_Reponses::keyFilter_data()
{
    QTest::addColumn<QString>("touches");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("frequence"); // CH2's frequency box, else CH1's voltage box
    QTest::newRow("point becomes comma") << "1.5" << "1,5" << "" << false;
    QTest::newRow("comma") << "12,25" << "12,25" << "" << false;
    QTest::newRow("minus refused") << "-3" << "3" << "Les valeurs négatives ne sont pas autorisées." << false;
    QTest::newRow("letter refused") << "2V" << "2" << "Veuillez saisir un chiffre. (tension, voie CH1)" << false;
    QTest::newRow("blank refused") << "1 0" << "10" << "Veuillez saisir un chiffre. (tension, voie CH1)" << false;
    QTest::newRow("letter in CH2's frequency") << "5k" << "5" << "Veuillez saisir un chiffre. (fréquence, voie CH2)"
                                               << true;
}

void tst_Reponses::keyFilter()
{
    QFETCH(QString, touches);
    QFETCH(QString, texte);
    QFETCH(QString, message);
    QFETCH(bool, frequence);
    BancScope b;
    ScriptedDialogs dialogs;
    auto* f = Forms().get<frmExo>();
    if (frequence)
        f->optAlternatif[1]->setChecked(true); // an alternating signal: its frequency box opens
    QLineEdit* boite = frequence ? f->txtFreq[1] : f->txtUmax[0];
    boite->clear();
    if (!message.isEmpty())
        dialogs.answerMessage(vb::OK);
    QTest::keyClicks(boite, touches);
    QCOMPARE(boite->text(), texte);
    QCOMPARE(dialogs.messages().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(dialogs.messages()[0].text, message);
        QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix"));
        QCOMPARE(dialogs.messages()[0].style, int(vb::Critical | vb::SystemModal));
    }
    // Enter is a key like any other: refused with the message.
    dialogs.answerMessage(vb::OK);
    QTest::keyClick(boite, Qt::Key_Return);
    QCOMPARE(dialogs.messages().last().text, frequence ? QStringLiteral("Veuillez saisir un chiffre. (fréquence, voie CH2)")
                                                       : QStringLiteral("Veuillez saisir un chiffre. (tension, voie CH1)"));
}

void tst_Reponses::editingKeysPass_data()
{
    // Moving between the boxes and deleting type no character: no message.
    QTest::addColumn<int>("touche");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("reste"); // the box's text afterwards, cursor at its start
    QTest::addColumn<bool>("quitte");   // the focus leaves the box
    QTest::newRow("Tab") << int(Qt::Key_Tab) << "\t" << "12" << true;
    QTest::newRow("Backtab") << int(Qt::Key_Backtab) << "" << "12" << true;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << QString(QChar(0x7f)) << "2" << false;
}

void tst_Reponses::editingKeysPass()
{
    QFETCH(int, touche);
    QFETCH(QString, texte);
    QFETCH(QString, reste);
    QFETCH(bool, quitte);
    BancScope b;
    ScriptedDialogs dialogs;
    auto* f = Forms().get<frmExo>();
    f->Show();
    QApplication::setActiveWindow(f->window());
    QLineEdit* boite = f->txtUmax[0];
    boite->setFocus();
    boite->setText("12");
    boite->setCursorPosition(0);
    const Qt::KeyboardModifiers mod = touche == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::sendKeyEvent(QTest::Click, boite, Qt::Key(touche), texte, mod);
    QCOMPARE(dialogs.messages().size(), 0);
    QCOMPARE(boite->text(), reste);
    QCOMPARE(boite->hasFocus(), !quitte);
}

void tst_Reponses::notANumberIsRefused_data()
{
    QTest::addColumn<QString>("tension");
    QTest::newRow("lone comma") << ",";
    QTest::newRow("two commas") << "1,2,3";
    QTest::newRow("pasted text") << "cinq";
}

void tst_Reponses::notANumberIsRefused()
{
    QFETCH(QString, tension);
    BancScope b;
    ScriptedDialogs dialogs;
    QVERIFY(FichierResultatOuvert().open(b.home.path("Resultat.txt")));
    auto* f = Forms().get<frmExo>();
    f->txtUmax[1]->setText(tension); // as pasted
    dialogs.answerMessage(vb::OK);
    f->cmdNext->click();
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Veuillez saisir un chiffre. (tension, voie CH2)"));
    QCOMPARE(Banc().scoreMaxExo, 0);
    QVERIFY(f->cmdNext->isEnabled());
    QVERIFY(TestHome::readFile(b.home.path("Resultat.txt")).isEmpty());
    FermerFichiers();
}

void tst_Reponses::scoredPictureShowsCorrections()
{
    BancScope b;
    QVERIFY(FichierResultatOuvert().open(b.home.path("Resultat.txt")));
    Modele().reglerScore(0, 0);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.SignalExo = "Sinusoïdale"; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.UmaxExo = 3; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FreqExo = 50; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.SignalExo = "Cc"; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.UmaxExo = 5; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FreqExo = 0; });
    auto* f = Forms().get<frmExo>();
    f->preparer("tp1.qvt - 1 wavixgrammes - Wavixgramme n° 1");
    f->optAlternatif[0]->setChecked(true);
    QVERIFY(f->cmbSignal[0]->isEnabled() && f->txtFreq[0]->isEnabled());
    f->cmbSignal[0]->setCurrentIndex(2); // triangle: wrong
    f->txtUmax[0]->setText("3");
    f->txtFreq[0]->setText("50");
    f->txtUmax[1]->setText("5");
    f->cmdNext->click();

    QCOMPARE(f->lblReponse[1]->text(), QStringLiteral("Sinusoïdale"));
    QVERIFY(f->lblReponse[1]->isVisibleTo(f));
    QVERIFY(!f->lblReponse[0]->isVisibleTo(f));
    QVERIFY(!f->lblReponse[4]->isVisibleTo(f));
    QCOMPARE(f->lblScore->text(), QStringLiteral("4 points sur 5 points"));
    QCOMPARE(f->imgLight->picture(), QStringLiteral(":/evaluation/light_off.svg"));
    QVERIFY(!f->cmdNext->isEnabled() && f->cmdNextWavix->isEnabled());
    QVERIFY(!f->txtUmax[0]->isEnabled() && !f->cmbSignal[0]->isEnabled());
    QCOMPARE(Banc().voies[0].FormeSignal, QStringLiteral("Triangle"));
    FermerFichiers();
    // The frames name the channels as the scope does; the records keep
    // their own words byte for byte.
    QCOMPARE(control<QGroupBox>(f, "fraVoie", 0)->title(), QStringLiteral("Voie CH1"));
    QCOMPARE(control<QGroupBox>(f, "fraVoie", 1)->title(), QStringLiteral("Voie CH2"));
    QCOMPARE(TestHome::readFile(b.home.path("Resultat.txt")),
             QByteArray("Voie A : Signal : Triangle (FAUX) ; Ua = 3,0 ; Fa = 50,0\r\nVoie B : Signal : Cc ; Ub = 5,0\r\n"
                        "        Score : 4\r\n") + QByteArray(52, '*') + "\r\n");

    // All right on the next picture: the green light.
    f->preparer("x");
    f->cmbSignal[0]->setCurrentIndex(0);
    f->txtUmax[0]->setText("3");
    f->txtFreq[0]->setText("50");
    f->txtUmax[1]->setText("5");
    f->cmdNext->click();
    QCOMPARE(f->imgLight->picture(), QStringLiteral(":/evaluation/light_on.svg"));
    QCOMPARE(f->lblScore->text(), QStringLiteral("9 points sur 10 points"));
}

void tst_Reponses::mark_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("11 of 15") << 11 << 15 << "Votre note est de : 14,7/20" << QByteArray(" -------> Note : 14,7/20\r\n");
    QTest::newRow("all right") << 6 << 6 << "Votre note est de : 20,0/20" << QByteArray(" -------> Note : 20,0/20\r\n");
    QTest::newRow("none right") << 0 << 5 << "Votre note est de : 0,0/20" << QByteArray(" -------> Note : 0,0/20\r\n");
    QTest::newRow("nothing scored") << 0 << 0 << "Il n'y avait rien à noter." << QByteArray();
}

void tst_Reponses::mark()
{
    QFETCH(int, score);
    QFETCH(int, maximum);
    QFETCH(QString, texte);
    QFETCH(QByteArray, record);
    BancScope b;
    QVERIFY(FichierResultatOuvert().open(b.home.path("Resultat.txt")));
    Modele().reglerScore(score, Banc().scoreMaxExo);
    Modele().reglerScore(Banc().scoreExo, maximum);
    Modele().choisirFichierExercice("tp1.qvt", Banc().dossierExercice);
    auto* note = Forms().get<frmNote>();
    QCOMPARE(note->lblNote->text(), texte);
    QCOMPARE(note->windowTitle(), QStringLiteral("Wavix - Résultat pour le fichier tp1.qvt"));
    QVERIFY(note->windowFlags() & Qt::WindowStaysOnTopHint);
    FermerFichiers();
    QCOMPARE(TestHome::readFile(b.home.path("Resultat.txt")), record);
}

void tst_Reponses::markWaysOn_data()
{
    QTest::addColumn<QString>("geste");
    QTest::addColumn<int>("choix");
    QTest::newRow("Fichier") << "cmdChoice(0)" << int(frmNote::AutreFichier);
    QTest::newRow("Mode libre") << "cmdChoice(1)" << int(frmNote::ModeLibre);
    QTest::newRow("Quitter") << "cmdChoice(2)" << int(frmNote::Quitter);
    // Some window managers draw a close box whatever the window asks.
    QTest::newRow("close box") << "close" << int(frmNote::ModeLibre);
    QTest::newRow("Escape") << "Escape" << int(frmNote::ModeLibre);
}

void tst_Reponses::markWaysOn()
{
    QFETCH(QString, geste);
    QFETCH(int, choix);
    BancScope b;
    Modele().reglerScore(1, Banc().scoreMaxExo);
    Modele().reglerScore(Banc().scoreExo, 2);
    auto* note = Forms().get<frmNote>();
    QVERIFY(!(note->windowFlags() & Qt::WindowCloseButtonHint));
    note->show();
    QVERIFY(QTest::qWaitForWindowExposed(note));
    // Any other key leaves the choice to make.
    QTest::keyClick(note, Qt::Key_A, Qt::NoModifier);
    QVERIFY(note->isVisible());
    if (geste == "close") {
        QVERIFY(!note->close()); // hidden by its choice, kept loaded for the caller
    } else if (geste == "Escape") {
        QTest::sendKeyEvent(QTest::Click, note, Qt::Key_Escape, QChar(0x1B), Qt::NoModifier);
    } else {
        note->findChild<QPushButton*>(geste)->click();
    }
    QCOMPARE(note->choix(), choix);
    QVERIFY(!note->isVisible());
    QVERIFY(Forms().isLoaded("frmNote"));
}

QTEST_MAIN(tst_Reponses)
#include "tst_reponses.moc"
