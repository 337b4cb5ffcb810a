#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "services/FichierINI.h"
#include "app/MDIWavix.h"
#include "services/RequetesBanc.h"
#include "bench/Voltmetre.h"
#include "bench/frmDyn.h"
#include "bench/frmEDF.h"
#include "bench/frmGBF.h"
#include "bench/frmHarmonique.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmPile.h"
#include "bench/frmToolBox.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "scope/CourbeWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include <cmath>

namespace {

// The scope on with its plugs in, the true-RMS meter chosen and opened from
// the toolbox, its leads in V and COM on CH1, and a 9 V battery on CH1.
struct BancTRMS {
    BancScope banc;
    frmToolBox* boite = nullptr;
    frmMulti_RMS* multi = nullptr;

    // `reglages`: the settings file a previous run left, read by this one;
    // `couplage`: the scope's CH1 coupling, 0 AC or 1 DC.
    explicit BancTRMS(const QByteArray& reglages = {}, int couplage = 1) : banc(0, couplage)
    {
        if (!reglages.isEmpty())
            QVERIFY(TestHome::writeFile(Session().CheminINI, reglages));
        EcrireINI("Options", "Multimetre college", "0");
        boite = Forms().get<frmToolBox>();
        boite->chkMulti->click();
        multi = Forms().find<frmMulti_RMS>();
        multi->imgBorne_Click(frmMulti_RMS::V);
        multi->imgBorne_Click(frmMulti_RMS::COM);
        boite->choisir(5);
    }
};

// What the screen shows: blank, the over-range "1." or the reading with its
// sign and units.
QString ecran(const frmMulti_RMS* m)
{
    if (!m->lblValueError->isHidden())
        return QStringLiteral("1.");
    if (m->lblValue->isHidden())
        return QString();
    QString unites;
    for (const QLabel* u : m->lblUnite)
        if (!u->isHidden())
            unites += u->text();
    return (m->lblSigne->isHidden() ? QString() : QStringLiteral("-")) + m->lblValue->text() + QLatin1Char(' ')
        + unites;
}

// The same read from a screen value.
QString ecran(const EcranTRMS& e)
{
    if (e.horsEchelle)
        return QStringLiteral("1.");
    if (!e.chiffresVus)
        return QString();
    const char* const noms[5] = {"\u00B5", "m", "V", "A", "\u03A9"};
    QString unites;
    for (size_t i = 0; i < e.unites.size(); ++i)
        if (e.unites[i])
            unites += QString::fromUtf8(noms[i]);
    return (e.signe ? QStringLiteral("-") : QString()) + e.chiffres + QLatin1Char(' ') + unites;
}

// The meter on CH1, its leads in V and COM, with its panel as a first run
// has it (AUTO, MIN MAX off) and RANGE pressed `appuis` times in `position`.
EntreesTRMS entrees(int position, const SignalMesure& signal, int appuis = 0)
{
    EntreesTRMS e;
    e.position = position;
    for (int i = 0; i < appuis; ++i)
        e.panneau = AppuiRange(e.panneau, position);
    e.mesurable = true;
    e.signal = signal;
    return e;
}

// A DC source of `volts` on the channel, as a battery gives it.
SignalMesure pile(double volts)
{
    EtatVoie v;
    v.Amplitude = volts;
    v.FormeSignal = QStringLiteral("Cc");
    return SignalDeLaVoie(v, NiveauxHarmoniques{});
}

// A 50 Hz sine of effective value |volts|.
SignalMesure sinus(double volts)
{
    EtatVoie v;
    v.Amplitude = std::fabs(volts) * std::sqrt(2.0);
    v.Frequence = 50;
    v.FormeSignal = QStringLiteral("Sinus");
    return SignalDeLaVoie(v, NiveauxHarmoniques{});
}

// The MIN MAX and range legends lit on the screen, left to right.
QString legendes(const frmMulti_RMS* m)
{
    QStringList vues;
    for (const QLabel* l : {m->lblMinMax[0], m->lblMinMax[1], m->lblMinMax[2], m->lblAuto, m->lblManuel, m->lblGamme})
        if (!l->isHidden())
            vues << l->text().trimmed();
    return vues.join(QLatin1Char(' '));
}

// The meter's keys as the settings file holds them.
QString stockes()
{
    QStringList cles;
    for (const char* cle : {"AUTO", "Gamme", "MAX", "MIN"})
        cles << QString::fromLatin1(cle) + QLatin1Char('=') + LireINI("Multi TRMS", QString::fromLatin1(cle), "");
    return cles.join(QStringLiteral(", "));
}

// The needle's direction in degrees, counter-clockwise from 12 o'clock.
double angleAiguille(const frmMulti_RMS* m)
{
    const QPointF d = m->linSelecteur.p2() - m->linSelecteur.p1();
    const double a = std::atan2(d.x(), d.y()) * 180 / M_PI;
    return a < 0 ? a + 360 : a;
}

// A battery's voltage read in a position, after presses of RANGE from AUTO
// (in V AC, a sine of that effective value): the screen and the bar's share
// of the range (-1: not looked at).
struct LigneTension {
    const char* nom;
    int position;
    double volts;
    int appuis;
    const char* attendu;
    int barre;
    bool fenetre; // also through the window
};
const LigneTension kTensions[] = {
    {"1.5 V, V DC, AUTO", 2, 1.5, 0, "1.500 V", 25, true},
    {"1.5 V, V AC, AUTO", 1, 1.5, 0, "1.500 V", 25, false},
    {"-1.5 V, V DC", 2, -1.5, 0, "-1.500 V", 25, false},
    {"0.6 V, AUTO", 2, 0.6, 0, "0.600 V", 10, false},
    {"0.5 V, mV DC", 3, 0.5, 0, "500.0 mV", 83, true},
    {"0.7 V, mV DC", 3, 0.7, 0, "1.", 100, false},
    {"7 V, manual 6 V", 2, 7.0, 2, "1.", 100, false},
    {"9 V, manual 600 mV", 2, 9.0, 1, "1.", 100, false},
    {"9 V, manual 60 V", 2, 9.0, 3, "09.00 V", 15, true},
    {"9 V, manual 600 V", 2, 9.0, 4, "009.0 V", 2, false},
    {"9 V, manual 1000 V", 2, 9.0, 5, "0009 V", 1, false},
    {"1200 V, AUTO", 2, 1200.0, 0, "1.", 100, false},
    {"-1200 V, V AC", 1, -1200.0, 0, "1.", 100, false},
    {"ohms", 4, 9.0, 0, "1.", -1, true},
    {"diode", 5, 9.0, 0, "1.", -1, false},
    {"amperes", 6, 9.0, 0, "0.000 A", 0, true},
    {"microamperes", 7, 9.0, 0, "000.0 \u00B5A", 0, false},
};

// The rows of kTensions, or those that also go through the window.
void lignesTension(bool fenetreSeulement)
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("volts");
    QTest::addColumn<int>("appuis"); // presses of RANGE from AUTO
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<int>("barre");
    for (const LigneTension& l : kTensions)
        if (l.fenetre || !fenetreSeulement)
            QTest::newRow(l.nom) << l.position << l.volts << l.appuis << QString::fromUtf8(l.attendu) << l.barre;
}

// A source read in V AC, V DC and MIN MAX (max, then min): the mains socket,
// a reversed 9 V battery, or the generator's sine or square of peak `volts`,
// duty `rapport` % and offset `decalage` V.
struct LigneSource {
    const char* nom;
    const char* forme; // "secteur", "pile inversée", or the generator's "sinus" or "carré"
    double volts, rapport, decalage;
    const char *vAC, *vDC, *max, *min;
    bool fenetre; // also through the windows: one row per kind of source
};
const LigneSource kSourcesTRMS[] = {
    {"mains 230 V", "secteur", 0, 50, 0, "230.0 V", "000.0 mV", "325.3 V", "-325.3 V", true},
    // A battery has no AC part.
    {"reversed 9 V battery", "pile inversée", 0, 50, 0, "000.0 mV", "-09.00 V", "-09.00 V", "-09.00 V", true},
    {"sine 10 V", "sinus", 10, 50, 0, "07.07 V", "000.0 mV", "10.00 V", "-10.00 V", false},
    // The offset is DC: V AC reads the sine alone, MIN MAX the whole signal.
    {"sine 10 V, offset 2 V", "sinus", 10, 50, 2, "07.07 V", "2.000 V", "12.00 V", "-08.00 V", true},
    {"sine 10 V, offset -2 V", "sinus", 10, 50, -2, "07.07 V", "-2.000 V", "08.00 V", "-12.00 V", false},
    // A square's mean (2d - 1)·A is in its DC level, and what is left has
    // the RMS 2A·√(d(1 - d)); its levels are the offset ± A.
    {"square 5 V, 25 %", "carré", 5, 25, 0, "4.330 V", "-2.500 V", "5.000 V", "-5.000 V", false},
    {"square 5 V, 50 %", "carré", 5, 50, 0, "5.000 V", "000.0 mV", "5.000 V", "-5.000 V", false},
    {"square 5 V, 75 %", "carré", 5, 75, 0, "4.330 V", "2.500 V", "5.000 V", "-5.000 V", false},
    {"square 5 V, 25 %, offset 2 V", "carré", 5, 25, 2, "4.330 V", "-500.0 mV", "07.00 V", "-3.000 V", true},
    {"square 5 V, 50 %, offset -1.5 V", "carré", 5, 50, -1.5, "5.000 V", "-1.500 V", "3.500 V", "-06.50 V", false},
    {"square 5 V, 75 %, offset 2 V", "carré", 5, 75, 2, "4.330 V", "4.500 V", "07.00 V", "-3.000 V", false},
};

// The signal each source gives the meter on CH1: the mains socket a 50 Hz
// sine of 325.3 V peak, the battery -9 V DC, the generator its amplitude,
// waveform, offset and duty.
EtatVoie voieDe(const LigneSource& l)
{
    const QString forme = QString::fromUtf8(l.forme);
    EtatVoie v;
    if (forme == QStringLiteral("secteur")) {
        v.Amplitude = 325.3;
        v.Frequence = 50;
        v.FormeSignal = QStringLiteral("Sinus");
    } else if (forme == QStringLiteral("pile inversée")) {
        v.Amplitude = -9;
        v.FormeSignal = QStringLiteral("Cc");
    } else {
        v.Amplitude = l.volts;
        v.Frequence = 50;
        v.FormeSignal = forme == QStringLiteral("carré") ? QStringLiteral("Carre") : QStringLiteral("Sinus");
        v.Decalage = l.decalage;
        v.RapportCyclique = float(l.rapport / 100);
    }
    return v;
}

const LigneSource& ligneNommee(const QString& nom)
{
    for (const LigneSource& l : kSourcesTRMS)
        if (nom == QString::fromUtf8(l.nom))
            return l;
    qFatal("no row %s", qPrintable(nom));
}

} // namespace

class tst_MultimetreTRMS : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingsOfAVoltage_data();
    void readingsOfAVoltage();
    void readingsOnTheBench_data();
    void readingsOnTheBench();
    void harmonicGeneratorReadsZero();
    void rangeButton();
    void panelKeysWithoutWindow_data();
    void panelKeysWithoutWindow();
    void minMaxSequence();
    void rangeStateKeptAcrossClosingAndRuns();
    void buttonsDoNothingAtOff();
    void buttonsMeasureInFixedPositions_data();
    void buttonsMeasureInFixedPositions();
    void readingsOfSignals_data();
    void readingsOfSignals();
    void readingsOfSources_data();
    void readingsOfSources();
    void alternatorMinMax();
    void signFollowsTheDigits_data();
    void signFollowsTheDigits();
    void noReadingShowsZero_data();
    void noReadingShowsZero();
    void minMaxFromStoredKeys_data();
    void minMaxFromStoredKeys();
    void panelStateKeptAcrossClosingAndRuns_data();
    void panelStateKeptAcrossClosingAndRuns();
    void selectorTurnedByDragging_data();
    void selectorTurnedByDragging();
};

void tst_MultimetreTRMS::readingsOfAVoltage_data()
{
    lignesTension(false);
}

// A battery's voltage in each position and range, without the window.
void tst_MultimetreTRMS::readingsOfAVoltage()
{
    QFETCH(int, position);
    QFETCH(double, volts);
    QFETCH(int, appuis);
    QFETCH(QString, attendu);
    QFETCH(int, barre);
    const EcranTRMS vu = AffichageTRMS(entrees(position, position == 1 ? sinus(volts) : pile(volts), appuis));
    QCOMPARE(ecran(vu), attendu);
    QVERIFY(vu.allume);
    if (barre >= 0)
        QCOMPARE(vu.barre, barre);
}

void tst_MultimetreTRMS::readingsOnTheBench_data()
{
    lignesTension(true);
}

// A few of them through the window, the battery's voltage set on the channel.
void tst_MultimetreTRMS::readingsOnTheBench()
{
    QFETCH(int, position);
    QFETCH(double, volts);
    QFETCH(int, appuis);
    QFETCH(QString, attendu);
    QFETCH(int, barre);
    BancTRMS b;
    b.multi->PlacerSelecteur(position);
    for (int i = 0; i < appuis; ++i)
        b.multi->cmdBouton[1]->click();
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = volts; });
    b.multi->PlacerSelecteur(position);
    QCOMPARE(ecran(b.multi), attendu);
    if (barre >= 0)
        QCOMPARE(b.multi->pgbRANGE->value(), barre);
}

void tst_MultimetreTRMS::harmonicGeneratorReadsZero()
{
    BancTRMS b;
    b.multi->PlacerSelecteur(2);
    QCOMPARE(ecran(b.multi), QStringLiteral("09.00 V"));
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("harmo"); });
    CalculerMesure();
    QCOMPARE(ecran(b.multi), QStringLiteral("000.0 mV"));
    // MIN MAX as well, in MAX and in MIN.
    b.multi->cmdBouton[0]->click();
    QCOMPARE(ecran(b.multi), QStringLiteral("000.0 mV"));
    b.multi->cmdBouton[0]->click();
    QCOMPARE(ecran(b.multi), QStringLiteral("000.0 mV"));
}

void tst_MultimetreTRMS::rangeButton()
{
    BancTRMS b;
    b.multi->PlacerSelecteur(1);
    QStringList vus;
    for (int i = 0; i < 6; ++i) {
        b.multi->cmdBouton[1]->click();
        vus << (b.multi->lblAuto->isHidden() ? b.multi->lblGamme->text() : QStringLiteral("AUTO"));
    }
    QCOMPARE(vus, (QStringList{"600 mV", "6 V", "60 V", "600 V", "1000 V", "AUTO"}));
    QCOMPARE(LireINI("Multi TRMS", "Gamme", ""), QStringLiteral("1000 V"));
    QCOMPARE(LireINI("Multi TRMS", "AUTO", ""), QStringLiteral("1"));
    // The mV position toggles AUTO and 600 mV only and keeps the stored range.
    b.multi->PlacerSelecteur(3);
    b.multi->cmdBouton[1]->click();
    QVERIFY(b.multi->lblAuto->isHidden());
    QCOMPARE(b.multi->lblGamme->text(), QStringLiteral("600 mV"));
    b.multi->cmdBouton[1]->click();
    QVERIFY(!b.multi->lblAuto->isHidden());
    QCOMPARE(LireINI("Multi TRMS", "Gamme", ""), QStringLiteral("1000 V"));
    // The blank button does nothing, and does not look as if it would.
    QVERIFY(!b.multi->cmdBouton[2]->isEnabled());
    b.multi->cmdBouton[2]->click();
    QVERIFY(!b.multi->lblAuto->isHidden());
}

void tst_MultimetreTRMS::panelKeysWithoutWindow_data()
{
    QTest::addColumn<QString>("depart"); // "AUTO" or the manual range, then the MIN MAX state
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("touches"); // R for RANGE, M for MIN MAX
    QTest::addColumn<QString>("attendu");
    QTest::newRow("RANGE through the ranges") << "AUTO 60 V, off" << 1 << "R" << "600 mV, off";
    QTest::newRow("RANGE twice") << "AUTO 60 V, off" << 1 << "RR" << "6 V, off";
    QTest::newRow("RANGE to 1000 V") << "AUTO 60 V, off" << 2 << "RRRRR" << "1000 V, off";
    QTest::newRow("RANGE back to AUTO") << "AUTO 60 V, off" << 1 << "RRRRRR" << "AUTO 1000 V, off";
    QTest::newRow("mV: manual keeps the range") << "AUTO 6 V, off" << 3 << "R" << "6 V, off";
    QTest::newRow("mV: back to AUTO") << "6 V, off" << 3 << "R" << "AUTO 6 V, off";
    QTest::newRow("an unknown range stays") << "20 V, off" << 2 << "R" << "20 V, off";
    QTest::newRow("MIN MAX: MAX") << "AUTO 60 V, off" << 2 << "M" << "AUTO 60 V, MAX";
    QTest::newRow("MIN MAX: MIN") << "AUTO 60 V, off" << 2 << "MM" << "AUTO 60 V, MIN";
    QTest::newRow("MIN MAX: off again") << "AUTO 60 V, off" << 2 << "MMM" << "AUTO 60 V, off";
    QTest::newRow("both keys stored: MIN") << "AUTO 60 V, both" << 2 << "M" << "AUTO 60 V, MIN";
}

// The RANGE and MIN MAX keys on the panel's state, without the window.
void tst_MultimetreTRMS::panelKeysWithoutWindow()
{
    QFETCH(QString, depart);
    QFETCH(int, position);
    QFETCH(QString, touches);
    QFETCH(QString, attendu);
    const QStringList etats{"off", "MAX", "MIN", "both"};
    PanneauTRMS p;
    const QString gamme = depart.section(QStringLiteral(", "), 0, 0);
    p.autoGamme = gamme.startsWith(QStringLiteral("AUTO "));
    p.gamme = p.autoGamme ? gamme.mid(5) : gamme;
    p.minMax = EtatMinMax(etats.indexOf(depart.section(QStringLiteral(", "), 1)));
    for (QChar t : touches)
        p = t == QLatin1Char('R') ? AppuiRange(p, position) : AppuiMinMax(p);
    QCOMPARE((p.autoGamme ? QStringLiteral("AUTO ") : QString()) + p.gamme + QStringLiteral(", ")
                 + etats.value(int(p.minMax)),
             attendu);
}

void tst_MultimetreTRMS::minMaxSequence()
{
    BancTRMS b;
    dynamic_cast<frmPile*>(Forms().find("frmPileA"))->optPolarite[1]->setChecked(true);
    b.multi->PlacerSelecteur(2);
    QCOMPARE(ecran(b.multi), QStringLiteral("-09.00 V"));
    QStringList vus;
    for (int i = 0; i < 3; ++i) {
        b.multi->cmdBouton[0]->click();
        vus << QString::number(b.multi->minMax()) + QLatin1Char(' ') + ecran(b.multi);
        vus.last() += QStringLiteral(" MAX=") + LireINI("Multi TRMS", "MAX", "") + QStringLiteral(" MIN=")
            + LireINI("Multi TRMS", "MIN", "");
    }
    // A reversed battery holds its own value as its maximum and its minimum.
    QCOMPARE(vus, (QStringList{"1 -09.00 V MAX=1 MIN=0", "2 -09.00 V MAX=0 MIN=1", "0 -09.00 V MAX=0 MIN=0"}));
}

void tst_MultimetreTRMS::rangeStateKeptAcrossClosingAndRuns()
{
    EcrireINI("Multi TRMS", "MAX", "0");
    {
        BancTRMS b;
        b.multi->PlacerSelecteur(2);
        b.multi->cmdBouton[1]->click();
        b.multi->cmdBouton[1]->click(); // manual 6 V
        b.multi->cmdBouton[0]->click(); // MAX
        b.multi->PlacerSelecteur(0);
        QVERIFY(b.multi->close());
        QCOMPARE(LireINI("Multi TRMS", "AUTO", ""), QStringLiteral("0"));
        QCOMPARE(LireINI("Multi TRMS", "Gamme", ""), QStringLiteral("6 V"));
        // Reopened: OFF and blank, the state back when the selector leaves OFF.
        b.banc.mdi->Mnu_Volt->trigger();
        auto* multi = Forms().find<frmMulti_RMS>();
        QVERIFY(multi);
        QCOMPARE(PositionSelecteur(), 0);
        QCOMPARE(ecran(multi), QString());
        QVERIFY(multi->lblManuel->isHidden());
        multi->PlacerSelecteur(1);
        QVERIFY(!multi->lblManuel->isHidden());
        QCOMPARE(multi->lblGamme->text(), QStringLiteral("6 V"));
        QVERIFY(!multi->lblMinMax[1]->isHidden());
        QVERIFY(multi->close());
    }
}

void tst_MultimetreTRMS::buttonsDoNothingAtOff()
{
    BancTRMS b;
    for (int i = 0; i < 3; ++i)
        b.multi->cmdBouton[size_t(i)]->click();
    QCOMPARE(LireINI("Multi TRMS", "AUTO", "none"), QStringLiteral("none"));
    QCOMPARE(LireINI("Multi TRMS", "MAX", "none"), QStringLiteral("none"));
    QCOMPARE(ecran(b.multi), QString());
}

void tst_MultimetreTRMS::buttonsMeasureInFixedPositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("bouton");
    QTest::addColumn<QString>("fixe");
    QTest::addColumn<QString>("apres");
    // With the leads in V and COM no current flows through the shunt, and
    // the ohm and diode positions see an open circuit: in their own unit,
    // whatever the keys do.
    QTest::newRow("ohms, RANGE") << 4 << 1 << "1." << "1.";
    QTest::newRow("diode, MIN MAX") << 5 << 0 << "1." << "1.";
    QTest::newRow("amperes, RANGE") << 6 << 1 << "0.000 A" << "0.000 A";
    QTest::newRow("amperes, MIN MAX") << 6 << 0 << "0.000 A" << "0.000 A";
    QTest::newRow("microamperes, MIN MAX") << 7 << 0 << "000.0 \u00B5A" << "000.0 \u00B5A";
    QTest::newRow("microamperes, RANGE") << 7 << 1 << "000.0 \u00B5A" << "000.0 \u00B5A";
}

// In the positions with a fixed display the buttons change the panel's
// legends, never the unit of what is shown.
void tst_MultimetreTRMS::buttonsMeasureInFixedPositions()
{
    QFETCH(int, position);
    QFETCH(int, bouton);
    QFETCH(QString, fixe);
    QFETCH(QString, apres);
    BancTRMS b;
    // A reversed battery, read first in V DC with its minus sign.
    dynamic_cast<frmPile*>(Forms().find("frmPileA"))->optPolarite[1]->setChecked(true);
    b.multi->PlacerSelecteur(2);
    QCOMPARE(ecran(b.multi), QStringLiteral("-09.00 V"));
    b.multi->PlacerSelecteur(position);
    QCOMPARE(ecran(b.multi), fixe);
    b.multi->cmdBouton[size_t(bouton)]->click();
    QCOMPARE(ecran(b.multi), apres);
    // A voltage range's name would read as the unit: RANGE lights MANUEL
    // alone.
    if (bouton == 1) {
        QVERIFY(!b.multi->lblManuel->isHidden());
        QVERIFY(b.multi->lblGamme->isHidden());
    } else {
        QVERIFY(!b.multi->lblMinMax[0]->isHidden());
    }
    b.multi->PlacerSelecteur(position);
    QCOMPARE(ecran(b.multi), fixe);
}

void tst_MultimetreTRMS::readingsOfSignals_data()
{
    QTest::addColumn<QString>("nom");
    for (const LigneSource& l : kSourcesTRMS)
        QTest::newRow(l.nom) << QString::fromUtf8(l.nom);
}

// Each source's signal read in V AC, V DC and MIN MAX, without the windows.
void tst_MultimetreTRMS::readingsOfSignals()
{
    QFETCH(QString, nom);
    const LigneSource& l = ligneNommee(nom);
    const SignalMesure signal = SignalDeLaVoie(voieDe(l), NiveauxHarmoniques{});
    QCOMPARE(ecran(AffichageTRMS(entrees(1, signal))), QString::fromUtf8(l.vAC));
    EntreesTRMS e = entrees(2, signal);
    QCOMPARE(ecran(AffichageTRMS(e)), QString::fromUtf8(l.vDC));
    e.panneau = AppuiMinMax(e.panneau);
    QCOMPARE(ecran(AffichageTRMS(e)), QString::fromUtf8(l.max));
    e.panneau = AppuiMinMax(e.panneau);
    QCOMPARE(ecran(AffichageTRMS(e)), QString::fromUtf8(l.min));
}

void tst_MultimetreTRMS::readingsOfSources_data()
{
    QTest::addColumn<int>("couplage"); // of the scope's CH1: 0 AC, 1 DC
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("forme"); // "secteur", "pile inversée", or the generator's "sinus" or "carré"
    QTest::addColumn<double>("volts");
    QTest::addColumn<double>("rapport"); // the generator's duty, %
    QTest::addColumn<double>("decalage"); // its offset, V
    QTest::addColumn<QString>("vAC");
    QTest::addColumn<QString>("vDC");
    QTest::addColumn<QString>("max"); // MIN MAX
    QTest::addColumn<QString>("min");
    for (int couplage : {0, 1})
        for (const LigneSource& l : kSourcesTRMS)
            if (l.fenetre)
                QTest::addRow("%s, %s coupling", l.nom, couplage == 0 ? "AC" : "DC")
                    << couplage << QString::fromUtf8(l.nom) << QString::fromUtf8(l.forme) << l.volts << l.rapport
                    << l.decalage << l.vAC << l.vDC << l.max << l.min;
}

// Each kind of source through the bench's own windows, read in V AC, V DC
// and MIN MAX: the meter reads the signal the table above gives it, whatever
// the scope's coupling.
void tst_MultimetreTRMS::readingsOfSources()
{
    QFETCH(int, couplage);
    QFETCH(QString, nom);
    QFETCH(QString, forme);
    QFETCH(double, volts);
    QFETCH(double, rapport);
    QFETCH(double, decalage);
    QFETCH(QString, vAC);
    QFETCH(QString, vDC);
    QFETCH(QString, max);
    QFETCH(QString, min);
    BancTRMS b({}, couplage);
    if (forme == QStringLiteral("pile inversée")) {
        dynamic_cast<frmPile*>(Forms().find("frmPileA"))->optPolarite[1]->setChecked(true);
    } else if (forme == QLatin1String("secteur")) {
        b.boite->choisir(12);
        auto* e = dynamic_cast<frmEDF*>(Forms().find("frmEDFA"));
        e->imgBorne_Click(frmEDF::Neutre);
        e->imgBorne_Click(frmEDF::Phase);
    } else {
        frmGBF* g = b.banc.generateur(0, true, rapport, 0, 100 + 10 * decalage, 0, forme == QStringLiteral("carré"));
        g->basculerFiche(0);
        g->basculerFiche(1);
        g->Potentio[1]->setValue(float(volts * 1000));
        Q_EMIT g->Potentio[1]->MouseMove(1, 1, 0, 0, 0);
    }
    b.multi->PlacerSelecteur(1);
    const EtatVoie attendu = voieDe(ligneNommee(nom));
    const EtatVoie& lu = Banc().voies[0];
    QCOMPARE(lu.Amplitude, attendu.Amplitude);
    QCOMPARE(lu.FormeSignal, attendu.FormeSignal);
    QCOMPARE(lu.Decalage, attendu.Decalage);
    if (forme == QStringLiteral("sinus") || forme == QStringLiteral("carré")) // the duty is the generator's alone
        QCOMPARE(lu.RapportCyclique, attendu.RapportCyclique);
    QVERIFY(MesurePossible(0));
    QCOMPARE(ecran(b.multi), vAC);
    b.multi->PlacerSelecteur(2);
    QCOMPARE(ecran(b.multi), vDC);
    b.multi->cmdBouton[0]->click();
    QCOMPARE(ecran(b.multi), max);
    b.multi->cmdBouton[0]->click();
    QCOMPARE(ecran(b.multi), min);
}

void tst_MultimetreTRMS::alternatorMinMax()
{
    BancTRMS b;
    b.boite->choisir(14);
    auto* d = dynamic_cast<frmDyn*>(Forms().find("frmDynA"));
    d->imgBorne_Click(0);
    d->imgBorne_Click(1);
    b.multi->PlacerSelecteur(1);
    // At 1000 tr/min the wave's fundamental is 4.189 V and its crest 1.5
    // times that.
    QCOMPARE(ecran(b.multi), QStringLiteral("3.149 V"));
    b.multi->cmdBouton[0]->click();
    QCOMPARE(ecran(b.multi), QStringLiteral("06.28 V"));
    b.multi->cmdBouton[0]->click();
    QCOMPARE(ecran(b.multi), QStringLiteral("-06.28 V"));
}

void tst_MultimetreTRMS::signFollowsTheDigits_data()
{
    QTest::addColumn<int>("appuis"); // presses of RANGE from AUTO
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("rounds to zero on 60 V") << 3 << -0.004 << "00.00 V";
    QTest::newRow("smallest shown on 60 V") << 3 << -0.005 << "-00.01 V";
    QTest::newRow("rounds to zero on 1000 V") << 5 << -0.4 << "0000 V";
    QTest::newRow("negative on 1000 V") << 5 << -0.6 << "-0001 V";
    QTest::newRow("rounds to zero in AUTO") << 0 << -0.00004 << "000.0 mV";
    QTest::newRow("smallest shown in AUTO") << 0 << -0.00005 << "-000.1 mV";
    QTest::newRow("exactly zero") << 0 << 0.0 << "000.0 mV";
}

// A minus sign goes with digits that are not all zeros; without the window.
void tst_MultimetreTRMS::signFollowsTheDigits()
{
    QFETCH(int, appuis);
    QFETCH(double, valeur);
    QFETCH(QString, attendu);
    // In V DC on a 9 V battery, the value then shown in its place.
    const EntreesTRMS e = entrees(2, pile(9), appuis);
    QCOMPARE(ecran(EcranValeurTRMS(AffichageTRMS(e), e, valeur)), attendu);
}

void tst_MultimetreTRMS::noReadingShowsZero_data()
{
    QTest::addColumn<QString>("cas");
    for (const char* cas : {"V lead out", "COM lead out", "lead in mA", "no source on CH1", "CH2 without source",
                            "harmonic generator on CH2"})
        QTest::newRow(cas) << cas;
}

// Without a reading the screen shows 0 in the lowest range, never the
// reading it showed before.
void tst_MultimetreTRMS::noReadingShowsZero()
{
    QFETCH(QString, cas);
    BancTRMS b;
    b.multi->PlacerSelecteur(2);
    QCOMPARE(ecran(b.multi), QStringLiteral("09.00 V"));
    QCOMPARE(b.multi->pgbRANGE->value(), 15);
    if (cas == QLatin1String("V lead out")) {
        b.multi->imgFiche_Click(frmMulti_RMS::V);
    } else if (cas == QLatin1String("COM lead out")) {
        b.multi->imgFiche_Click(frmMulti_RMS::COM);
    } else if (cas == QLatin1String("lead in mA")) {
        b.multi->imgBorne_Click(frmMulti_RMS::MA);
    } else if (cas == QLatin1String("no source on CH1")) {
        b.boite->choisir(0);
        CalculerMesure();
    } else if (cas == QLatin1String("CH2 without source")) {
        b.multi->optVoie[1]->setChecked(true);
    } else {
        b.boite->choisir(17);
        auto* h = dynamic_cast<frmHarmonique*>(Forms().find("frmHarmoniqueB"));
        h->chkOn->setChecked(true);
        h->basculerFiche(0);
        h->basculerFiche(1);
        QVERIFY(MesurePossible(1));
        b.multi->optVoie[1]->setChecked(true);
    }
    QCOMPARE(ecran(b.multi), QStringLiteral("000.0 mV"));
    QCOMPARE(b.multi->lblGamme->text(), QStringLiteral("600 mV"));
    QCOMPARE(b.multi->pgbRANGE->value(), 0);
}

void tst_MultimetreTRMS::minMaxFromStoredKeys_data()
{
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("vu");
    QTest::addColumn<QString>("apresAppui"); // after one press of MIN MAX
    QTest::addColumn<QString>("stockesApres");
    QTest::newRow("off") << "0" << "0" << "AUTO 3.007 V" << "MIN MAX MAX AUTO 6.000 V" << "MAX=1, MIN=0";
    QTest::newRow("MAX") << "1" << "0" << "MIN MAX MAX AUTO 6.000 V" << "MIN MAX MIN AUTO -6.000 V" << "MAX=0, MIN=1";
    QTest::newRow("MIN") << "0" << "1" << "MIN MAX MIN AUTO -6.000 V" << "AUTO 3.007 V" << "MAX=0, MIN=0";
    QTest::newRow("MAX and MIN both on")
        << "1" << "1" << "MIN MAX MAX MIN AUTO 6.000 V" << "MIN MAX MIN AUTO -6.000 V" << "MAX=0, MIN=1";
    QTest::newRow("damaged values") << "oui" << "2" << "AUTO 3.007 V" << "MIN MAX MAX AUTO 6.000 V" << "MAX=1, MIN=0";
}

// The MIN MAX state as the settings file gives it, on a 4 V alternator
// (its wave crests at +6 and -6 V, 1.5 times its fundamental; 3.007 V
// effective).
void tst_MultimetreTRMS::minMaxFromStoredKeys()
{
    QFETCH(QString, max);
    QFETCH(QString, min);
    QFETCH(QString, vu);
    QFETCH(QString, apresAppui);
    QFETCH(QString, stockesApres);
    BancTRMS b(QStringLiteral("[Multi TRMS]\r\nMAX=%1\r\nMIN=%2\r\n").arg(max, min).toLatin1());
    b.boite->choisir(14);
    b.banc.source(0, "Dyn", 4, 10);
    b.multi->PlacerSelecteur(1);
    QCOMPARE(legendes(b.multi) + QLatin1Char(' ') + ecran(b.multi), vu);
    b.multi->cmdBouton[0]->click();
    QCOMPARE(legendes(b.multi) + QLatin1Char(' ') + ecran(b.multi), apresAppui);
    QCOMPARE(stockes().section(QStringLiteral(", "), 2), stockesApres);
}

void tst_MultimetreTRMS::panelStateKeptAcrossClosingAndRuns_data()
{
    QTest::addColumn<QString>("avant"); // [Multi TRMS] as an earlier run left it
    QTest::addColumn<int>("position");  // where the buttons are pressed
    QTest::addColumn<int>("range");     // presses of RANGE
    QTest::addColumn<int>("minMax");    // presses of MIN MAX
    QTest::addColumn<int>("fermeture"); // the selector's position when closed
    QTest::addColumn<QString>("cles"); // the keys stored at closing
    QTest::addColumn<QString>("vu"); // the legends in V DC
    QTest::newRow("AUTO, closed at OFF")
        << "AUTO=1\r\nGamme=600 V" << 2 << 0 << 0 << 0 << "AUTO=1, Gamme=600 V, MAX=, MIN=" << "AUTO";
    QTest::newRow("manual 6 V and MAX, closed at OFF")
        << "" << 2 << 2 << 1 << 0 << "AUTO=0, Gamme=6 V, MAX=1, MIN=0" << "MIN MAX MAX MANUEL 6 V";
    QTest::newRow("manual 1000 V and MIN, closed in V DC")
        << "" << 2 << 5 << 2 << 2 << "AUTO=0, Gamme=1000 V, MAX=0, MIN=1" << "MIN MAX MIN MANUEL 1000 V";
    QTest::newRow("AUTO again after 1000 V, MIN MAX off, closed in V AC")
        << "" << 1 << 6 << 3 << 1 << "AUTO=1, Gamme=1000 V, MAX=0, MIN=0" << "AUTO";
    QTest::newRow("manual in mV keeps the stored range, closed in mV")
        << "AUTO=1\r\nGamme=6 V" << 3 << 1 << 0 << 3 << "AUTO=0, Gamme=6 V, MAX=, MIN=" << "MANUEL 6 V";
    QTest::newRow("MAX and MIN both on, closed at OFF")
        << "MAX=1\r\nMIN=1" << 2 << 0 << 0 << 0 << "AUTO=1, Gamme=60 V, MAX=1, MIN=1" << "MIN MAX MAX MIN AUTO";
    QTest::newRow("unknown range kept, closed at OFF")
        << "AUTO=0\r\nGamme=20 V" << 2 << 1 << 0 << 0 << "AUTO=0, Gamme=20 V, MAX=, MIN=" << "MANUEL 20 V";
}

// The range and MIN MAX states set with the buttons come back when the
// meter is reopened and in the next run, which reads the settings file the
// first one left; every close stores the panel's own state.
void tst_MultimetreTRMS::panelStateKeptAcrossClosingAndRuns()
{
    QFETCH(QString, avant);
    QFETCH(int, position);
    QFETCH(int, range);
    QFETCH(int, minMax);
    QFETCH(int, fermeture);
    QFETCH(QString, cles);
    QFETCH(QString, vu);
    QByteArray fichier;
    QString lu;
    {
        BancTRMS b(avant.isEmpty() ? QByteArray() : ("[Multi TRMS]\r\n" + avant + "\r\n").toLatin1());
        b.multi->PlacerSelecteur(position);
        for (int i = 0; i < range; ++i)
            b.multi->cmdBouton[1]->click();
        for (int i = 0; i < minMax; ++i)
            b.multi->cmdBouton[0]->click();
        b.multi->PlacerSelecteur(2);
        QCOMPARE(legendes(b.multi), vu);
        lu = ecran(b.multi);
        b.multi->PlacerSelecteur(fermeture);
        QVERIFY(b.multi->close());
        QCOMPARE(stockes(), cles);

        // Reopened: at OFF and blank, the state back when the selector leaves OFF.
        b.banc.mdi->Mnu_Volt->trigger();
        auto* multi = Forms().find<frmMulti_RMS>();
        QVERIFY(multi);
        QCOMPARE(PositionSelecteur(), 0);
        QCOMPARE(legendes(multi) + ecran(multi), QString());
        multi->imgBorne_Click(frmMulti_RMS::V);
        multi->imgBorne_Click(frmMulti_RMS::COM);
        multi->PlacerSelecteur(2);
        QCOMPARE(legendes(multi), vu);
        QCOMPARE(ecran(multi), lu);
        Forms().unloadAll();
        QCOMPARE(stockes(), cles);
        fichier = TestHome::readFile(Session().CheminINI);
    }
    // The next run, everything rebuilt from that file.
    BancTRMS b(fichier);
    QCOMPARE(legendes(b.multi) + ecran(b.multi), QString());
    b.multi->PlacerSelecteur(2);
    QCOMPARE(legendes(b.multi), vu);
    QCOMPARE(ecran(b.multi), lu);
    Forms().unloadAll();
    QCOMPARE(stockes(), cles);
}

void tst_MultimetreTRMS::selectorTurnedByDragging_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("position");
    QTest::newRow("12 o'clock") << 0.0 << 4;
    QTest::newRow("10") << 10.0 << 4;
    QTest::newRow("45") << 45.0 << 3;
    QTest::newRow("60") << 60.0 << 2;
    QTest::newRow("90") << 90.0 << 1;
    QTest::newRow("135") << 135.0 << 0;
    QTest::newRow("180") << 180.0 << 0;
    QTest::newRow("225") << 225.0 << 7;
    QTest::newRow("270") << 270.0 << 7;
    QTest::newRow("300") << 300.0 << 6;
    QTest::newRow("315") << 315.0 << 6;
    QTest::newRow("330") << 330.0 << 5;
    QTest::newRow("350") << 350.0 << 4;
}

// Dragging the knob with the left button turns the needle with the mouse;
// the release chooses the position and the screen follows it.
void tst_MultimetreTRMS::selectorTurnedByDragging()
{
    QFETCH(double, angle);
    QFETCH(int, position);
    BancTRMS b;
    ImageBox* bouton = b.multi->imgSelecteur;
    const QPoint centre(bouton->width() / 2, bouton->height() / 2);
    auto vers = [&](double a) {
        const double r = a * M_PI / 180;
        return centre + QPoint(int(std::lround(-60 * std::sin(r))), int(std::lround(-60 * std::cos(r))));
    };
    QTest::mousePress(bouton, Qt::LeftButton, {}, vers(120));
    QMouseEvent glisse(QEvent::MouseMove, QPointF(vers(angle)), bouton->mapToGlobal(QPointF(vers(angle))),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bouton, &glisse);
    QVERIFY2(std::fabs(std::remainder(angleAiguille(b.multi) - angle, 360)) < 1,
             qPrintable(QString::number(angleAiguille(b.multi))));
    QCOMPARE(PositionSelecteur(), 0);
    QCOMPARE(ecran(b.multi), QString());
    QTest::mouseRelease(bouton, Qt::LeftButton, {}, vers(angle));
    QCOMPARE(PositionSelecteur(), position);
    QCOMPARE(angleAiguille(b.multi), AngleTRMS(position));
    QCOMPARE(ecran(b.multi).isEmpty(), position == 0);
    // Another button leaves it where it is.
    QTest::mouseClick(bouton, Qt::RightButton, {}, vers(angle + 90));
    QCOMPARE(PositionSelecteur(), position);
}

QTEST_MAIN(tst_MultimetreTRMS)
#include "tst_multimetre_trms.moc"
