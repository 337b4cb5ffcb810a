// A multimeter's leads on a scope input read the source across that input,
// whatever the scope does with it: switched off, in GND, with "-CH2". Only
// the input's plug taken out leaves them nothing to read.

#include "BancScope.h"

#include "bench/Voltmetre.h"
#include "bench/frmGBF.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmToolBox.h"
#include "bench/frmVolt.h"
#include "platform/Potentio_Creme.h"
#include "scope/frmWavix.h"
#include "services/FichierINI.h"
#include "services/ModeleBanc.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

namespace {

// The school meter's display: its sign and digits.
QString affichage(const frmVolt* volt)
{
    return (volt->lblSigne->isHidden() ? QString() : QStringLiteral("-")) + volt->lblValue->text();
}

// The true-RMS meter's screen: sign, digits, units and its DC/AC legend.
QString ecran(const frmMulti_RMS* m)
{
    QString unites;
    for (const QLabel* u : m->lblUnite)
        if (!u->isHidden())
            unites += u->text();
    QString legende;
    for (const QLabel* l : m->lblACDC)
        if (!l->isHidden())
            legende += QLatin1Char(' ') + l->text();
    return (m->lblSigne->isHidden() ? QString() : QStringLiteral("-")) + m->lblValue->text() + QLatin1Char(' ')
        + unites + legende;
}

// The scope in CH2 with the stored coupling and "-CH2", on or off, its
// plugs in; the meter chosen, opened from the toolbox, its leads in V and
// COM on CH2.
struct BancMesure {
    BancScope banc;
    frmToolBox* boite = nullptr;

    BancMesure(bool college, int couplageCH2, bool inverse, bool allume)
        : banc(1, 1, 3 + couplageCH2, inverse, allume)
    {
        EcrireINI("Options", "Multimetre college", college ? "1" : "0");
        boite = Forms().get<frmToolBox>();
        boite->chkMulti->click();
    }
};

// Its digits with their sign alone.
QString chiffres(const frmMulti_RMS* m)
{
    return (m->lblSigne->isHidden() ? QString() : QStringLiteral("-")) + m->lblValue->text();
}

} // namespace

class tst_MesureBanc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void batteryAcrossTheInput_data();
    void batteryAcrossTheInput();
    void minMaxOnInvertedCH2();
};

void tst_MesureBanc::batteryAcrossTheInput_data()
{
    QTest::addColumn<int>("couplage"); // CH2: 0 AC, 1 DC, 2 GND
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<bool>("allume");
    QTest::addColumn<bool>("fiche");   // the scope's CH2 plug
    QTest::addColumn<QString>("college");
    QTest::addColumn<QString>("trms");
    QTest::newRow("scope on, DC") << 1 << false << true << true << "9.00" << "09.00 V DC";
    QTest::newRow("scope switched off") << 1 << false << false << true << "9.00" << "09.00 V DC";
    QTest::newRow("GND coupling") << 2 << false << true << true << "9.00" << "09.00 V DC";
    QTest::newRow("AC coupling") << 0 << false << true << true << "9.00" << "09.00 V DC";
    QTest::newRow("-CH2") << 1 << true << true << true << "9.00" << "09.00 V DC";
    QTest::newRow("input plug out") << 1 << false << true << false << "0.00" << "000.0 mV DC";
    QTest::newRow("plug out, scope off") << 1 << false << false << false << "0.00" << "000.0 mV DC";
}

// A 9 V battery on CH2, read on the school meter's 20 V DC and on the
// true-RMS meter's V DC.
void tst_MesureBanc::batteryAcrossTheInput()
{
    QFETCH(int, couplage);
    QFETCH(bool, inverse);
    QFETCH(bool, allume);
    QFETCH(bool, fiche);
    QFETCH(QString, college);
    QFETCH(QString, trms);
    for (bool ecole : {true, false}) {
        BancMesure b(ecole, couplage, inverse, allume);
        b.boite->choisir(6); // "Pile 9 V" on CH2
        if (!fiche)
            b.banc.scope->basculerFiche(1);
        QCOMPARE(b.banc.scope->estAllume(), allume);
        if (ecole) {
            auto* volt = Forms().find<frmVolt>();
            QVERIFY(volt);
            volt->imgBorne_Click(frmVolt::V);
            volt->imgBorne_Click(frmVolt::COM);
            volt->optVoie[1]->click();
            TournerSelecteur(2); // 20 V DC
            QCOMPARE(affichage(volt), college);
        } else {
            auto* multi = Forms().find<frmMulti_RMS>();
            QVERIFY(multi);
            multi->imgBorne_Click(frmMulti_RMS::V);
            multi->imgBorne_Click(frmMulti_RMS::COM);
            multi->optVoie[1]->click();
            multi->PlacerSelecteur(2); // V DC
            QCOMPARE(ecran(multi), trms);
        }
    }
}

// MIN MAX holds the levels of the signal across the input: a 10 V sine on
// +2 V is 12 V at most and -8 V at least, whatever "-CH2" shows on the
// screen.
void tst_MesureBanc::minMaxOnInvertedCH2()
{
    BancMesure b(false, 1, true, true);
    QVERIFY(b.banc.scope->panneau().inverseAllume());
    // The offset knob at 120 of 200: +2 V.
    frmGBF* g = b.banc.generateur(1, true, 50, 0, 120, 0, false);
    g->basculerFiche(0);
    g->basculerFiche(1);
    g->Potentio[1]->setValue(10000);
    g->Potentio_MouseMove(1, 1);
    Modele().finirReglage();
    auto* multi = Forms().find<frmMulti_RMS>();
    multi->imgBorne_Click(frmMulti_RMS::V);
    multi->imgBorne_Click(frmMulti_RMS::COM);
    multi->optVoie[1]->click();
    multi->PlacerSelecteur(2);
    multi->cmdBouton[0]->click();
    QCOMPARE(chiffres(multi), QStringLiteral("12.00"));
    multi->cmdBouton[0]->click();
    QCOMPARE(chiffres(multi), QStringLiteral("-08.00"));
}

QTEST_MAIN(tst_MesureBanc)
#include "tst_mesure_banc.moc"
