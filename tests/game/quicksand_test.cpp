// Quicksand: the stop counts down on the trap and ends by moving the trap or taking it away.
#include "board_helpers.h"
#include "game_fixture.h"

namespace {

constexpr int kSecond = 1000;

class QuicksandTest : public GameTest {
  protected:
    // A board with the trap at 1000, 800 and the player held on it, as a step onto it leaves
    // him. The drift is stopped so that its direction draws do not mix with the trap's.
    Form2& held() {
        LevelPlan plan;
        plan.trap = ObjectPlan{1000, 800};
        Form2& board = startBoard(game, platform, plan);
        board.Wall2.setEnabled(false);
        board.G.setText(QStringLiteral("1"));
        board.Trappola.setEnabled(true);
        return board;
    }
};

} // namespace

TEST_F(QuicksandTest, StopLastsFiveTicksCountingDownOnTheTrap) {
    Form2& board = held();
    for (const char* left : {"4", "3", "2", "1"}) {
        game.advance(kSecond);
        EXPECT_EQ(board.Trap.text(), QString::fromLatin1(left));
        EXPECT_EQ(board.G.text(), QStringLiteral("1"));
        EXPECT_TRUE(board.Trappola.enabled());
        EXPECT_TRUE(board.Trap.visible());
    }
    game.advance(kSecond - 1);
    EXPECT_EQ(board.G.text(), QStringLiteral("1"));
    game.advance(1);
    EXPECT_FALSE(board.G.isSet());
    EXPECT_FALSE(board.Trappola.enabled());
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
}

TEST_F(QuicksandTest, SteppingOntoTheTrapHoldsThePlayerForFiveSeconds) {
    LevelPlan plan;
    plan.trap = ObjectPlan{2000 + 96, 1500}; // one step right of the player
    Form2& board = startBoard(game, platform, plan);
    board.Wall2.setEnabled(false);
    press(keys::Right);
    EXPECT_EQ(board.G.text(), QStringLiteral("1"));
    EXPECT_TRUE(board.Trappola.enabled());
    const double left = board.Mio.left();
    game.advance(4 * kSecond);
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), left);
    game.advance(kSecond);
    EXPECT_FALSE(board.G.isSet());
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), left + 96);
}

TEST_F(QuicksandTest, DrawOfNineMovesTheTrap) {
    Form2& board = held();
    game.advance(4 * kSecond);
    platform.queueDraw(9, 20);
    platform.queueDraw(2000, board.Pic.height());
    platform.queueDraw(1500, board.Pic.width());
    game.advance(kSecond);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_TRUE(board.Trap.visible());
    EXPECT_DOUBLE_EQ(board.Trap.top(), 2000);
    EXPECT_DOUBLE_EQ(board.Trap.left(), 1500);
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
    EXPECT_FALSE(board.G.isSet());
}

TEST_F(QuicksandTest, NewPlaceIsPulledInsideTheBoard) {
    Form2& board = held();
    game.advance(4 * kSecond);
    platform.queueDraw(1, 20);
    platform.queueDraw(1, board.Pic.height());
    platform.queueDraw(static_cast<int>(board.Pic.width()), board.Pic.width());
    game.advance(kSecond);
    EXPECT_DOUBLE_EQ(board.Trap.top(), 1);
    EXPECT_DOUBLE_EQ(board.Trap.left(), board.Pic.width() - 255);

    // Held again on a board shorter than the trap: its top comes out below 1 and is set to 1.
    board.Pic.setHeight(200);
    board.G.setText(QStringLiteral("1"));
    board.Trappola.setEnabled(true);
    game.advance(4 * kSecond);
    platform.queueDraw(1, 20);
    platform.queueDraw(100, 200);
    platform.queueDraw(300, board.Pic.width());
    game.advance(kSecond);
    EXPECT_DOUBLE_EQ(board.Trap.top(), 1);
    EXPECT_DOUBLE_EQ(board.Trap.left(), 300);
}

TEST_F(QuicksandTest, DrawOfTenLeavesTheTrapHidden) {
    Form2& board = held();
    game.advance(4 * kSecond);
    platform.queueDraw(10, 20);
    const int draws = platform.randomCalls;
    game.advance(kSecond);
    EXPECT_EQ(platform.randomCalls, draws + 1);
    EXPECT_FALSE(board.Trap.visible());
    EXPECT_DOUBLE_EQ(board.Trap.left(), 1000);
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
    EXPECT_FALSE(board.G.isSet());
    EXPECT_FALSE(board.Trappola.enabled());
    game.advance(5 * kSecond);
    EXPECT_FALSE(board.Trap.visible());
}

TEST_F(QuicksandTest, TrapCaptionThatIsNoNumberEndsTheStop) {
    Form2& board = held();
    board.Trap.setText(QStringLiteral("?"));
    game.advance(kSecond);
    EXPECT_FALSE(board.G.isSet());
    EXPECT_FALSE(board.Trappola.enabled());
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
}
