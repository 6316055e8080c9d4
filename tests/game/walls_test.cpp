// The timed walls: the closing right wall and the drifting board.
#include "board_helpers.h"
#include "game_fixture.h"

#include <tuple>

namespace {

constexpr int kTick = 100;

class WallsTest : public GameTest {
  protected:
    // A board with the closing wall on (the drift off) and the player at its centre.
    Form2& closingWall(LevelPlan plan = {}) {
        plan.wallDie = 1;
        return startBoard(game, platform, plan);
    }
    // A board with the drift on (the closing wall off) whose first tick picks `direction`.
    Form2& drifting(LevelPlan plan, int direction) {
        plan.wallDie = 3;
        Form2& board = startBoard(game, platform, plan);
        platform.queueDraw(direction, 4);
        game.advance(kTick);
        return board;
    }
    void expectFallen(Form2& board) {
        EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
        EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
        EXPECT_FALSE(board.Mio.visible());
        EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
    }
};

} // namespace

TEST_F(WallsTest, ClosingWallNarrowsTheBoardAndPushesTheGate) {
    LevelPlan plan;
    plan.gate = {4000 - 255, 500};
    plan.coins = ObjectPlan{4000 - 255, 1000};
    Form2& board = closingWall(plan);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3992);
    EXPECT_DOUBLE_EQ(board.Gate.left(), 3992 - 255);
    EXPECT_DOUBLE_EQ(board.Coins.left(), 4000 - 255); // cut off by the wall, not moved
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3984);
    EXPECT_DOUBLE_EQ(board.Gate.left(), 3984 - 255);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
}

TEST_F(WallsTest, PlayerAtTheCentreFallsOnTheTickTheWallPassesHim) {
    LevelPlan plan;
    plan.board = {600, 600, 3500, 3000};
    Form2& board = closingWall(plan);
    ASSERT_DOUBLE_EQ(board.Mio.left(), 1750);
    game.advance(186 * kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3500 - 186 * 8);
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_FALSE(board.GameOver.isSet());
    game.advance(kTick);
    expectFallen(board);
    EXPECT_FALSE(board.Wall.enabled());
}

TEST_F(WallsTest, BoardNarrowerThanOneHundredLetsThePlayerFall) {
    LevelPlan plan;
    plan.gate = {3000, 500};
    Form2& board = closingWall(plan);
    board.Pic.setWidth(107);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 99);
    expectFallen(board);
    EXPECT_DOUBLE_EQ(board.Gate.left(), 3000); // the tick ended with the fall
}

TEST_F(WallsTest, WallsRestWhileTheirFlagIsOff) {
    Form2& board = startBoard(game, platform); // die 2: both off
    platform.queueDraw(4, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 4000);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 600);
    // The drift still rolls a direction on every tick.
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("4"));
    platform.queueDraw(1, 4);
    game.advance(kTick);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(board.Pic.top(), 600);
}

TEST_F(WallsTest, PathSectionStopsBothEffects) {
    Form2& board = drifting(LevelPlan{}, 2);
    board.WalMove.setText(QStringLiteral("1"));
    board.Camin.setText(QStringLiteral("1"));
    const int draws = platform.randomCalls;
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 4000);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 600);
    EXPECT_FALSE(board.Wall2.enabled());
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("2"));
    EXPECT_EQ(platform.randomCalls, draws);
    game.advance(10 * kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 4000);
}

TEST_F(WallsTest, HiddenPlayerStopsTheTimersAfterOneLastTick) {
    Form2& board = drifting(LevelPlan{}, 4);
    board.WalMove.setText(QStringLiteral("1"));
    board.Mio.setVisible(false);
    game.advance(kTick);
    EXPECT_FALSE(board.Wall.enabled());
    EXPECT_FALSE(board.Wall2.enabled());
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3992);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 700);
    game.advance(10 * kTick);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3992);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 700);
}

TEST_F(WallsTest, FirstDriftTickOnlyChoosesADirection) {
    LevelPlan plan;
    plan.wallDie = 3;
    Form2& board = startBoard(game, platform, plan);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("0"));
    const int reseeds = platform.reseeds;
    platform.queueDraw(2, 4);
    game.advance(kTick);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("2"));
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 600);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
}

TEST_F(WallsTest, DriftMovesTheBoardWithEverythingOnIt) {
    Form2& board = drifting(LevelPlan{}, 2);
    const double mioLeft = board.Mio.left(), mioTop = board.Mio.top();
    const int draws = platform.randomCalls;
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 700);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 800);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("2"));
    EXPECT_EQ(platform.randomCalls, draws); // no bump, no new direction
    EXPECT_DOUBLE_EQ(board.Mio.left(), mioLeft);
    EXPECT_DOUBLE_EQ(board.Mio.top(), mioTop);

    // Up and right and left.
    for (auto [direction, top, left] :
         {std::tuple{1, 700.0, 600.0}, std::tuple{4, 700.0, 700.0}, std::tuple{3, 700.0, 600.0}}) {
        board.MonDir.setText(QString::number(direction));
        game.advance(kTick);
        EXPECT_DOUBLE_EQ(board.Pic.top(), top);
        EXPECT_DOUBLE_EQ(board.Pic.left(), left);
    }
}

TEST_F(WallsTest, DriftBouncesOffTheTopAndLeftAtFifty) {
    LevelPlan plan;
    plan.board = {120, 130, 4000, 3000};
    Form2& board = drifting(plan, 1);
    platform.queueDraw(3, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 50);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("3"));
    platform.queueDraw(4, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 50);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 50);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("4"));
}

TEST_F(WallsTest, DriftBouncesOffTheBottomAndRightKeepingTwoHundredEighty) {
    // Window 11760 x 7830.
    LevelPlan plan;
    plan.board = {7700, 4800, 4000, 3000};
    Form2& board = drifting(plan, 2);
    platform.queueDraw(4, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 7830 - 3000 - 280);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("4"));
    platform.queueDraw(1, 4);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 11760 - 4000 - 280);
    EXPECT_EQ(board.MonDir.text(), QStringLiteral("1"));
}

TEST_F(WallsTest, OnlyTheFirstBumpCounts) {
    // Both the bottom and the right edge are passed: only the bottom is dealt with.
    LevelPlan plan;
    plan.board = {7700, 4800, 4000, 3000};
    Form2& board = drifting(plan, 2);
    board.Pic.setLeft(7800);
    game.advance(kTick);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 4550);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 7800);
}

TEST_F(WallsTest, BoardTallerThanTheWindowJumpsAndTurnsOnEveryTick) {
    LevelPlan plan;
    plan.board = {300, 5000, 4000, 8000}; // placed at top 1
    Form2& board = drifting(plan, 3);
    ASSERT_DOUBLE_EQ(board.Pic.top(), 1);
    for (double top : {50.0, 7830.0 - 8000 - 280, 50.0, 7830.0 - 8000 - 280}) {
        platform.queueDraw(3, 4);
        const int draws = platform.randomCalls;
        game.advance(kTick);
        EXPECT_DOUBLE_EQ(board.Pic.top(), top);
        EXPECT_EQ(platform.randomCalls, draws + 1);
    }
    EXPECT_DOUBLE_EQ(board.Pic.left(), 300 - 4 * 100);
}
