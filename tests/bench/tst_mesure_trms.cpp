#include "bench/MesureTRMS.h"
#include "services/Ondes.h"

#include <QtTest>

#include <cmath>

namespace {

// The signal a channel carries from a source that writes these values.
SignalMesure signal(const char* mot, double a, double f = 50, double d = 0, double rapport = 0.5)
{
    EtatVoie v;
    v.FormeSignal = QString::fromUtf8(mot);
    v.Amplitude = a;
    v.Frequence = f;
    v.Decalage = d;
    v.RapportCyclique = float(rapport);
    return SignalDeLaVoie(v, NiveauxHarmoniques{});
}

} // namespace

// The true-RMS meter's measurement, ranges and selector bands, apart from
// its window.
class tst_MesureTRMS : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingByPositionAndSource_data();
    void readingByPositionAndSource();
    void squareAgainstItsTrueMeanAndRms_data();
    void squareAgainstItsTrueMeanAndRms();
    void minMax_data();
    void minMax();
    void alternatorMinMaxAgainstItsWave_data();
    void alternatorMinMaxAgainstItsWave();
    void ranges_data();
    void ranges();
    void rangeButtonSequence();
    void angleBands_data();
    void angleBands();
};

void tst_MesureTRMS::readingByPositionAndSource_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("attendu");
    QTest::newRow("battery 1.5 V, V DC") << 2 << "Cc" << 1.5 << 0.0 << 0.0 << 1.5;
    // V AC reads the AC part alone: a battery has none.
    QTest::newRow("battery 1.5 V, V AC") << 1 << "Cc" << 1.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("battery reversed, V DC") << 2 << "Cc" << -1.5 << 0.0 << 0.0 << -1.5;
    QTest::newRow("battery reversed, V AC") << 1 << "Cc" << -1.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("battery reversed, mV DC") << 3 << "Cc" << -0.5 << 0.0 << 0.0 << -0.5;
    QTest::newRow("battery reversed, current") << 6 << "Cc" << -1.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("battery reversed, OFF") << 0 << "Cc" << -1.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("battery 0.5 V, mV DC") << 3 << "Cc" << 0.5 << 0.0 << 0.0 << 0.5;
    QTest::newRow("battery, ohms") << 4 << "Cc" << 4.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("battery, OFF") << 0 << "Cc" << 4.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("sine 10 V, V AC") << 1 << "Sinus" << 10.0 << 50.0 << 0.0 << 10 / std::sqrt(2.0);
    // The offset is DC: V AC does not see it.
    QTest::newRow("sine 10 V offset 3, V AC") << 1 << "Sinus" << 10.0 << 50.0 << 3.0 << 10 / std::sqrt(2.0);
    QTest::newRow("sine 10 V offset 3, V DC") << 2 << "Sinus" << 10.0 << 50.0 << 3.0 << 3.0;
    QTest::newRow("sine 10 V offset -3, V AC") << 1 << "Sinus" << 10.0 << 50.0 << -3.0 << 10 / std::sqrt(2.0);
    QTest::newRow("sine 10 V offset -3, V DC") << 2 << "Sinus" << 10.0 << 50.0 << -3.0 << -3.0;
    QTest::newRow("sine 0.4 V offset -0.3, mV DC") << 3 << "Sinus" << 0.4 << 50.0 << -0.3 << -0.3;
    QTest::newRow("sine offset -3, current") << 6 << "Sinus" << 10.0 << 50.0 << -3.0 << 0.0;
    QTest::newRow("sine offset -3, OFF") << 0 << "Sinus" << 10.0 << 50.0 << -3.0 << 0.0;
    QTest::newRow("triangle 6 V, V AC") << 1 << "Triangle" << 6.0 << 50.0 << 0.0 << 6 / std::sqrt(3.0);
    QTest::newRow("triangle 5 V offset -2, V AC") << 1 << "Triangle" << 5.0 << 50.0 << -2.0 << 5 / std::sqrt(3.0);
    QTest::newRow("triangle 5 V offset -2, V DC") << 2 << "Triangle" << 5.0 << 50.0 << -2.0 << -2.0;
    QTest::newRow("sine, current") << 6 << "Sinus" << 10.0 << 50.0 << 0.0 << 0.0;
    QTest::newRow("mains 230 V, V AC") << 1 << "Sinus" << 230 * std::sqrt(2.0) << 50.0 << 0.0 << 230.0;
    QTest::newRow("mains, V DC") << 2 << "Sinus" << 325.0 << 50.0 << 0.0 << 0.0;
    QTest::newRow("alternator 4 V, V AC") << 1 << "Dyn" << 4.0 << 10.0 << 0.0 << 4 * 0.7517;
    QTest::newRow("alternator turned backwards, V AC") << 1 << "Dyn" << -0.04 << -1.0 << 0.0 << 0.04 * 0.7517;
    QTest::newRow("alternator, V DC") << 2 << "Dyn" << 4.0 << 10.0 << 0.0 << 0.0;
    // A generator at 0 Hz delivers a steady level: a sine stands at its
    // offset, which is all DC.
    QTest::newRow("sine at 0 Hz, V AC") << 1 << "Sinus" << 10.0 << 0.0 << 2.0 << 0.0;
    QTest::newRow("sine at 0 Hz, V DC") << 2 << "Sinus" << 10.0 << 0.0 << 2.0 << 2.0;
}

void tst_MesureTRMS::readingByPositionAndSource()
{
    QFETCH(int, position);
    QFETCH(QString, mot);
    QFETCH(double, amplitude);
    QFETCH(double, frequence);
    QFETCH(double, decalage);
    QFETCH(double, attendu);
    const SignalMesure s = signal(qPrintable(mot), amplitude, frequence, decalage);
    QVERIFY2(std::fabs(LectureTRMS(position, s) - attendu) < 1e-9, qPrintable(QString::number(LectureTRMS(position, s))));
}

void tst_MesureTRMS::squareAgainstItsTrueMeanAndRms_data()
{
    QTest::addColumn<double>("rapport");
    QTest::addColumn<double>("decalage");
    for (double d : {0.25, 0.5, 0.75})
        for (double o : {0.0, 2.0, -1.5})
            QTest::addRow("duty %g, offset %g", d, o) << d << o;
}

// A 5 V square sampled over one period: its true mean and RMS are what the
// DC and AC positions read.
void tst_MesureTRMS::squareAgainstItsTrueMeanAndRms()
{
    QFETCH(double, rapport);
    QFETCH(double, decalage);
    const double a = 5;
    const int n = 100000;
    double somme = 0, carres = 0;
    for (int i = 0; i < n; ++i) {
        const double v = ((i + 0.5) / n < rapport ? a : -a) + decalage;
        somme += v;
        carres += v * v;
    }
    const SignalMesure s = signal("Carre", a, 50, decalage, rapport);
    const double moyenne = somme / n;
    QVERIFY(std::fabs(LectureTRMS(2, s) - moyenne) < 1e-6);
    QVERIFY(std::fabs(LectureTRMS(3, s) - moyenne) < 1e-6);
    // V AC: the RMS of what is left once the mean is taken away.
    QVERIFY2(std::fabs(LectureTRMS(1, s) - std::sqrt(carres / n - moyenne * moyenne)) < 1e-6,
             qPrintable(QString::number(LectureTRMS(1, s))));
}

void tst_MesureTRMS::minMax_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("rapport");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("min");
    QTest::newRow("battery 4.5 V") << "Cc" << 4.5 << 0.0 << 0.5 << 4.5 << 4.5;
    QTest::newRow("battery reversed") << "Cc" << -4.5 << 0.0 << 0.5 << -4.5 << -4.5;
    // A square's levels are its offset ± A whatever its duty.
    QTest::newRow("square 25 %") << "Carre" << 5.0 << 0.0 << 0.25 << 5.0 << -5.0;
    QTest::newRow("square 25 %, offset 2 V") << "Carre" << 5.0 << 2.0 << 0.25 << 7.0 << -3.0;
    QTest::newRow("square 75 %, offset -1 V") << "Carre" << 5.0 << -1.0 << 0.75 << 4.0 << -6.0;
    QTest::newRow("sine 3 V, offset 2 V") << "Sinus" << 3.0 << 2.0 << 0.5 << 5.0 << -1.0;
    QTest::newRow("triangle 5 V, offset -2 V") << "Triangle" << 5.0 << -2.0 << 0.5 << 3.0 << -7.0;
    // 1000 tr/min: A = 4.189 V, the wave's crest 1.5 × A.
    QTest::newRow("alternator 1000 tr/min") << "Dyn" << 2 * M_PI * 1000 / 60 / 25 << 0.0 << 0.5
                                            << 6.283185307179586 << -6.283185307179586;
}

void tst_MesureTRMS::minMax()
{
    QFETCH(QString, mot);
    QFETCH(double, amplitude);
    QFETCH(double, decalage);
    QFETCH(double, rapport);
    QFETCH(double, max);
    QFETCH(double, min);
    const SignalMesure s = signal(qPrintable(mot), amplitude, 50, decalage, rapport);
    QVERIFY2(std::fabs(MinMaxTRMS(s, true) - max) < 1e-9,
             qPrintable(QString::number(MinMaxTRMS(s, true))));
    QVERIFY2(std::fabs(MinMaxTRMS(s, false) - min) < 1e-9,
             qPrintable(QString::number(MinMaxTRMS(s, false))));
}

void tst_MesureTRMS::alternatorMinMaxAgainstItsWave_data()
{
    QTest::addColumn<double>("vitesse"); // tr/min
    QTest::newRow("1000 tr/min") << 1000.0;
    QTest::newRow("2510 tr/min") << 2510.0;
    QTest::newRow("-10 tr/min") << -10.0;
}

// MIN MAX holds the highest and lowest values of the wave the scope draws,
// sampled over one period.
void tst_MesureTRMS::alternatorMinMaxAgainstItsWave()
{
    QFETCH(double, vitesse);
    const double f = 2 * kPi * vitesse / 60;
    const double a = f / 25;
    double haut = -1e9, bas = 1e9;
    const int n = 100000;
    for (int i = 0; i < n; ++i) {
        const double v = ValeurDyn(double(i) / n / std::fabs(f), f, a);
        haut = std::max(haut, v);
        bas = std::min(bas, v);
    }
    const SignalMesure s = signal("Dyn", a, f);
    QVERIFY2(std::fabs(MinMaxTRMS(s, true) - haut) < 1e-6, qPrintable(QString::number(haut)));
    QVERIFY2(std::fabs(MinMaxTRMS(s, false) - bas) < 1e-6, qPrintable(QString::number(bas)));
}

void tst_MesureTRMS::ranges_data()
{
    QTest::addColumn<double>("valeur");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("gamme");
    QTest::addColumn<QString>("chiffres");
    QTest::newRow("0") << 0.0 << 2 << "600 mV" << "000.0";
    QTest::newRow("0.5 V") << 0.5 << 2 << "600 mV" << "500.0";
    QTest::newRow("0.6 V") << 0.6 << 1 << "6 V" << "0.600";
    QTest::newRow("1.5 V") << 1.5 << 2 << "6 V" << "1.500";
    QTest::newRow("-1.5 V") << -1.5 << 2 << "6 V" << "1.500";
    QTest::newRow("6 V") << 6.0 << 2 << "6 V" << "6.000";
    QTest::newRow("7.0711 V") << 10 / std::sqrt(2.0) << 1 << "60 V" << "07.07";
    QTest::newRow("60 V") << 60.0 << 1 << "60 V" << "60.00";
    QTest::newRow("230 V") << 230.0 << 1 << "600 V" << "230.0";
    QTest::newRow("600 V") << 600.0 << 1 << "600 V" << "600.0";
    QTest::newRow("750 V") << 750.0 << 1 << "1000 V" << "0750";
    QTest::newRow("mV position keeps 600 mV") << 0.7 << 3 << "600 mV" << "700.0";
}

void tst_MesureTRMS::ranges()
{
    QFETCH(double, valeur);
    QFETCH(int, position);
    QFETCH(QString, gamme);
    QFETCH(QString, chiffres);
    const GammeTRMS& g = GammeAutomatique(valeur, position);
    QCOMPARE(QString::fromLatin1(g.nom), gamme);
    QCOMPARE(ChiffresTRMS(valeur, g), chiffres);
    QCOMPARE(&GammeNommee(gamme), &g);
}

void tst_MesureTRMS::rangeButtonSequence()
{
    QStringList suite;
    for (QString g = QStringLiteral("600 mV"); !g.isEmpty(); g = GammeSuivante(g))
        suite << g;
    QCOMPARE(suite, (QStringList{"600 mV", "6 V", "60 V", "600 V", "1000 V"}));
    QCOMPARE(GammeSuivante(QStringLiteral("20 V")), QStringLiteral("20 V"));
    QCOMPARE(GammeNommee(QStringLiteral("20 V")).pleineEchelle, 1000.0);
}

void tst_MesureTRMS::angleBands_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("position");
    QTest::newRow("0") << 0.0 << 4;
    QTest::newRow("10") << 10.0 << 4;
    QTest::newRow("14.99") << 14.99 << 4;
    QTest::newRow("15") << 15.0 << 3;
    QTest::newRow("15 less a rounding error") << std::nextafter(15.0, 0.0) << 3;
    QTest::newRow("45") << 45.0 << 3;
    QTest::newRow("45 as the mouse computes it") << std::atan(1.0) / (3.14159265358979 / 180) << 3;
    QTest::newRow("45.01") << 45.01 << 2;
    QTest::newRow("75") << 75.0 << 2;
    QTest::newRow("75.01") << 75.01 << 1;
    QTest::newRow("115") << 115.0 << 1;
    QTest::newRow("115.01") << 115.01 << 0;
    QTest::newRow("180") << 180.0 << 0;
    QTest::newRow("180.01") << 180.01 << 7;
    QTest::newRow("285") << 285.0 << 7;
    QTest::newRow("285.01") << 285.01 << 6;
    QTest::newRow("315") << 315.0 << 6;
    QTest::newRow("315.01") << 315.01 << 5;
    QTest::newRow("345") << 345.0 << 5;
    QTest::newRow("345.01") << 345.01 << 4;
    QTest::newRow("350") << 350.0 << 4;
    QTest::newRow("360") << 360.0 << 4;
    QTest::newRow("centre 450") << 450.0 << 4;
}

void tst_MesureTRMS::angleBands()
{
    QFETCH(double, angle);
    QFETCH(int, position);
    QCOMPARE(PositionPourAngleTRMS(angle), position);
    if (position != 4)
        QCOMPARE(PositionPourAngleTRMS(AngleTRMS(position)), position); // the pointer's own angle
}

QTEST_MAIN(tst_MesureTRMS)
#include "tst_mesure_trms.moc"
