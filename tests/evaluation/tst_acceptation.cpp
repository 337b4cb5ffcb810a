// Plays the evaluated runs described in tests/acceptance/evaluation (and in
// $WAVIX_EVAL_CASES) through the real windows and compares the results file.

#include "TestHome.h"
#include "services/ModeleBanc.h"

#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "app/MDIWavix.h"
#include "evaluation/frmExo.h"
#include "evaluation/frmName.h"
#include "help/TelechargementFichier.h"
#include "platform/Forms.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"
#include "platform/TextFiles.h"
#include "scope/CourbeWavix.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QtTest>

namespace {

QStringList lignes(const QString& chemin)
{
    QString texte;
    readTextFile(chemin, texte);
    return splitLines(texte);
}

// Types a number key by key, as the student does.
void taper(QLineEdit* boite, const QString& nombre)
{
    boite->clear();
    QTest::keyClicks(boite, nombre);
}

} // namespace

class tst_Acceptation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runs_data();
    void runs();
};

void tst_Acceptation::runs_data()
{
    QTest::addColumn<QString>("dossier");
    QStringList racines = {QStringLiteral(WAVIX_TESTS_DIR) + "/acceptance/evaluation"};
    if (!qEnvironmentVariableIsEmpty("WAVIX_EVAL_CASES"))
        racines << qEnvironmentVariable("WAVIX_EVAL_CASES");
    for (const QString& racine : racines)
        for (const QFileInfo& cas : QDir(racine).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            QTest::newRow(qPrintable(cas.fileName())) << cas.absoluteFilePath();
}

void tst_Acceptation::runs()
{
    QFETCH(QString, dossier);
    TestHome home;
    ScriptedDialogs dialogs;
    setLoginNameSource([] { return std::optional<QString>("eleve1"); });
    setAdresseFichierVersion(QUrl::fromLocalFile(home.path("aucune-version.txt")).toString());
    const QString ini = home.dataHome() + "/Brelmar/Wavix/ConfQVT_eleve1.ini";
    QDir().mkpath(home.dataHome() + "/Brelmar/Wavix");
    writeProfileString(ini, "Options", "Show Tips at Startup", "0");
    const QDateTime horloge = QDateTime::fromString(lignes(dossier + "/horloge.txt").value(0), "dd/MM/yyyy HH:mm:ss");
    QVERIFY(horloge.isValid());
    setHorloge([horloge] { return horloge; });
    bool quitte = false;
    const auto terminer = TerminerProgramme();
    TerminerProgramme() = [&quitte] { quitte = true; };

    auto mdi = std::make_unique<MDIWavix>();
    QVERIFY(mdi->MDIForm_Load());
    for (const QFileInfo& exo : QDir(dossier).entryInfoList({"*.qvt", "*.QVT"}, QDir::Files))
        QVERIFY(QFile::copy(exo.absoluteFilePath(), Session().DossierDonnees + exo.fileName()));
    const QStringList identite = lignes(dossier + "/identite.txt");

    const QStringList formes = {"sinus", "carre", "triangle", "dyn"};
    // How the next mark window is answered: queued after the answers of the
    // action that opens it.
    QList<std::function<void()>> notes;
    auto repondreNotes = [&notes] {
        for (const auto& n : notes)
            n();
        notes.clear();
    };
    int numero = 0;
    for (const QString& brute : lignes(dossier + "/scenario.txt")) {
        ++numero;
        const QString ligne = brute.trimmed();
        if (ligne.isEmpty() || ligne.startsWith('#'))
            continue;
        const QStringList mots = ligne.split(' ', Qt::SkipEmptyParts);
        const QString action = mots[0];
        const QString ou = QStringLiteral("scenario.txt, ligne %1 : %2").arg(numero).arg(ligne);
        auto* reponses = dynamic_cast<frmExo*>(Forms().find("frmExo"));
        if (action == "demarrer") {
            // Asked at every start from the menu.
            dialogs.answerModal([identite](QWidget* w) {
                auto* f = static_cast<frmName*>(w);
                for (int i = 1; i <= 3; ++i)
                    f->txtIdent[size_t(i)]->setText(identite.value(i - 1));
                f->findChild<QPushButton*>("cmdOK")->click();
            });
            dialogs.answerFile(Session().DossierDonnees + mots.value(1));
            repondreNotes();
            mdi->menu("Mnu_Pilote")->trigger();
        } else if (action == "A" || action == "B") {
            QVERIFY2(reponses, qPrintable(ou));
            const int v = action == "A" ? 0 : 1;
            const bool alternatif = mots.value(1) == "ac";
            (alternatif ? reponses->optAlternatif : reponses->optContinu)[size_t(v)]->setChecked(true);
            if (alternatif) {
                QVERIFY2(formes.contains(mots.value(2)), qPrintable(ou));
                reponses->cmbSignal[size_t(v)]->setCurrentIndex(int(formes.indexOf(mots.value(2))));
                taper(reponses->txtUmax[size_t(v)], mots.value(3));
                taper(reponses->txtFreq[size_t(v)], mots.value(4));
            } else {
                taper(reponses->txtUmax[size_t(v)], mots.value(2));
            }
        } else if (action == "valider") {
            QVERIFY2(reponses && reponses->cmdNext->isEnabled(), qPrintable(ou));
            reponses->cmdNext->click();
        } else if (action == "suivant") {
            QVERIFY2(reponses && reponses->cmdNextWavix->isEnabled(), qPrintable(ou));
            repondreNotes();
            reponses->cmdNextWavix->click();
        } else if (action == "note") {
            const int choix = mots.value(1) == "fichier" ? 0 : mots.value(1) == "libre" ? 1 : 2;
            const QString fichier = Session().DossierDonnees + mots.value(2);
            notes << [&dialogs, choix, fichier] {
                dialogs.answerModal([choix](QWidget* w) {
                    QCOMPARE(w->objectName(), QStringLiteral("frmNote"));
                    w->findChild<QPushButton*>(QStringLiteral("cmdChoice(%1)").arg(choix))->click();
                });
                if (choix == 0)
                    dialogs.answerFile(fichier);
            };
        } else if (action == "libre") {
            mdi->menu("Mnu_Libre")->trigger();
        } else {
            QFAIL(qPrintable("action inconnue, " + ou));
        }
        QCOMPARE(dialogs.unexpected(), 0);
    }
    QVERIFY(dialogs.allAnswered());
    if (quitte)
        QVERIFY(!FichierResultatOuvert().isOpen());
    FermerFichiers();

    const QByteArray obtenu = TestHome::readFile(mdi->FichierResultat);
    const QByteArray attendu = TestHome::readFile(dossier + "/attendu.txt");
    if (obtenu != attendu)
        qWarning().noquote() << "obtenu :\n" << QString::fromLatin1(obtenu);
    QCOMPARE(obtenu, attendu);

    TerminerProgramme() = terminer;
    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    mdi.reset();
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& canal) { canal = EtatVoie(); });
    setAdresseFichierVersion(QString());
}

QTEST_MAIN(tst_Acceptation)
#include "tst_acceptation.moc"
