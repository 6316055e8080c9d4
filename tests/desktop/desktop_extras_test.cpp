// The clock driver's sleep, partial repaints and the installed game's window, on a small screen.
#include "front_end.h"

#include "app/clock_driver.h"
#include "desktop/qt_platform.h"
#include "desktop/window_place.h"
#include "ui/keys.h"

#include <QScreen>
#include <QSettings>

namespace {

constexpr std::int64_t kMs = 1'000'000; // in nanoseconds
constexpr int kHorizon = 12'000;
[[maybe_unused]] const bool kSmallScreen = qputenv("QT_SCALE_FACTOR", "2"); // twice the scale

// A shown game whose driver runs on a hand-held source of real time.
struct Driven : FrontEnd {
    Driven() { driver.start(); }
    void pass(std::int64_t ns) {
        now += ns;
        driver.wake();
    }
    void sleep() { pass(*driver.plannedSleep() * kMs); } // as long as the driver planned
    std::int64_t now = 0;
    ClockDriver driver{game, window, [this] { return now; }};
};

// A timer of the main window that counts its ticks and notes whether each came in the real
// millisecond it fell due, counted from the game clock's millisecond it started on.
struct Probe {
    Probe(Driven& d, int interval)
        : timer(d.game.clock(), d.game.mainWindow(), interval, [this, &d, interval] {
              const std::int64_t late = d.now - (start + ++ticks * std::int64_t(interval)) * kMs;
              onTime = onTime && late >= 0 && late < kMs;
          }) {
        timer.setEnabled(true);
        start = d.game.clock().now();
    }
    std::int64_t start = 0, ticks = 0;
    bool onTime = true;
    ui::Timer timer;
};

// The part of a view painted once a change is shown, and a control's place before and after: the
// old and the new place, and little more, for a mere move or change.
struct Repaint : QObject {
    template <class Change>
    Repaint(FrontEnd& f, WindowView& view, const ui::Control& control, Change change) {
        QCoreApplication::processEvents(); // the paints of what came before
        before = view.placeOf(control)->toAlignedRect();
        view.installEventFilter(this);
        change();
        f.window.sync();
        static_cast<void>(QTest::qWaitFor([this] { return !painted.isEmpty(); }));
        view.removeEventFilter(this);
        after = view.placeOf(control)->toAlignedRect();
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    bool onlyOldAndNew() const {
        return painted.contains(before) && painted.contains(after) &&
               painted.subtracted((before | after).adjusted(-2, -2, 2, 2)).isEmpty();
    }
    QRect before, after;
    QRegion painted;
};

} // namespace

class DesktopExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    void theDriverWakesExactlyWhenATickFallsDueSoNoneIsLateOrLost() {
        // The timers, the real time before they start (a part of a millisecond), and the wake-ups
        // in 12 s: one to plan once they started, then one per moment a tick falls due.
        for (const auto& [intervals, startNs, wakeUps] : {std::tuple{std::vector{1000}, 0, 13},
                                                          {{100, 100, 1000}, 0, 121},
                                                          {{7, 3000}, 300'000, 1719},
                                                          {{2000}, 999'999, 7}}) {
            Driven d;
            d.pass(startNs);
            std::deque<Probe> probes;
            for (int interval : intervals)
                probes.emplace_back(d, interval);
            for (int i = 0; i < wakeUps; ++i)
                d.sleep();
            QCOMPARE(d.now / kMs, kHorizon);
            for (const Probe& probe : probes)
                QVERIFY(probe.ticks == kHorizon / probe.timer.interval() && probe.onTime);
        }
        // The menu plans no wake-up; a timer started later counts from then.
        Driven d;
        QVERIFY(!d.driver.plannedSleep());
        d.now += 5000 * kMs; // five seconds in the menu, then a timer starts
        Probe probe(d, 1000);
        QCOMPARE(d.game.clock().now(), 5000);
        d.sleep(); // the plan
        QCOMPARE(d.driver.plannedSleep(), 1000);
        d.sleep();
        QVERIFY(probe.ticks == 1 && probe.onTime);
        probe.timer.setEnabled(false);
        d.pass(kMs);
        QVERIFY(!d.driver.plannedSleep());
        // A new game wakes for its ticks.
        d.platform.queueAnswer(QStringLiteral("Anna"));
        QTest::keyClick(&d.window, Qt::Key_N);
        QCOMPARE(d.driver.plannedSleep(), 10); // the board's start-up
        d.sleep();
        QCOMPARE(d.driver.plannedSleep(), 100);       // the walls
        d.window.setWindowState(Qt::WindowMinimized); // and, minimized, not at all
        d.pass(60'000 * kMs);
        QVERIFY(!d.driver.plannedSleep());
    }

    void aChangeRepaintsItsOldAndNewPlacesAndADriftingBoardNotItsFace() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        b.board.setRect({600, 600, 4000, 3000});
        b.gate.setRect({120, 120, 255, 255});
        b.gate.setVisible(true);
        f.window.sync();
        WindowView& view = f.viewOf(b);
        QVERIFY(Repaint(f, view, b.gate, [&] { b.gate.setLeft(1200); }).onlyOldAndNew());
        ui::Label& time = f.game.mainWindow().timeLeft;
        QVERIFY(Repaint(f, f.window.panel(), time, [&] { time.setText("119"); }).onlyOldAndNew());
        // 40 to 46.7 pixels down: a band of 6 rows uncovered at the top, one covered at the bottom.
        const Repaint drifted(f, view, b.gate, [&] { b.board.setTop(700); });
        const QRect board = view.placeOf(b.board)->toAlignedRect();
        for (QRect painted :
             {drifted.before, drifted.after, QRect(board.left(), 40, board.width(), 6),
              QRect(board.left(), board.bottom() - 6, board.width(), 6)})
            QVERIFY(drifted.painted.contains(painted));
        QVERIFY(!drifted.painted.contains(board.center()));
        f.window.resize(1568, 1142); // and at twice the size
        QTRY_VERIFY(view.placeOf(b.gate)->width() == 34);
        QVERIFY(Repaint(f, view, b.gate, [&] { b.gate.setLeft(1500); }).onlyOldAndNew());
        QVERIFY(Repaint(f, f.window.panel(), time, [&] { time.setText("118"); }).onlyOldAndNew());
    }

    void theFirstWindowFitsASmallScreenAndThenReopensWhereThePlayerLeftIt() {
        QTemporaryDir folder;
        QSettings settings(folder.filePath(QStringLiteral("Vexmoor.conf")), QSettings::IniFormat);
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        FrontEnd first;
        placeOnScreen(first.window, settings);
        DesktopWindow& window = first.window;
        QVERIFY(room.contains(window.frameGeometry()));
        const QList<QSize> icons = window.windowIcon().availableSizes();
        QVERIFY(icons.contains(QSize(48, 48)) && icons.contains(QSize(256, 256)));
        first.game.mainWindow().statusPanel.setVisible(true);
        window.sync();
        QVERIFY(room.contains({window.panel().mapToGlobal(QPoint()), window.panel().size()}));
        // The player's own place, away from the first one and whole on the screen (a newer Qt
        // pulls back a window that sticks out): as small as it goes, in the bottom-right corner.
        window.resize(320, 240);
        window.move(window.pos() + room.bottomRight() - window.frameGeometry().bottomRight());
        QVERIFY(room.contains(window.frameGeometry()) && window.pos() != room.topLeft());
        rememberPlace(window, settings);
        FrontEnd again;
        placeOnScreen(again.window, settings);
        QCOMPARE(again.window.geometry(), window.geometry());
        QTest::keyClick(&again.window, Qt::Key_F11); // full screen is remembered too
        rememberPlace(again.window, settings);
        FrontEnd full;
        placeOnScreen(full.window, settings);
        QVERIFY(full.window.isFullScreen());
        QTest::keyClick(&full.window, Qt::Key_F11);
        QTRY_COMPARE(full.window.geometry(), window.geometry());
        // Closing it on a board asks first, with the clock standing still.
        for (auto [board, yes] : {std::pair{false, false}, {true, false}, {true, true}}) {
            Driven d;
            if (board)
                d.newGame();
            QStringList questions;
            d.window.askYesNo = [&, answer = yes](const QString& question) {
                return questions << question, d.pass(5000 * kMs), answer; // five seconds pass
            };
            QVERIFY(d.window.close() == (!board || yes) && d.window.stopped() == (!board || yes));
            QCOMPARE(questions, board ? QStringList{"Abandon the game? Unsaved progress is lost."}
                                      : QStringList{});
            d.driver.wake();
            QCOMPARE(d.game.clock().now(), board ? 10 : 0);
            QCOMPARE(d.game.mainWindow().timeLeft.text(), QStringLiteral("120"));
        }
        // Q in the shop ends at once, unasked.
        FrontEnd f;
        f.newGame();
        bool asked = false;
        f.window.askYesNo = [&](const QString&) { return asked = true, false; };
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QTest::keyClick(&f.window, Qt::Key_Q);
        QVERIFY(f.platform.exits == 1 && !asked);
    }

    void withNoHomeThereIsNoDataFolderAtTheRootAndAPathSectionPaintsOnlyWhatChanged() {
        const QByteArray home = qgetenv("HOME");
        for (const char* unusable : {"", "/", "relative", "/no/such/folder"}) {
            qputenv("HOME", unusable);
            QVERIFY(!QtPlatform::hasHome() && QtPlatform().dataFolder().isEmpty());
        }
        qunsetenv("HOME");
        QVERIFY(QtPlatform().dataFolder().isEmpty());
        qputenv("HOME", home);
        QVERIFY(QtPlatform().dataFolder().endsWith(QLatin1String("/Vexmoor")));
        // A key on a trail of 10^4 marks, piled up on two places, paints the player's two places.
        FrontEnd f;
        BoardWindow& b = f.newGame();
        b.buildPath();
        b.boardFromPath.setText(QStringLiteral("1"));
        b.board.setLeft(9000);
        b.pathPlayer.setRect({3000, 3000, 255, 255});
        for (int i = 0; i < b.holes.count(); ++i)
            b.holes[i].setVisible(false);
        for (int i = 0; i < 10'000; ++i)
            f.game.keyDown(i % 2 ? keys::Left : keys::Right, 0);
        f.window.sync();
        const Repaint r(f, f.viewOf(b), b.pathPlayer, [&] { f.game.keyDown(keys::Right, 0); });
        QVERIFY(r.onlyOldAndNew());
        QVERIFY(f.viewOf(b).linesOf(b.trail[1]).empty());
    }
};

QTEST_MAIN(DesktopExtrasTest)
#include "desktop_extras_test.moc"
