// The clock driver sleeps: until the next tick however far away, not at all while no timer runs,
// nor while the game is minimized; no tick comes late and none is lost.
#include "front_end.h"

#include "desktop/clock_driver.h"
#include "desktop/qt_platform.h"

#include <QTime>
#include <set>

namespace {

constexpr std::int64_t kMs = 1'000'000; // in nanoseconds

// A shown game whose driver runs on a hand-held source of real time.
struct Driven : FrontEnd {
    Driven() { driver.start(); }
    // Real time passes and the driver wakes.
    void pass(std::int64_t ns) {
        now += ns;
        driver.wake();
    }
    // The driver sleeps as long as it planned, and wakes.
    void sleep() { pass(*driver.plannedSleep() * kMs); }

    std::int64_t now = 0;
    ClockDriver driver{game, window, [this] { return now; }};
};

// A timer of the main window that notes the real time of each of its ticks.
struct Probe {
    Probe(Driven& d, int interval)
        : timer(d.game.clock(), d.game.mainWindow(), interval,
                [this, &d] { ticks.push_back(d.now); }) {
        timer.setEnabled(true);
    }
    ui::Timer timer;
    std::vector<std::int64_t> ticks;
};

} // namespace

class ClockDriverTest : public QObject {
    Q_OBJECT

  private slots:
    void theDriverWakesExactlyWhenATickFallsDueSoNoneIsLateOrLost() {
        struct Run {
            std::vector<int> intervals;
            std::int64_t startNs; // real time before the timers start: a part of a millisecond
        };
        for (const Run& r : {Run{{1000}, 0}, Run{{100, 100, 1000}, 0}, Run{{7, 3000}, 300'000},
                             Run{{2000}, 999'999}}) {
            Driven d;
            d.pass(r.startNs);
            std::vector<std::unique_ptr<Probe>> probes;
            std::set<std::int64_t> dueTimes;
            constexpr std::int64_t horizon = 12'000;
            for (int interval : r.intervals) {
                probes.push_back(std::make_unique<Probe>(d, interval));
                for (std::int64_t due = interval; due <= horizon; due += interval)
                    dueTimes.insert(due);
            }
            int wakeUps = 0;
            while (d.now < horizon * kMs) {
                d.sleep();
                ++wakeUps;
            }
            // One wake-up to plan after the timers started, then one per moment a tick falls due.
            QCOMPARE(wakeUps, static_cast<int>(dueTimes.size()) + 1);
            for (const auto& probe : probes) {
                const int interval = probe->timer.interval();
                QCOMPARE(probe->ticks.size(), static_cast<size_t>(horizon / interval));
                for (size_t i = 0; i < probe->ticks.size(); ++i) {
                    const std::int64_t late =
                        probe->ticks[i] - std::int64_t(i + 1) * interval * kMs;
                    QVERIFY2(late >= 0 && late < kMs, qPrintable(QString::number(late)));
                }
            }
        }
    }

    void theMenuPlansNoWakeUpAndATimerStartedLaterCountsFromThen() {
        Driven d;
        QVERIFY(!d.driver.plannedSleep());
        // The game sits in the menu for five seconds, then a timer starts.
        d.now += 5000 * kMs;
        Probe probe(d, 1000);
        QCOMPARE(d.game.clock().now(), 5000);
        QCOMPARE(d.driver.plannedSleep(), 0);
        d.sleep();
        QCOMPARE(d.driver.plannedSleep(), 1000);
        d.pass(999 * kMs);
        QVERIFY(probe.ticks.empty());
        d.pass(kMs);
        QCOMPARE(probe.ticks, std::vector<std::int64_t>{6000 * kMs});
        // A stopped timer leaves nothing to wake for.
        probe.timer.setEnabled(false);
        d.sleep();
        QVERIFY(!d.driver.plannedSleep());
    }

    void aNewGameWakesForItsTicksAndAMinimizedOneNotAtAll() {
        Driven d;
        d.platform.queueAnswer(QStringLiteral("Anna"));
        QTest::keyClick(&d.window, Qt::Key_N);
        QCOMPARE(d.driver.plannedSleep(), 10); // the board's start-up
        d.sleep();
        QCOMPARE(d.driver.plannedSleep(), 100); // the walls
        d.pass(40 * kMs);
        d.window.setWindowState(Qt::WindowMinimized);
        QVERIFY(!d.driver.plannedSleep());
        d.pass(60'000 * kMs);
        QVERIFY(!d.driver.plannedSleep());
        d.window.setWindowState(Qt::WindowNoState);
        QCOMPARE(d.driver.plannedSleep(), 60);
        QCOMPARE(d.game.clock().now(), 50);
    }

    void theDayIsTheLocalClocks() {
        const QtPlatform desktop;
        const double local = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        const double apart = std::abs(desktop.timeOfDay() - local);
        QVERIFY2(apart < 1 || apart > 86399, qPrintable(QString::number(apart)));
    }
};

QTEST_MAIN(ClockDriverTest)
#include "clock_driver_test.moc"
