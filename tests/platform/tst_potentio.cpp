#include "platform/Potentio_Creme.h"

#include <QtTest>

namespace {

// A knob as the windows set it up: Min 0, the given Max and value.
struct Bouton {
    Potentio_Creme knob;
    QStringList events;

    Bouton(bool stepped, float max, float value)
    {
        knob.setIndex(5);
        knob.resize(60, 60);
        knob.setStepped(stepped);
        knob.setMax(max);
        knob.setValue(value);
        knob.setMin(0);
        auto note = [this](const char* nom) {
            return [this, nom](int index, int bouton, int, double, double) {
                events << QStringLiteral("%1 %2 %3 %4").arg(QLatin1String(nom)).arg(index).arg(bouton).arg(knob.Value());
            };
        };
        QObject::connect(&knob, &Potentio_Creme::MouseDown, note("down"));
        QObject::connect(&knob, &Potentio_Creme::MouseMove, note("move"));
        QObject::connect(&knob, &Potentio_Creme::MouseUp, note("up"));
    }

    void presser(QPointF p) { QTest::mousePress(&knob, Qt::LeftButton, {}, p.toPoint()); }
    void glisser(QPointF p)
    {
        QMouseEvent move(QEvent::MouseMove, p, knob.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&knob, &move);
    }
    void lacher(QPointF p) { QTest::mouseRelease(&knob, Qt::LeftButton, {}, p.toPoint()); }
    // A drag through the given vertical offsets from the press point, one
    // pixel at a time so that it is as slow as a hand can make it.
    void trainer(const QList<int>& offsets)
    {
        const QPointF depart(30, 30);
        presser(depart);
        int y = 0;
        for (int cible : offsets)
            while (y != cible) {
                y += cible > y ? 1 : -1;
                glisser(depart + QPointF(0, y));
            }
        lacher(depart + QPointF(0, y));
    }
    void molette(int delta)
    {
        const QPointF p(30, 30);
        QWheelEvent wheel(p, knob.mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&knob, &wheel);
    }
};

} // namespace

class tst_Potentio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verticalDrag_data();
    void verticalDrag();
    void dragTurnsBackAtOnceFromAnEndStop_data();
    void dragTurnsBackAtOnceFromAnEndStop();
    void horizontalTravelDoesNotTurn();
    void wheel_data();
    void wheel();
    void wheelAtAnEndStopRaisesNothing();
    void dragPaintsOnceAFrameEndingOnItsValue();
};

void tst_Potentio::verticalDrag_data()
{
    QTest::addColumn<bool>("stepped");
    QTest::addColumn<float>("max");
    QTest::addColumn<float>("depart");
    QTest::addColumn<int>("dy"); // negative: upward
    QTest::addColumn<float>("attendu");

    // Smooth knobs: the whole range in 200 pixels, upward turns towards Max.
    QTest::newRow("position up a quarter") << false << 1800.0f << 900.0f << -50 << 1350.0f;
    QTest::newRow("position down a quarter") << false << 1800.0f << 900.0f << 50 << 450.0f;
    QTest::newRow("position up half the range") << false << 1800.0f << 900.0f << -100 << 1800.0f;
    QTest::newRow("amplitude down 1 px") << false << 12000.0f << 6000.0f << 1 << 5940.0f;
    QTest::newRow("past the top") << false << 1800.0f << 900.0f << -400 << 1800.0f;
    QTest::newRow("past the bottom") << false << 1800.0f << 900.0f << 400 << 0.0f;
    // Stepped knobs: one detent per 15 pixels.
    QTest::newRow("time base 14 px: no detent yet") << true << 17.0f << 8.0f << -14 << 8.0f;
    QTest::newRow("time base 15 px: one detent") << true << 17.0f << 8.0f << -15 << 9.0f;
    QTest::newRow("time base 45 px up") << true << 17.0f << 8.0f << -45 << 11.0f;
    QTest::newRow("sensitivity 30 px down") << true << 13.0f << 5.0f << 30 << 3.0f;
    QTest::newRow("sensitivity past the top") << true << 13.0f << 5.0f << -600 << 13.0f;
}

void tst_Potentio::verticalDrag()
{
    QFETCH(bool, stepped);
    QFETCH(float, max);
    QFETCH(float, depart);
    QFETCH(int, dy);
    QFETCH(float, attendu);
    Bouton b(stepped, max, depart);
    b.trainer({dy});
    QCOMPARE(b.knob.Value(), attendu);
    // The press, a move per pixel, the release; the last move and the release
    // carry the final value.
    QCOMPARE(b.events.size(), std::abs(dy) + 2);
    QCOMPARE(b.events.first(), QStringLiteral("down 5 1 %1").arg(depart));
    QCOMPARE(b.events.at(b.events.size() - 2), QStringLiteral("move 5 1 %1").arg(attendu));
    QCOMPARE(b.events.last(), QStringLiteral("up 5 1 %1").arg(attendu));
}

void tst_Potentio::dragTurnsBackAtOnceFromAnEndStop_data()
{
    QTest::addColumn<bool>("stepped");
    QTest::addColumn<float>("max");
    QTest::addColumn<float>("depart");
    QTest::addColumn<QList<int>>("trajet"); // vertical offsets the drag passes through
    QTest::addColumn<float>("attendu");

    // Pushed 300 px beyond the end stop, then back a little: the knob leaves
    // the stop at once, by the travel back alone.
    QTest::newRow("smooth, top, back 1 px") << false << 1800.0f << 900.0f << QList<int>{-400, -399} << 1791.0f;
    QTest::newRow("smooth, top, back 20 px") << false << 1800.0f << 900.0f << QList<int>{-400, -380} << 1620.0f;
    QTest::newRow("smooth, bottom, back 1 px") << false << 1800.0f << 900.0f << QList<int>{400, 399} << 9.0f;
    QTest::newRow("smooth, bottom, back 20 px") << false << 1800.0f << 900.0f << QList<int>{400, 380} << 180.0f;
    QTest::newRow("stepped, top, back one detent") << true << 17.0f << 8.0f << QList<int>{-435, -420} << 16.0f;
    QTest::newRow("stepped, bottom, back one detent") << true << 17.0f << 8.0f << QList<int>{420, 405} << 1.0f;
    QTest::newRow("stepped, top, back two detents") << true << 13.0f << 5.0f << QList<int>{-400, -370} << 11.0f;
    // Back and forth between the stops within one drag.
    QTest::newRow("smooth, top then bottom then up") << false << 1800.0f << 900.0f << QList<int>{-300, 300, 250}
                                                     << 450.0f;
    QTest::newRow("stepped, bottom then top then down") << true << 17.0f << 8.0f << QList<int>{300, -300, -270}
                                                        << 15.0f;
}

void tst_Potentio::dragTurnsBackAtOnceFromAnEndStop()
{
    QFETCH(bool, stepped);
    QFETCH(float, max);
    QFETCH(float, depart);
    QFETCH(QList<int>, trajet);
    QFETCH(float, attendu);
    Bouton b(stepped, max, depart);
    b.trainer(trajet);
    QCOMPARE(b.knob.Value(), attendu);
    QCOMPARE(b.events.last(), QStringLiteral("up 5 1 %1").arg(attendu));
}

void tst_Potentio::horizontalTravelDoesNotTurn()
{
    // Only the vertical travel turns the knob, wherever the pointer passes
    // round the centre.
    Bouton b(false, 1800, 900);
    b.presser(QPointF(5, 30));
    for (int x = 6; x <= 55; ++x)
        b.glisser(QPointF(x, 30));
    b.lacher(QPointF(55, 30));
    QCOMPARE(b.knob.Value(), 900.0f);
}

void tst_Potentio::wheel_data()
{
    QTest::addColumn<bool>("stepped");
    QTest::addColumn<float>("max");
    QTest::addColumn<float>("depart");
    QTest::addColumn<QList<int>>("deltas"); // 120 a notch, upward positive
    QTest::addColumn<float>("attendu");

    // The time-base knob: a detent a notch.
    QTest::newRow("time base, one notch up") << true << 17.0f << 8.0f << QList<int>{120} << 9.0f;
    QTest::newRow("time base, one notch down") << true << 17.0f << 8.0f << QList<int>{-120} << 7.0f;
    QTest::newRow("time base, three notches up") << true << 17.0f << 8.0f << QList<int>{120, 120, 120} << 11.0f;
    QTest::newRow("time base, two half notches") << true << 17.0f << 8.0f << QList<int>{60, 60} << 9.0f;
    QTest::newRow("time base, half a notch") << true << 17.0f << 8.0f << QList<int>{60} << 8.0f;
    QTest::newRow("time base, top then down") << true << 17.0f << 16.0f << QList<int>{120, 120, 60, -120} << 16.0f;
    QTest::newRow("time base, bottom then up") << true << 17.0f << 1.0f << QList<int>{-120, -120, -60, 120} << 1.0f;
    // A smooth knob: 1/50 of its range a notch.
    QTest::newRow("position, one notch up") << false << 1800.0f << 900.0f << QList<int>{120} << 936.0f;
    QTest::newRow("position, two notches down") << false << 1800.0f << 900.0f << QList<int>{-120, -120} << 828.0f;
    QTest::newRow("amplitude, past the top") << false << 12000.0f << 11900.0f << QList<int>{120} << 12000.0f;
}

void tst_Potentio::wheel()
{
    QFETCH(bool, stepped);
    QFETCH(float, max);
    QFETCH(float, depart);
    QFETCH(QList<int>, deltas);
    QFETCH(float, attendu);
    Bouton b(stepped, max, depart);
    for (int delta : deltas)
        b.molette(delta);
    QCOMPARE(b.knob.Value(), attendu);
    // Each turn that moves the knob raises the events of a short drag with
    // the left button, the value already turned.
    QVERIFY(b.events.size() % 3 == 0);
    QVERIFY(!b.events.isEmpty() || attendu == depart);
    for (qsizetype i = 0; i < b.events.size(); i += 3) {
        QVERIFY(b.events[i].startsWith(QLatin1String("down 5 1 ")));
        QVERIFY(b.events[i + 1].startsWith(QLatin1String("move 5 1 ")));
        QVERIFY(b.events[i + 2].startsWith(QLatin1String("up 5 1 ")));
    }
    if (!b.events.isEmpty())
        QCOMPARE(b.events.last(), QStringLiteral("up 5 1 %1").arg(attendu));
}

void tst_Potentio::wheelAtAnEndStopRaisesNothing()
{
    Bouton b(true, 17, 17);
    b.molette(120);
    b.molette(120);
    QCOMPARE(b.knob.Value(), 17.0f);
    QVERIFY(b.events.isEmpty());
}

QTEST_MAIN(tst_Potentio)
#include "tst_potentio.moc"

namespace {

// The knob's paints, and the value each showed.
struct Peintures : QObject {
    Potentio_Creme* knob = nullptr;
    QList<float> valeurs;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            valeurs << knob->Value();
        return false;
    }
};

} // namespace

void tst_Potentio::dragPaintsOnceAFrameEndingOnItsValue()
{
    // A mouse sends far more motions than a screen shows: a drag of a
    // hundred motions within one frame paints the knob once or twice, not a
    // hundred times, its value following every motion; the last paint then
    // shows the last value, once the frame is over and as soon as the
    // button is released.
    Bouton b(false, 100, 20);
    b.knob.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b.knob));
    Peintures peintures;
    peintures.knob = &b.knob;
    b.knob.installEventFilter(&peintures);
    const QPointF depart(30, 30);
    b.presser(depart);
    QTest::qWait(40);
    peintures.valeurs.clear();
    QElapsedTimer montre;
    montre.start();
    for (int y = 1; y <= 100; ++y) {
        b.glisser(depart - QPointF(0, y * 0.5));
        QCoreApplication::processEvents();
    }
    QCOMPARE(b.knob.Value(), 45.f); // 50 pixels up: a quarter of the range
    if (montre.elapsed() < 15)
        QVERIFY2(peintures.valeurs.size() <= 2, qPrintable(QString::number(peintures.valeurs.size())));
    QTRY_VERIFY(!peintures.valeurs.isEmpty() && peintures.valeurs.last() == 45.f);

    // Released within the frame of a paint: the last value at once.
    b.glisser(depart - QPointF(0, 60));
    QCoreApplication::processEvents();
    b.glisser(depart - QPointF(0, 70));
    b.lacher(depart - QPointF(0, 70));
    QCOMPARE(b.knob.Value(), 55.f);
    QCoreApplication::processEvents();
    QCOMPARE(peintures.valeurs.last(), 55.f);
}
