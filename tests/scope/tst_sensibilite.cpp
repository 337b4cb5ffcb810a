#include "platform/VbFormat.h"
#include "services/ModeleBanc.h"
#include "scope/CourbeWavix.h"
#include "bench/GammesGenerateur.h"
#include "services/Sensibilite.h"

#include <QLabel>
#include <QLocale>
#include <QtTest>

class tst_Sensibilite : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tables_data();
    void tables();
    void tablesEnd();
    void format_data();
    void format();
    void frequencyCaption_data();
    void frequencyCaption();
    void captionOnGeneratorWindow();
};

void tst_Sensibilite::tables_data()
{
    QTest::addColumn<bool>("base");  // the time-base table, else the sensitivities
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QString>("texte");
    const struct {
        double valeur;
        const char* texte;
    } bases[] = {
        {0.5, "0.5 s/div"},    {0.2, "0.2 s/div"},    {0.1, "0.1 s/div"},    {0.05, "50 ms/div"},
        {0.02, "20 ms/div"},   {0.01, "10 ms/div"},   {0.005, "5 ms/div"},   {0.002, "2 ms/div"},
        {0.001, "1 ms/div"},   {0.0005, "0.5 ms/div"}, {0.0002, "0.2 ms/div"}, {0.0001, "0.1 ms/div"},
        {0.00005, "50 µs/div"}, {0.00002, "20 µs/div"}, {0.00001, "10 µs/div"}, {0.000005, "5 µs/div"},
        {0.000002, "2 µs/div"}, {0.000001, "1 µs/div"},
    },
      sensibilites[] = {
        {100, "100 V/div"}, {50, "50 V/div"},   {20, "20 V/div"},   {10, "10 V/div"},   {5, "5 V/div"},
        {2, "2 V/div"},     {1, "1 V/div"},     {0.5, "0.5 V/div"}, {0.2, "0.2 V/div"}, {0.1, "0.1 V/div"},
        {0.05, "50 mV/div"}, {0.02, "20 mV/div"}, {0.01, "10 mV/div"}, {0.005, "5 mV/div"},
    };
    for (int i = 0; i < 18; ++i)
        QTest::addRow("time base %d", i) << true << i << bases[i].valeur << QString::fromUtf8(bases[i].texte);
    for (int i = 0; i < 14; ++i)
        QTest::addRow("sensitivity %d", i) << false << i << sensibilites[i].valeur
                                           << QString::fromUtf8(sensibilites[i].texte);
}

void tst_Sensibilite::tables()
{
    QFETCH(bool, base);
    QFETCH(int, index);
    QFETCH(double, valeur);
    QFETCH(QString, texte);
    QCOMPARE(base ? BaseTempsParIndex(index) : SensibiliteParIndex(index), valeur);
    const QStringList& textes = base ? TextesBasesTemps() : TextesSensibilites();
    QCOMPARE(textes.size(), base ? 18 : 14);
    QCOMPARE(textes[index], texte);
}

void tst_Sensibilite::tablesEnd()
{
    QCOMPARE(BaseTempsParIndex(18), 0.0);
    QCOMPARE(BaseTempsParIndex(-1), 0.0);
    QCOMPARE(SensibiliteParIndex(14), 0.0);
    QCOMPARE(SensibiliteParIndex(-1), 0.0);
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
    QLabel afficheurA("000.0"), afficheurB("000.0");
    QLabel* a = &afficheurA;
    QLabel* b = &afficheurB;

    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 1500; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Gamme = 1000; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = 12.5; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Gamme = 10; });
    AfficherFrequence(0, a);
    AfficherFrequence(1, b);
    QCOMPARE(a->text(), QStringLiteral("1.500"));
    QCOMPARE(b->text(), QStringLiteral("12.50"));

    // Before a generator has set its range the label keeps its caption.
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Gamme = 0; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = 3; });
    AfficherFrequence(0, a);
    QCOMPARE(a->text(), QStringLiteral("1.500"));
}

QTEST_MAIN(tst_Sensibilite)
#include "tst_sensibilite.moc"
