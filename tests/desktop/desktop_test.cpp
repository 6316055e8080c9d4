// The desktop side: the game clock in real time (no time lost, none counted while a dialog is
// open or the game is minimized), the dialogs over the main window, the screen, the exit and the
// draws.
#include "front_end.h"

#include "desktop/clock_driver.h"
#include "desktop/qt_platform.h"

#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr std::int64_t kMs = 1'000'000; // in nanoseconds

// The platform and the clock driver of a shown main window, on a hand-held source of real time.
struct Desktop : FrontEnd {
    Desktop() {
        desktop.attach(window, driver);
        driver.start();
        game.mainWindow().countdown.setEnabled(true);
    }
    // Real time passes and the driver wakes.
    void pass(std::int64_t ns) {
        now += ns;
        driver.wake();
    }
    std::int64_t now = 0;
    ClockDriver driver{game, window, [this] { return now; }};
    QtPlatform desktop;
};

// Runs an action on the modal dialog as soon as it is open.
template <class Dialog, class Action> void whenOpen(Action action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("no modal dialog open");
        action(*dialog);
    });
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void theClockAdvancesByExactlyTheRealTimeThatPassed() {
        // Wake-ups at odd intervals, and thirty a second: the parts below a millisecond add up.
        for (auto [step, wakes, ms, tempo] : {std::tuple{12'345'678, 100, 1234, "119"},
                                              std::tuple{33'333'334, 900, 30'000, "90"}}) {
            Desktop d;
            for (int i = 0; i < wakes; ++i)
                d.pass(step);
            QCOMPARE(d.game.clock().now(), ms);
            QCOMPARE(d.game.mainWindow().timeLeft.text(), QLatin1String(tempo));
        }
        // On the real clock as well.
        FrontEnd f;
        ClockDriver driver(f.game, f.window);
        QElapsedTimer wall;
        driver.start();
        wall.start();
        QTest::qWait(300);
        driver.wake();
        QVERIFY(std::abs(f.game.clock().now() - wall.elapsed()) <= 50);
    }

    void noTimeCountsWhileADialogIsOpenOrTheGameIsMinimized() {
        Desktop d;
        d.now += 30 * kMs;
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            box.accept(); // first, so that a failed check does not leave it open
            QCOMPARE(box.windowTitle(), QStringLiteral("Vexmoor"));
            QCOMPARE(box.text(), QStringLiteral("Gate: Go to Next Level"));
            d.pass(9000 * kMs);
        });
        d.desktop.messageBox(QStringLiteral("Gate: Go to Next Level"));
        d.pass(20 * kMs);
        QCOMPARE(d.game.clock().now(), 50);
        // Any modal dialog, and a suspended driver.
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            d.pass(2000 * kMs);
            box.accept();
        });
        QMessageBox(QMessageBox::Information, {}, {}, QMessageBox::Ok, &d.window).exec();
        d.driver.suspend();
        d.driver.suspend(); // a dialog from a dialog
        d.driver.resume();
        d.pass(3000 * kMs);
        d.driver.resume();
        d.pass(250 * kMs);
        QCOMPARE(d.game.clock().now(), 300);
        // A key finds the clock caught up.
        d.now += 100 * kMs;
        QTest::keyClick(&d.window, Qt::Key_H);
        QCOMPARE(d.game.clock().now(), 400);
        d.window.setWindowState(Qt::WindowMinimized);
        d.pass(5000 * kMs);
        QCOMPARE(d.game.clock().now(), 400);
        d.window.setWindowState(Qt::WindowNoState);
        d.pass(700 * kMs);
        QCOMPARE(d.game.mainWindow().timeLeft.text(), QStringLiteral("119"));
        // Another window in front, with the focus: the game plays on.
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!d.window.isActiveWindow());
        d.pass(1000 * kMs);
        QCOMPARE(d.game.clock().now(), 2100);
    }

    void theInputBoxGivesTheTypedTextOrNothingWhenCancelled() {
        Desktop d;
        for (bool accepted : {true, false}) {
            whenOpen<QInputDialog>([accepted](QInputDialog& box) {
                const QString proposed = box.textValue();
                box.setTextValue(QStringLiteral("Anna"));
                accepted ? box.accept() : box.reject();
                QCOMPARE(box.windowTitle(), QStringLiteral("Title"));
                QCOMPARE(box.labelText(), QStringLiteral("Prompt"));
                QCOMPARE(proposed, QStringLiteral("Proposed"));
            });
            QCOMPARE(d.desktop.inputBox(QStringLiteral("Prompt"), QStringLiteral("Title"),
                                        QStringLiteral("Proposed")),
                     accepted ? QStringLiteral("Anna") : QString());
        }
    }

    void theScreenIsTheMdiAreaAndExitEndsTheInput() {
        Desktop d;
        QCOMPARE(d.desktop.screenWidth(), 784 * 15.0);
        QCOMPARE(d.desktop.screenHeight(), 571 * 15.0);
        d.game.mainWindow().statusPanel.setVisible(true);
        d.window.sync();
        QCOMPARE(d.desktop.screenHeight(), (571 - 49) * 15.0);
        d.desktop.exitNow();
        d.window.keyDown('H', 'h');
        QVERIFY(d.platform.addresses.empty());
    }

    void drawsSpreadOverTheUnitAndTheDayIsCountedInSeconds() {
        QtPlatform desktop;
        desktop.reseedFromTime();
        double lowest = 1, highest = 0;
        for (int i = 0; i < 10000; ++i) {
            const double u = desktop.random();
            QVERIFY(u >= 0 && u <= 1);
            lowest = std::min(lowest, u);
            highest = std::max(highest, u);
        }
        QVERIFY(lowest < 0.01 && highest > 0.99);
        QVERIFY(desktop.timeOfDay() >= 0 && desktop.timeOfDay() < 86400);
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
