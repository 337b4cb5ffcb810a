#include "platform/VbTimer.h"

#include <QtTest>

class tst_VbTimer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newTimerIsIdle();
    void runsOnlyWhenEnabledWithInterval_data();
    void runsOnlyWhenEnabledWithInterval();
    void framePacedTicksOncePerFrame_data();
    void framePacedTicksOncePerFrame();
};

void tst_VbTimer::newTimerIsIdle()
{
    VbTimer timer;
    QVERIFY(timer.Enabled());
    QCOMPARE(timer.Interval(), 0);
    QVERIFY(!timer.isRunning());
}

void tst_VbTimer::runsOnlyWhenEnabledWithInterval_data()
{
    // Steps, in order: "E1"/"E0" set Enabled, "I<n>" sets Interval.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("interval");

    QTest::newRow("interval set") << QStringList{"I100"} << true << 100;
    QTest::newRow("interval back to 0") << QStringList{"I100", "I0"} << false << 0;
    QTest::newRow("negative interval is 0") << QStringList{"I100", "I-5"} << false << 0;
    QTest::newRow("interval changed while running") << QStringList{"I100", "I250"} << true << 250;
    QTest::newRow("disabled stops it") << QStringList{"I100", "E0"} << false << 100;
    QTest::newRow("disabled before the interval") << QStringList{"E0", "I100"} << false << 100;
    QTest::newRow("enabled again") << QStringList{"I100", "E0", "E1"} << true << 100;
    QTest::newRow("enabled twice") << QStringList{"I100", "E1", "E1"} << true << 100;
    QTest::newRow("enabled with no interval") << QStringList{"E0", "E1"} << false << 0;
    QTest::newRow("interval given back after 0") << QStringList{"I100", "I0", "I50"} << true << 50;
}

void tst_VbTimer::runsOnlyWhenEnabledWithInterval()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, running);
    QFETCH(int, interval);

    VbTimer timer;
    bool enabled = true;
    for (const QString& step : steps) {
        if (step.startsWith(QLatin1Char('E')))
            timer.setEnabled(enabled = step == QLatin1String("E1"));
        else
            timer.setInterval(step.mid(1).toInt());
    }

    QCOMPARE(timer.isRunning(), running);
    QCOMPARE(timer.Interval(), interval);
    QCOMPARE(timer.Enabled(), enabled);
}

void tst_VbTimer::framePacedTicksOncePerFrame_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("period"); // -1: the display's frame period
    QTest::newRow("1 ms") << 1 << -1;
    QTest::newRow("5 ms") << 5 << -1;
    QTest::newRow("slower than a frame") << 100 << 100;
}

void tst_VbTimer::framePacedTicksOncePerFrame()
{
    QFETCH(int, interval);
    QFETCH(int, period);
    const int frame = VbTimer::framePeriod();
    QVERIFY(frame >= 2 && frame <= 50);
    VbTimer timer;
    timer.setFramePaced(true);
    timer.setInterval(interval);
    QVERIFY(timer.isRunning());
    QCOMPARE(timer.Interval(), interval); // the state the window set
    QCOMPARE(timer.period(), period < 0 ? frame : period);
    timer.setInterval(0);
    QVERIFY(!timer.isRunning());
    // Not paced, it ticks at its interval.
    VbTimer precis;
    precis.setInterval(interval);
    QCOMPARE(precis.period(), interval);
}

QTEST_MAIN(tst_VbTimer)
#include "tst_vbtimer.moc"
