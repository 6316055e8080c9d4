// The finale at level 99 and the game-over screen.
#include "board/form2.h"
#include "board_helpers.h"
#include "game_fixture.h"
#include "shell/form1.h"
#include "shell/form4.h"
#include "shell/form5.h"

namespace {

class Finale : public GameTest {
  protected:
    Finale() {
        startBoard(game, platform);
        status().Liv.setText(QStringLiteral("99"));
        game.advance(990); // the countdown's tick opens the finale
    }
};

} // namespace

TEST_F(Finale, ClosesTheBoardAndStopsTheClock) {
    Form4* finale = game.finale();
    ASSERT_NE(finale, nullptr);
    EXPECT_EQ(finale->caption(), QStringLiteral("Final game"));
    EXPECT_EQ(game.board(), nullptr);
    EXPECT_FALSE(status().Picture1.visible());
    EXPECT_FALSE(status().Timer1.enabled());
    EXPECT_FALSE(status().Timer2.enabled());
    EXPECT_DOUBLE_EQ(finale->top(), (platform.screenH - finale->height()) / 2.5);
    EXPECT_DOUBLE_EQ(finale->left(), (platform.screenW - finale->width()) / 2);
    for (int key : {int('N'), int('L'), int('X'), keys::Escape, keys::Left})
        press(key);
    EXPECT_EQ(game.finale(), finale);
    EXPECT_EQ(game.menu(), nullptr);
    EXPECT_EQ(platform.exits, 0);
}

TEST_F(Finale, PlaysItsWholeSequenceAndReturnsToTheMenu) {
    Form4& f = *game.finale();
    const double width = f.width();
    // The picture slides 25 twips a tick until it passes the window's width.
    const int slideTicks = static_cast<int>((width - 2760) / 25) + 1;
    game.advance(100 * (slideTicks - 1));
    EXPECT_FALSE(f.Label4.visible());
    game.advance(100);
    EXPECT_TRUE(f.Label4.visible());
    EXPECT_EQ(f.Label4.text(), QStringLiteral("The End"));
    game.advance(1990);
    EXPECT_NE(f.Et.text(), QStringLiteral("Vexmoor"));
    game.advance(10);
    EXPECT_EQ(f.Et.text(), QStringLiteral("Vexmoor"));
    EXPECT_EQ(f.Et.look().font.points, 24);
    EXPECT_TRUE(f.Label3.text().contains(QStringLiteral("Vexmoor team")));
    const double stoppedAt = f.Picture1.left();
    game.advance(1000);
    EXPECT_EQ(f.Picture1.left(), stoppedAt);
    game.advance(2000);
    EXPECT_EQ(f.Label4.text(), QStringLiteral("Goodbye!!!"));
    // It shrinks to the narrowest a window can be and slides left until it is gone.
    const double left = f.left();
    game.advance(10);
    EXPECT_EQ(f.width(), width - 5);
    EXPECT_EQ(f.left(), left - 10);
    game.advance(60000);
    EXPECT_EQ(game.finale(), nullptr);
    ASSERT_NE(game.menu(), nullptr);
}

TEST_F(Finale, ANewGameAfterwardsStartsAtLevel1) {
    status().ContPart.setText(QStringLiteral("3"));
    status().setRope(true);
    game.advance(120000);
    ASSERT_NE(game.menu(), nullptr);
    press('N');
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));
    EXPECT_EQ(status().Player.text(), QStringLiteral("Anna"));
    EXPECT_EQ(status().ContPart.text(), QStringLiteral("3"));
    EXPECT_TRUE(status().hasRope());
    game.advance(10);
    EXPECT_TRUE(status().Picture1.visible());
}

TEST_F(GameTest, GameOverScreenShowsForTwoSecondsNearTheTop) {
    Form5& over = game.openGameOver();
    EXPECT_EQ(over.top(), 100);
    EXPECT_DOUBLE_EQ(over.left(), (platform.screenW - over.width()) / 2);
    EXPECT_FALSE(over.titleBar());
    EXPECT_EQ(over.Label1.text(), QStringLiteral("Game Over"));
    EXPECT_EQ(game.scene().active(), &over);
    game.advance(1999);
    EXPECT_NE(game.gameOver(), nullptr);
    game.advance(1);
    EXPECT_EQ(game.gameOver(), nullptr);
    EXPECT_NE(game.menu(), nullptr);
}
