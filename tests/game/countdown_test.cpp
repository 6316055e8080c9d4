// The game clock: the countdown, the time-out and the status timer.
#include "board/form2.h"
#include "board_helpers.h"
#include "game_fixture.h"

namespace {

class Countdown : public GameTest {
  protected:
    Countdown() { startBoard(game, platform); }
    Form2& board() { return *game.board(); }
};

} // namespace

TEST_F(Countdown, TimeRunsOutOnThe119thTick) {
    game.advance(118 * 1000 - 10);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("2"));
    EXPECT_TRUE(board().Mio.visible());
    game.advance(1000);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. No time."));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
    EXPECT_EQ(board().GameOver.text(), QStringLiteral("1"));
    EXPECT_FALSE(board().Mio.visible());
    EXPECT_FALSE(status().Timer1.enabled());
    EXPECT_FALSE(board().Wall.enabled());
}

TEST_F(Countdown, OneSecondLeftEndsTheGameOnTheNextTick) {
    status().Tempo.setText(QStringLiteral("1"));
    game.advance(990);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("0"));
    EXPECT_EQ(board().GameOver.text(), QStringLiteral("1"));
}

TEST_F(Countdown, Level99OpensTheFinaleAndLeavesTheTime) {
    status().Liv.setText(QStringLiteral("99"));
    game.advance(990);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("120"));
    EXPECT_NE(game.finale(), nullptr);
    EXPECT_EQ(game.board(), nullptr);
    EXPECT_FALSE(status().Picture1.visible());
}

TEST_F(Countdown, StatusTimerClearsMessagesAndStopsTheClockWhileTheBoardIsHidden) {
    status().Timer2.setEnabled(true);
    status().setMessage(QStringLiteral("You got the gold"));
    game.advance(3000);
    EXPECT_TRUE(status().message().isEmpty());
    board().Pic.setVisible(false); // the path section
    const QString before = status().Tempo.text();
    game.advance(3000);
    EXPECT_FALSE(status().Timer1.enabled());
    game.advance(30000);
    EXPECT_NE(status().Tempo.text(), QStringLiteral("0"));
    const QString during = status().Tempo.text();
    game.advance(30000);
    EXPECT_EQ(status().Tempo.text(), during);
    EXPECT_LE(before.toInt() - during.toInt(), 3);
    board().Pic.setVisible(true);
    board().Mio2.setVisible(true);
    game.advance(3000);
    EXPECT_TRUE(status().Timer1.enabled());
    EXPECT_FALSE(board().Mio2.visible());
}

TEST_F(Countdown, StatusTimerRestartsTheCountdownEvenAfterATimeOut) {
    status().Timer2.setEnabled(true);
    status().Tempo.setText(QStringLiteral("1"));
    game.advance(1000);
    EXPECT_FALSE(status().Timer1.enabled());
    game.advance(2000); // the status timer's tick
    EXPECT_TRUE(status().Timer1.enabled());
    game.advance(1000);
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. No time."));
    EXPECT_FALSE(status().Timer1.enabled());
}
