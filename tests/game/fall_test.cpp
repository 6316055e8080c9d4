// The ravine: the rope's rescue, and the game over of a fall from the board or into a hole.
#include "game_fixture.h"

namespace {

const QString kFell = QStringLiteral("Game Over. You have fallen into the ravine");

class FallTest : public GameTest {
  protected:
    FallTest() : board(start()) {}

    // Everything a lost game leaves behind, whatever the fall: the game-over screen in front of
    // the shop, once.
    void expectGameOver() {
        EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
        EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
        EXPECT_FALSE(board.Mio.visible());
        EXPECT_FALSE(status().Timer1.enabled());
        EXPECT_FALSE(board.Wall.enabled());
        EXPECT_EQ(status().Timer2.interval(), 3000);
        EXPECT_NE(game.shop(), nullptr);
        EXPECT_FALSE(board.enabled());
        ASSERT_NE(game.gameOver(), nullptr);
        EXPECT_EQ(game.scene().active(), game.gameOver());
        EXPECT_EQ(gameOverWindows(), 1);
    }

    Form2& board;
};

} // namespace

TEST_F(FallTest, TheRopeSavesOnceOnTheKeptBoardAndTheNextFallEndsTheGame) {
    board.InCammino.setText(QStringLiteral("1")); // a board from the path section is kept
    status().Liv.setText(QStringLiteral("5"));
    status().setRope(true);
    put(board.Mio, 95, 1000);
    LevelPlan next;
    next.newBoard = false;
    next.coins = ObjectPlan{300, 300};
    queueBuild(next);
    press(keys::Left);
    EXPECT_EQ(status().message(), QStringLiteral("You used the rope!"));
    EXPECT_FALSE(status().hasRope());
    EXPECT_TRUE(platform.randoms.empty()); // the level was built anew
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1500);
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_EQ(status().Liv.text(), QStringLiteral("5"));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("100"));
    EXPECT_FALSE(board.GameOver.isSet());
    EXPECT_EQ(game.shop(), nullptr);

    status().Timer2.setInterval(1000);
    put(board.Mio, 1000, 50);
    press(keys::Up);
    EXPECT_EQ(status().message(), kFell);
    expectGameOver();
}

TEST_F(FallTest, AHoleWithoutTheRopeEndsTheGameAndHidesBothPlayers) {
    put(board.Gate, 2000, 1500);
    press('A'); // into the path section; every hole at 1, 1
    ASSERT_EQ(board.Camin.text(), QStringLiteral("1"));
    put(board.Foro[7], 696, 600);
    press(keys::Right);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over."));
    EXPECT_FALSE(board.Mio2.visible());
    EXPECT_FALSE(board.Foro[7].visible());
    expectGameOver();
}

TEST_F(FallTest, AGameLostInALevelBuiltByThePassageIsLostOnlyOnce) {
    // A board the closing wall has narrowed to 400 twips: the passage puts the player at its
    // centre, past the right edge, and the new level lets it fall.
    board.InCammino.setText(QStringLiteral("1"));
    board.Pic.setWidth(400);
    put(board.Mio, 100, 1000);
    put(board.PSecret, 100, 1000);
    LevelPlan next;
    next.newBoard = false;
    next.board = {600, 600, 400, 3000};
    queueBuild(next);
    press('A');
    EXPECT_EQ(status().Liv.text(), QStringLiteral("3"));
    EXPECT_EQ(status().message(), kFell);
    expectGameOver();
}
