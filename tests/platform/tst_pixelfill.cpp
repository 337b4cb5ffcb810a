// Rectangles of one colour written straight into a picture: exactly their
// pixels, cut to the picture, whatever their shape and number.

#include "platform/PixelFill.h"

#include <QPainter>
#include <QtTest>

namespace {

constexpr int kLargeur = 203;
constexpr int kHauteur = 150;
constexpr QRgb kEncre = 0xFFFFFF00;

// A background with a different colour in every pixel, so that a pixel
// written where it should not be, or left where it should be written, shows.
QImage fond()
{
    QImage image(kLargeur, kHauteur, QImage::Format_RGB32);
    for (int y = 0; y < kHauteur; ++y)
        for (int x = 0; x < kLargeur; ++x)
            image.setPixel(x, y, qRgb(x % 256, (3 * y) % 256, (x + y) % 256));
    return image;
}

} // namespace

class tst_PixelFill : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesExactlyTheRectangles_data();
    void writesExactlyTheRectangles();
};

void tst_PixelFill::writesExactlyTheRectangles_data()
{
    QTest::addColumn<QList<QRect>>("rectangles");
    QList<QRect> dents, rares, inegales, melange, largeurs;
    // A thin trace's teeth: one pixel wide, every other column, nearly the
    // whole height.
    for (int x = 1; x < kLargeur; x += 2)
        dents << QRect(x, 3, 1, kHauteur - 7);
    // A few teeth far apart.
    for (int x = 0; x < kLargeur; x += 40)
        rares << QRect(x, 10, 1, 120);
    // Side by side, each starting and ending on another row, some two or
    // three pixels wide.
    for (int x = 0; x < kLargeur - 3; ++x)
        inegales << QRect(x, (x * 37) % 60, 1 + x % 3, 40 + (x * 53) % 100);
    // Wide runs, single pixels and a tall tooth together, and pieces off the
    // picture's edges.
    melange << QRect(0, 0, kLargeur, 1) << QRect(20, 40, 150, 30) << QRect(5, 5, 1, 1) << QRect(100, 0, 1, kHauteur)
            << QRect(-10, 60, 30, 100) << QRect(190, -20, 40, 50) << QRect(300, 10, 5, 5);
    // Runs of every width up to past the first ones written pixel by pixel,
    // one a row, and two rows of each a little further.
    for (int w = 1; w <= 70; ++w)
        largeurs << QRect(w % 3, w, w, 1) << QRect(100 + w % 5, 75 + w, w, 2);
    QTest::newRow("teeth side by side") << dents;
    QTest::newRow("teeth far apart") << rares;
    QTest::newRow("ragged teeth") << inegales;
    QTest::newRow("wide, narrow and off the picture") << melange;
    QTest::newRow("runs of every width") << largeurs;
}

void tst_PixelFill::writesExactlyTheRectangles()
{
    QFETCH(QList<QRect>, rectangles);
    QImage attendu = fond();
    {
        QPainter peintre(&attendu);
        for (const QRect& r : rectangles)
            peintre.fillRect(r, QColor::fromRgb(kEncre));
    }
    QImage obtenu = fond();
    fillRects(obtenu, rectangles, kEncre);
    QCOMPARE(obtenu, attendu);
}

QTEST_MAIN(tst_PixelFill)
#include "tst_pixelfill.moc"
