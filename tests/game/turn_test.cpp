// One turn per key on the board: the hunt, the step or the fall, the checks after it, the gate
// reveal and the path section's step.
#include "game_fixture.h"

#include <tuple>

namespace {

// The player stands at 2000, 1500 on a 4000 x 3000 board.
class TurnTest : public GameTest {};

} // namespace

TEST_F(TurnTest, EachHuntingDrawPutsTheMonsterBesideWhereThePlayerStoodBeforeTheStep) {
    // The draw, and where the demon jumps from 300, 300 beside the player 255 square at 2000, 1500.
    const std::tuple<int, double, double> cases[] = {
        {1, 300, 1500}, {2, 2000, 300}, {3, 300, 1755}, {4, 2255, 300},
        {5, 300, 1245}, {6, 1745, 300}, {7, 300, 1245}, {8, 1745, 300},
    };
    LevelPlan plan;
    plan.monster = ObjectPlan{300, 300, 5};
    BoardWindow& boardWindow = start(plan);
    for (const auto& [r, left, top] : cases) {
        SCOPED_TRACE(r);
        put(boardWindow.demon, 300, 300);
        put(boardWindow.player, 2000, 1500);
        platform.queueDraw(r, 8);
        press(keys::Right);
        EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2096);
        EXPECT_DOUBLE_EQ(boardWindow.demon.left(), left);
        EXPECT_DOUBLE_EQ(boardWindow.demon.top(), top);
    }

    // The demon draws first, then the spider; the hidden bat does not hunt.
    put(boardWindow.spider, 300, 300);
    put(boardWindow.bat, 300, 300, false);
    put(boardWindow.player, 2000, 1500);
    platform.queueDraw(1, 8);
    platform.queueDraw(2, 8);
    const int calls = platform.randomCalls;
    press(keys::Down);
    EXPECT_EQ(platform.randomCalls, calls + 2);
    EXPECT_DOUBLE_EQ(boardWindow.demon.top(), 1500);
    EXPECT_DOUBLE_EQ(boardWindow.spider.left(), 2000);
    EXPECT_DOUBLE_EQ(boardWindow.bat.left(), 300);
}

TEST_F(TurnTest, AStepThatWouldLeaveTheBoardIsAFall) {
    // The key, the place before it, whether it falls, and the place after it. On the 4000 x 3000
    // board a step of 96 may end on the edge; the rope's new level puts a fallen player back at
    // the centre of a board like it.
    const std::tuple<int, double, double, bool, double, double> cases[] = {
        {keys::Left, 96, 1000, false, 0, 1000},
        {keys::Left, 95, 1000, true, 2000, 1500},
        {keys::Up, 1000, 96, false, 1000, 0},
        {keys::Up, 1000, 95, true, 2000, 1500},
        {keys::Right, 4000 - 255 - 96, 1000, false, 4000 - 255, 1000},
        {keys::Right, 4000 - 255 - 95, 1000, true, 2000, 1500},
        {keys::Down, 1000, 3000 - 255 - 96, false, 1000, 3000 - 255},
        {keys::Down, 1000, 3000 - 255 - 95, true, 2000, 1500},
    };
    BoardWindow& boardWindow = start();
    for (const auto& [key, left, top, falls, afterLeft, afterTop] : cases) {
        SCOPED_TRACE(testing::Message() << key << " from " << left << ", " << top);
        status().setRope(true);
        put(boardWindow.player, left, top);
        if (falls)
            queueBuild({});
        press(key);
        EXPECT_TRUE(platform.randoms.empty());
        EXPECT_EQ(status().hasRope(), !falls);
        EXPECT_DOUBLE_EQ(boardWindow.player.left(), afterLeft);
        EXPECT_DOUBLE_EQ(boardWindow.player.top(), afterTop);
    }
}

TEST_F(TurnTest, AFallEndsTheTurnWithoutPickUpFightOrGateReveal) {
    BoardWindow& boardWindow = start();
    boardWindow.gate.setVisible(false);
    put(boardWindow.player, 50, 1000);
    put(boardWindow.goldPickup, 50, 1000);
    status().hits.setText(QStringLiteral("0"));
    press(keys::Left);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
    EXPECT_TRUE(boardWindow.goldPickup.visible());
    EXPECT_EQ(status().gold.text(), QStringLiteral("10"));
    EXPECT_FALSE(boardWindow.gate.visible());
    EXPECT_EQ(gameOverWindows(), 1);
}

TEST_F(TurnTest, QuicksandAndGameOverHoldThePlayerButTheGateStillComes) {
    LevelPlan plan;
    plan.bat = ObjectPlan{300, 300, 5};
    BoardWindow& boardWindow = start(plan);
    put(boardWindow.goldPickup, 2000, 1500);
    status().hits.setText(QStringLiteral("0"));
    for (ui::HiddenField* flag : {&boardWindow.stuckInQuicksand, &boardWindow.gameOver}) {
        const bool over = flag == &boardWindow.gameOver;
        SCOPED_TRACE(over ? "game over" : "quicksand");
        flag->setText(QStringLiteral("1"));
        put(boardWindow.gate, 120, 120, false);
        put(boardWindow.bat, 300, 300);
        const int calls = platform.randomCalls;
        if (!over)
            platform.queueDraw(2, 8); // in quicksand the bat still hunts
        press(keys::Right);
        EXPECT_EQ(platform.randomCalls, calls + (over ? 0 : 1));
        EXPECT_DOUBLE_EQ(boardWindow.bat.left(), over ? 300 : 2000);
        EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2000);
        EXPECT_TRUE(boardWindow.goldPickup.visible());
        EXPECT_TRUE(status().message().isEmpty()); // no fight: no "No hits!!!"
        EXPECT_TRUE(boardWindow.gate.visible());
        EXPECT_DOUBLE_EQ(boardWindow.gate.left(), 2000);
        EXPECT_DOUBLE_EQ(boardWindow.gate.top(), 1500);
        flag->setText({});
    }

    // Over in the path section, no step is taken and no trail mark laid.
    boardWindow.gameOver.setText(QStringLiteral("1"));
    boardWindow.onPath.setText(QStringLiteral("1"));
    press(keys::Right);
    EXPECT_EQ(boardWindow.trailMarks.text(), QStringLiteral("0"));
}

TEST_F(TurnTest, GateComesToTheCentreInTheTurnThatDemonAndSpiderAreBothGone) {
    LevelPlan plan;
    plan.monster = ObjectPlan{300, 300, 1};
    plan.spider = ObjectPlan{600, 300, 5};
    BoardWindow& boardWindow = start(plan);
    put(boardWindow.gate, 120, 120, false);
    put(boardWindow.player, 1000, 2000);

    // Either guard alone keeps the gate hidden.
    for (ui::Label* gone : {&boardWindow.spider, &boardWindow.demon}) {
        boardWindow.demon.setVisible(gone != &boardWindow.demon);
        boardWindow.spider.setVisible(gone != &boardWindow.spider);
        platform.queueDraw(2, 8);
        press('A');
        EXPECT_FALSE(boardWindow.gate.visible());
    }

    // The spider gone, the bat about: the demon dies in this turn and the gate comes.
    boardWindow.spider.setVisible(false);
    put(boardWindow.demon, 1000, 2000);
    put(boardWindow.bat, 300, 300);
    platform.queueDraw(1, 8);    // the demon stays in the player's row
    platform.queueDraw(2, 8);    // the bat hunts
    platform.queueDraw(51, 100); // the player strikes
    platform.queueDraw(3, 10);   // the gold it drops
    press('A');
    EXPECT_FALSE(boardWindow.demon.visible());
    EXPECT_TRUE(boardWindow.gate.visible());
    EXPECT_DOUBLE_EQ(boardWindow.gate.left(), 2000);
    EXPECT_DOUBLE_EQ(boardWindow.gate.top(), 1500);
}

TEST_F(TurnTest, PathStepLaysAMarkWhereItBeganAndStaysInTheWindow) {
    BoardWindow& boardWindow = start();
    boardWindow.onPath.setText(QStringLiteral("1"));
    boardWindow.boardFromPath.setText(
        QStringLiteral("1")); // the exit, the board at 600, 600, is chosen
    boardWindow.board.setVisible(false);
    const double right = boardWindow.width() - 280, bottom = boardWindow.height() - 280;
    const std::tuple<int, double, double, double, double> cases[] = {
        {keys::Left, 100, 120, 50, 120},
        {keys::Up, 100, 120, 100, 50},
        {keys::Right, right - 20, 120, right, 120},
        {keys::Down, 100, bottom - 20, 100, bottom},
        {'A', 300, 400, 300, 400}, // any other key moves nothing
    };
    int mark = 0;
    for (const auto& [key, left, top, afterLeft, afterTop] : cases) {
        SCOPED_TRACE(key);
        put(boardWindow.pathPlayer, left, top);
        press(key);
        EXPECT_EQ(boardWindow.trailMarks.text(), QString::number(++mark));
        ASSERT_TRUE(boardWindow.trail.isLoaded(mark));
        EXPECT_TRUE(boardWindow.trail[mark].visible());
        EXPECT_DOUBLE_EQ(boardWindow.trail[mark].left(), left); // where the step began
        EXPECT_DOUBLE_EQ(boardWindow.trail[mark].top(), top);
        EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.left(), afterLeft);
        EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.top(), afterTop);
    }
    EXPECT_EQ(boardWindow.trail.loadedCount(), 6);
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2000); // the dungeon player stays put
}
