#include "ProgrammeLance.h"
#include "services/ModeleBanc.h"
#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "app/MDIWavix.h"
#include "services/Version.h"
#include "app/frmOption.h"
#include "bench/Voltmetre.h"
#include "help/frmTip.h"
#include "platform/InfoBulles.h"
#include "bench/frmToolBox.h"
#include "help/TelechargementFichier.h"
#include "platform/PictureBox.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shape.h"
#include "platform/SystemServices.h"
#include "scope/CouleursCourbes.h"
#include "scope/CourbeWavix.h"
#include "platform/RVB.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace {

// The program started with the settings given and the teacher's rights granted.
struct Programme : ProgrammeLance {
    explicit Programme(const Reglages& reglages = {}) : ProgrammeLance(reglages) { Session().ModeProfesseur = true; }
    frmOption* options() const { return Forms().get<frmOption>(); }
    QString lu(const QString& section, const QString& cle) const
    {
        return readProfileString(ini(), section, cle);
    }
    void clic(const char* bouton) const { options()->findChild<QPushButton*>(bouton)->click(); }
};

// What a control of the dialog shows, as text: a check box 0/1/2, a list its
// index, a swatch its colour, an option button 1 when selected.
QString valeur(const frmOption* f, const QString& nom)
{
    const QObject* o = f->findChild<QObject*>(nom);
    if (!o)
        return "no control " + nom;
    if (auto* c = qobject_cast<const QCheckBox*>(o))
        return QString::number(c->checkState() == Qt::Checked ? 1 : c->checkState() == Qt::PartiallyChecked ? 2 : 0);
    if (auto* c = qobject_cast<const QComboBox*>(o))
        return QString::number(c->currentIndex());
    if (auto* c = qobject_cast<const QRadioButton*>(o))
        return c->isChecked() ? "1" : "0";
    if (auto* c = qobject_cast<const Shape*>(o))
        return QString::number(c->FillColor());
    if (auto* c = qobject_cast<const PictureBox*>(o))
        return QString::number(c->BackColor());
    return "unknown kind";
}

struct Cle {
    const char* section;
    const char* cle;
    const char* stocke;
    const char* controle;
    const char* montre;
    // Then changed by the user: a click on the control ("clic"), another
    // colour chosen with its button ("couleur"), another item of its list
    // ("liste"); what "OK" then stores, and what it applies ("": nothing
    // until its use).
    const char* geste;
    const char* apres;
    const char* applique;
};

// A value away from the default for every key of the dialog, what the
// dialog shows of it, and another value the user then gives it.
const Cle kNonDefaut[] = {
    {"Options", "Couleur fond", "255", "picColor_Fond", "255", "couleur", "65280", "fond"},
    {"Options", "Show Tips at Startup", "0", "chkLoadTipsAtStartup", "0", "clic", "1", "astuces"},
    {"Options", "ShowToolTip", "0", "chkToolTip", "0", "clic", "1", "bulles"},
    {"Options", "Copy Sensibility", "2", "chkCopySensibility", "2", "clic", "1", ""},
    {"Options", "Reglage auto", "1", "chkReglage", "1", "clic", "0", "reglages"},
    {"Options", "Multimetre college", "1", "chkMultimetre", "1", "clic", "0", "multimetre"},
    {"Options", "ColorYa", "255", "shpColor(0)", "255", "couleur", "16711935", "couleur"},
    {"Options", "ColorYb", "65280", "shpColor(1)", "65280", "couleur", "255", "couleur"},
    {"Options", "ColorGrille", "16711680", "shpColor(2)", "16711680", "couleur", "8421504", "couleur"},
    {"Options", "ColorScreen", "8421504", "shpColor(3)", "8421504", "couleur", "16777215", "couleur"},
    {"Options", "ColorCadre", "16776960", "shpColor(4)", "16776960", "couleur", "0", "couleur"},
    {"Impression", "Style Ligne Voie A", "2", "cbxStyle(0)", "2", "liste", "3", ""},
    {"Impression", "Style Ligne Voie B", "4", "cbxStyle(1)", "4", "liste", "1", ""},
    {"Impression", "Marque Voie A", "0", "optMarqueA(1)", "1", "clic optMarqueA(0)", "1", ""},
    {"Impression", "Marque Voie B", "0", "optMarqueB(1)", "1", "clic optMarqueB(0)", "1", ""},
    {"Impression", "Motif Marque Voie A", "3", "cbxMarque(0)", "3", "liste", "1", ""},
    {"Impression", "Motif Marque Voie B", "5", "cbxMarque(1)", "5", "liste", "0", ""},
    {"Impression", "Taille Marque Voie A", "1", "cbxWidth(0)", "1", "liste", "2", ""},
    {"Impression", "Taille Marque Voie B", "4", "cbxWidth(1)", "4", "liste", "3", ""},
};

} // namespace

class tst_Preferences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void outOfRange_data();
    void outOfRange();
    void colourSets();
    void evaluatedMode();
    void markerControls();
    void colourTables_data();
    void colourTables();
    void colourDialog();
    void cancelTakesBackTheChangedColour_data();
    void cancelTakesBackTheChangedColour();
    void meterSwap();
    void menuOpensTab();
};

void tst_Preferences::roundTrip_data()
{
    QTest::addColumn<int>("ligne");
    for (int i = 0; i < int(std::size(kNonDefaut)); ++i)
        QTest::newRow(kNonDefaut[i].cle) << i;
}

void tst_Preferences::roundTrip()
{
    QFETCH(int, ligne);
    // Every key of the dialog away from its default at once: the dialog
    // shows each as stored.
    Reglages tous;
    for (const Cle& c : kNonDefaut)
        tous.append({c.section, c.cle, c.stocke});
    Programme p(tous);
    const Cle& c = kNonDefaut[ligne];
    frmOption* f = p.options();
    QCOMPARE(valeur(f, c.controle), QString(c.montre));

    // The user changes it, then "OK": the key, by its own name, holds the
    // new value, and what the option governs follows at once.
    const QString geste = QString::fromLatin1(c.geste);
    const QString apres = QString::fromLatin1(c.apres);
    if (geste.startsWith("clic")) {
        const QString cible = geste.contains(' ') ? geste.section(' ', 1) : QString::fromLatin1(c.controle);
        f->findChild<QAbstractButton*>(cible)->click();
    } else if (geste == "liste") {
        f->findChild<QComboBox*>(c.controle)->setCurrentIndex(apres.toInt());
    } else if (QLatin1String(c.controle) == QLatin1String("picColor_Fond")) {
        p.dialogs.answerColour(apres.toInt());
        p.clic("cmdColor_Fond");
    } else {
        const int swatch = QString::fromLatin1(c.controle).section('(', 1).chopped(1).toInt();
        f->optColor[size_t(swatch)]->click();
        p.dialogs.answerColour(apres.toInt());
        p.clic("cmdChange");
    }
    p.clic("cmdOK");
    QVERIFY(!Forms().isLoaded("frmOption"));
    QCOMPARE(p.lu(c.section, c.cle), apres);
    // Every other key as it was.
    for (const Cle& autre : kNonDefaut)
        if (&autre != &c)
            QCOMPARE(p.lu(autre.section, autre.cle), QString(autre.stocke));

    const QString applique = QString::fromLatin1(c.applique);
    if (applique == "fond")
        QCOMPARE(p.mdi->BackColor(), apres.toInt());
    else if (applique == "astuces") // the tip of the day reads it at its next showing
        QCOMPARE(Forms().get<frmTip>()->findChild<QCheckBox*>("chkShowTipsAtStartup")->isChecked(), apres == "0");
    else if (applique == "bulles")
        QCOMPARE(ToolTipsHidden(), apres != "1");
    else if (applique == "reglages")
        QCOMPARE(p.mdi->Mnu_Reglages->isEnabled(), apres != "0");
    else if (applique == "multimetre")
        QCOMPARE(MultimetreCollegeChoisi(), apres != "0");
    else if (applique == "couleur")
        QCOMPARE(CouleurVariable(QString::fromLatin1(c.controle).section('(', 1).chopped(1).toInt()), apres.toInt());
}

void tst_Preferences::outOfRange_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("cle");
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<QString>("controle");
    QTest::addColumn<QString>("montre");

    QTest::newRow("check value 3") << "Options" << "ShowToolTip" << "3" << "chkToolTip" << "1";
    QTest::newRow("check value -1") << "Options" << "Copy Sensibility" << "-1" << "chkCopySensibility" << "1";
    QTest::newRow("check not a number") << "Options" << "Reglage auto" << "oui" << "chkReglage" << "0";
    QTest::newRow("check leading number") << "Options" << "Show Tips at Startup" << "0 (non)" << "chkLoadTipsAtStartup" << "0";
    QTest::newRow("style above the list") << "Impression" << "Style Ligne Voie A" << "5" << "cbxStyle(0)" << "0";
    QTest::newRow("symbol above the list") << "Impression" << "Motif Marque Voie B" << "6" << "cbxMarque(1)" << "0";
    QTest::newRow("size below the list") << "Impression" << "Taille Marque Voie A" << "-1" << "cbxWidth(0)" << "0";
    QTest::newRow("size leading number") << "Impression" << "Taille Marque Voie B" << "3.6 pt" << "cbxWidth(1)" << "4";
    QTest::newRow("colour above white") << "Options" << "ColorYa" << "16777216" << "shpColor(0)" << "65535";
    QTest::newRow("colour negative") << "Options" << "ColorScreen" << "-5" << "shpColor(3)" << "10135975";
    QTest::newRow("colour not a number") << "Options" << "ColorYb" << "vert" << "shpColor(1)" << "4227072";
    QTest::newRow("colour beyond 32 bits") << "Options" << "ColorGrille" << "99999999999" << "shpColor(2)" << "0";
    QTest::newRow("colour leading number") << "Options" << "ColorCadre" << "255;" << "shpColor(4)" << "255";
    QTest::newRow("background above white") << "Options" << "Couleur fond" << "20000000" << "picColor_Fond" << "16777215";
    QTest::newRow("marker not a number") << "Impression" << "Marque Voie A" << "x" << "optMarqueA(0)" << "1";
}

void tst_Preferences::outOfRange()
{
    QFETCH(QString, section);
    QFETCH(QString, cle);
    QFETCH(QString, stocke);
    QFETCH(QString, controle);
    QFETCH(QString, montre);
    Programme p({{section, cle, stocke}});
    QCOMPARE(valeur(p.options(), controle), montre);
    QVERIFY(p.dialogs.messages().isEmpty());
    // Read again when the dialog is loaded again.
    p.clic("cmdCancel");
    QCOMPARE(valeur(p.options(), controle), montre);
}

void tst_Preferences::colourSets()
{
    Programme p;
    // "Couleurs pour l'impression" then OK: black traces, grey graticule and
    // border, white screen, applied to the scope and its inputs.
    p.clic("cmdPrint");
    QCOMPARE(Banc().voies[0].CouleurTrace, 65535); // not before OK
    p.clic("cmdOK");
    const QStringList cles{"ColorYa", "ColorYb", "ColorGrille", "ColorScreen", "ColorCadre"};
    QStringList lus;
    for (const QString& c : cles)
        lus << p.lu("Options", c);
    QCOMPARE(lus.join(' '), QString("0 0 8421504 16777215 8421504"));
    QCOMPARE(Banc().voies[0].CouleurTrace, 0);
    QCOMPARE(Scope().CouleurFond, 16777215);
    auto* scope = Forms().get<frmWavix>();
    QCOMPARE(scope->findChild<Shape*>("shpConnectCH2(1)")->FillColor(), 0);
    const QImage ecran = scope->picEcran->Image();
    // Inside a division, away from every line.
    QCOMPARE(ecran.pixel(ecran.width() * 13 / 100, ecran.height() * 13 / 100) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(Forms().get<frmToolBox>()->fraAlim[0]->palette().color(QPalette::Window), QColor(Qt::black));

    // "Par défaut" changes nothing until "Appliquer".
    p.clic("cmdDefault");
    QCOMPARE(p.options()->shpColor[1]->FillColor(), 4227072);
    QCOMPARE(p.lu("Options", "ColorYb"), QString("0"));
    QCOMPARE(Banc().voies[1].CouleurTrace, 0);
    p.clic("cmdAppliq");
    QVERIFY(Forms().isLoaded("frmOption"));
    QCOMPARE(p.lu("Options", "ColorYb"), QString("4227072"));
    QCOMPARE(p.lu("Options", "ColorScreen"), QString("10135975"));
    QCOMPARE(Banc().voies[1].CouleurTrace, 4227072);

    // "Annuler" keeps the file.
    const QByteArray avant = TestHome::readFile(p.ini());
    p.clic("cmdPrint");
    p.options()->chkToolTip->setChecked(false);
    p.clic("cmdCancel");
    QVERIFY(!Forms().isLoaded("frmOption"));
    QCOMPARE(TestHome::readFile(p.ini()), avant);
}

void tst_Preferences::evaluatedMode()
{
    Programme p({{"Options", "Reglage auto", "1"}});
    Forms().unload("frmOption");
    Modele().passerEnModeLibre(false);
    p.mdi->Mnu_Reglages->setEnabled(false);
    frmOption* f = p.options();
    QVERIFY(!f->chkReglage->isEnabled());
    QVERIFY(!p.mdi->Mnu_Reglages->isEnabled()); // left as it was
    writeProfileString(p.ini(), "Options", "Reglage auto", "");
    p.clic("cmdOK");
    QCOMPARE(p.lu("Options", "Reglage auto"), QString());
    QCOMPARE(p.lu("Options", "Copy Sensibility"), QString("1")); // the rest is written

    // In free mode the box is read and written, and drives the menu item.
    Modele().passerEnModeLibre(true);
    f = p.options();
    QVERIFY(f->chkReglage->isEnabled());
    f->chkReglage->setChecked(true);
    p.clic("cmdOK");
    QCOMPARE(p.lu("Options", "Reglage auto"), QString("1"));
}

void tst_Preferences::markerControls()
{
    Programme p({{"Impression", "Marque Voie B", "0"}});
    frmOption* f = p.options();
    // CH1 by default "Aucune", its marker controls disabled; CH2 "Personnalisée".
    QVERIFY(f->optMarque[0][0]->isChecked());
    QVERIFY(!f->cbxMarque[0]->isEnabled());
    QVERIFY(!f->lblWidth[0]->isEnabled());
    QVERIFY(f->optMarque[1][1]->isChecked());
    QVERIFY(f->cbxMarque[1]->isEnabled());
    QVERIFY(f->cbxWidth[1]->isEnabled());
    // The symbols are the stored indexes' glyphs.
    QCOMPARE(f->cbxMarque[0]->itemText(0), QString(QChar(0x25C6)));
    QCOMPARE(f->cbxMarque[0]->itemText(5), QString(QChar(0x25CB)));
    f->optMarque[0][1]->setChecked(true);
    QVERIFY(f->cbxMarque[0]->isEnabled());
}

void tst_Preferences::colourTables_data()
{
    QTest::addColumn<int>("couleur");
    QTest::addColumn<int>("rouge");
    QTest::addColumn<int>("vert");
    QTest::addColumn<int>("bleu");
    QTest::addColumn<int>("gris");

    QTest::newRow("white") << 16777215 << 255 << 255 << 255 << 16777215;
    QTest::newRow("black") << 0 << 0 << 0 << 0 << 65793;
    QTest::newRow("red") << 255 << 255 << 0 << 0 << 77 * 65793;
    QTest::newRow("green") << 65280 << 0 << 255 << 0 << 150 * 65793;
    QTest::newRow("blue") << 16711680 << 0 << 0 << 255 << 28 * 65793;
    QTest::newRow("grey 128") << 8421504 << 128 << 128 << 128 << 8421504;
    QTest::newRow("screen background") << 10135975 << 167 << 169 << 154 << 167 * 65793;
    QTest::newRow("CH1") << 65535 << 255 << 255 << 0 << 227 * 65793;
    QTest::newRow("CH2") << 4227072 << 0 << 128 << 64 << 83 * 65793;
    QTest::newRow("top byte ignored") << int(0x7F0000FF) << 255 << 0 << 0 << 77 * 65793;
}

void tst_Preferences::colourTables()
{
    QFETCH(int, couleur);
    QFETCH(int, rouge);
    QFETCH(int, vert);
    QFETCH(int, bleu);
    QFETCH(int, gris);
    if (couleur <= 0xFFFFFF) {
        RVB c;
        c.setCouleur(couleur);
        QCOMPARE(QList<int>({c.Rouge(), c.Vert(), c.Bleu()}), QList<int>({rouge, vert, bleu}));
    }
    QCOMPARE(CouleurEnGris(couleur), gris);
}

void tst_Preferences::colourDialog()
{
    Programme p;
    frmOption* f = p.options();
    // The default swatches give the knob's parts.
    DecomposerCouleurs();
    QCOMPARE(QList<int>(Scope().ComposantesCouleurs.begin(), Scope().ComposantesCouleurs.end()),
             QList<int>({255, 255, 0, 0, 128, 64, 167, 169, 154}));

    // A custom colour added earlier gives way to the greys.
    QColorDialog::setCustomColor(0, Qt::red);
    const QString titre = QString("Wavix v.%1.%2 - Choix de la couleur").arg(kVersionMajeure).arg(kVersionMineure);
    p.dialogs.answerColour(255, [&](QColorDialog* d) {
        QCOMPARE(d->windowTitle(), titre);
        QVERIFY(d->testOption(QColorDialog::DontUseNativeDialog));
        QCOMPARE(d->currentColor(), QColor(255, 255, 0)); // the CH1 swatch
        auto* boutons = d->findChild<QDialogButtonBox*>();
        QCOMPARE(boutons->button(QDialogButtonBox::Ok)->text(), QString("Appliquer"));
        QCOMPARE(boutons->button(QDialogButtonBox::Cancel)->text(), QString("Annuler"));
        QStringList textes;
        for (auto* b : d->findChildren<QPushButton*>())
            textes << b->text();
        QVERIFY2(textes.contains("Ajouter aux couleurs personnalisées"), qPrintable(textes.join('|')));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(QColorDialog::customColor(i), QColor(15 * (i + 1), 15 * (i + 1), 15 * (i + 1)));
        const QRect ecran = QGuiApplication::primaryScreen()->geometry();
        // Within the window frame, unknown before it is shown.
        QVERIFY(qAbs(d->frameGeometry().center().x() - ecran.center().x()) <= 3);
        QVERIFY(qAbs(d->frameGeometry().center().y() - ecran.center().y()) <= 3);
    });
    // No colour option chosen: the CH1 colour changes, the variable at once.
    for (auto* o : f->optColor)
        QVERIFY(!o->isChecked());
    p.clic("cmdChange");
    QCOMPARE(p.dialogs.shown().last().kind, ScriptedDialogs::Kind::Colour);
    QCOMPARE(f->shpColor[0]->FillColor(), 255);
    QCOMPARE(Banc().voies[0].CouleurTrace, 255);
    QCOMPARE(Scope().ComposantesCouleurs[0], 255);
    QCOMPARE(Scope().ComposantesCouleurs[1], 0);
    QCOMPARE(p.lu("Options", "ColorYa"), QString()); // not saved

    // Cancel leaves the chosen swatch as it was.
    f->optColor[2]->setChecked(true);
    p.dialogs.answerColour(std::nullopt);
    p.clic("cmdChange");
    QCOMPARE(f->shpColor[2]->FillColor(), 0);

    // The interface background: changed, then back to white by a double click.
    p.dialogs.answerColour(0x00FF00);
    p.clic("cmdColor_Fond");
    QCOMPARE(f->picColor_Fond->BackColor(), 0x00FF00);
    QTest::mouseDClick(f->picColor_Fond, Qt::LeftButton);
    QCOMPARE(f->picColor_Fond->BackColor(), 16777215);
    QVERIFY(p.dialogs.allAnswered());
}

void tst_Preferences::cancelTakesBackTheChangedColour_data()
{
    QTest::addColumn<QString>("fin"); // how the dialog ends
    QTest::newRow("Annuler") << "cmdCancel";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
    QTest::newRow("Appliquer then Annuler") << "cmdAppliq";
}

void tst_Preferences::cancelTakesBackTheChangedColour()
{
    // "Changer" shows the CH1 colour on the scope at once; a dialog that
    // ends without "OK" or "Appliquer" takes it back: the trace is yellow
    // again, and nothing is saved.
    QFETCH(QString, fin);
    Programme p;
    frmOption* f = p.options();
    f->Show();
    QCOMPARE(Banc().voies[0].CouleurTrace, 65535);
    p.dialogs.answerColour(255);
    p.clic("cmdChange");
    QCOMPARE(Banc().voies[0].CouleurTrace, 255);
    if (fin == "cmdAppliq") {
        p.clic("cmdAppliq"); // red applied: the cancel after keeps it
        p.clic("cmdCancel");
        QCOMPARE(Banc().voies[0].CouleurTrace, 255);
        QCOMPARE(p.lu("Options", "ColorYa"), QString("255"));
        return;
    }
    if (fin == "escape")
        QTest::sendKeyEvent(QTest::Click, f->optColor[0], Qt::Key_Escape, QString(QChar(27)), Qt::NoModifier);
    else if (fin == "close")
        f->close();
    else
        p.clic(fin.toLatin1().constData());
    QVERIFY(!Forms().isLoaded(QStringLiteral("frmOption")));
    QCOMPARE(Banc().voies[0].CouleurTrace, 65535);
    QCOMPARE(Scope().ComposantesCouleurs[0], 255); // yellow: red 255, green 255
    QCOMPARE(Scope().ComposantesCouleurs[1], 255);
    QCOMPARE(p.lu("Options", "ColorYa"), QString());
}

void tst_Preferences::meterSwap()
{
    Programme p;
    frmToolBox* boite = Forms().get<frmToolBox>();
    boite->chkMulti->setChecked(true);
    VbForm* rms = Forms().find("frmMulti_RMS");
    QVERIFY(rms);
    rms->Move(3000, 1500);
    const QPoint place = rms->frame()->pos();

    p.options()->chkMultimetre->setChecked(true);
    p.clic("cmdOK");
    QCOMPARE(p.lu("Options", "Multimetre college"), QString("1"));
    QVERIFY(!Forms().isLoaded("frmMulti_RMS"));
    VbForm* college = Forms().find("frmVolt");
    QVERIFY(college);
    QCOMPARE(college->frame()->pos(), place);
    QVERIFY(boite->chkMulti->isChecked());
    QVERIFY(p.mdi->Mnu_Volt->isChecked());

    // Unchanged choice: the open meter stays.
    p.clic("cmdOK");
    QCOMPARE(Forms().find("frmVolt"), college);
}

void tst_Preferences::menuOpensTab()
{
    Programme p;
    p.dialogs.answerModal([](QWidget* w) {
        auto* f = qobject_cast<frmOption*>(w);
        QVERIFY(f);
        QCOMPARE(f->sstOptions->currentIndex(), 2);
        QCOMPARE(f->windowTitle(), QString("Options pour Wavix"));
        QVERIFY(f->windowFlags() & Qt::WindowStaysOnTopHint);
        f->findChild<QPushButton*>("cmdCancel")->click();
    });
    p.mdi->menu("Mnu_Pref(2)")->trigger();
    QVERIFY(p.dialogs.allAnswered());
    QVERIFY(!Forms().isLoaded("frmOption"));
}

QTEST_MAIN(tst_Preferences)
#include "tst_preferences.moc"
