#include "BancScope.h"

#include "services/FichierINI.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"
#include "services/PanneauScope.h"
#include "scope/CourbeWavix.h"
#include "scope/Potentiometre.h"
#include "platform/RVB.h"
#include "services/Sensibilite.h"
#include "scope/frmWavix.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cmath>

namespace {

// Lit lamps as "voie:m,inv,ac1,ac2" for a compact comparison.
QString lampes(const frmWavix* s)
{
    QStringList allumees;
    for (int i = 0; i < 6; ++i)
        if (s->shpVoie[size_t(i)]->FillColor() == kVertAllume)
            allumees << QStringLiteral("V%1").arg(i);
    for (int i = 0; i < 6; ++i)
        if (s->shpACDC[size_t(i)]->FillColor() == kVertAllume)
            allumees << QStringLiteral("C%1").arg(i);
    return allumees.join(QLatin1Char(' '));
}

void cliquer(frmWavix* s, const char* bouton, int index)
{
    control<QPushButton>(s, bouton, index)->click();
}

} // namespace

class tst_Panneau : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void powerOnRestoresStoredLamps_data();
    void powerOnRestoresStoredLamps();
    void powerOffClearsLampsAndTraces();
    void powerIsAPanelPushButton();
    void modeButtonsCycleAndStore();
    void couplingButtonsCycleStoreAndSurvivePower();
    void buttonsDoNothingWhileOff();
    void plugsWireTheInputs();
    void knobSettings_data();
    void knobSettings();
    void intensityRebuildsTraceColours_data();
    void intensityRebuildsTraceColours();
    void onlyTheLeftButtonApplies();
    void doubleClickRecentres();
    void knobDragUpdatesValueBeforeEvents();
    void valueFromCodeRaisesNoEvent();
    void turningKnobsChangesTheTrace();
    void knobDragRefreshesOnceAFrame();
    void wheelStepsTheTimeBase_data();
    void wheelStepsTheTimeBase();
    void cursorReadout();
    void cursorReadoutPlace_data();
    void cursorReadoutPlace();
    void cursorReadoutLeavesWithThePointer_data();
    void cursorReadoutLeavesWithThePointer();
    void knobPositionsAreTheScales_data();
    void knobPositionsAreTheScales();
    void lampsLitOnlyWhileOn_data();
    void lampsLitOnlyWhileOn();
    void noScopeWindowReadsAsOff();
    void storedPanelRoundTrips_data();
    void storedPanelRoundTrips();
    void damagedStoredSettingGivesItsStart_data();
    void damagedStoredSettingGivesItsStart();
    void clickLightsTheLampAndRedraws_data();
    void clickLightsTheLampAndRedraws();
};

void tst_Panneau::powerOnRestoresStoredLamps_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("inverse");
    QTest::addColumn<QString>("acdc1");
    QTest::addColumn<QString>("acdc2");
    QTest::addColumn<QString>("allumees");
    QTest::newRow("first run") << "" << "" << "" << "" << "V2 C0 C3";
    QTest::newRow("stored") << "4" << "1" << "2" << "5" << "V4 V5 C2 C5";
    QTest::newRow("damaged mode") << "9" << "x" << "1" << "4" << "V2 C1 C4";
    QTest::newRow("not a number") << "DUAL" << "0" << "abc" << "" << "V2 C0 C3";
    QTest::newRow("other channel's coupling") << "1" << "0" << "4" << "1" << "V1 C0 C3";
}

void tst_Panneau::powerOnRestoresStoredLamps()
{
    QFETCH(QString, mode);
    QFETCH(QString, inverse);
    QFETCH(QString, acdc1);
    QFETCH(QString, acdc2);
    QFETCH(QString, allumees);
    BancScope b(0, 0, 3, false, false);
    EcrireINI("Interface", "Mode voie", mode);
    EcrireINI("Interface", "Mode voie -CH2", inverse);
    EcrireINI("Interface", "ACDC CH1", acdc1);
    EcrireINI("Interface", "ACDC CH2", acdc2);
    QCOMPARE(lampes(b.scope), QString());
    b.scope->chkOn->setChecked(true);
    QCOMPARE(lampes(b.scope), allumees);
    QCOMPARE(b.scope->chkOn->text(), QStringLiteral("Off"));
    QCOMPARE(b.scope->imgOn->picture(), QStringLiteral(":/scope/power_on.svg"));
    QCOMPARE(b.scope->imgOn->toolTip(), QStringLiteral("Wavixscope allumé"));
}

void tst_Panneau::powerOffClearsLampsAndTraces()
{
    BancScope b(2);
    b.source(0, "Sinus", 2, 250);
    ActualiserEcran();
    QVERIFY(extent(b.image(), kJaune).first > 0);
    b.scope->chkOn->setChecked(false);
    QCOMPARE(lampes(b.scope), QString());
    QCOMPARE(b.scope->chkOn->text(), QStringLiteral("On"));
    QCOMPARE(b.scope->imgOn->toolTip(), QStringLiteral("Wavixscope éteint"));
    QCOMPARE(b.image(), b.scope->picGrille->Image());
    // The plugs stay in: a meter's leads still read across the inputs.
    QVERIFY(Banc().voies[0].EntreeBranchee && Banc().voies[1].EntreeBranchee);
    QCOMPARE(b.scope->tmrSpot.Interval(), 0);
}

void tst_Panneau::powerIsAPanelPushButton()
{
    BancScope b(2, 0, 3, false, false);
    QAbstractButton* power = b.scope->chkOn;
    // A push button that stays in, not a desktop check box.
    QVERIFY(!qobject_cast<QCheckBox*>(power));
    QVERIFY(power->isCheckable());
    QCOMPARE(power->text(), QStringLiteral("On"));
    const QImage dehors = power->grab().toImage();
    QTest::mouseClick(power, Qt::LeftButton);
    QVERIFY(b.scope->estAllume());
    QCOMPARE(power->text(), QStringLiteral("Off"));
    QCOMPARE(lampes(b.scope), QStringLiteral("V2 C0 C3"));
    // Pressed in, it looks pressed in: its face darkens.
    power->setText(QStringLiteral("On"));
    const QImage dedans = power->grab().toImage();
    power->setText(QStringLiteral("Off"));
    QVERIFY(dedans != dehors);
    QTest::mouseClick(power, Qt::LeftButton);
    QVERIFY(!b.scope->estAllume());
    QCOMPARE(power->text(), QStringLiteral("On"));
}

void tst_Panneau::modeButtonsCycleAndStore()
{
    BancScope b(3);
    const QStringList suivants = {"V4", "V0", "V1"};
    for (const QString& attendu : suivants) {
        cliquer(b.scope, "cmdVoie", 1);
        QCOMPARE(lampes(b.scope).section(' ', 0, 0), attendu);
    }
    QCOMPARE(LireINI("Interface", "Mode voie", ""), QStringLiteral("1"));
    // Into XY by "next" restarts the XY clock, by "previous" it does not.
    b.scope->TempsXY = 7;
    cliquer(b.scope, "cmdVoie", 0); // CH2 -> CH1
    cliquer(b.scope, "cmdVoie", 0); // CH1 -> XY
    QCOMPARE(lampes(b.scope).section(' ', 0, 0), QStringLiteral("V4"));
    QCOMPARE(b.scope->TempsXY, 7.0);
    QCOMPARE(LireINI("Interface", "Mode voie", ""), QStringLiteral("4"));
    cliquer(b.scope, "cmdVoie", 0); // XY -> ADD
    cliquer(b.scope, "cmdVoie", 1); // ADD -> XY
    QCOMPARE(b.scope->TempsXY, 0.0);

    cliquer(b.scope, "cmdVoie", 2);
    QVERIFY(lampes(b.scope).contains("V5"));
    QCOMPARE(LireINI("Interface", "Mode voie -CH2", ""), QStringLiteral("1"));
    cliquer(b.scope, "cmdVoie", 2);
    QVERIFY(!lampes(b.scope).contains("V5"));
    QCOMPARE(LireINI("Interface", "Mode voie -CH2", ""), QStringLiteral("0"));
}

void tst_Panneau::couplingButtonsCycleStoreAndSurvivePower()
{
    BancScope b(0, 0, 3);
    cliquer(b.scope, "cmdACDC", 0);
    QCOMPARE(lampes(b.scope), QStringLiteral("V0 C1 C3"));
    QCOMPARE(LireINI("Interface", "ACDC CH1", ""), QStringLiteral("1"));
    cliquer(b.scope, "cmdACDC", 0);
    cliquer(b.scope, "cmdACDC", 1);
    QCOMPARE(lampes(b.scope), QStringLiteral("V0 C2 C4"));
    QCOMPARE(LireINI("Interface", "ACDC CH2", ""), QStringLiteral("4"));
    cliquer(b.scope, "cmdACDC", 0); // GND -> AC
    cliquer(b.scope, "cmdACDC", 1);
    cliquer(b.scope, "cmdACDC", 1); // DC -> GND -> AC
    QCOMPARE(LireINI("Interface", "ACDC CH1", ""), QStringLiteral("0"));
    QCOMPARE(LireINI("Interface", "ACDC CH2", ""), QStringLiteral("3"));
    cliquer(b.scope, "cmdACDC", 1);
    // Off and on again shows the couplings shown before.
    b.scope->chkOn->setChecked(false);
    b.scope->chkOn->setChecked(true);
    QCOMPARE(lampes(b.scope), QStringLiteral("V0 C0 C4"));
}

void tst_Panneau::buttonsDoNothingWhileOff()
{
    BancScope b(0, 0, 3, false, false);
    const QByteArray avant = TestHome::readFile(Session().CheminINI);
    for (int i = 0; i < 3; ++i)
        cliquer(b.scope, "cmdVoie", i);
    for (int i = 0; i < 2; ++i)
        cliquer(b.scope, "cmdACDC", i);
    QCOMPARE(lampes(b.scope), QString());
    QCOMPARE(TestHome::readFile(Session().CheminINI), avant);
}

void tst_Panneau::plugsWireTheInputs()
{
    BancScope b(0, 0, 3, false, false, false);
    auto borne = [&](int i) { control<ImageBox>(b.scope, "imgBorne", i)->Click(); };
    borne(0);
    borne(2);
    QVERIFY(b.scope->imgFiche[0]->isVisibleTo(b.scope));
    QVERIFY(Banc().voies[0].EntreeBranchee); // wired, though off
    b.scope->chkOn->setChecked(true);
    QVERIFY(Banc().voies[0].EntreeBranchee);
    QVERIFY(!Banc().voies[1].EntreeBranchee);
    borne(1);
    QVERIFY(Banc().voies[1].EntreeBranchee);
    b.scope->imgFiche[2]->Click(); // the ground plug, clicked on itself
    QVERIFY(!b.scope->imgFiche[2]->isVisibleTo(b.scope));
    QVERIFY(!Banc().voies[0].EntreeBranchee && !Banc().voies[1].EntreeBranchee);
}

void tst_Panneau::knobSettings_data()
{
    QTest::addColumn<int>("knob");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<double>("expected");
    QTest::newRow("focus at the middle") << 0 << 10.0 << "EpaisseurTrace" << 1.0;
    QTest::newRow("focus 9.5") << 0 << 9.5 << "EpaisseurTrace" << 2.0;
    QTest::newRow("focus 11.5") << 0 << 11.5 << "EpaisseurTrace" << 2.0;
    QTest::newRow("focus 12") << 0 << 12.0 << "EpaisseurTrace" << 3.0;
    QTest::newRow("focus 0") << 0 << 0.0 << "EpaisseurTrace" << 11.0;
    QTest::newRow("intensity 0") << 1 << 0.0 << "LuminositeTrace" << 0.0;
    QTest::newRow("intensity 5") << 1 << 5.0 << "LuminositeTrace" << 1 - std::exp(-5.0);
    QTest::newRow("horizontal 0") << 2 << 0.0 << "PositionHorizontale" << -900.0;
    QTest::newRow("horizontal 1800") << 2 << 1800.0 << "PositionHorizontale" << 900.0;
    QTest::newRow("CH1 position 1400") << 3 << 1400.0 << "Banc().voies[0].PositionVerticale" << 700.0;
    QTest::newRow("CH2 position 0") << 4 << 0.0 << "Banc().voies[1].PositionVerticale" << -700.0;
    QTest::newRow("time base 17") << 5 << 17.0 << "BaseTemps" << 0.000001;
    QTest::newRow("time base 0") << 5 << 0.0 << "BaseTemps" << 0.5;
    QTest::newRow("time base 8") << 5 << 8.0 << "BaseTemps" << 0.001;
    QTest::newRow("CH1 sensitivity 13") << 6 << 13.0 << "Banc().voies[0].Sensibilite" << 0.005;
    QTest::newRow("CH2 sensitivity 0") << 7 << 0.0 << "Banc().voies[1].Sensibilite" << 100.0;
}

void tst_Panneau::knobSettings()
{
    QFETCH(int, knob);
    QFETCH(double, value);
    QFETCH(QString, setting);
    QFETCH(double, expected);
    BancScope b(0);
    b.scope->setPotentioValue(knob, float(value));
    ReglerPotentiometre(1, knob);
    const QHash<QString, double> settings = {
        {"EpaisseurTrace", b.scope->epaisseurTrace()},    {"LuminositeTrace", b.scope->luminositeTrace()},
        {"PositionHorizontale", Scope().PositionHorizontale}, {"Banc().voies[0].PositionVerticale", Banc().voies[0].PositionVerticale},
        {"Banc().voies[1].PositionVerticale", Banc().voies[1].PositionVerticale}, {"BaseTemps", Panneau().secondesParDivision()},
        {"Banc().voies[0].Sensibilite", Banc().voies[0].Sensibilite},           {"Banc().voies[1].Sensibilite", Banc().voies[1].Sensibilite},
    };
    QVERIFY(std::abs(settings.value(setting) - expected) < 1e-12);
    if (knob == 0)
        QCOMPARE(b.scope->picEcran->DrawWidth, int(expected));
    if (knob == 5)
        QCOMPARE(b.scope->panneau().baseTemps, int(value));
    if (knob == 6)
        QCOMPARE(TextesSensibilites().value(b.scope->panneau().sensibilite[0]), QStringLiteral("5 mV/div"));
}

void tst_Panneau::intensityRebuildsTraceColours_data()
{
    QTest::addColumn<QString>("couleurA"); // "ColorYa", "ColorYb", "ColorScreen"; empty: default
    QTest::addColumn<QString>("couleurB");
    QTest::addColumn<QString>("ecran");
    QTest::addColumn<float>("intensite");
    QTest::addColumn<QList<int>>("traceA"); // red, green, blue
    QTest::addColumn<QList<int>>("traceB");
    QTest::newRow("default colours, full") << "" << "" << "" << 5.0f << QList<int>{254, 254, 1}
                                           << QList<int>{1, 128, 65};
    QTest::newRow("default colours, 1") << "" << "" << "" << 1.0f << QList<int>{223, 223, 57}
                                        << QList<int>{61, 143, 97};
    QTest::newRow("at 0 both take the background") << "" << "" << "" << 0.0f << QList<int>{167, 169, 154}
                                                   << QList<int>{167, 169, 154};
    QTest::newRow("red and blue on black") << "255" << "16711680" << "0" << 2.0f << QList<int>{220, 0, 0}
                                           << QList<int>{0, 0, 220};
    QTest::newRow("each channel its own colour") << "255" << "16762890" << "2621440" << 3.0f
                                                 << QList<int>{242, 0, 2} << QList<int>{10, 190, 244};
}

void tst_Panneau::intensityRebuildsTraceColours()
{
    QFETCH(QString, couleurA);
    QFETCH(QString, couleurB);
    QFETCH(QString, ecran);
    QFETCH(float, intensite);
    QFETCH(QList<int>, traceA);
    QFETCH(QList<int>, traceB);
    BancScope b(0);
    EcrireINI("Options", "ColorYa", couleurA);
    EcrireINI("Options", "ColorYb", couleurB);
    EcrireINI("Options", "ColorScreen", ecran);
    b.scope->setPotentioValue(1, intensite);
    ReglerPotentiometre(1, 1);
    auto composantes = [](int32_t couleur) {
        RVB c;
        c.setCouleur(couleur);
        return QList<int>{c.Rouge(), c.Vert(), c.Bleu()};
    };
    QCOMPARE(composantes(Banc().voies[0].CouleurTrace), traceA);
    QCOMPARE(composantes(Banc().voies[1].CouleurTrace), traceB);
}

void tst_Panneau::onlyTheLeftButtonApplies()
{
    BancScope b(0);
    const double avant = Panneau().secondesParDivision();
    b.scope->setPotentioValue(5, 2);
    for (int bouton : {0, 2, 3})
        ReglerPotentiometre(bouton, 5);
    QCOMPARE(Panneau().secondesParDivision(), avant);
}

void tst_Panneau::doubleClickRecentres()
{
    BancScope b(0);
    b.scope->setPotentioValue(2, 100);
    ReglerPotentiometre(1, 2);
    b.position(0, 250);
    b.position(1, -300);
    for (int i = 2; i <= 4; ++i)
        Q_EMIT b.scope->Potentio[size_t(i)]->DblClick(i);
    QCOMPARE(b.scope->potentioValue(2), 900.0f);
    QCOMPARE(b.scope->potentioValue(3), 700.0f);
    QCOMPARE(b.scope->potentioValue(4), 700.0f);
    QCOMPARE(Scope().PositionHorizontale, 0.0);
    QCOMPARE(Banc().voies[0].PositionVerticale, 0.0);
    QCOMPARE(Banc().voies[1].PositionVerticale, 0.0);
    // Other knobs keep their value.
    Q_EMIT b.scope->Potentio[5]->DblClick(5);
    QCOMPARE(b.scope->potentioValue(5), 8.0f);
}

void tst_Panneau::knobDragUpdatesValueBeforeEvents()
{
    Potentio_Creme knob;
    knob.setIndex(3);
    knob.resize(100, 100);
    knob.setMin(0);
    knob.setMax(300);
    knob.setValue(150); // pointer straight up
    knob.show();
    QVERIFY(QTest::qWaitForWindowExposed(&knob));
    QList<QPair<QString, float>> events;
    connect(&knob, &Potentio_Creme::MouseDown, this, [&](int i, int b, int, double, double) {
        QCOMPARE(i, 3);
        QCOMPARE(b, 1);
        events << qMakePair(QStringLiteral("down"), knob.Value());
    });
    connect(&knob, &Potentio_Creme::MouseMove, this,
            [&](int, int b, int, double, double) { events << qMakePair(QStringLiteral("move %1").arg(b), knob.Value()); });
    connect(&knob, &Potentio_Creme::MouseUp, this,
            [&](int, int, int, double, double) { events << qMakePair(QStringLiteral("up"), knob.Value()); });

    // A drag 50 px upward: a quarter of the range over 0..300.
    QTest::mousePress(&knob, Qt::LeftButton, {}, QPoint(50, 60));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 10), knob.mapToGlobal(QPointF(50, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&knob, &move);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, QPoint(50, 10));
    QCOMPARE(events.size(), 3);
    QCOMPARE(events[0], qMakePair(QStringLiteral("down"), 150.0f));
    QCOMPARE(events[1].first, QStringLiteral("move 1"));
    QVERIFY(std::abs(events[1].second - 225.0f) < 0.01f);
    QVERIFY(std::abs(events[2].second - 225.0f) < 0.01f);

    // A stepped knob lands on whole values and stops at its ends.
    knob.setStepped(true);
    knob.setMax(17);
    knob.setValue(8);
    QTest::mousePress(&knob, Qt::LeftButton, {}, QPoint(50, 90));
    for (int y = 90; y >= -110; y -= 7) {
        const QPointF p(50, y);
        QMouseEvent m(QEvent::MouseMove, p, knob.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&knob, &m);
        QCOMPARE(knob.Value(), std::round(knob.Value()));
    }
    QCOMPARE(knob.Value(), 17.0f);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, QPoint(50, -110));
}

void tst_Panneau::valueFromCodeRaisesNoEvent()
{
    Potentio_Creme knob;
    knob.setMax(10);
    int events = 0;
    connect(&knob, &Potentio_Creme::MouseMove, this, [&] { ++events; });
    connect(&knob, &Potentio_Creme::MouseDown, this, [&] { ++events; });
    connect(&knob, &Potentio_Creme::MouseUp, this, [&] { ++events; });
    knob.setValue(7);
    knob.setValue(42); // held at Max
    QCOMPARE(knob.Value(), 10.0f);
    QCOMPARE(events, 0);
}

void tst_Panneau::turningKnobsChangesTheTrace()
{
    BancScope b(0);
    b.source(0, "Cc", 2, 0);
    ActualiserEcran();
    QVERIFY(std::abs(extent(b.image(), kJaune).first - 200) <= 1);
    // The CH1 sensitivity knob one step towards the larger values: 2 V/div.
    Potentio_Creme* knob = b.scope->Potentio[6];
    knob->setValue(knob->Value() - 1);
    Q_EMIT knob->MouseMove(6, 1, 0, 0, 0);
    QCOMPARE(Banc().voies[0].Sensibilite, 2.0);
    QVERIFY(std::abs(extent(b.image(), kJaune).first - 100) <= 1);

    // A sine whose period is two divisions at 1 ms/div is four at 0.5 ms/div.
    b.source(0, "Sinus", 2, 500);
    ActualiserEcran();
    QVERIFY(at(b.image(), -450, 100, kJaune));
    knob = b.scope->Potentio[5];
    knob->setValue(9);
    Q_EMIT knob->MouseDown(5, 1, 0, 0, 0);
    QCOMPARE(Panneau().secondesParDivision(), 0.0005);
    QVERIFY(at(b.image(), -400, 100, kJaune));
    QVERIFY(!at(b.image(), -450, 100, kJaune));
}

namespace {

// A mouse event with the left button held, at p in the knob.
void envoyer(Potentio_Creme* knob, QEvent::Type type, QPointF p)
{
    QMouseEvent e(type, p, knob->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(knob, &e);
}

} // namespace

void tst_Panneau::knobDragRefreshesOnceAFrame()
{
    // The horizontal position knob dragged upward a pixel a motion: a
    // quarter of its 1800 units in 50 pixels.
    BancScope b(0);
    b.source(0, "Sinus", 2, 500);
    ActualiserEcran();
    Potentio_Creme* knob = b.scope->Potentio[2];
    const QPointF centre(knob->width() / 2.0, knob->height() / 2.0);
    envoyer(knob, QEvent::MouseButtonPress, centre);
    const int64_t depart = NombreActualisations;
    const QImage avant = b.image();

    // Fifty motions within one frame: each moves the setting, the first
    // alone redraws.
    for (int i = 1; i <= 50; ++i) {
        envoyer(knob, QEvent::MouseMove, centre - QPointF(0, i));
        QCOMPARE(Scope().PositionHorizontale, knob->Value() - 900.0);
    }
    QCOMPARE(Scope().PositionHorizontale, 450.0);
    QCOMPARE(NombreActualisations - depart, 1);
    const QImage premier = b.scope->picEcran->Image(); // the first motion's
    // Read, the picture is the knob's last position's, drawn once more.
    const QImage lu = b.image();
    QCOMPARE(NombreActualisations - depart, 2);
    QVERIFY(lu != premier && lu != avant);
    ActualiserEcran();
    QCOMPARE(lu, b.scope->picEcran->Image());

    // Motions a millisecond apart over several frames: at most one refresh
    // a tick of the frame timer, besides the first.
    int ticks = 0;
    connect(&b.scope->tmrReglage, &VbTimer::Timer, this, [&ticks] { ++ticks; });
    const int64_t suite = NombreActualisations;
    for (int i = 49; i >= 0; --i) {
        envoyer(knob, QEvent::MouseMove, centre - QPointF(0, i));
        QTest::qWait(1);
    }
    QVERIFY2(NombreActualisations - suite <= ticks + 1,
             qPrintable(QStringLiteral("%1 refreshes, %2 ticks").arg(NombreActualisations - suite).arg(ticks)));
    // The release draws what waits at once: the knob back at its start.
    envoyer(knob, QEvent::MouseButtonRelease, centre);
    QCOMPARE(Scope().PositionHorizontale, 0.0);
    const QImage fin = b.scope->picEcran->Image();
    QCOMPARE(fin, avant);
    // Nothing waits any longer: the timer stops at its next tick.
    QTRY_VERIFY(!b.scope->tmrReglage.isRunning());
    QCOMPARE(b.scope->picEcran->Image(), fin);
}

void tst_Panneau::wheelStepsTheTimeBase_data()
{
    QTest::addColumn<int>("depart");
    QTest::addColumn<int>("crans"); // wheel notches, upward positive
    QTest::addColumn<int>("attendu");

    QTest::newRow("1 ms, one up: 0.5 ms") << 8 << 1 << 9;
    QTest::newRow("1 ms, one down: 2 ms") << 8 << -1 << 7;
    QTest::newRow("1 ms, four up") << 8 << 4 << 12;
    QTest::newRow("fastest, one up: held") << 17 << 1 << 17;
    QTest::newRow("slowest, one down: held") << 0 << -1 << 0;
    QTest::newRow("slowest, twenty up: fastest") << 0 << 20 << 17;
}

void tst_Panneau::wheelStepsTheTimeBase()
{
    QFETCH(int, depart);
    QFETCH(int, crans);
    QFETCH(int, attendu);
    BancScope b(0);
    b.baseTemps(depart);
    b.source(0, "Sinus", 2, 500);
    Potentio_Creme* knob = b.scope->Potentio[5];
    knob->show();
    const QPointF p(knob->width() / 2.0, knob->height() / 2.0);
    for (int i = 0; i < std::abs(crans); ++i) {
        QWheelEvent wheel(p, knob->mapToGlobal(p), QPoint(), QPoint(0, crans > 0 ? 120 : -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(knob, &wheel);
    }
    // The panel applies the knob as it does for a drag: selection, time base,
    // and the trace redrawn at it.
    QCOMPARE(knob->Value(), float(attendu));
    QCOMPARE(b.scope->panneau().baseTemps, attendu);
    QCOMPARE(Panneau().secondesParDivision(), BaseTempsParIndex(attendu));
    // 2 V at 1 V/div and 500 Hz: the sine's first crest a quarter period
    // after the left edge.
    const double x = -500 + 100 * 0.25 / 500 / Panneau().secondesParDivision();
    if (Panneau().secondesParDivision() < 0.01 && x < 480)
        QVERIFY(at(b.image(), x, 200, kJaune));
}

void tst_Panneau::cursorReadout()
{
    BancScope b(0);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    b.scope->picEcran_MouseMove(0, 0, 123, -45);
    QCOMPARE(b.scope->lblPositionCurseur->text(), QStringLiteral(" x = 1,23 div \n  y = -0,45 div "));
    QVERIFY(b.scope->lblPositionCurseur->isVisibleTo(b.scope));
    // Near the right edge it shows left of the pointer.
    b.scope->picEcran_MouseMove(0, 0, 480, 0);
    QVERIFY(b.scope->lblPositionCurseur->x() < b.scope->picEcran->toPixel(480, 0).x());
    QLocale::setDefault(QLocale::c());
    // Off, the readout is not updated.
    b.scope->chkOn->setChecked(false);
    b.scope->picEcran_MouseMove(0, 0, 0, 0);
    QVERIFY(b.scope->lblPositionCurseur->text().contains("4,80"));
}

void tst_Panneau::cursorReadoutPlace_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("aDroite"); // right of the pointer, else left of it
    QTest::addColumn<bool>("dessous"); // below the pointer, else above it
    QTest::newRow("middle") << 123.0 << -45.0 << true << true;
    QTest::newRow("right edge") << 480.0 << 0.0 << false << true;
    QTest::newRow("bottom edge") << 0.0 << -390.0 << true << false;
    QTest::newRow("bottom right corner") << 490.0 << -398.0 << false << false;
    QTest::newRow("top left corner") << -500.0 << 400.0 << true << true;
    QTest::newRow("room enough below") << -200.0 << -250.0 << true << true;
}

void tst_Panneau::cursorReadoutPlace()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, aDroite);
    QFETCH(bool, dessous);
    BancScope b(0);
    const PictureBox* ecran = b.scope->picEcran;
    b.scope->picEcran_MouseMove(0, 0, x, y);
    const QRect etiquette = b.scope->lblPositionCurseur->geometry();
    const QPointF pointeur = ecran->toPixel(x, y);
    auto proche = [](double a, double b) { return std::abs(a - b) <= 1; };
    // 30 units right of the pointer, or its right edge at the pointer.
    if (aDroite)
        QVERIFY2(proche(etiquette.left(), ecran->toPixel(x + 30, y).x()), qPrintable(QString::number(etiquette.left())));
    else
        QVERIFY2(proche(etiquette.left() + etiquette.width(), pointeur.x()), qPrintable(QString::number(etiquette.left())));
    // Hanging 20 units below the pointer, or its bottom edge at the pointer.
    if (dessous)
        QVERIFY2(proche(etiquette.top(), ecran->toPixel(x, y - 20).y()), qPrintable(QString::number(etiquette.top())));
    else
        QVERIFY2(proche(etiquette.top() + etiquette.height(), pointeur.y()), qPrintable(QString::number(etiquette.top())));
    QVERIFY(ecran->rect().contains(etiquette));
}

void tst_Panneau::cursorReadoutLeavesWithThePointer_data()
{
    QTest::addColumn<bool>("horsEcran"); // the pointer leaves the screen, else the readout onto the screen
    QTest::addColumn<bool>("visible");
    QTest::newRow("off the screen") << true << false;
    QTest::newRow("from the readout onto the screen") << false << true;
}

void tst_Panneau::cursorReadoutLeavesWithThePointer()
{
    QFETCH(bool, horsEcran);
    QFETCH(bool, visible);
    BancScope b(0);
    PictureBox* ecran = b.scope->picEcran;
    QLabel* etiquette = b.scope->lblPositionCurseur;
    const QPointF p = ecran->toPixel(123, -45);
    QMouseEvent move(QEvent::MouseMove, p, ecran->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ecran, &move);
    QVERIFY(etiquette->isVisibleTo(b.scope));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(horsEcran ? static_cast<QWidget*>(ecran) : etiquette, &leave);
    QCOMPARE(etiquette->isVisibleTo(b.scope), visible);
    // Back on the screen, it shows again.
    QCoreApplication::sendEvent(ecran, &move);
    QVERIFY(etiquette->isVisibleTo(b.scope));
}

void tst_Panneau::knobPositionsAreTheScales_data()
{
    QTest::addColumn<bool>("temps"); // the time base, else a sensitivity
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("parDivision"); // s/div or V/div; 0 outside the list
    // 0.5 s/div down to 1 µs/div in 1-2-5 steps.
    const double temps[] = {0.5,  0.2,  0.1,  50e-3, 20e-3, 10e-3, 5e-3, 2e-3, 1e-3,
                            5e-4, 2e-4, 1e-4, 5e-5,  2e-5,  1e-5,  5e-6, 2e-6, 1e-6};
    for (int i = 0; i < 18; ++i)
        QTest::addRow("time base %d", i) << true << i << temps[i];
    QTest::newRow("time base beyond the fastest") << true << 18 << 0.0;
    QTest::newRow("time base outside the knob") << true << -1 << 0.0;
    // 100 V/div down to 5 mV/div in 1-2-5 steps.
    const double volts[] = {100, 50, 20, 10, 5, 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005};
    for (int i = 0; i < 14; ++i)
        QTest::addRow("sensitivity %d", i) << false << i << volts[i];
    QTest::newRow("sensitivity beyond the smallest") << false << 14 << 0.0;
    QTest::newRow("sensitivity outside the knob") << false << -1 << 0.0;
}

void tst_Panneau::knobPositionsAreTheScales()
{
    QFETCH(bool, temps);
    QFETCH(int, position);
    QFETCH(double, parDivision);
    PanneauScope p;
    if (temps) {
        p.baseTemps = position;
        QVERIFY(std::abs(p.secondesParDivision() - parDivision) <= 1e-12 * parDivision);
    } else {
        // Each channel reads its own knob.
        p.sensibilite = {position, 6};
        QVERIFY(std::abs(p.voltsParDivision(0) - parDivision) <= 1e-12 * parDivision);
        QCOMPARE(p.voltsParDivision(1), 1.0);
        p.sensibilite = {6, position};
        QVERIFY(std::abs(p.voltsParDivision(1) - parDivision) <= 1e-12 * parDivision);
        QCOMPARE(p.voltsParDivision(2), 0.0);
    }
}

void tst_Panneau::lampsLitOnlyWhileOn_data()
{
    QTest::addColumn<bool>("allume");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<int>("couplage1");
    QTest::addColumn<int>("couplage2");
    QTest::addColumn<QString>("allumees"); // as lampes() writes them
    QTest::newRow("on, DUAL, AC, AC") << true << 2 << false << 0 << 0 << "V2 C0 C3";
    QTest::newRow("on, XY, -CH2, GND, DC") << true << 4 << true << 2 << 1 << "V4 V5 C2 C4";
    QTest::newRow("on, CH1, DC, GND") << true << 0 << false << 1 << 2 << "V0 C1 C5";
    QTest::newRow("off, whatever the settings") << false << 4 << true << 2 << 1 << "";
}

void tst_Panneau::lampsLitOnlyWhileOn()
{
    QFETCH(bool, allume);
    QFETCH(int, mode);
    QFETCH(bool, inverse);
    QFETCH(int, couplage1);
    QFETCH(int, couplage2);
    QFETCH(QString, allumees);
    PanneauScope p;
    p.allume = allume;
    p.mode = ModeVoies(mode);
    p.inverseCH2 = inverse;
    p.couplage = {Couplage(couplage1), Couplage(couplage2)};
    QStringList lues;
    for (int i = 0; i <= 4; ++i)
        if (p.modeAllume(ModeVoies(i)))
            lues << QStringLiteral("V%1").arg(i);
    if (p.inverseAllume())
        lues << QStringLiteral("V5");
    for (int voie = 0; voie < 2; ++voie)
        for (int i = 0; i < 3; ++i)
            if (p.couplageAllume(voie, Couplage(i)))
                lues << QStringLiteral("C%1").arg(3 * voie + i);
    QCOMPARE(lues.join(QLatin1Char(' ')), allumees);
    QCOMPARE(p.modeAllume().has_value(), allume);
    // No third channel has a lamp.
    QVERIFY(!p.couplageAllume(2, Couplage::AC) && !p.couplageAllume(-1, Couplage::AC));

    // The real panel paints the same lamps from the same value.
    BancScope b(0, 1, 4, false, allume);
    p.allume = allume;
    b.scope->changerPanneau(p);
    QCOMPARE(lampes(b.scope), allumees);
}

void tst_Panneau::noScopeWindowReadsAsOff()
{
    TestHome home;
    QVERIFY(!Forms().find<frmWavix>());
    const PanneauScope& p = Panneau();
    QVERIFY(!p.allume);
    QVERIFY(!p.modeAllume());
    QVERIFY(!p.inverseAllume());
    for (int voie = 0; voie < 2; ++voie)
        for (int i = 0; i < 3; ++i)
            QVERIFY(!p.couplageAllume(voie, Couplage(i)));
    QVERIFY(!p.fft);
    QVERIFY(!p.pleinEcran);
    // The knobs' start: 1 ms/div, 2 V/div on both channels.
    QCOMPARE(p.secondesParDivision(), 0.001);
    QCOMPARE(p.voltsParDivision(0), 2.0);
    QCOMPARE(p.voltsParDivision(1), 2.0);
}

void tst_Panneau::storedPanelRoundTrips_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<int>("couplage1");
    QTest::addColumn<int>("couplage2");
    QTest::addColumn<QStringList>("fichier"); // "Mode voie", "Mode voie -CH2", "ACDC CH1", "ACDC CH2"
    QTest::newRow("CH1, AC, AC") << 0 << false << 0 << 0 << QStringList{"0", "0", "0", "3"};
    QTest::newRow("DUAL, DC, GND") << 2 << false << 1 << 2 << QStringList{"2", "0", "1", "5"};
    QTest::newRow("XY, -CH2, GND, DC") << 4 << true << 2 << 1 << QStringList{"4", "1", "2", "4"};
    QTest::newRow("ADD, -CH2, DC, AC") << 3 << true << 1 << 0 << QStringList{"3", "1", "1", "3"};
}

void tst_Panneau::storedPanelRoundTrips()
{
    QFETCH(int, mode);
    QFETCH(bool, inverse);
    QFETCH(int, couplage1);
    QFETCH(int, couplage2);
    QFETCH(QStringList, fichier);
    TestHome home;
    Session().CheminINI = home.path("ConfQVT_test.ini");
    PanneauScope p;
    p.mode = ModeVoies(mode);
    p.inverseCH2 = inverse;
    p.couplage = {Couplage(couplage1), Couplage(couplage2)};
    for (ReglagePanneau r : {ReglagePanneau::Mode, ReglagePanneau::InverseCH2, ReglagePanneau::CouplageCH1,
                             ReglagePanneau::CouplageCH2})
        EcrireReglagePanneau(p, r);
    const QStringList cles = {"Mode voie", "Mode voie -CH2", "ACDC CH1", "ACDC CH2"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(LireINI("Interface", cles[i], "?"), fichier[i]);
    // Read back onto another panel: only the stored settings change.
    PanneauScope autre;
    autre.allume = true;
    autre.baseTemps = 3;
    const PanneauScope lu = LireReglagesPanneau(autre);
    PanneauScope attendu = p;
    attendu.allume = true;
    attendu.baseTemps = 3;
    QVERIFY(lu == attendu);
}

void tst_Panneau::damagedStoredSettingGivesItsStart_data()
{
    QTest::addColumn<QString>("cle");
    QTest::addColumn<QString>("valeur");
    QTest::newRow("mode beyond XY") << "Mode voie" << "5";
    QTest::newRow("mode below CH1") << "Mode voie" << "-1";
    QTest::newRow("mode not a number") << "Mode voie" << "ADD";
    QTest::newRow("-CH2 neither 0 nor 1") << "Mode voie -CH2" << "2";
    QTest::newRow("-CH2 empty") << "Mode voie -CH2" << "";
    QTest::newRow("CH1 with CH2's numbers") << "ACDC CH1" << "4";
    QTest::newRow("CH1 not a number") << "ACDC CH1" << "GND";
    QTest::newRow("CH2 with CH1's numbers") << "ACDC CH2" << "2";
    QTest::newRow("CH2 beyond its lamps") << "ACDC CH2" << "6";
}

void tst_Panneau::damagedStoredSettingGivesItsStart()
{
    QFETCH(QString, cle);
    QFETCH(QString, valeur);
    TestHome home;
    Session().CheminINI = home.path("ConfQVT_test.ini");
    // Every other setting stored away from its start.
    EcrireINI("Interface", "Mode voie", "0");
    EcrireINI("Interface", "Mode voie -CH2", "1");
    EcrireINI("Interface", "ACDC CH1", "1");
    EcrireINI("Interface", "ACDC CH2", "5");
    EcrireINI("Interface", cle, valeur);
    const PanneauScope p = LireReglagesPanneau(PanneauScope{});
    QCOMPARE(p.mode, cle == "Mode voie" ? ModeVoies::DUAL : ModeVoies::CH1);
    QCOMPARE(p.inverseCH2, cle != "Mode voie -CH2");
    QCOMPARE(p.couplage[0], cle == "ACDC CH1" ? Couplage::AC : Couplage::DC);
    QCOMPARE(p.couplage[1], cle == "ACDC CH2" ? Couplage::AC : Couplage::GND);
}

void tst_Panneau::clickLightsTheLampAndRedraws_data()
{
    QTest::addColumn<int>("mode"); // stored mode: 0 CH1, 1 CH2
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("allumees");
    QTest::addColumn<int>("avant"); // the flat trace's height, screen units
    QTest::addColumn<int>("apres");
    // 2 V DC on each channel at 1 V/div: two divisions up.
    QTest::newRow("CH1 DC to GND") << 0 << "cmdACDC" << 0 << "V0 C2 C4" << 200 << 0;
    QTest::newRow("CH2 DC to GND") << 1 << "cmdACDC" << 1 << "V1 C1 C5" << 200 << 0;
    QTest::newRow("CH2 inverted") << 1 << "cmdVoie" << 2 << "V1 V5 C1 C4" << 200 << -200;
    QTest::newRow("CH1 to CH2") << 0 << "cmdVoie" << 1 << "V1 C1 C4" << 200 << 200;
}

void tst_Panneau::clickLightsTheLampAndRedraws()
{
    QFETCH(int, mode);
    QFETCH(QString, bouton);
    QFETCH(int, index);
    QFETCH(QString, allumees);
    QFETCH(int, avant);
    QFETCH(int, apres);
    BancScope b(mode);
    b.source(0, "Cc", 2, 0);
    b.source(1, "Cc", 2, 0);
    ActualiserEcran();
    const int couleur = mode == 0 ? kJaune : kVert;
    QVERIFY(std::abs(extent(b.image(), couleur).first - avant) <= 1);
    QTest::mouseClick(control<QPushButton>(b.scope, bouton.toLatin1().constData(), index), Qt::LeftButton);
    QCOMPARE(lampes(b.scope), allumees);
    const int apresCouleur = allumees.startsWith("V0") ? kJaune : kVert;
    QVERIFY(std::abs(extent(b.image(), apresCouleur).first - apres) <= 1);
    QCOMPARE(extent(b.image(), apresCouleur == kJaune ? kVert : kJaune).first, -10000);
}

QTEST_MAIN(tst_Panneau)
#include "tst_panneau.moc"
