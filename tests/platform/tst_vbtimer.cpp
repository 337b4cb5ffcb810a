#include "platform/VbTimer.h"

#include <QtTest>

class tst_VbTimer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newTimerIsIdle();
    void runsOnlyWhenEnabledWithInterval_data();
    void runsOnlyWhenEnabledWithInterval();
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

QTEST_MAIN(tst_VbTimer)
#include "tst_vbtimer.moc"
