#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "evaluation/frmName.h"
#include "platform/ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The identity window shown modally, filled by the test.
struct Identite {
    TestHome home;
    ScriptedDialogs dialogs;
    frmName* f = Forms().get<frmName>();

    ~Identite()
    {
        Forms().unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void remplir(const QString& nom, const QString& prenom, const QString& classe)
    {
        f->txtIdent[1]->setText(nom);
        f->txtIdent[2]->setText(prenom);
        f->txtIdent[3]->setText(classe);
    }
    void cliquer(const char* bouton) { f->findChild<QPushButton*>(bouton)->click(); }
};

} // namespace

class tst_FrmName : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void design();
    void missingField_data();
    void missingField();
    void okHidesAndKeepsIdentity();
    void cancelEmptiesIdentity();
    void closeBoxGivesUp();
    void quitAsks_data();
    void quitAsks();
};

void tst_FrmName::design()
{
    Identite i;
    QCOMPARE(i.f->windowTitle(), QStringLiteral("Qui êtes-vous ?"));
    QCOMPARE(i.f->palette().color(QPalette::Window), QColor(255, 255, 128));
    QCOMPARE(i.f->txtIdent[1]->toolTip(), QStringLiteral("Entrez ici votre nom."));
    QCOMPARE(i.f->findChild<QPushButton*>("cmdOK")->toolTip(), QStringLiteral("Cliquer ici pour commencer."));
    i.remplir("Martin", "Léa", "1S2");
    i.cliquer("cmdOK");
    QCOMPARE(i.f->txtIdent[1]->toolTip(), QStringLiteral("Entrer ici votre nom"));
    QCOMPARE(i.f->findChild<QPushButton*>("cmdAnnul")->toolTip(), QStringLiteral("Pour revenir au mode libre"));
    QCOMPARE(i.f->findChild<QPushButton*>("cmdEnd")->toolTip(), QStringLiteral("Pour fermer le logiciel Wavix"));
}

void tst_FrmName::missingField_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("prenom");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("boite");
    QTest::newRow("nothing") << "" << "" << "" << "Quel est votre nom ?" << 1;
    QTest::newRow("first name") << "Martin" << "" << "1S2" << "Quel est votre prénom ?" << 2;
    QTest::newRow("class only") << "Martin" << "Léa" << "" << "Quelle est votre classe ?" << 3;
}

void tst_FrmName::missingField()
{
    QFETCH(QString, nom);
    QFETCH(QString, prenom);
    QFETCH(QString, classe);
    QFETCH(QString, question);
    QFETCH(int, boite);
    Identite i;
    i.f->show();
    QVERIFY(QTest::qWaitForWindowActive(i.f));
    i.remplir(nom, prenom, classe);
    i.dialogs.answerMessage(vb::OK);
    i.cliquer("cmdOK");
    QCOMPARE(i.dialogs.messages().size(), 1);
    QCOMPARE(i.dialogs.messages()[0].text, question);
    QCOMPARE(i.dialogs.messages()[0].title, QStringLiteral("Saisie incomplète"));
    QCOMPARE(i.dialogs.messages()[0].style & 0x70, int(vb::Critical));
    QVERIFY(i.f->isVisible());
    QTRY_VERIFY(i.f->txtIdent[size_t(boite)]->hasFocus());
}

void tst_FrmName::okHidesAndKeepsIdentity()
{
    Identite i;
    i.remplir("   ", "Léa", "1S2"); // blanks are a name
    i.cliquer("cmdOK");
    QVERIFY(i.dialogs.messages().isEmpty());
    QVERIFY(!i.f->isVisible());
    QVERIFY(Forms().isLoaded("frmName"));
    QCOMPARE(Forms().get<frmName>()->txtIdent[1]->text(), QStringLiteral("   "));
}

void tst_FrmName::cancelEmptiesIdentity()
{
    Identite i;
    i.remplir("Martin", "Léa", "1S2");
    i.cliquer("cmdAnnul");
    QVERIFY(!i.f->isVisible());
    for (int k = 1; k <= 3; ++k)
        QVERIFY(i.f->txtIdent[size_t(k)]->text().isEmpty());
}

void tst_FrmName::closeBoxGivesUp()
{
    Identite i;
    i.remplir("Martin", "Léa", "1S2");
    i.f->show();
    QVERIFY(!i.f->close()); // stays loaded, hidden
    QVERIFY(Forms().isLoaded("frmName"));
    QVERIFY(!i.f->isVisible());
    QVERIFY(i.f->txtIdent[1]->text().isEmpty());
}

void tst_FrmName::quitAsks_data()
{
    QTest::addColumn<int>("reponse");
    QTest::newRow("Non") << int(vb::No);
    QTest::newRow("Oui") << int(vb::Yes);
}

void tst_FrmName::quitAsks()
{
    QFETCH(int, reponse);
    Identite i;
    QVERIFY(FichierResultatOuvert().open(i.home.path("Resultat.txt")));
    int fins = 0;
    const auto terminer = TerminerProgramme();
    TerminerProgramme() = [&fins] { ++fins; };
    i.dialogs.answerMessage(reponse);
    i.cliquer("cmdEnd");
    TerminerProgramme() = terminer;
    QCOMPARE(i.dialogs.beeps(), 1);
    QCOMPARE(i.dialogs.messages()[0].text, QStringLiteral("Voulez-vous quitter ce programme ?"));
    QCOMPARE(i.dialogs.messages()[0].style, 65572);
    QCOMPARE(fins, reponse == vb::Yes ? 1 : 0);
    QCOMPARE(FichierResultatOuvert().isOpen(), reponse != vb::Yes);
    FermerFichiers();
}

QTEST_MAIN(tst_FrmName)
#include "tst_frmname.moc"
