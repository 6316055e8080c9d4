// The timed walls: the closing right wall and the drifting board.
#include "game_fixture.h"

#include <tuple>

namespace {

constexpr int kTick = 100;

class WallsTest : public GameTest {
  protected:
    // A board whose wall die gave `die`, with both wall timers running from the build on: their
    // first tick comes 100 ms later.
    BoardWindow& walls(int die, LevelPlan plan = {}) {
        plan.wallDie = die;
        BoardWindow& boardWindow = start(plan);
        boardWindow.drift.setEnabled(true);
        return boardWindow;
    }
    void expectFallen(BoardWindow& boardWindow) {
        EXPECT_EQ(boardWindow.gameOver.text(), QStringLiteral("1"));
        EXPECT_FALSE(boardWindow.player.visible());
        EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
        EXPECT_FALSE(boardWindow.closingWall.enabled());
    }
};

} // namespace

TEST_F(WallsTest, ClosingWallNarrowsTheBoardAndPushesOnlyTheGate) {
    LevelPlan plan;
    plan.gate = {4000 - 255, 500};
    plan.coins = ObjectPlan{4000 - 255, 1000};
    BoardWindow& boardWindow = walls(1, plan);
    for (double width : {3992.0, 3984.0}) {
        game.advance(kTick);
        EXPECT_DOUBLE_EQ(boardWindow.board.width(), width);
        EXPECT_DOUBLE_EQ(boardWindow.gate.left(), width - 255);
    }
    EXPECT_DOUBLE_EQ(boardWindow.goldPickup.left(), 4000 - 255); // cut off by the wall, not moved
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 600);
}

TEST_F(WallsTest, PlayerAtTheCentreFallsOnTheTickTheWallPassesHim) {
    LevelPlan plan;
    plan.board = {600, 600, 3500, 3000};
    BoardWindow& boardWindow = walls(1, plan);
    ASSERT_DOUBLE_EQ(boardWindow.player.left(), 1750);
    game.advance(186 * kTick);
    EXPECT_DOUBLE_EQ(boardWindow.board.width(), 3500 - 186 * 8);
    EXPECT_FALSE(boardWindow.gameOver.isSet());
    game.advance(kTick);
    expectFallen(boardWindow);
}

TEST_F(WallsTest, BoardNarrowerThanOneHundredIsAFallBeforeTheGateMoves) {
    LevelPlan plan;
    plan.gate = {3000, 500};
    BoardWindow& boardWindow = walls(1, plan);
    boardWindow.board.setWidth(107);
    game.advance(kTick);
    expectFallen(boardWindow);
    EXPECT_DOUBLE_EQ(boardWindow.gate.left(), 3000);
}

TEST_F(WallsTest, FirstDriftTickOnlyChoosesADirectionAndAnIdleDriftKeepsChoosing) {
    BoardWindow& boardWindow = walls(3);
    EXPECT_EQ(boardWindow.driftDirection.text(), QStringLiteral("0"));
    const int reseeds = platform.reseeds;
    platform.queueDraw(2, 4);
    game.advance(kTick);
    EXPECT_EQ(boardWindow.driftDirection.text(), QStringLiteral("2"));
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_DOUBLE_EQ(boardWindow.board.top(), 600);

    // Down, with everything on the board, and no new direction.
    const double mioTop = boardWindow.player.top();
    const int draws = platform.randomCalls;
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(boardWindow.board.top(), 700);
    EXPECT_DOUBLE_EQ(boardWindow.player.top(), mioTop);
    EXPECT_EQ(platform.randomCalls, draws);

    // With the drift off the board rests, and a direction is still drawn on every tick.
    boardWindow.driftOn.setText({});
    platform.queueDraw(4, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(boardWindow.board.top(), 700);
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 600);
    EXPECT_EQ(boardWindow.driftDirection.text(), QStringLiteral("4"));
    EXPECT_DOUBLE_EQ(boardWindow.board.width(), 4000); // the closing wall is off too
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
    BoardWindow& boardWindow = walls(3);
    platform.queueDraw(1, 4);
    game.advance(kTick); // the first direction
    for (const auto& [rect, direction, left, top, bumps] : cases) {
        SCOPED_TRACE(testing::Message() << rect.left << ", " << rect.top << " to " << direction);
        boardWindow.board.setRect(rect);
        boardWindow.driftDirection.setText(QString::number(direction));
        const int draws = platform.randomCalls;
        if (bumps)
            platform.queueDraw(2, 4); // a new direction
        game.advance(kTick);
        EXPECT_DOUBLE_EQ(boardWindow.board.left(), left);
        EXPECT_DOUBLE_EQ(boardWindow.board.top(), top);
        EXPECT_EQ(platform.randomCalls, draws + (bumps ? 1 : 0));
        EXPECT_EQ(boardWindow.driftDirection.text(), QString::number(bumps ? 2 : direction));
    }
}

TEST_F(WallsTest, PathSectionStopsBothEffects) {
    BoardWindow& boardWindow = walls(3);
    game.advance(kTick); // the first direction: 1, up
    boardWindow.closingWallOn.setText(QStringLiteral("1"));
    boardWindow.onPath.setText(QStringLiteral("1"));
    const int draws = platform.randomCalls;
    game.advance(10 * kTick);
    EXPECT_DOUBLE_EQ(boardWindow.board.width(), 4000);
    EXPECT_DOUBLE_EQ(boardWindow.board.top(), 600);
    EXPECT_FALSE(boardWindow.drift.enabled());
    EXPECT_EQ(boardWindow.driftDirection.text(), QStringLiteral("1"));
    EXPECT_EQ(platform.randomCalls, draws);
}

TEST_F(WallsTest, AHiddenPlayerStopsBothTimersAfterOneLastTick) {
    BoardWindow& boardWindow = walls(3);
    platform.queueDraw(4, 4);
    game.advance(kTick); // the first direction: right
    boardWindow.closingWallOn.setText(QStringLiteral("1"));
    boardWindow.player.setVisible(false);
    game.advance(11 * kTick);
    EXPECT_FALSE(boardWindow.closingWall.enabled());
    EXPECT_FALSE(boardWindow.drift.enabled());
    EXPECT_DOUBLE_EQ(boardWindow.board.width(), 3992);
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 700);
}
