#include "platform/VbFormat.h"
#include "scope/CourbeWavix.h"
#include "scope/Sensibilite.h"

#include <QLabel>
#include <QLocale>
#include <QtTest>

class tst_Sensibilite : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tables();
    void format_data();
    void format();
    void frequencyCaption_data();
    void frequencyCaption();
    void captionOnGeneratorWindow();
};

void tst_Sensibilite::tables()
{
    QCOMPARE(BaseTempsParIndex(0), 0.5);
    QCOMPARE(BaseTempsParIndex(5), 0.01);
    QCOMPARE(BaseTempsParIndex(17), 0.000001);
    QCOMPARE(BaseTempsParIndex(18), 0.0);
    QCOMPARE(BaseTempsParIndex(-1), 0.0);
    QCOMPARE(SensibiliteParIndex(0), 100.0);
    QCOMPARE(SensibiliteParIndex(13), 0.005);
    QCOMPARE(SensibiliteParIndex(14), 0.0);

    const QStringList& bases = TextesBasesTemps();
    const QStringList& sensibilites = TextesSensibilites();
    QCOMPARE(bases.size(), 18);
    QCOMPARE(sensibilites.size(), 14);
    QCOMPARE(bases[3], QStringLiteral("50 ms/div"));
    QCOMPARE(bases[9], QStringLiteral("0.5 ms/div"));
    QCOMPARE(bases[12], QStringLiteral("50 µs/div"));
    QCOMPARE(sensibilites[7], QStringLiteral("0.5 V/div"));
    QCOMPARE(sensibilites[10], QStringLiteral("50 mV/div"));
    // Each text names its table value, slowest or largest first, 1-2-5 steps.
    for (int i = 0; i < 18; ++i)
        QVERIFY(bases[i].endsWith("/div"));
    for (int i = 1; i < 18; ++i) {
        const double ratio = BaseTempsParIndex(i - 1) / BaseTempsParIndex(i);
        QVERIFY(qFuzzyCompare(ratio, 2.5) || qFuzzyCompare(ratio, 2.0));
    }
}

void tst_Sensibilite::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("leading zeros") << 1.5 << "000.0" << "001.5";
    QTest::newRow("four digits") << 12.5 << "00.00" << "12.50";
    QTest::newRow("more integer digits than zeros") << 1523.0 << "000.0" << "1523.0";
    QTest::newRow("half away from zero") << 2.25 << "000.0" << "002.3";
    QTest::newRow("decimal value, not the double") << 1.005 << "0.00" << "1.01";
    QTest::newRow("decimal value, three places") << 1.0005 << "0.000" << "1.001";
    QTest::newRow("carry into the integer") << 99.999 << "00.00" << "100.00";
    QTest::newRow("negative") << -1.5 << "0.000" << "-1.500";
    QTest::newRow("negative half") << -2.25 << "0.0" << "-2.3";
    QTest::newRow("no negative zero") << -0.04 << "#0.0" << "0.0";
    QTest::newRow("optional digit") << 0.5 << "#0.00" << "0.50";
    QTest::newRow("optional digits shown") << 123.456 << "#0.00" << "123.46";
    QTest::newRow("tiny") << 0.0004 << "0.000" << "0.000";
    QTest::newRow("no decimals") << 2.5 << "0" << "3";
}

void tst_Sensibilite::format()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(Format(value, pattern), text);
}

void tst_Sensibilite::frequencyCaption_data()
{
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("gamme");
    QTest::addColumn<QString>("texte");
    QTest::newRow("1500 Hz, 1000 range") << 1500.0 << 1000.0 << "1.500";
    QTest::newRow("12.5 Hz, 10 range") << 12.5 << 10.0 << "12.50";
    QTest::newRow("523 Hz, 100 range") << 523.0 << 100.0 << "523.0";
    QTest::newRow("1.5 Hz, 100 range") << 1.5 << 100.0 << "001.5";
    QTest::newRow("0.75 Hz, 1 range") << 0.75 << 1.0 << "0.750";
    QTest::newRow("25 kHz, 10000 range") << 25000.0 << 10000.0 << "25.00";
    QTest::newRow("150 kHz, 100000 range") << 150000.0 << 100000.0 << "150.0";
    QTest::newRow("no generator yet") << 50.0 << 0.0 << "";
    QTest::newRow("unknown range") << 50.0 << 50.0 << "";
}

void tst_Sensibilite::frequencyCaption()
{
    QFETCH(double, frequence);
    QFETCH(double, gamme);
    QFETCH(QString, texte);
    // A French desktop writes decimal commas; the displays keep the point.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QCOMPARE(TexteFrequence(frequence, gamme), texte);
    QLocale::setDefault(QLocale::c());
}

void tst_Sensibilite::captionOnGeneratorWindow()
{
    QWidget generateurA, generateurB;
    auto* a = new QLabel("000.0", &generateurA);
    a->setObjectName("lblFreqA");
    auto* b = new QLabel("000.0", &generateurB);
    b->setObjectName("lblFreqB");

    FrequenceA = 1500;
    GammeA = 1000;
    FrequenceB = 12.5;
    GammeB = 10;
    AfficherFrequenceA(&generateurA);
    AfficherFrequenceB(&generateurB);
    QCOMPARE(a->text(), QStringLiteral("1.500"));
    QCOMPARE(b->text(), QStringLiteral("12.50"));

    // Before a generator has set its range the label keeps its caption.
    GammeA = 0;
    FrequenceA = 3;
    AfficherFrequenceA(&generateurA);
    QCOMPARE(a->text(), QStringLiteral("1.500"));
}

QTEST_MAIN(tst_Sensibilite)
#include "tst_sensibilite.moc"
