// The drawing surface puts back, and shows again, only what was drawn on;
// a wide figure inks the pixels within half its width of its segments, a
// thin one the pixels the painter inks for each of its segments.

#include "platform/PictureBox.h"
#include "platform/ThickPolyline.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace {

// A background with a different colour in every pixel, so that a pixel put
// back from the wrong place shows.
QImage fond(QSize taille)
{
    QImage image(taille, QImage::Format_RGB32);
    for (int y = 0; y < taille.height(); ++y)
        for (int x = 0; x < taille.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return image;
}

// Records the region of every paint the widget receives.
struct Peintures : QObject {
    QRegion region;
    int nombre = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(e)->region();
            ++nombre;
        }
        return false;
    }
};

// Teeth from x0 to x1 every half pixel, between y 60 and 150: a dense trace
// whose spans run down several rows of tiles.
QPolygonF dents(double x0, double x1, double decalage = 0)
{
    QPolygonF points;
    for (double x = x0; x <= x1; x += 0.5)
        points << QPointF(x, std::fmod(x + decalage, 1) < 0.5 ? 60 : 150);
    return points;
}

// The box of the background's size, a user unit a pixel, on the background.
void surFond(PictureBox& p, const QImage& image)
{
    p.resize(image.size());
    p.Scale(0, 0, image.width(), image.height());
    p.setPicture(image);
}

// The same, alone in a window that is shown.
PictureBox* montree(QWidget& fenetre, const QImage& image)
{
    auto* p = new PictureBox(&fenetre);
    surFond(*p, image);
    fenetre.resize(image.size());
    fenetre.show();
    return p;
}

int pixelsDe(const QImage& image, QRgb couleur)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (couleur & 0xFFFFFF);
    return n;
}

} // namespace

class tst_PictureBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clearPutsBackOnlyWhatWasDrawn();
    void aNewBackgroundClearsEverything();
    void resizedWhileAClearIsHeld_data();
    void resizedWhileAClearIsHeld();
    void repaintCoversWhatChanged();
    void thickSegmentWidth_data();
    void thickSegmentWidth();
    void thickPolylineOfWildPoints();
    void thickPolylineInksWithinHalfItsWidth_data();
    void thickPolylineInksWithinHalfItsWidth();
    void wideFigureInksWithinAPixelOfItsPen_data();
    void wideFigureInksWithinAPixelOfItsPen();
    void thinPolylineInksWhatThePainterInks_data();
    void thinPolylineInksWhatThePainterInks();
    void drawingFarOffThePicture();
    void printLeavesTheFontsOwnPixels_data();
    void printLeavesTheFontsOwnPixels();
    void frameDrawnAgainIsAFreshDrawing_data();
    void frameDrawnAgainIsAFreshDrawing();
    void frameDrawnAgainShowsOnlyWhatChanged();
    void trailPutBackAndShownOnItsRowsAlone();
    void fullScreenPictureOutlivesItsBox();
    void windowShowsThePicture_data();
    void windowShowsThePicture();
};

void tst_PictureBox::clearPutsBackOnlyWhatWasDrawn()
{
    const QImage image = fond(QSize(300, 200));
    PictureBox p;
    p.resize(300, 200);
    p.Scale(0, 0, 300, 200);
    p.setPicture(image);
    p.DrawWidth = 5;
    p.Line(10, 10, 290, 190, 0x0000FF);
    p.Polyline(QPolygonF{{20, 180}, {150, 20}, {280, 180}}, 0x00FF00);
    p.PSet(40, 40, 0xFF0000);
    p.CurrentX = 100;
    p.CurrentY = 100;
    p.Print(QStringLiteral("Wavix 1 ms"));
    p.Cls();
    QCOMPARE(p.Image(), image);

    // Dense traces alone, put back pixel by pixel.
    QPolygonF dents;
    for (int i = 0; i <= 400; ++i)
        dents << QPointF(30 + 0.5 * i, i % 2 ? 60 : 150);
    p.DrawWidth = 1;
    p.Trace(dents, 0xFF00FF);
    p.DrawWidth = 5;
    p.Trace(dents.translated(10, 20), 0x00FFFF);
    p.Cls();
    QCOMPARE(p.Image(), image);

    // Drawn again after the clear: as on a fresh picture.
    p.DrawWidth = 3;
    p.Line(0, 100, 300, 100, 0xFFFF00);
    PictureBox q;
    q.resize(300, 200);
    q.Scale(0, 0, 300, 200);
    q.setPicture(image);
    q.DrawWidth = 3;
    q.Line(0, 100, 300, 100, 0xFFFF00);
    QCOMPARE(p.Image(), q.Image());
}

void tst_PictureBox::resizedWhileAClearIsHeld_data()
{
    QTest::addColumn<QSize>("avant");
    QTest::addColumn<QSize>("apres");
    QTest::newRow("full HD to the panel") << QSize(1920, 1080) << QSize(399, 329);
    QTest::newRow("narrower, as high") << QSize(640, 300) << QSize(200, 300);
    QTest::newRow("larger") << QSize(300, 200) << QSize(640, 480);
}

void tst_PictureBox::resizedWhileAClearIsHeld()
{
    // A box that is not shown gets no resize event: a clear held back at the
    // old size (what is drawn next decides what goes back) meets the new
    // size only when the picture is next read or drawn. It then starts
    // afresh at the new size, as a box made at that size.
    QFETCH(QSize, avant);
    QFETCH(QSize, apres);
    const QImage image = fond(avant);
    PictureBox p;
    p.resize(avant);
    p.Scale(0, 0, avant.width(), avant.height());
    p.setPicture(image);
    p.DrawWidth = 3;
    p.Trace(dents(10, avant.width() - 10), 0x0000FF);
    (void)p.Image();
    p.Cls();
    p.Trace(dents(10, avant.width() - 10, 0.25), 0x00FF00);
    p.resize(apres);

    PictureBox q;
    q.resize(apres);
    q.Scale(0, 0, avant.width(), avant.height());
    q.setPicture(image);
    q.DrawWidth = 3;
    QCOMPARE(p.Image(), q.Image());

    // And it draws there as that box does.
    p.Trace(dents(10, avant.width() - 10), 0xFF00FF);
    q.Trace(dents(10, avant.width() - 10), 0xFF00FF);
    QCOMPARE(p.Image(), q.Image());
}

void tst_PictureBox::aNewBackgroundClearsEverything()
{
    PictureBox p;
    p.resize(200, 100);
    p.Scale(0, 0, 200, 100);
    p.setPicture(fond(QSize(200, 100)));
    QImage autre(200, 100, QImage::Format_RGB32);
    autre.fill(Qt::white);
    {
        QPainter peintre(&autre);
        peintre.fillRect(50, 20, 30, 30, Qt::black);
    }
    p.setPicture(autre);
    QCOMPARE(p.Image(), autre);
    // A new background colour too.
    p.setPicture(QImage());
    p.setBackColor(0x00FF00);
    QCOMPARE(pixelsDe(p.Image(), qRgb(0, 255, 0)), 200 * 100);
}

void tst_PictureBox::repaintCoversWhatChanged()
{
    QWidget fenetre;
    PictureBox* p = montree(fenetre, fond(QSize(640, 480)));
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QCoreApplication::processEvents();
    Peintures peintures;
    p->installEventFilter(&peintures);

    // A short trail: the repaint holds it and stays a small part of the
    // picture.
    p->Cls();
    p->DrawWidth = 3;
    p->Trace(QPolygonF{{100, 100}, {110, 120}, {120, 100}}, 0xFFFF00);
    QTRY_VERIFY(peintures.nombre > 0);
    QVERIFY(peintures.region.contains(QRect(100, 100, 20, 20)));
    QVERIFY(peintures.region.boundingRect().width() * peintures.region.boundingRect().height() < 640 * 480 / 10);

    // The trail moves on: the place it left is shown again with the new one.
    peintures.region = QRegion();
    peintures.nombre = 0;
    p->Cls();
    p->Trace(QPolygonF{{500, 300}, {510, 320}, {520, 300}}, 0xFFFF00);
    QTRY_VERIFY(peintures.nombre > 0);
    QVERIFY(peintures.region.contains(QRect(100, 100, 20, 20)));
    QVERIFY(peintures.region.contains(QRect(500, 300, 20, 20)));
    QVERIFY(!peintures.region.contains(QPoint(300, 200)));
    p->removeEventFilter(&peintures);
}

void tst_PictureBox::thickSegmentWidth_data()
{
    QTest::addColumn<double>("largeur");
    QTest::addColumn<int>("lignes"); // rows a level segment inks
    QTest::newRow("3 px") << 3.0 << 3;
    QTest::newRow("5 px") << 5.0 << 5;
    QTest::newRow("11 px") << 11.0 << 11;
}

void tst_PictureBox::thickSegmentWidth()
{
    QFETCH(double, largeur);
    QFETCH(int, lignes);
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    // Level from x = 20 to 80 through the middle of row 50.
    const QRect r = strokeThickPolyline(image, QPolygonF{{20, 50.5}, {80, 50.5}}, largeur, qRgb(255, 255, 255));
    int rangs = 0;
    for (int y = 0; y < 100; ++y)
        rangs += (image.pixel(50, y) & 0xFFFFFF) == 0xFFFFFF;
    QCOMPARE(rangs, lignes);
    // Round ends: half the width beyond each end, on the segment's row.
    QCOMPARE(r.left(), int(std::ceil(20 - largeur / 2 - 0.5)));
    QCOMPARE(r.right(), int(std::floor(80 + largeur / 2 - 0.5)));
    // A 45 degree segment is as wide across as a level one.
    image.fill(Qt::black);
    strokeThickPolyline(image, QPolygonF{{20, 20}, {80, 80}}, largeur, qRgb(255, 255, 255));
    int travers = 0;
    for (int k = -20; k <= 20; ++k) // along the other diagonal through (50, 50)
        travers += (image.pixel(50 + k, 50 - k) & 0xFFFFFF) == 0xFFFFFF;
    QVERIFY2(std::abs(travers * std::sqrt(2.0) - largeur) <= 2 * std::sqrt(2.0), qPrintable(QString::number(travers)));
}

void tst_PictureBox::thickPolylineOfWildPoints()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::black);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Far off the picture, not numbers: nothing hangs, what can show shows.
    strokeThickPolyline(image, QPolygonF{{-1e300, 32}, {1e300, 32}, {nan, 0}, {10, inf}, {10, 10}, {50, 10}}, 4,
                        qRgb(255, 255, 255));
    QCOMPARE(image.pixel(0, 32) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(63, 32) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(30, 10) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(30, 50) & 0xFFFFFF, 0u);
}

void tst_PictureBox::thickPolylineInksWithinHalfItsWidth_data()
{
    QTest::addColumn<QPolygonF>("figure");
    QTest::addColumn<double>("largeur");
    // A figure that turns over itself in short segments (an XY figure), a
    // zigzag of sharp turns and points on one spot, and a figure that leaves
    // the picture and comes back.
    QPolygonF tournant, zigzag, sortant;
    for (int i = 0; i <= 600; ++i)
        tournant << QPointF(60 + 45 * std::sin(i * 0.031), 50 + 35 * std::sin(i * 0.047 + 1));
    for (int i = 0; i <= 40; ++i)
        zigzag << QPointF(10 + 2.5 * i, i % 2 ? 20 : 80) << QPointF(10 + 2.5 * i, i % 2 ? 20 : 80);
    for (int i = 0; i <= 30; ++i)
        sortant << QPointF(-30 + 6 * i, i % 3 ? 50 + 70 * std::sin(i) : 140);
    // Steep strokes up and down, a little further across each time, over
    // one another many times (an XY figure whose fast channel runs through
    // nearly two periods between two steps of the slow one); upright ones
    // on pixel centres and edges.
    QPolygonF balayage, droits;
    for (int i = 0; i <= 1200; ++i)
        balayage << QPointF(60 + 40 * std::sin(i * 0.0011), 50 + 45 * std::sin(i * 2 * 3.14159265358979 * 0.124));
    for (int i = 0; i <= 24; ++i)
        droits << QPointF(20 + 3.5 * (i / 2), i % 2 ? 10 : 90) << QPointF(20.5 + 3.5 * (i / 2), i % 2 ? 90 : 10);
    for (const double largeur : {3.0, 7.0, 11.0}) {
        const QByteArray l = " at " + QByteArray::number(largeur) + " px";
        QTest::newRow("turning over itself" + l) << tournant << largeur;
        QTest::newRow("sharp turns" + l) << zigzag << largeur;
        QTest::newRow("out and back" + l) << sortant << largeur;
        QTest::newRow("steep strokes over one another" + l) << balayage << largeur;
        QTest::newRow("upright on centres and edges" + l) << droits << largeur;
    }
    // Ends a hair short of a pixel centre: their row is inked, by 1e-5.
    QTest::newRow("a hair within the ends at 11 px") << QPolygonF{{10.49, 20 - 1e-5}, {10.5, 60 + 1e-5}} << 11.0;
}

void tst_PictureBox::thickPolylineInksWithinHalfItsWidth()
{
    // Exactly the pixels whose centre lies within half the width of one of
    // the segments; a centre on that limit either way.
    QFETCH(QPolygonF, figure);
    QFETCH(double, largeur);
    QImage image(120, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    strokeThickPolyline(image, figure, largeur, qRgb(255, 255, 255));
    const auto distance = [](QPointF p, QPointF a, QPointF b) {
        const QPointF d = b - a;
        const double l2 = QPointF::dotProduct(d, d);
        const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / l2, 0.0, 1.0) : 0;
        const QPointF e = p - (a + t * d);
        return std::sqrt(QPointF::dotProduct(e, e));
    };
    QStringList ecarts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPointF centre(x + 0.5, y + 0.5);
            double plusPres = std::numeric_limits<double>::infinity();
            for (qsizetype i = 1; i < figure.size(); ++i)
                plusPres = std::min(plusPres, distance(centre, figure[i - 1], figure[i]));
            const bool encre = (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
            if (std::abs(plusPres - largeur / 2) > 1e-9 && encre != (plusPres < largeur / 2))
                ecarts << QStringLiteral("(%1, %2)").arg(x).arg(y);
        }
    QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.join(QLatin1Char(' '))));
}

void tst_PictureBox::wideFigureInksWithinAPixelOfItsPen_data()
{
    QTest::addColumn<QPolygonF>("figure");
    QTest::addColumn<double>("largeur");
    // A figure that turns over itself a few times; steep strokes up and
    // down, a little further across each time, over one another thousands
    // of times (an XY figure whose fast channel runs through nearly two
    // periods between two steps of the slow one), within the picture and
    // running off all four edges; a square's corners visited again and
    // again; a figure that leaves the picture and comes back.
    QPolygonF tournant, balayage, debordant, coins, sortant;
    for (int i = 0; i <= 600; ++i)
        tournant << QPointF(60 + 45 * std::sin(i * 0.031), 50 + 35 * std::sin(i * 0.047 + 1));
    for (int i = 0; i <= 8000; ++i) {
        const double phase = i * 2 * 3.14159265358979 * 0.124;
        balayage << QPointF(60 + 40 * std::sin(i * 0.0011), 50 + 45 * std::sin(phase));
        debordant << QPointF(60 + 70 * std::sin(i * 0.0011), 50 + 60 * std::sin(phase));
    }
    for (int i = 0; i <= 4000; ++i)
        coins << QPointF(i % 4 < 2 ? 15.3 : 104.7, (i + 1) % 4 < 2 ? 12.2 : 87.6);
    for (int i = 0; i <= 30; ++i)
        sortant << QPointF(-30 + 6 * i, i % 3 ? 50 + 70 * std::sin(i) : 140);
    for (const double largeur : {2.0, 3.0, 7.0, 11.0}) {
        const QByteArray l = " at " + QByteArray::number(largeur) + " px";
        QTest::newRow("turning over itself" + l) << tournant << largeur;
        QTest::newRow("steep strokes over one another" + l) << balayage << largeur;
        QTest::newRow("over one another, off every edge" + l) << debordant << largeur;
        QTest::newRow("a square's corners again and again" + l) << coins << largeur;
        QTest::newRow("out and back" + l) << sortant << largeur;
    }
}

void tst_PictureBox::wideFigureInksWithinAPixelOfItsPen()
{
    // Each pixel inked has its centre within half the width of the figure
    // and half a pixel's diagonal (the centre line's pixel); each point's
    // own pixel is inked, and so is every pixel whose centre lies within
    // half the width less a pixel and a half of the figure.
    QFETCH(QPolygonF, figure);
    QFETCH(double, largeur);
    QImage image(120, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRect encre = strokeWideFigure(image, figure, largeur, qRgb(255, 255, 255));
    const double r = largeur / 2;
    const double portee = r + 2;
    std::vector<double> d(size_t(image.width() * image.height()), std::numeric_limits<double>::infinity());
    for (qsizetype i = 1; i < figure.size(); ++i) {
        const QPointF a = figure[i - 1], ab = figure[i] - a;
        const double l2 = QPointF::dotProduct(ab, ab);
        const QRect boite = QRectF(a, figure[i]).normalized().adjusted(-portee, -portee, portee, portee)
                                .toAlignedRect() & image.rect();
        for (int y = boite.top(); y <= boite.bottom(); ++y)
            for (int x = boite.left(); x <= boite.right(); ++x) {
                const QPointF c(x + 0.5, y + 0.5);
                const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(c - a, ab) / l2, 0.0, 1.0) : 0;
                const QPointF e = c - (a + t * ab);
                double& v = d[size_t(y * image.width() + x)];
                v = std::min(v, std::sqrt(QPointF::dotProduct(e, e)));
            }
    }
    const auto encree = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; };
    QStringList fautes;
    QRect boite;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double loin = d[size_t(y * image.width() + x)];
            if (encree(x, y)) {
                boite |= QRect(x, y, 1, 1);
                if (loin > r + std::sqrt(0.5) + 1e-9)
                    fautes << QStringLiteral("ink at (%1, %2), %3 px off").arg(x).arg(y).arg(loin);
            } else if (loin <= r - 1.5) {
                fautes << QStringLiteral("no ink at (%1, %2), %3 px off").arg(x).arg(y).arg(loin);
            }
        }
    for (const QPointF& p : figure)
        if (image.rect().contains(int(std::floor(p.x())), int(std::floor(p.y())))
            && !encree(int(std::floor(p.x())), int(std::floor(p.y()))))
            fautes << QStringLiteral("point (%1, %2) not inked").arg(p.x()).arg(p.y());
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.mid(0, 20).join(QLatin1Char(' '))));
    QCOMPARE(encre, boite);
}

void tst_PictureBox::thinPolylineInksWhatThePainterInks_data()
{
    QTest::addColumn<QPolygonF>("figure");
    // Segments anywhere, in and off the picture, drawn from fixed draws;
    // short steep ones up and down a little further across each time (a
    // dense XY figure); level and upright ones on pixel centres and edges;
    // ends a hair apart (the painter draws those as a point); a figure
    // standing on one point.
    std::mt19937 tirage(20240611);
    std::uniform_real_distribution<double> partout(-40, 160);
    QPolygonF hasard, balayage, droits, proches, immobile;
    for (int i = 0; i < 3000; ++i)
        hasard << QPointF(partout(tirage), partout(tirage));
    for (int i = 0; i <= 3000; ++i)
        balayage << QPointF(60 + 40 * std::sin(i * 0.0005), 50 + 45 * std::sin(i * 2 * 3.14159265358979 * 0.124));
    for (int i = 0; i <= 80; ++i) {
        const double x = 5 + 0.5 * i, y = 5 + 0.5 * (i % 13);
        droits << QPointF(x, y) << QPointF(x, y + 40) << QPointF(x + 30, y + 40);
    }
    for (int i = 0; i < 200; ++i) {
        const QPointF p(partout(tirage), partout(tirage));
        proches << p << QPointF(p.x() * (1 + 1e-13), p.y() * (1 - 3e-13));
    }
    immobile << QPointF(30.5, 40.25) << QPointF(30.5, 40.25) << QPointF(30.5, 40.25);
    QTest::newRow("anywhere") << hasard;
    QTest::newRow("steep over one another") << balayage;
    QTest::newRow("level and upright") << droits;
    QTest::newRow("ends a hair apart") << proches;
    QTest::newRow("standing on one point") << immobile;
}

void tst_PictureBox::thinPolylineInksWhatThePainterInks()
{
    // Each segment as the painter draws it alone with a solid pen a pixel
    // wide, flat ends and no antialiasing, once cut to the picture and 2.5
    // pixels around.
    QFETCH(QPolygonF, figure);
    QImage attendu(123, 97, QImage::Format_RGB32);
    attendu.fill(Qt::black);
    QImage image = attendu;
    {
        QPainter p(&attendu);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(QColor(255, 255, 255));
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        const QRectF cadre = QRectF(attendu.rect()).adjusted(-2.5, -2.5, 2.5, 2.5);
        for (qsizetype i = 1; i < figure.size(); ++i) {
            QPointF a = figure[i - 1], b = figure[i];
            if (clipSegment(a, b, cadre))
                p.drawLine(a, b);
        }
    }
    const QRect encre = strokeThinPolyline(image, figure, qRgb(255, 255, 255));
    QStringList ecarts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != attendu.pixel(x, y))
                ecarts << QStringLiteral("(%1, %2)").arg(x).arg(y);
    QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.mid(0, 40).join(QLatin1Char(' '))));
    // What it gives as inked is the box of the painter's pixels.
    QRect boite;
    for (int y = 0; y < attendu.height(); ++y)
        for (int x = 0; x < attendu.width(); ++x)
            if ((attendu.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                boite |= QRect(x, y, 1, 1);
    QCOMPARE(encre, boite);
}

void tst_PictureBox::drawingFarOffThePicture()
{
    // A trace whose last period runs far past the edge, a level line of a
    // huge voltage, a figure of huge values: drawn without an int that
    // cannot hold them, and cleared away whole.
    const QImage image = fond(QSize(200, 100));
    PictureBox p;
    p.resize(200, 100);
    p.Scale(0, 0, 200, 100);
    p.setPicture(image);
    for (int largeur : {1, 3}) {
        p.DrawWidth = largeur;
        p.Trace(QPolygonF{{0, 50}, {10, 20}, {3.4e9, 20}, {3.4e9, 80}}, 0xFFFF00);
        p.Line(0, -1e15, 10, 1e15, 0x00FF00);
        p.Polyline(QPolygonF{{-1e300, 1e300}, {100, 50}, {1e300, -1e300}}, 0x0000FF);
        QCOMPARE(p.Image().pixel(50, 20) & 0xFFFFFF, 0x00FFFFu); // the trace's level run
    }
    p.Cls();
    QCOMPARE(p.Image(), image);
}

void tst_PictureBox::printLeavesTheFontsOwnPixels_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<double>("taille");
    QTest::addColumn<QPointF>("place");
    QTest::addColumn<int>("couleur");
    QTest::newRow("panel's readout") << QStringLiteral("10 ms") << 8.0 << QPointF(13.3, 40.71) << 0x000000;
    QTest::newRow("full-screen readout") << QStringLiteral("0.5 V") << 18.0 << QPointF(100.5, 200.25) << 0xFFFFFF;
    QTest::newRow("accents, on a whole pixel") << QStringLiteral("µs/div é") << 12.0 << QPointF(7, 90) << 0x00FF00;
}

void tst_PictureBox::printLeavesTheFontsOwnPixels()
{
    QFETCH(QString, texte);
    QFETCH(double, taille);
    QFETCH(QPointF, place);
    QFETCH(int, couleur);
    const QImage image = fond(QSize(300, 300));
    PictureBox p;
    p.resize(300, 300);
    p.Scale(0, 0, 300, 300);
    p.setPicture(image);
    p.FontName = QStringLiteral("Arial");
    p.FontSize = taille;
    p.ForeColor = couleur;

    // The text drawn by the font itself, its top-left corner at the place.
    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(taille);
    police.setStyleStrategy(QFont::NoAntialias);
    const auto attendu = [&](QPointF coin) {
        QImage dessin = image.copy();
        QPainter peintre(&dessin);
        peintre.setFont(police);
        peintre.setPen(QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF));
        peintre.drawText(coin + QPointF(0, QFontMetricsF(police, &dessin).ascent()), texte);
        return dessin;
    };
    const auto imprimer = [&](QPointF coin) {
        p.Cls();
        p.CurrentX = coin.x();
        p.CurrentY = coin.y();
        p.Print(texte);
        return p.Image();
    };

    // Printed at one place, again there (as at every tick), then a fraction
    // of a pixel across, a fraction down, and whole pixels away.
    QCOMPARE(imprimer(place), attendu(place));
    QCOMPARE(imprimer(place), attendu(place));
    for (const QPointF decalage : {QPointF(0.37, 0), QPointF(0, 0.45), QPointF(41, 17)})
        QCOMPARE(imprimer(place + decalage), attendu(place + decalage));
    // The clear puts back what the text inked.
    p.Cls();
    QCOMPARE(p.Image(), image);
}


// What a frame draws after its clear: each frame of a scenario is drawn on a
// picture that keeps what it showed, and on a fresh one.
using Dessin = std::function<void(PictureBox&)>;
Q_DECLARE_METATYPE(QList<Dessin>)

void tst_PictureBox::frameDrawnAgainIsAFreshDrawing_data()
{
    QTest::addColumn<QList<Dessin>>("images");
    // A thin trail from x0 to x1 and the readout.
    const auto trail = [](double x0, double x1) {
        return Dessin([x0, x1](PictureBox& p) {
            p.DrawWidth = 1;
            p.Trace(dents(x0, x1), 0xFFFF00);
            p.CurrentX = 40;
            p.CurrentY = 170;
            p.Print(QStringLiteral("10 ms"));
        });
    };
    const Dessin trainee = trail(20, 220);
    const Dessin plusLoin = trail(90, 290);
    const auto deuxVoies = [](int premiere, int seconde) {
        return Dessin([premiere, seconde](PictureBox& p) {
            p.DrawWidth = 3;
            p.Trace(dents(30, 200), premiere);
            p.Trace(dents(30, 200, 0.25), seconde);
        });
    };
    const Dessin ligne = [](PictureBox& p) {
        p.DrawWidth = 2;
        p.Line(0, 100, 300, 120, 0x0000FF);
        p.DrawWidth = 1;
        p.Trace(dents(20, 220), 0xFFFF00);
    };
    const Dessin figure = [](PictureBox& p) {
        p.DrawWidth = 3;
        p.Polyline(QPolygonF{{20, 20}, {280, 180}, {150, 10}}, 0x00FF00);
        p.Trace(dents(100, 150), 0xFFFF00);
    };
    // A wide figure that starts halfway down a row of tiles and climbs
    // within it: its last segments ink only rows above its first ones.
    const Dessin montee = [](PictureBox& p) {
        p.DrawWidth = 3;
        p.Polyline(QPolygonF{{20, 50}, {60, 52}, {100, 44}, {140, 38}}, 0x00FF00);
    };
    const Dessin deuxFois = [](PictureBox& p) {
        p.DrawWidth = 1;
        p.Trace(dents(150, 290), 0xFF00FF);
        p.Cls();
        p.Trace(dents(20, 220), 0xFFFF00);
    };
    const Dessin luEnCours = [](PictureBox& p) {
        p.DrawWidth = 1;
        p.Trace(dents(20, 120), 0xFFFF00);
        (void)p.Image();
        p.Trace(dents(100, 220), 0xFF00FF);
    };
    QTest::newRow("the same trail again") << QList<Dessin>{trainee, trainee, trainee};
    QTest::newRow("the trail moves on") << QList<Dessin>{trainee, plusLoin, trainee};
    QTest::newRow("two traces drawn in the other order")
        << QList<Dessin>{deuxVoies(0xFFFF00, 0xFF00FF), deuxVoies(0xFF00FF, 0xFFFF00), deuxVoies(0xFF00FF, 0xFFFF00)};
    QTest::newRow("a line, then the trail alone") << QList<Dessin>{ligne, trainee, ligne, ligne};
    QTest::newRow("a wide figure, then the trail alone") << QList<Dessin>{figure, trainee, figure};
    QTest::newRow("a wide figure climbing, then the trail alone") << QList<Dessin>{montee, trainee, montee, trainee};
    QTest::newRow("cleared twice in a frame") << QList<Dessin>{trainee, deuxFois, deuxFois, plusLoin};
    QTest::newRow("picture read within a frame") << QList<Dessin>{luEnCours, luEnCours, trainee, luEnCours};
    QTest::newRow("nothing drawn") << QList<Dessin>{trainee, [](PictureBox&) {}, trainee};
}

void tst_PictureBox::frameDrawnAgainIsAFreshDrawing()
{
    // A clear waits for what is drawn next and puts back only the tiles that
    // change: whatever the frames before, the picture is as a fresh drawing
    // of the frame shows it.
    QFETCH(QList<Dessin>, images);
    const QImage image = fond(QSize(300, 200));
    PictureBox p;
    surFond(p, image);
    p.FontName = QStringLiteral("Arial");
    for (qsizetype i = 0; i < images.size(); ++i) {
        p.Cls();
        images[i](p);
        PictureBox q;
        surFond(q, image);
        q.FontName = QStringLiteral("Arial");
        images[i](q);
        QVERIFY2(p.Image() == q.Image(), qPrintable(QStringLiteral("frame %1").arg(i)));
    }
    p.Cls();
    QCOMPARE(p.Image(), image);
}

void tst_PictureBox::frameDrawnAgainShowsOnlyWhatChanged()
{
    QWidget fenetre;
    PictureBox* p = montree(fenetre, fond(QSize(640, 480)));
    p->FontName = QStringLiteral("Arial");
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    const auto image = [p](double debut) {
        p->Cls();
        p->DrawWidth = 1;
        p->Trace(dents(debut, debut + 400), 0xFFFF00);
        p->CurrentX = 300;
        p->CurrentY = 400;
        p->Print(QStringLiteral("10 ms"));
    };
    Peintures peintures;
    p->installEventFilter(&peintures);
    image(20);
    QTRY_VERIFY(peintures.nombre > 0);
    QTest::qWait(50);
    peintures.region = QRegion();
    peintures.nombre = 0;

    // A trail that moves on by 100 pixels, samples where they were: the
    // screen shows again the 100 pixels it left and the 100 it reached, not
    // the 300 it still covers, nor the readout.
    image(120);
    QTRY_VERIFY(peintures.nombre > 0);
    QVERIFY(peintures.region.contains(QRect(30, 70, 80, 70)));
    QVERIFY(peintures.region.contains(QRect(430, 70, 80, 70)));
    QVERIFY(!peintures.region.intersects(QRect(170, 0, 230, 480)));
    QVERIFY(!peintures.region.intersects(QRect(300, 380, 40, 30)));
    p->removeEventFilter(&peintures);
}

void tst_PictureBox::trailPutBackAndShownOnItsRowsAlone()
{
    // A level trail 3 pixels wide through rows 39 to 41 from x 100 to 300,
    // then one lower from x 400 on: the screen shows again the rows the
    // trails covered, not the rest of their tiles (rows 32 to 63 and 288 to
    // 319), and what the first covered is the background again.
    QWidget fenetre;
    const QImage fondu = fond(QSize(640, 480));
    PictureBox* p = montree(fenetre, fondu);
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    p->DrawWidth = 3;
    const auto trace = [p](double debut, double y) {
        p->Cls();
        p->Trace(QPolygonF{{debut, y}, {debut + 200, y}}, 0xFFFF00);
    };
    Peintures peintures;
    p->installEventFilter(&peintures);
    trace(100, 40.5);
    QTRY_VERIFY(peintures.nombre > 0);
    QTest::qWait(50);
    peintures.region = QRegion();
    peintures.nombre = 0;

    trace(400, 300.5);
    QTRY_VERIFY(peintures.nombre > 0);
    QVERIFY(peintures.region.contains(QRect(100, 39, 200, 3)));
    QVERIFY(peintures.region.contains(QRect(400, 299, 200, 3)));
    QVERIFY(!peintures.region.intersects(QRect(0, 32, 640, 7)));
    QVERIFY(!peintures.region.intersects(QRect(0, 43, 640, 21)));
    QVERIFY(!peintures.region.intersects(QRect(0, 288, 640, 11)));
    QVERIFY(!peintures.region.intersects(QRect(0, 303, 640, 17)));
    const QImage apres = p->Image();
    QCOMPARE(apres.copy(0, 0, 640, 200), fondu.copy(0, 0, 640, 200));
    p->removeEventFilter(&peintures);
}

void tst_PictureBox::fullScreenPictureOutlivesItsBox()
{
    // A full-HD picture (its memory laid out for huge pages): drawn on,
    // cleared, and read after its box is gone.
    const QImage image = fond(QSize(1920, 1080));
    QImage lue;
    {
        PictureBox p;
        surFond(p, image);
        p.DrawWidth = 3;
        p.Trace(dents(100, 1800), 0xFFFF00);
        p.Cls();
        QCOMPARE(p.Image(), image);
        p.Line(0, 540, 1920, 540, 0x00FF00);
        lue = p.Image();
    }
    QCOMPARE(lue.size(), QSize(1920, 1080));
    QCOMPARE(lue.pixel(960, 540) & 0xFFFFFF, 0x00FF00u);
    QCOMPARE(lue.pixel(960, 100), image.pixel(960, 100));
    lue.setPixel(0, 0, qRgb(1, 2, 3)); // a copy of its own to write on
    QCOMPARE(lue.pixel(0, 0) & 0xFFFFFF, 0x010203u);
}

void tst_PictureBox::windowShowsThePicture_data()
{
    QTest::addColumn<QPoint>("place");    // the box's place in the window
    QTest::addColumn<bool>("recouverte"); // a panel lies over part of it
    QTest::addColumn<bool>("tic");        // drawn in an animation's tick
    QTest::newRow("in the corner") << QPoint(0, 0) << false << false;
    QTest::newRow("inside, partly covered") << QPoint(37, 23) << true << false;
    QTest::newRow("in the corner, a tick") << QPoint(0, 0) << false << true;
    QTest::newRow("inside, partly covered, a tick") << QPoint(37, 23) << true << true;
}

// What the window shows of the box, once repainted, is the box's picture,
// where it lies in the window, and nothing over what covers it.
void tst_PictureBox::windowShowsThePicture()
{
    QFETCH(QPoint, place);
    QFETCH(bool, recouverte);
    QFETCH(bool, tic);
    QWidget fenetre;
    fenetre.setAttribute(Qt::WA_NoSystemBackground);
    fenetre.resize(420, 300);
    auto* p = new PictureBox(&fenetre);
    p->move(place);
    surFond(*p, fond(QSize(320, 240)));
    QWidget* panneau = nullptr;
    if (recouverte) {
        panneau = new QWidget(&fenetre);
        panneau->setAutoFillBackground(true);
        QPalette couleurs = panneau->palette();
        couleurs.setColor(QPalette::Window, QColor(1, 2, 3));
        panneau->setPalette(couleurs);
        panneau->setGeometry(place.x() + 200, place.y() + 100, 150, 60);
    }
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    // A trail drawn, then moved on under the panel: both repaints show.
    for (int x0 : {40, 180}) {
        const auto dessiner = [&] {
            p->Cls();
            p->DrawWidth = 3;
            p->Trace(dents(x0, x0 + 100), 0x00FFFF);
        };
        if (tic) {
            // A tick's drawing is on screen when the tick ends, with no
            // turn of the event loop, inside nested ticks and with another
            // box drawn on and gone before the end.
            const PictureBox::ShowAtEnd finDuTic;
            const PictureBox::ShowAtEnd imbrique;
            dessiner();
            PictureBox(&fenetre).Cls();
        } else {
            dessiner();
            // The damage is shown from the event loop, then painted.
            for (int tour = 0; tour < 3; ++tour)
                QCoreApplication::processEvents();
        }
        const QImage ecran = fenetre.screen()->grabWindow(fenetre.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage image = p->Image();
        for (int y = 0; y < image.height(); y += 1)
            for (int x = 0; x < image.width(); x += 1) {
                const QPoint dansFenetre = place + QPoint(x, y);
                const bool dessous = panneau && panneau->geometry().contains(dansFenetre);
                const QRgb attendu = dessous ? qRgb(1, 2, 3) : image.pixel(x, y);
                if (ecran.pixel(dansFenetre) != attendu)
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) shows %3, not %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(ecran.pixel(dansFenetre), 8, 16)
                                         .arg(attendu, 8, 16)));
            }
    }
}

QTEST_MAIN(tst_PictureBox)
#include "tst_picturebox.moc"
