#include "services/EtatBanc.h"
#include "BancScope.h"

#include "services/FichierINI.h"
#include "bench/frmChrono.h"
#include "bench/frmToolBox.h"
#include "platform/SystemServices.h"
#include "platform/VbTimer.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QtTest>

namespace {

// The performance counter and the sound service of a test: time moves only
// when the test says so, and every sound asked for is counted.
struct BancChrono {
    BancScope b{0};
    int64_t maintenant = 1'000'000'000'000;
    QStringList sons;
    frmChrono* c = nullptr;

    BancChrono()
    {
        setPerfCounterClock([this] { return maintenant; });
        setSoundPlayer([this](const QString& fichier) {
            sons << fichier;
            return false; // no audio device here
        });
        Forms().get<frmToolBox>()->chkClock->click();
        c = Forms().find<frmChrono>();
    }
    ~BancChrono()
    {
        setPerfCounterClock(nullptr);
        setSoundPlayer(nullptr);
    }
    // Moves the clock on and lets the running stopwatch tick.
    void attendre(double secondes)
    {
        maintenant += int64_t(std::llround(secondes * 1e9));
        if (c->tmrChrono->Enabled())
            c->tmrChrono_Timer();
    }
    bool enMarche() const { return c->tmrChrono->Enabled() && c->chkStart_Stop->isChecked(); }
    // One step of a scenario: "alarme" clicks the alarm switch, "bouton" the
    // start button, "raz" the reset button; a number waits that many seconds.
    void jouer(const QString& etape)
    {
        if (etape == "alarme")
            c->chkAlarme->click();
        else if (etape == "bouton")
            c->chkStart_Stop->click();
        else if (etape == "raz")
            c->cmdRAZ->click();
        else
            attendre(etape.toDouble());
    }
};

} // namespace

class tst_Chrono : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void display_data();
    void display();
    void atLoad();
    void startFreezeContinue();
    void pauseAndResume_data();
    void pauseAndResume();
    void reset_data();
    void reset();
    void alarm_data();
    void alarm();
    void alarmStaysRedWhenDisarmed();
    void faceOverTime_data();
    void faceOverTime();
    void lampsReadOnEveryFace_data();
    void lampsReadOnEveryFace();
    void closingClearsBoxAndMenu_data();
    void closingClearsBoxAndMenu();
};

void tst_Chrono::display_data()
{
    QTest::addColumn<double>("secondes");
    QTest::addColumn<QString>("texte");
    QTest::newRow("zero") << 0.0 << "00:00,0";
    QTest::newRow("tenths") << 12.34 << "00:12,3";
    QTest::newRow("last tenth of a minute") << 59.94 << "00:59,9";
    QTest::newRow("59.96 s is a whole minute") << 59.96 << "01:00,0";
    QTest::newRow("an hour") << 3600.0 << "60:00,0";
    QTest::newRow("just before an hour") << 3599.96 << "60:00,0";
    QTest::newRow("100 minutes take three digits") << 6000.0 << "100:00,0";
}

void tst_Chrono::display()
{
    QFETCH(double, secondes);
    QFETCH(QString, texte);
    QCOMPARE(TexteChrono(secondes), texte);
    // The same through a running stopwatch.
    BancChrono t;
    t.c->chkStart_Stop->click();
    t.attendre(secondes);
    QCOMPARE(t.c->lblTime->text(), texte);
}

void tst_Chrono::atLoad()
{
    BancChrono t;
    frmChrono* c = t.c;
    QVERIFY(c && !c->frame()->isHidden());
    QVERIFY(t.b.mdi->Mnu_Chrono->isChecked());
    QCOMPARE(c->windowTitle(), QString(17, ' ') + "Chronomètre");
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:00,0"));
    QCOMPARE(c->lblStop->text(), QStringLiteral("STOP"));
    QVERIFY(!c->lblStop->isHidden() && c->lblOnOff->isHidden() && c->lblAlarme->isHidden());
    QCOMPARE(c->sldAlarme->minimum(), 1);
    QCOMPARE(c->sldAlarme->maximum(), 10);
    QCOMPARE(c->sldAlarme->value(), 5);
    QVERIFY(!c->tmrChrono->Enabled());
    QCOMPARE(c->tmrChrono->Interval(), 100);
    QCOMPARE(c->BackColor(), frmChrono::kFaceRepos);
    QCOMPARE(c->chkStart_Stop->toolTip(), QStringLiteral("Pour démarrer le chronomètre."));
    // Round: as wide as high, centred in the column right of the scope.
    QCOMPARE(c->Width(), c->Height());
    QCOMPARE(c->Top(), 6000.0);
    QVERIFY(qAbs(c->Left() - (t.b.scope->Left() + t.b.scope->Width() + (4550 - c->Width()) / 2)) <= 15);
    QVERIFY(!c->frame()->mask().isEmpty());
}

void tst_Chrono::startFreezeContinue()
{
    BancChrono t;
    frmChrono* c = t.c;
    c->chkStart_Stop->click();
    QVERIFY(t.enMarche());
    QVERIFY(c->lblStop->isHidden() && !c->lblOnOff->isHidden());
    QCOMPARE(c->BackColor(), frmChrono::kFaceActive);
    QCOMPARE(c->chkStart_Stop->toolTip(), QStringLiteral("Pour suspendre le chronomètre."));
    t.attendre(12.3);
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:12,3"));

    c->chkStart_Stop->click(); // freeze
    QVERIFY(!c->tmrChrono->Enabled());
    QCOMPARE(c->lblStop->text(), QStringLiteral("ARRET"));
    QVERIFY(!c->lblStop->isHidden() && c->lblOnOff->isHidden());
    t.attendre(10);
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:12,3")); // the display keeps still

    c->chkStart_Stop->click(); // continue: from the time shown
    QVERIFY(t.enMarche());
    QCOMPARE(c->lblStop->text(), QStringLiteral("STOP"));
    QVERIFY(c->lblStop->isHidden() && !c->lblOnOff->isHidden());
    QCOMPARE(c->chkStart_Stop->toolTip(), QStringLiteral("Pour suspendre le chronomètre."));
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:12,3"));
    t.attendre(0.1);
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:12,4"));
}

void tst_Chrono::pauseAndResume_data()
{
    QTest::addColumn<QList<double>>("marches"); // s counted, each run ending on a tick
    QTest::addColumn<QList<double>>("pauses");  // s frozen between two runs
    QTest::addColumn<double>("retard");         // s from the last tick to each freeze
    QTest::addColumn<QString>("texte");         // shown at the end
    // The freeze keeps the time shown, not the time of the click.
    QTest::newRow("frozen between two ticks")
        << QList<double>{12.3, 0.1} << QList<double>{10} << 0.08 << "00:12,4";
    QTest::newRow("three runs") << QList<double>{3.0, 2.0, 1.5} << QList<double>{5, 60} << 0.0 << "00:06,5";
    QTest::newRow("across a minute") << QList<double>{59.9, 0.2} << QList<double>{100} << 0.0 << "01:00,1";
    QTest::newRow("frozen an hour") << QList<double>{1.0, 1.0} << QList<double>{3600} << 0.05 << "00:02,0";
}

// Each freeze is a pause: the time frozen is not counted.
void tst_Chrono::pauseAndResume()
{
    QFETCH(QList<double>, marches);
    QFETCH(QList<double>, pauses);
    QFETCH(double, retard);
    QFETCH(QString, texte);
    BancChrono t;
    frmChrono* c = t.c;
    c->chkStart_Stop->click();
    for (qsizetype i = 0; i < marches.size(); ++i) {
        t.attendre(marches[i]);
        if (i == pauses.size())
            break;
        const QString affiche = c->lblTime->text();
        t.maintenant += std::llround(retard * 1e9); // no tick meanwhile
        c->chkStart_Stop->click();
        QVERIFY(!c->tmrChrono->Enabled());
        t.attendre(pauses[i]);
        c->chkStart_Stop->click();
        QVERIFY(t.enMarche());
        QCOMPARE(c->lblTime->text(), affiche);
    }
    QCOMPARE(c->lblTime->text(), texte);
}

void tst_Chrono::reset_data()
{
    QTest::addColumn<bool>("fige");
    QTest::newRow("while running") << false;
    QTest::newRow("while frozen") << true;
}

void tst_Chrono::reset()
{
    QFETCH(bool, fige);
    BancChrono t;
    frmChrono* c = t.c;
    c->chkStart_Stop->click();
    t.attendre(7.5);
    if (fige)
        c->chkStart_Stop->click();
    c->cmdRAZ->click();
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:00,0"));
    QVERIFY(!c->tmrChrono->Enabled());
    QVERIFY(!c->chkStart_Stop->isChecked());
    QCOMPARE(c->lblStop->text(), QStringLiteral("STOP"));
    QVERIFY(!c->lblStop->isHidden() && c->lblOnOff->isHidden());
    // A new start counts from zero.
    t.attendre(30);
    c->chkStart_Stop->click();
    t.attendre(1.2);
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:01,2"));
}

void tst_Chrono::alarm_data()
{
    QTest::addColumn<int>("intervalle");
    QTest::addColumn<int>("phase"); // ms past each tenth at which the ticks fall
    QTest::addColumn<int>("debut"); // s
    QTest::addColumn<int>("fin");   // s
    QTest::addColumn<QList<int>>("alarmes"); // the seconds that beep
    const QList<int> toutes5{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 65, 70};
    // Never in the first second of a minute: none at 0 s and at 60 s.
    for (int phase : {50, 0, 1, 99})
        QTest::addRow("every 5 s, ticks %d ms past the tenths", phase) << 5 << phase << 0 << 71 << toutes5;
    QTest::newRow("every 7 s") << 7 << 50 << 0 << 71 << QList<int>{7, 14, 21, 28, 35, 42, 49, 56, 63, 70};
    QTest::newRow("every 7 s, ticks on the tenths") << 7 << 0 << 0 << 71
                                                    << QList<int>{7, 14, 21, 28, 35, 42, 49, 56, 63, 70};
    QTest::newRow("every 10 s, ticks on the tenths") << 10 << 0 << 0 << 71 << QList<int>{10, 20, 30, 40, 50, 70};
    QTest::newRow("every 7 s round 7:00") << 7 << 50 << 419 << 422 << QList<int>{};
    QTest::newRow("every 7 s round 7:00, ticks on the tenths") << 7 << 0 << 419 << 422 << QList<int>{};
}

// Ticks every 100 ms: the 0.2 s after each alarm instant holds two of them,
// whatever their phase, so each alarm beeps twice and flashes red.
void tst_Chrono::alarm()
{
    QFETCH(int, intervalle);
    QFETCH(int, phase);
    QFETCH(int, debut);
    QFETCH(int, fin);
    QFETCH(QList<int>, alarmes);
    BancChrono t;
    frmChrono* c = t.c;
    c->sldAlarme->setValue(intervalle);
    c->chkAlarme->click();
    QVERIFY(!c->lblAlarme->isHidden());
    c->chkStart_Stop->click();
    const int64_t depart = t.maintenant;
    QList<int> entendues;
    for (int64_t ms = int64_t(debut) * 1000 + phase; ms < int64_t(fin) * 1000; ms += 100) {
        t.maintenant = depart + ms * 1'000'000;
        const qsizetype avant = t.sons.size();
        c->tmrChrono_Timer();
        if (t.sons.size() > avant) {
            QCOMPARE(c->BackColor(), frmChrono::kFaceAlarme);
            entendues << int(ms / 1000);
        } else {
            QCOMPARE(c->BackColor(), frmChrono::kFaceActive);
        }
    }
    QList<int> deuxFois;
    for (int seconde : alarmes)
        deuxFois << seconde << seconde;
    QCOMPARE(entendues, deuxFois);
    for (const QString& son : std::as_const(t.sons))
        QVERIFY(son.endsWith("/Bip.wav"));

    // Disarmed, it stays silent.
    c->chkAlarme->click();
    QVERIFY(c->lblAlarme->isHidden());
    const qsizetype avant = t.sons.size();
    for (int i = 0; i < 100; ++i)
        t.attendre(0.1);
    QCOMPARE(t.sons.size(), avant);
}

void tst_Chrono::alarmStaysRedWhenDisarmed()
{
    BancChrono t;
    frmChrono* c = t.c;
    c->chkAlarme->click();
    c->chkStart_Stop->click();
    t.attendre(5.05);
    QCOMPARE(c->BackColor(), frmChrono::kFaceAlarme);
    c->chkAlarme->click();
    t.attendre(1);
    QCOMPARE(c->BackColor(), frmChrono::kFaceAlarme);
    c->cmdRAZ->click();
    QCOMPARE(c->BackColor(), frmChrono::kFaceActive);
}

void tst_Chrono::faceOverTime_data()
{
    // Each step as the fixture plays it, then the face it leaves: "gris" at
    // rest, "marche" the running colour, "rouge" the alarm's.
    QTest::addColumn<QStringList>("etapes");
    QTest::newRow("armed at rest") << QStringList{"alarme gris", "5.05 gris", "bouton marche"};
    QTest::newRow("red for the 0.2 s after an alarm instant")
        << QStringList{"alarme gris", "bouton marche", "4.95 marche", "0.1 rouge", "0.1 rouge", "0.1 marche"};
    QTest::newRow("frozen on an alarm tick")
        << QStringList{"alarme gris", "bouton marche", "5.05 rouge", "bouton marche", "10 marche", "bouton marche"};
    // Continued, it goes on from 5.05 s: the next tick is still in the alarm.
    QTest::newRow("continued after a freeze on an alarm tick")
        << QStringList{"alarme gris", "bouton marche", "5.05 rouge", "bouton marche", "3 marche", "bouton marche",
                       "0.1 rouge", "0.1 marche"};
    QTest::newRow("frozen on an alarm tick, then reset")
        << QStringList{"alarme gris", "bouton marche", "5.05 rouge", "bouton marche", "raz marche"};
    QTest::newRow("disarmed on an alarm tick, then frozen")
        << QStringList{"alarme gris", "bouton marche", "5.05 rouge", "alarme rouge", "1 rouge", "bouton marche"};
    QTest::newRow("disarmed, no alarm tick") << QStringList{"bouton marche", "5.05 marche", "5 marche"};
}

void tst_Chrono::faceOverTime()
{
    QFETCH(QStringList, etapes);
    const QMap<QString, int64_t> faces{
        {"gris", frmChrono::kFaceRepos}, {"marche", frmChrono::kFaceActive}, {"rouge", frmChrono::kFaceAlarme}};
    BancChrono t;
    for (const QString& ligne : std::as_const(etapes)) {
        const QStringList mots = ligne.split(' ');
        t.jouer(mots[0]);
        QVERIFY2(t.c->BackColor() == faces.value(mots[1]), qPrintable(ligne));
    }
}

namespace {

// The relative luminance of a colour and the contrast ratio of two colours,
// as the web's legibility guidelines (WCAG 2) define them.
double luminance(QRgb c)
{
    auto lineaire = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineaire(qRed(c)) + 0.7152 * lineaire(qGreen(c)) + 0.0722 * lineaire(qBlue(c));
}

double contrastRatio(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a legend in a zone of a picture: its background is the
// zone's most common colour, its text the colour farthest from it (the
// antialiased edges of the strokes are mixtures of the two, nearer to it).
double legendContrast(const QImage& image, const QRect& zone)
{
    QHash<QRgb, int> nombre;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            ++nombre[image.pixel(x, y) | 0xFF000000];
    QRgb fond = 0;
    for (auto it = nombre.cbegin(); it != nombre.cend(); ++it)
        if (it.value() > nombre.value(fond))
            fond = it.key();
    auto ecart = [fond](QRgb c) {
        const int r = qRed(c) - qRed(fond), v = qGreen(c) - qGreen(fond), b = qBlue(c) - qBlue(fond);
        return r * r + v * v + b * b;
    };
    QRgb texte = fond;
    for (auto it = nombre.cbegin(); it != nombre.cend(); ++it)
        if (ecart(it.key()) > ecart(texte))
            texte = it.key();
    return contrastRatio(fond, texte);
}

} // namespace

void tst_Chrono::lampsReadOnEveryFace_data()
{
    QTest::addColumn<QString>("voyant");
    QTest::addColumn<QStringList>("etapes"); // played after arming the alarm
    QTest::addColumn<int64_t>("face");
    const QStringList repos, marche{"bouton", "1.3"}, alarme{"bouton", "5.05"}, fige{"bouton", "1.3", "bouton"},
        raz{"bouton", "1.3", "raz"};
    QTest::newRow("STOP at rest") << "STOP" << repos << frmChrono::kFaceRepos;
    QTest::newRow("ALARME at rest") << "ALARME" << repos << frmChrono::kFaceRepos;
    QTest::newRow("MARCHE running") << "MARCHE" << marche << frmChrono::kFaceActive;
    QTest::newRow("ALARME running") << "ALARME" << marche << frmChrono::kFaceActive;
    QTest::newRow("MARCHE on an alarm tick") << "MARCHE" << alarme << frmChrono::kFaceAlarme;
    QTest::newRow("ALARME on an alarm tick") << "ALARME" << alarme << frmChrono::kFaceAlarme;
    QTest::newRow("ARRET frozen") << "ARRET" << fige << frmChrono::kFaceActive;
    QTest::newRow("STOP after a reset") << "STOP" << raz << frmChrono::kFaceActive;
}

// Every lamp that shows reads on the face it shows on, with the contrast
// that legibility guidelines ask of small text: 4.5 to 1.
void tst_Chrono::lampsReadOnEveryFace()
{
    QFETCH(QString, voyant);
    QFETCH(QStringList, etapes);
    QFETCH(int64_t, face);
    BancChrono t;
    frmChrono* c = t.c;
    t.jouer("alarme");
    for (const QString& etape : std::as_const(etapes))
        t.jouer(etape);
    QCOMPARE(c->BackColor(), face);
    QLabel* lampe = nullptr;
    for (QLabel* l : {c->lblStop, c->lblOnOff, c->lblAlarme})
        if (!l->isHidden() && l->text() == voyant)
            lampe = l;
    QVERIFY(lampe);

    const QPixmap vue = c->grab();
    const double echelle = vue.devicePixelRatio();
    const QRect zone(lampe->mapTo(c, QPoint(0, 0)) * echelle, lampe->size() * echelle);
    // Inside its edge, where only the legend and what lies behind it show.
    const int bord = qRound(3 * echelle);
    const double rapport = legendContrast(vue.toImage(), zone.adjusted(bord, bord, -bord, -bord));
    QVERIFY2(rapport >= 4.5, qPrintable(QString::number(rapport, 'f', 2)));
}

void tst_Chrono::closingClearsBoxAndMenu_data()
{
    QTest::addColumn<QString>("par");
    QTest::newRow("its own button") << "button";
    QTest::newRow("the close box") << "close box";
    QTest::newRow("the menu") << "menu";
    QTest::newRow("the toolbox") << "toolbox";
}

void tst_Chrono::closingClearsBoxAndMenu()
{
    QFETCH(QString, par);
    BancChrono t;
    frmToolBox* boite = Forms().get<frmToolBox>();
    t.c->chkStart_Stop->click();
    t.c->Move(9000, 4500);
    if (par == "button")
        t.c->cmdEnd->click();
    else if (par == "close box")
        QVERIFY(t.c->close());
    else if (par == "menu")
        t.b.mdi->Mnu_Chrono->trigger();
    else
        boite->chkClock->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!Forms().isLoaded("frmChrono"));
    QVERIFY(!boite->chkClock->isChecked());
    QVERIFY(!t.b.mdi->Mnu_Chrono->isChecked());
    QCOMPARE(LireINI("Interface", "PosX Chrono", ""), QStringLiteral("9000"));
    QCOMPARE(LireINI("Interface", "PosY Chrono", ""), QStringLiteral("4500"));

    // It opens again where it was left, stopped.
    boite->chkClock->click();
    auto* c = Forms().find<frmChrono>();
    QVERIFY(c && t.b.mdi->Mnu_Chrono->isChecked());
    QCOMPARE(c->Left(), 9000.0);
    QCOMPARE(c->lblTime->text(), QStringLiteral("00:00,0"));
}

QTEST_MAIN(tst_Chrono)
#include "tst_chrono.moc"
