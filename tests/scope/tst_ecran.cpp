#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"

#include <QtTest>

namespace {

constexpr int kFond = 167 | (169 << 8) | (154 << 16);
constexpr int kGrille = 0x0000FF;  // red
constexpr int kCadre = 0xFF0000;   // blue

QRgb rgb(int vb)
{
    return qRgb(vb & 0xFF, (vb >> 8) & 0xFF, (vb >> 16) & 0xFF);
}

// A window holding a 1005 x 805 graticule picture: one unit per pixel, so
// the user point (x, y) is the pixel (x + 500, 400 - y).
struct Grille {
    QWidget fenetre;
    PictureBox* picture = new PictureBox(&fenetre);
    QImage image;

    explicit Grille(int grille = kGrille)
    {
        picture->setObjectName("picGrille");
        picture->resize(1005, 805);
        Scope().CouleurFond = kFond;
        Scope().CouleurGrille = grille;
        Scope().CouleurCadre = kCadre;
        DessinerGrille(picture);
        image = picture->Image();
    }
    QRgb at(int x, int y) const { return image.pixel(x + 500, 400 - y) & 0xFFFFFF; }
    // Rows (as user y) around y0 whose pixel at x has the colour.
    QList<int> rowsWith(int x, int y0, int colour) const
    {
        QList<int> rows;
        for (int y = y0 - 3; y <= y0 + 3; ++y)
            if (at(x, y) == (rgb(colour) & 0xFFFFFF))
                rows << y;
        return rows;
    }
};

} // namespace

class tst_Ecran : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scaleMapsUnitsToPixels();
    void gridLinesAndAxes();
    void ticksOnlyOnTheAxes();
    void dottedLinesInBorderColour();
    void gridColourOfBackgroundLeavesBorder();
    void drawStyles_data();
    void drawStyles();
    void textStandsOnItsLine();
    void clsRestoresBackgroundPicture();
    void mouseInUserUnits();
};

void tst_Ecran::scaleMapsUnitsToPixels()
{
    PictureBox p;
    p.resize(1005, 805);
    p.Scale(-500, 400, 505, -405);
    QCOMPARE(p.ScaleWidth(), 1005.0);
    QCOMPARE(p.ScaleHeight(), -805.0);
    QCOMPARE(p.toPixel(-500, 400), QPointF(0, 0));
    QCOMPARE(p.toPixel(0, 0), QPointF(500, 400));
    QCOMPARE(p.toPixel(500, -400), QPointF(1000, 800));
    QCOMPARE(p.toUser(QPointF(600, 300)), QPointF(100, 100));
}

void tst_Ecran::gridLinesAndAxes()
{
    Grille g;
    // Full lines every division, 1 pixel wide, in the grid colour.
    QCOMPARE(g.rowsWith(250, 100, kGrille), QList<int>{100});
    QCOMPARE(g.rowsWith(-350, -300, kGrille), QList<int>{-300});
    QCOMPARE(g.at(250, 280), rgb(kFond) & 0xFFFFFF);
    // The axes are 2 pixels wide.
    QCOMPARE(g.rowsWith(250, 0, kGrille).size(), 2);
    QVERIFY(g.rowsWith(250, 0, kGrille).contains(0));
    int axisColumns = 0;
    for (int x = -3; x <= 3; ++x)
        axisColumns += g.at(x, 150) == (rgb(kGrille) & 0xFFFFFF);
    QCOMPARE(axisColumns, 2);
    // The border in the border colour, 1 pixel wide.
    QCOMPARE(g.at(250, 400), rgb(kCadre) & 0xFFFFFF);
    QCOMPARE(g.at(250, -400), rgb(kCadre) & 0xFFFFFF);
    QCOMPARE(g.at(-500, 50), rgb(kCadre) & 0xFFFFFF);
    QCOMPARE(g.at(500, 50), rgb(kCadre) & 0xFFFFFF);
    QCOMPARE(g.at(250, 399), rgb(kFond) & 0xFFFFFF);
    QCOMPARE(g.at(499, 50), rgb(kFond) & 0xFFFFFF);
    // Outside the border, on the extra units, only the background.
    QCOMPARE(g.at(503, 50), rgb(kFond) & 0xFFFFFF);
}

void tst_Ecran::ticksOnlyOnTheAxes()
{
    Grille g;
    const QRgb grille = rgb(kGrille) & 0xFFFFFF;
    const QRgb fond = rgb(kFond) & 0xFFFFFF;
    for (int t : {20, 40, 60, 80, -20, -80, 120, 380}) {
        QCOMPARE(g.at(10, t), grille);  // across the vertical axis
        QCOMPARE(g.at(-10, t), grille);
        QCOMPARE(g.at(t, 10), grille);  // across the horizontal axis
        QCOMPARE(g.at(t, -10), grille);
    }
    // 12 units to each side, no further.
    QCOMPARE(g.at(15, 40), fond);
    QCOMPARE(g.at(40, -15), fond);
    // Nowhere else.
    QCOMPARE(g.at(250, 40), fond);
    QCOMPARE(g.at(40, 250 + 40), fond);
}

void tst_Ecran::dottedLinesInBorderColour()
{
    Grille g;
    for (int y : {250, -250}) {
        int border = 0, background = 0;
        for (int x = -390; x < -310; ++x) {
            const QRgb c = g.at(x, y);
            border += c == (rgb(kCadre) & 0xFFFFFF);
            background += c == (rgb(kFond) & 0xFFFFFF);
        }
        QVERIFY2(border > 20 && background > 20, qPrintable(QString("%1 / %2").arg(border).arg(background)));
        QCOMPARE(border + background, 80); // never the grid colour
    }
}

void tst_Ecran::gridColourOfBackgroundLeavesBorder()
{
    Grille g(kFond);
    const QRgb fond = rgb(kFond) & 0xFFFFFF;
    QCOMPARE(g.at(250, 100), fond);
    QCOMPARE(g.at(10, 40), fond);
    QCOMPARE(g.at(0, 150), fond);
    QCOMPARE(g.at(250, 400), rgb(kCadre) & 0xFFFFFF);
    QCOMPARE(g.at(500, 0), rgb(kCadre) & 0xFFFFFF);
}

void tst_Ecran::drawStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("solid") << 0 << 1 << false;
    QTest::newRow("dash") << 1 << 1 << true;
    QTest::newRow("dot") << 2 << 1 << true;
    QTest::newRow("dash-dot") << 3 << 1 << true;
    QTest::newRow("dash-dot-dot") << 4 << 1 << true;
    QTest::newRow("dash drawn 2 wide is solid") << 1 << 2 << false;
    QTest::newRow("dot drawn 3 wide is solid") << 2 << 3 << false;
}

void tst_Ecran::drawStyles()
{
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(bool, gaps);
    PictureBox p;
    p.resize(1005, 805);
    p.Scale(-500, 400, 505, -405);
    p.setBackColor(0xFFFFFF);
    p.DrawStyle = style;
    p.DrawWidth = width;
    p.Line(-400, 0, 400, 0, 0);
    const QImage image = p.Image();
    int holes = 0;
    for (int x = 110; x < 890; ++x)
        holes += (image.pixel(x, 400) & 0xFFFFFF) != 0;
    QCOMPARE(holes > 0, gaps);
}

void tst_Ecran::textStandsOnItsLine()
{
    PictureBox p;
    p.resize(1005, 805);
    p.Scale(-500, 400, 505, -405);
    p.setBackColor(0xFFFFFF);
    p.FontName = "Arial";
    p.FontSize = 18;
    p.ForeColor = 0;
    const QString text = "CH1 2 V";
    const double h = p.TextHeight(text);
    const double w = p.TextWidth(text);
    QVERIFY(h < 0);
    QVERIFY(w > 0);
    p.CurrentX = -400 + (100 - w) / 2;
    p.CurrentY = -370 - h;
    p.Print(text);
    QCOMPARE(p.CurrentX, -500.0);
    QCOMPARE(p.CurrentY, -370.0);

    // Ink lies between the text's top and the line it stands on, glyphs upright
    // (the capitals' flat tops come before their bases).
    const QImage image = p.Image();
    int top = 805, bottom = -1, left = 1005, right = -1;
    for (int y = 0; y < 805; ++y)
        for (int x = 0; x < 1005; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = qMin(top, y);
                bottom = qMax(bottom, y);
                left = qMin(left, x);
                right = qMax(right, x);
            }
    const int lineRow = 400 + 370;
    QVERIFY2(top >= lineRow + int(h) - 1 && bottom <= lineRow, qPrintable(QString("%1..%2").arg(top).arg(bottom)));
    // The baseline sits one descent above the line.
    QVERIFY2(bottom >= lineRow - 12, qPrintable(QString::number(lineRow - bottom)));
    QVERIFY(left >= int(100 + (100 - w) / 2) - 1 && right <= int(100 + (100 + w) / 2) + 1);
}

void tst_Ecran::clsRestoresBackgroundPicture()
{
    PictureBox grille;
    grille.resize(200, 100);
    grille.setBackColor(0x00FF00);
    grille.Scale(0, 0, 200, 100);
    grille.Line(0, 50, 200, 50, 0);

    PictureBox ecran;
    ecran.resize(200, 100);
    ecran.Scale(0, 0, 200, 100);
    ecran.setBackColor(0xFFFFFF);
    ecran.Line(0, 10, 200, 10, 0x0000FF);
    ecran.setPicture(grille.Image());
    // The picture replaces the traces.
    QCOMPARE(ecran.Image().pixel(100, 10) & 0xFFFFFF, qRgb(0, 255, 0) & 0xFFFFFF);
    QCOMPARE(ecran.Image().pixel(100, 50) & 0xFFFFFF, 0u);
    ecran.Line(0, 20, 200, 20, 0x0000FF);
    ecran.Cls();
    QCOMPARE(ecran.Image().pixel(100, 20) & 0xFFFFFF, qRgb(0, 255, 0) & 0xFFFFFF);
    QCOMPARE(ecran.Image().pixel(100, 50) & 0xFFFFFF, 0u);
}

void tst_Ecran::mouseInUserUnits()
{
    PictureBox p;
    p.resize(1005, 805);
    p.Scale(-500, 400, 505, -405);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QList<QList<double>> downs;
    int doubles = 0;
    connect(&p, &PictureBox::MouseDown, this, [&](int b, int s, double x, double y) { downs << QList<double>{double(b), double(s), x, y}; });
    connect(&p, &PictureBox::DblClick, this, [&] { ++doubles; });
    QTest::mousePress(&p, Qt::LeftButton, Qt::ShiftModifier, QPoint(600, 300));
    QTest::mouseRelease(&p, Qt::LeftButton, Qt::ShiftModifier, QPoint(600, 300));
    QCOMPARE(downs.size(), 1);
    QCOMPARE(downs[0], (QList<double>{1, 1, 100, 100}));
    QTest::mouseDClick(&p, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(doubles, 1);
}

QTEST_MAIN(tst_Ecran)
#include "tst_ecran.moc"
