// The game clock: the countdown, the time-out and the status timer.
#include "game_fixture.h"

namespace {

class Countdown : public GameTest {
  protected:
    Countdown() : boardWindow(start()) {}

    BoardWindow& boardWindow;
};

} // namespace

TEST_F(Countdown, TimeRunsOutOnThe119thTick) {
    game.advance(118 * 1000 - 10);
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("2"));
    EXPECT_TRUE(boardWindow.player.visible());
    game.advance(1000);
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. No time."));
    EXPECT_EQ(status().energy.text(), QStringLiteral("0"));
    EXPECT_EQ(boardWindow.gameOver.text(), QStringLiteral("1"));
    EXPECT_FALSE(boardWindow.player.visible());
    EXPECT_FALSE(status().countdown.enabled());
    EXPECT_FALSE(boardWindow.closingWall.enabled());

    // Once the status timer runs, it restarts the countdown, which ends the game again.
    status().statusTimer.setEnabled(true);
    game.advance(3000);
    EXPECT_TRUE(status().countdown.enabled());
    EXPECT_TRUE(status().message().isEmpty());
    game.advance(1000);
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. No time."));
    EXPECT_FALSE(status().countdown.enabled());
}

TEST_F(Countdown, TheClockStandsStillInThePathSectionAndMessagesLastAtMostThreeSeconds) {
    put(boardWindow.gate, 2000, 1500);
    press('A'); // into the path section: its holes at 1, 1, the player at 600, 600
    ASSERT_TRUE(status().statusTimer.enabled());
    status().setMessage(QStringLiteral("You got the gold"));
    game.advance(3000);
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_FALSE(status().countdown.enabled());
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("117"));
    game.advance(60000);
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("117"));

    // Every draw 0: the exit lies at 1, 1 and the first step reaches it.
    press(keys::Right);
    ASSERT_TRUE(boardWindow.board.visible());
    EXPECT_TRUE(boardWindow.pathPlayer.visible());
    game.advance(3000);
    EXPECT_TRUE(status().countdown.enabled());
    EXPECT_FALSE(boardWindow.pathPlayer.visible());
    game.advance(1000);
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("116"));
}
