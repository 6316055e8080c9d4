// The finale at level 99 and the game-over screen.
#include "game_fixture.h"
#include "shell/finale_window.h"
#include "shell/menu_window.h"

namespace {

class Finale : public GameTest {
  protected:
    Finale() {
        start();
        status().level.setText(QStringLiteral("99"));
        game.advance(990); // the countdown's tick opens the finale
    }
};

} // namespace

TEST_F(Finale, PlaysItsWholeSequenceTakingNoKeysAndReturnsToTheMenu) {
    ASSERT_NE(game.finale(), nullptr);
    FinaleWindow& f = *game.finale();
    EXPECT_EQ(game.boardWindow(), nullptr);
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("120"));
    EXPECT_FALSE(status().statusPanel.visible());
    EXPECT_FALSE(status().countdown.enabled());
    EXPECT_FALSE(status().statusTimer.enabled());
    EXPECT_DOUBLE_EQ(f.top(), (platform.screenH - f.height()) / 2.5);
    EXPECT_DOUBLE_EQ(f.left(), (platform.screenW - f.width()) / 2);
    for (int key : {int('N'), int('L'), int('X'), int('H'), keys::Escape, keys::Left})
        press(key);
    EXPECT_EQ(game.menu(), nullptr);
    EXPECT_EQ(platform.exits, 0);
    EXPECT_TRUE(platform.addresses.empty());

    // The picture slides 25 twips a tick until it passes the window's width.
    const double width = f.width();
    const int slideTicks = static_cast<int>((width - 2760) / 25) + 1;
    game.advance(100 * (slideTicks - 1));
    EXPECT_FALSE(f.theEnd.visible());
    game.advance(100);
    EXPECT_TRUE(f.theEnd.visible());
    EXPECT_EQ(f.theEnd.text(), QStringLiteral("The End"));
    // The title and the credits 2 s later; the picture stops.
    game.advance(1990);
    EXPECT_NE(f.headline.text(), QStringLiteral("Vexmoor"));
    game.advance(10);
    EXPECT_EQ(f.headline.text(), QStringLiteral("Vexmoor"));
    EXPECT_EQ(f.headline.look().font.points, 24);
    EXPECT_TRUE(f.credits.text().contains(QStringLiteral("Vexmoor team")));
    const double stoppedAt = f.couple.left();
    // "Goodbye!!!" 3 s later.
    game.advance(2990);
    EXPECT_EQ(f.couple.left(), stoppedAt);
    EXPECT_EQ(f.theEnd.text(), QStringLiteral("The End"));
    game.advance(10);
    EXPECT_EQ(f.theEnd.text(), QStringLiteral("Goodbye!!!"));
    // It shrinks and slides left until it is gone.
    const double left = f.left();
    game.advance(10);
    EXPECT_EQ(f.width(), width - 5);
    EXPECT_EQ(f.left(), left - 10);
    press('X');
    EXPECT_EQ(platform.exits, 0);
    game.advance(60000);
    EXPECT_EQ(game.finale(), nullptr);
    EXPECT_NE(game.menu(), nullptr);
}

TEST_F(Finale, ANewGameAfterwardsStartsAtLevel1KeepingNameContinuesAndRope) {
    status().continues.setText(QStringLiteral("3"));
    status().setRope(true);
    game.advance(120000);
    ASSERT_NE(game.menu(), nullptr);
    press('N');
    EXPECT_EQ(status().level.text(), QStringLiteral("1"));
    EXPECT_EQ(status().playerName.text(), QStringLiteral("Anna"));
    EXPECT_EQ(status().continues.text(), QStringLiteral("3"));
    EXPECT_TRUE(status().hasRope());
    game.advance(10);
    EXPECT_TRUE(status().statusPanel.visible());
}

TEST_F(GameTest, AShopOpenWhenTheFinaleStartsClosesWithTheGame) {
    start();
    status().level.setText(QStringLiteral("99"));
    press(keys::Escape);
    ASSERT_NE(game.shop(), nullptr);
    status().countdown.setEnabled(true); // the status timer restarts the countdown under the shop
    game.advance(1000);
    ASSERT_NE(game.finale(), nullptr);
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_FALSE(status().countdown.enabled());
    game.advance(120000);
    ASSERT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.finale(), nullptr);

    // The next game's Escape opens its own shop, and the clock stands still under it.
    status().level.setText(QStringLiteral("1"));
    start();
    press(keys::Escape);
    ASSERT_NE(game.shop(), nullptr);
    EXPECT_FALSE(game.shop()->closed());
    EXPECT_FALSE(status().countdown.enabled());
    EXPECT_EQ(game.scene().windows().size(), 2u);
}

TEST_F(GameTest, GameOverScreenShowsForTwoSecondsNearTheTopInFrontOfTheShop) {
    put(start().player, 50, 1000);
    press(keys::Left); // a fall without the rope
    ASSERT_NE(game.gameOverWindow(), nullptr);
    GameOverWindow& over = *game.gameOverWindow();
    EXPECT_EQ(over.top(), 100);
    EXPECT_DOUBLE_EQ(over.left(), (platform.screenW - over.width()) / 2);
    EXPECT_EQ(over.banner.text(), QStringLiteral("Game Over"));
    EXPECT_EQ(game.scene().active(), &over);
    game.advance(1999);
    EXPECT_NE(game.gameOverWindow(), nullptr);
    game.advance(1);
    EXPECT_EQ(game.gameOverWindow(), nullptr);
    EXPECT_NE(game.shop(), nullptr);
}
