// The game clock: the countdown, the time-out and the status timer.
#include "game_fixture.h"

namespace {

class Countdown : public GameTest {
  protected:
    Countdown() : board(start()) {}

    Form2& board;
};

} // namespace

TEST_F(Countdown, TimeRunsOutOnThe119thTick) {
    game.advance(118 * 1000 - 10);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("2"));
    EXPECT_TRUE(board.Mio.visible());
    game.advance(1000);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. No time."));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
    EXPECT_FALSE(board.Mio.visible());
    EXPECT_FALSE(status().Timer1.enabled());
    EXPECT_FALSE(board.Wall.enabled());

    // Once the status timer runs, it restarts the countdown, which ends the game again.
    status().Timer2.setEnabled(true);
    game.advance(3000);
    EXPECT_TRUE(status().Timer1.enabled());
    EXPECT_TRUE(status().message().isEmpty());
    game.advance(1000);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. No time."));
    EXPECT_FALSE(status().Timer1.enabled());
}

TEST_F(Countdown, TheClockStandsStillInThePathSectionAndMessagesLastAtMostThreeSeconds) {
    put(board.Gate, 2000, 1500);
    press('A'); // into the path section: its holes at 1, 1, the player at 600, 600
    ASSERT_TRUE(status().Timer2.enabled());
    status().setMessage(QStringLiteral("You got the gold"));
    game.advance(3000);
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_FALSE(status().Timer1.enabled());
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("117"));
    game.advance(60000);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("117"));

    // Every draw 0: the exit lies at 1, 1 and the first step reaches it.
    press(keys::Right);
    ASSERT_TRUE(board.Pic.visible());
    EXPECT_TRUE(board.Mio2.visible());
    game.advance(3000);
    EXPECT_TRUE(status().Timer1.enabled());
    EXPECT_FALSE(board.Mio2.visible());
    game.advance(1000);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("116"));
}
