// The main window: its sub-windows follow the scene, and keys and clicks reach the game.
#include "front_end.h"

#include "desktop/key_map.h"
#include "shell/game_over_window.h"
#include "shop/shop_window.h"

#include <QKeyEvent>

namespace {

QRect pixelsOf(const ui::Rect& r) {
    return {qRound(r.left / 15), qRound(r.top / 15), qRound(r.width / 15), qRound(r.height / 15)};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void keysBecomeTheGamesCodes() {
        struct Key {
            int key;
            const char* text;
            int keyCode, charCode; // 0, 0: the game never hears of the key
        };
        for (const Key& k : {Key{Qt::Key_Left, "", 37, 0}, Key{Qt::Key_Up, "", 38, 0},
                             Key{Qt::Key_Right, "", 39, 0}, Key{Qt::Key_Down, "", 40, 0},
                             Key{Qt::Key_Escape, "\x1b", 27, 27}, Key{Qt::Key_N, "n", 'N', 'n'},
                             Key{Qt::Key_N, "N", 'N', 'N'}, Key{Qt::Key_Return, "\r", 13, 13},
                             Key{Qt::Key_A, "\u0444", 'A', 0}, Key{Qt::Key_Backspace, "\b", 8, 8},
                             Key{Qt::Key_Tab, "\t", 9, 9}, Key{Qt::Key_Delete, "\x7f", 46, 0},
                             Key{Qt::Key_Home, "", 36, 0}, Key{Qt::Key_F1, "", 112, 0},
                             Key{Qt::Key_F12, "", 123, 0}, Key{Qt::Key_Shift, "", 16, 0},
                             Key{Qt::Key_VolumeUp, "", 0, 0}}) {
            const KeyStroke stroke =
                keyStroke(k.key, QString::fromUtf8(k.text)).value_or(KeyStroke{});
            QCOMPARE(stroke.keyCode, k.keyCode);
            QCOMPARE(stroke.charCode, k.charCode);
        }
    }

    void keysReachTheGameWhicheverWidgetHasTheFocusUntilTheWindowCloses() {
        FrontEnd f;
        QTest::keyRelease(&f.window, Qt::Key_X); // only presses count
        QCOMPARE(f.platform.exits, 0);
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

    void theStatusPanelFollowsTheSceneAndItsCaptionsAskForACheat() {
        FrontEnd f;
        f.showPanel(true);
        QCOMPARE(f.window.panel().geometry(), QRect(0, 571 - 49, 784, 49));
        QCOMPARE(f.window.area().size(), QSize(784, 571 - 49));
        f.platform.queueAnswer(QStringLiteral("qyx"));
        f.click(f.window.panel(), f.game.mainWindow().captions[0]);
        QCOMPARE(f.platform.prompts.at(0).prompt, QStringLiteral("Cheat:"));
        QCOMPARE(f.game.mainWindow().message(), QStringLiteral("God had mercy."));
        // The message line is a caption too; the prompt cancelled changes nothing.
        f.click(f.window.panel(), f.game.mainWindow().messageLine());
        QCOMPARE(f.platform.prompts.size(), size_t{2});
        f.showPanel(false);
        QVERIFY(f.window.panel().isHidden());
        QCOMPARE(f.window.area().size(), QSize(784, 571));
    }

    void aNewGameFillsTheAreaWithTheBoard_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("starting size") << QSize(784, 571);
        QTest::newRow("larger") << QSize(1000, 700);
    }

    void aNewGameFillsTheAreaWithTheBoard() {
        QFETCH(QSize, size);
        FrontEnd f;
        f.window.resize(size);
        QTRY_COMPARE(f.window.centralWidget()->size(), size);
        // The game sizes the board from the main window's outer size.
        QCOMPARE(f.game.mainWindow().width(), size.width() * 15.0 + 120);
        QCOMPARE(f.game.mainWindow().height(), size.height() * 15.0 + 510);
        QCOMPARE(f.game.mainWindow().statusPanel.width(), size.width() * 15.0);
        f.newGame();
        const QList<QMdiSubWindow*> subs = f.window.area().subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), QStringLiteral("Game"));
        QVERIFY(f.window.panel().isVisible());
        QCOMPARE(subs[0]->geometry(), QRect(0, 0, size.width(), size.height() - 49));
    }

    void arrowsMoveThePlayerATurnAPressAndAgainOnceTheShopCloses() {
        FrontEnd f;
        BoardWindow& boardWindow = f.newGame();
        boardWindow.player.setLeft(2 * 96);
        boardWindow.player.setTop(2 * 96);
        QTest::keyClick(&f.window, Qt::Key_Right);
        QTest::keyClick(&f.viewOf(boardWindow), Qt::Key_Down);
        QCOMPARE(QPointF(boardWindow.player.left(), boardWindow.player.top()),
                 QPointF(3 * 96, 3 * 96));
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Left);
        QTest::keyClick(&f.window, Qt::Key_Up);
        QCOMPARE(QPointF(boardWindow.player.left(), boardWindow.player.top()),
                 QPointF(2 * 96, 2 * 96));
        // A key held down repeats, and every repeat is a turn.
        for (bool repeat : {false, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(&f.viewOf(boardWindow), &press);
        }
        QCOMPARE(boardWindow.player.left(), 5 * 96.0);
        // Escape opens the shop over the board, which takes no input until the shop closes.
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.subWindowOf(boardWindow)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(*f.game.shop()));
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.game.shop());
        QVERIFY(f.window.subWindowOf(boardWindow)->isEnabled());
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(boardWindow));
        QTest::keyClick(&f.window, Qt::Key_Right);
        QCOMPARE(boardWindow.player.left(), 6 * 96.0);
    }

    void everyKeyIsOneTurnOnTheBoardAndNoCommandInTheMenuOrTheShop() {
        const Qt::Key keys[] = {
            Qt::Key_Backspace, Qt::Key_Tab,      Qt::Key_Shift,     Qt::Key_Control,  Qt::Key_Alt,
            Qt::Key_Pause,     Qt::Key_CapsLock, Qt::Key_PageUp,    Qt::Key_PageDown, Qt::Key_End,
            Qt::Key_Home,      Qt::Key_Insert,   Qt::Key_Delete,    Qt::Key_F1,       Qt::Key_F5,
            Qt::Key_F12,       Qt::Key_NumLock,  Qt::Key_ScrollLock};
        FrontEnd f;
        // F1 to F12 are 112 to 123, 'p' to '{': no menu letter.
        for (Qt::Key key : keys)
            QTest::keyClick(&f.window, key);
        QVERIFY(f.game.menu() && !f.game.boardWindow());
        QVERIFY(f.platform.addresses.empty());
        QCOMPARE(f.platform.exits, 0);

        // On the board, with the demon alone hunting, far from the player.
        BoardWindow& boardWindow = f.newGame();
        for (ui::Label* other :
             {&boardWindow.secretPassage, &boardWindow.goldPickup, &boardWindow.hitsPickup,
              &boardWindow.foodPickup, &boardWindow.serumPickup, &boardWindow.quicksand,
              &boardWindow.spider, &boardWindow.bat, &boardWindow.gate})
            other->setVisible(false);
        boardWindow.demon.setVisible(true);
        boardWindow.player.setLeft(5 * 96);
        boardWindow.player.setTop(5 * 96);
        // Each press is as many turns as the demon draws: one draw a turn puts it into the
        // player's row, and the player stays.
        const auto turns = [&](int expected, const std::function<void()>& press) {
            boardWindow.demon.setLeft(0);
            boardWindow.demon.setTop(0);
            const int draws = f.platform.randomCalls;
            press();
            QCOMPARE(f.platform.randomCalls - draws, expected);
            QCOMPARE(boardWindow.demon.top(), boardWindow.player.top());
            QCOMPARE(QPointF(boardWindow.player.left(), boardWindow.player.top()),
                     QPointF(5 * 96, 5 * 96));
        };
        for (Qt::Key key : keys)
            turns(1, [&] { QTest::keyClick(&f.window, key); });
        // Held down, such a key repeats, and every repeat is a turn.
        turns(3, [&] {
            for (bool repeat : {false, true, true}) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, QString(),
                                repeat);
                QApplication::sendEvent(&f.viewOf(boardWindow), &press);
            }
        });

        // In the shop no such key buys, sells or closes anything.
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(f.game.shop());
        MainWindow& status = f.game.mainWindow();
        const auto stats = [&] {
            QStringList texts{f.game.shop()->message.text(), status.message()};
            for (const ui::Label* field :
                 {&status.level, &status.energy, &status.armor, &status.gold, &status.hits,
                  &status.food, &status.serum, &status.timeLeft, &status.continues})
                texts << field->text();
            return texts;
        };
        const QStringList before = stats();
        for (Qt::Key key : keys)
            QTest::keyClick(&f.window, key);
        QVERIFY(f.game.shop());
        QCOMPARE(stats(), before);
        QVERIFY(f.platform.addresses.empty());
        QCOMPARE(f.platform.exits, 0);
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
        // A press on the other one's caption.
        QMdiSubWindow* sub = f.window.subWindowOf(second);
        QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 2, 8));
        QCOMPARE(f.game.scene().active(), &second);
        // Ctrl+Tab.
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
        QTRY_COMPARE(f.game.scene().active(), &first);
        QCOMPARE(area.currentSubWindow(), f.window.subWindowOf(first));
    }

    void subWindowsTakeTheirWindowsPlaceAndLook() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        QMdiSubWindow* sub = f.window.subWindowOf(menu);
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Vexmoor"));
        QCOMPARE(f.window.area().subWindowList(), QList<QMdiSubWindow*>{sub});
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
        QCOMPARE(f.window.subWindowOf(over)->geometry(), pixelsOf(over.rect()));
        QVERIFY(f.window.subWindowOf(over)->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!sub->windowFlags().testFlag(Qt::FramelessWindowHint));
        // The player moves and resizes one.
        sub->setGeometry(10, 20, 300, 200);
        QCOMPARE(pixelsOf(menu.rect()), QRect(10, 20, 300, 200));
        // Closed, a window's sub-window goes.
        f.game.close(over);
        f.game.scene().collect();
        f.window.sync();
        QCOMPARE(f.window.area().subWindowList(), QList<QMdiSubWindow*>{sub});
        QCOMPARE(f.window.area().currentSubWindow(), sub);
    }
};

QTEST_MAIN(MainWindowTest)
#include "desktop_window_test.moc"
