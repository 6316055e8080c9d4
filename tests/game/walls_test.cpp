// The timed walls: the closing right wall and the drifting board.
#include "game_fixture.h"

#include <tuple>

namespace {

constexpr int kTick = 100;

class WallsTest : public GameTest {
  protected:
    // A board whose wall die gave `die`, with both wall timers running from the build on: their
    // first tick comes 100 ms later.
    Form2& walls(int die, LevelPlan plan = {}) {
        plan.wallDie = die;
        Form2& board = start(plan);
        board.Wall2.setEnabled(true);
        return board;
    }
    void expectFallen(Form2& board) {
        EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
        EXPECT_FALSE(board.Mio.visible());
        EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
        EXPECT_FALSE(board.Wall.enabled());
    }
};

} // namespace

TEST_F(WallsTest, ClosingWallNarrowsTheBoardAndPushesOnlyTheGate) {
    LevelPlan plan;
    plan.gate = {4000 - 255, 500};
    plan.coins = ObjectPlan{4000 - 255, 1000};
    Form2& board = walls(1, plan);
    for (double width : {3992.0, 3984.0}) {
        game.advance(kTick);
        EXPECT_DOUBLE_EQ(board.Pic.width(), width);
        EXPECT_DOUBLE_EQ(board.Gate.left(), width - 255);
    }
    EXPECT_DOUBLE_EQ(board.Coins.left(), 4000 - 255); // cut off by the wall, not moved
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
}

TEST_F(WallsTest, PlayerAtTheCentreFallsOnTheTickTheWallPassesHim) {
    LevelPlan plan;
    plan.board = {600, 600, 3500, 3000};
    Form2& board = walls(1, plan);
    ASSERT_DOUBLE_EQ(board.Mio.left(), 1750);
    game.advance(186 * kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3500 - 186 * 8);
    EXPECT_FALSE(board.GameOver.isSet());
    game.advance(kTick);
    expectFallen(board);
}

TEST_F(WallsTest, BoardNarrowerThanOneHundredIsAFallBeforeTheGateMoves) {
    LevelPlan plan;
    plan.gate = {3000, 500};
    Form2& board = walls(1, plan);
    board.Pic.setWidth(107);
    game.advance(kTick);
    expectFallen(board);
    EXPECT_DOUBLE_EQ(board.Gate.left(), 3000);
}

TEST_F(WallsTest, FirstDriftTickOnlyChoosesADirectionAndAnIdleDriftKeepsChoosing) {
    Form2& board = walls(3);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("0"));
    const int reseeds = platform.reseeds;
    platform.queueDraw(2, 4);
    game.advance(kTick);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("2"));
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 600);

    // Down, with everything on the board, and no new direction.
    const double mioTop = board.Mio.top();
    const int draws = platform.randomCalls;
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 700);
    EXPECT_DOUBLE_EQ(board.Mio.top(), mioTop);
    EXPECT_EQ(platform.randomCalls, draws);

    // With the drift off the board rests, and a direction is still drawn on every tick.
    board.WalMove2.setText({});
    platform.queueDraw(4, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 700);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("4"));
    EXPECT_DOUBLE_EQ(board.Pic.width(), 4000); // the closing wall is off too
}

TEST_F(WallsTest, DriftMovesAHundredAndBouncesOffTheFirstEdgePassed) {
    // The board before the tick, its direction (1 up, 2 down, 3 left, 4 right), its Left and Top
    // after it, and whether it bumped into an edge of the window of 11760 x 7830.
    const std::tuple<ui::Rect, int, double, double, bool> cases[] = {
        {{600, 700, 4000, 3000}, 1, 600, 600, false},
        {{600, 600, 4000, 3000}, 4, 700, 600, false},
        {{700, 600, 4000, 3000}, 3, 600, 600, false},
        {{600, 130, 4000, 3000}, 1, 600, 50, true},
        {{120, 600, 4000, 3000}, 3, 50, 600, true},
        {{600, 4800, 4000, 3000}, 2, 600, 7830 - 3000 - 280, true},
        {{7700, 600, 4000, 3000}, 4, 11760 - 4000 - 280, 600, true},
        {{7800, 4800, 4000, 3000}, 2, 7800, 4550, true}, // only the bottom is dealt with
        // A board taller than the window jumps between the margins on every tick.
        {{300, 1, 4000, 8000}, 3, 200, 50, true},
        {{200, 50, 4000, 8000}, 3, 100, 7830 - 8000 - 280, true},
    };
    Form2& board = walls(3);
    platform.queueDraw(1, 4);
    game.advance(kTick); // the first direction
    for (const auto& [rect, direction, left, top, bumps] : cases) {
        SCOPED_TRACE(testing::Message() << rect.left << ", " << rect.top << " to " << direction);
        board.Pic.setRect(rect);
        board.MonDir.setText(QString::number(direction));
        const int draws = platform.randomCalls;
        if (bumps)
            platform.queueDraw(2, 4); // a new direction
        game.advance(kTick);
        EXPECT_DOUBLE_EQ(board.Pic.left(), left);
        EXPECT_DOUBLE_EQ(board.Pic.top(), top);
        EXPECT_EQ(platform.randomCalls, draws + (bumps ? 1 : 0));
        EXPECT_EQ(board.MonDir.text(), QString::number(bumps ? 2 : direction));
    }
}

TEST_F(WallsTest, PathSectionStopsBothEffects) {
    Form2& board = walls(3);
    game.advance(kTick); // the first direction: 1, up
    board.WalMove.setText(QStringLiteral("1"));
    board.Camin.setText(QStringLiteral("1"));
    const int draws = platform.randomCalls;
    game.advance(10 * kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 4000);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 600);
    EXPECT_FALSE(board.Wall2.enabled());
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("1"));
    EXPECT_EQ(platform.randomCalls, draws);
}

TEST_F(WallsTest, AHiddenPlayerStopsBothTimersAfterOneLastTick) {
    Form2& board = walls(3);
    platform.queueDraw(4, 4);
    game.advance(kTick); // the first direction: right
    board.WalMove.setText(QStringLiteral("1"));
    board.Mio.setVisible(false);
    game.advance(11 * kTick);
    EXPECT_FALSE(board.Wall.enabled());
    EXPECT_FALSE(board.Wall2.enabled());
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3992);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 700);
}
