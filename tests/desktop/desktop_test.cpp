// The front end: the game clock in real time, the desktop's dialogs, the main window whose
// sub-windows follow the scene, keys and clicks on their way to the game, and the views that paint
// the windows.
#include "front_end.h"

#include "app/clock_driver.h"
#include "desktop/key_map.h"
#include "desktop/qt_platform.h"
#include "shell/finale_window.h"
#include "shell/game_over_window.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

namespace {

constexpr std::int64_t kMs = 1'000'000; // in nanoseconds

// The platform and the clock driver of a shown main window, on a hand-held source of real time,
// with the countdown running.
struct Desktop : FrontEnd {
    Desktop() {
        desktop.attach(window, driver);
        driver.start();
        game.mainWindow().countdown.setEnabled(true);
    }
    void pass(std::int64_t ns) {
        now += ns;
        driver.wake();
    }
    std::int64_t now = 0;
    ClockDriver driver{game, window, [this] { return now; }};
    QtPlatform desktop;
};

// A key held down: the press and two repeats.
void hold(QWidget& widget, Qt::Key key) {
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&widget, &press);
    }
}

} // namespace

class FrontEndTest : public QObject {
    Q_OBJECT

  private slots:
    void theClockAdvancesByExactlyTheRealTimeThatPassed() {
        // Wake-ups at odd intervals, and thirty a second: the parts below a millisecond add up.
        for (auto [step, wakes, ms] :
             {std::tuple{12'345'678, 100, 1234}, {33'333'334, 900, 30'000}}) {
            Desktop d;
            for (int i = 0; i < wakes; ++i)
                d.pass(step);
            QCOMPARE(d.game.clock().now(), ms);
            QCOMPARE(d.game.mainWindow().timeLeft.text(), QString::number(120 - ms / 1000));
        }
    }

    void noTimeCountsWhileADialogIsOpenOrTheGameIsMinimizedAndTheExitEndsIt() {
        Desktop d;
        d.now += 30 * kMs;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            shown = box->windowTitle() + ": " + box->text();
            d.pass(9000 * kMs);
            box->accept();
        });
        d.desktop.messageBox(QStringLiteral("Gate: Go to Next Level"));
        QCOMPARE(shown, QStringLiteral("Vexmoor: Gate: Go to Next Level"));
        d.pass(20 * kMs);
        QCOMPARE(d.game.clock().now(), 50);
        // A dialog from a dialog.
        d.driver.suspend();
        d.driver.suspend();
        d.driver.resume();
        d.pass(3000 * kMs);
        d.driver.resume();
        d.now += 250 * kMs;
        QTest::keyClick(&d.window, Qt::Key_H); // a key finds the clock caught up
        QCOMPARE(d.game.clock().now(), 300);
        d.window.setWindowState(Qt::WindowMinimized);
        d.pass(5000 * kMs);
        d.window.setWindowState(Qt::WindowNoState);
        d.pass(700 * kMs);
        QCOMPARE(d.game.clock().now(), 1000);
        QCOMPARE(d.game.mainWindow().timeLeft.text(), QStringLiteral("119"));
        // The screen is the area above the panel, and the exit ends the input.
        QCOMPARE(d.desktop.screenWidth(), 784 * 15.0);
        d.game.mainWindow().statusPanel.setVisible(true);
        d.window.sync();
        QCOMPARE(d.desktop.screenHeight(), (571 - 49) * 15.0);
        d.desktop.exitNow();
        d.window.keyDown('H', 'h');
        QCOMPARE(d.platform.addresses.size(), size_t{1}); // the H before the exit
    }

    void keysReachTheGameAsItsCodesWhicheverWidgetHasTheFocusUntilTheWindowCloses() {
        // The code of the key, not of the character: 0, 0 means the game never hears of it.
        for (auto [key, keypad, text, keyCode, charCode] :
             {std::tuple{Qt::Key_Left, false, "", 37, 0},
              {Qt::Key_N, false, "n", 'N', 'n'},
              {Qt::Key_A, false, "\u0444", 'A', 0},
              {Qt::Key_A, false, "\x01", 'A', 1}, // Ctrl+A
              {Qt::Key_Percent, false, "%", '5', '%'},
              {Qt::Key_Apostrophe, false, "'", 222, '\''},
              {Qt::Key_ParenLeft, false, "(", '9', '('},
              {Qt::Key_Eacute, false, "\u00e9", 223, 0xe9},
              {Qt::Key_unknown, false, "\u0444", 223, 0}, // made by a dead key or an input method
              {Qt::Key_5, true, "5", 101, '5'},
              {Qt::Key_Period, true, ".", 110, '.'},
              {Qt::Key_Home, true, "", 36, 0},
              {Qt::Key_Escape, false, "\x1b", 27, 27},
              {Qt::Key_F12, false, "", 123, 0},
              {Qt::Key_VolumeUp, false, "", 0, 0}}) {
            const keys::Stroke stroke =
                keyStroke(key, keypad, QString::fromUtf8(text)).value_or(keys::Stroke{});
            QCOMPARE(QPoint(stroke.keyCode, stroke.charCode), QPoint(keyCode, charCode));
        }
        FrontEnd f;
        QTest::keyRelease(&f.window, Qt::Key_X); // only presses count
        QTest::keyClick(&f.viewOf(*f.game.menu()), 'h');
        QTest::keyClick(f.window.area().viewport(), Qt::Key_H, Qt::ShiftModifier);
        QTest::keyClick(f.window.subWindowOf(*f.game.menu()), 'h');
        QCOMPARE(f.platform.addresses.size(), size_t{3});
        QTest::keyClick(f.window.windowHandle(), 'x');
        QCOMPARE(f.platform.exits, 1);
        QVERIFY(f.window.close());
        f.window.keyDown('X', 'x');
        f.window.advance(5000);
        QCOMPARE(f.platform.exits, 1);
        QCOMPARE(f.game.clock().now(), 0);
    }

    void noTypedCharacterMovesThePlayerOpensTheShopOrActsInTheMenu() {
        // Every printable ASCII character and every Latin-1 one, as Qt names its key: letters
        // upper-case, other characters themselves.
        std::vector<char16_t> typed;
        for (char16_t c = 0x20; c < 0x100; ++c)
            if (c < 0x7f || c >= 0xa0)
                typed.push_back(c);
        const auto type = [](QWidget& widget, char16_t c) {
            const char16_t upper = QChar(c).toUpper().unicode();
            QKeyEvent press(QEvent::KeyPress, upper < 0x100 ? upper : c, Qt::NoModifier,
                            QString(QChar(c)));
            QApplication::sendEvent(&widget, &press);
        };
        FrontEnd f;
        BoardWindow& b = f.newGame();
        for (char16_t c : typed) {
            type(f.window, c);
            QVERIFY2(b.player.rect() == ui::Rect({480, 480, 255, 255}),
                     qPrintable(QStringLiteral("'%1' moved the player").arg(QChar(c))));
            QVERIFY2(!f.game.shop(),
                     qPrintable(QStringLiteral("'%1' opened the shop").arg(QChar(c))));
        }
        // In the shop only its letters act: a mark, a digit or a Latin-1 letter buys nothing.
        QTest::keyClick(&f.window, Qt::Key_Escape);
        const QString gold = f.game.mainWindow().gold.text();
        for (char16_t c : typed)
            if (!QChar(c).isLetter() || c >= 0x80)
                type(f.window, c);
        QVERIFY(f.game.shop() && f.game.shop()->message.text().isEmpty());
        QCOMPARE(f.game.mainWindow().gold.text(), gold);
        FrontEnd menu;
        for (char16_t c : typed)
            if (!QStringLiteral("NnLlHhXxFf").contains(QChar(c)))
                type(menu.window, c);
        QVERIFY(!menu.game.boardWindow() && !menu.game.hallOfFameWindow());
        QVERIFY(menu.platform.addresses.empty() && menu.platform.exits == 0);
    }

    void aNewGameFillsTheDesignedAreaZoomedAndF11FillsTheScreenWithoutATurn() {
        FrontEnd f;
        QCOMPARE(f.window.size(), QSize(784, 571));
        f.window.resize(1000, 700); // a zoom of 700 / 571, 19 pixels of black on either side
        BoardWindow& b = f.newGame();
        QCOMPARE(b.rect(), (ui::Rect{1, 1, 11760, 8565 - 735}));
        QCOMPARE(f.window.grab().toImage().pixelColor(9, 350), QColor(Qt::black));
        // F11 and back, with a monster on the board that any turn would move.
        b.demon.setVisible(true);
        const int draws = f.platform.randomCalls;
        QTest::keyClick(&f.window, Qt::Key_F11);
        QVERIFY(f.window.isFullScreen());
        QTRY_COMPARE(f.window.size(), f.window.screen()->size());
        QTest::keyClick(&f.window, Qt::Key_F11);
        QVERIFY(!f.window.isFullScreen() && f.platform.randomCalls == draws);
        QTest::keyClick(&f.window, Qt::Key_F10);
        QVERIFY(f.platform.randomCalls > draws);
    }

    void aHeldKeyIsATurnForEachRepeatAndTheShopHoldsTheBoardUntilItCloses() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        hold(f.viewOf(b), Qt::Key_Left);
        QCOMPARE(b.player.left(), 192.0);
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.subWindowOf(b)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(*f.game.shop()));
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(f.window.subWindowOf(b)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(b));
    }

    void subWindowsTakeTheirWindowsPlaceAndLook() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        QMdiSubWindow* sub = f.window.subWindowOf(menu);
        QCOMPARE(sub->windowTitle(), QStringLiteral("Main"));
        QVERIFY(!sub->close()); // only the game closes its windows
        GameOverWindow& over = f.game.openGameOver();
        // The player moves and resizes one.
        sub->setGeometry(10, 20, 300, 200);
        QCOMPARE(QRectF(menu.left(), menu.top(), menu.width(), menu.height()),
                 QRectF(150, 300, 4500, 3000));
        f.game.close(over);
        f.game.scene().collect();
        f.window.sync();
        QCOMPARE(f.window.area().subWindowList(), QList<QMdiSubWindow*>{sub});
        QCOMPARE(f.window.area().currentSubWindow(), sub);
    }

    void theTitleBarNamesTheGamesSeed() {
        FrontEnd f;
        f.platform.setProgramSeed(std::nullopt);
        f.window.sync();
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Vexmoor")); // until its game begins
        f.newGame();
        QVERIFY(f.window.windowTitle().startsWith(QStringLiteral("Vexmoor — seed ")));
        f.platform.setProgramSeed(ui::GameSeed{777, {}, {}}); // a seed given shows at once
        f.window.sync();
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Vexmoor — seed 777"));
    }

    void boardLabelsArePlacedOnTheBoardClippedToItAndClickedThroughIt() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        b.board.setRect({1500, 1500, 3000, 2000});
        // A hole left under the board, the gold past the board's right edge, the spider.
        for (auto [label, left, top] : {std::tuple{&b.holes.load(1), 2400, 2400},
                                        {&b.gate, 300, 300},
                                        {&b.goldPickup, 2900, 300},
                                        {&b.spider, 600, 900}}) {
            label->setRect({left + 0.0, top + 0.0, 255, 255});
            label->setVisible(true);
        }
        f.window.sync();
        WindowView& view = f.viewOf(b);
        QCOMPARE(view.labelAt({120, 125}), &b.gate);
        QCOMPARE(view.labelAt({168, 168}), nullptr); // the board hides the hole below it
        QCOMPARE(view.labelAt({137, 125}), nullptr); // the right edge is outside
        QCOMPARE(view.labelAt({299, 125}), &b.goldPickup);
        QCOMPARE(view.labelAt({301, 125}), nullptr);
        QCOMPARE(view.grab().toImage().pixelColor(301, 125), QColor(Qt::black));
        QCOMPARE(view.grab().toImage().pixelColor(141, 161), QColor(255, 128, 128));
        // The tooltip and the hand.
        const QPoint gold(296, 125);
        QHelpEvent help(QEvent::ToolTip, gold, view.mapToGlobal(gold));
        QApplication::sendEvent(&view, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Next Level"));
        QTest::mouseMove(&view, gold);
        QTRY_COMPARE(view.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(&view, QPoint(2, 2));
        QTRY_COMPARE(view.cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(FrontEndTest)
#include "desktop_test.moc"
