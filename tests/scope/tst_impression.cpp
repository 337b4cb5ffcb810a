#include "BancScope.h"
#include "services/ModeleBanc.h"
#include "PetitDisque.h"

#include "services/FichierINI.h"
#include "services/RequetesBanc.h"
#include "platform/OutputDevices.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"
#include "scope/CouleursCourbes.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Impression.h"
#include "scope/Potentiometre.h"
#include "scope/SortiesEcran.h"
#include "scope/frmWavix.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QMouseEvent>
#include <QtTest>

#include <stdexcept>

namespace {

constexpr int kNoir = 0;
constexpr int kBlanc = 0xFFFFFF;

// What the screen shows and what a printout or a copy must leave as it was.
struct EtatEcran {
    QImage image;
    std::array<int32_t, 5> couleurs{};
    std::array<int, 2> styles{};
    int largeur = 0;
    int epaisseur = 0;
    float focus = 0;
    bool ecranCache = true;
    bool figeCache = false;

    explicit EtatEcran(const BancScope& b)
    {
        image = b.image();
        for (int i = 0; i < 5; ++i)
            couleurs[size_t(i)] = CouleurVariable(i);
        styles = {Banc().voies[0].StyleTrace, Banc().voies[1].StyleTrace};
        largeur = b.scope->picEcran->DrawWidth;
        epaisseur = b.scope->epaisseurTrace();
        focus = b.scope->potentioValue(0);
        ecranCache = b.scope->picEcran->isHidden();
        figeCache = b.scope->picEcranPrint->isHidden();
    }
};

void verifierRestaure(const BancScope& b, const EtatEcran& avant)
{
    const EtatEcran apres(b);
    QCOMPARE(apres.couleurs, avant.couleurs);
    QCOMPARE(apres.styles, avant.styles);
    QCOMPARE(apres.largeur, avant.largeur);
    QCOMPARE(apres.epaisseur, avant.epaisseur);
    QCOMPARE(apres.focus, avant.focus);
    QVERIFY(!apres.ecranCache);
    QVERIFY(apres.figeCache);
    QVERIFY(apres.image == avant.image);
}

// A scope at 1 ms/div with a 1.5 V DC level on CH1 (y = 150) and a 2 V,
// 250 Hz sine on CH2, the focus knob off its start value.
struct BancImpression : BancScope {
    explicit BancImpression(int mode = 2) : BancScope(mode)
    {
        baseTemps(8);
        source(0, "cc", 1.5, 0);
        source(1, "sinus", 2, 250);
        scope->setPotentioValue(0, 15);
        ReglerPotentiometre(1, 0);
        ActualiserEcran();
    }
};

// Pixels of the colour in the picture.
int compter(const QImage& image, int couleur, const QRect& zone)
{
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == pixelRgb(couleur))
                ++n;
    return n;
}

// Pixels that are not white in the rows of a page.
int encre(const QImage& page, int haut, int bas)
{
    int n = 0;
    for (int y = haut; y <= bas; ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                ++n;
    return n;
}

// The footer's place on a 1005 x 805 screen: the top-left corner.
const QRect kZonePied(0, 0, 400, 14);

} // namespace

class tst_Impression : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void markerPoints_data();
    void markerPoints();
    void printChoices_data();
    void printChoices();
    void markersStandOnTheirPoints();
    void pageLayoutInTwips_data();
    void pageLayoutInTwips();
    void printedPictureInPrintColours();
    void printoutOfAFastSineIsItsBand();
    void slowTimeBaseOutputsHoldTheWholeTrace();
    void slowTimeBasePrintoutHasItsMarkersOnTheTrace_data();
    void slowTimeBasePrintoutHasItsMarkersOnTheTrace();
    void printsOnePagePdf();
    void noPrinterIsReported();
    void printerFailureIsReportedAndScreenRestored_data();
    void printerFailureIsReportedAndScreenRestored();
    void clipboardCopies_data();
    void clipboardCopies();
    void greysOfTheTraces_data();
    void greysOfTheTraces();
    void clipboardFailureIsReportedAndScreenRestored_data();
    void clipboardFailureIsReportedAndScreenRestored();
    void systemClipboardHoldsTheCopy();
    void copyDuringADragHoldsTheKnobsLastPosition();
};

void tst_Impression::init()
{
    resetChosenPrinter();
    setClipboardWriter(nullptr);
}

void tst_Impression::cleanup()
{
    setClipboardWriter(nullptr);
    resetChosenPrinter();
    Modele().reglerNiveauxHarmo(0, {});
}

void tst_Impression::markerPoints_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<double>("rapport");
    QTest::addColumn<double>("decalage");
    QTest::addColumn<double>("sensibilite");
    QTest::addColumn<double>("position");
    QTest::addColumn<QList<double>>("y");

    // 1 ms/div: the markers sample at 0, 1, ... 10 ms.
    QTest::newRow("cc") << "Cc" << 1.5 << 0.0 << 0.0 << 0.3 << 2.0 << 50.0 << QList<double>(11, 125);
    QTest::newRow("sinus") << "sinus" << 2.0 << 250.0 << 0.0 << 0.0 << 1.0 << 0.0
                           << QList<double>{0, 200, 0, -200, 0, 200, 0, -200, 0, 200, 0};
    QTest::newRow("carre") << "Carrée" << 2.0 << 80.0 << 0.5 << 0.5 << 1.0 << 0.0
                           << QList<double>{250, 250, 250, 250, 250, 250, 250, -150, -150, -150, -150};
    QTest::newRow("triangle") << "triangle" << 2.0 << 100.0 << 0.5 << 0.0 << 1.0 << 0.0
                              << QList<double>{-200, -120, -40, 40, 120, 200, 120, 40, -40, -120, -200};
    QTest::newRow("triangle at 0 Hz") << "triangulaire" << 2.0 << 0.0 << 0.5 << 0.7 << 1.0 << -30.0
                                      << QList<double>(11, 40);
    QTest::newRow("dyn") << "dyn" << 1.0 << 250.0 << 0.0 << 0.0 << 1.0 << 0.0
                         << QList<double>{0, 150, 0, -150, 0, 150, 0, -150, 0, 150, 0};
    // The harmonic generator's second harmonic alone, at full level.
    QTest::newRow("harmo") << "harmo" << 2.0 << 125.0 << 0.0 << 0.3 << 1.0 << 0.0
                           << QList<double>{30, 230, 30, -170, 30, 230, 30, -170, 30, 230, 30};
    QTest::newRow("no sampler") << "rampe" << 2.0 << 100.0 << 0.0 << 0.0 << 1.0 << 0.0 << QList<double>();
}

void tst_Impression::markerPoints()
{
    QFETCH(QString, mot);
    QFETCH(double, amplitude);
    QFETCH(double, frequence);
    QFETCH(double, rapport);
    QFETCH(double, decalage);
    QFETCH(double, sensibilite);
    QFETCH(double, position);
    QFETCH(QList<double>, y);

    NiveauxHarmoniques niveaux{};
    niveaux.Ampli[1] = 1;
    niveaux.AmpliMin[1] = 1;
    Modele().reglerNiveauxHarmo(0, niveaux);
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& canal) { canal = EtatVoie(); });
    Modele().modifierVoie(0, [&](EtatVoie& v) {
        v.FormeSignal = mot;
        v.Amplitude = amplitude;
        v.Frequence = frequence;
        v.RapportCyclique = float(rapport);
        v.Decalage = decalage;
        v.Sensibilite = sensibilite;
        v.PositionVerticale = position;
        // The drawn values play no part.
        v.TraceAmplitude = 99;
        v.TraceSignal = "sinus";
    });

    const QList<QPointF> points = PointsMarques(0);
    QCOMPARE(points.size(), y.size());
    for (qsizetype i = 0; i < points.size(); ++i) {
        QCOMPARE(points[i].x(), -500.0 + 100 * double(i));
        QVERIFY2(std::abs(points[i].y() - y[i]) < 1e-6,
                 qPrintable(QString("marker %1 at %2, expected %3").arg(i).arg(points[i].y()).arg(y[i])));
    }
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& canal) { canal = EtatVoie(); });
}

void tst_Impression::printChoices_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("reglages"); // key=value of "Impression"
    QTest::addColumn<QStringList>("legendes");
    QTest::addColumn<double>("tailleA");

    const QStringList tous{"Marque Voie A=0", "Motif Marque Voie A=1", "Taille Marque Voie A=4",
                           "Marque Voie B=0", "Motif Marque Voie B=5"};
    QTest::newRow("defaults: no legend") << 2 << QStringList() << QStringList() << 8.0;
    QTest::newRow("both, CH1 first") << 2 << tous << QStringList{"●", "○"} << 16.0;
    QTest::newRow("CH2 only: first line") << 2 << QStringList{"Marque Voie B=0", "Motif Marque Voie B=3"}
                                          << QStringList{"⧫"} << 8.0;
    QTest::newRow("channel not shown still marked") << 0 << QStringList{"Marque Voie B=0"} << QStringList{"◆"}
                                                    << 8.0;
    QTest::newRow("indexes outside the lists") << 2
                                               << QStringList{"Marque Voie A=0", "Motif Marque Voie A=9",
                                                              "Taille Marque Voie A=-1", "Style Ligne Voie A=7"}
                                               << QStringList{"◆"} << 8.0;
    QTest::newRow("not a number") << 2 << QStringList{"Marque Voie A=oui", "Motif Marque Voie A=x"}
                                  << QStringList() << 8.0;
    QTest::newRow("ADD: none") << 3 << tous << QStringList() << 16.0;
    QTest::newRow("XY: none") << 4 << tous << QStringList() << 16.0;
}

void tst_Impression::printChoices()
{
    QFETCH(int, mode);
    QFETCH(QStringList, reglages);
    QFETCH(QStringList, legendes);
    QFETCH(double, tailleA);

    BancImpression b(mode);
    for (const QString& r : reglages)
        EcrireINI("Impression", r.section('=', 0, 0), r.section('=', 1));
    QCOMPARE(LireChoixImpression(0).taille, tailleA);
    QCOMPARE(LireChoixImpression(0).style, 0);
    PageWavix page;
    {
        EcranFige fige(*b.scope);
        page = PreparerPage(*b.scope);
    }
    QCOMPARE(page.legendes, legendes);
    // In XY the picture holds the figure: CH1's 1.5 V across, CH2's sine up.
    if (mode == 4) {
        QVERIFY(at(page.ecran, 150, 100, kNoir));
        QVERIFY(!at(page.ecran, 0, 100, kNoir));
    }
}

void tst_Impression::markersStandOnTheirPoints()
{
    // CH1's markers on its DC level, CH2's on the sine's samples, seen as
    // what they add to the printed picture.
    BancImpression b;
    auto imprimee = [&b] {
        EcranFige fige(*b.scope);
        return PreparerPage(*b.scope).ecran;
    };
    const QImage sans = imprimee();
    EcrireINI("Impression", "Marque Voie A", "0");
    EcrireINI("Impression", "Marque Voie B", "0");
    EcrireINI("Impression", "Motif Marque Voie B", "4");
    const QImage avec = imprimee();
    QCOMPARE(avec.size(), sans.size());

    QList<QPointF> points = PointsMarques(0) + PointsMarques(1);
    QCOMPARE(points.size(), 22);
    QList<int> touches(points.size(), 0);
    int ailleurs = 0;
    for (int py = 0; py < avec.height(); ++py)
        for (int px = 0; px < avec.width(); ++px) {
            if (avec.pixel(px, py) == sans.pixel(px, py))
                continue;
            bool pres = false;
            for (qsizetype i = 0; i < points.size(); ++i) {
                // The glyph's top-left corner 14 units left of and above the
                // point; a glyph is some 12 pixels here.
                const QPointF coin(points[i].x() - 14 + 500, 400 - (points[i].y() + 14));
                if (px >= coin.x() - 1 && px <= coin.x() + 16 && py >= coin.y() - 1 && py <= coin.y() + 16) {
                    ++touches[i];
                    pres = true;
                }
            }
            if (!pres)
                ++ailleurs;
        }
    QCOMPARE(ailleurs, 0);
    // At the left edge the glyph lies left of the picture (one unit a pixel here).
    for (qsizetype i = 0; i < points.size(); ++i)
        if (points[i].x() > -500)
            QVERIFY2(touches[i] > 5, qPrintable(QString("no glyph at marker %1").arg(i)));
}

void tst_Impression::pageLayoutInTwips_data()
{
    QTest::addColumn<QStringList>("legendes");
    QTest::newRow("no legend") << QStringList();
    QTest::newRow("one line") << QStringList{"◆"};
    QTest::newRow("two lines") << QStringList{"●", "■"};
}

void tst_Impression::pageLayoutInTwips()
{
    QFETCH(QStringList, legendes);
    // A page at 144 dpi: 10 twips a pixel. The screen picture, 100 x 80
    // pixels, lands at (500, 1200) twips with 15 twips a pixel.
    QImage support(1191, 1684, QImage::Format_RGB32);
    support.setDotsPerMeterX(qRound(144 / 0.0254));
    support.setDotsPerMeterY(qRound(144 / 0.0254));
    support.fill(Qt::white);
    PageWavix page;
    page.legendes = legendes;
    page.ecran = QImage(100, 80, QImage::Format_RGB32);
    page.ecran.fill(Qt::red);
    QVERIFY(PeindrePage(support, page));

    const QRgb rouge = qRgb(255, 0, 0);
    QCOMPARE(support.pixel(50, 120), rouge);
    QCOMPARE(support.pixel(199, 239), rouge);
    QCOMPARE(support.pixel(49, 130) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(support.pixel(60, 119) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(support.pixel(200, 130) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(support.pixel(60, 240) & 0xFFFFFF, 0xFFFFFFu);

    // The legend lines from the top, one a line of 12-point text (a line
    // is some 27 pixels at 144 dpi), nothing else above the picture.
    const int ligne = 30;
    for (int i = 0; i < 3; ++i) {
        const int n = encre(support, i * ligne + 2, i * ligne + 22);
        if (i < legendes.size())
            QVERIFY2(n > 50, qPrintable(QString("line %1 empty").arg(i)));
        else
            QVERIFY2(n == 0, qPrintable(QString("line %1 inked").arg(i)));
    }
    QCOMPARE(encre(support, 3 * ligne, 119), 0);
}

void tst_Impression::printedPictureInPrintColours()
{
    // White background, grey graticule, black traces, the footer on the
    // picture; the line styles chosen for printing.
    BancImpression b;
    EcrireINI("Impression", "Style Ligne Voie B", "1");
    PageWavix page;
    {
        EcranFige fige(*b.scope);
        page = PreparerPage(*b.scope);
        QCOMPARE(Banc().voies[1].StyleTrace, 1);
        QCOMPARE(b.scope->picEcran->DrawWidth, 1);
    }
    const QImage& image = page.ecran;
    QVERIFY(at(image, -250, 0, kBlanc) || at(image, -240, 10, kBlanc));
    QVERIFY(at(image, -300, 100, 0x808080));
    QVERIFY(at(image, -350, 150, kNoir));
    QVERIFY(at(image, 0, 150, kNoir));
    QCOMPARE(compter(image, kJaune, image.rect()), 0);
    QCOMPARE(compter(image, kVert, image.rect()), 0);
    QVERIFY(compter(image, kNoir, kZonePied) > 30);
    QVERIFY(TextePied().endsWith(QString("Wavix v.%1.%2").arg(WAVIX_VERSION_MAJOR).arg(WAVIX_VERSION_MINOR)));
}

void tst_Impression::printoutOfAFastSineIsItsBand()
{
    // 50.1 kHz at 1 ms/div: a period every 2 units, two columns of the
    // picture. The page shows the band between the sine's crests, as the
    // screen does, not a 100 Hz wave.
    BancImpression b(1);
    b.generateur(1, true, 50, 0, 100, 0, false);
    b.source(1, "sinus", 2, 50100);
    ActualiserEcran();
    PageWavix page;
    {
        EcranFige fige(*b.scope);
        page = PreparerPage(*b.scope);
    }
    const QString manque = bandeManquante(page.ecran, *b.scope->picEcran, kNoir, 200, -200, 2);
    QVERIFY2(manque.isEmpty(), qPrintable(manque));
}

void tst_Impression::slowTimeBaseOutputsHoldTheWholeTrace()
{
    // At 10 ms/div the screen shows the spot's piece; the printout and the
    // grey copy carry the whole trace, the identical copy the screen as shown.
    BancImpression b(0);
    b.baseTemps(5);
    QVERIFY(BaseTempsLente());
    const EtatEcran avant(b);
    QVERIFY(!at(avant.image, 300, 150, kJaune));

    PageWavix page;
    {
        EcranFige fige(*b.scope);
        page = PreparerPage(*b.scope);
    }
    for (int x = -450; x <= 450; x += 100)
        QVERIFY2(at(page.ecran, x, 150, kNoir), qPrintable(QString("print: no trace at %1").arg(x)));
    verifierRestaure(b, avant);

    QList<QImage> copies;
    setClipboardWriter([&copies](const QImage& image) {
        copies << image;
        return true;
    });
    CopierEcran(1);
    QCOMPARE(copies.size(), 1);
    const int gris = 0x808080; // the default yellow, as dark as mid grey
    for (int x = -450; x <= 450; x += 100)
        QVERIFY2(at(copies[0], x, 150, gris), qPrintable(QString("grey copy: no trace at %1").arg(x)));
    verifierRestaure(b, avant);

    // The spot has drawn its piece, from the middle on: the identical copy
    // is that screen.
    setPerfCounterClock([] { return int64_t(1'000'000'000); });
    b.scope->tmrSpot_Timer();
    setPerfCounterClock(nullptr);
    const QImage montre = b.image();
    QVERIFY(at(montre, 300, 150, kJaune));
    QVERIFY(!at(montre, -300, 150, kJaune));
    CopierEcran(0);
    QCOMPARE(copies.size(), 2);
    QVERIFY(copies[1].copy(0, 20, 1005, 785) == montre.copy(0, 20, 1005, 785));
}

void tst_Impression::slowTimeBasePrintoutHasItsMarkersOnTheTrace_data()
{
    QTest::addColumn<int>("couplage");
    QTest::addColumn<double>("niveau"); // the triangle's mean on the page, screen units
    QTest::newRow("DC") << 1 << 100.0;
    QTest::newRow("AC") << 0 << 0.0;
}

void tst_Impression::slowTimeBasePrintoutHasItsMarkersOnTheTrace()
{
    QFETCH(int, couplage);
    QFETCH(double, niveau);
    // A 2 V, 25 Hz triangle with a +1 V offset at 10 ms/div and 1 V/div:
    // four divisions a period, from its minimum at the left edge, up to its
    // crest one division later... so its markers stand 200 units either side
    // of its mean on every other graticule line, on the mean between them.
    BancScope b(0, couplage);
    b.baseTemps(5);
    b.generateur(0, true, 50, 0, 110, 0, false);
    b.source(0, "Triangle", 2, 25);
    ActualiserEcran();
    const QList<double> y{-200, 0, 200, 0, -200, 0, 200, 0, -200, 0, 200};
    const QList<QPointF> marques = PointsMarques(0);
    QCOMPARE(marques.size(), y.size());
    for (qsizetype i = 0; i < y.size(); ++i)
        QVERIFY2(std::abs(marques[i].y() - (y[i] + niveau)) < 1e-6, qPrintable(QString::number(marques[i].y())));

    // The printed trace, markers off so that only the trace inks the page,
    // goes through every one of those points.
    PageWavix page;
    {
        EcranFige fige(*b.scope);
        page = PreparerPage(*b.scope);
    }
    for (const QPointF& p : marques) {
        const double x = std::clamp(p.x(), -499.0, 499.0);
        QVERIFY2(at(page.ecran, x, p.y(), kNoir), qPrintable(QString("no trace at %1, %2").arg(x).arg(p.y())));
    }
}

void tst_Impression::printsOnePagePdf()
{
    BancImpression b;
    EcrireINI("Impression", "Marque Voie A", "0");
    const EtatEcran avant(b);
    const QString fichier = b.home.path("wavixgrammes.pdf");
    ScriptedDialogs dialogues;
    dialogues.answerPrinter(true, [&fichier](QPrinter& imprimante) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(fichier);
    });
    b.mdi->Mnu_ConfigPrint_Click();
    // No: nothing printed. Yes: one page.
    dialogues.answerMessage(vb::No);
    b.mdi->Mnu_Print_Click();
    QVERIFY(!QFile::exists(fichier));
    dialogues.answerMessage(vb::Yes);
    b.mdi->Mnu_Print_Click();
    QVERIFY(dialogues.allAnswered());
    QCOMPARE(dialogues.unexpected(), 0);
    QCOMPARE(dialogues.messages().size(), 2);
    QCOMPARE(dialogues.messages()[0].text, QString("Voulez-vous imprimer les wavixgrammes ?"));
    QCOMPARE(dialogues.messages()[0].style, vb::Question | vb::YesNo);

    const QByteArray pdf = TestHome::readFile(fichier);
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    QVERIFY(!pdf.contains("/Count 2"));
    verifierRestaure(b, avant);

    // A cancelled set-up keeps the printer chosen.
    dialogues.answerPrinter(false);
    b.mdi->Mnu_ConfigPrint_Click();
    QCOMPARE(chosenPrinter().outputFileName(), fichier);
}

void tst_Impression::noPrinterIsReported()
{
    BancImpression b;
    const EtatEcran avant(b);
    chosenPrinter().setOutputFormat(QPrinter::PdfFormat);
    chosenPrinter().setOutputFileName(QString());
    ScriptedDialogs dialogues;
    ImprimerCourbes();
    QCOMPARE(dialogues.messages().size(), 1);
    QVERIFY(dialogues.messages()[0].text.startsWith("Aucune imprimante n'est installée ni choisie."));
    verifierRestaure(b, avant);
}

void tst_Impression::printerFailureIsReportedAndScreenRestored_data()
{
    QTest::addColumn<QString>("cible");
    QTest::newRow("missing folder") << "absent/wavixgrammes.pdf";
    QTest::newRow("device of a full disk") << "/dev/full";
    QTest::newRow("folder with 4 KiB of room") << "plein/wavixgrammes.pdf";
}

void tst_Impression::printerFailureIsReportedAndScreenRestored()
{
    QFETCH(QString, cible);
    BancImpression b;
    const EtatEcran avant(b);
    std::unique_ptr<PetitDisque> disque;
    QString fichier = cible;
    if (cible.startsWith("plein/"))
        disque = std::make_unique<PetitDisque>(b.home.path("plein"), 4096);
    if (!cible.startsWith('/'))
        fichier = b.home.path(cible);
    else if (!QFileInfo(cible).exists())
        QSKIP("no /dev/full here");
    chosenPrinter().setOutputFormat(QPrinter::PdfFormat);
    chosenPrinter().setOutputFileName(fichier);
    ScriptedDialogs dialogues;
    ImprimerCourbes();
    QCOMPARE(dialogues.messages().size(), 1);
    QCOMPARE(dialogues.messages()[0].text,
             "L'impression des wavixgrammes a échoué : le fichier " + fichier + " n'a pas pu être écrit.");
    QCOMPARE(dialogues.messages()[0].style, int(vb::Critical));
    verifierRestaure(b, avant);
    // Nothing left that would pass for the printout.
    if (disque)
        QCOMPARE(QDir(b.home.path("plein")).entryList(QDir::Files | QDir::Hidden), QStringList());
    else
        QVERIFY(!QFileInfo(fichier).isFile());
}

void tst_Impression::clipboardCopies_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("fond");
    QTest::addColumn<int>("pied");

    QTest::newRow("identical, default background") << 0 << 10135975 << kNoir;
    QTest::newRow("identical, black background") << 0 << kNoir << kBlanc;
    QTest::newRow("identical, white background") << 0 << kBlanc << kNoir;
    // The grey copy's background is white whatever the screen's: black footer.
    QTest::newRow("grey, default background") << 1 << 10135975 << kNoir;
    QTest::newRow("grey, black background") << 1 << kNoir << kNoir;
}

void tst_Impression::clipboardCopies()
{
    QFETCH(int, index);
    QFETCH(int, fond);
    QFETCH(int, pied);

    BancImpression b;
    Scope().CouleurFond = fond;
    Scope().CouleurGrille = 0x0000FF;
    DessinerGrille(b.scope->picGrille);
    ActualiserEcran();
    const EtatEcran avant(b);

    QList<QImage> copies;
    setClipboardWriter([&copies](const QImage& image) {
        copies << image;
        return true;
    });
    b.mdi->menu(QString("Mnu_ClipBoard(%1)").arg(index))->trigger();
    QCOMPARE(copies.size(), 1);
    const QImage& copie = copies[0];
    QCOMPARE(copie.size(), avant.image.size());
    QVERIFY(compter(copie, pied, kZonePied) > 30);

    const QRect sousLePied(0, 20, 1005, 785);
    if (index == 0) {
        QVERIFY(copie.copy(sousLePied) == avant.image.copy(sousLePied));
    } else {
        QVERIFY(at(copie, -250, -50, kBlanc));
        QVERIFY(at(copie, -300, 100, CouleurEnGris(0x0000FF)));
        // The default yellow would be a pale #E3E3E3: it is mid grey.
        QVERIFY(at(copie, -350, 150, 0x808080));
        QVERIFY(at(copie, -400, 200, 0x505050)); // CH2's crest, darker by 0x30
        QCOMPARE(compter(copie, kJaune, sousLePied), 0);
        QCOMPARE(compter(copie, 0x0000FF, sousLePied), 0);
    }
    // The footer is gone from the screen with the rest.
    verifierRestaure(b, avant);
}

void tst_Impression::greysOfTheTraces_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("grisA");
    QTest::addColumn<int>("grisB");
    // Light colours go down to mid grey, the second one 0x30 below it.
    QTest::newRow("default colours") << kJaune << kVert << 0x808080 << 0x505050;
    QTest::newRow("both white") << kBlanc << kBlanc << 0x808080 << 0x505050;
    QTest::newRow("light yellow, light cyan") << 0x80FFFF << 0xFFFF80 << 0x808080 << 0x505050;
    // Greys far enough apart and dark enough keep their conversion.
    QTest::newRow("red, black") << 0x0000FF << kNoir << 0x4D4D4D << 0x010101;
    QTest::newRow("dark green, yellow") << 0x004000 << kJaune << 0x262626 << 0x808080;
    // Too near each other near black: they are spread from black up.
    QTest::newRow("black, dark blue") << kNoir << 0x800000 << 0x000000 << 0x303030;
}

void tst_Impression::greysOfTheTraces()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, grisA);
    QFETCH(int, grisB);
    const std::array<int32_t, 2> gris = GrisDesTraces(a, b);
    QCOMPARE(gris[0], grisA);
    QCOMPARE(gris[1], grisB);
}

void tst_Impression::clipboardFailureIsReportedAndScreenRestored_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("exception");
    QTest::newRow("identical, refused") << 0 << false;
    QTest::newRow("grey, refused") << 1 << false;
    QTest::newRow("grey, exception") << 1 << true;
}

void tst_Impression::clipboardFailureIsReportedAndScreenRestored()
{
    QFETCH(int, index);
    QFETCH(bool, exception);
    BancImpression b;
    const EtatEcran avant(b);
    bool fige = false;
    setClipboardWriter([&](const QImage&) -> bool {
        // While the copy is made the user sees the frozen screen.
        fige = b.scope->picEcran->isHidden() && !b.scope->picEcranPrint->isHidden()
               && b.scope->picEcranPrint->Picture() == avant.image;
        if (exception)
            throw std::runtime_error("clipboard");
        return false;
    });
    ScriptedDialogs dialogues;
    b.mdi->Mnu_ClipBoard_Click(index);
    QVERIFY(fige);
    QCOMPARE(dialogues.messages().size(), 1);
    QVERIFY(dialogues.messages()[0].text.startsWith(
        "Les wavixgrammes n'ont pas pu être copiés dans le presse-papiers."));
    verifierRestaure(b, avant);

    // Another index copies nothing and says nothing.
    b.mdi->Mnu_ClipBoard_Click(2);
    QCOMPARE(dialogues.messages().size(), 1);
    verifierRestaure(b, avant);
}

void tst_Impression::systemClipboardHoldsTheCopy()
{
    BancImpression b;
    QGuiApplication::clipboard()->clear();
    ScriptedDialogs dialogues;
    b.mdi->Mnu_ClipBoard_Click(0);
    QCOMPARE(dialogues.messages().size(), 0);
    const QImage copie = QGuiApplication::clipboard()->image();
    QCOMPARE(copie.size(), b.image().size());
    QVERIFY(copie.convertToFormat(QImage::Format_RGB32).copy(0, 20, 1005, 785) == b.image().copy(0, 20, 1005, 785));
}

void tst_Impression::copyDuringADragHoldsTheKnobsLastPosition()
{
    // The CH2 position knob dragged upward, motions within one frame: the
    // screen shows the first motion's picture, the copy the last one's.
    BancImpression b;
    Potentio_Creme* knob = b.scope->Potentio[4];
    const QPointF centre(knob->width() / 2.0, knob->height() / 2.0);
    const auto envoyer = [knob](QEvent::Type type, QPointF p, Qt::MouseButton bouton) {
        QMouseEvent e(type, p, knob->mapToGlobal(p), bouton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(knob, &e);
    };
    envoyer(QEvent::MouseButtonPress, centre, Qt::LeftButton);
    for (int i = 1; i <= 40; ++i)
        envoyer(QEvent::MouseMove, centre - QPointF(0, i), Qt::NoButton);
    const QImage montre = b.scope->picEcran->Image();
    QGuiApplication::clipboard()->clear();
    ScriptedDialogs dialogues;
    b.mdi->Mnu_ClipBoard_Click(0);
    const QImage copie = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    // Below the footer, the screen at the knob's last position.
    const QImage dernier = b.image();
    QVERIFY(copie.copy(0, 20, 1005, 785) == dernier.copy(0, 20, 1005, 785));
    QVERIFY(montre.copy(0, 20, 1005, 785) != dernier.copy(0, 20, 1005, 785));
    envoyer(QEvent::MouseButtonRelease, centre - QPointF(0, 40), Qt::LeftButton);
}

QTEST_MAIN(tst_Impression)
#include "tst_impression.moc"
