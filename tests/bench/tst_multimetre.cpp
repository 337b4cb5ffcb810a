#include "BancScope.h"
#include "services/ModeleBanc.h"

#include "services/FichierINI.h"
#include "services/RequetesBanc.h"
#include "bench/MesureCollege.h"
#include "bench/ValeurEfficace.h"
#include "bench/Voltmetre.h"
#include "bench/frmAlim.h"
#include "bench/frmEDF.h"
#include "bench/frmGBF.h"
#include "bench/frmPile.h"
#include "bench/frmVolt.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/SystemServices.h"
#include "platform/VbFormat.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QtTest>

#include <cmath>

namespace {

// The bench of every case: the scope on with both channel plugs and the
// ground plug in, the school multimeter chosen and opened from the toolbox,
// its leads in V and COM, on CH1.
// `couplage`: the scope's CH1 coupling, 0 AC or 1 DC.
struct BancMultimetre {
    BancScope banc;
    frmToolBox* boite = nullptr;
    frmVolt* volt = nullptr;

    explicit BancMultimetre(const QString& college = QStringLiteral("1"), bool cordons = true, int couplage = 1)
        : banc(0, couplage)
    {
        EcrireINI("Options", "Multimetre college", college);
        boite = Forms().get<frmToolBox>();
        boite->chkMulti->click();
        volt = Forms().find<frmVolt>();
        if (volt && cordons) {
            volt->imgBorne_Click(frmVolt::V);
            volt->imgBorne_Click(frmVolt::COM);
        }
    }
};

void tourner(int position)
{
    TournerSelecteur(position);
}

// What the display shows: nothing, the over-range "1", or the reading with
// its sign.
QString affichage(const frmVolt* volt)
{
    if (!volt->lblValueError->isHidden())
        return volt->lblValue->isHidden() && volt->lblSigne->isHidden() ? QStringLiteral("1") : QStringLiteral("?");
    if (volt->lblValue->isHidden())
        return volt->lblSigne->isHidden() ? QString() : QStringLiteral("?");
    return (volt->lblSigne->isHidden() ? QString() : QStringLiteral("-")) + volt->lblValue->text();
}

// The CH1 function generator on, both leads in, the amplitude knob turned to
// `volts`, the offset knob to `decalage` volts, the duty knob to `rapport` %
// and the waveform chosen (0 sine, 1 square, 2 triangle).
frmGBF* generateur(BancScope& b, double volts, int forme, double decalage = 0, double rapport = 50)
{
    frmGBF* g = b.generateur(0, true, rapport, 0, 100 + 10 * decalage, 0, forme == 1);
    g->optSignal[size_t(forme)]->setChecked(true);
    g->basculerFiche(0);
    g->basculerFiche(1);
    g->Potentio[1]->setValue(float(volts * 1000));
    Q_EMIT g->Potentio[1]->MouseMove(1, 1, 0, 0, 0);
    return g;
}

// Connects the CH1 source a row names.
void brancher(BancMultimetre& m, const QString& source)
{
    frmToolBox* boite = m.boite;
    if (source == "pile 9 V") {
        boite->choisir(5);
    } else if (source == "pile 9 V inversée") {
        boite->choisir(5);
        dynamic_cast<frmPile*>(Forms().find("frmPileA"))->optPolarite[1]->setChecked(true);
    } else if (source == "alimentation 5 V") {
        boite->choisir(2);
        auto* a = dynamic_cast<frmAlim*>(Forms().find("frmAlimA"));
        a->chkOnOff->setChecked(true);
        a->imgBorne_Click(frmAlim::COM);
        a->imgBorne_Click(frmAlim::POS);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 5; }); // the knobs' law is the supply's own business
        ActualiserEcran();
    } else if (source == "GBF éteint") {
        frmGBF* g = generateur(m.banc, 10, 0);
        g->chkOn->setChecked(false);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.SourceBranchee = true; }); // as if it delivered: the switch alone decides
    } else if (source.startsWith("GBF sinus, offset")) {
        generateur(m.banc, 10, 0, source.endsWith("-2 V") ? -2 : 2);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 50; });
        ActualiserEcran();
    } else if (source.startsWith("GBF")) {
        const int forme = source.endsWith("sinus") ? 0 : source.endsWith("carré") ? 1 : 2;
        generateur(m.banc, 10, forme);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 50; });
        ActualiserEcran();
    } else if (source == "secteur") {
        boite->choisir(12);
        auto* e = dynamic_cast<frmEDF*>(Forms().find("frmEDFA"));
        e->imgBorne_Click(frmEDF::Neutre);
        e->imgBorne_Click(frmEDF::Phase);
    } else if (source == "alternateur 4 V") {
        boite->choisir(14);
        m.banc.source(0, "Dyn", 4, 10);
        ActualiserEcran();
    } else if (source == "aucune") {
        boite->choisir(0);
    } else if (source == "mot inconnu") {
        boite->choisir(5);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Bruit"); });
    } else if (source == "générateur harmoniques") {
        boite->choisir(5);
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("harmo"); });
    }
}

bool proche(double a, double b, double ecart = 1e-9)
{
    return std::fabs(a - b) <= ecart;
}

// The CH1 values each source of brancher() gives the channel, and whether the
// meter can read it and the generator is switched on: a battery is a DC
// level of its voltage (negative the wrong way round), the generator its
// peak amplitude, frequency, waveform and offset, the mains socket a 50 Hz
// sine of 325.3 V peak (230 V effective), the alternator its wave.
struct Source {
    const char* nom;
    double amplitude;
    double frequence; // Hz; the generator switched off keeps its own knob's
    const char* mot;
    double decalage;
    bool mesurable;
    bool allume;
};
const Source kSources[] = {
    {"pile 9 V", 9, 0, "Cc", 0, true, false},
    {"pile 9 V inversée", -9, 0, "Cc", 0, true, false},
    {"alimentation 5 V", 5, 0, "Cc", 0, true, false},
    {"GBF sinus", 10, 50, "Sinus", 0, true, true},
    {"GBF sinus, offset +2 V", 10, 50, "Sinus", 2, true, true},
    {"GBF sinus, offset -2 V", 10, 50, "Sinus", -2, true, true},
    {"GBF carré", 10, 50, "Carre", 0, true, true},
    {"GBF triangle", 10, 50, "Triangle", 0, true, true},
    {"GBF éteint", 10, 50, "Sinus", 0, true, false},
    {"secteur", 325.3, 50, "Sinus", 0, true, false},
    {"alternateur 4 V", 4, 10, "Dyn", 0, true, false},
    {"aucune", 0, 0, "Cc", 0, false, false},
    {"mot inconnu", 9, 0, "Bruit", 0, true, false},
    {"générateur harmoniques", 9, 0, "harmo", 0, true, false},
};

const Source& sourceNommee(const QString& nom)
{
    for (const Source& s : kSources)
        if (nom == QString::fromUtf8(s.nom))
            return s;
    qFatal("no source %s", qPrintable(nom));
}

// The meter on CH1 fed by a source of the table, its leads in V and COM.
EntreesCollege entreesDe(const QString& source, int position)
{
    const Source& s = sourceNommee(source);
    EntreesCollege e;
    e.position = position;
    EtatVoie v;
    v.Amplitude = s.amplitude;
    v.Frequence = s.frequence;
    v.FormeSignal = QString::fromUtf8(s.mot);
    v.Decalage = s.decalage;
    v.RapportCyclique = 0.5f; // the generator's duty knob at 50
    e.signal = SignalDeLaVoie(v, NiveauxHarmoAuChargement());
    e.mesurable = s.mesurable;
    e.fiches = {true, false, false, true};
    return e;
}

// The display as affichage() reads it from the window.
QString texte(const EcranCollege& e)
{
    if (e.horsEchelle)
        return !e.chiffresVus && !e.signe ? QStringLiteral("1") : QStringLiteral("?");
    if (!e.chiffresVus)
        return e.signe ? QStringLiteral("?") : QString();
    return (e.signe ? QStringLiteral("-") : QString()) + e.chiffres;
}

// The readings of each source by selector position.
struct Ligne {
    const char* source;
    int position;
    bool vivante;
    const char* attendu;
    bool fenetre; // also through the windows: one row per source
};
const Ligne kLignes[] = {
    {"pile 9 V", 0, false, "009", false},
    {"pile 9 V", 1, false, "09.0", false},
    {"pile 9 V", 2, false, "9.00", true},
    {"pile 9 V", 3, false, "1", false},
    {"pile 9 V", 4, false, "000.0", false},
    {"pile 9 V", 5, false, "000.0", false},
    {"pile 9 V", 6, false, "000.0", false},
    {"pile 9 V", 7, false, "1", false},
    {"pile 9 V", 8, false, "1", false},
    {"pile 9 V", 10, false, "1", false},
    // V~ reads the AC part alone: a battery has none.
    {"pile 9 V", 12, false, "0.00", true},
    {"pile 9 V", 15, false, "", false},
    {"pile 9 V", 16, false, "1", false},
    {"pile 9 V inversée", 2, false, "-9.00", true},
    {"pile 9 V inversée", 1, false, "-09.0", false},
    {"pile 9 V inversée", 12, false, "0.00", false},
    {"pile 9 V inversée", 5, false, "000.0", false},
    {"pile 9 V inversée", 15, false, "", false},
    {"alimentation 5 V", 2, false, "5.00", true},
    {"alimentation 5 V", 3, false, "1", false},
    {"alimentation 5 V", 14, false, "000", true},
    {"GBF sinus", 11, false, "1", false},
    {"GBF sinus", 12, false, "7.07", true},
    {"GBF sinus", 13, false, "07.1", false},
    {"GBF sinus", 2, true, "0.00", false},
    // The live reading is the mean over its gate: at 50 Hz, whole periods,
    // the offset.
    {"GBF sinus, offset +2 V", 2, true, "2.00", true},
    {"GBF sinus, offset -2 V", 2, true, "-2.00", true},
    {"GBF sinus, offset +2 V", 12, false, "7.07", false},
    {"GBF sinus, offset +2 V", 5, false, "000.0", false},
    {"GBF sinus, offset +2 V", 15, false, "", false},
    {"GBF carré", 12, false, "10.00", true},
    {"GBF carré", 2, true, "0.00", false},
    {"GBF triangle", 12, false, "5.77", true},
    {"GBF triangle", 14, false, "006", false},
    {"GBF éteint", 2, true, "0.00", true},
    {"secteur", 14, false, "230", true},
    {"secteur", 13, false, "1", false},
    {"secteur", 2, true, "0.00", false},
    {"alternateur 4 V", 12, false, "3.01", true},
    {"alternateur 4 V", 2, true, "0.00", false},
    {"aucune", 2, false, "0.00", true},
    {"aucune", 3, false, "0.000", false},
    {"aucune", 11, false, "0.000", false},
    {"aucune", 5, false, "000.0", false},
    {"aucune", 9, false, "1", false},
    {"aucune", 15, false, "", false},
    {"mot inconnu", 12, false, "0.00", true},
    {"mot inconnu", 2, true, "0.00", false},
    {"générateur harmoniques", 12, false, "0.00", true},
};

} // namespace

class tst_Multimetre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void effectiveValue_data();
    void effectiveValue();

    void fixedReading_data();
    void fixedReading();
    void readingOfTheChannel_data();
    void readingOfTheChannel();
    void readingBySourceAndPosition_data();
    void readingBySourceAndPosition();
    void liveReadingIsTheMeanOverItsGate_data();
    void liveReadingIsTheMeanOverItsGate();
    void liveReadingFollowsTheRangeAndTheClock();
    void signFollowsTheDigits_data();
    void signFollowsTheDigits();
    void readiness_data();
    void readiness();
    void leads_data();
    void leads();

    void pointerAngle_data();
    void pointerAngle();
    void mouseAngle_data();
    void mouseAngle();
    void angleBands_data();
    void angleBands();
    void mouseTurnsTheSelector();

    void dispatchFollowsTheSetting_data();
    void dispatchFollowsTheSetting();
    void windowLifecycle();
};

void tst_Multimetre::effectiveValue_data()
{
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<bool>("connu");
    QTest::addColumn<double>("attendu");
    QTest::newRow("sine") << 10.0 << "Sinus" << true << 7.0710678118654755;
    QTest::newRow("triangle") << 10.0 << "Triangle" << true << 5.773502691896258;
    QTest::newRow("alternator") << 4.0 << "Dyn" << true << 3.0068;
    QTest::newRow("reversed DC keeps its sign") << -4.5 << "Cc" << true << -4.5;
    QTest::newRow("square, exercise spelling") << 3.0 << "Carrée" << true << 3.0;
    QTest::newRow("square") << 3.0 << "Carre" << true << 3.0;
    QTest::newRow("exercise sine") << 10.0 << "Sinusoïdale" << true << 7.0710678118654755;
    QTest::newRow("harmonic generator") << 5.0 << "harmo" << false << 0.0;
    QTest::newRow("unknown word") << 5.0 << "Bruit" << false << 0.0;
    QTest::newRow("empty word") << 5.0 << "" << false << 0.0;
}

void tst_Multimetre::effectiveValue()
{
    QFETCH(double, amplitude);
    QFETCH(QString, mot);
    QFETCH(bool, connu);
    QFETCH(double, attendu);
    const std::optional<double> valeur = ValeurEfficace(amplitude, mot);
    QCOMPARE(valeur.has_value(), connu);
    if (connu)
        QVERIFY2(proche(*valeur, attendu, 1e-12), qPrintable(QString::number(*valeur, 'g', 17)));
}

void tst_Multimetre::fixedReading_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<bool>("vivante"); // no fixed value: it reads live
    QTest::addColumn<double>("attendu");
    QTest::newRow("9 V battery, DC") << 2 << 9.0 << "Cc" << false << 9.0;
    QTest::newRow("reversed 9 V battery, DC") << 2 << -9.0 << "Cc" << false << -9.0;
    // An AC range reads the AC part alone: a battery has none.
    QTest::newRow("reversed 9 V battery, AC") << 12 << -9.0 << "Cc" << false << 0.0;
    QTest::newRow("reversed 1.5 V battery, AC 2") << 11 << -1.5 << "Cc" << false << 0.0;
    QTest::newRow("reversed battery, current") << 5 << -9.0 << "Cc" << false << 0.0;
    QTest::newRow("sine 10 V, AC") << 12 << 10.0 << "Sinus" << false << 10 / std::sqrt(2.0);
    QTest::newRow("sine 10 V, DC") << 2 << 10.0 << "Sinus" << true << 0.0;
    // At -10 tr/min the alternator's amplitude is negative.
    QTest::newRow("alternator turned backwards, AC") << 12 << -0.04 << "Dyn" << false << 0.04 * 0.7517;
    // The harmonic generator as it loads: its fundamental alone.
    QTest::newRow("harmonic generator, AC") << 12 << 5.0 << "harmo" << false << 5 / std::sqrt(2.0);
}

// The readings that do not vary, without the window.
void tst_Multimetre::fixedReading()
{
    QFETCH(int, position);
    QFETCH(double, amplitude);
    QFETCH(QString, mot);
    QFETCH(bool, vivante);
    QFETCH(double, attendu);
    EtatVoie v;
    v.Amplitude = amplitude;
    v.Frequence = mot == QLatin1String("Cc") ? 0 : 50;
    v.FormeSignal = mot;
    const std::optional<double> lu = LectureCollege(position, SignalDeLaVoie(v, NiveauxHarmoAuChargement()));
    QCOMPARE(!lu.has_value(), vivante);
    if (lu)
        QVERIFY2(proche(*lu, attendu, 1e-12), qPrintable(QString::number(*lu, 'g', 17)));
}

void tst_Multimetre::readingOfTheChannel_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("vivante");
    QTest::addColumn<QString>("attendu");
    for (const Ligne& l : kLignes)
        QTest::addRow("%s, position %d", l.source, l.position)
            << QString::fromUtf8(l.source) << l.position << l.vivante << QString::fromUtf8(l.attendu);
}

// Each source's channel values read in each position, without the windows.
void tst_Multimetre::readingOfTheChannel()
{
    QFETCH(QString, source);
    QFETCH(int, position);
    QFETCH(bool, vivante);
    QFETCH(QString, attendu);
    const EntreesCollege e = entreesDe(source, position);
    const LectureAfficheeCollege lecture = AffichageAuTourCollege(e);
    // A DC range on a varying source reads live: nothing new until the
    // first tick, at the live reading's first instant, 1 s.
    QCOMPARE(lecture.vivante, vivante);
    QCOMPARE(lecture.ecran.has_value(), !vivante);
    const EcranCollege ecran = vivante ? AffichageCollegeVivant(e, 1).ecran : *lecture.ecran;
    QCOMPARE(texte(ecran), attendu);
}

void tst_Multimetre::readingBySourceAndPosition_data()
{
    QTest::addColumn<int>("couplage"); // of the scope's CH1: 0 AC, 1 DC
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("vivante");
    QTest::addColumn<QString>("attendu");
    // The meter measures the source across the scope input, whatever the
    // scope's coupling.
    for (int couplage : {0, 1})
        for (const Ligne& l : kLignes)
            if (l.fenetre)
                QTest::addRow("%s, position %d, %s coupling", l.source, l.position, couplage == 0 ? "AC" : "DC")
                    << couplage << QString::fromUtf8(l.source) << l.position << l.vivante
                    << QString::fromUtf8(l.attendu);
}

// Each source through its own window: it gives the channel the values the
// table above reads, and the meter shows the same.
void tst_Multimetre::readingBySourceAndPosition()
{
    QFETCH(int, couplage);
    QFETCH(QString, source);
    QFETCH(int, position);
    QFETCH(bool, vivante);
    QFETCH(QString, attendu);
    BancMultimetre m(QStringLiteral("1"), true, couplage);
    brancher(m, source);
    tourner(position);
    const Source& s = sourceNommee(source);
    QCOMPARE(Banc().voies[0].Amplitude, s.amplitude);
    if (source != QStringLiteral("GBF éteint")) // its frequency knob is its own
        QCOMPARE(Banc().voies[0].Frequence, s.frequence);
    QCOMPARE(Banc().voies[0].FormeSignal, QString::fromUtf8(s.mot));
    QCOMPARE(Banc().voies[0].Decalage, s.decalage);
    QCOMPARE(MesurePossible(0), s.mesurable);
    const std::optional<ReglagesGBF> gbf = ReglagesGenerateur(0);
    QCOMPARE(gbf && gbf->allume, s.allume);
    // A DC range on a varying source reads live: nothing new until the
    // first tick, 500 ms later.
    QCOMPARE(m.volt->tmrVolt.Interval(), vivante ? 500 : 0);
    if (vivante) {
        QCOMPARE(affichage(m.volt), QString());
        m.volt->tmrVolt_Timer();
    }
    QCOMPARE(affichage(m.volt), attendu);
    // Every refresh of the scope reads the meter again, to the same result.
    ActualiserEcran();
    if (vivante)
        m.volt->tmrVolt_Timer();
    QCOMPARE(affichage(m.volt), attendu);
}

void tst_Multimetre::liveReadingIsTheMeanOverItsGate_data()
{
    QTest::addColumn<int>("forme"); // 0 sine, 1 square, 2 triangle
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("volts");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("rapport"); // %
    QTest::newRow("sine 100 Hz, +2 V") << 0 << 100.0 << 10.0 << 2.0 << 50.0;
    QTest::newRow("sine 2 Hz, +2 V") << 0 << 2.0 << 10.0 << 2.0 << 50.0;
    QTest::newRow("sine 0.2 Hz, +2 V") << 0 << 0.2 << 10.0 << 2.0 << 50.0;
    QTest::newRow("sine 1.3 Hz, -1 V") << 0 << 1.3 << 5.0 << -1.0 << 50.0;
    QTest::newRow("square 50 Hz, 75 %, +1 V") << 1 << 50.0 << 5.0 << 1.0 << 75.0;
    QTest::newRow("square 50 Hz, 25 %") << 1 << 50.0 << 5.0 << 0.0 << 25.0;
    QTest::newRow("triangle 20 Hz, -2 V") << 2 << 20.0 << 5.0 << -2.0 << 50.0;
}

// The "20" DC range on a varying source reads, every 500 ms, the mean of
// the last 0.5 s, as a meter's integrating converter does: the DC component
// of a wave of 2 Hz or more, whatever the instant; for a slower sine
// D + A·(cos ω(t - T) - cos ωt)/(ωT), which follows the wave attenuated by
// sin(πfT)/(πfT).
void tst_Multimetre::liveReadingIsTheMeanOverItsGate()
{
    QFETCH(int, forme);
    QFETCH(double, frequence);
    QFETCH(double, volts);
    QFETCH(double, decalage);
    QFETCH(double, rapport);
    BancMultimetre m;
    generateur(m.banc, volts, forme, decalage, rapport);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = frequence; });
    tourner(2);
    QVERIFY(m.volt->tmrVolt.isRunning());
    const double T = 0.5, w = 2 * M_PI * frequence;
    // A square of duty d between offset ± A: its mean (2d - 1)·A + offset.
    const double continu = decalage + (forme == 1 ? (2 * rapport / 100 - 1) * volts : 0);
    double minimum = 1e9, maximum = -1e9;
    for (int tic = 0; tic < 14; ++tic) {
        const double t = m.volt->instantMesure();
        m.volt->tmrVolt_Timer();
        // The next gate starts where this one ended, whole periods aside.
        const double pas = std::remainder(m.volt->instantMesure() - t - T, 1 / frequence);
        QVERIFY2(std::fabs(pas) < 1e-9, qPrintable(QString::number(m.volt->instantMesure() - t)));
        double attendu = continu;
        if (frequence * T < 1)
            attendu = decalage + volts * (std::cos(w * (t - T)) - std::cos(w * t)) / (w * T);
        const double lu = affichage(m.volt).toDouble();
        // Within the display's last digit.
        QVERIFY2(std::fabs(lu - attendu) <= 0.005 + 1e-9,
                 qPrintable(QStringLiteral("tick %1: %2 for %3").arg(tic).arg(affichage(m.volt)).arg(attendu)));
        minimum = std::min(minimum, lu);
        maximum = std::max(maximum, lu);
    }
    if (frequence * T >= 1) {
        QCOMPARE(maximum, minimum); // steady
    } else {
        // Over 7 s the slow sine's readings swing through most of
        // ±A·sin(πfT)/(πfT) about its offset.
        const double attenuation = std::sin(M_PI * frequence * T) / (M_PI * frequence * T);
        QVERIFY2(maximum - minimum > 1.5 * volts * attenuation, qPrintable(QString::number(maximum - minimum)));
    }
}

void tst_Multimetre::liveReadingFollowsTheRangeAndTheClock()
{
    BancMultimetre m;
    generateur(m.banc, 10, 0);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 50; });
    tourner(2);
    QVERIFY(m.volt->tmrVolt.isRunning());
    // Turned to an AC range, the live reading stops and the effective value
    // stays.
    tourner(12);
    QVERIFY(!m.volt->tmrVolt.isRunning());
    QCOMPARE(affichage(m.volt), QStringLiteral("7.07"));
    // Back on DC, then off: the ticks leave the display blank.
    tourner(2);
    tourner(15);
    m.volt->tmrVolt_Timer();
    QCOMPARE(affichage(m.volt), QString());
    // On the 10 A range the live voltage is never shown as a current.
    tourner(2);
    tourner(16);
    QVERIFY(!m.volt->tmrVolt.isRunning());
    QCOMPARE(affichage(m.volt), QStringLiteral("1"));
}

void tst_Multimetre::signFollowsTheDigits_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("rounds to zero on 20") << 2 << -0.004 << "0.00";
    QTest::newRow("smallest shown on 20") << 2 << -0.005 << "-0.01";
    QTest::newRow("rounds to zero on 1000") << 0 << -0.4 << "000";
    QTest::newRow("negative on 1000") << 0 << -0.6 << "-001";
    QTest::newRow("rounds to zero on 2") << 3 << -0.0004 << "0.000";
    QTest::newRow("exactly zero") << 2 << 0.0 << "0.00";
    QTest::newRow("negative full scale") << 2 << -20.0 << "-20.00";
    QTest::newRow("beyond full scale") << 2 << -20.001 << "1";
    QTest::newRow("AC 500") << 14 << 230.02 << "230";
    QTest::newRow("no number") << 2 << std::nan("") << "1";
}

// A value on the display, without the window.
void tst_Multimetre::signFollowsTheDigits()
{
    QFETCH(int, position);
    QFETCH(double, valeur);
    QFETCH(QString, attendu);
    QCOMPARE(texte(EcranCollegePour(position, valeur)), attendu);
}

void tst_Multimetre::readiness_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("no source chosen") << "aucune";
    QTest::newRow("scope ground plug out") << "masse";
    QTest::newRow("scope CH1 plug out") << "entree";
    QTest::newRow("meter COM lead out") << "com";
    QTest::newRow("meter V lead out") << "v";
    QTest::newRow("meter on CH2, nothing there") << "ch2";
}

void tst_Multimetre::readiness()
{
    QFETCH(QString, action);
    BancMultimetre m;
    m.boite->choisir(5);
    tourner(2);
    QCOMPARE(affichage(m.volt), QStringLiteral("9.00"));
    if (action == "aucune")
        m.boite->choisir(0);
    else if (action == "masse")
        m.banc.scope->basculerFiche(2);
    else if (action == "entree")
        m.banc.scope->basculerFiche(0);
    else if (action == "com")
        m.volt->imgFiche_Click(frmVolt::COM);
    else if (action == "v")
        m.volt->imgFiche_Click(frmVolt::V);
    else if (action == "ch2")
        m.volt->optVoie[1]->setChecked(true);
    // At once, and for every range that reads.
    QCOMPARE(affichage(m.volt), QStringLiteral("0.00"));
    tourner(11);
    QCOMPARE(affichage(m.volt), QStringLiteral("0.000"));
    tourner(5);
    QCOMPARE(affichage(m.volt), QStringLiteral("000.0"));
}

void tst_Multimetre::leads_data()
{
    QTest::addColumn<QList<int>>("clics"); // terminal clicks; -1 - i clicks the plug on i
    QTest::addColumn<QList<int>>("fiches");
    QTest::addColumn<bool>("branche");
    QTest::addColumn<QString>("lecture"); // on the "20" DC range, a 9 V battery
    using L = QList<int>;
    const int V = frmVolt::V, MA = frmVolt::MA, A10 = frmVolt::A10, COM = frmVolt::COM;
    QTest::newRow("V and COM") << L{V, COM} << L{V, COM} << true << "9.00";
    QTest::newRow("COM and V") << L{COM, V} << L{V, COM} << true << "9.00";
    QTest::newRow("mA and COM read 0") << L{MA, COM} << L{MA, COM} << true << "0.00";
    QTest::newRow("10A and COM read 0") << L{A10, COM} << L{A10, COM} << true << "0.00";
    QTest::newRow("one measuring lead at a time") << L{V, COM, MA} << L{MA, COM} << true << "0.00";
    QTest::newRow("back to V") << L{MA, COM, V} << L{V, COM} << true << "9.00";
    QTest::newRow("V alone") << L{V} << L{V} << false << "0.00";
    QTest::newRow("COM alone") << L{COM} << L{COM} << false << "0.00";
    QTest::newRow("a terminal keeps its plug") << L{V, COM, V} << L{V, COM} << true << "9.00";
    QTest::newRow("plug taken out") << L{V, COM, -1 - V} << L{COM} << false << "0.00";
    QTest::newRow("COM taken out") << L{V, COM, -1 - COM} << L{V} << false << "0.00";
}

void tst_Multimetre::leads()
{
    QFETCH(QList<int>, clics);
    QFETCH(QList<int>, fiches);
    QFETCH(bool, branche);
    QFETCH(QString, lecture);
    BancMultimetre m(QStringLiteral("1"), false);
    m.boite->choisir(5);
    tourner(2);
    for (int clic : clics) {
        if (clic >= 0)
            QTest::mouseClick(m.volt->imgBorne[size_t(clic)], Qt::LeftButton);
        else
            QTest::mouseClick(m.volt->imgFiche[size_t(-1 - clic)], Qt::LeftButton);
    }
    for (int i = 0; i < 4; ++i)
        QCOMPARE(m.volt->fichePlacee(i), fiches.contains(i));
    QCOMPARE(MultimetreBranche(), branche);
    QCOMPARE(affichage(m.volt), lecture);
}

void tst_Multimetre::pointerAngle_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("angle");
    const double angles[17] = {22, 41, 61, 84, 135, 158, 180, 202, 221, 241, 264, 281, 298, 315, 338, 0, 158};
    for (int p = 0; p < 17; ++p)
        QTest::addRow("position %d", p) << p << angles[p];
}

void tst_Multimetre::pointerAngle()
{
    QFETCH(int, position);
    QFETCH(double, angle);
    BancMultimetre m;
    tourner(position);
    const QLineF aiguille = m.volt->linSelecteur;
    // Through the centre of the ring, 1140 twips each side, the tip first.
    const QPointF centre(600 + 2835 / 2.0, 1680 + 2775 / 2.0);
    QVERIFY(proche(aiguille.center().x(), centre.x()) && proche(aiguille.center().y(), centre.y()));
    QVERIFY(proche(aiguille.length(), 2280, 1e-9));
    const QPointF bout = aiguille.p1() - centre;
    double lu = std::atan2(-bout.x(), -bout.y()) * 180 / M_PI;
    if (lu < -1e-9)
        lu += 360;
    QVERIFY2(proche(lu, angle, 1e-9), qPrintable(QString::number(lu, 'g', 15)));
    // The red dot on the pointer, 1080 twips out towards the tip.
    const QPointF point = m.volt->linPtRouge - centre;
    QVERIFY(proche(std::hypot(point.x(), point.y()), 1080, 1e-9));
    QVERIFY(proche(point.x() * bout.y() - point.y() * bout.x(), 0, 1e-6));
    QVERIFY(point.x() * bout.x() + point.y() * bout.y() > 0);
}

void tst_Multimetre::mouseAngle_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<double>("angle");
    QTest::newRow("straight up") << 50.f << 0.f << 360.0;
    QTest::newRow("up left") << 0.f << 0.f << 45.0;
    QTest::newRow("straight left") << 0.f << 50.f << 90.0;
    QTest::newRow("down left") << 0.f << 100.f << 135.0;
    QTest::newRow("straight down") << 50.f << 100.f << 180.0;
    QTest::newRow("down right") << 100.f << 100.f << 225.0;
    QTest::newRow("straight right") << 100.f << 50.f << 270.0;
    QTest::newRow("up right") << 100.f << 0.f << 315.0;
    QTest::newRow("exact centre") << 50.f << 50.f << 450.0;
    QTest::newRow("30 degrees") << float(50 - 50 * std::tan(M_PI / 6)) << 0.f << 30.0;
}

void tst_Multimetre::mouseAngle()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(double, angle);
    const double a = AngleSouris(x, y, 100, 100);
    QVERIFY2(proche(a, angle, 1e-4), qPrintable(QString::number(a, 'g', 15)));
}

void tst_Multimetre::angleBands_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("position");
    const struct {
        double angle;
        int position;
    } bornes[] = {
        {0, 15},    {5, 15},    {9.999, 15}, {10, 0},    {30, 0},    {30.001, 1}, {50, 1},    {50.5, 2},
        {70, 2},    {70.5, 3},  {110, 3},    {110.5, 4}, {145, 4},   {145.5, 5},  {170, 5},   {170.5, 6},
        {190, 6},   {190.5, 7}, {210, 7},    {210.5, 8}, {230, 8},   {230.5, 9},  {250, 9},   {250.5, 10},
        {270, 10},  {270.5, 11}, {290, 11},  {290.5, 12}, {310, 12}, {310.5, 13}, {326, 13},  {326.5, 14},
        {350, 14},  {350.001, 15}, {351, 15}, {360, 15}, {450, 15},
    };
    for (const auto& b : bornes)
        QTest::addRow("%g degrees", b.angle) << b.angle << b.position;
}

void tst_Multimetre::angleBands()
{
    QFETCH(double, angle);
    QFETCH(int, position);
    QCOMPARE(PositionPourAngle(angle), position);
}

void tst_Multimetre::mouseTurnsTheSelector()
{
    BancMultimetre m;
    m.boite->choisir(5);
    ImageBox* bouton = m.volt->imgSelecteur;
    const QPoint centre(bouton->width() / 2, bouton->height() / 2);
    auto vers = [&](double angle) {
        const double r = angle * M_PI / 180;
        return centre + QPoint(int(std::lround(-60 * std::sin(r))), int(std::lround(-60 * std::cos(r))));
    };
    // Dragging turns the pointer only; the release chooses the range.
    QTest::mousePress(bouton, Qt::LeftButton, {}, vers(300));
    QMouseEvent glisse(QEvent::MouseMove, QPointF(vers(61)), bouton->mapToGlobal(QPointF(vers(61))),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bouton, &glisse);
    QCOMPARE(PositionSelecteur(), 15);
    QCOMPARE(affichage(m.volt), QString());
    QVERIFY(m.volt->linSelecteur.p1().x() < m.volt->linSelecteur.p2().x()); // tip on the left
    QTest::mouseRelease(bouton, Qt::LeftButton, {}, vers(61));
    QCOMPARE(PositionSelecteur(), 2);
    QCOMPARE(affichage(m.volt), QStringLiteral("9.00"));
    // Another button does nothing.
    QTest::mouseClick(bouton, Qt::RightButton, {}, vers(0));
    QCOMPARE(PositionSelecteur(), 2);
    // A range's label turns the selector to it.
    QTest::mouseClick(m.volt->lblCal[12], Qt::LeftButton);
    QCOMPARE(PositionSelecteur(), 12);
    QCOMPARE(affichage(m.volt), QStringLiteral("0.00")); // a battery has no AC part
    QTest::mouseClick(m.volt->lblCal[15], Qt::LeftButton);
    QCOMPARE(PositionSelecteur(), 15);
    QCOMPARE(affichage(m.volt), QString());
}

void tst_Multimetre::dispatchFollowsTheSetting_data()
{
    QTest::addColumn<QString>("college");
    QTest::addColumn<bool>("ecole");
    QTest::newRow("no key: true-RMS") << "" << false;
    QTest::newRow("0: true-RMS") << "0" << false;
    QTest::newRow("1: school") << "1" << true;
    QTest::newRow("another text: school") << "oui" << true;
}

void tst_Multimetre::dispatchFollowsTheSetting()
{
    QFETCH(QString, college);
    QFETCH(bool, ecole);
    BancMultimetre m(college);
    QCOMPARE(MultimetreCollegeChoisi(), ecole);
    QCOMPARE(Forms().isLoaded("frmVolt"), ecole);
    QCOMPARE(Forms().isLoaded("frmMulti_RMS"), !ecole);
    QVERIFY(m.banc.mdi->Mnu_Volt->isChecked());
    if (!ecole) {
        // Nothing of the school meter runs for the other one.
        int position = 2;
        TournerSelecteur(position);
        CalculerMesure();
        QVERIFY(!Forms().isLoaded("frmVolt"));
        return;
    }
    QCOMPARE(PositionSelecteur(), 15);
    m.boite->choisir(5);
    tourner(2);
    QCOMPARE(affichage(m.volt), QStringLiteral("9.00"));
    // Every redraw of the scope re-reads the meter through the same path.
    dynamic_cast<frmPile*>(Forms().find("frmPileA"))->optPolarite[1]->setChecked(true);
    QCOMPARE(affichage(m.volt), QStringLiteral("-9.00"));
    // The compute dispatcher takes the same rule as the window choice.
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 4.5; });
    CalculerMesure();
    QCOMPARE(affichage(m.volt), QStringLiteral("4.50"));
    // With the meter not asked for (its menu entry unchecked) nothing is shown.
    Modele().montrerInstrument(ModeleBanc::Instrument::Multimetre, false);
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 1.5; });
    CalculerMesure();
    QCOMPARE(affichage(m.volt), QStringLiteral("4.50"));
}

void tst_Multimetre::windowLifecycle()
{
    BancMultimetre m;
    const frmWavix* scope = m.banc.scope;
    QCOMPARE(m.volt->windowTitle(), QStringLiteral("Multimètre"));
    // Right of the scope by 4550 twips, to the pixel.
    QVERIFY(std::fabs(m.volt->Left() - (scope->Left() + scope->Width() + 4550)) < 15);
    QCOMPARE(m.volt->Top(), 0.0);
    m.boite->choisir(5);
    tourner(2);
    m.volt->optVoie[1]->setChecked(true);
    m.volt->setLeft(600);
    m.volt->setTop(300);

    QVERIFY(m.volt->close());
    QVERIFY(!Forms().isLoaded("frmVolt"));
    QVERIFY(!m.boite->chkMulti->isChecked());
    QVERIFY(!m.banc.mdi->Mnu_Volt->isChecked());
    QCOMPARE(LireINI("Interface", "PosX Voltmetre", ""), QStringLiteral("600"));
    QCOMPARE(LireINI("Interface", "PosY Voltmetre", ""), QStringLiteral("300"));

    // Reopened from the menu: where it was, at OFF, no plug, blank, CH1.
    m.banc.mdi->Mnu_Volt->trigger();
    auto* volt = Forms().find<frmVolt>();
    QVERIFY(volt);
    QCOMPARE(volt->Left(), 600.0);
    QCOMPARE(volt->Top(), 300.0);
    QCOMPARE(PositionSelecteur(), 15);
    QVERIFY(!MultimetreBranche());
    for (int i = 0; i < 4; ++i)
        QVERIFY(!volt->fichePlacee(i));
    QCOMPARE(affichage(volt), QString());
    QVERIFY(volt->optVoie[0]->isChecked());
    // Turned from a negative reading straight to OFF, the whole display goes.
    volt->imgBorne_Click(frmVolt::V);
    volt->imgBorne_Click(frmVolt::COM);
    dynamic_cast<frmPile*>(Forms().find("frmPileA"))->optPolarite[1]->setChecked(true);
    tourner(2);
    QCOMPARE(affichage(volt), QStringLiteral("-9.00"));
    tourner(15);
    QCOMPARE(affichage(volt), QString());
}

QTEST_MAIN(tst_Multimetre)
#include "tst_multimetre.moc"
