// The game clock in real time: no time lost, none counted while a dialog is open.
#include "front_end.h"

#include "ui/qt/clockdriver.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstdint>

namespace {

constexpr std::int64_t kMs = 1'000'000;

} // namespace

class ClockDriverTest : public QObject {
    Q_OBJECT

  private slots:
    void theClockAdvancesByExactlyTheRealTimeThatPassed() {
        FrontEnd f;
        std::int64_t now = 5 * kMs;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        // Wake-ups at odd intervals: the parts below a millisecond add up.
        for (int i = 0; i < 100; ++i) {
            now += 12'345'678;
            driver.wake();
        }
        QCOMPARE(f.game.clock().now(), std::int64_t{1234});
        now += 432'200;
        driver.wake();
        QCOMPARE(f.game.clock().now(), std::int64_t{1235});
    }

    void theCountdownKeepsTimeWithTheWakeUps() {
        FrontEnd f;
        std::int64_t now = 0;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        f.game.main().Timer1.setEnabled(true);
        const std::int64_t start = f.game.clock().now();
        // Thirty seconds in wake-ups of 33.3 ms: thirty ticks of the countdown.
        for (int i = 0; i < 900; ++i) {
            now += 33'333'334;
            driver.wake();
        }
        QCOMPARE(f.game.clock().now() - start, std::int64_t{30'000});
        QCOMPARE(f.game.main().Tempo.text(), QStringLiteral("90"));
    }

    void theTimeADialogStaysOpenDoesNotCount() {
        FrontEnd f;
        std::int64_t now = 0;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        now += 40 * kMs;
        driver.suspend();
        driver.suspend(); // a dialog from a dialog
        now += 7000 * kMs;
        driver.wake();
        driver.resume();
        now += 3000 * kMs;
        driver.wake();
        QCOMPARE(f.game.clock().now(), std::int64_t{0});
        driver.resume();
        now += 10 * kMs;
        driver.wake();
        // The time before the dialog and after it.
        QCOMPARE(f.game.clock().now(), std::int64_t{50});
    }

    void noTicksWhileAModalDialogIsOpen() {
        FrontEnd f;
        std::int64_t now = 0;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        QMessageBox box(QMessageBox::Information, QStringLiteral("Vexmoor"), QStringLiteral("x"),
                        QMessageBox::Ok, &f.window);
        std::int64_t seen = -1;
        QTimer::singleShot(0, &box, [&] {
            now += 2000 * kMs;
            driver.wake();
            seen = f.game.clock().now();
            box.accept();
        });
        box.exec();
        QCOMPARE(seen, std::int64_t{0});
        now += 20 * kMs;
        driver.wake();
        QVERIFY(f.game.clock().now() <= 20);
    }

    void aKeyFindsTheClockCaughtUp() {
        FrontEnd f;
        std::int64_t now = 0;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        now += 777 * kMs;
        QTest::keyClick(&f.window, Qt::Key_H);
        QCOMPARE(f.game.clock().now(), std::int64_t{777});
    }

    void theRealClockKeepsUpWithTheWallClock() {
        FrontEnd f;
        ClockDriver driver(f.game, f.window);
        f.game.main().Timer1.setEnabled(true);
        const std::int64_t start = f.game.clock().now();
        QElapsedTimer wall;
        driver.start();
        wall.start();
        QTest::qWait(1100);
        driver.wake();
        const std::int64_t passed = f.game.clock().now() - start;
        QVERIFY2(
            std::abs(passed - wall.elapsed()) <= 50,
            qPrintable(QStringLiteral("game %1 ms, wall %2 ms").arg(passed).arg(wall.elapsed())));
        QCOMPARE(f.game.main().Tempo.text(), QStringLiteral("119"));
    }

    void theDriverStopsWithTheWindow() {
        FrontEnd f;
        std::int64_t now = 0;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        f.window.stop();
        now += 1000 * kMs;
        driver.wake();
        QCOMPARE(f.game.clock().now(), std::int64_t{0});
    }
};

QTEST_MAIN(ClockDriverTest)
#include "clockdriver_test.moc"
