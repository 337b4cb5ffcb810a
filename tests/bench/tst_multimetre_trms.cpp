#include "BancScope.h"

#include "app/FichierINI.h"
#include "app/MDIWavix.h"
#include "bench/RequetesBanc.h"
#include "bench/Voltmetre.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmPile.h"
#include "bench/frmToolBox.h"
#include "scope/CourbeWavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

namespace {

// The scope on with its plugs in, the true-RMS meter chosen and opened from
// the toolbox, its leads in V and COM on CH1, and a 9 V battery on CH1.
struct BancTRMS {
    BancScope banc{0};
    frmToolBox* boite = nullptr;
    frmMulti_RMS* multi = nullptr;

    BancTRMS()
    {
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

} // namespace

class tst_MultimetreTRMS : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingsOnTheBench_data();
    void readingsOnTheBench();
    void harmonicGeneratorReadsZero();
    void rangeButton();
    void minMaxSequence();
    void rangeStateKeptAcrossClosingAndRuns();
    void buttonsDoNothingAtOff();
};

void tst_MultimetreTRMS::readingsOnTheBench_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("volts");
    QTest::addColumn<int>("appuis"); // presses of RANGE from AUTO
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<int>("barre");
    QTest::newRow("1.5 V, V DC, AUTO") << 2 << 1.5 << 0 << "1.500 V" << 25;
    QTest::newRow("1.5 V, V AC, AUTO") << 1 << 1.5 << 0 << "1.500 V" << 25;
    QTest::newRow("-1.5 V, V DC") << 2 << -1.5 << 0 << "-1.500 V" << 25;
    QTest::newRow("0.6 V, AUTO") << 2 << 0.6 << 0 << "0.600 V" << 10;
    QTest::newRow("0.5 V, mV DC") << 3 << 0.5 << 0 << "500.0 mV" << 83;
    QTest::newRow("0.7 V, mV DC") << 3 << 0.7 << 0 << "1." << 100;
    QTest::newRow("7 V, manual 6 V") << 2 << 7.0 << 2 << "1." << 100;
    QTest::newRow("9 V, manual 600 mV") << 2 << 9.0 << 1 << "1." << 100;
    QTest::newRow("9 V, manual 60 V") << 2 << 9.0 << 3 << "09.00 V" << 15;
    QTest::newRow("9 V, manual 600 V") << 2 << 9.0 << 4 << "009.0 V" << 2;
    QTest::newRow("9 V, manual 1000 V") << 2 << 9.0 << 5 << "0009 V" << 1;
    QTest::newRow("ohms") << 4 << 9.0 << 0 << "1." << -1;
    QTest::newRow("diode") << 5 << 9.0 << 0 << "1." << -1;
    QTest::newRow("amperes") << 6 << 9.0 << 0 << "0.000 A" << 0;
    QTest::newRow("microamperes") << 7 << 9.0 << 0 << "000.0 \u00B5A" << 0;
}

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
    AmplitudeA = volts;
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
    FormeSignalA = QStringLiteral("harmo");
    CalculerMesure();
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
    // The blank button does nothing.
    b.multi->cmdBouton[2]->click();
    QVERIFY(!b.multi->lblAuto->isHidden());
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
        QCOMPARE(PositionSelecteur, 0);
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

QTEST_MAIN(tst_MultimetreTRMS)
#include "tst_multimetre_trms.moc"
