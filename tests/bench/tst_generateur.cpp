#include "BancScope.h"

#include "services/FichierINI.h"
#include "bench/Calculatrice.h"
#include "bench/frmGBF.h"
#include "bench/frmToolBox.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shape.h"
#include "scope/CourbeWavix.h"
#include "services/RequetesBanc.h"
#include "platform/RVB.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSvgRenderer>
#include <QtTest>

#include <signal.h>

namespace {

frmGBF* gbf(int voie)
{
    return dynamic_cast<frmGBF*>(Forms().find(voie == 0 ? "frmGBFA" : "frmGBFB"));
}

// Turns a generator knob as a drag with the left button does.
void tourner(frmGBF* g, int index, float valeur)
{
    g->Potentio[size_t(index)]->setValue(valeur);
    Q_EMIT g->Potentio[size_t(index)]->MouseMove(index, 1, 0, 0, 0);
}

int lampesAllumees(const std::array<Shape*, 6>& freq, const std::array<Shape*, 3>& signal)
{
    int n = 0;
    for (const Shape* s : freq)
        n += s->FillColor() == kVertAllume;
    for (const Shape* s : signal)
        n += s->FillColor() == kVertAllume;
    return n;
}

// A group drawn on a window's face, from its picture, in window pixels.
QRectF groupeDessine(const QWidget* fenetre, const QString& image, const QString& id)
{
    QSvgRenderer svg(image);
    const double sx = fenetre->width() / svg.viewBoxF().width();
    const double sy = fenetre->height() / svg.viewBoxF().height();
    const QRectF b = svg.transformForElement(id).mapRect(svg.boundsOnElement(id));
    return {b.x() * sx, b.y() * sy, b.width() * sx, b.height() * sy};
}

} // namespace

class tst_Generateur : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toolboxConnectsAndClears();
    void closeBoxSelectsNone();
    void defaultPlaces_data();
    void defaultPlaces();
    void toolboxLayout_data();
    void toolboxLayout();
    void choosingTheSelectedSourceAgainKeepsIt_data();
    void choosingTheSelectedSourceAgainKeepsIt();
    void toolboxFramesShowCaptionAndChoice();
    void ch1GeneratorFitsAboveItsTwin();
    void instrumentBoxes_data();
    void instrumentBoxes();
    void calculator();
    void calculatorMissing();
    void generatorAtLoad();
    void ranges_data();
    void ranges();
    void frequencyLaw_data();
    void frequencyLaw();
    void amplitudeAndFineSliders();
    void knobRowLiesInsideItsGroup_data();
    void knobRowLiesInsideItsGroup();
    void lampsFollowPower();
    void plugsAndSwitchConnect();
    void generatorDrawsAndUnpluggingFlattens_data();
    void generatorDrawsAndUnpluggingFlattens();
    void publishedSettings_data();
    void publishedSettings();
    void toolboxPublishesItsChoice();
};

void tst_Generateur::toolboxConnectsAndClears()
{
    BancScope b(2);
    auto* boite = Forms().get<frmToolBox>();
    QVERIFY(boite->optionChoisie(0) && boite->optionChoisie(11));

    boite->optConnexion[10]->click();
    QVERIFY(gbf(1) && !gbf(1)->frame()->isHidden());
    QVERIFY(!gbf(0));
    QCOMPARE(Banc().voies[1].FormeSignal, QStringLiteral("Sinus"));
    QCOMPARE(Banc().voies[1].Gamme, 1000.0);
    QVERIFY(Banc().voies[1].Frequence >= 100 && Banc().voies[1].Frequence < 1200);

    boite->optConnexion[1]->click();
    QVERIFY(gbf(0) && gbf(1)); // choosing CH1 leaves CH2 alone

    boite->optConnexion[11]->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!gbf(1));
    QCOMPARE(Banc().voies[1].FormeSignal, QStringLiteral("Cc"));
    QCOMPARE(Banc().voies[1].Amplitude, 0.0);
    QCOMPARE(Banc().voies[1].Frequence, 0.0);
    QVERIFY(!Banc().voies[1].SourceBranchee);
    QVERIFY(gbf(0));
}

void tst_Generateur::closeBoxSelectsNone()
{
    BancScope b(0);
    auto* boite = Forms().get<frmToolBox>();
    boite->choisir(1);
    frmGBF* g = gbf(0);
    g->Move(4500, 300);
    QVERIFY(g->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!gbf(0));
    QVERIFY(boite->optionChoisie(0));
    QCOMPARE(Banc().voies[0].Amplitude, 0.0);
    QCOMPARE(Banc().voies[0].FormeSignal, QStringLiteral("Cc"));
    QCOMPARE(LireINI("Interface", "PosX GBFA", ""), QStringLiteral("4500"));
    QCOMPARE(LireINI("Interface", "PosY GBFA", ""), QStringLiteral("300"));

    // It opens again where it was left.
    boite->choisir(1);
    QCOMPARE(gbf(0)->Left(), 4500.0);
    QCOMPARE(gbf(0)->Top(), 300.0);
}

void tst_Generateur::defaultPlaces_data()
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<double>("haut");
    QTest::newRow("CH1 at the top") << 0 << 0.0;
    QTest::newRow("CH2 lower down") << 1 << 4935.0;
}

void tst_Generateur::defaultPlaces()
{
    QFETCH(int, voie);
    QFETCH(double, haut);
    BancScope b(0);
    // No stored place: just right of the scope window.
    Forms().get<frmToolBox>()->choisir(voie == 0 ? 1 : 10);
    QCOMPARE(gbf(voie)->Left(), b.scope->Left() + b.scope->Width());
    QCOMPARE(gbf(voie)->Top(), haut);
}

void tst_Generateur::toolboxLayout_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("cadre"); // fraAlim index; -1: the window itself
    QTest::addColumn<double>("gauche");
    QTest::addColumn<double>("haut");
    QTest::addColumn<QString>("bulle");
    const struct {
        int index;
        int haut;
        const char* bulle;
    } options[] = {
        {0, 240, "Aucune alimentation"},     {1, 720, "GBF"},           {16, 1200, "Générateur d'harmoniques"},
        {2, 1680, "Alimentation stabilisée"}, {3, 2160, "Pile 1,5 V"},   {4, 2640, "Pile 4,5 V"},
        {5, 3120, "Pile 9 V"},               {12, 3600, "Prise secteur"}, {14, 4080, "Alternateur bicyclette"},
        {11, 240, "Aucune alimentation"},    {10, 720, "GBF"},          {17, 1200, "Générateur d'harmoniques"},
        {9, 1680, "Alimentation stabilisée"}, {8, 2160, "Pile 1,5 V"},   {7, 2640, "Pile 4,5 V"},
        {6, 3120, "Pile 9 V"},               {13, 3600, "Prise secteur"}, {15, 4080, "Alternateur bicyclette"},
    };
    for (int i = 0; i < 18; ++i) {
        const int cadre = i < 9 ? 0 : 1;
        QTest::addRow("option %d", options[i].index)
            << QString(controlName("optConnexion", options[i].index)) << cadre << 60.0 << double(options[i].haut)
            << QString::fromUtf8(options[i].bulle);
    }
    // The boxes close under the CH2 frame, so that the toolbox stands whole
    // in a normal main window on a 1024 x 768 screen.
    QTest::newRow("multimeter") << "chkMulti" << -1 << 120.0 << 9255.0 << "Multimètre";
    QTest::newRow("stopwatch") << "chkClock" << -1 << 120.0 << 9735.0 << "Chronomètre";
    QTest::newRow("calculator") << "chkCalc" << -1 << 120.0 << 10215.0 << "Calculatrice";
}

void tst_Generateur::toolboxLayout()
{
    QFETCH(QString, nom);
    QFETCH(int, cadre);
    QFETCH(double, gauche);
    QFETCH(double, haut);
    QFETCH(QString, bulle);
    BancScope b(0);
    auto* boite = Forms().get<frmToolBox>();
    auto* bouton = boite->findChild<QAbstractButton*>(nom);
    QVERIFY(bouton);
    QCOMPARE(bouton->parentWidget(), cadre < 0 ? static_cast<QWidget*>(boite) : boite->fraAlim[size_t(cadre)]);
    QCOMPARE(twipsLeft(bouton), gauche);
    QCOMPARE(twipsTop(bouton), haut);
    QCOMPARE(twipsWidth(bouton), 435.0);
    QCOMPARE(twipsHeight(bouton), 435.0);
    QCOMPARE(bouton->toolTip(), bulle);
}

void tst_Generateur::choosingTheSelectedSourceAgainKeepsIt_data()
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<bool>("clic");
    QTest::newRow("CH1 from code") << 0 << false;
    QTest::newRow("CH1 clicked") << 0 << true;
    QTest::newRow("CH2 from code") << 1 << false;
    QTest::newRow("CH2 clicked") << 1 << true;
}

void tst_Generateur::choosingTheSelectedSourceAgainKeepsIt()
{
    QFETCH(int, voie);
    QFETCH(bool, clic);
    BancScope b(2);
    auto* boite = Forms().get<frmToolBox>();
    const int option = voie == 0 ? 1 : 10;
    boite->choisir(option);
    QPointer<frmGBF> g = gbf(voie);
    g->basculerFiche(0);
    g->basculerFiche(1);
    g->chkOn->setChecked(true);
    tourner(g, 1, 3500);
    QVERIFY(Banc().voies[size_t(voie)].SourceBranchee);

    if (clic)
        QTest::mouseClick(boite->optConnexion[size_t(option)], Qt::LeftButton);
    else
        boite->choisir(option);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The same window, open, still plugged in, on and set; the option still
    // chosen and the other channel's "none" untouched.
    QVERIFY(g && g == gbf(voie));
    QVERIFY(!g->frame()->isHidden());
    QVERIFY(boite->optionChoisie(option));
    QVERIFY(boite->optionChoisie(voie == 0 ? 11 : 0));
    QVERIFY(Banc().voies[size_t(voie)].SourceBranchee);
    QCOMPARE(Banc().voies[size_t(voie)].Amplitude, 3.5);
    QCOMPARE(Banc().voies[size_t(voie)].FormeSignal, QStringLiteral("Sinus"));
}

void tst_Generateur::toolboxFramesShowCaptionAndChoice()
{
    BancScope b(2);
    auto* boite = Forms().get<frmToolBox>();
    boite->choisir(1);
    for (int voie = 0; voie < 2; ++voie) {
        QGroupBox* cadre = boite->fraAlim[size_t(voie)];
        QCOMPARE(cadre->title(), voie == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2"));
        // The caption fits across the frame and above its first option.
        const QFontMetrics fm(cadre->font());
        QVERIFY(fm.horizontalAdvance(cadre->title()) + 4 <= cadre->width());
        QVERIFY(fm.height() <= boite->optConnexion[voie == 0 ? 0 : 11]->y());
    }
    // The chosen option wears a dark rim that the others do not.
    auto rim = [](QAbstractButton* option) {
        const QImage image = option->grab().toImage();
        return qGray(image.pixel(1, image.height() / 2));
    };
    QVERIFY(boite->optConnexion[1]->isChecked() && boite->optConnexion[11]->isChecked());
    QVERIFY2(rim(boite->optConnexion[1]) < 60, qPrintable(QString::number(rim(boite->optConnexion[1]))));
    QVERIFY2(rim(boite->optConnexion[11]) < 60, qPrintable(QString::number(rim(boite->optConnexion[11]))));
    QVERIFY2(rim(boite->optConnexion[0]) > 90, qPrintable(QString::number(rim(boite->optConnexion[0]))));
    QVERIFY2(rim(boite->optConnexion[10]) > 90, qPrintable(QString::number(rim(boite->optConnexion[10]))));
}

void tst_Generateur::ch1GeneratorFitsAboveItsTwin()
{
    BancScope b(2);
    auto* boite = Forms().get<frmToolBox>();
    boite->choisir(1);
    boite->choisir(10);
    frmGBF* a = gbf(0);
    frmGBF* bas = gbf(1);
    // Both at their first-run places: CH1 at the top, CH2 4935 twips down.
    QCOMPARE(a->Top(), 0.0);
    QCOMPARE(bas->Top(), 4935.0);
    QVERIFY2(a->Height() <= 4935, qPrintable(QString::number(a->Height())));
    // The sockets, their rings and the plugs' heads lie inside CH1's window.
    for (const char* nom : {"imgBorne", "shpConnectionGBFA", "imgSocle"})
        for (int i = 0; i < 2; ++i) {
            const QWidget* w = control<QWidget>(a, nom, i);
            QVERIFY2(a->rect().contains(w->geometry()), qPrintable(controlName(nom, i)));
        }
}

void tst_Generateur::instrumentBoxes_data()
{
    QTest::addColumn<QString>("college");
    QTest::addColumn<QString>("boite");
    QTest::addColumn<QString>("fenetre");
    QTest::newRow("true-RMS by default") << "" << "chkMulti" << "frmMulti_RMS";
    QTest::newRow("school multimeter") << "1" << "chkMulti" << "frmVolt";
    QTest::newRow("other text is the school one") << "oui" << "chkMulti" << "frmVolt";
    QTest::newRow("stopwatch") << "" << "chkClock" << "frmChrono";
}

void tst_Generateur::instrumentBoxes()
{
    QFETCH(QString, college);
    QFETCH(QString, boite);
    QFETCH(QString, fenetre);
    BancScope b(0);
    EcrireINI("Options", "Multimetre college", college);
    auto* t = Forms().get<frmToolBox>();
    auto* box = control<QAbstractButton>(t, qPrintable(boite));
    QAction* menu = boite == "chkClock" ? b.mdi->Mnu_Chrono : b.mdi->Mnu_Volt;
    box->click();
    QVERIFY(Forms().isLoaded(fenetre));
    QVERIFY(menu->isChecked());
    box->click();
    QVERIFY(!Forms().isLoaded(fenetre));
    QVERIFY(!menu->isChecked());
    // Closing the window itself clears the box and the menu.
    box->click();
    QVERIFY(Forms().find(fenetre)->close());
    QVERIFY(!box->isChecked());
    QVERIFY(!menu->isChecked());
}

void tst_Generateur::calculator()
{
    BancScope b(0);
    // A calculator of our own that waits to be closed.
    const QString dossier = b.home.path("bin");
    const QString pid = b.home.path("calc.pid");
    QVERIFY(TestHome::writeFile(dossier + "/wavix-test-calc",
                                "#!/bin/sh\necho $$ > '" + pid.toLocal8Bit() + "'\nexec sleep 30\n"));
    QFile::setPermissions(dossier + "/wavix-test-calc", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dossier.toLocal8Bit() + ":" + path);
    const QStringList connues = CalculatricesConnues();
    CalculatricesConnues() = {"wavix-test-calc"};
    auto* t = Forms().get<frmToolBox>();

    t->chkCalc->click();
    QVERIFY(b.mdi->Mnu_Calc->isChecked());
    QVERIFY(CalculatriceEnMarche());
    t->chkCalc->click(); // unticking closes it
    QVERIFY(!b.mdi->Mnu_Calc->isChecked());
    QVERIFY(!CalculatriceEnMarche());

    // Closed by the user: the box and the menu clear.
    QFile::remove(pid);
    t->chkCalc->click();
    QVERIFY(CalculatriceEnMarche());
    QTRY_VERIFY(!TestHome::readFile(pid).trimmed().isEmpty());
    ::kill(TestHome::readFile(pid).trimmed().toInt(), SIGTERM);
    QTRY_VERIFY(!b.mdi->Mnu_Calc->isChecked());
    QVERIFY(!t->chkCalc->isChecked());

    CalculatricesConnues() = connues;
    qputenv("PATH", path);
}

void tst_Generateur::calculatorMissing()
{
    BancScope b(0);
    ScriptedDialogs dialogs;
    dialogs.answerMessage(vb::OK);
    const QStringList connues = CalculatricesConnues();
    CalculatricesConnues() = {"wavix-no-such-calculator"};
    auto* t = Forms().get<frmToolBox>();
    t->chkCalc->click();
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages()[0].text.startsWith("Aucune calculatrice"));
    QCOMPARE(dialogs.messages()[0].style & 0x70, int(vb::Critical));
    QVERIFY(!t->chkCalc->isChecked());
    QVERIFY(!b.mdi->Mnu_Calc->isChecked());
    CalculatricesConnues() = connues;
}

void tst_Generateur::generatorAtLoad()
{
    BancScope b(0);
    Forms().get<frmToolBox>()->choisir(1);
    frmGBF* g = gbf(0);
    QCOMPARE(g->windowTitle(), QStringLiteral("GBF - Voie CH1"));
    QVERIFY(g->optGamme[2]->isChecked());
    QCOMPARE(g->lblUnite->text(), QStringLiteral("kHz"));
    QVERIFY(g->optSignal[0]->isChecked());
    QCOMPARE(Banc().voies[0].FormeSignal, QStringLiteral("Sinus"));
    QVERIFY(Banc().voies[0].Frequence >= 100 && Banc().voies[0].Frequence <= 1199 && Banc().voies[0].Frequence == std::floor(Banc().voies[0].Frequence));
    QCOMPARE(double(g->Potentio[0]->Value()), Banc().voies[0].Frequence);
    QCOMPARE(g->lblFreq->text(), QString::number(Banc().voies[0].Frequence / 1000, 'f', 3));
    QVERIFY(Banc().voies[0].Amplitude >= 0 && Banc().voies[0].Amplitude < 12);
    QCOMPARE(g->Potentio[2]->Value(), 50.0f);
    QCOMPARE(g->Potentio[3]->Value(), 100.0f);
    for (QSlider* s : g->sldReglage)
        QCOMPARE(s->value(), 0);
    QVERIFY(!g->chkOn->isChecked());
    QVERIFY(!g->fichePlacee(0) && !g->fichePlacee(1));
    QVERIFY(!Banc().voies[0].SourceBranchee);
    QCOMPARE(lampesAllumees(g->shpFreq, g->shpSignal), 0);
    QVERIFY(!g->lblFreq->isVisibleTo(g));
    QCOMPARE(control<Shape>(g, "shpConnectionGBFA", 0)->FillColor(), Banc().voies[0].CouleurTrace);
}

void tst_Generateur::ranges_data()
{
    QTest::addColumn<int>("gamme");
    QTest::addColumn<QString>("legende");
    QTest::addColumn<QString>("unite");
    QTest::addColumn<double>("multiplicateur");
    QTest::newRow("100k") << 0 << "100k" << "kHz" << 100000.0;
    QTest::newRow("10k") << 1 << "10k" << "kHz" << 10000.0;
    QTest::newRow("1k") << 2 << "1k" << "kHz" << 1000.0;
    QTest::newRow("100") << 3 << "100" << "Hz" << 100.0;
    QTest::newRow("10") << 4 << "10" << "Hz" << 10.0;
    QTest::newRow("1") << 5 << "1" << "Hz" << 1.0;
}

void tst_Generateur::ranges()
{
    QFETCH(int, gamme);
    QFETCH(QString, legende);
    QFETCH(QString, unite);
    QFETCH(double, multiplicateur);
    BancScope b(0);
    for (int voie : {0, 1}) {
        frmGBF* g = b.generateur(voie, true, 50, 0, 100, 0, false);
        QCOMPARE(g->optGamme[size_t(gamme)]->text(), legende);
        QCOMPARE(g->optGamme[size_t(gamme)]->toolTip(), QStringLiteral("Choisir une gamme de fréquence"));
        // From a range of the other unit.
        g->optGamme[unite == "Hz" ? 0 : 5]->setChecked(true);
        g->optGamme[size_t(gamme)]->setChecked(true);
        QCOMPARE(g->lblUnite->text(), unite);
        QVERIFY(g->lblUnite->isVisibleTo(g));
        QCOMPARE(Banc().voies[size_t(voie)].Gamme, multiplicateur);
        QCOMPARE(g->shpFreq[size_t(gamme)]->FillColor(), kVertAllume);
    }
}

void tst_Generateur::frequencyLaw_data()
{
    QTest::addColumn<int>("gamme");
    QTest::addColumn<float>("cadran");
    QTest::addColumn<int>("fin");
    QTest::addColumn<int>("gammeEnsuite"); // -1: none
    QTest::addColumn<double>("frequence");
    QTest::addColumn<QString>("affiche");
    QTest::newRow("dial 1200 on 100k") << 0 << 1200.0f << 0 << -1 << 120000.0 << "120.0";
    QTest::newRow("dial 1 on 1") << 5 << 1.0f << 0 << -1 << 0.001 << "0.001";
    QTest::newRow("dial 537 on 1k") << 2 << 537.0f << 0 << -1 << 537.0 << "0.537";
    QTest::newRow("then the 100 range") << 2 << 537.0f << 0 << 3 << 53.7 << "053.7";
    QTest::newRow("fine slider") << 3 << 500.0f << 7 << -1 << 50.7 << "050.7";
    QTest::newRow("never below 0") << 2 << 0.0f << -10 << -1 << 0.0 << "0.000";
    QTest::newRow("full dial on 10") << 4 << 1200.0f << 0 << -1 << 12.0 << "12.00";
    QTest::newRow("full dial and fine on 10") << 4 << 1200.0f << 10 << -1 << 12.1 << "12.10";
}

void tst_Generateur::frequencyLaw()
{
    QFETCH(int, gamme);
    QFETCH(float, cadran);
    QFETCH(int, fin);
    QFETCH(int, gammeEnsuite);
    QFETCH(double, frequence);
    QFETCH(QString, affiche);
    BancScope b(0);
    for (int voie : {0, 1}) {
        Forms().get<frmToolBox>()->choisir(voie == 0 ? 1 : 10);
        frmGBF* g = gbf(voie);
        g->optGamme[size_t(gamme)]->setChecked(true);
        g->sldReglage[0]->setValue(5);
        tourner(g, 0, cadran);
        QCOMPARE(g->sldReglage[0]->value(), 0); // the dial resets the fine slider
        if (fin)
            g->sldReglage[0]->setValue(fin);
        if (gammeEnsuite >= 0)
            g->optGamme[size_t(gammeEnsuite)]->setChecked(true);
        QVERIFY(qAbs(Banc().voies[size_t(voie)].Frequence - frequence) < 1e-9);
        // The readout is the channel's own label.
        QCOMPARE(g->findChild<QLabel*>(voie == 0 ? "lblFreqA" : "lblFreqB")->text(), affiche);
    }
}

void tst_Generateur::knobRowLiesInsideItsGroup_data()
{
    QTest::addColumn<int>("voie");
    QTest::newRow("CH1") << 0;
    QTest::newRow("CH2") << 1;
}

void tst_Generateur::knobRowLiesInsideItsGroup()
{
    // The knob row (names, knobs, Min/Max, the fine sliders and their "FIN")
    // lies inside the group drawn round it, a pixel clear of its outline;
    // nothing of it lies on another, and the fine sliders keep clear of the
    // output sockets, their rings and plugs in the strip below.
    QFETCH(int, voie);
    BancScope b(0);
    Forms().get<frmToolBox>()->choisir(voie == 0 ? 1 : 10);
    frmGBF* g = gbf(voie);
    QVERIFY(g);
    const QString face = QStringLiteral(":/bench/gbf_panel.svg");
    // The outline is a line one pixel wide on the rectangle's edge.
    const QRectF groupe = groupeDessine(g, face, "groupKnobs");
    QVERIFY(!groupe.isEmpty());
    const QRectF dedans = groupe.adjusted(1.5, 1.5, -1.5, -1.5);
    QList<const QWidget*> rangee;
    for (int i = 0; i < 4; ++i)
        for (const char* nom : {"lblBouton", "Potentio", "lblFin", "sldReglage"})
            rangee << control<QWidget>(g, nom, i);
    for (int i : {1, 3})
        rangee << control<QWidget>(g, "lblMinMax", i);
    QStringList fautes;
    for (qsizetype i = 0; i < rangee.size(); ++i) {
        const QRect place = rangee[i]->geometry();
        if (!dedans.contains(QRectF(place)))
            fautes << rangee[i]->objectName() + " is not inside its group";
        for (qsizetype j = i + 1; j < rangee.size(); ++j)
            if (place.intersects(rangee[j]->geometry()))
                fautes << rangee[i]->objectName() + " lies on " + rangee[j]->objectName();
    }
    const QString anneau = voie == 0 ? "shpConnectionGBFA" : "shpConnectionGBFB";
    QList<const QWidget*> bornes{g->findChild<QWidget*>("lblCom")};
    for (int i = 0; i < 2; ++i) {
        bornes << g->findChild<QWidget*>(controlName(qPrintable(anneau), i));
        for (const char* nom : {"imgSocle", "imgBorne", "imgFiche"})
            bornes << control<QWidget>(g, nom, i);
    }
    for (const QWidget* r : rangee)
        for (const QWidget* w : bornes) {
            QVERIFY(w);
            if (r->geometry().intersects(w->geometry()))
                fautes << r->objectName() + " lies on " + w->objectName();
        }
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("\n")));
}

void tst_Generateur::amplitudeAndFineSliders()
{
    BancScope b(0);
    frmGBF* g = b.generateur(0, true, 50, 0, 100, 0, false);
    tourner(g, 1, 6000);
    QCOMPARE(Banc().voies[0].Amplitude, 6.0);
    g->sldReglage[1]->setValue(3);
    QVERIFY(qAbs(Banc().voies[0].Amplitude - 6.3) < 1e-12);
    tourner(g, 1, 12000);
    g->sldReglage[1]->setValue(10);
    QVERIFY(qAbs(Banc().voies[0].Amplitude - 13.0) < 1e-12);

    // Dragging the duty knob resets its fine slider; a double-click does not.
    g->sldReglage[2]->setValue(6);
    tourner(g, 2, 30);
    QCOMPARE(g->sldReglage[2]->value(), 0);
    g->sldReglage[3]->setValue(-4);
    Q_EMIT g->Potentio[3]->DblClick(3);
    QCOMPARE(g->Potentio[3]->Value(), 100.0f);
    QCOMPARE(g->sldReglage[3]->value(), -4);
    // A drag with another button changes nothing.
    g->Potentio[1]->setValue(3000);
    Q_EMIT g->Potentio[1]->MouseMove(1, 2, 0, 0, 0);
    QVERIFY(qAbs(Banc().voies[0].Amplitude - 13.0) < 1e-12);
}

void tst_Generateur::lampsFollowPower()
{
    BancScope b(0);
    Forms().get<frmToolBox>()->choisir(1);
    frmGBF* g = gbf(0);
    g->optGamme[4]->setChecked(true);
    g->optSignal[2]->setChecked(true);
    QCOMPARE(Banc().voies[0].FormeSignal, QStringLiteral("Triangle"));
    QCOMPARE(Banc().voies[0].Gamme, 10.0);
    QCOMPARE(lampesAllumees(g->shpFreq, g->shpSignal), 0);
    g->chkOn->setChecked(true);
    QCOMPARE(g->shpFreq[4]->FillColor(), kVertAllume);
    QCOMPARE(g->shpSignal[2]->FillColor(), kVertAllume);
    QCOMPARE(lampesAllumees(g->shpFreq, g->shpSignal), 2);
    QCOMPARE(g->chkOn->text(), QStringLiteral("Off"));
    QCOMPARE(g->imgOn->toolTip(), QStringLiteral("GBF allumé"));
    QVERIFY(g->lblFreq->isVisibleTo(g));
    g->chkOn->setChecked(false);
    QCOMPARE(lampesAllumees(g->shpFreq, g->shpSignal), 0);
    QCOMPARE(g->imgOn->toolTip(), QStringLiteral("GBF éteint"));
}

void tst_Generateur::plugsAndSwitchConnect()
{
    BancScope b(0);
    Forms().get<frmToolBox>()->choisir(1);
    frmGBF* g = gbf(0);
    g->chkOn->setChecked(true);
    control<ImageBox>(g, "imgBorne", 0)->Click();
    QVERIFY(!Banc().voies[0].SourceBranchee);
    control<ImageBox>(g, "imgBorne", 1)->Click();
    QVERIFY(Banc().voies[0].SourceBranchee);
    g->chkOn->setChecked(false);
    QVERIFY(!Banc().voies[0].SourceBranchee);
    g->chkOn->setChecked(true);
    QVERIFY(Banc().voies[0].SourceBranchee);
    control<ImageBox>(g, "imgFiche", 1)->Click(); // a click on the plug takes it out
    QVERIFY(!g->fichePlacee(1));
    QVERIFY(!Banc().voies[0].SourceBranchee);
}

void tst_Generateur::generatorDrawsAndUnpluggingFlattens_data()
{
    QTest::addColumn<QString>("debrancher"); // what is pulled out
    QTest::newRow("signal lead") << "gbf0";
    QTest::newRow("COM lead") << "gbf1";
    QTest::newRow("scope input") << "scope0";
    QTest::newRow("scope ground") << "scope2";
}

void tst_Generateur::generatorDrawsAndUnpluggingFlattens()
{
    QFETCH(QString, debrancher);
    BancScope b(0, 1);
    frmGBF* g = b.generateur(0, true, 50, 0, 100, 0, true); // square, 50 %
    g->optGamme[2]->setChecked(true);
    tourner(g, 0, 250);  // 250 Hz: 4 divisions a period at 1 ms/div
    tourner(g, 1, 3000); // 3 V at 1 V/div
    control<ImageBox>(g, "imgBorne", 0)->Click();
    control<ImageBox>(g, "imgBorne", 1)->Click();
    QVERIFY(Banc().voies[0].SourceBranchee);
    QCOMPARE(extent(b.image(), kJaune).first, 301);
    QVERIFY(at(b.image(), -400, 300, kJaune));
    QVERIFY(at(b.image(), -200, -300, kJaune));

    const int index = debrancher.right(1).toInt();
    if (debrancher.startsWith("gbf"))
        control<ImageBox>(g, "imgBorne", index)->Click();
    else
        b.scope->basculerFiche(index);
    const auto [haut, bas] = extent(b.image(), kJaune);
    QVERIFY2(qAbs(haut) <= 1 && qAbs(bas) <= 1, qPrintable(QString("%1 %2").arg(haut).arg(bas)));
}

void tst_Generateur::publishedSettings_data()
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<bool>("allume");
    QTest::addColumn<bool>("carre");
    QTest::addColumn<double>("rapport");
    QTest::addColumn<int>("rapportFin");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<int>("decalageFin");
    QTest::newRow("CH1 switched off") << 0 << false << false << 50.0 << 0 << 100.0 << 0;
    QTest::newRow("CH1 square, duty and fine") << 0 << true << true << 30.0 << 5 << 100.0 << 0;
    QTest::newRow("CH1 sine, offset at its end") << 0 << true << false << 95.0 << 0 << 200.0 << 0;
    QTest::newRow("CH2 sine, offset and fine") << 1 << true << false << 50.0 << 0 << 150.0 << -4;
    QTest::newRow("CH2 sine, offset at zero") << 1 << true << false << 50.0 << 0 << 0.0 << 0;
    QTest::newRow("CH2 square switched off") << 1 << false << true << 80.0 << -10 << 120.0 << 10;
}

void tst_Generateur::publishedSettings()
{
    QFETCH(int, voie);
    QFETCH(bool, allume);
    QFETCH(bool, carre);
    QFETCH(double, rapport);
    QFETCH(int, rapportFin);
    QFETCH(double, decalage);
    QFETCH(int, decalageFin);
    BancScope b(2);
    QVERIFY(!ReglagesGenerateur(voie));
    // Switch and waveform first, then the knobs and their fine sliders.
    frmGBF* g = b.generateur(voie, allume, 50, 0, 100, 0, carre);
    g->Potentio[2]->setValue(float(rapport));
    g->Potentio[3]->setValue(float(decalage));
    g->sldReglage[2]->setValue(rapportFin);
    g->sldReglage[3]->setValue(decalageFin);

    const std::optional<ReglagesGBF> r = ReglagesGenerateur(voie);
    QVERIFY(r);
    QCOMPARE(r->allume, allume);
    QCOMPARE(r->rapport, rapport);
    QCOMPARE(r->rapportFin, double(rapportFin));
    QCOMPARE(r->decalage, decalage);
    QCOMPARE(r->decalageMax, 200.0);
    QCOMPARE(r->decalageFin, double(decalageFin));
    QCOMPARE(r->carre, allume && carre); // the square's lamp is lit only when on
    QVERIFY(!ReglagesGenerateur(1 - voie));

    Forms().unload(voie == 0 ? QStringLiteral("frmGBFA") : QStringLiteral("frmGBFB"));
    QVERIFY(!ReglagesGenerateur(voie));
}

void tst_Generateur::toolboxPublishesItsChoice()
{
    BancScope b(2);
    auto* boite = Forms().get<frmToolBox>();
    QVERIFY(OptionConnexionChoisie(0) && OptionConnexionChoisie(11));
    boite->optConnexion[1]->click();
    boite->optConnexion[13]->click();
    for (int i = -1; i <= 18; ++i)
        QCOMPARE(OptionConnexionChoisie(i), i == 1 || i == 13);
    QVERIFY(!MultimetreOuvert());
    boite->chkMulti->click();
    QVERIFY(MultimetreOuvert());
    boite->chkMulti->click();
    QVERIFY(!MultimetreOuvert());

    Forms().unload(QString::fromLatin1(frmToolBox::kNom));
    QVERIFY(!OptionConnexionChoisie(1) && !OptionConnexionChoisie(13));
}

QTEST_MAIN(tst_Generateur)
#include "tst_generateur.moc"
