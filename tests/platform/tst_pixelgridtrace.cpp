#include "platform/PictureBox.h"
#include "platform/PixelGridTrace.h"

#include <QtTest>

#include <cmath>

namespace {

constexpr int kLargeur = 400;
constexpr int kHauteur = 300;
constexpr int kFond = 0x000000;
constexpr int kEncre = 0x00FFFF; // yellow

// Waveforms in pixels across the picture and a little past both edges, one
// point every `pas` pixels (sine) or the corners of each period.
QPolygonF forme(const QString& nom, double periode, double pas, double debut = -10, double fin = kLargeur + 10)
{
    QPolygonF points;
    const double haut = 60, bas = 240;
    if (nom == QLatin1String("sine")) {
        for (double x = debut; x <= fin; x += pas)
            points << QPointF(x, 150 - 90 * std::sin(2 * M_PI * (x - debut) / periode));
    } else if (nom == QLatin1String("square")) {
        for (double x = debut; x < fin; x += periode)
            points << QPointF(x, bas) << QPointF(x, haut) << QPointF(x + periode / 2, haut)
                   << QPointF(x + periode / 2, bas);
    } else if (nom == QLatin1String("band")) {
        // A signal too fast to draw period by period: edges every `periode`.
        for (double x = debut; x < fin; x += 2 * periode)
            points << QPointF(x, bas) << QPointF(x, haut) << QPointF(x + periode, haut) << QPointF(x + periode, bas);
    } else {
        for (double x = debut; x < fin; x += periode)
            points << QPointF(x, bas) << QPointF(x + periode / 4, haut);
    }
    return points;
}

// A picture with one pixel per user unit.
struct Ecran {
    QWidget fenetre;
    PictureBox* picture = new PictureBox(&fenetre);

    explicit Ecran(int focus)
    {
        picture->resize(kLargeur, kHauteur);
        picture->Scale(0, 0, kLargeur, kHauteur);
        picture->setBackColor(kFond);
        picture->DrawWidth = focus;
    }
};

// The trace stroked as one joined polyline, segment by segment.
QImage polyligne(const QPolygonF& points, int focus)
{
    Ecran e(focus);
    for (qsizetype i = 1; i < points.size(); ++i)
        e.picture->Line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), kEncre);
    return e.picture->Image();
}

// The trace through the reduced path.
QImage reduite(const QPolygonF& points, int focus)
{
    Ecran e(focus);
    e.picture->Trace(points, kEncre);
    return e.picture->Image();
}

// Top and bottom inked rows of a column; (-1, -1) when it is blank.
QPair<int, int> encre(const QImage& image, int x)
{
    int haut = -1, bas = -1;
    for (int y = 0; y < image.height(); ++y)
        if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
            if (haut < 0)
                haut = y;
            bas = y;
        }
    return {haut, bas};
}

} // namespace

class tst_PixelGridTrace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void looksLikeThePolyline_data();
    void looksLikeThePolyline();
    void denseAndSparseStretches_data();
    void denseAndSparseStretches();
    void denseTraceInksWorkedRows_data();
    void denseTraceInksWorkedRows();
    void closedOrBrokenTraceStaysOnePolyline();
    void columnsOutsideThePictureAreDropped();
};

void tst_PixelGridTrace::looksLikeThePolyline_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<double>("periode");
    QTest::addColumn<double>("pas");
    QTest::addColumn<int>("focus");
    for (int focus : {1, 3, 11}) {
        const QByteArray f = " at " + QByteArray::number(focus) + " px";
        // Dense: one to two points a column, steep slopes.
        QTest::newRow("sine, dense" + f) << "sine" << 9.0 << 0.6 << focus;
        QTest::newRow("square, dense" + f) << "square" << 3.3 << 0.0 << focus;
        QTest::newRow("triangle, dense" + f) << "triangle" << 1.7 << 0.0 << focus;
        // Between one point every column and one every two.
        QTest::newRow("sine, half dense" + f) << "sine" << 20.0 << 1.5 << focus;
        QTest::newRow("square, half dense" + f) << "square" << 5.0 << 0.0 << focus;
        QTest::newRow("triangle, half dense" + f) << "triangle" << 3.0 << 0.0 << focus;
        // Far denser than the pixels, as the spot's pieces are: 25 points a
        // column, each a new peak or trough, and a square of three levels.
        QTest::newRow("zigzag, 25 points a column" + f) << "sine" << 0.08 << 0.04 << focus;
        QTest::newRow("square, 25 points a column" + f) << "square" << 0.2 << 0.0 << focus;
        // A solid band (filled by rows) and a comb of thin teeth (by columns).
        QTest::newRow("band" + f) << "band" << 0.4 << 0.0 << focus;
        QTest::newRow("comb" + f) << "square" << 4.0 << 0.0 << focus;
        // Sparse: stroked in pieces, which must not show.
        QTest::newRow("sine, sparse" + f) << "sine" << 60.0 << 2.5 << focus;
        QTest::newRow("square, sparse" + f) << "square" << 17.0 << 0.0 << focus;
        QTest::newRow("triangle, sparse" + f) << "triangle" << 13.0 << 0.0 << focus;
    }
}

void tst_PixelGridTrace::looksLikeThePolyline()
{
    QFETCH(QString, nom);
    QFETCH(double, periode);
    QFETCH(double, pas);
    QFETCH(int, focus);
    const QPolygonF points = forme(nom, periode, pas);
    const QImage attendu = polyligne(points, focus);
    const QImage obtenu = reduite(points, focus);
    QStringList ecarts;
    for (int x = 0; x < kLargeur; ++x) {
        const auto [hautA, basA] = encre(attendu, x);
        const auto [hautO, basO] = encre(obtenu, x);
        if ((hautA < 0) != (hautO < 0) || std::abs(hautA - hautO) > 1 || std::abs(basA - basO) > 1)
            ecarts << QString("column %1: %2..%3 stroked, %4..%5 reduced").arg(x).arg(hautA).arg(basA).arg(hautO).arg(basO);
    }
    QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.join("; ")));
}

void tst_PixelGridTrace::denseAndSparseStretches_data()
{
    QTest::addColumn<double>("pasGauche"); // pixels between points, left half
    QTest::addColumn<double>("pasDroite"); // and right half
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("colonnes");    // column spans expected
    QTest::addColumn<bool>("polylignes");  // stroked pieces expected
    // Spans at any density and any pen.
    QTest::newRow("dense throughout") << 0.5 << 0.5 << 1 << true << false;
    QTest::newRow("sparse throughout") << 4.0 << 4.0 << 1 << true << false;
    QTest::newRow("dense, then sparse") << 0.5 << 4.0 << 1 << true << false;
    QTest::newRow("sparse throughout, wide pen") << 4.0 << 4.0 << 3 << true << false;
    QTest::newRow("dense, then sparse, wide pen") << 0.5 << 4.0 << 11 << true << false;
}

void tst_PixelGridTrace::denseAndSparseStretches()
{
    QFETCH(double, pasGauche);
    QFETCH(double, pasDroite);
    QFETCH(int, focus);
    QFETCH(bool, colonnes);
    QFETCH(bool, polylignes);
    QPolygonF points;
    for (double x = 0; x < kLargeur; x += x < kLargeur / 2 ? pasGauche : pasDroite)
        points << QPointF(x, 150 + 100 * std::sin(x / 3));
    const PixelGridTrace r = reduceToPixelGrid(points, focus, QSize(kLargeur, kHauteur));
    QCOMPARE(!r.spans.isEmpty(), colonnes);
    QCOMPARE(!r.polylines.isEmpty(), polylignes);
    // Spans lie in the picture, and no pixel is filled twice.
    QImage couvert(kLargeur, kHauteur, QImage::Format_Grayscale8);
    couvert.fill(0);
    for (const QRect& s : r.spans) {
        QVERIFY(s.left() >= 0 && s.right() < kLargeur && s.top() >= 0 && s.bottom() < kHauteur);
        QVERIFY(s.top() <= s.bottom());
        for (int y = s.top(); y <= s.bottom(); ++y)
            for (int x = s.left(); x <= s.right(); ++x) {
                QCOMPARE(couvert.pixelIndex(x, y), 0);
                couvert.setPixel(x, y, 1);
            }
    }
}

void tst_PixelGridTrace::denseTraceInksWorkedRows_data()
{
    // Traces far denser than the pixels, each column's rows worked out from
    // the stroke's outline, from x = 20 to 380 (columns 40 to 360 checked,
    // away from the round ends).
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("haut"); // first and last row inked in each column
    QTest::addColumn<int>("bas");
    // A level line at y = 100.25: the band from 100.25 - r to 100.25 + r
    // holds the row centres 99.5 to 101.5 with a 3 px pen, 95.5 to 105.5
    // with 11 px.
    QTest::newRow("level line, 3 px") << "level" << 3 << 99 << 101;
    QTest::newRow("level line, 11 px") << "level" << 11 << 95 << 105;
    // Upright swings from 50.25 to 150.25 a hundredth of a pixel apart:
    // each band's ends and the bevels at the turns lie level (to within
    // 2e-4 px), so the columns hold the row centres 50.5 to 149.5.
    QTest::newRow("upright zigzag, 3 px") << "zigzag" << 3 << 50 << 149;
    QTest::newRow("upright zigzag, 11 px") << "zigzag" << 11 << 50 << 149;
    // A square of levels 60.25 and 140.25, stepping back through 100.25,
    // four samples a level and 0.2 px a period:
    // each column's top lies no lower than 58.75 (the level band's edge)
    // and within 0.2 px of it (the bevel at the nearest corner rises one
    // pixel a pixel across), so row 59 is its first; likewise row 141 its
    // last.
    QTest::newRow("square, 3 px") << "square" << 3 << 59 << 141;
}

void tst_PixelGridTrace::denseTraceInksWorkedRows()
{
    QFETCH(QString, nom);
    QFETCH(int, focus);
    QFETCH(int, haut);
    QFETCH(int, bas);
    QPolygonF points;
    for (int i = 0; i <= 36000; ++i) {
        const double x = 20 + i * 0.01;
        double y = 100.25;
        if (nom == QLatin1String("zigzag"))
            y = i % 2 ? 150.25 : 50.25;
        else if (nom == QLatin1String("square"))
            y = (i / 4) % 5 < 2 ? 60.25 : (i / 4) % 5 < 4 ? 140.25 : 100.25;
        points << QPointF(x, y);
    }
    const QImage image = reduite(points, focus);
    for (int x = 40; x <= 360; ++x)
        QCOMPARE(encre(image, x), qMakePair(haut, bas));
}

void tst_PixelGridTrace::closedOrBrokenTraceStaysOnePolyline()
{
    // A closed figure (the XY view) goes back and forth.
    QPolygonF cercle;
    for (int i = 0; i <= 1000; ++i)
        cercle << QPointF(200 + 100 * std::cos(i * 2 * M_PI / 1000), 150 + 100 * std::sin(i * 2 * M_PI / 1000));
    PixelGridTrace r = reduceToPixelGrid(cercle, 3, QSize(kLargeur, kHauteur));
    QVERIFY(r.spans.isEmpty());
    QCOMPARE(r.polylines.size(), 1);
    QCOMPARE(r.polylines.first(), cercle);

    // A point that is no number leaves the trace to the painter as it is.
    QPolygonF casse = forme("sine", 9, 0.5);
    casse[100].setY(std::nan(""));
    r = reduceToPixelGrid(casse, 3, QSize(kLargeur, kHauteur));
    QVERIFY(r.spans.isEmpty());
    QCOMPARE(r.polylines.size(), 1);

    QVERIFY(reduceToPixelGrid(QPolygonF(), 3, QSize(kLargeur, kHauteur)).polylines.isEmpty());
    QVERIFY(reduceToPixelGrid(QPolygonF{QPointF(5, 5)}, 3, QSize(kLargeur, kHauteur)).polylines.isEmpty());
}

void tst_PixelGridTrace::columnsOutsideThePictureAreDropped()
{
    // Shifted a whole screen to the right and far above: nothing to draw.
    QPolygonF points = forme("square", 2, 0, 500, 5000);
    PixelGridTrace r = reduceToPixelGrid(points, 3, QSize(kLargeur, kHauteur));
    QVERIFY(r.spans.isEmpty());
    QVERIFY(r.polylines.isEmpty());
    points.translate(-4800, -100000);
    r = reduceToPixelGrid(points, 3, QSize(kLargeur, kHauteur));
    QVERIFY(r.spans.isEmpty());
    // A huge amplitude is cut to the picture and a little round it.
    points = forme("square", 2, 0);
    for (QPointF& p : points)
        p.setY(p.y() < 150 ? -1e9 : 1e9);
    r = reduceToPixelGrid(points, 3, QSize(kLargeur, kHauteur));
    QVERIFY(!r.spans.isEmpty());
    for (const QRect& s : r.spans)
        QVERIFY(s.top() >= -5 && s.bottom() <= kHauteur + 5);
}

QTEST_MAIN(tst_PixelGridTrace)
#include "tst_pixelgridtrace.moc"
