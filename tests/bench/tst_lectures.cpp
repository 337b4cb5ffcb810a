// Each source of the bench, read by both multimeters through their windows
// as a physics teacher would check them: V~ the effective value of the AC
// part alone, V DC the mean (a DC component), MIN MAX the extremes of the
// whole signal. Every expected value is worked from the physics of the
// waveform, on CH1 and on CH2.

#include "BancScope.h"

#include "bench/Voltmetre.h"
#include "bench/frmAlim.h"
#include "bench/frmDyn.h"
#include "bench/frmEDF.h"
#include "bench/frmGBF.h"
#include "bench/frmHarmonique.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmPile.h"
#include "bench/frmToolBox.h"
#include "bench/frmVolt.h"
#include "platform/Potentio_Creme.h"
#include "services/FichierINI.h"
#include "services/ModeleBanc.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

#include <cmath>

namespace {

const double kRacine2 = std::sqrt(2.0);

// A source, the values worked for it: V~ and V DC, and MIN and MAX.
struct Ligne {
    const char* nom;
    double alternatif;
    double continu;
    double min;
    double max;
};

// The alternator at its starting 1000 tr/min: a fundamental of
// A = 2π·1000/60/25 V with 0.3 A at 3f and 0.2 A at 5f (effective value
// A·√((1 + 0.3² + 0.2²)/2)), cresting at 1.5 A.
const double kDyn = 2 * M_PI * 1000 / 60 / 25;

const Ligne kLignes[] = {
    {"pile 9 V", 0, 9, 9, 9},
    {"pile 4,5 V inversée", 0, -4.5, -4.5, -4.5},
    {"alimentation 7,5 V", 0, 7.5, 7.5, 7.5},
    // A sine: A/√2 whatever its offset, its mean the offset.
    {"GBF sinus 10 V, +2 V", 10 / kRacine2, 2, -8, 12},
    // A square of duty d between offset ± A: mean offset + (2d − 1)·A, AC
    // part 2A·√(d(1 − d)).
    {"GBF carré 5 V, 25 %, +1 V", 2 * 5 * std::sqrt(0.25 * 0.75), 1 - 2.5, -4, 6},
    {"GBF carré 5 V, 50 %, +1 V", 5, 1, -4, 6},
    {"GBF carré 5 V, 75 %, +1 V", 2 * 5 * std::sqrt(0.75 * 0.25), 1 + 2.5, -4, 6},
    // A triangle: A/√3, its mean the offset.
    {"GBF triangle 5 V, -2 V", 5 / std::sqrt(3.0), -2, -7, 3},
    // The harmonic generator's presets at A = 5.857 V: √(Σ aₙ²/2) of the
    // harmonics it sets, the constant term "Valeur moyenne du signal", and
    // the extremes of the sum (the square's and the sawtooth's with their
    // Gibbs overshoot).
    {"harmoniques sinus", 4.142, 0, -5.857, 5.857},
    {"harmoniques carré", 4.553, 0, -5.430, 5.430},
    {"harmoniques triangle", 4.172, 0, -7.069, 7.069},
    {"harmoniques dent de scie", 5.232, 0, -10.405, 10.405},
    {"harmoniques redressée", 1.415, 3, 0.206, 4.658},
    {"alternateur 1000 tr/min", kDyn * std::sqrt((1 + 0.09 + 0.04) / 2), 0, -1.5 * kDyn, 1.5 * kDyn},
    // 230 V effective, 325.3 V peak.
    {"secteur", 325.3 / kRacine2, 0, -325.3, 325.3},
};

const Ligne& ligneNommee(const QString& nom)
{
    for (const Ligne& l : kLignes)
        if (nom == QString::fromUtf8(l.nom))
            return l;
    qFatal("no row %s", qPrintable(nom));
}

// The toolbox's option of a source on a channel.
int option(int voie, int ch1, int ch2)
{
    return voie == 0 ? ch1 : ch2;
}

// Connects the source a row names to the channel, through its window.
void brancher(BancScope& banc, int voie, const QString& nom)
{
    frmToolBox* boite = Forms().get<frmToolBox>();
    const QString suffixe = voie == 0 ? QStringLiteral("A") : QStringLiteral("B");
    if (nom == QStringLiteral("pile 9 V")) {
        boite->choisir(option(voie, 5, 6));
    } else if (nom == QStringLiteral("pile 4,5 V inversée")) {
        boite->choisir(option(voie, 4, 7));
        dynamic_cast<frmPile*>(Forms().find("frmPile" + suffixe))->optPolarite[1]->setChecked(true);
    } else if (nom == QStringLiteral("alimentation 7,5 V")) {
        // Its knob starts at 30 V times the random unit: 7.5 V.
        setRandomSource([] { return 0.25; });
        boite->choisir(option(voie, 2, 9));
        setRandomSource(nullptr);
        auto* a = dynamic_cast<frmAlim*>(Forms().find("frmAlim" + suffixe));
        a->chkOnOff->setChecked(true);
        a->imgBorne_Click(frmAlim::COM);
        a->imgBorne_Click(frmAlim::POS);
        QCOMPARE(Banc().voies[size_t(voie)].Amplitude, 7.5);
    } else if (nom.startsWith(QStringLiteral("GBF"))) {
        const int forme = nom.contains(QStringLiteral("sinus")) ? 0 : nom.contains(QStringLiteral("carré")) ? 1 : 2;
        const double rapport = nom.contains(QStringLiteral("25 %")) ? 25 : nom.contains(QStringLiteral("75 %")) ? 75 : 50;
        const double volts = forme == 0 ? 10 : 5;
        const double decalage = forme == 0 ? 2 : forme == 1 ? 1 : -2;
        // The offset knob's middle (100 of 200) is 0 V, 10 units a volt.
        frmGBF* g = banc.generateur(voie, true, rapport, 0, 100 + 10 * decalage, 0, forme == 1);
        g->optSignal[size_t(forme)]->setChecked(true);
        g->basculerFiche(0);
        g->basculerFiche(1);
        g->Potentio[1]->setValue(float(volts * 1000));
        Q_EMIT g->Potentio[1]->MouseMove(1, 1, 0, 0, 0);
        Modele().finirReglage();
        QCOMPARE(Banc().voies[size_t(voie)].Decalage, decalage);
    } else if (nom.startsWith(QStringLiteral("harmoniques"))) {
        // It starts at 12 V times the random unit: 5.857 V (and 636 Hz).
        setRandomSource([] { return 0.4881; });
        boite->choisir(option(voie, 16, 17));
        setRandomSource(nullptr);
        auto* h = dynamic_cast<frmHarmonique*>(Forms().find("frmHarmonique" + suffixe));
        QCOMPARE(h->amplitude(), 5.857);
        h->chkOn->setChecked(true);
        h->basculerFiche(0);
        h->basculerFiche(1);
        const QStringList presets{"sinus", "carré", "triangle", "dent de scie", "redressée"};
        h->optSignal[size_t(presets.indexOf(nom.section(QLatin1Char(' '), 1)))]->click();
    } else if (nom.startsWith(QStringLiteral("alternateur"))) {
        boite->choisir(option(voie, 14, 15));
        auto* d = dynamic_cast<frmDyn*>(Forms().find("frmDyn" + suffixe));
        d->imgBorne_Click(0);
        d->imgBorne_Click(1);
    } else if (nom == QStringLiteral("secteur")) {
        boite->choisir(option(voie, 12, 13));
        auto* e = dynamic_cast<frmEDF*>(Forms().find("frmEDF" + suffixe));
        e->imgBorne_Click(frmEDF::Neutre);
        e->imgBorne_Click(frmEDF::Phase);
    }
}

// A display's digits with their sign, as a number in volts; the step of its
// last digit in `pas`.
double lire(const QString& chiffres, bool negatif, bool milli, double& pas)
{
    const int point = int(chiffres.indexOf(QLatin1Char('.')));
    const int decimales = point < 0 ? 0 : int(chiffres.size()) - point - 1;
    const double echelle = milli ? 1e-3 : 1;
    pas = std::pow(10.0, -decimales) * echelle;
    return (negatif ? -1 : 1) * chiffres.toDouble() * echelle;
}

// The reading is the value worked from physics within half the display's
// last digit, and the half millivolt to which the harmonic generator's
// values are worked.
#define LECTURE_PROCHE(lu, pas, attendu, quoi)                                                                  \
    QVERIFY2(std::fabs((lu) - (attendu)) <= (pas) / 2 + 5e-4 + 1e-9,                                          \
             qPrintable(QStringLiteral("%1: %2 for %3").arg(quoi).arg(lu, 0, 'g', 10).arg(attendu, 0, 'g', 10)))

// The school meter's display.
double lireCollege(const frmVolt* volt, double& pas)
{
    if (!volt->lblValueError->isHidden())
        return pas = 0, std::nan("");
    return lire(volt->lblValue->text(), !volt->lblSigne->isHidden(), false, pas);
}

// The true-RMS meter's screen, "m" lit for millivolts.
double lireTRMS(const frmMulti_RMS* m, double& pas)
{
    if (!m->lblValueError->isHidden())
        return pas = 0, std::nan("");
    return lire(m->lblValue->text(), !m->lblSigne->isHidden(), !m->lblUnite[1]->isHidden(), pas);
}

// The school meter's range for a value: the smallest whose full scale holds
// it, on the AC ranges (2, 20, 200, 500 V) or the DC ones (2, 20, 200,
// 1000 V).
int calibreCollege(double valeur, bool alternatif)
{
    const double a = std::fabs(valeur) * 1.001;
    if (alternatif)
        return a < 2 ? 11 : a < 20 ? 12 : a < 200 ? 13 : 14;
    return a < 2 ? 3 : a < 20 ? 2 : a < 200 ? 1 : 0;
}

} // namespace

class tst_Lectures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { setRandomSource([] { return 0.5; }); }
    void cleanup() { setRandomSource(nullptr); }
    void readings_data();
    void schoolMeter();
    void schoolMeter_data() { readings_data(); }
    void trueRmsMeter();
    void trueRmsMeter_data() { readings_data(); }
    void harmonicExtremesWorkedOutOncePerChange();
};

void tst_Lectures::readings_data()
{
    QTest::addColumn<int>("voie");
    QTest::addColumn<QString>("nom");
    for (int voie : {0, 1})
        for (const Ligne& l : kLignes)
            QTest::addRow("%s, CH%d", l.nom, voie + 1) << voie << QString::fromUtf8(l.nom);
}

// The school meter on an AC range, then on a DC range (the live reading's
// first tick: the mean over its gate, the DC component of each of these
// waves).
void tst_Lectures::schoolMeter()
{
    QFETCH(int, voie);
    QFETCH(QString, nom);
    const Ligne& l = ligneNommee(nom);
    BancScope banc;
    EcrireINI("Options", "Multimetre college", "1");
    brancher(banc, voie, nom);
    Forms().get<frmToolBox>()->chkMulti->click();
    auto* volt = Forms().find<frmVolt>();
    QVERIFY(volt);
    volt->imgBorne_Click(frmVolt::V);
    volt->imgBorne_Click(frmVolt::COM);
    volt->optVoie[size_t(voie)]->click();
    QVERIFY(MesurePossible(voie));
    double pas = 0;
    TournerSelecteur(calibreCollege(l.alternatif, true));
    LECTURE_PROCHE(lireCollege(volt, pas), pas, l.alternatif, "V~");
    TournerSelecteur(calibreCollege(l.continu, false));
    if (volt->tmrVolt.isRunning())
        volt->tmrVolt_Timer();
    LECTURE_PROCHE(lireCollege(volt, pas), pas, l.continu, "V DC");
}

// The true-RMS meter in V AC and V DC, then MIN MAX (MAX, then MIN) in each
// of them.
void tst_Lectures::trueRmsMeter()
{
    QFETCH(int, voie);
    QFETCH(QString, nom);
    const Ligne& l = ligneNommee(nom);
    BancScope banc;
    EcrireINI("Options", "Multimetre college", "0");
    brancher(banc, voie, nom);
    Forms().get<frmToolBox>()->chkMulti->click();
    auto* m = Forms().find<frmMulti_RMS>();
    QVERIFY(m);
    m->imgBorne_Click(frmMulti_RMS::V);
    m->imgBorne_Click(frmMulti_RMS::COM);
    m->optVoie[size_t(voie)]->click();
    double pas = 0;
    m->PlacerSelecteur(1);
    QVERIFY(!m->lblACDC[1]->isHidden());
    LECTURE_PROCHE(lireTRMS(m, pas), pas, l.alternatif, "V AC");
    m->PlacerSelecteur(2);
    QVERIFY(!m->lblACDC[0]->isHidden());
    LECTURE_PROCHE(lireTRMS(m, pas), pas, l.continu, "V DC");
    for (int position : {1, 2}) {
        m->PlacerSelecteur(position);
        m->cmdBouton[0]->click();
        LECTURE_PROCHE(lireTRMS(m, pas), pas, l.max, "MAX");
        m->cmdBouton[0]->click();
        LECTURE_PROCHE(lireTRMS(m, pas), pas, l.min, "MIN");
        m->cmdBouton[0]->click(); // MIN MAX off
    }
}

// The harmonic sum's extremes take a search over its period: the meter
// reads at every refresh of the scope, the search runs once for each new
// set of levels.
void tst_Lectures::harmonicExtremesWorkedOutOncePerChange()
{
    BancScope banc;
    EcrireINI("Options", "Multimetre college", "0");
    brancher(banc, 0, QStringLiteral("harmoniques carré"));
    Forms().get<frmToolBox>()->chkMulti->click();
    auto* m = Forms().find<frmMulti_RMS>();
    m->imgBorne_Click(frmMulti_RMS::V);
    m->imgBorne_Click(frmMulti_RMS::COM);
    m->PlacerSelecteur(1);
    m->cmdBouton[0]->click();
    double pas = 0;
    LECTURE_PROCHE(lireTRMS(m, pas), pas, 5.430, "MAX");
    const int avant = CalculsExtremesHarmo();
    for (int i = 0; i < 50; ++i)
        CalculerMesure();
    QCOMPARE(CalculsExtremesHarmo(), avant);
    // Another preset: worked out again, and read.
    auto* h = dynamic_cast<frmHarmonique*>(Forms().find("frmHarmoniqueA"));
    h->optSignal[3]->click();
    CalculerMesure();
    LECTURE_PROCHE(lireTRMS(m, pas), pas, 10.405, "MAX");
    QVERIFY(CalculsExtremesHarmo() > avant);
}

QTEST_MAIN(tst_Lectures)
#include "tst_lectures.moc"
