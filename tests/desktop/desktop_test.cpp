// The front end: the game clock in real time, the desktop's dialogs, the main window whose
// sub-windows follow the scene, keys and clicks on their way to the game, and the views that paint
// the windows.
#include "front_end.h"

#include "desktop/clock_driver.h"
#include "desktop/key_map.h"
#include "desktop/qt_platform.h"
#include "shell/finale_window.h"
#include "shell/game_over_window.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
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

// Runs an action on the modal dialog as soon as it is open.
template <class Dialog, class Action> void whenOpen(Action action) {
    QTimer::singleShot(0, [action] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            action(*dialog);
    });
}

QRect pixelsOf(const ui::Rect& r) {
    return {qRound(r.left / 15), qRound(r.top / 15), qRound(r.width / 15), qRound(r.height / 15)};
}

// A key held down: the press and two repeats.
void hold(QWidget& widget, Qt::Key key) {
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&widget, &press);
    }
}

// The lines of a view's labels and text blocks whose letters, in the font really used, are not
// whole inside their control, the view and the board they lie on.
QStringList cutLetters(const WindowView& view) {
    QStringList cut;
    for (const ui::Control* control : view.sceneWindow()->controls()) {
        const auto* label = dynamic_cast<const ui::Label*>(control);
        const auto* block = dynamic_cast<const ui::TextBlock*>(control);
        const auto place = view.placeOf(*control);
        if ((!label && !block) || !place)
            continue;
        QRectF room = place->intersected(QRectF(view.rect()));
        if (const ui::Board* board = control->parentBoard())
            room &= *view.placeOf(*board);
        const QFontMetricsF metrics(
            WindowView::fontOf((label ? label->look() : block->look()).font));
        for (const WindowView::TextLine& line : view.linesOf(*control)) {
            const QRectF ink = metrics.tightBoundingRect(line.text);
            if (!line.text.isEmpty() &&
                !room.contains(QRectF(line.origin.x() + ink.left() * line.squeeze,
                                      line.origin.y() + ink.top(), ink.width() * line.squeeze,
                                      ink.height())))
                cut << line.text;
        }
    }
    return cut;
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

    void noTimeCountsWhileADialogIsOpenOrTheGameIsMinimized() {
        Desktop d;
        d.now += 30 * kMs;
        QString shown;
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            shown = box.windowTitle() + ": " + box.text();
            d.pass(9000 * kMs);
            box.accept();
        });
        d.desktop.messageBox(QStringLiteral("Gate: Go to Next Level"));
        QCOMPARE(shown, QStringLiteral("Vexmoor: Gate: Go to Next Level"));
        d.pass(20 * kMs);
        QCOMPARE(d.game.clock().now(), 50);
        // Any modal dialog, and a driver suspended twice (a dialog from a dialog).
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            d.pass(2000 * kMs);
            box.accept();
        });
        QMessageBox(QMessageBox::Information, {}, {}, QMessageBox::Ok, &d.window).exec();
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
    }

    void theInputBoxTheScreenAndTheExit() {
        Desktop d;
        for (bool accepted : {true, false}) {
            QString asked;
            whenOpen<QInputDialog>([&](QInputDialog& box) {
                asked = box.windowTitle() + '/' + box.labelText() + '/' + box.textValue();
                box.setTextValue(QStringLiteral("Anna"));
                accepted ? box.accept() : box.reject();
            });
            QCOMPARE(d.desktop.inputBox("Prompt", "Title", "Proposed"),
                     QString(accepted ? "Anna" : ""));
            QCOMPARE(asked, QStringLiteral("Title/Prompt/Proposed"));
        }
        QCOMPARE(d.desktop.screenWidth(), 784 * 15.0);
        d.game.mainWindow().statusPanel.setVisible(true);
        d.window.sync();
        QCOMPARE(d.desktop.screenHeight(), (571 - 49) * 15.0);
        d.desktop.exitNow();
        d.window.keyDown('H', 'h');
        QVERIFY(d.platform.addresses.empty());
    }

    void keysBecomeTheGamesCodes() {
        // 0, 0: the game never hears of the key.
        for (auto [key, text, keyCode, charCode] : {std::tuple{Qt::Key_Left, "", 37, 0},
                                                    {Qt::Key_Escape, "\x1b", 27, 27},
                                                    {Qt::Key_N, "n", 'N', 'n'},
                                                    {Qt::Key_A, "\u0444", 'A', 0},
                                                    {Qt::Key_Delete, "\x7f", 46, 0},
                                                    {Qt::Key_F12, "", 123, 0},
                                                    {Qt::Key_VolumeUp, "", 0, 0}}) {
            const KeyStroke stroke = keyStroke(key, QString::fromUtf8(text)).value_or(KeyStroke{});
            QCOMPARE(QPoint(stroke.keyCode, stroke.charCode), QPoint(keyCode, charCode));
        }
    }

    void keysReachTheGameWhicheverWidgetHasTheFocusUntilTheWindowCloses() {
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

    void aNewGameFillsTheAreaAboveThePanelWhoseCaptionsAskForACheat() {
        FrontEnd f;
        QCOMPARE(f.window.size(), QSize(784, 571));
        f.window.resize(1000, 700);
        QTRY_COMPARE(f.game.mainWindow().width(), 1000 * 15.0 + 120);
        QCOMPARE(f.game.mainWindow().height(), 700 * 15.0 + 510);
        f.newGame();
        QCOMPARE(f.window.area().subWindowList()[0]->geometry(), QRect(0, 0, 1000, 700 - 49));
        QCOMPARE(f.window.panel().geometry(), QRect(0, 700 - 49, 1000, 49));
        f.platform.queueAnswer(QStringLiteral("qyx"));
        f.click(f.window.panel(), f.game.mainWindow().captions[0]);
        QCOMPARE(f.game.mainWindow().message(), QStringLiteral("God had mercy."));
        // The smallest main window keeps room for the panel and a board window above it.
        f.window.resize(10, 10);
        QTRY_VERIFY(f.window.centralWidget()->height() >= 98);
    }

    void everyKeyIsATurnOnTheBoardAndTheShopHoldsTheBoardUntilItCloses() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Right);
        QTest::keyClick(&f.viewOf(b), Qt::Key_Down);
        hold(f.viewOf(b), Qt::Key_Left);
        QCOMPARE(QPointF(b.player.left(), b.player.top()), QPointF(288, 576));
        // Any other key is a turn too: the demon hunts once for each, repeats included.
        b.demon.setVisible(true);
        const int draws = f.platform.randomCalls;
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_F5, Qt::Key_Home, Qt::Key_Shift})
            QTest::keyClick(&f.window, key);
        hold(f.viewOf(b), Qt::Key_PageDown);
        QCOMPARE(f.platform.randomCalls - draws, 7);
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.subWindowOf(b)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(*f.game.shop()));
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(f.window.subWindowOf(b)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(b));
    }

    void thePlayersPickOfAWindowBringsItToTheFront() {
        FrontEnd f;
        MenuWindow& behind = *f.game.menu();
        f.game.openMenu();
        f.window.sync();
        QTest::mouseClick(&f.viewOf(behind), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.game.scene().active(), &behind);
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(behind));
    }

    void subWindowsTakeTheirWindowsPlaceAndLook() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        QMdiSubWindow* sub = f.window.subWindowOf(menu);
        QCOMPARE(sub->windowTitle(), QStringLiteral("Main"));
        QVERIFY(!sub->close()); // only the game closes its windows
        // The game shrinks a window and moves it partly off the area.
        GameOverWindow& over = f.game.openGameOver();
        menu.setWidth(ui::Window::kMinimumWidth);
        menu.setLeft(-900);
        f.window.sync();
        QCOMPARE(sub->geometry(), pixelsOf(menu.rect()));
        QCOMPARE(f.window.subWindowOf(over)->geometry(), pixelsOf(over.rect()));
        QVERIFY(f.window.subWindowOf(over)->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!sub->windowFlags().testFlag(Qt::FramelessWindowHint));
        // The player moves and resizes one.
        sub->setGeometry(10, 20, 300, 200);
        QCOMPARE(pixelsOf(menu.rect()), QRect(10, 20, 300, 200));
        f.game.close(over);
        f.game.scene().collect();
        f.window.sync();
        QCOMPARE(f.window.area().subWindowList(), QList<QMdiSubWindow*>{sub});
        QCOMPARE(f.window.area().currentSubWindow(), sub);
    }

    void everyTextShowsWholeAtTheStartingSize() {
        FrontEnd f;
        MainWindow& main = f.game.mainWindow();
        main.statusPanel.setVisible(true);
        f.window.sync();
        QCOMPARE(cutLetters(f.viewOf(*f.game.menu())), QStringList());
        for (ui::Label* field : {&main.level, &main.armor, &main.hits, &main.gold, &main.continues,
                                 &main.timeLeft, &main.serum, &main.food, &main.energy})
            field->setText(QStringLiteral("-99999"));
        main.setMessage(QStringLiteral("Game Over. You have fallen into the ravine"));
        QCOMPARE(cutLetters(f.window.panel()), QStringList());
        QCOMPARE(f.window.panel().linesOf(main.messageLine()).size(), size_t{3});
        f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QCOMPARE(cutLetters(f.viewOf(*f.game.shop())), QStringList());
        QCOMPARE(f.viewOf(*f.game.shop()).linesOf(f.game.shop()->menuText).size(), size_t{24});
    }

    void boardLabelsArePlacedOnTheBoardClippedToItAndClickedThroughIt() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        b.board.setRect({1500, 1500, 3000, 2000});
        // A hole left under the board, the gate above it, the gold past the board's right edge,
        // the spider's box.
        b.holes.load(1).setRect({1800, 1800, 255, 255});
        b.gate.setRect({300, 300, 255, 255});
        b.goldPickup.setRect({2900, 300, 255, 255});
        b.spider.setRect({600, 900, 255, 255});
        for (ui::Label* shown : {&b.holes[1], &b.gate, &b.goldPickup, &b.spider})
            shown->setVisible(true);
        f.window.sync();
        WindowView& view = f.viewOf(b);
        QCOMPARE(view.labelAt({120, 125}), &b.gate);
        QCOMPARE(view.labelAt({137, 125}), nullptr); // the right edge is outside
        QCOMPARE(view.labelAt({299, 125}), &b.goldPickup);
        QCOMPARE(view.labelAt({301, 125}), nullptr);
        QCOMPARE(view.grab().toImage().pixelColor(301, 125), QColor(Qt::black));
        QCOMPARE(view.grab().toImage().pixelColor(141, 161), QColor(255, 128, 128));
        f.click(view, b.gate);
        b.gate.setVisible(false);
        f.window.sync();
        f.click(view, b.holes[1]);
        f.click(view, b.player);
        QCOMPARE(f.platform.messages,
                 (std::vector<QString>{"Gate: Go to Next Level", "Your Name is: Anna"}));
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
