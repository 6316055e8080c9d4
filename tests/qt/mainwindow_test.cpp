// The main window: its sub-windows follow the scene, and keys and clicks reach the game.
#include "front_end.h"

#include "shell/form5.h"

#include <QKeyEvent>

namespace {

QRect pixelsOf(const ui::Rect& r) {
    return {qRound(r.left / 15), qRound(r.top / 15), qRound(r.width / 15), qRound(r.height / 15)};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithTheMainMenu() {
        FrontEnd f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Vexmoor"));
        QCOMPARE(f.window.centralWidget()->size(), QSize(784, 571));
        const QList<QMdiSubWindow*> subs = f.window.area().subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), QStringLiteral("Main"));
        QVERIFY(subs[0]->isVisible());
        QCOMPARE(subs[0]->geometry(), pixelsOf(f.game.menu()->rect()));
        QCOMPARE(f.window.area().currentSubWindow(), subs[0]);
        QVERIFY(f.window.panel().isHidden());
    }

    void theMainWindowsSizeIsWrittenBackOnResize() {
        FrontEnd f;
        QCOMPARE(f.game.main().width(), 11760.0 + 120);
        QCOMPARE(f.game.main().height(), 8565.0 + 510);
        f.window.resize(900, 600);
        QTRY_COMPARE(f.window.centralWidget()->size(), QSize(900, 600));
        QCOMPARE(f.game.main().width(), 900 * 15.0 + 120);
        QCOMPARE(f.game.main().height(), 600 * 15.0 + 510);
        QCOMPARE(f.game.main().Picture1.width(), 900 * 15.0);
    }

    void keysReachTheGameWhicheverWidgetHasTheFocus() {
        FrontEnd f;
        QTest::keyClick(&f.viewOf(*f.game.menu()), Qt::Key_H);
        QCOMPARE(f.platform.addresses.size(), size_t{1});
        QTest::keyClick(f.window.area().viewport(), 'h');
        QTest::keyClick(f.window.subWindowOf(*f.game.menu()), Qt::Key_H, Qt::ShiftModifier);
        QCOMPARE(f.platform.addresses.size(), size_t{3});
        QTest::keyClick(f.window.windowHandle(), Qt::Key_X);
        QCOMPARE(f.platform.exits, 1);
    }

    void keysOnlyGoDownOnPress() {
        FrontEnd f;
        QTest::keyRelease(&f.window, Qt::Key_X);
        QCOMPARE(f.platform.exits, 0);
        QTest::keyPress(&f.window, Qt::Key_X);
        QCOMPARE(f.platform.exits, 1);
    }

    void theStatusPanelFollowsTheScene() {
        FrontEnd f;
        f.game.main().Picture1.setVisible(true);
        f.window.sync();
        QVERIFY(f.window.panel().isVisible());
        QCOMPARE(f.window.panel().geometry(), QRect(0, 571 - 49, 784, 49));
        QCOMPARE(f.window.area().size(), QSize(784, 571 - 49));
        f.game.main().Picture1.setVisible(false);
        f.window.sync();
        QVERIFY(f.window.panel().isHidden());
        QCOMPARE(f.window.area().size(), QSize(784, 571));
    }

    void aClickOnAStatusCaptionOpensTheCheatPrompt() {
        FrontEnd f;
        f.game.main().Picture1.setVisible(true);
        f.window.sync();
        f.click(f.window.panel(), f.game.main().Et[0]);
        QCOMPARE(f.platform.prompts.size(), size_t{1});
        QCOMPARE(f.platform.prompts[0].prompt, QStringLiteral("Cheat:"));
        // The message line is a caption too.
        f.click(f.window.panel(), f.game.main().Et[MDIForm1::kMessageLine]);
        QCOMPARE(f.platform.prompts.size(), size_t{2});
    }

    void aNewGameFillsTheAreaWithTheBoard() {
        FrontEnd f;
        f.newGame(QStringLiteral("Anna"));
        QCOMPARE(f.game.main().Player.text(), QStringLiteral("Anna"));
        QVERIFY(f.game.board());
        QVERIFY(!f.game.menu());
        const QList<QMdiSubWindow*> subs = f.window.area().subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), QStringLiteral("Game"));
        QVERIFY(f.window.panel().isVisible());
        QCOMPARE(subs[0]->geometry(), QRect(QPoint(0, 0), f.window.area().size()));
        QCOMPARE(f.window.area().size(), QSize(784, 571 - 49));

        // The board's close takes the panel with it.
        f.game.close(*f.game.board());
        f.game.scene().collect();
        f.window.sync();
        QVERIFY(f.window.panel().isHidden());
        QVERIFY(f.window.area().subWindowList().isEmpty());
    }

    void aLargerMainWindowGetsALargerBoard() {
        FrontEnd f;
        f.window.resize(1000, 700);
        QTRY_COMPARE(f.window.centralWidget()->size(), QSize(1000, 700));
        f.newGame(QStringLiteral("Anna"));
        QCOMPARE(f.window.area().size(), QSize(1000, 700 - 49));
        QCOMPARE(f.window.subWindowOf(*f.game.board())->geometry(), QRect(0, 0, 1000, 700 - 49));
        QCOMPARE(f.window.panel().width(), 1000);
    }

    void arrowKeysMoveThePlayer() {
        FrontEnd f;
        f.newGame(QStringLiteral("Anna"));
        Form2& board = *f.game.board();
        QVERIFY(board.Pic.width() >= board.Mio.width() + 4 * Form2::kStep);
        QVERIFY(board.Pic.height() >= board.Mio.height() + 4 * Form2::kStep);
        board.Mio.setLeft(Form2::kStep * 2);
        board.Mio.setTop(Form2::kStep * 2);
        const double left = board.Mio.left();
        const double top = board.Mio.top();
        QTest::keyClick(&f.window, Qt::Key_Right);
        QCOMPARE(board.Mio.left(), left + 96);
        QTest::keyClick(&f.viewOf(board), Qt::Key_Down);
        QCOMPARE(board.Mio.top(), top + 96);
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Left);
        QCOMPARE(board.Mio.left(), left);
        QTest::keyClick(&f.window, Qt::Key_Up);
        QCOMPARE(board.Mio.top(), top);
    }

    void anAutoRepeatedKeyIsOneTurnEach() {
        FrontEnd f;
        f.newGame(QStringLiteral("Anna"));
        Form2& board = *f.game.board();
        board.Mio.setLeft(0);
        board.Mio.setTop(Form2::kStep);
        for (bool repeat : {false, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(&f.viewOf(board), &press);
        }
        QCOMPARE(board.Mio.left(), 3 * 96.0);
    }

    void aClickOnABoardObjectShowsItsLegend() {
        FrontEnd f;
        f.newGame(QStringLiteral("Anna"));
        Form2& board = *f.game.board();
        // The gate alone in the board's top-left corner, the player elsewhere.
        board.Gate.setVisible(true);
        board.Gate.setLeft(0);
        board.Gate.setTop(0);
        board.Mio.setLeft(board.Pic.width() - board.Mio.width());
        for (ui::Label* other :
             {&board.PSecret, &board.Coins, &board.Hit, &board.Food, &board.Serum, &board.Trap,
              &board.Monster, &board.Spider, &board.Bat})
            other->setVisible(false);
        f.window.sync();
        WindowView& view = f.viewOf(board);
        f.click(view, board.Gate);
        QCOMPARE(f.platform.messages.size(), size_t{1});
        QCOMPARE(f.platform.messages[0], QStringLiteral("Gate: Go to Next Level"));
        f.click(view, board.Mio);
        QCOMPARE(f.platform.messages.back(), QStringLiteral("Your Name is: Anna"));
    }

    void aClickBesideTheLabelsDoesNothing() {
        FrontEnd f;
        WindowView& view = f.viewOf(*f.game.menu());
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, view.height() / 2));
        QVERIFY(f.platform.messages.empty());
        QVERIFY(f.platform.prompts.empty());
        QVERIFY(f.game.menu());
    }

    void subWindowsKeepTheScenesOrder() {
        FrontEnd f;
        Form1& first = *f.game.menu();
        Form1& second = f.game.openMenu();
        f.window.sync();
        QList<QMdiSubWindow*> stack = f.window.area().subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.size(), 2);
        QCOMPARE(stack.back(), f.window.subWindowOf(second));
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(second));

        // A press in the window behind brings it to the front, in the scene and on the screen.
        WindowView& back = f.viewOf(first);
        QTest::mouseClick(&back, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.game.scene().active(), &first);
        stack = f.window.area().subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.back(), f.window.subWindowOf(first));
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(first));

        // So does a press on the caption of the other one.
        QMdiSubWindow* sub = f.window.subWindowOf(second);
        QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 2, 8));
        QCOMPARE(f.game.scene().active(), &second);
    }

    void switchingWindowsFromTheKeyboardBringsThemToTheFront() {
        FrontEnd f;
        f.window.activateWindow();
        Form1& first = *f.game.menu();
        f.game.openMenu();
        f.window.sync();
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
        QTRY_COMPARE(f.game.scene().active(), &first);
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(first));
    }

    void aClosedWindowsSubWindowGoes() {
        FrontEnd f;
        f.game.openGameOver();
        f.window.sync();
        QCOMPARE(f.window.area().subWindowList().size(), 2);
        f.game.close(*f.game.gameOver());
        f.game.scene().collect();
        f.window.sync();
        QCOMPARE(f.window.area().subWindowList().size(), 1);
        QCOMPARE(f.window.area().currentSubWindow(), f.window.subWindowOf(*f.game.menu()));
    }

    void aWindowWithoutTitleBarIsFrameless() {
        FrontEnd f;
        Form5& over = f.game.openGameOver();
        f.window.sync();
        QMdiSubWindow* sub = f.window.subWindowOf(over);
        QVERIFY(sub->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(sub->geometry(), pixelsOf(over.rect()));
        QCOMPARE(f.viewOf(over).geometry(), QRect(QPoint(0, 0), sub->size()));
        QVERIFY(
            !f.window.subWindowOf(*f.game.menu())->windowFlags().testFlag(Qt::FramelessWindowHint));
    }

    void aWindowThatShrinksIsShownAtItsSize() {
        FrontEnd f;
        Form1& menu = *f.game.menu();
        menu.setWidth(ui::Window::kMinimumWidth);
        menu.setLeft(-900);
        f.window.sync();
        QCOMPARE(f.window.subWindowOf(menu)->geometry(), pixelsOf(menu.rect()));
    }

    void movingOrResizingASubWindowWritesItBack() {
        FrontEnd f;
        Form1& menu = *f.game.menu();
        QMdiSubWindow* sub = f.window.subWindowOf(menu);
        sub->move(10, 20);
        QCOMPARE(menu.left(), 150.0);
        QCOMPARE(menu.top(), 300.0);
        sub->resize(300, 200);
        QCOMPARE(menu.width(), 4500.0);
        QCOMPARE(menu.height(), 3000.0);
        f.window.sync();
        QCOMPARE(sub->geometry(), QRect(10, 20, 300, 200));
    }

    void theUserCannotCloseAWindowOfTheGame() {
        FrontEnd f;
        QMdiSubWindow* sub = f.window.subWindowOf(*f.game.menu());
        QVERIFY(!sub->close());
        QVERIFY(sub->isVisible());
        QVERIFY(f.game.menu());
    }

    void aDisabledWindowTakesNoInput() {
        FrontEnd f;
        f.newGame(QStringLiteral("Anna"));
        Form2& board = *f.game.board();
        board.setEnabled(false);
        f.window.sync();
        QVERIFY(!f.window.subWindowOf(board)->isEnabled());
        const double left = board.Mio.left();
        QTest::keyClick(&f.window, Qt::Key_Right);
        QCOMPARE(board.Mio.left(), left);
        board.setEnabled(true);
        f.window.sync();
        QVERIFY(f.window.subWindowOf(board)->isEnabled());
    }

    void nothingReachesTheGameOnceStopped() {
        FrontEnd f;
        f.window.stop();
        QTest::keyClick(&f.window, Qt::Key_X);
        f.window.advance(5000);
        QCOMPARE(f.platform.exits, 0);
        QCOMPARE(f.game.clock().now(), 0);
    }

    void closingTheMainWindowEndsTheGamesInput() {
        FrontEnd f;
        QVERIFY(f.window.close());
        QVERIFY(f.window.stopped());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
