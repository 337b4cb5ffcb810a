#include "scope/Spectre.h"

#include "services/PanneauScope.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using Raies = QList<QPointF>; // x, height
Q_DECLARE_METATYPE(SourceSpectre)
Q_DECLARE_METATYPE(Couplage)

namespace {

SourceSpectre source(const QString& forme, double amplitude, double frequence, double rapport = 0.5,
                     double decalage = 0, double sensibilite = 5)
{
    SourceSpectre s;
    s.branchee = true;
    s.forme = forme;
    s.amplitude = amplitude;
    s.frequence = frequence;
    s.rapport = rapport;
    s.decalage = decalage;
    s.sensibilite = sensibilite;
    return s;
}

// The height of the line standing at x; the tallest one when lines share it.
std::optional<double> hauteurEn(const FigureSpectre& figure, double x)
{
    std::optional<double> h;
    for (const RaieSpectre& r : figure.raies)
        if (std::abs(r.x - x) < 1e-6 && (!h || std::abs(r.hauteur) > std::abs(*h)))
            h = r.hauteur;
    return h;
}

QStringList textes(const FigureSpectre& figure, int rang = -1)
{
    QStringList t;
    for (const EtiquetteSpectre& e : figure.etiquettes)
        if (rang < 0 || e.rang == rang)
            t << e.texte;
    return t;
}

void verifierRaies(const FigureSpectre& figure, const Raies& raies)
{
    for (const QPointF& r : raies) {
        const std::optional<double> h = hauteurEn(figure, r.x());
        QVERIFY2(h, qPrintable(QString("no line at x = %1").arg(r.x())));
        QVERIFY2(std::abs(*h - r.y()) < 0.01,
                 qPrintable(QString("line at x = %1: %2, expected %3").arg(r.x()).arg(*h).arg(r.y())));
    }
}

} // namespace

class tst_Spectre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void uneVoie_data();
    void uneVoie();
    void voieNonBranchee();
    void harmoConstantTerm_data();
    void harmoConstantTerm();
    void dualAnchor_data();
    void dualAnchor();
    void denseLabelsAreThinnedOut();
    void add_data();
    void add();
};

void tst_Spectre::uneVoie_data()
{
    QTest::addColumn<QString>("forme");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("rapport");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<Couplage>("couplage");
    QTest::addColumn<double>("sensibilite");
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<Raies>("raies");          // none: no line at all
    QTest::addColumn<QStringList>("etiquettes"); // the first labels, left to right

    // 5 V at 5 V/div: 20 units a volt; 1 ms/div: the harmonics of 1 kHz one
    // division apart from x = -400.
    QTest::newRow("sine") << "Sinus" << 5.0 << 1000.0 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.001
                          << Raies{{-400, 100}, {-500, 0}, {-300, 0}} << QStringList{"1000"};
    QTest::newRow("square 50 %") << "Carré" << 5.0 << 1000.0 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.001
                                 << Raies{{-500, 0}, {-400, 127.32}, {-300, 0}, {-200, 42.44}, {0, 25.46}}
                                 << QStringList{"1000", "3000", "5000", "7000", "9000", "11000"};
    QTest::newRow("square 50 %, offset alone") << "carre" << 5.0 << 1000.0 << 0.5 << 1.0 << Couplage::DC << 5.0 << 0.001
                                               << Raies{{-500, 20}, {-400, 127.32}}
                                               << QStringList{"0", "1000", "3000"};
    // Mean of the square: (2 x 0.25 - 1) x 5 + 1 = -1.5 V, 30 units.
    QTest::newRow("square 25 %, its mean and the offset")
        << "Carre" << 5.0 << 1000.0 << 0.25 << 1.0 << Couplage::DC << 5.0 << 0.001
        << Raies{{-500, 30}, {-400, 90.03}, {-300, 63.66}, {-200, 30.01}, {-100, 0}} << QStringList{"0", "1000", "3000"};
    QTest::newRow("square 25 %, AC coupled") << "Carre" << 5.0 << 1000.0 << 0.25 << 0.0 << Couplage::AC << 5.0 << 0.001
                                             << Raies{{-500, 0}, {-400, 90.03}} << QStringList{"1000", "3000"};
    QTest::newRow("triangle, symmetric") << "Triangle" << 5.0 << 1000.0 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.001
                                         << Raies{{-400, 81.06}, {-300, 0}, {-200, 9.01}, {0, 3.24}}
                                         << QStringList{"1000", "3000", "5000"};
    // The sawtooth's even harmonics are drawn but never labelled.
    QTest::newRow("triangle, sawtooth") << "triangulaire" << 5.0 << 1000.0 << 0.0 << 0.0 << Couplage::DC << 5.0 << 0.001
                                        << Raies{{-400, 63.66}, {-300, 31.83}, {-200, 21.22}}
                                        << QStringList{"1000", "3000", "5000"};
    QTest::newRow("triangle, rising 20 %") << "Triangle" << 5.0 << 1000.0 << 0.2 << 0.0 << Couplage::DC << 5.0 << 0.001
                                           << Raies{{-400, 74.44}, {-300, 30.11}} << QStringList{"1000", "3000"};
    // Alternator: 1, 0.3, 0.2 at harmonics 1, 3, 5; 2 V at 1 V/div, 5 ms/div.
    QTest::newRow("alternator") << "dyn" << 2.0 << 50.0 << 0.0 << 0.0 << Couplage::DC << 1.0 << 0.005
                                << Raies{{-400, 200}, {-375, 0}, {-350, 60}, {-300, 40}, {-250, 0}}
                                << QStringList{"50", "150", "250"};
    // The magnitude stands up whatever the sign: an inverted sine, an
    // alternator's wheel turned backwards.
    QTest::newRow("sine, inverted") << "Sinus" << -5.0 << 1000.0 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.001
                                    << Raies{{-400, 100}} << QStringList{"1000"};
    QTest::newRow("alternator turned backwards") << "dyn" << -2.0 << 50.0 << 0.0 << 0.0 << Couplage::DC << 1.0 << 0.005
                                                 << Raies{{-400, 200}, {-350, 60}, {-300, 40}}
                                                 << QStringList{"50", "150", "250"};
    // A grounded input carries nothing: the baseline alone.
    QTest::newRow("square with offset, grounded") << "Carre" << 5.0 << 1000.0 << 0.25 << 1.0 << Couplage::GND << 5.0
                                                  << 0.001 << Raies{} << QStringList{};
    QTest::newRow("DC, grounded") << "Cc" << 3.0 << 0.0 << 0.0 << 0.0 << Couplage::GND << 1.0 << 0.001 << Raies{}
                                  << QStringList{};
    QTest::newRow("DC, negative") << "Cc" << -3.0 << 0.0 << 0.0 << 0.0 << Couplage::DC << 1.0 << 0.001
                                  << Raies{{-400, 300}} << QStringList{"0"};
    QTest::newRow("DC with an offset") << "CC" << 2.0 << 0.0 << 0.0 << 1.0 << Couplage::DC << 1.0 << 0.001
                                       << Raies{{-400, 300}} << QStringList{"0"};
    QTest::newRow("unknown word: its offset only") << "bruit" << 2.0 << 1000.0 << 0.0 << 1.0 << Couplage::DC << 1.0 << 0.001
                                                   << Raies{{-500, 100}, {-400, 0}} << QStringList{"0"};
    // 2.36 Hz goes to 2.4 Hz; 10 units a hertz at 0.1 s/div.
    QTest::newRow("2.36 Hz rounded") << "Carre" << 5.0 << 2.36 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.1
                                     << Raies{{-400, 127.32}, {-304, 25.46}} << QStringList{"2.4", "7.2", "12", "17"};
    QTest::newRow("0.5 Hz") << "Sinus" << 5.0 << 0.5 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.5
                            << Raies{{-400, 100}} << QStringList{"0.5"};
    QTest::newRow("1234.5 Hz to the hertz") << "Sinus" << 5.0 << 1234.5 << 0.5 << 0.0 << Couplage::DC << 5.0 << 0.001
                                            << Raies{{-400, 100}} << QStringList{"1235"};
}

void tst_Spectre::uneVoie()
{
    QFETCH(QString, forme);
    QFETCH(double, amplitude);
    QFETCH(double, frequence);
    QFETCH(double, rapport);
    QFETCH(double, decalage);
    QFETCH(Couplage, couplage);
    QFETCH(double, sensibilite);
    QFETCH(double, baseTemps);
    QFETCH(Raies, raies);
    QFETCH(QStringList, etiquettes);
    SourceSpectre s = source(forme, amplitude, frequence, rapport, decalage, sensibilite);
    s.couplageAC = couplage == Couplage::AC;
    s.couplageGND = couplage == Couplage::GND;
    s.position = 0;
    const FigureSpectre f = SpectreVoie({s, SourceSpectre{}}, 0, 0, baseTemps);
    verifierRaies(f, raies);
    if (raies.isEmpty())
        QCOMPARE(f.raies.size(), 0);
    QCOMPARE(textes(f).mid(0, etiquettes.size()), etiquettes);
    if (etiquettes.isEmpty())
        QCOMPARE(textes(f), QStringList());
    for (const EtiquetteSpectre& e : f.etiquettes)
        QCOMPARE(e.rang, 0);
}

void tst_Spectre::voieNonBranchee()
{
    // The harmonic generator's levels: 100 % and 50 % on the first two
    // harmonics, 25 % on the fourth.
    SourceSpectre harmo = source("harmo", 5, 1000);
    harmo.pourcents[0] = 100;
    harmo.pourcents[1] = 50;
    harmo.pourcents[3] = 25;
    harmo.phases[1] = 1; // a quarter turn: the same magnitude
    harmo.position = 120;
    FigureSpectre f = SpectreVoie({SourceSpectre{}, harmo}, 1, 0, 0.001);
    verifierRaies(f, {{-400, 100}, {-300, 50}, {-200, 0}, {-100, 25}});
    QCOMPARE(textes(f), QStringList{"1000"});
    QCOMPARE(f.etiquettes.first().rang, 1); // CH2's labels one row lower
    QCOMPARE(f.position, 120.0);
    // "-CH2" arrives as a negated amplitude: the heights are magnitudes.
    harmo.amplitude = -5;
    f = SpectreVoie({SourceSpectre{}, harmo}, 1, 0, 0.001);
    verifierRaies(f, {{-400, 100}, {-300, 50}});
    // An inverted sine stands up as the plain one.
    f = SpectreVoie({SourceSpectre{}, source("Sinus", -5, 1000)}, 1, 0, 0.001);
    verifierRaies(f, {{-400, 100}});

    // Not connected: only the baseline, at its position.
    harmo.branchee = false;
    f = SpectreVoie({SourceSpectre{}, harmo}, 1, 0, 0.001);
    QVERIFY(f.raies.isEmpty());
    QVERIFY(f.etiquettes.isEmpty());
    QCOMPARE(f.position, 120.0);
}

void tst_Spectre::harmoConstantTerm_data()
{
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("constante"); // volts
    QTest::addColumn<Couplage>("couplage");
    QTest::addColumn<double>("continu");   // the DC line, screen units
    QTest::addColumn<QStringList>("etiquettes");

    // 4 V with the fundamental alone at 5 V/div: 80 units at 1 kHz; the
    // constant term at 20 units a volt, half a division left of it at
    // 0.5 ms/div.
    QTest::newRow("+3 V, DC") << 4.0 << 3.0 << Couplage::DC << 60.0 << QStringList{"0", "1000"};
    QTest::newRow("-2 V, DC") << 4.0 << -2.0 << Couplage::DC << 40.0 << QStringList{"0", "1000"};
    QTest::newRow("-CH2: all of it negated") << -4.0 << -3.0 << Couplage::DC << 60.0 << QStringList{"0", "1000"};
    QTest::newRow("+3 V, AC") << 4.0 << 3.0 << Couplage::AC << 0.0 << QStringList{"1000"};
}

void tst_Spectre::harmoConstantTerm()
{
    QFETCH(double, amplitude);
    QFETCH(double, constante);
    QFETCH(Couplage, couplage);
    QFETCH(double, continu);
    QFETCH(QStringList, etiquettes);
    SourceSpectre harmo = source("harmo", amplitude, 1000);
    harmo.pourcents[0] = 100;
    harmo.constante = constante;
    harmo.couplageAC = couplage == Couplage::AC;
    const FigureSpectre f = SpectreVoie({harmo, SourceSpectre{}}, 0, 0, 0.0005);
    verifierRaies(f, {{-450, continu}, {-400, 80}});
    QCOMPARE(textes(f), etiquettes);
}

void tst_Spectre::dualAnchor_data()
{
    QTest::addColumn<double>("fA");
    QTest::addColumn<double>("fB");
    QTest::addColumn<bool>("bBranchee");
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("xA"); // CH1's fundamental, NaN when it is off the screen
    QTest::addColumn<double>("xB");

    const double nan = std::nan("");
    QTest::newRow("3 kHz over 1 kHz") << 3000.0 << 1000.0 << true << 0.0005 << 0.0 << -300.0 << -400.0;
    QTest::newRow("shifted by H") << 3000.0 << 1000.0 << true << 0.0005 << 50.0 << -250.0 << -350.0;
    QTest::newRow("equal frequencies") << 1000.0 << 1000.0 << true << 0.001 << 0.0 << -400.0 << -400.0;
    QTest::newRow("other channel dead") << 3000.0 << 1000.0 << false << 0.0005 << 0.0 << -400.0 << nan;
    QTest::newRow("half a unit goes to even") << 1005.0 << 1000.0 << true << 0.001 << 0.0 << -400.0 << -400.0;
    // 100 kHz against 50 Hz at 0.5 s/div: millions of units away.
    QTest::newRow("far off the screen") << 100000.0 << 50.0 << true << 0.5 << 0.0 << nan << -400.0;
}

void tst_Spectre::dualAnchor()
{
    QFETCH(double, fA);
    QFETCH(double, fB);
    QFETCH(bool, bBranchee);
    QFETCH(double, baseTemps);
    QFETCH(double, H);
    QFETCH(double, xA);
    QFETCH(double, xB);
    SourceSpectre a = source("Sinus", 5, fA);
    SourceSpectre b = source("Carre", 5, fB);
    b.branchee = bBranchee;
    const FigureSpectre fa = SpectreVoie({a, b}, 0, H, baseTemps);
    const FigureSpectre fb = SpectreVoie({a, b}, 1, H, baseTemps);
    if (std::isnan(xA)) {
        QVERIFY(fa.raies.isEmpty());
        QVERIFY(fa.etiquettes.isEmpty());
    } else {
        QCOMPARE(hauteurEn(fa, xA).value_or(0), 100.0);
    }
    if (!std::isnan(xB))
        QVERIFY(std::abs(hauteurEn(fb, xB).value_or(0) - 127.32) < 0.01);
    for (const FigureSpectre* f : {&fa, &fb}) {
        for (const RaieSpectre& r : f->raies)
            QVERIFY(r.x > -800 && r.x < 800);
        for (const EtiquetteSpectre& e : f->etiquettes)
            QVERIFY(e.x > -800 && e.x < 800);
    }
}

void tst_Spectre::denseLabelsAreThinnedOut()
{
    // A 92 Hz square at 1 ms/div: a labelled line every 184 Hz, 18.4 units
    // apart from 92 Hz at x = -400. With labels 6 units a character and a
    // 3-unit gap, "92" spans -406..-394, "276" -390.6..-372.6, and "460"
    // (-372.2..-354.2) would print over it.
    std::array<SourceSpectre, 2> sources{source("Carre", 2, 92), SourceSpectre{}};
    const FigureSpectre figure = SpectreVoie(sources, 0, 0, 0.001);
    const auto largeur = [](const QString& t) { return 6.0 * double(t.size()); };
    const QList<EtiquetteSpectre> lisibles = EtiquettesLisibles(figure.etiquettes, largeur, 3);
    QStringList gardees;
    for (const EtiquetteSpectre& e : lisibles)
        gardees << e.texte;
    QCOMPARE(gardees.mid(0, 3), (QStringList{"92", "276", "644"}));
    // Every label left out would have printed over one kept before it in its
    // row, and no two kept ones meet.
    for (const EtiquetteSpectre& e : figure.etiquettes) {
        const bool gardee = std::any_of(lisibles.cbegin(), lisibles.cend(),
                                        [&](const EtiquetteSpectre& l) { return l.x == e.x && l.texte == e.texte; });
        double fin = -1e9;
        for (const EtiquetteSpectre& l : lisibles)
            if (l.rang == e.rang && l.x < e.x)
                fin = std::max(fin, l.x + largeur(l.texte) / 2 + 3);
        QVERIFY2(gardee == (e.x - largeur(e.texte) / 2 >= fin), qPrintable(e.texte));
    }
    QVERIFY(lisibles.size() < figure.etiquettes.size());
}

void tst_Spectre::add_data()
{
    QTest::addColumn<SourceSpectre>("a");
    QTest::addColumn<SourceSpectre>("b");
    QTest::addColumn<double>("baseTemps");
    QTest::addColumn<Raies>("raies");
    QTest::addColumn<QStringList>("etiquettesA");
    QTest::addColumn<QStringList>("etiquettesB");

    const SourceSpectre sinus = source("Sinus", 5, 1000);
    SourceSpectre moins = sinus;
    moins.amplitude = -5;
    SourceSpectre morte = sinus;
    morte.branchee = false;
    SourceSpectre sinus236 = source("Sinus", 5, 2.36);
    // 2 V sine and 1 V offset at 2 V/div: 50 units a volt; "-CH2" negates
    // the whole of it.
    const SourceSpectre decale = source("Sinus", 2, 1000, 0.5, 1, 2);
    const SourceSpectre decaleInverse = source("Sinus", -2, 1000, 0.5, -1, 2);
    SourceSpectre decaleMasse = decale;
    decaleMasse.couplageGND = true;
    SourceSpectre decaleAC = decale;
    decaleAC.couplageAC = true;
    QTest::newRow("same sine on both") << sinus << sinus << 0.001 << Raies{{-400, 200}} << QStringList{"1000"}
                                       << QStringList{"1000"};
    QTest::newRow("-CH2 cancels") << sinus << moins << 0.001 << Raies{{-400, 0}} << QStringList() << QStringList();
    // A channel that carries nothing adds no line and no row of labels.
    QTest::newRow("CH2 not connected") << sinus << morte << 0.001 << Raies{{-400, 100}} << QStringList{"1000"}
                                       << QStringList();
    // The deflections add, offsets included: 4 V at 1 kHz and 2 V DC.
    QTest::newRow("2 V sine + 1 V on both") << decale << decale << 0.001 << Raies{{-400, 200}, {-500, 100}}
                                            << QStringList{"0", "1000"} << QStringList{"0", "1000"};
    QTest::newRow("2 V sine + 1 V, -CH2") << decale << decaleInverse << 0.001 << Raies{{-400, 0}, {-500, 0}}
                                          << QStringList() << QStringList();
    QTest::newRow("CH2 grounded") << decale << decaleMasse << 0.001 << Raies{{-400, 100}, {-500, 50}}
                                  << QStringList{"0", "1000"} << QStringList();
    QTest::newRow("CH1 grounded") << decaleMasse << decale << 0.001 << Raies{{-400, 100}, {-500, 50}}
                                  << QStringList() << QStringList{"0", "1000"};
    QTest::newRow("CH2 AC: CH1's offset alone") << decale << decaleAC << 0.001 << Raies{{-400, 200}, {-500, 50}}
                                                << QStringList{"0", "1000"} << QStringList{"0", "1000"};
    // The square's fundamental, 4A/pi, rises with the sine: in phase they add,
    // against an inverted sine they take away.
    QTest::newRow("square and sine in phase") << source("Carre", 5, 1000) << sinus << 0.001
                                              << Raies{{-400, 227.32}, {-200, 42.44}} << QStringList{"1000", "3000"}
                                              << QStringList{"1000", "3000"};
    QTest::newRow("square and inverted sine") << source("Carre", 5, 1000) << moins << 0.001
                                              << Raies{{-400, 27.32}, {-200, 42.44}} << QStringList{"1000", "3000"}
                                              << QStringList{"1000", "3000"};
    // A triangle rising from its low point at the start of the period is a
    // -cos wave, a quarter turn from the sine: sqrt(81.06^2 + 100^2).
    QTest::newRow("triangle and sine a quarter turn apart") << source("Triangle", 5, 1000) << sinus << 0.001
                                                            << Raies{{-400, 128.73}} << QStringList{"1000", "3000"}
                                                            << QStringList{"1000", "3000"};
    // The anchor is the lower fundamental, CH2's here.
    QTest::newRow("3 kHz square and 1 kHz sine")
        << source("Carre", 5, 3000) << sinus << 0.0005 << Raies{{-400, 100}, {-300, 127.32}, {-200, 0}}
        << QStringList{"3000", "9000", "15000", "21000"} << QStringList{"1000", "3000", "9000"};
    // Within a thousandth: one component.
    QTest::newRow("2000 and 1999 Hz merge") << source("Sinus", 5, 2000) << source("Sinus", 5, 1999.4) << 0.001
                                            << Raies{{-400, 200}, {-399.9, 200}} << QStringList{"2000"}
                                            << QStringList{"1999"};
    // CH2's sine adds to the square's fundamental, and its row gives the
    // same frequencies to the hertz.
    QTest::newRow("2.36 Hz: harmonic 5 at 10 Hz")
        << source("Carre", 5, 2.36) << sinus236 << 0.1 << Raies{{-400, 227.32}, {-324, 25.46}}
        << QStringList{"2.4", "7.2", "10", "14"} << QStringList{"2", "7", "10", "14"};
    QTest::newRow("0.5 Hz on both") << source("Sinus", 5, 0.5) << source("Sinus", 5, 0.5) << 0.5
                                    << Raies{{-400, 200}} << QStringList{".5"} << QStringList{"1"};
}

void tst_Spectre::add()
{
    QFETCH(SourceSpectre, a);
    QFETCH(SourceSpectre, b);
    QFETCH(double, baseTemps);
    QFETCH(Raies, raies);
    QFETCH(QStringList, etiquettesA);
    QFETCH(QStringList, etiquettesB);
    a.position = 30;
    b.position = -100;
    const FigureSpectre f = SpectreADD({a, b}, 0, baseTemps);
    QCOMPARE(f.position, 30.0); // CH1's baseline
    verifierRaies(f, raies);
    QCOMPARE(textes(f, 0).mid(0, etiquettesA.size()), etiquettesA);
    QCOMPARE(textes(f, 1).mid(0, etiquettesB.size()), etiquettesB);
    if (etiquettesA.isEmpty())
        QCOMPARE(textes(f, 0), QStringList());
    if (etiquettesB.isEmpty())
        QCOMPARE(textes(f, 1), QStringList());
    // Without a label, no line stands above the baseline either.
    if (etiquettesA.isEmpty() && etiquettesB.isEmpty())
        for (const RaieSpectre& r : f.raies)
            QVERIFY2(std::abs(r.hauteur) < 1e-9, qPrintable(QString("line at x = %1: %2").arg(r.x).arg(r.hauteur)));
    for (const RaieSpectre& r : f.raies)
        QVERIFY(r.hauteur >= 0);
}


QTEST_MAIN(tst_Spectre)
#include "tst_spectre.moc"
