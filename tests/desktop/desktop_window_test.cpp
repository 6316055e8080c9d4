// The main window: its sub-windows follow the scene, and keys and clicks reach the game.
#include "front_end.h"

#include "desktop/key_map.h"
#include "shell/game_over_window.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

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

} // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void keysBecomeTheGamesCodes() {
        // 0, 0: the game never hears of the key.
        for (auto [key, text, keyCode, charCode] : {std::tuple{Qt::Key_Left, "", 37, 0},
                                                    {Qt::Key_Down, "", 40, 0},
                                                    {Qt::Key_Escape, "\x1b", 27, 27},
                                                    {Qt::Key_N, "n", 'N', 'n'},
                                                    {Qt::Key_Return, "\r", 13, 13},
                                                    {Qt::Key_A, "\u0444", 'A', 0},
                                                    {Qt::Key_Backspace, "\b", 8, 8},
                                                    {Qt::Key_Delete, "\x7f", 46, 0},
                                                    {Qt::Key_Home, "", 36, 0},
                                                    {Qt::Key_F1, "", 112, 0},
                                                    {Qt::Key_F12, "", 123, 0},
                                                    {Qt::Key_Shift, "", 16, 0},
                                                    {Qt::Key_VolumeUp, "", 0, 0}}) {
            const KeyStroke stroke = keyStroke(key, QString::fromUtf8(text)).value_or(KeyStroke{});
            QCOMPARE(stroke.keyCode, keyCode);
            QCOMPARE(stroke.charCode, charCode);
        }
    }

    void keysReachTheGameWhicheverWidgetHasTheFocusUntilTheWindowCloses() {
        FrontEnd f;
        QTest::keyRelease(&f.window, Qt::Key_X); // only presses count
        QTest::keyClick(&f.viewOf(*f.game.menu()), 'h');
        QTest::keyClick(f.window.area().viewport(), Qt::Key_H, Qt::ShiftModifier);
        QTest::keyClick(f.window.subWindowOf(*f.game.menu()), 'h');
        QCOMPARE(f.platform.addresses.size(), size_t{3});
        QCOMPARE(f.platform.exits, 0);
        QTest::keyClick(f.window.windowHandle(), 'x');
        QCOMPARE(f.platform.exits, 1);
        QVERIFY(f.window.close());
        f.window.keyDown('X', 'x');
        f.window.advance(5000);
        QCOMPARE(f.platform.exits, 1);
        QCOMPARE(f.game.clock().now(), 0);
    }

    void aNewGameFillsTheAreaAndItsPanelsCaptionsAskForACheat() {
        FrontEnd f;
        f.window.resize(1000, 700);
        QTRY_COMPARE(f.window.centralWidget()->size(), QSize(1000, 700));
        QCOMPARE(f.game.mainWindow().width(), 1000 * 15.0 + 120);
        QCOMPARE(f.game.mainWindow().height(), 700 * 15.0 + 510);
        f.newGame();
        QCOMPARE(f.window.area().subWindowList().size(), 1);
        QCOMPARE(f.window.area().subWindowList()[0]->geometry(), QRect(0, 0, 1000, 700 - 49));
        QCOMPARE(f.window.panel().geometry(), QRect(0, 700 - 49, 1000, 49));
        f.platform.queueAnswer(QStringLiteral("qyx"));
        f.click(f.window.panel(), f.game.mainWindow().captions[0]);
        QCOMPARE(f.game.mainWindow().message(), QStringLiteral("God had mercy."));
        f.game.mainWindow().statusPanel.setVisible(false);
        f.window.sync();
        QVERIFY(f.window.panel().isHidden());
        QCOMPARE(f.window.area().size(), QSize(1000, 700));
        // The smallest main window leaves room for the panel and a board window above it.
        f.window.resize(10, 10);
        QTRY_VERIFY(f.window.centralWidget()->height() >= 98);
    }

    void everyKeyIsATurnOnTheBoardAndTheShopHoldsTheBoardUntilItCloses() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Right);
        QTest::keyClick(&f.viewOf(b), Qt::Key_Down);
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Right);
        QCOMPARE(QPointF(b.player.left(), b.player.top()), QPointF(672, 576));
        hold(f.viewOf(b), Qt::Key_Left);
        QCOMPARE(b.player.left(), 384.0);
        // Any other key is a turn too: the demon hunts once for each, repeats included.
        b.demon.setVisible(true);
        const int draws = f.platform.randomCalls;
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_F5, Qt::Key_Home, Qt::Key_Shift})
            QTest::keyClick(&f.window, key);
        hold(f.viewOf(b), Qt::Key_PageDown);
        QCOMPARE(f.platform.randomCalls - draws, 7);
        QCOMPARE(b.player.left(), 384.0);
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.subWindowOf(b)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(*f.game.shop()));
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Tab, Qt::Key_F5, Qt::Key_Home})
            QTest::keyClick(&f.window, key);
        QCOMPARE(f.platform.randomCalls - draws, 7 + 1); // the Escape's turn
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(f.window.subWindowOf(b)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(b));
    }

    void thePlayersPickOfAWindowBringsItToTheFront() {
        FrontEnd f;
        f.window.activateWindow();
        MenuWindow& first = *f.game.menu();
        MenuWindow& second = f.game.openMenu();
        f.window.sync();
        QMdiArea& area = f.window.area();
        QCOMPARE(area.currentSubWindow(), f.window.subWindowOf(second));
        // A press in the window behind, in the scene and on the screen.
        QTest::mouseClick(&f.viewOf(first), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.game.scene().active(), &first);
        QCOMPARE(area.subWindowList(QMdiArea::StackingOrder).back(), f.window.subWindowOf(first));
        // A press on the other one's caption, and Ctrl+Tab.
        QMdiSubWindow* sub = f.window.subWindowOf(second);
        QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 2, 8));
        QCOMPARE(f.game.scene().active(), &second);
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
        QTRY_COMPARE(f.game.scene().active(), &first);
        QCOMPARE(area.currentSubWindow(), f.window.subWindowOf(first));
    }

    void subWindowsTakeTheirWindowsPlaceAndLook() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        QMdiSubWindow* sub = f.window.subWindowOf(menu);
        QCOMPARE(f.window.size(), QSize(784, 571));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Vexmoor"));
        QCOMPARE(sub->windowTitle(), QStringLiteral("Main"));
        QCOMPARE(sub->geometry(), pixelsOf(menu.rect()));
        QVERIFY(f.window.panel().isHidden());
        QVERIFY(!sub->close()); // only the game closes its windows
        // The game shrinks a window and moves it partly off the area.
        GameOverWindow& over = f.game.openGameOver();
        menu.setWidth(ui::Window::kMinimumWidth);
        menu.setLeft(-900);
        f.window.sync();
        QCOMPARE(sub->geometry(), pixelsOf(menu.rect()));
        QPointer<QMdiSubWindow> overSub = f.window.subWindowOf(over);
        QCOMPARE(overSub->geometry(), pixelsOf(over.rect()));
        QVERIFY(overSub->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!sub->windowFlags().testFlag(Qt::FramelessWindowHint));
        // The player moves and resizes one.
        sub->setGeometry(10, 20, 300, 200);
        QCOMPARE(pixelsOf(menu.rect()), QRect(10, 20, 300, 200));
        // Closed, a window's sub-window goes at once.
        f.game.close(over);
        f.game.scene().collect();
        f.window.sync();
        QVERIFY(!overSub || !overSub->isVisible());
        QCOMPARE(f.window.area().subWindowList(), QList<QMdiSubWindow*>{sub});
        QCOMPARE(f.window.area().currentSubWindow(), sub);
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
