// Building a level: the board's layout, the kept board, the objects and their dice, the monsters
// and the gate, and the wall die.
#include "game_fixture.h"

#include <functional>
#include <tuple>

namespace {

class LevelTest : public GameTest {
  protected:
    // A fall off the board's left edge that the rope saves: the visible monsters hunt first (a
    // draw of 1 each), then the level is built from the draws that queueLevel queues.
    void fallWithRope(const std::function<void()>& queueLevel) {
        BoardWindow& b = boardWindow();
        status().setRope(true);
        put(b.player, 50, 1000);
        for (const ui::Label* monster : {&b.demon, &b.spider, &b.bat})
            if (monster->visible())
                platform.queueDraw(1, 8);
        queueLevel();
        press(keys::Left);
        ASSERT_EQ(status().message(), QStringLiteral("You used the rope!"));
        ASSERT_TRUE(platform.randoms.empty());
    }
    void fallWithRope(const LevelPlan& plan) {
        fallWithRope([&] { queueBuild(plan); });
    }
};

} // namespace

TEST_F(LevelTest, LayoutKeepsTheBoardInTheWindowAndCentresThePlayer) {
    // The board window is 11760 x 7830.
    const std::pair<ui::Rect, ui::Rect> cases[] = {
        {{700, 400, 4001, 2999}, {700, 400, 4001, 2999}},      // as drawn
        {{1, 1, 1, 1}, {1, 1, 3500, 2500}},                    // raised to the smallest board
        {{10000, 6000, 4000, 3000}, {6000, 3000, 4000, 3000}}, // moved back by its size
        {{5000, 5000, 8000, 8000}, {1, 1, 8000, 8000}},        // moved back past the window: at 1
    };
    for (const auto& [drawn, laid] : cases) {
        SCOPED_TRACE(laid.left);
        if (game.boardWindow())
            backToMenu();
        LevelPlan plan;
        plan.board = drawn;
        BoardWindow& boardWindow = start(plan);
        EXPECT_TRUE(platform.randoms.empty());
        EXPECT_EQ(sides(boardWindow.board.rect()), sides(laid));
        EXPECT_DOUBLE_EQ(boardWindow.player.left(), laid.width / 2);
        EXPECT_DOUBLE_EQ(boardWindow.player.top(), laid.height / 2);
        EXPECT_TRUE(boardWindow.player.visible());
        EXPECT_FALSE(boardWindow.pathPlayer.visible());
    }
}

TEST_F(LevelTest, ALoadedBoardIsKeptOnceThenANewOneIsLaidOut) {
    writeSave(kBeaSave);
    press('L');
    BoardWindow& boardWindow = this->boardWindow();
    const std::vector<double> window = sides(boardWindow.rect());
    game.advance(10);                             // the start-up tick's build
    EXPECT_EQ(sides(boardWindow.rect()), window); // a loaded game's window is not resized
    EXPECT_EQ(sides(boardWindow.board.rect()), (std::vector<double>{450, 300, 5000, 2600}));
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2500);
    EXPECT_DOUBLE_EQ(boardWindow.player.top(), 1300);
    EXPECT_FALSE(boardWindow.loadPending.isSet());

    LevelPlan next;
    next.board = {500, 500, 3600, 2600};
    fallWithRope(next);
    EXPECT_EQ(sides(boardWindow.board.rect()), sides(next.board));
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 1800);
}

TEST_F(LevelTest, EachObjectAppearsOnlyBelowItsLimitWhereItsDrawsSay) {
    const std::tuple<ui::Label BoardWindow::*, int, int, bool> dice[] = {
        {&BoardWindow::goldPickup, 30, 20, false}, {&BoardWindow::hitsPickup, 20, 5, false},
        {&BoardWindow::foodPickup, 20, 5, false},  {&BoardWindow::secretPassage, 20, 3, false},
        {&BoardWindow::quicksand, 20, 10, false},  {&BoardWindow::serumPickup, 20, 5, false},
        {&BoardWindow::demon, 20, 15, true},       {&BoardWindow::spider, 20, 10, true},
        {&BoardWindow::bat, 20, 5, true},
    };
    BoardWindow& boardWindow = start();
    boardWindow.boardFromPath.setText(QStringLiteral("1")); // the 4000 x 3000 board is kept
    // Every object is drawn at Top 2745, Left 3746: the Top fits, the Left folds back by 255.
    const auto queuePlace = [&] {
        queueDraw(2745, 3000);
        queueDraw(3746, 4000);
    };
    for (bool placed : {false, true}) {
        // Each die at its limit, then each one below it.
        fallWithRope([&] {
            platform.queueDraw(2, 4);
            queuePlace(); // the gate
            for (const auto& [object, faces, limit, monster] : dice) {
                platform.queueDraw(placed ? limit - 1 : limit, faces);
                if (placed)
                    queuePlace();
                if (placed && monster)
                    platform.queueDraw(1, 9);
            }
        });
        EXPECT_DOUBLE_EQ(boardWindow.gate.left(), 3491);
        EXPECT_DOUBLE_EQ(boardWindow.gate.top(), 2745);
        for (const auto& [object, faces, limit, monster] : dice) {
            const ui::Label& label = boardWindow.*object;
            EXPECT_EQ(label.visible(), placed) << limit << " of " << faces;
            if (placed) {
                EXPECT_EQ(sides(label.rect()), (std::vector<double>{3491, 2745, 255, 255}));
            }
        }
    }
}

TEST_F(LevelTest, MonstersTakeTheirLevelAndHideTheGateUntilDemonAndSpiderAreGone) {
    LevelPlan plan;
    plan.monster = ObjectPlan{500, 500, 7};
    plan.spider = ObjectPlan{800, 500, 3};
    plan.bat = ObjectPlan{1100, 500, 9};
    BoardWindow& boardWindow = start(plan);
    EXPECT_EQ(boardWindow.demon.text(), QStringLiteral("7"));
    EXPECT_EQ(boardWindow.spider.text(), QStringLiteral("3"));
    EXPECT_EQ(boardWindow.bat.text(), QStringLiteral("9"));
    EXPECT_FALSE(boardWindow.gate.visible());

    // The demon still stood when this level without monsters was built: the gate stays hidden.
    fallWithRope(LevelPlan{});
    EXPECT_FALSE(boardWindow.demon.visible());
    EXPECT_FALSE(boardWindow.gate.visible());
    // Now neither the demon nor the spider stands.
    fallWithRope(LevelPlan{});
    EXPECT_TRUE(boardWindow.gate.visible());
    // The bat alone hides it too.
    LevelPlan batOnly;
    batOnly.bat = ObjectPlan{1100, 500, 1};
    fallWithRope(batOnly);
    EXPECT_EQ(boardWindow.bat.text(), QStringLiteral("1"));
    EXPECT_FALSE(boardWindow.gate.visible());
}

TEST_F(LevelTest, TheWallDieChangesAtMostOneFlag) {
    BoardWindow& boardWindow = start();
    struct Case {
        int die;
        bool wallOn, driftOn;
    };
    for (bool before : {false, true}) {
        for (const Case& c : {Case{1, true, before}, Case{2, false, before}, Case{3, before, true},
                              Case{4, before, false}}) {
            SCOPED_TRACE(testing::Message() << "die " << c.die << ", flags before " << before);
            boardWindow.closingWallOn.setText(before ? QStringLiteral("1") : QString());
            boardWindow.driftOn.setText(before ? QStringLiteral("1") : QString());
            LevelPlan plan;
            plan.wallDie = c.die;
            fallWithRope(plan);
            EXPECT_EQ(boardWindow.closingWallOn.isSet(), c.wallOn);
            EXPECT_EQ(boardWindow.driftOn.isSet(), c.driftOn);
        }
    }
}
