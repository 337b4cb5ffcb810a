#include "platform/FormDesign.h"
#include "platform/PanelBarGraph.h"
#include "platform/PanelSlider.h"
#include "platform/Potentio_Creme.h"
#include "platform/Shape.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include <cmath>

// The instruments' controls as their windows build them: lamps behind glass,
// level bars of lit segments,
// push buttons and switches that look pressed in, panel sliders whose cap is
// where the mouse takes it, stepped knobs with a mark at every detent.
class tst_PanelControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lampGlassShowsItsFillColour_data();
    void lampGlassShowsItsFillColour();
    void capLooksPressedWhenIn_data();
    void capLooksPressedWhenIn();
    void sliderCapIsWhereTheMouseTakesIt_data();
    void sliderCapIsWhereTheMouseTakesIt();
    void steppedKnobPrintsEveryDetent_data();
    void steppedKnobPrintsEveryDetent();
    void barGraphLightsUpToItsLevel_data();
    void barGraphLightsUpToItsLevel();
};

namespace {

double meanGray(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (image.width() * image.height());
}

bool cream(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 185 && qBlue(c) > 120 && qRed(c) - qBlue(c) > 15;
}

// A lit segment glows green.
bool lit(QRgb c)
{
    return qGreen(c) > 150 && qRed(c) < 140 && qBlue(c) < 140;
}

} // namespace

void tst_PanelControls::lampGlassShowsItsFillColour_data()
{
    QTest::addColumn<int>("fill");
    QTest::addColumn<QSize>("size");
    // Unlit white and lit green at the scope's and the generator's sizes; a red one.
    QTest::newRow("scope unlit") << 0xFFFFFF << QSize(27, 9);
    QTest::newRow("scope lit") << 0x00FF00 << QSize(27, 9);
    QTest::newRow("generator unlit") << 0xFFFFFF << QSize(24, 7);
    QTest::newRow("generator lit") << 0x00FF00 << QSize(24, 7);
    QTest::newRow("red") << 0x0000FF << QSize(24, 7);
}

void tst_PanelControls::lampGlassShowsItsFillColour()
{
    QFETCH(int, fill);
    QFETCH(QSize, size);
    Shape lamp;
    lamp.resize(size);
    lamp.setKind(Shape::Lamp);
    lamp.setFillColor(fill);
    QCOMPARE(lamp.FillColor(), fill);
    const QImage image = lamp.grab().toImage();
    // The middle of the glass is the lamp's colour (red in the low byte)...
    const QRgb middle = image.pixel(size.width() / 2, size.height() / 2);
    const QColor wanted(fill & 0xFF, (fill >> 8) & 0xFF, (fill >> 16) & 0xFF);
    const int gap = std::max({std::abs(qRed(middle) - wanted.red()), std::abs(qGreen(middle) - wanted.green()),
                              std::abs(qBlue(middle) - wanted.blue())});
    QVERIFY2(gap <= 40, qPrintable(QColor(middle).name()));
    // ...held in a dark bezel, top and bottom.
    for (int y : {0, size.height() - 1})
        QVERIFY2(qGray(image.pixel(size.width() / 2, y)) < 110, qPrintable(QColor(image.pixel(size.width() / 2, y)).name()));
}

void tst_PanelControls::capLooksPressedWhenIn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("panel button") << int(ControlKind::PanelButton) << QSize(33, 17);
    QTest::newRow("toggle") << int(ControlKind::Toggle) << QSize(40, 20);
    QTest::newRow("power button") << int(ControlKind::PowerButton) << QSize(40, 22);
    QTest::newRow("switch") << int(ControlKind::PanelSwitch) << QSize(60, 33);
}

void tst_PanelControls::capLooksPressedWhenIn()
{
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QWidget panel;
    // Sizes in twips at 96 dpi: 15 a pixel.
    buildControls(&panel, {{ControlKind(kind), "cap", -1, 0, 0, size.width() * 15, size.height() * 15, "FFT"}});
    auto* cap = control<QAbstractButton>(&panel, "cap");
    QVERIFY(cap);
    // The state the windows read: a push button, or a check box for a switch.
    if (ControlKind(kind) == ControlKind::PanelButton)
        QVERIFY(qobject_cast<QPushButton*>(cap) && !cap->isCheckable());
    if (ControlKind(kind) == ControlKind::PanelSwitch)
        QVERIFY(qobject_cast<QCheckBox*>(cap));
    const QImage out = cap->grab().toImage();
    if (cap->isCheckable())
        cap->setChecked(true);
    else
        cap->setDown(true);
    const QImage in = cap->grab().toImage();
    QVERIFY(in != out);
    // Pressed in, the cap sinks into the panel's shadow.
    QVERIFY2(meanGray(in) < meanGray(out) - 2, qPrintable(QStringLiteral("%1 %2").arg(meanGray(in)).arg(meanGray(out))));
}

void tst_PanelControls::sliderCapIsWhereTheMouseTakesIt_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("generator's fine setting") << int(ControlKind::Slider) << QSize(56, 14);
    QTest::newRow("stopwatch's alarm") << int(ControlKind::Slider) << QSize(104, 18);
    QTest::newRow("vertical") << int(ControlKind::VerticalSlider) << QSize(17, 110);
}

void tst_PanelControls::sliderCapIsWhereTheMouseTakesIt()
{
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QWidget panel;
    buildControls(&panel, {{ControlKind(kind), "sld", -1, 0, 0, size.width() * 15, size.height() * 15}});
    auto* slider = control<QSlider>(&panel, "sld");
    QVERIFY(qobject_cast<PanelSlider*>(slider));
    slider->setRange(-10, 10);
    slider->setPageStep(1);
    slider->setValue(0);
    const bool across = slider->orientation() == Qt::Horizontal;

    // The cream cap, found in the picture.
    const QImage image = slider->grab().toImage();
    double sum = 0;
    int count = 0;
    for (int i = 0; i < (across ? size.width() : size.height()); ++i) {
        const QRgb c = across ? image.pixel(i, size.height() / 2) : image.pixel(size.width() / 2, i);
        if (cream(c)) {
            sum += i;
            ++count;
        }
    }
    QVERIFY(count > 0);
    const double middle = sum / count;
    const QPoint grip = across ? QPoint(int(middle), size.height() / 2) : QPoint(size.width() / 2, int(middle));
    // Taken there and carried to the far end, it reaches the end: a click on
    // the slot beside the cap would have moved it a page, one step.
    const QPoint far = across ? QPoint(size.width() + 40, grip.y()) : QPoint(grip.x(), size.height() + 40);
    QTest::mousePress(slider, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(far), slider->mapToGlobal(QPointF(far)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &move);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, far);
    // A vertical slider has its minimum at the top: down is towards its maximum.
    QCOMPARE(slider->value(), 10);
}

void tst_PanelControls::steppedKnobPrintsEveryDetent_data()
{
    QTest::addColumn<float>("max");
    QTest::addColumn<int>("side");
    // The time base and the sensitivities at the scope's size.
    QTest::newRow("time base") << 17.0f << 65;
    QTest::newRow("sensitivity") << 13.0f << 65;
    QTest::newRow("sensitivity, large") << 13.0f << 130;
}

void tst_PanelControls::steppedKnobPrintsEveryDetent()
{
    QFETCH(float, max);
    QFETCH(int, side);
    QWidget panel;
    panel.resize(side, side);
    auto* knob = new Potentio_Creme(&panel);
    knob->resize(side, side);
    knob->setStepped(true);
    knob->setMax(max);
    knob->setMin(0);
    knob->setValue(0);
    const QImage image = panel.grab().toImage();
    const QPointF c(side / 2.0, side / 2.0);
    const double r = side * 0.455;
    auto gray = [&](double degreesFromTop) {
        const double a = degreesFromTop * M_PI / 180;
        const QPoint p = (c + QPointF(r * std::sin(a), -r * std::cos(a))).toPoint();
        // The darkest pixel next to the point: a mark is a pixel or two wide.
        int darkest = 255;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                darkest = std::min(darkest, qGray(image.pixel(p + QPoint(dx, dy))));
        return darkest;
    };
    const int detents = int(max);
    for (int i = 0; i <= detents; ++i) {
        const double a = -150 + 300.0 * i / detents;
        // A printed mark at the detent, bare panel half-way to the next one.
        QVERIFY2(gray(a) < 110, qPrintable(QStringLiteral("detent %1: %2").arg(i).arg(gray(a))));
        if (i < detents)
            QVERIFY2(gray(a + 150.0 / detents) > 160,
                     qPrintable(QStringLiteral("between %1 and %2: %3").arg(i).arg(i + 1).arg(gray(a + 150.0 / detents))));
    }
}

void tst_PanelControls::barGraphLightsUpToItsLevel_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");   // the value it keeps
    QTest::addColumn<double>("share"); // of its length lit
    // A harmonic's level (0 to 100.0 %), upright; the mean value (-100 % to
    // +100 % as 0 to 200), lying.
    QTest::newRow("harmonic off") << QSize(10, 106) << 0 << 1000 << 0 << 0 << 0.0;
    QTest::newRow("harmonic at 1 %, still seen") << QSize(10, 106) << 0 << 1000 << 10 << 10 << 0.04;
    QTest::newRow("harmonic at a quarter") << QSize(10, 106) << 0 << 1000 << 250 << 250 << 0.25;
    QTest::newRow("harmonic full") << QSize(10, 106) << 0 << 1000 << 1000 << 1000 << 1.0;
    QTest::newRow("harmonic beyond its range") << QSize(10, 106) << 0 << 1000 << 1500 << 1000 << 1.0;
    QTest::newRow("mean value at -100 %") << QSize(168, 8) << 0 << 200 << 0 << 0 << 0.0;
    QTest::newRow("mean value at 0") << QSize(168, 8) << 0 << 200 << 100 << 100 << 0.5;
    QTest::newRow("mean value at +60 %") << QSize(168, 8) << 0 << 200 << 160 << 160 << 0.8;
    QTest::newRow("below its range") << QSize(168, 8) << 0 << 200 << -7 << 0 << 0.0;
}

void tst_PanelControls::barGraphLightsUpToItsLevel()
{
    QFETCH(QSize, size);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, shown);
    QFETCH(double, share);
    QWidget panel;
    buildControls(&panel, {{ControlKind::BarGraph, "pgb", -1, 0, 0, size.width() * 15, size.height() * 15}});
    auto* bar = control<PanelBarGraph>(&panel, "pgb");
    QVERIFY(bar);
    const bool upright = size.height() > size.width();
    QCOMPARE(bar->orientation(), upright ? Qt::Vertical : Qt::Horizontal);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    QCOMPARE(bar->value(), shown);
    QCOMPARE(bar->minimum(), minimum);
    QCOMPARE(bar->maximum(), maximum);

    // Along its middle line from the minimum's end (the bottom of an upright
    // bar, the left of a lying one): lit segments, then unlit ones, never a
    // lit one after an unlit one.
    const QImage image = bar->grab().toImage();
    const int length = upright ? size.height() : size.width();
    auto pixel = [&](int t) {
        return upright ? image.pixel(size.width() / 2, size.height() - 1 - t) : image.pixel(t, size.height() / 2);
    };
    int first = -1, last = -1;
    int gaps = 0;
    for (int t = 0; t < length; ++t) {
        if (!lit(pixel(t)))
            continue;
        if (last >= 0 && t - last > 1)
            ++gaps;
        if (first < 0)
            first = t;
        last = t;
    }
    const double lengthLit = last + 1;
    // To a segment (a few pixels) and the bezel at either end.
    QVERIFY2(std::abs(lengthLit - share * length) <= 6,
             qPrintable(QStringLiteral("%1 of %2 pixels lit").arg(lengthLit).arg(length)));
    // It starts at the minimum's end, inside the bezel, which reads dark.
    if (share > 0)
        QVERIFY2(first >= 1 && first <= 3, qPrintable(QString::number(first)));
    QVERIFY(qGray(pixel(0)) < 110);
    // A level shows as separate segments.
    QCOMPARE(gaps > 0, share > 0.1);
}

QTEST_MAIN(tst_PanelControls)
#include "tst_panelcontrols.moc"
